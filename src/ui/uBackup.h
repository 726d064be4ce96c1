#pragma once
// "Backup do Sistema": asks where to save the archive and writes the backup.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class TfrmBackup : public QDialog {
  Q_OBJECT
public:
  explicit TfrmBackup(QWidget *parent = nullptr);

  QLabel *lbMensagem;
  QPushButton *btnAvancar;
  QPushButton *btnCancela;

  // The save dialog (folder to start in, proposed name); empty when the user
  // cancels. Tests replace it.
  static std::function<QString(QWidget *, const QString &, const QString &)> EscolherArquivo;

public slots:
  void btnAvancarClick();

private:
  void Status(const QString &texto);
};
