#pragma once
// The confirmation of the balances that a load put aside because their links
// take part in a collection run or were closed: one row per link, the user
// checks the links whose balances are to be applied.
#include "collection/unArqCargaSaldo.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableWidget;

class TfrmConfAtualSaldoRescisorio : public QDialog {
  Q_OBJECT
public:
  explicit TfrmConfAtualSaldoRescisorio(QWidget *parent = nullptr);

  QTableWidget *sgTrabalhador;
  QCheckBox *chkSelect;
  QPushButton *btnSalvar;
  QPushButton *btnCancelar;

  // Salvar tried to apply, or Cancelar was pressed.
  bool Decidido = false;
  bool Cancelado = false;
  // False when an applied account was not regular.
  bool TodasRegulares = true;

  // One row per link of the put-aside list; true when there is one.
  bool CarregarPendentes(TArqCargaSaldo &carga);
  // Checks or unchecks a row.
  void MarcarLinha(int linha, bool marcada);

public slots:
  void btnSalvarClick();
  void btnCancelarClick();

protected:
  // Esc and closing the window are Cancelar.
  void reject() override;
  bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
  void chkSelectClick();
  void AtualizarSelecionarTodas();
  TArqCargaSaldo *carga_ = nullptr;
  QList<TChaveVinculo> chaves_;
};
