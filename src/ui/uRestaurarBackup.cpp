#include "uRestaurarBackup.h"

#include "reports/uRelInconsistencia.h"

#include "UnArvore.h"
#include "uProgImporta.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"
#include "maintenance/unTBackup.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

std::function<void(QWidget *)> TfrmRestaurarBackup::MostrarInconsistencias = [](QWidget *pai) {
  TRelInconsistenciaFechamento relatorio;
  relatorio.VisualizarFechamento(pai);
};

TfrmRestaurarBackup::TfrmRestaurarBackup(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmRestaurarBackup"));
  setWindowTitle(QStringLiteral("Restaurar Backup"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  auto *texto1 = new QLabel(QStringLiteral("Ao restaurar o backup do sistema, todos os dados\n"
                                           "existentes serão substituídos."));
  auto *texto2 =
      new QLabel(QStringLiteral("Clique em Avançar e selecione o local onde se encontra \n"
                                "o arquivo do backup."));
  lbMensagem = new QLabel;
  lbMensagem->setObjectName(QStringLiteral("lbMensagem"));
  QFont negrito = lbMensagem->font();
  negrito.setBold(true);
  lbMensagem->setFont(negrito);
  btnAvancar = new QPushButton(QStringLiteral("&Avançar"));
  btnAvancar->setObjectName(QStringLiteral("btnAvancar"));
  btnAvancar->setDefault(true);
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(lbMensagem, 1);
  botoes->addWidget(btnAvancar);
  botoes->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(texto1);
  l->addSpacing(8);
  l->addWidget(texto2);
  l->addStretch();
  l->addLayout(botoes);
  resize(460, 170);
  setFixedSize(size());
  connect(btnAvancar, &QPushButton::clicked, this, &TfrmRestaurarBackup::btnAvancarClick);
  // Esc reaches reject(), which is what "Cancelar" does.
  connect(btnCancelar, &QPushButton::clicked, this, &TfrmRestaurarBackup::btnCancelarClick);
  btnAvancar->setFocus();
}

void TfrmRestaurarBackup::Status(const QString &texto) {
  lbMensagem->setText(texto);
  lbMensagem->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmRestaurarBackup::btnCancelarClick() {
  reject();
}

void TfrmRestaurarBackup::btnAvancarClick() {
  const QString pastaBackup = CaminhoPrograma(QStringLiteral("Backup"));
  if (!QDir().mkpath(pastaBackup)) {
    Utilitarios.ExibirMensagem(QStringLiteral("990137"), dtInformacao, 0, QString(), 2, mbOK);
    return;
  }
  PedidoArquivo pedido;
  pedido.Titulo = QStringLiteral("Escolha o Arquivo de Backup");
  pedido.Pasta = pastaBackup;
  pedido.Filtro = QStringLiteral("Arquivos Zip (*.zip)");
  pedido.Sufixo = QStringLiteral("zip");
  const QString arquivo = EscolherArquivo(pedido);
  if (arquivo.isEmpty())
    return;
  Status(QStringLiteral("Aguarde validação do Backup!"));
  btnAvancar->setEnabled(false);
  btnCancelar->setEnabled(false);
  TBackup backup;
  backup.AoEtapa = [this](const QString &etapa) {
    if (etapa.startsWith(QStringLiteral("Conferindo")))
      Status(QStringLiteral("Aguarde restauração do Backup!"));
  };
  backup.AoAvancar = [this](qint64 feitas, qint64 total) {
    if (total > 0)
      Status(QStringLiteral("Aguarde restauração do Backup! %1%").arg(feitas * 100 / total));
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString codigo =
      RestaurarBackup(backup, CaminhoPrograma(QStringLiteral("TEMP")), arquivo, [] {
        QApplication::restoreOverrideCursor();
        const bool sim = Utilitarios.ExibirMensagem(QStringLiteral("990477"), dtConfirmacao, 0,
                                                    QString(), 0, mbYes | mbNo) == mrYes;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return sim;
      });
  QApplication::restoreOverrideCursor();
  if (codigo == QStringLiteral("0255") || codigo == QStringLiteral("0478")) {
    Restaurado = true;
    Status(QStringLiteral("Preparando visualização da tela!"));
    // The main window's tree (when there is one) and the cached dates.
    if (TfrmProgImporta::AtualizarArvore)
      TfrmProgImporta::AtualizarArvore();
    else
      AtualizarArvore();
    lbMensagem->clear();
    btnAvancar->setEnabled(true);
    btnCancelar->setEnabled(true);
    if (codigo == QStringLiteral("0478")) {
      if (Utilitarios.ExibirMensagem(QStringLiteral("990478"), dtConfirmacao, 0, QString(), 0,
                                     mbYes | mbNo) == mrYes &&
          MostrarInconsistencias)
        MostrarInconsistencias(this);
    } else {
      Utilitarios.ExibirMensagem(QStringLiteral("990255"), dtInformacao, 0, QString(), 2, mbOK);
    }
    accept();
    return;
  }
  lbMensagem->clear();
  btnAvancar->setEnabled(true);
  btnCancelar->setEnabled(true);
  Utilitarios.ExibirMensagem(QStringLiteral("99") + codigo, dtInformacao, 0, QString(), 2, mbOK);
  if (codigo == QStringLiteral("0251"))
    btnCancelar->setFocus();
}
