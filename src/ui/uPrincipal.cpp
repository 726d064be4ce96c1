#include "uPrincipal.h"

#include "core/unGlobal.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>

TfrmPrincipal::TfrmPrincipal(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmPrincipal"));
  setWindowTitle(QString::fromUtf8(NomeProduto));
  setCentralWidget(new QLabel(QStringLiteral("VESK Eletrônica"), this));
  resize(1024, 700);
}

void TfrmPrincipal::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop laco;
  laco_ = &laco;
  laco.exec();
  laco_ = nullptr;
}

void TfrmPrincipal::closeEvent(QCloseEvent *e) {
  e->accept();
  if (laco_)
    laco_->quit();
}
