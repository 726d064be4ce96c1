// "vesk-cli carregar-saldo" end to end: the built executable on a copy of the
// database, with the simulated bank's answer to the imported links.
#include "support/ConexaoTeste.h"
#include "support/EnvelopeTeste.h"
#include "support/SaldoTeste.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <csignal>

namespace {
struct TSaida {
  int Status = -1;
  QString Texto, Erro;
};
} // namespace

class CmdCarregarSaldoTeste : public SaldoTeste {
protected:
  void Soltar() {
    delete IbxUtils;
    IbxUtils = nullptr;
  }
  void Reconectar() { ReconectarBanco(pasta->Banco()); }
  QStringList Base() const {
    return {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("carregar-saldo")};
  }
  TSaida Rodar(const QStringList &args) {
    Soltar();
    QProcess p;
    p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"), Base() + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    TSaida s{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
             QString::fromUtf8(p.readAllStandardError())};
    Reconectar();
    return s;
  }
  int Contas() { return Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT")); }
  int Vinculos() { return Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO")); }
  QString Retrato() {
    return Valor(QStringLiteral(
        "SELECT LIST(C) FROM (SELECT NU_PIS || ':' || NU_EMPREGADO_VORDA || ':' || "
        "VR_SALDO_RESCISORIO AS C FROM QZLTBG10_CONTA_EMPREGADO_ZELT ORDER BY NU_PIS, "
        "NU_EMPREGADO_VORDA)"));
  }
};

TEST_F(CmdCarregarSaldoTeste, PendentesListadosEAplicadosSoQuandoPedido) {
  ImportarFolha();
  const QString pis = Valor(
      QStringLiteral("SELECT FIRST 1 NU_PIS FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY NU_PIS"));
  Executar(QStringLiteral(
               "UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE NU_PIS = ") +
           pis);
  const QString arquivo = Responder({QStringLiteral("--contas"), QStringLiteral("2")});
  TSaida s = Rodar({arquivo});
  EXPECT_EQ(s.Status, 1) << s.Texto.toStdString() << s.Erro.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Contas gravadas: %1").arg(2 * (Vinculos() - 1))))
      << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Contas à parte: 2")));
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("PIS ") + pis.rightJustified(11, u'0')));
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("fechado  2 conta(s)"))) << s.Texto.toStdString();
  EXPECT_EQ(Contas(), 2 * (Vinculos() - 1));

  s = Rodar({arquivo, QStringLiteral("--confirmar-pendentes")});
  EXPECT_EQ(s.Status, 0) << s.Texto.toStdString() << s.Erro.toStdString();
  EXPECT_EQ(Contas(), 2 * Vinculos());
  EXPECT_EQ(
      Valor(QStringLiteral(
                "SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = ") +
            pis),
      QStringLiteral("0"));
}

TEST_F(CmdCarregarSaldoTeste, InconsistenciasListadas) {
  ImportarFolha();
  const TSaida s = Rodar({Responder({QStringLiteral("--falha"), QStringLiteral("saldo-inativa")})});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("linha 3  registro 02  mensagem 0379")))
      << s.Erro.toStdString();
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("CT0253"))) << s.Erro.toStdString();
  EXPECT_EQ(Rodar({}).Status, 2);
}

// A load killed while it stores leaves every balance as it was before it.
TEST_F(CmdCarregarSaldoTeste, Kill9DuranteAGravacaoNaoMudaNada) {
  ImportarFolha({QStringLiteral("--empresas"), QStringLiteral("4"), QStringLiteral("--vinculos"),
                 QStringLiteral("3000"), QStringLiteral("--semente"), QStringLiteral("11")});
  ASSERT_TRUE(Carregar(Responder({QStringLiteral("--contas"), QStringLiteral("2")})));
  const QString antes = Retrato();
  const QString outro = Responder({QStringLiteral("--contas"), QStringLiteral("2"),
                                   QStringLiteral("--semente"), QStringLiteral("5")},
                                  nullptr, QStringLiteral("outro.txt"));
  Soltar();
  QProcess p;
  p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"), Base() + QStringList{outro});
  ASSERT_TRUE(p.waitForStarted());
  QByteArray saida;
  QElapsedTimer relogio;
  relogio.start();
  while (!saida.contains("Incluindo informações na base...") && relogio.elapsed() < 120000 &&
         p.state() == QProcess::Running) {
    p.waitForReadyRead(50);
    saida += p.readAllStandardOutput();
  }
  ASSERT_EQ(p.state(), QProcess::Running) << saida.toStdString();
  ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
  p.waitForFinished(30000);
  EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
  Reconectar();
  EXPECT_EQ(Retrato(), antes);
}

// The road on the command line: import with the request, the bank's answer to
// that request, the load; and a request from the stored links.
TEST_F(CmdCarregarSaldoTeste, ImportarSolicitarECarregar) {
  const QString folha = Gravar(Gerar({QStringLiteral("--empresas"), QStringLiteral("2"),
                                      QStringLiteral("--vinculos"), QStringLiteral("5")}),
                               QStringLiteral("folha.re"));
  arquivoFolha = folha;
  InstalarSelador(pasta->Caminho());
  Soltar();
  QProcess p;
  p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"),
          {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("importar-folha"), folha,
           QStringLiteral("--solicitar-saldo"),
           pasta->Arquivo(QStringLiteral("SolicitacaoIS.HXF"))});
  ASSERT_TRUE(p.waitForFinished(120000));
  const QString saida = QString::fromUtf8(p.readAllStandardOutput());
  ASSERT_EQ(p.exitCode(), 0) << saida.toStdString() << p.readAllStandardError().toStdString();
  Reconectar();
  const QString id = Valor(QStringLiteral("SELECT NU_IDENTIFICADOR_ARQUIVO FROM QZLTBG13_ARQUIVO "
                                          "WHERE NU_ARQUIVO = 7"));
  ASSERT_EQ(id.size(), 30);
  EXPECT_TRUE(saida.contains(id)) << saida.toStdString();
  // The request leaves sealed, and the bank answers the envelope.
  solicitacao = pasta->Arquivo(QStringLiteral("SolicitacaoIS.HXF"));
  ASSERT_TRUE(QFile::exists(solicitacao));
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("SolicitacaoIS.HX"))));
  const TSaida s = Rodar({Responder({QStringLiteral("--contas"), QStringLiteral("2")})});
  EXPECT_EQ(s.Status, 0) << s.Texto.toStdString() << s.Erro.toStdString();
  EXPECT_EQ(Contas(), 2 * Vinculos());
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(id)),
            QStringLiteral("S"));

  // A request of one employer's links from the command line.
  const QString insc = Valor(QStringLiteral(
      "SELECT FIRST 1 NU_INSCRICAO FROM QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA IN ('E', 'A')"));
  const QString tipo = Valor(
      QStringLiteral("SELECT NU_TIPO_INSO_EMPRA FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = ") +
      insc);
  QDir(pasta->Caminho()).mkpath(QStringLiteral("outra"));
  Soltar();
  QProcess q;
  q.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"),
          {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("solicitar-saldo"),
           QStringLiteral("--empresa"), tipo + u',' + insc, QStringLiteral("--saida"),
           pasta->Arquivo(QStringLiteral("outra/SolicitacaoIS.HXF"))});
  ASSERT_TRUE(q.waitForFinished(60000));
  EXPECT_EQ(q.exitCode(), 0) << q.readAllStandardError().toStdString();
  const QString novo = QString::fromUtf8(q.readAllStandardOutput()).trimmed();
  Reconectar();
  EXPECT_EQ(novo.size(), 30);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = "
                                  "'%1'")
                       .arg(novo)),
            1);
  EXPECT_EQ(Rodar({}).Status, 2);
}
