#include "reports/uQReportPreview.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
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

constexpr int ZoomMinimo = 10;
constexpr int ZoomMaximo = 800;
} // namespace

const QList<int> TQReportPreview::Zooms = {10, 25, 50, 75, 100, 125, 150, 200, 300, 400};

TQReportPreview::TQReportPreview(TRelatorioPaginado &rel, QWidget *pai) : QDialog(pai), rel_(rel) {
  setObjectName(QStringLiteral("TQReportPreview"));
  setWindowTitle(QStringLiteral("Relatório"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  total_ = rel_.QuantidadePaginas();

  QStyle *s = style();
  auto *barra = new QToolBar(this);
  auto acao = [&](int indice, QStyle::StandardPixmap icone, const QString &dica, auto &&slot) {
    QAction *a = barra->addAction(s->standardIcon(icone), dica, this, slot);
    a->setToolTip(dica);
    acoes_[indice] = a;
    return a;
  };
  acao(0, QStyle::SP_DialogSaveButton, QStringLiteral("Imprimir"), &TQReportPreview::Imprimir);
  barra->addSeparator();
  acao(1, QStyle::SP_MediaSkipBackward, QStringLiteral("Primeira Página"), [this] {
    IrParaPagina(0);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  acao(2, QStyle::SP_MediaSeekBackward, QStringLiteral("Página Anterior"), [this] {
    IrParaPagina(pagina_ - 1);
  })->setShortcut(QKeySequence(Qt::Key_PageUp));
  acao(3, QStyle::SP_MediaSeekForward, QStringLiteral("Próxima Página"), [this] {
    IrParaPagina(pagina_ + 1);
  })->setShortcut(QKeySequence(Qt::Key_PageDown));
  acao(4, QStyle::SP_MediaSkipForward, QStringLiteral("Última Página"), [this] {
    IrParaPagina(total_ - 1);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
  barra->addSeparator();
  acao(5, QStyle::SP_ArrowUp, QStringLiteral("Mais Zoom"), [this] {
    MaisZoom();
  })->setShortcut(QKeySequence::ZoomIn);
  acao(6, QStyle::SP_ArrowDown, QStringLiteral("Menos Zoom"), [this] {
    MenosZoom();
  })->setShortcut(QKeySequence::ZoomOut);
  comboZoom_ = new QComboBox(barra);
  comboZoom_->setObjectName(QStringLiteral("cbZoom"));
  comboZoom_->setEditable(true);
  comboZoom_->setInsertPolicy(QComboBox::NoInsert);
  comboZoom_->setToolTip(QStringLiteral("Zoom"));
  for (int z : Zooms)
    comboZoom_->addItem(QStringLiteral("%1%").arg(z), z);
  acoes_[7] = barra->addWidget(comboZoom_);
  barra->addSeparator();
  acao(8, QStyle::SP_DriveFDIcon, QStringLiteral("Exportar para PDF"),
       &TQReportPreview::ExportarPDF)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  acao(9, QStyle::SP_DialogCloseButton, QStringLiteral("Fechar Relatório"), &QDialog::reject);

  auto *menus = new QMenuBar(this);
  QMenu *arquivo = menus->addMenu(QStringLiteral("&Arquivo"));
  QAction *imprimir =
      arquivo->addAction(QStringLiteral("&Imprimir..."), this, &TQReportPreview::Imprimir);
  imprimir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  arquivo->addSeparator();
  arquivo->addAction(QStringLiteral("Sai&r"), this, &QDialog::reject)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  QMenu *visualizar = menus->addMenu(QStringLiteral("&Visualizar"));
  visualizar->addAction(QStringLiteral("Mais zoom"), this, [this] { MaisZoom(); });
  visualizar->addAction(QStringLiteral("Menos zoom"), this, [this] { MenosZoom(); });

  imagem_ = new QLabel;
  imagem_->setAlignment(Qt::AlignCenter);
  imagem_->setBackgroundRole(QPalette::Dark);
  rolagem_ = new QScrollArea(this);
  rolagem_->setWidget(imagem_);
  rolagem_->setWidgetResizable(true);
  rolagem_->setBackgroundRole(QPalette::Dark);
  auto *barraStatus = new QStatusBar(this);
  barraStatus->setSizeGripEnabled(false);
  status_ = new QLabel(barraStatus);
  barraStatus->addWidget(status_, 1);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menus);
  layout->addWidget(barra);
  layout->addWidget(rolagem_, 1);
  layout->addWidget(barraStatus);

  connect(comboZoom_, &QComboBox::activated, this,
          [this](int i) { DefinirZoom(comboZoom_->itemData(i).toInt()); });
  connect(comboZoom_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (!DigitarZoom(comboZoom_->currentText()))
      comboZoom_->setEditText(QStringLiteral("%1%").arg(zoom_));
  });

  resize(1000, 760);
  rolagem_->setFocus();
  Redesenhar();
}

void TQReportPreview::DefinirEnabledButtons(int flags) {
  botoes_ = flags;
  AtualizarComandos();
}

QString TQReportPreview::TextoStatus() const {
  return QStringLiteral("Página ") + QString::number(total_ > 0 ? pagina_ + 1 : 0) +
         QStringLiteral(" de ") + QString::number(total_);
}

void TQReportPreview::DefinirZoom(int percentual) {
  zoom_ = std::clamp(percentual, ZoomMinimo, ZoomMaximo);
  Redesenhar();
}

void TQReportPreview::MaisZoom() {
  for (int z : Zooms)
    if (z > zoom_) {
      DefinirZoom(z);
      return;
    }
}

void TQReportPreview::MenosZoom() {
  for (auto it = Zooms.crbegin(); it != Zooms.crend(); ++it)
    if (*it < zoom_) {
      DefinirZoom(*it);
      return;
    }
}

bool TQReportPreview::DigitarZoom(const QString &texto) {
  static const QRegularExpression numero(QStringLiteral("^\\s*(\\d{1,4})\\s*%?\\s*$"));
  const auto m = numero.match(texto);
  if (!m.hasMatch() || m.captured(1).toInt() <= 0)
    return false;
  DefinirZoom(m.captured(1).toInt());
  return true;
}

void TQReportPreview::IrParaPagina(int pagina) {
  pagina = std::clamp(pagina, 0, std::max(total_ - 1, 0));
  if (pagina == pagina_)
    return;
  pagina_ = pagina;
  Redesenhar();
}

QImage TQReportPreview::ImagemPagina(int pagina, double pixelsPorMm) const {
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

void TQReportPreview::Redesenhar() {
  const double pxPorMm = logicalDpiX() / 25.4 * zoom_ / 100.0;
  imagem_->setPixmap(QPixmap::fromImage(ImagemPagina(pagina_, std::max(pxPorMm, 0.2))));
  const QString texto = QStringLiteral("%1%").arg(zoom_);
  const int i = comboZoom_->findData(zoom_);
  if (i >= 0)
    comboZoom_->setCurrentIndex(i);
  comboZoom_->setEditText(texto);
  status_->setText(TextoStatus());
  AtualizarComandos();
}

void TQReportPreview::AtualizarComandos() {
  const bool temPaginas = total_ > 0;
  const bool pode[10] = {temPaginas,
                         pagina_ > 0,
                         pagina_ > 0,
                         pagina_ < total_ - 1,
                         pagina_ < total_ - 1,
                         zoom_<Zooms.last(), zoom_> Zooms.first(),
                         true,
                         temPaginas,
                         true};
  for (int i = 0; i < 10; ++i)
    if (acoes_[i])
      acoes_[i]->setEnabled(pode[i] && (botoes_ & (1 << i)));
}

void TQReportPreview::Imprimir() {
  if (!(botoes_ & btImprimir) || total_ == 0)
    return;
  QPrinter impressora(QPrinter::HighResolution);
  // The painter places everything from the page's corner.
  impressora.setFullPage(true);
  impressora.setPageLayout(rel_.LayoutPagina());
  impressora.setDocName(rel_.Titulo());
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
  QProgressDialog progresso(QStringLiteral("0% Concluído"), QStringLiteral("Cancelar"), 0, 100,
                            this);
  progresso.setWindowTitle(QStringLiteral("Progresso de Impressão"));
  progresso.setWindowModality(Qt::WindowModal);
  progresso.setMinimumDuration(0);
  bool cancelado = false;
  const bool ok = ImprimirRelatorio(rel_, impressora, primeira, ultima, [&](int feitas, int n) {
    const int pct = n > 0 ? feitas * 100 / n : 100;
    progresso.setValue(pct);
    progresso.setLabelText(QStringLiteral("%1% Concluído").arg(pct));
    QApplication::processEvents();
    cancelado = progresso.wasCanceled();
    return !cancelado;
  });
  if (!ok && !cancelado)
    Aviso(QStringLiteral("Não foi possível imprimir o relatório."));
}

bool TQReportPreview::ExportarPara(const QString &arquivo) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString erro;
  const bool ok = ::ExportarPDF(rel_, arquivo, &erro);
  QApplication::restoreOverrideCursor();
  if (!ok)
    Aviso(erro);
  return ok;
}

void TQReportPreview::ExportarPDF() {
  if (!(botoes_ & btExportarPDF))
    return;
  PedidoArquivo pedido;
  pedido.Salvar = true;
  pedido.Titulo = QStringLiteral("Exportar relatorio para formato pdf");
  pedido.Pasta = PastaPrograma();
  pedido.Nome = QStringLiteral("RelatorioVESK.pdf");
  pedido.Filtro = QStringLiteral("*.pdf");
  QString arquivo = EscolherArquivo(pedido);
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
  TQReportPreview v(rel, pai);
  v.exec();
}
