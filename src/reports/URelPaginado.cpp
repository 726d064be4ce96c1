#include "reports/URelPaginado.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

void AjustarEscala(QPainter &p, const QPageLayout &layout, double larguraPx, double alturaPx) {
  const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
  p.scale(larguraPx / (mm.width() * UnidadesPorMm), alturaPx / (mm.height() * UnidadesPorMm));
}

bool ImprimirRelatorio(TRelatorioPaginado &rel, QPagedPaintDevice &dispositivo, int primeira,
                       int ultima, const TProgressoImpressao &progresso) {
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
    if (progresso &&
        !progresso(i - std::max(0, primeira) + 1, ultima - std::max(0, primeira) + 1)) {
      p.end();
      return false;
    }
  }
  return p.end();
}

bool ExportarPDF(TRelatorioPaginado &rel, const QString &arquivo, QString *erro) {
  // The document is made in memory and written in one go through QSaveFile,
  // which renames its temporary file only when every byte was written: an
  // unwritable folder or a full disk is told and never leaves half a file.
  QByteArray conteudo;
  bool ok = false;
  {
    QBuffer buffer(&conteudo);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(1200);
    pdf.setCreator(QStringLiteral("VESK Eletrônica"));
    pdf.setTitle(rel.Titulo());
    ok = ImprimirRelatorio(rel, pdf);
  }
  QSaveFile f(arquivo);
  if (ok && !conteudo.isEmpty() && f.open(QIODevice::WriteOnly) &&
      f.write(conteudo) == conteudo.size() && f.commit())
    return true;
  f.cancelWriting();
  if (erro)
    *erro = QStringLiteral("Não foi possível gravar o arquivo ") +
            QFileInfo(arquivo).absoluteFilePath() +
            (f.errorString().isEmpty() || !ok ? QString() : QStringLiteral(": ") + f.errorString());
  return false;
}
