// Worker checks, the one save of worker, link, contracts, vacancy data and
// termination row, the deletion of links with their dependents, and the two
// balance refresh statements.
#include "registry/UnRescisao.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"
#include "support/BancoTeste.h"

#include <functional>

namespace {

const qint64 Cnpj = 11222333000181LL;
const char *const Pis = "17000000013";
const char *const Pis2 = "20000000013";

TDateTime Data(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}

// A worker with one category-1 link that passes the worker checks.
void Preencher(TTrabalhador &t, const char *pis = Pis, TDateTime admissao = Data(2015, 3, 2)) {
  t.CarregarAssociados = false;
  t.NU_PIS = QString::fromLatin1(pis);
  t.NO_EMPREGADO = QStringLiteral("JOSE DA SILVA");
  t.NU_GRAU_INSTRUCAO = QStringLiteral("7");
  t.NU_CTPS = QStringLiteral("0100000");
  t.NU_SERIE_CTPS = QStringLiteral("00123");
  t.IC_SEXO = 1;
  t.DT_NASCIMENTO = Data(1990, 5, 20);
  t.NU_INSCRICAO_CPF = QStringLiteral("52998224725");
  TVinculo &v = t.Vinculo();
  v.NU_TIPO_INSO_EMPRA = 1;
  v.NU_INSCRICAO = Cnpj;
  v.NU_CATEGORIA = 1;
  v.DT_ADMISSAO_VINCULO = admissao;
  v.DT_OPCAO = admissao;
  v.CO_MOVIMENTACAO = QStringLiteral("I1");
  v.CO_CBO = QStringLiteral("411010");
  v.CO_SAQUE = QStringLiteral("01");
  v.DT_MOVIMENTACAO_VINCULO = Data(2026, 10, 30);
  v.IC_AVISO_PREVIO = 2;
  v.QT_HORAS_TRBS_SMNA = 44;
  v.IC_REPOSICAO_VAGAS = QStringLiteral("N");
  TRescisao &r = v.Rescisao();
  r.IC_TIPO_PNSO_ALMNA = QStringLiteral("N");
  r.IC_ORIGEM_SALDO_RESCISORIO = QStringLiteral("N");
  r.VR_REMUNERACAO_RESCISAO = 3500.25;
}

class Reg1Trabalhador : public BancoTeste {
protected:
  void TearDown() override {
    TTrabalhador::DefinirListaConsignacoes({});
    BancoTeste::TearDown();
  }
  int LinhasDoPis(const char *tabela, const char *pis = Pis) {
    return Contar(
        QStringLiteral("FROM %1 WHERE NU_PIS = %2").arg(QLatin1String(tabela), QLatin1String(pis)));
  }
};

struct Caso {
  const char *descricao;
  std::function<bool(TTrabalhador &)> executar;
  const char *codigo;
};

TEST_F(Reg1Trabalhador, CadaCodigoDeVerificacao) {
  const auto pis = [](const char *v) {
    return [v](TTrabalhador &t) {
      t.NU_PIS = QString::fromLatin1(v);
      return t.ValidarPIS();
    };
  };
  const auto ctps = [](int categoria, const char *v) {
    return [categoria, v](TTrabalhador &t) {
      t.Vinculo().NU_CATEGORIA = static_cast<qint8>(categoria);
      t.NU_CTPS = QString::fromLatin1(v);
      return t.ValidarCTPS(true);
    };
  };
  const auto serie = [](int categoria, const char *v, bool exigir) {
    return [categoria, v, exigir](TTrabalhador &t) {
      t.Vinculo().NU_CATEGORIA = static_cast<qint8>(categoria);
      t.NU_SERIE_CTPS = QString::fromLatin1(v);
      return t.ValidarSerieCTPS(exigir);
    };
  };
  const auto celular = [](int ddd, int numero) {
    return [ddd, numero](TTrabalhador &t) {
      t.NU_DDD_CELULAR = ddd;
      t.NU_TEL_CELULAR = numero;
      return t.ValidarCelular();
    };
  };
  const std::vector<Caso> casos = {
      {"PIS começando por 1", pis(Pis), ""},
      {"PIS começando por 2", pis(Pis2), ""},
      {"PIS de dígitos iguais", pis("11111111111"), "0109"},
      {"PIS 12345678900", pis("12345678900"), "0109"},
      {"PIS de dez dígitos", pis("1700000001"), "0109"},
      {"PIS acima de 2999999999", pis("30000000010"), "0109"},
      {"PIS com dígito errado", pis("17000000014"), "0109"},
      {"CPF vazio",
       [](TTrabalhador &t) {
         t.NU_INSCRICAO_CPF = QStringLiteral(" ");
         return t.ValidarCPF();
       },
       ""},
      {"CPF errado",
       [](TTrabalhador &t) {
         t.NU_INSCRICAO_CPF = QStringLiteral("52998224724");
         return t.ValidarCPF();
       },
       "0038"},
      {"CPF válido", [](TTrabalhador &t) { return t.ValidarCPF(); }, ""},
      {"nome com dígito",
       [](TTrabalhador &t) {
         t.NO_EMPREGADO = QStringLiteral("JOSE 2");
         return t.ValidarNome();
       },
       "0093"},
      {"nome acentuado",
       [](TTrabalhador &t) {
         t.NO_EMPREGADO = QStringLiteral("JOSÉ");
         return t.ValidarNome();
       },
       "0093"},
      {"grau vazio",
       [](TTrabalhador &t) {
         t.NU_GRAU_INSTRUCAO.clear();
         return t.ValidarGrauInstrucao();
       },
       "0071"},
      {"grau inexistente",
       [](TTrabalhador &t) {
         t.NU_GRAU_INSTRUCAO = QStringLiteral("99");
         return t.ValidarGrauInstrucao();
       },
       "0072"},
      {"grau válido", [](TTrabalhador &t) { return t.ValidarGrauInstrucao(); }, ""},
      {"sexo 0",
       [](TTrabalhador &t) {
         t.IC_SEXO = 0;
         return t.ValidarSexo();
       },
       "0121"},
      {"sexo 3",
       [](TTrabalhador &t) {
         t.IC_SEXO = 3;
         return t.ValidarSexo();
       },
       "0122"},
      {"sem nascimento",
       [](TTrabalhador &t) {
         t.DT_NASCIMENTO = NullDate;
         return t.ValidarDataNascimento();
       },
       "0329"},
      {"nascimento não é data",
       [](TTrabalhador &t) {
         t.DT_NASCIMENTO = DataNaoValida;
         return t.ValidarDataNascimento();
       },
       "0055"},
      {"nascimento antes de 1900",
       [](TTrabalhador &t) {
         t.DT_NASCIMENTO = Data(1899, 12, 31);
         return t.ValidarDataNascimento();
       },
       "0053"},
      {"categoria 5 sem CTPS", ctps(5, ""), ""},
      {"categoria 5 com CTPS", ctps(5, "1234567"), "0100"},
      {"CTPS vazia", ctps(1, ""), "0098"},
      {"CTPS de um dígito", ctps(1, "7"), "0099"},
      {"CTPS 000000", ctps(1, "000000"), "0099"},
      {"CTPS 0100000", ctps(1, "0100000"), ""},
      {"CTPS com letra", ctps(1, "1A"), "0099"},
      {"série na categoria 5", serie(5, "123", true), "0120"},
      {"série vazia", serie(1, "", false), "0118"},
      {"série zero exigida", serie(1, "00000", true), "0118"},
      {"série repetida", serie(1, "00000", false), "0119"},
      {"série com letra", serie(1, "12A", false), "0119"},
      {"série 01234", serie(1, "01234", true), ""},
      {"celular sem número", celular(11, 0), "0502"},
      {"número sem DDD", celular(0, 987654321), "0502"},
      {"celular negativo", celular(-11, 987654321), "0502"},
      {"celular curto", celular(11, 9876543), "0502"},
      {"sem celular", celular(0, 0), ""},
      {"celular completo", celular(11, 987654321), ""},
  };
  for (const Caso &c : casos) {
    TTrabalhador t;
    Preencher(t);
    const bool ok = c.executar(t);
    EXPECT_EQ(t.CodigoErro, QString::fromLatin1(c.codigo)) << c.descricao;
    EXPECT_EQ(ok, *c.codigo == '\0') << c.descricao;
  }
}

TEST_F(Reg1Trabalhador, GravaTudoDeUmaVez) {
  TTrabalhador::DefinirListaConsignacoes({{"Instituição", "Contrato", "Data"},
                                          {"00788", "CT-1", "10/01/2025"},
                                          {"00788", "CT-2", "11/02/2025"}});
  TTrabalhador t;
  Preencher(t);
  TVinculo &v = t.Vinculo();
  v.IC_CONSIGNADO = QStringLiteral("S");
  v.IC_REPOSICAO_VAGAS = QStringLiteral("S");
  v.IC_VAGA_PNE = QStringLiteral("N");
  v.IC_APP_EN_VORDA = QStringLiteral("S");
  v.CO_CBO_REPOSICAO = QStringLiteral("411010");
  v.NU_DDD_TEL_RCTDOR = 11;
  v.NU_TEL_RCTDOR = 33334444;
  v.END_EMAIL = QStringLiteral("rh@loja.com.br");
  ASSERT_TRUE(t.Incluir()) << t.CodigoErro.toStdString();
  EXPECT_FALSE(IbxUtils->EmTransacao());

  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 1);
  EXPECT_EQ(LinhasDoPis("QZLTBG04_VINCULO_EMPREGATICIO"), 1);
  EXPECT_EQ(LinhasDoPis("QZLTBG22_EMPREGADO_CNSGTRA"), 2);
  EXPECT_EQ(LinhasDoPis("QZLTBG30_REPOSICAO_VAGA"), 1);
  EXPECT_EQ(LinhasDoPis("QZLTBG06_INFORMACAO_RESCISAO"), 1);
  EXPECT_EQ(Valor("SELECT IC_REPOSICAO_VAGAS FROM QZLTBG04_VINCULO_EMPREGATICIO"),
            QStringLiteral("N"));
  EXPECT_EQ(Valor("SELECT DT_NU_CONTRATO FROM QZLTBG22_EMPREGADO_CNSGTRA WHERE NU_CONTRATO = "
                  "'CT-2'"),
            QStringLiteral("11/02/2025"));
  EXPECT_EQ(Valor("SELECT VR_REMUNERACAO_RESCISAO FROM QZLTBG06_INFORMACAO_RESCISAO"),
            QStringLiteral("3500,25"));

  // Loaded back through the worker-and-link query.
  TTrabalhador lido;
  ASSERT_TRUE(lido.CarregarPorVinculo(1, QString::number(Cnpj), Data(2015, 3, 2), 1,
                                      QString::fromLatin1(Pis)));
  EXPECT_EQ(lido.NO_EMPREGADO, QStringLiteral("JOSE DA SILVA"));
  EXPECT_EQ(lido.NU_CTPS, QStringLiteral("100000"));
  EXPECT_EQ(lido.Vinculo().END_EMAIL, QStringLiteral("rh@loja.com.br"));
  EXPECT_EQ(lido.Vinculo().IC_CONSIGNADO, QStringLiteral("S"));
  TDataSetPtr contratos = lido.ConsultarConsignacoes(1, QString::number(Cnpj), Data(2015, 3, 2), 1,
                                                     QString::fromLatin1(Pis));
  EXPECT_EQ(contratos->RecordCount(), 2);
  Executar(QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                          "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (1, %1, 'LOJA', 'E')")
               .arg(Cnpj));
  lido.CarregarComRescisao(QStringLiteral("1"), QString::number(Cnpj));
  ASSERT_EQ(lido.QuantidadeRegistros(), 1);
  EXPECT_EQ(lido.Campo(QStringLiteral("NO_RAZAO_SOCIAL")).AsString(), QStringLiteral("LOJA"));

  // The same key again writes nothing.
  TTrabalhador repetido;
  Preencher(repetido);
  EXPECT_FALSE(repetido.Incluir());
  EXPECT_EQ(repetido.CodigoErro, QStringLiteral("0208"));

  // Saving again with no vacancy and three other contracts.
  TTrabalhador::DefinirListaConsignacoes({{"Instituição", "Contrato", "Data"},
                                          {"00788", "A1", "01/03/2025"},
                                          {"00788", "A2", "02/03/2025"},
                                          {"00788", "A3", "03/03/2025"}});
  v.IC_REPOSICAO_VAGAS = QStringLiteral("N");
  ASSERT_TRUE(t.Alterar(false));
  EXPECT_EQ(LinhasDoPis("QZLTBG30_REPOSICAO_VAGA"), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG22_EMPREGADO_CNSGTRA WHERE NU_CONTRATO IN ('A1', "
                                  "'A2', 'A3')")),
            3);
  EXPECT_EQ(LinhasDoPis("QZLTBG22_EMPREGADO_CNSGTRA"), 3);
}

TEST_F(Reg1Trabalhador, FalhaNoUltimoPassoNaoDeixaNada) {
  // A termination row already stored for the key makes the last insert fail.
  Executar(QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, "
                          "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, %1, "
                          "%2, 1, '2015-03-02')")
               .arg(Cnpj)
               .arg(QLatin1String(Pis)));
  TTrabalhador::DefinirListaConsignacoes({{"Instituição", "Contrato", "Data"},
                                          {"00788", "CT-1", "10/01/2025"},
                                          {"00788", "CT-2", "11/02/2025"}});
  TTrabalhador t;
  Preencher(t);
  t.Vinculo().IC_CONSIGNADO = QStringLiteral("S");
  t.Vinculo().IC_REPOSICAO_VAGAS = QStringLiteral("S");
  EXPECT_THROW(t.Incluir(), EBancoDados);
  EXPECT_EQ(t.CodigoErro, QStringLiteral("0144"));
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 0);
  EXPECT_EQ(LinhasDoPis("QZLTBG04_VINCULO_EMPREGATICIO"), 0);
  EXPECT_EQ(LinhasDoPis("QZLTBG22_EMPREGADO_CNSGTRA"), 0);
  EXPECT_EQ(LinhasDoPis("QZLTBG30_REPOSICAO_VAGA"), 0);
}

TEST_F(Reg1Trabalhador, ExclusaoLevaOsDependentes) {
  TTrabalhador a, b;
  Preencher(a, Pis, Data(2015, 3, 2));
  Preencher(b, Pis, Data(2018, 7, 9));
  ASSERT_TRUE(a.Incluir());
  ASSERT_TRUE(b.Incluir()); // second link of the same worker: the worker row is updated
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 1);
  const QString chave =
      QStringLiteral("1, %1, %2, 1, '2015-03-02'").arg(Cnpj).arg(QLatin1String(Pis));
  const QString colunas =
      QStringLiteral("NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO");
  Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (%1) VALUES (%2)")
               .arg(colunas, chave));
  Executar(QStringLiteral("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (%1, NU_TIPO_ALTERACAO) "
                          "VALUES (%2, 406)")
               .arg(colunas, chave));
  Executar(QStringLiteral("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (%1, NU_COMPLEMENTO, "
                          "AA_COMPETENCIA, MM_COMPETENCIA) VALUES (%2, 1, 2026, 9)")
               .arg(colunas, chave));

  // One of two links: the worker stays.
  ASSERT_TRUE(a.ExcluirVinculos(false));
  EXPECT_EQ(LinhasDoPis("QZLTBG04_VINCULO_EMPREGATICIO"), 1);
  for (const char *tabela : {"QZLTBG10_CONTA_EMPREGADO_ZELT", "QZLTBG05_ALTERACAO_CADASTRAL",
                             "QZLTBG07_COMPLEMENTO_SALDO"})
    EXPECT_EQ(LinhasDoPis(tabela), 0) << tabela;
  EXPECT_EQ(LinhasDoPis("QZLTBG06_INFORMACAO_RESCISAO"), 1);
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 1);

  // The last link: the worker goes with it.
  ASSERT_TRUE(b.ExcluirVinculos(false));
  EXPECT_EQ(LinhasDoPis("QZLTBG06_INFORMACAO_RESCISAO"), 0);
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 0);
}

TEST_F(Reg1Trabalhador, ExclusaoDaEmpresaInteira) {
  TTrabalhador a, b, outro;
  Preencher(a, Pis);
  Preencher(b, Pis2);
  Preencher(outro, Pis2, Data(2019, 1, 7));
  outro.Vinculo().NU_INSCRICAO = 12345000165LL;
  ASSERT_TRUE(a.Incluir());
  ASSERT_TRUE(b.Incluir());
  ASSERT_TRUE(outro.Incluir());
  ASSERT_TRUE(a.ExcluirVinculos(true));
  EXPECT_EQ(
      Contar(
          QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = %1").arg(Cnpj)),
      0);
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_INSCRICAO = %1").arg(Cnpj)),
      0);
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO", Pis), 0);
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO", Pis2), 1); // still linked elsewhere
}

TEST_F(Reg1Trabalhador, NomeComAspasEAcentos) {
  TTrabalhador t;
  Preencher(t);
  t.NO_EMPREGADO = QStringLiteral("JOÃO D'ÁVILA");
  ASSERT_TRUE(t.Incluir());
  TTrabalhador busca;
  busca.PesquisarPorNome(QStringLiteral("D'ÁVI"));
  ASSERT_EQ(busca.QuantidadeRegistros(), 1);
  EXPECT_EQ(busca.NO_EMPREGADO, QStringLiteral("JOÃO D'ÁVILA"));
  QString nome;
  busca.NomeDoPIS(QString::fromLatin1(Pis), nome);
  EXPECT_EQ(nome, QStringLiteral("JOÃO D'ÁVILA"));
  t.NO_EMPREGADO = QStringLiteral("JOÃO D'ÁVILA NETO");
  ASSERT_TRUE(t.Alterar(true));
  EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO"),
            QStringLiteral("JOÃO D'ÁVILA NETO"));
  ASSERT_TRUE(t.ExcluirVinculos(false));
  EXPECT_EQ(LinhasDoPis("QZLTBG03_EMPREGADO"), 0);
}

TEST_F(Reg1Trabalhador, CategoriaSemCarteiraEsvaziaOsCamposAoCarregar) {
  TTrabalhador t;
  Preencher(t);
  t.Vinculo().NU_CATEGORIA = 5;
  ASSERT_TRUE(t.Incluir());
  Executar("UPDATE QZLTBG03_EMPREGADO SET NU_CTPS = 1234567, NU_SERIE_CTPS = 123");
  TTrabalhador lido;
  ASSERT_TRUE(lido.CarregarPorPIS(QString::fromLatin1(Pis)));
  EXPECT_EQ(lido.Vinculo().NU_CATEGORIA, 5);
  EXPECT_TRUE(lido.NU_CTPS.isEmpty());
  EXPECT_TRUE(lido.NU_SERIE_CTPS.isEmpty());
}

TEST_F(Reg1Trabalhador, SaldosVemDasContasEPreservamOInformadoPeloEmpregador) {
  TTrabalhador comConta, informado;
  Preencher(comConta, Pis);
  Preencher(informado, Pis2);
  informado.Vinculo().Rescisao().IC_ORIGEM_SALDO_RESCISORIO = QStringLiteral("E");
  informado.Vinculo().Rescisao().VR_SALDO_RESCISORIO = 800.10;
  ASSERT_TRUE(comConta.Incluir());
  ASSERT_TRUE(informado.Incluir());
  Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                          "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                          "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO) VALUES (1, %1, %2, 1, "
                          "'2015-03-02', 1, 1500.50)")
               .arg(Cnpj)
               .arg(QLatin1String(Pis)));
  TTrabalhador t;
  ASSERT_TRUE(t.AtualizarSaldosRescisorios());
  const auto saldo = [this](const char *pis) {
    return Valor(QStringLiteral("SELECT VR_SALDO_RESCISORIO || '/' || IC_ORIGEM_SALDO_RESCISORIO "
                                "FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1")
                     .arg(QLatin1String(pis)));
  };
  EXPECT_EQ(saldo(Pis), QStringLiteral("1500.50/C"));
  EXPECT_EQ(saldo(Pis2), QStringLiteral("800.10/E"));

  EXPECT_FALSE(t.AtualizarSaldoRescisorio(1, 1, NullDate, 17000000013LL, Cnpj));
  Executar("UPDATE QZLTBG10_CONTA_EMPREGADO_ZELT SET NU_SITUACAO_PIS = 2");
  ASSERT_TRUE(t.AtualizarSaldoRescisorio(1, 1, Data(2015, 3, 2), 17000000013LL, Cnpj));
  EXPECT_EQ(saldo(Pis), QStringLiteral("0.00/C"));
  ASSERT_TRUE(t.AtualizarSaldoRescisorio(1, 1, Data(2015, 3, 2), 20000000013LL, Cnpj));
  EXPECT_EQ(saldo(Pis2), QStringLiteral("800.10/E"));
  // Accounts gone: the bank's balance and its interest are cleared.
  Executar("DELETE FROM QZLTBG10_CONTA_EMPREGADO_ZELT");
  Executar("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = 5");
  ASSERT_TRUE(t.AtualizarSaldoRescisorio(1, 1, Data(2015, 3, 2), 17000000013LL, Cnpj));
  EXPECT_EQ(saldo(Pis), QStringLiteral("0.00/N"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1 AND "
                                  "VR_JAM_SALDO_RESCISORIO = 0")
                       .arg(QLatin1String(Pis))),
            1);
}

} // namespace
