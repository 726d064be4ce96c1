#include "reports/uRelGuiaTotalizadora.h"

#include "collection/unTGuiaEmpresa.h"
#include "core/unUtilitarios.h"
#include "reports/uQReportPreview.h"

bool TRelGuiaTotalizadora::Preparar(const TListaDadoEmpresa &Guias, const QString &Ordem) {
  guias_ = Guias;
  QStringList codigos;
  for (const TDadoEmpresa &d : Guias)
    codigos << d.CodigoBarras;
  return Guia().CarregarLista(
      codigos, Ordem.trimmed().isEmpty() ? QStringLiteral("NU_INSCRICAO_GUIA ASC") : Ordem);
}

bool TRelGuiaTotalizadora::ImprimirGuias(const TListaDadoEmpresa &Guias, const QString &Ordem,
                                         QWidget *pai) {
  if (!Preparar(Guias, Ordem))
    return false;
  MostrarRelatorio(*this, pai);
  return true;
}

TDadoEmpresa TRelGuiaTotalizadora::Dado(const QString &CodigoBarras) const {
  for (const TDadoEmpresa &d : guias_)
    if (d.CodigoBarras == CodigoBarras)
      return d;
  TDadoEmpresa vazio;
  vazio.CodigoBarras = CodigoBarras;
  return vazio;
}

void TRelGuiaTotalizadora::CompletarCampos(TCamposGuia &c) {
  const TDadoEmpresa d = Dado(Guia().CO_BARRAS);
  c.TotalRecolher = TUtilitarios::FormatarValor(d.TotalRecolher);
  c.QuantidadeTrabalhadores = QString::number(d.QuantidadeTrabalhadores);
}
