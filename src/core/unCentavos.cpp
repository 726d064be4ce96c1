#include "unCentavos.h"

#include "unUtilitarios.h"

TCentavos TCentavos::De(double valor) {
  return TCentavos(TUtilitarios::ParaCentavos(valor));
}

TCentavos TCentavos::Soma(std::initializer_list<double> valores) {
  qint64 c = 0;
  for (double v : valores)
    c += TUtilitarios::ParaCentavos(v);
  return TCentavos(c);
}

QString TCentavos::Texto() const {
  // Digits from the unsigned magnitude, so that no value has a sign problem.
  const quint64 m = c_ < 0 ? 0 - static_cast<quint64>(c_) : static_cast<quint64>(c_);
  const QString centavos = QString::number(m % 100).rightJustified(2, u'0');
  return (c_ < 0 ? QStringLiteral("-") : QString()) + QString::number(m / 100) + u'.' + centavos;
}

QString TCentavos::Formatado() const {
  // Exact: the nearest double of a whole number of centavos keeps its digits
  // under the display rounding.
  return TUtilitarios::FormatarValor(Valor());
}
