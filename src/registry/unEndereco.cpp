#include "unEndereco.h"

#include "core/unUtilitarios.h"

bool TresLetrasIguaisSeguidas(const QString &texto) {
  const QString t = texto.toUpper();
  int seguidos = 0;
  QChar anterior;
  for (const QChar c : t) {
    if (c.isDigit()) {
      seguidos = 0;
      anterior = QChar();
      continue;
    }
    seguidos = (seguidos > 0 && c == anterior) ? seguidos + 1 : 1;
    anterior = c;
    if (seguidos >= 3)
      return true;
  }
  return false;
}

bool TEndereco::TextoEnderecoValido(const QString &Texto) {
  const QString t = Texto.toUpper();
  if (t.isEmpty() || t.at(0) == u' ')
    return false;
  const QString aparado = t.trimmed();
  if (aparado.contains(QStringLiteral("  ")))
    return false;
  for (const QChar c : aparado)
    if (!(c == u' ' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
      return false;
  return !TresLetrasIguaisSeguidas(aparado);
}

void TEndereco::Limpar() {
  CodigoErro.clear();
  DE_LOGRADOURO.clear();
  NO_BAIRRO.clear();
  NO_LOCALIDADE.clear();
  NU_CEP.clear();
  SG_UF.clear();
}

namespace {
bool ValidarTexto(QString &campo, QString &codigo, const char *numero) {
  codigo.clear();
  const bool valido = TEndereco::TextoEnderecoValido(campo);
  campo = campo.trimmed();
  if (!valido)
    codigo = QString::fromLatin1(numero);
  return valido;
}
} // namespace

bool TEndereco::ValidarLogradouro() {
  return ValidarTexto(DE_LOGRADOURO, CodigoErro, "0096");
}

bool TEndereco::ValidarBairro() {
  return ValidarTexto(NO_BAIRRO, CodigoErro, "0095");
}

bool TEndereco::ValidarMunicipio() {
  return ValidarTexto(NO_LOCALIDADE, CodigoErro, "0094");
}

bool TEndereco::ValidarCEP() {
  CodigoErro.clear();
  const QString cep = NU_CEP;
  const bool invalido = cep.isEmpty() || cep.size() < 8 || !TUtilitarios::SomenteNumeros(cep) ||
                        cep == QLatin1String("20000000") || cep == QLatin1String("30000000") ||
                        cep == QLatin1String("70000000") || cep == QLatin1String("80000000") ||
                        TUtilitarios::CaracteresIguais(cep) ||
                        TUtilitarios::ParaInteiro(cep.left(5)) < 1000;
  if (invalido)
    CodigoErro = QStringLiteral("0101");
  return !invalido;
}

bool TEndereco::ValidarUF() {
  CodigoErro.clear();
  if (SG_UF.trimmed().isEmpty()) {
    CodigoErro = QStringLiteral("0132");
    return false;
  }
  TDataSetPtr ds = Ibx->AbrirConsulta(
      QStringLiteral("SELECT SG_UF FROM QZLTBT08_UNIDADE_FEDERACAO WHERE SG_UF = ") +
      TUtilitarios::TextoSQL(SG_UF));
  if (ds->IsEmpty()) {
    CodigoErro = QStringLiteral("0133");
    return false;
  }
  return true;
}
