#pragma once
// The simulation window: what the closing of the open run would collect,
// company by company ("Empresa" page) and worker by worker ("Trabalhador"
// page), with the details of one worker's calculation on request.
#include "collection/unMovimento.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

class TfrmSimulaMovimento : public QDialog {
  Q_OBJECT
public:
  TfrmSimulaMovimento(const TResultadoSimulacao &resultado, QWidget *parent = nullptr);

  QTabWidget *pgcSimulacao;
  QTableWidget *grdEmpresa;
  QTableWidget *grdTrabalhador;
  QLabel *lblInscricao, *lblRazaoSocial;
  QPushButton *btnDetalhes, *btnFechar;

  // Simulates the scope and shows the window, or the message that explains
  // why there is nothing to show; returns the message code ("" when shown).
  static QString Simular(const TEscopoMovimento &escopo, QWidget *parent = nullptr);
  // Seam for tests: called with the window instead of exec() when set.
  static std::function<void(TfrmSimulaMovimento &)> AoMostrar;

  // Workers of the company selected on the first page, in the grid's order.
  QList<TTrabalhadorSimulado> TrabalhadoresVisiveis() const;
  void btnDetalhesClick();

private:
  void MostrarTrabalhadores();
  TResultadoSimulacao resultado_;
};
