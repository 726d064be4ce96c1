// Renders the program's SVG icon into the PNG sizes of the icon theme:
//   vesk-icone ICONE.svg PASTA TAMANHO...
// writes PASTA/<n>x<n>/apps/vesk.png for each size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 4) {
    std::fputs("uso: vesk-icone ICONE.svg PASTA TAMANHO...\n", stderr);
    return 2;
  }
  QSvgRenderer svg(args[1]);
  if (!svg.isValid()) {
    std::fprintf(stderr, "SVG inválido: %s\n", qPrintable(args[1]));
    return 1;
  }
  for (const QString &t : args.mid(3)) {
    const int lado = t.toInt();
    const QString pasta = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(lado);
    QImage img(lado, lado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    if (lado <= 0 || !QDir().mkpath(pasta) || !img.save(pasta + QStringLiteral("/vesk.png"))) {
      std::fprintf(stderr, "não foi possível gravar o tamanho %s\n", qPrintable(t));
      return 1;
    }
  }
  return 0;
}
