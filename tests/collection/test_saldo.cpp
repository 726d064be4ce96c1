// Worker balance accounts and balance complements.
#include "CalculoTeste.h"

#include "collection/UnTComplementoSaldo.h"
#include "collection/unMovimento.h"
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unInicializacao.h"
#include "registry/unTrabalhador.h"

class ContaSaldoTeste : public CalculoTeste {
protected:
  void Conta(qint64 pis, qint64 conta, double saldo, int situacao = 0, int estadoVinculo = 1) {
    if (Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = %1").arg(pis)) ==
        0) {
      TCasoVinculo c;
      c.Pis = pis;
      c.Movimentacao = QDate(2023, 5, 15);
      c.Estado = estadoVinculo;
      Inserir(c);
    }
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                 "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_SITUACAO_CONTA_EMPREGADO, "
                 "NU_SITUACAO_PIS, NU_EMPREGADO_VORDA, VR_SALDO_RESCISORIO, "
                 "NU_SITUACAO_CONTA_EMPRESA) VALUES (1, 11222333000181, %1, 1, '2000-01-03', %2, "
                 "1, %3, %4, 0)")
                 .arg(pis)
                 .arg(situacao)
                 .arg(conta)
                 .arg(V(saldo)));
  }
  int Contas(qint64 pis) {
    return Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_PIS = %1").arg(pis));
  }
};

// ------------------------------------------------------------------ accounts

TEST_F(ContaSaldoTeste, ExcluirUmaContaSoApagaAquelaConta) {
  Conta(11111111111, 1, 100);
  Conta(11111111111, 2, 200);
  Conta(22222222222, 3, 300);
  TContaSaldoTrabalhador conta;
  conta.DefinirChave(1, 11222333000181, 11111111111, 1, D(2000, 1, 3));
  conta.NU_EMPREGADO_VORDA = 1;
  ASSERT_TRUE(conta.Excluir(false, true, true));
  EXPECT_EQ(Contas(11111111111), 1);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_EMPREGADO_VORDA "
                                  "= 2")),
            1);
  EXPECT_EQ(Contas(22222222222), 1);
}

TEST_F(ContaSaldoTeste, ExcluirEmpresaPoupaVinculosFechados) {
  Conta(11111111111, 1, 100, 0, 1);
  Conta(22222222222, 2, 200, 0, 2);
  Conta(33333333333, 3, 300, 0, 3);
  TContaSaldoTrabalhador conta;
  conta.DefinirChave(1, 11222333000181, 0, 0, NullDate);
  ASSERT_TRUE(conta.Excluir(true, false, true));
  EXPECT_EQ(Contas(11111111111), 0);
  EXPECT_EQ(Contas(22222222222), 1);
  EXPECT_EQ(Contas(33333333333), 1);
  // Without the guard every account of the employer goes.
  ASSERT_TRUE(conta.Excluir(true, false, false));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT")), 0);
}

TEST_F(ContaSaldoTeste, CargasIgnoramContaExcluidaMasASomaNao) {
  Conta(11111111111, 1, 100, 3);
  TContaSaldoTrabalhador conta;
  conta.DefinirChave(1, 11222333000181, 11111111111, 1, D(2000, 1, 3));
  ASSERT_TRUE(conta.CarregarPorVinculo());
  EXPECT_EQ(conta.QuantidadeRegistros(), 0);
  ASSERT_TRUE(conta.CarregarPorPis(11111111111));
  EXPECT_EQ(conta.QuantidadeRegistros(), 0);
  ASSERT_TRUE(conta.CarregarPorEstado({0, 1}, true));
  EXPECT_EQ(conta.QuantidadeRegistros(), 0);
  ASSERT_TRUE(conta.CarregarPorVinculo({3}));
  EXPECT_EQ(conta.QuantidadeRegistros(), 1);
  EXPECT_DOUBLE_EQ(conta.SomaSaldo(), 100);
  EXPECT_TRUE(conta.ExisteSaldo());
  EXPECT_FALSE(conta.ExisteSaldoPis2());
}

TEST_F(ContaSaldoTeste, CarregarPorEstadoELocalizar) {
  Conta(11111111111, 1, 100, 0, 1);
  Conta(11111111111, 5, 50, 0, 1);
  Conta(22222222222, 2, 200, 0, 2);
  TContaSaldoTrabalhador conta;
  conta.DefinirChave(1, 11222333000181, 0, 0, NullDate);
  ASSERT_TRUE(conta.CarregarPorEstado({1}, true, {5, 2}));
  EXPECT_EQ(conta.QuantidadeRegistros(), 1);
  EXPECT_EQ(conta.NU_EMPREGADO_VORDA, 5);
  ASSERT_TRUE(conta.CarregarPorEmpresa(QStringLiteral("CTAEPR.NU_EMPREGADO_VORDA DESC")));
  EXPECT_EQ(conta.QuantidadeRegistros(), 3);
  EXPECT_TRUE(conta.Localizar(1, 11222333000181, 1, D(2000, 1, 3), 11111111111, 1));
  EXPECT_DOUBLE_EQ(conta.VR_SALDO_RESCISORIO, 100);
  EXPECT_FALSE(conta.Localizar(1, 11222333000181, 1, D(2000, 1, 3), 11111111111, 9));
}

TEST_F(ContaSaldoTeste, IncluirGravaAsDezesseisColunasEAtualizaOSaldo) {
  TCasoVinculo c;
  c.Movimentacao = QDate(2023, 5, 15);
  Inserir(c);
  Executar(QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES "
                          "(12345678901, 'MARIA DA SILVA')"));
  TContaSaldoTrabalhador conta;
  conta.DefinirChave(1, 11222333000181, 12345678901, 1, D(2000, 1, 3));
  conta.NU_SITUACAO_PIS = 1;
  conta.NU_EMPREGADO_VORDA = 987654321;
  conta.VR_SALDO_RESCISORIO = 1234.56;
  conta.AA_MAIOR_COMPETENCIA = 2023;
  conta.MM_MAIOR_COMPETENCIA = 4;
  conta.DT_CREDITO_JUROS = D(2023, 4, 10);
  ASSERT_TRUE(conta.Incluir(true));
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_EMPREGADO FROM QZLTBG10_CONTA_EMPREGADO_ZELT")),
            QStringLiteral("MARIA DA SILVA"));
  TContaSaldoTrabalhador lida;
  lida.DefinirChave(1, 11222333000181, 12345678901, 1, D(2000, 1, 3));
  ASSERT_TRUE(lida.CarregarPorVinculo());
  EXPECT_EQ(lida.AA_MAIOR_COMPETENCIA, 2023);
  EXPECT_EQ(lida.DT_CREDITO_JUROS, D(2023, 4, 10));
  EXPECT_DOUBLE_EQ(lida.VR_SALDO_RESCISORIO, 1234.56);
  EXPECT_EQ(lida.Trabalhador().NO_EMPREGADO, QStringLiteral("MARIA DA SILVA"));
  EXPECT_EQ(lida.Vinculo().DT_MOVIMENTACAO_VINCULO, D(2023, 5, 15));
  // The link's termination balance now comes from the bank's accounts.
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ORIGEM_SALDO_RESCISORIO FROM "
                                 "QZLTBG06_INFORMACAO_RESCISAO")),
            QStringLiteral("C"));
}

TEST_F(ContaSaldoTeste, VerificacoesDaLinhaDoArquivoDeSaldo) {
  TContaSaldoTrabalhador c;
  auto codigo = [&](auto verificacao) {
    (c.*verificacao)();
    return c.CodigoErro;
  };
  c.NU_SITUACAO_CONTA_EMPREGADO = 4;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarSituacaoConta), QStringLiteral("0216"));
  c.NU_SITUACAO_CONTA_EMPREGADO = 3;
  c.NU_EMPREGADO_VORDA = 5;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarContaExcluida), QStringLiteral("0282"));
  c.VR_SALDO_RESCISORIO = 1;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarSaldoContaInativa), QStringLiteral("0379"));
  c.NU_SITUACAO_PIS = 1;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarSituacaoPis), QStringLiteral("0345"));
  c.MM_MAIOR_COMPETENCIA = 13;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarMaiorCompetencia), QStringLiteral("0286"));
  c.NU_SITUACAO_CONTA_EMPREGADO = 0;
  c.NU_SITUACAO_PIS = 3;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarSituacaoPis), QStringLiteral("0285"));
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarMaiorCompetencia), QStringLiteral("0034"));
  c.AA_MAIOR_COMPETENCIA = 1966; // the later failure overwrites the month's code
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarMaiorCompetencia), QStringLiteral("0102"));
  c.MM_MAIOR_COMPETENCIA = 12;
  c.AA_MAIOR_COMPETENCIA = 2023;
  EXPECT_TRUE(c.ValidarMaiorCompetencia());
  c.DT_CREDITO_JUROS = D(1966, 12, 31);
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarDataCreditoJuros), QStringLiteral("0369"));
  c.NU_SITUACAO_CONTA_EMPRESA = 1;
  EXPECT_EQ(codigo(&TContaSaldoTrabalhador::ValidarDataCreditoJuros), QStringLiteral("0346"));
  c.DT_CREDITO_JUROS = NullDate;
  EXPECT_TRUE(c.ValidarDataCreditoJuros());
}

// --------------------------------------------------------------- complements

class ComplementoTeste : public CalculoTeste {
protected:
  void SetUp() override {
    CalculoTeste::SetUp();
    c.Movimentacao = QDate(2023, 5, 15);
    c.Opcao = QDate(1980, 1, 2);
    c.Admissao = QDate(1980, 1, 2);
    Inserir(c);
    // The loaded index tables are of the edition 04/2023.
    Prorata(QDate(2023, 4, 1), QDate(2023, 5, 2), 1, 1, 1);
    CarregarDataEditalProrata();
  }
  std::unique_ptr<TComplementoSaldo> Novo(const QString &numero, int ano, int mes,
                                          double remuneracao) {
    auto cs = std::make_unique<TComplementoSaldo>();
    cs->DefinirChave(c.Tipo, c.Inscricao, c.Pis, c.Categoria, QDateParaData(c.Admissao));
    cs->NU_COMPLEMENTO = numero;
    cs->AA_COMPETENCIA = QString::number(ano);
    cs->MM_COMPETENCIA = QString::number(mes);
    cs->VR_REMUNERACAO = remuneracao;
    return cs;
  }
  double Total() {
    return IbxUtils
        ->AbrirConsulta(
            QStringLiteral("SELECT VR_DEPOSITO_CMPLO_SALDO FROM QZLTBG06_INFORMACAO_RESCISAO"))
        ->Fields(0)
        .AsFloat();
  }
  TCasoVinculo c;
};

TEST_F(ComplementoTeste, RetiradaDepoisDeNovoIndiceRecalculaOComplemento) {
  // 01/2023 under the first table: 80.00 plus 80.00 x 0.0125 = 81.00.
  Simplificado(QDate(2023, 4, 1), QDate(2023, 1, 1), 0.0125);
  auto b = Novo(QStringLiteral("1"), 2023, 1, 1000);
  ASSERT_TRUE(b->Incluir()) << b->CodigoErro.toStdString();
  b->AtualizarTotal();
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2");
  const QString deposito = QStringLiteral("SELECT VR_DEPOSITO FROM QZLTBG07_COMPLEMENTO_SALDO");

  // A new table reaches only open links: the closed run keeps what it sent.
  Executar("UPDATE QZLTBT17_INDICE_SIMPLIFICADO SET IN_JAM_OPCAO_MAIOR_0971 = 0.025");
  TComplementoSaldo abertos;
  EXPECT_TRUE(abertos.RecalcularAbertos());
  EXPECT_DOUBLE_EQ(Valor(deposito).toDouble(), 81.00);

  // Withdrawn, the link is open again and follows the table loaded now.
  TMovimento m;
  const TResultadoMarcacao r = m.Retirar(TEscopoMovimento::DoVinculo(
      {c.Tipo, c.Inscricao, c.Pis, c.Categoria, QDateParaData(c.Admissao)}));
  EXPECT_TRUE(r.Codigo.isEmpty()) << r.Codigo.toStdString();
  EXPECT_EQ(Valor("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO"), "0");
  EXPECT_DOUBLE_EQ(Valor(deposito).toDouble(), 82.00);
  EXPECT_DOUBLE_EQ(Total(), 82.00);
}

TEST_F(ComplementoTeste, DepositoAntigoConvertidoComJam) {
  // 03/1985: D = 98765.43, converted 98.76, 0.09, 0.00, 0.00; the JAM factor
  // multiplies the unconverted deposit, so the result is the JAM alone.
  Simplificado(QDate(2023, 4, 1), QDate(1985, 3, 1), 0.5);
  auto cs = Novo(QStringLiteral("1"), 1985, 3, 1234567.89);
  EXPECT_DOUBLE_EQ(cs->CalcularDeposito(), 49382.71);
  ASSERT_TRUE(cs->Incluir()) << cs->CodigoErro.toStdString();
  EXPECT_DOUBLE_EQ(
      IbxUtils->AbrirConsulta(QStringLiteral("SELECT VR_DEPOSITO FROM QZLTBG07_COMPLEMENTO_SALDO"))
          ->Fields(0)
          .AsFloat(),
      49382.71);
}

TEST_F(ComplementoTeste, SemFatorDeJamNaoGrava) {
  auto cs = Novo(QStringLiteral("1"), 1985, 3, 1234567.89);
  EXPECT_FALSE(cs->Incluir());
  EXPECT_EQ(cs->CodigoErro, QStringLiteral("0372"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO")), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = 372")),
            1);
}

TEST_F(ComplementoTeste, MesRecenteSemJamETotalNaRescisao) {
  // 04/2023 is not yet due at the edition 04/2023: no JAM, no factor needed.
  auto a = Novo(QStringLiteral("1"), 2023, 4, 1234.56);
  ASSERT_TRUE(a->Incluir());
  EXPECT_DOUBLE_EQ(a->VR_DEPOSITO, 98.76);
  // 01/2023 is: deposit 80.00 plus T2(80.00 x 0.0125) = 1.00.
  Simplificado(QDate(2023, 4, 1), QDate(2023, 1, 1), 0.0125);
  auto b = Novo(QStringLiteral("2"), 2023, 1, 1000);
  ASSERT_TRUE(b->Incluir());
  EXPECT_DOUBLE_EQ(b->VR_DEPOSITO, 81.00);
  a->AtualizarTotal();
  EXPECT_DOUBLE_EQ(Total(), 179.76);

  TComplementoSaldo lido;
  lido.DefinirChave(c.Tipo, c.Inscricao, c.Pis, c.Categoria, QDateParaData(c.Admissao));
  ASSERT_TRUE(lido.CarregarPorVinculo());
  ASSERT_EQ(lido.QuantidadeRegistros(), 2);
  EXPECT_EQ(lido.NU_COMPLEMENTO, QStringLiteral("1"));
  EXPECT_EQ(lido.AA_COMPETENCIA, QStringLiteral("2023"));
  EXPECT_TRUE(lido.PossuiComplemento());

  // A new index table changes the factor: the open links are recomputed.
  Executar(QStringLiteral("UPDATE QZLTBT17_INDICE_SIMPLIFICADO SET IN_JAM_OPCAO_MAIOR_0971 = "
                          "0.025"));
  TComplementoSaldo todos;
  EXPECT_TRUE(todos.RecalcularAbertos());
  todos.AtualizarTotais();
  EXPECT_DOUBLE_EQ(Total(), 180.76);

  b->Excluir(false, true);
  EXPECT_DOUBLE_EQ(Total(), 98.76);
  b->Excluir(true, true);
  EXPECT_FALSE(lido.PossuiComplemento());
  EXPECT_TRUE(lido.CarregarPorVinculo()); // a link without complements: one empty row
  EXPECT_EQ(lido.QuantidadeRegistros(), 1);
  EXPECT_TRUE(lido.NU_COMPLEMENTO.isEmpty());
}

TEST_F(ComplementoTeste, Verificacoes) {
  struct {
    int Ano, Mes;
    double Remuneracao;
    bool PermiteVazio;
    const char *Competencia, *Remun;
  } casos[] = {
      {0, 0, 0, true, "", ""},           {0, 0, 10, true, "", "0355"},
      {2023, 0, 10, false, "0034", ""},  {2023, 13, 10, false, "0034", ""},
      {1966, 12, 10, false, "0102", ""}, {1979, 12, 10, false, "0395", ""},
      {2023, 5, 10, false, "", ""},      {2023, 6, 10, false, "0411", ""},
      {2023, 5, 0, false, "", "0356"},
  };
  for (const auto &k : casos) {
    SCOPED_TRACE(QStringLiteral("%1/%2").arg(k.Mes).arg(k.Ano).toStdString());
    auto cs = Novo(QStringLiteral("1"), k.Ano, k.Mes, k.Remuneracao);
    cs->ValidarCompetencia(k.PermiteVazio);
    EXPECT_EQ(cs->CodigoErro, QString::fromLatin1(k.Competencia));
    cs->ValidarRemuneracao();
    EXPECT_EQ(cs->CodigoErro, QString::fromLatin1(k.Remun));
  }
  auto cs = Novo(QStringLiteral("1"), 2023, 5, 10);
  cs->AA_COMPETENCIA = QStringLiteral("023");
  EXPECT_FALSE(cs->ValidarCompetencia(false));
  EXPECT_EQ(cs->CodigoErro, QStringLiteral("0034"));
  EXPECT_TRUE(cs->ValidarComplementoPermitido());
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET CO_MOVIMENTACAO = 'I3'"));
  auto i3 = Novo(QStringLiteral("1"), 2023, 5, 10);
  EXPECT_FALSE(i3->ValidarComplementoPermitido());
  EXPECT_EQ(i3->CodigoErro, QStringLiteral("0710"));
}
