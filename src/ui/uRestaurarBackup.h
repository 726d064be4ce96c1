#pragma once
// "Restaurar Backup": asks for a backup archive and replaces the data with it.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class TfrmRestaurarBackup : public QDialog {
  Q_OBJECT
public:
  explicit TfrmRestaurarBackup(QWidget *parent = nullptr);

  QLabel *lbMensagem;
  QPushButton *btnAvancar;
  QPushButton *btnCancelar;
  // True after a restore that succeeded.
  bool Restaurado = false;

  // Shows the closing-inconsistency report (kind 3) as a preview; tests
  // replace it.
  static std::function<void(QWidget *)> MostrarInconsistencias;

public slots:
  void btnAvancarClick();
  void btnCancelarClick();

private:
  void Status(const QString &texto);
};
