#pragma once
// The inconsistency reports: the problems a file load registered (payroll,
// balance, processed guides) and those of the collection-run checks, from
// the inconsistency registry, grouped by employer.
#include "reports/URel_Padrao.h"

class QWidget;

class TRelInconsistencia : public TRelPadraoPaisagem {
public:
  // Loads the rows of one kind (1, 2 or 5; 3 gives the collection-run
  // layout); false when there is none.
  bool Preparar(int tipo);

  // The error text of a row as printed: the message's "&" filled as the
  // kind asks (201 with the prorata period, 372 with the field's month and
  // the edict date).
  static QString TextoErro(int tipo, int mensagem, const QString &texto, const QString &conteudo);
  // The admission date as printed: the stored text reduced to its digits,
  // a year-first date turned into dd/mm/yyyy.
  static QString AdmissaoImpressa(const QString &armazenada);
};

// The collection-run report; CarregarFechamento tells the runner whether
// there is anything to ask about before the preview.
class TRelInconsistenciaFechamento : public TRelInconsistencia {
public:
  bool CarregarFechamento();
  // Loads now unless CarregarFechamento already did; "RE0086" when empty.
  bool VisualizarFechamento(QWidget *pai = nullptr);

private:
  bool carregado_ = false;
  bool temDados_ = false;
};

// The load reports by kind; "RE0086" when empty.
bool VisualizarFolha(QWidget *pai = nullptr);
bool VisualizarSaldo(QWidget *pai = nullptr);
bool VisualizarGuiasProcessadas(QWidget *pai = nullptr);
// Any kind (1, 2, 3, 5): the report its menu item or the runner opens.
bool VisualizarInconsistencias(int tipo, QWidget *pai = nullptr);
// After a collection-file run: when the checks left inconsistencies, asks
// "FE0367" and shows the report on Yes, "990476" on No. False when there
// was nothing to ask about.
bool PerguntarInconsistenciasFechamento(QWidget *pai = nullptr);
