#pragma once
// Qt's own part of a Brazilian program: the texts that Qt draws itself (the
// standard open, save and print dialogs, message-box buttons) in Portuguese,
// and the Brazilian locale for what widgets format (dates dd/mm/yyyy, ","
// decimals in spin boxes and editors, file dates in the file dialog). The
// program's own helpers format with explicit patterns and never depend on it.
class QCoreApplication;

// Before the application object exists: the system locale that Qt reads
// (the file dialog asks it, not the default locale) becomes pt_BR.
void PrepararAmbienteQt();
// After the application object exists: loads Qt's Portuguese translations
// and sets the default locale. True when the translations were found.
bool InstalarTraducoesQt(QCoreApplication &app);
