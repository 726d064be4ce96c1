#include "collection/UnTComplementoSaldo.h"

#include "collection/unTCalculo.h"
#include "core/unCentavos.h"
#include "core/unTDiaUtil.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unChaveVinculo.h"
#include "registry/unVinculo.h"

#include <QDate>

namespace {
// The links are the base of the query, so a link without complements still
// yields one row, with the complement columns Null.
const char *const SelectComplemento =
    "SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, VINC.NU_CATEGORIA, "
    "VINC.DT_ADMISSAO_VINCULO, CMPSAL.NU_COMPLEMENTO, CMPSAL.AA_COMPETENCIA, "
    "CMPSAL.MM_COMPETENCIA, CMPSAL.VR_REMUNERACAO, CMPSAL.VR_DEPOSITO ";
const char *const FromComplemento =
    "FROM QZLTBG04_VINCULO_EMPREGATICIO VINC LEFT JOIN QZLTBG07_COMPLEMENTO_SALDO CMPSAL ON "
    "CMPSAL.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA AND CMPSAL.NU_INSCRICAO = "
    "VINC.NU_INSCRICAO AND CMPSAL.NU_PIS = VINC.NU_PIS AND CMPSAL.NU_CATEGORIA = "
    "VINC.NU_CATEGORIA AND CMPSAL.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO ";

QString TextoInteiro(const TField &f) {
  return f.IsNull() ? QString() : QString::number(f.AsInt64());
}
} // namespace

TComplementoSaldo::TComplementoSaldo() {
  Inicializar();
}

TComplementoSaldo::~TComplementoSaldo() = default;

void TComplementoSaldo::Inicializar() {
  NU_TIPO_INSO_EMPRA = 0;
  NU_INSCRICAO = 0;
  NU_PIS = 0;
  NU_CATEGORIA = 0;
  DT_ADMISSAO_VINCULO = NullDate;
  VR_DEPOSITO = 0;
  VR_REMUNERACAO = 0;
  NU_COMPLEMENTO.clear();
  MM_COMPETENCIA.clear();
  AA_COMPETENCIA.clear();
  SqlSelect = QString::fromLatin1(SelectComplemento);
  SqlFrom = QString::fromLatin1(FromComplemento);
}

void TComplementoSaldo::Limpar() {
  vinculo_.reset();
  rescisao_.reset();
}

void TComplementoSaldo::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_TIPO_INSO_EMPRA = Campo("NU_TIPO_INSO_EMPRA").AsInteger();
  NU_INSCRICAO = Campo("NU_INSCRICAO").AsInt64();
  NU_PIS = Campo("NU_PIS").AsInt64();
  NU_CATEGORIA = Campo("NU_CATEGORIA").AsInteger();
  DT_ADMISSAO_VINCULO = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
  NU_COMPLEMENTO = TextoInteiro(Campo("NU_COMPLEMENTO"));
  AA_COMPETENCIA = TextoInteiro(Campo("AA_COMPETENCIA"));
  MM_COMPETENCIA = TextoInteiro(Campo("MM_COMPETENCIA"));
  VR_REMUNERACAO = Campo("VR_REMUNERACAO").AsFloat();
  VR_DEPOSITO = Campo("VR_DEPOSITO").AsFloat();
}

void TComplementoSaldo::DefinirChave(int tipo, qint64 inscricao, qint64 pis, int categoria,
                                     TDateTime admissao) {
  NU_TIPO_INSO_EMPRA = tipo;
  NU_INSCRICAO = inscricao;
  NU_PIS = pis;
  NU_CATEGORIA = categoria;
  DT_ADMISSAO_VINCULO = admissao;
}

QString TComplementoSaldo::CondicaoChave(const QString &alias) const {
  return CondicaoVinculo(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA,
                         DT_ADMISSAO_VINCULO, alias);
}

bool TComplementoSaldo::Carregar(const QString &sqlWhereOrder) {
  CodigoErro.clear();
  try {
    AbrirDataSet(SqlSelect + SqlFrom + sqlWhereOrder);
    Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TComplementoSaldo::CarregarPorVinculo() {
  return Carregar(QStringLiteral("WHERE ") + CondicaoChave(QStringLiteral("VINC")) +
                  QStringLiteral(" ORDER BY CMPSAL.NU_COMPLEMENTO, CMPSAL.AA_COMPETENCIA, "
                                 "CMPSAL.MM_COMPETENCIA"));
}

bool TComplementoSaldo::CarregarComplemento() {
  return Carregar(QStringLiteral("WHERE ") + CondicaoChave(QStringLiteral("VINC")) +
                  QStringLiteral(" AND CMPSAL.NU_COMPLEMENTO = ") +
                  Utilitarios.TextoSQL(NU_COMPLEMENTO) +
                  QStringLiteral(" ORDER BY CMPSAL.AA_COMPETENCIA, CMPSAL.MM_COMPETENCIA"));
}

bool TComplementoSaldo::CarregarAbertos(int tipo, qint64 inscricao, qint64 pis) {
  // An inner condition on the complement keeps links without complements out.
  QString where =
      QStringLiteral("WHERE CMPSAL.NU_PIS IS NOT NULL AND VINC.IC_ESTADO_MOVIMENTO IN (0, 1)");
  if (tipo >= 0)
    where += QStringLiteral(" AND VINC.NU_TIPO_INSO_EMPRA = %1 AND VINC.NU_INSCRICAO = %2")
                 .arg(tipo)
                 .arg(inscricao);
  if (pis >= 0)
    where += QStringLiteral(" AND VINC.NU_PIS = %1").arg(pis);
  return Carregar(where + QStringLiteral(" ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, "
                                         "VINC.NU_PIS, CMPSAL.NU_COMPLEMENTO, "
                                         "CMPSAL.AA_COMPETENCIA, CMPSAL.MM_COMPETENCIA"));
}

void TComplementoSaldo::NumerosDosMarcados(QHash<TChaveVinculo, int> &Numeros) {
  Numeros.clear();
  const TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral(
          "SELECT DISTINCT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS, C.NU_CATEGORIA, "
          "C.DT_ADMISSAO_VINCULO, C.NU_COMPLEMENTO FROM QZLTBG07_COMPLEMENTO_SALDO C JOIN "
          "QZLTBG04_VINCULO_EMPREGATICIO VINC ON ") +
      JuncaoVinculo(QStringLiteral("VINC"), QStringLiteral("C")) +
      QStringLiteral(" WHERE VINC.IC_ESTADO_MOVIMENTO = 1"));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const int numero = ds->Fields(5).AsInteger();
    if (numero >= 1 && numero <= 3)
      Numeros[ChaveDasColunas(*ds)] |= 1 << (numero - 1);
  }
}

bool TComplementoSaldo::PossuiComplemento() {
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT COUNT(*) FROM QZLTBG07_COMPLEMENTO_SALDO WHERE ") + CondicaoChave());
  return !ds->IsEmpty() && ds->Fields(0).AsInteger() > 0;
}

const TTabelaAliquotas &TComplementoSaldo::Aliquotas() {
  // Only computing a deposit needs the rates: the objects made to read or
  // check complements never read them.
  if (!aliquotasLidas_) {
    aliquotas_.Carregar(Ibx);
    aliquotasLidas_ = true;
  }
  return aliquotas_;
}

TVinculo &TComplementoSaldo::Vinculo() {
  if (!vinculo_) {
    vinculo_ = std::make_unique<TVinculo>();
    if (CarregarAssociados)
      vinculo_->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                 NU_INSCRICAO);
  }
  return *vinculo_;
}

TRescisao &TComplementoSaldo::Rescisao() {
  if (!rescisao_) {
    rescisao_ = std::make_unique<TRescisao>();
    if (CarregarAssociados)
      rescisao_->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                  NU_INSCRICAO);
  }
  return *rescisao_;
}

double TComplementoSaldo::AliquotaVigente(int categoria, TDateTime competencia) {
  const TAliquotaDeposito *a = Aliquotas().Vigente(categoria, competencia);
  return a ? a->PC_ALIQUOTA : 0;
}

double TComplementoSaldo::CalcularDeposito() {
  try {
    const int ano = Utilitarios.ParaInteiro(AA_COMPETENCIA);
    const int mes = Utilitarios.ParaInteiro(MM_COMPETENCIA);
    const QDate qm(ano, mes, 1);
    if (!qm.isValid())
      return -1;
    const TDateTime M = QDateParaData(qm);
    const double D =
        Utilitarios.Truncar(2, VR_REMUNERACAO * AliquotaVigente(NU_CATEGORIA, M) / 100);
    double C = D;

    // The deposits of old months were made in the currencies of their time:
    // each change of currency divides what was owed before it.
    const int am = ano * 100 + mes;
    if (am >= 196701 && am <= 198602)
      C = Utilitarios.Truncar(2, C / 1000);
    if (am <= 198812)
      C = Utilitarios.Truncar(2, C / 1000);
    if (am <= 199307)
      C = Utilitarios.Truncar(2, C / 1000);
    if (am <= 199406)
      C = Utilitarios.Truncar(2, C / 2750);

    // JAM applies once the month has been due before the edition of the
    // loaded index tables.
    const QDate e = qm.addMonths(1);
    const QDate edicao = DataDefinida(DataEditalProrata) && DataEditalProrata > 0
                             ? DataParaQDate(DataEditalProrata)
                             : QDate(1899, 12, 30);
    const QDate n = QDate(edicao.year(), edicao.month(), 1).addMonths(1);
    if (QDate(e.year(), e.month(), 10) <= n) {
      bool semLinha = false;
      const double f =
          indices_.FatorJam(NU_CATEGORIA, DataEditalProrata, Vinculo().DT_OPCAO, M, &semLinha);
      // Without a factor the deposit cannot be known: storing it without
      // its JAM would understate the fine base.
      if (f < 0) {
        if (semLinha)
          RegistrarFaltaIndice(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA,
                               DT_ADMISSAO_VINCULO);
        return -1;
      }
      if (f > 0)
        C = (TCentavos::De(C) + TCentavos::De(Utilitarios.Truncar(2, f * D))).Valor();
    }
    return C;
  } catch (const std::exception &) {
    return -1;
  }
}

bool TComplementoSaldo::Gravar(bool incluir) {
  CodigoErro.clear();
  const double deposito = CalcularDeposito();
  if (deposito < 0) {
    CodigoErro = QStringLiteral("0372");
    return false;
  }
  VR_DEPOSITO = deposito;
  QString sql;
  if (incluir)
    sql = QStringLiteral("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, "
                         "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                         "NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, "
                         "VR_DEPOSITO) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10)")
              .arg(NU_TIPO_INSO_EMPRA)
              .arg(NU_INSCRICAO)
              .arg(NU_PIS)
              .arg(NU_CATEGORIA)
              .arg(Utilitarios.DataSQL(DT_ADMISSAO_VINCULO))
              .arg(Utilitarios.ParaInteiro(NU_COMPLEMENTO))
              .arg(Utilitarios.ParaInteiro(AA_COMPETENCIA))
              .arg(Utilitarios.ParaInteiro(MM_COMPETENCIA))
              .arg(Utilitarios.ValorSQL(VR_REMUNERACAO), Utilitarios.ValorSQL(VR_DEPOSITO));
  else
    sql = QStringLiteral("UPDATE QZLTBG07_COMPLEMENTO_SALDO SET VR_REMUNERACAO = %1, "
                         "VR_DEPOSITO = %2 WHERE %3 AND NU_COMPLEMENTO = %4 AND AA_COMPETENCIA = "
                         "%5 AND MM_COMPETENCIA = %6")
              .arg(Utilitarios.ValorSQL(VR_REMUNERACAO), Utilitarios.ValorSQL(VR_DEPOSITO),
                   CondicaoChave())
              .arg(Utilitarios.ParaInteiro(NU_COMPLEMENTO))
              .arg(Utilitarios.ParaInteiro(AA_COMPETENCIA))
              .arg(Utilitarios.ParaInteiro(MM_COMPETENCIA));
  try {
    Ibx->ExecutarSQL(sql);
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TComplementoSaldo::Incluir() {
  return Gravar(true);
}

bool TComplementoSaldo::Recalcular() {
  return Gravar(false);
}

void TComplementoSaldo::AtualizarTotal() {
  try {
    Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET "
                                    "VR_DEPOSITO_CMPLO_SALDO = (SELECT SUM(VR_DEPOSITO) FROM "
                                    "QZLTBG07_COMPLEMENTO_SALDO WHERE %1) WHERE %1")
                         .arg(CondicaoChave()));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

void TComplementoSaldo::AtualizarTotais(int tipo, qint64 inscricao, qint64 pis, int categoria,
                                        TDateTime admissao) {
  const QString juncao = QStringLiteral(
      "CMPSAL.NU_TIPO_INSO_EMPRA = RESC.NU_TIPO_INSO_EMPRA AND CMPSAL.NU_INSCRICAO = "
      "RESC.NU_INSCRICAO AND CMPSAL.NU_PIS = RESC.NU_PIS AND CMPSAL.NU_CATEGORIA = "
      "RESC.NU_CATEGORIA AND CMPSAL.DT_ADMISSAO_VINCULO = RESC.DT_ADMISSAO_VINCULO");
  QString sql = QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO RESC SET "
                               "VR_DEPOSITO_CMPLO_SALDO = (SELECT SUM(CMPSAL.VR_DEPOSITO) FROM "
                               "QZLTBG07_COMPLEMENTO_SALDO CMPSAL WHERE %1) WHERE EXISTS (SELECT "
                               "1 FROM QZLTBG07_COMPLEMENTO_SALDO CMPSAL WHERE %1)")
                    .arg(juncao);
  if (tipo >= 0)
    sql += QStringLiteral(" AND RESC.NU_TIPO_INSO_EMPRA = %1 AND RESC.NU_INSCRICAO = %2")
               .arg(tipo)
               .arg(inscricao);
  if (pis >= 0)
    sql += QStringLiteral(" AND ") +
           CondicaoVinculo(tipo, inscricao, pis, categoria, admissao, QStringLiteral("RESC"));
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

void TComplementoSaldo::Excluir(bool todos, bool atualizarTotal) {
  QString sql = QStringLiteral("DELETE FROM QZLTBG07_COMPLEMENTO_SALDO WHERE ") + CondicaoChave();
  if (!todos)
    sql +=
        QStringLiteral(" AND NU_COMPLEMENTO = %1 AND AA_COMPETENCIA = %2 AND MM_COMPETENCIA = %3")
            .arg(Utilitarios.ParaInteiro(NU_COMPLEMENTO))
            .arg(Utilitarios.ParaInteiro(AA_COMPETENCIA))
            .arg(Utilitarios.ParaInteiro(MM_COMPETENCIA));
  // The delete and the total it changes are kept or undone together.
  TEscopoTransacao transacao(Ibx);
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  if (atualizarTotal)
    AtualizarTotal();
  transacao.Confirmar();
}

bool TComplementoSaldo::RecalcularAbertos(int tipo, qint64 inscricao, qint64 pis) {
  if (!CarregarAbertos(tipo, inscricao, pis))
    return false;
  bool todos = true;
  for (Primeiro(); !FimDados(); Proximo())
    if (!Recalcular())
      todos = false;
  return todos;
}

// ------------------------------------------------------------------ checks

bool TComplementoSaldo::ValidarComplementoPermitido() {
  CodigoErro.clear();
  if (Rescisao().DT_DISSIDIO > 0 ||
      Vinculo().CO_MOVIMENTACAO.trimmed().toUpper() == QLatin1String("I3"))
    CodigoErro = QStringLiteral("0710");
  return CodigoErro.isEmpty();
}

bool TComplementoSaldo::ValidarCompetencia(bool permiteVazia) {
  CodigoErro.clear();
  const int mes = Utilitarios.ParaInteiro(MM_COMPETENCIA);
  const int ano = Utilitarios.ParaInteiro(AA_COMPETENCIA);
  if (permiteVazia && mes == 0 && ano == 0)
    return true;
  const QString a = AA_COMPETENCIA.trimmed();
  if (mes < 1 || mes > 12 || !Utilitarios.SomenteNumeros(a) || a.size() < 4) {
    CodigoErro = QStringLiteral("0034");
    return false;
  }
  if (ano <= 1966) {
    CodigoErro = QStringLiteral("0102");
    return false;
  }
  const int am = ano * 100 + mes;
  auto anoMes = [](TDateTime d) {
    const QDate q = DataParaQDate(d);
    return q.isValid() ? q.year() * 100 + q.month() : 0;
  };
  TVinculo &v = Vinculo();
  if (v.DT_OPCAO > 0 && am < anoMes(v.DT_OPCAO))
    CodigoErro = QStringLiteral("0395");
  else if (v.DT_MOVIMENTACAO_VINCULO > 0 && am > anoMes(v.DT_MOVIMENTACAO_VINCULO))
    CodigoErro = QStringLiteral("0411");
  return CodigoErro.isEmpty();
}

bool TComplementoSaldo::ValidarRemuneracao() {
  CodigoErro.clear();
  const bool semMes =
      Utilitarios.ParaInteiro(MM_COMPETENCIA) == 0 && Utilitarios.ParaInteiro(AA_COMPETENCIA) == 0;
  if (semMes && VR_REMUNERACAO > 0)
    CodigoErro = QStringLiteral("0355");
  else if (VR_REMUNERACAO == 0 && !semMes)
    CodigoErro = QStringLiteral("0356");
  return CodigoErro.isEmpty();
}
