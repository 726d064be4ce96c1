#pragma once
// Process-wide types, constants and settings shared by every subsystem.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

// Dates travel as day counts whose day 0 is 30/12/1899, so "no date" and
// "not a date" can be told apart from any real date by value alone.
using TDateTime = double;

inline constexpr TDateTime NullDate = -700000.0;
// What the text-to-date conversion returns for a text that is not a date.
inline constexpr TDateTime DataNaoValida = -600000.0;

inline constexpr const char *NomeProduto = "VESK Eletrônica";

// Day-count conversions. A date at or before NullDate maps to an invalid QDate.
TDateTime QDateParaData(const QDate &d);
TDateTime QDateTimeParaData(const QDateTime &dt);
QDate DataParaQDate(TDateTime d);
QDateTime DataParaQDateTime(TDateTime d);
inline bool DataDefinida(TDateTime d) { return d > NullDate && d != DataNaoValida; }
TDateTime Hoje();
TDateTime Agora();

// The folder that holds the program, its database (BD/VESK.FDB), MOLT.ini and
// the logs. The command line and the tests point it elsewhere.
QString PastaPrograma();
void DefinirPastaPrograma(const QString &pasta);
// A path below the program folder; '/' in the relative part is fine on every platform.
QString CaminhoPrograma(const QString &relativo);

// Settings read from MOLT.ini at start-up (see unConfiguracao.h).
struct TConfiguracao {
  bool LogSQL = false;
  bool GravaArquivo = false;
  // The database: empty for BD/VESK.FDB in the program folder; a file path
  // (relative to the program folder or absolute) or a server name
  // host[/port]:path. Empty user or password means the built-in ones.
  QString Banco;
  QString Usuario;
  QString Senha;
};
extern TConfiguracao Configuracao;

// Cached dates (NullDate when there is no row); reloaded by whoever changes them.
extern TDateTime DataPagamento;
extern TDateTime DataEditalProrata;
