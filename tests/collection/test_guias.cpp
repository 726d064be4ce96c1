// The company and individual guide records: storing at generation and at the
// bank's return, re-keying, deleting with the links' state, loading.
#include "support/GuiasTeste.h"

#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

namespace {
const QString Placeholder = TUtilitarios::LinhaDigitavel(QString(44, u'9'));

TDateTime D(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}

void PreencherEmpresa(TGuiaEmpresa &g) {
  TEmpresa &e = g.Empresa();
  e.NU_TIPO_INSO_EMPRA = 1;
  e.NU_INSCRICAO = QStringLiteral("11222333000181");
  e.NO_RAZAO_SOCIAL = QStringLiteral("PADARIA D'OESTE LTDA");
  e.NU_DDD = QStringLiteral("11");
  e.NU_TELEFONE = QStringLiteral("33334444");
  e.Endereco().DE_LOGRADOURO = QStringLiteral("RUA A 1");
  e.Endereco().NU_CEP = QStringLiteral("1310100");
  e.Endereco().NO_BAIRRO = QStringLiteral("CENTRO");
  e.Endereco().NO_LOCALIDADE = QStringLiteral("SAO PAULO");
  e.Endereco().SG_UF = QStringLiteral("SP");
  e.NU_INSS = QStringLiteral("507");
  e.NU_SIMPLES = 2;
  e.NU_IBGE = QStringLiteral("4711302");
}
} // namespace

class GuiaEmpresaTeste : public GuiasTeste {
protected:
  // The stored total in centavos, -1 when Null.
  qint64 Total(const QString &linha) {
    const QString t = Valor(QStringLiteral("SELECT CAST(VR_TOTAL_RECOLHIDO * 100 AS BIGINT) FROM "
                                           "QZLTBG08_GUIA_TOTALIZADORA WHERE CO_BARRAS = '%1'")
                                .arg(linha));
    return t.isEmpty() ? -1 : t.toLongLong();
  }
};

// Both storing paths, on a new and on a stored guide: which columns each one
// writes and which it leaves alone.
TEST_F(GuiaEmpresaTeste, GravarGeracaoERetorno) {
  struct Caso {
    const char *nome;
    bool existe;  // a guide with bank data and total 10.00 is stored first
    bool retorno; // GravarRetorno, else GravarGeracao
    const char *banco;
    qint64 total;
    const char *razao;
  };
  const Caso casos[] = {
      {"geracao nova", false, false, "", 123456, "PADARIA D'OESTE LTDA"},
      {"geracao sobre guarda", true, false, "", 123456, "PADARIA D'OESTE LTDA"},
      {"retorno sobre guarda", true, true, "1", 1000, "ANTIGA"},
      {"retorno novo", false, true, "1", -1, "PADARIA D'OESTE LTDA"},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nome);
    Executar(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA"));
    const QString linha = Linha(1234.56, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));
    if (c.existe) {
      TGuiaTeste g;
      g.Linha = linha;
      g.Nome = QStringLiteral("ANTIGA");
      g.Banco = 104;
      g.Agencia = 99;
      g.Total = 10;
      Guia(g);
    }
    TGuiaEmpresa guia;
    guia.CO_BARRAS = linha;
    guia.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("202403201015300000000000012345");
    guia.NU_BANCO = QStringLiteral("1");
    guia.NU_AGENCIA = QStringLiteral("1234");
    guia.DT_RECOLHIMENTO = D(2024, 3, 20);
    guia.DT_QUITACAO = D(2024, 3, 21);
    guia.DT_PROCESSAMENTO = D(2024, 3, 22);
    guia.VR_TOTAL_RECOLHIDO = 1234.56;
    PreencherEmpresa(guia);
    ASSERT_TRUE(c.retorno ? guia.GravarRetorno() : guia.GravarGeracao());

    TGuiaEmpresa lida;
    lida.CO_BARRAS = linha;
    ASSERT_TRUE(lida.CarregarPorCodigo());
    ASSERT_EQ(lida.QuantidadeRegistros(), 1);
    EXPECT_EQ(lida.NU_BANCO, QString::fromLatin1(c.banco));
    EXPECT_EQ(Total(linha), c.total);
    EXPECT_EQ(lida.Empresa().NO_RAZAO_SOCIAL, QString::fromLatin1(c.razao));
    EXPECT_EQ(lida.DT_QUITACAO, D(2024, 3, 21));
    EXPECT_EQ(lida.NU_IDENTIFICADOR_ARQUIVO, "202403201015300000000000012345");
    if (!c.existe) {
      // Everything the guide prints comes back as written.
      const TEmpresa &e = lida.Empresa();
      EXPECT_EQ(e.NU_INSCRICAO, "11222333000181");
      EXPECT_EQ(e.NU_TELEFONE, "33334444");
      EXPECT_EQ(const_cast<TEmpresa &>(e).Endereco().NU_CEP, "1310100");
      EXPECT_EQ(const_cast<TEmpresa &>(e).Endereco().SG_UF, "SP");
      EXPECT_EQ(e.NU_INSS, "507");
      EXPECT_EQ(e.NU_SIMPLES, 2);
      EXPECT_EQ(e.NU_IBGE, "4711302");
    }
  }
  TGuiaEmpresa semCodigo;
  EXPECT_FALSE(semCodigo.GravarGeracao());
  EXPECT_FALSE(semCodigo.GravarRetorno());
}

// The placeholder guide and the worker guides written under it take the real
// bar code and the total together; an unknown old code changes nothing.
TEST_F(GuiaEmpresaTeste, TrocarCodigoLevaOsTrabalhadores) {
  TGuiaTeste g;
  g.Linha = Placeholder;
  g.Total = 0;
  Guia(g);
  Trabalhador(Placeholder, 12345678901, QDate(2010, 1, 4), 1);
  Trabalhador(Placeholder, 12345678902, QDate(2011, 1, 4), 12);
  const QString real = Linha(77.5, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));

  TGuiaEmpresa guia;
  EXPECT_FALSE(guia.TrocarCodigo(real, Placeholder, 1));
  ASSERT_TRUE(guia.TrocarCodigo(Placeholder, real, 77.5));
  EXPECT_EQ(Total(real), 7750);
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = '%1'").arg(real)), 2);
  EXPECT_EQ(
      Contar(
          QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = '%1'").arg(Placeholder)),
      0);

  // Inside the caller's transaction the outcome stays the caller's.
  IbxUtils->IniciarTransacao();
  ASSERT_TRUE(guia.TrocarCodigo(real, Placeholder, 1));
  IbxUtils->DesfazerTransacao();
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = '%1'").arg(real)), 2);
}

class ExclusaoGuiasTeste : public GuiaEmpresaTeste {
protected:
  QString processada, aberta, outraProcessada;
  void SetUp() override {
    GuiaEmpresaTeste::SetUp();
    // Two closings of one company: the first processed by the bank, the second
    // not; a link closed in each, one link processed under another guide.
    processada = Linha(100, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));
    aberta = Linha(200, QDate(2024, 4, 22), QStringLiteral("11341234561222332"));
    outraProcessada = Linha(300, QDate(2024, 3, 20), QStringLiteral("08041234571222332"));
    TGuiaTeste g;
    g.Linha = processada;
    g.Quitacao = QDate(2024, 3, 21);
    g.Processamento = QDate(2024, 3, 22);
    Guia(g);
    g.Linha = outraProcessada;
    Guia(g);
    g.Linha = aberta;
    g.Recolhimento = QDate(2024, 4, 22);
    g.Arquivo = QStringLiteral("202404221015300000000000099999");
    g.Quitacao = g.Processamento = QDate();
    Guia(g);
    Trabalhador(processada, 11111111111, QDate(2010, 1, 4), 1);
    Trabalhador(outraProcessada, 22222222222, QDate(2010, 1, 4), 1);
    Trabalhador(aberta, 33333333333, QDate(2010, 1, 4), 1);
    Vinculo(1, 11222333000181, 11111111111, QDate(2010, 1, 4), 1, 3);
    Vinculo(1, 11222333000181, 22222222222, QDate(2010, 1, 4), 1, 3);
    Vinculo(1, 11222333000181, 33333333333, QDate(2010, 1, 4), 1, 2);
  }
  int Guias() { return Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")); }
  int Individuais() { return Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL")); }
};

TEST_F(ExclusaoGuiasTeste, ExcluirPorCodigoReabreSoOsVinculosSemGuiaProcessada) {
  TGuiaEmpresa guia;
  guia.CO_BARRAS = processada;
  ASSERT_TRUE(guia.ExcluirPorCodigo());
  EXPECT_EQ(Guias(), 2);
  EXPECT_EQ(Individuais(), 2);
  EXPECT_EQ(Estado(11111111111), 2);
  EXPECT_EQ(Estado(22222222222), 3);
  EXPECT_EQ(Estado(33333333333), 2);
  ASSERT_EQ(guia.VinculosReabertos.size(), 1);
  EXPECT_EQ(guia.VinculosReabertos[0].PIS, 11111111111);
  EXPECT_EQ(guia.VinculosReabertos[0].Admissao, D(2010, 1, 4));
}

TEST_F(ExclusaoGuiasTeste, ExcluirPorArquivoComIdentificadorDe30Digitos) {
  TGuiaEmpresa guia;
  ASSERT_TRUE(guia.ExcluirPorArquivo(QStringLiteral("202404221015300000000000099999")));
  EXPECT_EQ(Guias(), 2);
  EXPECT_EQ(Individuais(), 2);
  EXPECT_TRUE(guia.VinculosReabertos.isEmpty());
  ASSERT_TRUE(guia.ExcluirPorArquivo(QStringLiteral("202403201015300000000000012345")));
  EXPECT_EQ(Guias(), 0);
  EXPECT_EQ(Individuais(), 0);
  EXPECT_EQ(Estado(11111111111), 2);
  EXPECT_EQ(Estado(22222222222), 2);
  EXPECT_EQ(guia.VinculosReabertos.size(), 2);
}

// A failure half-way (the links cannot be written) leaves every guide and
// every link as it was.
TEST_F(ExclusaoGuiasTeste, FalhaNaExclusaoNaoMudaNada) {
  Executar(QStringLiteral("CREATE EXCEPTION E_TESTE 'falha de teste'"));
  Executar(QStringLiteral("CREATE TRIGGER T_TESTE FOR QZLTBG04_VINCULO_EMPREGATICIO BEFORE "
                          "UPDATE AS BEGIN EXCEPTION E_TESTE; END"));
  TGuiaEmpresa guia;
  EXPECT_FALSE(guia.ExcluirCodigos({processada, aberta}));
  EXPECT_EQ(Guias(), 3);
  EXPECT_EQ(Individuais(), 3);
  EXPECT_EQ(Estado(11111111111), 3);
  EXPECT_TRUE(guia.VinculosReabertos.isEmpty());
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(ExclusaoGuiasTeste, CargasDaGuiaDaEmpresa) {
  TGuiaEmpresa guia;
  ASSERT_TRUE(guia.CarregarLista({aberta, processada, QStringLiteral("X")},
                                 QStringLiteral("DT_RECOLHIMENTO DESC")));
  ASSERT_EQ(guia.QuantidadeRegistros(), 2);
  EXPECT_EQ(guia.CO_BARRAS, aberta);
  guia.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("202404221015300000000000099999");
  EXPECT_TRUE(guia.CarregarPorArquivo());
  EXPECT_EQ(guia.CO_BARRAS, aberta);
  guia.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("999999999999999999999999999999");
  EXPECT_FALSE(guia.CarregarPorArquivo());

  Executar(QStringLiteral("INSERT INTO QZLTBG14_OCORRENCIA_GUIA VALUES "
                          "('202404221015300000000000099999', 2, 'SEGUNDA')"));
  Executar(QStringLiteral("INSERT INTO QZLTBG14_OCORRENCIA_GUIA VALUES "
                          "('202404221015300000000000099999', 1, 'PRIMEIRA')"));
  TDataSetPtr linhas = guia.LinhasOcorrencia(QStringLiteral("202404221015300000000000099999"));
  ASSERT_TRUE(linhas);
  ASSERT_EQ(linhas->RecordCount(), 2);
  EXPECT_EQ(linhas->Fields(0).AsString(), "PRIMEIRA");
  EXPECT_FALSE(guia.LinhasOcorrencia(QString()));
}

TEST_F(ExclusaoGuiasTeste, CarregarQuitadaExigeQuitacaoEProcessamento) {
  struct Caso {
    qint64 pis;
    bool achou;
  };
  for (const Caso c :
       {Caso{11111111111, true}, Caso{33333333333, false}, Caso{44444444444, false}}) {
    TGuiaTrabalhador t;
    t.Vinculo().NU_TIPO_INSO_EMPRA = 1;
    t.Vinculo().NU_INSCRICAO = 11222333000181;
    t.Vinculo().NU_PIS = c.pis;
    t.Vinculo().NU_CATEGORIA = 1;
    t.Vinculo().DT_ADMISSAO_VINCULO = D(2010, 1, 4);
    EXPECT_EQ(t.CarregarQuitada(), c.achou) << c.pis;
    if (c.achou) {
      EXPECT_EQ(t.CO_BARRAS, processada);
    }
  }
}

class GuiaTrabalhadorTeste : public GuiasTeste {};

// The key list of any length selects the same rows in the same order; the
// category is keyed with two digits.
TEST_F(GuiaTrabalhadorTeste, CarregarDaGuiaComListasDeChaves) {
  const QString linha = Linha(1, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));
  // 1010 workers, categories 1..12 in turn.
  Executar(QStringLiteral(
               "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 1010) DO BEGIN "
               "INSERT INTO QZLTBG09_GUIA_INDIVIDUAL (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
               "NU_CATEGORIA_GUIA, NO_EMPREGADO) VALUES ('%1', 10000000000 + :i, DATEADD(:i DAY TO "
               "DATE '2000-01-01'), MOD(:i, 12) + 1, 'T' || LPAD(1010 - :i, 5, '0')); i = i + 1; "
               "END END")
               .arg(linha));
  auto chave = [](int i) {
    return TGuiaTrabalhador::Chave(10000000000 + i, QDateParaData(QDate(2000, 1, 1).addDays(i)),
                                   i % 12 + 1);
  };
  for (int n : {0, 2, 5, 600, 1001}) {
    SCOPED_TRACE(n);
    QStringList chaves;
    for (int i = 0; i < n; ++i)
      chaves << chave(i * 1010 / std::max(n, 1));
    TGuiaTrabalhador t;
    t.CO_BARRAS = linha;
    ASSERT_TRUE(t.CarregarDaGuia(chaves, QStringLiteral("NO_EMPREGADO ASC")));
    const int esperado = n == 0 ? 1010 : QSet<QString>(chaves.cbegin(), chaves.cend()).size();
    ASSERT_EQ(t.QuantidadeRegistros(), esperado);
    // Ordered by name: the names run backwards from the PIS order.
    QString anterior;
    for (t.Primeiro(); !t.FimDados(); t.Proximo()) {
      EXPECT_LT(anterior, t.Trabalhador().NO_EMPREGADO);
      anterior = t.Trabalhador().NO_EMPREGADO;
      if (n) {
        EXPECT_TRUE(chaves.contains(TGuiaTrabalhador::Chave(
            t.Vinculo().NU_PIS, t.Vinculo().DT_ADMISSAO_VINCULO, t.Vinculo().NU_CATEGORIA)));
      }
    }
  }
  // Category 12 alone.
  TGuiaTrabalhador t;
  t.CO_BARRAS = linha;
  ASSERT_TRUE(t.CarregarDaGuia({chave(11)}, QString()));
  ASSERT_EQ(t.QuantidadeRegistros(), 1);
  EXPECT_EQ(t.Vinculo().NU_CATEGORIA, 12);
}

// Gravar inserts and then rewrites every column; the totals are whole centavos.
TEST_F(GuiaTrabalhadorTeste, GravarIdaEVoltaETotais) {
  const QString linha = Linha(1, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));
  TGuiaTrabalhador g;
  g.CO_BARRAS = linha;
  g.Trabalhador().NO_EMPREGADO = QStringLiteral("JOÃO D'ÁVILA");
  g.Trabalhador().DT_NASCIMENTO = D(1980, 5, 10);
  g.Trabalhador().NU_CTPS = QStringLiteral("1234567");
  g.Trabalhador().NU_SERIE_CTPS = QStringLiteral("123");
  g.Vinculo().NU_PIS = 12345678901;
  g.Vinculo().DT_ADMISSAO_VINCULO = D(2010, 1, 4);
  g.Vinculo().NU_CATEGORIA = 12;
  g.Vinculo().DT_OPCAO = D(2010, 1, 4);
  g.Vinculo().DT_MOVIMENTACAO_VINCULO = D(2024, 2, 15);
  g.Vinculo().CO_MOVIMENTACAO = QStringLiteral("I1");
  g.Vinculo().IC_AVISO_PREVIO = 2;
  g.Vinculo().NU_TIPO_INSO_TMDR = 1;
  g.Vinculo().NU_INSCRICAO_TMDR = 11444777000161;
  TRescisao &r = g.Rescisao();
  r.DT_DISSIDIO = D(2024, 1, 1);
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = 3000;
  g.VR_MULTA_RESCISORIA = 9876.54;
  // 0.1 + 0.2 style amounts whose double sum is not exact.
  r.VR_DEPOSITO_ANTERIOR_RESCISAO = 0.1;
  r.VR_JAM_ANTERIOR_RESCISAO = 0.2;
  r.VR_DEPOSITO_RESCISAO = 4.35;
  r.VR_MULTA_RESCISAO = 1.15;
  r.VR_CNTRO_MULTA_RESCISORIA = 0.29;
  r.VR_MULTA_CNTRO_MULTA_RESCISORIA = 19.99;
  ASSERT_TRUE(g.Gravar());
  r.VR_JAM_ANTERIOR_RESCISAO = 0.7;
  ASSERT_TRUE(g.Gravar());
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL")), 1);

  TGuiaTrabalhador l;
  l.CO_BARRAS = linha;
  ASSERT_TRUE(l.CarregarDaGuia({}, QString()));
  ASSERT_EQ(l.QuantidadeRegistros(), 1);
  EXPECT_EQ(l.Trabalhador().NO_EMPREGADO, "JOÃO D'ÁVILA");
  EXPECT_EQ(l.Trabalhador().NU_PIS, "12345678901");
  EXPECT_EQ(l.Trabalhador().NU_SERIE_CTPS, "123");
  EXPECT_EQ(l.Vinculo().NU_CATEGORIA, 12);
  EXPECT_EQ(l.Vinculo().CO_MOVIMENTACAO, "I1");
  EXPECT_EQ(l.Vinculo().NU_INSCRICAO_TMDR, 11444777000161);
  EXPECT_EQ(l.Rescisao().DT_DISSIDIO, D(2024, 1, 1));
  EXPECT_DOUBLE_EQ(l.VR_MULTA_RESCISORIA, 9876.54);
  EXPECT_DOUBLE_EQ(l.Rescisao().VR_JAM_ANTERIOR_RESCISAO, 0.7);
  EXPECT_EQ(l.ValorTrabalhador().Centavos(), 10 + 70 + 435);
  EXPECT_EQ(l.ValorDevido().Centavos(), 10 + 70 + 435 + 115 + 29 + 1999);
}
