// The desktop program asked to end by the system (a logout sends SIGTERM):
// it ends as after "Sair", with its own status and message, and leaves the
// database as it was and free for the next program.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>

TEST(SinalPrograma, EncerraComoAoSairComStatusEMensagem) {
  const QString programa = QStringLiteral(VESK_BIN_DIR "/vesk");
  if (!QFileInfo::exists(programa))
    GTEST_SKIP() << "vesk não compilado";
  for (int sinal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sinal);
    // The program runs from its own folder, beside the database and MOLT.ini;
    // the SQL log tells when it has reached its first window.
    PastaTeste pasta;
    pasta.EscreverArquivo(QStringLiteral("MOLT.ini"), "LOGSQL=S\r\n");
    const QString copia = pasta.Arquivo(QStringLiteral("vesk"));
    ASSERT_TRUE(QFile::copy(programa, copia));
    QProcess p;
    QProcessEnvironment amb = QProcessEnvironment::systemEnvironment();
    amb.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(amb);
    p.start(copia, {});
    ASSERT_TRUE(p.waitForStarted());
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60000 &&
           !pasta.LerArquivo(QStringLiteral("MOLTBD.log")).contains("QZLTBG02_EMPRESA"))
      p.waitForFinished(100);
    ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    p.waitForFinished(300); // the first window's loop is running
    ::kill(static_cast<pid_t>(p.processId()), sinal);
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString erro = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 128 + sinal) << erro.toStdString();
    EXPECT_TRUE(erro.contains(QStringLiteral("interrompido pelo sinal"))) << erro.toStdString();
    // Closed: another program opens it at once.
    TIbxUtils ibx;
    ConfigurarConexaoTeste(ibx, pasta.Banco());
    EXPECT_NO_THROW(ibx.Conectar());
    EXPECT_EQ(ibx.AbrirConsulta(QStringLiteral("SELECT COUNT(*) FROM QZLTBG02_EMPRESA"))
                  ->Fields(0)
                  .AsInteger(),
              0);
    ibx.Desconectar();
  }
}
