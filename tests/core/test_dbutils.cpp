// The database layer against a real embedded database.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unFBUtils.h"
#include "core/unTexto1252.h"

#include <QFile>

namespace {
class DBUtils : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, DT_NASCIMENTO, NU_INSCRICAO_CPF) "
             "VALUES (12345678901, 'MARIA D''ÁVILA', '1980-02-29', 98765432100)");
  }
  QString Log() { return DeWin1252(pasta->LerArquivo("MOLTBD.log")); }
};
} // namespace

TEST_F(DBUtils, ConsultaDevolveConjuntoTipadoEDesligado) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT NU_PIS, NO_EMPREGADO, DT_NASCIMENTO, NU_INSCRICAO_CPF, NU_CTPS FROM QZLTBG03_EMPREGADO");
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(ds->FieldByName("nu_pis").AsInt64(), 12345678901LL);
  EXPECT_EQ(ds->FieldByName("NO_EMPREGADO").AsString(), QString("MARIA D'ÁVILA"));
  EXPECT_EQ(ds->FieldByName("DT_NASCIMENTO").AsString(), QString("29/02/1980"));
  EXPECT_EQ(ds->FieldByName("DT_NASCIMENTO").AsDate(), QDate(1980, 2, 29));
  EXPECT_TRUE(ds->FieldByName("NU_CTPS").IsNull());
  EXPECT_EQ(ds->FieldByName("NU_CTPS").AsInteger(), 0);
  EXPECT_THROW(ds->FieldByName("NAO_EXISTE"), EBancoDados);
  // Detached: still readable after the row is gone.
  Executar("DELETE FROM QZLTBG03_EMPREGADO");
  EXPECT_EQ(ds->FieldByName("NU_INSCRICAO_CPF").AsInt64(), 98765432100LL);
  ds->Next();
  EXPECT_TRUE(ds->Eof());
}

TEST_F(DBUtils, ConsultaVaziaEAberta) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta("SELECT NU_PIS FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 1");
  ASSERT_TRUE(ds);
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->RecordCount(), 0);
}

TEST_F(DBUtils, DinheiroEDatasComHora) {
  Executar("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
           "DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, VR_DEPOSITO) "
           "VALUES (1, 191, 12345678901, 1, '2020-01-02', 1, 2024, 5, 1234.56, 0.29)");
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT VR_REMUNERACAO, VR_DEPOSITO, CAST('2024-05-06 10:20:30' AS TIMESTAMP) AS TS, "
      "CAST('10:20:30' AS TIME) AS HORA FROM QZLTBG07_COMPLEMENTO_SALDO");
  EXPECT_EQ(ds->FieldByName("VR_REMUNERACAO").AsFloat(), 1234.56);
  EXPECT_EQ(ds->FieldByName("VR_DEPOSITO").AsFloat(), 0.29);
  EXPECT_EQ(ds->FieldByName("VR_REMUNERACAO").AsString(), QString("1234,56"));
  EXPECT_EQ(ds->FieldByName("TS").AsString(), QString("06/05/2024 10:20:30"));
  EXPECT_DOUBLE_EQ(ds->FieldByName("TS").AsDateTime(),
                   QDateParaData(QDate(2024, 5, 6)) + (10 * 3600 + 20 * 60 + 30) / 86400.0);
  EXPECT_EQ(ds->FieldByName("HORA").AsString(), QString("10:20:30"));
}

TEST_F(DBUtils, LocateProcuraPorUmaColuna) {
  Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (11111111111, 'JOSE')");
  TDataSetPtr ds = IbxUtils->AbrirConsulta("SELECT NU_PIS, NO_EMPREGADO FROM QZLTBG03_EMPREGADO ORDER BY NU_PIS");
  EXPECT_TRUE(ds->Locate("NU_PIS", QVariant(12345678901LL)));
  EXPECT_EQ(ds->FieldByName("NO_EMPREGADO").AsString(), QString("MARIA D'ÁVILA"));
  EXPECT_TRUE(ds->Locate("NO_EMPREGADO", QString("JOSE")));
  EXPECT_EQ(ds->RecNo(), 0);
  EXPECT_FALSE(ds->Locate("NO_EMPREGADO", QString("NINGUEM")));
  EXPECT_EQ(ds->RecNo(), 0);
  EXPECT_TRUE(ds->Locate("NU_PIS", QString("12345678901")));
}

TEST_F(DBUtils, ComandosDentroEForaDaTransacaoDoChamador) {
  // Outside: each statement commits by itself and reports the rows affected.
  EXPECT_EQ(IbxUtils->ExecutarSQL("UPDATE QZLTBG03_EMPREGADO SET NU_CTPS = 1"), 1);
  EXPECT_EQ(IbxUtils->ExecutarSQL("UPDATE QZLTBG03_EMPREGADO SET NU_CTPS = 1 WHERE NU_PIS = 0"), 0);
  EXPECT_FALSE(IbxUtils->EmTransacao());

  // Inside: a SELECT sees the uncommitted change and leaves the transaction open.
  IbxUtils->IniciarTransacao();
  IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (22222222222)");
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 2);
  EXPECT_TRUE(IbxUtils->EmTransacao());
  IbxUtils->DesfazerTransacao();
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 1);
}

TEST_F(DBUtils, FalhaForaDaTransacaoNaoDeixaTransacaoAberta) {
  try {
    IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (12345678901)");
    FAIL() << "a chave duplicada deveria falhar";
  } catch (const EBancoDados &e) {
    // Firebird's own message reaches the caller.
    EXPECT_TRUE(e.Mensagem.contains("PRIMARY") || e.Mensagem.contains("unique")) << e.what();
  }
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_TRUE(IbxUtils->UltimoErro);
  EXPECT_THROW(IbxUtils->AbrirConsulta("SELECT X FROM TABELA_QUE_NAO_EXISTE"), EBancoDados);
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(DBUtils, FalhaDentroDaTransacaoFicaParaOChamador) {
  IbxUtils->IniciarTransacao();
  IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (33333333333)");
  EXPECT_THROW(IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (12345678901)"),
               EBancoDados);
  EXPECT_THROW(IbxUtils->AbrirConsulta("SELECT * FROM NAO_EXISTE"), EBancoDados);
  ASSERT_TRUE(IbxUtils->EmTransacao());
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 2);
  IbxUtils->DesfazerTransacao();
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 1);
}

TEST_F(DBUtils, ComandosComoOsChamadoresEscrevem) {
  // Through a server a data-changing statement travels with its row count in
  // one round trip; embedded or not, the texts below behave as written.
  const struct {
    const char *sql;
    int linhas;
  } casos[] = {
      {"  insert into QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) values (2, 'A;B')", 1},
      {"INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) SELECT NU_PIS + 1, NO_EMPREGADO "
       "FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 2;",
       1},
      {"UPDATE QZLTBG03_EMPREGADO SET NO_EMPREGADO = '--' WHERE NU_PIS < 10 -- the two new ones",
       2},
      {"\nDELETE FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 3 ;  \n", 1},
      {"DELETE FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 3", 0},
      {"UPDATE OR INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (2) MATCHING (NU_PIS)", 1},
  };
  for (const auto &c : casos)
    EXPECT_EQ(IbxUtils->ExecutarSQL(QString::fromUtf8(c.sql)), c.linhas) << c.sql;
  EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 2"), QString("--"));
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 2);
  // A failure carries Firebird's text of the statement itself.
  try {
    IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (2)");
    ADD_FAILURE() << "a chave duplicada deveria falhar";
  } catch (const EBancoDados &e) {
    EXPECT_TRUE(e.Mensagem.endsWith("-Problematic key value is (\"NU_PIS\" = 2)")) << e.what();
  }
}

TEST_F(DBUtils, DoisPontosNoTextoNaoSaoParametro) {
  EXPECT_EQ(IbxUtils->ExecutarSQL("UPDATE QZLTBG03_EMPREGADO SET NO_EMPREGADO = 'HORA 10:20:30 :X'"), 1);
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT NO_EMPREGADO, CAST('10:20:30' AS TIME) AS H FROM QZLTBG03_EMPREGADO WHERE NO_EMPREGADO LIKE '%:X'");
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("NO_EMPREGADO").AsString(), QString("HORA 10:20:30 :X"));
}

TEST_F(DBUtils, LogSQLDesligadoNaoEscreveNada) {
  IbxUtils->DefinirLogSQL(false);
  IbxUtils->AbrirConsulta("SELECT NU_PIS FROM QZLTBG03_EMPREGADO");
  EXPECT_THROW(IbxUtils->ExecutarSQL("DELETE FROM NAO_EXISTE"), EBancoDados);
  EXPECT_FALSE(QFile::exists(pasta->Arquivo("MOLTBD.log")));
}

TEST_F(DBUtils, LogSQLLigadoRegistraSucessoEErro) {
  IbxUtils->DefinirLogSQL(true);
  IbxUtils->ExecutarSQL("UPDATE QZLTBG03_EMPREGADO SET NO_EMPREGADO = 'JOÃO'");
  IbxUtils->AbrirConsulta("SELECT NU_PIS FROM QZLTBG03_EMPREGADO");
  EXPECT_THROW(IbxUtils->ExecutarSQL("DELETE FROM NAO_EXISTE"), EBancoDados);
  const QString log = Log();
  EXPECT_TRUE(log.contains("UPDATE QZLTBG03_EMPREGADO SET NO_EMPREGADO = 'JOÃO'"));
  EXPECT_TRUE(log.contains("SUCESSO             ----------------------"));
  EXPECT_TRUE(log.contains("\r\nTempo "));
  EXPECT_TRUE(log.contains(" Diferença "));
  EXPECT_TRUE(log.contains("ERRO              ----------------------\r\n"));
  EXPECT_TRUE(log.contains("NAO_EXISTE"));
  // The log is in the Western code page.
  EXPECT_TRUE(pasta->LerArquivo("MOLTBD.log").contains("JO\xC3" "O"));
}

TEST_F(DBUtils, LogQueNaoPodeSerEscritoAindaDesfazATransacao) {
  IbxUtils->DefinirLogSQL(true);
  QDir(pasta->Caminho()).mkdir("MOLTBD.log"); // a folder where the log should be
  EXPECT_ANY_THROW(IbxUtils->AbrirConsulta("SELECT * FROM NAO_EXISTE"));
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_ANY_THROW(IbxUtils->ExecutarSQL("DELETE FROM NAO_EXISTE"));
  EXPECT_FALSE(IbxUtils->EmTransacao());
  IbxUtils->DefinirLogSQL(false);
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 1);
}

TEST_F(DBUtils, TransacaoAbertaEDesfeitaAoDestruir) {
  IbxUtils->IniciarTransacao();
  IbxUtils->ExecutarSQL("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (44444444444)");
  ReconectarBanco(pasta->Banco());
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 1);
}

TEST_F(DBUtils, DesconectarDesfazTransacao) {
  IbxUtils->IniciarTransacao();
  IbxUtils->ExecutarSQL("DELETE FROM QZLTBG03_EMPREGADO");
  IbxUtils->Desconectar();
  EXPECT_FALSE(IbxUtils->Conectado);
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO"), 1);
}

TEST(AccessInstance, PedidosValidosEIlegais) {
  TDBUtils::DefinirFabrica([]() -> TDBUtils * { return new TIbxUtils(); });
  EXPECT_EQ(TDBUtils::AccessInstance(0), nullptr);
  TDBUtils *a = TDBUtils::Instancia();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(TDBUtils::AccessInstance(1), a);
  EXPECT_EQ(TDBUtils::AccessInstance(0), a);
  try {
    TDBUtils::AccessInstance(3);
    FAIL();
  } catch (const std::exception &e) {
    EXPECT_STREQ(e.what(), "Parâmetro 3 ilegal em AccessInstance");
  }
  delete a; // the destructor forgets the registered instance
  EXPECT_EQ(TDBUtils::AccessInstance(0), nullptr);
}

TEST(Texto1252, IdaEVolta) {
  const QString t = QString::fromUtf8("Ação € “aspas” Œ ÿ");
  const QByteArray b = ParaWin1252(t);
  EXPECT_EQ(b.size(), t.size());
  EXPECT_EQ(static_cast<unsigned char>(b[5]), 0x80); // the euro sign
  EXPECT_EQ(DeWin1252(b), t);
  EXPECT_EQ(ParaWin1252(QString::fromUtf8("中")), QByteArray("?"));
}
