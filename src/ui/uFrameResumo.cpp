#include "uFrameResumo.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFrameResumo::TFrameResumo(const QString &nome, const QString &titulo, QWidget *parent)
    : QFrame(parent) {
  setObjectName(nome);
  setFrameShape(QFrame::StyledPanel);
  titulo_ = new QLabel(titulo);
  titulo_->setObjectName(QStringLiteral("lblTitulo"));
  QFont f = titulo_->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  titulo_->setFont(f);
  formulario_ = new QFormLayout;
  formulario_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  formulario_->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  observacao_ = new QLabel;
  observacao_->setWordWrap(true);
  observacao_->setStyleSheet(QStringLiteral("color: #555;"));
  auto *l = new QVBoxLayout(this);
  l->addWidget(titulo_);
  l->addSpacing(8);
  l->addLayout(formulario_);
  l->addSpacing(8);
  l->addWidget(observacao_);
  l->addStretch();
}

QString TFrameResumo::Titulo() const {
  return titulo_->text();
}

void TFrameResumo::Mostrar(const TCampos &campos, const QString &observacao) {
  campos_ = campos;
  while (formulario_->rowCount() > 0)
    formulario_->removeRow(0);
  for (const auto &[rotulo, valor] : campos) {
    // Read-only edits: the value can be selected and copied, not changed.
    auto *e = new QLineEdit(valor);
    e->setReadOnly(true);
    // Looks like what it is: a value to read, not a field to fill.
    e->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    e->setFocusPolicy(Qt::ClickFocus);
    formulario_->addRow(rotulo + u':', e);
  }
  observacao_->setText(observacao);
  observacao_->setVisible(!observacao.isEmpty());
}
