// The query of files generated for the bank on a fixture of the four kinds
// made through the protocol classes: pages and their messages, finding by
// protocol, company and worker, the conference reports, deletion, and writing
// a termination collection file again into a sealed envelope.
#include "support/EnvelopeTeste.h"
#include "support/GuiasTeste.h"

#include "core/unTexto1252.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unArquivosEnviados.h"
#include "interchange/unProtocolo.h"
#include "reports/URelPaginado.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelArquivosEnviados.h"
#include "ui/uArquivosEnviadosCx.h"
#include "ui/uLocalizar.h"
#include "ui/uPrincipal.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {
const QString IdA = QStringLiteral("202501101000000000000000000001"); // 3, two companies
const QString IdB = QStringLiteral("202512091000000000000000000002"); // 3, one company
const QString IdC = QStringLiteral("202503011000000000000000000003"); // 6
const QString IdD = QStringLiteral("202502011000000000000000000004"); // 7
const QString IdE = QStringLiteral("202406011000000000000000000005"); // 9
const QString ProtA = QStringLiteral("ABCD1234EFGH5678IJKL9012MNOP3456");
const QString ProtB = QStringLiteral("QRST1234UVWX5678YZAB9012CDEF3456");
const QString ProtD = QStringLiteral("SALD1234SALD5678SALD9012SALD3456");
constexpr qint64 Alfa = 11111111000191LL, Beta = 123456789012LL, Delta = 33333333000191LL;
constexpr qint64 PisAna = 10000000001LL, PisMaria = 10000000002LL, PisCarla = 10000000003LL,
                 PisDani = 10000000004LL;

QString SalvarImagem(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  const QString caminho = QDir(pasta).absoluteFilePath(nome);
  w.grab().save(caminho);
  return caminho;
}

QStringList Coluna(QTableWidget *g, int c) {
  QStringList r;
  for (int l = 0; l < g->rowCount(); ++l)
    r << (g->item(l, c) ? g->item(l, c)->text() : QString());
  return r;
}

QString Registro(const QString &inicio) {
  return inicio.leftJustified(533, u' ');
}
} // namespace

class ArquivosEnviadosTeste : public GuiasTeste {
protected:
  void SetUp() override {
    GuiasTeste::SetUp();
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'CONTABIL RESPONSAVEL', 'R')");
    TProtocolo p;
    auto arquivo = [&](const QString &id, int tipo, const QString &protocolo,
                       const QDateTime &gerado, const QString &nome) {
      p.NU_IDENTIFICADOR_ARQUIVO = id;
      p.NU_ARQUIVO = tipo;
      p.CO_PROTOCOLO = protocolo;
      p.DT_ENVIO_PROTOCOLO = protocolo.isEmpty() ? NullDate : QDateTimeParaData(gerado.addDays(1));
      p.NM_ARQUIVO = nome;
      p.DT_GERACAO_ARQUIVO = QDateTimeParaData(gerado);
      ASSERT_TRUE(p.Incluir());
    };
    const QDate adm(2015, 3, 2);
    arquivo(IdA, 3, ProtA, QDateTime(QDate(2025, 1, 10), QTime(10, 0)), "/tmp/a/GuiaVESK.HXF");
    ASSERT_TRUE(p.IncluirEmpresa(IdA, 1, Alfa, "ALFA COMERCIO", 150.25, {},
                                 QDateParaData(QDate(2025, 1, 20))));
    ASSERT_TRUE(
        p.IncluirEmpresa(IdA, 2, Beta, "BETA SERVICOS", 70, {}, QDateParaData(QDate(2025, 1, 21))));
    ASSERT_TRUE(p.IncluirTrabalhador(IdA, 1, Alfa, PisAna, 1, QDateParaData(adm), "ANA", 100.25,
                                     "I1", QDateParaData(QDate(2024, 12, 20))));
    ASSERT_TRUE(
        p.IncluirTrabalhador(IdA, 1, Alfa, PisMaria, 1, QDateParaData(adm), "MARIA SOUZA", 50));
    ASSERT_TRUE(p.IncluirTrabalhador(IdA, 2, Beta, PisCarla, 1, QDateParaData(adm), "CARLA", 70));
    linhasA = {Registro("00" + IdA),
               Registro("101" + QString::number(Alfa) + "ALFA"),
               Registro("40" + QString::number(PisAna)),
               Registro("80"),
               Registro("102" + QString::number(Beta).rightJustified(14, u'0') + "BETA Ç"),
               Registro("40" + QString::number(PisCarla)),
               Registro("80"),
               Registro("90")};
    for (int i = 0; i < linhasA.size(); ++i)
      ASSERT_TRUE(p.GravarLinha(IdA, i + 1, linhasA[i]));
    TGuiaTeste g;
    g.Linha = Linha(1, QDate(2025, 1, 20), "00000000000000001");
    g.Arquivo = IdA;
    g.Inscricao = Alfa;
    g.Recolhimento = QDate(2025, 1, 20);
    Guia(g);
    Trabalhador(g.Linha, PisAna, adm, 1, "ANA");

    arquivo(IdB, 3, ProtB, QDateTime(QDate(2025, 12, 9), QTime(9, 0)), "/tmp/b/GuiaVESK.HXF");
    ASSERT_TRUE(p.IncluirEmpresa(IdB, 1, Alfa, "ALFA COMERCIO", 30));
    ASSERT_TRUE(
        p.IncluirTrabalhador(IdB, 1, Alfa, PisAna, 2, QDateParaData(QDate(2020, 5, 4)), "ANA", 30));
    linhasB = {Registro("00" + IdB), Registro("101" + QString::number(Alfa) + "ALFA"),
               Registro("80"), Registro("90")};
    for (int i = 0; i < linhasB.size(); ++i)
      ASSERT_TRUE(p.GravarLinha(IdB, i + 1, linhasB[i]));

    arquivo(IdC, 6, QString(), QDateTime(QDate(2025, 3, 1), QTime(8, 0)), "/tmp/c/reenvio.txt");
    codigoBarras = Linha(12.5, QDate(2025, 2, 20), "00000000000000007");
    ASSERT_TRUE(
        p.IncluirEmpresa(IdC, 1, Alfa, {}, 0, codigoBarras, QDateParaData(QDate(2025, 2, 20))));

    arquivo(IdD, 7, ProtD, QDateTime(QDate(2025, 2, 1), QTime(8, 0)), "/tmp/d/saldo.txt");
    ASSERT_TRUE(p.IncluirEmpresa(IdD, 2, Beta, "BETA SERVICOS"));
    ASSERT_TRUE(p.IncluirTrabalhador(IdD, 2, Beta, PisCarla, 1, QDateParaData(adm), "CARLA"));

    arquivo(IdE, 9, QString(), QDateTime(QDate(2024, 6, 1), QTime(8, 0)), "/tmp/e/recuperado.HXF");
    ASSERT_TRUE(p.IncluirEmpresa(IdE, 1, Delta, "DELTA INDUSTRIA", 10));
    ASSERT_TRUE(p.IncluirTrabalhador(IdE, 1, Delta, PisDani, 1, QDateParaData(adm), "DANI", 10));
  }
  void TearDown() override {
    TfrmSelecaoArqEnvio::Interceptar = nullptr;
    TfrmLocalizaPadrao::Interceptar = nullptr;
    InterceptarVisualizacao = nullptr;
    DefinirEscolhedorArquivo(anterior);
    GuiasTeste::TearDown();
  }
  // The list row of a file.
  static int Row(TfrmArquivosEnviadosCx &j, const QString &id) {
    return Coluna(j.sgEnvio, TfrmArquivosEnviadosCx::cnIdentificador).indexOf(id);
  }
  static void Selecionar(TfrmArquivosEnviadosCx &j, const QString &id) {
    j.sgEnvio->setCurrentCell(Row(j, id), TfrmArquivosEnviadosCx::cnArquivo);
  }
  QStringList Mostrados() const {
    QStringList r;
    for (const PedidoDialogo &d : respostas.mostrados)
      r << d.Texto.left(6);
    return r;
  }
  QStringList linhasA, linhasB;
  QString codigoBarras;
  RespostasDialogo respostas;
  EscolhedorArquivo anterior = DefinirEscolhedorArquivo(nullptr);
};

TEST_F(ArquivosEnviadosTeste, ListaPaginasEMensagens) {
  TfrmArquivosEnviadosCx j;
  ASSERT_TRUE(j.Carregar());
  j.show();
  EXPECT_EQ(j.windowTitle(), "Consulta de Arquivos Gerados para Envio à VORDA");
  // By generation date as a date, the first row selected.
  EXPECT_EQ(Coluna(j.sgEnvio, TfrmArquivosEnviadosCx::cnIdentificador),
            (QStringList{IdE, IdA, IdD, IdC, IdB}));
  EXPECT_EQ(j.sgEnvio->currentRow(), 0);
  EXPECT_EQ(j.sgEnvio->item(1, TfrmArquivosEnviadosCx::cnGeracao)->text(), "10/01/2025 10:00:00");
  EXPECT_EQ(j.sgEnvio->item(1, TfrmArquivosEnviadosCx::cnNome)->toolTip(), "/tmp/a/GuiaVESK.HXF");
  EXPECT_FALSE(j.btnSalvarArqRescisorio->isVisible()); // kind 9
  Selecionar(j, IdA);
  EXPECT_TRUE(j.btnSalvarArqRescisorio->isVisible());
  EXPECT_TRUE(j.btnExcluir->isVisible());
  SalvarImagem(j, QStringLiteral("arquivos_enviados_lista.png"));

  // Details of a termination file: companies, their workers.
  j.pgcArquivos->setCurrentIndex(1);
  ASSERT_EQ(j.pgcArquivos->currentIndex(), 1);
  EXPECT_FALSE(j.btnSalvarArqRescisorio->isVisible());
  EXPECT_FALSE(j.btnExcluir->isVisible());
  EXPECT_TRUE(j.btnImprimir->isEnabled());
  EXPECT_EQ(j.edtProtocolo->text(), ProtA);
  EXPECT_TRUE(j.edtDataRecolhimento->isVisible());
  EXPECT_EQ(j.edtDataRecolhimento->text(), "21/01/2025");
  EXPECT_EQ(Coluna(j.sgEmpresa, 0), (QStringList{"11.111.111/0001-91", "123456789012"}));
  EXPECT_EQ(Coluna(j.sgEmpresa, 3), (QStringList{"150,25", "70,00"}));
  EXPECT_FALSE(j.sgEmpresa->isColumnHidden(TfrmArquivosEnviadosCx::ceValor));
  EXPECT_TRUE(j.sgEmpresa->isColumnHidden(TfrmArquivosEnviadosCx::ceBarras));
  SalvarImagem(j, QStringLiteral("arquivos_enviados_empresas.png"));
  j.pgcDetalhes->setCurrentIndex(1);
  EXPECT_EQ(Coluna(j.sgTrabalhador, 1), (QStringList{"ANA", "MARIA SOUZA"}));
  EXPECT_EQ(Coluna(j.sgTrabalhador, 3), (QStringList{"100,25", "50,00"}));
  EXPECT_EQ(j.lblProtocolo->text(), "Empresa:");
  EXPECT_EQ(j.edtProtocolo->text(), "11.111.111/0001-91 - ALFA COMERCIO");
  EXPECT_FALSE(j.btnImprimir->isEnabled());
  SalvarImagem(j, QStringLiteral("arquivos_enviados_trabalhadores.png"));
  j.pgcDetalhes->setCurrentIndex(0);
  EXPECT_EQ(j.lblProtocolo->text(), "Protocolo:");

  // A resend request: no worker tab, the bar codes, no protocol field.
  j.pgcArquivos->setCurrentIndex(0);
  Selecionar(j, IdC);
  j.pgcArquivos->setCurrentIndex(1);
  EXPECT_FALSE(j.pgcDetalhes->isTabVisible(1));
  EXPECT_FALSE(j.sgEmpresa->isColumnHidden(TfrmArquivosEnviadosCx::ceBarras));
  EXPECT_TRUE(j.sgEmpresa->isColumnHidden(TfrmArquivosEnviadosCx::ceRazao));
  EXPECT_EQ(j.sgEmpresa->item(0, TfrmArquivosEnviadosCx::ceBarras)->text(), codigoBarras);
  EXPECT_FALSE(j.edtProtocolo->isVisible());
  EXPECT_FALSE(j.edtDataRecolhimento->isVisible());
  // A balance request: workers, no values.
  j.pgcArquivos->setCurrentIndex(0);
  Selecionar(j, IdD);
  j.pgcArquivos->setCurrentIndex(1);
  EXPECT_FALSE(j.edtProtocolo->isVisible());
  j.pgcDetalhes->setCurrentIndex(1);
  EXPECT_TRUE(j.sgTrabalhador->isColumnHidden(TfrmArquivosEnviadosCx::ctValor));
  EXPECT_EQ(j.edtProtocolo->text(), "123456789012 - BETA SERVICOS");
  EXPECT_TRUE(respostas.mostrados.empty());

  // A file without companies: back to the list with AE0297.
  Executar("DELETE FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO = '" + IdB + "'");
  Executar("DELETE FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = '" + IdB + "'");
  j.pgcArquivos->setCurrentIndex(0);
  Selecionar(j, IdB);
  j.pgcArquivos->setCurrentIndex(1);
  EXPECT_EQ(j.pgcArquivos->currentIndex(), 0);
  EXPECT_EQ(Mostrados(), QStringList{"AE0297"});
}

TEST_F(ArquivosEnviadosTeste, SemArquivosAJanelaNaoAbre) {
  for (const char *t :
       {"QZLTBG16_ENVIO_EMPREGADO", "QZLTBG15_ENVIO_EMPRESA", "QZLTBG14_OCORRENCIA_GUIA",
        "QZLTBG09_GUIA_INDIVIDUAL", "QZLTBG08_GUIA_TOTALIZADORA", "QZLTBG13_ARQUIVO"})
    Executar(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
  int abertas = 0;
  TfrmArquivosEnviadosCx::Interceptar = [&](TfrmArquivosEnviadosCx &) { ++abertas; };
  TfrmPrincipal p(nullptr, false);
  EXPECT_TRUE(p.Acao("ArquivosEnviadosVorda1")->isEnabled());
  p.Acao("ArquivosEnviadosVorda1")->trigger();
  TfrmArquivosEnviadosCx::Interceptar = nullptr;
  EXPECT_EQ(abertas, 0);
  EXPECT_EQ(Mostrados(), QStringList{"AE0310"});
}

TEST_F(ArquivosEnviadosTeste, LocalizarProtocoloEmpresaETrabalhador) {
  TfrmArquivosEnviadosCx j;
  ASSERT_TRUE(j.Carregar());
  j.show();
  // A protocol by its first group, as the lookup window returns it.
  j.Localizar(QStringLiteral("PROTOCOLO-qrst1234.        .        .        "));
  EXPECT_EQ(j.IdentificadorSelecionado(), IdB);
  j.Localizar(QStringLiteral("PROTOCOLO-ZZZZ9999.        .        .        "));
  EXPECT_EQ(j.IdentificadorSelecionado(), IdB);
  EXPECT_EQ(Mostrados(), QStringList{"AE0348"});

  // A worker in two files: the choice window, the second file, its worker.
  QStringList protocolos;
  TfrmSelecaoArqEnvio::Interceptar = [&](TfrmSelecaoArqEnvio &s) {
    protocolos = Coluna(s.sgSelecao, 2);
    SalvarImagem(s, QStringLiteral("arquivos_enviados_selecao.png"));
    s.sgSelecao->setCurrentCell(1, 0);
    s.btnLocalizar->click();
  };
  Selecionar(j, IdE);
  j.Localizar(QStringLiteral("PIS/PASEP-10000000001"));
  EXPECT_EQ(protocolos, (QStringList{"ABCD1234.EFGH5678.IJKL9012.MNOP3456",
                                     "QRST1234.UVWX5678.YZAB9012.CDEF3456"}));
  EXPECT_EQ(j.IdentificadorSelecionado(), IdB);
  EXPECT_EQ(j.pgcArquivos->currentIndex(), 1);
  EXPECT_EQ(j.pgcDetalhes->currentIndex(), 1);
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 0)->text(), "100.00000.00-1");
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 2)->text(), "04/05/2020");

  // A company in one file only: straight to it (a file without protocol).
  j.pgcArquivos->setCurrentIndex(0);
  int escolhas = 0;
  TfrmSelecaoArqEnvio::Interceptar = [&](TfrmSelecaoArqEnvio &) { ++escolhas; };
  j.Localizar(QStringLiteral("INSCRICAO-33333333000191"));
  EXPECT_EQ(escolhas, 0);
  EXPECT_EQ(j.IdentificadorSelecionado(), IdE);
  EXPECT_EQ(j.pgcArquivos->currentIndex(), 1);
  EXPECT_EQ(j.sgEmpresa->item(j.sgEmpresa->currentRow(), 1)->text(), "DELTA INDUSTRIA");
  // Closing the choice window does nothing.
  j.pgcArquivos->setCurrentIndex(0);
  j.Localizar(QStringLiteral("INSCRICAO-123456789012"));
  EXPECT_EQ(escolhas, 1);
  EXPECT_EQ(j.pgcArquivos->currentIndex(), 0);

  // On the details page: names keep their blanks.
  Selecionar(j, IdA);
  j.pgcArquivos->setCurrentIndex(1);
  j.Localizar(QStringLiteral("RAZAO-BETA SERV"));
  EXPECT_EQ(j.sgEmpresa->currentRow(), 1);
  j.Localizar(QStringLiteral("INSCRICAO-11111111000191 "));
  EXPECT_EQ(j.sgEmpresa->currentRow(), 0);
  j.pgcDetalhes->setCurrentIndex(1);
  respostas.mostrados.clear();
  j.Localizar(QStringLiteral("NOME-MARIA SILVA"));
  EXPECT_EQ(Mostrados(), QStringList{"AE0092"});
  j.Localizar(QStringLiteral("NOME-MARIA SOUZA"));
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 1)->text(), "MARIA SOUZA");
  j.Localizar(QStringLiteral("PIS/PASEP-10000000001"));
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 1)->text(), "ANA");
  // The lookup windows by page: the protocol window on the list.
  QString janela;
  TfrmLocalizaPadrao::Interceptar = [&](TfrmLocalizaPadrao &f) { janela = f.windowTitle(); };
  j.btnLocalizar->click();
  EXPECT_EQ(janela, "Localizar Trabalhador");
  j.pgcArquivos->setCurrentIndex(0);
  j.btnLocalizar->click();
  EXPECT_EQ(janela, "Localizar Protocolo");
}

TEST_F(ArquivosEnviadosTeste, Relatorios) {
  TfrmArquivosEnviadosCx j;
  ASSERT_TRUE(j.Carregar());
  QList<TDadosRelatorio> vistos;
  InterceptarVisualizacao = [&](TRelatorioPaginado &r) {
    vistos << static_cast<TRelPadrao &>(r).Dados;
    const QString pdf = pasta->Arquivo(QStringLiteral("rel%1.pdf").arg(vistos.size()));
    ASSERT_TRUE(ExportarPDF(r, pdf));
  };
  auto texto = [&](int n) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), pasta->Arquivo(QStringLiteral("rel%1.pdf").arg(n)),
             QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  // From the list: the whole file, its companies in the grid's order.
  Selecionar(j, IdA);
  j.btnImprimir->click();
  ASSERT_EQ(vistos.size(), 1);
  EXPECT_EQ(vistos[0].Definicao, QString::fromUtf8("RELAÇÃO DOS ARQUIVOS RESCISÓRIOS ENVIADOS "));
  EXPECT_EQ(vistos[0].Grupos.size(), 2);
  QString t = texto(1);
  EXPECT_TRUE(t.contains("PROTOCOLO: ABCD1234.EFGH5678.IJKL9012.MNOP3456")) << t.toStdString();
  EXPECT_TRUE(t.contains("EMPRESA: 11.111.111/0001-91 - ALFA COMERCIO")) << t.toStdString();
  EXPECT_TRUE(t.contains("20/12/2024 - I1"));
  EXPECT_TRUE(t.contains("100.00000.00-1"));
  EXPECT_TRUE(t.contains("100,25"));
  EXPECT_TRUE(t.contains("MARIA SOUZA"));
  // Sorted by name descending: the order reaches the report.
  j.sgEmpresa->sortItems(TfrmArquivosEnviadosCx::ceRazao, Qt::DescendingOrder);
  j.pgcArquivos->setCurrentIndex(1);
  j.sgEmpresa->horizontalHeader()->setSortIndicator(TfrmArquivosEnviadosCx::ceRazao,
                                                    Qt::DescendingOrder);
  EXPECT_EQ(j.OrdemRelatorio(), "EMP.NO_RAZAO_SOCIAL Desc ,TRAB.NU_PIS_ENVIO Asc ");
  // From the details page: the selected company only.
  j.sgEmpresa->setCurrentCell(0, 0); // BETA after the descending sort
  j.btnImprimir->click();
  ASSERT_EQ(vistos.size(), 2);
  ASSERT_EQ(vistos[1].Grupos.size(), 1);
  EXPECT_TRUE(vistos[1].Grupos[0].Cabecalho[0].contains("BETA SERVICOS"));
  EXPECT_TRUE(j.btnImprimir->isEnabled());
  EXPECT_TRUE(j.pgcArquivos->isEnabled());

  // Kind 6: the companies with their 48-digit lines.
  j.pgcArquivos->setCurrentIndex(0);
  Selecionar(j, IdC);
  j.btnImprimir->click();
  ASSERT_EQ(vistos.size(), 3);
  t = texto(3);
  EXPECT_TRUE(t.contains("RESPONSÁVEL: 11.222.333/0001-81 - CONTABIL RESPONSAVEL"))
      << t.toStdString();
  QString masc;
  for (int i = 0; i < 4; ++i)
    masc += (i ? " " : "") + codigoBarras.mid(i * 12, 11) + " " + codigoBarras.mid(i * 12 + 11, 1);
  EXPECT_TRUE(t.contains(masc)) << masc.toStdString();
  EXPECT_TRUE(t.contains("20/02/2025"));
  // Kind 7.
  Selecionar(j, IdD);
  j.btnImprimir->click();
  ASSERT_EQ(vistos.size(), 4);
  EXPECT_EQ(vistos[3].Definicao,
            QString::fromUtf8("RELAÇÃO DOS ARQUIVOS DE SOLICITAÇÃO DE SALDO RESCISÓRIO ENVIADOS"));
  t = texto(4);
  EXPECT_TRUE(t.contains("PROTOCOLO: SALD1234.SALD5678.SALD9012.SALD3456"));
  EXPECT_TRUE(t.contains("EMPRESA: 123456789012 - BETA SERVICOS"));
  EXPECT_TRUE(t.contains("CARLA"));
  // A termination file not yet sent.
  TFiltroArquivoEnviado f{9, IdE, {}, {}, {}};
  TRelArquivosEnviados rel;
  ASSERT_TRUE(rel.Preparar(f));
  EXPECT_EQ(rel.Dados.Definicao,
            QString::fromUtf8("RELAÇÃO DOS ARQUIVOS RESCISÓRIOS A SEREM ENVIADOS "));
  // Nothing to print: RE0086, or the plain box for kinds 6 and 7.
  respostas.mostrados.clear();
  EXPECT_FALSE(ImprimirArquivoEnviado({3, IdA, ProtA, {"99"}, {}}));
  EXPECT_FALSE(ImprimirArquivoEnviado({7, IdD, ProtD, {"99"}, {}}));
  ASSERT_EQ(respostas.mostrados.size(), 2u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.startsWith("RE0086"));
  EXPECT_EQ(respostas.mostrados[1].Texto, "Não há dados para gerar o relatório");
  EXPECT_EQ(respostas.mostrados[1].Titulo, "VESK Eletrônica");
  // A failing report is shown and the window comes back.
  Executar("ALTER TABLE QZLTBG15_ENVIO_EMPRESA DROP CO_BARRAS_ENVIO_EMPRESA");
  respostas.mostrados.clear();
  Selecionar(j, IdC);
  j.btnImprimir->click();
  EXPECT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(j.pgcArquivos->isEnabled());
  EXPECT_TRUE(j.btnImprimir->isEnabled());
}

TEST_F(ArquivosEnviadosTeste, ExclusaoEFalhaInjetada) {
  TfrmArquivosEnviadosCx j;
  ASSERT_TRUE(j.Carregar());
  auto linhasDe = [&](const QString &id) {
    int n = 0;
    for (const char *t : {"QZLTBG13_ARQUIVO", "QZLTBG14_OCORRENCIA_GUIA", "QZLTBG15_ENVIO_EMPRESA",
                          "QZLTBG16_ENVIO_EMPREGADO", "QZLTBG08_GUIA_TOTALIZADORA"})
      n += Contar(QStringLiteral("FROM %1 WHERE NU_IDENTIFICADOR_ARQUIVO = '%2'")
                      .arg(QString::fromLatin1(t), id));
    return n;
  };
  const int antes = linhasDe(IdA);
  ASSERT_EQ(antes, 1 + 8 + 2 + 3 + 1);
  Selecionar(j, IdA);
  // No: nothing.
  respostas.Responder(mrNo);
  j.btnExcluir->click();
  EXPECT_EQ(linhasDe(IdA), antes);
  // A failure of the last statement: everything stays, AE0258.
  Executar("CREATE EXCEPTION E_TESTE 'falha de teste'");
  Executar(
      "CREATE TRIGGER T_TESTE FOR QZLTBG13_ARQUIVO BEFORE DELETE AS BEGIN EXCEPTION E_TESTE; END");
  respostas.mostrados.clear();
  respostas.Responder(mrYes);
  j.btnExcluir->click();
  EXPECT_EQ(Mostrados(), (QStringList{"AE0036", "AE0258"}));
  EXPECT_EQ(linhasDe(IdA), antes);
  EXPECT_EQ(Contar("FROM QZLTBG09_GUIA_INDIVIDUAL"), 1);
  EXPECT_EQ(j.sgEnvio->rowCount(), 5);
  EXPECT_FALSE(IbxUtils->EmTransacao());
  Executar("DROP TRIGGER T_TESTE");
  // Yes: the file, its lines, companies, workers and guides go.
  respostas.mostrados.clear();
  respostas.Responder(mrYes);
  j.btnExcluir->click();
  EXPECT_EQ(Mostrados(), (QStringList{"AE0036", "AE0068"}));
  EXPECT_EQ(linhasDe(IdA), 0);
  EXPECT_EQ(Contar("FROM QZLTBG09_GUIA_INDIVIDUAL"), 0);
  EXPECT_EQ(Row(j, IdA), -1);
  EXPECT_EQ(j.sgEnvio->rowCount(), 4);
  EXPECT_GT(linhasDe(IdB), 0);
}

TEST_F(ArquivosEnviadosTeste, SalvarArquivoNovamente) {
  const QString saida = pasta->Arquivo(QStringLiteral("saida"));
  QDir().mkpath(saida);
  QString escolhido;
  DefinirEscolhedorArquivo([&](const PedidoArquivo &) { return escolhido; });
  TfrmArquivosEnviadosCx j;
  ASSERT_TRUE(j.Carregar());
  auto nome = [&](const QString &id) {
    return Valor(QStringLiteral("SELECT NM_ARQUIVO FROM QZLTBG13_ARQUIVO WHERE "
                                "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                     .arg(id));
  };
  auto selo = [&](const QString &envelope) {
    QByteArray s;
    Shell(QStringLiteral("python3 %1/tools/banco/envelope.py '%2'")
              .arg(QStringLiteral(VESK_SOURCE_DIR), envelope),
          saida, &s);
    return QString::fromUtf8(s);
  };
  Selecionar(j, IdA);
  // Failing paths: the sealing library missing (first: once loaded, the
  // engine keeps it), the choice cancelled (nothing shown), the protocol
  // update refused; none changes anything or leaves a transaction open.
  escolhido = saida + "/SemSelador.HXF";
  j.btnSalvarArqRescisorio->click();
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.startsWith("AE04"))
      << respostas.mostrados[0].Texto.toStdString();
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(nome(IdA), "/tmp/a/GuiaVESK.HXF");
  InstalarSelador(pasta->Caminho());
  respostas.mostrados.clear();
  Executar("CREATE EXCEPTION E_TESTE 'falha de teste'");
  Executar(
      "CREATE TRIGGER T_TESTE FOR QZLTBG13_ARQUIVO BEFORE UPDATE AS BEGIN EXCEPTION E_TESTE; END");
  escolhido.clear();
  j.btnSalvarArqRescisorio->click();
  escolhido = saida + "/Falha.HXF";
  j.btnSalvarArqRescisorio->click();
  Executar("DROP TRIGGER T_TESTE");
  EXPECT_EQ(Mostrados(), QStringList{"AE0144"});
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(nome(IdA), "/tmp/a/GuiaVESK.HXF");
  EXPECT_EQ(j.sgEnvio->item(Row(j, IdA), TfrmArquivosEnviadosCx::cnNome)->text(),
            "/tmp/a/GuiaVESK.HXF");

  // Written again: the opened file is the stored lines byte for byte.
  respostas.mostrados.clear();
  escolhido = saida + "/Novamente.HXF";
  j.btnSalvarArqRescisorio->click();
  EXPECT_EQ(Mostrados(), QStringList{"AE0485"});
  EXPECT_TRUE(respostas.mostrados[0].Texto.contains("salvo"));
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(nome(IdA), escolhido);
  EXPECT_EQ(j.sgEnvio->item(Row(j, IdA), TfrmArquivosEnviadosCx::cnNome)->text(), escolhido);
  ASSERT_TRUE(AbrirEnvelope(saida + "/", "Novamente.HXF", IdA, "GuiaVESK.HX"));
  QFile plano(saida + "/GuiaVESK.HX");
  ASSERT_TRUE(plano.open(QIODevice::ReadOnly));
  QByteArray esperado;
  for (const QString &l : linhasA)
    esperado += ParaWin1252(l) + "\r\n";
  EXPECT_EQ(plano.readAll(), esperado);
  // The same business information as the first time: two companies.
  QString s = selo(escolhido);
  EXPECT_TRUE(s.contains("field.qtdempresas\t2")) << s.toStdString();
  EXPECT_FALSE(s.contains("inscempresa"));
  EXPECT_TRUE(s.contains("field.datarecolhimento\t20/01/2025")) << s.toStdString();
  // One company: its type and inscription.
  Selecionar(j, IdB);
  escolhido = saida + "/Uma.HXF";
  j.btnSalvarArqRescisorio->click();
  s = selo(escolhido);
  EXPECT_TRUE(s.contains("field.qtdempresas\t1")) << s.toStdString();
  EXPECT_TRUE(s.contains("field.tpinscempresa\t1"));
  EXPECT_TRUE(s.contains("field.inscempresa\t11111111000191"));
  // No stored lines: AE0306.
  Executar("DELETE FROM QZLTBG14_OCORRENCIA_GUIA WHERE NU_IDENTIFICADOR_ARQUIVO = '" + IdB + "'");
  respostas.mostrados.clear();
  j.btnSalvarArqRescisorio->click();
  EXPECT_EQ(Mostrados(), QStringList{"AE0306"});
}
