// The main window and the first-run window as a user meets them: captions,
// commands enabled as built, context menus, the frame area, leaving, and a
// screenshot of each for a human look.
#include "ArvoreTeste.h"

#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"
#include "ui/uAbreMovimento.h"
#include "ui/uEntrada.h"
#include "ui/uControles.h"
#include "ui/uFrameResumo.h"
#include "ui/uFrmDadosComplementares.h"
#include "ui/uFrmEmpresas.h"
#include "ui/uFrmFuncionarios.h"
#include "ui/uFrmResponsavel.h"
#include "ui/uPrincipal.h"
#include "ui/uProgImporta.h"
#include "ui/uSobre.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHash>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {
// Where the screenshots go: beside the test programs in the build folder.
QString SalvarImagem(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  const QString caminho = QDir(pasta).absoluteFilePath(nome);
  w.grab().save(caminho);
  std::printf("captura: %s\n", qPrintable(caminho));
  return caminho;
}

} // namespace

class PrincipalTeste : public ArvoreTeste {
protected:
  void SetUp() override {
    ArvoreTeste::SetUp();
    CriarCadastro();
  }
  QTreeWidgetItem *No(TfrmPrincipal &j, const QString &texto) {
    for (TNo no : j.ArvoreVisual().Todos())
      if (j.ArvoreVisual().Texto(no) == texto)
        return TArvoreVisualQt::Item(no);
    ADD_FAILURE() << texto.toStdString();
    return nullptr;
  }
};

TEST_F(PrincipalTeste, TituloTamanhoMenusEAtalhos) {
  TfrmPrincipal j;
  const QString versao = Utilitarios.VersaoSistema().trimmed();
  ASSERT_FALSE(versao.isEmpty());
  EXPECT_EQ(j.windowTitle(), QStringLiteral("VESK Eletrônica - Versão ") + versao);
  j.show();
  EXPECT_EQ(j.size(), QSize(990, 635));
  // Nothing is squeezed below what it needs at that size, and it fits 1280 x 800.
  EXPECT_LE(j.minimumSizeHint().width(), 990);
  EXPECT_LE(j.minimumSizeHint().height(), 635);
  EXPECT_LE(j.frameGeometry().width(), 1280);
  EXPECT_LE(j.frameGeometry().height(), 800);

  QStringList menus;
  for (QAction *a : j.menuBar()->actions())
    menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&Arquivo", "&Editar", "E&xibir", "&Relatórios", "&Ferramentas",
                                "A&juda"}));
  EXPECT_EQ(j.Acao("actAlterar")->shortcut(), QKeySequence(Qt::Key_F8));
  EXPECT_EQ(j.Acao("actExcluir")->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_EQ(j.Acao("Sobre1")->text(), QStringLiteral("&Sobre ..."));
  EXPECT_EQ(j.Acao("InstituicaoConsignataria")->text(),
            QStringLiteral("Instituição Consig&natária "));
  EXPECT_EQ(j.TabTreeView->tabText(0), QStringLiteral("&Cadastro"));
  EXPECT_EQ(j.TabTreeView->tabText(1), QStringLiteral("&Movimento"));
  TfrmSobre sobre(&j);
  EXPECT_EQ(sobre.windowTitle(), QStringLiteral("Sobre o VESK"));
  EXPECT_EQ(sobre.lblVersao->text(), QStringLiteral("Versão ") + Utilitarios.VersaoSistema(true));
  EXPECT_TRUE(sobre.lblVigencia->text().contains(QStringLiteral(" à ")));
  EXPECT_EQ(sobre.lblPasta->text(), QDir::toNativeSeparators(pasta->Caminho()));
  sobre.show();
  QDir().mkpath(QStringLiteral(VESK_BIN_DIR "/../tests/capturas"));
  sobre.grab().save(QStringLiteral(VESK_BIN_DIR "/../tests/capturas/sobre.png"));
  // Every command is reachable from a menu (the keyboard reaches every menu).
  QSet<QAction *> nosMenus;
  std::function<void(QMenu *)> coletar = [&](QMenu *m) {
    for (QAction *a : m->actions()) {
      nosMenus.insert(a);
      if (a->menu())
        coletar(a->menu());
    }
  };
  for (QMenu *m : j.MenusPrincipais())
    coletar(m);
  for (const QString &nome : j.NomesAcoes()) {
    if (nome != "RetirarParticipacao1" && nome != "mnSimulacao" &&
        nome != "ImprimirGuiaProcessada") {
      EXPECT_TRUE(nosMenus.contains(j.Acao(nome))) << nome.toStdString();
    }
  }
}

TEST_F(PrincipalTeste, SoComandosConstruidosFicamHabilitados) {
  TfrmPrincipal j;
  const QSet<QString> construidos{"Importar1",
                                  "Sair1",
                                  "Sobre1",
                                  "SitedaVORDA1",
                                  "ArquivodeSaldoIS1",
                                  "ArquivoProcessado3",
                                  "SaldoCarregadoIS1",
                                  "SolicitarArquivodeSaldoIS2",
                                  "FazerBackup1",
                                  "RestaurarBackup1",
                                  "PorGuias",
                                  "PorProtocolo",
                                  "ReenviodeArquivoProcessado2",
                                  "ndicesMOLTZELT1",
                                  "Empresa2",
                                  "Empregado2",
                                  "AlteraoCadastral1",
                                  "FolhadePagamento1",
                                  "Fechamento1",
                                  "ArquivodeSaldo1",
                                  "ArquivoProcessado1",
                                  "OcorrenciaSaldo",
                                  "OcorrnciaChaveIdentificao1",
                                  "OcorrnciaChaveIdentificao2",
                                  "actLocalizar",
                                  "ArquivosEnviadosVorda1"};
  struct Caso {
    const char *no;
    bool incluirEmpresa, alterar, excluir;
  } casos[] = {{"CONTABIL RESPONSAVEL", true, true, false},
               {"ALFA COMERCIO", false, true, true},
               {"BETA SERVICOS", false, false, true}, // every link closed
               {"DANIEL", false, false, true}};       // processed link
  for (int aba : {0, 1}) {
    for (const Caso &c : casos) {
      j.TabTreeView->setCurrentIndex(aba);
      j.tvCadastro->setCurrentItem(No(j, QString::fromLatin1(c.no)));
      QHash<QString, bool> esperado;
      esperado["actIncluirEmpresa"] = aba == 0 && c.incluirEmpresa;
      esperado["actIncluirTrabalhador"] =
          aba == 0 && (QLatin1String(c.no) == "ALFA COMERCIO" || QLatin1String(c.no) == "BETA SERVICOS");
      esperado["actAlterar"] = aba == 0 && c.alterar;
      esperado["actExcluir"] = aba == 0 && c.excluir;
      // A processed link on the registry tab prints its worker statement.
      esperado["ImprimirGuiaProcessada"] = aba == 0 && QLatin1String(c.no) == "DANIEL";
      // The collection-run commands act on the "Movimento" tab; marking not on
      // a closed company or a processed link. The fixture has closed links,
      // so withdrawal is on.
      const bool marcavel =
          QLatin1String(c.no) != "DANIEL" && QLatin1String(c.no) != "BETA SERVICOS";
      esperado["Participar"] = esperado["Desmarcar"] = aba == 1 && marcavel;
      esperado["actRetirarParticipaodeMovimento"] = esperado["RetirarParticipacao1"] =
          esperado["mnSimulacao"] = aba == 1;
      for (const QString &nome : j.NomesAcoes())
        EXPECT_EQ(j.Acao(nome)->isEnabled(),
                  construidos.contains(nome) || esperado.value(nome, false))
            << nome.toStdString() << " em " << c.no << " aba " << aba;
      EXPECT_EQ(j.tbtAdicionar->isEnabled(),
                esperado["actIncluirEmpresa"] || esperado["actIncluirTrabalhador"]);
    }
  }
  // The participation items show on the collection-run tab only.
  j.TabTreeView->setCurrentIndex(0);
  EXPECT_FALSE(j.Acao("Participar")->isVisible());
  j.TabTreeView->setCurrentIndex(1);
  EXPECT_TRUE(j.Acao("Participar")->isVisible());
  EXPECT_TRUE(j.Acao("actRetirarParticipaodeMovimento")->isVisible());
}

TEST_F(PrincipalTeste, MenuDeContextoPorNivelEAba) {
  TfrmPrincipal j;
  auto itens = [&](const char *no, int aba) {
    j.TabTreeView->setCurrentIndex(aba);
    j.tvCadastro->setCurrentItem(No(j, QString::fromLatin1(no)));
    std::unique_ptr<QMenu> m(j.CriarMenuContexto());
    QStringList l{m->objectName()};
    for (QAction *a : m->actions()) {
      if (a->isSeparator())
        continue;
      QString t = a->text();
      if (a->menu())
        for (QAction *s : a->menu()->actions())
          t += u'>' + s->text();
      l << t;
    }
    return l;
  };
  EXPECT_EQ(itens("CONTABIL RESPONSAVEL", 0),
            (QStringList{"pmArvore", "Novo>&Empresa", "Al&terar", "Excl&uir", "&Localizar"}));
  EXPECT_EQ(itens("ALFA COMERCIO", 0),
            (QStringList{"pmArvore", "Novo>&Trabalhador", "Al&terar", "Excl&uir", "&Localizar"}));
  EXPECT_EQ(itens("DANIEL", 0), (QStringList{"pmArvore", "Novo", "Al&terar", "Excl&uir",
                                             "Imprimir Guia Processada", "&Localizar"}));
  EXPECT_EQ(itens("ALFA COMERCIO", 1).first(), QStringLiteral("pmDesmarcar"));
  EXPECT_EQ(itens("BRUNO", 1).first(), QStringLiteral("pmDesmarcar"));
  EXPECT_EQ(itens("ANA", 1).first(), QStringLiteral("pmMarcar"));
  EXPECT_EQ(itens("CARLA", 1).first(), QStringLiteral("pmMarcar"));
}

TEST_F(PrincipalTeste, FrameMostraResumoDoNoSelecionado) {
  TfrmPrincipal j;
  // Start-up selects the first node: the responsible party.
  ASSERT_EQ(j.tvCadastro->currentItem(), No(j, "CONTABIL RESPONSAVEL"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmResponsavel1);
  EXPECT_EQ(j.frmResponsavel1->edtRazao->text(), QStringLiteral("CONTABIL RESPONSAVEL"));
  EXPECT_EQ(j.frmResponsavel1->edtInscricao->text(), QStringLiteral("11.222.333/0001-81"));

  j.tvCadastro->setCurrentItem(No(j, "BETA SERVICOS"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmEmpresas1);
  EXPECT_EQ(j.frmEmpresas1->edtInscricao->text(), QStringLiteral("123456789012"));
  EXPECT_EQ(j.frmEmpresas1->edtRazao->text(), QStringLiteral("BETA SERVICOS"));
  // Every link of BETA is closed: the company cannot change.
  EXPECT_FALSE(j.frmEmpresas1->btnAlterar->isEnabled());

  j.tvCadastro->setCurrentItem(No(j, "CARLA"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmFuncionarios1);
  EXPECT_EQ(j.frmFuncionarios1->edtPisPasep->text(), QStringLiteral("100.00000.00-3"));
  EXPECT_EQ(j.frmFuncionarios1->dtAdmissao->text(), QStringLiteral("02/03/2015"));
  // A CEI employer shows its 12 digits, not the CNPJ mask.
  EXPECT_EQ(j.frmFuncionarios1->lblEmpresa->text(), QStringLiteral("123456789012 - BETA SERVICOS"));
  EXPECT_FALSE(j.frmFuncionarios1->btnAlterar->isEnabled()); // closed link

  j.tvCadastro->setCurrentItem(No(j, "EDUARDO NOVO A"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmFuncionarios1);
  EXPECT_EQ(j.frmFuncionarios1->edtNome->text(), QStringLiteral("EDUARDO"));

  j.TabTreeView->setCurrentIndex(1);
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmDadosComplementares1);
  j.tvCadastro->setCurrentItem(No(j, "CONTABIL RESPONSAVEL"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmAbreMovimento1);
  // No run open: no date, nothing to simulate or close.
  EXPECT_EQ(j.frmAbreMovimento1->DataDigitada(), NullDate);
  EXPECT_FALSE(j.frmAbreMovimento1->btnSimulacao->isEnabled());
  EXPECT_FALSE(j.frmAbreMovimento1->btnFechamento->isEnabled());
  j.tvCadastro->setCurrentItem(No(j, "ALFA COMERCIO"));
  EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmEmpresas1);
}

TEST_F(PrincipalTeste, JanelaOcupadaDesabilitaEReabilita) {
  TfrmPrincipal j;
  j.HabilitarJanela(false);
  EXPECT_FALSE(j.tvCadastro->isEnabled());
  EXPECT_FALSE(j.TabTreeView->isEnabled());
  EXPECT_FALSE(j.tlbPrincipal->isEnabled());
  EXPECT_FALSE(j.pnlFrames->isEnabled());
  for (QMenu *m : j.MenusPrincipais())
    EXPECT_FALSE(m->menuAction()->isEnabled());
  j.HabilitarJanela(true);
  EXPECT_TRUE(j.tvCadastro->isEnabled());
  for (QMenu *m : j.MenusPrincipais())
    EXPECT_TRUE(m->menuAction()->isEnabled());
}

TEST_F(PrincipalTeste, SairApagaTempEDesconecta) {
  pasta->EscreverArquivo("TEMP/resto.txt", "x");
  TfrmPrincipal j;
  j.show();
  j.Acao("Sair1")->trigger();
  EXPECT_FALSE(j.isVisible());
  EXPECT_EQ(IbxUtils, nullptr);
  EXPECT_FALSE(QFile::exists(pasta->Arquivo("TEMP/resto.txt")));
  EXPECT_EQ(Arvore.Visual, nullptr);
  EXPECT_EQ(Arvore.Quantidade(), 0);
}

TEST_F(PrincipalTeste, CapturaDaJanelaComArvore) {
  for (int i = 0; i < 12; ++i)
    InserirVinculo(1, InscAlfa, 10000000100LL + i,
                   QStringLiteral("TRABALHADOR %1 DA SILVA").arg(i + 1, 2, 10, QChar(u'0')), 1,
                   i % 4);
  TfrmPrincipal j;
  j.show();
  j.tvCadastro->expandAll();
  j.tvCadastro->setCurrentItem(No(j, "BRUNO"));
  const QString caminho = SalvarImagem(j, QStringLiteral("principal.png"));
  EXPECT_TRUE(QFile::exists(caminho));
  j.TabTreeView->setCurrentIndex(1);
  j.tvCadastro->setCurrentItem(No(j, "CONTABIL RESPONSAVEL"));
  SalvarImagem(j, QStringLiteral("principal_movimento.png"));
}

TEST(Entrada, OpcoesNaoConstruidasDesabilitadasECancelarSai) {
  AplicacaoTeste();
  TfrmEntrada e;
  EXPECT_EQ(e.windowTitle(), QStringLiteral("VESK Eletrônica"));
  EXPECT_EQ(e.width(), 772);
  EXPECT_TRUE(e.rbtFolha->isChecked());
  EXPECT_EQ(e.rbtFolha->text(), QStringLiteral("Importar Folha de Pagamento"));
  QRadioButton *opcoes[] = {e.rbtFolha, e.rbtResponsavel, e.rbtRestaurar};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(opcoes[i]->isEnabled(), TfrmEntrada::OpcaoDisponivel(i));
  EXPECT_TRUE(e.btnAvancar->isEnabled());
  e.rbtResponsavel->setChecked(true);
  EXPECT_TRUE(e.btnAvancar->isEnabled());
  e.rbtFolha->setChecked(true);
  EXPECT_TRUE(e.btnVoltar->isHidden());
  e.show();
  SalvarImagem(e, QStringLiteral("entrada.png"));
  e.btnCancelar->click();
  EXPECT_EQ(e.result(), QDialog::Rejected);
  EXPECT_FALSE(e.isVisible());
}

namespace {
// Selects a name-change node on the registry tab and lets the queued question run.
void EscolherAlteracao(TfrmPrincipal &j, QTreeWidgetItem *no) {
  j.TabTreeView->setCurrentIndex(0);
  j.tvCadastro->setCurrentItem(no);
  QCoreApplication::processEvents();
}
} // namespace

TEST_F(PrincipalTeste, AlteracaoDeNomePendente) {
  const QString eduardoCat1 = QStringLiteral(
      "FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE NU_PIS = 10000000005 AND NU_CATEGORIA = 1");
  struct Caso {
    int resposta;
    const char *nomeVorda; // the node chosen
    const char *nomeFinal; // registered name afterwards
    int linhasPendentes;   // change rows of the link still 'N' afterwards
    int linhasConfirmadas; // and 'S'
    bool nosRemovidos;
  } casos[] = {
      {mrCancel, "EDUARDO NOVO A", "EDUARDO", 2, 0, false},
      {mrNo, "EDUARDO NOVO B", "EDUARDO NOVO B", 0, 0, true},
      {mrYes, "EDUARDO NOVO A", "EDUARDO", 0, 1, true},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.resposta);
    TearDown();
    SetUp();
    TfrmPrincipal j;
    RespostasDialogo dialogos;
    dialogos.Responder(c.resposta);
    QTreeWidgetItem *alteracao = No(j, QString::fromLatin1(c.nomeVorda));
    QTreeWidgetItem *vinculo = alteracao->parent();
    EscolherAlteracao(j, alteracao);
    ASSERT_GE(dialogos.mostrados.size(), 1u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("990301")));
    EXPECT_EQ(dialogos.mostrados[0].Botoes, mbYes | mbNo | mbCancel);
    EXPECT_EQ(dialogos.mostrados[0].BotaoPadrao, 1); // No
    if (c.resposta == mrYes) {
      ASSERT_EQ(dialogos.mostrados.size(), 2u);
      EXPECT_TRUE(dialogos.mostrados[1].Texto.startsWith(QStringLiteral("990302")));
    }
    EXPECT_FALSE(IbxUtils->EmTransacao());
    EXPECT_EQ(j.tvCadastro->currentItem(), vinculo);
    EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 10000000005"),
              QString::fromLatin1(c.nomeFinal));
    EXPECT_EQ(Contar(eduardoCat1 + " AND IC_CONFIRMACAO = 'N'"), c.linhasPendentes);
    EXPECT_EQ(Contar(eduardoCat1 + " AND IC_CONFIRMACAO = 'S'"), c.linhasConfirmadas);
    EXPECT_EQ(vinculo->childCount(), c.nosRemovidos ? 0 : 2);
    // Both links of the worker show the registered name.
    int comNome = 0;
    for (TNo no : j.ArvoreVisual().Todos())
      comNome += j.ArvoreVisual().Texto(no) == QLatin1String(c.nomeFinal) ? 1 : 0;
    EXPECT_EQ(comNome, 2);
    EXPECT_EQ(Arvore.Quantidade(), static_cast<int>(j.ArvoreVisual().Todos().size()));
  }
}

TEST_F(PrincipalTeste, NomeDaVordaInvalidoNaoMudaNada) {
  Executar("UPDATE QZLTBG10_CONTA_EMPREGADO_ZELT SET NO_EMPREGADO = 'EDUARDO 2' "
           "WHERE NU_EMPREGADO_VORDA = 501");
  TfrmPrincipal j;
  RespostasDialogo dialogos;
  dialogos.Responder(mrNo);
  QTreeWidgetItem *alteracao = No(j, "EDUARDO 2");
  QTreeWidgetItem *vinculo = alteracao->parent();
  EscolherAlteracao(j, alteracao);
  ASSERT_EQ(dialogos.mostrados.size(), 2u);
  EXPECT_EQ(dialogos.mostrados[1].Tipo, dtErro);
  EXPECT_TRUE(dialogos.mostrados[1].Texto.startsWith(QStringLiteral("990093")));
  EXPECT_EQ(j.tvCadastro->currentItem(), vinculo);
  EXPECT_EQ(vinculo->childCount(), 2);
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM QZLTBG03_EMPREGADO WHERE NU_PIS = 10000000005"),
            QStringLiteral("EDUARDO"));
}

TEST_F(PrincipalTeste, CargasAtualizamAArvoreDaJanela) {
  TfrmPrincipal j;
  j.tvCadastro->setCurrentItem(No(j, "ANA"));
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 3 WHERE NU_PIS = "
           "10000000001");
  ASSERT_TRUE(TfrmProgImporta::AtualizarArvore);
  TfrmProgImporta::AtualizarArvore();
  EXPECT_EQ(j.ArvoreVisual().Imagem(j.tvCadastro->currentItem()), imgVinculoProcessado);
  EXPECT_EQ(j.tvCadastro->currentItem()->text(0), QStringLiteral("ANA"));
  EXPECT_EQ(j.statusBar()->findChildren<QLabel *>().first()->text(),
            QStringLiteral("Nenhum movimento aberto"));
  Executar("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
           "DT_PAGAMENTO) VALUES (1, 11222333000181, '2025-07-15')");
  TfrmProgImporta::AtualizarArvore();
  EXPECT_EQ(j.statusBar()->findChildren<QLabel *>().first()->text(),
            QStringLiteral("Movimento aberto: data de recolhimento 15/07/2025"));
}

TEST_F(PrincipalTeste, CliqueDireitoSelecionaTeclaDeMenuNao) {
  TfrmPrincipal j;
  j.show();
  j.tvCadastro->expandAll();
  QTreeWidgetItem *ana = No(j, "ANA");
  QTreeWidgetItem *raiz = No(j, "CONTABIL RESPONSAVEL");
  QString menuAberto;
  auto fecharMenu = [&] {
    QTimer::singleShot(50, [&] {
      if (QWidget *p = QApplication::activePopupWidget()) {
        menuAberto = p->objectName();
        p->close();
      }
    });
  };
  const QPoint sobreAna = j.tvCadastro->visualItemRect(ana).center();
  j.tvCadastro->setCurrentItem(raiz);
  fecharMenu();
  QContextMenuEvent tecla(QContextMenuEvent::Keyboard, sobreAna,
                          j.tvCadastro->viewport()->mapToGlobal(sobreAna));
  QApplication::sendEvent(j.tvCadastro->viewport(), &tecla);
  EXPECT_EQ(j.tvCadastro->currentItem(), raiz);
  EXPECT_EQ(menuAberto, QStringLiteral("pmArvore"));
  menuAberto.clear();
  fecharMenu();
  QContextMenuEvent clique(QContextMenuEvent::Mouse, sobreAna,
                           j.tvCadastro->viewport()->mapToGlobal(sobreAna));
  QApplication::sendEvent(j.tvCadastro->viewport(), &clique);
  EXPECT_EQ(j.tvCadastro->currentItem(), ana);
  EXPECT_EQ(menuAberto, QStringLiteral("pmArvore"));
}

class EntradaTeste : public BancoTeste {
protected:
  void SetUp() override {
    AplicacaoTeste();
    BancoTeste::SetUp();
  }
};

TEST_F(EntradaTeste, ImportarFolhaCadastraEDepoisAJanelaPrincipalMostra) {
  // A payroll file from the project's generator, dated inside the index tables.
  TDataSetPtr ds =
      IbxUtils->AbrirConsulta("SELECT MIN(DT_UTIL) FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL >= (SELECT "
                              "MIN(DT_RECOLHIMENTO_PRORATA) FROM QZLTBT18_INDICE_PRORATA) + 9");
  const QString data = ds->Fields(0).AsDate().toString("ddMMyyyy");
  const QString arquivo = pasta->Arquivo("entrada/VESK.re");
  QDir().mkpath(pasta->Arquivo("entrada"));
  QProcess gerador;
  gerador.start("python3", {VESK_SOURCE_DIR "/tools/gerar_folha/gerar_folha.py", arquivo,
                            "--recolhimento", data, "--empresas", "3", "--vinculos", "12"});
  ASSERT_TRUE(gerador.waitForFinished(120000));
  ASSERT_EQ(gerador.exitCode(), 0) << gerador.readAllStandardError().toStdString();

  RespostasDialogo dialogos;
  dialogos.Responder(mrOk); // import finished
  dialogos.Responder(mrNo); // no balance request now
  TfrmEntrada e;
  ASSERT_TRUE(e.ImportarArquivoFolha(arquivo));
  EXPECT_TRUE(ExisteEmpregador());
  EXPECT_EQ(Arvore.Visual, nullptr); // the unseen main window is gone
  // The start-up now opens the main window on the imported registry.
  TfrmPrincipal j;
  const auto vinculos = std::count_if(Arvore.Nos.begin(), Arvore.Nos.end(),
                                      [](const TRecArvore &r) { return r.Tipo == u'F'; });
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), static_cast<int>(vinculos));
  EXPECT_GE(j.tvCadastro->topLevelItem(0)->childCount(), 1);
}
