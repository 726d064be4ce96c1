#pragma once
#include <QStringList>

// Parses the arguments (the first is the program) and runs the subcommand.
// Returns the process exit status: 0 on success, non-zero on any failure.
int ExecutarLinhaComando(const QStringList &argumentos);
