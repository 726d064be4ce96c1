#pragma once
// A grid cell that sorts by a value of its own instead of its text, so dates
// sort as dates and amounts as amounts (10/01/2025 before 09/12/2025), and
// that can carry the index of the row's record: sorting moves the whole row,
// and the record follows its row.
#include <QStringList>
#include <QTableWidgetItem>
#include <QVariant>

class QTableWidget;
class QWidget;

class TItemOrdenavel : public QTableWidgetItem {
public:
  static constexpr int PapelChave = Qt::UserRole;        // value compared
  static constexpr int PapelRegistro = Qt::UserRole + 1; // index of the row's record

  TItemOrdenavel(const QString &texto, const QVariant &chave,
                 Qt::Alignment alinhamento = Qt::AlignLeft)
      : QTableWidgetItem(texto) {
    setData(PapelChave, chave.isValid() ? chave : QVariant(texto));
    setTextAlignment(alinhamento | Qt::AlignVCenter);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  bool operator<(const QTableWidgetItem &o) const override {
    const QVariant a = data(PapelChave), b = o.data(PapelChave);
    switch (a.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
      return a.toLongLong() < b.toLongLong();
    case QMetaType::Double:
      return a.toDouble() < b.toDouble();
    default:
      return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    }
  }
};

// A read-only grid of whole-row, single selection with one heading row and no
// sort indicator yet (the query's order stands until a heading is clicked).
QTableWidget *NovaGradeOrdenavel(const char *nome, const QStringList &titulos, QWidget *pai);
