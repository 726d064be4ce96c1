#include "EnvelopeTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <stdexcept>

void InstalarSelador(const QString &pasta) {
  const QStringList candidatos =
      QDir(QStringLiteral(VESK_BIN_DIR)).entryList({QStringLiteral("lkwselo.*")}, QDir::Files);
  for (const QString &nome : candidatos) {
    if (nome.contains(QStringLiteral(".lkwtmp")))
      continue;
    QFile::remove(QDir(pasta).filePath(nome));
    if (!QFile::copy(QDir(QStringLiteral(VESK_BIN_DIR)).filePath(nome), QDir(pasta).filePath(nome)))
      throw std::runtime_error("não foi possível copiar a biblioteca de selagem");
    return;
  }
  throw std::runtime_error("biblioteca de selagem não construída em " VESK_BIN_DIR);
}

int Shell(const QString &comando, const QString &pasta, QByteArray *saida) {
  QProcess p;
  p.setWorkingDirectory(pasta);
  p.setProcessChannelMode(saida ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
  p.start(QStringLiteral("bash"), {QStringLiteral("-c"), comando});
  if (!p.waitForFinished(120000))
    return -1;
  if (saida)
    *saida = p.readAllStandardOutput();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

int Banco(const QStringList &args, const QString &pasta, QByteArray *saida) {
  QProcess p;
  p.setWorkingDirectory(pasta);
  p.setProcessChannelMode(saida ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
  p.start(QStringLiteral("python3"),
          QStringList{QStringLiteral(VESK_SOURCE_DIR "/tools/banco/banco.py")} + args);
  if (!p.waitForFinished(120000))
    return -1;
  if (saida)
    *saida = p.readAllStandardOutput();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
