#pragma once
// Subcommands of the command-line front end. Each subcommand lives in its own
// file and registers itself with a static TRegistroComando; its body should be
// a thin call of the business layer.
#include <QStringList>
#include <QTextStream>
#include <functional>

struct TComando {
  QString Nome;
  QString Uso;       // one line: "calcular [--json] ..."
  QString Descricao; // one line in Portuguese
  bool PrecisaBanco = true;
  // Receives the arguments after the subcommand's name; returns the exit status.
  std::function<int(const QStringList &)> Executar;
};

struct TRegistroComando {
  explicit TRegistroComando(TComando c);
};

// Output helpers that write UTF-8 to stdout / stderr.
void Saida(const QString &texto);
void Erro(const QString &texto);
bool SaidaEhTerminal();

// Parses the arguments (the first is the program) and runs the subcommand.
// Returns the process exit status: 0 on success, non-zero on any failure.
int ExecutarLinhaComando(const QStringList &argumentos);
