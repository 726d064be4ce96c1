// Termination information: its checks (with the rate-table minimums), load
// and clearing of the calculated parcels; registration changes: the worker
// name divergence from recording to resolution.
#include "collection/unTAliquotaDeposito.h"
#include "registry/unAlteracaoCadastral.h"
#include "test_reg2_apoio.h"

#include <functional>

using namespace reg2;

namespace {

struct CasoRescisao {
  const char *nome;
  std::function<void(TVinculo &, TRescisao &)> ajuste;
  std::function<bool(TRescisao &)> verificacao;
  const char *esperado;
};

class Reg2Rescisao : public BancoTeste {
protected:
  void Verificar(const std::vector<CasoRescisao> &casos) {
    for (const CasoRescisao &c : casos) {
      SCOPED_TRACE(c.nome);
      TVinculo v;
      PreencherVinculo(v);
      TRescisao &r = v.Rescisao();
      c.ajuste(v, r);
      const bool ok = c.verificacao(r);
      EXPECT_EQ(r.CodigoErro, QString::fromLatin1(c.esperado));
      EXPECT_EQ(ok, QString::fromLatin1(c.esperado).isEmpty());
    }
  }
};

auto Nada = [](TVinculo &, TRescisao &) {};

} // namespace

TEST_F(Reg2Rescisao, Dissidio) {
  auto data = [](TRescisao &r) { return r.ValidarDataDissidio(); };
  auto valor = [](TRescisao &r) { return r.ValidarValorDissidio(); };
  auto em = [](TDateTime d, double vr = 0) {
    return [=](TVinculo &, TRescisao &r) {
      r.DT_DISSIDIO = d;
      r.VR_DISSIDIO = vr;
    };
  };
  const TDateTime mov = D(15, 3, 2020), adm = D(5, 1, 2015);
  Verificar({
      {"sem dissídio", Nada, data, ""},
      {"no dia da movimentação", em(mov), data, "0409"},
      {"no dia seguinte", em(mov + 1), data, ""},
      {"véspera da admissão", em(adm - 1), data, "0047"},
      {"01/01/1900", em(D(1, 1, 1900)), data, "0472"},
      {"não é data", em(DataNaoValida), data, "0048"},

      {"sem valor nem data", Nada, valor, ""},
      {"valor sem data", em(NullDate, 100), valor, "0191"},
      {"valor negativo sem data", em(NullDate, -5), valor, "0191"},
      {"data sem valor", em(mov + 1), valor, "0136"},
      {"valor na I3",
       [](TVinculo &v, TRescisao &r) {
         v.CO_MOVIMENTACAO = QStringLiteral("I3");
         r.DT_DISSIDIO = D(1, 4, 2020);
         r.VR_DISSIDIO = 100;
       },
       valor, "0444"},
      {"valor com saldo da VORDA",
       [](TVinculo &, TRescisao &r) {
         r.DT_DISSIDIO = D(1, 4, 2020);
         r.VR_DISSIDIO = 100;
         r.IC_ORIGEM_SALDO_RESCISORIO = QStringLiteral("C");
       },
       valor, "0482"},
      {"valor e data", em(D(1, 4, 2020), 100), valor, ""},
  });
}

TEST_F(Reg2Rescisao, Pensao) {
  auto tipo = [](TRescisao &r) { return r.ValidarTipoPensao(); };
  auto perc = [](TRescisao &r) { return r.ValidarPensaoPercentual(); };
  auto limite = [](TRescisao &r) { return r.ValidarPensaoPercentualLimite(); };
  auto valor = [](TRescisao &r) { return r.ValidarPensaoValor(); };
  auto informado = [](TRescisao &r) { return r.ValidarPensaoValorInformado(); };
  auto pensao = [](const char *t, double vr) {
    return [=](TVinculo &, TRescisao &r) {
      r.IC_TIPO_PNSO_ALMNA = QString::fromLatin1(t);
      r.VR_PENSAO_ALMNA = vr;
    };
  };
  Verificar({
      {"sem pensão", Nada, tipo, ""},
      {"tipo em branco", pensao(" ", 0), tipo, "0081"},
      {"tipo inválido", pensao("X", 0), tipo, "0082"},
      {"tipo minúsculo", pensao("p", 10), tipo, ""},
      {"percentual zero", pensao("P", 0), perc, "0183"},
      {"percentual 150 sem limite", pensao("P", 150), perc, ""},
      {"percentual 150 com limite", pensao("P", 150), limite, "0378"},
      {"percentual 100 com limite", pensao("P", 100), limite, ""},
      {"percentual zero com limite", pensao("p", 0), limite, "0183"},
      {"valor zero", pensao("V", 0), valor, "0210"},
      {"valor informado zero", pensao("v", 0), informado, "0210"},
      {"valor", pensao("V", 300), valor, ""},
  });

  TRescisao r;
  r.IC_TIPO_PNSO_ALMNA = QStringLiteral("N");
  r.VR_PENSAO_ALMNA = 50;
  EXPECT_TRUE(r.ValidarPensaoPercentual());
  EXPECT_EQ(r.VR_PENSAO_ALMNA, 0);
  r.VR_PENSAO_ALMNA = 50;
  EXPECT_TRUE(r.ValidarPensaoValor());
  EXPECT_EQ(r.VR_PENSAO_ALMNA, 0);
}

TEST_F(Reg2Rescisao, RemuneracoesEAvisoIndenizado) {
  auto anterior = [](TRescisao &r) { return r.ValidarRemuneracaoAnterior(); };
  auto rescisao = [](TRescisao &r) { return r.ValidarRemuneracaoRescisao(); };
  auto aviso = [](TRescisao &r) { return r.ValidarAvisoPrevioIndenizado(); };
  auto categoria = [](int cat, double anterior, double mes) {
    return [=](TVinculo &v, TRescisao &r) {
      v.NU_CATEGORIA = r.NU_CATEGORIA = static_cast<qint8>(cat);
      r.VR_REMUNERACAO_ANTERIOR_RSCSO = anterior;
      r.VR_REMUNERACAO_RESCISAO = mes;
    };
  };
  auto indenizado = [](int cat, int kind, const char *mov, double vr) {
    return [=](TVinculo &v, TRescisao &r) {
      v.NU_CATEGORIA = r.NU_CATEGORIA = static_cast<qint8>(cat);
      v.IC_AVISO_PREVIO = static_cast<quint8>(kind);
      v.CO_MOVIMENTACAO = QString::fromLatin1(mov);
      r.VR_AVISO_PREVIO = vr;
    };
  };
  auto dissidio = [](TVinculo &, TRescisao &r) { r.DT_DISSIDIO = D(1, 4, 2020); };
  Verificar({
      {"remunerações consistentes", Nada, anterior, ""},
      {"remunerações consistentes (mês)", Nada, rescisao, ""},
      {"aprendiz abaixo do mínimo (2%)", categoria(7, 2000, 5), rescisao, "0447"},
      {"empregado abaixo do mínimo (8%)", categoria(1, 2000, 5), rescisao, "0448"},
      {"no mínimo", categoria(1, 10, 10), rescisao, ""},
      {"anterior abaixo do mínimo", categoria(1, 9.99, 1000), anterior, "0448"},
      {"anterior com dissídio", dissidio, anterior, "0186"},
      {"do mês com dissídio", dissidio, rescisao, "0187"},
      {"admissão e movimentação no mesmo mês",
       [](TVinculo &v, TRescisao &) { v.DT_ADMISSAO_VINCULO = v.DT_OPCAO = D(2, 3, 2020); },
       anterior, "0425"},
      {"mesmo mês e abaixo do mínimo",
       [](TVinculo &v, TRescisao &r) {
         v.DT_ADMISSAO_VINCULO = v.DT_OPCAO = D(2, 3, 2020);
         r.VR_REMUNERACAO_ANTERIOR_RSCSO = 5;
       },
       anterior, "0448"},

      {"sem aviso indenizado", Nada, aviso, ""},
      {"categoria 5 com valor", indenizado(5, 3, "I1", 100), aviso, "0513"},
      {"indenizado sem valor", indenizado(1, 2, "I1", 0), aviso, "0391"},
      {"trabalhado com valor", indenizado(1, 1, "I1", 100), aviso, "0392"},
      {"ausência com valor", indenizado(1, 3, "I2", 100), aviso, "0392"},
      {"valor na I3", indenizado(1, 2, "I3", 100), aviso, "0428"},
      {"indenizado abaixo do mínimo", indenizado(7, 2, "I1", 5), aviso, "0447"},
      {"indenizado", indenizado(1, 2, "I1", 100), aviso, ""},
  });
}

TEST_F(Reg2Rescisao, ValoresARecolher) {
  auto recolher = [](TRescisao &r) { return r.ValidarValorARecolher(); };
  auto arquivo = [](TRescisao &r) { return r.ValidarValoresSemRemuneracao(true); };
  auto tela = [](TRescisao &r) { return r.ValidarValoresSemRemuneracao(false); };
  auto zerado = [](const char *mov) {
    return [=](TVinculo &v, TRescisao &r) {
      v.CO_MOVIMENTACAO = QString::fromLatin1(mov);
      r.VR_REMUNERACAO_ANTERIOR_RSCSO = r.VR_REMUNERACAO_RESCISAO = 0;
    };
  };
  Verificar({
      {"com remuneração", Nada, recolher, ""},
      {"tudo zero", zerado("I1"), recolher, "0225"},
      {"tudo zero na I3", zerado("I3"), recolher, ""},
      {"só complemento",
       [&](TVinculo &v, TRescisao &r) {
         zerado("I1")(v, r);
         r.VR_DEPOSITO_CMPLO_SALDO = 8;
       },
       recolher, ""},
      {"I3 sem remuneração, arquivo", zerado("I3"), arquivo, "0455"},
      {"I3 sem remuneração, tela", zerado("I3"), tela, "0225"},
      {"I1 sem remuneração", zerado("I1"), arquivo, ""},
  });
}

TEST_F(Reg2Rescisao, AliquotaVigente) {
  TRescisao r;
  r.NU_CATEGORIA = 4;
  std::array<double, 2> a = {-1, -1};
  r.ConsultarAliquota(true, a, D(31, 12, 1997));
  EXPECT_EQ(a[0], -1); // no row before the first starting month: untouched
  r.ConsultarAliquota(true, a, D(15, 1, 2003));
  EXPECT_EQ(a[1], 2);
  EXPECT_EQ(a[0], 10);
  r.ConsultarAliquota(false, a, D(1, 2, 2003));
  EXPECT_EQ(a[1], 8);
  EXPECT_EQ(a[0], 5);
  // A row stored later is seen by the next lookup; a table handed over keeps
  // what it read.
  TTabelaAliquotas lida;
  lida.Carregar(IbxUtils);
  Executar("INSERT INTO QZLTBT14_ALIQUOTA_CALCULO_DPSTO (NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, "
           "MM_COMPETENCIA_ALIQUOTA, PC_ALIQUOTA, VR_REMUNERACAO_MINIMA, "
           "VR_SALDO_RESCISORIO_MINIMO) VALUES (4, 2003, 3, 3, 11, 6)");
  r.ConsultarAliquota(false, a, D(1, 3, 2003));
  EXPECT_EQ(a[1], 3);
  EXPECT_EQ(a[0], 6);
  r.DefinirAliquotas(&lida);
  r.ConsultarAliquota(false, a, D(1, 3, 2003));
  EXPECT_EQ(a[1], 8);
  EXPECT_EQ(a[0], 5);
}

TEST_F(Reg2Rescisao, CarregarPorChave) {
  Cadastro c(IbxUtils);
  c.Vinculo(Pis1, 11);
  TRescisao r;
  ASSERT_TRUE(r.CarregarPorChave(1, 11, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(r.NU_CATEGORIA, 11);
  EXPECT_EQ(r.VR_REMUNERACAO_ANTERIOR_RSCSO, 2000);
  EXPECT_EQ(r.IC_ORIGEM_SALDO_RESCISORIO, "N");
  EXPECT_EQ(r.DT_DEVIDA_RESCISAO, NullDate);
  EXPECT_EQ(r.Vinculo().CO_MOVIMENTACAO, "I1"); // the link loads itself by the key

  // No row: empty values, no error.
  ASSERT_TRUE(r.CarregarPorChave(1, 1, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(r.VR_REMUNERACAO_ANTERIOR_RSCSO, 0);
  EXPECT_TRUE(r.CodigoErro.isEmpty());
}

TEST_F(Reg2Rescisao, LimparCalculosSoDosFechadosEProcessados) {
  Cadastro c(IbxUtils);
  // States 0 to 3, the closed one in a two-digit category.
  c.Vinculo(Pis1, 1, D(5, 1, 2015), 0);
  c.Vinculo(Pis1, 7, D(5, 1, 2015), 1);
  c.Vinculo(Pis1, 11, D(5, 1, 2015), 2);
  c.Vinculo(Pis2, 1, D(5, 1, 2015), 3);
  c.Vinculo(Pis3, 1, D(5, 1, 2015), 2);
  Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_JAM_RESCISAO = 7, "
                          "DT_DEVIDA_MULTA_RESCISORIA = '2020-04-07', VR_JAM_SALDO_RESCISORIO = 3, "
                          "VR_MULTA_CNTRO_ANTERIOR_RSCSO = 2"));
  auto calculados = [&](qint64 pis, int cat) {
    return Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1 AND "
                                 "NU_CATEGORIA = %2 AND (VR_JAM_RESCISAO IS NOT NULL OR "
                                 "DT_DEVIDA_MULTA_RESCISORIA IS NOT NULL OR "
                                 "VR_JAM_SALDO_RESCISORIO IS NOT NULL OR "
                                 "VR_MULTA_CNTRO_ANTERIOR_RSCSO IS NOT NULL)")
                      .arg(pis)
                      .arg(cat));
  };

  TRescisao r;
  // One link only: the third worker's.
  ASSERT_TRUE(r.LimparCalculos(1, CnpjEmpresa, D(5, 1, 2015), 1, Pis3));
  EXPECT_EQ(calculados(Pis3, 1), 0);
  EXPECT_EQ(calculados(Pis2, 1), 1);

  // Every link: the closed and processed ones, whatever their category.
  ASSERT_TRUE(r.LimparCalculos(-1, -1, NullDate, 0, -1)) << r.CodigoErro.toStdString();
  EXPECT_EQ(calculados(Pis1, 11), 0);
  EXPECT_EQ(calculados(Pis2, 1), 0);
  EXPECT_EQ(calculados(Pis1, 1), 1);
  EXPECT_EQ(calculados(Pis1, 7), 1);
  EXPECT_EQ(Valor(QStringLiteral("SELECT VR_REMUNERACAO_ANTERIOR_RSCSO FROM "
                                 "QZLTBG06_INFORMACAO_RESCISAO WHERE NU_CATEGORIA = 11")),
            "2000");
}

TEST_F(Reg2Rescisao, IncluirEAlterar) {
  TVinculo v;
  PreencherVinculo(v);
  TRescisao &r = v.Rescisao();
  r.DT_DISSIDIO = D(1, 4, 2020);
  r.VR_DISSIDIO = 123.45;
  ASSERT_TRUE(r.Incluir());
  r.VR_REMUNERACAO_RESCISAO = 999.99;
  r.IC_TIPO_PNSO_ALMNA = QStringLiteral("P");
  r.VR_PENSAO_ALMNA = 30;
  ASSERT_TRUE(r.Alterar());

  TRescisao lido;
  ASSERT_TRUE(lido.CarregarPorChave(1, 1, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_DOUBLE_EQ(lido.VR_DISSIDIO, 123.45);
  EXPECT_DOUBLE_EQ(lido.VR_REMUNERACAO_RESCISAO, 999.99);
  EXPECT_EQ(lido.DT_DISSIDIO, D(1, 4, 2020));
  EXPECT_EQ(lido.IC_TIPO_PNSO_ALMNA, "P");
  EXPECT_THROW(r.Incluir(), EBancoDados); // the key exists: the caller rolls back
  EXPECT_EQ(r.CodigoErro, "0144");
}

// ------------------------------------------------------ registration change

namespace {

class Reg2AlteracaoCadastral : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Cadastro c(IbxUtils);
    c.Trabalhador(Pis1, QStringLiteral("JOSE DA SILVA"));
    c.Vinculo(Pis1);
    // The bank's account of the link reports another name (with a quote).
    Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NO_EMPREGADO, NU_EMPREGADO_VORDA, NU_SITUACAO_CONTA_EMPREGADO, "
                            "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, NU_EMPRESA_VORDA) VALUES (1, "
                            "%1, %2, 1, '2015-01-05', 'JOSE D''SILVA', 555, 0, 1, 100, 77)")
                 .arg(CnpjEmpresa)
                 .arg(Pis1));
  }

  void Preencher(TAlteracaoCadastral &a) {
    a.NU_TIPO_INSO_EMPRA = QStringLiteral("1");
    a.NU_INSCRICAO = QString::number(CnpjEmpresa);
    a.NU_PIS = QString::number(Pis1);
    a.NU_CATEGORIA = QStringLiteral("1");
    a.DT_ADMISSAO_VINCULO = D(5, 1, 2015);
    a.NU_TIPO_ALTERACAO = QString::number(AlteracaoNomeTrabalhador);
    a.NU_EMPRESA_VORDA_ALT_CADASTRAL = QStringLiteral("77");
    a.NU_EMPREGADO_VORDA_ALT_CDSTL = QStringLiteral("555");
    a.DE_CONTEUDO_ANTERIOR = QStringLiteral("JOSE D'SILVA");
    a.IC_CONFIRMACAO = QStringLiteral("N");
  }

  // What the balance load does with a divergent name.
  void Registrar(TAlteracaoCadastral &a) {
    if (a.ExisteDivergenciaNome())
      ASSERT_TRUE(a.Alterar());
    else
      ASSERT_TRUE(a.Incluir());
  }

  int Alteracoes(const QString &condicao = QString()) {
    return Contar(QStringLiteral("FROM QZLTBG05_ALTERACAO_CADASTRAL") +
                  (condicao.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condicao));
  }
  QString NomeRegistrado() {
    return Valor(QStringLiteral("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO")).trimmed();
  }
};

} // namespace

TEST_F(Reg2AlteracaoCadastral, NomeConfere) {
  TAlteracaoCadastral a;
  EXPECT_TRUE(a.NomeConfere(QStringLiteral("jose da silva"), Pis1));
  EXPECT_FALSE(a.NomeConfere(QStringLiteral("JOSE D'SILVA"), Pis1));
  EXPECT_FALSE(a.NomeConfere(QStringLiteral("JOSE DA SILVA"), Pis2)); // no such worker
}

TEST_F(Reg2AlteracaoCadastral, RegistrarUmaVezEAtualizar) {
  TAlteracaoCadastral a;
  Preencher(a);
  EXPECT_FALSE(a.ExisteDivergenciaNome());
  Registrar(a);
  EXPECT_TRUE(a.ExisteDivergenciaNome());
  a.DE_CONTEUDO_ANTERIOR = QStringLiteral("JOSE DE SILVA");
  Registrar(a); // a second load updates the pending change
  EXPECT_EQ(Alteracoes(), 1);
  EXPECT_EQ(Valor(QStringLiteral("SELECT DE_CONTEUDO_ANTERIOR FROM "
                                 "QZLTBG05_ALTERACAO_CADASTRAL"))
                .trimmed(),
            "JOSE DE SILVA");

  TAlteracaoCadastral lida;
  ASSERT_TRUE(lida.CarregarPorVinculo(1, 1, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(lida.NU_TIPO_ALTERACAO, "406");
  EXPECT_EQ(lida.IC_CONFIRMACAO, "N");
  EXPECT_EQ(lida.NU_EMPREGADO_VORDA_ALT_CDSTL, "555");
  EXPECT_EQ(lida.Trabalhador().NO_EMPREGADO.trimmed(), "JOSE DA SILVA");
}

TEST_F(Reg2AlteracaoCadastral, AlterarSemNumeroDaContaAtualizaAPendente) {
  TAlteracaoCadastral a;
  Preencher(a);
  a.NU_EMPREGADO_VORDA_ALT_CDSTL.clear();
  Registrar(a);
  a.DE_CONTEUDO_ANTERIOR = QStringLiteral("JOSE DE SILVA");
  ASSERT_TRUE(a.ExisteDivergenciaNome());
  Registrar(a);
  EXPECT_EQ(Alteracoes(QStringLiteral("DE_CONTEUDO_ANTERIOR = 'JOSE DE SILVA'")), 1);
}

TEST_F(Reg2AlteracaoCadastral, ResolverFicandoComONomeDaVorda) {
  TAlteracaoCadastral a;
  Preencher(a);
  Registrar(a);
  a.ResolverDivergenciaNome(1, 1, u'N', QStringLiteral("JOSE D'SILVA"), D(5, 1, 2015), Pis1,
                            CnpjEmpresa);
  EXPECT_EQ(NomeRegistrado(), "JOSE D'SILVA");
  EXPECT_EQ(Alteracoes(), 0);
  EXPECT_FALSE(a.ExisteDivergenciaNome());
}

TEST_F(Reg2AlteracaoCadastral, ResolverMantendoONomeCadastrado) {
  TAlteracaoCadastral a;
  Preencher(a);
  Registrar(a);
  // A pending change of another bank account of the same link is dropped.
  TAlteracaoCadastral outra;
  Preencher(outra);
  outra.NU_EMPREGADO_VORDA_ALT_CDSTL = QStringLiteral("556");
  ASSERT_TRUE(outra.Incluir());

  a.ResolverDivergenciaNome(1, 1, u'S', QStringLiteral("JOSE D'SILVA"), D(5, 1, 2015), Pis1,
                            CnpjEmpresa);
  EXPECT_EQ(NomeRegistrado(), "JOSE DA SILVA");
  EXPECT_EQ(Alteracoes(), 1);
  EXPECT_EQ(Alteracoes(QStringLiteral("IC_CONFIRMACAO = 'S' AND NU_EMPREGADO_VORDA_ALT_CDSTL = "
                                      "555")),
            1);
}

TEST_F(Reg2AlteracaoCadastral, Excluir) {
  TAlteracaoCadastral a;
  Preencher(a);
  ASSERT_TRUE(a.Incluir());
  a.NU_PIS = QString::number(Pis2);
  ASSERT_TRUE(a.Incluir());
  a.NU_PIS.clear(); // the whole company
  a.NU_CATEGORIA.clear();
  a.DT_ADMISSAO_VINCULO = NullDate;
  a.NU_INSCRICAO = QString::number(CnpjResponsavel);
  ASSERT_TRUE(a.Excluir(false));
  EXPECT_EQ(Alteracoes(), 2);
  a.NU_INSCRICAO = QString::number(CnpjEmpresa);
  a.NU_PIS = QString::number(Pis2);
  ASSERT_TRUE(a.Excluir(false));
  EXPECT_EQ(Alteracoes(), 1);
  ASSERT_TRUE(a.Excluir(true));
  EXPECT_EQ(Alteracoes(), 0);
  // A key part that is not a number never reaches the statement as typed.
  a.NU_INSCRICAO = QStringLiteral("1 OR 1=1");
  EXPECT_FALSE(a.Incluir());
}
