// Start-up: configuration rules and the decisions of the entry sequence.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unInicializacao.h"
#include "core/unTexto1252.h"

#include <QDir>
#include <QFile>

TEST(LerConfiguracao, RegrasDeSubstringEValor) {
  struct Caso {
    QStringList linhas;
    bool log, grava;
  } casos[] = {
      {{}, false, false},
      {{"LOGSQL=S"}, true, false},
      {{"LOGSQL=s"}, true, false},
      {{"LOGSQL = S"}, false, false},
      {{"LOGSQL= S"}, false, false},
      {{"LOGSQL =S"}, true, false}, // only what follows "=" counts
      {{"XLOGSQLX=S"}, true, false},    // a key is found anywhere in the line
      {{"LOGSQL=SIM"}, false, false},
      {{"LOGSQL=S=N"}, false, false},   // the value is all after the first "="
      {{"GRAVA_ARQUIVO=s"}, false, true},
      {{"LOGSQL=S", "LOGSQL=N"}, true, false}, // a later "off" does not switch it back
      {{"LOGSQL=N", "LOGSQL=S"}, true, false},
      {{"logsql=S"}, false, false},     // the key itself is case-sensitive
      {{"LOGSQL GRAVA_ARQUIVO=S"}, true, true},
  };
  for (const Caso &c : casos) {
    const TConfiguracao cfg = LerConfiguracao(c.linhas);
    EXPECT_EQ(cfg.LogSQL, c.log) << c.linhas.join('|').toStdString();
    EXPECT_EQ(cfg.GravaArquivo, c.grava) << c.linhas.join('|').toStdString();
  }
}

namespace {
struct Inicio {
  int entradas = 0, principais = 0;
  std::function<void()> aoEntrar;
  TJanelasIniciais Janelas() {
    TJanelasIniciais j;
    j.MostrarEntrada = [this] {
      ++entradas;
      if (aoEntrar)
        aoEntrar();
    };
    j.MostrarPrincipal = [this] { ++principais; };
    return j;
  }
};
bool PastasCriadas(const PastaTeste &p) {
  for (const QString &s : PastasTrabalho())
    if (!QDir(p.Arquivo(s)).exists())
      return false;
  return true;
}
} // namespace

TEST(Inicializacao, SemMoltIniMostraMensagemESaiSemCriarPastas) {
  PastaTeste pasta(true, false);
  DefinirPastaPrograma(pasta.Caminho());
  RespostasDialogo dialogos;
  Inicio inicio;
  EXPECT_NE(ExecutarPrograma(inicio.Janelas()), 0);
  ASSERT_EQ(dialogos.mostrados.size(), 1u);
  EXPECT_EQ(dialogos.mostrados[0].Texto, QString("Arquivo MOLT.ini não existente."));
  EXPECT_EQ(dialogos.mostrados[0].Titulo, QString("VESK Eletrônica - Arquivo não encontrado"));
  EXPECT_EQ(dialogos.mostrados[0].Tipo, dtErro);
  EXPECT_FALSE(QDir(pasta.Arquivo("Arquivos")).exists());
  EXPECT_EQ(inicio.entradas + inicio.principais, 0);
  EXPECT_EQ(IbxUtils, nullptr);
}

TEST(Inicializacao, BancoAusenteOuInvalidoRegistraErroESai) {
  for (int caso = 0; caso < 2; ++caso) {
    PastaTeste pasta(caso == 1, true);
    if (caso == 1) // a file that is not a database
      pasta.EscreverArquivo("BD/VESK.FDB", QByteArray(4096, 'x'));
    DefinirPastaPrograma(pasta.Caminho());
    RespostasDialogo dialogos;
    Inicio inicio;
    EXPECT_NE(ExecutarPrograma(inicio.Janelas()), 0);
    ASSERT_EQ(dialogos.mostrados.size(), 1u);
    EXPECT_EQ(dialogos.mostrados[0].Texto, QString("Ocorreu um erro ao tentar acessar o banco de dados."));
    EXPECT_EQ(dialogos.mostrados[0].Titulo, QString("VESK Eletrônica"));
    const QString log = DeWin1252(pasta.LerArquivo("LogErro.log"));
    EXPECT_TRUE(log.contains("Erro: Ocorreu um erro ao tentar acessar o banco de dados.")) << log.toStdString();
    EXPECT_TRUE(log.contains("Erro Técnico: ")) << log.toStdString();
    EXPECT_TRUE(log.contains("Tipo de Erro: EBancoDados")) << log.toStdString();
    EXPECT_TRUE(log.contains(QString(68, '-')));
    EXPECT_FALSE(log.contains("Form: "));
    EXPECT_FALSE(QDir(pasta.Arquivo("Arquivos")).exists());
    EXPECT_EQ(inicio.entradas + inicio.principais, 0);
  }
}

TEST(Inicializacao, PrimeiraExecucaoCanceladaEncerra) {
  PastaTeste pasta;
  DefinirPastaPrograma(pasta.Caminho());
  RespostasDialogo dialogos;
  Inicio inicio;
  EXPECT_EQ(ExecutarPrograma(inicio.Janelas()), 0);
  EXPECT_EQ(inicio.entradas, 1);
  EXPECT_EQ(inicio.principais, 0);
  EXPECT_TRUE(PastasCriadas(pasta));
  EXPECT_TRUE(dialogos.mostrados.empty());
  EXPECT_EQ(DataPagamento, NullDate);
}

TEST(Inicializacao, PrimeiraExecucaoQueCadastraAbreAPrincipal) {
  PastaTeste pasta;
  DefinirPastaPrograma(pasta.Caminho());
  Inicio inicio;
  inicio.aoEntrar = [] {
    IbxUtils->ExecutarSQL("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA) "
                          "VALUES (1, 191, 'R')");
  };
  EXPECT_EQ(ExecutarPrograma(inicio.Janelas()), 0);
  EXPECT_EQ(inicio.entradas, 1);
  EXPECT_EQ(inicio.principais, 1);
}

TEST(Inicializacao, ExecucaoNormalCarregaDatasELog) {
  PastaTeste pasta;
  pasta.EscreverArquivo("MOLT.ini", "LOGSQL=S\r\nGRAVA_ARQUIVO=s\r\n");
  {
    TIbxUtils ibx;
    ConfigurarConexaoTeste(ibx, pasta.Banco());
    ibx.Conectar();
    ibx.ExecutarSQL("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA) "
                    "VALUES (1, 191, 'R')");
    ibx.ExecutarSQL("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                    "DT_PAGAMENTO) VALUES (1, 191, '2025-03-14')");
  }
  DefinirPastaPrograma(pasta.Caminho());
  Inicio inicio;
  TDateTime pagamento = NullDate;
  bool log = false;
  TJanelasIniciais j = inicio.Janelas();
  j.MostrarPrincipal = [&] {
    pagamento = DataPagamento;
    log = IbxUtils->LogSQL;
  };
  EXPECT_EQ(ExecutarPrograma(j), 0);
  EXPECT_EQ(inicio.entradas, 0);
  EXPECT_EQ(pagamento, QDateParaData(QDate(2025, 3, 14)));
  EXPECT_TRUE(log);
  EXPECT_TRUE(Configuracao.GravaArquivo);
  EXPECT_NE(DataEditalProrata, NullDate); // the delivered database has the late-payment table
  EXPECT_TRUE(PastasCriadas(pasta));
  EXPECT_EQ(IbxUtils, nullptr); // disconnected and freed at the end
}

TEST(Inicializacao, TratarExcecaoIncluiJanelaEControleQuandoHa) {
  PastaTeste pasta(false, false);
  DefinirPastaPrograma(pasta.Caminho());
  RespostasDialogo dialogos;
  DefinirFonteContextoJanela([] { return TContextoJanela{"frmPrincipal", "tvArvore"}; });
  TratarExcecao(std::runtime_error("falha técnica"));
  DefinirFonteContextoJanela(nullptr);
  const QString log = DeWin1252(pasta.LerArquivo("LogErro.log"));
  EXPECT_TRUE(log.contains("Erro Técnico: falha técnica"));
  EXPECT_TRUE(log.contains("Tipo de Erro: std::runtime_error"));
  EXPECT_TRUE(log.contains("Form: frmPrincipal\r\nControle: tvArvore\r\n"));
  EXPECT_EQ(dialogos.mostrados.size(), 1u);
}

TEST(LerConfiguracao, BancoUsuarioESenha) {
  // Whole keys only: a path that merely contains SENHA is not a password.
  const TConfiguracao c = LerConfiguracao({"BANCO=/dados/SENHAS/VESK.FDB", " usuario = ESCRITORIO ",
                                           "SENHA=primeira", "SENHA = se nha ", "XSENHA=outra"});
  EXPECT_EQ(c.Banco, QString("/dados/SENHAS/VESK.FDB"));
  EXPECT_EQ(c.Usuario, QString("ESCRITORIO"));
  EXPECT_EQ(c.Senha, QString("se nha")); // the last line wins, ends trimmed
  EXPECT_FALSE(c.LogSQL);

  DefinirPastaPrograma("/opt/vesk");
  const struct {
    const char *banco;
    const char *nome;
    bool servidor;
  } casos[] = {
      {"", "/opt/vesk/BD/VESK.FDB", false},
      {"dados/CLIENTE1.FDB", "/opt/vesk/dados/CLIENTE1.FDB", false},
      {"/srv/vesk/CLIENTE1.FDB", "/srv/vesk/CLIENTE1.FDB", false},
      {"servidor:/dados/c1.fdb", "servidor:/dados/c1.fdb", true},
      {"192.168.0.10/3051:/dados/c1.fdb", "192.168.0.10/3051:/dados/c1.fdb", true},
      {"[::1]/3050:cliente1", "[::1]/3050:cliente1", true},
      {"C:/VESK/BD/VESK.FDB", "/opt/vesk/C:/VESK/BD/VESK.FDB", false}, // a drive letter is no host
  };
  for (const auto &k : casos) {
    TConfiguracao cfg;
    cfg.Banco = QString::fromUtf8(k.banco);
    EXPECT_EQ(NomeBancoConfigurado(cfg), QString::fromUtf8(k.nome)) << k.banco;
    EXPECT_EQ(NomeServidorBanco(NomeBancoConfigurado(cfg)), k.servidor) << k.banco;
  }
  TIbxUtils ibx;
  ConfigurarConexaoBanco(ibx, TConfiguracao{});
  EXPECT_EQ(ibx.Usuario, QString("SYSDBA")); // the delivered file's own user
  EXPECT_FALSE(ibx.Senha.isEmpty());
}
