#include "UnArvoreQt.h"

#include "uIcones.h"

#include <QTreeWidget>

namespace {
constexpr int PapelImagem = Qt::UserRole + 1;
}

void TArvoreVisualQt::IniciarCarga() {
  carregando_ = true;
  arvore_->setSortingEnabled(false);
}

void TArvoreVisualQt::TerminarCarga() {
  carregando_ = false;
  arvore_->addTopLevelItems(pendentes_);
  pendentes_.clear();
  arvore_->setSortingEnabled(true);
  arvore_->sortByColumn(0, Qt::AscendingOrder);
}

void TArvoreVisualQt::Limpar() {
  qDeleteAll(pendentes_);
  pendentes_.clear();
  arvore_->clear();
}

TNo TArvoreVisualQt::Adicionar(TNo pai, const QString &texto, int imagem) {
  auto *item = new QTreeWidgetItem(QStringList{texto});
  item->setIcon(0, IconeArvore(imagem));
  item->setData(0, PapelImagem, imagem);
  if (pai)
    Item(pai)->addChild(item);
  else if (carregando_)
    pendentes_.append(item);
  else
    arvore_->addTopLevelItem(item);
  return item;
}

void TArvoreVisualQt::Remover(TNo no) {
  delete Item(no);
}

QString TArvoreVisualQt::Texto(TNo no) const {
  return Item(no)->text(0);
}

void TArvoreVisualQt::DefinirTexto(TNo no, const QString &texto) {
  Item(no)->setText(0, texto);
}

int TArvoreVisualQt::Imagem(TNo no) const {
  return Item(no)->data(0, PapelImagem).toInt();
}

void TArvoreVisualQt::DefinirImagem(TNo no, int imagem) {
  QTreeWidgetItem *i = Item(no);
  if (i->data(0, PapelImagem).toInt() == imagem && !i->icon(0).isNull())
    return;
  i->setIcon(0, IconeArvore(imagem));
  i->setData(0, PapelImagem, imagem);
}

TNo TArvoreVisualQt::Pai(TNo no) const {
  return Item(no)->parent();
}

bool TArvoreVisualQt::Expandido(TNo no) const {
  return Item(no)->isExpanded();
}

void TArvoreVisualQt::Expandir(TNo no, bool expandir) {
  Item(no)->setExpanded(expandir);
}

TNo TArvoreVisualQt::Selecionado() const {
  return arvore_->currentItem();
}

void TArvoreVisualQt::Selecionar(TNo no) {
  QTreeWidgetItem *i = Item(no);
  arvore_->setCurrentItem(i);
  if (i)
    arvore_->scrollToItem(i);
}

QList<TNo> TArvoreVisualQt::Todos() const {
  QList<TNo> l;
  QList<QTreeWidgetItem *> pilha;
  for (int i = arvore_->topLevelItemCount() - 1; i >= 0; --i)
    pilha.append(arvore_->topLevelItem(i));
  while (!pilha.isEmpty()) {
    QTreeWidgetItem *i = pilha.takeLast();
    l.append(i);
    for (int c = i->childCount() - 1; c >= 0; --c)
      pilha.append(i->child(c));
  }
  return l;
}
