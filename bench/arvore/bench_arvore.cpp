// Times the navigation tree on a given database file, as the main window
// builds it: the model and the QTreeWidget it fills.
//   bench_arvore BANCO
//   bench_arvore --consultas     prints the tree's SELECTs, one per line, for isql-fb
// Prints one line: first build (s), refresh keeping selection and expansion
// (s), the three SELECTs alone through the database layer (s), rows of the
// tree query, nodes, peak resident memory (MB).
#include "core/unFBUtils.h"
#include "ui/UnArvoreQt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <cstdio>
#include <sys/resource.h>

static double PicoMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

int main(int argc, char *argv[]) {
  if (argc == 2 && qstrcmp(argv[1], "--consultas") == 0) {
    for (const QString &sql : TArvore::ConsultasMontagem())
      std::printf("%s;\n", qPrintable(sql));
    return 0;
  }
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "uso: bench_arvore BANCO\n");
    return 2;
  }
  IbxUtils = new TIbxUtils();
  IbxUtils->NomeBanco = QString::fromLocal8Bit(argv[1]);
  IbxUtils->Usuario = "SYSDBA";
  IbxUtils->Senha = "tulipvane";
  IbxUtils->Conectar();

  QTreeWidget arvore;
  arvore.setHeaderHidden(true);
  arvore.resize(300, 600);
  arvore.show();
  TArvoreVisualQt visual(&arvore);

  QElapsedTimer t;
  t.start();
  if (!Arvore.MontarArvore(visual)) {
    std::fprintf(stderr, "a árvore não foi montada\n");
    return 1;
  }
  visual.Selecionar(Arvore.Nos.front().No);
  app.processEvents();
  const double montar = t.nsecsElapsed() / 1e9;

  // A refresh as the loads request it, with a link selected and its employer open.
  visual.Selecionar(Arvore.Nos[Arvore.Quantidade() / 2].No);
  t.restart();
  AtualizarArvore();
  app.processEvents();
  const double atualizar = t.nsecsElapsed() / 1e9;

  t.restart();
  int linhas = 0;
  for (const QString &sql : TArvore::ConsultasMontagem())
    linhas = IbxUtils->AbrirConsulta(sql)->RecordCount();
  const double consultas = t.nsecsElapsed() / 1e9;

  std::printf("%.3f %.3f %.3f %d %d %.1f\n", montar, atualizar, consultas, linhas,
              Arvore.Quantidade(), PicoMB());
  Arvore.Visual = nullptr;
  Arvore.Esvaziar();
  delete IbxUtils;
  return 0;
}
