// The command-line front end's common behaviour: help, exit status and a
// database that another program holds.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unInstalacao.h"

#include <QElapsedTimer>
#include <QProcess>

namespace {
struct Resultado {
  int status;
  QString saida, erro;
};
Resultado Rodar(const QStringList &args) {
  QProcess p;
  p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"), args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

TEST(LinhaComando, AjudaEComandosInvalidos) {
  const Resultado ajuda = Rodar({"--ajuda"});
  EXPECT_EQ(ajuda.status, 0);
  EXPECT_TRUE(ajuda.saida.contains("Uso: vesk-cli")) << ajuda.saida.toStdString();
  EXPECT_NE(Rodar({}).status, 0);
  const Resultado desconhecido = Rodar({"nao-existe"});
  EXPECT_NE(desconhecido.status, 0);
  EXPECT_TRUE(desconhecido.erro.contains("Comando desconhecido: nao-existe"));
  EXPECT_NE(Rodar({"--opcao-estranha", "versao"}).status, 0);
}

TEST(LinhaComando, AbreOBancoDaPastaIndicada) {
  PastaTeste pasta;
  const Resultado r = Rodar({"--pasta", pasta.Caminho(), "versao"});
  EXPECT_EQ(r.status, 0) << r.erro.toStdString();
  EXPECT_EQ(r.saida.trimmed(), VersaoPrograma()); // the build's version is the database's
  PastaTeste vazia(false, true);
  const Resultado sem = Rodar({"--pasta", vazia.Caminho(), "versao"});
  EXPECT_NE(sem.status, 0);
  // Through a server the file is the server's to find.
  EXPECT_TRUE(sem.erro.contains(TesteNoServidor() ? "não foi encontrado no servidor"
                                                  : "Banco de dados não encontrado"))
      << sem.erro.toStdString();
}

TEST_F(BancoTeste, SegundoProgramaRecusadoSemEsperar) {
  // This process holds the database; another program must be told, not hang.
  QElapsedTimer t;
  t.start();
  const Resultado r = Rodar({"--pasta", pasta->Caminho(), "versao"});
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(r.erro.contains("está em uso por outro programa")) << r.erro.toStdString();
  EXPECT_LT(t.elapsed(), 20000);
}
