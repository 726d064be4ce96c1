#pragma once
// A read-only page of the main window's right-hand panel: a title and the
// fields of the selected node, shown where the node's edit frame goes.
#include <QFrame>
#include <QList>
#include <QPair>
#include <QString>

class QLabel;
class QFormLayout;

class TFrameResumo : public QFrame {
  Q_OBJECT
public:
  using TCampos = QList<QPair<QString, QString>>;
  TFrameResumo(const QString &nome, const QString &titulo, QWidget *parent = nullptr);
  void Mostrar(const TCampos &campos, const QString &observacao = QString());
  // Label and value of each field, in order (what the user reads).
  TCampos Campos() const { return campos_; }
  QString Titulo() const;

private:
  QLabel *titulo_;
  QLabel *observacao_;
  QFormLayout *formulario_;
  TCampos campos_;
};
