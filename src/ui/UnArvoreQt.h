#pragma once
// The navigation tree's model bound to a QTreeWidget: the handles the model
// keeps are the widget's items.
#include "UnArvore.h"

#include <QList>

class QTreeWidget;
class QTreeWidgetItem;

class TArvoreVisualQt : public IArvoreVisual {
public:
  explicit TArvoreVisualQt(QTreeWidget *arvore) : arvore_(arvore) {}
  QTreeWidget *Widget() const { return arvore_; }
  static QTreeWidgetItem *Item(TNo no) { return static_cast<QTreeWidgetItem *>(no); }

  void IniciarCarga() override;
  void TerminarCarga() override;
  void Limpar() override;
  TNo Adicionar(TNo pai, const QString &texto, int imagem) override;
  void Remover(TNo no) override;
  QString Texto(TNo no) const override;
  void DefinirTexto(TNo no, const QString &texto) override;
  int Imagem(TNo no) const override;
  void DefinirImagem(TNo no, int imagem) override;
  TNo Pai(TNo no) const override;
  bool Expandido(TNo no) const override;
  void Expandir(TNo no, bool expandir = true) override;
  TNo Selecionado() const override;
  void Selecionar(TNo no) override;
  QList<TNo> Todos() const override;

private:
  QTreeWidget *arvore_;
  // While loading, top-level items are kept out of the widget so that adding
  // thousands of children costs no model signals; they go in at the end.
  bool carregando_ = false;
  QList<QTreeWidgetItem *> pendentes_;
};
