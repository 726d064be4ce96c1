#include "unInstalacao.h"

#include "unFBUtils.h"
#include "unGlobal.h"
#include "unUtilitarios.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVersionNumber>

QString PastaExecutavel() {
  if (QCoreApplication::instance())
    return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}

bool CopiaInstalada(const QString &pastaExecutavel) {
  return QFileInfo::exists(QDir(pastaExecutavel).filePath(QString::fromLatin1(MarcaInstalacao))) ||
         !QFileInfo(pastaExecutavel).isWritable();
}

QString PastaDadosUsuario() {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir::cleanPath(QDir(base).filePath(QStringLiteral("vesk")));
}

namespace {
[[noreturn]] void Recusar(const QString &pasta, const QString &motivo) {
  throw EInstalacao(QStringLiteral("Não foi possível preparar a pasta de dados %1: %2.")
                        .arg(QDir::toNativeSeparators(pasta), motivo));
}

// Copies one delivered file when the destination lacks it.
void CopiarSeFaltar(const QString &origem, const QString &destino, const QString &pasta) {
  if (QFileInfo::exists(destino))
    return;
  if (!QFileInfo::exists(origem))
    Recusar(pasta, QStringLiteral("o arquivo entregue com o programa %1 não existe")
                       .arg(QDir::toNativeSeparators(origem)));
  const QFileInfo alvo(destino);
  QDir().mkpath(alvo.absolutePath());
  // Each start copies under a name of its own: two programs started at once
  // must not write into, or delete, each other's half-made copy. A partial
  // copy that has not changed for a while was left by an interrupted start.
  const QString prefixo = alvo.fileName() + QStringLiteral(".copiando");
  const QDir pastaAlvo = alvo.absoluteDir();
  for (const QFileInfo &resto : pastaAlvo.entryInfoList({prefixo + u'*'}, QDir::Files))
    if (resto.lastModified().secsTo(QDateTime::currentDateTime()) > 600)
      QFile::remove(resto.absoluteFilePath());
  const QString parcial =
      pastaAlvo.filePath(prefixo + u'.' + QString::number(QCoreApplication::applicationPid()));
  QFile::remove(parcial); // this very process's, from a failed attempt
  if (!QFile::copy(origem, parcial)) {
    QFile::remove(parcial);
    Recusar(pasta,
            QStringLiteral("não foi possível copiar %1").arg(QDir::toNativeSeparators(origem)));
  }
  // The delivered file is read-only for everyone; the user's copy is the
  // user's alone (the database holds workers' personal data).
  QFile::setPermissions(parcial, QFile::ReadOwner | QFile::WriteOwner);
  // Two programs started at once: the one that renames second finds the
  // other's copy in place and keeps it.
  if (!QFile::rename(parcial, destino)) {
    QFile::remove(parcial);
    if (!QFileInfo::exists(destino))
      Recusar(pasta,
              QStringLiteral("não foi possível gravar %1").arg(QDir::toNativeSeparators(destino)));
  }
}
} // namespace

void CopiarArquivosEntregues(const QString &origem, const QString &destino) {
  QDir dir(destino);
  if (!dir.exists()) {
    if (!QDir().mkpath(destino))
      Recusar(destino, QStringLiteral("não foi possível criá-la"));
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  if (!QFileInfo(destino).isDir() || !QFileInfo(destino).isWritable())
    Recusar(destino, QStringLiteral("não é uma pasta em que este usuário possa gravar"));
  for (const QString &arquivo : {QStringLiteral("MOLT.ini"), QStringLiteral("BD/VESK.FDB")})
    CopiarSeFaltar(QDir(origem).filePath(arquivo), dir.filePath(arquivo), destino);
}

void PrepararPastaPrograma() {
  const QString executavel = PastaExecutavel();
  if (!CopiaInstalada(executavel))
    return; // the executable's folder, as PastaPrograma() gives by default
  const QString dados = PastaDadosUsuario();
  CopiarArquivosEntregues(executavel, dados);
  DefinirPastaPrograma(dados);
}

QString VersaoPrograma() {
  return QStringLiteral(VESK_VERSAO);
}

QString MensagemVersaoBanco(const QString &nomeBanco, const QString &versaoBanco,
                            const QString &versaoPrograma) {
  const QString banco = versaoBanco.trimmed();
  const QString nome = QDir::toNativeSeparators(nomeBanco);
  const QVersionNumber deBanco = QVersionNumber::fromString(banco);
  const QVersionNumber doPrograma = QVersionNumber::fromString(versaoPrograma);
  if (!banco.isEmpty() && deBanco == doPrograma)
    return QString();
  if (deBanco.isNull())
    return QStringLiteral("O banco de dados %1 não informa a sua versão e não foi aberto. Ele não "
                          "foi criado por este programa, ou está danificado.")
        .arg(nome);
  if (deBanco < doPrograma)
    return QStringLiteral(
               "O banco de dados %1 é da versão %2, anterior à versão %3 deste programa, e não foi "
               "aberto nem alterado. Esta versão ainda não atualiza bancos de versões anteriores: "
               "abra-o com o programa da versão %2 e faça um backup, que esta versão restaura em "
               "um banco novo.")
        .arg(nome, banco, versaoPrograma);
  return QStringLiteral("O banco de dados %1 é da versão %2, mais nova que a versão %3 deste "
                        "programa, e não foi aberto nem alterado. Use o programa da versão %2 "
                        "ou de uma versão mais nova.")
      .arg(nome, banco, versaoPrograma);
}

void VerificarVersaoBanco() {
  const QString mensagem =
      MensagemVersaoBanco(IbxUtils->NomeBanco, Utilitarios.VersaoSistema(), VersaoPrograma());
  if (!mensagem.isEmpty())
    throw EInstalacao(mensagem);
}
