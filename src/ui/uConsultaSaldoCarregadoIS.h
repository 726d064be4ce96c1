#pragma once
// The loaded-balance query: the employers with loaded balances and their sums,
// the accounts of the chosen employer, and the deletion of an employer's
// balances or of one account.
#include "collection/unConsultaSaldo.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

class TfrmConsultaSaldoCarregadoIS : public QDialog {
  Q_OBJECT
public:
  explicit TfrmConsultaSaldoCarregadoIS(QWidget *parent = nullptr);

  QTabWidget *pcConsulta;
  QTableWidget *grdEmpresa;
  QTableWidget *grdTrabalhador;
  QLabel *lblInscricao;
  QLabel *lblRazaoSocial;
  QPushButton *btnLocalizar;
  QPushButton *btnImprimir;
  QPushButton *btnExcluir;
  QPushButton *btnFechar;

  // Rebuilds the main window's tree after a deletion (name-change nodes and
  // balances); installed by the main window.
  static std::function<void()> AtualizarArvore;

  void CarregarEmpresas();
  // Shows the accounts of the employer of a row of the employer page.
  void MostrarEmpresa(int linha);
  // Finds a lookup criterion ("INSCRICAO-", "RAZAO-" on the employer page,
  // "PIS/PASEP-", "NOME-" on the worker page) in the current page; SR0092
  // when it is not there.
  bool Localizar(const QString &Criterio);

public slots:
  void btnExcluirClick();
  void btnLocalizarClick();
  void btnImprimirClick();

private:
  void CarregarContas();
  void ExcluirEmpresa();
  void ExcluirConta();

  QList<TSaldoEmpresa> empresas_;
  QList<TSaldoConta> contas_;
  int empresa_ = -1; // index into empresas_ of the worker page
};
