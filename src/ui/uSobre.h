#pragma once
// The "about" window: the program's version, the validity of the loaded
// index tables and the folder that holds the user's database and files.
#include <QDialog>

class QLabel;

class TfrmSobre : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSobre(QWidget *parent = nullptr);
  QLabel *lblVersao;
  QLabel *lblVigencia;
  QLabel *lblPasta;
};
