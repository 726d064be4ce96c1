#pragma once
// Fixed-layout records declared once as tables of fields (name, start, width,
// kind): readers cut their lines, checks read the kind and label, and writers
// build their lines from the same tables.
#include "UnArquivo.h"
#include "core/unGlobal.h"

#include <QString>
#include <QStringList>

enum class TTipoCampoArquivo {
  Digitos,         // zero-filled number, every character a digit
  Texto,           // blank-filled text, no rule of its own
  Data,            // DDMMYYYY; zeros mean "no date"
  DataAnoPrimeiro, // YYYYMMDD (the bank's own dates); zeros mean "no date"
  Valor,           // amount in whole centavos
  Zeros,           // must hold only the digit 0
  Brancos          // must hold only blanks
};

struct TCampoArquivo {
  const char *Nome;
  int Inicio;  // 1-based column
  int Tamanho; // characters
  TTipoCampoArquivo Tipo;
  const char *Rotulo; // label that opens the content of a conversion failure
};

// The text of a field of a line (short when the line ends before it).
inline QString LerCampo(const QString &linha, const TCampoArquivo &c) {
  return CampoLinha(linha, c.Inicio, c.Tamanho);
}

// True when the text holds only blanks (an empty text included).
bool CampoEmBranco(const QString &texto);

// A DDMMYYYY date field as a day count: NullDate for zeros or blanks,
// DataNaoValida for anything that is not a calendar date.
TDateTime DataCampoArquivo(const QString &texto);

// One line from the values of its fields, in table order: numbers, amounts
// and dates right-aligned and zero-filled, texts left-aligned and
// blank-filled; zeros and blanks fields take their filling when the value is
// empty. A value longer than its field is cut.
QString MontarLinha(const TCampoArquivo *campos, int quantidade, const QStringList &valores);

template <size_t N>
QString MontarLinha(const TCampoArquivo (&campos)[N], const QStringList &valores) {
  return MontarLinha(campos, static_cast<int>(N), valores);
}
