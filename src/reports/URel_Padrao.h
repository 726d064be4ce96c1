#pragma once
// The common frame of the listings: the page header every page carries (the
// picture, "DATA:", "HORA:", "PAG: 001/003", the version line, the
// definition line, the report's titles and header block, the column
// headings) and the one renderer that lays the rows of a TDadosRelatorio out
// into pages before anything is painted, so the page count is known first.
// TRelPadrao is Letter portrait, TRelPadraoPaisagem A4 landscape.
#include "reports/URelPaginado.h"
#include "reports/unDadosRelatorio.h"

#include <QDateTime>
#include <QList>

class TRelPadrao : public TRelatorioPaginado {
public:
  TRelPadrao();

  // The rows; set them before the first page count is asked for (or call
  // Rediagramar after changing them).
  TDadosRelatorio Dados;
  // Date and time printed in every page header: the moment the report was made.
  QDateTime Momento;

  QPageLayout LayoutPagina() const override;
  int QuantidadePaginas() override;
  void PintarPagina(QPainter &p, int pagina) override;
  // The report's caption in the print spooler and in the PDF.
  QString Titulo() const override { return QStringLiteral("Visualizador de relatórios"); }

  void Rediagramar() { diagramado_ = false; }
  // "Versão do Aplicativo: " and the system version with its date.
  static QString LinhaVersaoPadrao();

protected:
  virtual QPageSize::PageSizeId Papel() const { return QPageSize::Letter; }
  virtual QPageLayout::Orientation Orientacao() const { return QPageLayout::Portrait; }

private:
  // What a page holds: a group's heading (Entrada -1) or one entry, at y (0.1 mm).
  struct TPosicao {
    int Grupo;
    int Entrada;
    double Y;
  };
  QList<QList<TPosicao>> paginas_;
  bool diagramado_ = false;
  double inicioCorpo_ = 0;

  void Diagramar();
  double AlturaEntrada(const TEntradaRel &e) const;
  void PintarCabecalho(QPainter &p, int pagina, int total) const;
};

class TRelPadraoPaisagem : public TRelPadrao {
protected:
  QPageSize::PageSizeId Papel() const override { return QPageSize::A4; }
  QPageLayout::Orientation Orientacao() const override { return QPageLayout::Landscape; }
};
