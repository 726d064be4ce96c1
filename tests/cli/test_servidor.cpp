// The database on a Firebird server: private servers started by
// tools/servidor_teste.sh, the desktop start-up and vesk-cli reaching them
// through MOLT.ini, one program per database, and a clear message for each
// way a connection can fail.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unInicializacao.h"
#include "core/unTexto1252.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A server of the script's own, stopped when the object goes away.
class ServidorPrivado {
public:
  explicit ServidorPrivado(bool criptografia = true) {
    QStringList args{QStringLiteral(VESK_SOURCE_DIR "/tools/servidor_teste.sh"),
                     QStringLiteral("iniciar"), dir_.path()};
    if (!criptografia)
      args << QStringLiteral("--sem-criptografia");
    QProcess p;
    p.start(QStringLiteral("bash"), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
      throw std::runtime_error("o servidor privado não iniciou: " +
                               p.readAllStandardError().toStdString());
    for (const QString &l : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
      if (l.startsWith(QStringLiteral("VESK_SERVIDOR=")))
        Endereco = l.mid(14);
      else if (l.startsWith(QStringLiteral("VESK_SERVIDOR_SENHA=")))
        Senha = l.mid(20);
    }
  }
  ~ServidorPrivado() {
    QProcess p;
    p.start(QStringLiteral("bash"), {QStringLiteral(VESK_SOURCE_DIR "/tools/servidor_teste.sh"),
                                     QStringLiteral("parar"), dir_.path()});
    p.waitForFinished(60000);
  }
  QString Nome(const QString &arquivo) const { return Endereco + u':' + arquivo; }
  QString Endereco;
  QString Senha;

private:
  QTemporaryDir dir_;
};

struct TSaida {
  int status;
  QString saida, erro;
  qint64 ms;
};

TSaida RodarCli(const QStringList &args) {
  QElapsedTimer t;
  t.start();
  QProcess p;
  p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"), args);
  p.waitForFinished(120000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError()), t.elapsed()};
}

class ServidorTeste : public ::testing::Test {
protected:
  static void SetUpTestSuite() { servidor = new ServidorPrivado(); }
  static void TearDownTestSuite() {
    delete servidor;
    servidor = nullptr;
  }
  void TearDown() override { EncerrarBanco(); }

  // A program folder whose MOLT.ini names its copy of the database on the
  // server (or `banco` when given).
  void Preparar(const QString &banco = {}, const QString &senha = {}) {
    pasta = std::make_unique<PastaTeste>();
    DefinirPastaPrograma(pasta->Caminho());
    pasta->EscreverArquivo(
        QStringLiteral("MOLT.ini"),
        ("LOGSQL=S\r\nBANCO=" + (banco.isEmpty() ? servidor->Nome(pasta->Banco()) : banco) +
         "\r\nUSUARIO=SYSDBA\r\nSENHA=" + (senha.isEmpty() ? servidor->Senha : senha) + "\r\n")
            .toUtf8());
  }
  QString Log(const QString &nome) const { return DeWin1252(pasta->LerArquivo(nome)); }

  static ServidorPrivado *servidor;
  std::unique_ptr<PastaTeste> pasta;
};
ServidorPrivado *ServidorTeste::servidor = nullptr;

QString Primeiro(const QString &sql) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  return ds->IsEmpty() ? QString() : ds->Fields(0).AsString().trimmed();
}

} // namespace

TEST_F(ServidorTeste, ProgramaCriptografadoSoUmPorBanco) {
  Preparar();
  RespostasDialogo dialogos;
  ASSERT_TRUE(ConectarBancoPrograma());
  EXPECT_TRUE(dialogos.mostrados.empty());
  EXPECT_EQ(IbxUtils->NomeBanco, servidor->Nome(pasta->Banco()));
  EXPECT_EQ(Primeiro("SELECT RDB$GET_CONTEXT('SYSTEM', 'WIRE_ENCRYPTED') FROM RDB$DATABASE"),
            QStringLiteral("TRUE"));
  EXPECT_EQ(Primeiro("SELECT RDB$GET_CONTEXT('SYSTEM', 'NETWORK_PROTOCOL') FROM RDB$DATABASE"),
            QStringLiteral("TCPv4"));
  EXPECT_TRUE(Primeiro("SELECT MON$AUTH_METHOD FROM MON$ATTACHMENTS "
                       "WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION")
                  .startsWith(QStringLiteral("Srp")));

  // A second program, from the same MOLT.ini or named on its command line,
  // is refused at once; so is a second lock in this process.
  for (const QStringList &args : {QStringList{"--pasta", pasta->Caminho(), "versao"},
                                  QStringList{"--pasta", pasta->Caminho(), "--banco",
                                              servidor->Nome(pasta->Banco()), "versao"}}) {
    const TSaida s = RodarCli(args);
    EXPECT_EQ(s.status, 1) << s.saida.toStdString();
    EXPECT_TRUE(s.erro.contains(QStringLiteral("está em uso por outro programa")))
        << s.erro.toStdString();
    EXPECT_LT(s.ms, 10000);
  }
  {
    // The desktop start-up of a second program: the message a desktop gets
    // for a file that another program holds, Firebird's text in the log.
    TIbxUtils *primeiro = IbxUtils;
    IbxUtils = nullptr;
    RespostasDialogo segundo;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ConectarBancoPrograma());
    EXPECT_LT(t.elapsed(), 10000);
    delete IbxUtils;
    IbxUtils = primeiro;
    ASSERT_EQ(segundo.mostrados.size(), 1u);
    EXPECT_EQ(segundo.mostrados[0].Texto,
              QStringLiteral("Ocorreu um erro ao tentar acessar o banco de dados."));
    // Firebird words the refused row either way, depending on timing.
    const QString log = Log("LogErro.log");
    EXPECT_TRUE(log.contains(QStringLiteral("Erro Técnico: lock conflict")) ||
                log.contains(QStringLiteral("Erro Técnico: deadlock")))
        << log.toStdString();
  }
  {
    TIbxUtils outro;
    ConfigurarConexaoBanco(outro, Configuracao);
    outro.Conectar();
    try {
      outro.BloquearUsoExclusivo();
      ADD_FAILURE() << "o segundo bloqueio foi aceito";
    } catch (const EBancoDados &e) {
      EXPECT_TRUE(BancoEmUso(e)) << e.what();
    }
  }
  // The first program's work goes on, and once it leaves the next one enters.
  EXPECT_EQ(IbxUtils->ExecutarSQL("UPDATE QZLTBT22_PARAMETRO_SISTEMA SET DT_VERSAO_SISTEMA = "
                                  "DT_VERSAO_SISTEMA"),
            Primeiro("SELECT COUNT(*) FROM QZLTBT22_PARAMETRO_SISTEMA").toInt());
  EncerrarBanco();
  const TSaida s = RodarCli({"--pasta", pasta->Caminho(), "versao"});
  EXPECT_EQ(s.status, 0) << s.erro.toStdString();
  EXPECT_FALSE(s.saida.trimmed().isEmpty());

  // The logs name the database, never the password.
  const QString sql = Log("MOLTBD.log");
  EXPECT_TRUE(sql.contains(QStringLiteral("Banco de dados: ") + servidor->Nome(pasta->Banco())))
      << sql.toStdString();
  EXPECT_FALSE(sql.contains(servidor->Senha));
  EXPECT_FALSE(Log("LogErro.log").contains(servidor->Senha));
}

TEST_F(ServidorTeste, CadaFalhaDeConexaoTemSuaMensagem) {
  ServidorPrivado semCriptografia(false);
  // A port nothing listens on: taken and let go again.
  int fechada = 0;
  {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr *>(&a), n), 0);
    ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &n);
    fechada = ntohs(a.sin_port);
    ::close(s);
  }
  const struct {
    const char *caso;
    int banco; // 0 the copy, 1 a missing file, 2 the closed port, 3 no encryption
    bool senhaErrada;
    const char *mensagem;
  } casos[] = {
      {"senha errada", 0, true, "recusou o usuário ou a senha"},
      {"banco inexistente", 1, false, "não foi encontrado no servidor"},
      {"servidor inacessível", 2, false, "Não foi possível conectar ao servidor de banco de dados"},
      {"servidor sem criptografia", 3, false, "não aceitou uma conexão criptografada"},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.caso);
    pasta = std::make_unique<PastaTeste>();
    QString banco = servidor->Nome(pasta->Banco());
    if (c.banco == 1)
      banco = servidor->Nome(pasta->Arquivo("BD/NAO_EXISTE.FDB"));
    else if (c.banco == 2)
      banco = QStringLiteral("127.0.0.1/%1:%2").arg(fechada).arg(pasta->Banco());
    else if (c.banco == 3)
      banco = semCriptografia.Nome(pasta->Banco());
    const QString senha = c.senhaErrada  ? QStringLiteral("errada123")
                          : c.banco == 3 ? semCriptografia.Senha
                                         : servidor->Senha;
    Preparar(banco, senha);
    RespostasDialogo dialogos;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ConectarBancoPrograma());
    EXPECT_LT(t.elapsed(), 10000);
    ASSERT_EQ(dialogos.mostrados.size(), 1u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.contains(QString::fromUtf8(c.mensagem)))
        << dialogos.mostrados[0].Texto.toStdString();
    // The log keeps the message and Firebird's own text, never the password.
    const QString log = Log("LogErro.log");
    EXPECT_TRUE(log.contains(QStringLiteral("Erro: ") + dialogos.mostrados[0].Texto))
        << log.toStdString();
    const int tecnico = log.indexOf(QStringLiteral("Erro Técnico: "));
    ASSERT_GE(tecnico, 0);
    EXPECT_GT(log.indexOf(u'\r', tecnico) - tecnico, 20) << log.toStdString();
    EXPECT_FALSE(log.contains(senha));
    EncerrarBanco();

    // The command line says the same, with Firebird's text as the detail.
    const TSaida s = RodarCli({"--pasta", pasta->Caminho(), "versao"});
    EXPECT_EQ(s.status, 1);
    EXPECT_TRUE(s.erro.contains(QString::fromUtf8(c.mensagem))) << s.erro.toStdString();
    EXPECT_TRUE(s.erro.contains(QStringLiteral("Detalhe: "))) << s.erro.toStdString();
    EXPECT_FALSE(s.erro.contains(senha));
  }
}

TEST_F(ServidorTeste, ServidorMudoDesisteNoTempoLimite) {
  // Accepts connections (the kernel completes them) and never answers.
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t n = sizeof a;
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr *>(&a), n), 0);
  ASSERT_EQ(::listen(s, 8), 0);
  ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &n);
  pasta = std::make_unique<PastaTeste>();
  Preparar(QStringLiteral("127.0.0.1/%1:%2").arg(ntohs(a.sin_port)).arg(pasta->Banco()));
  RespostasDialogo dialogos;
  QElapsedTimer t;
  t.start();
  EXPECT_FALSE(ConectarBancoPrograma());
  const qint64 ms = t.elapsed();
  ::close(s);
  EXPECT_GE(ms, (TempoLimiteConexaoSegundos - 1) * 1000);
  EXPECT_LT(ms, (TempoLimiteConexaoSegundos + 5) * 1000);
  ASSERT_EQ(dialogos.mostrados.size(), 1u);
  EXPECT_TRUE(dialogos.mostrados[0].Texto.contains(
      QStringLiteral("Não foi possível conectar ao servidor de banco de dados 127.0.0.1/")))
      << dialogos.mostrados[0].Texto.toStdString();
}
