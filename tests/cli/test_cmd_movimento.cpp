// The collection-run commands end to end, the built executable on a copy of
// the database: opening, marking, simulating (as "calcular" computes),
// unmarking and withdrawing.
#include "collection/MovimentoTeste.h"
#include "support/ConexaoTeste.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

class CmdMovimentoTeste : public MovimentoTeste {
protected:
  TSaidaCli Rodar(const QStringList &args) { return RodarCli(args); }
};

TEST_F(CmdMovimentoTeste, DaAberturaARetirada) {
  TCasoVinculo a = Valido(11111111111), b = Valido(22222222222), ruim = Valido(33333333333),
               c = Valido(44444444444, 55666777000199);
  b.Rescisao = 1234.56;
  ruim.Movimentacao = QDate(2024, 2, 28);
  for (const TCasoVinculo &k : {a, b, ruim, c})
    Incluir(k);
  Executar("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO");

  // Opening: a date outside the tables names their range; a good one opens.
  TSaidaCli s = Rodar({"abrir-recolhimento", "03/06/2024"});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains("FE0201")) << s.Erro.toStdString();
  EXPECT_TRUE(s.Erro.contains("10/04/2024 à 10/04/2024")) << s.Erro.toStdString();
  s = Rodar({"marcar", "--todos"});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains("FE0062"));
  s = Rodar({"abrir-recolhimento", "2024-04-10"});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO WHERE DT_PAGAMENTO = '2024-04-10'"), 1);

  // Marking every link lists the refused one with its message.
  s = Rodar({"marcar", "--todos"});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Texto.contains("33333333333")) << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains("0521"));
  EXPECT_TRUE(s.Texto.contains("3 vínculo(s) marcado(s), 1 recusado(s)"));
  EXPECT_EQ(Estado(a), 1);
  EXPECT_EQ(Estado(ruim), 0);

  // The simulation gives, link by link, what "calcular" gives.
  const TSaidaCli calc = Rodar({"calcular", "--json"});
  ASSERT_EQ(calc.Status, 0) << calc.Erro.toStdString();
  QHash<qint64, double> totais;
  for (const QJsonValue &v : QJsonDocument::fromJson(calc.Texto.toUtf8()).array())
    totais.insert(v["NU_PIS"].toInteger(), v["ValorTotal"].toDouble());
  s = Rodar({"simular", "--json"});
  ASSERT_EQ(s.Status, 0) << s.Erro.toStdString();
  const QJsonObject sim = QJsonDocument::fromJson(s.Texto.toUtf8()).object();
  EXPECT_EQ(sim["DataPagamento"].toString(), QStringLiteral("2024-04-10"));
  const QJsonArray empresas = sim["Empresas"].toArray();
  ASSERT_EQ(empresas.size(), 2);
  int trabalhadores = 0;
  for (const QJsonValue &e : empresas) {
    double soma = 0;
    for (const QJsonValue &t : e["Trabalhadores"].toArray()) {
      EXPECT_DOUBLE_EQ(t["Val_Tot_Rec"].toDouble(), totais.value(t["Nu_pis"].toInteger(), -1));
      soma += t["Val_Tot_Rec"].toDouble();
      ++trabalhadores;
    }
    EXPECT_NEAR(e["ValorARecolher"].toDouble(), soma, 0.001);
  }
  EXPECT_EQ(trabalhadores, 3);
  EXPECT_TRUE(sim["Falhas"].toArray().isEmpty());

  // Unmarking one company.
  s = Rodar({"desmarcar", "--empresa", "1,55666777000199"});
  EXPECT_EQ(s.Status, 0);
  EXPECT_EQ(Estado(c), 0);
  EXPECT_EQ(Estado(a), 1);

  // Withdrawal of one closed link.
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 "
                          "WHERE ") +
           Chave(a).Condicao());
  s = Rodar({"retirar", "--chave", "1,11222333000181,11111111111,1,2020-02-03"});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_EQ(Estado(a), 0);

  // Usage errors.
  EXPECT_EQ(Rodar({"marcar"}).Status, 2);
  EXPECT_EQ(Rodar({"marcar", "--todos", "--empresa", "1,1"}).Status, 2);
  EXPECT_EQ(Rodar({"abrir-recolhimento"}).Status, 2);
}
