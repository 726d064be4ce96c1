#include "collection/unTContaSaldoTrabalhador.h"

#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unChaveVinculo.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

namespace {
const char *const SelectConta =
    "SELECT CTAEPR.NU_TIPO_INSO_EMPRA, CTAEPR.NU_INSCRICAO, CTAEPR.NU_PIS, CTAEPR.NU_CATEGORIA, "
    "CTAEPR.DT_ADMISSAO_VINCULO, CTAEPR.MM_MAIOR_COMPETENCIA, "
    "CTAEPR.NU_SITUACAO_CONTA_EMPREGADO, CTAEPR.NU_SITUACAO_PIS, CTAEPR.NU_EMPREGADO_VORDA, "
    "CTAEPR.VR_SALDO_RESCISORIO, CTAEPR.AA_MAIOR_COMPETENCIA, CTAEPR.DT_GRAVACAO_ARQUIVO, "
    "CTAEPR.NO_EMPREGADO, CTAEPR.NU_SITUACAO_CONTA_EMPRESA, CTAEPR.NU_EMPRESA_VORDA, "
    "CTAEPR.DT_CREDITO_JUROS ";
const char *const FromConta = "FROM QZLTBG10_CONTA_EMPREGADO_ZELT CTAEPR ";

QString Lista(const QList<qint64> &valores) {
  QStringList t;
  for (qint64 v : valores)
    t << QString::number(v);
  return t.join(u',');
}
} // namespace

TContaSaldoTrabalhador::TContaSaldoTrabalhador() {
  Inicializar();
}

TContaSaldoTrabalhador::~TContaSaldoTrabalhador() = default;

void TContaSaldoTrabalhador::Inicializar() {
  NU_TIPO_INSO_EMPRA = 0;
  NU_INSCRICAO = 0;
  NU_PIS = 0;
  NU_CATEGORIA = 0;
  DT_ADMISSAO_VINCULO = NullDate;
  MM_MAIOR_COMPETENCIA = 0;
  NU_SITUACAO_CONTA_EMPREGADO = 0;
  NU_SITUACAO_PIS = 0;
  NU_EMPREGADO_VORDA = 0;
  VR_SALDO_RESCISORIO = 0;
  AA_MAIOR_COMPETENCIA = 0;
  DT_GRAVACAO_ARQUIVO = NullDate;
  NU_SITUACAO_CONTA_EMPRESA = 0;
  NU_EMPRESA_VORDA = 0;
  DT_CREDITO_JUROS = NullDate;
  SqlSelect = QString::fromLatin1(SelectConta);
  SqlFrom = QString::fromLatin1(FromConta);
}

void TContaSaldoTrabalhador::Limpar() {
  trabalhador_.reset();
  vinculo_.reset();
  rescisao_.reset();
}

void TContaSaldoTrabalhador::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_TIPO_INSO_EMPRA = Campo("NU_TIPO_INSO_EMPRA").AsInteger();
  NU_INSCRICAO = Campo("NU_INSCRICAO").AsInt64();
  NU_PIS = Campo("NU_PIS").AsInt64();
  NU_CATEGORIA = Campo("NU_CATEGORIA").AsInteger();
  DT_ADMISSAO_VINCULO = Campo("DT_ADMISSAO_VINCULO").AsDateTime();
  MM_MAIOR_COMPETENCIA = Campo("MM_MAIOR_COMPETENCIA").AsInteger();
  NU_SITUACAO_CONTA_EMPREGADO = Campo("NU_SITUACAO_CONTA_EMPREGADO").AsInteger();
  NU_SITUACAO_PIS = Campo("NU_SITUACAO_PIS").AsInteger();
  NU_EMPREGADO_VORDA = Campo("NU_EMPREGADO_VORDA").AsInt64();
  VR_SALDO_RESCISORIO = Campo("VR_SALDO_RESCISORIO").AsFloat();
  AA_MAIOR_COMPETENCIA = Campo("AA_MAIOR_COMPETENCIA").AsInteger();
  DT_GRAVACAO_ARQUIVO = Campo("DT_GRAVACAO_ARQUIVO").AsDateTime();
  NU_SITUACAO_CONTA_EMPRESA = Campo("NU_SITUACAO_CONTA_EMPRESA").AsInteger();
  NU_EMPRESA_VORDA = Campo("NU_EMPRESA_VORDA").AsInt64();
  DT_CREDITO_JUROS = Campo("DT_CREDITO_JUROS").AsDateTime();
}

void TContaSaldoTrabalhador::DefinirChave(int tipo, qint64 inscricao, qint64 pis, int categoria,
                                          TDateTime admissao) {
  NU_TIPO_INSO_EMPRA = tipo;
  NU_INSCRICAO = inscricao;
  NU_PIS = pis;
  NU_CATEGORIA = categoria;
  DT_ADMISSAO_VINCULO = admissao;
}

QString TContaSaldoTrabalhador::CondicaoChave(const QString &alias) const {
  return CondicaoVinculo(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA,
                         DT_ADMISSAO_VINCULO, alias);
}

TTrabalhador &TContaSaldoTrabalhador::Trabalhador() {
  if (!trabalhador_) {
    trabalhador_ = std::make_unique<TTrabalhador>();
    if (CarregarAssociados)
      trabalhador_->CarregarPorPIS(QString::number(NU_PIS));
  }
  return *trabalhador_;
}

TVinculo &TContaSaldoTrabalhador::Vinculo() {
  if (!vinculo_) {
    vinculo_ = std::make_unique<TVinculo>();
    if (CarregarAssociados)
      vinculo_->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                 NU_INSCRICAO);
  }
  return *vinculo_;
}

TRescisao &TContaSaldoTrabalhador::Rescisao() {
  if (!rescisao_) {
    rescisao_ = std::make_unique<TRescisao>();
    if (CarregarAssociados)
      rescisao_->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                  NU_INSCRICAO);
  }
  return *rescisao_;
}

bool TContaSaldoTrabalhador::Carregar(const QString &where, const QString &ordem) {
  CodigoErro.clear();
  QString sql = SqlSelect + SqlFrom + where;
  if (!ordem.trimmed().isEmpty())
    sql += QStringLiteral(" ORDER BY ") + ordem;
  try {
    AbrirDataSet(sql);
    Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TContaSaldoTrabalhador::CarregarPorEmpresa(const QString &ordem) {
  return Carregar(QStringLiteral("WHERE CTAEPR.NU_TIPO_INSO_EMPRA = %1 AND CTAEPR.NU_INSCRICAO = "
                                 "%2 AND CTAEPR.NU_SITUACAO_CONTA_EMPREGADO <> 3")
                      .arg(NU_TIPO_INSO_EMPRA)
                      .arg(NU_INSCRICAO),
                  ordem);
}

bool TContaSaldoTrabalhador::CarregarPorPis(qint64 pis, const QString &ordem) {
  return Carregar(
      QStringLiteral("WHERE CTAEPR.NU_PIS = %1 AND CTAEPR.NU_SITUACAO_CONTA_EMPREGADO <> 3")
          .arg(pis),
      ordem);
}

bool TContaSaldoTrabalhador::CarregarPorVinculo(const QList<int> &situacoes) {
  QString where = QStringLiteral("WHERE ") + CondicaoChave(QStringLiteral("CTAEPR"));
  if (situacoes.isEmpty())
    where += QStringLiteral(" AND CTAEPR.NU_SITUACAO_CONTA_EMPREGADO <> 3");
  else
    where += QStringLiteral(" AND CTAEPR.NU_SITUACAO_CONTA_EMPREGADO IN (%1)")
                 .arg(Utilitarios.ListaInteiros(situacoes));
  return Carregar(where);
}

bool TContaSaldoTrabalhador::CarregarPorEstado(const QList<int> &estados, bool porEmpresa,
                                               const QList<qint64> &contas) {
  QString sql = SqlSelect + SqlFrom +
                QStringLiteral("JOIN QZLTBG04_VINCULO_EMPREGATICIO VINC ON ") +
                JuncaoVinculo(QStringLiteral("CTAEPR"), QStringLiteral("VINC")) +
                QStringLiteral(" WHERE VINC.IC_ESTADO_MOVIMENTO IN (%1) AND "
                               "CTAEPR.NU_SITUACAO_CONTA_EMPREGADO <> 3")
                    .arg(Utilitarios.ListaInteiros(estados));
  if (porEmpresa)
    sql += QStringLiteral(" AND VINC.NU_TIPO_INSO_EMPRA = %1 AND VINC.NU_INSCRICAO = %2")
               .arg(NU_TIPO_INSO_EMPRA)
               .arg(NU_INSCRICAO);
  if (!contas.isEmpty())
    sql += QStringLiteral(" AND CTAEPR.NU_EMPREGADO_VORDA IN (%1)").arg(Lista(contas));
  CodigoErro.clear();
  try {
    AbrirDataSet(sql);
    Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TContaSaldoTrabalhador::Localizar(int tipo, qint64 inscricao, int categoria,
                                       TDateTime admissao, qint64 pis, qint64 conta) {
  TDataSet &ds = DataSetValido();
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    if (ds.FieldByName("NU_TIPO_INSO_EMPRA").AsInteger() == tipo &&
        ds.FieldByName("NU_INSCRICAO").AsInt64() == inscricao &&
        ds.FieldByName("NU_CATEGORIA").AsInteger() == categoria &&
        ds.FieldByName("DT_ADMISSAO_VINCULO").AsDateTime() == admissao &&
        ds.FieldByName("NU_PIS").AsInt64() == pis &&
        ds.FieldByName("NU_EMPREGADO_VORDA").AsInt64() == conta) {
      CarregarAtributos();
      return true;
    }
  }
  return false;
}

bool TContaSaldoTrabalhador::ExisteSaldoPis2() {
  try {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT 1 FROM "
                       "QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %1 AND NU_SITUACAO_PIS = 2 AND "
                       "VR_SALDO_RESCISORIO > 0)")
            .arg(CondicaoChave()));
    return !ds->IsEmpty();
  } catch (const EBancoDados &) {
    return false;
  }
}

bool TContaSaldoTrabalhador::ExisteSaldo() {
  try {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT 1 FROM "
                       "QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %1 AND VR_SALDO_RESCISORIO > 0)")
            .arg(CondicaoChave()));
    return !ds->IsEmpty();
  } catch (const EBancoDados &) {
    return false;
  }
}

double TContaSaldoTrabalhador::SomaSaldo() {
  try {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral(
            "SELECT SUM(VR_SALDO_RESCISORIO) FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %1")
            .arg(CondicaoChave()));
    return ds->IsEmpty() ? 0 : ds->Fields(0).AsFloat();
  } catch (const EBancoDados &) {
    return 0;
  }
}

TResumosContas TContaSaldoTrabalhador::ResumirPorVinculo(const QString &condicaoVinculo) {
  return Resumir(
      QStringLiteral("WHERE EXISTS (SELECT 1 FROM QZLTBG04_VINCULO_EMPREGATICIO VINC WHERE ") +
      JuncaoVinculo(QStringLiteral("CTAEPR"), QStringLiteral("VINC")) + QStringLiteral(" AND (") +
      condicaoVinculo + QStringLiteral("))"));
}

TResumoContas TContaSaldoTrabalhador::ResumirVinculo(const TChaveVinculo &chave) {
  try {
    return Resumir(QStringLiteral("WHERE ") + chave.Condicao(QStringLiteral("CTAEPR")))
        .value(chave);
  } catch (const EBancoDados &) {
    return TResumoContas();
  }
}

TResumosContas TContaSaldoTrabalhador::Resumir(const QString &where) {
  // No ORDER BY, as in the per-link load: a link's rows come in the order the
  // table holds them, so "the first account" is the same one.
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT CTAEPR.NU_TIPO_INSO_EMPRA, CTAEPR.NU_INSCRICAO, CTAEPR.NU_PIS, "
                     "CTAEPR.NU_CATEGORIA, CTAEPR.DT_ADMISSAO_VINCULO, "
                     "CTAEPR.NU_SITUACAO_CONTA_EMPREGADO, CTAEPR.NU_SITUACAO_PIS, "
                     "CTAEPR.VR_SALDO_RESCISORIO, CTAEPR.DT_GRAVACAO_ARQUIVO, "
                     "CTAEPR.DT_CREDITO_JUROS ") +
      QString::fromLatin1(FromConta) + where);
  TResumosContas r;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TResumoContas &c = r[ChaveDasColunas(*ds)];
    // A row without a situation meets neither "IN (0, 1, 2, 3)" nor "<> 3".
    const bool comSituacao = !ds->Fields(5).IsNull();
    const int situacao = ds->Fields(5).AsInteger();
    const double saldo = ds->Fields(7).AsFloat();
    if (comSituacao && situacao >= 0 && situacao <= 3 && !c.TemConta0a3) {
      c.TemConta0a3 = true;
      c.GravacaoArquivo = ds->Fields(8).AsDateTime();
    }
    if (comSituacao && situacao != 3 && !c.TemContaNaoExcluida) {
      c.TemContaNaoExcluida = true;
      c.CreditoJuros = ds->Fields(9).AsDateTime();
    }
    if (ds->Fields(6).AsInteger() == 2 && saldo > 0)
      c.SaldoPis2 = true;
    c.Soma += TCentavos::De(saldo);
  }
  return r;
}

// ------------------------------------------------------------- row checks

bool TContaSaldoTrabalhador::ValidarSituacaoConta() {
  CodigoErro.clear();
  if (NU_SITUACAO_CONTA_EMPREGADO > 3)
    CodigoErro = QStringLiteral("0216");
  return CodigoErro.isEmpty();
}

bool TContaSaldoTrabalhador::ValidarContaExcluida() {
  CodigoErro.clear();
  if (NU_SITUACAO_CONTA_EMPREGADO == 3 && NU_EMPREGADO_VORDA != 0)
    CodigoErro = QStringLiteral("0282");
  return CodigoErro.isEmpty();
}

bool TContaSaldoTrabalhador::ValidarSaldoContaInativa() {
  CodigoErro.clear();
  if (NU_SITUACAO_CONTA_EMPREGADO != 0 && VR_SALDO_RESCISORIO > 0)
    CodigoErro = QStringLiteral("0379");
  return CodigoErro.isEmpty();
}

bool TContaSaldoTrabalhador::ValidarSituacaoPis() {
  CodigoErro.clear();
  if (NU_SITUACAO_CONTA_EMPREGADO != 3 && NU_SITUACAO_PIS != 1 && NU_SITUACAO_PIS != 2)
    CodigoErro = QStringLiteral("0285");
  else if (NU_SITUACAO_CONTA_EMPREGADO == 3 && NU_SITUACAO_PIS != 0)
    CodigoErro = QStringLiteral("0345");
  return CodigoErro.isEmpty();
}

bool TContaSaldoTrabalhador::ValidarMaiorCompetencia() {
  CodigoErro.clear();
  const bool excluida = NU_SITUACAO_CONTA_EMPREGADO == 3;
  // Month first, then year: a failing year overwrites the month's code.
  if (excluida && MM_MAIOR_COMPETENCIA != 0)
    CodigoErro = QStringLiteral("0286");
  else if (!excluida && MM_MAIOR_COMPETENCIA > 12)
    CodigoErro = QStringLiteral("0034");
  if (excluida && AA_MAIOR_COMPETENCIA != 0)
    CodigoErro = QStringLiteral("0286");
  else if (!excluida && AA_MAIOR_COMPETENCIA > 0 && AA_MAIOR_COMPETENCIA < 1967)
    CodigoErro = QStringLiteral("0102");
  return CodigoErro.isEmpty();
}

bool TContaSaldoTrabalhador::ValidarDataCreditoJuros() {
  CodigoErro.clear();
  const bool definida = DT_CREDITO_JUROS > 0;
  if (NU_SITUACAO_CONTA_EMPRESA != 0 && definida)
    CodigoErro = QStringLiteral("0346");
  else if (NU_SITUACAO_CONTA_EMPRESA == 0 && definida &&
           DT_CREDITO_JUROS < QDateParaData(QDate(1967, 1, 1)))
    CodigoErro = QStringLiteral("0369");
  return CodigoErro.isEmpty();
}

// ------------------------------------------------------------- changes

bool TContaSaldoTrabalhador::Incluir(bool atualizarSaldo) {
  CodigoErro.clear();
  const QString sql =
      QStringLiteral(
          "INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
          "NU_CATEGORIA, DT_ADMISSAO_VINCULO, MM_MAIOR_COMPETENCIA, NU_SITUACAO_CONTA_EMPREGADO, "
          "NU_SITUACAO_PIS, NU_EMPREGADO_VORDA, VR_SALDO_RESCISORIO, AA_MAIOR_COMPETENCIA, "
          "DT_GRAVACAO_ARQUIVO, NO_EMPREGADO, NU_SITUACAO_CONTA_EMPRESA, NU_EMPRESA_VORDA, "
          "DT_CREDITO_JUROS) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, ")
          .arg(NU_TIPO_INSO_EMPRA)
          .arg(NU_INSCRICAO)
          .arg(NU_PIS)
          .arg(NU_CATEGORIA)
          .arg(Utilitarios.DataSQL(DT_ADMISSAO_VINCULO))
          .arg(MM_MAIOR_COMPETENCIA)
          .arg(NU_SITUACAO_CONTA_EMPREGADO)
          .arg(NU_SITUACAO_PIS)
          .arg(NU_EMPREGADO_VORDA) +
      QStringLiteral("%1, %2, %3, %4, %5, %6, %7)")
          .arg(Utilitarios.ValorSQL(VR_SALDO_RESCISORIO))
          .arg(AA_MAIOR_COMPETENCIA)
          .arg(Utilitarios.DataSQL(DT_GRAVACAO_ARQUIVO))
          // The worker object, when the caller filled it, carries the name the
          // bank reported; otherwise the registered one is taken.
          .arg(trabalhador_ ? Utilitarios.TextoSQL(trabalhador_->NO_EMPREGADO)
                            : QStringLiteral("(SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO "
                                             "WHERE NU_PIS = %1)")
                                  .arg(NU_PIS))
          .arg(NU_SITUACAO_CONTA_EMPRESA)
          .arg(NU_EMPRESA_VORDA)
          .arg(Utilitarios.DataSQL(DT_CREDITO_JUROS));
  try {
    Ibx->ExecutarSQL(sql);
    if (atualizarSaldo) {
      TTrabalhador trabalhador;
      trabalhador.AtualizarSaldoRescisorio(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO,
                                           NU_PIS, NU_INSCRICAO);
    }
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

bool TContaSaldoTrabalhador::Excluir(bool todaEmpresa, bool porConta, bool preservarFechados) {
  // Every condition applies to the rows deleted themselves: only accounts
  // of an existing link, of this employer (and link, and bank account), and,
  // when asked, not of a link whose run was closed.
  QString sql = QStringLiteral("DELETE FROM QZLTBG10_CONTA_EMPREGADO_ZELT CTAEPR WHERE "
                               "CTAEPR.NU_TIPO_INSO_EMPRA = %1 AND CTAEPR.NU_INSCRICAO = %2")
                    .arg(NU_TIPO_INSO_EMPRA)
                    .arg(NU_INSCRICAO);
  if (!todaEmpresa)
    sql += QStringLiteral(" AND ") + CondicaoChave(QStringLiteral("CTAEPR"));
  if (porConta)
    sql += QStringLiteral(" AND CTAEPR.NU_EMPREGADO_VORDA = %1").arg(NU_EMPREGADO_VORDA);
  sql += QStringLiteral(" AND EXISTS (SELECT 1 FROM QZLTBG04_VINCULO_EMPREGATICIO VINC WHERE ") +
         JuncaoVinculo(QStringLiteral("CTAEPR"), QStringLiteral("VINC"));
  if (preservarFechados)
    sql += QStringLiteral(" AND VINC.IC_ESTADO_MOVIMENTO NOT IN (2, 3)");
  sql += u')';
  CodigoErro.clear();
  try {
    Ibx->ExecutarSQL(sql);
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}
