#pragma once
// The guide's bar code as bars to paint: Interleaved 2 of 5 of the 44 digits
// (no added check digit, no human-readable text, wide bars three times the
// narrow ones), encoded by libzint and handed over as rectangles so that any
// paged device (printer, PDF, preview) gets sharp vector bars.
#include <QList>
#include <QRectF>
#include <QString>

struct TBarrasGuia {
  // The dark bars, in narrow-module units from the left edge of the symbol
  // (its left quiet zone included); every bar runs the full height.
  QList<QPair<double, double>> Barras; // (start, width)
  double Modulos = 0;                  // total width, quiet zones included
  bool Valido() const { return !Barras.isEmpty(); }
};

// Empty (not Valido) unless the text is 44 digits.
TBarrasGuia BarrasInterleaved2de5(const QString &digitos44);

// Quiet zone on each side, in narrow modules.
inline constexpr int ZonaSilenciosaModulos = 10;
