// What an interrupted, refused or odd run leaves behind: the previous list of
// inconsistencies stays until a new one is written, and files that are not
// plain files, or are far too large, are refused before anything is read.
#include "support/ConexaoTeste.h"
#include "support/FolhaTeste.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <sys/stat.h>

namespace {
std::vector<int> Mensagens(const std::vector<TInconsistenciaLida> &l) {
  std::vector<int> m;
  for (const auto &i : l)
    m.push_back(i.Mensagem);
  return m;
}
} // namespace

TEST_F(FolhaTeste, ListaAnteriorFicaAteANovaSerGravada) {
  const QStringList valido =
      Gerar({"--empresas", "2", "--vinculos", "6", "--complementos", "0.5", "--semente", "3"});
  QStringList sexo = valido;
  Trocar(sexo, 3, 136, QStringLiteral("7"));
  ASSERT_FALSE(Importar(Gravar(sexo, QStringLiteral("sexo.re"))));
  const std::vector<int> primeira = Mensagens(Inconsistencias());
  ASSERT_EQ(primeira, std::vector<int>{122});

  // Cancelled in every pass of a valid file, and in the checks of another
  // refused one (its own inconsistency already recorded when the cancel
  // comes): the list of the last refused file is untouched.
  QStringList remessa = valido;
  Trocar(remessa, 1, 54, QStringLiteral("1"));
  const int n = valido.size();
  const std::vector<int> passos{1, 2 * n + 1, 3 * n + 1, 4 * n + 2};
  for (const auto &[arquivo, cancelamentos] :
       {std::pair{Gravar(valido, QStringLiteral("valido.re")), passos},
        std::pair{Gravar(remessa, QStringLiteral("rem.re")), std::vector<int>{1, 3 * n + 2}}}) {
    for (int em : cancelamentos) {
      SCOPED_TRACE(arquivo.toStdString() + " " + std::to_string(em));
      TProgressoTeste p;
      p.CancelarEm = em;
      EXPECT_FALSE(Importar(arquivo, &p));
      EXPECT_EQ(Mensagens(Inconsistencias()), primeira);
      EXPECT_EQ(LinhasCadastro(), 0);
    }
  }
  // A new refusal replaces the list as a whole; a file that cannot be opened
  // is a refusal too.
  EXPECT_FALSE(Importar(Gravar(remessa, QStringLiteral("rem.re"))));
  EXPECT_EQ(Mensagens(Inconsistencias()), std::vector<int>{131});
  EXPECT_FALSE(Importar(pasta->Arquivo(QStringLiteral("nenhum.re"))));
  EXPECT_EQ(Mensagens(Inconsistencias()), std::vector<int>{151});
  // A missing message row stops the run before its first row: the old list stays.
  Executar("DELETE FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 122");
  EXPECT_FALSE(Importar(Gravar(sexo, QStringLiteral("sexo.re"))));
  EXPECT_EQ(folha->CodigoErro, QStringLiteral("0396"));
  EXPECT_EQ(Mensagens(Inconsistencias()), std::vector<int>{151});
  // A successful import leaves an empty list, in the transaction of its data.
  EXPECT_TRUE(Importar(Gravar(valido, QStringLiteral("valido.re"))));
  EXPECT_TRUE(Inconsistencias().empty());
  EXPECT_FALSE(folha->LimpezaPendente());
}

TEST_F(FolhaTeste, FalhaNaGravacaoSubstituiALista) {
  // A write refused by the database in the last pass: the list of that run
  // (message 250) replaces the earlier one, and nothing of the file stays.
  QStringList sexo = Gerar({"--vinculos", "2", "--semente", "5"});
  const QStringList valido = sexo;
  Trocar(sexo, 3, 136, QStringLiteral("7"));
  ASSERT_FALSE(Importar(Gravar(sexo, QStringLiteral("sexo.re"))));
  Executar("CREATE EXCEPTION EX_TESTE 'recusado pelo teste'");
  Executar("CREATE TRIGGER TR_TESTE FOR QZLTBG06_INFORMACAO_RESCISAO BEFORE INSERT AS "
           "BEGIN EXCEPTION EX_TESTE; END");
  EXPECT_FALSE(Importar(Gravar(valido)));
  EXPECT_EQ(Mensagens(Inconsistencias()), std::vector<int>{250});
  EXPECT_EQ(LinhasCadastro(), 0);
}

TEST_F(FolhaTeste, SoArquivosComunsSaoLidos) {
  // A named pipe would block the open for ever; a device would be read
  // without end; a folder is no file. Each is refused at once with 151.
  const QString fifo = pasta->Arquivo(QStringLiteral("fila.re"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString dir = pasta->Arquivo(QStringLiteral("pasta.re"));
  ASSERT_TRUE(QDir().mkpath(dir));
  for (const QString &caminho : {fifo, QStringLiteral("/dev/zero"), dir}) {
    SCOPED_TRACE(caminho.toStdString());
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_FALSE(Importar(caminho));
    EXPECT_LT(relogio.elapsed(), 1000);
    const auto inc = Inconsistencias();
    ASSERT_EQ(inc.size(), 1u);
    EXPECT_EQ(inc[0].Mensagem, 151);
    EXPECT_EQ(inc[0].Conteudo, caminho);
  }
  // A link to a plain file is read as that file.
  const QString alvo = Gravar(Gerar({"--vinculos", "1"}));
  const QString elo = pasta->Arquivo(QStringLiteral("elo.re"));
  ASSERT_TRUE(QFile::link(alvo, elo));
  EXPECT_TRUE(Importar(elo));
}

TEST_F(FolhaTeste, ArquivoAcimaDoLimiteERecusadoSemSerLido) {
  // The limit itself is read; one byte more is refused before any line.
  TArqFolha a;
  a.TamanhoMaximo = 10;
  pasta->EscreverArquivo(QStringLiteral("dez.txt"), QByteArray("123456789\n"));
  a.NomeArquivo = pasta->Arquivo(QStringLiteral("dez.txt"));
  EXPECT_TRUE(a.Abrir());
  EXPECT_EQ(a.ErroAbertura, 0);
  a.Fechar();
  pasta->EscreverArquivo(QStringLiteral("onze.txt"), QByteArray("1234567890\n"));
  a.NomeArquivo = pasta->Arquivo(QStringLiteral("onze.txt"));
  EXPECT_FALSE(a.Abrir());
  EXPECT_EQ(a.ErroAbertura, 651);
  EXPECT_TRUE(a.Linhas.isEmpty());

  // The default limit on a sparse file: no memory is spent on it.
  const QString grande = pasta->Arquivo(QStringLiteral("grande.re"));
  {
    QFile f(grande);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(TArquivo::TamanhoMaximoPadrao + 1));
  }
  EXPECT_FALSE(Importar(grande));
  const auto inc = Inconsistencias();
  ASSERT_EQ(inc.size(), 1u);
  EXPECT_EQ(inc[0].Mensagem, 651);
  EXPECT_EQ(folha->CodigoErro, QStringLiteral("0651"));
}

namespace {
// vesk-cli run on the fixture's folder, the database released by the test.
class CliInterrompido : public FolhaTeste {
protected:
  QString Cli() const { return QStringLiteral(VESK_BIN_DIR "/vesk-cli"); }
  void Soltar() {
    delete IbxUtils;
    IbxUtils = nullptr;
  }
  void Reconectar() { ReconectarBanco(pasta->Banco()); }
  void Iniciar(QProcess &p, const QString &arquivo) {
    p.start(Cli(), {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("importar-folha"),
                    arquivo});
    ASSERT_TRUE(p.waitForStarted());
  }
  // Waits until the command's plain progress lines show `etapa`.
  bool Aguardar(QProcess &p, const QString &etapa, QString &saida) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 120000) {
      saida += QString::fromUtf8(p.readAllStandardOutput());
      if (saida.contains(etapa))
        return true;
      if (p.state() == QProcess::NotRunning)
        return false;
      p.waitForReadyRead(100);
    }
    return false;
  }
};
} // namespace

TEST_F(CliInterrompido, SinalDuranteAImportacaoNaoGravaNadaEGuardaALista) {
  if (!QFileInfo::exists(Cli()))
    GTEST_SKIP() << "vesk-cli não compilado";
  // The list of the last refused file, and a file long enough to be caught
  // in the middle of its checks or of its writing.
  QStringList recusado = Gerar({"--vinculos", "2", "--semente", "4"});
  Trocar(recusado, 3, 136, QStringLiteral("7"));
  const QString ruim = Gravar(recusado, QStringLiteral("ruim.re"));
  const QString grande = Gravar(Gerar({"--empresas", "20", "--vinculos", "6000", "--semente", "8"}),
                                QStringLiteral("grande.re"));
  Soltar();
  {
    QProcess p;
    Iniciar(p, ruim);
    p.waitForFinished(120000);
    ASSERT_EQ(p.exitCode(), 1);
  }
  Reconectar();
  const std::vector<int> lista = Mensagens(Inconsistencias());
  ASSERT_EQ(lista, std::vector<int>{122});

  const struct {
    int sinal;
    const char *etapa;
    int status; // -1: killed, no status of its own
    const char *mensagem;
  } casos[] = {
      {SIGKILL, "Validando informações...", -1, ""},
      // Killed while writing: its transaction goes with it (on a server,
      // with its connection, which also frees the database for the next
      // program of this table).
      {SIGKILL, "Incluindo informações na base...", -1, ""},
      {SIGINT, "Validando informações...", 130, "Importação cancelada; nada foi gravado."},
      {SIGTERM, "Incluindo informações na base...", 143, "interrompido pelo sinal SIGTERM"},
      {SIGHUP, "Incluindo informações na base...", 129, "interrompido pelo sinal SIGHUP"},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.sinal);
    Soltar();
    QProcess p;
    Iniciar(p, grande);
    QString saida;
    ASSERT_TRUE(Aguardar(p, QString::fromUtf8(c.etapa), saida)) << saida.toStdString();
    ::kill(static_cast<pid_t>(p.processId()), c.sinal);
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString erro = QString::fromUtf8(p.readAllStandardError());
    if (c.status < 0) {
      EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
    } else {
      EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
      EXPECT_EQ(p.exitCode(), c.status) << erro.toStdString();
      EXPECT_TRUE(erro.contains(QString::fromUtf8(c.mensagem))) << erro.toStdString();
      EXPECT_FALSE(erro.contains(QStringLiteral("recusado"))) << erro.toStdString();
    }
    Reconectar();
    // On a server the program's lock went with its connection: this
    // connection takes it at once (nothing to take for an embedded file).
    EXPECT_NO_THROW(IbxUtils->BloquearUsoExclusivo());
    EXPECT_EQ(LinhasCadastro(), 0);
    EXPECT_EQ(Mensagens(Inconsistencias()), lista);
  }
}

TEST_F(CliInterrompido, CaractereDeControleImpressoVisivel) {
  if (!QFileInfo::exists(Cli()))
    GTEST_SKIP() << "vesk-cli não compilado";
  // A NUL inside a worker's name: refused (93), printed as \x00, and the
  // next inconsistency still starts its own line; the stored content keeps
  // the byte.
  QStringList linhas = Gerar({"--vinculos", "2", "--semente", "4"});
  Trocar(linhas, 3, 55, QString(QChar(0)));
  Trocar(linhas, 4, 136, QStringLiteral("7"));
  const QString arquivo = Gravar(linhas, QStringLiteral("nul.re"));
  Soltar();
  QProcess p;
  Iniciar(p, arquivo);
  ASSERT_TRUE(p.waitForFinished(120000));
  const QString erro = QString::fromUtf8(p.readAllStandardError());
  Reconectar();
  EXPECT_EQ(p.exitCode(), 1);
  const QStringList saida = erro.split(u'\n');
  const auto nul = std::find_if(saida.begin(), saida.end(), [](const QString &l) {
    return l.startsWith(QStringLiteral("linha 3 ")) && l.contains(QStringLiteral("\\x00"));
  });
  ASSERT_NE(nul, saida.end()) << erro.toStdString();
  EXPECT_TRUE(nul->contains(QStringLiteral("mensagem 0093"))) << nul->toStdString();
  ASSERT_NE(nul + 1, saida.end());
  EXPECT_TRUE((nul + 1)->startsWith(QStringLiteral("linha 4  registro 40  mensagem 0122")))
      << erro.toStdString();
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = 93 AND "
                   "POSITION(ASCII_CHAR(0) IN DE_CONTEUDO_CAMPO) > 0"),
            1);
}

TEST_F(FolhaTeste, ByteSemCaractereNaPaginaFicaLegivelNaLista) {
  // 0x8F has no character in the Western code page: the list row that
  // reports it must still be written (the file is never refused without its
  // list), with the byte shown as \x8F.
  const QString caminho = Gravar(Gerar({"--vinculos", "1", "--semente", "2"}));
  QByteArray dados = pasta->LerArquivo(QStringLiteral("VESK.re"));
  const qsizetype linha3 = dados.indexOf("\r\n40") + 2;
  dados[linha3 + 330] = '\x8F'; // in the blanks of the worker record
  pasta->EscreverArquivo(QStringLiteral("VESK.re"), dados);
  EXPECT_FALSE(Importar(caminho));
  const auto inc = Inconsistencias();
  ASSERT_EQ(inc.size(), 1u);
  EXPECT_EQ(inc[0].Mensagem, 9);
  EXPECT_TRUE(inc[0].Conteudo.contains(QStringLiteral("\\x8F"))) << inc[0].Conteudo.toStdString();
}
