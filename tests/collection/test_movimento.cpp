// The collection run: opening dates, the participation checks, marking at the
// three levels, unmarking, withdrawal and the simulation.
#include "collection/MovimentoTeste.h"

#include "collection/unTCalculo.h"
#include "registry/unVinculo.h"

#include <QList>

TEST_F(MovimentoTeste, AberturaPorData) {
  // The window of the tables is 10/04/2024 - 09/05/2024 (one payment date).
  struct TCaso {
    const char *Nome;
    TDateTime Data;
    bool Aberto;
    const char *Codigo;
  } casos[] = {
      {"não é data", DataNaoValida, false, "0063"},
      {"vazia", NullDate, false, "0062"},
      {"dia útil da janela sem linha", D(2024, 4, 11), false, ""},
      {"sábado da janela", D(2024, 4, 13), false, "0397"},
      {"fora da janela", D(2024, 6, 3), false, "0201"},
      {"data de pagamento das tabelas", D(2024, 4, 10), true, ""},
  };
  for (const TCaso &c : casos) {
    SCOPED_TRACE(c.Nome);
    Executar("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO");
    DataPagamento = NullDate;
    const TResultadoAbertura r = TMovimento::Abrir(c.Data);
    EXPECT_EQ(r.Aberto, c.Aberto);
    EXPECT_EQ(r.Codigo, QString::fromLatin1(c.Codigo));
    EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), c.Aberto ? 1 : 0);
    EXPECT_EQ(DataPagamento > 0, c.Aberto);
    if (QString::fromLatin1(c.Codigo) == QStringLiteral("0201")) {
      EXPECT_EQ(r.Argumento, QStringLiteral("10/04/2024 à 10/04/2024"));
    }
  }
  EXPECT_EQ(Valor("SELECT NU_INSCRICAO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            QStringLiteral("99888777000100"));
}

TEST_F(MovimentoTeste, AberturaQueNaoGravaNaoMudaNada) {
  Executar("CREATE EXCEPTION E_TESTE 'falha de teste'");
  Executar("CREATE TRIGGER T_TESTE FOR QZLTBG01_ABERTURA_RECOLHIMENTO BEFORE UPDATE AS BEGIN "
           "EXCEPTION E_TESTE; END");
  const TDateTime antes = DataPagamento;
  Executar("INSERT INTO QZLTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
           "IN_ATRASO_MES, IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES ('2024-04-01', "
           "'2024-04-11', 0, 0, 0)");
  const TResultadoAbertura r = TMovimento::Abrir(D(2024, 4, 11));
  EXPECT_FALSE(r.Aberto);
  EXPECT_EQ(r.Codigo, QStringLiteral("0144"));
  EXPECT_EQ(DataPagamento, antes);
  EXPECT_EQ(Valor("SELECT DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO"),
            QStringLiteral("10/04/2024"));
}

TEST_F(MovimentoTeste, VerificacoesDeParticipacao) {
  struct TCaso {
    const char *Nome;
    std::function<void(TCasoVinculo &)> Mudar;
    std::function<void(const TCasoVinculo &)> Depois;
    const char *Codigo; // expected among the codes; empty: passes
  } casos[] = {
      {"válido", [](TCasoVinculo &) {}, {}, ""},
      {"rescisão em 28/02/2024",
       [](TCasoVinculo &c) { c.Movimentacao = QDate(2024, 2, 28); },
       {},
       "0521"},
      {"rescisão em 01/03/2024 com remuneração do mês anterior",
       [](TCasoVinculo &c) {
         c.Movimentacao = QDate(2024, 3, 1);
         c.Anterior = 1500;
       },
       {},
       "0520"},
      {"rescisão em 01/03/2024 sem remuneração do mês anterior",
       [](TCasoVinculo &c) { c.Movimentacao = QDate(2024, 3, 1); },
       {},
       ""},
      {"admissão depois do pagamento",
       [](TCasoVinculo &c) {
         c.Admissao = c.Opcao = QDate(2024, 4, 15);
         c.Movimentacao = QDate(2024, 4, 30);
       },
       {},
       "0141"},
      {"movimentação além de 30 dias",
       [](TCasoVinculo &c) { c.Movimentacao = QDate(2024, 5, 11); },
       {},
       "0223"},
      {"movimentação a 30 dias",
       [](TCasoVinculo &c) { c.Movimentacao = QDate(2024, 5, 10); },
       {},
       ""},
      {"dissídio depois do pagamento",
       [](TCasoVinculo &c) {
         c.Dissidio = QDate(2024, 4, 15);
         c.VrDissidio = 300;
         c.Origem = QStringLiteral("N");
       },
       {},
       "0420"},
      {"saldo do banco gravado há 16 dias", [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) { Conta(c, QDate(2024, 3, 25), 1); }, "0142"},
      {"saldo do banco gravado há 15 dias", [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) { Conta(c, QDate(2024, 3, 26), 1); }, ""},
      {"nada a recolher",
       [](TCasoVinculo &c) {
         c.Rescisao = 0;
         c.Saldo = 0;
       },
       {},
       "0225"},
      {"alteração de nome pendente", [](TCasoVinculo &) {},
       [this](const TCasoVinculo &c) {
         Conta(c, QDate(2024, 4, 5), 1, 777);
         AlteracaoNomePendente(c, 777);
       },
       "0139"},
  };
  qint64 pis = 10000000001;
  for (const TCaso &k : casos) {
    SCOPED_TRACE(k.Nome);
    TCasoVinculo c = Valido(pis++);
    k.Mudar(c);
    Incluir(c);
    if (k.Depois)
      k.Depois(c);
    Executar("DELETE FROM QZLTBG18_INCONSISTENCIA_ARQUIVO");
    auto v = Carregar(c);
    TMovimento m;
    QStringList codigos;
    const bool ok = m.ValidarParticipacao(*v, cpParticipar, &codigos);
    const QString esperado = QString::fromLatin1(k.Codigo);
    EXPECT_EQ(ok, esperado.isEmpty()) << codigos.join(u',').toStdString();
    if (!esperado.isEmpty()) {
      EXPECT_TRUE(codigos.contains(esperado)) << codigos.join(u',').toStdString();
    }
    // Every failure is on the report.
    EXPECT_EQ(Inconsistencias().size(), codigos.size());
  }
}

TEST_F(MovimentoTeste, SemMovimentoAbertoNadaEhMarcado) {
  const TCasoVinculo c = Valido();
  Incluir(c);
  Executar("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO");
  CarregarDataPagamento();
  TMovimento m;
  EXPECT_EQ(m.Marcar(TEscopoMovimento::DeTodos()).Codigo, QStringLiteral("0062"));
  EXPECT_EQ(Estado(c), 0);
}

TEST_F(MovimentoTeste, MarcarEmpresaPulaFechadosEMarcaOsValidos) {
  TCasoVinculo bom = Valido(11111111111), ruim = Valido(22222222222), fechado = Valido(33333333333),
               outra = Valido(44444444444, 55666777000199);
  ruim.Movimentacao = QDate(2024, 2, 28);
  fechado.Estado = 2;
  for (const TCasoVinculo &c : {bom, ruim, fechado, outra})
    Incluir(c);
  TMovimento m;
  const TResultadoMarcacao r = m.Marcar(TEscopoMovimento::DaEmpresa(1, 11222333000181));
  EXPECT_TRUE(r.Codigo.isEmpty());
  EXPECT_EQ(r.Alterados, 1);
  EXPECT_EQ(r.NaoModificaveis, 1);
  ASSERT_EQ(r.Falhas.size(), 1);
  EXPECT_EQ(r.Falhas[0].Chave, Chave(ruim));
  EXPECT_EQ(r.Falhas[0].Codigo, QStringLiteral("0521"));
  EXPECT_EQ(Estado(bom), 1);
  EXPECT_EQ(Estado(ruim), 0);
  EXPECT_EQ(Estado(fechado), 2);
  EXPECT_EQ(Estado(outra), 0); // another company
  EXPECT_EQ(Inconsistencias(), QList<int>{521});

  // A link level marking of a closed link changes nothing.
  EXPECT_EQ(m.Marcar(TEscopoMovimento::DoVinculo(Chave(fechado))).NaoModificaveis, 1);
  EXPECT_EQ(Estado(fechado), 2);

  // Unmarking every link leaves the closed one as it is.
  const TResultadoMarcacao d = m.Desmarcar(TEscopoMovimento::DeTodos());
  EXPECT_EQ(d.Alterados, 1);
  EXPECT_EQ(Estado(bom), 0);
  EXPECT_EQ(Estado(fechado), 2);
}

TEST_F(MovimentoTeste, MarcarTodosRecusaComoAVerificacaoDeCadaVinculo) {
  // Marking a company or the whole run reads the links' data at once; each
  // link must get the answer its own check gives.
  struct TCaso {
    const char *Nome;
    std::function<void(TCasoVinculo &)> Mudar;
    std::function<void(const TCasoVinculo &)> Depois;
    const char *Codigo; // empty: marked
  } casos[] = {
      {"válido", [](TCasoVinculo &) {}, {}, ""},
      {"rescisão antes do corte",
       [](TCasoVinculo &c) { c.Movimentacao = QDate(2024, 2, 28); },
       {},
       "0521"},
      {"saldo do banco gravado há 16 dias", [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) { Conta(c, QDate(2024, 3, 25), 1); }, "0142"},
      {"primeira conta fora das situações 0 a 3, antiga",
       [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) {
         Conta(c, QDate(2024, 3, 1), 1, 501);
         Executar("UPDATE QZLTBG10_CONTA_EMPREGADO_ZELT SET NU_SITUACAO_CONTA_EMPREGADO = 5 "
                  "WHERE NU_EMPREGADO_VORDA = 501");
         Conta(c, QDate(2024, 4, 5), 1, 502);
       },
       ""},
      {"primeira conta antiga, a segunda recente",
       [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) {
         Conta(c, QDate(2024, 3, 1), 1, 601);
         Conta(c, QDate(2024, 4, 5), 1, 602);
       },
       "0142"},
      {"saldo do PIS 2 diferente do informado",
       [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) { Conta(c, QDate(2024, 4, 5), 2, 701, 4000); }, "0454"},
      {"contas somam o saldo informado", [](TCasoVinculo &c) { c.Origem = QStringLiteral("C"); },
       [this](const TCasoVinculo &c) {
         Conta(c, QDate(2024, 4, 5), 2, 801, 3000.10);
         Conta(c, QDate(2024, 4, 5), 1, 802, 1999.90);
       },
       ""},
      {"alteração de nome pendente", [](TCasoVinculo &) {},
       [this](const TCasoVinculo &c) {
         Conta(c, QDate(2024, 4, 5), 1, 901);
         AlteracaoNomePendente(c, 901);
       },
       "0139"},
  };
  QList<TCasoVinculo> vinculos;
  QHash<TChaveVinculo, QStringList> umAUm;
  qint64 pis = 10000000001;
  for (const TCaso &k : casos) {
    TCasoVinculo c = Valido(pis);
    k.Mudar(c);
    Incluir(c, QStringLiteral("TRABALHADOR %1").arg(pis++));
    if (k.Depois)
      k.Depois(c);
    vinculos << c;
  }
  for (const TCasoVinculo &c : vinculos) {
    auto v = Carregar(c);
    TMovimento m;
    m.ValidarParticipacao(*v, cpParticiparResp, &umAUm[Chave(c)]);
  }
  TMovimento m;
  const TResultadoMarcacao r = m.Marcar(TEscopoMovimento::DeTodos());
  QHash<TChaveVinculo, TFalhaMovimento> falhas;
  for (const TFalhaMovimento &f : r.Falhas)
    falhas.insert(f.Chave, f);
  for (int i = 0; i < vinculos.size(); ++i) {
    const TCasoVinculo &c = vinculos[i];
    SCOPED_TRACE(casos[i].Nome);
    const QString esperado = QString::fromLatin1(casos[i].Codigo);
    EXPECT_EQ(falhas.value(Chave(c)).Codigos, umAUm.value(Chave(c)));
    EXPECT_EQ(falhas.value(Chave(c)).Codigo, esperado);
    EXPECT_EQ(Estado(c), esperado.isEmpty() ? 1 : 0);
    if (!esperado.isEmpty()) {
      EXPECT_EQ(falhas.value(Chave(c)).Nome, QStringLiteral("TRABALHADOR %1").arg(c.Pis));
    }
  }
}

TEST_F(MovimentoTeste, MarcadoQueDeixaDePassarSaiDoMovimento) {
  TCasoVinculo c = Valido();
  c.Estado = 1;
  c.Movimentacao = QDate(2024, 2, 28);
  Incluir(c);
  TMovimento m;
  const TResultadoMarcacao r = m.Marcar(TEscopoMovimento::DoVinculo(Chave(c)));
  EXPECT_EQ(r.Falhas.size(), 1);
  EXPECT_EQ(Estado(c), 0);
}

TEST_F(MovimentoTeste, RetiradaLimpaCalculosVoltaAZeroEExcluiAlteracoes) {
  TCasoVinculo a = Valido(11111111111), b = Valido(22222222222), aberto = Valido(33333333333);
  a.Estado = 2;
  b.Estado = 3;
  aberto.Estado = 1;
  for (const TCasoVinculo &c : {a, b, aberto})
    Incluir(c);
  Executar("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_RESCISAO = 160, "
           "DT_DEVIDA_RESCISAO = '2024-04-05'");
  AlteracaoNomePendente(a);
  TMovimento m;
  const TResultadoMarcacao r = m.Retirar(TEscopoMovimento::DaEmpresa(1, 11222333000181));
  EXPECT_TRUE(r.Codigo.isEmpty());
  EXPECT_EQ(r.Alterados, 2);
  EXPECT_EQ(Estado(a), 0);
  EXPECT_EQ(Estado(b), 0);
  EXPECT_EQ(Estado(aberto), 1); // a marked link is not in a closed run
  EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE VR_DEPOSITO_RESCISAO IS NOT NULL"), 1);
  EXPECT_EQ(Contar("FROM QZLTBG05_ALTERACAO_CADASTRAL"), 0);
}

TEST_F(MovimentoTeste, RetiradaQueFalhaNaoMudaNada) {
  TCasoVinculo a = Valido();
  a.Estado = 2;
  Incluir(a);
  Executar("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_RESCISAO = 160");
  Executar("CREATE EXCEPTION E_TESTE 'falha de teste'");
  Executar("CREATE TRIGGER T_TESTE FOR QZLTBG05_ALTERACAO_CADASTRAL BEFORE DELETE AS BEGIN "
           "EXCEPTION E_TESTE; END");
  AlteracaoNomePendente(a);
  TMovimento m;
  EXPECT_EQ(m.Retirar(TEscopoMovimento::DoVinculo(Chave(a))).Codigo, QStringLiteral("0144"));
  EXPECT_EQ(Estado(a), 2);
  EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE VR_DEPOSITO_RESCISAO = 160"), 1);
}

TEST_F(MovimentoTeste, SimulacaoSomaOsVinculosComoOCalculo) {
  TCasoVinculo a = Valido(11111111111), b = Valido(22222222222),
               c = Valido(33333333333, 55666777000199);
  b.Rescisao = 1234.56;
  b.Saldo = 7890.12;
  for (TCasoVinculo *k : {&a, &b, &c}) {
    k->Estado = 1;
    Incluir(*k);
  }
  TCentavos esperado[3];
  int i = 0;
  for (const TCasoVinculo &k : {a, b, c}) {
    auto v = Carregar(k);
    TCalculo calc;
    ASSERT_TRUE(calc.CalcularVinculo(v.get())) << calc.CodigoErro;
    esperado[i++] = calc.TotalCentavos();
  }
  TMovimento m;
  const TResultadoSimulacao r = m.Simular(TEscopoMovimento::DeTodos());
  ASSERT_TRUE(r.Codigo.isEmpty()) << r.Codigo.toStdString();
  ASSERT_EQ(r.Empresas.size(), 2);
  EXPECT_EQ(r.Empresas[0].Inscricao, 11222333000181);
  EXPECT_EQ(r.Empresas[0].Trabalhadores.size(), 2);
  EXPECT_EQ(r.Empresas[0].ValorARecolher, esperado[0] + esperado[1]);
  EXPECT_EQ(r.Empresas[1].ValorARecolher, esperado[2]);
  EXPECT_EQ(r.Empresas[0].Trabalhadores[1].Remu407, TCentavos::De(1234.56));
  EXPECT_GT(esperado[0], TCentavos());
  // Nothing is stored by a simulation.
  EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE DT_DEVIDA_RESCISAO IS NOT NULL"), 0);

  // One company only.
  EXPECT_EQ(m.Simular(TEscopoMovimento::DaEmpresa(1, 55666777000199)).Empresas.size(), 1);
}

TEST_F(MovimentoTeste, SimulacaoComFalhas) {
  TCasoVinculo bom = Valido(11111111111), semIndice = Valido(22222222222),
               abaixoMinimo = Valido(33333333333);
  // No JAM factor exists for an option before 1967: the calculation fails.
  semIndice.Opcao = QDate(1960, 1, 4);
  abaixoMinimo.Saldo = 1;
  bom.Saldo = 200000;
  for (TCasoVinculo *k : {&bom, &semIndice, &abaixoMinimo}) {
    k->Estado = 1;
    Incluir(*k);
  }
  Executar(QStringLiteral("UPDATE QZLTBT14_ALIQUOTA_CALCULO_DPSTO SET VR_SALDO_RESCISORIO_MINIMO = "
                          "100000 WHERE NU_CATEGORIA = 1"));
  TMovimento m;
  const TResultadoSimulacao r = m.Simular(TEscopoMovimento::DeTodos());
  EXPECT_EQ(r.Codigo, QStringLiteral("0368"));
  ASSERT_EQ(r.Falhas.size(), 2);
  EXPECT_EQ(r.Falhas[0].Codigo, QStringLiteral("0422"));
  EXPECT_EQ(r.Falhas[1].Codigo, QStringLiteral("0449"));
  EXPECT_EQ(Estado(semIndice), 1);
  EXPECT_EQ(Estado(abaixoMinimo), 0);
  ASSERT_EQ(r.Empresas.size(), 1);
  EXPECT_EQ(r.Empresas[0].Trabalhadores.size(), 1);
  EXPECT_TRUE(Inconsistencias().contains(422));
  EXPECT_TRUE(Inconsistencias().contains(449));
}

TEST_F(MovimentoTeste, SimulacaoSemMovimentoAbertoDizUmaVez) {
  TCasoVinculo a = Valido(11111111111), b = Valido(22222222222);
  a.Estado = b.Estado = 1;
  Incluir(a);
  Incluir(b);
  Executar("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO");
  CarregarDataPagamento();
  TMovimento m;
  const TResultadoSimulacao r = m.Simular(TEscopoMovimento::DeTodos());
  EXPECT_EQ(r.Codigo, QStringLiteral("0062"));
  EXPECT_TRUE(r.Falhas.isEmpty());
  EXPECT_EQ(Estado(a), 1);
}

TEST_F(MovimentoTeste, FechamentoPreparadoEConcluido) {
  TCasoVinculo a = Valido(11111111111), ruim = Valido(22222222222);
  ruim.Movimentacao = QDate(2024, 2, 28);
  a.Estado = ruim.Estado = 1;
  Incluir(a);
  Incluir(ruim);
  TMovimento m;
  TResultadoMarcacao r = m.PrepararFechamento();
  EXPECT_EQ(r.Codigo, QStringLiteral("0368"));
  EXPECT_EQ(Estado(ruim), 0);
  r = m.PrepararFechamento();
  EXPECT_TRUE(r.Codigo.isEmpty());
  ASSERT_TRUE(TMovimento::ConcluirFechamento());
  EXPECT_EQ(Estado(a), 2);
  EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), 0);
  EXPECT_FALSE(DataPagamento > 0);
  EXPECT_EQ(m.PrepararFechamento().Codigo, QStringLiteral("0108"));
}
