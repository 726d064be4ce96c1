#pragma once
// The grids of the query windows: read-only rows selected whole, a check box
// in column 0 that marks the rows an action takes, and the header clicks
// that toggle a column's order between ascending and descending.
#include <QHeaderView>
#include <QString>
#include <QStringList>
#include <QTableWidget>

namespace GradeConsulta {

inline QTableWidget *Criar(const QStringList &titulos, QWidget *pai) {
  auto *g = new QTableWidget(0, int(titulos.size()), pai);
  g->setHorizontalHeaderLabels(titulos);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->horizontalHeader()->setSectionsClickable(true);
  g->horizontalHeader()->setHighlightSections(false);
  g->setTabKeyNavigation(false);
  return g;
}

inline QTableWidgetItem *Item(const QString &texto,
                              Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
  auto *i = new QTableWidgetItem(texto);
  i->setTextAlignment(a);
  return i;
}

// The unchecked check box of column 0.
inline QTableWidgetItem *Marca() {
  auto *i = new QTableWidgetItem;
  i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  i->setCheckState(Qt::Unchecked);
  return i;
}

inline bool Marcado(const QTableWidget *g, int linha) {
  const QTableWidgetItem *i = g->item(linha, 0);
  return i && i->checkState() == Qt::Checked;
}

// "COLUNA ASC" becomes "COLUNA DESC"; anything else "COLUNA ASC".
inline QString Alternar(const QString &ordemAtual, const QString &coluna) {
  if (ordemAtual.startsWith(coluna + u' ') && ordemAtual.endsWith(QStringLiteral("ASC")))
    return coluna + QStringLiteral(" DESC");
  return coluna + QStringLiteral(" ASC");
}

} // namespace GradeConsulta
