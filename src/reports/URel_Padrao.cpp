#include "reports/URel_Padrao.h"

#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"
#include "reports/unDesenho.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {
// Every measure in 0.1 mm (the painter's unit).
constexpr double Margem = 100;
constexpr double AlturaTopo = 130; // picture and date block
constexpr double AlturaVersao = 40;
constexpr double AlturaDefinicao = 55;
constexpr double AlturaTitulo = 48;
constexpr double AlturaLinhaCabecalho = 40;
constexpr double AlturaLinhaColunas = 38;
constexpr double AlturaGrupo = 45;
constexpr double AlturaLinha = 36;
constexpr double EspacoEntrada = 8;

struct TFontes {
  QFont Data = TDesenho::Fonte(7);
  QFont Versao = TDesenho::Fonte(6.5);
  QFont Definicao = TDesenho::Fonte(10, true);
  QFont Titulo = TDesenho::Fonte(9, true);
  QFont Cabecalho = TDesenho::Fonte(7.5);
  QFont Colunas = TDesenho::Fonte(7, true);
  QFont Grupo = TDesenho::Fonte(7.5, true);
  QFont Linha = TDesenho::Fonte(7);
  QFontMetricsF MetricaLinha{Linha};
  double BaseLinha = 0; // baseline of a detail text inside its line
  TFontes() {
    for (QFont *f : {&Colunas, &Linha})
      f->setStretch(QFont::SemiCondensed);
    MetricaLinha = QFontMetricsF(Linha);
    BaseLinha = (AlturaLinha + MetricaLinha.ascent() - MetricaLinha.descent()) / 2;
  }
};

const TFontes &Fontes() {
  static const TFontes f;
  return f;
}

// A line of column headings with no title at all takes no room: reports
// whose entries carry their own labels leave the headings empty.
bool SemTitulos(const QList<TColunaRel> &linha) {
  for (const TColunaRel &c : linha)
    if (!c.Titulo.isEmpty())
      return false;
  return true;
}

int LinhasTitulos(const QList<QList<TColunaRel>> &colunas) {
  int n = 0;
  for (const auto &linha : colunas)
    n += SemTitulos(linha) ? 0 : 1;
  return n;
}

// A cell never spills into its neighbour: a text that cannot fit is cut with
// an ellipsis. Only texts long enough to possibly overflow are measured.
QString Ajustado(const QString &texto, const QFont &fonte, double largura) {
  constexpr double LarguraMinimaCaractere = 9; // 0.9 mm, narrower than any glyph here
  if (texto.size() * LarguraMinimaCaractere <= largura)
    return texto;
  const QFontMetricsF m(fonte);
  if (m.horizontalAdvance(texto) <= largura)
    return texto;
  return m.elidedText(texto, Qt::ElideRight, largura);
}
} // namespace

TRelPadrao::TRelPadrao() : Momento(QDateTime::currentDateTime()) {}

QString TRelPadrao::LinhaVersaoPadrao() {
  return QStringLiteral("Versão do Aplicativo: ") + TUtilitarios::VersaoSistema(true);
}

QPageLayout TRelPadrao::LayoutPagina() const {
  return QPageLayout(QPageSize(Papel()), Orientacao(), QMarginsF(0, 0, 0, 0));
}

double TRelPadrao::AlturaEntrada(const TEntradaRel &e) const {
  return std::max<qsizetype>(e.Linhas.size(), 1) * AlturaLinha + EspacoEntrada;
}

void TRelPadrao::Diagramar() {
  paginas_.clear();
  inicioCorpo_ = Margem + AlturaTopo + AlturaVersao + AlturaDefinicao +
                 Dados.Titulos.size() * AlturaTitulo +
                 Dados.Cabecalho.size() * AlturaLinhaCabecalho + 20 +
                 LinhasTitulos(Dados.Colunas) * AlturaLinhaColunas + 20;
  const double fim =
      LayoutPagina().fullRect(QPageLayout::Millimeter).height() * UnidadesPorMm - Margem;
  QList<TPosicao> pagina;
  double y = inicioCorpo_;
  auto novaPagina = [&] {
    paginas_.append(pagina);
    pagina.clear();
    y = inicioCorpo_;
  };
  for (int g = 0; g < Dados.Grupos.size(); ++g) {
    const TGrupoRel &grupo = Dados.Grupos[g];
    if (grupo.Entradas.isEmpty())
      continue;
    const double alturaGrupo = grupo.Cabecalho.size() * AlturaGrupo;
    if (!pagina.isEmpty() &&
        (grupo.NovaPagina || y + alturaGrupo + AlturaEntrada(grupo.Entradas.first()) > fim))
      novaPagina();
    if (alturaGrupo > 0) {
      pagina.append({g, -1, y});
      y += alturaGrupo;
    }
    for (int e = 0; e < grupo.Entradas.size(); ++e) {
      const double h = AlturaEntrada(grupo.Entradas[e]);
      if (y + h > fim && !pagina.isEmpty() && pagina.last().Entrada >= 0) {
        // The group goes on in the next page under its heading again.
        novaPagina();
        if (alturaGrupo > 0) {
          pagina.append({g, -1, y});
          y += alturaGrupo;
        }
      }
      pagina.append({g, e, y});
      y += h;
    }
  }
  // An empty report still has its one page with the headers.
  paginas_.append(pagina);
  diagramado_ = true;
}

int TRelPadrao::QuantidadePaginas() {
  if (!diagramado_)
    Diagramar();
  return int(paginas_.size());
}

void TRelPadrao::PintarCabecalho(QPainter &p, int pagina, int total) const {
  const TFontes &f = Fontes();
  TDesenho d(p);
  const double largura =
      LayoutPagina().fullRect(QPageLayout::Millimeter).width() * UnidadesPorMm - 2 * Margem;
  d.Logo(Margem, Margem, 300, 110, QStringLiteral("VESK"), 18);
  const double xData = Margem + largura - 380;
  const auto tres = [](int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); };
  d.Texto(xData, Margem, 380, 35,
          QStringLiteral("DATA: ") + Momento.date().toString(QStringLiteral("dd/MM/yyyy")), f.Data);
  d.Texto(xData, Margem + 38, 380, 35,
          QStringLiteral("HORA: ") + Momento.time().toString(QStringLiteral("HH:mm:ss")), f.Data);
  d.Texto(xData, Margem + 76, 380, 35,
          QStringLiteral("PAG: ") + tres(pagina + 1) + u'/' + tres(total), f.Data);
  double y = Margem + AlturaTopo;
  d.Texto(Margem, y, largura, AlturaVersao, Dados.Versao, f.Versao);
  y += AlturaVersao;
  d.Texto(Margem, y, largura, AlturaDefinicao, Dados.Definicao, f.Definicao, Qt::AlignCenter);
  y += AlturaDefinicao;
  for (const QString &t : Dados.Titulos) {
    d.Texto(Margem, y, largura, AlturaTitulo, t, f.Titulo, Qt::AlignCenter);
    y += AlturaTitulo;
  }
  for (const QString &t : Dados.Cabecalho) {
    d.Texto(Margem, y, largura, AlturaLinhaCabecalho, t, f.Cabecalho);
    y += AlturaLinhaCabecalho;
  }
  QPen caneta(Qt::black);
  caneta.setWidthF(3);
  y += 10;
  p.setPen(caneta);
  p.drawLine(QPointF(Margem, y), QPointF(Margem + largura, y));
  y += 10;
  for (const auto &linha : Dados.Colunas) {
    if (SemTitulos(linha))
      continue;
    for (const TColunaRel &c : linha)
      d.Texto(Margem + c.X * UnidadesPorMm, y, c.Largura * UnidadesPorMm, AlturaLinhaColunas,
              c.Titulo, f.Colunas, c.Alinhamento | Qt::AlignVCenter);
    y += AlturaLinhaColunas;
  }
  y += 10;
  p.setPen(caneta);
  p.drawLine(QPointF(Margem, y), QPointF(Margem + largura, y));
}

void TRelPadrao::PintarPagina(QPainter &p, int pagina) {
  const int total = QuantidadePaginas();
  if (pagina < 0 || pagina >= total)
    return;
  PintarCabecalho(p, pagina, total);
  const TFontes &f = Fontes();
  TDesenho d(p);
  const double largura =
      LayoutPagina().fullRect(QPageLayout::Millimeter).width() * UnidadesPorMm - 2 * Margem;
  for (const TPosicao &pos : paginas_[pagina]) {
    const TGrupoRel &g = Dados.Grupos[pos.Grupo];
    double y = pos.Y;
    if (pos.Entrada < 0) {
      for (const QString &t : g.Cabecalho) {
        d.Texto(Margem, y, largura, AlturaGrupo, t, f.Grupo);
        y += AlturaGrupo;
      }
      continue;
    }
    const TEntradaRel &e = g.Entradas[pos.Entrada];
    p.setFont(f.Linha);
    p.setPen(Qt::black);
    for (int l = 0; l < e.Linhas.size() && l < Dados.Colunas.size(); ++l) {
      const QStringList &celulas = e.Linhas[l];
      const auto &colunas = Dados.Colunas[l];
      for (int c = 0; c < celulas.size() && c < colunas.size(); ++c) {
        if (celulas[c].isEmpty())
          continue;
        const TColunaRel &col = colunas[c];
        const double w = col.Largura * UnidadesPorMm;
        // A control byte from a file (a NUL in a name) is shown as \xNN, so
        // it can neither cut the cell nor run it into the next one.
        const QString texto = Ajustado(TextoVisivel(celulas[c]), f.Linha, w);
        // Detail cells are drawn at their baseline: the rectangle form lays
        // every text out as a paragraph, which dominates a long listing.
        double x = Margem + col.X * UnidadesPorMm;
        if (col.Alinhamento & (Qt::AlignRight | Qt::AlignHCenter)) {
          const double sobra = w - f.MetricaLinha.horizontalAdvance(texto);
          x += (col.Alinhamento & Qt::AlignRight) ? sobra : sobra / 2;
        }
        p.drawText(QPointF(x, y + f.BaseLinha), texto);
      }
      y += AlturaLinha;
    }
  }
}
