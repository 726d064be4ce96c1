// "Guias" > "Por Protocolo" when the receipt's file has lost its company
// guides (an older backup restored): the user is asked, the guides come back
// from the sent envelope, the protocol is stored and the guides are shown.
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "support/ReciboTeste.h"
#include "ui/uConsultaGuiasTotal.h"
#include "ui/uReciboEnvio.h"

#include <QTableWidget>

namespace {

class ReciboJanelaTeste : public ReciboTeste {
protected:
  void TearDown() override {
    TfrmConsultaGuiasTotal::Interceptar = nullptr;
    ReciboTeste::TearDown();
  }
};

TEST_F(ReciboJanelaTeste, GuiasPerdidasOferecidasERecuperadas) {
  SelarComGuias();
  const QString recibo = Recibo({});
  Executar(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA"));
  int mostradas = -1;
  TfrmConsultaGuiasTotal::Interceptar = [&](TfrmConsultaGuiasTotal &j) {
    mostradas = j.sgEmpresa->rowCount();
  };
  EscolhasArquivo escolhas([&](const PedidoArquivo &) { return recibo; });

  // Declined: the file's guides stay missing and nothing is stored.
  {
    RespostasDialogo respostas;
    respostas.Responder(mrNo);
    EXPECT_FALSE(ImportarReciboEnvio(nullptr));
    ASSERT_EQ(respostas.mostrados.size(), 2u);
    EXPECT_TRUE(respostas.mostrados[0].Texto.contains(Nra));
    EXPECT_TRUE(respostas.mostrados[1].Titulo.contains(QStringLiteral("FE0486")) ||
                respostas.mostrados[1].Texto.contains(QStringLiteral("FE0486")));
    EXPECT_EQ(Protocolo(), QStringLiteral("|"));
    EXPECT_EQ(mostradas, -1);
  }
  // Accepted: the envelope recorded for the file gives the guides back.
  RespostasDialogo respostas;
  respostas.Responder(mrYes);
  ASSERT_TRUE(ImportarReciboEnvio(nullptr));
  EXPECT_EQ(Protocolo(), QStringLiteral("PRT2026-000123|2026-12-11"));
  EXPECT_EQ(mostradas, 1);
}

} // namespace
