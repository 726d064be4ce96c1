#pragma once
// What both roads of the month check after each step.
#include "core/unFBUtils.h"

#include <map>

// Links per collection-run state (IC_ESTADO_MOVIMENTO -> count).
inline std::map<int, int> EstadosDosVinculos() {
  std::map<int, int> r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT IC_ESTADO_MOVIMENTO, COUNT(*) FROM QZLTBG04_VINCULO_EMPREGATICIO GROUP BY 1"));
  for (ds->First(); !ds->Eof(); ds->Next())
    r[ds->Fields(0).AsInteger()] = ds->Fields(1).AsInteger();
  return r;
}
