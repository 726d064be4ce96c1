// The full check of every link (recorded inconsistencies and marks), the
// marking itself, and loading and saving links of one worker that differ only
// by category or admission date.
#include "core/UnInconsistencia.h"
#include "registry/unTResponsavel.h"
#include "test_reg2_apoio.h"

using namespace reg2;

namespace {

class Reg2Vinculos : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Cadastro c(IbxUtils);
    c.Empresa(1, CnpjResponsavel, QStringLiteral("CONTABIL O'BRIEN LTDA"), QStringLiteral("R"));
    c.Empresa(1, CnpjEmpresa, QStringLiteral("INDUSTRIA MODELO LTDA"), QStringLiteral("E"));
    c.Trabalhador(Pis1, QStringLiteral("ANA PEREIRA"));
    c.Trabalhador(Pis2, QStringLiteral("BRUNO COSTA"));
    c.Trabalhador(Pis3, QStringLiteral("CARLA SOUZA"));
  }

  QString Marca(qint64 pis) {
    return Valor(QStringLiteral("SELECT IC_VALIDACAO_VINCULO FROM QZLTBG04_VINCULO_EMPREGATICIO "
                                "WHERE NU_PIS = %1")
                     .arg(pis))
        .trimmed();
  }
  int Estado(qint64 pis) {
    return Valor(QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO "
                                "WHERE NU_PIS = %1")
                     .arg(pis))
        .toInt();
  }
};

} // namespace

TEST_F(Reg2Vinculos, UmVinculoConsistentePassaEmTodasAsVerificacoes) {
  Cadastro(IbxUtils).Vinculo(Pis1);
  TVinculo v;
  ASSERT_TRUE(v.CarregarTodos());
  TRetValidaCadastro r;
  r.Codigo = QStringLiteral("9999");
  v.ValidarVinculos(true, nullptr, r);
  EXPECT_TRUE(r.Codigo.isEmpty()) << r.Codigo.toStdString();
  EXPECT_FALSE(r.HouveInconsistencia);
  EXPECT_EQ(Marca(Pis1), "N");
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO")), 0);
}

TEST_F(Reg2Vinculos, OSegundoDeTresFalhaEEhRegistradoEMarcado) {
  Cadastro c(IbxUtils);
  // Loaded in PIS order: Pis3 (111...), Pis1 (120...), Pis2 (200...).
  c.Vinculo(Pis1, 1, D(5, 1, 2015), 1); // taking part in the open run
  c.Vinculo(Pis2);
  c.Vinculo(Pis3);
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET QT_HORAS_TRBS_SMNA = 0, "
                          "IC_VALIDACAO_VINCULO = 'N' WHERE NU_PIS = %1")
               .arg(Pis1));
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = 'S' "
                          "WHERE NU_PIS <> %1")
               .arg(Pis1)); // stale marks that the check must clear

  TVinculo v;
  ASSERT_TRUE(v.CarregarTodos());
  ASSERT_EQ(v.NU_PIS, Pis3);
  TRetValidaCadastro r;
  v.ValidarVinculos(true, nullptr, r);

  EXPECT_TRUE(r.Codigo.isEmpty()) << r.Codigo.toStdString();
  EXPECT_TRUE(r.HouveInconsistencia);
  EXPECT_EQ(Marca(Pis3), "N");
  EXPECT_EQ(Marca(Pis2), "N");
  EXPECT_EQ(Marca(Pis1), "S");
  EXPECT_EQ(Estado(Pis1), 0); // an inconsistent link leaves the open run

  TInconsistencia inc;
  ASSERT_TRUE(inc.ListarPorArquivo(3));
  EXPECT_EQ(inc.QuantidadeRegistros(), 1);
  EXPECT_EQ(inc.NU_MENSAGEM, 111);
  EXPECT_EQ(inc.CO_PIS_INCONSISTENCIA.trimmed(), QString::number(Pis1));
  EXPECT_EQ(inc.NO_EMPREGADO.trimmed(), "ANA PEREIRA");
  EXPECT_EQ(inc.CO_CATEGORIA_INCONSISTENCIA.trimmed(), "01");
  EXPECT_EQ(inc.NU_INSCRICAO_EMPRESA.trimmed(), QString::number(CnpjEmpresa));
  EXPECT_EQ(inc.NO_RAZAO_SOCIAL.trimmed(), "INDUSTRIA MODELO LTDA");
  EXPECT_EQ(inc.NO_RAZAO_SOCIAL_RSPNL_INCNA.trimmed(), "CONTABIL O'BRIEN LTDA");
  EXPECT_EQ(inc.NU_INSCRICAO_RSPNL_INCNA.trimmed(), QString::number(CnpjResponsavel));
  EXPECT_TRUE(inc.DT_ADMISSAO_INCONSISTENCIA.startsWith(QStringLiteral("2015-01-05")))
      << inc.DT_ADMISSAO_INCONSISTENCIA.toStdString();
}

TEST_F(Reg2Vinculos, SemRegistroApenasMarcaEOResultadoEhODoUltimo) {
  Cadastro c(IbxUtils);
  c.Vinculo(Pis1);
  c.Vinculo(Pis2);
  // The last link examined (PIS 200...) has an unknown occupation.
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET CO_CBO = '999999' WHERE "
                          "NU_PIS = %1")
               .arg(Pis2));
  TVinculo v;
  ASSERT_TRUE(v.CarregarTodos());
  TResponsavel resp;
  resp.CarregarResponsavel();
  TRetValidaCadastro r;
  v.ValidarVinculos(false, &resp, r);
  EXPECT_EQ(r.Codigo, "0337");
  EXPECT_FALSE(r.HouveInconsistencia);
  EXPECT_EQ(Marca(Pis1), "N");
  EXPECT_EQ(Marca(Pis2), "S");
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO")), 0);
  EXPECT_FALSE(resp.NO_RAZAO_SOCIAL.isEmpty()); // the caller's object stays usable
}

TEST_F(Reg2Vinculos, VerificacoesDaRescisaoEntramNaVerificacaoCompleta) {
  Cadastro(IbxUtils).Vinculo(Pis1);
  // An agreement value without its date.
  Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DISSIDIO = 50"));
  TVinculo v;
  ASSERT_TRUE(v.CarregarTodos());
  TRetValidaCadastro r;
  v.ValidarVinculos(true, nullptr, r);
  EXPECT_EQ(r.Codigo, "0191");
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = 191 "
                                  "AND NU_ARQUIVO = 3")),
            1);
}

TEST_F(Reg2Vinculos, MarcarTodos) {
  Cadastro c(IbxUtils);
  c.Vinculo(Pis1, 1, D(5, 1, 2015), 1);
  c.Vinculo(Pis2, 1, D(5, 1, 2015), 2);
  TVinculo v;
  EXPECT_TRUE(v.MarcarValidacao(true, true));
  EXPECT_EQ(Marca(Pis1), "S");
  EXPECT_EQ(Marca(Pis2), "S");
  EXPECT_EQ(Estado(Pis1), 0);
  EXPECT_EQ(Estado(Pis2), 2); // a closed link keeps its state
  EXPECT_TRUE(v.MarcarValidacao(true, false));
  EXPECT_EQ(Marca(Pis1), "N");
  EXPECT_EQ(Marca(Pis2), "N");
}

TEST_F(Reg2Vinculos, MarcarUmConsistenteNaoTiraDoMovimento) {
  Cadastro c(IbxUtils);
  c.Vinculo(Pis1, 1, D(5, 1, 2015), 1);
  TVinculo v;
  ASSERT_TRUE(v.CarregarPorChave(1, 1, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_TRUE(v.MarcarValidacao(false, false));
  EXPECT_EQ(Estado(Pis1), 1);
  EXPECT_FALSE(v.IC_VALIDACAO_VINCULO);
  EXPECT_TRUE(v.MarcarValidacao(false, true));
  EXPECT_EQ(Estado(Pis1), 0);
  EXPECT_EQ(v.IC_ESTADO_MOVIMENTO, 0);
  EXPECT_TRUE(v.IC_VALIDACAO_VINCULO);
}

TEST_F(Reg2Vinculos, VinculosQueDiferemSoPelaCategoriaOuPelaAdmissao) {
  // Three links of one worker at one company: categories 1 and 11 on the same
  // day, and category 1 admitted later.
  auto novo = [](int cat, TDateTime adm, const char *cbo) {
    TVinculo v;
    PreencherVinculo(v);
    v.NU_CATEGORIA = static_cast<qint8>(cat);
    v.DT_ADMISSAO_VINCULO = v.DT_OPCAO = adm;
    v.CO_CBO = QString::fromLatin1(cbo);
    v.NU_BANCO_CONTA = QStringLiteral("001");
    v.NU_AGENCIA_CONTA = QStringLiteral("1234");
    v.NU_CONTA_BANCARIA = QStringLiteral("98765");
    EXPECT_TRUE(v.Incluir());
    v.Rescisao().NU_CATEGORIA = v.NU_CATEGORIA;
    v.Rescisao().DT_ADMISSAO_VINCULO = adm;
    v.Rescisao().VR_REMUNERACAO_RESCISAO = cat * 100 + adm;
    EXPECT_TRUE(v.Rescisao().Incluir());
  };
  novo(1, D(5, 1, 2015), "004110");
  novo(11, D(5, 1, 2015), "004111");
  novo(1, D(6, 1, 2015), "004112");
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO")), 3);

  TVinculo v;
  ASSERT_TRUE(v.CarregarPorChave(1, 11, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(v.CO_CBO, "004111");
  EXPECT_EQ(v.NU_BANCO_CONTA, "001");
  EXPECT_EQ(v.NU_CONTA_BANCARIA, "98765");
  EXPECT_EQ(v.DE_MOVIMENTACAO.isEmpty(), false);
  EXPECT_EQ(v.IC_REPOSICAO_VAGAS, "N");
  EXPECT_DOUBLE_EQ(v.Rescisao().VR_REMUNERACAO_RESCISAO, 1100 + D(5, 1, 2015));
  ASSERT_TRUE(v.CarregarPorChave(1, 1, D(6, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(v.CO_CBO, "004112");
  EXPECT_DOUBLE_EQ(v.Rescisao().VR_REMUNERACAO_RESCISAO, 100 + D(6, 1, 2015));

  // Saving one of them leaves the others as they were.
  v.CO_CBO = QStringLiteral("004113");
  v.IC_ESTADO_MOVIMENTO = 1;
  EXPECT_TRUE(v.Alterar());
  EXPECT_TRUE(v.GravarEstadoMovimento(2));
  EXPECT_EQ(v.IC_ESTADO_MOVIMENTO, 2);
  TVinculo outro;
  ASSERT_TRUE(outro.CarregarPorChave(1, 1, D(5, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(outro.CO_CBO, "004110");
  EXPECT_EQ(outro.IC_ESTADO_MOVIMENTO, 0);
  ASSERT_TRUE(outro.CarregarPorChave(1, 1, D(6, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_EQ(outro.CO_CBO, "004113");
  EXPECT_EQ(outro.IC_ESTADO_MOVIMENTO, 2);
  EXPECT_TRUE(outro.Recarregar());
  EXPECT_FALSE(outro.CarregarPorChave(1, 2, D(6, 1, 2015), Pis1, CnpjEmpresa));
  EXPECT_TRUE(outro.CodigoErro.isEmpty());

  EXPECT_EQ(v.ConsultarMovimentacao(1, 11, D(5, 1, 2015), Pis1, CnpjEmpresa), "I1");
  EXPECT_EQ(v.ConsultarMovimentacao(1, 12, D(5, 1, 2015), Pis1, CnpjEmpresa), "");
}

TEST_F(Reg2Vinculos, Participantes) {
  Cadastro c(IbxUtils);
  c.Vinculo(Pis1, 1, D(5, 1, 2015), 1);
  c.Vinculo(Pis1, 11, D(5, 1, 2015), 1);
  c.Vinculo(Pis2, 1, D(5, 1, 2015), 0);
  c.Vinculo(Pis3, 1, D(7, 1, 2015), 1);
  TVinculo v;
  ASSERT_TRUE(v.CarregarParticipantes(true, 0, NullDate, 0, 0, 0));
  EXPECT_EQ(v.QuantidadeRegistros(), 3);
  ASSERT_TRUE(v.CarregarParticipantes(false, 1, NullDate, 11, Pis1, CnpjEmpresa));
  EXPECT_EQ(v.QuantidadeRegistros(), 1);
  EXPECT_EQ(v.NU_CATEGORIA, 11);
  ASSERT_TRUE(v.CarregarParticipantes(false, 0, D(7, 1, 2015), 0, 0, 0));
  EXPECT_EQ(v.NU_PIS, Pis3);
  EXPECT_FALSE(v.CarregarParticipantes(false, 0, NullDate, 0, Pis2, 0));
}

TEST_F(Reg2Vinculos, ErroDeBancoNoCarregamento) {
  TVinculo v;
  v.SqlFrom = QStringLiteral(" FROM TABELA_INEXISTENTE VINC ");
  EXPECT_FALSE(v.CarregarTodos());
  EXPECT_EQ(v.CodigoErro, "0144");
}
