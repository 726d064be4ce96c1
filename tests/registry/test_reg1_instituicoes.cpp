// Update of the payroll-loan institution table from a file fetched by HTTP,
// against a one-shot server on the loopback interface.
#include "core/unTexto1252.h"
#include "registry/unInstituicaoConsignataria.h"
#include "support/BancoTeste.h"

#include <QDir>
#include <QElapsedTimer>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// Answers one request on 127.0.0.1 with a fixed reply (or keeps silent), then
// closes. Every wait is bounded so a broken client cannot hang the test.
class ServidorUmaVez {
public:
  explicit ServidorUmaVez(QByteArray resposta, bool mudo = false)
      : resposta_(std::move(resposta)), mudo_(mudo) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in end{};
    end.sin_family = AF_INET;
    end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    end.sin_port = 0;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr *>(&end), sizeof end) != 0 ||
        listen(fd_, 1) != 0)
      throw std::runtime_error("não foi possível abrir o servidor de teste");
    socklen_t tam = sizeof end;
    getsockname(fd_, reinterpret_cast<sockaddr *>(&end), &tam);
    porta_ = ntohs(end.sin_port);
    thread_ = std::thread([this] { Atender(); });
  }
  ~ServidorUmaVez() {
    thread_.join();
    close(fd_);
  }
  int Porta() const { return porta_; }

private:
  void Atender() {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, 10000) <= 0)
      return;
    const int cliente = accept(fd_, nullptr, nullptr);
    if (cliente < 0)
      return;
    QByteArray pedido;
    char buf[1024];
    while (!pedido.contains("\r\n\r\n")) {
      pollfd c{cliente, POLLIN, 0};
      if (poll(&c, 1, 5000) <= 0)
        break;
      const ssize_t n = recv(cliente, buf, sizeof buf, 0);
      if (n <= 0)
        break;
      pedido.append(buf, static_cast<int>(n));
    }
    if (mudo_) {
      // Holds the connection without answering until the client gives up.
      pollfd c{cliente, POLLIN, 0};
      poll(&c, 1, 5000);
    } else {
      send(cliente, resposta_.constData(), static_cast<size_t>(resposta_.size()), MSG_NOSIGNAL);
    }
    close(cliente);
  }

  QByteArray resposta_;
  bool mudo_;
  int fd_ = -1;
  int porta_ = 0;
  std::thread thread_;
};

QByteArray Http(const char *status, const QByteArray &corpo) {
  return QByteArray("HTTP/1.1 ") + status +
         "\r\nContent-Length: " + QByteArray::number(corpo.size()) +
         "\r\nConnection: close\r\n\r\n" + corpo;
}

// A loopback port with nobody listening.
int PortaFechada() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in end{};
  end.sin_family = AF_INET;
  end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr *>(&end), sizeof end);
  socklen_t tam = sizeof end;
  getsockname(fd, reinterpret_cast<sockaddr *>(&end), &tam);
  close(fd);
  return ntohs(end.sin_port);
}

class Reg1Instituicoes : public BancoTeste {
protected:
  void Configurar(int porta) {
    pasta->EscreverArquivo(QStringLiteral("confServer.txt"),
                           "http://127.0.0.1:" + QByteArray::number(porta) +
                               "\r\n/publico/instituicoes.txt\r\n");
  }
  QString Descricao(const char *codigo) {
    return Valor(QStringLiteral("SELECT DE_INSTITUICAO_CNSGTRA FROM QZLTBT24_INSTITUICAO_CNSGTRA "
                                "WHERE CO_INSTITUICAO_CNSGTRA = '%1'")
                     .arg(QLatin1String(codigo)));
  }
};

TEST_F(Reg1Instituicoes, ArquivoBomAtualizaEInclui) {
  const QByteArray corpo =
      ParaWin1252(QStringLiteral("00788Banco Litoral Consignados S.A. - Novo Nome\r\n"
                                 "  123Cooperativa de Crédito D'Oeste\r\n"
                                 "\r\n"));
  ServidorUmaVez servidor(Http("200 OK", corpo));
  Configurar(servidor.Porta());
  pasta->EscreverArquivo(QStringLiteral("instituicoes.txt"), "copia antiga");
  const int antes = Contar("FROM QZLTBT24_INSTITUICAO_CNSGTRA");

  std::vector<int> posicoes;
  TAtualizacaoInstituicoes a;
  a.Progresso = [&](const QString &, int p) { posicoes.push_back(p); };
  ASSERT_TRUE(a.Executar()) << a.CodigoErro.toStdString();
  EXPECT_EQ(a.LinhasGravadas, 2);
  EXPECT_EQ(Descricao("00788"), QStringLiteral("Banco Litoral Consignados S.A. - Novo Nome"));
  EXPECT_EQ(Descricao("00123"), QStringLiteral("Cooperativa de Crédito D'Oeste"));
  EXPECT_EQ(Contar("FROM QZLTBT24_INSTITUICAO_CNSGTRA"), antes + 1);
  EXPECT_EQ(pasta->LerArquivo(QStringLiteral("instituicoes.txt")), corpo);
  EXPECT_TRUE(a.Instituicoes.contains(QStringLiteral("00123 - Cooperativa de Crédito D'Oeste")));
  EXPECT_EQ(posicoes.back(), 100);
}

TEST_F(Reg1Instituicoes, LinhasMalFormadasSaoIgnoradas) {
  const QByteArray corpo = "12\r\n"
                           "     Sem codigo\r\n"
                           "00999     \r\n"
                           "00555Financeira Boa\n";
  ServidorUmaVez servidor(Http("200 OK", corpo));
  Configurar(servidor.Porta());
  TAtualizacaoInstituicoes a;
  ASSERT_TRUE(a.Executar()) << a.CodigoErro.toStdString();
  EXPECT_EQ(a.LinhasIgnoradas, 3);
  EXPECT_EQ(a.LinhasGravadas, 1);
  EXPECT_EQ(Descricao("00555"), QStringLiteral("Financeira Boa"));
  EXPECT_EQ(Descricao("00999"), QString());
}

TEST_F(Reg1Instituicoes, FalhasDoDownload) {
  struct Caso {
    const char *descricao;
    QByteArray resposta;
    const char *codigo;
  };
  const std::vector<Caso> casos = {
      {"arquivo ausente", Http("404 Not Found", QByteArray()), "0507"},
      {"erro do servidor", Http("500 Internal Server Error", "falha"), "0507"},
      {"arquivo vazio", Http("200 OK", QByteArray()), "0507"},
  };
  const int antes = Contar("FROM QZLTBT24_INSTITUICAO_CNSGTRA");
  for (const Caso &c : casos) {
    ServidorUmaVez servidor(c.resposta);
    Configurar(servidor.Porta());
    TAtualizacaoInstituicoes a;
    EXPECT_FALSE(a.Executar()) << c.descricao;
    EXPECT_EQ(a.CodigoErro, QString::fromLatin1(c.codigo)) << c.descricao;
  }
  EXPECT_EQ(Contar("FROM QZLTBT24_INSTITUICAO_CNSGTRA"), antes);

  // The local copy cannot be written: a folder holds its name.
  Configurar(PortaFechada());
  QDir(pasta->Caminho()).mkdir(QStringLiteral("instituicoes.txt"));
  TAtualizacaoInstituicoes semEscrita;
  EXPECT_FALSE(semEscrita.Executar());
  EXPECT_EQ(semEscrita.CodigoErro, QStringLiteral("0507"));

  pasta->EscreverArquivo(QStringLiteral("confServer.txt"), "");
  TAtualizacaoInstituicoes semConfiguracao;
  EXPECT_FALSE(semConfiguracao.Executar());
  EXPECT_EQ(semConfiguracao.CodigoErro, QStringLiteral("0507"));
}

TEST_F(Reg1Instituicoes, ServidorForaDoArEMudo) {
  Configurar(PortaFechada());
  RespostasDialogo dialogos;
  EXPECT_FALSE(AtualizacaoInstituicoes());
  ASSERT_EQ(dialogos.mostrados.size(), 1u);
  EXPECT_EQ(dialogos.mostrados[0].Texto,
            Valor("SELECT DE_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 505"));

  // A server that accepts and never answers is given up within the time set.
  ServidorUmaVez mudo(QByteArray(), true);
  Configurar(mudo.Porta());
  TAtualizacaoInstituicoes a;
  a.TempoTotal = 1;
  QElapsedTimer relogio;
  relogio.start();
  EXPECT_FALSE(a.Executar());
  EXPECT_LT(relogio.elapsed(), 4000);
  EXPECT_EQ(a.CodigoErro, QStringLiteral("0505"));
}

} // namespace
