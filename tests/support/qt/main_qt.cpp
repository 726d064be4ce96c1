// Test entry for suites that build widgets: one QApplication for the whole run,
// so any single test can also run alone.

#include "ui/unAmbienteQt.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // As the program runs: Qt's own texts in Portuguese, Brazilian formats.
  PrepararAmbienteQt();
  QApplication app(argc, argv);
  InstalarTraducoesQt(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
