#include "uBackup.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "maintenance/unTBackup.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmBackup::TfrmBackup(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBackup"));
  setWindowTitle(QStringLiteral("Backup do Sistema"));
  // No title-bar buttons: the window closes through its own buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto *texto1 = new QLabel(QStringLiteral("O Backup permite a geração de uma cópia de segurança\n"
                                           "dos dados cadastrais do sistema."));
  auto *texto2 = new QLabel(QStringLiteral("Serão armazenados os dados do responsável, empresas \n"
                                           "e empregados."));
  lbMensagem = new QLabel;
  lbMensagem->setObjectName(QStringLiteral("lbMensagem"));
  QFont negrito = lbMensagem->font();
  negrito.setBold(true);
  lbMensagem->setFont(negrito);
  btnAvancar = new QPushButton(QStringLiteral("&Avançar"));
  btnAvancar->setObjectName(QStringLiteral("btnAvancar"));
  btnAvancar->setDefault(true);
  btnCancela = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancela->setObjectName(QStringLiteral("btnCancela"));
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(lbMensagem, 1);
  botoes->addWidget(btnAvancar);
  botoes->addWidget(btnCancela);
  auto *l = new QVBoxLayout(this);
  l->addWidget(texto1);
  l->addSpacing(8);
  l->addWidget(texto2);
  l->addStretch();
  l->addLayout(botoes);
  resize(460, 170);
  connect(btnAvancar, &QPushButton::clicked, this, &TfrmBackup::btnAvancarClick);
  connect(btnCancela, &QPushButton::clicked, this, &QDialog::reject);
  btnAvancar->setFocus();
}

void TfrmBackup::Status(const QString &texto) {
  lbMensagem->setText(texto);
  lbMensagem->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmBackup::btnAvancarClick() {
  const QString pastaBackup = CaminhoPrograma(QStringLiteral("Backup"));
  if (!QDir().mkpath(pastaBackup)) {
    Utilitarios.ExibirMensagem(QStringLiteral("990137"), dtInformacao, 0, QString(), 2, mbOK);
    return;
  }
  QString nome;
  try {
    nome = QStringLiteral("VESK_db_") +
           Utilitarios.DataFormatada(QStringLiteral("yyyymmddhhnn"), false,
                                     Utilitarios.DataServidor(true)) +
           QStringLiteral(".zip");
  } catch (const std::exception &) {
    nome = QStringLiteral("VESK_db.zip");
  }
  PedidoArquivo pedido;
  pedido.Salvar = true;
  pedido.Titulo = QStringLiteral("Salvar Backup da Base de Dados");
  pedido.Pasta = pastaBackup;
  pedido.Nome = nome;
  pedido.Filtro = QStringLiteral("Arquivos Zip (*.zip)");
  pedido.Sufixo = QStringLiteral("zip");
  const QString arquivo = EscolherArquivo(pedido);
  if (arquivo.isEmpty())
    return;
  const QString temp = CaminhoPrograma(QStringLiteral("TEMP"));
  if (!QDir().mkpath(temp)) {
    Utilitarios.ExibirMensagem(QStringLiteral("990227"), dtInformacao, 0, QString(), 2, mbOK);
    return;
  }
  TBackup backup;
  backup.AoEtapa = [this](const QString &etapa) {
    Status(etapa.startsWith(QStringLiteral("Compact"))
               ? QStringLiteral("Aguarde compactação do Backup!")
               : QStringLiteral("Aguarde geração do Backup!"));
  };
  Status(QStringLiteral("Aguarde geração do Backup!"));
  btnAvancar->setEnabled(false);
  btnCancela->setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString codigo = FazerBackup(backup, temp, arquivo);
  QApplication::restoreOverrideCursor();
  lbMensagem->clear();
  btnAvancar->setEnabled(true);
  btnCancela->setEnabled(true);
  if (codigo.isEmpty())
    return;
  Utilitarios.ExibirMensagem(QStringLiteral("99") + codigo, dtInformacao, 0, QString(), 2, mbOK);
  if (codigo == QStringLiteral("0252"))
    accept();
}
