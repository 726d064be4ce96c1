// What a new user meets: the generator's default payroll file imports into
// the shipped database and every link it brings can be marked (the dates and
// amounts the participation rules look at) and computed for the closing.
#include "support/FolhaTeste.h"

#include "collection/unTCalculo.h"
#include "core/unInicializacao.h"
#include "core/unTDiaUtil.h"
#include "registry/UnRescisao.h"
#include "registry/unVinculo.h"

#include <QProcess>

namespace {
QString GerarPadrao(const QString &saida, const QStringList &opcoes) {
  QProcess p;
  p.start(QStringLiteral("python3"),
          QStringList{QStringLiteral(VESK_SOURCE_DIR "/tools/gerar_folha/gerar_folha.py"), saida} +
              opcoes);
  if (!p.waitForFinished(120000) || p.exitCode() != 0)
    throw std::runtime_error("gerador falhou: " + p.readAllStandardError().toStdString());
  return saida;
}
} // namespace

TEST_F(FolhaTeste, ArquivoPadraoTemSoVinculosQuePodemSerMarcadosEFechados) {
  const QString arquivo =
      GerarPadrao(pasta->Arquivo(QStringLiteral("VESK.re")),
                  {QStringLiteral("--empresas"), QStringLiteral("4"), QStringLiteral("--vinculos"),
                   QStringLiteral("40"), QStringLiteral("--complementos"), QStringLiteral("0.5"),
                   QStringLiteral("--cei"), QStringLiteral("--semente"), QStringLiteral("7")});
  ASSERT_TRUE(Importar(arquivo)) << Inconsistencias().size();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO")), 40);
  // The run the import opened is a payment date of the shipped tables.
  CarregarDataPagamento();
  CarregarDataEditalProrata();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBT18_INDICE_PRORATA P JOIN "
                                  "QZLTBG01_ABERTURA_RECOLHIMENTO A ON "
                                  "A.DT_PAGAMENTO = P.DT_RECOLHIMENTO_PRORATA")),
            1);
  // The participation rules on dates and amounts, link by link: termination
  // from 01/03/2024 (0521), no remuneration of the month before (0520), paid
  // on or after the admission (0141), terminated no later than 30 days after
  // the payment date (0223), no dissidio after it (0420).
  const QString pagamento =
      QStringLiteral("(SELECT DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO)");
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO V JOIN "
                                  "QZLTBG06_INFORMACAO_RESCISAO R ON R.NU_TIPO_INSO_EMPRA = "
                                  "V.NU_TIPO_INSO_EMPRA AND R.NU_INSCRICAO = V.NU_INSCRICAO AND "
                                  "R.NU_PIS = V.NU_PIS AND R.NU_CATEGORIA = V.NU_CATEGORIA AND "
                                  "R.DT_ADMISSAO_VINCULO = V.DT_ADMISSAO_VINCULO WHERE "
                                  "V.DT_MOVIMENTACAO_VINCULO >= '2024-03-01' AND "
                                  "COALESCE(R.VR_REMUNERACAO_ANTERIOR_RSCSO, 0) = 0 AND "
                                  "%1 >= V.DT_ADMISSAO_VINCULO AND %1 + 30 >= "
                                  "V.DT_MOVIMENTACAO_VINCULO AND (R.DT_DISSIDIO IS NULL OR "
                                  "R.DT_DISSIDIO <= %1)")
                       .arg(pagamento)),
            40);
  // And the closing can compute every one of them with the shipped indices.
  TCalculo calculo;
  TVinculo vinculos;
  ASSERT_TRUE(vinculos.CarregarTodos());
  int calculados = 0;
  for (vinculos.Primeiro(); !vinculos.FimDados(); vinculos.Proximo()) {
    TVinculo v;
    ASSERT_TRUE(v.CarregarPorChave(vinculos.NU_TIPO_INSO_EMPRA, vinculos.NU_CATEGORIA,
                                   vinculos.DT_ADMISSAO_VINCULO, vinculos.NU_PIS,
                                   vinculos.NU_INSCRICAO));
    EXPECT_TRUE(calculo.CalcularVinculo(&v)) << v.NU_PIS << " " << calculo.CodigoErro;
    EXPECT_GT(calculo.ValorTotal(), 0) << v.NU_PIS;
    ++calculados;
  }
  EXPECT_EQ(calculados, 40);
}

TEST_F(FolhaTeste, ArquivoVariadoTrazRemuneracaoDoMesAnterior) {
  const QString arquivo =
      GerarPadrao(pasta->Arquivo(QStringLiteral("VESK.re")),
                  {QStringLiteral("--vinculos"), QStringLiteral("5"), QStringLiteral("--variado")});
  ASSERT_TRUE(Importar(arquivo));
  // Each of these links is one the marking refuses with 0520.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE "
                                  "VR_REMUNERACAO_ANTERIOR_RSCSO > 0")),
            5);
}
