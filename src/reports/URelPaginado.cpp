#include "reports/URelPaginado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

void AjustarEscala(QPainter &p, const QPageLayout &layout, double larguraPx, double alturaPx) {
  const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
  p.scale(larguraPx / (mm.width() * UnidadesPorMm), alturaPx / (mm.height() * UnidadesPorMm));
}

bool ImprimirRelatorio(TRelatorioPaginado &rel, QPagedPaintDevice &dispositivo, int primeira,
                       int ultima) {
  const QPageLayout layout = rel.LayoutPagina();
  dispositivo.setPageLayout(layout);
  const int total = rel.QuantidadePaginas();
  if (ultima < 0 || ultima >= total)
    ultima = total - 1;
  QPainter p;
  if (!p.begin(&dispositivo))
    return false;
  // The device's own page in its resolution, whatever margins it keeps.
  const QRect pagina = layout.fullRectPixels(dispositivo.logicalDpiX());
  for (int i = std::max(0, primeira); i <= ultima; ++i) {
    if (i > std::max(0, primeira))
      dispositivo.newPage();
    p.save();
    AjustarEscala(p, layout, pagina.width(), pagina.height());
    rel.PintarPagina(p, i);
    p.restore();
  }
  return p.end();
}

bool ExportarPDF(TRelatorioPaginado &rel, const QString &arquivo, QString *erro) {
  // Written beside the target and renamed at the end: a failed export never
  // leaves half a file under the chosen name.
  const QString temporario = arquivo + QStringLiteral(".parcial");
  bool ok = false;
  {
    QPdfWriter pdf(temporario);
    if (!QFileInfo(temporario).absoluteDir().exists()) {
      if (erro)
        *erro = QStringLiteral("Pasta inexistente: ") + QFileInfo(arquivo).absolutePath();
      return false;
    }
    pdf.setResolution(1200);
    pdf.setCreator(QStringLiteral("VESK Eletrônica"));
    pdf.setTitle(rel.Titulo());
    ok = ImprimirRelatorio(rel, pdf);
  }
  if (!ok || !QFileInfo(temporario).exists() || QFileInfo(temporario).size() == 0) {
    QFile::remove(temporario);
    if (erro)
      *erro = QStringLiteral("Não foi possível gravar ") + arquivo;
    return false;
  }
  QFile::remove(arquivo);
  if (!QFile::rename(temporario, arquivo)) {
    QFile::remove(temporario);
    if (erro)
      *erro = QStringLiteral("Não foi possível gravar ") + arquivo;
    return false;
  }
  return true;
}
