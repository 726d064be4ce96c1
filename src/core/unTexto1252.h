#pragma once
// Files exchanged with the bank and the logs are in the Windows Western code
// page; the program is UTF-8 inside. These two functions are the only bridge.
#include <QByteArray>
#include <QString>

QByteArray ParaWin1252(const QString &texto);  // characters outside the page become '?'
QString DeWin1252(const QByteArray &bytes);
// Appends lines to a text file in the Western code page with CR LF ends.
// Returns false when the file cannot be opened or written.
bool AcrescentarLinhas1252(const QString &caminho, const QStringList &linhas);
