// "vesk-cli calcular" end to end: the built executable on a copy of the database.
#include "collection/CalculoTeste.h"
#include "support/ConexaoTeste.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

class CmdCalcularTeste : public CalculoTeste {
protected:
  // Runs the executable with the database released by the test.
  TSaidaCli Rodar(const QStringList &args) { return RodarCli(args); }
  void Reconectar() { ReconectarBanco(pasta->Banco()); }
  // The late case of 15/06/2005 paid on 15/01/2024 and a link that cannot be computed.
  void Preparar() {
    Pagamento(QDate(2024, 1, 15));
    IndicesAtraso(QDate(2024, 1, 1), QDate(2024, 1, 15), 0.09, 0.6, 0.01, QDate(2005, 4, 1),
                  QDate(2005, 7, 31));
    TCasoVinculo bom;
    bom.Movimentacao = QDate(2005, 6, 15);
    bom.Rescisao = 1000;
    Inserir(bom);
    TCasoVinculo ruim = bom;
    ruim.Pis = 12345678902;
    ruim.Opcao = QDate(1960, 2, 1);
    Inserir(ruim);
    TCasoVinculo fora = bom; // not marked for the run
    fora.Pis = 12345678903;
    fora.Estado = 0;
    Inserir(fora);
  }
};

TEST_F(CmdCalcularTeste, JsonDeTodosOsMarcados) {
  Preparar();
  const TSaidaCli s = Rodar({QStringLiteral("calcular"), QStringLiteral("--json")});
  EXPECT_EQ(s.Status, 1) << s.Erro.toStdString(); // one link could not be computed
  QJsonParseError erro;
  const QJsonDocument doc = QJsonDocument::fromJson(s.Texto.toUtf8(), &erro);
  ASSERT_EQ(erro.error, QJsonParseError::NoError) << s.Texto.toStdString();
  const QJsonArray lista = doc.array();
  ASSERT_EQ(lista.size(), 2);

  const QJsonObject bom = lista[0].toObject();
  EXPECT_EQ(bom["NU_PIS"].toInteger(), 12345678901);
  EXPECT_EQ(bom["NU_INSCRICAO"].toInteger(), 11222333000181);
  EXPECT_EQ(bom["DT_ADMISSAO_VINCULO"].toString(), QStringLiteral("2000-01-03"));
  EXPECT_TRUE(bom["Calculado"].toBool());
  EXPECT_EQ(bom["CodigoErro"].toInt(), 0);
  EXPECT_DOUBLE_EQ(bom["ValorTotal"].toDouble(), 144.10);
  const QJsonObject resc = bom["ParcelaRescisao"].toObject();
  EXPECT_EQ(resc["DtDevida"].toString(), QStringLiteral("2005-06-16"));
  EXPECT_DOUBLE_EQ(resc["VrDeposito"].toDouble(), 80.00);
  EXPECT_DOUBLE_EQ(resc["VrJam"].toDouble(), 0.80);
  EXPECT_DOUBLE_EQ(resc["VrMulta"].toDouble(), 9.20);
  EXPECT_DOUBLE_EQ(resc["VrContribuicao"].toDouble(), 5.00);
  EXPECT_DOUBLE_EQ(resc["VrMultaContribuicao"].toDouble(), 0.62);
  EXPECT_TRUE(bom["ParcelaAnterior"].toObject()["DtDevida"].isNull());
  EXPECT_DOUBLE_EQ(bom["ParcelaMulta"].toObject()["VrBaseMulta"].toDouble(), 80.80);
  // Amounts are written with two decimals.
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("\"VrDeposito\": 80.00")));

  const QJsonObject ruim = lista[1].toObject();
  EXPECT_FALSE(ruim["Calculado"].toBool());
  EXPECT_EQ(ruim["CodigoErro"].toInt(), 602);
  EXPECT_FALSE(ruim["Mensagem"].toString().isEmpty());
  // Nothing is stored without --gravar.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE VR_DEPOSITO_RESCISAO "
                                  "IS NOT NULL")),
            0);
}

TEST_F(CmdCalcularTeste, ChaveTabelaEGravar) {
  Preparar();
  const QString chave = QStringLiteral("1,11222333000181,12345678903,1,2000-01-03");
  TSaidaCli s = Rodar({QStringLiteral("calcular"), QStringLiteral("--chave"), chave});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Mês de Rescisão"))) << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("16/06/2005")));
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Total: 144,10")));

  s = Rodar(
      {QStringLiteral("calcular"), QStringLiteral("--chave"), chave, QStringLiteral("--gravar")});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT VR_DEPOSITO_RESCISAO, VR_MULTA_CNTRO_RESCISAO, DT_DEVIDA_RESCISAO, "
      "DT_DEVIDA_ANTERIOR_RESCISAO FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = 12345678903"));
  EXPECT_DOUBLE_EQ(ds->Fields(0).AsFloat(), 80.00);
  EXPECT_DOUBLE_EQ(ds->Fields(1).AsFloat(), 0.62);
  EXPECT_EQ(ds->Fields(2).AsDateTime(), D(2005, 6, 16));
  EXPECT_TRUE(ds->Fields(3).IsNull());

  // A link that cannot be computed prints its message and stores nothing.
  s = Rodar({QStringLiteral("calcular"), QStringLiteral("--chave"),
             QStringLiteral("1,11222333000181,12345678902,1,2000-01-03"),
             QStringLiteral("--gravar")});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("0602 - "))) << s.Texto.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = 12345678902 "
                                  "AND VR_DEPOSITO_RESCISAO IS NOT NULL")),
            0);
}

// TOT 76.52 - (deposit 27.64 + JAM 40.34): the late charges are 8.54, to the
// centavo, and the five amounts add up to TOT.
TEST_F(CmdCalcularTeste, JsonComOsCentavosExatos) {
  Pagamento(QDate(2024, 1, 15));
  IndicesAtraso(QDate(2024, 1, 1), QDate(2024, 1, 15), 0.2215, 0.6, 1.4595, QDate(2005, 4, 1),
                QDate(2005, 7, 31));
  TCasoVinculo c;
  c.Movimentacao = QDate(2005, 6, 15);
  c.Rescisao = 345.50;
  c.Fpas = 868;       // no contribution
  c.Movimento = "I3"; // no fine rule: the total is the termination month alone
  Inserir(c);
  const TSaidaCli s = Rodar({QStringLiteral("calcular"), QStringLiteral("--json")});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString() << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("\"VrDeposito\": 27.64, \"VrJam\": 40.34, "
                                              "\"VrMulta\": 8.54,")))
      << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("\"ValorTotal\": 76.52"))) << s.Texto.toStdString();
}

TEST_F(CmdCalcularTeste, ErrosDeUso) {
  TSaidaCli s =
      Rodar({QStringLiteral("calcular"), QStringLiteral("--chave"), QStringLiteral("1,2")});
  EXPECT_EQ(s.Status, 2);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("Chave de vínculo inválida")));
  s = Rodar({QStringLiteral("calcular"), QStringLiteral("--chave"),
             QStringLiteral("1,11222333000181,99999999999,1,2000-01-03")});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("Vínculo não encontrado")));
  s = Rodar({QStringLiteral("calcular"), QStringLiteral("--xyz")});
  EXPECT_EQ(s.Status, 2);
  s = Rodar({QStringLiteral("calcular"), QStringLiteral("--ajuda")});
  EXPECT_EQ(s.Status, 0);
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("--gravar")));
  // No link marked: an empty list, and success.
  s = Rodar({QStringLiteral("calcular"), QStringLiteral("--json")});
  EXPECT_EQ(s.Status, 0);
  EXPECT_EQ(s.Texto.trimmed(), QStringLiteral("[]"));
}
