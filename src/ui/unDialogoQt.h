#pragma once
// The desktop program's answerer for the message-box seam: a Qt modal dialog
// with the program's Portuguese button texts.
#include "core/unDialogo.h"

int MostrarDialogoQt(const PedidoDialogo &pedido);
// Installs MostrarDialogoQt and the window-context sources used by the logs.
void InstalarDialogosQt();
