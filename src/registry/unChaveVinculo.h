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

// Join condition: the five key columns of table b equal to those of table a.
inline QString JuncaoVinculo(const QString &a, const QString &b) {
  QString r;
  for (const char *c :
       {"NU_TIPO_INSO_EMPRA", "NU_INSCRICAO", "NU_PIS", "NU_CATEGORIA", "DT_ADMISSAO_VINCULO"}) {
    if (!r.isEmpty())
      r += QStringLiteral(" AND ");
    r += b + u'.' + QLatin1String(c) + QStringLiteral(" = ") + a + u'.' + QLatin1String(c);
  }
  return r;
}

// The key of a loaded link.
inline TChaveVinculo ChaveDe(const TVinculo &v) {
  return {v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO};
}

// The key in five consecutive columns of a query row, in key order (type,
// registration, PIS, category, admission) from the given one.
inline TChaveVinculo ChaveDasColunas(const TDataSet &ds, int primeira = 0) {
  return {ds.Fields(primeira).AsInteger(), ds.Fields(primeira + 1).AsInt64(),
          ds.Fields(primeira + 2).AsInt64(), ds.Fields(primeira + 3).AsInteger(),
          ds.Fields(primeira + 4).AsDateTime()};
}

inline size_t qHash(const TChaveVinculo &c, size_t semente = 0) {
  return qHashMulti(semente, c.Tipo, c.Inscricao, c.PIS, c.Categoria,
                    static_cast<qint64>(c.Admissao));
}
