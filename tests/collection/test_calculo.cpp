// The calculation engine: worked amounts, the rule table, due dates,
// edition months, failures and the stored result.
#include "CalculoTeste.h"

#include "collection/unTCalculo.h"
#include "collection/unTContaSaldoTrabalhador.h"
#include "registry/UnRescisao.h"

namespace {

struct TValores {
  double Deposito, Jam, Multa, Contribuicao, MultaContribuicao;
};

void ConferirValores(const TParcelaCalculo &p, const TValores &e, const std::string &caso) {
  SCOPED_TRACE(caso);
  EXPECT_DOUBLE_EQ(p.VrDeposito, e.Deposito);
  EXPECT_DOUBLE_EQ(p.VrJam, e.Jam);
  EXPECT_DOUBLE_EQ(p.VrMulta, e.Multa);
  EXPECT_DOUBLE_EQ(p.VrContribuicao, e.Contribuicao);
  EXPECT_DOUBLE_EQ(p.VrMultaContribuicao, e.MultaContribuicao);
}

QString Data(TDateTime d) {
  return d > 0 ? DataParaQDate(d).toString(QStringLiteral("dd/MM/yyyy")) : QStringLiteral("-");
}

} // namespace

// ------------------------------------------------------------ worked amounts

TEST_F(CalculoTeste, DepositoEMultaEmDiaSemContribuicao) {
  TCasoVinculo c;
  c.Movimentacao = QDate(2023, 5, 15);
  c.Fpas = 868; // no contribution anywhere
  c.Anterior = 1000;
  c.Rescisao = 1234.56;
  c.Saldo = 10000;
  Pagamento(QDate(2023, 5, 2));
  auto v = Criar(c);
  TCalculo calc;
  ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
  EXPECT_EQ(calc.CodigoErro, 0);
  ConferirValores(calc.ParcelaRescisao, {98.76, 0, 0, 0, 0}, "rescisão 1234,56 x 8%");
  ConferirValores(calc.ParcelaAnterior, {80.00, 0, 0, 0, 0}, "anterior");
  // The prior notice has no base: computed, but nothing to collect.
  EXPECT_TRUE(calc.ParcelaAvisoPrevio.Calculado);
  EXPECT_EQ(calc.ParcelaAvisoPrevio.DtDevida, 0);
  EXPECT_DOUBLE_EQ(calc.ParcelaMulta.VrBaseMulta, 10178.76);
  ConferirValores(calc.ParcelaMulta, {4071.50, 0, 0, 0, 0}, "multa 40% de 10178,76");
  EXPECT_DOUBLE_EQ(calc.ValorTotal(), 80.00 + 98.76 + 4071.50);
  EXPECT_EQ(calc.ParcelaRescisao.IcEmDia, ' '); // inputs read blank after the computation
  EXPECT_EQ(calc.ParcelaRescisao.DtCompetencia, 0);
}

// A termination of 15/06/2005 paid on 15/01/2024: every block is late, the
// deposit blocks fall before their regular due date (guide index), the month
// before uses the late-payment table, the JAM factor is 0.01.
class CalculoAtrasoTeste : public CalculoTeste {
protected:
  TCasoVinculo Caso() {
    TCasoVinculo c;
    c.Movimentacao = QDate(2005, 6, 15);
    c.Rescisao = 1000;
    return c;
  }
  void Indices(double I, double IM, double J = 0.01) {
    Pagamento(QDate(2024, 1, 15));
    IndicesAtraso(QDate(2024, 1, 1), QDate(2024, 1, 15), I, IM, J, QDate(2005, 4, 1),
                  QDate(2005, 7, 31));
  }
};

TEST_F(CalculoAtrasoTeste, BlocoAtrasadoDeOitoEMeioPorCento) {
  Indices(0.09, 0.6);
  auto v = Criar(Caso());
  TCalculo calc;
  ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
  const TParcelaCalculo &r = calc.ParcelaRescisao;
  EXPECT_EQ(r.DtDevida, D(2005, 6, 16));
  ConferirValores(r, {80.00, 0.80, 9.20, 5.00, 0.62}, "8,5% em atraso");
  EXPECT_DOUBLE_EQ(r.VrDeposito + r.VrJam + r.VrMulta + r.VrContribuicao + r.VrMultaContribuicao,
                   95.62);
  EXPECT_DOUBLE_EQ(r.VrBaseMulta, 80.80);
  // Fine on 80.80, late with the 10% contribution: TOT 48.48, deposit 32.32,
  // contribution 8.08, JAM 0.32, REST 7.76, (7.76 + 0.32) / 5 = 1.61.
  EXPECT_DOUBLE_EQ(calc.ParcelaMulta.VrBaseMulta, 80.80);
  ConferirValores(calc.ParcelaMulta, {32.32, 0.32, 6.15, 8.08, 1.61}, "multa em atraso");
}

// Every row of the rule table: the deposit rows on the termination-month
// block (base 1000), the fine rows on block 400 (fine base 1000).
struct TCasoRegra {
  const char *Nome;
  int Categoria;
  QDate Movimentacao;
  QString Movimento;
  int Fpas;
  QDate Dissidio; // set: the fine base is the dissídio amount
  bool Atraso;
  bool Multa; // check block 400 instead of 407
  TValores Esperado;
};

TEST_F(CalculoTeste, TabelaDeRegras) {
  const QDate d2005(2005, 6, 15), d2010(2010, 6, 15), d2019(2019, 6, 14), d2021(2021, 6, 15);
  const QDate d2016(2016, 6, 15);
  const TCasoRegra casos[] = {
      // deposit blocks, on time
      {"S RR", 7, d2005, "I1", 507, {}, false, false, {20, 0, 0, 5, 0}},
      {"S categoria 4 até 01/2003",
       4,
       QDate(2002, 6, 14),
       "I1",
       507,
       {},
       false,
       false,
       {20, 0, 0, 5, 0}},
      {"S categoria 4 depois de 01/2003",
       4,
       QDate(2003, 6, 16),
       "I1",
       507,
       {},
       false,
       false,
       {80, 0, 0, 5, 0}},
      {"S normal", 1, d2005, "I1", 507, {}, false, false, {80, 0, 0, 5, 0}},
      {"N RR", 7, d2010, "I1", 507, {}, false, false, {20, 0, 0, 0, 0}},
      {"N normal", 1, d2010, "I1", 507, {}, false, false, {80, 0, 0, 0, 0}},
      // deposit blocks, late (I 0.09, J 0.01)
      {"LS RR", 7, d2005, "I1", 507, {}, true, false, {20, 0.20, 2.30, 5, 0.62}},
      {"LS normal", 1, d2005, "I1", 507, {}, true, false, {80, 0.80, 9.20, 5, 0.62}},
      {"LN RR", 7, d2005, "I1", 868, {}, true, false, {20, 0.20, 2.30, 0, 0}},
      {"LN normal", 1, d2005, "I1", 868, {}, true, false, {80, 0.80, 9.20, 0, 0}},
      // fine, on time
      {"400 S antes de 2020", 1, d2019, "I1", 507, {}, false, true, {400, 0, 0, 100, 0}},
      {"400 S desde 2020", 1, d2021, "I1", 507, {}, false, true, {400, 0, 0, 0, 0}},
      {"400 N I2", 1, d2021, "I2", 507, {}, false, true, {200, 0, 0, 0, 0}},
      {"400 N I5", 1, d2021, "I5", 507, {}, false, true, {200, 0, 0, 0, 0}},
      {"400 N I4", 1, d2021, "I4", 507, {}, false, true, {400, 0, 0, 0, 0}},
      {"400 N L", 1, d2021, "L", 868, {}, false, true, {400, 0, 0, 0, 0}},
      {"400 N I1", 1, d2021, "I1", 868, {}, false, true, {400, 0, 0, 0, 0}},
      {"400 N I3 (sem regra)", 1, d2021, "I3", 507, {}, false, true, {0, 0, 0, 0, 0}},
      // fine, late (IM 0.6, J 0.01)
      {"400 LS antes de 2020", 1, d2019, "I1", 507, {}, true, true, {400, 4, 76, 100, 20}},
      {"400 LS dissídio desde 2020",
       1,
       d2019,
       "I1",
       507,
       QDate(2020, 2, 10),
       true,
       true,
       {400, 4, 196, 100, 50}},
      {"400 LS desde 2020", 1, d2021, "I1", 507, {}, true, true, {400, 4, 196, 0, 0}},
      {"400 LN I2 antes de 2020", 1, d2019, "I2", 507, {}, true, true, {200, 2, 38, 0, 0}},
      {"400 LN I2 desde 2020", 1, d2021, "I2", 507, {}, true, true, {200, 2, 98, 0, 0}},
      {"400 LN I4 antes de 2020", 1, d2019, "I4", 507, {}, true, true, {400, 4, 76, 0, 0}},
      {"400 LN L desde 2020", 1, d2021, "L", 507, {}, true, true, {400, 4, 196, 0, 0}},
      {"400 LN I5 desde 11/11/2017", 1, d2019, "I6", 507, {}, true, true, {200, 2, 38, 0, 0}},
      {"400 LN I5 antes de 11/11/2017 (sem regra)",
       1,
       d2016,
       "I5",
       507,
       {},
       true,
       true,
       {0, 0, 0, 0, 0}},
  };
  qint64 pis = 10000000000;
  for (const TCasoRegra &k : casos) {
    SCOPED_TRACE(k.Nome);
    Executar(QStringLiteral("DELETE FROM QZLTBT16_INDICE_GUIA_RESCISORIA"));
    Executar(QStringLiteral("DELETE FROM QZLTBT17_INDICE_SIMPLIFICADO"));
    Executar(QStringLiteral("DELETE FROM QZLTBT18_INDICE_PRORATA"));
    TCasoVinculo c;
    c.Pis = ++pis;
    c.Inscricao = 11222333000000 + k.Fpas; // one employer per FPAS code
    c.Fpas = k.Fpas;
    c.Categoria = k.Categoria;
    c.Movimentacao = k.Movimentacao;
    c.Movimento = k.Movimento;
    c.AvisoPrevio = 2;
    if (k.Multa) {
      if (k.Dissidio.isValid()) {
        c.Dissidio = k.Dissidio;
        c.VrDissidio = 1000;
      } else {
        c.Saldo = 1000;
      }
    } else {
      c.Rescisao = 1000;
    }
    const QDate base = k.Dissidio.isValid() ? k.Dissidio : k.Movimentacao;
    if (k.Atraso) {
      Pagamento(QDate(2024, 1, 15));
      IndicesAtraso(QDate(2024, 1, 1), QDate(2024, 1, 15), 0.09, 0.6, 0.01, base.addMonths(-2),
                    base.addMonths(2));
    } else {
      Pagamento(QDate(base.year(), base.month(), 1).addMonths(-1));
    }
    auto v = Criar(c);
    TCalculo calc;
    ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
    const TParcelaCalculo &p = k.Multa ? calc.ParcelaMulta : calc.ParcelaRescisao;
    ConferirValores(p, k.Esperado, k.Nome);
    const bool semRegra = k.Esperado.Deposito == 0;
    EXPECT_EQ(p.DtDevida == 0, semRegra);
    if (k.Multa) {
      EXPECT_DOUBLE_EQ(p.VrBaseMulta, semRegra ? 0 : 1000);
    }
  }
}

// ------------------------------------------------------------------ due dates

struct TCasoVencimento {
  const char *Nome;
  QDate Movimentacao;
  int Aviso;
  QDate Dissidio;
  QDate Pagamento; // invalid: the month before the termination
  QDate Anterior, Rescisao, AvisoPrevio, Multa;
};

TEST_F(CalculoTeste, Vencimentos) {
  const TCasoVencimento casos[] = {
      {"A: dissídio depois da rescisão",
       {2019, 5, 10},
       1,
       {2019, 6, 12},
       {},
       {2019, 7, 5},
       {2019, 7, 5},
       {2019, 7, 5},
       {2019, 7, 5}},
      {"B: dia < 7, antes de R",
       {2017, 3, 3},
       1,
       {},
       {},
       {2017, 3, 6},
       {2017, 3, 6},
       {2017, 3, 6},
       {2017, 3, 6}},
      {"B: dia < 7, dia útil seguinte além do dia 7",
       {2017, 10, 6},
       1,
       {},
       {},
       {2017, 10, 6},
       {2017, 10, 9},
       {2017, 10, 9},
       {2017, 10, 9}},
      {"B: dia >= 7, antes de R",
       {2017, 5, 15},
       0,
       {},
       {},
       {2017, 5, 5},
       {2017, 5, 16},
       {2017, 5, 16},
       {2017, 5, 16}},
      {"B: 10/11/2017, véspera de R",
       {2017, 11, 10},
       1,
       {},
       {},
       {2017, 11, 7},
       {2017, 11, 13},
       {2017, 11, 13},
       {2017, 11, 13}},
      {"B: 11/11/2017, R",
       {2017, 11, 11},
       1,
       {},
       {},
       {2017, 11, 7},
       {2017, 11, 21},
       {2017, 11, 21},
       {2017, 11, 21}},
      {"B: dia < 7, desde R",
       {2018, 2, 5},
       1,
       {},
       {},
       {2018, 2, 15},
       {2018, 2, 15},
       {2018, 2, 15},
       {2018, 2, 15}},
      {"B: prazo no dia 7 do mês seguinte",
       {2018, 2, 25},
       1,
       {},
       {},
       {2018, 2, 7},
       {2018, 3, 7},
       {2018, 3, 7},
       {2018, 3, 7}},
      {"B: prazo depois do dia 7 do mês seguinte",
       {2018, 2, 27},
       1,
       {},
       {},
       {2018, 2, 7},
       {2018, 3, 7},
       {2018, 3, 9},
       {2018, 3, 9}},
      {"B: 09/03/2024, véspera de L",
       {2024, 3, 9},
       1,
       {},
       {},
       {2024, 3, 7},
       {2024, 3, 19},
       {2024, 3, 19},
       {2024, 3, 19}},
      {"B: 10/03/2024, L",
       {2024, 3, 10},
       1,
       {},
       {},
       {2024, 3, 20},
       {2024, 3, 20},
       {2024, 3, 20},
       {2024, 3, 20}},
      {"C: antes de R, mesmo mês",
       {2017, 5, 15},
       2,
       {},
       {},
       {2017, 5, 5},
       {2017, 5, 25},
       {2017, 5, 25},
       {2017, 5, 25}},
      {"C: antes de R, dia 7 seguinte em sábado",
       {2017, 9, 29},
       2,
       {},
       {},
       {2017, 9, 7},
       {2017, 10, 6},
       {2017, 10, 6},
       {2017, 10, 9}},
      {"C: desde R, dia 7 sem ajuste",
       {2018, 9, 28},
       3,
       {},
       {},
       {2018, 9, 7},
       {2018, 10, 7},
       {2018, 10, 7},
       {2018, 10, 8}},
      {"C: pagamento antes de L",
       {2024, 3, 25},
       2,
       {},
       {2024, 3, 1},
       {2024, 3, 7},
       {2024, 4, 4},
       {2024, 4, 4},
       {2024, 4, 4}},
      {"C: pagamento desde L",
       {2024, 3, 25},
       2,
       {},
       {2024, 3, 11},
       {2024, 3, 20},
       {2024, 4, 4},
       {2024, 4, 4},
       {2024, 4, 4}},
  };
  qint64 pis = 20000000000;
  for (const TCasoVencimento &k : casos) {
    SCOPED_TRACE(k.Nome);
    TCasoVinculo c;
    c.Pis = ++pis;
    c.Movimentacao = k.Movimentacao;
    c.AvisoPrevio = k.Aviso;
    c.Dissidio = k.Dissidio;
    c.VrDissidio = k.Dissidio.isValid() ? 1000 : 0;
    c.Anterior = c.Rescisao = c.Aviso = c.Saldo = 1000;
    Pagamento(k.Pagamento.isValid()
                  ? k.Pagamento
                  : QDate(k.Movimentacao.year(), k.Movimentacao.month(), 1).addMonths(-1));
    auto v = Criar(c);
    TCalculo calc;
    ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
    EXPECT_EQ(Data(calc.ParcelaAnterior.DtDevida), Data(QDateParaData(k.Anterior)));
    EXPECT_EQ(Data(calc.ParcelaRescisao.DtDevida), Data(QDateParaData(k.Rescisao)));
    EXPECT_EQ(Data(calc.ParcelaAvisoPrevio.DtDevida), Data(QDateParaData(k.AvisoPrevio)));
    EXPECT_EQ(Data(calc.ParcelaMulta.DtDevida), Data(QDateParaData(k.Multa)));
  }
}

TEST_F(CalculoTeste, VencimentoUsaOCalendarioDeDiasUteis) {
  // 06/03/2017 is not a business day: the deadline moves on to the 7th.
  Executar(QStringLiteral("DELETE FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL = '2017-03-06'"));
  TCasoVinculo c;
  c.Movimentacao = QDate(2017, 3, 3);
  c.Anterior = c.Rescisao = 1000;
  Pagamento(QDate(2017, 2, 1));
  auto v = Criar(c);
  TCalculo calc; // reloads the calendar
  ASSERT_TRUE(calc.CalcularVinculo(v.get()));
  EXPECT_EQ(Data(calc.ParcelaRescisao.DtDevida), QStringLiteral("07/03/2017"));
  // The month before moves on to the 7th as well (the next business day is not past it).
  EXPECT_EQ(Data(calc.ParcelaAnterior.DtDevida), QStringLiteral("07/03/2017"));
}

// ------------------------------------------------------------- edition month

TEST_F(CalculoTeste, MesDeEdital) {
  struct {
    bool Novo;
    QDate Pagamento, Edital;
  } casos[] = {
      {false, {2024, 5, 15}, {2024, 5, 1}}, {false, {2024, 5, 9}, {2024, 4, 1}},
      {true, {2024, 3, 9}, {2024, 2, 1}},   {true, {2024, 3, 10}, {2024, 3, 1}},
      {true, {2024, 4, 20}, {2024, 3, 1}},  {true, {2024, 4, 21}, {2024, 4, 1}},
      {true, {2024, 5, 20}, {2024, 4, 1}},  {true, {2024, 5, 21}, {2024, 5, 1}},
  };
  TCasoVinculo c;
  c.Movimentacao = QDate(2024, 6, 28);
  c.AvisoPrevio = 2;
  c.Rescisao = 1000;
  auto v = Criar(c);
  for (const auto &k : casos) {
    SCOPED_TRACE(k.Pagamento.toString().toStdString());
    Executar(QStringLiteral("DELETE FROM QZLTBT18_INDICE_PRORATA"));
    // The calendar regime comes from the day of the latest late-payment date.
    Prorata(QDate(2024, 5, 1), k.Novo ? QDate(2024, 6, 21) : QDate(2024, 6, 9), 1, 1, 1);
    Pagamento(k.Pagamento);
    TCalculo calc;
    ASSERT_TRUE(calc.CalcularVinculo(v.get()));
    EXPECT_EQ(calc.DataEdital(), QDateParaData(k.Edital));
  }
}

// ------------------------------------------- the first two days of 2020

TEST_F(CalculoTeste, RescisaoEm2DeJaneiroDe2020UsaVencimento13) {
  TCasoVinculo c;
  c.Movimentacao = QDate(2020, 1, 2);
  c.AvisoPrevio = 2;
  c.Rescisao = 1000;
  c.Saldo = 1000;
  Pagamento(QDate(2020, 1, 13));
  const QDate ed(2020, 1, 1);
  IndiceGuia(ed, QDate(2020, 1, 13), QDate(2020, 1, 14), 0.09, 0.6);
  // The rows of the real due date and payment date must not be used.
  IndiceGuia(ed, QDate(2020, 1, 10), QDate(2020, 1, 13), 0.5, 0.7);
  Prorata(ed, QDate(2020, 1, 13), 2, 0.09, 2);
  auto v = Criar(c);
  TCalculo calc;
  ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
  ConferirValores(calc.ParcelaRescisao, {80, 0, 10, 0, 0}, "rescisão");
  // Fine base 1000 + 80: TOT 648, deposit 432, REST 216 (contribution 0 from 2020).
  ConferirValores(calc.ParcelaMulta, {432, 0, 216, 0, 0}, "multa");

  // Without the row of 13/01 and 14/01 the link cannot be computed, even
  // though the rows of its real due date and payment date exist.
  Executar(QStringLiteral("DELETE FROM QZLTBT16_INDICE_GUIA_RESCISORIA WHERE DT_VENCIMENTO = "
                          "'2020-01-13'"));
  TCalculo outro;
  EXPECT_FALSE(outro.CalcularVinculo(v.get()));
  EXPECT_EQ(outro.CodigoErro, 372);
}

// ------------------------------------------------------------------- JAM

TEST_F(CalculoAtrasoTeste, FatorJamPorDataDeOpcaoECategoria) {
  struct {
    int Categoria;
    QDate Opcao;
    const char *Coluna;
  } casos[] = {
      {1, {1967, 5, 2}, "IN_JAM_OPCAO_67"},         {1, {1970, 5, 2}, "IN_JAM_OPCAO_70"},
      {1, {1971, 9, 22}, "IN_JAM_OPCAO_ATE_0971"},  {1, {1971, 9, 23}, "IN_JAM_OPCAO_MAIOR_0971"},
      {2, {1968, 1, 2}, "IN_JAM_OPCAO_MAIOR_0971"},
  };
  qint64 pis = 30000000000;
  for (const auto &k : casos) {
    SCOPED_TRACE(k.Coluna);
    Executar(QStringLiteral("DELETE FROM QZLTBT16_INDICE_GUIA_RESCISORIA"));
    Executar(QStringLiteral("DELETE FROM QZLTBT17_INDICE_SIMPLIFICADO"));
    Executar(QStringLiteral("DELETE FROM QZLTBT18_INDICE_PRORATA"));
    Pagamento(QDate(2024, 1, 15));
    IbxUtils->IniciarTransacao();
    for (QDate d(2005, 4, 1); d <= QDate(2005, 7, 31); d = d.addDays(1))
      IndiceGuia(QDate(2024, 1, 1), d, QDate(2024, 1, 15), 0.09, 0.6);
    for (QDate m(2005, 4, 1); m <= QDate(2005, 7, 1); m = m.addMonths(1))
      Simplificado(QDate(2024, 1, 1), m, 0.01, 1, 1, QString::fromLatin1(k.Coluna));
    Prorata(QDate(2024, 1, 1), QDate(2024, 1, 15), 0.09, 0.09, 0.09);
    IbxUtils->ConfirmarTransacao();
    TCasoVinculo c = Caso();
    c.Pis = ++pis;
    c.Categoria = k.Categoria;
    c.Opcao = k.Opcao;
    auto v = Criar(c);
    TCalculo calc;
    ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
    EXPECT_DOUBLE_EQ(calc.ParcelaRescisao.VrJam, 0.80); // only the right column holds 0.01
  }
}

TEST_F(CalculoTeste, JamSobreOSaldoDaConta) {
  TCasoVinculo c;
  c.Movimentacao = QDate(2023, 5, 15);
  c.Fpas = 868;
  c.Saldo = 5000;
  c.Origem = QStringLiteral("C");
  c.Complemento = 100;
  Pagamento(QDate(2023, 5, 2)); // edition 01/04/2023
  Inserir(c);
  Executar(QStringLiteral(
      "INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, "
      "NU_EMPREGADO_VORDA, VR_SALDO_RESCISORIO, NU_SITUACAO_CONTA_EMPRESA, DT_CREDITO_JUROS) "
      "VALUES (1, 11222333000181, 12345678901, 1, '2000-01-03', 0, 1, 77, 5000, 0, "
      "'2023-02-10')"));
  // The factor of the month before the interest credit: 01/01/2023.
  Simplificado(QDate(2023, 4, 1), QDate(2023, 1, 1), 0.0123);
  auto v = Carregar(c);
  TCalculo calc;
  ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
  EXPECT_DOUBLE_EQ(calc.ParcelaMulta.VrJamSaldo, 61.50);
  EXPECT_DOUBLE_EQ(calc.ParcelaMulta.VrBase, 5161.50); // balance + JAM + complements
  EXPECT_DOUBLE_EQ(calc.ParcelaMulta.VrDeposito, 2064.60);

  // Without the factor row the link cannot be computed, and says why.
  Executar(QStringLiteral("DELETE FROM QZLTBT17_INDICE_SIMPLIFICADO"));
  TCalculo calc2;
  EXPECT_FALSE(calc2.CalcularVinculo(v.get()));
  EXPECT_EQ(calc2.CodigoErro, 372);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = 372 "
                                  "AND NU_ARQUIVO = 3")),
            1);
}

TEST_F(CalculoTeste, JamComAsContasLidasDeUmaVez) {
  // The first account of the link is excluded (situation 3) and credited on
  // another date: the computation skips it whether it reads the link's
  // accounts itself or takes them from a read of many links.
  TCasoVinculo c;
  c.Movimentacao = QDate(2023, 5, 15);
  c.Fpas = 868;
  c.Saldo = 5000;
  c.Origem = QStringLiteral("C");
  Pagamento(QDate(2023, 5, 2));
  Inserir(c);
  TCasoVinculo semConta = c;
  semConta.Pis = 12345678902;
  Inserir(semConta);
  for (const char *linha : {"3, 76, '2022-07-10'", "0, 77, '2023-02-10'"})
    Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, NU_SITUACAO_CONTA_EMPRESA, "
                            "NU_SITUACAO_CONTA_EMPREGADO, NU_EMPREGADO_VORDA, DT_CREDITO_JUROS) "
                            "VALUES (1, 11222333000181, 12345678901, 1, '2000-01-03', 1, 5000, 0, "
                            "%1)")
                 .arg(QLatin1String(linha)));
  Simplificado(QDate(2023, 4, 1), QDate(2023, 1, 1), 0.0123);
  Simplificado(QDate(2023, 4, 1), QDate(2022, 6, 1), 0.05);
  const TResumosContas contas = TContaSaldoTrabalhador::ResumirPorVinculo(QStringLiteral("1 = 1"));
  EXPECT_EQ(contas.size(), 1); // the link without accounts has no entry
  for (const TCasoVinculo &caso : {c, semConta}) {
    SCOPED_TRACE(caso.Pis);
    auto v = Carregar(caso);
    TCalculo umAUm, deUmaVez;
    deUmaVez.Contas = &contas;
    ASSERT_TRUE(umAUm.CalcularVinculo(v.get())) << umAUm.CodigoErro;
    ASSERT_TRUE(deUmaVez.CalcularVinculo(v.get())) << deUmaVez.CodigoErro;
    EXPECT_DOUBLE_EQ(umAUm.ParcelaMulta.VrJamSaldo, caso.Pis == c.Pis ? 61.50 : 0);
    EXPECT_DOUBLE_EQ(deUmaVez.ParcelaMulta.VrJamSaldo, umAUm.ParcelaMulta.VrJamSaldo);
    EXPECT_EQ(deUmaVez.TotalCentavos(), umAUm.TotalCentavos());
  }
}

// ------------------------------------------------------------------ failures

TEST_F(CalculoAtrasoTeste, Falhas) {
  struct {
    const char *Nome;
    std::function<void(TCasoVinculo &)> Preparar;
    int Codigo;
    int Inconsistencias; // rows 372 recorded
  } casos[] = {
      {"sem linha do índice da guia",
       [this](TCasoVinculo &) {
         Executar(QStringLiteral("DELETE FROM QZLTBT16_INDICE_GUIA_RESCISORIA WHERE "
                                 "DT_VENCIMENTO = '2005-06-16'"));
       },
       372, 0},
      {"índice zero",
       [this](TCasoVinculo &) {
         Executar(QStringLiteral("UPDATE QZLTBT16_INDICE_GUIA_RESCISORIA SET VR_INDICE = 0"));
       },
       372, 0},
      {"sem linha de atraso",
       [this](TCasoVinculo &) { Executar(QStringLiteral("DELETE FROM QZLTBT18_INDICE_PRORATA")); },
       372, 0},
      {"sem fator de JAM",
       [this](TCasoVinculo &) {
         Executar(QStringLiteral("DELETE FROM QZLTBT17_INDICE_SIMPLIFICADO WHERE "
                                 "DT_COMPETENCIA_SIMPLIFICADO = '2005-06-01'"));
       },
       372, 1},
      {"opção anterior a 1967", [](TCasoVinculo &c) { c.Opcao = QDate(1966, 12, 1); }, 602, 0},
      {"valor negativo",
       [this](TCasoVinculo &) {
         Executar(QStringLiteral(
             "UPDATE QZLTBT16_INDICE_GUIA_RESCISORIA SET VR_INDICE_MULTA_RESCISORIA = 0.5"));
       },
       475, 0},
      {"sem movimento aberto",
       [this](TCasoVinculo &) {
         Executar(QStringLiteral("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO"));
       },
       601, 0},
  };
  qint64 pis = 40000000000;
  for (auto &k : casos) {
    SCOPED_TRACE(k.Nome);
    for (const char *t : {"QZLTBT16_INDICE_GUIA_RESCISORIA", "QZLTBT17_INDICE_SIMPLIFICADO",
                          "QZLTBT18_INDICE_PRORATA", "QZLTBG18_INCONSISTENCIA_ARQUIVO"})
      Executar(QStringLiteral("DELETE FROM %1").arg(QString::fromLatin1(t)));
    Indices(0.09, 0.6);
    TCasoVinculo c = Caso();
    c.Pis = ++pis;
    c.Anterior = 1000;
    k.Preparar(c);
    auto v = Criar(c);
    TCalculo calc;
    EXPECT_FALSE(calc.CalcularVinculo(v.get()));
    EXPECT_EQ(calc.CodigoErro, k.Codigo);
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = "
                                    "372 AND NU_ARQUIVO = 3")),
              k.Inconsistencias);
    EXPECT_EQ(calc.GravarCalculo(v.get()), -1);
    EXPECT_TRUE(Valor(QStringLiteral("SELECT VR_DEPOSITO_RESCISAO FROM "
                                     "QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1")
                          .arg(c.Pis))
                    .isEmpty());
  }
}

TEST_F(CalculoAtrasoTeste, CodigoErroNaoSobraDeOutroVinculo) {
  Indices(0.09, 0.6);
  TCasoVinculo ruim = Caso();
  ruim.Opcao = QDate(1960, 1, 4);
  TCasoVinculo bom = Caso();
  bom.Pis = 12345678999;
  auto vr = Criar(ruim);
  auto vb = Criar(bom);
  TCalculo calc;
  EXPECT_FALSE(calc.CalcularVinculo(vr.get()));
  EXPECT_NE(calc.CodigoErro, 0);
  EXPECT_FALSE(calc.ParcelaMulta.Calculado);
  EXPECT_TRUE(calc.CalcularVinculo(vb.get()));
  EXPECT_EQ(calc.CodigoErro, 0);
  EXPECT_FALSE(calc.CalcularVinculo(nullptr));
  EXPECT_EQ(calc.GravarCalculo(nullptr), -1);
}

TEST_F(CalculoTeste, CalendarioCompartilhadoSobreviveAoMotor) {
  TDiaUtil *calendario = &DiaUtil();
  {
    TCalculo a;
    TCalculo b;
  }
  EXPECT_EQ(&DiaUtil(), calendario);
  EXPECT_TRUE(DiaUtil().EhDiaUtil(D(2024, 3, 11)));
  Executar(QStringLiteral("DELETE FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL = '2024-03-11'"));
  TCalculo c; // creating an engine reloads it
  EXPECT_FALSE(DiaUtil().EhDiaUtil(D(2024, 3, 11)));
}

// ------------------------------------------------------------------ storing

TEST_F(CalculoAtrasoTeste, GravarCalculoGravaOsVinteValoresERecarregaARescisao) {
  Indices(0.09, 0.6);
  TCasoVinculo c = Caso();
  c.VrDissidio = 0;
  auto v = Criar(c);
  TCalculo calc;
  const double total = calc.GravarCalculo(v.get());
  ASSERT_GE(total, 0);
  EXPECT_DOUBLE_EQ(total, calc.ValorTotal());
  const TRescisao &r = v->Rescisao();
  EXPECT_DOUBLE_EQ(r.VR_DEPOSITO_RESCISAO, 80.00);
  EXPECT_DOUBLE_EQ(r.VR_JAM_RESCISAO, 0.80);
  EXPECT_DOUBLE_EQ(r.VR_MULTA_RESCISAO, 9.20);
  EXPECT_DOUBLE_EQ(r.VR_CNTRO_RESCISAO, 5.00);
  EXPECT_DOUBLE_EQ(r.VR_MULTA_CNTRO_RESCISAO, 0.62);
  EXPECT_DOUBLE_EQ(r.VR_DEPOSITO_MULTA_RESCISORIA, 32.32);
  EXPECT_EQ(r.DT_DEVIDA_RESCISAO, D(2005, 6, 16));
  // Blocks without a base have nothing to collect: no due date stored.
  EXPECT_FALSE(DataDefinida(r.DT_DEVIDA_ANTERIOR_RESCISAO));
  EXPECT_FALSE(DataDefinida(r.DT_DEVIDA_AVISO_PREVIO));
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT VR_DEPOSITO_ANTERIOR_RESCISAO + VR_JAM_ANTERIOR_RESCISAO + "
      "VR_MULTA_ANTERIOR_RESCISAO + VR_CNTRO_ANTERIOR_RESCISAO + VR_MULTA_CNTRO_ANTERIOR_RSCSO + "
      "VR_DEPOSITO_RESCISAO + VR_JAM_RESCISAO + VR_MULTA_RESCISAO + VR_CNTRO_RESCISAO + "
      "VR_MULTA_CNTRO_RESCISAO + VR_DEPOSITO_AVISO_PREVIO + VR_JAM_AVISO_PREVIO + "
      "VR_MULTA_AVISO_PREVIO + VR_CNTRO_AVISO_PREVIO + VR_MULTA_CNTRO_AVISO_PREVIO + "
      "VR_DEPOSITO_MULTA_RESCISORIA + VR_JAM_MULTA_RESCISORIA + VR_MULTA_MULTA_RESCISORIA + "
      "VR_CNTRO_MULTA_RESCISORIA + VR_MULTA_CNTRO_MULTA_RESCISORIA, VR_JAM_SALDO_RESCISORIO "
      "FROM QZLTBG06_INFORMACAO_RESCISAO"));
  const double soma = ds->Fields(0).AsFloat();
  EXPECT_DOUBLE_EQ(total, 144.10);
  EXPECT_DOUBLE_EQ(ds->Fields(1).AsFloat(), 0);
  EXPECT_DOUBLE_EQ(soma, total);
}

TEST_F(CalculoTeste, CompetenciaDaRescisaoNoNovoCalendario) {
  // Termination 05/04/2024, due 15/04/2024: under the new calendar a due
  // date before day 20 still belongs to the month before (03/2024); the JAM
  // factor is then looked up for 03/2024 (0.01), not 04/2024 (0.02).
  TCasoVinculo c;
  c.Movimentacao = QDate(2024, 4, 5);
  c.Rescisao = 1000;
  Pagamento(QDate(2024, 7, 22));
  IndicesAtraso(QDate(2024, 7, 1), QDate(2024, 7, 22), 0.09, 0.6, 0.01, QDate(2024, 3, 1),
                QDate(2024, 5, 31));
  Executar(QStringLiteral("UPDATE QZLTBT17_INDICE_SIMPLIFICADO SET IN_JAM_OPCAO_MAIOR_0971 = 0.02 "
                          "WHERE DT_COMPETENCIA_SIMPLIFICADO = '2024-04-01'"));
  auto v = Criar(c);
  TCalculo calc;
  ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
  EXPECT_EQ(calc.DataEdital(), D(2024, 7, 1));
  EXPECT_EQ(calc.ParcelaRescisao.DtDevida, D(2024, 4, 15));
  ConferirValores(calc.ParcelaRescisao, {80, 0.80, 9.20, 0, 0}, "rescisão");
}

TEST_F(CalculoTeste, GravarSemLinhaDeRescisaoNaoEhSucesso) {
  TCasoVinculo c;
  c.Movimentacao = QDate(2023, 5, 15);
  c.Rescisao = 1000;
  Pagamento(QDate(2023, 5, 2));
  auto v = Criar(c);
  Executar(QStringLiteral("DELETE FROM QZLTBG06_INFORMACAO_RESCISAO"));
  TCalculo calc;
  EXPECT_EQ(calc.GravarCalculo(v.get()), -1);
  EXPECT_EQ(calc.CodigoErro, 144);
}
