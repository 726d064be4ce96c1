#include "uFrmDadosComplementares.h"

#include "uAdicionarCompetencia.h"
#include "uControles.h"

#include "collection/UnTComplementoSaldo.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QLabel *Valor(const QString &nome) {
  auto *l = new QLabel;
  l->setObjectName(nome);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumWidth(120);
  return l;
}
} // namespace

TfrmDadosComplementares::TfrmDadosComplementares(QWidget *parent)
    : TFramePadrao(QStringLiteral("frmDadosComplementares1"),
                   QStringLiteral("Complemento de Saldo do Trabalhador"), parent) {
  QWidget *pagina =
      AdicionarPagina(QStringLiteral("tbsComplemento"), QStringLiteral("Com&plemento Saldo"));
  auto *l = new QVBoxLayout(pagina);
  pgcComplemento = new QTabWidget;
  pgcComplemento->setObjectName(QStringLiteral("pgcComplemento"));
  const char *paginas[] = {"Não Recolhidos", "Recolhidos e Não Processados",
                           "Recolhidos e Não Individualizados"};
  const char *totais[] = {"Total:", "Total dos Depósitos:", "Total:"};
  for (int i = 0; i < 3; ++i) {
    auto *p = new QWidget;
    auto *lp = new QVBoxLayout(p);
    auto *g = new QTableWidget(0, 3);
    g->setObjectName(QStringLiteral("grdComplemento%1").arg(i + 1));
    g->setHorizontalHeaderLabels({QStringLiteral("Mês da Competência"),
                                  QStringLiteral("Valor da Remuneração"),
                                  QStringLiteral("Valor ZELT Trabalhador")});
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdComplemento[i] = g;
    lblTotal[i] = Valor(QStringLiteral("lblTotal%1").arg(i + 1));
    auto *t = new QGridLayout;
    t->addWidget(new QLabel(QString::fromUtf8(totais[i])), 0, 0, Qt::AlignRight);
    t->addWidget(lblTotal[i], 0, 1);
    t->setColumnStretch(0, 1);
    lp->addWidget(g);
    lp->addLayout(t);
    pgcComplemento->addTab(p, QString::fromUtf8(paginas[i]));
  }
  l->addWidget(pgcComplemento, 1);

  auto *r = new QGridLayout;
  lblSaldoBase = Valor(QStringLiteral("lblSaldoBase"));
  lblTotalSaldoBase = Valor(QStringLiteral("lblTotalSaldoBase"));
  lblDepositoVesk = Valor(QStringLiteral("lblDepositoVesk"));
  lblRotuloDepositoVesk = new QLabel(QStringLiteral("Total Depósito + JAM da VESK:"));
  r->addWidget(new QLabel(QStringLiteral("Saldo Base para Fins Rescisórios + JAM atualizado:")), 0,
               0, Qt::AlignRight);
  r->addWidget(lblSaldoBase, 0, 1);
  r->addWidget(lblRotuloDepositoVesk, 1, 0, Qt::AlignRight);
  r->addWidget(lblDepositoVesk, 1, 1);
  r->addWidget(new QLabel(QStringLiteral("Total do Saldo Base para Fins Rescisórios :")), 2, 0,
               Qt::AlignRight);
  r->addWidget(lblTotalSaldoBase, 2, 1);
  r->setColumnStretch(0, 1);
  l->addLayout(r);

  btnNovoComplemento =
      AdicionarBotao(QStringLiteral("btnNovoComplemento"), QStringLiteral("&Novo Complemento"));
  connect(btnNovoComplemento, &QPushButton::clicked, this,
          &TfrmDadosComplementares::btnNovoComplementoClick);
  connect(pgcComplemento, &QTabWidget::currentChanged, this,
          &TfrmDadosComplementares::AtualizarPrefixo);
  btnAlterar->hide();
  PrepararControles();
  AtualizarPrefixo();
}

int TfrmDadosComplementares::Complemento() const {
  return pgcComplemento->currentIndex() + 1;
}

void TfrmDadosComplementares::AtualizarPrefixo() {
  PrefixoMensagem = QString::number(42 + Complemento());
}

void TfrmDadosComplementares::PermitirAlteracao(bool permitir) {
  permitido_ = permitir;
  btnNovoComplemento->setEnabled(permitir);
  btnExcluir->setEnabled(permitir);
  btnAlterar->hide();
}

void TfrmDadosComplementares::CarregarTela() {
  TCarga carga(this);
  vinculo_ = Arvore.Atual;
  qint64 totais[3] = {0, 0, 0};
  for (QTableWidget *g : grdComplemento)
    g->setRowCount(0);
  TComplementoSaldo c;
  c.CarregarAssociados = false;
  c.DefinirChave(vinculo_.TipoInscricao, vinculo_.Inscricao, vinculo_.PIS, vinculo_.Categoria,
                 vinculo_.DataAdmissao);
  if (c.CarregarPorVinculo() && c.QuantidadeRegistros() > 0) {
    for (c.Primeiro();;) {
      const int tipo = TUtilitarios::ParaInteiro(c.NU_COMPLEMENTO);
      if (tipo >= 1 && tipo <= 3) {
        QTableWidget *g = grdComplemento[tipo - 1];
        const int linha = g->rowCount();
        g->insertRow(linha);
        const qint64 remuneracao = TUtilitarios::ParaCentavos(c.VR_REMUNERACAO);
        const qint64 deposito = TUtilitarios::ParaCentavos(c.VR_DEPOSITO);
        auto *mes =
            new QTableWidgetItem(TUtilitarios::CompletarZeros(c.MM_COMPETENCIA.trimmed(), 2) +
                                 u'/' + c.AA_COMPETENCIA.trimmed());
        auto *rem = new QTableWidgetItem(TEditValor::TextoDosCentavos(remuneracao));
        auto *dep = new QTableWidgetItem(TEditValor::TextoDosCentavos(deposito));
        rem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        dep->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->setItem(linha, 0, mes);
        g->setItem(linha, 1, rem);
        g->setItem(linha, 2, dep);
        totais[tipo - 1] += deposito;
      }
      c.Proximo();
      if (c.FimDados())
        break;
    }
  }
  for (int i = 0; i < 3; ++i)
    lblTotal[i]->setText(TEditValor::TextoDosCentavos(totais[i]));

  TRescisao r;
  r.CarregarAssociados = false;
  r.CarregarPorChave(vinculo_.TipoInscricao, vinculo_.Categoria, vinculo_.DataAdmissao,
                     vinculo_.PIS, vinculo_.Inscricao);
  auto cent = [](double v) { return TUtilitarios::ParaCentavos(v); };
  const qint64 saldoBase = cent(r.VR_DISSIDIO) > 0
                               ? cent(r.VR_DISSIDIO)
                               : cent(r.VR_SALDO_RESCISORIO) + cent(r.VR_JAM_SALDO_RESCISORIO);
  qint64 total = cent(r.VR_DEPOSITO_CMPLO_SALDO) + saldoBase;
  const bool fechado = vinculo_.Estado == 2 || vinculo_.Estado == 3;
  const qint64 vesk = cent(r.VR_DEPOSITO_RESCISAO) + cent(r.VR_DEPOSITO_ANTERIOR_RESCISAO) +
                      cent(r.VR_DEPOSITO_AVISO_PREVIO) + cent(r.VR_JAM_RESCISAO) +
                      cent(r.VR_JAM_ANTERIOR_RESCISAO) + cent(r.VR_JAM_AVISO_PREVIO);
  if (fechado)
    total += vesk;
  lblSaldoBase->setText(TEditValor::TextoDosCentavos(saldoBase));
  lblDepositoVesk->setText(TEditValor::TextoDosCentavos(vesk));
  lblDepositoVesk->setVisible(fechado);
  lblRotuloDepositoVesk->setVisible(fechado);
  lblTotalSaldoBase->setText(TEditValor::TextoDosCentavos(total));
  AtualizarPrefixo();
}

void TfrmDadosComplementares::btnNovoComplementoClick() {
  AtualizarPrefixo();
  if (DataPagamento <= 0) {
    Erro(QStringLiteral("0062"));
    return;
  }
  TComplementoSaldo c;
  c.DefinirChave(vinculo_.TipoInscricao, vinculo_.Inscricao, vinculo_.PIS, vinculo_.Categoria,
                 vinculo_.DataAdmissao);
  if (!c.ValidarComplementoPermitido()) {
    Erro(c.CodigoErro);
    return;
  }
  const int tipo = Complemento();
  QTableWidget *grade = grdComplemento[tipo - 1];
  TfrmAdicionarCompetencia dialogo(
      PrefixoMensagem,
      [&c, grade](const QString &mes, const QString &ano) -> QString {
        c.MM_COMPETENCIA = mes;
        c.AA_COMPETENCIA = ano;
        if (!c.ValidarCompetencia(true))
          return c.CodigoErro;
        const QString competencia = mes + u'/' + ano;
        for (int i = 0; i < grade->rowCount(); ++i)
          if (grade->item(i, 0)->text() == competencia)
            return QStringLiteral("0292");
        return QString();
      },
      this);
  if (dialogo.exec() != QDialog::Accepted)
    return;
  c.NU_COMPLEMENTO = QString::number(tipo);
  c.MM_COMPETENCIA = dialogo.cmbMes->currentText();
  c.AA_COMPETENCIA = dialogo.edtAno->text().trimmed();
  c.VR_REMUNERACAO = static_cast<double>(dialogo.Remuneracao()) / 100.0;
  QString codigo;
  try {
    // The complement and its link's total are kept or undone together.
    TEscopoTransacao transacao(c.Ibx);
    if (!c.Incluir()) {
      codigo = c.CodigoErro.isEmpty() ? QStringLiteral("0144") : c.CodigoErro;
    } else {
      c.AtualizarTotal();
      transacao.Confirmar();
    }
  } catch (const std::exception &) {
    codigo = QStringLiteral("0144");
  }
  if (codigo == QLatin1String("0372")) {
    Erro(codigo, nullptr, -1, {dialogo.Competencia(), TUtilitarios::DataParaTexto(DataPagamento)});
    return;
  }
  if (!codigo.isEmpty()) {
    Erro(codigo);
    return;
  }
  CarregarTela();
  pgcComplemento->setCurrentIndex(tipo - 1);
  Informar(QStringLiteral("0078"));
}

void TfrmDadosComplementares::btnExcluirClick() {
  AtualizarPrefixo();
  QTableWidget *grade = grdComplemento[Complemento() - 1];
  const int linha = grade->currentRow();
  if (linha < 0 || !grade->item(linha, 0)) {
    Erro(QStringLiteral("0290"));
    return;
  }
  if (!Perguntar(QStringLiteral("0036")))
    return;
  const QString competencia = grade->item(linha, 0)->text();
  TComplementoSaldo c;
  c.CarregarAssociados = false;
  c.DefinirChave(vinculo_.TipoInscricao, vinculo_.Inscricao, vinculo_.PIS, vinculo_.Categoria,
                 vinculo_.DataAdmissao);
  c.NU_COMPLEMENTO = QString::number(Complemento());
  c.MM_COMPETENCIA = competencia.section(u'/', 0, 0);
  c.AA_COMPETENCIA = competencia.section(u'/', 1, 1);
  try {
    c.Excluir(false, true);
  } catch (const std::exception &) {
    Erro(QStringLiteral("0144"));
    return;
  }
  const int pagina = pgcComplemento->currentIndex();
  CarregarTela();
  pgcComplemento->setCurrentIndex(pagina);
  Informar(QStringLiteral("0068"));
}
