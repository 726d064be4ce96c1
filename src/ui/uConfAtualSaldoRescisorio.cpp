#include "uConfAtualSaldoRescisorio.h"

#include "uIcones.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Coluna {
  colMarca,
  colEstado,
  colTipo,
  colInscricao,
  colPis,
  colNome,
  colAdmissao,
  colCategoria,
  colSituacao,
  colContaVorda,
  colQuantidade
};

// Tree image of a link's state, as the main window's tree shows it.
int ImagemEstado(int estado) {
  switch (estado) {
  case 1:
    return 11;
  case 2:
    return 23;
  default:
    return 25;
  }
}

// Sorts a column by a key other than its text (the inscription by its digits).
class TItemOrdenado : public QTableWidgetItem {
public:
  TItemOrdenado(const QString &texto, const QString &chave) : QTableWidgetItem(texto) {
    setData(Qt::UserRole, chave);
  }
  bool operator<(const QTableWidgetItem &o) const override {
    return data(Qt::UserRole).toString() < o.data(Qt::UserRole).toString();
  }
};
} // namespace

TfrmConfAtualSaldoRescisorio::TfrmConfAtualSaldoRescisorio(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmConfAtualSaldoRescisorio"));
  setWindowTitle(QStringLiteral("Confirmação de Atualização de Saldo Rescisório"));
  setModal(true);
  auto *atencao = new QLabel(QStringLiteral("Atenção:"));
  QFont negrito = atencao->font();
  negrito.setBold(true);
  atencao->setFont(negrito);
  auto *texto1 = new QLabel(QStringLiteral(
      "Os trabalhadores relacionados abaixo encontram-se com movimento Fechado ou Participando."));
  auto *texto2 = new QLabel(
      QStringLiteral("Selecione o(s) trabalhador(es) para atualizar o saldo rescisório."));

  sgTrabalhador = new QTableWidget(0, colQuantidade, this);
  sgTrabalhador->setObjectName(QStringLiteral("sgTrabalhador"));
  sgTrabalhador->setHorizontalHeaderLabels(
      {QString(), QString(), QString(), QStringLiteral("Inscrição"), QStringLiteral("PIS/PASEP"),
       QStringLiteral("Nome"), QStringLiteral("Admissão"), QStringLiteral("Categoria"), QString(),
       QString()});
  sgTrabalhador->setColumnHidden(colTipo, true);
  sgTrabalhador->setColumnHidden(colSituacao, true);
  sgTrabalhador->setColumnHidden(colContaVorda, true);
  sgTrabalhador->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgTrabalhador->setSelectionMode(QAbstractItemView::SingleSelection);
  sgTrabalhador->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgTrabalhador->verticalHeader()->hide();
  sgTrabalhador->setColumnWidth(colMarca, 28);
  sgTrabalhador->setColumnWidth(colEstado, 28);
  sgTrabalhador->setColumnWidth(colInscricao, 150);
  sgTrabalhador->setColumnWidth(colPis, 110);
  sgTrabalhador->setColumnWidth(colNome, 250);
  sgTrabalhador->horizontalHeader()->setStretchLastSection(false);
  sgTrabalhador->setSortingEnabled(true);
  sgTrabalhador->installEventFilter(this);
  connect(sgTrabalhador, &QTableWidget::cellClicked, this, [this](int linha, int coluna) {
    if (coluna == colMarca)
      MarcarLinha(linha, sgTrabalhador->item(linha, colMarca)->checkState() != Qt::Checked);
  });

  chkSelect = new QCheckBox(QStringLiteral("&Selecionar Todas"), this);
  chkSelect->setObjectName(QStringLiteral("chkSelect"));
  connect(chkSelect, &QCheckBox::clicked, this, [this] { chkSelectClick(); });
  btnSalvar = new QPushButton(QStringLiteral("&Salvar"), this);
  btnSalvar->setObjectName(QStringLiteral("btnSalvar"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnSalvar->setAutoDefault(false);
  btnCancelar->setAutoDefault(false);
  connect(btnSalvar, &QPushButton::clicked, this, &TfrmConfAtualSaldoRescisorio::btnSalvarClick);
  connect(btnCancelar, &QPushButton::clicked, this,
          &TfrmConfAtualSaldoRescisorio::btnCancelarClick);

  auto *botoes = new QHBoxLayout;
  botoes->addWidget(chkSelect);
  botoes->addStretch();
  botoes->addWidget(btnSalvar);
  botoes->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(atencao);
  l->addWidget(texto1);
  l->addWidget(texto2);
  l->addWidget(sgTrabalhador, 1);
  l->addLayout(botoes);
  resize(820, 420);
}

bool TfrmConfAtualSaldoRescisorio::CarregarPendentes(TArqCargaSaldo &carga) {
  carga_ = &carga;
  chaves_.clear();
  sgTrabalhador->setSortingEnabled(false);
  sgTrabalhador->setRowCount(0);
  for (const TContaCarregada &c : carga.VinculosPendentes()) {
    const int linha = sgTrabalhador->rowCount();
    sgTrabalhador->insertRow(linha);
    auto *marca = new QTableWidgetItem;
    marca->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    marca->setCheckState(Qt::Unchecked);
    // The row's link, wherever sorting moves the row.
    marca->setData(Qt::UserRole, static_cast<int>(chaves_.size()));
    chaves_.append(c.Chave);
    sgTrabalhador->setItem(linha, colMarca, marca);
    auto *estado = new QTableWidgetItem;
    estado->setIcon(IconeArvore(ImagemEstado(c.Estado)));
    estado->setData(Qt::UserRole, c.Estado);
    sgTrabalhador->setItem(linha, colEstado, estado);
    sgTrabalhador->setItem(linha, colTipo, new QTableWidgetItem(QString::number(c.Chave.Tipo)));
    const QString digitos = QString::number(c.Chave.Inscricao);
    const QString inscricao =
        c.Chave.Tipo == 1 ? TUtilitarios::FormatarCNPJ(TUtilitarios::CompletarZeros(digitos, 14))
                          : TUtilitarios::CompletarZeros(digitos, 12);
    sgTrabalhador->setItem(linha, colInscricao,
                           new TItemOrdenado(inscricao, digitos.rightJustified(14, u'0')));
    const QString pis = QString::number(c.Chave.PIS).rightJustified(11, u'0');
    sgTrabalhador->setItem(linha, colPis, new TItemOrdenado(TUtilitarios::FormatarPIS(pis), pis));
    sgTrabalhador->setItem(linha, colNome,
                           new QTableWidgetItem(c.NomeRegistrado.trimmed().toUpper()));
    auto *admissao =
        new TItemOrdenado(TUtilitarios::DataParaTexto(c.Chave.Admissao),
                          DataParaQDate(c.Chave.Admissao).toString(QStringLiteral("yyyyMMdd")));
    admissao->setTextAlignment(Qt::AlignCenter);
    sgTrabalhador->setItem(linha, colAdmissao, admissao);
    auto *categoria =
        new QTableWidgetItem(QString::number(c.Chave.Categoria).rightJustified(2, u'0'));
    categoria->setTextAlignment(Qt::AlignCenter);
    sgTrabalhador->setItem(linha, colCategoria, categoria);
    sgTrabalhador->setItem(linha, colSituacao,
                           new QTableWidgetItem(QString::number(c.SituacaoConta)));
    sgTrabalhador->setItem(linha, colContaVorda,
                           new QTableWidgetItem(QString::number(c.EmpregadoVorda)));
  }
  // The rows keep the file's order until the user sorts a column.
  sgTrabalhador->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  sgTrabalhador->setSortingEnabled(true);
  if (sgTrabalhador->rowCount() > 0)
    sgTrabalhador->setCurrentCell(0, colNome);
  AtualizarSelecionarTodas();
  return sgTrabalhador->rowCount() > 0;
}

void TfrmConfAtualSaldoRescisorio::MarcarLinha(int linha, bool marcada) {
  QTableWidgetItem *i = sgTrabalhador->item(linha, colMarca);
  if (!i)
    return;
  i->setCheckState(marcada ? Qt::Checked : Qt::Unchecked);
  AtualizarSelecionarTodas();
}

void TfrmConfAtualSaldoRescisorio::AtualizarSelecionarTodas() {
  bool todas = sgTrabalhador->rowCount() > 0;
  for (int i = 0; i < sgTrabalhador->rowCount(); ++i)
    if (sgTrabalhador->item(i, colMarca)->checkState() != Qt::Checked)
      todas = false;
  const QSignalBlocker bloqueio(chkSelect);
  chkSelect->setChecked(todas);
}

void TfrmConfAtualSaldoRescisorio::chkSelectClick() {
  const bool marcar = chkSelect->isChecked();
  for (int i = 0; i < sgTrabalhador->rowCount(); ++i)
    sgTrabalhador->item(i, colMarca)->setCheckState(marcar ? Qt::Checked : Qt::Unchecked);
}

bool TfrmConfAtualSaldoRescisorio::eventFilter(QObject *objeto, QEvent *evento) {
  // The space bar toggles the current row.
  if (objeto == sgTrabalhador && evento->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Space) {
    const int linha = sgTrabalhador->currentRow();
    if (linha >= 0)
      MarcarLinha(linha, sgTrabalhador->item(linha, colMarca)->checkState() != Qt::Checked);
    return true;
  }
  return QDialog::eventFilter(objeto, evento);
}

void TfrmConfAtualSaldoRescisorio::btnSalvarClick() {
  QList<TChaveVinculo> escolhidos;
  for (int i = 0; i < sgTrabalhador->rowCount(); ++i) {
    const QTableWidgetItem *m = sgTrabalhador->item(i, colMarca);
    if (m->checkState() == Qt::Checked)
      escolhidos.append(chaves_.at(m->data(Qt::UserRole).toInt()));
  }
  if (escolhidos.isEmpty()) {
    TUtilitarios::Mensagem(QStringLiteral("CT0230"), dtErro);
    return;
  }
  PedidoDialogo p;
  p.Tipo = dtConfirmacao;
  p.Titulo = QStringLiteral("Confirma");
  p.Texto = QStringLiteral("Confirmar dados?");
  p.Botoes = mbYes | mbNo;
  p.BotaoPadrao = 0;
  if (MostrarDialogo(p) != mrYes || !carga_)
    return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool regulares = true;
  const bool ok = carga_->AplicarPendentes(escolhidos, regulares);
  QApplication::restoreOverrideCursor();
  Decidido = true;
  if (!ok) {
    // Nothing was applied: the user is told and may try again or cancel.
    TUtilitarios::Mensagem(QStringLiteral("CT") + carga_->CodigoErro, dtErro);
    return;
  }
  if (!regulares)
    TodasRegulares = false;
  accept();
}

void TfrmConfAtualSaldoRescisorio::btnCancelarClick() {
  reject();
}

void TfrmConfAtualSaldoRescisorio::reject() {
  Decidido = true;
  Cancelado = true;
  QDialog::reject();
}
