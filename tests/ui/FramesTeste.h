#pragma once
// Shared set-up of the edit-frame tests: the tree fixture's registry with the
// responsible party and one company filled in completely, a main window shown
// and active (so that accelerators reach their buttons), keyboard helpers and
// screenshots.
#include "ArvoreTeste.h"

#include "ui/uPrincipal.h"

#include <QTest>
#include <memory>

class QComboBox;

class FramesTeste : public ArvoreTeste {
public:
  // Types into the control from the keyboard (focus first).
  static void Digitar(QWidget *w, const QString &texto);
  static QString Capturar(QWidget &w, const QString &nome);

protected:
  void SetUp() override;
  void TearDown() override;

  // The main window, shown, active, with the node of that text selected.
  TfrmPrincipal &Janela();
  QTreeWidgetItem *No(const QString &texto);
  void Selecionar(const QString &texto);
  // Nodes of the window's tree with that text.
  int Quantos(const QString &texto);
  // The tree model mirrors the window's tree.
  void VerificarJanela();

  // "&Salvar" as the user reaches it (Alt+S).
  static void Salvar(class TFramePadrao *f);
  static void Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier);
  static QWidget *Foco();

  // A valid CNPJ made of the first 12 digits given.
  static QString CNPJ(const QString &base12);
  // The first code of a reference list, as the frame's list shows it.
  QString PrimeiroCNAE();

  std::unique_ptr<TfrmPrincipal> janela;
};

// The first message shown whose text starts with the code, or "".
QString Mostrada(const std::vector<PedidoDialogo> &mostrados, const QString &codigo);
QStringList Codigos(const std::vector<PedidoDialogo> &mostrados);
