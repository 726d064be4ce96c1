// Command-line front end on the same business library, for scripted and
// batch use without a display.
#include "cli/unComandos.h"

#include <QByteArray>
#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char *argv[]) {
  // Reports are painted (PDF export) but no window is ever shown: no display
  // is needed unless the caller asks for a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // The graphics layer wants a private runtime folder; without a desktop
  // session there is none, and it would warn on every run.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const QByteArray pasta = "/tmp/vesk-cli-" + QByteArray::number(getuid());
    if (mkdir(pasta.constData(), 0700) == 0 || access(pasta.constData(), W_OK) == 0)
      qputenv("XDG_RUNTIME_DIR", pasta);
  }
  QGuiApplication app(argc, argv);
  return ExecutarLinhaComando(QCoreApplication::arguments());
}
