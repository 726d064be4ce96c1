#include "uDetalhesRecolEmp.h"

#include "collection/unTCalculo.h"
#include "core/unDialogo.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

std::function<void(TfrmDetalhesRecolEmp &)> TfrmDetalhesRecolEmp::AoMostrar;

namespace {
struct TBlocoDetalhe {
  const char *Titulo;
  const TParcelaCalculo TCalculo::*Parcela;
};
// The four blocks, in the order and with the captions the window shows.
const TBlocoDetalhe Blocos[] = {
    {"Mês Anterior à Rescisão", &TCalculo::ParcelaAnterior},
    {"Mês de Rescisão", &TCalculo::ParcelaRescisao},
    {" Aviso Prévio Indenizado ", &TCalculo::ParcelaAvisoPrevio},
    {"Multa Rescisória", &TCalculo::ParcelaMulta},
};
const char *const CamposBloco[] = {
    "Remuneração:",           "Depósito:",   "JAM:", "Contrib. Social:", "Multa:",
    "Multa Contrib. Social:", "Data Devida:"};

QString Dinheiro(double v) {
  return TCentavos::De(v).Formatado();
}
} // namespace

TfrmDetalhesRecolEmp::TfrmDetalhesRecolEmp(const QList<TTrabalhadorSimulado> &lista,
                                           const QString &empresa, QWidget *parent)
    : QDialog(parent), lista_(lista), empresa_(empresa) {
  setObjectName(QStringLiteral("frmDetalhesRecolEmp"));
  setWindowTitle(QStringLiteral("Detalhes do Recolhimento por Empregado"));
  auto *l = new QVBoxLayout(this);
  auto *topo = new QGridLayout;
  const char *cabecalho[] = {
      "Empresa:",          "Data de Pagamento:", "PIS/PASEP:",    "Nome:",
      "Data de Rescisão:", "Movimentação:",      "Aviso Prévio:", "Categoria:"};
  int i = 0;
  for (const char *c : cabecalho) {
    topo->addWidget(new QLabel(QString::fromUtf8(c)), i / 2, (i % 2) * 2);
    topo->addWidget(Rotulo(QString::fromUtf8(c)), i / 2, (i % 2) * 2 + 1);
    ++i;
  }
  l->addLayout(topo);
  auto *blocos = new QGridLayout;
  int b = 0;
  for (const TBlocoDetalhe &bloco : Blocos) {
    auto *caixa = new QGroupBox(QString::fromUtf8(bloco.Titulo));
    auto *g = new QGridLayout(caixa);
    int linha = 0;
    for (const char *c : CamposBloco) {
      QString titulo = QString::fromUtf8(c);
      // The fine block's base is the termination balance.
      if (bloco.Parcela == &TCalculo::ParcelaMulta && linha == 0)
        titulo = QStringLiteral("Saldo Rescisório:");
      g->addWidget(new QLabel(titulo), linha, 0);
      QLabel *v = Rotulo(QString::fromUtf8(bloco.Titulo) + u'/' + QString::fromUtf8(c));
      v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      g->addWidget(v, linha, 1);
      ++linha;
    }
    blocos->addWidget(caixa, b / 2, b % 2);
    ++b;
  }
  l->addLayout(blocos);
  auto *totais = new QHBoxLayout;
  totais->addWidget(new QLabel(QStringLiteral("Depósito + JAM:")));
  totais->addWidget(Rotulo(QStringLiteral("Depósito + JAM:")));
  totais->addStretch();
  totais->addWidget(new QLabel(QStringLiteral(" Total do Trabalhador")));
  totais->addWidget(Rotulo(QStringLiteral(" Total do Trabalhador")));
  l->addLayout(totais);

  btnAnterior = new QPushButton(QStringLiteral("&Anterior"));
  btnAnterior->setObjectName(QStringLiteral("btnAnterior"));
  btnProximo = new QPushButton(QStringLiteral("&Próximo"));
  btnProximo->setObjectName(QStringLiteral("btnProximo"));
  btnFechar = new QPushButton(QStringLiteral("&Fechar"));
  btnFechar->setObjectName(QStringLiteral("btnFechar"));
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(btnAnterior);
  botoes->addWidget(btnProximo);
  botoes->addStretch();
  botoes->addWidget(btnFechar);
  l->addLayout(botoes);
  connect(btnAnterior, &QPushButton::clicked, this, [this] { Carregar(indice_ - 1); });
  connect(btnProximo, &QPushButton::clicked, this, [this] { Carregar(indice_ + 1); });
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmDetalhesRecolEmp::~TfrmDetalhesRecolEmp() = default;

QLabel *TfrmDetalhesRecolEmp::Rotulo(const QString &campo) {
  auto *r = new QLabel;
  r->setTextInteractionFlags(Qt::TextSelectableByMouse);
  campos_.insert(campo, r);
  return r;
}

QString TfrmDetalhesRecolEmp::Valor(const QString &campo) const {
  const QLabel *r = campos_.value(campo);
  return r ? r->text() : QString();
}

bool TfrmDetalhesRecolEmp::Carregar(int indice) {
  if (indice < 0 || indice >= lista_.size())
    return false;
  const TChaveVinculo &c = lista_[indice].Chave;
  TVinculo v;
  if (!v.CarregarPorChave(c.Tipo, c.Categoria, c.Admissao, c.PIS, c.Inscricao)) {
    TUtilitarios::Mensagem(QStringLiteral("FE0108"), dtErro);
    return false;
  }
  // An engine of its own: the simulation's results stay untouched.
  TCalculo calc;
  if (!calc.CalcularVinculo(&v)) {
    const QString codigo = QStringLiteral("%1").arg(calc.CodigoErro, 4, 10, QLatin1Char('0'));
    QStringList args;
    if (calc.CodigoErro == ecIndice)
      args << DataParaQDate(calc.DataEdital()).toString(QStringLiteral("MM/yyyy"))
           << Utilitarios.PeriodoProrata();
    TUtilitarios::ExibirMensagem(QStringLiteral("FE") + codigo, dtErro, 0, QString(), 2, mbOK,
                                 args);
    return false;
  }
  indice_ = indice;
  auto por = [this](const char *campo, const QString &texto) {
    if (QLabel *r = campos_.value(QString::fromUtf8(campo)))
      r->setText(texto);
  };
  por("Empresa:", empresa_);
  por("Data de Pagamento:", Utilitarios.DataParaTexto(calc.DataPagamentoUsada()));
  por("PIS/PASEP:", Utilitarios.FormatarPIS(QString::number(v.NU_PIS).rightJustified(11, u'0')));
  por("Nome:", v.Trabalhador().NO_EMPREGADO.trimmed());
  por("Data de Rescisão:", Utilitarios.DataParaTexto(v.DT_MOVIMENTACAO_VINCULO));
  por("Movimentação:", v.CO_MOVIMENTACAO);
  por("Aviso Prévio:", v.DescricaoAvisoPrevio());
  por("Categoria:", QString::number(v.NU_CATEGORIA).rightJustified(2, u'0'));
  TCentavos depositoJam;
  for (const TBlocoDetalhe &b : Blocos) {
    const TParcelaCalculo &p = calc.*(b.Parcela);
    const QString pre = QString::fromUtf8(b.Titulo) + u'/';
    const bool multa = b.Parcela == &TCalculo::ParcelaMulta;
    const QString valores[] = {Dinheiro(multa ? p.VrBaseMulta : p.VrBase),
                               Dinheiro(p.VrDeposito),
                               Dinheiro(p.VrJam),
                               Dinheiro(p.VrContribuicao),
                               Dinheiro(p.VrMulta),
                               Dinheiro(p.VrMultaContribuicao),
                               p.DtDevida > 0 ? Utilitarios.DataParaTexto(p.DtDevida) : QString()};
    int k = 0;
    for (const char *campo : CamposBloco)
      campos_.value(pre + QString::fromUtf8(campo))->setText(valores[k++]);
    depositoJam += TCentavos::Soma({p.VrDeposito, p.VrJam});
  }
  por("Depósito + JAM:", depositoJam.Formatado());
  por(" Total do Trabalhador", calc.TotalCentavos().Formatado());
  btnAnterior->setEnabled(indice_ > 0);
  btnProximo->setEnabled(indice_ + 1 < lista_.size());
  return true;
}

bool TfrmDetalhesRecolEmp::Mostrar(const QList<TTrabalhadorSimulado> &lista, int indice,
                                   const QString &empresa, QWidget *parent) {
  TfrmDetalhesRecolEmp janela(lista, empresa, parent);
  if (!janela.Carregar(indice))
    return false;
  if (AoMostrar)
    AoMostrar(janela);
  else
    janela.exec();
  return true;
}
