#pragma once
// "Guias" > "Por Protocolo": imports the bank's sending receipt chosen by the
// user and then shows the guides of that file.
#include <QString>
#include <functional>

class QWidget;

// The guide query ("Informativas", both pages, only guides whose file has a
// protocol) for one sent file; "FE0087" when it finds none.
void ConsultarGuiasDoRecibo(QWidget *pai, const QString &identificador);

// Chooses the sent envelope when the receipt's file has lost its guides and
// neither the receipt nor the file's record says where it is (tests set it).
extern std::function<QString(QWidget *)> EscolherEnvelope;

// Chooses the receipt (Escolher replaces the open dialog in tests), imports
// it and shows "FE" + the code of a failure. When the file's company guides
// are missing, offers (CT0730) to load them from the sent envelope first.
// True when the protocol was stored.
bool ImportarReciboEnvio(QWidget *pai, const std::function<QString(QWidget *)> &Escolher = {});
