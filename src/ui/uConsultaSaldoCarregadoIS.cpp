#include "uConsultaSaldoCarregadoIS.h"
#include "uGradeOrdenavel.h"
#include "uLocalizar.h"

#include "reports/uRelSaldo.h"

#include "core/unCentavos.h"
#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

std::function<void()> TfrmConsultaSaldoCarregadoIS::AtualizarArvore;

namespace {
using U = TUtilitarios;

QString Inscricao(int tipo, qint64 inscricao) {
  const QString d = QString::number(inscricao);
  return tipo == 1 ? U::FormatarCNPJ(U::CompletarZeros(d, 14)) : U::CompletarZeros(d, 12);
}

QString Dinheiro(qint64 centavos) {
  return TCentavos::DeCentavos(centavos).Formatado();
}

using TItem = TItemOrdenavel;

QTableWidget *Grade(QWidget *pai, const char *nome, const QStringList &titulos) {
  auto *g = NovaGradeOrdenavel(nome, titulos, pai);
  g->horizontalHeader()->setStretchLastSection(true);
  return g;
}

int Perguntar(const QString &codigo) {
  return U::Mensagem(codigo, dtConfirmacao, 0, QString(), 1, mbYes | mbNo);
}
} // namespace

TfrmConsultaSaldoCarregadoIS::TfrmConsultaSaldoCarregadoIS(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmConsultaSaldoCarregadoIS"));
  setWindowTitle(QStringLiteral("Consulta Saldo Rescisório"));
  pcConsulta = new QTabWidget(this);
  pcConsulta->setObjectName(QStringLiteral("pcConsulta"));

  auto *pagEmpresa = new QWidget;
  grdEmpresa = Grade(pagEmpresa, "grdEmpresa",
                     {QStringLiteral("Inscrição"), QStringLiteral("Razão Social"),
                      QStringLiteral("Saldo Empresa")});
  grdEmpresa->setColumnWidth(0, 150);
  grdEmpresa->setColumnWidth(1, 380);
  auto *le = new QVBoxLayout(pagEmpresa);
  le->addWidget(grdEmpresa);
  pcConsulta->addTab(pagEmpresa, QStringLiteral("&Empresa"));

  auto *pagTrab = new QWidget;
  lblInscricao = new QLabel(pagTrab);
  lblInscricao->setObjectName(QStringLiteral("lblInscricao"));
  lblRazaoSocial = new QLabel(pagTrab);
  lblRazaoSocial->setObjectName(QStringLiteral("lblRazaoSocial"));
  grdTrabalhador = Grade(pagTrab, "grdTrabalhador",
                         {QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                          QStringLiteral("Admissão"), QStringLiteral("Categoria"),
                          QStringLiteral("Dt. Créd. Juros"), QStringLiteral("Saldo Rescisório")});
  grdTrabalhador->setColumnWidth(0, 110);
  grdTrabalhador->setColumnWidth(1, 250);
  grdTrabalhador->setColumnWidth(2, 85);
  grdTrabalhador->setColumnWidth(3, 75);
  grdTrabalhador->setColumnWidth(4, 110);
  // Sorting by PIS, name, admission or balance.
  grdTrabalhador->setSortingEnabled(true);
  connect(grdTrabalhador->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
          [this](int coluna, Qt::SortOrder) {
            if (coluna == 3 || coluna == 4)
              grdTrabalhador->sortItems(0);
          });
  auto *cab = new QHBoxLayout;
  cab->addWidget(new QLabel(QStringLiteral("Inscrição:")));
  cab->addWidget(lblInscricao);
  cab->addSpacing(16);
  cab->addWidget(new QLabel(QStringLiteral("Razão Social:")));
  cab->addWidget(lblRazaoSocial, 1);
  auto *lt = new QVBoxLayout(pagTrab);
  lt->addLayout(cab);
  lt->addWidget(grdTrabalhador);
  pcConsulta->addTab(pagTrab, QStringLiteral("&Trabalhador"));

  btnLocalizar = new QPushButton(QStringLiteral("&Localizar"), this);
  btnLocalizar->setObjectName(QStringLiteral("btnLocalizar"));
  btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnImprimir->setObjectName(QStringLiteral("btnImprimir"));
  btnExcluir = new QPushButton(QStringLiteral("E&xcluir"), this);
  btnExcluir->setObjectName(QStringLiteral("btnExcluir"));
  btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  for (QPushButton *b : {btnLocalizar, btnImprimir, btnExcluir, btnFechar})
    b->setAutoDefault(false);
  connect(btnLocalizar, &QPushButton::clicked, this,
          &TfrmConsultaSaldoCarregadoIS::btnLocalizarClick);
  connect(btnExcluir, &QPushButton::clicked, this, &TfrmConsultaSaldoCarregadoIS::btnExcluirClick);
  connect(btnImprimir, &QPushButton::clicked, this,
          &TfrmConsultaSaldoCarregadoIS::btnImprimirClick);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  connect(grdEmpresa, &QTableWidget::cellDoubleClicked, this,
          [this](int linha, int) { MostrarEmpresa(linha); });
  connect(pcConsulta, &QTabWidget::currentChanged, this, [this](int pagina) {
    if (pagina == 1) {
      const int linha = grdEmpresa->currentRow();
      if (linha < 0) {
        pcConsulta->setCurrentIndex(0);
        return;
      }
      const int indice = grdEmpresa->item(linha, 0)->data(Qt::UserRole + 1).toInt();
      if (indice != empresa_)
        MostrarEmpresa(linha);
    }
  });

  auto *botoes = new QHBoxLayout;
  botoes->addWidget(btnLocalizar);
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnExcluir);
  botoes->addStretch();
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pcConsulta, 1);
  l->addLayout(botoes);
  resize(820, 480);
  CarregarEmpresas();
}

void TfrmConsultaSaldoCarregadoIS::CarregarEmpresas() {
  empresas_ = TConsultaSaldo::Empresas();
  grdEmpresa->setSortingEnabled(false);
  grdEmpresa->setRowCount(0);
  for (int i = 0; i < empresas_.size(); ++i) {
    const TSaldoEmpresa &e = empresas_.at(i);
    grdEmpresa->insertRow(i);
    auto *insc = new TItem(Inscricao(e.Tipo, e.Inscricao),
                           QString::number(e.Inscricao).rightJustified(14, u'0'));
    insc->setData(Qt::UserRole + 1, i);
    grdEmpresa->setItem(i, 0, insc);
    grdEmpresa->setItem(i, 1, new TItem(e.RazaoSocial, e.RazaoSocial));
    grdEmpresa->setItem(i, 2, new TItem(Dinheiro(e.Centavos), e.Centavos, Qt::AlignRight));
  }
  if (!empresas_.isEmpty())
    grdEmpresa->setCurrentCell(0, 0);
  empresa_ = -1;
}

void TfrmConsultaSaldoCarregadoIS::MostrarEmpresa(int linha) {
  if (linha < 0 || linha >= grdEmpresa->rowCount())
    return;
  empresa_ = grdEmpresa->item(linha, 0)->data(Qt::UserRole + 1).toInt();
  const TSaldoEmpresa &e = empresas_.at(empresa_);
  lblInscricao->setText(Inscricao(e.Tipo, e.Inscricao));
  lblRazaoSocial->setText(e.RazaoSocial);
  CarregarContas();
  const QSignalBlocker b(pcConsulta);
  pcConsulta->setCurrentIndex(1);
  grdTrabalhador->setFocus();
}

void TfrmConsultaSaldoCarregadoIS::CarregarContas() {
  const TSaldoEmpresa &e = empresas_.at(empresa_);
  contas_ = TConsultaSaldo::Contas(e.Tipo, e.Inscricao);
  grdTrabalhador->setSortingEnabled(false);
  grdTrabalhador->setRowCount(0);
  for (int i = 0; i < contas_.size(); ++i) {
    const TSaldoConta &c = contas_.at(i);
    grdTrabalhador->insertRow(i);
    const QString pis = QString::number(c.Chave.PIS).rightJustified(11, u'0');
    auto *p = new TItem(U::FormatarPIS(pis), pis);
    p->setData(Qt::UserRole + 1, i);
    grdTrabalhador->setItem(i, 0, p);
    grdTrabalhador->setItem(i, 1, new TItem(c.Nome, c.Nome));
    grdTrabalhador->setItem(
        i, 2,
        new TItem(U::DataParaTexto(c.Chave.Admissao),
                  DataParaQDate(c.Chave.Admissao).toString(QStringLiteral("yyyyMMdd")),
                  Qt::AlignHCenter));
    grdTrabalhador->setItem(i, 3,
                            new TItem(QString::number(c.Chave.Categoria).rightJustified(2, u'0'),
                                      c.Chave.Categoria, Qt::AlignHCenter));
    grdTrabalhador->setItem(
        i, 4,
        new TItem(c.CreditoJuros > 0 ? U::DataParaTexto(c.CreditoJuros) : QString(), QString(),
                  Qt::AlignHCenter));
    grdTrabalhador->setItem(i, 5, new TItem(Dinheiro(c.Centavos), c.Centavos, Qt::AlignRight));
  }
  grdTrabalhador->setSortingEnabled(true);
  grdTrabalhador->sortItems(0, Qt::AscendingOrder);
  if (!contas_.isEmpty())
    grdTrabalhador->setCurrentCell(0, 0);
}

bool TfrmConsultaSaldoCarregadoIS::Localizar(const QString &Criterio) {
  // Employers by inscription or name, accounts by PIS or name.
  if (pcConsulta->currentIndex() == 0)
    return LocalizarNaGrade(grdEmpresa, Criterio,
                            {{QStringLiteral("INSCRICAO"), 0}, {QStringLiteral("RAZAO"), 1}},
                            QStringLiteral("SR"));
  return LocalizarNaGrade(grdTrabalhador, Criterio,
                          {{QStringLiteral("PIS/PASEP"), 0}, {QStringLiteral("NOME"), 1}},
                          QStringLiteral("SR"));
}

void TfrmConsultaSaldoCarregadoIS::btnLocalizarClick() {
  Localizar(pcConsulta->currentIndex() == 0 ? LocalizarEmpresa(2, this)
                                            : LocalizarTrabalhador(this));
}

void TfrmConsultaSaldoCarregadoIS::btnExcluirClick() {
  if (pcConsulta->currentIndex() == 0)
    ExcluirEmpresa();
  else
    ExcluirConta();
}

void TfrmConsultaSaldoCarregadoIS::ExcluirEmpresa() {
  const int linha = grdEmpresa->currentRow();
  if (linha < 0)
    return;
  if (Perguntar(QStringLiteral("SR0036")) != mrYes)
    return;
  const int indice = grdEmpresa->item(linha, 0)->data(Qt::UserRole + 1).toInt();
  TSaldoEmpresa &e = empresas_[indice];
  qint64 restante = 0;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TConsultaSaldo::TResultado r =
      TConsultaSaldo::ExcluirEmpresa(e.Tipo, e.Inscricao, restante);
  QApplication::restoreOverrideCursor();
  if (r != TConsultaSaldo::Falhou && AtualizarArvore)
    AtualizarArvore();
  switch (r) {
  case TConsultaSaldo::Restam:
    e.Centavos = restante;
    grdEmpresa->item(linha, 2)->setText(Dinheiro(restante));
    grdEmpresa->item(linha, 2)->setData(Qt::UserRole, restante);
    U::Mensagem(QStringLiteral("SR0362"), dtInformacao);
    break;
  case TConsultaSaldo::Excluido:
    grdEmpresa->removeRow(linha);
    U::Mensagem(QStringLiteral("SR0068"), dtInformacao);
    break;
  default:
    U::Mensagem(QStringLiteral("SR0381"), dtErro);
  }
}

void TfrmConsultaSaldoCarregadoIS::ExcluirConta() {
  const int linha = grdTrabalhador->currentRow();
  if (linha < 0 || empresa_ < 0)
    return;
  if (Perguntar(QStringLiteral("SR0036")) != mrYes)
    return;
  const TSaldoConta c = contas_.at(grdTrabalhador->item(linha, 0)->data(Qt::UserRole + 1).toInt());
  const TConsultaSaldo::TResultado r = TConsultaSaldo::ExcluirConta(c);
  if (r == TConsultaSaldo::VinculoFechado) {
    U::Mensagem(QStringLiteral("SR0231"), dtAviso);
    return;
  }
  if (r == TConsultaSaldo::Falhou) {
    U::Mensagem(QStringLiteral("SR0381"), dtErro);
    return;
  }
  if (AtualizarArvore)
    AtualizarArvore();
  grdTrabalhador->removeRow(linha);
  // The employer's sum goes down by the account deleted.
  TSaldoEmpresa &e = empresas_[empresa_];
  e.Centavos -= c.Centavos;
  for (int i = 0; i < grdEmpresa->rowCount(); ++i)
    if (grdEmpresa->item(i, 0)->data(Qt::UserRole + 1).toInt() == empresa_) {
      grdEmpresa->item(i, 2)->setText(Dinheiro(e.Centavos));
      grdEmpresa->item(i, 2)->setData(Qt::UserRole, e.Centavos);
      if (grdTrabalhador->rowCount() == 0)
        grdEmpresa->removeRow(i);
      break;
    }
  U::Mensagem(QStringLiteral("SR0068"), dtInformacao);
  if (grdTrabalhador->rowCount() == 0) {
    empresa_ = -1;
    pcConsulta->setCurrentIndex(0);
  }
}

void TfrmConsultaSaldoCarregadoIS::btnImprimirClick() {
  // The employer page prints every employer in the grid's order; the worker
  // page the employer it shows.
  QList<TSaldoEmpresa> empresas;
  if (pcConsulta->currentIndex() == 1 && empresa_ >= 0 && empresa_ < empresas_.size()) {
    empresas << empresas_.at(empresa_);
  } else {
    for (int i = 0; i < grdEmpresa->rowCount(); ++i)
      empresas << empresas_.value(grdEmpresa->item(i, 0)->data(Qt::UserRole + 1).toInt());
  }
  ImprimirSaldoCarregado(empresas, this);
}
