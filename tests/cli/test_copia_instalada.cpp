// An installed copy run as its user would: the program folder is not the
// executable's but the user's data folder, made on the first start from the
// files delivered beside the executable.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unInstalacao.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {
struct TSaida {
  int status;
  QString saida, erro;
};

class CopiaInstaladaTeste : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(base.isValid());
    // What the package puts in /usr/lib/vesk, made from the build.
    QDir().mkpath(Programa("BD"));
    for (const char *arquivo : {"vesk-cli", "lkwselo.so", "MOLT.ini"})
      ASSERT_TRUE(QFile::copy(QDir(VESK_BIN_DIR).filePath(arquivo), Programa(arquivo))) << arquivo;
    ASSERT_TRUE(QFile::copy(VESK_DB_MODELO, Programa("BD/VESK.FDB")));
    QFile marca(Programa(MarcaInstalacao));
    ASSERT_TRUE(marca.open(QIODevice::WriteOnly));
    marca.close();
    conteudoPrograma = QDir(Programa("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  }
  QString Programa(const QString &relativo) const {
    return QDir(base.path()).filePath("usr/lib/vesk/" + relativo);
  }
  QString Dados(const QString &relativo) const {
    return QDir(base.path()).filePath("dados/vesk/" + relativo);
  }
  TSaida Rodar(const QStringList &args, const QString &pastaDados = QString()) {
    QProcess p;
    QProcessEnvironment amb = QProcessEnvironment::systemEnvironment();
    amb.insert("XDG_DATA_HOME",
               pastaDados.isEmpty() ? QDir(base.path()).filePath("dados") : pastaDados);
    p.setProcessEnvironment(amb);
    p.start(Programa("vesk-cli"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
  }

  QTemporaryDir base;
  QStringList conteudoPrograma;
};
} // namespace

TEST_F(CopiaInstaladaTeste, DadosNaPastaDoUsuarioEProgramaIntocado) {
  if (TesteNoServidor())
    GTEST_SKIP() << "a cópia instalada abre o banco entregue, sem servidor";
  TSaida r = Rodar({"versao"});
  ASSERT_EQ(r.status, 0) << r.erro.toStdString();
  EXPECT_EQ(r.saida.trimmed(), VersaoPrograma());
  EXPECT_TRUE(QFile::exists(Dados("BD/VESK.FDB")));
  EXPECT_TRUE(QFile::exists(Dados("MOLT.ini")));

  // The user's settings are the user's: kept, and the log goes beside them.
  QFile ini(Dados("MOLT.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write("LOGSQL=S\r\n");
  ini.close();
  r = Rodar({"versao"});
  ASSERT_EQ(r.status, 0) << r.erro.toStdString();
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), QByteArray("LOGSQL=S\r\n"));
  EXPECT_TRUE(QFile::exists(Dados("MOLTBD.log")));

  // The sealing library is found beside the executable.
  const QString texto = QDir(base.path()).filePath("dados/texto.txt");
  QFile t(texto);
  ASSERT_TRUE(t.open(QIODevice::WriteOnly));
  t.write("linha\r\n");
  t.close();
  r = Rodar({"envelope", "selar", QDir(base.path()).filePath("dados/teste.HXF"), texto});
  EXPECT_EQ(r.status, 0) << r.erro.toStdString();

  // --pasta still chooses any folder, and nothing is made in the data folder
  // of a user who never ran it without.
  QDir(Dados("")).removeRecursively();
  PastaTeste outra;
  r = Rodar({"--pasta", outra.Caminho(), "versao"});
  EXPECT_EQ(r.status, 0) << r.erro.toStdString();
  EXPECT_FALSE(QDir(Dados("")).exists());

  EXPECT_EQ(QDir(Programa("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            conteudoPrograma);
}

TEST_F(CopiaInstaladaTeste, RecusasExplicadasSemTocarNosDados) {
  if (TesteNoServidor())
    GTEST_SKIP() << "a cópia instalada abre o banco entregue, sem servidor";
  // A data folder that cannot be made.
  const QString arquivo = QDir(base.path()).filePath("arquivo");
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  TSaida r = Rodar({"versao"}, arquivo);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.erro.contains("Não foi possível preparar a pasta de dados"))
      << r.erro.toStdString();

  // The user's database left by an older version: refused, never replaced.
  ASSERT_EQ(Rodar({"versao"}).status, 0);
  {
    TIbxUtils ibx;
    ConfigurarConexaoTeste(ibx, Dados("BD/VESK.FDB"));
    ibx.Conectar();
    ibx.ExecutarSQL("DELETE FROM QZLTBT22_PARAMETRO_SISTEMA WHERE DT_VERSAO_SISTEMA = (SELECT "
                    "MAX(DT_VERSAO_SISTEMA) FROM QZLTBT22_PARAMETRO_SISTEMA)");
    ibx.ExecutarSQL("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                    "IC_ESTADO_EMPRESA) VALUES (1, 191, 'R')");
  }
  r = Rodar({"versao"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.erro.contains("anterior à versão " + VersaoPrograma())) << r.erro.toStdString();
  TIbxUtils ibx;
  ConfigurarConexaoTeste(ibx, Dados("BD/VESK.FDB"));
  ibx.Conectar();
  EXPECT_EQ(ibx.AbrirConsulta("SELECT COUNT(*) FROM QZLTBG02_EMPRESA")->Fields(0).AsInteger(), 1);
}
