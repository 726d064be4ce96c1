#include "uGradeOrdenavel.h"

#include <QHeaderView>
#include <QTableWidget>

QTableWidget *NovaGradeOrdenavel(const char *nome, const QStringList &titulos, QWidget *pai) {
  auto *g = new QTableWidget(0, static_cast<int>(titulos.size()), pai);
  g->setObjectName(QString::fromLatin1(nome));
  g->setHorizontalHeaderLabels(titulos);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->verticalHeader()->setDefaultSectionSize(20);
  g->horizontalHeader()->setHighlightSections(false);
  g->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  g->setTabKeyNavigation(false);
  return g;
}
