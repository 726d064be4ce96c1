#include "uEntrada.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmEntrada::TfrmEntrada(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmEntrada"));
  setWindowTitle(QStringLiteral("VESK Eletrônica"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedWidth(772);

  auto *texto1 = new QLabel(QStringLiteral(
      "Esta é a primeira vez que o sistema está sendo executado. Para continuar\n"
      "é necessário que os dados do responsável sejam cadastrados."));
  auto *texto2 = new QLabel(QStringLiteral(
      "Você pode optar por importar os dados de uma folha de pagamento ou\n"
      "cadastrá-los através de formulário, ou restaurar Backup da base."));
  auto *grupo = new QGroupBox(QStringLiteral("Escolha uma das Opções"));
  rbtFolha = new QRadioButton(QStringLiteral("Importar Folha de Pagamento"));
  rbtFolha->setObjectName(QStringLiteral("rbtFolha"));
  rbtResponsavel = new QRadioButton(QStringLiteral("Cadastrar Responsável"));
  rbtResponsavel->setObjectName(QStringLiteral("rbtResponsavel"));
  rbtRestaurar = new QRadioButton(QStringLiteral("Restaurar Backup"));
  rbtRestaurar->setObjectName(QStringLiteral("rbtRestaurar"));
  auto *lg = new QVBoxLayout(grupo);
  lg->addWidget(rbtFolha);
  lg->addWidget(rbtResponsavel);
  lg->addWidget(rbtRestaurar);
  rbtFolha->setChecked(true);

  lblIndisponivel = new QLabel;
  lblIndisponivel->setObjectName(QStringLiteral("lblIndisponivel"));
  lblIndisponivel->setWordWrap(true);

  btnVoltar = new QPushButton(QStringLiteral("&Voltar"));
  btnVoltar->setObjectName(QStringLiteral("btnVoltar"));
  btnAvancar = new QPushButton(QStringLiteral("&Avançar"));
  btnAvancar->setObjectName(QStringLiteral("btnAvancar"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnVoltar->hide();
  btnAvancar->setDefault(true);

  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnVoltar);
  botoes->addWidget(btnAvancar);
  botoes->addWidget(btnCancelar);

  auto *l = new QVBoxLayout(this);
  l->addWidget(texto1);
  l->addWidget(texto2);
  l->addWidget(grupo);
  l->addWidget(lblIndisponivel);
  l->addStretch();
  l->addLayout(botoes);
  resize(772, 324);

  connect(btnAvancar, &QPushButton::clicked, this, &TfrmEntrada::btnAvancarClick);
  connect(btnVoltar, &QPushButton::clicked, this, &TfrmEntrada::btnVoltarClick);
  connect(btnCancelar, &QPushButton::clicked, this, &TfrmEntrada::btnCancelarClick);
  for (QRadioButton *r : {rbtFolha, rbtResponsavel, rbtRestaurar})
    connect(r, &QRadioButton::toggled, this, &TfrmEntrada::AtualizarDisponibilidade);
  AtualizarDisponibilidade();
  btnAvancar->setFocus();
  centralizarForm();
}

void TfrmEntrada::AtualizarDisponibilidade() {
  // Each choice comes alive when the part of the program that carries it is built.
  QString nota;
  if (rbtFolha->isChecked())
    nota = QStringLiteral("A importação de folha de pagamento ainda não está disponível nesta versão.");
  else if (rbtResponsavel->isChecked())
    nota = QStringLiteral("O cadastro do responsável ainda não está disponível nesta versão.");
  else
    nota = QStringLiteral("A restauração de backup ainda não está disponível nesta versão.");
  lblIndisponivel->setText(nota);
  btnAvancar->setEnabled(nota.isEmpty());
}

void TfrmEntrada::centralizarForm() {
  QScreen *tela = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!tela)
    return;
  const QRect area = tela->availableGeometry().isValid() ? tela->availableGeometry() : tela->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TfrmEntrada::btnAvancarClick() {}

void TfrmEntrada::btnVoltarClick() {
  btnVoltar->hide();
  resize(width(), 324);
  centralizarForm();
}

void TfrmEntrada::btnCancelarClick() { reject(); }
