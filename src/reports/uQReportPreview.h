#pragma once
// The program's one report preview, over any paged report: the toolbar,
// the "&Arquivo" and "&Visualizar" menus, page moves, the zoom list that
// also takes a typed percentage, printing with its progress window and
// "Exportar para PDF" (the file chosen through the file-choice seam). The
// exported PDF is the saved report.
#include "reports/URelPaginado.h"

#include <QDialog>
#include <functional>

class QLabel;
class QScrollArea;
class QComboBox;
class QAction;

class TQReportPreview : public QDialog {
  Q_OBJECT
public:
  // One flag per command of the toolbar (EnabledButtons).
  enum TBotao {
    btImprimir = 1 << 0,
    btPrimeira = 1 << 1,
    btAnterior = 1 << 2,
    btProxima = 1 << 3,
    btUltima = 1 << 4,
    btMaisZoom = 1 << 5,
    btMenosZoom = 1 << 6,
    btZoom = 1 << 7,
    btExportarPDF = 1 << 8,
    btFechar = 1 << 9,
    btTodos = (1 << 10) - 1
  };
  // The zoom list, in percent of the page's real size.
  static const QList<int> Zooms;

  explicit TQReportPreview(TRelatorioPaginado &rel, QWidget *pai = nullptr);

  TRelatorioPaginado &Relatorio() const { return rel_; }
  QString TituloPreview() const { return windowTitle(); }
  void DefinirTituloPreview(const QString &t) { setWindowTitle(t); }
  int EnabledButtons() const { return botoes_; }
  void DefinirEnabledButtons(int flags);

  int PaginaAtual() const { return pagina_; } // 0-based
  int QuantidadePaginas() const { return total_; }
  int ZoomAtual() const { return zoom_; }
  QString TextoStatus() const;
  void DefinirZoom(int percentual);
  // The next (or previous) entry of the list from the current zoom.
  void MaisZoom();
  void MenosZoom();
  // A typed zoom: a number with or without "%"; false when it is not one.
  bool DigitarZoom(const QString &texto);
  void IrParaPagina(int pagina); // 0-based, clamped
  // Writes the report to that PDF file; a message on failure, and the
  // preview stays as it was.
  bool ExportarPara(const QString &arquivo);
  // The page as the preview shows it (for tests and screenshots).
  QImage ImagemPagina(int pagina, double pixelsPorMm) const;

public slots:
  void Imprimir();
  void ExportarPDF();

private:
  TRelatorioPaginado &rel_;
  int pagina_ = 0;
  int total_ = 0;
  int zoom_ = 100;
  int botoes_ = btTodos;
  QLabel *imagem_ = nullptr;
  QLabel *status_ = nullptr;
  QScrollArea *rolagem_ = nullptr;
  QComboBox *comboZoom_ = nullptr;
  QAction *acoes_[10] = {};
  void Redesenhar();
  void AtualizarComandos();
};

// Shows the preview modally. When Interceptar is set (tests, batch runs) it is
// called instead and nothing is shown.
void MostrarRelatorio(TRelatorioPaginado &rel, QWidget *pai = nullptr);
inline std::function<void(TRelatorioPaginado &)> InterceptarVisualizacao;
