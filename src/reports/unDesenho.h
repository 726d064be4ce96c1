#pragma once
// Small drawing kit shared by the printed forms: fonts sized in points on a
// painter whose unit is 0.1 mm, captioned boxes and aligned texts.
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

class TDesenho {
public:
  explicit TDesenho(QPainter &p) : p_(p) {}

  // A sans-serif font of `pontos` points in the painter's 0.1 mm units.
  static QFont Fonte(double pontos, bool negrito = false, bool monoespacada = false);

  // A box with its caption in small print at the top-left and the value below.
  void Caixa(double x, double y, double l, double a, const QString &legenda, const QString &valor,
             Qt::Alignment alinhamento = Qt::AlignLeft, const QFont *fonteValor = nullptr);
  void Texto(double x, double y, double l, double a, const QString &texto, const QFont &fonte,
             Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter);
  void Retangulo(double x, double y, double l, double a, double espessuraMm = 0.2);
  void LinhaTracejada(double x1, double y, double x2);
  // The program's fixed logo: a blue rounded box with the text in white.
  void Logo(double x, double y, double l, double a, const QString &texto, double pontos);

  QPainter &Pintor() { return p_; }

private:
  QPainter &p_;
};
