// The identification-key occurrence file behind the progress window: the
// file is chosen through the file-choice seam, a valid one is stored quietly,
// a refused one says so and offers its inconsistency report.
#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"
#include "ui/uProgImporta.h"

#include <gtest/gtest.h>

namespace {

class ChaveJanelaTeste : public BancoTeste {
protected:
  QString Gerar(const QStringList &opcoes, const QString &nome) {
    const QString saida = pasta->Arquivo(nome);
    QByteArray out;
    EXPECT_EQ(Banco(QStringList{QStringLiteral("chave"), saida} + opcoes, pasta->Caminho(), &out),
              0);
    return saida;
  }
};

TEST_F(ChaveJanelaTeste, CargaPeloMenuERecusaComRelatorio) {
  const QString valido = Gerar({}, QStringLiteral("valido.txt"));
  const QString ruim =
      Gerar({QStringLiteral("--falha"), QStringLiteral("pis")}, QStringLiteral("ruim.txt"));
  QString escolhido = valido;
  PedidoArquivo pedido;
  const auto escolhedor = DefinirEscolhedorArquivo([&](const PedidoArquivo &p) {
    pedido = p;
    return escolhido;
  });
  int relatorio = 0;
  const auto anterior = TfrmProgImporta::RelatorioInconsistencias;
  TfrmProgImporta::RelatorioInconsistencias = [&relatorio](int tipo) { relatorio = tipo; };
  {
    RespostasDialogo dialogos;
    EXPECT_TRUE(TfrmProgImporta::EscolherECarregarChave());
    EXPECT_TRUE(pedido.Pasta.endsWith(QStringLiteral("Arquivos/Arquivo de Ocorrencia")));
    EXPECT_TRUE(dialogos.mostrados.empty());
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 1);
  }
  escolhido = ruim;
  for (int resposta : {mrYes, mrNo}) {
    relatorio = 0;
    RespostasDialogo dialogos;
    dialogos.Responder(mrOk);
    dialogos.Responder(resposta);
    EXPECT_FALSE(TfrmProgImporta::EscolherECarregarChave());
    ASSERT_GE(dialogos.mostrados.size(), 2u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("990385")))
        << dialogos.mostrados[0].Texto.toStdString();
    EXPECT_EQ(dialogos.mostrados[1].Tipo, dtConfirmacao);
    EXPECT_TRUE(dialogos.mostrados[1].Texto.startsWith(QStringLiteral("CT0209")));
    if (resposta == mrYes) {
      EXPECT_EQ(relatorio, tiOcorrencia);
      EXPECT_EQ(dialogos.mostrados.size(), 2u);
    } else {
      EXPECT_EQ(relatorio, 0);
      ASSERT_EQ(dialogos.mostrados.size(), 3u);
      EXPECT_TRUE(dialogos.mostrados[2].Texto.startsWith(QStringLiteral("990476")));
    }
  }
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 1);
  // Nothing chosen: nothing happens.
  escolhido.clear();
  EXPECT_FALSE(TfrmProgImporta::EscolherECarregarChave());
  TfrmProgImporta::RelatorioInconsistencias = anterior;
  DefinirEscolhedorArquivo(escolhedor);
}

} // namespace
