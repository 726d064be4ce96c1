// The balance load's reports: the occurrence report (all accounts or one
// link's) and the print of the loaded balances.
#include "support/RelatoriosTeste.h"

#include "reports/uQReportPreview.h"
#include "reports/uRelSaldo.h"

#include <QTemporaryDir>

using namespace rel_teste;

class RelSaldoTeste : public RelatoriosTeste {
protected:
  QTemporaryDir saida;
  void SetUp() override {
    RelatoriosTeste::SetUp();
    PreencherCadastro();
    // José's account at the CNPJ employer: PIS regular but another name (233).
    Conta(1, Cnpj1, 12345678901, 1, "2015-06-01", "JOSE OUTRO NOME", 1, 0, 0, 123456);
    // Ana's: blocked (235).
    Conta(1, Cnpj1, 10987654321, 11, "2010-03-20", "ANA SOUZA", 0, 1, 0, 5000);
    // Bruno's at BETA: regular, same name: no occurrence.
    Conta(1, Cnpj3, 20000000002, 1, "2019-09-09", "BRUNO BETA", 0, 0, 0, 99);
  }
  void Conta(int tipo, qint64 insc, qint64 pis, int cat, const char *adm, const char *nome,
             int situacaoPis, int situacaoConta, int situacaoEmpresa, qint64 centavos) {
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                 "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_VORDA, "
                 "NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, "
                 "NU_SITUACAO_CONTA_EMPRESA, NU_EMPRESA_VORDA, DT_CREDITO_JUROS) VALUES (%1, %2, "
                 "%3, %4, '%5', '%6', 4455, %7, %8, %9, %10, 778899, '2024-02-10')")
                 .arg(tipo)
                 .arg(insc)
                 .arg(pis)
                 .arg(cat)
                 .arg(QLatin1String(adm), QString::fromUtf8(nome))
                 .arg(situacaoConta)
                 .arg(situacaoPis)
                 .arg(centavos / 100.0, 0, 'f', 2)
                 .arg(situacaoEmpresa));
  }
  QString Texto(TRelPadrao &rel) {
    const QString pdf = saida.filePath(QStringLiteral("s.pdf"));
    EXPECT_TRUE(ExportarPDF(rel, pdf));
    return TextoPaginas(pdf).join(u'\f');
  }
};

TEST_F(RelSaldoTeste, OcorrenciasDoArquivoEDeUmVinculo) {
  TRelOcorrenciaSaldo rel;
  ASSERT_TRUE(rel.Preparar());
  EXPECT_EQ(rel.Dados.QuantidadeEntradas(), 2);
  const QString t = Texto(rel);
  for (const QString &esperado :
       {QStringLiteral("RELATÓRIO OCORRÊNCIAS ARQUIVO SALDO RESCISÓRIO"),
        QStringLiteral("EMPRESA: 11.222.333/0001-81 - ALFA COMÉRCIO"),
        QStringLiteral("CÓDIGO DA EMPRESA NA VORDA: 778899"), QStringLiteral("OCORRÊNCIA :"),
        QStringLiteral("CÓDIGO DO TRABALHADOR NA VORDA"), QStringLiteral("123.45678.90-1"),
        QStringLiteral("00000004455"), QStringLiteral("0233 - PIS/PASEP regular"),
        QStringLiteral("0235 - Conta do trabalhador bloqueada")})
    EXPECT_TRUE(t.contains(esperado)) << esperado.toStdString() << "\n" << t.toStdString();
  EXPECT_FALSE(t.contains(QStringLiteral("BRUNO")));

  // One link: only its account; a link without occurrence says 0419.
  TRelOcorrenciaSaldo um;
  const TChaveVinculo ana{1, Cnpj1, 10987654321, 11, QDateParaData(QDate(2010, 3, 20))};
  ASSERT_TRUE(um.Preparar(&ana));
  EXPECT_EQ(um.Dados.QuantidadeEntradas(), 1);
  RespostasDialogo respostas;
  const TChaveVinculo bruno{1, Cnpj3, 20000000002, 1, QDateParaData(QDate(2019, 9, 9))};
  EXPECT_FALSE(ImprimirOcorrenciaSaldoVinculo(bruno, QStringLiteral("FE")));
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.contains(QStringLiteral("0419")) ||
              respostas.mostrados[0].Texto.contains(QStringLiteral("ocorrência")))
      << respostas.mostrados[0].Texto.toStdString();
}

TEST_F(RelSaldoTeste, SaldoCarregadoPorEmpresa) {
  TRelSaldoCarregado rel;
  ASSERT_TRUE(rel.Preparar(TConsultaSaldo::Empresas()));
  EXPECT_EQ(rel.QuantidadePaginas(), 2); // one page per employer
  const QString t = Texto(rel);
  for (const char *esperado : {"SALDO EMPRESA: 1.284,56", "1.234,56", "50,00", "0,99", "10/02/2024",
                               "20/03/2010", "BETA D'ÁVILA LTDA"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado << "\n" << t.toStdString();
}
