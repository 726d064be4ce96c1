#pragma once
// A listing as data, before any page exists: the header texts, the columns of
// each printed line of an entry, and the groups with their entries, every
// value already formatted as it is printed. The page renderer (URel_Padrao)
// lays these rows out and paints them; the CSV export writes the same rows.
// Nothing here knows about widgets or painting.
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

// One column of a printed line: heading, left edge and width in mm from the
// left margin.
struct TColunaRel {
  QString Titulo;
  double X = 0;
  double Largura = 0;
  Qt::Alignment Alinhamento = Qt::AlignLeft;
};

// One detail entry: its printed lines, each with one text per column of that
// line (TDadosRelatorio::Colunas).
struct TEntradaRel {
  QList<QStringList> Linhas;
};

// A group: its heading lines ("EMPRESA: ..."), whether it starts on a new
// page, the values its entries carry in the CSV, and its entries.
struct TGrupoRel {
  QStringList Cabecalho;
  bool NovaPagina = false;
  QStringList ValoresCsv;
  QList<TEntradaRel> Entradas;
};

struct TDadosRelatorio {
  QString Definicao;                // the centred definition line
  QString Versao;                   // the version line under the date block
  QStringList Titulos;              // the report's own title lines
  QStringList Cabecalho;            // header block lines (responsible party...)
  QList<QList<TColunaRel>> Colunas; // one list per printed line of an entry
  QStringList ColunasGrupoCsv;      // CSV headings of TGrupoRel::ValoresCsv
  QList<TGrupoRel> Grupos;

  int QuantidadeEntradas() const;
  bool Vazio() const { return QuantidadeEntradas() == 0; }
  // The group to append to: a new one when the heading differs from the
  // last group's (consecutive rows of one key share their group).
  TGrupoRel &Grupo(const QStringList &cabecalho, bool novaPagina,
                   const QStringList &valoresCsv = {});
};

// The CSV lines (headings first): one line per entry, the group values and
// then every column of every printed line; ";" separates, values holding ";",
// quotes or line breaks are quoted.
QStringList LinhasCSV(const TDadosRelatorio &dados);
// Writes the lines in UTF-8 with CR LF, through a temporary file renamed at
// the end; false with the reason in *erro (nothing left behind).
bool ExportarCSV(const TDadosRelatorio &dados, const QString &arquivo, QString *erro = nullptr);
