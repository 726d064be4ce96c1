#pragma once
// Queries narrowed to a list of keys of any length. Firebird takes at most
// 1500 values in one IN list and 64 KB of statement text, and refuses a
// statement with more than 256 table references, so a long list is never
// written as one chain: up to MaximoChavesNaConsulta keys go into IN lists of
// a few hundred values joined by OR; beyond that the caller reads the wider
// set once, in its order, and keeps the rows whose key is listed.
#include "core/unTDBUtils.h"

#include <QSet>
#include <QStringList>
#include <functional>

inline constexpr int MaximoChavesNaConsulta = 1000;

// "(expr IN ('a', 'b', ...) OR expr IN (...))"; each key is a quoted SQL text.
// An empty list gives a condition that no row meets.
QString CondicaoListaTextos(const QString &expressao, const QStringList &chaves);

// The rows of `origem` whose key (computed from the row) is in `chaves`, in
// the same order and with the same columns.
TDataSetPtr FiltrarLinhas(const TDataSet &origem,
                          const std::function<QString(const TDataSet &, int linha)> &chaveDaLinha,
                          const QSet<QString> &chaves);
