#include "unAmbienteQt.h"

#include "core/unInicializacao.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

void PrepararAmbienteQt() {
  // LC_ALL beats every other variable in Qt's reading of the system locale.
  qputenv("LC_ALL", "pt_BR.UTF-8");
  qputenv("LANGUAGE", "pt_BR:pt");
}

bool InstalarTraducoesQt(QCoreApplication &app) {
  // The C library's number conversions stay those of the "C" locale, whatever
  // the application object took from the environment.
  std::setlocale(LC_NUMERIC, "C");
  AplicarFormatos();
  const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
  auto *traducao = new QTranslator(&app);
  if (!traducao->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete traducao;
    return false;
  }
  app.installTranslator(traducao);
  return true;
}
