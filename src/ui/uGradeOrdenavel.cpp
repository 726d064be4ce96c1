#include "uGradeOrdenavel.h"

#include "uGradeConsulta.h"

QTableWidget *NovaGradeOrdenavel(const char *nome, const QStringList &titulos, QWidget *pai) {
  QTableWidget *g = GradeConsulta::Criar(titulos, pai);
  g->setObjectName(QString::fromLatin1(nome));
  g->verticalHeader()->setDefaultSectionSize(20);
  g->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  return g;
}
