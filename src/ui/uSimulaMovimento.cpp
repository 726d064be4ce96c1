#include "uSimulaMovimento.h"

#include "uDetalhesRecolEmp.h"

#include "core/unDialogo.h"
#include "core/unUtilitarios.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

std::function<void(TfrmSimulaMovimento &)> TfrmSimulaMovimento::AoMostrar;

namespace {
// A cell that sorts by a hidden key (dates and amounts sort as values).
class TCelula : public QTableWidgetItem {
public:
  TCelula(const QString &texto, qint64 chave) : QTableWidgetItem(texto), chave_(chave) {
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  }
  bool operator<(const QTableWidgetItem &o) const override {
    if (auto *c = dynamic_cast<const TCelula *>(&o))
      return chave_ < c->chave_;
    return QTableWidgetItem::operator<(o);
  }

private:
  qint64 chave_;
};

QTableWidgetItem *Texto(const QString &t) {
  auto *i = new QTableWidgetItem(t);
  i->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return i;
}

QTableWidget *Grade(const QStringList &titulos) {
  auto *g = new QTableWidget(0, titulos.size());
  g->setHorizontalHeaderLabels(titulos);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->horizontalHeader()->setStretchLastSection(true);
  g->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  g->setSortingEnabled(true);
  return g;
}

QString Inscricao(int tipo, qint64 inscricao) {
  const QString n = QString::number(inscricao);
  return tipo == 1 ? Utilitarios.FormatarCNPJ(n.rightJustified(14, u'0'))
                   : n.rightJustified(12, u'0');
}
} // namespace

TfrmSimulaMovimento::TfrmSimulaMovimento(const TResultadoSimulacao &resultado, QWidget *parent)
    : QDialog(parent), resultado_(resultado) {
  setObjectName(QStringLiteral("frmSimulaMovimento"));
  setWindowTitle(QStringLiteral("Simulação de Cálculo VESK"));
  pgcSimulacao = new QTabWidget;
  auto *empresa = new QWidget;
  auto *trabalhador = new QWidget;
  pgcSimulacao->addTab(empresa, QStringLiteral("&Empresa"));
  pgcSimulacao->addTab(trabalhador, QStringLiteral("&Trabalhador"));

  grdEmpresa = Grade({QStringLiteral("Inscrição"), QStringLiteral("Razão Social"),
                      QStringLiteral("Data Prevista Pgto"), QStringLiteral("Valor a Recolher"),
                      QStringLiteral("Tipo")});
  grdEmpresa->setObjectName(QStringLiteral("grdEmpresa"));
  grdEmpresa->setColumnHidden(4, true);
  grdEmpresa->setSortingEnabled(false);
  for (int i = 0; i < resultado_.Empresas.size(); ++i) {
    const TEmpresaSimulada &e = resultado_.Empresas[i];
    grdEmpresa->insertRow(i);
    auto *insc = new TCelula(Inscricao(e.Tipo, e.Inscricao), e.Inscricao);
    insc->setData(Qt::UserRole, i); // the company's place in the result
    grdEmpresa->setItem(i, 0, insc);
    grdEmpresa->setItem(i, 1, Texto(e.Nome.toUpper()));
    grdEmpresa->setItem(i, 2,
                        new TCelula(Utilitarios.DataParaTexto(resultado_.DataPagamento),
                                    static_cast<qint64>(resultado_.DataPagamento)));
    auto *valor = new TCelula(e.ValorARecolher.Formatado(), e.ValorARecolher.Centavos());
    valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grdEmpresa->setItem(i, 3, valor);
    grdEmpresa->setItem(i, 4, Texto(QString::number(e.Tipo)));
  }
  grdEmpresa->setSortingEnabled(true);
  grdEmpresa->resizeColumnsToContents();
  if (grdEmpresa->rowCount() > 0)
    grdEmpresa->selectRow(0);
  auto *le = new QVBoxLayout(empresa);
  le->addWidget(grdEmpresa);

  lblInscricao = new QLabel;
  lblInscricao->setObjectName(QStringLiteral("lblInscricao"));
  lblRazaoSocial = new QLabel;
  lblRazaoSocial->setObjectName(QStringLiteral("lblRazaoSocial"));
  grdTrabalhador = Grade({QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                          QStringLiteral("Admissão"), QStringLiteral("Valor")});
  grdTrabalhador->setObjectName(QStringLiteral("grdTrabalhador"));
  auto *topo = new QHBoxLayout;
  topo->addWidget(lblInscricao);
  topo->addSpacing(16);
  topo->addWidget(lblRazaoSocial, 1);
  auto *lt = new QVBoxLayout(trabalhador);
  lt->addLayout(topo);
  lt->addWidget(grdTrabalhador);

  btnDetalhes = new QPushButton(QStringLiteral("&Detalhes"));
  btnDetalhes->setObjectName(QStringLiteral("btnDetalhes"));
  btnFechar = new QPushButton(QStringLiteral("&Fechar"));
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnDetalhes);
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pgcSimulacao);
  l->addLayout(botoes);
  resize(760, 460);

  btnDetalhes->setVisible(false);
  connect(pgcSimulacao, &QTabWidget::currentChanged, this, [this](int pagina) {
    if (pagina == 1)
      MostrarTrabalhadores();
    btnDetalhes->setVisible(pagina == 1);
  });
  connect(btnDetalhes, &QPushButton::clicked, this, &TfrmSimulaMovimento::btnDetalhesClick);
  connect(grdTrabalhador, &QTableWidget::cellDoubleClicked, this,
          &TfrmSimulaMovimento::btnDetalhesClick);
  connect(grdEmpresa, &QTableWidget::cellDoubleClicked, this,
          [this] { pgcSimulacao->setCurrentIndex(1); });
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmSimulaMovimento::MostrarTrabalhadores() {
  grdTrabalhador->setSortingEnabled(false);
  grdTrabalhador->setRowCount(0);
  const int linha = grdEmpresa->currentRow();
  if (linha < 0) {
    lblInscricao->clear();
    lblRazaoSocial->clear();
    return;
  }
  const int i = grdEmpresa->item(linha, 0)->data(Qt::UserRole).toInt();
  const TEmpresaSimulada &e = resultado_.Empresas[i];
  lblInscricao->setText(QStringLiteral("Inscrição: ") + Inscricao(e.Tipo, e.Inscricao));
  lblRazaoSocial->setText(QStringLiteral("Razão Social: ") + e.Nome.toUpper());
  for (int k = 0; k < e.Trabalhadores.size(); ++k) {
    const TTrabalhadorSimulado &t = e.Trabalhadores[k];
    grdTrabalhador->insertRow(k);
    auto *pis =
        new TCelula(Utilitarios.FormatarPIS(QString::number(t.Chave.PIS).rightJustified(11, u'0')),
                    t.Chave.PIS);
    pis->setData(Qt::UserRole, k);
    grdTrabalhador->setItem(k, 0, pis);
    grdTrabalhador->setItem(k, 1, Texto(t.NomeTrabalhador));
    grdTrabalhador->setItem(k, 2,
                            new TCelula(Utilitarios.DataParaTexto(t.Chave.Admissao),
                                        static_cast<qint64>(t.Chave.Admissao)));
    auto *valor = new TCelula(t.ValTotRec.Formatado(), t.ValTotRec.Centavos());
    valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grdTrabalhador->setItem(k, 3, valor);
  }
  grdTrabalhador->setSortingEnabled(true);
  grdTrabalhador->resizeColumnsToContents();
  if (grdTrabalhador->rowCount() > 0)
    grdTrabalhador->selectRow(0);
}

QList<TTrabalhadorSimulado> TfrmSimulaMovimento::TrabalhadoresVisiveis() const {
  QList<TTrabalhadorSimulado> r;
  const int linha = grdEmpresa->currentRow();
  if (linha < 0)
    return r;
  const TEmpresaSimulada &e =
      resultado_.Empresas[grdEmpresa->item(linha, 0)->data(Qt::UserRole).toInt()];
  for (int k = 0; k < grdTrabalhador->rowCount(); ++k)
    r << e.Trabalhadores[grdTrabalhador->item(k, 0)->data(Qt::UserRole).toInt()];
  return r;
}

void TfrmSimulaMovimento::btnDetalhesClick() {
  const QList<TTrabalhadorSimulado> lista = TrabalhadoresVisiveis();
  const int atual = grdTrabalhador->currentRow();
  if (lista.isEmpty() || atual < 0)
    return;
  const int linhaEmpresa = grdEmpresa->currentRow();
  const QString empresa = grdEmpresa->item(linhaEmpresa, 1)->text();
  TfrmDetalhesRecolEmp::Mostrar(lista, atual, empresa, this);
}

QString TfrmSimulaMovimento::Simular(const TEscopoMovimento &escopo, QWidget *parent) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TMovimento movimento;
  const TResultadoSimulacao r = movimento.Simular(escopo);
  QApplication::restoreOverrideCursor();
  if (!r.Codigo.isEmpty()) {
    const bool info = r.Codigo == QStringLiteral("0108") || r.Codigo == QStringLiteral("0238");
    TUtilitarios::ExibirMensagem(QStringLiteral("FE") + r.Codigo, info ? dtInformacao : dtErro, 0,
                                 QString(), 2, mbOK);
    return r.Codigo;
  }
  TfrmSimulaMovimento janela(r, parent);
  if (AoMostrar)
    AoMostrar(janela);
  else
    janela.exec();
  return QString();
}
