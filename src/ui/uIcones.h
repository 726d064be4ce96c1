#pragma once
// The program's own icons, painted once at first use: the tree images by
// their fixed numbers and the toolbar pictures by name.
#include <QIcon>
#include <QString>

// Icon of a tree image number (see ImagemArvore); an empty icon for a number
// the tree never uses.
QIcon IconeArvore(int imagem);
// "novo", "alterar", "excluir", "importar", "imprimir", "localizar", "sair".
QIcon IconeComando(const QString &nome);
