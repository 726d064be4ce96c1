#include "uSaldoRecisorio.h"

#include "uControles.h"

#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unUtilitarios.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmSaldoRecisorio::TfrmSaldoRecisorio(TContaSaldoTrabalhador &contas, const QString &prefixo,
                                       QWidget *parent)
    : QDialog(parent), prefixo_(prefixo) {
  setObjectName(QStringLiteral("frmSaldoRecisorio"));
  setWindowTitle(QStringLiteral("Saldo Base para Fins Rescisórios"));
  grdContas = new QTableWidget(0, 3);
  grdContas->setObjectName(QStringLiteral("grdContas"));
  grdContas->setHorizontalHeaderLabels(
      {QStringLiteral("Compõe"), QStringLiteral("Conta"), QStringLiteral("Saldo")});
  grdContas->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdContas->setSelectionMode(QAbstractItemView::SingleSelection);
  grdContas->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdContas->verticalHeader()->hide();
  grdContas->horizontalHeader()->setStretchLastSection(true);
  for (contas.Primeiro(); contas.QuantidadeRegistros() > 0;) {
    const qint64 centavos = TUtilitarios::ParaCentavos(contas.VR_SALDO_RESCISORIO);
    const int linha = grdContas->rowCount();
    grdContas->insertRow(linha);
    grdContas->setItem(linha, 0, new QTableWidgetItem(QStringLiteral("SIM")));
    grdContas->setItem(linha, 1,
                       new QTableWidgetItem(TUtilitarios::CompletarZeros(
                           QString::number(contas.NU_EMPREGADO_VORDA), 11)));
    auto *saldo = new QTableWidgetItem(TEditValor::TextoDosCentavos(centavos));
    saldo->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grdContas->setItem(linha, 2, saldo);
    saldos_ << centavos;
    total_ += centavos;
    contas.Proximo();
    if (contas.FimDados())
      break;
  }
  grdContas->resizeColumnsToContents();
  grdContas->installEventFilter(this);
  connect(grdContas, &QTableWidget::cellDoubleClicked, this, [this](int l, int) { Alternar(l); });

  btnSelecionar = new QPushButton(QStringLiteral("&Selecionar"));
  btnSelecionar->setObjectName(QStringLiteral("btnSelecionar"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  connect(btnSelecionar, &QPushButton::clicked, this, &TfrmSaldoRecisorio::btnSelecionarClick);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  auto *b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(btnSelecionar);
  b->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(new QLabel(QStringLiteral("Espaço ou duplo clique escolhe ou deixa a conta.")));
  l->addWidget(grdContas);
  l->addLayout(b);
  resize(460, 260);
  if (grdContas->rowCount() > 0)
    grdContas->setCurrentCell(0, 0);
}

void TfrmSaldoRecisorio::Alternar(int linha) {
  if (QTableWidgetItem *i = grdContas->item(linha, 0))
    i->setText(i->text() == QLatin1String("SIM") ? QStringLiteral("NÃO") : QStringLiteral("SIM"));
}

bool TfrmSaldoRecisorio::eventFilter(QObject *obj, QEvent *ev) {
  // Space on a row switches its choice (the grid would only select it).
  if (obj == grdContas && ev->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent *>(ev)->key() == Qt::Key_Space && grdContas->currentRow() >= 0) {
    Alternar(grdContas->currentRow());
    return true;
  }
  return QDialog::eventFilter(obj, ev);
}

void TfrmSaldoRecisorio::btnSelecionarClick() {
  qint64 soma = 0;
  int escolhidas = 0;
  for (int i = 0; i < grdContas->rowCount(); ++i) {
    if (grdContas->item(i, 0)->text() == QLatin1String("SIM")) {
      soma += saldos_.value(i);
      ++escolhidas;
    }
  }
  if (escolhidas == 0) {
    TUtilitarios::ExibirMensagem(prefixo_ + QStringLiteral("0290"), dtErro, 0, QString(), 2, mbOK);
    return;
  }
  if (soma == 0) {
    TUtilitarios::ExibirMensagem(prefixo_ + QStringLiteral("0287"), dtErro, 0, QString(), 2, mbOK);
    return;
  }
  selecionado_ = soma;
  accept();
}
