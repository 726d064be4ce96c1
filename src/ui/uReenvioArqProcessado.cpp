#include "ui/uReenvioArqProcessado.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "interchange/unSolicitacaoReenvio.h"
#include "registry/unEmpresa.h"
#include "ui/unUtilitariosJanela.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString MascaraCNPJ = QStringLiteral("99.999.999/9999-99;_");
const QString MascaraCEI = QStringLiteral("999999999999;_");

class TCursorOcupado {
public:
  TCursorOcupado() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TCursorOcupado() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

TfrmReenvioArqProcessado::TfrmReenvioArqProcessado(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Geração de Reenvio de Guias Processadas na VORDA"));
  auto *layout = new QVBoxLayout(this);
  auto *form = new QFormLayout();
  cmbTp_Insc = new QComboBox(this);
  cmbTp_Insc->setObjectName(QStringLiteral("cmbTp_Insc"));
  cmbTp_Insc->addItems({QStringLiteral("1 - CNPJ"), QStringLiteral("2 - CEI")});
  cmbTp_Insc->setCurrentIndex(-1);
  form->addRow(QStringLiteral("&Tipo de Inscrição:"), cmbTp_Insc);
  edtNu_Insc = new QLineEdit(this);
  edtNu_Insc->setObjectName(QStringLiteral("edtNu_Insc"));
  form->addRow(QStringLiteral("&Inscrição:"), edtNu_Insc);
  dtpDataRec = new QLineEdit(this);
  dtpDataRec->setObjectName(QStringLiteral("dtpDataRec"));
  dtpDataRec->setInputMask(QStringLiteral("99/99/9999;_"));
  form->addRow(QStringLiteral("&Data de Pagamento:"), dtpDataRec);
  auto *codigos = new QHBoxLayout();
  for (int i = 0; i < 8; ++i) {
    edtCod[i] = new QLineEdit(this);
    edtCod[i]->setObjectName(QStringLiteral("edtCod%1").arg(i + 1, 2, 10, QChar(u'0')));
    const int tamanho = i % 2 == 0 ? 11 : 1;
    edtCod[i]->setMaxLength(tamanho);
    edtCod[i]->setFixedWidth(fontMetrics().horizontalAdvance(QString(tamanho + 1, u'0')) + 12);
    InstalarFiltroNumerico(edtCod[i]);
    codigos->addWidget(edtCod[i]);
    connect(edtCod[i], &QLineEdit::textEdited, this, [this, i, tamanho](const QString &t) {
      if (t.size() >= tamanho)
        focusNextChild();
    });
  }
  codigos->addStretch();
  // A layout has no buddy of its own: the label's mnemonic goes to the first block.
  auto *rotuloCodigo = new QLabel(QStringLiteral("&Código de Barras:"), this);
  rotuloCodigo->setBuddy(edtCod[0]);
  form->addRow(rotuloCodigo, codigos);
  layout->addLayout(form);

  stgReenvio = new QTableWidget(1, 5, this);
  stgReenvio->setObjectName(QStringLiteral("stgReenvio"));
  stgReenvio->setHorizontalHeaderLabels(
      {QStringLiteral("Inscrição"), QStringLiteral("Data de Pagamento"),
       QStringLiteral("Código de Barras"), QStringLiteral("Tipo Inscrição"), QString()});
  stgReenvio->setColumnHidden(3, true);
  stgReenvio->setColumnHidden(4, true);
  stgReenvio->setEditTriggers(QAbstractItemView::NoEditTriggers);
  stgReenvio->setSelectionBehavior(QAbstractItemView::SelectRows);
  stgReenvio->horizontalHeader()->setStretchLastSection(false);
  stgReenvio->setColumnWidth(0, 150);
  stgReenvio->setColumnWidth(1, 140);
  stgReenvio->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  stgReenvio->verticalHeader()->setVisible(false);
  layout->addWidget(stgReenvio, 1);

  auto *botoes = new QHBoxLayout();
  botoes->addStretch();
  BtnIncluir = new QPushButton(QStringLiteral("&Incluir"), this);
  BtnSolicitar = new QPushButton(QStringLiteral("&Salvar"), this);
  BtnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  for (QPushButton *b : {BtnIncluir, BtnSolicitar, BtnFechar}) {
    b->setAutoDefault(false);
    botoes->addWidget(b);
  }
  layout->addLayout(botoes);
  resize(720, 420);

  connect(cmbTp_Insc, &QComboBox::activated, this, [this] {
    TipoEscolhido();
    edtNu_Insc->setFocus();
  });
  connect(cmbTp_Insc, &QComboBox::currentIndexChanged, this,
          &TfrmReenvioArqProcessado::TipoEscolhido);
  connect(edtNu_Insc, &QLineEdit::textEdited, this, [this] {
    if (!edtNu_Insc->inputMask().isEmpty() && edtNu_Insc->hasAcceptableInput())
      dtpDataRec->setFocus();
  });
  connect(dtpDataRec, &QLineEdit::textEdited, this, [this] {
    if (QDate::fromString(dtpDataRec->text(), QStringLiteral("dd/MM/yyyy")).isValid())
      edtCod[0]->setFocus();
  });
  connect(BtnIncluir, &QPushButton::clicked, this, &TfrmReenvioArqProcessado::BtnIncluirClick);
  connect(BtnSolicitar, &QPushButton::clicked, this, &TfrmReenvioArqProcessado::BtnSolicitarClick);
  connect(BtnFechar, &QPushButton::clicked, this, &QDialog::reject);

  cmbTp_Insc->setFocus();
}

void TfrmReenvioArqProcessado::TipoEscolhido() {
  // The mask follows the type; an inscription typed for the other type goes.
  const QString mascara = cmbTp_Insc->currentIndex() == 0   ? MascaraCNPJ
                          : cmbTp_Insc->currentIndex() == 1 ? MascaraCEI
                                                            : QString();
  if (edtNu_Insc->inputMask() == mascara)
    return;
  edtNu_Insc->setInputMask(mascara);
  edtNu_Insc->clear();
}

QString TfrmReenvioArqProcessado::LinhaDigitada() const {
  QString r;
  for (QLineEdit *e : edtCod)
    r += e->text();
  return r;
}

void TfrmReenvioArqProcessado::Erro(int mensagem, QWidget *foco, const QStringList &args) {
  Utilitarios.ExibirMensagem(QStringLiteral("SP") +
                                 QString::number(mensagem).rightJustified(4, u'0'),
                             dtErro, 0, QString(), 2, mbOK, args);
  if (foco)
    foco->setFocus();
}

void TfrmReenvioArqProcessado::BtnIncluirClick() {
  const int tipo = cmbTp_Insc->currentIndex() + 1;
  if (tipo < 1)
    return Erro(239, cmbTp_Insc);
  const QString inscricao = Utilitarios.Digitos(edtNu_Insc->text());
  if (inscricao.isEmpty())
    return Erro(240, edtNu_Insc);
  TEmpresa empresa;
  empresa.NU_TIPO_INSO_EMPRA = tipo;
  empresa.NU_INSCRICAO = inscricao;
  if (!empresa.ValidarInscricao())
    return Erro(empresa.CodigoErro.toInt(), edtNu_Insc);
  const QDate data = QDate::fromString(dtpDataRec->text(), QStringLiteral("dd/MM/yyyy"));
  if (!data.isValid())
    return Erro(63, dtpDataRec);
  // A block typed only in part is as incomplete as an empty one.
  for (QLineEdit *e : edtCod)
    if (e->text().size() < e->maxLength())
      return Erro(241, e);
  const QString linha = LinhaDigitada();
  if (!Utilitarios.LinhaDigitavelValida(linha))
    return Erro(242, edtCod[0]);
  for (int r = 0; r < stgReenvio->rowCount(); ++r)
    if (stgReenvio->item(r, 2) && stgReenvio->item(r, 2)->text() == linha)
      return Erro(471, edtCod[0]);
  int linhaTabela = stgReenvio->rowCount();
  if (linhaTabela > 0 && (!stgReenvio->item(0, 0) || stgReenvio->item(0, 0)->text().isEmpty()))
    linhaTabela = 0;
  else
    stgReenvio->insertRow(linhaTabela);
  const QStringList celulas{edtNu_Insc->text(), data.toString(QStringLiteral("dd/MM/yyyy")), linha,
                            QString::number(tipo), Utilitarios.CodigoBarrasDaLinha(linha)};
  for (int c = 0; c < celulas.size(); ++c)
    stgReenvio->setItem(linhaTabela, c, new QTableWidgetItem(celulas[c]));
  LimparCampos();
  cmbTp_Insc->setFocus();
}

void TfrmReenvioArqProcessado::LimparCampos() {
  cmbTp_Insc->setCurrentIndex(-1);
  edtNu_Insc->setInputMask(QString());
  edtNu_Insc->clear();
  dtpDataRec->clear();
  for (QLineEdit *e : edtCod)
    e->clear();
}

void TfrmReenvioArqProcessado::EsvaziarLista() {
  stgReenvio->setRowCount(0);
  stgReenvio->setRowCount(1);
}

void TfrmReenvioArqProcessado::BtnSolicitarClick() {
  for (QPushButton *b : {BtnSolicitar, BtnIncluir, BtnFechar})
    b->setEnabled(false);
  struct TReabilitar {
    TfrmReenvioArqProcessado *j;
    ~TReabilitar() {
      for (QPushButton *b : {j->BtnSolicitar, j->BtnIncluir, j->BtnFechar})
        b->setEnabled(true);
      j->cmbTp_Insc->setFocus();
    }
  } reabilitar{this};

  if (!stgReenvio->item(0, 0) || stgReenvio->item(0, 0)->text().isEmpty())
    return Erro(88, nullptr);
  PedidoArquivo pedido;
  pedido.Salvar = true;
  pedido.Titulo = QStringLiteral("Salvar Solicitação de Reenvio");
  pedido.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Solicitacao de Reenvio"));
  pedido.Nome = QStringLiteral("GuiaVESK.HXF");
  pedido.Filtro = QStringLiteral("Arquivo de Solicitação de Reenvio (*.HXF)");
  QString nome = EscolherArquivo(pedido).trimmed();
  if (nome.isEmpty())
    return;
  QList<TGuiaReenvio> guias;
  for (int r = 0; r < stgReenvio->rowCount(); ++r) {
    if (!stgReenvio->item(r, 0) || stgReenvio->item(r, 0)->text().isEmpty())
      continue;
    TGuiaReenvio g;
    g.Inscricao = stgReenvio->item(r, 0)->text();
    g.DataPagamento = QDateParaData(
        QDate::fromString(stgReenvio->item(r, 1)->text(), QStringLiteral("dd/MM/yyyy")));
    g.LinhaDigitavel = stgReenvio->item(r, 2)->text();
    g.TipoInscricao = stgReenvio->item(r, 3)->text().toInt();
    g.CodigoBarras = stgReenvio->item(r, 4)->text();
    guias << g;
  }
  TSolicitacaoReenvio solicitacao;
  bool ok;
  {
    TCursorOcupado cursor;
    ok = solicitacao.Gerar(nome, guias);
  }
  if (!ok) {
    // The list stays as it is, so the user can try again.
    Erro(solicitacao.CodigoErro.toInt(), nullptr);
    return;
  }
  Utilitarios.ExibirMensagem(QStringLiteral("SP0243"), dtInformacao, 0, QString(), 2, mbOK);
  EsvaziarLista();
  LimparCampos();
  Utilitarios.ExibirMensagem(QStringLiteral("SP0485"), dtInformacao, 0, QString(), 2, mbOK,
                             {QStringLiteral("de Reenvio gerado")});
}
