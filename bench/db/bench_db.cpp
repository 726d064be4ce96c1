// Times the database layer on a given database file:
//   bench_db inserir BANCO ARQUIVO_SQL   runs every line of the file through ExecutarSQL in one transaction
//   bench_db consultar BANCO "SELECT ..." loads the SELECT through AbrirConsulta
// Prints the seconds taken and the peak resident memory in MB.
#include "core/unFBUtils.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sys/resource.h>

static double PicoMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "uso: bench_db inserir|consultar BANCO ARQUIVO_OU_SQL\n");
    return 2;
  }
  TIbxUtils ibx;
  ibx.NomeBanco = QString::fromLocal8Bit(argv[2]);
  ibx.Usuario = "SYSDBA";
  ibx.Senha = "tulipvane";
  ibx.Conectar();
  const QString modo = QString::fromLocal8Bit(argv[1]);
  QElapsedTimer t;
  if (modo == "inserir") {
    QFile f(QString::fromLocal8Bit(argv[3]));
    if (!f.open(QIODevice::ReadOnly))
      return 1;
    QStringList linhas;
    while (!f.atEnd()) {
      QString l = QString::fromUtf8(f.readLine()).trimmed();
      if (l.endsWith(u';'))
        l.chop(1);
      if (!l.isEmpty())
        linhas << l;
    }
    t.start();
    ibx.IniciarTransacao();
    for (const QString &l : linhas)
      ibx.ExecutarSQL(l);
    ibx.ConfirmarTransacao();
    std::printf("%.3f %.1f %lld\n", t.elapsed() / 1000.0, PicoMB(), static_cast<long long>(linhas.size()));
  } else {
    t.start();
    TDataSetPtr ds = ibx.AbrirConsulta(QString::fromLocal8Bit(argv[3]));
    std::printf("%.3f %.1f %d\n", t.elapsed() / 1000.0, PicoMB(), ds->RecordCount());
  }
  return 0;
}
