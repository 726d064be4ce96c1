#pragma once
// A report as a sequence of pages painted with QPainter. The same painting
// code serves the printer, the PDF file and the preview: each device is set
// up so that one logical unit is a tenth of a millimetre of the page.
#include <QPageLayout>
#include <QString>
#include <functional>

class QPainter;
class QPagedPaintDevice;

// Logical units of the painters: 0.1 mm.
inline constexpr double UnidadesPorMm = 10.0;

class TRelatorioPaginado {
public:
  virtual ~TRelatorioPaginado() = default;
  // Size and orientation of every page (no margins: the painter places all).
  virtual QPageLayout LayoutPagina() const = 0;
  virtual int QuantidadePaginas() = 0;
  // Paints page `pagina` (0-based) on a painter already in 0.1 mm units,
  // origin at the page's top-left corner.
  virtual void PintarPagina(QPainter &p, int pagina) = 0;
  // Text of the window title of the preview.
  virtual QString Titulo() const { return QStringLiteral("Visualização do Relatório"); }
};

// Sets the painter's coordinates so that the whole page, in 0.1 mm, fills a
// target of `larguraPx` x `alturaPx` device pixels.
void AjustarEscala(QPainter &p, const QPageLayout &layout, double larguraPx, double alturaPx);

// Told after each page painted (pages done, pages asked for); returning
// false stops the printing there.
using TProgressoImpressao = std::function<bool(int feitas, int total)>;

// Paints the pages [primeira, ultima] (all by default) on a paged device
// (QPrinter, QPdfWriter); false when the device cannot be painted on or the
// progress callback stopped it.
bool ImprimirRelatorio(TRelatorioPaginado &rel, QPagedPaintDevice &dispositivo, int primeira = 0,
                       int ultima = -1, const TProgressoImpressao &progresso = {});

// Writes every page to a PDF file; false with the reason in *erro.
bool ExportarPDF(TRelatorioPaginado &rel, const QString &arquivo, QString *erro = nullptr);
