#pragma once
// The program's modal report preview over any paged report: page navigation,
// zoom, printing and "Exportar para PDF". The exported PDF is the saved
// report.
#include "reports/URelPaginado.h"

#include <QDialog>
#include <functional>

class QLabel;
class QScrollArea;
class QSpinBox;
class QComboBox;
class QAction;

class TfrmVisualizador : public QDialog {
  Q_OBJECT
public:
  explicit TfrmVisualizador(TRelatorioPaginado &rel, QWidget *pai = nullptr);

  int PaginaAtual() const { return pagina_; }
  int QuantidadePaginas() const { return total_; }
  // Zoom in percent of the page's real size; 0 fits the whole page, -1 the width.
  void DefinirZoom(int percentual);
  void IrParaPagina(int pagina); // 0-based, clamped
  // Writes the report to that PDF file; a message on failure.
  bool ExportarPara(const QString &arquivo);
  // The page as the preview shows it (for tests and screenshots).
  QImage ImagemPagina(int pagina, double pixelsPorMm) const;

  // Tests answer the save dialog with this file name (empty: cancelled).
  static inline std::function<QString()> RespostaSalvar;

public slots:
  void Imprimir();
  void ExportarPDF();

protected:
  void resizeEvent(QResizeEvent *e) override;

private:
  TRelatorioPaginado &rel_;
  int pagina_ = 0;
  int total_ = 0;
  int zoom_ = 0;
  QLabel *imagem_ = nullptr;
  QScrollArea *rolagem_ = nullptr;
  QSpinBox *spinPagina_ = nullptr;
  QLabel *rotuloTotal_ = nullptr;
  QComboBox *comboZoom_ = nullptr;
  QAction *acoes_[4] = {};
  void Redesenhar();
};

// Shows the preview modally. When Interceptar is set (tests, batch runs) it is
// called instead and nothing is shown.
void MostrarRelatorio(TRelatorioPaginado &rel, QWidget *pai = nullptr);
inline std::function<void(TRelatorioPaginado &)> InterceptarVisualizacao;
