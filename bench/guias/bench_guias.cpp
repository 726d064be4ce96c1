// Floor of the guide export benchmark: the same pages (company guides and
// worker statements) painted into PDF files from rows held in memory, with
// no database and no bar codes. Prints the seconds and the page count.
//   bench_guias SAIDA_DIR [GUIAS] [TRABALHADORES]
#include "reports/URelPaginado.h"
#include "reports/URel_Padrao_Recolhimento.h"
#include "reports/uRelGuiaPadrao.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPageSize>
#include <cstdio>
#include <vector>

namespace {
QString Valor(int i) {
  return QStringLiteral("%1,%2").arg(1000 + i * 37).arg(i % 100, 2, 10, QLatin1Char('0'));
}

class TGuiasMemoria : public TRelatorioPaginado {
public:
  std::vector<TCamposGuia> Paginas;
  QPageLayout LayoutPagina() const override {
    return QPageLayout(QPageSize(QSizeF(210, 320), QPageSize::Millimeter), QPageLayout::Portrait,
                       QMarginsF());
  }
  int QuantidadePaginas() override { return int(Paginas.size()); }
  void PintarPagina(QPainter &p, int i) override { PintarGuia(p, Paginas[i], false, nullptr); }
};

class TComprovantesMemoria : public TRelatorioPaginado {
public:
  std::vector<TCamposComprovante> Paginas;
  QPageLayout LayoutPagina() const override {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
  }
  int QuantidadePaginas() override { return int(Paginas.size()); }
  void PintarPagina(QPainter &p, int i) override { PintarComprovante(p, Paginas[i]); }
};
} // namespace

int main(int argc, char *argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString pasta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
  const int nGuias = argc > 2 ? std::atoi(argv[2]) : 200;
  const int nTrab = argc > 3 ? std::atoi(argv[3]) : 10000;

  TGuiasMemoria guias;
  for (int i = 0; i < nGuias; ++i) {
    TCamposGuia c;
    c.RazaoSocial = QStringLiteral("EMPRESA DE TESTE %1 COMERCIO LTDA").arg(i);
    c.Inscricao = QStringLiteral("11.222.333/0001-81");
    c.Endereco = QStringLiteral("RUA DAS FLORES %1").arg(i);
    c.Contato = QStringLiteral("11-33334444");
    c.Cep = QStringLiteral("01.310-100");
    c.Bairro = QStringLiteral("CENTRO");
    c.Municipio = QStringLiteral("SAO PAULO");
    c.UF = QStringLiteral("SP");
    c.FPAS = QStringLiteral("507");
    c.Simples = QStringLiteral("1");
    c.Identificador = QStringLiteral("0804%1").arg(i, 13, 10, QLatin1Char('0'));
    c.TotalRecolher = Valor(i);
    c.Validade = QStringLiteral("20/03/2024");
    c.QuantidadeTrabalhadores = QString::number(nTrab / std::max(nGuias, 1));
    for (int g = 0; g < 4; ++g)
      c.Grupos[g] = QStringLiteral("%1").arg(i * 4 + g, 12, 10, QLatin1Char('0'));
    c.Versao = QStringLiteral("Versão do Aplicativo: 3.3.15  - 01/01/2024");
    c.GeradaEm = QStringLiteral("Gerada em 20/03/2024 10:00:00");
    guias.Paginas.push_back(c);
  }
  TComprovantesMemoria comp;
  for (int i = 0; i < nTrab; ++i) {
    TCamposComprovante c;
    c.Titulo = QStringLiteral("Comprovante do Trabalhador de Recolhimento ZELT Rescisório");
    c.Identificador = QStringLiteral("08041234561222332");
    c.Versao = QStringLiteral("Versão do Aplicativo: 3.3.15  - 01/01/2024");
    c.Razao = QStringLiteral("EMPRESA DE TESTE %1 COMERCIO LTDA").arg(i % std::max(nGuias, 1));
    c.Inscricao = QStringLiteral("11.222.333/0001-81");
    c.Logradouro = QStringLiteral("RUA DAS FLORES 100");
    c.Cep = QStringLiteral("01.310-100");
    c.Bairro = QStringLiteral("CENTRO");
    c.Municipio = QStringLiteral("SAO PAULO");
    c.UF = QStringLiteral("SP");
    c.FPAS = QStringLiteral("507");
    c.Simples = QStringLiteral("1");
    c.CNAE = QStringLiteral("4711302");
    c.Nome = QStringLiteral("TRABALHADOR NUMERO %1 DA SILVA").arg(i);
    c.Admissao = c.Opcao = QStringLiteral("04/01/2010");
    c.PIS = QStringLiteral("123.45678.90-1");
    c.CTPS = QStringLiteral("1234567/00123");
    c.Nascimento = QStringLiteral("10/05/1980");
    c.Categoria = QStringLiteral("01");
    c.Afastamento = QStringLiteral("15/02/2024 - I1");
    c.AvisoPrevio = QStringLiteral("2");
    for (int r = 0; r < 5; ++r)
      for (int k = 0; k < 4; ++k)
        c.Valores[r][k] = Valor(i + r * 4 + k);
    c.ValorTrabalhador = Valor(i);
    c.ValorDevido = Valor(i * 2);
    c.Quitada = i % 2 == 0;
    c.BancoAgencia = QStringLiteral("001/0123-4");
    c.DataQuitacao = QStringLiteral("21/03/2024");
    comp.Paginas.push_back(c);
  }

  QElapsedTimer t;
  t.start();
  if (!ExportarPDF(guias, QDir(pasta).filePath(QStringLiteral("piso_guias.pdf"))) ||
      !ExportarPDF(comp, QDir(pasta).filePath(QStringLiteral("piso_comprovantes.pdf")))) {
    std::fprintf(stderr, "falha ao gravar o PDF\n");
    return 1;
  }
  std::printf("piso: %.2f s  %d paginas\n", t.elapsed() / 1000.0, nGuias + nTrab);
  return 0;
}
