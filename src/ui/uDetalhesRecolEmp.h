#pragma once
// The details of one simulated worker: the link computed again with an
// engine of its own (the simulation's engine stays as it was), block by
// block, with buttons to step to the previous and next worker of the list.
#include "collection/unMovimento.h"

#include <QDialog>
#include <QMap>

class QLabel;
class QPushButton;
class TCalculo;

class TfrmDetalhesRecolEmp : public QDialog {
  Q_OBJECT
public:
  TfrmDetalhesRecolEmp(const QList<TTrabalhadorSimulado> &lista, const QString &empresa,
                       QWidget *parent = nullptr);
  ~TfrmDetalhesRecolEmp() override;

  QPushButton *btnAnterior, *btnProximo, *btnFechar;
  // Text shown for a field, by its caption ("Depósito" of a block is
  // "<bloco>/Depósito:"), for tests and for reading the window.
  QString Valor(const QString &campo) const;
  int Indice() const { return indice_; }

  // Computes the worker at indice and shows it; false (with the message
  // shown) when the calculation fails.
  bool Carregar(int indice);
  // Opens the window on a worker of the list unless its calculation fails.
  static bool Mostrar(const QList<TTrabalhadorSimulado> &lista, int indice, const QString &empresa,
                      QWidget *parent = nullptr);
  static std::function<void(TfrmDetalhesRecolEmp &)> AoMostrar;

private:
  QLabel *Rotulo(const QString &campo);
  QList<TTrabalhadorSimulado> lista_;
  QString empresa_;
  int indice_ = -1;
  QMap<QString, QLabel *> campos_;
};
