#include "uSelecaoGuias.h"

#include "uConsultaGuiasTotal.h"

#include "collection/unConsultaGuias.h"
#include "core/unUtilitarios.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmSelecaoGuias::TfrmSelecaoGuias(QWidget *pai) : QDialog(pai) {
  setObjectName(QStringLiteral("frmSelecaoGuias"));
  setWindowTitle(QStringLiteral("Filtro de Pesquisa de Guia"));
  auto *grupo = new QGroupBox(QStringLiteral("Pesquisar"), this);
  rbProcessadas = new QRadioButton(QStringLiteral("Guias &Processadas na VORDA"), grupo);
  rbInformativas = new QRadioButton(QStringLiteral("Guias de &Recolhimento para pagamento"), grupo);
  rbTodas = new QRadioButton(QStringLiteral("&Todas Guias"), grupo);
  auto *lg = new QVBoxLayout(grupo);
  lg->addWidget(rbProcessadas);
  lg->addWidget(rbInformativas);
  lg->addWidget(rbTodas);

  auto *botoes = new QDialogButtonBox(this);
  auto *consultar = botoes->addButton(QStringLiteral("&Consultar"), QDialogButtonBox::AcceptRole);
  consultar->setObjectName(QStringLiteral("BitBtn1"));
  consultar->setDefault(true);
  auto *fechar = botoes->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
  connect(consultar, &QPushButton::clicked, this, &TfrmSelecaoGuias::BitBtn1Click);
  connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

  auto *l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addWidget(botoes);
  rbProcessadas->setFocus();
}

void TfrmSelecaoGuias::BitBtn1Click() {
  QString modo;
  if (rbProcessadas->isChecked())
    modo = ModoProcessadas;
  else if (rbInformativas->isChecked())
    modo = ModoInformativas;
  else if (!rbTodas->isChecked()) {
    Utilitarios.Mensagem(QStringLiteral("HX0264"), dtAviso);
    return;
  }
  TfrmConsultaGuiasTotal consulta(modo, this);
  if (consulta.CarregarGuias(modo, QString(), true) > 0)
    TfrmConsultaGuiasTotal::Mostrar(consulta);
  else
    Utilitarios.Mensagem(QStringLiteral("HX0087"), dtInformacao);
}
