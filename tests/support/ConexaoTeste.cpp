#include "ConexaoTeste.h"

#include <QDir>

namespace {
QString NomeNoServidor(const QString &arquivo) {
  return qEnvironmentVariable("VESK_SERVIDOR") + u':' + QDir(arquivo).absolutePath();
}
} // namespace

bool TesteNoServidor() {
  return !qEnvironmentVariableIsEmpty("VESK_SERVIDOR");
}

void ConfigurarConexaoTeste(TDBUtils &banco, const QString &arquivo) {
  if (TesteNoServidor()) {
    banco.NomeBanco = NomeNoServidor(arquivo);
    banco.Usuario = qEnvironmentVariable("VESK_SERVIDOR_USUARIO");
    banco.Senha = qEnvironmentVariable("VESK_SERVIDOR_SENHA");
  } else {
    banco.NomeBanco = arquivo;
    banco.Usuario = QStringLiteral("SYSDBA");
    banco.Senha = QStringLiteral("tulipvane");
  }
}

QByteArray LinhasIniConexaoTeste(const QString &arquivo) {
  if (!TesteNoServidor())
    return {};
  return ("BANCO=" + NomeNoServidor(arquivo) +
          "\r\nUSUARIO=" + qEnvironmentVariable("VESK_SERVIDOR_USUARIO") +
          "\r\nSENHA=" + qEnvironmentVariable("VESK_SERVIDOR_SENHA") + "\r\n")
      .toUtf8();
}
