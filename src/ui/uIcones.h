#pragma once
// The program's own icons, painted once at first use: the tree images by
// their fixed numbers and the toolbar pictures by name.
#include <QIcon>
#include <QString>

// Images of the same list that the occurrence query shows for a load the bank
// accepted (27) or rejected (28).
inline constexpr int imgOcorrenciaAcatada = 27;
inline constexpr int imgOcorrenciaRejeitada = 28;

// Icon of a tree image number (see ImagemArvore); an empty icon for a number
// the tree never uses.
QIcon IconeArvore(int imagem);
// "novo", "alterar", "excluir", "importar", "imprimir", "localizar", "sair".
QIcon IconeComando(const QString &nome);
