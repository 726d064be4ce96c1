#include "UnRescisao.h"

#include "collection/unTAliquotaDeposito.h"
#include "core/unUtilitarios.h"
#include "registry/unChaveVinculo.h"
#include "unVinculo.h"

namespace {

// The four parcels the calculation writes, in their fixed order, and the
// amounts of each; LimparCalculos clears exactly these (plus the JAM of the
// balance).
const char *const ColunasParcelas[] = {
    "DT_DEVIDA_ANTERIOR_RESCISAO",
    "VR_DEPOSITO_ANTERIOR_RESCISAO",
    "VR_JAM_ANTERIOR_RESCISAO",
    "VR_MULTA_ANTERIOR_RESCISAO",
    "VR_CNTRO_ANTERIOR_RESCISAO",
    "VR_MULTA_CNTRO_ANTERIOR_RSCSO",
    "DT_DEVIDA_RESCISAO",
    "VR_DEPOSITO_RESCISAO",
    "VR_JAM_RESCISAO",
    "VR_MULTA_RESCISAO",
    "VR_CNTRO_RESCISAO",
    "VR_MULTA_CNTRO_RESCISAO",
    "DT_DEVIDA_AVISO_PREVIO",
    "VR_DEPOSITO_AVISO_PREVIO",
    "VR_JAM_AVISO_PREVIO",
    "VR_MULTA_AVISO_PREVIO",
    "VR_CNTRO_AVISO_PREVIO",
    "VR_MULTA_CNTRO_AVISO_PREVIO",
    "DT_DEVIDA_MULTA_RESCISORIA",
    "VR_DEPOSITO_MULTA_RESCISORIA",
    "VR_JAM_MULTA_RESCISORIA",
    "VR_MULTA_MULTA_RESCISORIA",
    "VR_CNTRO_MULTA_RESCISORIA",
    "VR_MULTA_CNTRO_MULTA_RESCISORIA",
};

// Concatenated link key of LimparCalculos. Every part is cast to a width that
// holds its largest value: the category has two digits.
QString ChaveConcatenada(const QString &a) {
  return QStringLiteral("CAST(%1NU_TIPO_INSO_EMPRA AS CHAR(1)) || CAST(%1NU_INSCRICAO AS CHAR(14)) "
                        "|| CAST(%1NU_PIS AS CHAR(11)) || CAST(%1NU_CATEGORIA AS CHAR(2)) || "
                        "CAST(%1DT_ADMISSAO_VINCULO AS CHAR(10))")
      .arg(a);
}

bool DataInformada(TDateTime d) {
  return d > 0;
}

bool MesmoMes(TDateTime a, TDateTime b) {
  const QDate da = DataParaQDate(a), db = DataParaQDate(b);
  return da.isValid() && db.isValid() && da.year() == db.year() && da.month() == db.month();
}

} // namespace

TRescisao::TRescisao() {
  Inicializar();
}

TRescisao::~TRescisao() = default;

void TRescisao::Inicializar() {
  NU_TIPO_INSO_EMPRA = 0;
  NU_INSCRICAO = 0;
  NU_PIS = 0;
  NU_CATEGORIA = 0;
  DT_ADMISSAO_VINCULO = NullDate;
  IC_TIPO_PNSO_ALMNA.clear();
  VR_PENSAO_ALMNA = 0;
  DT_DISSIDIO = NullDate;
  VR_DISSIDIO = 0;
  VR_REMUNERACAO_ANTERIOR_RSCSO = 0;
  VR_REMUNERACAO_RESCISAO = 0;
  VR_AVISO_PREVIO = 0;
  VR_SALDO_RESCISORIO = 0;
  IC_ORIGEM_SALDO_RESCISORIO.clear();
  VR_JAM_SALDO_RESCISORIO = 0;
  VR_DEPOSITO_CMPLO_SALDO = 0;
  for (TDateTime *d : {&DT_DEVIDA_ANTERIOR_RESCISAO, &DT_DEVIDA_RESCISAO, &DT_DEVIDA_AVISO_PREVIO,
                       &DT_DEVIDA_MULTA_RESCISORIA})
    *d = NullDate;
  for (double *v : {&VR_DEPOSITO_ANTERIOR_RESCISAO,
                    &VR_JAM_ANTERIOR_RESCISAO,
                    &VR_MULTA_ANTERIOR_RESCISAO,
                    &VR_CNTRO_ANTERIOR_RESCISAO,
                    &VR_MULTA_CNTRO_ANTERIOR_RSCSO,
                    &VR_DEPOSITO_RESCISAO,
                    &VR_JAM_RESCISAO,
                    &VR_MULTA_RESCISAO,
                    &VR_CNTRO_RESCISAO,
                    &VR_MULTA_CNTRO_RESCISAO,
                    &VR_DEPOSITO_AVISO_PREVIO,
                    &VR_JAM_AVISO_PREVIO,
                    &VR_MULTA_AVISO_PREVIO,
                    &VR_CNTRO_AVISO_PREVIO,
                    &VR_MULTA_CNTRO_AVISO_PREVIO,
                    &VR_DEPOSITO_MULTA_RESCISORIA,
                    &VR_JAM_MULTA_RESCISORIA,
                    &VR_MULTA_MULTA_RESCISORIA,
                    &VR_CNTRO_MULTA_RESCISORIA,
                    &VR_MULTA_CNTRO_MULTA_RESCISORIA})
    *v = 0;

  QStringList colunas = {
      QStringLiteral("NU_TIPO_INSO_EMPRA"),
      QStringLiteral("NU_INSCRICAO"),
      QStringLiteral("NU_PIS"),
      QStringLiteral("NU_CATEGORIA"),
      QStringLiteral("DT_ADMISSAO_VINCULO"),
      QStringLiteral("IC_TIPO_PNSO_ALMNA"),
      QStringLiteral("VR_PENSAO_ALMNA"),
      QStringLiteral("DT_DISSIDIO"),
      QStringLiteral("VR_DISSIDIO"),
      QStringLiteral("VR_REMUNERACAO_ANTERIOR_RSCSO"),
      QStringLiteral("VR_REMUNERACAO_RESCISAO"),
      QStringLiteral("VR_AVISO_PREVIO"),
      QStringLiteral("VR_SALDO_RESCISORIO"),
      QStringLiteral("IC_ORIGEM_SALDO_RESCISORIO"),
      QStringLiteral("VR_JAM_SALDO_RESCISORIO"),
      QStringLiteral("VR_DEPOSITO_CMPLO_SALDO"),
  };
  for (const char *c : ColunasParcelas)
    colunas << QString::fromLatin1(c);
  SqlSelect = QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", "));
  SqlFrom = QStringLiteral(" FROM QZLTBG06_INFORMACAO_RESCISAO ");
}

void TRescisao::Limpar() {
  FVinculo.reset();
}

void TRescisao::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_TIPO_INSO_EMPRA = static_cast<quint8>(Campo(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger());
  NU_INSCRICAO = Campo(QStringLiteral("NU_INSCRICAO")).AsInt64();
  NU_PIS = Campo(QStringLiteral("NU_PIS")).AsInt64();
  NU_CATEGORIA = static_cast<qint8>(Campo(QStringLiteral("NU_CATEGORIA")).AsInteger());
  DT_ADMISSAO_VINCULO = Campo(QStringLiteral("DT_ADMISSAO_VINCULO")).AsDateTime();
  IC_TIPO_PNSO_ALMNA = Campo(QStringLiteral("IC_TIPO_PNSO_ALMNA")).AsString().trimmed();
  VR_PENSAO_ALMNA = Campo(QStringLiteral("VR_PENSAO_ALMNA")).AsFloat();
  DT_DISSIDIO = Campo(QStringLiteral("DT_DISSIDIO")).AsDateTime();
  VR_DISSIDIO = Campo(QStringLiteral("VR_DISSIDIO")).AsFloat();
  VR_REMUNERACAO_ANTERIOR_RSCSO = Campo(QStringLiteral("VR_REMUNERACAO_ANTERIOR_RSCSO")).AsFloat();
  VR_REMUNERACAO_RESCISAO = Campo(QStringLiteral("VR_REMUNERACAO_RESCISAO")).AsFloat();
  VR_AVISO_PREVIO = Campo(QStringLiteral("VR_AVISO_PREVIO")).AsFloat();
  VR_SALDO_RESCISORIO = Campo(QStringLiteral("VR_SALDO_RESCISORIO")).AsFloat();
  IC_ORIGEM_SALDO_RESCISORIO =
      Campo(QStringLiteral("IC_ORIGEM_SALDO_RESCISORIO")).AsString().trimmed();
  if (IC_ORIGEM_SALDO_RESCISORIO.isEmpty())
    IC_ORIGEM_SALDO_RESCISORIO = QStringLiteral("N");
  VR_JAM_SALDO_RESCISORIO = Campo(QStringLiteral("VR_JAM_SALDO_RESCISORIO")).AsFloat();
  VR_DEPOSITO_CMPLO_SALDO = Campo(QStringLiteral("VR_DEPOSITO_CMPLO_SALDO")).AsFloat();

  TDateTime *datas[] = {&DT_DEVIDA_ANTERIOR_RESCISAO, &DT_DEVIDA_RESCISAO, &DT_DEVIDA_AVISO_PREVIO,
                        &DT_DEVIDA_MULTA_RESCISORIA};
  double *valores[] = {&VR_DEPOSITO_ANTERIOR_RESCISAO,
                       &VR_JAM_ANTERIOR_RESCISAO,
                       &VR_MULTA_ANTERIOR_RESCISAO,
                       &VR_CNTRO_ANTERIOR_RESCISAO,
                       &VR_MULTA_CNTRO_ANTERIOR_RSCSO,
                       &VR_DEPOSITO_RESCISAO,
                       &VR_JAM_RESCISAO,
                       &VR_MULTA_RESCISAO,
                       &VR_CNTRO_RESCISAO,
                       &VR_MULTA_CNTRO_RESCISAO,
                       &VR_DEPOSITO_AVISO_PREVIO,
                       &VR_JAM_AVISO_PREVIO,
                       &VR_MULTA_AVISO_PREVIO,
                       &VR_CNTRO_AVISO_PREVIO,
                       &VR_MULTA_CNTRO_AVISO_PREVIO,
                       &VR_DEPOSITO_MULTA_RESCISORIA,
                       &VR_JAM_MULTA_RESCISORIA,
                       &VR_MULTA_MULTA_RESCISORIA,
                       &VR_CNTRO_MULTA_RESCISORIA,
                       &VR_MULTA_CNTRO_MULTA_RESCISORIA};
  // ColunasParcelas holds, per parcel, the due date followed by five amounts.
  int d = 0, v = 0;
  for (int i = 0; i < 24; ++i) {
    const QString nome = QString::fromLatin1(ColunasParcelas[i]);
    if (i % 6 == 0)
      *datas[d++] = Campo(nome).AsDateTime();
    else
      *valores[v++] = Campo(nome).AsFloat();
  }
}

TVinculo &TRescisao::Vinculo() {
  if (VinculoExterno)
    return *VinculoExterno;
  if (!FVinculo) {
    FVinculo = std::make_unique<TVinculo>();
    if (CarregarAssociados)
      FVinculo->CarregarPorChave(NU_TIPO_INSO_EMPRA, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_PIS,
                                 NU_INSCRICAO);
  }
  return *FVinculo;
}

void TRescisao::DefinirVinculo(TVinculo *Externo) {
  VinculoExterno = Externo;
  if (Externo)
    FVinculo.reset();
}

// ------------------------------------------------------------------- checks

bool TRescisao::ValidarDataDissidio() {
  CodigoErro.clear();
  // A value that is not a date, or one too early, is reported as such and
  // nothing is compared with it; the first failing comparison decides.
  const TResultadoData r = VerificarData(DT_DISSIDIO);
  TVinculo &v = Vinculo();
  if (r == rdAnterior1900)
    CodigoErro = QStringLiteral("0472");
  else if (r == rdNaoEhData)
    CodigoErro = QStringLiteral("0048");
  else if (DataInformada(DT_DISSIDIO)) {
    if (v.DT_ADMISSAO_VINCULO > DT_DISSIDIO)
      CodigoErro = QStringLiteral("0047");
    // The agreement must be later than the termination.
    else if (DataInformada(v.DT_MOVIMENTACAO_VINCULO) && v.DT_MOVIMENTACAO_VINCULO >= DT_DISSIDIO)
      CodigoErro = QStringLiteral("0409");
  }
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarValorDissidio() {
  CodigoErro.clear();
  const bool comData = DataInformada(DT_DISSIDIO);
  if (VR_DISSIDIO != 0 && !comData) {
    CodigoErro = QStringLiteral("0191");
    return false;
  }
  if (VR_DISSIDIO > 0 && Vinculo().CO_MOVIMENTACAO.trimmed().toUpper() == QLatin1String("I3")) {
    CodigoErro = QStringLiteral("0444");
    return false;
  }
  if (VR_DISSIDIO > 0 && IC_ORIGEM_SALDO_RESCISORIO != QLatin1String("N"))
    CodigoErro = QStringLiteral("0482");
  if (VR_DISSIDIO == 0 && comData)
    CodigoErro = QStringLiteral("0136");
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarTipoPensao() {
  CodigoErro.clear();
  const QString t = IC_TIPO_PNSO_ALMNA.trimmed().toUpper();
  if (t.isEmpty())
    CodigoErro = QStringLiteral("0081");
  else if (t != QLatin1String("N") && t != QLatin1String("P") && t != QLatin1String("V"))
    CodigoErro = QStringLiteral("0082");
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarPensaoPercentual() {
  CodigoErro.clear();
  const QString t = IC_TIPO_PNSO_ALMNA.trimmed().toUpper();
  if (t == QLatin1String("P") && !(VR_PENSAO_ALMNA > 0))
    CodigoErro = QStringLiteral("0183");
  else if (t == QLatin1String("N"))
    VR_PENSAO_ALMNA = 0;
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarPensaoPercentualLimite() {
  CodigoErro.clear();
  if (IC_TIPO_PNSO_ALMNA.trimmed().toUpper() == QLatin1String("P")) {
    if (!(VR_PENSAO_ALMNA > 0))
      CodigoErro = QStringLiteral("0183");
    else if (VR_PENSAO_ALMNA > 100)
      CodigoErro = QStringLiteral("0378");
  }
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarPensaoValor() {
  CodigoErro.clear();
  const QString t = IC_TIPO_PNSO_ALMNA.trimmed().toUpper();
  if (t == QLatin1String("V") && !(VR_PENSAO_ALMNA > 0))
    CodigoErro = QStringLiteral("0210");
  else if (t == QLatin1String("N"))
    VR_PENSAO_ALMNA = 0;
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarPensaoValorInformado() {
  CodigoErro.clear();
  if (IC_TIPO_PNSO_ALMNA.trimmed().toUpper() == QLatin1String("V") && !(VR_PENSAO_ALMNA > 0))
    CodigoErro = QStringLiteral("0210");
  return CodigoErro.isEmpty();
}

void TRescisao::TestarRemuneracaoMinima(double Valor, TDateTime Mes) {
  std::array<double, 2> r = {0, 0};
  try {
    ConsultarAliquota(true, r, Mes);
  } catch (const EBancoDados &) {
    return; // checks never raise; without a rate there is no minimum
  }
  if (Valor > 0 && Valor < r[0]) {
    if (r[1] == 2)
      CodigoErro = QStringLiteral("0447");
    else if (r[1] == 8)
      CodigoErro = QStringLiteral("0448");
  }
}

bool TRescisao::ValidarAvisoPrevioIndenizado() {
  CodigoErro.clear();
  TVinculo &v = Vinculo();
  const bool i3 = v.CO_MOVIMENTACAO.trimmed().toUpper() == QLatin1String("I3");
  if (VR_AVISO_PREVIO > 0 && v.NU_CATEGORIA == 5)
    CodigoErro = QStringLiteral("0513");
  else if (v.NU_CATEGORIA != 5 && v.IC_AVISO_PREVIO == 2 && !(VR_AVISO_PREVIO > 0))
    CodigoErro = QStringLiteral("0391");
  else if ((v.IC_AVISO_PREVIO == 1 || v.IC_AVISO_PREVIO == 3) && VR_AVISO_PREVIO > 0 && !i3)
    CodigoErro = QStringLiteral("0392");
  else if (VR_AVISO_PREVIO > 0 && i3)
    CodigoErro = QStringLiteral("0428");
  else
    TestarRemuneracaoMinima(VR_AVISO_PREVIO, v.DT_MOVIMENTACAO_VINCULO);
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarRemuneracaoAnterior() {
  CodigoErro.clear();
  TVinculo &v = Vinculo();
  if (VR_REMUNERACAO_ANTERIOR_RSCSO > 0 && DataInformada(DT_DISSIDIO))
    CodigoErro = QStringLiteral("0186");
  else if (VR_REMUNERACAO_ANTERIOR_RSCSO > 0 &&
           MesmoMes(v.DT_MOVIMENTACAO_VINCULO, v.DT_ADMISSAO_VINCULO))
    CodigoErro = QStringLiteral("0425");
  if (DataInformada(v.DT_MOVIMENTACAO_VINCULO))
    TestarRemuneracaoMinima(VR_REMUNERACAO_ANTERIOR_RSCSO,
                            Utilitarios.SomarMeses(v.DT_MOVIMENTACAO_VINCULO, -1));
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarRemuneracaoRescisao() {
  CodigoErro.clear();
  if (VR_REMUNERACAO_RESCISAO > 0 && DataInformada(DT_DISSIDIO)) {
    CodigoErro = QStringLiteral("0187");
    return false;
  }
  TestarRemuneracaoMinima(VR_REMUNERACAO_RESCISAO, Vinculo().DT_MOVIMENTACAO_VINCULO);
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarValorARecolher() {
  CodigoErro.clear();
  if (Vinculo().CO_MOVIMENTACAO.trimmed().toUpper() != QLatin1String("I3") &&
      VR_REMUNERACAO_ANTERIOR_RSCSO + VR_REMUNERACAO_RESCISAO + VR_AVISO_PREVIO +
              VR_SALDO_RESCISORIO + VR_DISSIDIO + VR_DEPOSITO_CMPLO_SALDO ==
          0)
    CodigoErro = QStringLiteral("0225");
  return CodigoErro.isEmpty();
}

bool TRescisao::ValidarValoresSemRemuneracao(bool Arquivo) {
  CodigoErro.clear();
  if (Vinculo().CO_MOVIMENTACAO.trimmed().toUpper() == QLatin1String("I3") &&
      VR_REMUNERACAO_ANTERIOR_RSCSO + VR_REMUNERACAO_RESCISAO + VR_AVISO_PREVIO == 0)
    CodigoErro = Arquivo ? QStringLiteral("0455") : QStringLiteral("0225");
  return CodigoErro.isEmpty();
}

// -------------------------------------------------------------- load, clear

void TRescisao::CarregarMarcados(QHash<TChaveVinculo, int> &Linhas) {
  CarregarDosVinculos(QStringLiteral("VINC.IC_ESTADO_MOVIMENTO = 1"), Linhas);
}

void TRescisao::CarregarDosVinculos(const QString &condicaoVinculo,
                                    QHash<TChaveVinculo, int> &Linhas) {
  AbrirDataSet(
      SqlSelect + SqlFrom +
      QStringLiteral(" WHERE EXISTS (SELECT 1 FROM QZLTBG04_VINCULO_EMPREGATICIO VINC WHERE (") +
      condicaoVinculo + QStringLiteral(") AND ") +
      JuncaoVinculo(QStringLiteral("VINC"), QStringLiteral("QZLTBG06_INFORMACAO_RESCISAO")) + u')');
  Linhas.clear();
  TDataSet &ds = *ObterDataSet();
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    Linhas.insert(TChaveVinculo{ds.FieldByName(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger(),
                                ds.FieldByName(QStringLiteral("NU_INSCRICAO")).AsInt64(),
                                ds.FieldByName(QStringLiteral("NU_PIS")).AsInt64(),
                                ds.FieldByName(QStringLiteral("NU_CATEGORIA")).AsInteger(),
                                ds.FieldByName(QStringLiteral("DT_ADMISSAO_VINCULO")).AsDateTime()},
                  i);
  }
}

bool TRescisao::CarregarPorChave(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                 qint64 Inscricao) {
  CodigoErro.clear();
  try {
    AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral(" WHERE ") +
                 CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao));
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  if (!DataSet->IsEmpty()) {
    Primeiro();
  } else {
    // No row yet: empty values, but the key stays so that the link can be
    // reached from here.
    Limpar();
    Inicializar();
    NU_TIPO_INSO_EMPRA = static_cast<quint8>(Tipo);
    NU_INSCRICAO = Inscricao;
    NU_PIS = PIS;
    NU_CATEGORIA = static_cast<qint8>(Categoria);
    DT_ADMISSAO_VINCULO = DtAdmissao;
  }
  return true;
}

void TRescisao::ConsultarAliquota(bool UsarRemuneracaoMinima, std::array<double, 2> &Resultado,
                                  TDateTime Mes) {
  if (!(Mes > 0))
    return;
  TTabelaAliquotas lida;
  const TTabelaAliquotas *tabela = Aliquotas;
  if (!tabela) {
    lida.Carregar(Ibx);
    tabela = &lida;
  }
  const TAliquotaDeposito *a = tabela->Vigente(NU_CATEGORIA, Mes);
  if (!a)
    return;
  Resultado[0] = UsarRemuneracaoMinima ? a->VR_REMUNERACAO_MINIMA : a->VR_SALDO_RESCISORIO_MINIMO;
  Resultado[1] = a->PC_ALIQUOTA;
}

bool TRescisao::LimparCalculos(int Tipo, qint64 Inscricao, TDateTime DtAdmissao, int Categoria,
                               qint64 PIS) {
  CodigoErro.clear();
  QStringList sets;
  for (const char *c : ColunasParcelas)
    sets << QString::fromLatin1(c) + QStringLiteral(" = NULL");
  sets << QStringLiteral("VR_JAM_SALDO_RESCISORIO = NULL");

  QString filtro;
  if (Tipo >= 0 && Inscricao >= 0)
    filtro += QStringLiteral(" AND VINC.NU_TIPO_INSO_EMPRA = %1 AND VINC.NU_INSCRICAO = %2")
                  .arg(Tipo)
                  .arg(Inscricao);
  if (PIS >= 0)
    filtro += QStringLiteral(" AND VINC.NU_PIS = %1 AND VINC.NU_CATEGORIA = %2 AND "
                             "VINC.DT_ADMISSAO_VINCULO = %3")
                  .arg(PIS)
                  .arg(Categoria)
                  .arg(Utilitarios.DataSQL(DtAdmissao));

  const QString sql = QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET ") +
                      sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
                      ChaveConcatenada(QString()) + QStringLiteral(" IN (SELECT ") +
                      ChaveConcatenada(QStringLiteral("VINC.")) +
                      QStringLiteral(" FROM QZLTBG04_VINCULO_EMPREGATICIO VINC WHERE "
                                     "VINC.IC_ESTADO_MOVIMENTO IN (2, 3)") +
                      filtro + QStringLiteral(")");
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
  return true;
}

// ------------------------------------------------------------------- saving

bool TRescisao::Incluir() {
  CodigoErro.clear();
  const QString sql =
      QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                     "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_DISSIDIO, VR_DISSIDIO, "
                     "VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, "
                     "IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, IC_ORIGEM_SALDO_RESCISORIO, "
                     "VR_SALDO_RESCISORIO) VALUES (") +
      QStringList{QString::number(NU_TIPO_INSO_EMPRA),
                  QString::number(NU_INSCRICAO),
                  QString::number(NU_PIS),
                  QString::number(NU_CATEGORIA),
                  Utilitarios.DataSQL(DT_ADMISSAO_VINCULO),
                  Utilitarios.DataSQL(DT_DISSIDIO),
                  Utilitarios.ValorSQL(VR_DISSIDIO),
                  Utilitarios.ValorSQL(VR_REMUNERACAO_ANTERIOR_RSCSO),
                  Utilitarios.ValorSQL(VR_REMUNERACAO_RESCISAO),
                  Utilitarios.ValorSQL(VR_AVISO_PREVIO),
                  Utilitarios.TextoSQL(IC_TIPO_PNSO_ALMNA),
                  Utilitarios.ValorSQL(VR_PENSAO_ALMNA),
                  Utilitarios.TextoSQL(IC_ORIGEM_SALDO_RESCISORIO),
                  Utilitarios.ValorSQL(VR_SALDO_RESCISORIO)}
          .join(QStringLiteral(", ")) +
      QStringLiteral(")");
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  return true;
}

bool TRescisao::Alterar() {
  CodigoErro.clear();
  const QString sql =
      QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET DT_DISSIDIO = %1, VR_DISSIDIO = %2, "
                     "VR_REMUNERACAO_ANTERIOR_RSCSO = %3, VR_REMUNERACAO_RESCISAO = %4, "
                     "VR_AVISO_PREVIO = %5, VR_SALDO_RESCISORIO = %6, "
                     "IC_ORIGEM_SALDO_RESCISORIO = %7, IC_TIPO_PNSO_ALMNA = %8, "
                     "VR_PENSAO_ALMNA = %9 WHERE ")
          .arg(Utilitarios.DataSQL(DT_DISSIDIO), Utilitarios.ValorSQL(VR_DISSIDIO),
               Utilitarios.ValorSQL(VR_REMUNERACAO_ANTERIOR_RSCSO),
               Utilitarios.ValorSQL(VR_REMUNERACAO_RESCISAO), Utilitarios.ValorSQL(VR_AVISO_PREVIO),
               Utilitarios.ValorSQL(VR_SALDO_RESCISORIO),
               Utilitarios.TextoSQL(IC_ORIGEM_SALDO_RESCISORIO),
               Utilitarios.TextoSQL(IC_TIPO_PNSO_ALMNA), Utilitarios.ValorSQL(VR_PENSAO_ALMNA)) +
      CondicaoVinculo(NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO);
  try {
    Ibx->ExecutarSQL(sql);
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
  return true;
}
