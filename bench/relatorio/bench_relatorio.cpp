// Opening the workers listing's preview offscreen, as the order window does:
// the query, the rows, the page layout and the first page shown. Prints the
// seconds and the page count.
//   bench_relatorio PASTA_DO_PROGRAMA
//   bench_relatorio --sql      (prints the listing's SELECT, for the floor)
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "uso: bench_relatorio PASTA_DO_PROGRAMA\n");
    return 2;
  }
  const QString ordem = TRelTrabalhadores::OrdemPorInscricao(QStringLiteral("PIS_EMPREGADO"));
  if (QLatin1String(argv[1]) == QLatin1String("--sql")) {
    std::printf("%s;\n", qPrintable(TRelTrabalhadores::Consulta(ordem)));
    return 0;
  }
  const QString pasta = QString::fromLocal8Bit(argv[1]);
  DefinirPastaPrograma(pasta);
  IbxUtils = new TIbxUtils();
  IbxUtils->NomeBanco = QDir(pasta).filePath(QStringLiteral("BD/VESK.FDB"));
  IbxUtils->Usuario = QStringLiteral("SYSDBA");
  IbxUtils->Senha = QStringLiteral("tulipvane");
  IbxUtils->Conectar();

  QElapsedTimer t;
  t.start();
  TRelTrabalhadores rel;
  if (!rel.Preparar(ordem, {}, true))
    return 1;
  TQReportPreview previa(rel);
  previa.show();
  QApplication::processEvents();
  const double segundos = t.nsecsElapsed() / 1e9;
  std::printf("%.3f %d\n", segundos, previa.QuantidadePaginas());
  delete IbxUtils;
  return 0;
}
