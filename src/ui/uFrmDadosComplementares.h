#pragma once
// The balance complements of one link, on the collection-run tab: the months
// the employer declares because they are missing from the bank's balance,
// one page per kind, with the totals that make up the link's balance base.
#include "uFramePadrao.h"

#include "UnArvore.h"

class QLabel;
class QTableWidget;

class TfrmDadosComplementares : public TFramePadrao {
  Q_OBJECT
public:
  explicit TfrmDadosComplementares(QWidget *parent = nullptr);

  QTabWidget *pgcComplemento = nullptr;
  QTableWidget *grdComplemento[3] = {};
  QLabel *lblTotal[3] = {};
  QLabel *lblSaldoBase = nullptr;
  QLabel *lblTotalSaldoBase = nullptr;
  QLabel *lblRotuloDepositoVesk = nullptr;
  QLabel *lblDepositoVesk = nullptr;
  QPushButton *btnNovoComplemento = nullptr;

  // Loads the complements of the link selected in the tree.
  void CarregarTela() override;
  // Buttons allowed (closed and processed links are only shown).
  void PermitirAlteracao(bool permitir);
  // Complement kind of the page shown (1-3).
  int Complemento() const;

public slots:
  void btnNovoComplementoClick();
  void btnExcluirClick() override;

private:
  void AtualizarPrefixo();
  TRecArvore vinculo_;
  bool permitido_ = true;
};
