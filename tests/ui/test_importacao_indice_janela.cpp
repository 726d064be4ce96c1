// The index import as a user meets it: the menu command, the open dialog's
// name rule, the "TI" messages, the refreshed tree and edition date, and a
// screenshot of the waiting window.
#include "ArvoreTeste.h"

#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "support/IndicesTeste.h"
#include "ui/uImportacaoPadrao.h"
#include "ui/uPrincipal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

namespace {
// Answers the open dialog of the import windows with a path for one test.
class EscolhaArquivo {
public:
  explicit EscolhaArquivo(const QString &arquivo)
      : anterior_(TfrmImportacaoPadrao::EscolherArquivo) {
    TfrmImportacaoPadrao::EscolherArquivo = [arquivo](TfrmImportacaoPadrao *) { return arquivo; };
  }
  ~EscolhaArquivo() { TfrmImportacaoPadrao::EscolherArquivo = anterior_; }

private:
  std::function<QString(TfrmImportacaoPadrao *)> anterior_;
};
} // namespace

class ImportacaoIndiceJanelaTeste : public ArvoreTeste {
protected:
  void SetUp() override {
    ArvoreTeste::SetUp();
    CriarCadastro();
    CarregarDataEditalProrata();
  }
  RespostasDialogo dialogos;
};

TEST_F(ImportacaoIndiceJanelaTeste, MenuImportaEMostraTI0074) {
  TfrmPrincipal j;
  for (TNo no : j.ArvoreVisual().Todos())
    if (j.ArvoreVisual().Texto(no) == QStringLiteral("ANA"))
      j.tvCadastro->setCurrentItem(TArvoreVisualQt::Item(no));
  ASSERT_TRUE(j.Acao(QStringLiteral("ndicesMOLTZELT1"))->isEnabled());
  EscolhaArquivo escolha(ArquivoIndices());
  j.Acao(QStringLiteral("ndicesMOLTZELT1"))->trigger();
  ASSERT_FALSE(dialogos.mostrados.empty());
  EXPECT_TRUE(dialogos.mostrados.back().Texto.startsWith(QStringLiteral("TI0074 - ")))
      << dialogos.mostrados.back().Texto.toStdString();
  EXPECT_EQ(dialogos.mostrados.back().Tipo, dtInformacao);
  EXPECT_EQ(DataParaQDate(DataEditalProrata), QDate(2026, 11, 1));
  // The tree was rebuilt and kept the selection; the window is usable again.
  EXPECT_EQ(j.tvCadastro->currentItem()->text(0), QStringLiteral("ANA"));
  EXPECT_TRUE(j.tvCadastro->isEnabled());
  EXPECT_TRUE(QDir(CaminhoPrograma(QStringLiteral("TEMP"))).isEmpty());
}

TEST_F(ImportacaoIndiceJanelaTeste, ArquivoRecusadoMostraTI0192ENadaMuda) {
  const TDateTime antes = DataEditalProrata;
  const int linhas = Contar(QStringLiteral("FROM QZLTBT18_INDICE_PRORATA"));
  TfrmImportacaoIndice janela;
  EscolhaArquivo escolha(
      ArquivoIndices({QStringLiteral("--defeito"), QStringLiteral("prorata-falha")}));
  EXPECT_TRUE(janela.Selecionar());
  EXPECT_EQ(janela.CodigoMensagem, QStringLiteral("0192"));
  ASSERT_FALSE(dialogos.mostrados.empty());
  EXPECT_TRUE(dialogos.mostrados.back().Texto.startsWith(QStringLiteral("TI0192 - ")));
  EXPECT_EQ(DataEditalProrata, antes);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBT18_INDICE_PRORATA")), linhas);
  EXPECT_FALSE(janela.isVisible());
}

TEST_F(ImportacaoIndiceJanelaTeste, NadaEscolhidoNadaAcontece) {
  TfrmImportacaoIndice janela;
  EscolhaArquivo escolha{QString()};
  EXPECT_FALSE(janela.Selecionar());
  EXPECT_TRUE(dialogos.mostrados.empty());
}

TEST_F(ImportacaoIndiceJanelaTeste, DialogoSoFechaComONomeDoBanco) {
  QDir pastaArquivos(pasta->Caminho());
  for (const char *nome : {"IndicesVESK.zip", "ind_vesk.zip", "IndicesVESK.ZIP", "outro.zip"})
    pasta->EscreverArquivo(QString::fromLatin1(nome), "x");
  TfrmImportacaoIndice janela;
  const struct {
    const char *Nome;
    bool Fecha;
  } casos[] = {{"IndicesVESK.zip", true},
               {"ind_vesk.zip", true},
               {"IndicesVESK.ZIP", false},
               {"outro.zip", false},
               {"IND_VESK.ZIP", false}}; // the right name, but no such file here
  for (const auto &c : casos) {
    TDialogoAbrirImportacao dialogo(&janela);
    EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Importar arquivo de índice..."));
    dialogo.setDirectory(pasta->Caminho());
    dialogo.selectFile(pastaArquivos.filePath(QString::fromLatin1(c.Nome)));
    dialogo.show();
    dialogo.accept();
    EXPECT_EQ(dialogo.result() == QDialog::Accepted, c.Fecha) << c.Nome;
    EXPECT_EQ(dialogo.isVisible(), !c.Fecha) << c.Nome;
  }
}

TEST_F(ImportacaoIndiceJanelaTeste, CapturaDaJanelaDeEspera) {
  TfrmImportacaoIndice janela;
  EXPECT_EQ(janela.windowTitle(), QStringLiteral("VESK Eletrônica"));
  EXPECT_EQ(janela.lblMensagem->text(), QStringLiteral("Aguarde. Importando Índices do ZELT..."));
  EXPECT_EQ(janela.Timer1->interval(), 500);
  janela.show();
  const QString capturas = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(capturas);
  EXPECT_TRUE(janela.grab().save(QDir(capturas).filePath(QStringLiteral("importacao_indice.png"))));
}
