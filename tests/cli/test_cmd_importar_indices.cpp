// "vesk-cli importar-indices" end to end: the built executable on a copy of
// the database, with archives from the simulated bank.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"
#include "support/IndicesTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>

class CmdImportarIndicesTeste : public BancoTeste {
protected:
  // Runs the executable with the database released by the test.
  TSaidaCli Rodar(const QStringList &args) { return RodarCli(args); }
  QString Prorata() {
    return Valor(QStringLiteral("SELECT MIN(DT_RECOLHIMENTO_PRORATA) || ' ' || "
                                "MAX(DT_RECOLHIMENTO_PRORATA) || ' ' || COUNT(*) FROM "
                                "QZLTBT18_INDICE_PRORATA"));
  }
};

TEST_F(CmdImportarIndicesTeste, ImportaEMudaAJanela) {
  const TSaidaCli s = Rodar({QStringLiteral("importar-indices"),
                             ArquivoIndices({QStringLiteral("--edicao"), QStringLiteral("2027-01"),
                                             QStringLiteral("--nome-curto")})});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_TRUE(s.Texto.startsWith(QStringLiteral("TI0074 - Arquivo importado com sucesso.")))
      << s.Texto.toStdString();
  EXPECT_EQ(Prorata(), QStringLiteral("2027-01-21 2027-02-19 20"));
  EXPECT_TRUE(QDir(pasta->Arquivo(QStringLiteral("TEMP"))).isEmpty());
}

TEST_F(CmdImportarIndicesTeste, RecusaUsoEAjuda) {
  const QString antes = Prorata();
  const struct {
    QStringList Args;
    int Status;
    const char *Trecho;
  } casos[] = {
      {{QStringLiteral("--defeito"), QStringLiteral("nona-entrada")}, 1, "TI0192 - "},
      {{QStringLiteral("--defeito"), QStringLiteral("nome-arquivo")},
       1,
       "IndicesVESK.zip ou IND_VESK.ZIP"},
  };
  for (const auto &c : casos) {
    const TSaidaCli s = Rodar({QStringLiteral("importar-indices"), ArquivoIndices(c.Args)});
    EXPECT_EQ(s.Status, c.Status) << c.Trecho;
    EXPECT_TRUE(s.Erro.contains(QString::fromUtf8(c.Trecho))) << s.Erro.toStdString();
  }
  EXPECT_EQ(Rodar({QStringLiteral("importar-indices"), pasta->Arquivo("IndicesVESK.zip")}).Status,
            1);
  EXPECT_EQ(Rodar({QStringLiteral("importar-indices")}).Status, 2);
  EXPECT_EQ(
      Rodar({QStringLiteral("importar-indices"), QStringLiteral("a"), QStringLiteral("b")}).Status,
      2);
  const TSaidaCli ajuda = Rodar({QStringLiteral("importar-indices"), QStringLiteral("--ajuda")});
  EXPECT_EQ(ajuda.Status, 0);
  EXPECT_TRUE(ajuda.Texto.contains(QStringLiteral("Uso: vesk-cli"))) << ajuda.Texto.toStdString();
  EXPECT_EQ(Prorata(), antes);
}
