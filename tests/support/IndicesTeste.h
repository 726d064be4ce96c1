#pragma once
// Index archives written by the simulated bank (tools/banco/banco.py indices),
// made once per test program and options: the generator takes a moment.
#include <QString>
#include <QStringList>

// The archive for these generator options (--edicao, --defeito...); raises
// when the generator fails.
QString ArquivoIndices(const QStringList &opcoes = {});
