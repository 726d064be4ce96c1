// The inconsistency reports: rows recorded through the registry itself and a
// payroll file refused by the import, read back from the PDF.
#include "support/FolhaTeste.h"
#include "support/RelatoriosTeste.h"

#include "core/UnInconsistencia.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelInconsistencia.h"

#include <QTemporaryDir>

using namespace rel_teste;

namespace {
struct TLinhaInc {
  int Arquivo;
  int Mensagem;
  const char *Conteudo;
  const char *Pis;
  const char *Nome;
  const char *Inscricao; // employer
  const char *Razao;
  const char *Admissao; // ddmmyyyy
  int Linha;
};

void Gravar(const TLinhaInc &l) {
  TInconsistencia i;
  i.Limpar();
  i.NU_ARQUIVO = l.Arquivo;
  i.NU_MENSAGEM = l.Mensagem;
  i.DE_CONTEUDO_CAMPO = QString::fromUtf8(l.Conteudo);
  i.CO_PIS_INCONSISTENCIA = QString::fromUtf8(l.Pis);
  i.NO_EMPREGADO = QString::fromUtf8(l.Nome);
  i.NU_TIPO_INSCRICAO_EMPRESA = *l.Inscricao ? QStringLiteral("1") : QString();
  i.NU_INSCRICAO_EMPRESA = QString::fromUtf8(l.Inscricao);
  i.NO_RAZAO_SOCIAL = QString::fromUtf8(l.Razao);
  i.DT_ADMISSAO_INCONSISTENCIA = QString::fromUtf8(l.Admissao);
  i.CO_CATEGORIA_INCONSISTENCIA = QStringLiteral("01");
  i.CO_REGISTRO = QStringLiteral("40");
  i.NU_LINHA_ERRO = l.Linha;
  ASSERT_EQ(i.Gravar(), 1);
}
} // namespace

class RelInconsistenciaTeste : public RelatoriosTeste {
protected:
  QTemporaryDir saida;
  void SetUp() override {
    RelatoriosTeste::SetUp();
    CarregarDataEditalProrata();
    Empresa(1, 11444777000161, QStringLiteral("RESPONSÁVEL CONTÁBIL"), QStringLiteral("R"));
  }
  QStringList Paginas(TRelPadrao &rel) {
    const QString pdf = saida.filePath(QStringLiteral("inc.pdf"));
    EXPECT_TRUE(ExportarPDF(rel, pdf));
    return TextoPaginas(pdf);
  }
};

TEST_F(RelInconsistenciaTeste, CargaDaFolha) {
  ASSERT_NE(DataEditalProrata, NullDate);
  const QList<TLinhaInc> linhas = {
      {1, 372, "052019", "12345678901", "JOSÉ D'ÁVILA \"ZÉ\"", "11222333000181", "ALFA COMÉRCIO",
       "01062015", 12},
      {1, 201, "20012023", "12345678901", "JOSÉ D'ÁVILA \"ZÉ\"", "11222333000181", "ALFA COMÉRCIO",
       "01062015", 13},
      {1, 372, "05", "", "", "", "", "", 0}, // short content, no employer, no PIS
      {1, 212, "30/12/1899", "0", "ANA", "", "", "", 7},
      {3, 201, "", "", "OUTRO TIPO", "", "", "", 0},
  };
  for (const TLinhaInc &l : linhas)
    Gravar(l);
  TRelInconsistencia rel;
  ASSERT_TRUE(rel.Preparar(tiFolha));
  EXPECT_EQ(rel.Dados.QuantidadeEntradas(), 4);
  const QStringList p = Paginas(rel);
  ASSERT_EQ(p.size(), 1);
  const QString t = p[0];
  const QString edital = TUtilitarios::DataParaTexto(DataEditalProrata);
  for (const QString &esperado :
       {QStringLiteral("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE CARGA"),
        QStringLiteral("FOLHA DE PAGAMENTO"), QStringLiteral("VESK ELETRÔNICA 3."),
        QStringLiteral("EMPRESA: 11.222.333/0001-81 - ALFA COMÉRCIO"), QStringLiteral("REGISTRO"),
        QStringLiteral("LINHA DO ERRO"), QStringLiteral("JOSÉ D'ÁVILA \"ZÉ\""),
        QStringLiteral("123.45678.90-1"), QStringLiteral("01/06/2015"), QStringLiteral("00012"),
        QStringLiteral("00000000"),
        QStringLiteral("0372 - Índice do ZELT não encontrado para a competência 05/2019 na "
                       "tabela de índices de ") +
            edital,
        QStringLiteral("competência 05/ na"),
        QStringLiteral("0201 - Data de recolhimento fora do período de recolhimento dos índices "
                       "carregados ") +
            TUtilitarios::PeriodoProrata(true)})
    EXPECT_TRUE(t.contains(esperado)) << esperado.toStdString() << "\n" << t.toStdString();
  EXPECT_FALSE(t.contains(QStringLiteral("OUTRO TIPO")));
  EXPECT_FALSE(t.contains(QStringLiteral("30/12/1899")));
  // The row without an employer has no group line: one "EMPRESA:" only.
  EXPECT_EQ(t.count(QStringLiteral("EMPRESA:")), 1);
  // "0" as PIS prints nothing.
  EXPECT_FALSE(t.contains(QStringLiteral("000.00000.00-0")));
}

TEST_F(RelInconsistenciaTeste, BytesDeControleAparecem) {
  // A NUL in a name and a control byte in a content, as a damaged file gives
  // them: printed as \xNN, with the rest of the line and the next field whole.
  TInconsistencia i;
  i.Limpar();
  i.NU_ARQUIVO = tiFolha;
  i.NU_MENSAGEM = 212;
  i.DE_CONTEUDO_CAMPO = QStringLiteral("12") + QChar(0x01) + QStringLiteral("34");
  i.CO_PIS_INCONSISTENCIA = QStringLiteral("12345678901");
  i.NO_EMPREGADO = QStringLiteral("MARIA") + QChar(0) + QStringLiteral("SOUZA");
  i.NU_TIPO_INSCRICAO_EMPRESA = QStringLiteral("1");
  i.NU_INSCRICAO_EMPRESA = QStringLiteral("11222333000181");
  i.NO_RAZAO_SOCIAL = QStringLiteral("ALFA") + QChar(0x1B) + QStringLiteral("BETA");
  i.CO_REGISTRO = QStringLiteral("30");
  i.NU_LINHA_ERRO = 3;
  ASSERT_EQ(i.Gravar(), 1);
  TRelInconsistencia rel;
  ASSERT_TRUE(rel.Preparar(tiFolha));
  const QString t = Paginas(rel).join(u'\n');
  for (const char *esperado : {"MARIA\\x00SOUZA", "12\\x0134", "ALFA\\x1BBETA", "123.45678.90-1"})
    EXPECT_TRUE(t.contains(QString::fromLatin1(esperado))) << esperado << "\n" << t.toStdString();
}

TEST_F(RelInconsistenciaTeste, FechamentoSemRegistroELinha) {
  TInconsistencia i;
  ASSERT_TRUE(i.RegistrarMovimento(
      QStringLiteral("201"), QStringLiteral("1"), QStringLiteral("CAIO"),
      QStringLiteral("01062015"), QStringLiteral("01"), QString(), QStringLiteral("ALFA"),
      QStringLiteral("11222333000181"), QStringLiteral("1"), QStringLiteral("RESPONSÁVEL CONTÁBIL"),
      QStringLiteral("11444777000161")));
  TRelInconsistenciaFechamento rel;
  ASSERT_TRUE(rel.CarregarFechamento());
  const QString t = Paginas(rel).value(0);
  for (const QString &esperado :
       {QStringLiteral("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE FECHAMENTO"),
        QStringLiteral("RESPONSÁVEL: 11.444.777/0001-61 - RESPONSÁVEL CONTÁBIL"),
        QStringLiteral("Versão do Aplicativo: "),
        QStringLiteral("EMPRESA: 11.222.333/0001-81 - ALFA"),
        QStringLiteral("carregados ") + TUtilitarios::PeriodoProrata(false)})
    EXPECT_TRUE(t.contains(esperado)) << esperado.toStdString() << "\n" << t.toStdString();
  for (const char *ausente : {"REGISTRO", "LINHA DO ERRO", "CARGA"})
    EXPECT_FALSE(t.contains(QLatin1String(ausente))) << ausente;
  EXPECT_TRUE(rel.Dados.Grupos[0].Entradas[0].Linhas[0][1].isEmpty()); // empty PIS

  // The closing's question: Yes opens the preview, No tells where to find it.
  RespostasDialogo respostas;
  int previas = 0;
  InterceptarVisualizacao = [&](TRelatorioPaginado &) { ++previas; };
  respostas.Responder(mrYes);
  EXPECT_TRUE(PerguntarInconsistenciasFechamento());
  respostas.Responder(mrNo);
  EXPECT_TRUE(PerguntarInconsistenciasFechamento());
  InterceptarVisualizacao = nullptr;
  EXPECT_EQ(previas, 1);
  ASSERT_EQ(respostas.mostrados.size(), 3u);
  EXPECT_TRUE(respostas.mostrados[2].Texto.startsWith(QStringLiteral("990476")));
  // Nothing recorded: no question, and the menu's report says RE0086.
  ExcluirInconsistencias(tiMovimento);
  EXPECT_FALSE(PerguntarInconsistenciasFechamento());
  EXPECT_FALSE(VisualizarInconsistencias(tiMovimento));
  EXPECT_TRUE(respostas.mostrados.back().Texto.startsWith(QStringLiteral("RE0086")));
}

// A payroll file the import refuses, reported as the runner's hook shows it.
class RelFolhaRecusadaTeste : public FolhaTeste {};

TEST_F(RelFolhaRecusadaTeste, RelatorioDaFolhaRecusada) {
  const QStringList linhas = Gerar({"--empresas", "1", "--vinculos", "2", "--semente", "3",
                                    "--defeito", "pis-invalido", "--defeito", "aspas"});
  ASSERT_FALSE(Importar(Gravar(linhas)));
  const auto lidas = Inconsistencias();
  ASSERT_FALSE(lidas.empty());
  TRelInconsistencia rel;
  ASSERT_TRUE(rel.Preparar(tiFolha));
  EXPECT_EQ(rel.Dados.QuantidadeEntradas(), int(lidas.size()));
  QTemporaryDir d;
  const QString pdf = d.filePath(QStringLiteral("folha.pdf"));
  ASSERT_TRUE(ExportarPDF(rel, pdf));
  const QString t = TextoPaginas(pdf).join(u'\f');
  EXPECT_TRUE(t.contains(QStringLiteral("JOÃO D'ÁVILA"))) << t.toStdString();
  EXPECT_TRUE(t.contains(QStringLiteral("D'ÁVILA")));
  // Every row's line number and message number are printed.
  for (const auto &l : lidas) {
    EXPECT_TRUE(t.contains(TUtilitarios::CompletarZeros(QString::number(l.Linha), 5)));
    EXPECT_TRUE(t.contains(TUtilitarios::CompletarZeros(QString::number(l.Mensagem), 4) +
                           QStringLiteral(" - ")));
  }
  // The preview the runner's hook opens.
  int previas = 0;
  InterceptarVisualizacao = [&](TRelatorioPaginado &r) { previas += r.QuantidadePaginas() > 0; };
  EXPECT_TRUE(VisualizarFolha());
  InterceptarVisualizacao = nullptr;
  EXPECT_EQ(previas, 1);
}
