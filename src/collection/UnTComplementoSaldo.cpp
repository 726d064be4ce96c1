#include "collection/UnTComplementoSaldo.h"

#include "core/unUtilitarios.h"
#include "registry/unVinculo.h"

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
  CarregarAliquotas();
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

void TComplementoSaldo::Limpar() {}

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

bool TComplementoSaldo::PossuiComplemento() {
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT COUNT(*) FROM QZLTBG07_COMPLEMENTO_SALDO WHERE ") + CondicaoChave());
  return !ds->IsEmpty() && ds->Fields(0).AsInteger() > 0;
}

void TComplementoSaldo::CarregarAliquotas() {
  aliquotas_.clear();
  TDataSetPtr ds = Ibx->AbrirConsulta(QStringLiteral(
      "SELECT NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA, PC_ALIQUOTA "
      "FROM QZLTBT14_ALIQUOTA_CALCULO_DPSTO ORDER BY NU_CATEGORIA"));
  for (ds->First(); !ds->Eof(); ds->Next())
    aliquotas_.push_back({ds->Fields(0).AsInteger(), ds->Fields(1).AsInteger(),
                          ds->Fields(2).AsInteger(), ds->Fields(3).AsFloat()});
}
