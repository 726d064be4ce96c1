#pragma once
// The company guides chosen in the guide query (or on the command line),
// each with the total and worker count its caller shows for it.
#include "reports/uRelGuiaPadrao.h"

#include <QList>
#include <QStringList>

class QWidget;

struct TDadoEmpresa {
  QString CodigoBarras; // the guide's digitable line (CO_BARRAS)
  double TotalRecolher = 0;
  int QuantidadeTrabalhadores = 0;
};
using TListaDadoEmpresa = QList<TDadoEmpresa>;

class TRelGuiaTotalizadora : public TRelGuiaPadrao {
public:
  // Loads the guides of the list's bar codes in the order Ordem (a column of
  // the company guide with ASC/DESC, "NU_INSCRICAO_GUIA ASC" by default).
  // False on a database error.
  bool Preparar(const TListaDadoEmpresa &Guias, const QString &Ordem);
  // Preparar, then the modal preview.
  bool ImprimirGuias(const TListaDadoEmpresa &Guias, const QString &Ordem, QWidget *pai = nullptr);

  // The entry of the list for a bar code: total 0 and count 0 when absent.
  TDadoEmpresa Dado(const QString &CodigoBarras) const;

protected:
  void CompletarCampos(TCamposGuia &c) override;

private:
  TListaDadoEmpresa guias_;
  int indice_ = -1; // entry of the page being printed, -1 when none
};
