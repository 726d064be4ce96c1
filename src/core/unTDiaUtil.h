#pragma once
// The business-day calendar (QZLTBT15_DIA_UTIL) and the business-day rules of
// the calculation.
#include "unNegocio.h"

#include <QSet>

class TDiaUtil : public TNegocio {
public:
  // Carregar: read the whole table now.
  explicit TDiaUtil(bool Carregar = true);

  void Inicializar() override;
  void Limpar() override {}

  // Reads the table again (after an index import, or another database).
  void Carregar();
  bool Carregado() const { return carregado_; }
  bool EhDiaUtil(TDateTime data) const;
  // The date itself when it is a business day, else the nearest of the 7
  // days before (after); NullDate when none of the 8 days is one.
  TDateTime DiaUtilAnterior(TDateTime data) const;
  TDateTime DiaUtilPosterior(TDateTime data) const;

private:
  TDateTime Procurar(TDateTime data, int passo) const;
  QSet<qint64> dias_;
  bool carregado_ = false;
};

// The one calendar of the process: created and loaded on first use, kept until
// the program ends. Whoever uses it never frees it.
TDiaUtil &DiaUtil();
// Reloads the shared calendar (the calculation engine calls it when it is
// created, so that an index import made since is seen).
void RecarregarDiaUtil();

// DiaUtilPosterior or DiaUtilAnterior of the shared calendar; the date itself
// when no business day is found.
TDateTime AjustarDiaUtil(bool Posterior, TDateTime data);
// Day 7 of the month after `data`, moved back to a business day.
TDateTime VencimentoMesSeguinte(TDateTime data);
// Lets the open windows repaint during a long operation on the main thread.
void AtualizarJanelas();
