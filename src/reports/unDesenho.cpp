#include "reports/unDesenho.h"

#include "reports/URelPaginado.h"

#include "core/unTexto1252.h"

#include <QPen>

QFont TDesenho::Fonte(double pontos, bool negrito, bool monoespacada) {
  QFont f;
  f.setFamilies(monoespacada
                    ? QStringList{QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Courier New")}
                    : QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
  f.setStyleHint(monoespacada ? QFont::Monospace : QFont::SansSerif);
  // Pixel size in painter units (0.1 mm): the same size on every device.
  f.setPixelSize(qMax(1, qRound(pontos * 25.4 / 72.0 * UnidadesPorMm)));
  f.setBold(negrito);
  f.setKerning(false);
  // Any letter spacing turns ligatures off: "fi" stays two letters, so the
  // text copied or extracted from a PDF reads as printed.
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
  return f;
}

void TDesenho::Caixa(double x, double y, double l, double a, const QString &legenda,
                     const QString &valor, Qt::Alignment alinhamento, const QFont *fonteValor) {
  static const QFont fonteLegenda = Fonte(6);
  static const QFont fontePadrao = Fonte(9, true);
  Retangulo(x, y, l, a);
  Texto(x + 10, y + 5, l - 20, 25, legenda, fonteLegenda, Qt::AlignLeft | Qt::AlignTop);
  Texto(x + 10, y + 30, l - 20, a - 32, valor, fonteValor ? *fonteValor : fontePadrao,
        alinhamento | Qt::AlignVCenter);
}

void TDesenho::Texto(double x, double y, double l, double a, const QString &texto,
                     const QFont &fonte, Qt::Alignment alinhamento) {
  p_.setFont(fonte);
  p_.setPen(Qt::black);
  p_.drawText(QRectF(x, y, l, a), int(alinhamento) | Qt::TextSingleLine, TextoVisivel(texto));
}

void TDesenho::Retangulo(double x, double y, double l, double a, double espessuraMm) {
  QPen caneta(Qt::black);
  caneta.setWidthF(espessuraMm * UnidadesPorMm);
  p_.setPen(caneta);
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRectF(x, y, l, a));
}

void TDesenho::LinhaTracejada(double x1, double y, double x2) {
  QPen caneta(Qt::black);
  caneta.setWidthF(0.2 * UnidadesPorMm);
  caneta.setStyle(Qt::DashLine);
  p_.setPen(caneta);
  p_.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void TDesenho::Logo(double x, double y, double l, double a, const QString &texto, double pontos) {
  p_.save();
  p_.setPen(Qt::NoPen);
  p_.setBrush(QColor(0, 70, 140));
  p_.drawRoundedRect(QRectF(x, y, l, a), 20, 20);
  p_.setPen(Qt::white);
  p_.setFont(Fonte(pontos, true));
  p_.drawText(QRectF(x, y, l, a), Qt::AlignCenter, texto);
  p_.restore();
}
