// The business-day calendar and the business-day rules of the calculation.
#include "core/unTDiaUtil.h"
#include "core/unUtilitarios.h"
#include "support/BancoTeste.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {
TDateTime Dia(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}
} // namespace

// A calendar of March and April 2024 with Carnival-like holiday runs, and a
// long gap with no business day in late May.
class DiasUteis : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Executar("DELETE FROM QZLTBT15_DIA_UTIL");
    QStringList feriados = {"2024-03-29", "2024-04-01", "2024-04-02"};
    for (QDate d(2024, 3, 1); d <= QDate(2024, 5, 15); d = d.addDays(1)) {
      const QString iso = d.toString(Qt::ISODate);
      if (d.dayOfWeek() <= 5 && !feriados.contains(iso))
        Inserir(iso);
    }
    Inserir("2024-05-31");
    RecarregarDiaUtil();
  }
  void Inserir(const QString &iso) {
    Executar("INSERT INTO QZLTBT15_DIA_UTIL (DT_UTIL) VALUES ('" + iso + "')");
  }
};

TEST_F(DiasUteis, AnteriorEPosterior) {
  TDiaUtil d(true);
  struct {
    TDateTime data, anterior, posterior;
  } casos[] = {
      {Dia(2024, 3, 15), Dia(2024, 3, 15), Dia(2024, 3, 15)}, // a business day itself
      {Dia(2024, 3, 17), Dia(2024, 3, 15), Dia(2024, 3, 18)}, // Sunday
      {Dia(2024, 3, 16), Dia(2024, 3, 15), Dia(2024, 3, 18)}, // Saturday
      // Friday 29/03 to Tuesday 02/04 are holidays or weekend
      {Dia(2024, 4, 1), Dia(2024, 3, 28), Dia(2024, 4, 3)},
      {Dia(2024, 3, 30), Dia(2024, 3, 28), Dia(2024, 4, 3)},
      // 16/05 to 30/05 holds no business day: eight days away is too far
      {Dia(2024, 5, 24), NullDate, Dia(2024, 5, 31)},
      {Dia(2024, 5, 23), NullDate, NullDate},
      {Dia(2024, 5, 22), Dia(2024, 5, 15), NullDate},
  };
  for (const auto &c : casos) {
    EXPECT_EQ(d.DiaUtilAnterior(c.data), c.anterior)
        << DataParaQDate(c.data).toString().toStdString();
    EXPECT_EQ(d.DiaUtilPosterior(c.data), c.posterior)
        << DataParaQDate(c.data).toString().toStdString();
  }
  EXPECT_EQ(d.DiaUtilAnterior(NullDate), NullDate);
  EXPECT_TRUE(d.EhDiaUtil(Dia(2024, 3, 15) + 0.75)); // the time of day does not matter
  EXPECT_FALSE(d.EhDiaUtil(Dia(2024, 3, 29)));
}

TEST_F(DiasUteis, AjusteEVencimento) {
  // No business day within reach: the date itself.
  EXPECT_EQ(AjustarDiaUtil(false, Dia(2024, 5, 24)), Dia(2024, 5, 24));
  EXPECT_EQ(AjustarDiaUtil(true, Dia(2024, 5, 22)), Dia(2024, 5, 22));
  EXPECT_EQ(AjustarDiaUtil(false, Dia(2024, 3, 17)), Dia(2024, 3, 15));
  EXPECT_EQ(AjustarDiaUtil(true, Dia(2024, 3, 17)), Dia(2024, 3, 18));
  // 07/04/2024 is a Sunday: back to Friday 05/04.
  EXPECT_EQ(VencimentoMesSeguinte(Dia(2024, 3, 15)), Dia(2024, 4, 5));
  EXPECT_EQ(VencimentoMesSeguinte(Dia(2024, 3, 31)), Dia(2024, 4, 5));
  // 07/03/2024 is a Thursday.
  EXPECT_EQ(VencimentoMesSeguinte(Dia(2024, 2, 29)), Dia(2024, 3, 7));
}

TEST_F(DiasUteis, CalendarioUnicoSoRecarregaQuandoPedido) {
  TDiaUtil &c = DiaUtil();
  EXPECT_EQ(&c, &DiaUtil());
  EXPECT_FALSE(c.EhDiaUtil(Dia(2024, 3, 29)));
  Inserir("2024-03-29");
  EXPECT_FALSE(DiaUtil().EhDiaUtil(Dia(2024, 3, 29)));
  RecarregarDiaUtil();
  EXPECT_TRUE(DiaUtil().EhDiaUtil(Dia(2024, 3, 29)));
  EXPECT_EQ(&c, &DiaUtil());
  // A calendar created without loading knows no day.
  TDiaUtil vazio(false);
  EXPECT_EQ(vazio.DiaUtilAnterior(Dia(2024, 3, 15)), NullDate);
}

TEST_F(DiasUteis, EhDiaUtilConsultaATabela) {
  EXPECT_TRUE(TUtilitarios::EhDiaUtil(Dia(2024, 3, 15)));
  EXPECT_FALSE(TUtilitarios::EhDiaUtil(Dia(2024, 3, 16)));
  EXPECT_FALSE(TUtilitarios::EhDiaUtil(NullDate));
}
