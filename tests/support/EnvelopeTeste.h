#pragma once
// Helpers for tests that seal or open envelopes: the sealing library is
// loaded from the program folder, so a test folder gets its own copy.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Copies the built sealing library into the folder (the program folder of a test).
void InstalarSelador(const QString &pasta);
// Runs a shell command line in a folder; returns its exit status and, when
// asked, its standard output.
int Shell(const QString &comando, const QString &pasta, QByteArray *saida = nullptr);
// python3 tools/banco/banco.py ARGS... in a folder; returns the exit status.
int Banco(const QStringList &args, const QString &pasta, QByteArray *saida = nullptr);
