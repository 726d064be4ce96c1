#pragma once
// "Saldo Base para Fins Rescisórios": the bank accounts of one link with their
// balances; the user marks the accounts that make up the link's balance base.
#include <QDialog>

class QTableWidget;
class QPushButton;
class TContaSaldoTrabalhador;

class TfrmSaldoRecisorio : public QDialog {
  Q_OBJECT
public:
  // contas: the link's accounts, already loaded. prefixo: the caller's message prefix.
  TfrmSaldoRecisorio(TContaSaldoTrabalhador &contas, const QString &prefixo,
                     QWidget *parent = nullptr);

  QTableWidget *grdContas = nullptr;
  QPushButton *btnSelecionar = nullptr;
  QPushButton *btnCancelar = nullptr;

  // Centavos of every account listed, and of the accounts chosen when
  // "&Selecionar" closed the dialog.
  qint64 Total() const { return total_; }
  qint64 Selecionado() const { return selecionado_; }
  // Switches the choice of a row between "SIM" and "NÃO".
  void Alternar(int linha);

public slots:
  void btnSelecionarClick();

protected:
  bool eventFilter(QObject *obj, QEvent *ev) override;

private:
  QString prefixo_;
  QList<qint64> saldos_;
  qint64 total_ = 0;
  qint64 selecionado_ = 0;
};
