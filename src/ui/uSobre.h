#pragma once
// The "about" window: the program's version and the validity of the loaded
// index tables.
#include <QDialog>

class QLabel;

class TfrmSobre : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSobre(QWidget *parent = nullptr);
  QLabel *lblVersao;
  QLabel *lblVigencia;
};
