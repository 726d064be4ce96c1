#pragma once
// Money held as a whole number of centavos.
//
// Amounts are kept as doubles across the program, and the one centavo rule
// (Utilitarios.Truncar / ParaCentavos) cuts products, quotients and factors.
// Adding or subtracting amounts that are already whole centavos must not go
// through that rule: in binary such a sum lands a hair below the centavo
// (76.52 - (27.64 + 40.34) is 8.539999999999992) and the cut loses a centavo.
// TCentavos is where those sums and differences are made: each operand is
// turned into its whole centavos by the rule, the arithmetic is integer and
// exact, and the result goes back to the nearest double of the amount, or is
// written out as text, from the integer.
//
//   r.VrMulta = (TCentavos::De(tot) - TCentavos::Soma({dep, jam})).Valor();
#include <QString>
#include <QtGlobal>
#include <compare>
#include <initializer_list>

class TCentavos {
public:
  constexpr TCentavos() = default;
  // The amount whose whole centavos are c (12345 -> 123.45).
  static constexpr TCentavos DeCentavos(qint64 c) { return TCentavos(c); }
  // The whole centavos of a money value by the one centavo rule: 1234.56 ->
  // 123456 (not 123455), 10.999 -> 1099.
  static TCentavos De(double valor);
  // Exact sum of amounts that are whole centavos.
  static TCentavos Soma(std::initializer_list<double> valores);

  constexpr qint64 Centavos() const { return c_; }
  // The nearest double of the amount: one exact integer divided once.
  constexpr double Valor() const { return static_cast<double>(c_) / 100.0; }
  // "1234.56", "-0.05", "0.00": point separator, no thousands separator, the
  // exact digits (JSON, SQL literals).
  QString Texto() const;
  // "1.234,56": the program's display form.
  QString Formatado() const;

  constexpr TCentavos operator-() const { return TCentavos(-c_); }
  constexpr TCentavos operator+(TCentavos o) const { return TCentavos(c_ + o.c_); }
  constexpr TCentavos operator-(TCentavos o) const { return TCentavos(c_ - o.c_); }
  constexpr TCentavos &operator+=(TCentavos o) {
    c_ += o.c_;
    return *this;
  }
  constexpr TCentavos &operator-=(TCentavos o) {
    c_ -= o.c_;
    return *this;
  }
  constexpr auto operator<=>(const TCentavos &) const = default;

private:
  constexpr explicit TCentavos(qint64 c) : c_(c) {}
  qint64 c_ = 0;
};
