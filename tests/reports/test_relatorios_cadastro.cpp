// The registry listings: their rows, the pages the renderer makes of them
// and the PDF read back with pdftotext/pdfinfo; the preview over them.
#include "support/RelatoriosTeste.h"

#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"
#include "reports/uRelatorios.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace rel_teste;

namespace {
// The worker names of each group, in order.
QList<QStringList> NomesPorGrupo(const TDadosRelatorio &d) {
  QList<QStringList> r;
  for (const TGrupoRel &g : d.Grupos) {
    QStringList nomes;
    for (const TEntradaRel &e : g.Entradas)
      nomes << e.Linhas[0][0];
    r << nomes;
  }
  return r;
}

QString Capturas() {
  const QString c = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(c);
  return c;
}
} // namespace

class RelCadastroTeste : public RelatoriosTeste {
protected:
  QTemporaryDir saida;
  void SetUp() override {
    RelatoriosTeste::SetUp();
    PreencherCadastro();
  }
  QString Pdf(TRelPadrao &rel, const QString &nome) {
    const QString arquivo = saida.filePath(nome);
    QString erro;
    EXPECT_TRUE(ExportarPDF(rel, arquivo, &erro)) << erro.toStdString();
    return arquivo;
  }
};

TEST_F(RelCadastroTeste, EmpresasComCabecalhoEFormatos) {
  TRelEmpresas rel;
  ASSERT_TRUE(rel.Preparar());
  const QString pdf = Pdf(rel, QStringLiteral("empresas.pdf"));
  EXPECT_EQ(TamanhoPagina(pdf), QStringLiteral("842 x 595")); // A4 landscape
  const QStringList paginas = TextoPaginas(pdf);
  ASSERT_EQ(paginas.size(), 1);
  const QString t = paginas[0];
  for (const char *esperado :
       {"RELATÓRIO PARA CONFERÊNCIA", "RELAÇÃO DAS EMPRESAS CONSTANTES NA BASE",
        "RESPONSÁVEL: 11.444.777/0001-61 - RESPONSÁVEL CONTÁBIL", "NOME CONTATO: MARIA CONTATO",
        "TELEFONE: (0011) 32145678", "INTERNET: contato@alfa.example", "PAG: 001/001",
        "Versão do Aplicativo: ", "11.222.333/0001-81", "123456789012", "4781400", "515",
        "01.310-100", "BETA D'ÁVILA LTDA", "AV PAULISTA 1000", "SÃO PAULO"})
    EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado << "\n" << t.toStdString();
  // Employers by name, then type and inscription; the responsible party
  // alone ("R") is not an employer.
  EXPECT_LT(t.indexOf(QStringLiteral("11.222.333/0001-81")),
            t.indexOf(QStringLiteral("123456789012")));
  EXPECT_LT(t.indexOf(QStringLiteral("123456789012")), t.indexOf(QStringLiteral("BETA")));
  EXPECT_EQ(rel.Dados.QuantidadeEntradas(), 3);
}

// Selection, order keys and the pages they give, on the rows themselves.
TEST_F(RelCadastroTeste, TrabalhadoresSelecaoEOrdens) {
  const QString jose = QStringLiteral("JOSÉ D'ÁVILA \"ZÉ\"");
  struct Caso {
    const char *ordem;
    QStringList empresas;
    bool todas;
    QList<QStringList> grupos;
  };
  const QStringList alfas = {QString::number(Cnpj1), QString::number(Cei2)};
  const QList<Caso> casos = {
      // A worker with links at two selected employers is on both pages;
      // BETA is left out, and with it Bruno; Carlos (no link) is absent.
      {"NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO",
       alfas,
       false,
       {{QStringLiteral("ANA SOUZA"), jose}, {jose}}},
      {"NU_TIPO_INSO_EMPRA,NU_INSCRICAO,NO_EMPREGADO",
       alfas,
       false,
       {{QStringLiteral("ANA SOUZA"), jose}, {jose}}},
      {"NU_TIPO_INSO_EMPRA,NU_INSCRICAO,DT_ADMISSAO",
       alfas,
       false,
       {{QStringLiteral("ANA SOUZA"), jose}, {jose}}},
      {"NU_TIPO_INSO_EMPRA,NU_INSCRICAO,CATEGORIA",
       {QString::number(Cnpj1)},
       false,
       {{jose, QStringLiteral("ANA SOUZA")}}},
      // Every employer: the worker without links comes first, with empty
      // employer columns.
      {"NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO",
       {},
       true,
       {{QStringLiteral("CARLOS SEM VÍNCULO")},
        {QStringLiteral("ANA SOUZA"), jose},
        {QStringLiteral("BRUNO BETA")},
        {jose}}},
      {"NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO,NO_EMPREGADO",
       {},
       true,
       {{QStringLiteral("CARLOS SEM VÍNCULO")},
        {QStringLiteral("ANA SOUZA"), jose},
        {jose},
        {QStringLiteral("BRUNO BETA")}}},
  };
  for (const Caso &c : casos) {
    TRelTrabalhadores rel;
    ASSERT_TRUE(rel.Preparar(QString::fromLatin1(c.ordem), c.empresas, c.todas)) << c.ordem;
    EXPECT_EQ(NomesPorGrupo(rel.Dados), c.grupos) << c.ordem;
    // One employer per page, and the count is that of the printed pages.
    EXPECT_EQ(rel.QuantidadePaginas(), c.grupos.size()) << c.ordem;
  }
  // A selection that leaves no row has nothing to print.
  TRelTrabalhadores vazio;
  EXPECT_FALSE(vazio.Preparar(QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"),
                              {QStringLiteral("999")}, false));
}

TEST_F(RelCadastroTeste, TrabalhadoresNoPdf) {
  TRelTrabalhadores rel;
  ASSERT_TRUE(
      rel.Preparar(QStringLiteral("NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"),
                   {QString::number(Cnpj1), QString::number(Cei2)}, false));
  const QStringList p = TextoPaginas(Pdf(rel, QStringLiteral("trab.pdf")));
  ASSERT_EQ(p.size(), 2);
  EXPECT_TRUE(p[0].contains(QStringLiteral("EMPRESA: 11.222.333/0001-81 - ALFA COMÉRCIO")));
  EXPECT_TRUE(p[1].contains(QStringLiteral("EMPRESA: ") + QString::number(Cei2) +
                            QStringLiteral(" - ALFA COMÉRCIO")));
  EXPECT_TRUE(p[0].contains(QStringLiteral("PAG: 001/002")));
  EXPECT_TRUE(p[1].contains(QStringLiteral("PAG: 002/002")));
  for (const char *t :
       {"RELAÇÃO DOS TRABALHADORES CONSTANTES NA BASE", "NOME TRABALHADOR", "CART TRAB",
        "DATA NASC", "MOVIMENTAÇÃO", "AVISO PRÉVIO", "TOMADOR", "JOSÉ D'ÁVILA \"ZÉ\"",
        "123.45678.90-1", "0001234/00012", "01/06/2015", "15/02/1980", "05/03/2024 - I1",
        "33.000.167/0001-01", "01", "11", "7654321/54321"})
    EXPECT_TRUE(p[0].contains(QString::fromUtf8(t))) << t << "\n" << p[0].toStdString();
  // Category 5: no work card; its category printed with two digits.
  EXPECT_FALSE(p[1].contains(QStringLiteral("0001234/00012")));
  EXPECT_TRUE(p[1].contains(QStringLiteral("05")));
  // The counter starts again at each run.
  TRelTrabalhadores outra;
  ASSERT_TRUE(outra.Preparar(QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"),
                             {QString::number(Cnpj3)}, false));
  EXPECT_TRUE(TextoPaginas(Pdf(outra, QStringLiteral("t2.pdf")))[0].contains(
      QStringLiteral("PAG: 001/001")));
}

TEST_F(RelCadastroTeste, AlteracoesConfirmadas) {
  Executar(QStringLiteral(
      "INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, "
      "IC_CONFIRMACAO, NU_EMPRESA_VORDA_ALT_CADASTRAL, NU_EMPREGADO_VORDA_ALT_CDSTL) VALUES "
      "(1, 11222333000181, 12345678901, 1, '2015-06-01', 406, 'JOSE DAVILA', 'S', 778899, 4455)"));
  Executar(QStringLiteral(
      "INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
      "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, "
      "IC_CONFIRMACAO) VALUES (1, 11222333000181, 10987654321, 11, '2010-03-20', 406, "
      "'NAO CONFIRMADA', 'N')"));
  TRelAlteracaoCadastral rel;
  ASSERT_TRUE(rel.Preparar());
  const QStringList p = TextoPaginas(Pdf(rel, QStringLiteral("alt.pdf")));
  ASSERT_EQ(p.size(), 1);
  for (const char *t : {"RELATÓRIO DE ALTERAÇÕES CADASTRAIS DO TRABALHADOR",
                        "EMPRESA: 11.222.333/0001-81 - ALFA COMÉRCIO",
                        "CÓDIGO DA EMPRESA NA VORDA: 778899", "CÓDIGO DO EMPREGADO NA VORDA",
                        "NOVO CONTEÚDO DO CAMPO", "123.45678.90-1", "00000004455", "JOSE DAVILA"})
    EXPECT_TRUE(p[0].contains(QString::fromUtf8(t))) << t << "\n" << p[0].toStdString();
  EXPECT_FALSE(p[0].contains(QStringLiteral("NAO CONFIRMADA")));
}

// Nothing to print: "RE0086" and no preview.
TEST_F(RelatoriosTeste, NadaAImprimir) {
  RespostasDialogo respostas;
  int previas = 0;
  InterceptarVisualizacao = [&](TRelatorioPaginado &) { ++previas; };
  EXPECT_FALSE(ImprimirEmpresas());
  EXPECT_FALSE(ImprimirAlteracoes());
  EXPECT_FALSE(
      ImprimirTrabalhadores(QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,CATEGORIA"), {}, true));
  InterceptarVisualizacao = nullptr;
  EXPECT_EQ(previas, 0);
  ASSERT_EQ(respostas.mostrados.size(), 3u);
  for (const PedidoDialogo &d : respostas.mostrados)
    EXPECT_TRUE(d.Texto.startsWith(QStringLiteral("RE0086 - Não há dados")))
        << d.Texto.toStdString();
}

TEST_F(RelCadastroTeste, CsvTemAsLinhasDoRelatorio) {
  TRelTrabalhadores rel;
  ASSERT_TRUE(
      rel.Preparar(QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"), {}, true));
  const QString csv = saida.filePath(QStringLiteral("t.csv"));
  ASSERT_TRUE(ExportarCSV(rel.Dados, csv));
  QFile f(csv);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QStringList linhas =
      QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(linhas.size(), 1 + rel.Dados.QuantidadeEntradas());
  EXPECT_EQ(linhas[0], QStringLiteral("INSCRIÇÃO EMPRESA;RAZÃO SOCIAL;NOME TRABALHADOR;ADMISSÃO;"
                                      "DATA OPÇÃO;CART  TRAB;DATA NASC;PIS/PASEP;CATEGORIA;"
                                      "MOVIMENTAÇÃO;AVISO PRÉVIO;TOMADOR"));
  EXPECT_EQ(linhas[1], QStringLiteral(";;CARLOS SEM VÍNCULO;;;0001234/00012;15/02/1980;"
                                      "200.00000.00-1;;;;"));
  // Quotes are doubled inside a quoted field.
  EXPECT_TRUE(linhas.join(u'\n').contains(QStringLiteral(
      "11.222.333/0001-81;ALFA COMÉRCIO;\"JOSÉ D'ÁVILA \"\"ZÉ\"\"\";01/06/2015;01/06/2015;"
      "0001234/00012;15/02/1980;123.45678.90-1;01;05/03/2024 - I1;1;33.000.167/0001-01")));
  // An unwritable place: told, nothing left.
  QString erro;
  EXPECT_FALSE(ExportarCSV(rel.Dados, QStringLiteral("/proc/nao/pode.csv"), &erro));
  EXPECT_FALSE(erro.isEmpty());
}

TEST_F(RelCadastroTeste, VisualizadorZoomPaginasEExportacao) {
  TRelTrabalhadores rel;
  ASSERT_TRUE(
      rel.Preparar(QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"), {}, true));
  TQReportPreview v(rel);
  v.show();
  EXPECT_EQ(v.windowTitle(), QStringLiteral("Relatório"));
  EXPECT_EQ(v.ZoomAtual(), 100);
  EXPECT_EQ(v.TextoStatus(), QStringLiteral("Página 1 de 4"));
  v.IrParaPagina(2);
  EXPECT_EQ(v.TextoStatus(), QStringLiteral("Página 3 de 4"));
  v.IrParaPagina(99);
  EXPECT_EQ(v.PaginaAtual(), 3);
  // Steps through the list, from a typed value to its neighbours.
  v.MaisZoom();
  EXPECT_EQ(v.ZoomAtual(), 125);
  EXPECT_TRUE(v.DigitarZoom(QStringLiteral("130%")));
  EXPECT_EQ(v.ZoomAtual(), 130);
  v.MaisZoom();
  EXPECT_EQ(v.ZoomAtual(), 150);
  EXPECT_TRUE(v.DigitarZoom(QStringLiteral(" 60 ")));
  v.MenosZoom();
  EXPECT_EQ(v.ZoomAtual(), 50);
  EXPECT_FALSE(v.DigitarZoom(QStringLiteral("abc")));
  EXPECT_EQ(v.ZoomAtual(), 50);
  for (const char *dica :
       {"Imprimir", "Primeira Página", "Página Anterior", "Próxima Página", "Última Página",
        "Mais Zoom", "Menos Zoom", "Exportar para PDF", "Fechar Relatório"}) {
    bool achou = false;
    for (QAction *a : v.findChildren<QAction *>())
      achou = achou || a->toolTip() == QString::fromUtf8(dica);
    EXPECT_TRUE(achou) << dica;
  }
  v.DefinirZoom(100);
  v.IrParaPagina(1);
  v.grab().save(Capturas() + QStringLiteral("/relatorio_trabalhadores.png"));

  // Export through the file-choice seam: the chosen name gets ".pdf".
  PedidoArquivo pedido;
  const QString alvo = saida.filePath(QStringLiteral("exportado"));
  EscolhedorArquivo anterior = DefinirEscolhedorArquivo([&](const PedidoArquivo &p) {
    pedido = p;
    return alvo;
  });
  v.ExportarPDF();
  EXPECT_EQ(pedido.Titulo, QStringLiteral("Exportar relatorio para formato pdf"));
  EXPECT_EQ(pedido.Nome, QStringLiteral("RelatorioVESK.pdf"));
  EXPECT_EQ(pedido.Filtro, QStringLiteral("*.pdf"));
  EXPECT_EQ(TextoPaginas(alvo + QStringLiteral(".pdf")).size(), 4);

  // A folder that cannot be written: a message, no file, the preview open.
  RespostasDialogo respostas;
  const QString proibido = QStringLiteral("/proc/relatorio.pdf");
  DefinirEscolhedorArquivo([&](const PedidoArquivo &) { return proibido; });
  v.ExportarPDF();
  DefinirEscolhedorArquivo(anterior);
  EXPECT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_FALSE(QFile::exists(proibido));
  EXPECT_TRUE(v.isVisible());
  // Cancelled choice: nothing happens.
  v.ExportarPDF();
  EXPECT_EQ(respostas.mostrados.size(), 1u);
}
