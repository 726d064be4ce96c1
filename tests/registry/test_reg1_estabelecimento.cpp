// Employer, responsible-party and address checks, and the role changes of the
// QZLTBG02_EMPRESA rows with the open-run row kept in step.
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "support/BancoTeste.h"

#include <functional>

namespace {

const qint64 CnpjValido = 11222333000181LL;
const qint64 CeiValido = 123456789010LL;

void PreencherComum(TEstabelecimento &e, int tipo, qint64 inscricao) {
  e.NU_TIPO_INSO_EMPRA = tipo;
  e.NU_INSCRICAO = QString::number(inscricao);
  e.NO_RAZAO_SOCIAL = QStringLiteral("LOJA 111 LTDA");
  e.NU_DDD = QStringLiteral("11");
  e.NU_TELEFONE = QStringLiteral("33334444");
  e.CO_ENDERECO_VIRTUAL_CONTATO.clear();
  e.Endereco().DE_LOGRADOURO = QStringLiteral("RUA DAS FLORES 10");
  e.Endereco().NO_BAIRRO = QStringLiteral("CENTRO");
  e.Endereco().NO_LOCALIDADE = QStringLiteral("SAO PAULO");
  e.Endereco().NU_CEP = QStringLiteral("01310100");
  e.Endereco().SG_UF = QStringLiteral("SP");
}

// A company that passes every check, to be spoiled one field at a time.
void PreencherValida(TEmpresa &e, int tipo = 1, qint64 inscricao = CnpjValido) {
  PreencherComum(e, tipo, inscricao);
  e.NU_IBGE = QStringLiteral("0111301");
  e.NU_INSS = QStringLiteral("515");
  e.NU_SIMPLES = 1;
}

class Reg1Estabelecimento : public BancoTeste {
protected:
  void InserirVinculo(int tipo, qint64 inscricao, qint64 pis, int categoria) {
    Executar(QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES "
                            "(%1, %2, %3, %4, '2010-01-04')")
                 .arg(tipo)
                 .arg(inscricao)
                 .arg(pis)
                 .arg(categoria));
  }
  QString Estado(int tipo, qint64 inscricao) {
    return Valor(QStringLiteral("SELECT IC_ESTADO_EMPRESA FROM QZLTBG02_EMPRESA WHERE "
                                "NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2")
                     .arg(tipo)
                     .arg(inscricao))
        .trimmed();
  }
};

struct Caso {
  const char *descricao;
  std::function<bool(TEmpresa &)> executar;
  const char *codigo; // "" when the value passes
};

TEST_F(Reg1Estabelecimento, CadaCodigoDeVerificacao) {
  const std::vector<Caso> casos = {
      {"tipo 3",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 3;
         return e.ValidarTipoInscricao();
       },
       "0129"},
      {"tipo 2",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         return e.ValidarTipoInscricao();
       },
       ""},
      {"CNPJ com dígito errado",
       [](TEmpresa &e) {
         e.NU_INSCRICAO = QStringLiteral("11222333000180");
         return e.ValidarInscricao();
       },
       "0021"},
      {"CNPJ válido", [](TEmpresa &e) { return e.ValidarInscricao(); }, ""},
      {"CEI com dígito errado",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         e.NU_INSCRICAO = QStringLiteral("123456789011");
         return e.ValidarInscricao();
       },
       "0018"},
      {"CEI válido",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         e.NU_INSCRICAO = QString::number(CeiValido);
         return e.ValidarInscricao();
       },
       ""},
      {"razão vazia",
       [](TEmpresa &e) {
         e.NO_RAZAO_SOCIAL.clear();
         return e.ValidarRazaoSocial();
       },
       "0177"},
      {"razão com espaço inicial",
       [](TEmpresa &e) {
         e.NO_RAZAO_SOCIAL = QStringLiteral(" LOJA");
         return e.ValidarRazaoSocial();
       },
       "0177"},
      {"razão acentuada",
       [](TEmpresa &e) {
         e.NO_RAZAO_SOCIAL = QStringLiteral("LOJA ÁGUA");
         return e.ValidarRazaoSocial();
       },
       "0177"},
      {"razão com três letras iguais",
       [](TEmpresa &e) {
         e.NO_RAZAO_SOCIAL = QStringLiteral("Psss LTDA");
         return e.ValidarRazaoSocial();
       },
       "0177"},
      {"razão com espaço duplo",
       [](TEmpresa &e) {
         e.NO_RAZAO_SOCIAL = QStringLiteral("LOJA  A");
         return e.ValidarRazaoSocial();
       },
       "0177"},
      {"razão com três dígitos iguais", [](TEmpresa &e) { return e.ValidarRazaoSocial(); }, ""},
      {"DDD 10",
       [](TEmpresa &e) {
         e.NU_DDD = QStringLiteral("10");
         return e.ValidarDDD();
       },
       "0024"},
      {"DDD 5",
       [](TEmpresa &e) {
         e.NU_DDD = QStringLiteral("5");
         return e.ValidarDDD();
       },
       "0024"},
      {"DDD negativo",
       [](TEmpresa &e) {
         e.NU_DDD = QStringLiteral("-11");
         return e.ValidarDDD();
       },
       "0024"},
      {"DDD 101",
       [](TEmpresa &e) {
         e.NU_DDD = QStringLiteral("101");
         return e.ValidarDDD();
       },
       ""},
      {"telefone de 7 dígitos com 0",
       [](TEmpresa &e) {
         e.NU_TELEFONE = QStringLiteral("0123456");
         return e.ValidarTelefone();
       },
       "0128"},
      {"telefone com zeros finais",
       [](TEmpresa &e) {
         e.NU_TELEFONE = QStringLiteral("11000000");
         return e.ValidarTelefone();
       },
       "0128"},
      {"telefone acima de 32 bits",
       [](TEmpresa &e) {
         e.NU_TELEFONE = QStringLiteral("9999999999");
         return e.ValidarTelefone();
       },
       "0128"},
      {"telefone curto",
       [](TEmpresa &e) {
         e.NU_TELEFONE = QStringLiteral("123456");
         return e.ValidarTelefone();
       },
       "0128"},
      {"telefone 1234567",
       [](TEmpresa &e) {
         e.NU_TELEFONE = QStringLiteral(" 1234567 ");
         return e.ValidarTelefone();
       },
       ""},
      {"dois @",
       [](TEmpresa &e) {
         e.CO_ENDERECO_VIRTUAL_CONTATO = QStringLiteral("a@b@c.com");
         return e.ValidarEmail();
       },
       "0065"},
      {"sem ponto",
       [](TEmpresa &e) {
         e.CO_ENDERECO_VIRTUAL_CONTATO = QStringLiteral("ab@cd");
         return e.ValidarEmail();
       },
       "0065"},
      {"e-mail com espaço inicial",
       [](TEmpresa &e) {
         e.CO_ENDERECO_VIRTUAL_CONTATO = QStringLiteral(" a@b.com");
         return e.ValidarEmail();
       },
       "0065"},
      {"e-mail vazio", [](TEmpresa &e) { return e.ValidarEmail(); }, ""},
      {"logradouro vazio",
       [](TEmpresa &e) {
         e.Endereco().DE_LOGRADOURO.clear();
         return e.Endereco().ValidarLogradouro();
       },
       "0096"},
      {"bairro com espaço duplo",
       [](TEmpresa &e) {
         e.Endereco().NO_BAIRRO = QStringLiteral("VILA  NOVA");
         return e.Endereco().ValidarBairro();
       },
       "0095"},
      {"município acentuado",
       [](TEmpresa &e) {
         e.Endereco().NO_LOCALIDADE = QStringLiteral("SÃO PAULO");
         return e.Endereco().ValidarMunicipio();
       },
       "0094"},
      {"CEP 70000000",
       [](TEmpresa &e) {
         e.Endereco().NU_CEP = QStringLiteral("70000000");
         return e.Endereco().ValidarCEP();
       },
       "0101"},
      {"CEP de dígitos iguais",
       [](TEmpresa &e) {
         e.Endereco().NU_CEP = QStringLiteral("11111111");
         return e.Endereco().ValidarCEP();
       },
       "0101"},
      {"CEP abaixo de 01000",
       [](TEmpresa &e) {
         e.Endereco().NU_CEP = QStringLiteral("00999000");
         return e.Endereco().ValidarCEP();
       },
       "0101"},
      {"CEP de 7 dígitos",
       [](TEmpresa &e) {
         e.Endereco().NU_CEP = QStringLiteral("1310100");
         return e.Endereco().ValidarCEP();
       },
       "0101"},
      {"UF vazia",
       [](TEmpresa &e) {
         e.Endereco().SG_UF.clear();
         return e.Endereco().ValidarUF();
       },
       "0132"},
      {"UF inexistente",
       [](TEmpresa &e) {
         e.Endereco().SG_UF = QStringLiteral("XX");
         return e.Endereco().ValidarUF();
       },
       "0133"},
      {"CNAE vazio",
       [](TEmpresa &e) {
         e.NU_IBGE = QStringLiteral(" ");
         return e.ValidarCNAE();
       },
       "0019"},
      {"CNAE com letra",
       [](TEmpresa &e) {
         e.NU_IBGE = QStringLiteral("01113A1");
         return e.ValidarCNAE();
       },
       "0140"},
      {"CNAE fora da tabela",
       [](TEmpresa &e) {
         e.NU_IBGE = QStringLiteral("9999999");
         return e.ValidarCNAE();
       },
       "0140"},
      {"FPAS vazio",
       [](TEmpresa &e) {
         e.NU_INSS.clear();
         return e.ValidarFPAS();
       },
       "0070"},
      {"FPAS com letra",
       [](TEmpresa &e) {
         e.NU_INSS = QStringLiteral("51A");
         return e.ValidarFPAS();
       },
       "0244"},
      {"FPAS fora da tabela",
       [](TEmpresa &e) {
         e.NU_INSS = QStringLiteral("999");
         return e.ValidarFPAS();
       },
       "0244"},
      {"FPAS 868 com CNPJ",
       [](TEmpresa &e) {
         e.NU_INSS = QStringLiteral("868");
         return e.ValidarFPAS();
       },
       "0226"},
      {"Simples fora da tabela",
       [](TEmpresa &e) {
         e.NU_SIMPLES = 9;
         return e.ValidarSimples();
       },
       "0213"},
      {"FPAS 868 e Simples 2",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         e.NU_INSS = QStringLiteral("868");
         e.NU_SIMPLES = 2;
         return e.ValidarSimples();
       },
       "0123"},
      {"FPAS 868 e Simples 4: vale o último passo",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         e.NU_INSS = QStringLiteral("868");
         e.NU_SIMPLES = 4;
         return e.ValidarSimples();
       },
       "0126"},
      {"FPAS 582 e Simples 2",
       [](TEmpresa &e) {
         e.NU_INSS = QStringLiteral("582");
         e.NU_SIMPLES = 2;
         return e.ValidarSimples();
       },
       "0124"},
      {"FPAS 604, CEI e Simples 4",
       [](TEmpresa &e) {
         e.NU_TIPO_INSO_EMPRA = 2;
         e.NU_INSS = QStringLiteral("604");
         e.NU_SIMPLES = 4;
         return e.ValidarSimples();
       },
       ""},
  };
  for (const Caso &c : casos) {
    TEmpresa e;
    PreencherValida(e);
    const bool ok = c.executar(e);
    EXPECT_EQ(e.CodigoErro.isEmpty() ? e.Endereco().CodigoErro : e.CodigoErro,
              QString::fromLatin1(c.codigo))
        << c.descricao;
    EXPECT_EQ(ok, *c.codigo == '\0') << c.descricao;
  }
}

TEST_F(Reg1Estabelecimento, VerificacoesAjustamOsCampos) {
  TEmpresa e;
  PreencherValida(e);
  EXPECT_TRUE(e.ValidarDDD());
  EXPECT_EQ(e.NU_DDD, QStringLiteral("0011"));
  e.CO_ENDERECO_VIRTUAL_CONTATO = QStringLiteral("contato@loja.com.br   ");
  EXPECT_TRUE(e.ValidarEmail());
  EXPECT_EQ(e.CO_ENDERECO_VIRTUAL_CONTATO, QStringLiteral("contato@loja.com.br"));
  e.NO_RAZAO_SOCIAL = QStringLiteral("LOJA A   ");
  EXPECT_TRUE(e.ValidarRazaoSocial());
  EXPECT_EQ(e.NO_RAZAO_SOCIAL, QStringLiteral("LOJA A"));

  TResponsavel r;
  r.NO_CONTATO = QStringLiteral("MARIA 2");
  EXPECT_FALSE(r.ValidarNomeContato());
  EXPECT_EQ(r.CodigoErro, QStringLiteral("0097"));
  r.NO_CONTATO = QStringLiteral("MARIA SILVA ");
  EXPECT_TRUE(r.ValidarNomeContato());
  EXPECT_EQ(r.NO_CONTATO, QStringLiteral("MARIA SILVA"));
}

TEST_F(Reg1Estabelecimento, FpasDomesticoEVinculosDeCategoria) {
  TEmpresa e;
  PreencherValida(e, 2, CeiValido);
  e.NU_INSS = QStringLiteral("868");
  EXPECT_TRUE(e.ValidarFPAS());
  InserirVinculo(2, CeiValido, 17000000013LL, 5);
  EXPECT_FALSE(e.ValidarFPAS());
  EXPECT_EQ(e.CodigoErro, QStringLiteral("0432"));

  TEmpresa f;
  PreencherValida(f);
  InserirVinculo(1, CnpjValido, 17000000013LL, 6);
  EXPECT_FALSE(f.ValidarFPAS());
  EXPECT_EQ(f.CodigoErro, QStringLiteral("0429"));
}

TEST_F(Reg1Estabelecimento, CeiCarregadoGuardaQuatorzeDigitos) {
  TEmpresa e;
  PreencherValida(e, 2, CeiValido);
  ASSERT_TRUE(e.Incluir()) << e.CodigoErro.toStdString();
  TEmpresa lida;
  ASSERT_TRUE(lida.CarregarEmpresa(2, CeiValido));
  ASSERT_EQ(lida.QuantidadeRegistros(), 1);
  EXPECT_EQ(lida.NU_INSCRICAO, QStringLiteral("00123456789010"));
  EXPECT_EQ(lida.InscricaoFormatada(), QStringLiteral("123456789010"));
  EXPECT_EQ(lida.NU_INSS, QStringLiteral("515"));
  EXPECT_EQ(lida.Endereco().SG_UF, QStringLiteral("SP"));

  TEmpresa repetida;
  PreencherValida(repetida, 2, CeiValido);
  EXPECT_FALSE(repetida.Incluir());
  EXPECT_EQ(repetida.CodigoErro, QStringLiteral("0207"));
}

TEST_F(Reg1Estabelecimento, NomeComAspasEAcentosGravaPesquisaEExclui) {
  TEmpresa e;
  PreencherValida(e);
  e.NO_RAZAO_SOCIAL = QStringLiteral("CONFEITARIA D'ÁVILA");
  ASSERT_TRUE(e.Incluir()) << e.CodigoErro.toStdString();
  TEmpresa busca;
  busca.PesquisarPorNome(QStringLiteral("D'ÁV"));
  ASSERT_EQ(busca.QuantidadeRegistros(), 1);
  EXPECT_EQ(busca.NO_RAZAO_SOCIAL, QStringLiteral("CONFEITARIA D'ÁVILA"));
  EXPECT_TRUE(busca.LocalizarInscricao(QStringLiteral("0011222333000181")));
  e.NO_RAZAO_SOCIAL = QStringLiteral("D'ÁVILA & FILHOS");
  EXPECT_TRUE(e.Alterar());
  EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL FROM QZLTBG02_EMPRESA"),
            QStringLiteral("D'ÁVILA & FILHOS"));
  EXPECT_TRUE(e.Excluir());
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 0);
}

TEST_F(Reg1Estabelecimento, PapeisDoResponsavelEDaEmpresa) {
  const qint64 outroCnpj = 12345000165LL; // 00.012.345/0001-65
  Executar("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
           "DT_PAGAMENTO) VALUES (1, 1, '2026-12-15')");
  const auto responsaveis = [this] {
    return Contar("FROM QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA IN ('R', 'A')");
  };

  TResponsavel r;
  PreencherComum(r, 1, CnpjValido);
  r.NO_CONTATO = QStringLiteral("MARIA SILVA");
  ASSERT_TRUE(r.Gravar());
  EXPECT_EQ(Estado(1, CnpjValido), QStringLiteral("R"));
  EXPECT_EQ(Valor("SELECT NU_INSCRICAO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            QString::number(CnpjValido));

  // The responsible party registered as a company: the same row, now "A".
  TEmpresa e;
  PreencherValida(e, 1, CnpjValido);
  ASSERT_TRUE(e.Incluir()) << e.CodigoErro.toStdString();
  EXPECT_EQ(Estado(1, CnpjValido), QStringLiteral("A"));
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 1);
  EXPECT_EQ(Valor("SELECT NO_CONTATO FROM QZLTBG02_EMPRESA"), QStringLiteral("MARIA SILVA"));

  // Deleting the company leaves the plain responsible party, and says so.
  QString avisado;
  TEmpresa::AoRebaixarResponsavel = [&avisado](const QString &estado) { avisado = estado; };
  ASSERT_TRUE(e.Excluir());
  TEmpresa::AoRebaixarResponsavel = nullptr;
  EXPECT_EQ(avisado, QStringLiteral("R"));
  EXPECT_EQ(Estado(1, CnpjValido), QStringLiteral("R"));
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE NU_SIMPLES IS NULL AND NU_IBGE IS NULL AND "
                   "NU_INSS IS NULL"),
            1);

  // An existing company chosen as responsible while the old one was "R".
  TEmpresa cei;
  PreencherValida(cei, 2, CeiValido);
  ASSERT_TRUE(cei.Incluir());
  TResponsavel r2;
  PreencherComum(r2, 2, CeiValido);
  ASSERT_TRUE(r2.Gravar());
  EXPECT_EQ(Estado(1, CnpjValido), QString());
  EXPECT_EQ(Estado(2, CeiValido), QStringLiteral("A"));
  EXPECT_EQ(Valor("SELECT NU_INSCRICAO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            QString::number(CeiValido));
  EXPECT_EQ(responsaveis(), 1);

  // A new key while the old one was "A": the old row goes back to "E".
  TResponsavel r3;
  PreencherComum(r3, 1, outroCnpj);
  ASSERT_TRUE(r3.Gravar());
  EXPECT_EQ(Estado(2, CeiValido), QStringLiteral("E"));
  EXPECT_EQ(Estado(1, outroCnpj), QStringLiteral("R"));
  EXPECT_EQ(responsaveis(), 1);

  TResponsavel lido;
  lido.CarregarResponsavel();
  EXPECT_EQ(lido.InscricaoFormatada(), QStringLiteral("00012345000165"));
}

TEST_F(Reg1Estabelecimento, GravarResponsavelNaoDeixaMeioFeito) {
  TResponsavel antigo;
  PreencherComum(antigo, 2, CeiValido);
  ASSERT_TRUE(antigo.Gravar());
  // The last statement (removing the old party's row) fails.
  Executar("CREATE EXCEPTION E_TESTE_REG1 'falha de teste'");
  Executar("CREATE TRIGGER T_TESTE_REG1 FOR QZLTBG02_EMPRESA BEFORE DELETE AS BEGIN "
           "EXCEPTION E_TESTE_REG1; END");
  TResponsavel novo;
  PreencherComum(novo, 1, CnpjValido);
  novo.NO_RAZAO_SOCIAL = QStringLiteral("ESCRITORIO D'ÁVILA");
  EXPECT_FALSE(novo.Gravar());
  EXPECT_EQ(novo.CodigoErro, QStringLiteral("0144"));
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 1);
  EXPECT_EQ(Estado(2, CeiValido), QStringLiteral("R"));
}

TEST_F(Reg1Estabelecimento, AberturaInseridaOuAtualizada) {
  TResponsavel r;
  PreencherComum(r, 1, CnpjValido);
  r.DT_PAGAMENTO = QDateParaData(QDate(2026, 12, 15));
  ASSERT_TRUE(r.GravarAbertura());
  r.DT_PAGAMENTO = QDateParaData(QDate(2026, 12, 18));
  ASSERT_TRUE(r.GravarAbertura());
  EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), 1);
  EXPECT_EQ(Valor("SELECT DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            QStringLiteral("18/12/2026"));
}

TEST_F(Reg1Estabelecimento, ListasDeEmpresas) {
  TEmpresa a, b;
  PreencherValida(a, 1, CnpjValido);
  a.NO_RAZAO_SOCIAL = QStringLiteral("BETA");
  PreencherValida(b, 2, CeiValido);
  b.NO_RAZAO_SOCIAL = QStringLiteral("ALFA");
  ASSERT_TRUE(a.Incluir());
  ASSERT_TRUE(b.Incluir());
  InserirVinculo(1, CnpjValido, 17000000013LL, 1);
  Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                          "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                          "NU_SITUACAO_CONTA_EMPREGADO, VR_SALDO_RESCISORIO) VALUES (1, %1, "
                          "17000000013, 1, '2010-01-04', 1, 1234.56)")
               .arg(CnpjValido));

  TEmpresa lista;
  lista.CarregarTodas();
  ASSERT_EQ(lista.QuantidadeRegistros(), 2);
  EXPECT_EQ(lista.NO_RAZAO_SOCIAL, QStringLiteral("ALFA"));
  lista.CarregarComVinculos();
  ASSERT_EQ(lista.QuantidadeRegistros(), 1);
  EXPECT_EQ(lista.NO_RAZAO_SOCIAL, QStringLiteral("BETA"));
  ASSERT_TRUE(lista.CarregarComSaldo(false, 1, CnpjValido, 0, QStringLiteral("1, 2")));
  ASSERT_EQ(lista.QuantidadeRegistros(), 1);
  EXPECT_DOUBLE_EQ(lista.SALDO_EMPRESA, 1234.56);
  EXPECT_EQ(lista.ContarVinculosCategoria(1, 1, true, CnpjValido), 1);
  EXPECT_EQ(lista.ContarVinculosCategoria(1, 1, false, CnpjValido), 0);
}

} // namespace
