#pragma once
// Keyboard, focus, hint and combo helpers of the windows.
#include <QPoint>
#include <QString>

class QComboBox;
class QWidget;

// The key when it is backspace, tab or a digit; otherwise 0 (key discarded).
int FiltrarTeclaNumerica(int tecla);
// Makes a line edit take only digits (and editing keys) from the keyboard.
void InstalarFiltroNumerico(QWidget *campo);

// Called on a key press in the active window: when the focused control will
// be full after this key, or a drop-down list has a selected item, the focus
// moves on to the next control. A line edit with the dynamic property
// "moeda" set to true is a currency edit (full three characters earlier).
void AvancarFoco(QWidget *janela, int tecla);

// A hint with the text next to the point (10 pixels right and down); nothing
// for a blank text.
void MostrarDica(QWidget *janela, const QPoint &ponto, const QString &texto);
void EsconderDica(QWidget *janela);

// Fill a combo from a query (first column shown, second column kept as the
// item's data), sorted; a lone item is selected. The combo named "cmbCBO"
// keeps its texts untrimmed.
void PreencherCombo(QComboBox *combo, const QString &sql, bool LinhaVazia = false,
                    bool IncluirTodos = false);
void PreencherComboZeros(QComboBox *combo, const QString &sql, int digitos);
