#pragma once
// The deposit rate table (QZLTBT14_ALIQUOTA_CALCULO_DPSTO): by worker
// category and starting month, the deposit rate with the minimum
// remuneration and the minimum termination balance in force from that month.
// It holds a dozen rows, so it is read whole and looked up in memory; the
// termination checks and the balance complements share this one reader.
#include "core/unGlobal.h"

#include <vector>

class TIbxUtils;

// One row of the table; an empty amount reads as 0.
struct TAliquotaDeposito {
  int NU_CATEGORIA = 0;
  int AA_COMPETENCIA_ALIQUOTA = 0;
  int MM_COMPETENCIA_ALIQUOTA = 0;
  double PC_ALIQUOTA = 0;
  double VR_REMUNERACAO_MINIMA = 0;
  double VR_SALDO_RESCISORIO_MINIMO = 0;
};

class TTabelaAliquotas {
public:
  // Reads the whole table, replacing what was read before; raises
  // EBancoDados.
  void Carregar(TIbxUtils *Ibx);
  // The row of the category in force in the month of Mes: the latest
  // starting month not after it. Null when none applies or Mes is no date.
  const TAliquotaDeposito *Vigente(int Categoria, TDateTime Mes) const;
  const std::vector<TAliquotaDeposito> &Linhas() const { return linhas_; }

private:
  std::vector<TAliquotaDeposito> linhas_;
};
