#include "uSelecaoEmpresa.h"

#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"
#include "reports/uRelCadastro.h"
#include "reports/uRelatorios.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum { ColInscricao = 0, ColRazao = 1, ColTipo = 2 };
constexpr int PapelNumero = Qt::UserRole;

// The inscription column sorts by type and number, not by its masked text.
class TItemEmpresa : public QTreeWidgetItem {
public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem &outro) const override {
    const int col = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (col == ColInscricao) {
      const auto chave = [](const QTreeWidgetItem &i) {
        return std::pair(i.text(ColTipo).toInt(), i.data(ColInscricao, PapelNumero).toLongLong());
      };
      return chave(*this) < chave(outro);
    }
    return QString::localeAwareCompare(text(col), outro.text(col)) < 0;
  }
};
} // namespace

// ------------------------------------------------------- selection window

TfrmModeloSelecaoEmpresaTrabalhador::TfrmModeloSelecaoEmpresaTrabalhador(QWidget *pai)
    : QDialog(pai) {
  setObjectName(QStringLiteral("frmModeloSelecaoEmpresaTrabalhador"));
  setWindowTitle(QStringLiteral("Selecionar Empresa"));
  pgcSelecao = new QTabWidget(this);
  auto *pagina = new QWidget;
  grdEmpresa = new QTreeWidget(pagina);
  grdEmpresa->setObjectName(QStringLiteral("grdEmpresa"));
  grdEmpresa->setColumnCount(3);
  grdEmpresa->setHeaderLabels(
      {QStringLiteral("Inscrição"), QStringLiteral("Razão Social"), QStringLiteral("Tipo")});
  grdEmpresa->setColumnHidden(ColTipo, true);
  grdEmpresa->setRootIsDecorated(false);
  grdEmpresa->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grdEmpresa->setSortingEnabled(true);
  grdEmpresa->sortByColumn(ColRazao, Qt::AscendingOrder);
  grdEmpresa->setColumnWidth(ColInscricao, 140);
  grdEmpresa->header()->setStretchLastSection(false);
  auto *lp = new QVBoxLayout(pagina);
  lp->addWidget(grdEmpresa);
  pgcSelecao->addTab(pagina, QStringLiteral("Empresa"));

  chkSelect = new QCheckBox(QStringLiteral("&Selecionar Todas"), this);
  chkSelect->setObjectName(QStringLiteral("chkSelect"));
  btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnImprimir->setObjectName(QStringLiteral("btnImprimir"));
  btnImprimir->setDefault(true);
  btnCancelar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(chkSelect);
  botoes->addStretch();
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pgcSelecao);
  l->addLayout(botoes);

  connect(chkSelect, &QCheckBox::toggled, this,
          &TfrmModeloSelecaoEmpresaTrabalhador::SelecionarTodas);
  connect(grdEmpresa, &QTreeWidget::itemSelectionChanged, this,
          &TfrmModeloSelecaoEmpresaTrabalhador::SelecaoMudou);
  connect(grdEmpresa->header(), &QHeaderView::sortIndicatorChanged, this, [this] {
    const QSignalBlocker b(chkSelect);
    chkSelect->setChecked(false);
  });
  connect(btnImprimir, &QPushButton::clicked, this, [this] { Imprimir(); });
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  resize(680, 460);
}

void TfrmModeloSelecaoEmpresaTrabalhador::CarregarEmpresas(TEmpresa &empresas) {
  grdEmpresa->setSortingEnabled(false);
  grdEmpresa->clear();
  for (empresas.Primeiro(); !empresas.FimDados(); empresas.Proximo()) {
    auto *i = new TItemEmpresa(grdEmpresa);
    i->setText(ColInscricao,
               FormatoRel::Inscricao(empresas.NU_TIPO_INSO_EMPRA, empresas.InscricaoNumero()));
    i->setData(ColInscricao, PapelNumero, empresas.InscricaoNumero());
    i->setText(ColRazao, empresas.NO_RAZAO_SOCIAL.trimmed());
    i->setText(ColTipo, QString::number(empresas.NU_TIPO_INSO_EMPRA));
  }
  grdEmpresa->setColumnWidth(ColRazao, grdEmpresa->topLevelItemCount() > 16 ? 444 : 460);
  grdEmpresa->setSortingEnabled(true);
  grdEmpresa->sortByColumn(grdEmpresa->sortColumn(), grdEmpresa->header()->sortIndicatorOrder());
  if (grdEmpresa->topLevelItemCount() > 0)
    grdEmpresa->setCurrentItem(grdEmpresa->topLevelItem(0));
}

QString TfrmModeloSelecaoEmpresaTrabalhador::OrdemEmpresas() const {
  return grdEmpresa->sortColumn() == ColInscricao
             ? QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO")
             // Employers of the same name stay apart: their key breaks the tie.
             : QStringLiteral("NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO");
}

QStringList TfrmModeloSelecaoEmpresaTrabalhador::EmpresasSelecionadas() const {
  QStringList r;
  for (int i = 0; i < grdEmpresa->topLevelItemCount(); ++i) {
    const QTreeWidgetItem *it = grdEmpresa->topLevelItem(i);
    if (it->isSelected())
      r << QString::number(it->data(ColInscricao, PapelNumero).toLongLong());
  }
  return r;
}

void TfrmModeloSelecaoEmpresaTrabalhador::SelecionarTodas(bool todas) {
  const QSignalBlocker b(grdEmpresa);
  if (todas) {
    grdEmpresa->selectAll();
  } else {
    grdEmpresa->clearSelection();
    if (grdEmpresa->topLevelItemCount() > 0) {
      grdEmpresa->topLevelItem(0)->setSelected(true);
      grdEmpresa->setCurrentItem(grdEmpresa->topLevelItem(0), 0, QItemSelectionModel::Select);
    }
  }
  grdEmpresa->viewport()->update();
}

void TfrmModeloSelecaoEmpresaTrabalhador::SelecaoMudou() {
  // The box follows the grid (checked exactly when every employer is
  // selected) without acting on the selection itself.
  const QSignalBlocker b(chkSelect);
  chkSelect->setChecked(grdEmpresa->topLevelItemCount() > 0 &&
                        grdEmpresa->selectedItems().size() == grdEmpresa->topLevelItemCount());
}

TfrmSelecaoEmpresa::TfrmSelecaoEmpresa(QWidget *pai) : TfrmModeloSelecaoEmpresaTrabalhador(pai) {
  setObjectName(QStringLiteral("frmSelecaoEmpresa"));
  setWindowTitle(QStringLiteral("Selecionar Empresas"));
}

void TfrmSelecaoEmpresa::Imprimir() {
  const bool todas = chkSelect->isChecked();
  const QStringList empresas = todas ? QStringList() : EmpresasSelecionadas();
  TfrmRelEmpregados ordem(OrdemEmpresas(), empresas, todas, this);
  ordem.exec();
}

// ------------------------------------------------------------ order window

TfrmRelEmpregados::TfrmRelEmpregados(const QString &ordemEmpresas, const QStringList &empresas,
                                     bool todas, QWidget *pai)
    : QDialog(pai), ordemEmpresas_(ordemEmpresas), empresas_(empresas), todas_(todas) {
  setObjectName(QStringLiteral("frmRelEmpregados"));
  setWindowTitle(QStringLiteral("Relatório de Trabalhadores"));
  auto *grupo = new QGroupBox(QStringLiteral(" Ordenado por "), this);
  rgOrdem = new QButtonGroup(this);
  auto *lg = new QVBoxLayout(grupo);
  const QStringList textos = {QStringLiteral("PIS/PASEP"), QStringLiteral("Nome do Trabalhador"),
                              QStringLiteral("Data de Admissão"), QStringLiteral("Categoria")};
  for (int i = 0; i < textos.size(); ++i) {
    auto *r = new QRadioButton(textos[i], grupo);
    rgOrdem->addButton(r, i);
    lg->addWidget(r);
  }
  rgOrdem->button(0)->setChecked(true);
  btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnImprimir->setObjectName(QStringLiteral("btnImprimir"));
  btnImprimir->setDefault(true);
  btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addLayout(botoes);
  connect(btnImprimir, &QPushButton::clicked, this, &TfrmRelEmpregados::Imprimir);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfrmRelEmpregados::Ordem() const {
  const int i = std::max(rgOrdem->checkedId(), 0);
  return ordemEmpresas_ + u',' + TRelTrabalhadores::Chaves.value(i);
}

void TfrmRelEmpregados::Imprimir() {
  btnImprimir->setEnabled(false);
  btnFechar->setEnabled(false);
  ImprimirTrabalhadores(Ordem(), empresas_, todas_, this);
  btnImprimir->setEnabled(true);
  btnFechar->setEnabled(true);
}
