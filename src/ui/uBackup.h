#pragma once
// "Backup do Sistema": asks where to save the archive and writes the backup.
#include <QDialog>

class QLabel;
class QPushButton;

class TfrmBackup : public QDialog {
  Q_OBJECT
public:
  explicit TfrmBackup(QWidget *parent = nullptr);

  QLabel *lbMensagem;
  QPushButton *btnAvancar;
  QPushButton *btnCancela;

public slots:
  void btnAvancarClick();

private:
  void Status(const QString &texto);
};
