#include "reports/uVisualizador.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
void Aviso(const QString &texto) {
  PedidoDialogo p;
  p.Tipo = dtAviso;
  p.Titulo = QStringLiteral("Atenção");
  p.Texto = texto;
  MostrarDialogo(p);
}

QSizeF TamanhoMm(const QPageLayout &l) {
  return l.fullRect(QPageLayout::Millimeter).size();
}
} // namespace

TfrmVisualizador::TfrmVisualizador(TRelatorioPaginado &rel, QWidget *pai)
    : QDialog(pai), rel_(rel) {
  setWindowTitle(rel.Titulo());
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  total_ = rel_.QuantidadePaginas();

  auto *barra = new QToolBar(this);
  auto *imprimir = barra->addAction(QStringLiteral("&Imprimir"), this, &TfrmVisualizador::Imprimir);
  imprimir->setShortcut(QKeySequence::Print);
  auto *pdf =
      barra->addAction(QStringLiteral("Exportar para &PDF"), this, &TfrmVisualizador::ExportarPDF);
  pdf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  barra->addSeparator();
  acoes_[0] = barra->addAction(QStringLiteral("|< Primeira"), this, [this] { IrParaPagina(0); });
  acoes_[1] =
      barra->addAction(QStringLiteral("< Anterior"), this, [this] { IrParaPagina(pagina_ - 1); });
  acoes_[2] =
      barra->addAction(QStringLiteral("Próxima >"), this, [this] { IrParaPagina(pagina_ + 1); });
  acoes_[3] =
      barra->addAction(QStringLiteral("Última >|"), this, [this] { IrParaPagina(total_ - 1); });
  acoes_[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  acoes_[1]->setShortcut(QKeySequence(Qt::Key_PageUp));
  acoes_[2]->setShortcut(QKeySequence(Qt::Key_PageDown));
  acoes_[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
  barra->addSeparator();
  auto *rotuloPagina = new QLabel(QStringLiteral("Pá&gina "), barra);
  spinPagina_ = new QSpinBox(barra);
  spinPagina_->setRange(total_ > 0 ? 1 : 0, std::max(total_, 0));
  rotuloPagina->setBuddy(spinPagina_);
  rotuloTotal_ = new QLabel(QStringLiteral(" de %1  ").arg(total_), barra);
  barra->addWidget(rotuloPagina);
  barra->addWidget(spinPagina_);
  barra->addWidget(rotuloTotal_);
  auto *rotuloZoom = new QLabel(QStringLiteral("&Zoom "), barra);
  comboZoom_ = new QComboBox(barra);
  comboZoom_->addItem(QStringLiteral("Página inteira"), 0);
  comboZoom_->addItem(QStringLiteral("Largura da página"), -1);
  for (int z : {50, 75, 100, 150, 200})
    comboZoom_->addItem(QStringLiteral("%1%").arg(z), z);
  rotuloZoom->setBuddy(comboZoom_);
  barra->addWidget(rotuloZoom);
  barra->addWidget(comboZoom_);
  barra->addSeparator();
  barra->addAction(QStringLiteral("&Fechar"), this, &QDialog::reject);

  imagem_ = new QLabel;
  imagem_->setAlignment(Qt::AlignCenter);
  imagem_->setBackgroundRole(QPalette::Dark);
  rolagem_ = new QScrollArea(this);
  rolagem_->setWidget(imagem_);
  rolagem_->setWidgetResizable(true);
  rolagem_->setBackgroundRole(QPalette::Dark);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(barra);
  layout->addWidget(rolagem_, 1);

  connect(spinPagina_, &QSpinBox::valueChanged, this, [this](int v) { IrParaPagina(v - 1); });
  connect(comboZoom_, &QComboBox::currentIndexChanged, this,
          [this](int i) { DefinirZoom(comboZoom_->itemData(i).toInt()); });
  auto *mais = new QShortcut(QKeySequence::ZoomIn, this);
  connect(mais, &QShortcut::activated, this, [this] {
    comboZoom_->setCurrentIndex(std::min(comboZoom_->currentIndex() + 1, comboZoom_->count() - 1));
  });
  auto *menos = new QShortcut(QKeySequence::ZoomOut, this);
  connect(menos, &QShortcut::activated, this,
          [this] { comboZoom_->setCurrentIndex(std::max(comboZoom_->currentIndex() - 1, 0)); });

  resize(900, 760);
  rolagem_->setFocus();
  Redesenhar();
}

void TfrmVisualizador::DefinirZoom(int percentual) {
  zoom_ = percentual;
  const int i = comboZoom_->findData(percentual);
  if (i >= 0 && i != comboZoom_->currentIndex())
    comboZoom_->setCurrentIndex(i);
  Redesenhar();
}

void TfrmVisualizador::IrParaPagina(int pagina) {
  pagina = std::clamp(pagina, 0, std::max(total_ - 1, 0));
  if (pagina == pagina_ && spinPagina_->value() == pagina + 1)
    return;
  pagina_ = pagina;
  Redesenhar();
}

QImage TfrmVisualizador::ImagemPagina(int pagina, double pixelsPorMm) const {
  const QSizeF mm = TamanhoMm(rel_.LayoutPagina());
  QImage img(qMax(1, qRound(mm.width() * pixelsPorMm)), qMax(1, qRound(mm.height() * pixelsPorMm)),
             QImage::Format_RGB32);
  img.fill(Qt::white);
  if (pagina >= 0 && pagina < total_) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    AjustarEscala(p, rel_.LayoutPagina(), img.width(), img.height());
    rel_.PintarPagina(p, pagina);
  }
  return img;
}

void TfrmVisualizador::Redesenhar() {
  const QSizeF mm = TamanhoMm(rel_.LayoutPagina());
  const double telaPxPorMm = logicalDpiX() / 25.4;
  const QSize area = rolagem_->viewport()->size() - QSize(20, 20);
  double pxPorMm;
  if (zoom_ == 0)
    pxPorMm = std::min(area.width() / mm.width(), area.height() / mm.height());
  else if (zoom_ < 0)
    pxPorMm = area.width() / mm.width();
  else
    pxPorMm = telaPxPorMm * zoom_ / 100.0;
  pxPorMm = std::max(pxPorMm, 0.5);
  imagem_->setPixmap(QPixmap::fromImage(ImagemPagina(pagina_, pxPorMm)));
  const QSignalBlocker b(spinPagina_);
  spinPagina_->setValue(total_ > 0 ? pagina_ + 1 : 0);
  acoes_[0]->setEnabled(pagina_ > 0);
  acoes_[1]->setEnabled(pagina_ > 0);
  acoes_[2]->setEnabled(pagina_ < total_ - 1);
  acoes_[3]->setEnabled(pagina_ < total_ - 1);
}

void TfrmVisualizador::resizeEvent(QResizeEvent *e) {
  QDialog::resizeEvent(e);
  if (zoom_ <= 0)
    Redesenhar();
}

void TfrmVisualizador::Imprimir() {
  QPrinter impressora(QPrinter::HighResolution);
  // The painter places everything from the page's corner.
  impressora.setFullPage(true);
  impressora.setPageLayout(rel_.LayoutPagina());
  QPrintDialog dialogo(&impressora, this);
  dialogo.setMinMax(1, std::max(total_, 1));
  if (dialogo.exec() != QDialog::Accepted)
    return;
  int primeira = 0, ultima = total_ - 1;
  if (impressora.printRange() == QPrinter::PageRange) {
    primeira = impressora.fromPage() - 1;
    ultima = impressora.toPage() - 1;
  } else if (impressora.printRange() == QPrinter::CurrentPage) {
    primeira = ultima = pagina_;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = ImprimirRelatorio(rel_, impressora, primeira, ultima);
  QApplication::restoreOverrideCursor();
  if (!ok)
    Aviso(QStringLiteral("Não foi possível imprimir o relatório."));
}

bool TfrmVisualizador::ExportarPara(const QString &arquivo) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setFullPage(true);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(arquivo);
  pdf.setCreator(QStringLiteral("VESK Eletrônica"));
  pdf.setDocName(rel_.Titulo());
  const bool ok = ImprimirRelatorio(rel_, pdf);
  QApplication::restoreOverrideCursor();
  if (!ok)
    Aviso(QStringLiteral("Não foi possível gravar o arquivo ") + arquivo);
  return ok;
}

void TfrmVisualizador::ExportarPDF() {
  const QString proposto = QDir(PastaPrograma()).filePath(QStringLiteral("RelatorioVESK.pdf"));
  QString arquivo = RespostaSalvar
                        ? RespostaSalvar()
                        : QFileDialog::getSaveFileName(this,
                                                       QStringLiteral("Exportar relatorio para "
                                                                      "formato pdf"),
                                                       proposto, QStringLiteral("*.pdf"));
  if (arquivo.trimmed().isEmpty())
    return;
  if (!arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    arquivo += QStringLiteral(".pdf");
  ExportarPara(arquivo);
}

void MostrarRelatorio(TRelatorioPaginado &rel, QWidget *pai) {
  if (InterceptarVisualizacao) {
    InterceptarVisualizacao(rel);
    return;
  }
  TfrmVisualizador v(rel, pai);
  v.exec();
}
