// The amount rules to the centavo: where a rule subtracts or adds amounts
// already cut to centavos the result is exact, and a rule that splits a total
// into parts gives parts that add up to it. Checked on cases whose binary
// difference lands just under a centavo, and on seeded random draws against
// an exact decimal computation written here step by step.
#include "collection/unTCalculo.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// ------------------------------------------------- exact decimal reference --
// A decimal number n x 10^-escala, held exactly. Bases up to 10^7 reais
// times nine-decimal factors and four-decimal rates stay far inside 128 bits.
using Int = __int128;
struct Dec {
  Int n = 0;
  int escala = 0;
};
Int Pot10(int e) {
  Int p = 1;
  while (e-- > 0)
    p *= 10;
  return p;
}
Dec operator*(Dec a, Dec b) {
  return {a.n * b.n, a.escala + b.escala};
}
Dec Centavos(qint64 c) {
  return {c, 2};
}

// The centavo rule applied to the exact value num / den: the value times 100
// written with 15 significant digits (halves away from zero), cut toward
// zero. Returns whole centavos.
qint64 T2(Int num, Int den) {
  const bool negativo = num < 0;
  if (negativo)
    num = -num;
  const Int x = num * 100; // the value in centavos is x / den
  const Int inteiro = x / den;
  if (inteiro == 0 && 2 * x < den)
    return 0; // below half a centavo: no rounding of 15 digits reaches one
  int digitos = 0;
  for (Int i = inteiro; i > 0; i /= 10)
    ++digitos;
  // Scale that leaves 15 significant digits before the separator.
  const Int s = Pot10(15 - std::max(digitos, 0));
  const Int arredondado = (2 * x * s + den) / (2 * den);
  const Int r = arredondado / s;
  return static_cast<qint64>(negativo ? -r : r);
}
qint64 T2(Dec d) {
  return T2(d.n, Pot10(d.escala));
}

// The five amounts of a block, in centavos.
struct TExato {
  qint64 Deposito = 0, Jam = 0, Multa = 0, Contribuicao = 0, MultaContribuicao = 0;
  qint64 Total = -1;             // what the parts split, -1 when the form has no total
  bool ContribuicaoFora = false; // the contribution and its charges lie outside TOT
};

struct TEntrada {
  qint64 B; // centavos
  qint64 I; // 10^-9
  qint64 J; // 10^-9
  Dec Ind() const { return {I, 9}; }
  Dec Jam() const { return {J, 9}; }
};

Dec Taxa(const char *t) {
  // "0.085" -> 85 x 10^-3
  const std::string s(t);
  const size_t p = s.find('.');
  const std::string dig = s.substr(0, p) + s.substr(p + 1);
  return {std::stoll(dig), static_cast<int>(s.size() - p - 1)};
}

TExato FormaS(const TEntrada &e, const char *t, const char *d) {
  TExato r;
  r.Total = T2(Centavos(e.B) * Taxa(t));
  r.Deposito = T2(Centavos(e.B) * Taxa(d));
  r.Contribuicao = r.Total - r.Deposito;
  return r;
}
TExato FormaN(const TEntrada &e, const char *d) {
  TExato r;
  r.Deposito = T2(Centavos(e.B) * Taxa(d));
  return r;
}
qint64 Tot(const TEntrada &e, const char *k) {
  return k ? T2(Centavos(e.B) * e.Ind() * Taxa(k)) : T2(Centavos(e.B) * e.Ind());
}
TExato FormaLS(const TEntrada &e, const char *k, const char *d, const char *c, bool total, int n,
               qint64 *resto = nullptr) {
  TExato r;
  r.Total = Tot(e, k);
  r.Deposito = T2(Centavos(e.B) * Taxa(d));
  r.Contribuicao = total ? T2(Centavos(e.B) * Taxa(c)) - r.Deposito : T2(Centavos(e.B) * Taxa(c));
  r.Jam = T2(Centavos(r.Deposito) * e.Jam());
  const qint64 rest = r.Total - (r.Deposito + r.Jam + r.Contribuicao);
  // (REST + JAM) / n: an exact quotient of centavos, then the rule.
  r.MultaContribuicao = T2(static_cast<Int>(rest + r.Jam), static_cast<Int>(100) * n);
  r.Multa = rest - r.MultaContribuicao;
  if (resto)
    *resto = rest;
  return r;
}
TExato FormaLN(const TEntrada &e, const char *k, const char *d) {
  TExato r;
  r.Total = Tot(e, k);
  r.Deposito = T2(Centavos(e.B) * Taxa(d));
  r.Jam = T2(Centavos(r.Deposito) * e.Jam());
  r.Multa = r.Total - (r.Deposito + r.Jam);
  return r;
}
// Fine late with contribution, termination before 2020 and dissídio from
// 2020: the total splits into deposit, JAM and late charges; the
// contribution's charges come from a quarter of the index.
TExato FormaEspecial(const TEntrada &e) {
  TExato r;
  r.Total = T2(Centavos(e.B) * e.Ind());
  r.Deposito = T2(Centavos(e.B) * Taxa("0.4"));
  r.Contribuicao = T2(Centavos(e.B) * Taxa("0.1"));
  r.Jam = T2(Centavos(r.Deposito) * e.Jam());
  r.Multa = r.Total - (r.Deposito + r.Jam);
  // B x (I / 4) = B x I x 0.25 exactly.
  r.MultaContribuicao = T2(Centavos(e.B) * e.Ind() * Taxa("0.25")) - r.Contribuicao;
  r.ContribuicaoFora = true;
  return r;
}

// One row of the rule table: the conditions the engine sees and the exact
// computation the row prescribes.
struct TLinhaRegra {
  const char *Nome;
  TTipoParcela Tipo;
  TCondicaoRegra Condicao;
  TExato (*Exato)(const TEntrada &);
  bool ComRegra = true;
};

TCondicaoRegra Cond(bool emDia, bool contribuicao, bool reduzida = false, bool antes2020 = false,
                    bool dissidioAntes2020 = false, bool aposReforma = true,
                    const char *mov = "I1") {
  TCondicaoRegra c;
  c.EmDia = emDia;
  c.Contribuicao = contribuicao;
  c.TaxaReduzida = reduzida;
  c.Antes2020 = antes2020;
  c.DissidioAntes2020 = dissidioAntes2020;
  c.AposReforma = aposReforma;
  c.Mov = QString::fromLatin1(mov);
  return c;
}

const TLinhaRegra Linhas[] = {
    {"S RR", tpRescisao, Cond(true, true, true),
     [](const TEntrada &e) { return FormaS(e, "0.025", "0.02"); }},
    {"S", tpAnterior, Cond(true, true),
     [](const TEntrada &e) { return FormaS(e, "0.085", "0.08"); }},
    {"N RR", tpAvisoPrevio, Cond(true, false, true),
     [](const TEntrada &e) { return FormaN(e, "0.02"); }},
    {"N", tpRescisao, Cond(true, false), [](const TEntrada &e) { return FormaN(e, "0.08"); }},
    {"LS RR", tpRescisao, Cond(false, true, true),
     [](const TEntrada &e) { return FormaLS(e, "0.3125", "0.02", "0.025", true, 5); }},
    {"LS", tpAnterior, Cond(false, true),
     [](const TEntrada &e) { return FormaLS(e, "1.0625", "0.08", "0.085", true, 17); }},
    {"LN RR", tpAvisoPrevio, Cond(false, false, true),
     [](const TEntrada &e) { return FormaLN(e, "0.25", "0.02"); }},
    {"LN", tpRescisao, Cond(false, false),
     [](const TEntrada &e) { return FormaLN(e, nullptr, "0.08"); }},
    {"400 S antes de 2020", tpMulta, Cond(true, true, false, true),
     [](const TEntrada &e) { return FormaS(e, "0.5", "0.4"); }},
    {"400 S desde 2020", tpMulta, Cond(true, true),
     [](const TEntrada &e) { return FormaS(e, "0.4", "0.4"); }},
    {"400 N I2", tpMulta, Cond(true, false, false, false, false, true, "I2"),
     [](const TEntrada &e) { return FormaN(e, "0.2"); }},
    {"400 N I6", tpMulta, Cond(true, false, false, false, false, false, "I6"),
     [](const TEntrada &e) { return FormaN(e, "0.2"); }},
    {"400 N L", tpMulta, Cond(true, false, false, true, true, true, "L"),
     [](const TEntrada &e) { return FormaN(e, "0.4"); }},
    {"400 LS antes de 2020", tpMulta, Cond(false, true, false, true, true),
     [](const TEntrada &e) { return FormaLS(e, nullptr, "0.4", "0.1", false, 5); }},
    {"400 especial", tpMulta, Cond(false, true, false, true, false), FormaEspecial},
    {"400 LS desde 2020", tpMulta, Cond(false, true),
     [](const TEntrada &e) {
       qint64 resto = 0;
       TExato r = FormaLS(e, nullptr, "0.4", "0.0", false, 5, &resto);
       r.MultaContribuicao = 0;
       r.Multa = resto;
       return r;
     }},
    {"400 LN I2 antes de 2020", tpMulta, Cond(false, false, false, true, true, true, "I2"),
     [](const TEntrada &e) { return FormaLN(e, "0.4", "0.2"); }},
    {"400 LN I2 desde 2020", tpMulta, Cond(false, false, false, false, false, true, "I2"),
     [](const TEntrada &e) { return FormaLN(e, "0.5", "0.2"); }},
    {"400 LN I5 desde 11/11/2017", tpMulta, Cond(false, false, false, false, false, true, "I5"),
     [](const TEntrada &e) { return FormaLN(e, "0.5", "0.2"); }},
    {"400 LN I4 antes de 2020", tpMulta, Cond(false, false, false, true, true, true, "I4"),
     [](const TEntrada &e) { return FormaLN(e, "0.8", "0.4"); }},
    {"400 LN I1 desde 2020", tpMulta, Cond(false, false, false, false, false, true, "I1"),
     [](const TEntrada &e) { return FormaLN(e, "1.0", "0.4"); }},
    {"400 LN I5 antes de 11/11/2017", tpMulta, Cond(false, false, false, true, true, false, "I5"),
     [](const TEntrada &) { return TExato(); }, false},
    {"400 I3 em dia", tpMulta, Cond(true, false, false, false, false, true, "I3"),
     [](const TEntrada &) { return TExato(); }, false},
};

qint64 C(double v) {
  return TCentavos::De(v).Centavos();
}

TParcelaCalculo Calcular(const TLinhaRegra &l, const TEntrada &e) {
  TParcelaCalculo r;
  AplicarRegraCalculo(l.Tipo, l.Condicao, static_cast<double>(e.B) / 100.0,
                      static_cast<double>(e.I) / 1e9, static_cast<double>(e.J) / 1e9, r);
  return r;
}

// The engine's amounts are the nearest doubles of whole centavos: compared
// both as centavos and as the double of those centavos.
::testing::AssertionResult Igual(const TParcelaCalculo &p, const TExato &x) {
  const struct {
    const char *nome;
    double valor;
    qint64 esperado;
  } campos[] = {{"VrDeposito", p.VrDeposito, x.Deposito},
                {"VrJam", p.VrJam, x.Jam},
                {"VrMulta", p.VrMulta, x.Multa},
                {"VrContribuicao", p.VrContribuicao, x.Contribuicao},
                {"VrMultaContribuicao", p.VrMultaContribuicao, x.MultaContribuicao}};
  for (const auto &c : campos)
    if (C(c.valor) != c.esperado || c.valor != static_cast<double>(c.esperado) / 100.0)
      return ::testing::AssertionFailure()
             << c.nome << " " << QString::number(c.valor, 'g', 17).toStdString() << ", esperado "
             << TCentavos::DeCentavos(c.esperado).Texto().toStdString();
  if (x.Total >= 0) {
    qint64 soma = C(p.VrDeposito) + C(p.VrJam) + C(p.VrMulta);
    if (!x.ContribuicaoFora)
      soma += C(p.VrContribuicao) + C(p.VrMultaContribuicao);
    if (soma != x.Total)
      return ::testing::AssertionFailure()
             << "as partes somam " << soma << ", o total é " << x.Total;
  }
  return ::testing::AssertionSuccess();
}

} // namespace

// Amounts whose binary difference falls just under a centavo. Each was a
// centavo short (or REST a centavo off, carried into the contribution's
// charges) when the difference went through the truncation rule.
TEST(RegrasExatas, DiferencasQueCaemAbaixoDoCentavo) {
  struct {
    const char *Nome;
    const char *Linha;
    TEntrada Entrada;
    TExato Esperado; // centavos
  } casos[] = {
      // TOT 76.52 - (27.64 + 40.34): 8.539999999999992 in binary.
      {"LN: multa", "LN", {34550, 221500000, 1459500000}, {2764, 4034, 854, 0, 0, 7652}},
      {"LN: multa",
       "LN",
       {30502330, 105410598, 305029674},
       {2440186, 744329, 30753, 0, 0, 3215268}},
      {"S: contribuição", "S", {93071837, 0, 0}, {7445746, 0, 0, 465360, 0, 7911106}},
      {"S 400: contribuição",
       "400 S antes de 2020",
       {91397759, 0, 0},
       {36559103, 0, 0, 9139776, 0, 45698879}},
      // The contribution (8.5% - 8%) a centavo short made REST a centavo long.
      {"LS: contribuição e REST",
       "LS",
       {86398081, 904100699, 125099503},
       {6911846, 864668, 70336052, 431990, 4450044, 82994600}},
      // REST 75.59 (75.58 in binary) feeds (REST + JAM) / 17: 10.76, not 10.75.
      {"LS: REST na multa da contribuição",
       "LS",
       {1982814, 88682684, 67663100},
       {158625, 10733, 6483, 9914, 1076, 186831}},
      {"400 especial: multa da contribuição",
       "400 especial",
       {69803279, 456740336, 73847801},
       {27921311, 2061927, 1898735, 6980327, 990166, 31881973, true}},
      {"400 especial: multa",
       "400 especial",
       {60800041, 418215987, 16106913},
       {24320016, 391720, 715813, 6080004, 276883, 25427549, true}},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.Nome);
    const TLinhaRegra *linha = nullptr;
    for (const TLinhaRegra &l : Linhas)
      if (std::string(l.Nome) == c.Linha)
        linha = &l;
    ASSERT_NE(linha, nullptr);
    EXPECT_TRUE(Igual(Calcular(*linha, c.Entrada), c.Esperado));
    // The reference agrees with the worked figures.
    const TExato x = linha->Exato(c.Entrada);
    EXPECT_EQ(x.Multa, c.Esperado.Multa);
    EXPECT_EQ(x.MultaContribuicao, c.Esperado.MultaContribuicao);
    EXPECT_EQ(x.Contribuicao, c.Esperado.Contribuicao);
  }
}

// Seeded draws of B (to ten million), I and J (nine decimals) for every row
// of the rule table: the engine equals the exact computation to the centavo,
// and the parts of a split total add up to it.
TEST(RegrasExatas, SorteiosContraAritmeticaDecimalExata) {
  std::mt19937_64 rnd(11);
  std::uniform_int_distribution<int> digitos(1, 9);
  std::uniform_int_distribution<qint64> fator(0, 999999999);
  int falhas = 0;
  const int sorteios = 20000;
  for (int i = 0; i < sorteios && falhas < 10; ++i) {
    // Bases of every size: up to 10^digitos centavos.
    const qint64 limite = Pot10(digitos(rnd));
    TEntrada e{std::uniform_int_distribution<qint64>(1, limite)(rnd), 0, 0};
    // Indices as late payment makes them: around the rate for the deposit
    // blocks, up to 1.2 for the fine; JAM factors up to 0.6.
    e.I = 80000000 + fator(rnd) % 1120000001;
    e.J = fator(rnd) % 600000001;
    for (const TLinhaRegra &l : Linhas) {
      const TParcelaCalculo p = Calcular(l, e);
      const ::testing::AssertionResult ok = Igual(p, l.Exato(e));
      if (!ok) {
        ++falhas;
        ADD_FAILURE() << l.Nome << ": B " << e.B << " centavos, I " << e.I << "e-9, J " << e.J
                      << "e-9: " << ok.message();
      }
      // The fine base of a deposit block is its deposit plus its JAM, to
      // the centavo; a fine block with a rule keeps B as its base.
      if (l.Tipo != tpMulta)
        EXPECT_EQ(C(p.VrBaseMulta), C(p.VrDeposito) + C(p.VrJam)) << l.Nome;
      else
        EXPECT_EQ(p.VrBaseMulta, l.ComRegra ? static_cast<double>(e.B) / 100.0 : 0.0) << l.Nome;
    }
  }
}
