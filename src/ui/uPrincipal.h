#pragma once
// The main window: the navigation tree on the left (registry and collection-run
// views), the selected node's frame on the right, the menus and the toolbar
// that start every other function of the program.
#include "UnArvoreQt.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFrameResumo;
class TFramePadrao;
class TfrmResponsavel;
class TfrmEmpresas;
class TfrmFuncionarios;
class TfrmDadosComplementares;
class TfrmAbreMovimento;
struct TEscopoMovimento;

class TfrmPrincipal : public QMainWindow {
  Q_OBJECT
public:
  // Builds the tree at once unless told not to (the first-run import creates
  // the window hidden and refreshes the tree when it ends).
  explicit TfrmPrincipal(QWidget *parent = nullptr, bool montarArvore = true);
  ~TfrmPrincipal() override;
  // Shows the window and returns when the user leaves it.
  void ShowModal();

  QTabBar *TabTreeView = nullptr;
  QTreeWidget *tvCadastro = nullptr;
  QToolBar *tlbPrincipal = nullptr;
  QStackedWidget *pnlFrames = nullptr;
  TfrmResponsavel *frmResponsavel1 = nullptr;
  TfrmEmpresas *frmEmpresas1 = nullptr;
  TfrmFuncionarios *frmFuncionarios1 = nullptr;
  TfrmAbreMovimento *frmAbreMovimento1 = nullptr;
  TfrmDadosComplementares *frmDadosComplementares1 = nullptr;
  QToolButton *tbtAdicionar = nullptr;
  QToolButton *tbtImprimir = nullptr;

  TArvoreVisualQt &ArvoreVisual() { return *visual_; }
  // Every command by its object name (menu items, context items, toolbar actions).
  QAction *Acao(const QString &nome) const { return acoes_.value(nome); }
  QStringList NomesAcoes() const { return acoes_.keys(); }
  bool NaAbaCadastro() const;
  // The context menu of the selected node, as the right click shows it; the
  // caller owns it.
  QMenu *CriarMenuContexto();
  QList<QMenu *> MenusPrincipais() const { return menus_; }

  // Enables or disables the window's parts while a child window is open.
  void HabilitarJanela(bool habilitar);
  // Recomputes which commands are enabled and visible for the selected node.
  void AtualizarComandos();
  // Open run and totals in the status bar.
  void AtualizarBarraStatus();

  // The tree, its tab, the menus and the toolbar around an edit in a frame
  // (the frame itself stays enabled).
  void HabilitarEdicaoJanela(bool habilitar);
  // The frame now shown when it is an edit frame, else null.
  TFramePadrao *FrameAtual() const;

  // Opens the balance-complement page of a link (the collection-run tab with
  // the link selected); false when the link is not in the tree. The
  // collection run calls it when the user wants to add a complement.
  bool AbrirComplementoSaldo(int tipo, qint64 inscricao, qint64 pis, int categoria,
                             TDateTime admissao);

  // Handlers of the commands built so far.
  void actIncluirEmpresaExecute();
  void actIncluirTrabalhadorExecute();
  void actAlterarExecute();
  void actExcluirExecute();
  void Importar1Click();
  void Sair1Click();
  void Sobre1Click();
  void SitedaVORDA1Click();
  void ArquivodeSaldoIS1Click();           // load of the bank's balance file
  void ArquivoProcessado3Click();          // load of the bank's processed-guide return
  void SaldoCarregadoIS1Click();           // loaded-balance query
  void SolicitarArquivodeSaldoIS2Click();  // balance request
  void PorProtocoloClick();                // sending receipt import
  void ReenviodeArquivoProcessado2Click(); // resend request
  void FazerBackup1Click();
  void RestaurarBackup1Click();
  void PorGuiasClick();               // guide query
  void ImprimirGuiaProcessadaClick(); // worker statement of a processed link
  void ndicesMOLTZELT1Click();
  void OcorrnciaChaveIdentificao2Click(); // load of the identification-key occurrence file
  // Reports (uPrincipalRelatorios.cpp).
  void Empresa2Click();
  void Empregado2Click();
  void AlteraoCadastral1Click();
  void FolhadePagamento1Click();  // inconsistencies of the payroll import
  void Fechamento1Click();        // of the collection-run checks
  void ArquivodeSaldo1Click();    // of the balance load
  void ArquivoProcessado1Click(); // of the processed-guide return
  void OcorrenciaSaldoClick();    // accounts the bank reported with an occurrence
  void OcorrnciaChaveIdentificao1Click(); // query of the occurrence-file loads
  // Participation in the collection run, on the selected node (the root acts
  // on every link).
  void ParticiparClick();
  void ParticiparTodosClick();
  void DesmarcarClick();
  void DesmarcarTodosClick();
  void actRetirarParticipaodeMovimentoExecute();
  void mnSimulacaoClick();
  // Finds an employer or a link and selects its node (uPrincipalLocalizar.cpp).
  void actLocalizarExecute();
  void ArquivosEnviadosVorda1Click(); // files generated for the bank

protected:
  void closeEvent(QCloseEvent *e) override;
  void showEvent(QShowEvent *e) override;
  bool eventFilter(QObject *objeto, QEvent *evento) override;

private slots:
  void tvCadastroChange(QTreeWidgetItem *atual);
  void TabTreeViewChange(int aba);
  // pos in the viewport; porMouse: a right click (which selects the node under it).
  void MenuContextoArvore(const QPoint &pos, bool porMouse);
  // The bank reported another name for a worker: keep the registered one or
  // take the bank's, then leave the selection on the link.
  void ResolverAlteracaoNome(TNo no);

private:
  void CriarAcoes();
  void CriarMenus();
  void CriarBarra();
  void CriarAreaPrincipal();
  void MontarInicial();
  void MostrarFrame(TNo no);
  // The read-only summary of the nodes whose frame is not an edit frame.
  void Encerrar();
  // The scope of the selected node: root, company or link; false on another node.
  bool EscopoSelecionado(TEscopoMovimento &escopo);
  bool SelecaoModificavel();
  void Marcar(const TEscopoMovimento &escopo);
  void Desmarcar(const TEscopoMovimento &escopo);
  // The tree, the status bar and the commands after a run operation.
  void AtualizarAposMovimento();

  std::unique_ptr<TArvoreVisualQt> visual_;
  QHash<QString, QAction *> acoes_;
  QList<QMenu *> menus_;
  QMenu *mnuRelatorios_ = nullptr;
  QLabel *lblStatusMovimento_ = nullptr;
  QLabel *lblStatusTotais_ = nullptr;
  class QEventLoop *laco_ = nullptr;
  bool encerrado_ = false;
};
