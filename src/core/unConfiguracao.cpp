#include "unConfiguracao.h"

#include "unFBUtils.h"
#include "unTexto1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {
// The user and password the delivered database file was built with.
const char *const UsuarioPadrao = "SYSDBA";
const char *const SenhaPadrao = "tulipvane";
} // namespace

QString ArquivoConfiguracao() {
  return CaminhoPrograma(QStringLiteral("MOLT.ini"));
}

bool LerArquivoConfiguracao(QStringList &linhas) {
  linhas.clear();
  QFile ini(ArquivoConfiguracao());
  if (!ini.exists())
    return false;
  if (ini.open(QIODevice::ReadOnly))
    linhas = DeWin1252(ini.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  return true;
}

TConfiguracao LerConfiguracao(const QStringList &linhas) {
  TConfiguracao c;
  for (const QString &linha : linhas) {
    for (const char *chave : {"LOGSQL", "GRAVA_ARQUIVO"}) {
      if (!linha.contains(QLatin1String(chave)))
        continue;
      const int igual = linha.indexOf(u'=');
      const QString valor = igual >= 0 ? linha.mid(igual + 1) : QString();
      if (valor.compare(QStringLiteral("S"), Qt::CaseInsensitive) != 0)
        continue;
      if (qstrcmp(chave, "LOGSQL") == 0)
        c.LogSQL = true;
      else
        c.GravaArquivo = true;
    }
    const int igual = linha.indexOf(u'=');
    if (igual < 0)
      continue;
    const QString chave = linha.left(igual).trimmed().toUpper();
    const QString valor = linha.mid(igual + 1).trimmed();
    if (chave == QLatin1String("BANCO"))
      c.Banco = valor;
    else if (chave == QLatin1String("USUARIO"))
      c.Usuario = valor;
    else if (chave == QLatin1String("SENHA"))
      c.Senha = valor;
  }
  return c;
}

QString NomeBancoConfigurado(const TConfiguracao &c) {
  if (c.Banco.isEmpty())
    return CaminhoPrograma(QStringLiteral("BD/VESK.FDB"));
  if (NomeServidorBanco(c.Banco))
    return c.Banco;
  if (QDir::isAbsolutePath(c.Banco))
    return QDir::toNativeSeparators(QDir::cleanPath(c.Banco));
  return QDir::toNativeSeparators(QDir::cleanPath(CaminhoPrograma(c.Banco)));
}

void ConfigurarConexaoBanco(TDBUtils &banco, const TConfiguracao &c) {
  banco.NomeBanco = NomeBancoConfigurado(c);
  banco.Usuario = c.Usuario.isEmpty() ? QString::fromLatin1(UsuarioPadrao) : c.Usuario;
  banco.Senha = c.Senha.isEmpty() ? QString::fromLatin1(SenhaPadrao) : c.Senha;
}
