// The business-object base (row walking, column access, the loading
// protocol) and the inconsistency registry against the real database.
#include "core/UnInconsistencia.h"
#include "core/unNegocio.h"
#include "support/BancoTeste.h"

#include <gtest/gtest.h>

namespace {

// A minimal business object over rows (CODIGO, NOME).
class TItem : public TNegocio {
public:
  TItem() { Inicializar(); }
  int CODIGO = 0;
  QString NOME;
  int limpezas = 0;
  void Inicializar() override {
    CODIGO = 0;
    NOME.clear();
  }
  void Limpar() override { ++limpezas; }
  void CarregarAtributos() override {
    TNegocio::CarregarAtributos();
    CODIGO = Campo("CODIGO").AsInteger();
    NOME = Campo("NOME").AsString();
  }
};

// A class that never implemented Limpar.
class TSemLimpar : public TNegocio {};

TDataSetPtr Linhas(std::initializer_list<std::pair<int, const char *>> linhas) {
  auto ds = std::make_unique<TDataSet>(std::vector<TDataSet::Coluna>{
      {"CODIGO", TTipoCampo::Inteiro, 0}, {"NOME", TTipoCampo::Texto, 0}});
  for (const auto &[c, n] : linhas)
    ds->AdicionarLinha({c, QString::fromUtf8(n)});
  return ds;
}

} // namespace

TEST(Negocio, SemDataSetLevantaENegocio) {
  TItem i;
  auto esperaErro = [](auto &&f) {
    try {
      f();
      ADD_FAILURE() << "esperava ENegocio";
    } catch (const ENegocio &e) {
      EXPECT_EQ(e.Mensagem, "DataSet não inicializado");
    }
  };
  esperaErro([&] { i.Primeiro(); });
  esperaErro([&] { i.Proximo(); });
  esperaErro([&] { i.FimDados(); });
  esperaErro([&] { i.QuantidadeRegistros(); });
  esperaErro([&] { i.Campo("CODIGO"); });
  esperaErro([&] { i.PossuiCampo("CODIGO"); });
  esperaErro([&] { i.Localizar("CODIGO", "1"); });
  EXPECT_EQ(i.ObterDataSet(), nullptr);
}

TEST(Negocio, PercorreAsLinhasEFicaNaUltimaAoPassarDoFim) {
  TItem i;
  i.AtribuirDataSet(Linhas({{1, "um"}, {2, "dois"}, {3, "três"}}));
  EXPECT_EQ(i.QuantidadeRegistros(), 3);
  i.Primeiro();
  EXPECT_EQ(i.CODIGO, 1);
  EXPECT_FALSE(i.FimDados());
  i.Proximo();
  i.Proximo();
  EXPECT_EQ(i.NOME, "três");
  EXPECT_FALSE(i.FimDados());
  i.Proximo(); // past the end: the last row is loaded again
  EXPECT_TRUE(i.FimDados());
  EXPECT_EQ(i.CODIGO, 3);
  EXPECT_EQ(i.Campo("NOME").AsString(), "três");
  i.Primeiro();
  EXPECT_FALSE(i.FimDados());
  EXPECT_EQ(i.CODIGO, 1);

  // The usual loop visits every row once.
  QStringList nomes;
  for (i.Primeiro(); !i.FimDados(); i.Proximo())
    nomes << i.NOME;
  EXPECT_EQ(nomes, QStringList({"um", "dois", "três"}));
}

TEST(Negocio, ResultadoVazio) {
  TItem i;
  i.AtribuirDataSet(Linhas({}));
  i.CODIGO = 42;
  i.Primeiro();
  EXPECT_TRUE(i.FimDados());
  EXPECT_EQ(i.CODIGO, 42); // nothing loaded
  EXPECT_EQ(i.limpezas, 1);
  i.Proximo();
  EXPECT_TRUE(i.FimDados());
}

TEST(Negocio, LocalizarCarregaALinhaOuNadaMuda) {
  TItem i;
  i.AtribuirDataSet(Linhas({{1, "um"}, {2, "dois"}, {3, "três"}}));
  i.Primeiro();
  i.Proximo();
  EXPECT_TRUE(i.Localizar("CODIGO", "3"));
  EXPECT_EQ(i.NOME, "três");
  EXPECT_FALSE(i.Localizar("NOME", "TRÊS")); // exact comparison
  EXPECT_FALSE(i.Localizar("NOME", "quatro"));
  EXPECT_EQ(i.NOME, "três");
  EXPECT_EQ(i.Campo("CODIGO").AsInteger(), 3);
  EXPECT_TRUE(i.Localizar("NOME", "um"));
  EXPECT_EQ(i.CODIGO, 1);
  EXPECT_THROW(i.Localizar("INEXISTENTE", "1"), EBancoDados);
}

TEST(Negocio, PossuiCampoDiferenciaMaiusculas) {
  TItem i;
  i.AtribuirDataSet(Linhas({{1, "um"}}));
  EXPECT_TRUE(i.PossuiCampo("CODIGO"));
  EXPECT_FALSE(i.PossuiCampo("codigo"));
  EXPECT_FALSE(i.PossuiCampo("OUTRO"));
}

TEST(Negocio, TrocarDataSetLimpaAntes) {
  TItem i;
  i.AtribuirDataSet(Linhas({{1, "um"}}));
  EXPECT_EQ(i.limpezas, 0); // nothing to release the first time
  i.AtribuirDataSet(Linhas({{2, "dois"}}));
  EXPECT_EQ(i.limpezas, 1);
  i.Primeiro();
  EXPECT_EQ(i.CODIGO, 2);
}

TEST(Negocio, PassoNaoImplementadoEhErro) {
  TSemLimpar s;
  s.AtribuirDataSet(Linhas({{1, "um"}}));
  EXPECT_THROW(s.Primeiro(), ENegocio);
  EXPECT_THROW(s.Inicializar(), ENegocio);
  EXPECT_TRUE(s.CarregarAssociados);
  EXPECT_TRUE(s.CodigoErro.isEmpty());
}

// ------------------------------------------------- inconsistency registry --

class Inconsistencias : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Executar("DELETE FROM QZLTBG18_INCONSISTENCIA_ARQUIVO");
    Executar("DELETE FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM IN (9881, 9882, 0)");
    Executar("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES "
             "(9881, 'Campo inválido')");
    Executar("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES "
             "(9882, 'Outro problema')");
  }
  int Linhas() { return Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO"); }
  QString Coluna(const QString &coluna) {
    return Valor("SELECT " + coluna +
                 " FROM QZLTBG18_INCONSISTENCIA_ARQUIVO ORDER BY "
                 "NU_INCONSISTENCIA DESC ROWS 1");
  }
};

TEST_F(Inconsistencias, ConteudoCortadoOuCompletadoEm70) {
  TInconsistencia i;
  i.NU_ARQUIVO = 1;
  i.NU_MENSAGEM = 9881;
  i.CO_REGISTRO = "10";
  i.NU_LINHA_ERRO = 12;
  const QString longo = QString("0123456789").repeated(8) + "FIM";
  i.DE_CONTEUDO_CAMPO = longo;
  EXPECT_EQ(i.Gravar(), 1);
  EXPECT_EQ(Coluna("DE_CONTEUDO_CAMPO"), longo.left(70));
  EXPECT_EQ(Coluna("NU_LINHA_ERRO"), "12");

  i.DE_CONTEUDO_CAMPO = "ABC";
  i.NU_LINHA_ERRO = 0;
  EXPECT_EQ(i.Gravar(), 1);
  EXPECT_EQ(Coluna("DE_CONTEUDO_CAMPO"), QString("ABC").leftJustified(70));
  EXPECT_EQ(Coluna("CHAR_LENGTH(DE_CONTEUDO_CAMPO)"), "70");
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_LINHA_ERRO IS NULL"), 1);
  EXPECT_EQ(Linhas(), 2);
}

TEST_F(Inconsistencias, MensagemInexistenteNaoGrava) {
  TInconsistencia i;
  i.NU_ARQUIVO = 1;
  i.DE_CONTEUDO_CAMPO = "x";
  i.NU_MENSAGEM = 0;
  EXPECT_EQ(i.Gravar(), 396);
  i.NU_MENSAGEM = 9883;
  EXPECT_EQ(i.Gravar(), 396);
  EXPECT_EQ(Linhas(), 0);
}

TEST_F(Inconsistencias, AspasEmTodosOsTextos) {
  TInconsistencia i;
  i.NU_ARQUIVO = 1;
  i.NU_MENSAGEM = 9881;
  i.CO_REGISTRO = "4'";
  i.DE_CONTEUDO_CAMPO = "'linha' com ''aspas''";
  i.NO_EMPREGADO = "MARIA D'ÁVILA";
  i.NO_RAZAO_SOCIAL = "PADARIA D'OESTE";
  i.NO_RAZAO_SOCIAL_RSPNL_INCNA = "O'BRIEN CONTABIL";
  i.CO_PIS_INCONSISTENCIA = "1234'";
  i.CO_CATEGORIA_INCONSISTENCIA = "0'";
  ASSERT_EQ(i.Gravar(), 1);
  EXPECT_EQ(Coluna("CO_REGISTRO").trimmed(), "4'");
  EXPECT_EQ(Coluna("DE_CONTEUDO_CAMPO").trimmed(), "'linha' com ''aspas''");
  EXPECT_EQ(Coluna("NO_EMPREGADO").trimmed(), "MARIA D'ÁVILA");
  EXPECT_EQ(Coluna("NO_RAZAO_SOCIAL").trimmed(), "PADARIA D'OESTE");
  EXPECT_EQ(Coluna("NO_RAZAO_SOCIAL_RSPNL_INCNA").trimmed(), "O'BRIEN CONTABIL");
  EXPECT_EQ(Coluna("CO_PIS_INCONSISTENCIA").trimmed(), "1234'");
  EXPECT_EQ(Coluna("CO_CATEGORIA_INCONSISTENCIA").trimmed(), "0'");
}

TEST_F(Inconsistencias, TextosLongosSaoCortadosNaLarguraDaColuna) {
  TInconsistencia i;
  i.NU_ARQUIVO = 1;
  i.NU_MENSAGEM = 9881;
  const QString nome = QString("NOME'") + QString(300, 'X');
  i.NO_EMPREGADO = nome;
  i.NO_RAZAO_SOCIAL = nome;
  i.NO_RAZAO_SOCIAL_RSPNL_INCNA = nome;
  i.CO_PIS_INCONSISTENCIA = QString(100, '1');
  i.CO_CATEGORIA_INCONSISTENCIA = QString(100, '2');
  i.CO_REGISTRO = QString(100, '3');
  ASSERT_EQ(i.Gravar(), 1);
  const QString gravado = Coluna("NO_EMPREGADO").trimmed();
  EXPECT_FALSE(gravado.isEmpty());
  EXPECT_TRUE(nome.startsWith(gravado));
  EXPECT_TRUE(Coluna("CO_PIS_INCONSISTENCIA").startsWith("111"));
}

TEST_F(Inconsistencias, ContextoNumericoEDataDeAdmissao) {
  TInconsistencia i;
  i.NU_ARQUIVO = 3;
  i.NU_MENSAGEM = 9881;
  i.NU_TIPO_INSCRICAO_RSPNL_INCNA = "";
  i.NU_INSCRICAO_RSPNL_INCNA = "abc";
  i.NU_TIPO_INSCRICAO_EMPRESA = " 1 ";
  i.NU_INSCRICAO_EMPRESA = "11.222.333/0001-81";
  i.DT_ADMISSAO_INCONSISTENCIA = "15032024";
  ASSERT_EQ(i.Gravar(), 1);
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_TIPO_INSCRICAO_RSPNL_INCNA "
                   "IS NULL AND NU_INSCRICAO_RSPNL_INCNA IS NULL"),
            1);
  EXPECT_EQ(Coluna("NU_TIPO_INSCRICAO_EMPRESA"), "1");
  EXPECT_EQ(Coluna("NU_INSCRICAO_EMPRESA"), "11222333000181");
  EXPECT_EQ(Coluna("DT_ADMISSAO_INCONSISTENCIA").trimmed(), "2024-03-15");

  i.DT_ADMISSAO_INCONSISTENCIA = "31022024"; // not a date: no date stored
  i.NU_INSCRICAO_EMPRESA = "";
  ASSERT_EQ(i.Gravar(), 1);
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE DT_ADMISSAO_INCONSISTENCIA IS "
                   "NULL AND NU_INSCRICAO_EMPRESA IS NULL"),
            1);
}

TEST_F(Inconsistencias, ListagensPorTipoEExclusao) {
  TInconsistencia i;
  EXPECT_FALSE(i.ExistemInconsistenciasMovimento());
  for (int tipo : {1, 3, 3, 5}) {
    i.Limpar();
    i.NU_ARQUIVO = tipo;
    i.NU_MENSAGEM = tipo == 5 ? 9882 : 9881;
    i.DE_CONTEUDO_CAMPO = QString("tipo %1").arg(tipo);
    ASSERT_EQ(i.Gravar(), 1);
  }
  EXPECT_TRUE(i.ExistemInconsistenciasMovimento());
  EXPECT_EQ(i.QuantidadeRegistros(), 2);
  EXPECT_EQ(i.NU_ARQUIVO, 3);
  EXPECT_EQ(i.DE_MENSAGEM, "Campo inválido");
  const int primeiro = i.NU_INCONSISTENCIA;
  i.Proximo();
  EXPECT_GT(i.NU_INCONSISTENCIA, primeiro);

  i.FiltroArquivo.clear();
  EXPECT_TRUE(i.Listar());
  EXPECT_EQ(i.QuantidadeRegistros(), 4);
  EXPECT_TRUE(i.ListarPorArquivo(5));
  EXPECT_EQ(i.DE_MENSAGEM, "Outro problema");
  EXPECT_FALSE(i.ListarPorArquivo(2));

  i.Limpar();
  i.NU_ARQUIVO = 3;
  EXPECT_TRUE(i.ExcluirPorArquivo());
  EXPECT_EQ(Linhas(), 2);
  ExcluirInconsistencias(1);
  EXPECT_EQ(Linhas(), 1);
  EXPECT_EQ(Valor("SELECT NU_ARQUIVO FROM QZLTBG18_INCONSISTENCIA_ARQUIVO"), "5");
}

TEST_F(Inconsistencias, RegistrarMovimentoPreencheCadaColuna) {
  TInconsistencia i;
  EXPECT_TRUE(i.RegistrarMovimento("0009881", "1", "JOSE DA SILVA", "01022020", "1", "12345678901",
                                   "EMPRESA BETA", "11222333000181", "1", "ESCRITORIO ALFA",
                                   "00000000000191"));
  EXPECT_EQ(Coluna("NU_MENSAGEM"), "9881");
  EXPECT_EQ(Coluna("NU_ARQUIVO"), "3");
  EXPECT_EQ(Coluna("NU_TIPO_INSCRICAO_RSPNL_INCNA"), "1");
  EXPECT_EQ(Coluna("NO_EMPREGADO").trimmed(), "JOSE DA SILVA");
  EXPECT_EQ(Coluna("DT_ADMISSAO_INCONSISTENCIA").trimmed(), "2020-02-01");
  EXPECT_EQ(Coluna("CO_CATEGORIA_INCONSISTENCIA").trimmed(), "1");
  EXPECT_EQ(Coluna("CO_PIS_INCONSISTENCIA").trimmed(), "12345678901");
  EXPECT_EQ(Coluna("NO_RAZAO_SOCIAL").trimmed(), "EMPRESA BETA");
  EXPECT_EQ(Coluna("NU_INSCRICAO_EMPRESA"), "11222333000181");
  EXPECT_EQ(Coluna("NU_TIPO_INSCRICAO_EMPRESA"), "1");
  EXPECT_EQ(Coluna("NO_RAZAO_SOCIAL_RSPNL_INCNA").trimmed(), "ESCRITORIO ALFA");
  EXPECT_EQ(Coluna("NU_INSCRICAO_RSPNL_INCNA"), "191");
  // A message that is not a number is refused, and said so.
  EXPECT_FALSE(i.RegistrarMovimento("abc", "", "", "", "", "", "", "", "", "", ""));
  EXPECT_EQ(Linhas(), 1);
}

TEST_F(Inconsistencias, GravarNaoLevantaComBancoFechado) {
  TInconsistencia i;
  i.NU_ARQUIVO = 1;
  i.NU_MENSAGEM = 9881;
  i.Ibx = nullptr;
  EXPECT_EQ(i.Gravar(), 0);
  EXPECT_FALSE(i.ExcluirPorArquivo());
}
