#pragma once
// Fixture of the collection-run tests: the calculation fixture (index tables
// holding only what a case inserts, Monday-to-Friday business days) with a
// responsible party, index rows for a run paid on 10/04/2024 and links that
// pass every participation check unless a case changes them.
#include "collection/CalculoTeste.h"

#include "collection/unMovimento.h"
#include "core/unInicializacao.h"

inline const QDate PagamentoTeste(2024, 4, 10);

class MovimentoTeste : public CalculoTeste {
protected:
  void SetUp() override {
    CalculoTeste::SetUp();
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "IC_ESTADO_EMPRESA) VALUES (1, 99888777000100, 'ESCRITORIO RESPONSAVEL', 'R')");
    IndicesAtraso(QDate(2024, 4, 1), PagamentoTeste, 0.09, 0.6, 0.01, QDate(2024, 1, 1),
                  QDate(2024, 6, 30));
    AbrirRun();
  }
  void TearDown() override {
    DataPagamento = NullDate;
    CalculoTeste::TearDown();
  }

  void AbrirRun() {
    Executar("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO");
    Executar(QStringLiteral("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, DT_PAGAMENTO) VALUES (1, 99888777000100, %1)")
                 .arg(L(PagamentoTeste)));
    CarregarDataPagamento();
  }

  // A link terminated on 20/03/2024 with a termination-month remuneration
  // and an employer-informed balance: it passes every check.
  static TCasoVinculo Valido(qint64 pis = 12345678901, qint64 inscricao = 11222333000181) {
    TCasoVinculo c;
    c.Inscricao = inscricao;
    c.Pis = pis;
    c.Admissao = QDate(2020, 2, 3);
    c.Opcao = QDate(2020, 2, 3);
    c.Movimentacao = QDate(2024, 3, 20);
    c.Movimento = QStringLiteral("I1");
    c.Rescisao = 2000;
    c.Saldo = 5000;
    c.Origem = QStringLiteral("E");
    c.Estado = 0;
    return c;
  }

  TChaveVinculo Chave(const TCasoVinculo &c) {
    return {c.Tipo, c.Inscricao, c.Pis, c.Categoria, QDateParaData(c.Admissao)};
  }

  // Inserts the link, its worker and the termination fields the fixture of
  // the calculation leaves empty.
  void Incluir(const TCasoVinculo &c, const QString &nome = QStringLiteral("TRABALHADOR TESTE")) {
    Inserir(c);
    if (Contar(QStringLiteral("FROM QZLTBG03_EMPREGADO WHERE NU_PIS = %1").arg(c.Pis)) == 0)
      Executar(QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES "
                              "(%1, '%2')")
                   .arg(c.Pis)
                   .arg(nome));
    Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET IC_TIPO_PNSO_ALMNA = 'N' "
                            "WHERE ") +
             Chave(c).Condicao());
  }

  // A bank account of the link recorded on a date (situation, bank worker number).
  void Conta(const TCasoVinculo &c, const QDate &gravacao, int situacaoPis, qint64 numeroVorda = 1,
             double saldo = 0) {
    Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NU_EMPREGADO_VORDA, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, "
                            "VR_SALDO_RESCISORIO, DT_GRAVACAO_ARQUIVO, NU_SITUACAO_CONTA_EMPRESA) "
                            "VALUES (%1, %2, %3, %4, %5, %6, 0, %7, %8, %9, 0)")
                 .arg(c.Tipo)
                 .arg(c.Inscricao)
                 .arg(c.Pis)
                 .arg(c.Categoria)
                 .arg(L(c.Admissao))
                 .arg(numeroVorda)
                 .arg(situacaoPis)
                 .arg(V(saldo), L(gravacao)));
  }

  // A name the bank holds otherwise for one of the link's accounts (0: no
  // bank worker number), not yet decided.
  void AlteracaoNomePendente(const TCasoVinculo &c, qint64 numeroVorda = 0) {
    Executar(QStringLiteral("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NU_TIPO_ALTERACAO, IC_CONFIRMACAO, NU_EMPREGADO_VORDA_ALT_CDSTL) "
                            "VALUES (%1, %2, %3, %4, %5, 406, 'N', %6)")
                 .arg(c.Tipo)
                 .arg(c.Inscricao)
                 .arg(c.Pis)
                 .arg(c.Categoria)
                 .arg(L(c.Admissao))
                 .arg(numeroVorda ? QString::number(numeroVorda) : QStringLiteral("NULL")));
  }

  int Estado(const TCasoVinculo &c) {
    return Valor(QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO "
                                "WHERE ") +
                 Chave(c).Condicao())
        .toInt();
  }

  QList<int> Inconsistencias() {
    QList<int> r;
    const TDataSetPtr ds = IbxUtils->AbrirConsulta(
        "SELECT NU_MENSAGEM FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 3 "
        "ORDER BY 1");
    for (ds->First(); !ds->Eof(); ds->Next())
      r << ds->Fields(0).AsInteger();
    return r;
  }
};
