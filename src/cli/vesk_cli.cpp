// Command-line front end on the same business library, for scripted and
// batch use without a display.
#include "cli/unComandos.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  return ExecutarLinhaComando(QCoreApplication::arguments());
}
