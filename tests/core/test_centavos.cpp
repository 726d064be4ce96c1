// Money in whole centavos: exact sums and differences, the text forms, and
// the centavo rule's shortcuts agreeing with the rule written out in full.
#include "core/unCentavos.h"
#include "core/unUtilitarios.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

static void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {
using U = TUtilitarios;
using C = TCentavos;

// The centavo rule written out in full: x as text with 15 significant digits
// (the program's text form of a double, which rounds exact binary ties away
// from zero), cut at the decimal separator.
double ParteInteira15(double x) {
  const std::string s = QString::number(x, 'e', 14).toStdString();
  const bool negativo = s[0] == '-';
  const size_t pe = s.find('e');
  std::string digitos;
  for (size_t i = negativo ? 1 : 0; i < pe; ++i)
    if (s[i] != '.')
      digitos += s[i];
  const int expoente = std::atoi(s.c_str() + pe + 1);
  const int antes = expoente + 1; // digits before the separator
  std::string inteiro = "0";
  for (int i = 0; i < antes; ++i)
    inteiro += i < int(digitos.size()) ? digitos[i] : '0';
  const double r = std::strtod(inteiro.c_str(), nullptr);
  return negativo ? -r : r;
}
} // namespace

// Where whole-centavo amounts meet in a sum or a difference, the binary
// result may land just under the centavo; the integer sum does not.
TEST(TCentavos, SomasEDiferencasExatas) {
  struct {
    double total;
    std::vector<double> partes;
    qint64 esperado;
  } casos[] = {
      {76.52, {27.64, 40.34}, 854}, // 8.539999999999992 in binary
      {95.62, {80.00, 0.80, 5.00}, 982},
      {0.30, {0.10, 0.20}, 0},
      {1000000.01, {999999.99}, 2},
      {4.35, {}, 435},
      {0.00, {0.29}, -29},
      {99999999999.99, {0.01}, 9999999999998},
  };
  for (const auto &c : casos) {
    C r = C::De(c.total);
    for (double p : c.partes)
      r -= C::De(p);
    EXPECT_EQ(r.Centavos(), c.esperado) << c.total;
    EXPECT_EQ(r.Valor(), static_cast<double>(c.esperado) / 100.0) << c.total;
  }
  // The fault this type exists for: the rule applied to the binary difference.
  EXPECT_EQ(U::Truncar(2, 76.52 - (27.64 + 40.34)), 8.53);
  EXPECT_EQ((C::De(76.52) - C::Soma({27.64, 40.34})).Valor(), 8.54);

  C acumulado;
  for (int i = 0; i < 1000; ++i)
    acumulado += C::De(0.01 * 7); // 0.07000000000000001
  acumulado -= C::DeCentavos(1);
  EXPECT_EQ(acumulado, C::DeCentavos(6999));
  EXPECT_LT(C::DeCentavos(-1), C());
  EXPECT_EQ(-C::DeCentavos(5), C::De(-0.05));
}

TEST(TCentavos, TextosDoValorExato) {
  struct {
    qint64 centavos;
    QString texto, formatado;
  } casos[] = {
      {0, "0.00", "0,00"},
      {5, "0.05", "0,05"},
      {-5, "-0.05", "-0,05"},
      {854, "8.54", "8,54"},
      {123456, "1234.56", "1.234,56"},
      {-123456789, "-1234567.89", "-1.234.567,89"},
      {999999999999999, "9999999999999.99", "9.999.999.999.999,99"},
  };
  for (const auto &c : casos) {
    EXPECT_EQ(C::DeCentavos(c.centavos).Texto(), c.texto);
    EXPECT_EQ(C::DeCentavos(c.centavos).Formatado(), c.formatado);
  }
}

// Truncar and ParaCentavos skip writing the digits out when the value is far
// from a boundary; on seeded draws crowded around the boundaries (whole
// centavos, their sums and differences, a few binary places either side,
// products with rates and nine-decimal factors) they must give what the rule
// written out gives.
TEST(TCentavos, AtalhosDaRegraIguaisARegraEscrita) {
  std::mt19937_64 rnd(20261210);
  std::uniform_int_distribution<qint64> centavos(0, 99999999999);
  std::uniform_int_distribution<int> escolha(0, 5), passos(-4, 4), magnitude(0, 11);
  std::uniform_int_distribution<qint64> fator(0, 3000000000);
  const double taxas[] = {0.08, 0.085, 0.02, 0.025, 0.4, 0.5, 0.1, 1.0625, 0.3125};
  int divergencias = 0;
  for (int i = 0; i < 50000 && divergencias < 10; ++i) {
    // Amounts of every size, from centavos to billions.
    const qint64 limite = static_cast<qint64>(std::pow(10.0, magnitude(rnd)));
    const double a = static_cast<double>(centavos(rnd) % (limite + 1)) / 100.0;
    const double b = static_cast<double>(centavos(rnd) % (limite + 1)) / 100.0;
    double v = 0;
    switch (escolha(rnd)) {
    case 0:
      v = a;
      break;
    case 1:
      v = a - b;
      break;
    case 2:
      v = a + b;
      break;
    case 3:
      v = a * taxas[i % 9];
      break;
    case 4:
      v = a * (static_cast<double>(fator(rnd)) / 1e9);
      break;
    default:
      v = a * 0.085 - b * 0.08;
      break;
    }
    for (int p = passos(rnd); p != 0; p += p > 0 ? -1 : 1)
      v = std::nextafter(v, p > 0 ? INFINITY : -INFINITY);
    const double t2 = ParteInteira15(v * 100.0) / 100.0;
    const double t9 = ParteInteira15(v * 1e9) / 1e9;
    const qint64 c = static_cast<qint64>(ParteInteira15(v * 100.0));
    if (U::Truncar(2, v) != t2 || U::Truncar(9, v) != t9 || U::ParaCentavos(v) != c) {
      ++divergencias;
      ADD_FAILURE() << "valor " << std::hexfloat << v << std::defaultfloat << " (" << v
                    << "): Truncar(2) " << U::Truncar(2, v) << " x " << t2 << ", Truncar(9) "
                    << U::Truncar(9, v) << " x " << t9 << ", ParaCentavos " << U::ParaCentavos(v)
                    << " x " << c;
    }
  }
}
