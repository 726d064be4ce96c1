#pragma once
// The five-part key of an employment link as one value, so that a list of
// links (to re-open, to print, to redraw in the tree, to load balances for)
// never copies the five columns by hand.
#include "core/unGlobal.h"
#include "registry/unVinculo.h"

#include <QHash>
#include <QString>
#include <QtGlobal>

struct TChaveVinculo {
  int Tipo = 0;                  // NU_TIPO_INSO_EMPRA: 1 CNPJ, 2 CEI
  qint64 Inscricao = 0;          // NU_INSCRICAO
  qint64 PIS = 0;                // NU_PIS
  int Categoria = 0;             // NU_CATEGORIA
  TDateTime Admissao = NullDate; // DT_ADMISSAO_VINCULO

  // WHERE condition on the key (optionally on a table alias).
  QString Condicao(const QString &alias = QString()) const {
    return CondicaoVinculo(Tipo, Inscricao, PIS, Categoria, Admissao, alias);
  }
  bool operator==(const TChaveVinculo &o) const {
    return Tipo == o.Tipo && Inscricao == o.Inscricao && PIS == o.PIS && Categoria == o.Categoria &&
           Admissao == o.Admissao;
  }
  bool operator!=(const TChaveVinculo &o) const { return !(*this == o); }
};

inline size_t qHash(const TChaveVinculo &c, size_t semente = 0) {
  return qHashMulti(semente, c.Tipo, c.Inscricao, c.PIS, c.Categoria,
                    static_cast<qint64>(c.Admissao));
}
