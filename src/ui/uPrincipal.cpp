#include "uPrincipal.h"

#include "uAbreMovimento.h"
#include "uBackup.h"
#include "uConsultaSaldoCarregadoIS.h"
#include "uFrameResumo.h"
#include "uFrmDadosComplementares.h"
#include "uFrmEmpresas.h"
#include "uFrmFuncionarios.h"
#include "uFrmResponsavel.h"
#include "uIcones.h"
#include "uImportacaoPadrao.h"
#include "uProgImporta.h"
#include "uReciboEnvio.h"
#include "uReenvioArqProcessado.h"
#include "uRestaurarBackup.h"
#include "uSelecaoGuias.h"
#include "uSimulaMovimento.h"
#include "uSobre.h"
#include "uSolicitacaoIS.h"

#include "collection/unMovimento.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/UnInconsistencia.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "core/unSinais.h"
#include "core/unUtilitarios.h"
#include "registry/unAlteracaoCadastral.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"
#include "reports/URel_Padrao_Recolhimento.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The bank's web site, opened by "Site da VORDA".
const char *const EnderecoSiteVorda = "https://www.vorda.example/";

using Manipulador = void (TfrmPrincipal::*)();

// Every command of the window, with its caption, shortcut, toolbar picture and
// handler. A command whose handler is null belongs to a function of the program
// that is not in this build: it is shown, disabled. Giving it its handler here
// is all it takes to bring it alive.
struct TComando {
  const char *Nome;
  const char *Texto;
  const char *Atalho;
  const char *Icone;
  Manipulador Executar;
};
const TComando Comandos[] = {
    {"actIncluirEmpresa", "&Empresa", nullptr, nullptr, &TfrmPrincipal::actIncluirEmpresaExecute},
    {"actIncluirTrabalhador", "&Trabalhador", nullptr, nullptr,
     &TfrmPrincipal::actIncluirTrabalhadorExecute},
    {"actAlterar", "Al&terar", "F8", "alterar", &TfrmPrincipal::actAlterarExecute},
    {"actExcluir", "Excl&uir", "F9", "excluir", &TfrmPrincipal::actExcluirExecute},
    {"Importar1", "&Importar Folha", nullptr, "importar", &TfrmPrincipal::Importar1Click},
    {"Sair1", "&Sair", nullptr, "sair", &TfrmPrincipal::Sair1Click},
    {"Participar", "Marcar Participação", nullptr, nullptr, &TfrmPrincipal::ParticiparClick},
    {"Desmarcar", "Desmarcar Participação", nullptr, nullptr, &TfrmPrincipal::DesmarcarClick},
    {"actRetirarParticipaodeMovimento", "&Retirar Fechamento", nullptr, nullptr,
     &TfrmPrincipal::actRetirarParticipaodeMovimentoExecute},
    {"RetirarParticipacao1", "Retirar Participação de Movimento", nullptr, nullptr,
     &TfrmPrincipal::actRetirarParticipaodeMovimentoExecute},
    {"mnSimulacao", "Simulação", nullptr, nullptr, &TfrmPrincipal::mnSimulacaoClick},
    {"actLocalizar", "&Localizar", nullptr, "localizar", &TfrmPrincipal::actLocalizarExecute},
    {"ArquivosEnviadosVorda1", "Arquivos &Gerados para Envio à VORDA", nullptr, nullptr,
     &TfrmPrincipal::ArquivosEnviadosVorda1Click},
    {"SaldoCarregadoIS1", "&Saldo Rescisório", nullptr, nullptr,
     &TfrmPrincipal::SaldoCarregadoIS1Click},
    {"Empresa2", "&Empresa", nullptr, nullptr, &TfrmPrincipal::Empresa2Click},
    {"Empregado2", "&Trabalhador", nullptr, nullptr, &TfrmPrincipal::Empregado2Click},
    {"AlteraoCadastral1", "&Alteração Cadastral", nullptr, nullptr,
     &TfrmPrincipal::AlteraoCadastral1Click},
    {"FolhadePagamento1", "&Folha de Pagamento", nullptr, nullptr,
     &TfrmPrincipal::FolhadePagamento1Click},
    {"Fechamento1", "Fe&chamento", nullptr, nullptr, &TfrmPrincipal::Fechamento1Click},
    {"ArquivodeSaldo1", "&Arquivo de Saldo &Rescisório", nullptr, nullptr,
     &TfrmPrincipal::ArquivodeSaldo1Click},
    {"ArquivoProcessado1", "Arquivo Guias &Processadas na VORDA", nullptr, nullptr,
     &TfrmPrincipal::ArquivoProcessado1Click},
    {"OcorrenciaSaldo", "&Ocorrência Arquivo Saldo Rescisório", nullptr, nullptr,
     &TfrmPrincipal::OcorrenciaSaldoClick},
    {"OcorrnciaChaveIdentificao1", "Oco&rrência Chave Identificação", nullptr, nullptr,
     &TfrmPrincipal::OcorrnciaChaveIdentificao1Click},
    {"PorGuias", "Por &Guias", nullptr, nullptr, &TfrmPrincipal::PorGuiasClick},
    {"PorProtocolo", "Por &Protocolo", nullptr, nullptr, &TfrmPrincipal::PorProtocoloClick},
    {"ArquivoProcessado3", "Guias &Processadas na VORDA", nullptr, nullptr,
     &TfrmPrincipal::ArquivoProcessado3Click},
    {"ArquivodeSaldoIS1", "&Valor para Fins Rescisórios", nullptr, nullptr,
     &TfrmPrincipal::ArquivodeSaldoIS1Click},
    {"OcorrnciaChaveIdentificao2", "Ocorrência Chave Identificação", nullptr, nullptr,
     &TfrmPrincipal::OcorrnciaChaveIdentificao2Click},
    {"ndicesMOLTZELT1", "&Índices do ZELT", nullptr, nullptr, &TfrmPrincipal::ndicesMOLTZELT1Click},
    {"InstituicaoConsignataria", "Instituição Consig&natária ", nullptr, nullptr, nullptr},
    {"SolicitarArquivodeSaldoIS2", "Solicitação de Saldo &Rescisório", nullptr, nullptr,
     &TfrmPrincipal::SolicitarArquivodeSaldoIS2Click},
    {"ReenviodeArquivoProcessado2", "Solicitação de Reenvio de Guias &Processadas na VORDA",
     nullptr, nullptr, &TfrmPrincipal::ReenviodeArquivoProcessado2Click},
    {"FazerBackup1", "&Fazer Backup", nullptr, nullptr, &TfrmPrincipal::FazerBackup1Click},
    {"RestaurarBackup1", "&Restaurar Backup", nullptr, nullptr,
     &TfrmPrincipal::RestaurarBackup1Click},
    {"SitedaVORDA1", "Site da &VORDA", nullptr, nullptr, &TfrmPrincipal::SitedaVORDA1Click},
    {"Sobre1", "&Sobre ...", nullptr, nullptr, &TfrmPrincipal::Sobre1Click},
    {"ImprimirGuiaProcessada", "Imprimir Guia Processada", nullptr, nullptr,
     &TfrmPrincipal::ImprimirGuiaProcessadaClick},
};

const TComando *Comando(const QString &nome) {
  for (const TComando &c : Comandos)
    if (nome == QLatin1String(c.Nome))
      return &c;
  return nullptr;
}

// Disables the main window's parts while a child window runs, and enables them
// again however that window ends.
class TJanelaOcupada {
public:
  explicit TJanelaOcupada(TfrmPrincipal *j) : j_(j) { j_->HabilitarJanela(false); }
  ~TJanelaOcupada() { j_->HabilitarJanela(true); }
  TJanelaOcupada(const TJanelaOcupada &) = delete;
  TJanelaOcupada &operator=(const TJanelaOcupada &) = delete;

private:
  TfrmPrincipal *j_;
};

} // namespace

TfrmPrincipal::TfrmPrincipal(QWidget *parent, bool montarArvore) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmPrincipal"));
  QString titulo = QString::fromUtf8(NomeProduto);
  try {
    const QString versao = Utilitarios.VersaoSistema().trimmed();
    if (!versao.isEmpty())
      titulo += QStringLiteral(" - Versão ") + versao;
  } catch (const std::exception &) {
    // without a version row the product name alone is still a fine title
  }
  setWindowTitle(titulo);

  CriarAreaPrincipal();
  CriarAcoes();
  CriarMenus();
  CriarBarra();
  lblStatusMovimento_ = new QLabel;
  lblStatusTotais_ = new QLabel;
  statusBar()->addWidget(lblStatusMovimento_, 1);
  statusBar()->addPermanentWidget(lblStatusTotais_);
  resize(990, 635);

  Arvore.Visual = visual_.get();
  // The file loads refresh this window's tree when they succeed.
  TfrmProgImporta::AtualizarArvore = [janela = QPointer<TfrmPrincipal>(this)] {
    ::AtualizarArvore();
    if (janela)
      janela->AtualizarBarraStatus();
  };
  TfrmProgImporta::ConsultarSaldo = [janela = QPointer<TfrmPrincipal>(this)] {
    if (janela)
      janela->SaldoCarregadoIS1Click();
  };
  TfrmConsultaSaldoCarregadoIS::AtualizarArvore = TfrmProgImporta::AtualizarArvore;
  // The balance request for the links of a payroll file just imported.
  TfrmProgImporta::SolicitarSaldo =
      [janela = QPointer<TfrmPrincipal>(this)](const TArrRegRegistro &indice) {
        GerarSolicitacaoSaldo(indice, janela);
      };
  if (montarArvore)
    MontarInicial();
  else
    AtualizarComandos();
}

TfrmPrincipal::~TfrmPrincipal() {
  // The shared tree outlives the window: it must forget the window's nodes.
  if (Arvore.Visual == visual_.get()) {
    Arvore.Visual = nullptr;
    Arvore.Esvaziar();
  }
}

void TfrmPrincipal::CriarAreaPrincipal() {
  auto *esquerda = new QWidget;
  TabTreeView = new QTabBar;
  TabTreeView->setObjectName(QStringLiteral("TabTreeView"));
  TabTreeView->addTab(QStringLiteral("&Cadastro"));
  TabTreeView->addTab(QStringLiteral("&Movimento"));
  TabTreeView->setExpanding(false);
  TabTreeView->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 50px; }"));
  tvCadastro = new QTreeWidget;
  tvCadastro->setObjectName(QStringLiteral("tvCadastro"));
  tvCadastro->setHeaderHidden(true);
  tvCadastro->setColumnCount(1);
  tvCadastro->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvCadastro->setSelectionMode(QAbstractItemView::SingleSelection);
  tvCadastro->setUniformRowHeights(true);
  // Big enough for the state badge on each picture to be told apart.
  tvCadastro->setIconSize(QSize(20, 20));
  // The context menu is handled in eventFilter, where a right click and the
  // menu key can be told apart.
  tvCadastro->installEventFilter(this);
  tvCadastro->viewport()->installEventFilter(this);
  // The selection stays visible when the focus is in the frame.
  QPalette p = tvCadastro->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight,
             p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  tvCadastro->setPalette(p);
  visual_ = std::make_unique<TArvoreVisualQt>(tvCadastro);
  auto *le = new QVBoxLayout(esquerda);
  le->setContentsMargins(0, 0, 0, 0);
  le->setSpacing(0);
  le->addWidget(TabTreeView);
  le->addWidget(tvCadastro);

  pnlFrames = new QStackedWidget;
  pnlFrames->setObjectName(QStringLiteral("pnlFrames"));
  frmResponsavel1 = new TfrmResponsavel;
  frmEmpresas1 = new TfrmEmpresas;
  frmFuncionarios1 = new TfrmFuncionarios;
  for (TFramePadrao *f :
       {static_cast<TFramePadrao *>(frmResponsavel1), static_cast<TFramePadrao *>(frmEmpresas1),
        static_cast<TFramePadrao *>(frmFuncionarios1)}) {
    f->AoHabilitarJanela = [this](bool h) { HabilitarEdicaoJanela(h); };
    f->AoRecarregar = [this] {
      MostrarFrame(tvCadastro->currentItem());
      AtualizarComandos();
    };
  }
  frmResponsavel1->AoNovaEmpresa = [this] { actIncluirEmpresaExecute(); };
  frmEmpresas1->AoNovoTrabalhador = [this] { actIncluirTrabalhadorExecute(); };
  frmAbreMovimento1 = new TfrmAbreMovimento;
  frmAbreMovimento1->HabilitarPrincipal = [this](bool h) { HabilitarEdicaoJanela(h); };
  frmAbreMovimento1->AtualizarArvore = [this] { AtualizarAposMovimento(); };
  // After an opening, the balance complements of a link not yet closed.
  TfrmAbreMovimento::IncluirComplemento =
      [janela = QPointer<TfrmPrincipal>(this)](const TChaveVinculo &c) {
        if (janela)
          janela->AbrirComplementoSaldo(c.Tipo, c.Inscricao, c.PIS, c.Categoria, c.Admissao);
      };
  frmDadosComplementares1 = new TfrmDadosComplementares;
  auto *vazio = new QWidget;
  vazio->setObjectName(QStringLiteral("pnlVazio"));
  pnlFrames->addWidget(vazio);
  for (QWidget *f :
       {static_cast<QWidget *>(frmResponsavel1), static_cast<QWidget *>(frmEmpresas1),
        static_cast<QWidget *>(frmFuncionarios1), static_cast<QWidget *>(frmAbreMovimento1),
        static_cast<QWidget *>(frmDadosComplementares1)})
    pnlFrames->addWidget(f);

  auto *divisor = new QSplitter(Qt::Horizontal);
  divisor->setObjectName(QStringLiteral("splPrincipal"));
  divisor->addWidget(esquerda);
  divisor->addWidget(pnlFrames);
  divisor->setStretchFactor(1, 1);
  divisor->setSizes({300, 690});
  divisor->setChildrenCollapsible(false);
  setCentralWidget(divisor);

  connect(tvCadastro, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem *atual, QTreeWidgetItem *) { tvCadastroChange(atual); });
  connect(TabTreeView, &QTabBar::currentChanged, this, &TfrmPrincipal::TabTreeViewChange);
}

void TfrmPrincipal::CriarAcoes() {
  for (const TComando &c : Comandos) {
    auto *a = new QAction(QString::fromUtf8(c.Texto), this);
    a->setObjectName(QString::fromLatin1(c.Nome));
    if (c.Atalho)
      a->setShortcut(QKeySequence(QString::fromLatin1(c.Atalho)));
    if (c.Icone)
      a->setIcon(IconeComando(QString::fromLatin1(c.Icone)));
    a->setIconVisibleInMenu(false);
    if (c.Executar) {
      const Manipulador m = c.Executar;
      connect(a, &QAction::triggered, this, [this, m] { (this->*m)(); });
    }
    acoes_.insert(a->objectName(), a);
  }
  Acao(QStringLiteral("Importar1"))->setToolTip(QStringLiteral("Importar Folha"));
  Acao(QStringLiteral("Sair1"))->setToolTip(QStringLiteral("Sair"));
}

void TfrmPrincipal::CriarMenus() {
  auto a = [this](const char *nome) { return Acao(QString::fromLatin1(nome)); };
  QMenuBar *barra = menuBar();

  QMenu *arquivo = barra->addMenu(QStringLiteral("&Arquivo"));
  arquivo->setObjectName(QStringLiteral("Arquivo1"));
  QMenu *novo = arquivo->addMenu(QStringLiteral("&Novo"));
  novo->setObjectName(QStringLiteral("Novo1"));
  novo->addAction(a("actIncluirEmpresa"));
  novo->addAction(a("actIncluirTrabalhador"));
  arquivo->addAction(a("actAlterar"));
  arquivo->addAction(a("actExcluir"));
  arquivo->addSeparator();
  arquivo->addAction(a("Importar1"));
  arquivo->addSeparator();
  arquivo->addAction(a("Sair1"));

  QMenu *editar = barra->addMenu(QStringLiteral("&Editar"));
  editar->setObjectName(QStringLiteral("Editar1"));
  editar->addAction(a("Participar"));
  editar->addAction(a("Desmarcar"));
  editar->addAction(a("actRetirarParticipaodeMovimento"));
  editar->addAction(a("actLocalizar"));
  // Opening the menu shows the states of the node selected right now.
  connect(editar, &QMenu::aboutToShow, this, &TfrmPrincipal::AtualizarComandos);

  QMenu *exibir = barra->addMenu(QStringLiteral("E&xibir"));
  exibir->setObjectName(QStringLiteral("Exibir1"));
  exibir->addAction(a("ArquivosEnviadosVorda1"));
  exibir->addAction(a("SaldoCarregadoIS1"));

  mnuRelatorios_ = barra->addMenu(QStringLiteral("&Relatórios"));
  mnuRelatorios_->setObjectName(QStringLiteral("Relatorios1"));
  QMenu *cadastro = mnuRelatorios_->addMenu(QStringLiteral("&Cadastro"));
  cadastro->addAction(a("Empresa2"));
  cadastro->addAction(a("Empregado2"));
  cadastro->addAction(a("AlteraoCadastral1"));
  QMenu *inconsistencia = mnuRelatorios_->addMenu(QStringLiteral("&Inconsistência"));
  inconsistencia->addAction(a("FolhadePagamento1"));
  inconsistencia->addAction(a("Fechamento1"));
  inconsistencia->addAction(a("ArquivodeSaldo1"));
  inconsistencia->addAction(a("ArquivoProcessado1"));
  mnuRelatorios_->addAction(a("OcorrenciaSaldo"));
  mnuRelatorios_->addAction(a("OcorrnciaChaveIdentificao1"));
  QMenu *guias = mnuRelatorios_->addMenu(QStringLiteral("&Guias"));
  guias->addAction(a("PorGuias"));
  guias->addAction(a("PorProtocolo"));

  QMenu *ferramentas = barra->addMenu(QStringLiteral("&Ferramentas"));
  ferramentas->setObjectName(QStringLiteral("Ferramentas1"));
  QMenu *carga = ferramentas->addMenu(QStringLiteral("&Carga"));
  carga->addAction(a("ArquivoProcessado3"));
  carga->addAction(a("ArquivodeSaldoIS1"));
  carga->addAction(a("OcorrnciaChaveIdentificao2"));
  carga->addAction(a("ndicesMOLTZELT1"));
  carga->addAction(a("InstituicaoConsignataria"));
  QMenu *gerar = ferramentas->addMenu(QStringLiteral("&Gerar"));
  gerar->addAction(a("SolicitarArquivodeSaldoIS2"));
  gerar->addAction(a("ReenviodeArquivoProcessado2"));
  ferramentas->addSeparator();
  ferramentas->addAction(a("FazerBackup1"));
  ferramentas->addAction(a("RestaurarBackup1"));

  QMenu *ajuda = barra->addMenu(QStringLiteral("A&juda"));
  ajuda->setObjectName(QStringLiteral("Ajuda1"));
  ajuda->addAction(a("SitedaVORDA1"));
  ajuda->addAction(a("Sobre1"));

  menus_ = {arquivo, editar, exibir, mnuRelatorios_, ferramentas, ajuda};
}

void TfrmPrincipal::CriarBarra() {
  tlbPrincipal = addToolBar(QStringLiteral("Principal"));
  tlbPrincipal->setObjectName(QStringLiteral("tlbPrincipal"));
  tlbPrincipal->setMovable(false);
  tlbPrincipal->setIconSize(QSize(24, 24));
  tlbPrincipal->setToolButtonStyle(Qt::ToolButtonIconOnly);

  tbtAdicionar = new QToolButton;
  tbtAdicionar->setObjectName(QStringLiteral("tbtAdicionar"));
  tbtAdicionar->setIcon(IconeComando(QStringLiteral("novo")));
  tbtAdicionar->setToolTip(QStringLiteral("Novo"));
  auto *menuNovo = new QMenu(tbtAdicionar);
  menuNovo->addAction(Acao(QStringLiteral("actIncluirEmpresa")));
  menuNovo->addAction(Acao(QStringLiteral("actIncluirTrabalhador")));
  tbtAdicionar->setMenu(menuNovo);
  tbtAdicionar->setPopupMode(QToolButton::InstantPopup);
  tlbPrincipal->addWidget(tbtAdicionar);

  auto botao = [this](const char *acao, const char *nome, const char *dica) {
    QAction *a = Acao(QString::fromLatin1(acao));
    tlbPrincipal->addAction(a);
    if (QWidget *w = tlbPrincipal->widgetForAction(a)) {
      w->setObjectName(QString::fromLatin1(nome));
      w->setToolTip(QString::fromUtf8(dica));
    }
  };
  botao("actAlterar", "tbtAlterar", "Alterar (F8)");
  botao("actExcluir", "tbtExcluir", "Excluir (F9)");
  tlbPrincipal->addSeparator();
  botao("Importar1", "tbtImportar", "Importar Folha");

  tbtImprimir = new QToolButton;
  tbtImprimir->setObjectName(QStringLiteral("tbtImprimir"));
  tbtImprimir->setIcon(IconeComando(QStringLiteral("imprimir")));
  tbtImprimir->setToolTip(QStringLiteral("Relatórios"));
  tbtImprimir->setMenu(mnuRelatorios_);
  tbtImprimir->setPopupMode(QToolButton::InstantPopup);
  tlbPrincipal->addWidget(tbtImprimir);

  botao("actLocalizar", "tbtLocalizar", "Localizar");
  tlbPrincipal->addSeparator();
  botao("Sair1", "tbtSair", "Sair");
}

void TfrmPrincipal::MontarInicial() {
  // A small window tells the user what the wait is about while the tree loads.
  QDialog carregando(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  carregando.setObjectName(QStringLiteral("frmCarregando"));
  carregando.setWindowTitle(QStringLiteral("Carregando Dados ..."));
  auto *l = new QVBoxLayout(&carregando);
  l->addWidget(new QLabel(QStringLiteral("Inicializando sistema ...")));
  carregando.setFixedSize(260, 70);
  carregando.show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = Arvore.MontarArvore(*visual_);
  if (ok && !Arvore.Nos.empty())
    visual_->Selecionar(Arvore.Nos.front().No);
  QApplication::restoreOverrideCursor();
  carregando.close();
  AtualizarBarraStatus();
  AtualizarComandos();
}

bool TfrmPrincipal::NaAbaCadastro() const {
  return TabTreeView->currentIndex() == 0;
}

void TfrmPrincipal::tvCadastroChange(QTreeWidgetItem *atual) {
  if (atual)
    Arvore.SelecionarNo(atual);
  if (atual && NaAbaCadastro() && Arvore.Atual.Tipo == u'C') {
    // Asked once the selection has settled: the answer removes this very node.
    QMetaObject::invokeMethod(
        this, [this, atual] { ResolverAlteracaoNome(atual); }, Qt::QueuedConnection);
  }
  MostrarFrame(atual);
  AtualizarComandos();
}

void TfrmPrincipal::TabTreeViewChange(int) {
  MostrarFrame(tvCadastro->currentItem());
  AtualizarComandos();
  tvCadastro->setFocus();
}

void TfrmPrincipal::MostrarFrame(TNo no) {
  if (!no || !Arvore.SelecionarNo(no)) {
    pnlFrames->setCurrentIndex(0);
    return;
  }
  const int nivel = visual_->Nivel(no);
  // The edit frames load their record from the selected node.
  try {
    if (nivel == 0 && !NaAbaCadastro()) {
      frmAbreMovimento1->CarregarTela();
      pnlFrames->setCurrentWidget(frmAbreMovimento1);
      return;
    }
    if (nivel == 0 && NaAbaCadastro()) {
      frmResponsavel1->CarregarTela();
      pnlFrames->setCurrentWidget(frmResponsavel1);
      return;
    }
    if (nivel == 1) {
      frmEmpresas1->CarregarTela();
      // A company whose links are all closed cannot change; on the
      // collection-run tab it is shown only.
      const bool cadastro = NaAbaCadastro();
      frmEmpresas1->PermitirAlteracao(cadastro && visual_->Imagem(no) != imgEmpresaFechada);
      frmEmpresas1->btnExcluir->setEnabled(cadastro);
      const TComando *novo = Comando(QStringLiteral("actIncluirTrabalhador"));
      frmEmpresas1->btnEmpregado->setEnabled(cadastro && novo && novo->Executar);
      pnlFrames->setCurrentWidget(frmEmpresas1);
      return;
    }
    if (nivel >= 2 && !NaAbaCadastro()) {
      frmDadosComplementares1->CarregarTela();
      const int imagem = visual_->Imagem(no);
      frmDadosComplementares1->PermitirAlteracao(Arvore.Atual.Tipo == u'F' &&
                                                 imagem != imgVinculoFechado &&
                                                 imagem != imgVinculoProcessado);
      pnlFrames->setCurrentWidget(frmDadosComplementares1);
      return;
    }
    if (nivel >= 2 && NaAbaCadastro()) {
      frmFuncionarios1->CarregarTela();
      const int imagem = visual_->Imagem(no);
      frmFuncionarios1->PermitirAlteracao(Arvore.Atual.Tipo == u'F' &&
                                          imagem != imgVinculoFechado &&
                                          imagem != imgVinculoProcessado);
      frmFuncionarios1->btnExcluir->setEnabled(Arvore.Atual.Tipo == u'F');
      pnlFrames->setCurrentWidget(frmFuncionarios1);
      return;
    }
  } catch (const std::exception &e) {
    TratarExcecao(e);
    return;
  }
}

void TfrmPrincipal::AtualizarComandos() {
  TNo no = tvCadastro->currentItem();
  const int nivel = no ? visual_->Nivel(no) : -1;
  const int imagem = no ? visual_->Imagem(no) : -1;
  const bool cadastro = NaAbaCadastro();
  const bool fechado =
      imagem == imgVinculoFechado || imagem == imgEmpresaFechada || imagem == imgVinculoProcessado;

  // What the selected node allows; ANDed below with whether the command is built.
  QHash<QString, bool> permitido;
  permitido[QStringLiteral("actIncluirEmpresa")] = cadastro && nivel == 0;
  permitido[QStringLiteral("actIncluirTrabalhador")] = cadastro && nivel == 1;
  permitido[QStringLiteral("actAlterar")] = cadastro && nivel >= 0 && !fechado;
  permitido[QStringLiteral("actExcluir")] = cadastro && nivel > 0;
  permitido[QStringLiteral("ImprimirGuiaProcessada")] = cadastro && imagem == imgVinculoProcessado;
  const bool marcavel = !cadastro && nivel >= 0 && !fechado && imagem != imgAlteracaoNome;
  permitido[QStringLiteral("Participar")] = marcavel;
  permitido[QStringLiteral("Desmarcar")] = marcavel;
  const bool algumFechado = !cadastro && nivel >= 0 && Arvore.ContarPorEstado({2}, true) > 0;
  permitido[QStringLiteral("actRetirarParticipaodeMovimento")] = algumFechado;
  permitido[QStringLiteral("RetirarParticipacao1")] = algumFechado;
  permitido[QStringLiteral("mnSimulacao")] = !cadastro && nivel >= 0;

  for (auto it = acoes_.cbegin(); it != acoes_.cend(); ++it) {
    const TComando *c = Comando(it.key());
    const bool construido = c && c->Executar;
    it.value()->setEnabled(construido && permitido.value(it.key(), true));
  }
  for (const char *nome : {"Participar", "Desmarcar", "actRetirarParticipaodeMovimento"})
    Acao(QString::fromLatin1(nome))->setVisible(!cadastro);
  tbtAdicionar->setEnabled(Acao(QStringLiteral("actIncluirEmpresa"))->isEnabled() ||
                           Acao(QStringLiteral("actIncluirTrabalhador"))->isEnabled());
  menus_.first()->actions().first()->setEnabled(tbtAdicionar->isEnabled()); // "&Novo"
}

QMenu *TfrmPrincipal::CriarMenuContexto() {
  AtualizarComandos();
  TNo no = tvCadastro->currentItem();
  auto *m = new QMenu(this);
  m->setObjectName(QStringLiteral("pmArvore"));
  if (!no)
    return m;
  const int nivel = visual_->Nivel(no);
  const int imagem = visual_->Imagem(no);
  auto a = [this](const char *nome) { return Acao(QString::fromLatin1(nome)); };
  if (NaAbaCadastro()) {
    QMenu *novo = m->addMenu(QStringLiteral("Novo"));
    if (nivel == 0)
      novo->addAction(a("actIncluirEmpresa"));
    else if (nivel == 1)
      novo->addAction(a("actIncluirTrabalhador"));
    novo->setEnabled(!novo->actions().isEmpty() && novo->actions().first()->isEnabled());
    m->addAction(a("actAlterar"));
    m->addAction(a("actExcluir"));
    if (nivel >= 2)
      m->addAction(a("ImprimirGuiaProcessada"));
    m->addSeparator();
    m->addAction(a("actLocalizar"));
  } else if (imagem == imgEmpresaMarcada || imagem == imgVinculoMarcado) {
    m->setObjectName(QStringLiteral("pmDesmarcar"));
    m->addAction(a("Desmarcar"));
    m->addAction(a("mnSimulacao"));
  } else {
    m->setObjectName(QStringLiteral("pmMarcar"));
    m->addAction(a("Participar"));
    m->addAction(a("RetirarParticipacao1"));
    m->addAction(a("mnSimulacao"));
  }
  return m;
}

void TfrmPrincipal::MenuContextoArvore(const QPoint &pos, bool porMouse) {
  if (porMouse)
    if (QTreeWidgetItem *item = tvCadastro->itemAt(pos))
      tvCadastro->setCurrentItem(item); // the right click selects
  QTreeWidgetItem *atual = tvCadastro->currentItem();
  if (!atual)
    return;
  // From the keyboard the menu opens under the selected node.
  const QPoint onde = porMouse ? pos : tvCadastro->visualItemRect(atual).bottomLeft();
  std::unique_ptr<QMenu> m(CriarMenuContexto());
  m->exec(tvCadastro->viewport()->mapToGlobal(onde));
}

bool TfrmPrincipal::eventFilter(QObject *objeto, QEvent *evento) {
  if (evento->type() == QEvent::ContextMenu &&
      (objeto == tvCadastro || objeto == tvCadastro->viewport())) {
    auto *e = static_cast<QContextMenuEvent *>(evento);
    const bool porMouse = e->reason() == QContextMenuEvent::Mouse;
    const QPoint pos =
        objeto == tvCadastro ? tvCadastro->viewport()->mapFrom(tvCadastro, e->pos()) : e->pos();
    MenuContextoArvore(pos, porMouse);
    return true;
  }
  return QMainWindow::eventFilter(objeto, evento);
}

void TfrmPrincipal::HabilitarJanela(bool habilitar) {
  TabTreeView->setEnabled(habilitar);
  tvCadastro->setEnabled(habilitar);
  for (QMenu *m : menus_)
    m->menuAction()->setEnabled(habilitar);
  tlbPrincipal->setEnabled(habilitar);
  pnlFrames->setEnabled(habilitar);
}

void TfrmPrincipal::HabilitarEdicaoJanela(bool habilitar) {
  TabTreeView->setEnabled(habilitar);
  tvCadastro->setEnabled(habilitar);
  for (QMenu *m : menus_)
    m->menuAction()->setEnabled(habilitar);
  tlbPrincipal->setEnabled(habilitar);
  if (habilitar)
    AtualizarComandos();
}

TFramePadrao *TfrmPrincipal::FrameAtual() const {
  return qobject_cast<TFramePadrao *>(pnlFrames->currentWidget());
}

void TfrmPrincipal::actIncluirEmpresaExecute() {
  // Only from the root, and never over an edit under way (F-keys reach the
  // actions even while the menus are disabled).
  TNo no = tvCadastro->currentItem();
  if (ModoEdicao != meNenhuma || !NaAbaCadastro() || !no || visual_->Nivel(no) != 0)
    return;
  pnlFrames->setCurrentWidget(frmEmpresas1);
  frmEmpresas1->NovaEmpresa();
}

bool TfrmPrincipal::AbrirComplementoSaldo(int tipo, qint64 inscricao, qint64 pis, int categoria,
                                          TDateTime admissao) {
  if (ModoEdicao != meNenhuma ||
      !Arvore.LocalizarVinculo(tipo, inscricao, pis, categoria, admissao, u'F'))
    return false;
  const TNo no = Arvore.Atual.No;
  TabTreeView->setCurrentIndex(1);
  visual_->Selecionar(no);
  MostrarFrame(no);
  AtualizarComandos();
  return pnlFrames->currentWidget() == frmDadosComplementares1;
}

void TfrmPrincipal::actIncluirTrabalhadorExecute() {
  // Only from an employer, never over an edit under way.
  TNo no = tvCadastro->currentItem();
  if (ModoEdicao != meNenhuma || !NaAbaCadastro() || !no || visual_->Nivel(no) != 1 ||
      !Arvore.SelecionarNo(no))
    return;
  pnlFrames->setCurrentWidget(frmFuncionarios1);
  frmFuncionarios1->NovoTrabalhador();
}

void TfrmPrincipal::actAlterarExecute() {
  TNo no = tvCadastro->currentItem();
  if (ModoEdicao != meNenhuma || !NaAbaCadastro() || !no ||
      !Acao(QStringLiteral("actAlterar"))->isEnabled())
    return;
  const int nivel = visual_->Nivel(no);
  TFramePadrao *f = nullptr;
  if (nivel == 0)
    f = frmResponsavel1;
  else if (nivel == 1)
    f = frmEmpresas1;
  else if (Arvore.SelecionarNo(no) && Arvore.Atual.Tipo == u'F')
    f = frmFuncionarios1;
  if (!f)
    return;
  if (pnlFrames->currentWidget() != f)
    MostrarFrame(no);
  if (f->btnAlterar->isEnabled())
    f->btnAlterarClick();
}

void TfrmPrincipal::actExcluirExecute() {
  TNo no = tvCadastro->currentItem();
  if (ModoEdicao != meNenhuma || !NaAbaCadastro() || !no ||
      !Acao(QStringLiteral("actExcluir"))->isEnabled())
    return;
  if (visual_->Nivel(no) == 1) {
    if (pnlFrames->currentWidget() != frmEmpresas1)
      MostrarFrame(no);
    frmEmpresas1->btnExcluirClick();
  } else if (visual_->Nivel(no) == 2) {
    if (pnlFrames->currentWidget() != frmFuncionarios1)
      MostrarFrame(no);
    frmFuncionarios1->btnExcluirClick();
  }
  AtualizarComandos();
  AtualizarBarraStatus();
}

void TfrmPrincipal::AtualizarBarraStatus() {
  int empresas = 0, vinculos = 0;
  for (int i = 1; i < Arvore.Quantidade(); ++i) {
    empresas += Arvore.Nos[i].EhEmpresa() ? 1 : 0;
    vinculos += Arvore.Nos[i].Tipo == u'F' ? 1 : 0;
  }
  lblStatusMovimento_->setText(DataPagamento > 0
                                   ? QStringLiteral("Movimento aberto: data de recolhimento ") +
                                         Utilitarios.DataParaTexto(DataPagamento)
                                   : QStringLiteral("Nenhum movimento aberto"));
  lblStatusTotais_->setText(
      QStringLiteral("%1 empresa(s), %2 vínculo(s)").arg(empresas).arg(vinculos));
}

void TfrmPrincipal::Sobre1Click() {
  TJanelaOcupada ocupada(this);
  TfrmSobre sobre(this);
  sobre.exec();
}

void TfrmPrincipal::SitedaVORDA1Click() {
  QDesktopServices::openUrl(QUrl(QString::fromLatin1(EnderecoSiteVorda)));
}

void TfrmPrincipal::FazerBackup1Click() {
  TJanelaOcupada ocupada(this);
  TfrmBackup janela(this);
  janela.exec();
}

void TfrmPrincipal::RestaurarBackup1Click() {
  TJanelaOcupada ocupada(this);
  TfrmRestaurarBackup janela(this);
  janela.exec();
}

void TfrmPrincipal::PorGuiasClick() {
  TJanelaOcupada ocupada(this);
  TfrmSelecaoGuias filtro(this);
  filtro.exec();
}

void TfrmPrincipal::PorProtocoloClick() {
  TJanelaOcupada ocupada(this);
  ImportarReciboEnvio(this);
}

void TfrmPrincipal::ReenviodeArquivoProcessado2Click() {
  TJanelaOcupada ocupada(this);
  TfrmReenvioArqProcessado janela(this);
  janela.exec();
}

void TfrmPrincipal::ImprimirGuiaProcessadaClick() {
  const TRecArvore r = Arvore.Atual;
  if (r.Tipo != u'F')
    return;
  TGuiaTrabalhador guia;
  TVinculo &v = guia.Vinculo();
  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(r.TipoInscricao);
  v.NU_INSCRICAO = r.Inscricao;
  v.NU_PIS = r.PIS;
  v.NU_CATEGORIA = static_cast<qint8>(r.Categoria);
  v.DT_ADMISSAO_VINCULO = r.DataAdmissao;
  if (!guia.CarregarQuitada()) {
    Utilitarios.Mensagem(QStringLiteral("FE0434"), dtInformacao);
    return;
  }
  TJanelaOcupada ocupada(this);
  TREL_Padrao_Recolhimento rel;
  rel.ImprimirComprovante(guia.CO_BARRAS, {}, &guia, QString(), this);
}

void TfrmPrincipal::Importar1Click() {
  TJanelaOcupada ocupada(this);
  TfrmProgImporta::EscolherEImportarFolha(this);
  Utilitarios.NormalizarConsignados();
}

void TfrmPrincipal::ArquivodeSaldoIS1Click() {
  TJanelaOcupada ocupada(this);
  TfrmProgImporta::EscolherECarregarSaldo(this);
}

void TfrmPrincipal::ArquivoProcessado3Click() {
  TJanelaOcupada ocupada(this);
  TfrmProgImporta::EscolherECarregarRetorno(this);
}

void TfrmPrincipal::OcorrnciaChaveIdentificao2Click() {
  TJanelaOcupada ocupada(this);
  TfrmProgImporta::EscolherECarregarChave(this);
}

void TfrmPrincipal::SolicitarArquivodeSaldoIS2Click() {
  TJanelaOcupada ocupada(this);
  TfrmSolicitacaoIS solicitacao(this);
  solicitacao.exec();
}

void TfrmPrincipal::SaldoCarregadoIS1Click() {
  TJanelaOcupada ocupada(this);
  TfrmConsultaSaldoCarregadoIS consulta(this);
  consulta.exec();
}

void TfrmPrincipal::ndicesMOLTZELT1Click() {
  TJanelaOcupada ocupada(this);
  {
    TfrmImportacaoIndice janela(this);
    // Only a committed import refreshes what the tables feed: the tree (with
    // its payment date) and the frame of the selected node.
    janela.AposConfirmar = [this] {
      ::AtualizarArvore();
      AtualizarBarraStatus();
      MostrarFrame(tvCadastro->currentItem());
      AtualizarComandos();
    };
    janela.Selecionar();
  }
  CarregarDataEditalProrata();
}

void TfrmPrincipal::ResolverAlteracaoNome(TNo no) {
  // The node may be gone (a refresh) or no longer selected by the time this runs.
  if (tvCadastro->currentItem() != no || !Arvore.SelecionarNo(no) || Arvore.Atual.Tipo != u'C')
    return;
  const TRecArvore alteracao = Arvore.Atual;
  const QString nomeVorda = visual_->Texto(no);
  TNo vinculo = visual_->Pai(no);
  bool resolvido = false;
  IbxUtils->IniciarTransacao();
  try {
    const int resposta = TUtilitarios::ExibirMensagem(QStringLiteral("990301"), dtConfirmacao, 0,
                                                      QString(), 1, mbYes | mbNo | mbCancel);
    TAlteracaoCadastral registro;
    if (resposta == mrNo) {
      TTrabalhador trabalhador;
      trabalhador.NO_EMPREGADO = nomeVorda;
      if (!trabalhador.ValidarNome()) {
        IbxUtils->DesfazerTransacao();
        TUtilitarios::Mensagem(QStringLiteral("99") + trabalhador.CodigoErro, dtErro);
        visual_->Selecionar(vinculo);
        return;
      }
      registro.ResolverDivergenciaNome(alteracao.TipoInscricao, alteracao.Categoria, u'N',
                                       trabalhador.NO_EMPREGADO, alteracao.DataAdmissao,
                                       alteracao.PIS, alteracao.Inscricao);
      IbxUtils->ConfirmarTransacao();
      resolvido = true;
      Arvore.RenomearNos(trabalhador.NO_EMPREGADO, *visual_, u'F', vinculo);
    } else if (resposta == mrYes) {
      TUtilitarios::Mensagem(QStringLiteral("990302"), dtInformacao);
      registro.ResolverDivergenciaNome(alteracao.TipoInscricao, alteracao.Categoria, u'S',
                                       nomeVorda, alteracao.DataAdmissao, alteracao.PIS,
                                       alteracao.Inscricao);
      IbxUtils->ConfirmarTransacao();
      resolvido = true;
    } else {
      IbxUtils->DesfazerTransacao();
    }
  } catch (const std::exception &e) {
    if (IbxUtils && IbxUtils->EmTransacao())
      IbxUtils->DesfazerTransacao();
    TratarExcecao(e);
  }
  // The selection goes back to the link in every case; its frame shows it.
  visual_->Selecionar(vinculo);
  if (resolvido) {
    // Every pending change of the link is settled: its nodes go.
    const int i = Arvore.IndiceDoNo(vinculo);
    while (i >= 0 && i + 1 < Arvore.Quantidade() && Arvore.Nos[i + 1].Tipo == u'C')
      Arvore.ExcluirNo(*visual_, Arvore.Nos[i + 1].No);
    Arvore.SelecionarNo(vinculo);
    MostrarFrame(vinculo);
  }
}

void TfrmPrincipal::Sair1Click() {
  close();
}

void TfrmPrincipal::Encerrar() {
  if (encerrado_)
    return;
  encerrado_ = true;
  try {
    const QString temp = CaminhoPrograma(QStringLiteral("TEMP"));
    if (QDir(temp).exists())
      Utilitarios.ApagarArquivosPasta(temp);
  } catch (...) {
    // leftovers in TEMP never keep the program from ending
  }
  Arvore.Visual = nullptr;
  Arvore.Esvaziar();
  EncerrarBanco();
}

void TfrmPrincipal::showEvent(QShowEvent *e) {
  QMainWindow::showEvent(e);
  if (e->spontaneous())
    return;
  resize(990, 635);
  QScreen *tela = screen() ? screen() : QGuiApplication::primaryScreen();
  if (tela) {
    const QRect area = tela->availableGeometry();
    const QRect f = frameGeometry();
    move(area.x() + (area.width() - f.width()) / 2, area.y() + (area.height() - f.height()) / 2);
  }
  tvCadastro->setFocus();
}

void TfrmPrincipal::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop laco;
  laco_ = &laco;
  laco.exec();
  laco_ = nullptr;
  // A signal left every event loop: the program ends as after "Sair".
  if (SinalRecebido())
    Encerrar();
}

void TfrmPrincipal::closeEvent(QCloseEvent *e) {
  // Typed data are not thrown away unasked.
  if (TFramePadrao *f = FrameAtual(); f && f->EmEdicao()) {
    if (!f->PodeDescartar()) {
      e->ignore();
      return;
    }
    ModoEdicao = meNenhuma;
  }
  // Leaving the main window ends the program: the tree forgets its nodes and
  // the database is disconnected before the modal loop returns.
  Encerrar();
  e->accept();
  if (laco_)
    laco_->quit();
}

// ------------------------------------------------------ collection run

namespace {
void ItemNaoModificavel() {
  PedidoDialogo p;
  p.Tipo = dtAviso;
  p.Titulo = QString::fromUtf8(NomeProduto);
  p.Texto = QStringLiteral("O item selecionado não pode ser modificado.");
  MostrarDialogo(p);
}
} // namespace

bool TfrmPrincipal::EscopoSelecionado(TEscopoMovimento &escopo) {
  TNo no = tvCadastro->currentItem();
  if (!no || !Arvore.SelecionarNo(no))
    return false;
  const TRecArvore r = Arvore.Atual;
  switch (visual_->Nivel(no)) {
  case 0:
    escopo = TEscopoMovimento::DeTodos();
    return true;
  case 1:
    escopo = TEscopoMovimento::DaEmpresa(r.TipoInscricao, r.Inscricao);
    return true;
  case 2:
    if (r.Tipo != u'F')
      return false;
    escopo = TEscopoMovimento::DoVinculo(
        {r.TipoInscricao, r.Inscricao, r.PIS, r.Categoria, r.DataAdmissao});
    return true;
  default:
    return false;
  }
}

void TfrmPrincipal::AtualizarAposMovimento() {
  ::AtualizarArvore();
  AtualizarBarraStatus();
  AtualizarComandos();
  MostrarFrame(tvCadastro->currentItem());
}

void TfrmPrincipal::Marcar(const TEscopoMovimento &escopo) {
  TResultadoMarcacao r;
  {
    TJanelaOcupada ocupada(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMovimento movimento;
    r = movimento.Marcar(escopo);
    QApplication::restoreOverrideCursor();
    AtualizarAposMovimento();
  }
  if (!r.Codigo.isEmpty()) {
    Utilitarios.Mensagem(QStringLiteral("FE") + r.Codigo, dtErro);
    return;
  }
  if (escopo.Nivel == TEscopoMovimento::Vinculo) {
    if (r.NaoModificaveis > 0)
      ItemNaoModificavel();
    else if (!r.Falhas.isEmpty())
      Utilitarios.Mensagem(QStringLiteral("FE") + r.Falhas.first().Codigo, dtErro);
    return;
  }
  if (r.Falhas.isEmpty())
    return;
  if (TUtilitarios::Mensagem(QStringLiteral("FE0224"), dtConfirmacao, 0, QString(), 0,
                             mbYes | mbNo) == mrYes) {
    if (TfrmProgImporta::RelatorioInconsistencias)
      TfrmProgImporta::RelatorioInconsistencias(tiMovimento);
  } else {
    Utilitarios.Mensagem(QStringLiteral("FE0400"), dtInformacao);
  }
}

void TfrmPrincipal::Desmarcar(const TEscopoMovimento &escopo) {
  TResultadoMarcacao r;
  {
    TJanelaOcupada ocupada(this);
    TMovimento movimento;
    r = movimento.Desmarcar(escopo);
    AtualizarAposMovimento();
  }
  if (!r.Codigo.isEmpty())
    Utilitarios.Mensagem(QStringLiteral("FE") + r.Codigo, dtErro);
  else if (escopo.Nivel == TEscopoMovimento::Vinculo && r.NaoModificaveis > 0)
    ItemNaoModificavel();
}

// Closed and processed items keep their participation; the user is told so.
bool TfrmPrincipal::SelecaoModificavel() {
  const int imagem = visual_->Imagem(tvCadastro->currentItem());
  if (imagem == imgVinculoFechado || imagem == imgEmpresaFechada ||
      imagem == imgVinculoProcessado) {
    ItemNaoModificavel();
    return false;
  }
  return true;
}

void TfrmPrincipal::ParticiparClick() {
  TEscopoMovimento escopo;
  if (!EscopoSelecionado(escopo))
    return;
  if (escopo.Nivel == TEscopoMovimento::Todos)
    ParticiparTodosClick();
  else if (SelecaoModificavel())
    Marcar(escopo);
}

void TfrmPrincipal::ParticiparTodosClick() {
  Marcar(TEscopoMovimento::DeTodos());
}

void TfrmPrincipal::DesmarcarClick() {
  TEscopoMovimento escopo;
  if (!EscopoSelecionado(escopo))
    return;
  if (escopo.Nivel == TEscopoMovimento::Todos)
    DesmarcarTodosClick();
  else if (SelecaoModificavel())
    Desmarcar(escopo);
}

void TfrmPrincipal::DesmarcarTodosClick() {
  Desmarcar(TEscopoMovimento::DeTodos());
}

void TfrmPrincipal::actRetirarParticipaodeMovimentoExecute() {
  TEscopoMovimento escopo;
  if (!EscopoSelecionado(escopo))
    return;
  PedidoDialogo p;
  p.Tipo = dtConfirmacao;
  p.Titulo = QString::fromUtf8(NomeProduto);
  p.Texto = QStringLiteral("Confirma a retirada da participação de movimento?");
  p.Botoes = mbYes | mbNo;
  p.BotaoPadrao = 1;
  if (MostrarDialogo(p) != mrYes)
    return;
  TResultadoMarcacao r;
  {
    TJanelaOcupada ocupada(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMovimento movimento;
    r = movimento.Retirar(escopo);
    QApplication::restoreOverrideCursor();
    AtualizarAposMovimento();
  }
  if (!r.Codigo.isEmpty())
    Utilitarios.Mensagem(QStringLiteral("FE") + r.Codigo, dtErro);
}

void TfrmPrincipal::mnSimulacaoClick() {
  TEscopoMovimento escopo;
  if (!EscopoSelecionado(escopo))
    return;
  {
    TJanelaOcupada ocupada(this);
    TfrmSimulaMovimento::Simular(escopo, this);
  }
  // Links refused by the simulation left the run.
  AtualizarAposMovimento();
}
