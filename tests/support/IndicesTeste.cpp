#include "IndicesTeste.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

QString ArquivoIndices(const QStringList &opcoes) {
  static QTemporaryDir dir;
  static QMap<QString, QString> feitos;
  const QString chave = opcoes.join(u' ');
  if (feitos.contains(chave))
    return feitos[chave];
  const QString pasta = dir.filePath(QString::number(feitos.size()));
  QDir().mkpath(pasta);
  QProcess p;
  p.start(QStringLiteral("python3"),
          QStringList{QStringLiteral(VESK_SOURCE_DIR "/tools/banco/banco.py"),
                      QStringLiteral("indices"), pasta} +
              opcoes);
  p.waitForFinished(120000);
  const QString caminho = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  if (p.exitCode() != 0 || !QFile::exists(caminho))
    throw std::runtime_error("banco.py indices falhou: " + p.readAllStandardError().toStdString());
  feitos[chave] = caminho;
  return caminho;
}
