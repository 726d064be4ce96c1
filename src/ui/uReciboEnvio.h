#pragma once
// "Guias" > "Por Protocolo": imports the bank's sending receipt chosen by the
// user and then shows the guides of that file.
#include <QString>

class QWidget;

// The guide query ("Informativas", both pages, only guides whose file has a
// protocol) for one sent file; "FE0087" when it finds none.
void ConsultarGuiasDoRecibo(QWidget *pai, const QString &identificador);

// Chooses the receipt, imports it and shows "FE" + the code of a failure.
// When the file's company guides are missing, offers (CT0730) to load them
// from the sent envelope first, asking for the envelope when neither the
// receipt nor the file's record says where it is. True when the protocol was
// stored.
bool ImportarReciboEnvio(QWidget *pai);
