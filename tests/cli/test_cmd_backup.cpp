// "vesk-cli backup" and "vesk-cli restaurar" end to end, on a database filled
// by the project's generator: the restored copy lists byte for byte like the
// original in isql-fb, and a restore killed while loading changes nothing.
#include "maintenance/BackupTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unUtilitarios.h"

#include <QProcess>
#include <csignal>

namespace {

const QString Cli = QStringLiteral(VESK_BIN_DIR "/vesk-cli");

void Desconectar() {
  delete IbxUtils;
  IbxUtils = nullptr;
}

void Conectar(const QString &banco) {
  ReconectarBanco(banco);
}

// Every row of the 24 tables as isql-fb lists them, each table ordered by
// all its columns; through the server when the suite runs on one (which
// keeps the file open for a while after a killed program).
QByteArray ListagemIsql(const QString &banco, const QHash<QString, int> &colunas) {
  TIbxUtils conexao;
  ConfigurarConexaoTeste(conexao, banco);
  QString script = QStringLiteral("SET LIST ON;\n");
  for (const QString &t : TBackup::MontarListaTabelas()) {
    QStringList ordem;
    for (int i = 1; i <= colunas.value(t); ++i)
      ordem << QString::number(i);
    script += QStringLiteral("SELECT * FROM %1 ORDER BY %2;\n").arg(t, ordem.join(u','));
  }
  QProcess p;
  p.start(QStringLiteral("isql-fb"), {"-q", "-ch", "UTF8", "-user", conexao.Usuario, "-password",
                                      conexao.Senha, conexao.NomeBanco});
  p.write(script.toUtf8());
  p.closeWriteChannel();
  p.waitForFinished(300000);
  return p.readAllStandardOutput() + p.readAllStandardError();
}

} // namespace

class CmdBackupTeste : public BackupTeste {
protected:
  QHash<QString, int> Colunas() {
    QHash<QString, int> r;
    for (const QString &t : TBackup::MontarListaTabelas())
      r[t] = Contar("FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '" + t + "'");
    return r;
  }
};

TEST_F(CmdBackupTeste, IdaEVoltaIdenticaEInterrupcaoNaoAlteraNada) {
  const QHash<QString, int> colunas = Colunas();
  Desconectar();
  QByteArray saida;
  ASSERT_EQ(Rodar("python3",
                  {VESK_SOURCE_DIR "/tools/gerar_base/gerar_base.py", pasta->Arquivo("base.sql"),
                   "--empresas", "10", "--trabalhadores", "800", "--fechamentos", "2", "--quitadas",
                   "0.5", "--completa", "--banco", pasta->Banco()},
                  &saida),
            0)
      << saida.constData();
  const QString zip = pasta->Arquivo("Backup/geral.zip");
  ASSERT_EQ(Rodar(Cli, {"--pasta", pasta->Caminho(), "backup", zip}, &saida), 0)
      << saida.constData();
  EXPECT_TRUE(saida.contains("990252")) << saida.constData();
  EXPECT_EQ(Rodar("unzip", {"-P", SenhaBackup, "-tq", zip}), 0);

  PastaTeste outra;
  ASSERT_EQ(Rodar(Cli, {"--pasta", outra.Caminho(), "restaurar", zip}, &saida), 0)
      << saida.constData();
  EXPECT_TRUE(saida.contains("990255")) << saida.constData();
  // A restore clears the payroll-loan data by design; the original gets the
  // same clean-up, and then every row must be the same.
  Conectar(pasta->Banco());
  Utilitarios.NormalizarConsignados();
  Utilitarios.RemoverConsignados();
  Desconectar();
  const QByteArray original = ListagemIsql(pasta->Banco(), colunas);
  EXPECT_GT(original.count("NU_PIS"), 800);
  EXPECT_EQ(ListagemIsql(outra.Banco(), colunas), original);

  // A restore killed while it loads leaves the database as it was.
  PastaTeste terceira;
  const QByteArray antes = ListagemIsql(terceira.Banco(), colunas);
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(Cli, {"--pasta", terceira.Caminho(), "restaurar", zip});
  QByteArray lido;
  while (!lido.contains("Carregando as tabelas") && p.waitForReadyRead(120000))
    lido += p.readAll();
  ASSERT_TRUE(lido.contains("Carregando as tabelas")) << lido.constData();
  ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
  p.waitForFinished(60000);
  EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(ListagemIsql(terceira.Banco(), colunas), antes);

  Conectar(pasta->Banco());
}

TEST(CmdBackup, UsoErrado) {
  PastaTeste p;
  for (const QStringList &args :
       {QStringList{"backup"}, QStringList{"backup", "a.zip", "b.zip"}, QStringList{"restaurar"},
        QStringList{"restaurar", "--sim", "a.zip"}, QStringList{"restaurar", "a.zip", "b.zip"}}) {
    QByteArray saida;
    EXPECT_EQ(BackupTeste::Rodar(Cli, QStringList{"--pasta", p.Caminho()} + args, &saida), 2)
        << args.join(' ').toStdString();
    EXPECT_TRUE(saida.contains("Uso:")) << saida.constData();
  }
  QByteArray saida;
  EXPECT_EQ(
      BackupTeste::Rodar(Cli, {"--pasta", p.Caminho(), "restaurar", p.Arquivo("nada.zip")}, &saida),
      1);
  EXPECT_TRUE(saida.contains("990251")) << saida.constData();
  EXPECT_EQ(BackupTeste::Rodar(Cli, {"--ajuda"}, &saida), 0);
  EXPECT_TRUE(saida.contains("restaurar ARQUIVO [--nao-revalidar]"));
}
