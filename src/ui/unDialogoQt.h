#pragma once
// The desktop program's answerer for the message-box seam: a Qt modal dialog
// with the program's Portuguese button texts.
#include "core/unDialogo.h"

int MostrarDialogoQt(const PedidoDialogo &pedido);
// The platform's open or save dialog for the file-choice seam.
QString EscolherArquivoQt(const PedidoArquivo &pedido);
// Installs MostrarDialogoQt, EscolherArquivoQt and the window-context sources
// used by the logs.
void InstalarDialogosQt();
