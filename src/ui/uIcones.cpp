#include "uIcones.h"

#include "UnArvore.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {
using Desenho = std::function<void(QPainter &)>;

// Every picture is drawn on a 16 x 16 grid and rendered at several sizes so it
// stays sharp on dense screens and in the bigger toolbar.
QIcon Renderizar(const Desenho &d, std::initializer_list<int> tamanhos) {
  QIcon icone;
  for (int t : tamanhos) {
    QPixmap p(t, t);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.scale(t / 16.0, t / 16.0);
    d(g);
    g.end();
    icone.addPixmap(p);
  }
  return icone;
}

const QColor Contorno(40, 48, 64);

void Predio(QPainter &g, const QColor &cor) {
  g.setPen(QPen(Contorno, 0.8));
  g.setBrush(cor);
  g.drawRect(QRectF(2.5, 2.5, 8, 12));
  g.drawRect(QRectF(10.5, 7.5, 4, 7));
  g.setPen(Qt::NoPen);
  g.setBrush(QColor(235, 242, 250));
  for (int l = 0; l < 4; ++l)
    for (int c = 0; c < 2; ++c)
      g.drawRect(QRectF(4 + c * 3.5, 4 + l * 2.4, 1.8, 1.4));
  g.drawRect(QRectF(11.8, 9, 1.4, 1.4));
  g.drawRect(QRectF(11.8, 11.6, 1.4, 1.4));
}

void Pessoa(QPainter &g, const QColor &cor) {
  g.setPen(QPen(Contorno, 0.8));
  g.setBrush(cor);
  QPainterPath corpo;
  corpo.moveTo(2, 15);
  corpo.cubicTo(2, 9.5, 5, 8.5, 8, 8.5);
  corpo.cubicTo(11, 8.5, 14, 9.5, 14, 15);
  corpo.closeSubpath();
  g.drawPath(corpo);
  g.setBrush(cor.lighter(135));
  g.drawEllipse(QPointF(8, 5), 3.2, 3.2);
}

// A small round badge in the lower right corner with a symbol in it.
void Selo(QPainter &g, const QColor &cor, const Desenho &simbolo) {
  g.setPen(QPen(Qt::white, 1.0));
  g.setBrush(cor);
  g.drawEllipse(QPointF(11.5, 11.5), 4.2, 4.2);
  g.save();
  g.translate(11.5, 11.5);
  simbolo(g);
  g.restore();
}

void Visto(QPainter &g) {
  g.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.setBrush(Qt::NoBrush);
  g.drawPolyline(QPolygonF({QPointF(-2.2, 0), QPointF(-0.6, 1.6), QPointF(2.2, -1.6)}));
}

void Cadeado(QPainter &g) {
  g.setPen(QPen(Qt::white, 1.0));
  g.setBrush(Qt::NoBrush);
  g.drawArc(QRectF(-1.5, -2.8, 3, 3.4), 0, 180 * 16);
  g.setPen(Qt::NoPen);
  g.setBrush(Qt::white);
  g.drawRect(QRectF(-2.2, -0.9, 4.4, 3));
}

void VistoDuplo(QPainter &g) {
  g.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.setBrush(Qt::NoBrush);
  g.drawPolyline(QPolygonF({QPointF(-2.8, 0), QPointF(-1.5, 1.4), QPointF(0.8, -1.5)}));
  g.drawPolyline(QPolygonF({QPointF(-0.9, 0.9), QPointF(-0.2, 1.4), QPointF(2.6, -1.5)}));
}

const QColor Laranja(230, 126, 20), Verde(46, 140, 60), Azul(30, 90, 190);
const QColor CorEmpresa(110, 140, 180), CorPessoa(120, 135, 155);

void Pasta(QPainter &g) {
  // The responsible party: a briefcase.
  g.setPen(QPen(Contorno, 0.8));
  g.setBrush(QColor(150, 95, 45));
  g.drawRoundedRect(QRectF(1.5, 5, 13, 9.5), 1.5, 1.5);
  g.setBrush(Qt::NoBrush);
  g.drawRoundedRect(QRectF(5.5, 2.5, 5, 2.6), 1, 1);
  g.setPen(QPen(QColor(230, 190, 90), 1.2));
  g.drawLine(QPointF(1.8, 8.8), QPointF(14.2, 8.8));
  g.setBrush(QColor(240, 205, 100));
  g.setPen(QPen(Contorno, 0.6));
  g.drawRect(QRectF(7, 7.8, 2, 2.2));
}

void Lapis(QPainter &g) {
  // A pending name change: a name card with a pencil over it.
  g.setPen(QPen(Contorno, 0.8));
  g.setBrush(QColor(250, 250, 240));
  g.drawRoundedRect(QRectF(1, 3, 11, 9), 1, 1);
  g.setPen(QPen(QColor(120, 120, 120), 0.9));
  g.drawLine(QPointF(3, 6), QPointF(9.5, 6));
  g.drawLine(QPointF(3, 8.5), QPointF(7.5, 8.5));
  g.save();
  g.translate(11, 10);
  g.rotate(-45);
  g.setPen(QPen(Contorno, 0.6));
  g.setBrush(QColor(245, 190, 40));
  g.drawRect(QRectF(-1.4, -6, 2.8, 7));
  g.setBrush(QColor(215, 60, 50));
  g.drawRect(QRectF(-1.4, -7.2, 2.8, 1.2));
  g.setBrush(QColor(240, 215, 170));
  g.drawPolygon(QPolygonF({QPointF(-1.4, 1), QPointF(1.4, 1), QPointF(0, 3.4)}));
  g.restore();
}

Desenho DesenhoArvore(int imagem) {
  switch (imagem) {
  case imgRaiz:
    return Pasta;
  case imgEmpresa:
    return [](QPainter &g) { Predio(g, CorEmpresa); };
  case imgEmpresaMarcada:
    return [](QPainter &g) {
      Predio(g, CorEmpresa);
      Selo(g, Laranja, Visto);
    };
  case imgEmpresaFechada:
    return [](QPainter &g) {
      Predio(g, CorEmpresa);
      Selo(g, Verde, Cadeado);
    };
  case imgVinculo:
    return [](QPainter &g) { Pessoa(g, CorPessoa); };
  case imgVinculoMarcado:
    return [](QPainter &g) {
      Pessoa(g, CorPessoa);
      Selo(g, Laranja, Visto);
    };
  case imgVinculoFechado:
    return [](QPainter &g) {
      Pessoa(g, CorPessoa);
      Selo(g, Verde, Cadeado);
    };
  case imgVinculoProcessado:
    return [](QPainter &g) {
      Pessoa(g, CorPessoa);
      Selo(g, Azul, VistoDuplo);
    };
  case imgAlteracaoNome:
    return Lapis;
  case imgOcorrenciaAcatada:
    return [](QPainter &g) {
      g.setPen(Qt::NoPen);
      g.setBrush(Verde);
      g.drawEllipse(QPointF(8, 8), 6.5, 6.5);
      g.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      g.drawPolyline(QPolygonF({QPointF(4.8, 8.3), QPointF(7.2, 10.8), QPointF(11.3, 5.4)}));
    };
  case imgOcorrenciaRejeitada:
    return [](QPainter &g) {
      g.setPen(Qt::NoPen);
      g.setBrush(QColor(200, 40, 40));
      g.drawEllipse(QPointF(8, 8), 6.5, 6.5);
      g.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(5.3, 5.3), QPointF(10.7, 10.7));
      g.drawLine(QPointF(10.7, 5.3), QPointF(5.3, 10.7));
    };
  default:
    return {};
  }
}

Desenho DesenhoComando(const QString &nome) {
  if (nome == QLatin1String("novo"))
    return [](QPainter &g) {
      g.setPen(QPen(Contorno, 0.8));
      g.setBrush(Qt::white);
      g.drawPolygon(QPolygonF({QPointF(2.5, 1.5), QPointF(9, 1.5), QPointF(12.5, 5),
                               QPointF(12.5, 14.5), QPointF(2.5, 14.5)}));
      Selo(g, Verde, [](QPainter &s) {
        s.setPen(QPen(Qt::white, 1.5));
        s.drawLine(QPointF(-2.2, 0), QPointF(2.2, 0));
        s.drawLine(QPointF(0, -2.2), QPointF(0, 2.2));
      });
    };
  if (nome == QLatin1String("alterar"))
    return Lapis;
  if (nome == QLatin1String("excluir"))
    return [](QPainter &g) {
      g.setPen(QPen(QColor(200, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
      g.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    };
  if (nome == QLatin1String("importar"))
    return [](QPainter &g) {
      g.setPen(QPen(Contorno, 0.8));
      g.setBrush(QColor(200, 210, 225));
      g.drawPolygon(
          QPolygonF({QPointF(1.5, 10), QPointF(4, 10), QPointF(5, 12), QPointF(11, 12),
                     QPointF(12, 10), QPointF(14.5, 10), QPointF(14.5, 14.5), QPointF(1.5, 14.5)}));
      g.setBrush(Azul);
      g.setPen(Qt::NoPen);
      g.drawRect(QRectF(6.8, 1.5, 2.4, 5.5));
      g.drawPolygon(QPolygonF({QPointF(4.5, 6.5), QPointF(11.5, 6.5), QPointF(8, 10.5)}));
    };
  if (nome == QLatin1String("imprimir"))
    return [](QPainter &g) {
      g.setPen(QPen(Contorno, 0.8));
      g.setBrush(Qt::white);
      g.drawRect(QRectF(4.5, 1.5, 7, 5));
      g.setBrush(QColor(120, 130, 145));
      g.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
      g.setBrush(Qt::white);
      g.drawRect(QRectF(4.5, 10, 7, 4.5));
      g.setPen(QPen(QColor(120, 120, 120), 0.7));
      g.drawLine(QPointF(5.8, 11.8), QPointF(10.2, 11.8));
      g.setPen(Qt::NoPen);
      g.setBrush(QColor(90, 200, 90));
      g.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
    };
  if (nome == QLatin1String("localizar"))
    return [](QPainter &g) {
      g.setPen(QPen(Contorno, 1.6));
      g.setBrush(QColor(210, 230, 250));
      g.drawEllipse(QPointF(6.5, 6.5), 4.2, 4.2);
      g.setPen(QPen(QColor(110, 80, 50), 2.6, Qt::SolidLine, Qt::RoundCap));
      g.drawLine(QPointF(9.8, 9.8), QPointF(14, 14));
    };
  if (nome == QLatin1String("sair"))
    return [](QPainter &g) {
      g.setPen(QPen(Contorno, 0.8));
      g.setBrush(QColor(165, 110, 60));
      g.drawRect(QRectF(2.5, 1.5, 7.5, 13));
      g.setBrush(QColor(240, 205, 100));
      g.drawEllipse(QPointF(8.3, 8.5), 0.7, 0.7);
      g.setPen(QPen(QColor(200, 40, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      g.drawLine(QPointF(8.5, 5.5), QPointF(14.5, 5.5));
      g.drawPolyline(QPolygonF({QPointF(12.3, 3.3), QPointF(14.5, 5.5), QPointF(12.3, 7.7)}));
    };
  return {};
}
} // namespace

QIcon IconeArvore(int imagem) {
  static QHash<int, QIcon> cache;
  auto it = cache.constFind(imagem);
  if (it != cache.constEnd())
    return *it;
  const Desenho d = DesenhoArvore(imagem);
  const QIcon icone = d ? Renderizar(d, {16, 20, 24, 32, 40}) : QIcon();
  cache.insert(imagem, icone);
  return icone;
}

QIcon IconeComando(const QString &nome) {
  static QHash<QString, QIcon> cache;
  auto it = cache.constFind(nome);
  if (it != cache.constEnd())
    return *it;
  const Desenho d = DesenhoComando(nome);
  const QIcon icone = d ? Renderizar(d, {16, 24, 32, 48}) : QIcon();
  cache.insert(nome, icone);
  return icone;
}
