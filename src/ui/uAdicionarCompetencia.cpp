#include "uAdicionarCompetencia.h"

#include "uControles.h"

#include "core/unUtilitarios.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAdicionarCompetencia::TfrmAdicionarCompetencia(const QString &prefixo, TVerificacao verificar,
                                                   QWidget *parent)
    : QDialog(parent), prefixo_(prefixo), verificar_(std::move(verificar)) {
  setObjectName(QStringLiteral("frmAdicionarCompetencia"));
  setWindowTitle(QStringLiteral("Adicionar Competência"));
  auto *grupo = new QGroupBox(QStringLiteral(" Competência "));
  cmbMes = new QComboBox;
  cmbMes->setObjectName(QStringLiteral("cmbMes"));
  for (int m = 1; m <= 12; ++m)
    cmbMes->addItem(QString::number(m).rightJustified(2, u'0'));
  cmbMes->setCurrentIndex(-1);
  edtAno = new QLineEdit;
  edtAno->setObjectName(QStringLiteral("edtAno"));
  edtAno->setMaxLength(4);
  edtAno->setMaximumWidth(60);
  DefinirTeclado(edtAno, tkDigitos);
  edtRemuneracao = new TEditValor;
  edtRemuneracao->setObjectName(QStringLiteral("edtRemuneracao"));
  auto *g = new QGridLayout(grupo);
  g->addWidget(RotuloPara(QStringLiteral("&Mês:"), cmbMes), 0, 0);
  g->addWidget(cmbMes, 0, 1);
  g->addWidget(RotuloPara(QStringLiteral("&Ano:"), edtAno), 0, 2);
  g->addWidget(edtAno, 0, 3);
  g->addWidget(RotuloPara(QStringLiteral("&Remuneração:"), edtRemuneracao), 1, 0);
  g->addWidget(edtRemuneracao, 1, 1, 1, 3);
  btnOk = new QPushButton(QStringLiteral("&OK"));
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &TfrmAdicionarCompetencia::btnOkClick);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  auto *b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(btnOk);
  b->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addLayout(b);
  setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

QString TfrmAdicionarCompetencia::Competencia() const {
  return cmbMes->currentText() + u'/' + edtAno->text().trimmed();
}

qint64 TfrmAdicionarCompetencia::Remuneracao() const {
  return edtRemuneracao->Centavos();
}

void TfrmAdicionarCompetencia::btnOkClick() {
  auto erro = [this](const QString &codigo, QWidget *foco) {
    TUtilitarios::ExibirMensagem(prefixo_ + codigo, dtErro, 0, QString(), 2, mbOK);
    foco->setFocus();
  };
  if (cmbMes->currentIndex() < 0)
    return erro(QStringLiteral("0278"), cmbMes);
  if (edtAno->text().trimmed().isEmpty())
    return erro(QStringLiteral("0279"), edtAno);
  if (edtRemuneracao->Centavos() <= 0)
    return erro(QStringLiteral("0274"), edtRemuneracao);
  if (verificar_) {
    const QString codigo = verificar_(cmbMes->currentText(), edtAno->text().trimmed());
    if (!codigo.isEmpty())
      return erro(codigo, codigo == QLatin1String("0292") ? static_cast<QWidget *>(cmbMes)
                                                          : static_cast<QWidget *>(edtAno));
  }
  accept();
}
