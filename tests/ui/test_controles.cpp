// The reusable edit controls: what the value is for what is typed.
#include "ArvoreTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uControles.h"

#include <QTest>

TEST(Controles, ValorGuardaOsCentavosDigitados) {
  const struct {
    const char *texto;
    qint64 centavos; // -1: not an amount
  } casos[] = {{"", 0},
               {"0", 0},
               {"1.234,56", 123456},
               {"1234,5", 123450},
               {"0,29", 29},
               {"4,35", 435},
               {"19,99", 1999},
               {"9.999.999.999.999,99", 999999999999999},
               {"12", 1200},
               {",07", 7},
               {"1,234", -1},
               {"12a", -1},
               {"99999999999999", -1}};
  for (const auto &c : casos) {
    const std::optional<qint64> r = TEditValor::CentavosDoTexto(QString::fromLatin1(c.texto));
    if (c.centavos < 0)
      EXPECT_FALSE(r.has_value()) << c.texto;
    else
      EXPECT_EQ(r.value_or(-2), c.centavos) << c.texto;
  }
  EXPECT_EQ(TEditValor::TextoDosCentavos(123456789), QStringLiteral("1.234.567,89"));
  EXPECT_EQ(TEditValor::TextoDosCentavos(5), QStringLiteral("0,05"));
  // A double that lands just below the centavo still gives the centavo typed.
  AplicacaoTeste();
  TEditValor v;
  v.DefinirValor(4.35);
  EXPECT_EQ(v.Centavos(), 435);
  EXPECT_EQ(v.text(), QStringLiteral("4,35"));
  QTest::keyClicks(&v, "x");
  EXPECT_EQ(v.text(), QStringLiteral("4,35")); // letters are not typed
}

TEST(Controles, DataVaziaEhNullDateEDigitadaEhADoTexto) {
  AplicacaoTeste();
  TEditData d;
  EXPECT_TRUE(d.Vazia());
  EXPECT_EQ(d.Data(), NullDate);
  QTest::keyClicks(&d, "05101988");
  EXPECT_EQ(d.text(), QStringLiteral("05/10/1988"));
  EXPECT_EQ(d.Data(), QDateParaData(QDate(1988, 10, 5)));
  d.clear();
  QTest::keyClicks(&d, "3102");
  EXPECT_EQ(d.Data(), DataNaoValida); // partly typed is not a date
  d.clear();
  QTest::keyClicks(&d, "31022024");
  EXPECT_EQ(d.Data(), DataNaoValida);
  d.DefinirData(NullDate);
  EXPECT_TRUE(d.Vazia());
}

TEST(Controles, MascaraDevolveSoOsDigitosELigaAoTipo) {
  AplicacaoTeste();
  TEditMascara cep(QStringLiteral("99999-999"));
  cep.DefinirDigitos(QStringLiteral("01310100"));
  EXPECT_EQ(cep.text(), QStringLiteral("01310-100"));
  EXPECT_EQ(cep.Digitos(), QStringLiteral("01310100"));
  EXPECT_TRUE(cep.Completo());
  QComboBox tipo;
  tipo.addItems({"1 - CNPJ", "2 - CEI"});
  tipo.setCurrentIndex(0);
  TEditMascara inscricao;
  LigarTipoInscricao(&tipo, &inscricao);
  QTest::keyClicks(&inscricao, "11222333000181");
  EXPECT_EQ(inscricao.text(), QStringLiteral("11.222.333/0001-81"));
  tipo.setCurrentIndex(1); // the other mask empties the number
  EXPECT_TRUE(inscricao.Digitos().isEmpty());
  QTest::keyClicks(&inscricao, "123456789012");
  EXPECT_EQ(inscricao.text(), QStringLiteral("123456789012"));
}

TEST(Controles, ListaDeCodigosProcuraPeloQueSeDigita) {
  AplicacaoTeste();
  TComboCodigo c;
  c.addItems({"01 - Dispensa", "02 - Culpa", "10 - Outro", "I1 - Rescisão", "I3 - Termo"});
  c.setCurrentIndex(-1);
  QTest::keyClicks(&c, "10");
  EXPECT_EQ(c.Codigo(2), QStringLiteral("10"));
  QTest::qWait(1100); // a pause starts a new search
  QTest::keyClicks(&c, "i3");
  EXPECT_EQ(c.Codigo(2), QStringLiteral("I3"));
  QTest::keyClick(&c, Qt::Key_Backspace);
  EXPECT_EQ(c.currentIndex(), -1);
  EXPECT_EQ(c.Codigo(2), QString());
}
