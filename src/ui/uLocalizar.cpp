#include "uLocalizar.h"

#include "core/unUtilitarios.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using U = TUtilitarios;

// The hits of the search window. The rows are the window's element array, in
// search order; the view sorts through a proxy, so a row never loses its key.
class TModeloAchados : public QAbstractTableModel {
public:
  QList<TAchadoLocalizar> Achados;
  TProcurarPor Procura = ppEmpresa;

  int rowCount(const QModelIndex &pai = {}) const override {
    // One empty row while there is no hit, as the grid shows at set-up.
    return pai.isValid() ? 0 : std::max<int>(1, static_cast<int>(Achados.size()));
  }
  int columnCount(const QModelIndex &pai = {}) const override {
    return pai.isValid() ? 0 : (Procura == ppEmpresa ? 2 : 3);
  }
  QVariant data(const QModelIndex &i, int papel) const override {
    if (!i.isValid() || i.row() >= Achados.size())
      return {};
    const TAchadoLocalizar &a = Achados.at(i.row());
    if (papel == Qt::DisplayRole) {
      switch (i.column()) {
      case 0:
        return a.Nome;
      case 1:
        return a.Documento;
      default:
        return U::DataParaTexto(a.Chave.DataAdmissao);
      }
    }
    if (papel == Qt::UserRole) { // sort value
      switch (i.column()) {
      case 0:
        return a.Nome;
      case 1:
        return Procura == ppEmpresa
                   ? QVariant(QString::number(a.Chave.TipoInscricao) +
                              QString::number(a.Chave.Inscricao).rightJustified(14, u'0'))
                   : QVariant(a.Chave.PIS);
      default:
        return a.Chave.DataAdmissao;
      }
    }
    if (papel == Qt::TextAlignmentRole && i.column() == 2)
      return int(Qt::AlignHCenter | Qt::AlignVCenter);
    return {};
  }
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
    if (o != Qt::Horizontal || papel != Qt::DisplayRole)
      return {};
    static const char *const empresa[] = {"Razão Social", "Inscrição"};
    static const char *const trabalhador[] = {"Nome", "PIS/PASEP", "Data Admissão"};
    if (Procura == ppEmpresa)
      return secao < 2 ? QString::fromUtf8(empresa[secao]) : QVariant();
    return secao < 3 ? QString::fromUtf8(trabalhador[secao]) : QVariant();
  }
  void Definir(TProcurarPor procura, QList<TAchadoLocalizar> achados) {
    beginResetModel();
    Procura = procura;
    Achados = std::move(achados);
    endResetModel();
  }
};

QValidator *SoDigitos(QObject *dono) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), dono);
}
} // namespace

// ======================================================== TfrmLocalizar

TfrmLocalizar::TfrmLocalizar(QWidget *pai) : QDialog(pai) {
  setObjectName(QStringLiteral("frmLocalizar"));
  setWindowTitle(QStringLiteral("Localizar Empresa/Trabalhador"));
  auto *paginas = new QTabWidget(this);
  auto *pagina = new QWidget;
  paginas->addTab(pagina, QStringLiteral("Localizar"));

  auto *grpChave = new QGroupBox(QStringLiteral(" Chave de Pesquisa "), pagina);
  grpChave->setObjectName(QStringLiteral("RGroupOpcBusca"));
  RGroupOpcBusca = new QButtonGroup(this);
  auto *lc = new QVBoxLayout(grpChave);
  const char *const chaves[] = {"Nome", "CNPJ", "CEI", "PIS/PASEP"};
  for (int i = 0; i < 4; ++i) {
    auto *r = new QRadioButton(QString::fromLatin1(chaves[i]), grpChave);
    RGroupOpcBusca->addButton(r, i);
    lc->addWidget(r);
  }
  RGroupOpcBusca->button(cpNome)->setChecked(true);

  auto *grpDados = new QGroupBox(QStringLiteral(" Dados p/ Busca "), pagina);
  cbProcura = new QComboBox(grpDados);
  cbProcura->setObjectName(QStringLiteral("cbProcura"));
  cbProcura->addItems({QStringLiteral("Empresa"), QStringLiteral("Trabalhador")});
  edtBusca = new QLineEdit(grpDados);
  edtBusca->setObjectName(QStringLiteral("edtBusca"));
  edtBusca->setMaxLength(115);
  auto *rotProcura = new QLabel(QStringLiteral("&Procurar Por:"), grpDados);
  rotProcura->setBuddy(cbProcura);
  auto *rotBusca = new QLabel(QStringLiteral("C&onteúdo:"), grpDados);
  rotBusca->setBuddy(edtBusca);
  auto *ld = new QGridLayout(grpDados);
  ld->addWidget(rotProcura, 0, 0);
  ld->addWidget(cbProcura, 0, 1);
  ld->addWidget(rotBusca, 1, 0);
  ld->addWidget(edtBusca, 1, 1);
  ld->setColumnStretch(1, 1);

  auto *modelo = new TModeloAchados;
  modelo->setParent(this);
  auto *ordem = new QSortFilterProxyModel(this);
  ordem->setSourceModel(modelo);
  ordem->setSortRole(Qt::UserRole);
  ordem->setSortLocaleAware(true);
  auto *tabela = new QTableView(pagina);
  tabela->setObjectName(QStringLiteral("grid"));
  tabela->setModel(ordem);
  tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
  tabela->setSelectionMode(QAbstractItemView::SingleSelection);
  tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabela->verticalHeader()->hide();
  tabela->verticalHeader()->setDefaultSectionSize(20);
  tabela->horizontalHeader()->setStretchLastSection(true);
  tabela->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  tabela->setSortingEnabled(true);
  tabela->setTabKeyNavigation(false);
  grid = tabela;

  auto *topo = new QHBoxLayout;
  topo->addWidget(grpChave);
  topo->addWidget(grpDados, 1);
  auto *lp = new QVBoxLayout(pagina);
  lp->addLayout(topo);
  lp->addWidget(tabela, 1);

  btnLocaliza = new QPushButton(QStringLiteral("&Localizar"), this);
  btnLocaliza->setObjectName(QStringLiteral("btnLocaliza"));
  btnLocaliza->setEnabled(false);
  btnLocaliza->setDefault(true);
  btnCancelar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnLocaliza);
  botoes->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(paginas, 1);
  l->addLayout(botoes);
  setFixedSize(600, 470);

  connect(RGroupOpcBusca, &QButtonGroup::idClicked, this, [this](int) { RGroupOpcBuscaClick(); });
  connect(cbProcura, &QComboBox::activated, this, [this](int) { cbProcuraChange(); });
  connect(edtBusca, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  connect(btnLocaliza, &QPushButton::clicked, this, &TfrmLocalizar::btnLocalizaClick);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::accept);
  connect(tabela, &QTableView::doubleClicked, this, &QDialog::accept);
  MontarGrade();
}

void TfrmLocalizar::MontarGrade() {
  auto *ordem = static_cast<QSortFilterProxyModel *>(grid->model());
  auto *modelo = static_cast<TModeloAchados *>(ordem->sourceModel());
  auto *tabela = grid;
  Inscricoes.clear();
  tabela->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  ordem->sort(-1);
  modelo->Definir(static_cast<TProcurarPor>(cbProcura->currentIndex()), {});
  if (cbProcura->currentIndex() == ppEmpresa) {
    tabela->setColumnWidth(0, 390);
    tabela->setColumnWidth(1, 125);
  } else {
    tabela->setColumnWidth(0, 290);
    tabela->setColumnWidth(1, 136);
    tabela->setColumnWidth(2, 88);
  }
}

void TfrmLocalizar::AtualizarBotao() {
  btnLocaliza->setEnabled(!edtBusca->text().isEmpty());
  if (btnLocaliza->isEnabled()) {
    btnCancelar->setDefault(false);
    btnLocaliza->setDefault(true);
  }
}

void TfrmLocalizar::RGroupOpcBuscaClick() {
  const int chave = RGroupOpcBusca->checkedId();
  cbProcura->setEnabled(chave == cpNome);
  delete edtBusca->validator();
  edtBusca->setValidator(nullptr);
  switch (chave) {
  case cpCNPJ:
  case cpCEI:
    cbProcura->setCurrentIndex(ppEmpresa);
    edtBusca->setMaxLength(chave == cpCNPJ ? 14 : 12);
    break;
  case cpPIS:
    cbProcura->setCurrentIndex(ppTrabalhador);
    edtBusca->setMaxLength(11);
    break;
  default:
    edtBusca->setMaxLength(cbProcura->currentIndex() == ppEmpresa ? 115 : 70);
  }
  // Digits only: typed and pasted text alike.
  if (chave != cpNome)
    edtBusca->setValidator(SoDigitos(edtBusca));
  edtBusca->clear();
  cbProcuraChange();
}

void TfrmLocalizar::cbProcuraChange() {
  if (RGroupOpcBusca->checkedId() == cpNome)
    edtBusca->setMaxLength(cbProcura->currentIndex() == ppEmpresa ? 115 : 70);
  MontarGrade();
  edtBusca->setFocus();
  AtualizarBotao();
}

void TfrmLocalizar::btnLocalizaClick() {
  const QString texto = edtBusca->text().trimmed();
  if (texto.isEmpty()) {
    U::Mensagem(QStringLiteral("990405"), dtInformacao);
    return;
  }
  MontarGrade();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString codigo;
  QList<TAchadoLocalizar> achados =
      TLocalizacao::Pesquisar(static_cast<TChavePesquisa>(RGroupOpcBusca->checkedId()),
                              static_cast<TProcurarPor>(cbProcura->currentIndex()), texto, &codigo);
  for (const TAchadoLocalizar &a : achados)
    Inscricoes << a.Chave;
  auto *tabela = grid;
  auto *ordem = static_cast<QSortFilterProxyModel *>(tabela->model());
  static_cast<TModeloAchados *>(ordem->sourceModel())
      ->Definir(static_cast<TProcurarPor>(cbProcura->currentIndex()), std::move(achados));
  QApplication::restoreOverrideCursor();
  if (Inscricoes.isEmpty()) {
    U::Mensagem(QStringLiteral("990092"), dtInformacao);
    return;
  }
  tabela->setCurrentIndex(ordem->index(0, 0));
  tabela->setFocus();
  btnLocaliza->setDefault(false);
  btnCancelar->setDefault(true);
}

TRecInscricao TfrmLocalizar::ElementoAtual() const {
  if (Inscricoes.isEmpty())
    return {};
  auto *tabela = grid;
  auto *ordem = static_cast<QSortFilterProxyModel *>(tabela->model());
  QModelIndex i = tabela->currentIndex();
  if (!i.isValid())
    i = ordem->index(0, 0);
  const int linha = ordem->mapToSource(i).row();
  return linha >= 0 && linha < Inscricoes.size() ? Inscricoes.at(linha) : TRecInscricao{};
}

void TfrmLocalizar::done(int r) {
  Resultado = ElementoAtual();
  QDialog::done(r);
}

TRecInscricao AbrirLocalizar(QWidget *pai) {
  TfrmLocalizar janela(pai);
  if (TfrmLocalizar::Interceptar) {
    TfrmLocalizar::Interceptar(janela);
    janela.done(QDialog::Accepted); // as if left with the close button
  } else {
    janela.exec();
  }
  return janela.Resultado;
}

// =================================================== TfrmLocalizaPadrao

namespace {
constexpr int LarguraCriterio = 410;
constexpr int AlturaPainel = 41;
} // namespace

TfrmLocalizaPadrao::TfrmLocalizaPadrao(QWidget *pai) : QDialog(pai) {
  setWindowTitle(QStringLiteral("Localizar ..."));
  edtInscricao = new QLineEdit(this);
  edtInscricao->setObjectName(QStringLiteral("edtInscricao"));
  edtInscricao->setValidator(SoDigitos(edtInscricao));
  edtNome = new QLineEdit(this);
  edtNome->setObjectName(QStringLiteral("edtNome"));
  lblInscricao = new QLabel(QStringLiteral("&Inscrição"), this);
  lblNome = new QLabel(QStringLiteral("&Nome"), this);
  pnlBotoes = new QWidget(this);
  pnlBotoes->setObjectName(QStringLiteral("pnlBotoes"));
  btnLocalizar = new QPushButton(QStringLiteral("&Localizar"), pnlBotoes);
  btnLocalizar->setObjectName(QStringLiteral("btnLocalizar"));
  btnLocalizar->setEnabled(false);
  btnLocalizar->setDefault(true);
  btnFechar = new QPushButton(QStringLiteral("&Fechar"), pnlBotoes);
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  btnFechar->setAutoDefault(false);
  auto *lb = new QHBoxLayout(pnlBotoes);
  lb->addStretch();
  lb->addWidget(btnLocalizar);
  lb->addWidget(btnFechar);
  Posicionar(lblInscricao, edtInscricao, 8, 130);
  Posicionar(lblNome, edtNome, 48, LarguraCriterio - 24);
  Excluir(edtInscricao, edtNome, true);
  Excluir(edtNome, edtInscricao, false);
  connect(btnLocalizar, &QPushButton::clicked, this, [this] {
    Confirmado = true;
    accept();
  });
  // Esc reaches reject() as well.
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
  connect(this, &QDialog::rejected, this, [this] { Confirmado = false; });
  connect(edtInscricao, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  connect(edtNome, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  DefinirAltura(146);
}

void TfrmLocalizaPadrao::Posicionar(QLabel *rotulo, QWidget *campo, int topo, int largura) {
  rotulo->setBuddy(campo);
  rotulo->setGeometry(12, topo, largura, 16);
  campo->setGeometry(12, topo + 17, largura, 22);
}

void TfrmLocalizaPadrao::DefinirAltura(int altura) {
  setFixedSize(LarguraCriterio, altura);
  pnlBotoes->setGeometry(0, altura - AlturaPainel, LarguraCriterio, AlturaPainel);
  pnlBotoes->raise();
  // A field under the panel is out of use, also for the keyboard.
  for (QWidget *w : findChildren<QLineEdit *>()) {
    const bool visivel = w->geometry().bottom() < altura - AlturaPainel;
    w->setVisible(visivel && w->property("oculto").toBool() == false);
  }
  for (QLabel *r : findChildren<QLabel *>())
    if (r->buddy())
      r->setVisible(r->buddy()->isVisibleTo(this));
}

void TfrmLocalizaPadrao::Excluir(QLineEdit *campo, QLineEdit *esvazia, bool soDigito) {
  exclusoes_ << TExclusao{campo, esvazia, soDigito};
  campo->installEventFilter(this);
}

bool TfrmLocalizaPadrao::eventFilter(QObject *objeto, QEvent *evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto *e = static_cast<QKeyEvent *>(evento);
    for (const TExclusao &x : exclusoes_) {
      if (objeto != x.Campo)
        continue;
      const QString t = e->text();
      const bool digito = t.size() == 1 && t.at(0).isDigit();
      const bool tecla = !t.isEmpty() && t.at(0).isPrint();
      if (x.SoDigito ? digito : (tecla || e->key() == Qt::Key_Backspace))
        x.Esvazia->clear();
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

bool TfrmLocalizaPadrao::AlgumCriterio() const {
  return (edtInscricao->isVisibleTo(this) && !edtInscricao->text().isEmpty()) ||
         (edtNome->isVisibleTo(this) && !edtNome->text().trimmed().isEmpty());
}

void TfrmLocalizaPadrao::AtualizarBotao() {
  btnLocalizar->setEnabled(AlgumCriterio());
}

QString
TfrmLocalizaPadrao::PrimeiroCriterio(const QList<QPair<QString, QLineEdit *>> &campos) const {
  if (!Confirmado)
    return {};
  for (const auto &[chave, campo] : campos) {
    if (!campo->isVisibleTo(this))
      continue;
    // Names are searched upper-cased and without the blanks around them.
    const bool nome = chave == QLatin1String("NOME") || chave == QLatin1String("RAZAO");
    const QString valor = nome ? campo->text().trimmed().toUpper() : campo->text();
    if (!valor.isEmpty())
      return chave + u'-' + valor;
  }
  return {};
}

QString TfrmLocalizaPadrao::Criterio() const {
  return PrimeiroCriterio(
      {{QStringLiteral("INSCRICAO"), edtInscricao}, {QStringLiteral("NOME"), edtNome}});
}

void TfrmLocalizaPadrao::Mostrar() {
  if (Interceptar)
    Interceptar(*this);
  else
    exec();
}

// ----------------------------------------------------------------- company

TfrmLocalizaEmpresa::TfrmLocalizaEmpresa(int Modo, QWidget *pai) : TfrmLocalizaPadrao(pai) {
  setObjectName(QStringLiteral("frmLocalizaEmpresa"));
  setWindowTitle(QStringLiteral("Localizar Empresa"));
  lblNome->setText(QStringLiteral("&Razão Social"));
  edtInscricao->setMaxLength(14);
  edtNome->setMaxLength(70);
  edtPIS = new QLineEdit(this);
  edtPIS->setObjectName(QStringLiteral("edtPIS"));
  edtPIS->setMaxLength(11);
  edtPIS->setValidator(SoDigitos(edtPIS));
  auto *lblPIS = new QLabel(QStringLiteral("&PIS/PASEP"), this);
  Posicionar(lblPIS, edtPIS, 88, 110);
  setTabOrder(edtNome, edtPIS);
  setTabOrder(edtPIS, btnLocalizar);
  Excluir(edtPIS, edtNome, true);
  connect(edtPIS, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  DefinirAltura(Modo == 1 ? 107 : Modo == 2 ? 146 : 187);
}

bool TfrmLocalizaEmpresa::AlgumCriterio() const {
  return TfrmLocalizaPadrao::AlgumCriterio() ||
         (edtPIS->isVisibleTo(this) && !edtPIS->text().isEmpty());
}

QString TfrmLocalizaEmpresa::Criterio() const {
  return PrimeiroCriterio({{QStringLiteral("INSCRICAO"), edtInscricao},
                           {QStringLiteral("RAZAO"), edtNome},
                           {QStringLiteral("PIS/PASEP"), edtPIS}});
}

// ------------------------------------------------------------------ worker

TfrmLocalizaTrabalhador::TfrmLocalizaTrabalhador(QWidget *pai) : TfrmLocalizaPadrao(pai) {
  setObjectName(QStringLiteral("frmLocalizaTrabalhador"));
  setWindowTitle(QStringLiteral("Localizar Trabalhador"));
  lblInscricao->setText(QStringLiteral("&PIS/PASEP"));
  edtInscricao->setMaxLength(11);
  edtNome->setMaxLength(70);
}

QString TfrmLocalizaTrabalhador::Criterio() const {
  return PrimeiroCriterio(
      {{QStringLiteral("PIS/PASEP"), edtInscricao}, {QStringLiteral("NOME"), edtNome}});
}

// ---------------------------------------------------------------- protocol

namespace {
const QString ProtocoloVazio = QStringLiteral("        .        .        .        ");
}

TfrmLocalizaProtocolo::TfrmLocalizaProtocolo(int Modo, QWidget *pai) : TfrmLocalizaPadrao(pai) {
  setObjectName(QStringLiteral("frmLocalizaProtocolo"));
  setWindowTitle(QStringLiteral("Localizar Protocolo"));
  edtProtocolo = new QLineEdit(this);
  edtProtocolo->setObjectName(QStringLiteral("edtProtocolo"));
  // Four groups of eight letters or digits, upper case; blanks where empty.
  edtProtocolo->setInputMask(QStringLiteral(">nnnnnnnn.nnnnnnnn.nnnnnnnn.nnnnnnnn; "));
  auto *lblProtocolo = new QLabel(QStringLiteral("P&rotocolo"), this);
  Posicionar(lblProtocolo, edtProtocolo, 8, 290);
  Posicionar(lblInscricao, edtInscricao, 48, 130);
  edtInscricao->setMaxLength(14);
  edtNome->setProperty("oculto", true);
  edtPIS = new QLineEdit(this);
  edtPIS->setObjectName(QStringLiteral("edtPIS"));
  edtPIS->setMaxLength(11);
  edtPIS->setValidator(SoDigitos(edtPIS));
  auto *lblPIS = new QLabel(QStringLiteral("&PIS/PASEP"), this);
  Posicionar(lblPIS, edtPIS, 88, 110);
  setTabOrder(edtProtocolo, edtInscricao);
  setTabOrder(edtInscricao, edtPIS);
  setTabOrder(edtPIS, btnLocalizar);
  Excluir(edtProtocolo, edtInscricao, false);
  connect(edtProtocolo, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  connect(edtPIS, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
  DefinirAltura(Modo == 2 ? 186 : 146);
  edtProtocolo->setFocus();
}

QString TfrmLocalizaProtocolo::ProtocoloMascarado() const {
  return edtProtocolo->displayText();
}

bool TfrmLocalizaProtocolo::AlgumCriterio() const {
  const QString protocolo = U::SemPontos(ProtocoloMascarado()).remove(u' ');
  return !protocolo.isEmpty() || !edtInscricao->text().isEmpty() ||
         (edtPIS->isVisibleTo(this) && !edtPIS->text().isEmpty());
}

QString TfrmLocalizaProtocolo::Criterio() const {
  // The protocol as shown, with its points; untouched it counts as empty.
  if (Confirmado && ProtocoloMascarado() != ProtocoloVazio)
    return QStringLiteral("PROTOCOLO-") + ProtocoloMascarado();
  return PrimeiroCriterio(
      {{QStringLiteral("INSCRICAO"), edtInscricao}, {QStringLiteral("PIS/PASEP"), edtPIS}});
}

// --------------------------------------------------------------- launchers

QString LocalizarEmpresa(int Modo, QWidget *pai) {
  TfrmLocalizaEmpresa janela(Modo, pai ? pai : QApplication::activeWindow());
  janela.Mostrar();
  return janela.Criterio();
}

TRegLocalizar LocalizarEmpresaRegistro(QWidget *pai) {
  TRegLocalizar r;
  r.Criterio = LocalizarEmpresa(3, pai);
  r.Encontrado = !r.Criterio.isEmpty();
  const TCriterio c = DividirCriterio(r.Criterio);
  r.TipoChave = c.Chave == QLatin1String("PIS/PASEP") ? QStringLiteral("F") : QStringLiteral("E");
  r.Valor = c.Valor;
  return r;
}

QString LocalizarTrabalhador(QWidget *pai) {
  TfrmLocalizaTrabalhador janela(pai ? pai : QApplication::activeWindow());
  janela.Mostrar();
  return janela.Criterio();
}

QString LocalizarProtocolo(int Modo, QWidget *pai) {
  TfrmLocalizaProtocolo janela(Modo, pai ? pai : QApplication::activeWindow());
  janela.Mostrar();
  return janela.Criterio();
}

TCriterio DividirCriterio(const QString &criterio) {
  const int hifen = criterio.indexOf(u'-');
  if (hifen < 0)
    return {criterio, QString()};
  return {criterio.left(hifen), criterio.mid(hifen + 1)};
}

bool LocalizarNaGrade(QTableWidget *grade, const QString &Criterio,
                      const QList<QPair<QString, int>> &Colunas, const QString &Prefixo) {
  if (Criterio.isEmpty() || !grade)
    return false;
  const TCriterio c = DividirCriterio(Criterio);
  int coluna = -1;
  for (const auto &par : Colunas)
    if (par.first == c.Chave)
      coluna = par.second;
  if (coluna < 0)
    return false;
  const bool numero =
      c.Chave == QLatin1String("INSCRICAO") || c.Chave == QLatin1String("PIS/PASEP");
  auto semZeros = [](QString d) {
    d = U::Digitos(d);
    while (d.size() > 1 && d.startsWith(u'0'))
      d.remove(0, 1);
    return d;
  };
  const QString procurado = numero ? semZeros(c.Valor) : c.Valor.trimmed().toUpper();
  if (!procurado.isEmpty()) {
    for (int i = 0; i < grade->rowCount(); ++i) {
      const QTableWidgetItem *item = grade->item(i, coluna);
      if (!item)
        continue;
      const bool achou =
          numero ? semZeros(item->text()) == procurado : item->text().toUpper().contains(procurado);
      if (achou) {
        grade->setCurrentCell(i, coluna);
        grade->scrollToItem(grade->item(i, coluna));
        grade->setFocus();
        return true;
      }
    }
  }
  U::Mensagem(Prefixo + QStringLiteral("0092"), dtInformacao);
  return false;
}
