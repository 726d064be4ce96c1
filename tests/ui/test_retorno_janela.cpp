// The processed-guide return behind the progress window: a refused file asks
// whether to open the inconsistency report of its kind.
#include "core/UnInconsistencia.h"
#include "interchange/UThread.h"
#include "support/BancoTeste.h"
#include "ui/uProgImporta.h"

#include <gtest/gtest.h>

namespace {

class RetornoJanelaTeste : public BancoTeste {};

TEST_F(RetornoJanelaTeste, RecusadoPerguntaPeloRelatorio) {
  pasta->EscreverArquivo(QStringLiteral("vazio.HX"), QByteArray());
  int relatorio = 0;
  const auto anterior = TfrmProgImporta::RelatorioInconsistencias;
  TfrmProgImporta::RelatorioInconsistencias = [&relatorio](int tipo) { relatorio = tipo; };
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrYes);
    EXPECT_FALSE(TfrmProgImporta::CarregarRetorno(pasta->Arquivo(QStringLiteral("vazio.HX"))));
    ASSERT_EQ(dialogos.mostrados.size(), 1u);
    EXPECT_EQ(dialogos.mostrados[0].Tipo, dtConfirmacao);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.contains(QStringLiteral("CT0209")))
        << dialogos.mostrados[0].Texto.toStdString();
    EXPECT_EQ(relatorio, tiGuiaProcessada);
  }
  {
    relatorio = 0;
    RespostasDialogo dialogos;
    dialogos.Responder(mrNo);
    EXPECT_FALSE(TfrmProgImporta::CarregarRetorno(pasta->Arquivo(QStringLiteral("vazio.HX"))));
    ASSERT_EQ(dialogos.mostrados.size(), 2u);
    EXPECT_TRUE(dialogos.mostrados[1].Texto.contains(QStringLiteral("990476")))
        << dialogos.mostrados[1].Texto.toStdString();
    EXPECT_EQ(relatorio, 0);
  }
  TfrmProgImporta::RelatorioInconsistencias = anterior;
}

} // namespace
