#include "unTrabalhador.h"

#include "UnRescisao.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "unChaveVinculo.h"
#include "unEmpresa.h"
#include "unEstabelecimento.h"
#include "unVinculo.h"

TListaConsignacoes ListaConsignacoes = ListaConsignacoesVazia();

TListaConsignacoes ListaConsignacoesVazia() {
  return {QStringList{QStringLiteral("Instituição"), QStringLiteral("Contrato"),
                      QStringLiteral("Data")},
          QStringList{QString(), QString(), QString()}};
}

namespace {
using U = TUtilitarios;

// Tables that hold a link's data, in the order they are emptied before the
// link itself.
const char *const TabelasDoVinculo[] = {
    "QZLTBG10_CONTA_EMPREGADO_ZELT", "QZLTBG07_COMPLEMENTO_SALDO", "QZLTBG06_INFORMACAO_RESCISAO",
    "QZLTBG05_ALTERACAO_CADASTRAL",  "QZLTBG22_EMPREGADO_CNSGTRA", "QZLTBG30_REPOSICAO_VAGA",
    "QZLTBG04_VINCULO_EMPREGATICIO"};

QString TextoCampo(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : f.AsVariant().toString();
}

qint64 Int64Campo(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? 0 : f.AsInt64();
}

TDateTime DataCampo(const TNegocio &n, const char *coluna) {
  return n.Campo(QString::fromLatin1(coluna)).AsDateTime();
}

// Number kept as text written with n digits ("" stays "").
QString ComDigitos(qint64 valor, int n) {
  return U::CompletarZeros(QString::number(valor), n);
}

bool UmCaractereRepetido(const QString &t) {
  return !t.isEmpty() && U::CaracteresIguais(t);
}

// The FROM of a worker with its links, joined on the given expression of the
// worker's PIS.
QString DeTrabalhadorEVinculo(const QString &pisDoTrabalhador) {
  return QStringLiteral(" FROM QZLTBG03_EMPREGADO EMPREGADO JOIN QZLTBG04_VINCULO_EMPREGATICIO "
                        "VINCULO ON VINCULO.NU_PIS = ") +
         pisDoTrabalhador + QStringLiteral(" LEFT JOIN QZLTBG30_REPOSICAO_VAGA EMP_REPO ON ") +
         JuncaoVinculo(QStringLiteral("VINCULO"), QStringLiteral("EMP_REPO")) + u' ';
}
} // namespace

TTrabalhador::TTrabalhador() {
  TTrabalhador::Inicializar();
}

TTrabalhador::~TTrabalhador() = default;

TVinculo &TTrabalhador::Vinculo() {
  if (!FVinculo) {
    FVinculo = std::make_unique<TVinculo>();
    FVinculo->CarregarAssociados = CarregarAssociados;
    // The link's worker is this object, not a second copy read from the database.
    FVinculo->DefinirTrabalhador(this);
  }
  return *FVinculo;
}

void TTrabalhador::Inicializar() {
  CodigoErro.clear();
  NU_PIS.clear();
  NU_GRAU_INSTRUCAO.clear();
  NO_EMPREGADO.clear();
  NU_CTPS.clear();
  NU_SERIE_CTPS.clear();
  IC_SEXO = 0;
  DT_NASCIMENTO = NullDate;
  NU_INSCRICAO_CPF.clear();
  NU_DDD_CELULAR = 0;
  NU_TEL_CELULAR = 0;
  SqlSelect = QStringLiteral(
      "SELECT EMPREGADO.NU_PIS AS PIS_EMPREGADO, EMPREGADO.NU_GRAU_INSTRUCAO AS "
      "GRAU_INSTRUCAO_EMPREGADO, EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_CTPS AS NU_CTPS_EMPREGADO, "
      "EMPREGADO.NU_SERIE_CTPS AS NU_SERIE_CTPS_EMPREGADO, EMPREGADO.IC_SEXO AS IC_SEXO_EMPREGADO, "
      "EMPREGADO.DT_NASCIMENTO AS DT_NASCIMENTO_EMPREGADO, EMPREGADO.NU_INSCRICAO_CPF AS "
      "NU_INSCRICAO_CPF_EMPREGADO, EMPREGADO.NU_DDD_CELULAR, EMPREGADO.NU_TEL_CELULAR, "
      "VINCULO.NU_TIPO_INSO_EMPRA AS TP_INSCRICAO, VINCULO.NU_INSCRICAO, VINCULO.NU_CATEGORIA AS "
      "CATEGORIA, VINCULO.DT_ADMISSAO_VINCULO AS DT_ADMISSAO, VINCULO.CO_MOVIMENTACAO AS "
      "CO_MOVIMENTACAO_VINCULO, VINCULO.CO_CBO AS CO_CBO_VINCULO, VINCULO.CO_SAQUE AS "
      "CO_SAQUE_VINCULO, VINCULO.DT_OPCAO AS DT_OPCAO_VINCULO, VINCULO.NU_TIPO_INSO_TMDR AS "
      "NU_TIPO_INSO_TMDR_VINCULO, VINCULO.NU_INSCRICAO_TMDR AS NU_INSCRICAO_TMDR_VINCULO, "
      "VINCULO.IC_AVISO_PREVIO AS IC_AVISO_PREVIO_VINCULO, VINCULO.DT_INICIO_AVISO_PRVO AS "
      "DT_INCO_AVISO_PRVO_VINCULO, VINCULO.IC_REPOSICAO_VAGAS AS IC_REPOSICAO_VAGAS_VINCULO, "
      "VINCULO.QT_HORAS_TRBS_SMNA AS QT_HORAS_TRBS_SMNA_VINCULO, VINCULO.IC_ESTADO_MOVIMENTO AS "
      "IC_ESTADO_MOVIMENTO_VINCULO, VINCULO.DT_MOVIMENTACAO_VINCULO, VINCULO.NU_BANCO_CONTA AS "
      "NU_BANCO_CONTA_EMPREGADO, VINCULO.NU_AGENCIA_CONTA AS NU_AGENCIA_CONTA_EMPREGADO, "
      "VINCULO.NU_CONTA_BANCARIA AS NU_CONTA_BANCARIA_EMPREGADO, VINCULO.IC_CONSIGNADO AS "
      "IC_CONSIGNADO_VINCULO, EMP_REPO.IC_VAGA_PNE AS IC_VAGA_PNE_CONSIG, "
      "EMP_REPO.CO_CBO_REPOSICAO AS CO_CBO_REPOSICAO_CONSIG, EMP_REPO.IC_APP_EN_VORDA AS "
      "IC_APP_EN_VORDA_CONSIG, EMP_REPO.NU_DDD_TEL_RCTDOR AS NU_DDD_TEL_RCTDOR_CONSIG, "
      "EMP_REPO.NU_TEL_RCTDOR AS NU_TEL_RCTDOR_CONSIG, EMP_REPO.END_EMAIL AS END_EMAIL_CONSIG");
  SqlFrom = DeTrabalhadorEVinculo(QStringLiteral("EMPREGADO.NU_PIS"));
}

void TTrabalhador::Limpar() {
  FVinculo.reset();
}

void TTrabalhador::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_PIS = ComDigitos(Int64Campo(*this, "PIS_EMPREGADO"), 11);
  NU_GRAU_INSTRUCAO = TextoCampo(*this, "GRAU_INSTRUCAO_EMPREGADO");
  NO_EMPREGADO = TextoCampo(*this, "NO_EMPREGADO");
  NU_CTPS = TextoCampo(*this, "NU_CTPS_EMPREGADO");
  NU_SERIE_CTPS = TextoCampo(*this, "NU_SERIE_CTPS_EMPREGADO");
  IC_SEXO = Campo(QStringLiteral("IC_SEXO_EMPREGADO")).AsInteger();
  DT_NASCIMENTO = DataCampo(*this, "DT_NASCIMENTO_EMPREGADO");
  NU_INSCRICAO_CPF = ComDigitos(Int64Campo(*this, "NU_INSCRICAO_CPF_EMPREGADO"), 11);
  if (NU_INSCRICAO_CPF == QLatin1String("00000000000"))
    NU_INSCRICAO_CPF.clear();
  NU_DDD_CELULAR = Campo(QStringLiteral("NU_DDD_CELULAR")).AsInteger();
  NU_TEL_CELULAR = Campo(QStringLiteral("NU_TEL_CELULAR")).AsInteger();

  TVinculo &v = Vinculo();
  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(Campo(QStringLiteral("TP_INSCRICAO")).AsInteger());
  v.NU_INSCRICAO = Int64Campo(*this, "NU_INSCRICAO");
  v.NU_PIS = Int64Campo(*this, "PIS_EMPREGADO");
  v.NU_CATEGORIA = static_cast<qint8>(Campo(QStringLiteral("CATEGORIA")).AsInteger());
  v.DT_ADMISSAO_VINCULO = DataCampo(*this, "DT_ADMISSAO");
  v.CO_MOVIMENTACAO = TextoCampo(*this, "CO_MOVIMENTACAO_VINCULO").trimmed();
  v.CO_CBO = TextoCampo(*this, "CO_CBO_VINCULO");
  v.CO_SAQUE = TextoCampo(*this, "CO_SAQUE_VINCULO").trimmed();
  v.DT_OPCAO = DataCampo(*this, "DT_OPCAO_VINCULO");
  v.NU_TIPO_INSO_TMDR =
      static_cast<quint8>(Campo(QStringLiteral("NU_TIPO_INSO_TMDR_VINCULO")).AsInteger());
  v.NU_INSCRICAO_TMDR = Int64Campo(*this, "NU_INSCRICAO_TMDR_VINCULO");
  v.IC_AVISO_PREVIO =
      static_cast<quint8>(Campo(QStringLiteral("IC_AVISO_PREVIO_VINCULO")).AsInteger());
  v.DT_INICIO_AVISO_PRVO = DataCampo(*this, "DT_INCO_AVISO_PRVO_VINCULO");
  v.IC_REPOSICAO_VAGAS = TextoCampo(*this, "IC_REPOSICAO_VAGAS_VINCULO").trimmed();
  v.QT_HORAS_TRBS_SMNA = Campo(QStringLiteral("QT_HORAS_TRBS_SMNA_VINCULO")).AsInteger();
  v.IC_ESTADO_MOVIMENTO =
      static_cast<quint8>(Campo(QStringLiteral("IC_ESTADO_MOVIMENTO_VINCULO")).AsInteger());
  v.DT_MOVIMENTACAO_VINCULO = DataCampo(*this, "DT_MOVIMENTACAO_VINCULO");
  const qint64 banco = Int64Campo(*this, "NU_BANCO_CONTA_EMPREGADO");
  v.NU_BANCO_CONTA = banco == 0 ? QString() : ComDigitos(banco, 3);
  v.NU_AGENCIA_CONTA = TextoCampo(*this, "NU_AGENCIA_CONTA_EMPREGADO");
  v.NU_CONTA_BANCARIA = TextoCampo(*this, "NU_CONTA_BANCARIA_EMPREGADO");
  v.IC_CONSIGNADO = TextoCampo(*this, "IC_CONSIGNADO_VINCULO").trimmed();
  v.IC_VAGA_PNE = TextoCampo(*this, "IC_VAGA_PNE_CONSIG").trimmed();
  v.CO_CBO_REPOSICAO = TextoCampo(*this, "CO_CBO_REPOSICAO_CONSIG").trimmed();
  v.IC_APP_EN_VORDA = TextoCampo(*this, "IC_APP_EN_VORDA_CONSIG").trimmed();
  v.NU_DDD_TEL_RCTDOR = Campo(QStringLiteral("NU_DDD_TEL_RCTDOR_CONSIG")).AsInteger();
  v.NU_TEL_RCTDOR = Campo(QStringLiteral("NU_TEL_RCTDOR_CONSIG")).AsInteger();
  v.END_EMAIL = TextoCampo(*this, "END_EMAIL_CONSIG").trimmed();

  if (CarregarAssociados) {
    TEmpresa &empresa = v.Empresa();
    if (empresa.ObterDataSet() && empresa.QuantidadeRegistros() > 0)
      empresa.Localizar(QStringLiteral("NU_INSCRICAO"), QString::number(v.NU_INSCRICAO));
  }
  AplicarUsoCTPS();
}

// ------------------------------------------------------------------ checks --

bool TTrabalhador::ValidarPIS() {
  CodigoErro.clear();
  const QString &p = NU_PIS;
  bool invalido = p.size() != 11 || U::CaracteresIguais(p) || !U::SomenteNumeros(p) ||
                  p == QLatin1String("19999999991") || p == QLatin1String("12345678900");
  if (!invalido) {
    const qint64 base = p.left(10).toLongLong();
    invalido = base < 1000000001LL || base > 2999999999LL;
  }
  if (!invalido) {
    static const int pesos[] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i)
      soma += p.at(i).digitValue() * pesos[i];
    const int r = soma % 11;
    const int digito = r < 2 ? 0 : 11 - r;
    invalido = digito != p.at(10).digitValue();
  }
  if (invalido)
    CodigoErro = QStringLiteral("0109");
  return !invalido;
}

bool TTrabalhador::ValidarCPF() {
  CodigoErro.clear();
  if (NU_INSCRICAO_CPF.trimmed().isEmpty())
    return true;
  if (!U::CPFValido(NU_INSCRICAO_CPF)) {
    CodigoErro = QStringLiteral("0038");
    return false;
  }
  return true;
}

bool TTrabalhador::ValidarNome() {
  CodigoErro.clear();
  if (!U::NomeValido(NO_EMPREGADO)) {
    CodigoErro = QStringLiteral("0093");
    return false;
  }
  NO_EMPREGADO = NO_EMPREGADO.trimmed();
  for (const QChar c : NO_EMPREGADO)
    if (c.isDigit()) {
      CodigoErro = QStringLiteral("0093");
      return false;
    }
  return true;
}

bool TTrabalhador::ValidarGrauInstrucao() {
  CodigoErro.clear();
  const QString grau = NU_GRAU_INSTRUCAO.trimmed();
  if (grau.isEmpty()) {
    CodigoErro = QStringLiteral("0071");
    return false;
  }
  if (!U::SomenteNumeros(grau) ||
      Ibx->AbrirConsulta(
             QStringLiteral("SELECT NU_GRAU_INSTRUCAO FROM QZLTBT09_TIPO_GRAU_INSTRUCAO "
                            "WHERE NU_GRAU_INSTRUCAO = ") +
             NumeroSQL(grau))
          ->IsEmpty()) {
    CodigoErro = QStringLiteral("0072");
    return false;
  }
  return true;
}

bool TTrabalhador::ValidarSexo() {
  CodigoErro.clear();
  if (IC_SEXO == 0)
    CodigoErro = QStringLiteral("0121");
  else if (IC_SEXO != 1 && IC_SEXO != 2)
    CodigoErro = QStringLiteral("0122");
  return CodigoErro.isEmpty();
}

bool TTrabalhador::ValidarDataNascimento() {
  CodigoErro.clear();
  if (DT_NASCIMENTO == NullDate) {
    CodigoErro = QStringLiteral("0329");
    return false;
  }
  const TResultadoData r = VerificarData(DT_NASCIMENTO);
  if (r == rdNaoEhData)
    CodigoErro = QStringLiteral("0055");
  else if (r == rdAnterior1900)
    CodigoErro = QStringLiteral("0053");
  return CodigoErro.isEmpty();
}

bool TTrabalhador::ValidarCTPS(bool ExigirNaoZero) {
  CodigoErro.clear();
  const int categoria = Vinculo().NU_CATEGORIA;
  const QString ctps = NU_CTPS.trimmed();
  if (ctps.isEmpty()) {
    if (categoria != 5)
      CodigoErro = QStringLiteral("0098");
    return CodigoErro.isEmpty();
  }
  if (!U::SomenteNumeros(ctps) || UmCaractereRepetido(ctps))
    CodigoErro = QStringLiteral("0099");
  else if (categoria == 5) // category 5 has no booklet
    CodigoErro = QStringLiteral("0100");
  else if (ExigirNaoZero && U::ParaInteiro64(ctps) == 0)
    CodigoErro = QStringLiteral("0098");
  return CodigoErro.isEmpty();
}

bool TTrabalhador::ValidarSerieCTPS(bool ExigirNaoZero) {
  CodigoErro.clear();
  const QString serie = NU_SERIE_CTPS.trimmed();
  if (Vinculo().NU_CATEGORIA == 5) {
    if (!serie.isEmpty())
      CodigoErro = QStringLiteral("0120");
    return CodigoErro.isEmpty();
  }
  if (serie.isEmpty() ||
      (ExigirNaoZero && U::SomenteNumeros(serie) && U::ParaInteiro64(serie) == 0))
    CodigoErro = QStringLiteral("0118");
  else if (!U::SomenteNumeros(serie) || UmCaractereRepetido(serie))
    CodigoErro = QStringLiteral("0119");
  return CodigoErro.isEmpty();
}

bool TTrabalhador::ValidarCelular() {
  CodigoErro.clear();
  const bool invalido = NU_DDD_CELULAR < 0 || NU_TEL_CELULAR < 0 ||
                        (NU_DDD_CELULAR > 0 && QString::number(NU_TEL_CELULAR).size() < 8) ||
                        (NU_TEL_CELULAR > 0 && QString::number(NU_DDD_CELULAR).size() < 2);
  if (invalido)
    CodigoErro = QStringLiteral("0502");
  return !invalido;
}

bool TTrabalhador::VinculoJaCadastrado() {
  const TVinculo &v = Vinculo();
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT VINCULO.NU_PIS FROM QZLTBG03_EMPREGADO EMPREGADO JOIN "
                     "QZLTBG04_VINCULO_EMPREGATICIO VINCULO ON VINCULO.NU_PIS = EMPREGADO.NU_PIS "
                     "WHERE ") +
      CondicaoVinculo(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, PisNumero(), v.NU_CATEGORIA,
                      v.DT_ADMISSAO_VINCULO, QStringLiteral("VINCULO")));
  if (ds->IsEmpty())
    return false;
  CodigoErro = QStringLiteral("0208");
  return true;
}

void TTrabalhador::AplicarUsoCTPS() {
  const int categoria = Vinculo().NU_CATEGORIA;
  // Walking a long list loads one row after another: each category is read once.
  auto it = CategoriaSemCTPS.constFind(categoria);
  if (it == CategoriaSemCTPS.constEnd()) {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT IC_CTPS FROM QZLTBT04_CATEGORIA_EMPREGADO WHERE NU_CATEGORIA = ") +
        QString::number(categoria));
    it = CategoriaSemCTPS.insert(
        categoria,
        !ds->IsEmpty() &&
            ds->FieldByName(QStringLiteral("IC_CTPS")).AsString().trimmed() == QLatin1String("N"));
  }
  if (it.value()) {
    NU_CTPS.clear();
    NU_SERIE_CTPS.clear();
  }
}

// ----------------------------------------------------------------- loading --

qint64 TTrabalhador::PisNumero() const {
  return U::ParaInteiro64(NU_PIS);
}

void TTrabalhador::CarregarSQL(const QString &condicao, const QString &ordem) {
  AbrirDataSet(SqlSelect + SqlFrom + condicao + ordem);
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

bool TTrabalhador::CarregarPorVinculo(int Tipo, const QString &Inscricao, TDateTime DtAdmissao,
                                      int Categoria, const QString &PIS) {
  CodigoErro.clear();
  try {
    CarregarSQL(QStringLiteral("WHERE ") + CondicaoVinculo(Tipo, U::ParaInteiro64(Inscricao),
                                                           U::ParaInteiro64(PIS), Categoria,
                                                           DtAdmissao, QStringLiteral("VINCULO")),
                QStringLiteral(" ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS"));
    return QuantidadeRegistros() > 0;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

bool TTrabalhador::CarregarMarcados(QHash<TChaveVinculo, int> &Linhas) {
  CodigoErro.clear();
  Linhas.clear();
  try {
    CarregarSQL(QStringLiteral("WHERE VINCULO.IC_ESTADO_MOVIMENTO = 1"), QString());
    TDataSet &ds = *ObterDataSet();
    for (int i = 0; i < ds.RecordCount(); ++i) {
      ds.MoverPara(i);
      Linhas.insert(TChaveVinculo{ds.FieldByName(QStringLiteral("TP_INSCRICAO")).AsInteger(),
                                  ds.FieldByName(QStringLiteral("NU_INSCRICAO")).AsInt64(),
                                  ds.FieldByName(QStringLiteral("PIS_EMPREGADO")).AsInt64(),
                                  ds.FieldByName(QStringLiteral("CATEGORIA")).AsInteger(),
                                  ds.FieldByName(QStringLiteral("DT_ADMISSAO")).AsDateTime()},
                    i);
    }
    return QuantidadeRegistros() > 0;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

bool TTrabalhador::CarregarPorPIS(const QString &PIS) {
  CodigoErro.clear();
  try {
    CarregarSQL(QStringLiteral("WHERE EMPREGADO.NU_PIS = ") +
                    QString::number(U::ParaInteiro64(PIS)),
                QString());
    return QuantidadeRegistros() > 0;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

void TTrabalhador::CarregarTodos() {
  CarregarSQL(QString(), QString());
}

void TTrabalhador::PesquisarPorNome(const QString &Parte) {
  // A part of a name is found only by reading every worker; the engine would
  // rather walk every link and fetch its worker by PIS, five times the reads.
  // "+ 0" hides the worker's PIS index from the join, so the workers are read
  // once, filtered, and their links reached through the links' PIS index.
  AbrirDataSet(SqlSelect + DeTrabalhadorEVinculo(QStringLiteral("EMPREGADO.NU_PIS + 0")) +
               QStringLiteral("WHERE EMPREGADO.NO_EMPREGADO LIKE ") +
               U::TextoSQL(u'%' + Parte + u'%') +
               QStringLiteral(" ORDER BY EMPREGADO.NO_EMPREGADO, EMPREGADO.NU_PIS, "
                              "VINCULO.NU_TIPO_INSO_EMPRA, VINCULO.NU_INSCRICAO, "
                              "VINCULO.DT_ADMISSAO_VINCULO, VINCULO.NU_CATEGORIA"));
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

void TTrabalhador::CarregarComRescisao(const QString &Tipo, const QString &Inscricao) {
  AbrirDataSet(SqlSelect + QStringLiteral(", EMP.NO_RAZAO_SOCIAL") + SqlFrom +
               QStringLiteral("JOIN QZLTBG06_INFORMACAO_RESCISAO RESC ON ") +
               JuncaoVinculo(QStringLiteral("VINCULO"), QStringLiteral("RESC")) +
               QStringLiteral(" JOIN QZLTBG02_EMPRESA EMP ON EMP.NU_TIPO_INSO_EMPRA = "
                              "VINCULO.NU_TIPO_INSO_EMPRA AND EMP.NU_INSCRICAO = "
                              "VINCULO.NU_INSCRICAO WHERE VINCULO.NU_TIPO_INSO_EMPRA = ") +
               QString::number(U::ParaInteiro(Tipo)) +
               QStringLiteral(" AND VINCULO.NU_INSCRICAO = ") +
               QString::number(U::ParaInteiro64(Inscricao)) +
               QStringLiteral(" ORDER BY EMPREGADO.NO_EMPREGADO"));
  if (QuantidadeRegistros() > 0)
    Primeiro();
}

void TTrabalhador::NomeDoPIS(const QString &PIS, QString &Nome) {
  Nome.clear();
  TDataSet &ds = DataSetValido();
  const qint64 procurado = U::ParaInteiro64(PIS);
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    const TField f = ds.FieldByName(QStringLiteral("PIS_EMPREGADO"));
    if (f.AsVariant().toString() == PIS || (procurado > 0 && f.AsInt64() == procurado)) {
      Nome = ds.FieldByName(QStringLiteral("NO_EMPREGADO")).AsString();
      return;
    }
  }
}

TDataSetPtr TTrabalhador::ConsultarConsignacoes(int Tipo, const QString &Inscricao,
                                                TDateTime DtAdmissao, int Categoria,
                                                const QString &PIS) {
  return Ibx->AbrirConsulta(
      QStringLiteral("SELECT CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, DT_NU_CONTRATO FROM "
                     "QZLTBG22_EMPREGADO_CNSGTRA WHERE ") +
      CondicaoVinculo(Tipo, U::ParaInteiro64(Inscricao), U::ParaInteiro64(PIS), Categoria,
                      DtAdmissao) +
      QStringLiteral(" ORDER BY CO_INSTITUICAO_CNSGTRA, NU_CONTRATO"));
}

// ------------------------------------------------------------------ saving --

QString TTrabalhador::CondicaoVinculoAtual() const {
  const TVinculo &v = *FVinculo;
  return CondicaoVinculo(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, PisNumero(), v.NU_CATEGORIA,
                         v.DT_ADMISSAO_VINCULO);
}

void TTrabalhador::GravarTrabalhador(bool Novo) {
  if (Novo) {
    Ibx->ExecutarSQL(
        QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, "
                       "NU_CTPS, NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF, "
                       "NU_DDD_CELULAR, NU_TEL_CELULAR) VALUES (") +
        QString::number(PisNumero()) + u',' + NumeroSQL(NU_GRAU_INSTRUCAO) + u',' +
        U::TextoSQL(NO_EMPREGADO) + u',' + NumeroSQL(NU_CTPS) + u',' + NumeroSQL(NU_SERIE_CTPS) +
        u',' + QString::number(IC_SEXO) + u',' + U::DataSQL(DT_NASCIMENTO) + u',' +
        NumeroSQL(NU_INSCRICAO_CPF) + u',' + U::InteiroSQL(NU_DDD_CELULAR) + u',' +
        U::InteiroSQL(NU_TEL_CELULAR) + u')');
    return;
  }
  QString sql = QStringLiteral("UPDATE QZLTBG03_EMPREGADO SET NU_GRAU_INSTRUCAO = ") +
                NumeroSQL(NU_GRAU_INSTRUCAO) + QStringLiteral(", NO_EMPREGADO = ") +
                U::TextoSQL(NO_EMPREGADO) + QStringLiteral(", IC_SEXO = ") +
                QString::number(IC_SEXO) + QStringLiteral(", DT_NASCIMENTO = ") +
                U::DataSQL(DT_NASCIMENTO) + QStringLiteral(", NU_INSCRICAO_CPF = ") +
                NumeroSQL(NU_INSCRICAO_CPF) + QStringLiteral(", NU_DDD_CELULAR = ") +
                U::InteiroSQL(NU_DDD_CELULAR) + QStringLiteral(", NU_TEL_CELULAR = ") +
                U::InteiroSQL(NU_TEL_CELULAR);
  // A category-5 link carries no booklet: the stored one (of another link of
  // the same worker) is kept.
  if (Vinculo().NU_CATEGORIA != 5)
    sql += QStringLiteral(", NU_CTPS = ") + NumeroSQL(NU_CTPS) +
           QStringLiteral(", NU_SERIE_CTPS = ") + NumeroSQL(NU_SERIE_CTPS);
  Ibx->ExecutarSQL(sql + QStringLiteral(" WHERE NU_PIS = ") + QString::number(PisNumero()));
}

void TTrabalhador::GravarVinculo(bool Novo, bool LimparDependentes) {
  TVinculo &v = Vinculo();
  v.NU_PIS = PisNumero();
  if (v.IC_CONSIGNADO.trimmed().isEmpty())
    v.IC_CONSIGNADO = QStringLiteral("N");
  // The link row always stores "N": whether there is a replacement is told by
  // the QZLTBG30 row, which this object's own flag decides.
  const QString reposicao = v.IC_REPOSICAO_VAGAS;
  if (!(Novo ? v.Incluir() : v.Alterar()))
    throw EBancoDados(QStringLiteral("Vínculo não gravado."));
  v.IC_REPOSICAO_VAGAS = reposicao;
  if (v.IC_CONSIGNADO.trimmed().toUpper() == QLatin1String("S"))
    GravarConsignacoes();
  else if (LimparDependentes)
    ExcluirConsignacoes();
  if (reposicao.trimmed().toUpper() == QLatin1String("S"))
    GravarReposicaoVaga();
  else if (LimparDependentes)
    ExcluirReposicaoVaga();
  TRescisao &r = v.Rescisao();
  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  if (!(Novo ? r.Incluir() : r.Alterar()))
    throw EBancoDados(QStringLiteral("Informação de rescisão não gravada."));
}

bool TTrabalhador::Incluir() {
  return IncluirNovo(nullptr);
}

bool TTrabalhador::Incluir(const TSituacaoGravada &Situacao) {
  return IncluirNovo(&Situacao);
}

bool TTrabalhador::IncluirNovo(const TSituacaoGravada *Conhecida) {
  CodigoErro.clear();
  Vinculo().NU_PIS = PisNumero();
  try {
    TEscopoTransacao transacao(Ibx);
    TSituacaoGravada situacao;
    if (Conhecida) {
      situacao = *Conhecida;
    } else {
      if (VinculoJaCadastrado())
        return false;
      situacao.TrabalhadorGravado =
          !Ibx->AbrirConsulta(
                  QStringLiteral("SELECT NU_PIS FROM QZLTBG03_EMPREGADO WHERE NU_PIS = ") +
                  QString::number(PisNumero()))
               ->IsEmpty();
    }
    GravarTrabalhador(!situacao.TrabalhadorGravado);
    GravarVinculo(true, situacao.DependentesGravados);
    transacao.Confirmar();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

bool TTrabalhador::Alterar(bool SomenteTrabalhador) {
  CodigoErro.clear();
  try {
    TEscopoTransacao transacao(Ibx);
    GravarTrabalhador(false);
    if (!SomenteTrabalhador)
      GravarVinculo(false);
    transacao.Confirmar();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

void TTrabalhador::ExcluirConsignacoes() {
  Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG22_EMPREGADO_CNSGTRA WHERE ") +
                   CondicaoVinculoAtual());
}

void TTrabalhador::GravarConsignacoes() {
  ExcluirConsignacoes();
  const TVinculo &v = *FVinculo;
  for (int i = 1; i < ListaConsignacoes.size(); ++i) {
    const QStringList &linha = ListaConsignacoes.at(i);
    const QString instituicao = linha.value(ccInstituicao).trimmed();
    const QString contrato = linha.value(ccContrato).trimmed();
    // The blank row of an empty list is no contract.
    if (instituicao.isEmpty() && contrato.isEmpty())
      continue;
    const QString data = U::DataSQL(U::TextoParaData(linha.value(ccData).trimmed()));
    const QString chave =
        CondicaoVinculoAtual() + QStringLiteral(" AND CO_INSTITUICAO_CNSGTRA = ") +
        U::TextoSQL(instituicao) + QStringLiteral(" AND NU_CONTRATO = ") + U::TextoSQL(contrato);
    const int alteradas =
        Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG22_EMPREGADO_CNSGTRA SET DT_NU_CONTRATO = ") +
                         data + QStringLiteral(" WHERE ") + chave);
    if (alteradas == 0)
      Ibx->ExecutarSQL(
          QStringLiteral("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, "
                         "NU_INSCRICAO, NU_PIS, DT_ADMISSAO_VINCULO, NU_CATEGORIA, "
                         "CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, DT_NU_CONTRATO) VALUES (") +
          QString::number(v.NU_TIPO_INSO_EMPRA) + u',' + QString::number(v.NU_INSCRICAO) + u',' +
          QString::number(PisNumero()) + u',' + U::DataSQL(v.DT_ADMISSAO_VINCULO) + u',' +
          QString::number(v.NU_CATEGORIA) + u',' + U::TextoSQL(instituicao) + u',' +
          U::TextoSQL(contrato) + u',' + data + u')');
  }
}

void TTrabalhador::ExcluirReposicaoVaga() {
  Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG30_REPOSICAO_VAGA WHERE ") +
                   CondicaoVinculoAtual());
}

void TTrabalhador::GravarReposicaoVaga() {
  const TVinculo &v = *FVinculo;
  const QString valores[] = {
      U::TextoSQL(v.IC_VAGA_PNE.trimmed()),      U::TextoSQL(v.IC_APP_EN_VORDA.trimmed()),
      U::InteiroSQL(v.NU_DDD_TEL_RCTDOR),        U::InteiroSQL(v.NU_TEL_RCTDOR),
      U::TextoSQL(v.CO_CBO_REPOSICAO.trimmed()), U::TextoSQL(v.END_EMAIL.trimmed())};
  const bool existe =
      !Ibx->AbrirConsulta(QStringLiteral("SELECT NU_REPOSICAO_VAGA FROM "
                                         "QZLTBG30_REPOSICAO_VAGA WHERE ") +
                          CondicaoVinculoAtual() + QStringLiteral(" AND NU_REPOSICAO_VAGA = 1"))
           ->IsEmpty();
  if (existe) {
    Ibx->ExecutarSQL(QStringLiteral("UPDATE QZLTBG30_REPOSICAO_VAGA SET IC_VAGA_PNE = ") +
                     valores[0] + QStringLiteral(", IC_APP_EN_VORDA = ") + valores[1] +
                     QStringLiteral(", NU_DDD_TEL_RCTDOR = ") + valores[2] +
                     QStringLiteral(", NU_TEL_RCTDOR = ") + valores[3] +
                     QStringLiteral(", CO_CBO_REPOSICAO = ") + valores[4] +
                     QStringLiteral(", END_EMAIL = ") + valores[5] + QStringLiteral(" WHERE ") +
                     CondicaoVinculoAtual() + QStringLiteral(" AND NU_REPOSICAO_VAGA = 1"));
    return;
  }
  Ibx->ExecutarSQL(
      QStringLiteral("INSERT INTO QZLTBG30_REPOSICAO_VAGA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                     "NU_PIS, DT_ADMISSAO_VINCULO, NU_CATEGORIA, NU_REPOSICAO_VAGA, IC_VAGA_PNE, "
                     "IC_APP_EN_VORDA, NU_DDD_TEL_RCTDOR, NU_TEL_RCTDOR, CO_CBO_REPOSICAO, "
                     "END_EMAIL) VALUES (") +
      QString::number(v.NU_TIPO_INSO_EMPRA) + u',' + QString::number(v.NU_INSCRICAO) + u',' +
      QString::number(PisNumero()) + u',' + U::DataSQL(v.DT_ADMISSAO_VINCULO) + u',' +
      QString::number(v.NU_CATEGORIA) + QStringLiteral(", 1, ") + valores[0] + u',' + valores[1] +
      u',' + valores[2] + u',' + valores[3] + u',' + valores[4] + u',' + valores[5] + u')');
}

void TTrabalhador::DefinirListaConsignacoes(const TListaConsignacoes &Lista) {
  ListaConsignacoes = Lista.size() > 1 ? Lista : ListaConsignacoesVazia();
}

void TTrabalhador::ExcluirVinculosDaChave(TIbxUtils *Ibx, int Tipo, qint64 Inscricao, qint64 PIS,
                                          int Categoria, TDateTime DtAdmissao,
                                          bool TodosDaEmpresa) {
  const QString condicao =
      TodosDaEmpresa ? QStringLiteral("NU_TIPO_INSO_EMPRA = ") + QString::number(Tipo) +
                           QStringLiteral(" AND NU_INSCRICAO = ") + QString::number(Inscricao)
                     : CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao);
  TEscopoTransacao transacao(Ibx);
  for (const char *tabela : TabelasDoVinculo)
    Ibx->ExecutarSQL(QStringLiteral("DELETE FROM ") + QLatin1String(tabela) +
                     QStringLiteral(" WHERE ") + condicao);
  if (TodosDaEmpresa) {
    Ibx->ExecutarSQL(QStringLiteral(
        "DELETE FROM QZLTBG03_EMPREGADO WHERE NOT EXISTS (SELECT 1 FROM "
        "QZLTBG04_VINCULO_EMPREGATICIO VINC WHERE VINC.NU_PIS = QZLTBG03_EMPREGADO.NU_PIS)"));
  } else {
    TDataSetPtr ds = Ibx->AbrirConsulta(
        QStringLiteral("SELECT COUNT(*) AS TOT_TRABALHADOR FROM QZLTBG04_VINCULO_EMPREGATICIO "
                       "WHERE NU_PIS = ") +
        QString::number(PIS));
    if (ds->FieldByName(QStringLiteral("TOT_TRABALHADOR")).AsInteger() == 0)
      Ibx->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG03_EMPREGADO WHERE NU_PIS = ") +
                       QString::number(PIS));
  }
  transacao.Confirmar();
}

bool TTrabalhador::ExcluirVinculos(bool TodosDaEmpresa) {
  CodigoErro.clear();
  const TVinculo &v = Vinculo();
  try {
    ExcluirVinculosDaChave(Ibx, v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, PisNumero(), v.NU_CATEGORIA,
                           v.DT_ADMISSAO_VINCULO, TodosDaEmpresa);
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    throw;
  }
}

// --------------------------------------------------------- balance refresh --

namespace {
// Sum of the link's bank-account balances (of the table being updated),
// optionally only of the accounts whose PIS is regular.
QString SomaContas(bool SoPisRegular) {
  return QStringLiteral("COALESCE((SELECT SUM(CONTA.VR_SALDO_RESCISORIO) FROM "
                        "QZLTBG10_CONTA_EMPREGADO_ZELT CONTA WHERE ") +
         JuncaoVinculo(QStringLiteral("QZLTBG06_INFORMACAO_RESCISAO"), QStringLiteral("CONTA")) +
         (SoPisRegular ? QStringLiteral(" AND CONTA.NU_SITUACAO_PIS = 1") : QString()) +
         QStringLiteral("), 0)");
}

QString TemContas() {
  return QStringLiteral("EXISTS (SELECT 1 FROM QZLTBG10_CONTA_EMPREGADO_ZELT CONTA WHERE ") +
         JuncaoVinculo(QStringLiteral("QZLTBG06_INFORMACAO_RESCISAO"), QStringLiteral("CONTA")) +
         u')';
}

// Only links whose balance comes from the bank are refreshed: a link with no
// loaded account keeps the balance its employer informed.
QString SoSaldoDoBanco() {
  return QStringLiteral("(QZLTBG06_INFORMACAO_RESCISAO.IC_ORIGEM_SALDO_RESCISORIO = 'C' OR ") +
         TemContas() + u')';
}

// The same protection for one link: only an employer-informed balance ("E")
// of a link without accounts is left alone.
QString SemSaldoDoEmpregador() {
  return QStringLiteral("(COALESCE(QZLTBG06_INFORMACAO_RESCISAO.IC_ORIGEM_SALDO_RESCISORIO, 'N') "
                        "<> 'E' OR ") +
         TemContas() + u')';
}
} // namespace

bool TTrabalhador::AtualizarSaldoRescisorio(int Tipo, int Categoria, TDateTime DtAdmissao,
                                            qint64 PIS, qint64 Inscricao) {
  if (Tipo <= 0 || Categoria <= 0 || DtAdmissao <= 0 || PIS <= 0 || Inscricao <= 0)
    return false;
  const QString todas = SomaContas(false);
  Ibx->ExecutarSQL(
      QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET IC_ORIGEM_SALDO_RESCISORIO = "
                     "CASE WHEN ") +
      todas + QStringLiteral(" > 0 THEN 'C' ELSE 'N' END, VR_JAM_SALDO_RESCISORIO = CASE WHEN ") +
      todas +
      QStringLiteral(" > 0 THEN VR_JAM_SALDO_RESCISORIO ELSE 0 END, VR_SALDO_RESCISORIO = ") +
      SomaContas(true) + QStringLiteral(" WHERE ") +
      CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, DtAdmissao) + QStringLiteral(" AND ") +
      SemSaldoDoEmpregador());
  return true;
}

bool TTrabalhador::AtualizarSaldosRescisorios() {
  const QString todas = SomaContas(false);
  Ibx->ExecutarSQL(
      QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_SALDO_RESCISORIO = ") + todas +
      QStringLiteral(", IC_ORIGEM_SALDO_RESCISORIO = CASE WHEN ") + todas +
      QStringLiteral(" > 0 THEN 'C' ELSE 'N' END WHERE ") + SoSaldoDoBanco());
  return true;
}
