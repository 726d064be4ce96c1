// The search window's operation offscreen: for each search, the key chosen,
// the text typed and "&Localizar" pressed, timed until the query ran and the
// grid holds the hits (median of the runs after a warm-up). With --sql, each
// search is run once with the SQL log on and the SELECT it ran is printed,
// one per line, for the isql-fb floor.
//   bench_localizar PASTA_DO_PROGRAMA [--sql] CHAVE:PROCURA:TEXTO...
//   (CHAVE 0 nome, 1 CNPJ, 2 CEI, 3 PIS; PROCURA 0 empresa, 1 trabalhador)
#include "core/unDialogo.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unTexto1252.h"
#include "ui/uLocalizar.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <algorithm>
#include <cstdio>

namespace {
struct TBusca {
  int Chave, Procura;
  QString Texto;
};

// One search as a user runs it; the hits in the grid.
int Buscar(TfrmLocalizar &f, const TBusca &b) {
  f.RGroupOpcBusca->button(b.Chave)->click();
  if (b.Chave == cpNome) {
    f.cbProcura->setCurrentIndex(b.Procura);
    f.cbProcuraChange();
  }
  f.edtBusca->setText(b.Texto);
  f.btnLocaliza->click();
  QApplication::processEvents(); // the grid lays out and paints its rows
  return static_cast<int>(f.Inscricoes.size());
}

// The SELECT statements of the SQL log, one per entry.
QStringList Consultas(const QString &log) {
  QFile f(log);
  QStringList r;
  if (!f.open(QIODevice::ReadOnly))
    return r;
  QString atual;
  bool dentro = false;
  for (const QByteArray &bruta : f.readAll().split('\n')) {
    const QString l = DeWin1252(bruta).trimmed();
    if (l.endsWith(QLatin1String("----------------------"))) {
      if (dentro && atual.startsWith(QLatin1String("SELECT")))
        r << atual.simplified();
      dentro = !l.startsWith(QLatin1String("SUCESSO")) && !l.startsWith(QLatin1String("ERRO"));
      atual.clear();
      continue;
    }
    // An entry's statement ends where its timing line ("Tempo ...") begins.
    if (dentro && l.startsWith(QLatin1String("Tempo "))) {
      if (atual.startsWith(QLatin1String("SELECT")))
        r << atual.simplified();
      dentro = false;
      atual.clear();
      continue;
    }
    if (dentro)
      atual += l + u' ';
  }
  return r;
}
} // namespace

int main(int argc, char *argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) {
    std::fprintf(stderr, "uso: bench_localizar PASTA [--sql] CHAVE:PROCURA:TEXTO...\n");
    return 2;
  }
  const QString pasta = args.takeFirst();
  const bool sql = !args.isEmpty() && args.first() == QLatin1String("--sql");
  if (sql)
    args.removeFirst();
  QList<TBusca> buscas;
  for (const QString &a : args) {
    const QStringList p = a.split(u':');
    if (p.size() < 3)
      return 2;
    buscas << TBusca{p[0].toInt(), p[1].toInt(), p.mid(2).join(u':')};
  }
  // "no hit" is answered at once, as a user pressing OK.
  DefinirRespondedorDialogo([](const PedidoDialogo &) { return int(mrOk); });
  DefinirPastaPrograma(pasta);
  IbxUtils = new TIbxUtils();
  IbxUtils->NomeBanco = QDir(pasta).filePath(QStringLiteral("BD/VESK.FDB"));
  IbxUtils->Usuario = QStringLiteral("SYSDBA");
  IbxUtils->Senha = QStringLiteral("tulipvane");
  IbxUtils->Conectar();
  TfrmLocalizar f;
  f.show();
  QApplication::processEvents();
  const QString log = QDir(pasta).filePath(QStringLiteral("MOLTBD.log"));
  for (const TBusca &b : buscas) {
    if (sql) {
      QFile::remove(log);
      IbxUtils->DefinirLogSQL(true);
      Buscar(f, b);
      IbxUtils->DefinirLogSQL(false);
      // The search's own SELECT, not the lookups of codes and messages
      // that filling the grid or saying "not found" runs after it.
      QString busca;
      for (const QString &c : Consultas(log))
        if (busca.isEmpty() && c.contains(QLatin1String("QZLTBG0")))
          busca = c;
      std::printf("%s\n", qPrintable(busca));
      continue;
    }
    Buscar(f, b); // warm-up: the first run pays for the cache
    QList<double> tempos;
    int achados = 0;
    for (int i = 0; i < 5; ++i) {
      QElapsedTimer t;
      t.start();
      achados = Buscar(f, b);
      tempos << t.nsecsElapsed() / 1e9;
    }
    std::sort(tempos.begin(), tempos.end());
    std::printf("%.4f %d\n", tempos.at(tempos.size() / 2), achados);
  }
  delete IbxUtils;
  return 0;
}
