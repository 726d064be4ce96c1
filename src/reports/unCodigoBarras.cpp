#include "reports/unCodigoBarras.h"

#include <zint.h>

#include <algorithm>
#include <memory>

TBarrasGuia BarrasInterleaved2de5(const QString &digitos44) {
  TBarrasGuia r;
  if (digitos44.size() != 44 ||
      !std::all_of(digitos44.cbegin(), digitos44.cend(), [](QChar c) { return c.isDigit(); }))
    return r;
  std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> s(ZBarcode_Create(), ZBarcode_Delete);
  if (!s)
    return r;
  s->symbology = BARCODE_C25INTER;
  s->option_2 = 0; // no added check digit: the 44 digits carry their own
  s->show_hrt = 0;
  s->whitespace_width = ZonaSilenciosaModulos;
  s->scale = 1;
  const QByteArray dados = digitos44.toLatin1();
  if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char *>(dados.constData()),
                      dados.size()) >= ZINT_ERROR)
    return r;
  if (ZBarcode_Buffer_Vector(s.get(), 0) >= ZINT_ERROR || !s->vector)
    return r;
  // The vector's unit is a fixed multiple of the narrow module: the symbol is
  // s->width modules wide plus the quiet zones.
  const double modulos = s->width + 2.0 * ZonaSilenciosaModulos;
  const double fator = modulos / s->vector->width;
  for (zint_vector_rect *q = s->vector->rectangles; q; q = q->next)
    r.Barras.append({q->x * fator, q->width * fator});
  std::sort(r.Barras.begin(), r.Barras.end());
  r.Modulos = modulos;
  return r;
}
