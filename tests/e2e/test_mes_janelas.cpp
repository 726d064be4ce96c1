// The month through the windows, offscreen, as far as a user clicks it: the
// first-run import, the main window, the opening frame, marking from the
// tree, the simulation window, the closing with the statement and the save
// dialog answered through the seams, the guide query printing to PDF, and the
// backup. A screenshot of each step goes to the build's tests/capturas/mes/;
// with VESK_CAPTURAS_DOCS set to a folder, small copies for the user's guide
// go there too (tools/capturas_guia.sh).
#include "e2e/MesComum.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"

#include "collection/unMovimento.h"
#include "reports/URelPaginado.h"
#include "reports/uQReportPreview.h"
#include "ui/uAbreMovimento.h"
#include "ui/uBackup.h"
#include "ui/uConsultaGuiasTotal.h"
#include "ui/uEntrada.h"
#include "ui/uPrincipal.h"
#include "ui/uSimulaMovimento.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {
// A screenshot for the test's artefacts and, when asked, a small copy for
// the user's guide.
void Capturar(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas/mes");
  QDir().mkpath(pasta);
  const QPixmap imagem = w.grab();
  EXPECT_TRUE(imagem.save(QDir(pasta).filePath(nome))) << nome.toStdString();
  const QString docs = qEnvironmentVariable("VESK_CAPTURAS_DOCS");
  if (!docs.isEmpty()) {
    QDir().mkpath(docs);
    imagem.scaledToWidth(std::min(imagem.width(), 640), Qt::SmoothTransformation)
        .save(QDir(docs).filePath(nome));
  }
}

QStringList Codigos(const RespostasDialogo &d) {
  QStringList r;
  for (const PedidoDialogo &p : d.mostrados)
    r << p.Texto.left(70);
  return r;
}
} // namespace

class MesJanelasTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    InstalarSelador(pasta->Caminho());
    anterior_ = DefinirEscolhedorArquivo(nullptr);
  }
  void TearDown() override {
    DefinirEscolhedorArquivo(anterior_);
    TfrmSimulaMovimento::AoMostrar = nullptr;
    InterceptarVisualizacao = nullptr;
    TfrmConsultaGuiasTotal::Interceptar = nullptr;
    BancoTeste::TearDown();
  }
  std::map<int, int> Estados() { return EstadosDosVinculos(); }
  EscolhedorArquivo anterior_;
};

TEST_F(MesJanelasTeste, UmMesPelasJanelas) {
  const QString troca = pasta->Arquivo(QStringLiteral("troca"));
  QDir().mkpath(troca);
  const QString folha = QDir(troca).filePath(QStringLiteral("VESK.re"));
  ASSERT_EQ(Shell(QStringLiteral("python3 '%1/tools/gerar_folha/gerar_folha.py' '%2' --empresas 3 "
                                 "--vinculos 24 --complementos 0.2 --cei --responsavel-empresa "
                                 "--semente 31")
                      .arg(QStringLiteral(VESK_SOURCE_DIR), folha),
                  troca),
            0);

  // 1. First run: the payroll import from the start window.
  {
    RespostasDialogo d;
    d.Responder(mrOk); // imported
    d.Responder(mrNo); // no balance request now
    TfrmEntrada e;
    e.show();
    Capturar(e, QStringLiteral("01_entrada.png"));
    ASSERT_TRUE(e.ImportarArquivoFolha(folha)) << Codigos(d).join(u'\n').toStdString();
  }
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 24}}));

  // 2. The main window on the imported registry.
  TfrmPrincipal j;
  j.resize(1000, 640);
  j.show();
  j.tvCadastro->expandAll();
  QApplication::processEvents();
  Capturar(j, QStringLiteral("02_principal.png"));

  // 3. The opening frame on the "Movimento" tab: a new run for 23/11/2026.
  j.TabTreeView->setCurrentIndex(1);
  TfrmAbreMovimento &f = *j.frmAbreMovimento1;
  {
    RespostasDialogo d;
    d.Responder(mrNo); // no balance complement now
    f.btnNovaAbertura->click();
    f.dteDataRecolhimento->setText(QStringLiteral("23/11/2026"));
    QApplication::processEvents();
    Capturar(j, QStringLiteral("03_abertura.png"));
    f.btnSalvar->click();
    EXPECT_FALSE(f.EmEdicao()) << Codigos(d).join(u'\n').toStdString();
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG01_ABERTURA_RECOLHIMENTO WHERE DT_PAGAMENTO = "
                                    "'2026-11-23'")),
              1);
  }

  // 4. Marking every link from the tree's root.
  {
    RespostasDialogo d;
    j.tvCadastro->setCurrentItem(j.tvCadastro->topLevelItem(0));
    j.Acao(QStringLiteral("Participar"))->trigger();
    EXPECT_EQ(Estados(), (std::map<int, int>{{1, 24}})) << Codigos(d).join(u'\n').toStdString();
    j.tvCadastro->expandAll();
    QApplication::processEvents();
    Capturar(j, QStringLiteral("04_marcados.png"));
  }

  // 5. The simulation window: the companies' totals.
  qint64 simulado = 0;
  int empresasSimuladas = 0;
  TfrmSimulaMovimento::AoMostrar = [&](TfrmSimulaMovimento &s) {
    empresasSimuladas = s.grdEmpresa->rowCount();
    // The "Valor a Recolher" column, as shown ("1.234,56").
    for (int r = 0; r < s.grdEmpresa->rowCount(); ++r)
      simulado += s.grdEmpresa->item(r, 3)->text().remove(u'.').remove(u',').toLongLong();
    s.resize(900, 420);
    s.show();
    Capturar(s, QStringLiteral("05_simulacao.png"));
  };
  {
    RespostasDialogo d;
    f.btnSimulacao->click();
    EXPECT_TRUE(d.mostrados.empty()) << Codigos(d).join(u'\n').toStdString();
  }
  EXPECT_EQ(empresasSimuladas, 3);

  // 6. The closing: confirmation, the statement (captured, then checked) and
  // the envelope's save dialog, answered through the seams.
  const QString envelope = QDir(troca).filePath(QStringLiteral("GuiaVESK.HXF"));
  DefinirEscolhedorArquivo([&](const PedidoArquivo &p) {
    EXPECT_TRUE(p.Salvar);
    return envelope;
  });
  {
    RespostasDialogo d;
    d.Responder(mrYes); // 990404
    QTimer::singleShot(100, [] {
      auto *declaracao = qobject_cast<QDialog *>(QApplication::activeModalWidget());
      ASSERT_TRUE(declaracao);
      Capturar(*declaracao, QStringLiteral("06_declaracao.png"));
      declaracao->findChild<QCheckBox *>(QStringLiteral("chkDeclaracao"))->setChecked(true);
    });
    f.btnFechamento->click();
    EXPECT_TRUE(Codigos(d).join(u'\n').contains(QStringLiteral("990245")))
        << Codigos(d).join(u'\n').toStdString();
  }
  EXPECT_TRUE(QFile::exists(envelope));
  EXPECT_EQ(Estados(), (std::map<int, int>{{2, 24}}));
  j.tvCadastro->expandAll();
  QApplication::processEvents();
  Capturar(j, QStringLiteral("07_fechado.png"));
  const qint64 guias = Valor(QStringLiteral("SELECT CAST(SUM(VR_TOTAL_RECOLHIDO) * 100 AS BIGINT) "
                                            "FROM QZLTBG08_GUIA_TOTALIZADORA"))
                           .toLongLong();
  EXPECT_EQ(guias, simulado);

  // 7. The bank's receipt through "Guias" > "Por Protocolo": the sent file's
  // guides come up in the guide query, which prints every one to PDF.
  ASSERT_EQ(
      Banco({QStringLiteral("certificado"), QDir(troca).filePath(QStringLiteral("cert"))}, troca),
      0);
  const QString recibo = QDir(troca).filePath(QStringLiteral("recibo.xml"));
  ASSERT_EQ(Banco({QStringLiteral("recibo"), envelope, QStringLiteral("--chave"),
                   QDir(troca).filePath(QStringLiteral("cert/chave.pem")),
                   QStringLiteral("--certificado"),
                   QDir(troca).filePath(QStringLiteral("cert/certificado.pem")),
                   QStringLiteral("--saida"), recibo},
                  troca),
            0);
  DefinirEscolhedorArquivo([&](const PedidoArquivo &p) {
    EXPECT_FALSE(p.Salvar);
    return recibo;
  });
  const QString pdf = QDir(troca).filePath(QStringLiteral("guias.pdf"));
  int paginas = 0, guiasDoRecibo = -1;
  InterceptarVisualizacao = [&](TRelatorioPaginado &r) {
    paginas = r.QuantidadePaginas();
    QString erro;
    EXPECT_TRUE(ExportarPDF(r, pdf, &erro)) << erro.toStdString();
  };
  TfrmConsultaGuiasTotal::Interceptar = [&](TfrmConsultaGuiasTotal &c) {
    guiasDoRecibo = c.sgEmpresa->rowCount();
    c.resize(900, 480);
    c.show();
    Capturar(c, QStringLiteral("08_consulta_guias.png"));
    c.chkTodasEmpresas->setChecked(true);
    c.btnImprimirClick();
  };
  {
    RespostasDialogo d;
    j.Acao(QStringLiteral("PorProtocolo"))->trigger();
    EXPECT_TRUE(d.mostrados.empty()) << Codigos(d).join(u'\n').toStdString();
  }
  TfrmConsultaGuiasTotal::Interceptar = nullptr;
  EXPECT_EQ(guiasDoRecibo, 3);
  EXPECT_EQ(paginas, 3);
  EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM QZLTBG13_ARQUIVO WHERE CO_PROTOCOLO IS "
                                 "NOT NULL")),
            QStringLiteral("1"));
  // The first printed guide, as a picture.
  QProcess p;
  p.start(QStringLiteral("pdftoppm"),
          {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
           QStringLiteral("-singlefile"), pdf, QDir(troca).filePath(QStringLiteral("guia"))});
  ASSERT_TRUE(p.waitForFinished(60000));
  QLabel guia;
  const QPixmap pagina(QDir(troca).filePath(QStringLiteral("guia.png")));
  guia.setPixmap(pagina);
  guia.setFixedSize(pagina.size());
  EXPECT_GT(guia.width(), 100);
  Capturar(guia, QStringLiteral("09_guia_impressa.png"));

  // 8. The backup from its window.
  const QString zip = QDir(troca).filePath(QStringLiteral("backup.zip"));
  DefinirEscolhedorArquivo([&](const PedidoArquivo &) { return zip; });
  {
    RespostasDialogo d;
    TfrmBackup b;
    b.show();
    Capturar(b, QStringLiteral("10_backup.png"));
    b.btnAvancar->click();
    EXPECT_TRUE(Codigos(d).join(u'\n').contains(QStringLiteral("990252")))
        << Codigos(d).join(u'\n').toStdString();
  }
  EXPECT_TRUE(QFile::exists(zip));
}
