#include "unEstabelecimento.h"

#include "core/unUtilitarios.h"

QString NumeroSQL(const QString &texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty() || !TUtilitarios::SomenteNumeros(t))
    return QStringLiteral("Null");
  return QString::number(TUtilitarios::ParaInteiro64(t));
}

TEstabelecimento::TEstabelecimento() {
  TEstabelecimento::Inicializar();
}

TEstabelecimento::~TEstabelecimento() = default;

QString TEstabelecimento::ColunasEmpresa() {
  return QStringLiteral(
      "EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO, EMP.NU_SIMPLES AS SIMPLES, EMP.SG_UF, "
      "EMP.NU_IBGE, EMP.NU_INSS AS FPAS, EMP.DE_LOGRADOURO, EMP.NO_BAIRRO, EMP.NU_CEP, "
      "EMP.NO_LOCALIDADE, EMP.NU_DDD, EMP.NU_TELEFONE, EMP.IC_ESTADO_EMPRESA, EMP.NO_CONTATO, "
      "EMP.CO_ENDERECO_VIRTUAL_CONTATO, TRIM(EMP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL");
}

void TEstabelecimento::Inicializar() {
  CodigoErro.clear();
  NU_TIPO_INSO_EMPRA = 0;
  NU_INSCRICAO.clear();
  NO_RAZAO_SOCIAL.clear();
  SqlSelect = QStringLiteral("SELECT ") + ColunasEmpresa();
  SqlFrom = QStringLiteral(" FROM QZLTBG02_EMPRESA EMP ");
}

void TEstabelecimento::Limpar() {
  endereco_.reset();
}

namespace {
QString Texto(const TNegocio &n, const char *coluna) {
  const TField f = n.Campo(QString::fromLatin1(coluna));
  return f.IsNull() ? QString() : f.AsVariant().toString();
}
} // namespace

void TEstabelecimento::CarregarAtributos() {
  TNegocio::CarregarAtributos();
  NU_TIPO_INSO_EMPRA = Campo(QStringLiteral("NU_TIPO_INSO_EMPRA")).AsInteger();
  NU_INSCRICAO = TUtilitarios::CompletarZeros(
      QString::number(Campo(QStringLiteral("NU_INSCRICAO")).AsInt64()), 14);
  IC_ESTADO_EMPRESA = Texto(*this, "IC_ESTADO_EMPRESA").trimmed();
  NO_RAZAO_SOCIAL = Texto(*this, "NO_RAZAO_SOCIAL");
  TEndereco &e = Endereco();
  e.DE_LOGRADOURO = Texto(*this, "DE_LOGRADOURO");
  e.NO_BAIRRO = Texto(*this, "NO_BAIRRO");
  e.NU_CEP = Texto(*this, "NU_CEP");
  e.NO_LOCALIDADE = Texto(*this, "NO_LOCALIDADE");
  e.SG_UF = Texto(*this, "SG_UF").trimmed();
  NU_DDD = Texto(*this, "NU_DDD");
  NU_TELEFONE = Texto(*this, "NU_TELEFONE");
}

bool TEstabelecimento::CarregarPorChave(int Tipo, qint64 Inscricao) {
  CodigoErro.clear();
  try {
    AbrirDataSet(SqlSelect + SqlFrom + QStringLiteral("WHERE EMP.NU_TIPO_INSO_EMPRA = ") +
                 QString::number(Tipo) + QStringLiteral(" AND EMP.NU_INSCRICAO = ") +
                 QString::number(Inscricao));
    if (QuantidadeRegistros() > 0)
      Primeiro();
    return true;
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    return false;
  }
}

TEndereco &TEstabelecimento::Endereco() {
  if (!endereco_)
    endereco_ = std::make_unique<TEndereco>();
  return *endereco_;
}

qint64 TEstabelecimento::InscricaoNumero() const {
  return TUtilitarios::ParaInteiro64(NU_INSCRICAO);
}

QString TEstabelecimento::InscricaoFormatada() const {
  const QString n = QString::number(InscricaoNumero());
  if (NU_TIPO_INSO_EMPRA == 1)
    return TUtilitarios::CompletarZeros(n, 14);
  if (NU_TIPO_INSO_EMPRA == 2)
    return TUtilitarios::CompletarZeros(n, 12);
  return QStringLiteral("0");
}

bool TEstabelecimento::ValidarTipoInscricao() {
  CodigoErro.clear();
  if (NU_TIPO_INSO_EMPRA != 1 && NU_TIPO_INSO_EMPRA != 2)
    CodigoErro = QStringLiteral("0129");
  return CodigoErro.isEmpty();
}

bool TEstabelecimento::ValidarInscricao() {
  CodigoErro.clear();
  // The field may carry a mask: the number it holds is what is checked.
  const double valor = TUtilitarios::ParaDecimal(NU_INSCRICAO);
  const qint64 numero = valor > 0 && valor < 1e15 ? static_cast<qint64>(valor) : 0;
  if (NU_TIPO_INSO_EMPRA == 1 && !TUtilitarios::CNPJValido(numero))
    CodigoErro = QStringLiteral("0021");
  else if (NU_TIPO_INSO_EMPRA == 2 && !TUtilitarios::CEIValido(numero))
    CodigoErro = QStringLiteral("0018");
  return CodigoErro.isEmpty();
}

bool TEstabelecimento::ValidarRazaoSocial() {
  CodigoErro.clear();
  const bool valido = TEndereco::TextoEnderecoValido(NO_RAZAO_SOCIAL);
  if (!NO_RAZAO_SOCIAL.isEmpty() && NO_RAZAO_SOCIAL.at(0) != u' ')
    NO_RAZAO_SOCIAL = NO_RAZAO_SOCIAL.trimmed();
  if (!valido)
    CodigoErro = QStringLiteral("0177");
  return valido;
}

bool TEstabelecimento::ValidarDDD() {
  CodigoErro.clear();
  const int ddd = TUtilitarios::ParaInteiro(NU_DDD);
  NU_DDD = ddd < 0 ? QStringLiteral("-") +
                         QString::number(-static_cast<qint64>(ddd)).rightJustified(4, u'0')
                   : QString::number(ddd).rightJustified(4, u'0');
  if (!TUtilitarios::SomenteNumeros(NU_DDD) || NU_DDD.size() < 2 || NU_DDD.count(u'0') >= 3)
    CodigoErro = QStringLiteral("0024");
  return CodigoErro.isEmpty();
}

bool TEstabelecimento::ValidarTelefone() {
  CodigoErro.clear();
  NU_TELEFONE = NU_TELEFONE.trimmed();
  const QString &t = NU_TELEFONE;
  bool ok = false;
  const int valor = t.toInt(&ok);
  const bool invalido = t.isEmpty() || !TUtilitarios::SomenteNumeros(t) ||
                        (t.size() >= 8 && TUtilitarios::ParaInteiro64(t.mid(2)) == 0) ||
                        (t.size() == 7 && t.at(0) == u'0') || t.size() < 7 ||
                        QString::number(ok ? valor : 0).size() < 7;
  if (invalido)
    CodigoErro = QStringLiteral("0128");
  return !invalido;
}

bool TEstabelecimento::EmailValido(QString &Email) {
  if (Email.trimmed().isEmpty())
    return true;
  const int tamanho = Email.trimmed().size();
  int arrobas = 0, pontos = 0, ruins = 0;
  for (int i = 0; i < tamanho; ++i) {
    const QChar c = Email.at(i).toUpper();
    if (c == u'@')
      ++arrobas;
    else if (c == u'.')
      ++pontos;
    else if (c == u' ')
      ++ruins;
    else if (!(c == u'-' || c == u'_' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
      ++ruins;
  }
  const bool valido = arrobas == 1 && pontos >= 1 && ruins == 0;
  if (valido)
    Email = Email.trimmed();
  return valido;
}

bool TEstabelecimento::ValidarEmail() {
  CodigoErro.clear();
  if (!EmailValido(CO_ENDERECO_VIRTUAL_CONTATO))
    CodigoErro = QStringLiteral("0065");
  return CodigoErro.isEmpty();
}

QString TEstabelecimento::UfSQL() {
  return TUtilitarios::TextoSQL(Endereco().SG_UF.trimmed());
}
QString TEstabelecimento::LogradouroSQL() {
  return TUtilitarios::TextoSQL(Endereco().DE_LOGRADOURO);
}
QString TEstabelecimento::BairroSQL() {
  return TUtilitarios::TextoSQL(Endereco().NO_BAIRRO);
}
QString TEstabelecimento::CepSQL() {
  return NumeroSQL(Endereco().NU_CEP);
}
QString TEstabelecimento::LocalidadeSQL() {
  return TUtilitarios::TextoSQL(Endereco().NO_LOCALIDADE);
}
