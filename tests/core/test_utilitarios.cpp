// The utility library: literals, conversions, checks, the centavo rule, the
// guide's bar code and the numbered messages.
#include "core/unFBUtils.h"
#include "core/unNegocio.h"
#include "core/unUtilitarios.h"
#include "support/BancoTeste.h"

#include <QDate>
#include <QElapsedTimer>
#include <QSet>
#include <gtest/gtest.h>

static void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {
using U = TUtilitarios;

TDateTime Dia(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}
TDateTime Momento(int a, int m, int d, int h, int mi, int s, int ms = 0) {
  return QDateTimeParaData(QDateTime(QDate(a, m, d), QTime(h, mi, s, ms)));
}
} // namespace

// ------------------------------------------------------------ SQL literals --

TEST(Literais, TextoSQL) {
  struct {
    QString entrada, esperado;
  } casos[] = {
      {"abc", "'abc'"}, {"D'ÁVILA", "'D''ÁVILA'"}, {"''", "''''''"},           {" a ", "' a '"},
      {"", "Null"},     {"   ", "Null"},           {"São João", "'São João'"},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::TextoSQL(c.entrada), c.esperado) << qPrintable(c.entrada);
}

TEST(Literais, NumerosEListas) {
  EXPECT_EQ(U::SimNaoSQL(true), "'S'");
  EXPECT_EQ(U::SimNaoSQL(false), "'N'");
  EXPECT_EQ(U::InteiroSQL(0), "Null");
  EXPECT_EQ(U::InteiroSQL(-3), "-3");
  EXPECT_EQ(U::Inteiro64SQL(0), "Null");
  EXPECT_EQ(U::Inteiro64SQL(11222333000181LL), "11222333000181");
  EXPECT_EQ(U::Inteiro64OuTexto(0, "Null"), "Null");
  EXPECT_EQ(U::Inteiro64OuTexto(-1, "X"), "X");
  EXPECT_EQ(U::Inteiro64OuTexto(7, "X"), "7");
  EXPECT_EQ(U::ListaInteiros({1, 2, 3}), "1,2,3");
  EXPECT_EQ(U::ListaInteiros({}), "");
}

TEST(Literais, DecimalSQL) {
  struct {
    double v;
    const char *esperado;
  } casos[] = {
      {0.0, "Null"},
      {1.5, "1.5"},
      {0.1 + 0.2, "0.3"},
      {1e-7, "0.0000001"},
      {-2.25, "-2.25"},
      {123456789.123, "123456789.123"},
      {1e20, "100000000000000000000"},
      {0.000000001, "0.000000001"},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::DecimalSQL(c.v), c.esperado) << c.v;
}

TEST(Literais, ValorSQLArredondaEmDuasCasas) {
  struct {
    double v;
    const char *esperado;
  } casos[] = {
      {1234.5, "1234.50"}, {0.0, "0.00"},     {1234.56, "1234.56"}, {2.675, "2.68"},
      {-1.2, "-1.20"},     {-0.005, "-0.01"}, {0.004, "0.00"},      {-0.004, "0.00"},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::ValorSQL(c.v), c.esperado) << c.v;
}

TEST(Literais, DataSQLEscreveNullParaQualquerNaoData) {
  EXPECT_EQ(U::DataSQL(NullDate), "NULL");
  EXPECT_EQ(U::DataSQL(DataNaoValida), "NULL");
  EXPECT_EQ(U::DataSQL(0.0), "NULL");
  EXPECT_EQ(U::DataSQL(Dia(2024, 3, 15)), "'2024-03-15'");
  const TDateTime m = Momento(2024, 3, 15, 13, 45, 30, 250);
  EXPECT_EQ(U::DataSQL(m, true), "'2024-03-15'");
  EXPECT_EQ(U::DataSQL(m, false), "'2024-03-15 13:45:30'");
  EXPECT_EQ(U::DataSQL(m, false, true), "'2024-03-15 13:45:30.250'");
}

// ------------------------------------------------------------- conversions --

TEST(Conversoes, TextoParaNumero) {
  EXPECT_EQ(U::ParaInteiro("12"), 12);
  EXPECT_EQ(U::ParaInteiro(" 7 "), 7);
  EXPECT_EQ(U::ParaInteiro("-5"), -5);
  EXPECT_EQ(U::ParaInteiro("1a"), 0);
  EXPECT_EQ(U::ParaInteiro(""), 0);
  EXPECT_EQ(U::ParaInteiro64("11222333000181"), 11222333000181LL);
  EXPECT_EQ(U::ParaInteiro64("x"), 0);
  EXPECT_DOUBLE_EQ(U::ParaDecimal("1.234,56"), 1234.56);
  EXPECT_DOUBLE_EQ(U::ParaDecimal("0,29"), 0.29);
  EXPECT_DOUBLE_EQ(U::ParaDecimal("-10"), -10.0);
  EXPECT_DOUBLE_EQ(U::ParaDecimal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(U::ParaDecimal(""), 0.0);
}

TEST(Conversoes, LeiturasDeArquivoMarcamUltimoErro) {
  EXPECT_EQ(U::LerInteiro("123"), 123);
  EXPECT_TRUE(UltimoErro.isEmpty());
  EXPECT_EQ(U::LerInteiro("12a"), 0);
  EXPECT_EQ(UltimoErro, "0011");
  EXPECT_EQ(ValorErro, "12a");
  EXPECT_EQ(U::LerInteiro("-1"), 0); // a sign is not a digit
  EXPECT_EQ(UltimoErro, "0011");

  EXPECT_DOUBLE_EQ(U::LerDecimal("00011222333000181"), 11222333000181.0);
  EXPECT_TRUE(UltimoErro.isEmpty());
  EXPECT_DOUBLE_EQ(U::LerDecimal("1,5"), 0.0);
  EXPECT_EQ(UltimoErro, "0011");

  const double v = U::LerValor15("000000012345678");
  EXPECT_TRUE(UltimoErro.isEmpty());
  EXPECT_DOUBLE_EQ(v, 123456.78);
  EXPECT_EQ(U::ParaCentavos(v), 12345678);
  EXPECT_DOUBLE_EQ(U::LerValor15("00000001234567X"), 0.0);
  EXPECT_EQ(UltimoErro, "0011");
  EXPECT_EQ(ValorErro, "00000001234567X");
}

TEST(Conversoes, TextosAuxiliares) {
  EXPECT_EQ(U::Digitos("12.345-6/7 a"), "1234567");
  QString destino = "9";
  U::Digitos("a1b2", destino);
  EXPECT_EQ(destino, "912");
  EXPECT_EQ(U::SemPontos("1.234.567"), "1234567");
  EXPECT_EQ(U::PrimeiroCaractere(""), QChar(' '));
  EXPECT_EQ(U::PrimeiroCaractere("xy"), QChar('x'));
  EXPECT_EQ(U::SomaCaracteres("AB"), 65 + 66);
  EXPECT_EQ(U::SomaCaracteres("É€"), 0xC9 + 0x80); // Western code page values
}

// The centavo rule: the product written with 15 significant digits and cut.
TEST(Centavos, TruncarSegueARegraDosQuinzeDigitos) {
  struct {
    int casas;
    double valor, esperado;
  } casos[] = {
      {2, 10.999, 10.99},
      {2, 1234.56, 1234.56},
      {2, 0.29, 0.29},
      {2, 1.15, 1.15},
      {2, 4.35, 4.35},
      {2, 8.2 * 100, 820.0},
      {2, 0.07 * 100, 7.0},
      {2, -10.999, -10.99},
      {2, -1234.56, -1234.56},
      {2, 19.99 * 3, 59.97},
      {2, 0.0, 0.0},
      {0, 2.9999, 2.0},
      {9, 1.0000000019, 1.000000001},
      {9, 0.123456789987, 0.123456789},
  };
  for (const auto &c : casos)
    EXPECT_DOUBLE_EQ(U::Truncar(c.casas, c.valor), c.esperado) << c.valor << " " << c.casas;
}

TEST(Centavos, ParaCentavosNaoPerdeUmCentavo) {
  struct {
    double valor;
    qint64 centavos;
  } casos[] = {
      {0.29, 29},   {1.15, 115},       {4.35, 435},    {1234.56, 123456},
      {8.2, 820},   {0.1 + 0.2, 30},   {10.999, 1099}, {-1234.56, -123456},
      {-0.29, -29}, {19.99 * 3, 5997}, {0.0, 0},       {99999999.99, 9999999999},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::ParaCentavos(c.valor), c.centavos) << c.valor;
  // What a plain cast would have made of them.
  EXPECT_EQ(static_cast<qint64>(4.35 * 100), 434);
  EXPECT_EQ(static_cast<qint64>(0.29 * 100), 28);
}

TEST(Centavos, Arredondar) {
  EXPECT_DOUBLE_EQ(U::Arredondar(2, 2.675), 2.68);
  EXPECT_DOUBLE_EQ(U::Arredondar(2, -2.675), -2.68);
  EXPECT_DOUBLE_EQ(U::Arredondar(2, 2.674), 2.67);
}

// ------------------------------------------------------------------- dates --

TEST(Datas, MesesEntreESomarMeses) {
  EXPECT_EQ(U::MesesEntre(Dia(2024, 3, 15), Dia(2023, 12, 20)), 3);
  EXPECT_EQ(U::MesesEntre(Dia(2023, 12, 1), Dia(2024, 3, 31)), -3);
  EXPECT_EQ(U::SomarMeses(Dia(2024, 1, 31), 1), Dia(2024, 2, 29));
  EXPECT_EQ(U::SomarMeses(Dia(2024, 3, 31), -1), Dia(2024, 2, 29));
  EXPECT_EQ(U::SomarMeses(Dia(2024, 3, 15), 12), Dia(2025, 3, 15));
}

TEST(Datas, TextoParaData) {
  struct {
    QString texto;
    bool aaaammdd;
    TDateTime esperado;
  } casos[] = {
      {"15/03/2024", false, Dia(2024, 3, 15)},
      {"15032024", false, Dia(2024, 3, 15)},
      {"20240315", true, Dia(2024, 3, 15)},
      {"2024-03-15", true, Dia(2024, 3, 15)},
      {"", false, NullDate},
      {"00/00/0000", false, NullDate},
      {"00000000", true, NullDate},
      {"31/02/2024", false, DataNaoValida},
      {"1503202", false, DataNaoValida}, // seven digits
      {"32/01/2024", false, DataNaoValida},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::TextoParaData(c.texto, c.aaaammdd), c.esperado) << qPrintable(c.texto);
  EXPECT_EQ(U::DataTextoDigitos("2024-03-15", 1), "15/03/2024");
  EXPECT_EQ(U::DataTextoDigitos("15.03.2024", 0), "15/03/2024");
  EXPECT_EQ(U::DataTextoDigitos("1032024", 0), "01/03/2024");
  EXPECT_EQ(U::DataTextoDigitos("", 0), "00/00/0000");
}

TEST(Datas, DataInvalidaEDataParaTexto) {
  struct {
    TDateTime data;
    bool invalida;
    QString texto;
  } casos[] = {
      {DataNaoValida, true, ""},
      {NullDate, false, "00/00/0000"},
      {Dia(1899, 12, 31), true, ""},
      {Dia(1900, 1, 1), true, ""},
      {Dia(1900, 1, 2), false, "02/01/1900"},
      {Dia(2024, 2, 29), false, "29/02/2024"},
  };
  for (const auto &c : casos) {
    EXPECT_EQ(U::DataInvalida(c.data), c.invalida) << c.data;
    EXPECT_EQ(U::DataParaTexto(c.data), c.texto) << c.data;
  }
}

TEST(Datas, DataFormatada) {
  const TDateTime m = Momento(2024, 3, 5, 9, 7, 3, 45);
  EXPECT_EQ(U::DataFormatada("ddmmyyyy", false, m), "05032024");
  EXPECT_EQ(U::DataFormatada("yyyymmdd", false, m), "20240305");
  EXPECT_EQ(U::DataFormatada("dd/mm/yyyy hh:nn:ss.zzz", false, m), "05/03/2024 09:07:03.045");
  EXPECT_EQ(U::DataFormatada("hh:mm", false, m), "09:07"); // minutes after an hour
  EXPECT_EQ(U::DataFormatada("d/m/yy", false, m), "5/3/24");
  EXPECT_EQ(U::DataFormatada("ddmmyyyy", true, NullDate), "");
  EXPECT_EQ(U::DataFormatada("ddmmyyyy", false, 0.0), "00000000");
}

TEST(Datas, ValidarDataTextoDosArquivos) {
  struct {
    QString texto;
    bool numerico;
    QString resultado, erro;
  } casos[] = {
      {"15032024", false, "15/03/2024", ""},
      {"20240315", true, "15/03/2024", ""},
      {"29022024", false, "29/02/2024", ""},
      {"31022024", false, "00/00/0000", "0212"}, // digits of no calendar date
      {"20240231", true, "00/00/0000", "0212"},
      {"15/03/2024", false, "00/00/0000", "0212"},
      {"ABCDEFGH", false, "00/00/0000", "0212"},
      {"00000000", false, "00/00/0000", ""},
      {"1503202", false, "00/00/0000", ""},
      {"", false, "00/00/0000", ""},
      {"        ", true, "00/00/0000", ""},
  };
  for (const auto &c : casos) {
    ValorErro.clear();
    EXPECT_EQ(U::ValidarDataTexto(c.texto, c.numerico), c.resultado) << qPrintable(c.texto);
    EXPECT_EQ(UltimoErro, c.erro) << qPrintable(c.texto);
    EXPECT_EQ(ValorErro, c.erro.isEmpty() ? QString() : c.texto);
  }
}

// ---------------------------------------------------------------- formats --

TEST(Formatos, ValoresEInteiros) {
  EXPECT_EQ(U::FormatarValor(1234567.891), "1.234.567,89");
  EXPECT_EQ(U::FormatarValor(0.0), "0,00");
  EXPECT_EQ(U::FormatarValor(0.29), "0,29");
  EXPECT_EQ(U::FormatarValor(-1234.5), "-1.234,50");
  EXPECT_EQ(U::FormatarValor(999.999), "1.000,00");
  EXPECT_EQ(U::FormatarValor(100.0), "100,00");
  EXPECT_EQ(U::FormatarInteiro12(123), "000000000123");
}

TEST(Formatos, PreenchimentoEMascaras) {
  EXPECT_EQ(U::CompletarZeros("123", 5), "00123");
  EXPECT_EQ(U::CompletarZeros("123456", 5), "123456");
  EXPECT_EQ(U::Completar("abc", '*', true, 5), "**abc");
  EXPECT_EQ(U::Completar("abc", '*', false, 5), "abc**");
  EXPECT_EQ(U::Completar("abcdef", '*', true, 3), "abc");
  EXPECT_EQ(U::CompletarEspacos("ab", 4), "ab  ");
  EXPECT_EQ(U::CompletarEspacos("ab", 4, true), "  ab");
  EXPECT_EQ(U::CompletarEspacos("abcdef", 4), "abcd");
  EXPECT_EQ(U::FormatarCNPJ("191"), "00.000.000/0001-91");
  EXPECT_EQ(U::FormatarCNPJ("11.222.333/0001-81"), "11.222.333/0001-81");
  EXPECT_EQ(U::FormatarPIS(""), "");
  EXPECT_EQ(U::FormatarPIS("12345678901"), "123.45678.90-1");
  EXPECT_EQ(U::FormatarPIS("1234567"), "012.34567.-"); // padded to 8 digits only
  EXPECT_EQ(U::AplicarMascara("11222333000181", "CNPJ"), "11.222.333/0001-81");
  EXPECT_EQ(U::AplicarMascara("12345678901", "PIS"), "123.45678.90-1");
  EXPECT_EQ(U::AplicarMascara("123", "OUTRO"), "123");
  EXPECT_EQ(U::SubstituirTodos("a.b-c.d", "", {".", "-"}), "abcd");
  EXPECT_EQ(U::SubstituirTodos("x#y#z", "#", {"1", "2"}, true), "x1y2z");
}

// ----------------------------------------------------------------- checks --

TEST(Verificacoes, CaracteresDoTexto) {
  EXPECT_TRUE(U::SomenteNumeros(""));
  EXPECT_TRUE(U::SomenteNumeros("0123"));
  EXPECT_FALSE(U::SomenteNumeros("12a"));
  EXPECT_FALSE(U::SomenteNumeros(QString::fromUtf8("١٢"))); // other scripts' digits
  EXPECT_TRUE(U::SomenteLetras("Ab c"));
  EXPECT_FALSE(U::SomenteLetras("Ã"));
  EXPECT_FALSE(U::SomenteLetras("a1"));
  EXPECT_TRUE(U::TodosZeros("000", 3));
  EXPECT_FALSE(U::TodosZeros("000", 4));
  EXPECT_FALSE(U::TodosZeros("010", 3));
  EXPECT_TRUE(U::TodosNoves("99", 2));
  EXPECT_FALSE(U::TodosNoves("98", 2));
  EXPECT_TRUE(U::Vazio("  "));
  EXPECT_FALSE(U::Vazio(" x "));
  EXPECT_TRUE(U::CaracteresIguais(""));
  EXPECT_TRUE(U::CaracteresIguais("a"));
  EXPECT_TRUE(U::CaracteresIguais("aaa"));
  EXPECT_FALSE(U::CaracteresIguais("aab"));
  EXPECT_FALSE(U::SemEspacosDuplos("a  b"));
  EXPECT_TRUE(U::SemEspacosDuplos("a b"));
  EXPECT_TRUE(U::ContidoApos("abc", "b"));
  EXPECT_FALSE(U::ContidoApos("abc", "a"));
  EXPECT_FALSE(U::ContidoApos("abc", "x"));
}

TEST(Verificacoes, TextoRepetido) {
  struct {
    QString texto;
    int quantidade;
    bool esperado;
  } casos[] = {
      {"AAA", 3, false}, {"XAAAY", 3, false}, {"AAB", 3, true}, {"A", 3, true},  {"aAa", 3, false},
      {" AA ", 3, true}, {"AAA", 3, false},   {"AAB", 3, true}, {"A", 1, false}, {"", 3, true},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::TextoRepetido(c.texto, c.quantidade), c.esperado)
        << qPrintable(c.texto) << " " << c.quantidade;
}

TEST(Verificacoes, Nomes) {
  struct {
    QString nome;
    bool valido, completo;
  } casos[] = {
      {"JOSE DA SILVA", true, true}, {"jose silva", true, true},
      {"ANA 2", true, false},        {"", false, false},
      {" JOSE SILVA", false, true},  {"JOSE  SILVA", false, true},
      {"JOAAAO SILVA", false, true}, {"D'AVILA", false, false},
      {"JOSÉ SILVA", false, true},   {"J SILVA", true, false},
      {"JOSE S", true, false},       {"JOSE", true, false},
  };
  for (const auto &c : casos) {
    EXPECT_EQ(U::NomeValido(c.nome), c.valido) << qPrintable(c.nome);
    EXPECT_EQ(U::NomeCompleto(c.nome), c.completo) << qPrintable(c.nome);
  }
}

TEST(Verificacoes, CNPJ) {
  struct {
    QString numero;
    bool valido;
  } casos[] = {
      {"11222333000181", true},
      {"00000000000191", true},
      {"191", true}, // leading zeros
      {"11222333000191", false},
      {"11222333000182", false}, // each check digit wrong
      {"00000000000000", false},
      {"0", false},
      {"", false},
      {"123", false},
      {"11.222.333/0001-81", false},
      {"111222333000181", false},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::CNPJValido(c.numero), c.valido) << qPrintable(c.numero);
  EXPECT_TRUE(U::CNPJValido(11222333000181LL));
  EXPECT_FALSE(U::CNPJValido(0LL));
}

TEST(Verificacoes, CEI) {
  struct {
    QString numero;
    bool valido;
  } casos[] = {
      {"123456789010", true}, // the "10 becomes 0" case
      {"999999999995", true},
      {"111111111118", true},
      {"16", true}, // one-digit sum: 000000000016
      {"123456789011", false},
      {"999999999994", false},
      {"000000000000", false},
      {"", false},
      {"1234567890123", false},
      {"12345678901A", false},
  };
  for (const auto &c : casos)
    EXPECT_EQ(U::CEIValido(c.numero), c.valido) << qPrintable(c.numero);
}

TEST(Verificacoes, CPF) {
  EXPECT_TRUE(U::CPFValido("52998224725"));
  EXPECT_FALSE(U::CPFValido("52998224715"));
  EXPECT_FALSE(U::CPFValido("52998224726"));
  EXPECT_FALSE(U::CPFValido("00000000000"));
  EXPECT_FALSE(U::CPFValido("5299822472"));
  EXPECT_FALSE(U::CPFValido("529.982.247-25"));
}

// --------------------------------------------------------------- bar code --

TEST(CodigoBarras, Modulo11) {
  EXPECT_EQ(U::Modulo11("0"), 0);
  EXPECT_EQ(U::Modulo11("1"), 9);
  EXPECT_EQ(U::Modulo11("6"), 0);  // remainder 1
  EXPECT_EQ(U::Modulo11("14"), 0); // sum 11
  EXPECT_EQ(U::Modulo11("1234567890"), U::Modulo11("01234567890"));
}

TEST(CodigoBarras, LinhaDigitavelIdaEVolta) {
  const QString codigo = "85800000123456023920240320123456789012342";
  ASSERT_EQ(codigo.size(), 41);
  const QString cod44 = codigo + "999";
  const QString linha = U::LinhaDigitavel(cod44);
  ASSERT_EQ(linha.size(), 48);
  EXPECT_TRUE(U::LinhaDigitavelValida(linha));
  EXPECT_EQ(U::CodigoBarrasDaLinha(linha), cod44);
  EXPECT_EQ(U::DigitosLinha(cod44),
            QString(linha.at(11)) + linha.at(23) + linha.at(35) + linha.at(47));
  // Punctuation of a typed line is ignored.
  EXPECT_TRUE(
      U::LinhaDigitavelValida(linha.left(12) + " " + linha.mid(12, 12) + "." + linha.mid(24)));
  for (int pos : {11, 23, 35, 47, 0, 30}) {
    QString errada = linha;
    errada[pos] = QChar('0' + (errada.at(pos).digitValue() + 1) % 10);
    EXPECT_FALSE(U::LinhaDigitavelValida(errada)) << pos;
  }
  EXPECT_FALSE(U::LinhaDigitavelValida(linha.left(47)));
  EXPECT_EQ(U::LinhaDigitavel("8580A"), "");
}

TEST(CodigoBarras, GerarCodigoBarras) {
  const QString c = U::GerarCodigoBarras(1234.56, Dia(2024, 3, 20), 11222333000181LL);
  ASSERT_EQ(c.size(), 44);
  EXPECT_EQ(c.left(3), "858");
  EXPECT_EQ(c.mid(4, 11), "00000123456");
  EXPECT_EQ(c.mid(15, 4), "0239");
  EXPECT_EQ(c.mid(19, 8), "20240320");
  EXPECT_EQ(c.mid(36, 7), "1222333"); // inscription digits 2-8
  EXPECT_EQ(c.right(1), "2");
  EXPECT_EQ(c.at(3).digitValue(), U::Modulo11(c.left(3) + c.mid(4)));
}

// Different inscription roots never wait; two branches of one root in a row
// still get different identifiers (the second one waits for the next second).
TEST(CodigoBarras, IdentificadorEsperaSoPelaMesmaRaiz) {
  QElapsedTimer relogio;
  relogio.start();
  QSet<QString> vistos;
  for (int i = 0; i < 200; ++i)
    vistos.insert(U::GerarIdentificadorGuia(10000000000000LL + qint64(i) * 1000000LL + 191));
  EXPECT_LT(relogio.elapsed(), 500);
  EXPECT_EQ(vistos.size(), 200);
  const QString matriz = U::GerarIdentificadorGuia(11222333000181LL);
  const QString filial = U::GerarIdentificadorGuia(11222333000262LL);
  EXPECT_EQ(matriz.mid(9, 7), filial.mid(9, 7));
  EXPECT_NE(matriz, filial);
  EXPECT_EQ(filial.size(), 17);
}

// --------------------------------------------------------------- messages --

// Without a database the message text cannot be read: a substitute is shown.
TEST(Mensagens, SemBancoMostraSubstituto) {
  TIbxUtils *antes = IbxUtils;
  IbxUtils = nullptr;
  RespostasDialogo r;
  EXPECT_EQ(U::Mensagem("CT0230"), mrOk);
  ASSERT_EQ(r.mostrados.size(), 1u);
  EXPECT_EQ(r.mostrados[0].Texto, "Não foi possível acessar a base de dados");
  EXPECT_EQ(r.mostrados[0].Tipo, dtErro);
  EXPECT_EQ(r.mostrados[0].Titulo, "Erro");
  IbxUtils = antes;
}

TEST(Mensagens, CodigoEmBrancoLevanta) {
  RespostasDialogo r;
  try {
    U::ExibirMensagem("  ", dtAviso, 0, "", 2, mbOK);
    FAIL() << "esperava ENegocio";
  } catch (const ENegocio &e) {
    EXPECT_EQ(e.Mensagem, "Código de mensagem inválida: ''");
  }
  EXPECT_TRUE(r.mostrados.empty());
}

TEST(Mensagens, TextoExplicitoEArgumentos) {
  RespostasDialogo r;
  r.Responder(mrNo);
  EXPECT_EQ(U::ExibirMensagem("FE0001", dtConfirmacao, 0, "Excluir & de &?", 0, mbYes | mbNo,
                              {"A&B", "C"}),
            mrNo);
  ASSERT_EQ(r.mostrados.size(), 1u);
  // An argument holding "&" is not itself replaced by the next argument.
  EXPECT_EQ(r.mostrados[0].Texto, "Excluir A&B de C?");
  EXPECT_EQ(r.mostrados[0].Titulo, "Confirma");
  EXPECT_EQ(r.mostrados[0].Botoes, mbYes | mbNo);
  EXPECT_EQ(r.mostrados[0].BotaoPadrao, 0);
}

TEST(Localizar, CriteriosDasJanelasDeBusca) {
  TDataSet ds({{"NU_INSCRICAO", TTipoCampo::Inteiro64, 0},
               {"NO_RAZAO_SOCIAL", TTipoCampo::Texto, 0},
               {"NU_PIS", TTipoCampo::Inteiro64, 0},
               {"NO_EMPREGADO", TTipoCampo::Texto, 0}});
  ds.AdicionarLinha({qint64(191), "Banco Alfa", qint64(12345678901), "Maria Souza"});
  ds.AdicionarLinha({qint64(11222333000181), "Comercial Beta", qint64(10987654321), "Jose Lima"});
  TIbxUtils *antes = IbxUtils;
  IbxUtils = nullptr;
  RespostasDialogo r;
  EXPECT_TRUE(U::LocalizarNoDataSet(ds, "AE", false, "INSCRICAO-00000000000191"));
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_TRUE(U::LocalizarNoDataSet(ds, "AE", true, "RAZAO-beta"));
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_TRUE(U::LocalizarNoDataSet(ds, "AE", false, "NOME-MARIA SOUZA"));
  EXPECT_EQ(ds.RecNo(), 0);
  EXPECT_TRUE(U::LocalizarNoDataSet(ds, "AE", false, "PIS/PASEP-10987654321"));
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_TRUE(r.mostrados.empty());
  // Not found: the cursor stays, message AE0092.
  EXPECT_FALSE(U::LocalizarNoDataSet(ds, "AE", false, "RAZAO-beta"));
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_EQ(r.mostrados.size(), 1u);
  EXPECT_THROW(U::LocalizarNoDataSet(ds, "AE", false, "PROTOCOLO-1"), ENegocio);
  IbxUtils = antes;
}

// ------------------------------------------------- with the real database --

class UtilitariosBanco : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Executar("DELETE FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM IN (9871, 9872, 9873)");
    Executar("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (9871, "
             "'Arquivo & com & linhas.')");
    Executar("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (9872, "
             "'Operação concluída.')");
  }
};

TEST_F(UtilitariosBanco, MensagemDaTabela) {
  RespostasDialogo r;
  U::Mensagem("CT9872");
  U::Mensagem("9872");
  U::Mensagem("009872");
  U::ExibirMensagem("CT9871", dtAviso, 0, "", 2, mbOK, {"A", "B"});
  U::Mensagem("CT9873"); // no such row
  ASSERT_EQ(r.mostrados.size(), 5u);
  EXPECT_EQ(r.mostrados[0].Texto, "CT9872 - Operação concluída.");
  EXPECT_EQ(r.mostrados[0].Titulo, "Informação");
  EXPECT_EQ(r.mostrados[1].Texto, "Operação concluída.");
  EXPECT_EQ(r.mostrados[2].Texto, "009872 - Operação concluída.");
  EXPECT_EQ(r.mostrados[3].Texto, "CT9871 - Arquivo A com B linhas.");
  EXPECT_EQ(r.mostrados[3].Titulo, "Atenção");
  EXPECT_EQ(r.mostrados[4].Texto, "Mensagem não encontrada - CT9873");
  EXPECT_EQ(r.mostrados[4].Tipo, dtErro);
}

TEST_F(UtilitariosBanco, MensagemPadraoEValidarData) {
  RespostasDialogo r;
  U::MensagemPadrao("FE", 0);
  U::MensagemPadrao("FE", 1);
  U::MensagemPadrao("FE", 2);
  ASSERT_EQ(r.mostrados.size(), 3u);
  EXPECT_TRUE(r.mostrados[0].Texto.startsWith("Mensagem não encontrada - FE0078") ||
              r.mostrados[0].Texto.startsWith("FE0078 - "));
  EXPECT_TRUE(r.mostrados[1].Texto.contains("FE0001"));
  EXPECT_TRUE(r.mostrados[2].Texto.contains("FE0068"));
  for (const auto &p : r.mostrados)
    EXPECT_EQ(p.Botoes, mbOK);

  r.mostrados.clear();
  EXPECT_TRUE(U::ValidarData("15/03/2024", "AB", "9872", "9871"));
  EXPECT_TRUE(U::ValidarData("  /  /    ", "AB", "", "9871"));
  EXPECT_TRUE(r.mostrados.empty());
  EXPECT_FALSE(U::ValidarData("31/02/2024", "AB", "9872", "9871"));
  EXPECT_FALSE(U::ValidarData("15/03/20", "AB", "9872", "9871")); // partly typed
  EXPECT_FALSE(U::ValidarData("  /  /    ", "AB", "9872", "9871"));
  ASSERT_EQ(r.mostrados.size(), 3u);
  EXPECT_TRUE(r.mostrados[0].Texto.startsWith("AB9871 - "));
  EXPECT_EQ(r.mostrados[0].Tipo, dtErro);
  EXPECT_TRUE(r.mostrados[1].Texto.startsWith("AB9871 - "));
  EXPECT_TRUE(r.mostrados[2].Texto.startsWith("AB9872 - "));
}

TEST_F(UtilitariosBanco, ConsultasGerais) {
  Executar("DELETE FROM QZLTBT22_PARAMETRO_SISTEMA");
  Executar("INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) "
           "VALUES ('3.3.14', '2023-01-10')");
  Executar("INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) "
           "VALUES (' 3.3.15 ', '2024-02-01')");
  EXPECT_EQ(U::VersaoSistema(false), "3.3.15 ");
  EXPECT_EQ(U::VersaoSistema(true), "3.3.15  - 01/02/2024");

  Executar("DELETE FROM QZLTBT18_INDICE_PRORATA");
  EXPECT_FALSE(U::ProrataAlemDia10());
  EXPECT_FALSE(U::DentroPeriodoProrata(Dia(2024, 3, 15)));
  // The later payment date is stored first: the window still opens with the
  // earliest one.
  Executar("INSERT INTO QZLTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
           "IN_ATRASO_MES, IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES ('2024-03-01', "
           "'2024-04-12', 1, 1, 1)");
  Executar("INSERT INTO QZLTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
           "IN_ATRASO_MES, IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES ('2024-03-01', "
           "'2024-03-08', 1, 1, 1)");
  EXPECT_FALSE(U::DentroPeriodoProrata(Dia(2024, 3, 9)));
  EXPECT_TRUE(U::DentroPeriodoProrata(Dia(2024, 3, 10)));
  EXPECT_TRUE(U::DentroPeriodoProrata(Dia(2024, 4, 9)));
  EXPECT_FALSE(U::DentroPeriodoProrata(Dia(2024, 4, 10)));
  EXPECT_TRUE(U::ProrataAlemDia10());
  EXPECT_EQ(U::PeriodoProrata(true), "08/03/2024 à 12/04/2024");
  EXPECT_EQ(U::PeriodoProrata(false), "(entre 08/03/2024 e 12/04/2024)");

  const TDateTime servidor = U::DataServidor(true);
  EXPECT_NEAR(servidor, Agora(), 1.0 / 24);
  EXPECT_EQ(U::DataServidor(false), std::floor(servidor));
  const QString id = U::GerarIdentificadorArquivo("AB");
  ASSERT_EQ(id.size(), 30);
  EXPECT_TRUE(U::SomenteNumeros(id));
  EXPECT_EQ(id.right(13), "0000000000131");
  EXPECT_TRUE(QDateTime::fromString(id.left(17), "yyyyMMddHHmmsszzz").isValid());
}

TEST_F(UtilitariosBanco, ListasDeCombo) {
  const QString sql = "SELECT ' beta', 2 FROM rdb$database UNION ALL "
                      "SELECT 'Alfa', 1 FROM rdb$database UNION ALL "
                      "SELECT 'gama', 3 FROM rdb$database";
  QList<TItemLista> itens = U::ListaCombo(sql, true, true);
  EXPECT_EQ(U::Textos(itens), QStringList({"Todos", "", "Alfa", "beta", "gama"}));
  EXPECT_EQ(itens[2].Numero.toInt(), 1);
  EXPECT_EQ(U::Textos(U::ListaCombo(sql, false, false, false)),
            QStringList({" beta", "Alfa", "gama"}));
  // A single row gets no "Todos"; an empty result gets no blank line.
  EXPECT_EQ(U::Textos(U::ListaCombo("SELECT 'X' FROM rdb$database", false, true)),
            QStringList({"X"}));
  EXPECT_TRUE(U::ListaCombo("SELECT 'X' FROM rdb$database WHERE 1 = 0", true, true).isEmpty());
  EXPECT_EQ(U::Textos(U::ListaComboZeros("SELECT '12' FROM rdb$database UNION ALL "
                                         "SELECT '3' FROM rdb$database",
                                         4)),
            QStringList({"0003", "0012"}));
}

TEST_F(UtilitariosBanco, ConsignadosDecididosPorVinculo) {
  Executar("DELETE FROM QZLTBG22_EMPREGADO_CNSGTRA");
  Executar("DELETE FROM QZLTBG04_VINCULO_EMPREGATICIO");
  // PIS 1: complete contract; 2: no contract; 3: contract without number;
  // 4: contract without date; 5: not consigned.
  for (int pis = 1; pis <= 5; ++pis)
    Executar(QString("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                     "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                     "IC_REPOSICAO_VAGAS, IC_CONSIGNADO) VALUES (1, 11222333000181, %1, 1, "
                     "'2020-01-02', '%2', '%3')")
                 .arg(pis)
                 .arg(pis == 2 ? "S" : "N")
                 .arg(pis == 5 ? "N" : "S"));
  auto contrato = [&](int pis, const char *numero, const char *data) {
    Executar(QString("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                     "NU_PIS, DT_ADMISSAO_VINCULO, NU_CATEGORIA, CO_INSTITUICAO_CNSGTRA, "
                     "NU_CONTRATO, DT_NU_CONTRATO) VALUES (1, 11222333000181, %1, "
                     "'2020-01-02', 1, '00001', '%2', %3)")
                 .arg(pis)
                 .arg(numero)
                 .arg(data));
  };
  contrato(1, "A1", "'2021-05-05'");
  contrato(3, " ", "'2021-05-05'");
  contrato(4, "B2", "NULL");
  U::NormalizarConsignados();
  auto consignado = [&](int pis) {
    return Valor(QString("SELECT IC_CONSIGNADO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = "
                         "%1")
                     .arg(pis));
  };
  // The first link's complete contract keeps its flag whatever the others hold.
  EXPECT_EQ(consignado(1), "S");
  EXPECT_EQ(consignado(2), "N");
  EXPECT_EQ(consignado(3), "N");
  EXPECT_EQ(consignado(4), "N");
  EXPECT_EQ(consignado(5), "N");
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_REPOSICAO_VAGAS = 'N'"), 5);

  U::RemoverConsignados();
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_CONSIGNADO = 'N'"), 5);
  EXPECT_EQ(Contar("FROM QZLTBG22_EMPREGADO_CNSGTRA"), 0);
}
