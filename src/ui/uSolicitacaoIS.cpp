#include "uSolicitacaoIS.h"

#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/unDialogo.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using U = TUtilitarios;

QString TextoInscricao(int tipo, qint64 inscricao) {
  const QString d = QString::number(inscricao);
  return tipo == 1 ? U::FormatarCNPJ(U::CompletarZeros(d, 14)) : U::CompletarZeros(d, 12);
}

QTableWidget *GradeTrabalhadores(const char *nome) {
  auto *g = new QTableWidget(0, 4);
  g->setObjectName(QString::fromLatin1(nome));
  g->setHorizontalHeaderLabels({QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                                QStringLiteral("Admissão"), QStringLiteral("Categoria")});
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->setColumnWidth(0, 105);
  g->setColumnWidth(1, 200);
  g->horizontalHeader()->setStretchLastSection(true);
  return g;
}

QPushButton *Botao(const char *nome, const QString &texto) {
  auto *b = new QPushButton(texto);
  b->setObjectName(QString::fromLatin1(nome));
  b->setAutoDefault(false);
  b->setFixedWidth(44);
  return b;
}

QVBoxLayout *ColunaBotoes(std::initializer_list<QPushButton *> botoes) {
  auto *c = new QVBoxLayout;
  c->addStretch();
  for (QPushButton *b : botoes)
    c->addWidget(b);
  c->addStretch();
  return c;
}

void Mensagem(const QString &codigo) {
  U::Mensagem(QStringLiteral("SS") + codigo, dtAviso);
}
} // namespace

bool GerarSolicitacaoSaldo(const TArrRegRegistro &indice, QWidget *) {
  PedidoArquivo pedido;
  pedido.Salvar = true;
  pedido.Titulo = QStringLiteral("Solicitação de Saldo Rescisório");
  pedido.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Solicitacao de Saldo"));
  QDir().mkpath(pedido.Pasta);
  pedido.Nome = QStringLiteral("SolicitacaoIS.HX") + u'F';
  pedido.Filtro = QStringLiteral("Arquivo de Solicitação de Saldo Rescisório (*.HXF)");
  const QString caminho = EscolherArquivo(pedido);
  if (caminho.trimmed().isEmpty())
    return false;
  TSolicitacaoSaldoRecisorio s;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = s.GerarSolicitacao(indice, caminho);
  QApplication::restoreOverrideCursor();
  if (!ok && !s.CodigoErro.isEmpty())
    U::Mensagem(QStringLiteral("SS") + s.CodigoErro, dtErro);
  return ok;
}

QString TfrmSolicitacaoIS::ChaveEmpresa(int tipo, qint64 inscricao) {
  return QString::number(tipo) + u'|' + QString::number(inscricao);
}

TfrmSolicitacaoIS::TfrmSolicitacaoIS(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSolicitacaoIS"));
  setWindowTitle(QStringLiteral("Solicitação de Arquivo de Saldo Rescisório"));
  pcSolicitacao = new QTabWidget(this);

  // Employer page.
  auto *pagEmp = new QWidget;
  lstEmpDisponiveis = new QListWidget;
  lstEmpDisponiveis->setObjectName(QStringLiteral("lstEmpDisponiveis"));
  lstEmpSelecionadas = new QListWidget;
  lstEmpSelecionadas->setObjectName(QStringLiteral("lstEmpSelecionadas"));
  for (QListWidget *l : {lstEmpDisponiveis, lstEmpSelecionadas}) {
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->setDragDropMode(QAbstractItemView::DragDrop);
    l->setDefaultDropAction(Qt::MoveAction);
    l->setSortingEnabled(true);
  }
  btnSelecionarEmp = Botao("btnSelecionarEmp", QStringLiteral(">"));
  btnSelecionarTodosEmp = Botao("btnSelecionarTodosEmp", QStringLiteral(">>"));
  btnDesmarcarEmp = Botao("btnDesmarcarEmp", QStringLiteral("<"));
  btnDesmarcarTodosEmp = Botao("btnDesmarcarTodosEmp", QStringLiteral("<<"));
  auto *ge = new QGridLayout(pagEmp);
  ge->addWidget(new QLabel(QStringLiteral("Empresas disponíveis")), 0, 0);
  ge->addWidget(new QLabel(QStringLiteral("Empresas selecionadas")), 0, 2);
  ge->addWidget(lstEmpDisponiveis, 1, 0);
  ge->addLayout(ColunaBotoes({btnSelecionarEmp, btnSelecionarTodosEmp, btnDesmarcarEmp,
                              btnDesmarcarTodosEmp}),
                1, 1);
  ge->addWidget(lstEmpSelecionadas, 1, 2);
  pcSolicitacao->addTab(pagEmp, QStringLiteral("&Empresa"));

  // Worker page.
  auto *pagTrab = new QWidget;
  grdTrabDisponiveis = GradeTrabalhadores("grdTrabDisponiveis");
  grdTrabSelecionados = GradeTrabalhadores("grdTrabSelecionados");
  btnSelecionarTrab = Botao("btnSelecionarTrab", QStringLiteral(">"));
  btnSelecionarTodosTrab = Botao("btnSelecionarTodosTrab", QStringLiteral(">>"));
  btnDesmarcarTrab = Botao("btnDesmarcarTrab", QStringLiteral("<"));
  btnDesmarcarTodosTrab = Botao("btnDesmarcarTodosTrab", QStringLiteral("<<"));
  auto *gt = new QGridLayout(pagTrab);
  gt->addWidget(new QLabel(QStringLiteral("Trabalhadores disponíveis")), 0, 0);
  gt->addWidget(new QLabel(QStringLiteral("Trabalhadores selecionados")), 0, 2);
  gt->addWidget(grdTrabDisponiveis, 1, 0);
  gt->addLayout(ColunaBotoes({btnSelecionarTrab, btnSelecionarTodosTrab, btnDesmarcarTrab,
                              btnDesmarcarTodosTrab}),
                1, 1);
  gt->addWidget(grdTrabSelecionados, 1, 2);
  pcSolicitacao->addTab(pagTrab, QStringLiteral("&Trabalhador"));

  btnSolicitar = new QPushButton(QStringLiteral("&Solicitar"));
  btnSolicitar->setObjectName(QStringLiteral("btnSolicitar"));
  btnFechar = new QPushButton(QStringLiteral("&Fechar"));
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  btnSolicitar->setAutoDefault(false);
  btnFechar->setAutoDefault(false);
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnSolicitar);
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pcSolicitacao, 1);
  l->addLayout(botoes);
  resize(980, 460);

  connect(btnSelecionarEmp, &QPushButton::clicked, this, [this] { MoverEmpresas(true, false); });
  connect(btnSelecionarTodosEmp, &QPushButton::clicked, this,
          [this] { MoverEmpresas(true, true); });
  connect(btnDesmarcarEmp, &QPushButton::clicked, this, [this] { MoverEmpresas(false, false); });
  connect(btnDesmarcarTodosEmp, &QPushButton::clicked, this,
          [this] { MoverEmpresas(false, true); });
  connect(btnSelecionarTrab, &QPushButton::clicked, this,
          [this] { MoverTrabalhadores(true, false); });
  connect(btnSelecionarTodosTrab, &QPushButton::clicked, this,
          [this] { MoverTrabalhadores(true, true); });
  connect(btnDesmarcarTrab, &QPushButton::clicked, this,
          [this] { MoverTrabalhadores(false, false); });
  connect(btnDesmarcarTodosTrab, &QPushButton::clicked, this,
          [this] { MoverTrabalhadores(false, true); });
  connect(lstEmpDisponiveis, &QListWidget::itemDoubleClicked, this,
          [this] { MoverEmpresas(true, false); });
  connect(lstEmpSelecionadas, &QListWidget::itemDoubleClicked, this,
          [this] { MoverEmpresas(false, false); });
  connect(btnSolicitar, &QPushButton::clicked, this, &TfrmSolicitacaoIS::btnSolicitarClick);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
  connect(pcSolicitacao, &QTabWidget::currentChanged, this, [this](int pagina) {
    if (pagina == 1 && !AbrirTrabalhadores()) {
      const QSignalBlocker b(pcSolicitacao);
      pcSolicitacao->setCurrentIndex(0);
    } else if (pagina == 0) {
      GuardarSelecaoTrabalhadores();
    }
  });

  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT E.NU_TIPO_INSO_EMPRA, E.NU_INSCRICAO, E.NO_RAZAO_SOCIAL FROM QZLTBG02_EMPRESA E "
      "WHERE E.IC_ESTADO_EMPRESA IN ('E', 'A') AND EXISTS (SELECT 1 FROM "
      "QZLTBG04_VINCULO_EMPREGATICIO V WHERE V.NU_TIPO_INSO_EMPRA = E.NU_TIPO_INSO_EMPRA AND "
      "V.NU_INSCRICAO = E.NU_INSCRICAO) ORDER BY E.NO_RAZAO_SOCIAL"));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const int tipo = ds->Fields(0).AsInteger();
    const qint64 insc = ds->Fields(1).AsInt64();
    auto *item = new QListWidgetItem(TextoInscricao(tipo, insc) + QStringLiteral(" - ") +
                                     ds->Fields(2).AsString().trimmed());
    item->setData(Qt::UserRole, tipo);
    item->setData(Qt::UserRole + 1, insc);
    lstEmpDisponiveis->addItem(item);
  }
}

void TfrmSolicitacaoIS::MoverEmpresas(bool selecionar, bool todas) {
  QListWidget *de = selecionar ? lstEmpDisponiveis : lstEmpSelecionadas;
  QListWidget *para = selecionar ? lstEmpSelecionadas : lstEmpDisponiveis;
  // Every item, when asked: a wildcard search would miss texts with "/".
  QList<QListWidgetItem *> itens;
  if (todas)
    for (int i = 0; i < de->count(); ++i)
      itens << de->item(i);
  else
    itens = de->selectedItems();
  if (itens.isEmpty() && de->currentItem())
    itens << de->currentItem();
  for (QListWidgetItem *i : itens)
    para->addItem(de->takeItem(de->row(i)));
}

void TfrmSolicitacaoIS::MoverTrabalhadores(bool selecionar, bool todos) {
  QTableWidget *de = selecionar ? grdTrabDisponiveis : grdTrabSelecionados;
  QTableWidget *para = selecionar ? grdTrabSelecionados : grdTrabDisponiveis;
  QList<int> linhas;
  for (int i = 0; i < de->rowCount(); ++i)
    if (todos || de->item(i, 0)->isSelected() ||
        (de->currentRow() == i && !de->selectedItems().size()))
      linhas << i;
  for (int k = linhas.size() - 1; k >= 0; --k) {
    const int i = linhas.at(k);
    const int n = para->rowCount();
    para->insertRow(n);
    for (int c = 0; c < 4; ++c)
      para->setItem(n, c, de->takeItem(i, c));
    de->removeRow(i);
  }
  para->sortItems(0);
}

bool TfrmSolicitacaoIS::AbrirTrabalhadores() {
  if (lstEmpSelecionadas->count() == 0) {
    Mensagem(QStringLiteral("0116"));
    return false;
  }
  if (lstEmpSelecionadas->count() > 1) {
    Mensagem(QStringLiteral("0403"));
    return false;
  }
  const QListWidgetItem *e = lstEmpSelecionadas->item(0);
  const int tipo = e->data(Qt::UserRole).toInt();
  const qint64 insc = e->data(Qt::UserRole + 1).toLongLong();
  const QString chave = ChaveEmpresa(tipo, insc);
  TArrRegRegistro todos;
  try {
    todos = TSolicitacaoSaldoRecisorio::IndiceVinculos({{tipo, insc}});
  } catch (const std::exception &) {
    Mensagem(QStringLiteral("0350"));
    return false;
  }
  empresaTrabalhadores_ = chave;
  // Until the user chooses, every worker of the employer is selected.
  const bool escolhido = escolhidos_.contains(chave);
  const QList<TChaveVinculo> selecionados = escolhidos_.value(chave);
  grdTrabDisponiveis->setRowCount(0);
  grdTrabSelecionados->setRowCount(0);
  for (const TRegRegistro &r : todos) {
    TChaveVinculo k{tipo, insc, r.PIS.toLongLong(), r.Categoria.toInt(),
                    QDateParaData(QDate::fromString(r.DataAdmissao, QStringLiteral("ddMMyyyy")))};
    QTableWidget *g =
        !escolhido || selecionados.contains(k) ? grdTrabSelecionados : grdTrabDisponiveis;
    const int n = g->rowCount();
    g->insertRow(n);
    auto *pis = new QTableWidgetItem(U::FormatarPIS(r.PIS));
    pis->setData(Qt::UserRole, QVariant::fromValue(static_cast<qint64>(k.PIS)));
    pis->setData(Qt::UserRole + 1, k.Categoria);
    pis->setData(Qt::UserRole + 2, k.Admissao);
    g->setItem(n, 0, pis);
    g->setItem(n, 1, new QTableWidgetItem(r.NomeTrabalhador));
    g->setItem(n, 2, new QTableWidgetItem(U::DataParaTexto(k.Admissao)));
    g->setItem(n, 3, new QTableWidgetItem(r.Categoria));
  }
  GuardarSelecaoTrabalhadores();
  return true;
}

void TfrmSolicitacaoIS::GuardarSelecaoTrabalhadores() {
  if (empresaTrabalhadores_.isEmpty())
    return;
  const QStringList p = empresaTrabalhadores_.split(u'|');
  QList<TChaveVinculo> lista;
  for (int i = 0; i < grdTrabSelecionados->rowCount(); ++i) {
    const QTableWidgetItem *it = grdTrabSelecionados->item(i, 0);
    lista.append({p[0].toInt(), p[1].toLongLong(), it->data(Qt::UserRole).toLongLong(),
                  it->data(Qt::UserRole + 1).toInt(), it->data(Qt::UserRole + 2).toDouble()});
  }
  escolhidos_.insert(empresaTrabalhadores_, lista);
}

void TfrmSolicitacaoIS::btnSolicitarClick() {
  GuardarSelecaoTrabalhadores();
  if (lstEmpSelecionadas->count() == 0) {
    Mensagem(QStringLiteral("0116"));
    return;
  }
  QList<QPair<int, qint64>> inteiras;
  QList<TChaveVinculo> vinculos;
  for (int i = 0; i < lstEmpSelecionadas->count(); ++i) {
    const QListWidgetItem *e = lstEmpSelecionadas->item(i);
    const int tipo = e->data(Qt::UserRole).toInt();
    const qint64 insc = e->data(Qt::UserRole + 1).toLongLong();
    const QString chave = ChaveEmpresa(tipo, insc);
    if (!escolhidos_.contains(chave)) {
      inteiras.append({tipo, insc});
      continue;
    }
    if (escolhidos_.value(chave).isEmpty()) {
      Mensagem(QStringLiteral("0228"));
      return;
    }
    vinculos += escolhidos_.value(chave);
  }
  const TArrRegRegistro indice = TSolicitacaoSaldoRecisorio::IndiceVinculos(inteiras, vinculos);
  if (GerarSolicitacaoSaldo(indice, this))
    accept();
}
