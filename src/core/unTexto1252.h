#pragma once
// Files exchanged with the bank and the logs are in the Windows Western code
// page; the program is UTF-8 inside. These two functions are the only bridge.
#include <QByteArray>
#include <QString>

QByteArray ParaWin1252(const QString &texto);  // characters outside the page become '?'
QString DeWin1252(const QByteArray &bytes);
// Text as a column in the Western code page can hold it: the database refuses
// a whole statement over one character outside the page. The five bytes the
// page leaves unassigned (read from a file as U+0081, U+008D, U+008F, U+0090,
// U+009D) become "\xNN", so what the file held stays readable; any other
// character outside the page becomes '?'.
QString Armazenavel1252(const QString &texto);
// Text as a terminal or a printed page can show it: every control character
// (C0, DEL, C1; a NUL from a file among them) becomes \xNN, so one bad byte
// cannot cut or break the line it is printed on. Only for showing: what is
// stored keeps the file's bytes.
QString TextoVisivel(const QString &texto);
// Appends lines to a text file in the Western code page with CR LF ends.
// Returns false when the file cannot be opened or written.
bool AcrescentarLinhas1252(const QString &caminho, const QStringList &linhas);
