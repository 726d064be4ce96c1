#include "uImportacaoPadrao.h"

#include "core/unGlobal.h"
#include "core/unTDiaUtil.h"
#include "core/unUtilitarios.h"
#include "interchange/unImportacaoIndice.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

std::function<QString(TfrmImportacaoPadrao *)> TfrmImportacaoPadrao::EscolherArquivo =
    [](TfrmImportacaoPadrao *janela) {
      TDialogoAbrirImportacao dialogo(janela);
      return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };

TfrmImportacaoPadrao::TfrmImportacaoPadrao(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(NomeProduto));
  setWindowModality(Qt::ApplicationModal);
  lblMensagem = new QLabel;
  lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
  QFont f = lblMensagem->font();
  f.setBold(true);
  lblMensagem->setFont(f);
  Progresso = new QProgressBar;
  Progresso->setRange(0, 0);
  Progresso->setTextVisible(false);
  auto *l = new QVBoxLayout(this);
  l->setContentsMargins(24, 18, 24, 18);
  l->addWidget(lblMensagem);
  l->addWidget(Progresso);
  setMinimumWidth(380);
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, [this] {
    if (!emAndamento_)
      Timer1->stop();
  });
}

bool TfrmImportacaoPadrao::ArquivoAceito(const QString &arquivo) const {
  return QFileInfo(arquivo).isFile();
}

void TfrmImportacaoPadrao::Importar(const QString &) {
  emAndamento_ = true;
  show();
  Timer1->start();
  AtualizarJanelas();
}

void TfrmImportacaoPadrao::Terminar() {
  emAndamento_ = false;
  Timer1->stop();
  hide();
}

bool TfrmImportacaoPadrao::Selecionar() {
  const QString arquivo = EscolherArquivo(this);
  if (arquivo.isEmpty())
    return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Importar(arquivo);
  Terminar();
  QApplication::restoreOverrideCursor();
  TUtilitarios::Mensagem(QStringLiteral("TI") +
                             (CodigoMensagem.isEmpty() ? QStringLiteral("0074") : CodigoMensagem),
                         dtInformacao);
  return true;
}

void TfrmImportacaoPadrao::closeEvent(QCloseEvent *e) {
  if (emAndamento_)
    e->ignore();
  else
    QDialog::closeEvent(e);
}

void TfrmImportacaoPadrao::reject() {
  if (!emAndamento_)
    QDialog::reject();
}

TDialogoAbrirImportacao::TDialogoAbrirImportacao(TfrmImportacaoPadrao *janela)
    : QFileDialog(janela->parentWidget()), janela_(janela) {
  setObjectName(QStringLiteral("dlgAbrir"));
  setWindowTitle(QStringLiteral("Importar arquivo de índice..."));
  setNameFilter(QStringLiteral("Arquivos de importação (*.zip)"));
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  // The program's own dialog, so that the name rule below holds everywhere.
  setOption(QFileDialog::DontUseNativeDialog);
  selectFile(QStringLiteral("IND_VESK.zip"));
}

void TDialogoAbrirImportacao::accept() {
  const QStringList escolhidos = selectedFiles();
  // A folder opens as usual; a file closes the dialog only when it passes.
  if (escolhidos.size() == 1 && QFileInfo(escolhidos.first()).isDir()) {
    QFileDialog::accept();
    return;
  }
  if (escolhidos.size() == 1 && janela_->ArquivoAceito(escolhidos.first()))
    QFileDialog::accept();
}

TfrmImportacaoIndice::TfrmImportacaoIndice(QWidget *parent) : TfrmImportacaoPadrao(parent) {
  setObjectName(QStringLiteral("frmImportacaoIndice"));
  lblMensagem->setText(QStringLiteral("Aguarde. Importando Índices do ZELT..."));
}

bool TfrmImportacaoIndice::ArquivoAceito(const QString &arquivo) const {
  return TImportacaoIndice::NomeArquivoValido(arquivo) && QFileInfo(arquivo).isFile();
}

void TfrmImportacaoIndice::Importar(const QString &arquivo) {
  TfrmImportacaoPadrao::Importar(arquivo);
  TImportacaoIndice importacao;
  importacao.Progresso = [this](int feitos, int total) {
    Progresso->setRange(0, total);
    Progresso->setValue(feitos);
    AtualizarJanelas();
  };
  importacao.AposConfirmar = AposConfirmar;
  importacao.Importar(arquivo);
  CodigoMensagem = importacao.CodigoErro;
}
