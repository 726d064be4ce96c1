// The guide query: filter dialog, both pages, sorting, printing and deleting.
#include "support/GuiasTeste.h"

#include "collection/unConsultaGuias.h"
#include "collection/unTGuiaEmpresa.h"
#include "core/unUtilitarios.h"
#include "reports/uRelGuiaTotalizadora.h"
#include "reports/uQReportPreview.h"
#include "ui/uConsultaGuiasTotal.h"
#include "ui/uLocalizar.h"
#include "ui/uSelecaoGuias.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

class ConsultaGuiasTeste : public GuiasTeste {
protected:
  QString processada, paga, semProtocolo;
  RespostasDialogo respostas;
  void SetUp() override {
    GuiasTeste::SetUp();
    TGuiaTeste g;
    // Processed by the bank: its link is at state 3.
    g.Linha = processada = Linha(10, QDate(2024, 3, 20), QStringLiteral("08041234561111112"));
    g.Inscricao = 11222333000181;
    g.Nome = QStringLiteral("CARLOS MERCADO");
    g.Total = 10;
    g.Quitacao = QDate(2024, 3, 21);
    g.Processamento = QDate(2024, 3, 22);
    Guia(g);
    Trabalhador(processada, 11111111111, QDate(2010, 1, 4), 1);
    Vinculo(1, 11222333000181, 11111111111, QDate(2010, 1, 4), 1, 3);
    // Payable, its file has a protocol.
    g.Linha = paga = Linha(20, QDate(2024, 4, 22), QStringLiteral("11341234562222222"));
    g.Arquivo = QStringLiteral("202404221015300000000000000001");
    g.Inscricao = 4567890000191;
    g.Nome = QStringLiteral("BETA PADARIA");
    g.Total = 20;
    g.Quitacao = g.Processamento = QDate();
    Guia(g);
    Trabalhador(paga, 22222222222, QDate(2010, 1, 4), 1, QStringLiteral("ZELIA"));
    Trabalhador(paga, 33333333333, QDate(2011, 1, 4), 2, QStringLiteral("ANA"));
    Protocolo(g.Arquivo, QStringLiteral("PROTO1"));
    // Payable, its file has no protocol yet.
    g.Linha = semProtocolo = Linha(30, QDate(2024, 4, 22), QStringLiteral("11341234573333332"));
    g.Arquivo = QStringLiteral("202404221015300000000000000002");
    g.Inscricao = 22333444000181;
    g.Nome = QStringLiteral("ALFA LOJA");
    g.Total = 30;
    Guia(g);
    Protocolo(g.Arquivo, QString());
  }
  void TearDown() override {
    TfrmConsultaGuiasTotal::Interceptar = nullptr;
    InterceptarVisualizacao = nullptr;
    GuiasTeste::TearDown();
  }
  static QStringList Coluna(QTableWidget *g, int c) {
    QStringList r;
    for (int l = 0; l < g->rowCount(); ++l)
      r << g->item(l, c)->text();
    return r;
  }
  static void Marcar(QTableWidget *g, int linha) { g->item(linha, 0)->setCheckState(Qt::Checked); }
  QStringList Mostrados() const {
    QStringList r;
    for (const PedidoDialogo &p : respostas.mostrados)
      r << p.Texto;
    return r;
  }
};

TEST_F(ConsultaGuiasTeste, FiltroPorModo) {
  struct Caso {
    const char *modo;
    QStringList codigos;
  };
  const Caso casos[] = {{"Processadas", {processada}},
                        {"Informativas", {paga}}, // the file without protocol is left out
                        {"", {paga, processada}}};
  for (const Caso &c : casos) {
    TfrmConsultaGuiasTotal j(QString::fromLatin1(c.modo));
    EXPECT_EQ(j.CarregarGuias(QString::fromLatin1(c.modo), QString(), true), c.codigos.size());
    EXPECT_EQ(Coluna(j.sgEmpresa, 6), c.codigos) << c.modo;
  }
  // The protocol window's call: the guides of one file.
  TfrmConsultaGuiasTotal j(ModoInformativas);
  EXPECT_EQ(
      j.CarregarGuias(ModoInformativas, QStringLiteral("202404221015300000000000000001"), true), 1);
  EXPECT_EQ(j.sgEmpresa->item(0, 2)->text(), "04.567.890/0001-91");
  EXPECT_EQ(j.sgEmpresa->item(0, 5)->text(), "20,00");
  EXPECT_EQ(j.sgEmpresa->item(0, 1)->toolTip(), "Guia Validada");
}

TEST_F(ConsultaGuiasTeste, DialogoDeFiltro) {
  TfrmSelecaoGuias f;
  f.BitBtn1Click();
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Titulo.size() > 0);
  int abertas = 0;
  TfrmConsultaGuiasTotal::Interceptar = [&](TfrmConsultaGuiasTotal &j) {
    ++abertas;
    EXPECT_EQ(j.sgEmpresa->rowCount(), 1);
  };
  f.rbInformativas->setChecked(true);
  f.BitBtn1Click();
  EXPECT_EQ(abertas, 1);
  // Only the guide without protocol left: nothing to show.
  Executar(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA WHERE CO_BARRAS <> '%1'")
               .arg(semProtocolo));
  f.BitBtn1Click();
  EXPECT_EQ(abertas, 1);
  ASSERT_EQ(respostas.mostrados.size(), 2u);
  EXPECT_TRUE(respostas.mostrados[1].Texto.startsWith(QStringLiteral("HX0087")));
}

TEST_F(ConsultaGuiasTeste, PaginaTrabalhadorExigeUmaEmpresa) {
  TfrmConsultaGuiasTotal j{QString()};
  ASSERT_EQ(j.CarregarGuias(QString(), QString(), true), 2);
  j.show();
  j.pgcGuias->setCurrentIndex(1);
  EXPECT_EQ(j.pgcGuias->currentIndex(), 0);
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.startsWith(QStringLiteral("HX0229")));
  // Sorted by inscription: BETA (045...) first.
  Marcar(j.sgEmpresa, 0);
  j.pgcGuias->setCurrentIndex(1);
  EXPECT_EQ(j.pgcGuias->currentIndex(), 1);
  EXPECT_EQ(Coluna(j.sgTrabalhador, 2), (QStringList{"ZELIA", "ANA"})); // PIS order
  EXPECT_EQ(j.lblRazaoSocial->text(), "BETA PADARIA");
  EXPECT_FALSE(j.btnExcluir->isEnabled());
  j.sgTrabalhador->horizontalHeader()->sectionClicked(2); // by name
  EXPECT_EQ(Coluna(j.sgTrabalhador, 2), (QStringList{"ANA", "ZELIA"}));
  // "&Localizar": the worker page by PIS or part of the name, the company page
  // by inscription (typed without its leading zero) or name; HX0092 when absent.
  const QString pisZelia = Coluna(j.sgTrabalhador, 1).at(1);
  QStringList criterios{QStringLiteral("PIS/PASEP-") + TUtilitarios::Digitos(pisZelia),
                        QStringLiteral("NOME-NINGUEM"), QStringLiteral("NOME-ELI")};
  TfrmLocalizaPadrao::Interceptar = [&](TfrmLocalizaPadrao &f) {
    f.Confirmado = true;
    const TCriterio c = DividirCriterio(criterios.takeFirst());
    (c.Chave == QLatin1String("NOME") ? f.edtNome : f.edtInscricao)->setText(c.Valor);
  };
  j.sgTrabalhador->setCurrentCell(0, 0);
  j.btnLocalizar->click();
  EXPECT_EQ(j.sgTrabalhador->currentRow(), 1);
  j.sgTrabalhador->setCurrentCell(0, 0);
  j.btnLocalizar->click();
  EXPECT_EQ(j.sgTrabalhador->currentRow(), 0);
  EXPECT_TRUE(Mostrados().last().startsWith(QStringLiteral("HX0092")));
  j.btnLocalizar->click();
  EXPECT_EQ(j.sgTrabalhador->currentRow(), 1);
  j.pgcGuias->setCurrentIndex(0);
  criterios = QStringList{QStringLiteral("INSCRICAO-4567890000191")};
  j.btnLocalizar->click();
  EXPECT_EQ(j.sgEmpresa->item(j.sgEmpresa->currentRow(), 2)->text(), "04.567.890/0001-91");
  j.pgcGuias->setCurrentIndex(1);
  TfrmLocalizaPadrao::Interceptar = nullptr;
  EXPECT_EQ(j.OrdemTrabalhador(), "NO_EMPREGADO ASC");
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  j.grab().save(pasta + QStringLiteral("/consulta_guias_trabalhador.png"));
  j.pgcGuias->setCurrentIndex(0);
  j.grab().save(pasta + QStringLiteral("/consulta_guias_empresa.png"));
}

// Two checked companies print two guide pages, in the grid's order.
TEST_F(ConsultaGuiasTeste, ImprimeNaOrdemDaGrade) {
  TfrmConsultaGuiasTotal j{QString()};
  ASSERT_EQ(j.CarregarGuias(QString(), QString(), true), 2);
  QStringList paginas;
  InterceptarVisualizacao = [&](TRelatorioPaginado &r) {
    auto &rel = dynamic_cast<TRelGuiaTotalizadora &>(r);
    paginas.clear();
    for (rel.Guia().Primeiro(); !rel.Guia().FimDados(); rel.Guia().Proximo())
      paginas << rel.Guia().CO_BARRAS + u'=' + rel.Campos().TotalRecolher + u'/' +
                     rel.Campos().QuantidadeTrabalhadores;
  };
  j.chkTodasEmpresas->setChecked(true);
  j.btnImprimirClick();
  EXPECT_EQ(paginas, (QStringList{paga + "=20,00/2", processada + "=10,00/1"}));
  j.sgEmpresa->horizontalHeader()->sectionClicked(3); // name ascending
  EXPECT_EQ(j.CodigosMarcados(), (QStringList{paga, processada}));
  j.sgEmpresa->horizontalHeader()->sectionClicked(3); // name descending
  j.btnImprimirClick();
  EXPECT_EQ(paginas, (QStringList{processada + "=10,00/1", paga + "=20,00/2"}));
}

TEST_F(ConsultaGuiasTeste, ExcluirGuiaProcessadaReabreVinculos) {
  TfrmConsultaGuiasTotal j(ModoProcessadas);
  ASSERT_EQ(j.CarregarGuias(ModoProcessadas, QString(), true), 1);
  Marcar(j.sgEmpresa, 0);
  EXPECT_TRUE(j.btnExcluir->isEnabled());
  respostas.Responder(mrNo);
  j.btnExcluirClick();
  EXPECT_EQ(Estado(11111111111), 3);
  respostas.Responder(mrYes);
  j.btnExcluirClick();
  EXPECT_EQ(Estado(11111111111), 2);
  EXPECT_EQ(j.sgEmpresa->rowCount(), 0);
  EXPECT_EQ(
      Contar(
          QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = '%1'").arg(processada)),
      0);
}

TEST_F(ConsultaGuiasTeste, ExclusaoQueFalhaNaoMudaNada) {
  Executar(QStringLiteral("CREATE EXCEPTION E_TESTE 'falha de teste'"));
  Executar(QStringLiteral("CREATE TRIGGER T_TESTE FOR QZLTBG08_GUIA_TOTALIZADORA BEFORE DELETE "
                          "AS BEGIN IF (OLD.NU_INSCRICAO_GUIA = 4567890000191) THEN EXCEPTION "
                          "E_TESTE; END"));
  TfrmConsultaGuiasTotal j{QString()};
  ASSERT_EQ(j.CarregarGuias(QString(), QString(), true), 2);
  j.chkTodasEmpresas->setChecked(true);
  respostas.Responder(mrYes);
  j.btnExcluirClick();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")), 3);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL")), 3);
  EXPECT_EQ(Estado(11111111111), 3);
  EXPECT_EQ(j.sgEmpresa->rowCount(), 2);
  EXPECT_EQ(respostas.mostrados.back().Tipo, dtErro);
}
