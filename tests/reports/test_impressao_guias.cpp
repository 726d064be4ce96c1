// Printed guides and worker statements, checked with real tools on the
// exported PDF: the page size, the text and the bar code read back by a
// scanner program from a 300 dpi rendering.
#include "support/GuiasTeste.h"

#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "reports/URel_Padrao_Recolhimento.h"
#include "reports/uRelGuiaTotalizadora.h"
#include "reports/uQReportPreview.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {
// Output of a tool, or "" when it fails.
QString Rodar(const QString &programa, const QStringList &args) {
  QProcess p;
  p.start(programa, args);
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
    return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page of a PDF, pages split on form feeds.
QStringList TextoPaginas(const QString &pdf) {
  QStringList p =
      Rodar(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
          .split(u'\f');
  if (!p.isEmpty() && p.last().trimmed().isEmpty())
    p.removeLast();
  return p;
}

// The Interleaved 2 of 5 symbols a scanner program reads on each page.
QStringList BarrasPaginas(const QString &pdf, const QString &pasta, int paginas) {
  QStringList r;
  for (int i = 1; i <= paginas; ++i) {
    const QString png = QDir(pasta).filePath(QStringLiteral("pagina%1").arg(i));
    Rodar(QStringLiteral("pdftoppm"),
          {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"), QString::number(i),
           QStringLiteral("-l"), QString::number(i), QStringLiteral("-png"),
           QStringLiteral("-singlefile"), pdf, png});
    r << Rodar(QStringLiteral("zbarimg"),
               {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sdisable"),
                QStringLiteral("-Si25.enable"), QStringLiteral("-Si25.min-length=44"),
                png + QStringLiteral(".png")});
  }
  return r;
}
} // namespace

class ImpressaoGuiasTeste : public GuiasTeste {
protected:
  QString a, b; // two guides; b's company sorts first by inscription
  void SetUp() override {
    GuiasTeste::SetUp();
    TGuiaTeste g;
    g.Linha = a = Linha(1234.56, QDate(2024, 3, 20), QStringLiteral("08041234561222332"));
    g.Inscricao = 11222333000181;
    g.Nome = QStringLiteral("PADARIA CENTRAL LTDA");
    g.Cep = 1310100;
    Guia(g);
    g.Linha = b = Linha(98.7, QDate(2024, 3, 20), QStringLiteral("08041234570456782"));
    g.Inscricao = 4567890000191;
    g.Nome = QStringLiteral("ACOUGUE MODELO ME");
    g.Total = 98.7;
    g.Quitacao = QDate(2024, 3, 21);
    g.Processamento = QDate(2024, 3, 22);
    g.Banco = 1;
    g.Agencia = 1234;
    Guia(g);
    Trabalhador(a, 12345678901, QDate(2010, 1, 4), 1, QStringLiteral("ZULMIRA SOUZA"));
    Trabalhador(b, 10987654321, QDate(2012, 6, 1), 12, QStringLiteral("ANTONIO LIMA"));
    Trabalhador(b, 12121212121, QDate(2015, 2, 2), 1, QStringLiteral("BEATRIZ ALVES"));
  }
  QString Pdf(const QString &nome) { return pasta->Arquivo(nome); }
};

TEST_F(ImpressaoGuiasTeste, GuiasDaEmpresaNoPdf) {
  TRelGuiaTotalizadora rel;
  ASSERT_TRUE(
      rel.Preparar({{a, 1234.56, 1}, {b, 98.7, 2}}, QStringLiteral("NU_INSCRICAO_GUIA ASC")));
  ASSERT_EQ(rel.QuantidadePaginas(), 2);
  const QString pdf = Pdf(QStringLiteral("guias.pdf"));
  QString erro;
  ASSERT_TRUE(ExportarPDF(rel, pdf, &erro)) << erro.toStdString();

  const QString info = Rodar(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b"))))
      << info.toStdString();
  // 210 x 320 mm in (whole) points.
  EXPECT_TRUE(
      info.contains(QRegularExpression(QStringLiteral("595(\\.\\d+)? x 907(\\.\\d+)? pts"))))
      << info.toStdString();

  // Pages in the requested order: the lower inscription (b) first.
  const QStringList barras = BarrasPaginas(pdf, pasta->Caminho(), 2);
  ASSERT_EQ(barras.size(), 2);
  EXPECT_TRUE(barras[0].split(u'\n').contains(TUtilitarios::CodigoBarrasDaLinha(b)))
      << barras[0].toStdString();
  EXPECT_TRUE(barras[1].split(u'\n').contains(TUtilitarios::CodigoBarrasDaLinha(a)))
      << barras[1].toStdString();

  const QStringList texto = TextoPaginas(pdf);
  ASSERT_EQ(texto.size(), 2);
  const QString &p = texto[1];
  for (const QString &t :
       {QStringLiteral("1.234,56"), QStringLiteral("20/03/2024"),
        QStringLiteral("11.222.333/0001-81"), QStringLiteral("01.310-100"),
        QStringLiteral("Via Empresa"), QStringLiteral("Via Banco"),
        QStringLiteral("08041234561222332"), QStringLiteral("Atenção: não receber após Validade"),
        QStringLiteral("Versão do Aplicativo: "), QStringLiteral("Gerada em ")})
    EXPECT_GE(p.count(t), 1) << t.toStdString();
  // Both copies carry the identifier and the four groups, which joined give the key.
  EXPECT_EQ(p.count(QStringLiteral("08041234561222332")), 2);
  QStringList juntos;
  auto it = QRegularExpression(QStringLiteral("(\\d{12})\\s+(\\d{12})\\s+(\\d{12})\\s+(\\d{12})"))
                .globalMatch(p);
  while (it.hasNext()) {
    const auto m = it.next();
    juntos << m.captured(1) + m.captured(2) + m.captured(3) + m.captured(4);
  }
  EXPECT_EQ(juntos, (QStringList{a, a})) << p.toStdString();
  EXPECT_TRUE(texto[0].contains(QStringLiteral("98,70")));
  EXPECT_TRUE(texto[0].contains(QStringLiteral("04.567.890/0001-91")));
}

// A guide missing from the caller's list prints total 0,00 and count 0.
TEST_F(ImpressaoGuiasTeste, GuiaForaDaListaSaiComZero) {
  TRelGuiaTotalizadora rel;
  ASSERT_TRUE(rel.Preparar({{a, 1234.56, 1}}, QString()));
  rel.Guia().Primeiro();
  TListaDadoEmpresa outra{{b, 5, 5}};
  TRelGuiaTotalizadora rel2;
  ASSERT_TRUE(rel2.Preparar(outra, QString()));
  const TCamposGuia c = rel.Campos();
  EXPECT_EQ(c.TotalRecolher, "1.234,56");
  EXPECT_EQ(rel.Dado(b).TotalRecolher, 0);
  EXPECT_EQ(rel.Dado(b).QuantidadeTrabalhadores, 0);
  EXPECT_EQ(c.Identificador, "08041234561222332");
  EXPECT_EQ(c.Grupos[0] + c.Grupos[1] + c.Grupos[2] + c.Grupos[3], a);
}

TEST_F(ImpressaoGuiasTeste, ComprovantesQuitadoEDemonstrativo) {
  TREL_Padrao_Recolhimento rel;
  ASSERT_TRUE(rel.Preparar(b, {}, nullptr, QString()));
  ASSERT_EQ(rel.QuantidadePaginas(), 2);
  const QString pdf = Pdf(QStringLiteral("comprovantes.pdf"));
  ASSERT_TRUE(ExportarPDF(rel, pdf));
  QStringList texto = TextoPaginas(pdf);
  ASSERT_EQ(texto.size(), 2);
  // PIS order: 109... before 121...
  EXPECT_TRUE(texto[0].contains(QStringLiteral("ANTONIO LIMA")));
  EXPECT_TRUE(texto[1].contains(QStringLiteral("BEATRIZ ALVES")));
  const QString &q = texto[0];
  EXPECT_TRUE(
      q.contains(QStringLiteral("Comprovante do Trabalhador de Recolhimento ZELT Rescisório")));
  EXPECT_TRUE(q.contains(QStringLiteral("Informações de Pagamento da Guia")));
  EXPECT_TRUE(q.contains(QStringLiteral("001/0123-4")));
  EXPECT_TRUE(q.contains(QStringLiteral("21/03/2024")));
  EXPECT_TRUE(
      q.contains(QRegularExpression(QStringLiteral("Identificador:\\s+08041234570456782"))));
  EXPECT_TRUE(q.contains(QStringLiteral("12"))); // category with two digits
  // Amounts i * 1.01 for the 24 columns: deposits and JAM of the four blocks
  // are columns 5, 6, 10, 11, 15, 16, 20, 21; all twenty are 5..24.
  double trab = 0, devido = 0;
  for (int i : {5, 6, 10, 11, 15, 16, 20, 21})
    trab += i * 101;
  for (int i = 5; i <= 24; ++i)
    devido += i * 101;
  EXPECT_TRUE(
      q.contains(QStringLiteral("Valor Trabalhador: ") + TUtilitarios::FormatarValor(trab / 100)))
      << q.toStdString();
  EXPECT_TRUE(q.contains(QStringLiteral("Valor Devido pela Empresa: ") +
                         TUtilitarios::FormatarValor(devido / 100)));

  TREL_Padrao_Recolhimento aberto;
  ASSERT_TRUE(aberto.Preparar(a, {}, nullptr, QString()));
  const QString pdf2 = Pdf(QStringLiteral("demonstrativo.pdf"));
  ASSERT_TRUE(ExportarPDF(aberto, pdf2));
  texto = TextoPaginas(pdf2);
  ASSERT_EQ(texto.size(), 1);
  EXPECT_TRUE(texto[0].contains(
      QStringLiteral("Demonstrativo do Trabalhador de Recolhimento ZELT Rescisório")));
  EXPECT_FALSE(texto[0].contains(QStringLiteral("Informações de Pagamento da Guia")));
  EXPECT_FALSE(texto[0].contains(QStringLiteral("Banco/Agência")));
}

TEST(ImpressaoFormatos, BancoAgenciaECep) {
  EXPECT_EQ(BancoAgenciaImpresso(QStringLiteral("1"), QStringLiteral("1234")), "001/0123-4");
  EXPECT_EQ(BancoAgenciaImpresso(QStringLiteral("104"), QStringLiteral("98765")), "104/9876-5");
  EXPECT_EQ(FormatarCEP(QStringLiteral("1310100")), "01.310-100");
  EXPECT_EQ(FormatarCEP(QString()), "");
  EXPECT_EQ(InscricaoImpressa(2, QStringLiteral("123456789012")), "123456789012");
}

// The preview: navigation, zoom and the PDF export through the save dialog.
TEST_F(ImpressaoGuiasTeste, Visualizador) {
  TREL_Padrao_Recolhimento rel;
  ASSERT_TRUE(rel.Preparar(b, {}, nullptr, QString()));
  TQReportPreview v(rel);
  v.show();
  EXPECT_EQ(v.QuantidadePaginas(), 2);
  v.IrParaPagina(5);
  EXPECT_EQ(v.PaginaAtual(), 1);
  v.DefinirZoom(150);
  const QImage img = v.ImagemPagina(0, 4);
  EXPECT_EQ(img.width(), 840);
  const QString capturas = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(capturas);
  img.save(capturas + QStringLiteral("/comprovante.png"));
  v.grab().save(capturas + QStringLiteral("/visualizador.png"));

  const QString pdf = Pdf(QStringLiteral("RelatorioVESK.pdf"));
  const EscolhedorArquivo anterior =
      DefinirEscolhedorArquivo([&](const PedidoArquivo &) { return pdf.chopped(4); });
  v.ExportarPDF();
  DefinirEscolhedorArquivo(anterior);
  EXPECT_EQ(TextoPaginas(pdf).size(), 2);
}
