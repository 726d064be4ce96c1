#include "uAbreMovimento.h"

#include "uProgImporta.h"
#include "uSimulaMovimento.h"

#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "registry/unVinculo.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

std::function<void(const TChaveVinculo &)> TfrmAbreMovimento::IncluirComplemento;

namespace {
int MensagemFE(const QString &codigo, int tipo = dtErro, const QStringList &args = {},
               int botoes = mbOK, int padrao = 2) {
  return TUtilitarios::ExibirMensagem(QStringLiteral("FE") + codigo, tipo, 0, QString(), padrao,
                                      botoes, args);
}
} // namespace

TfrmAbreMovimento::TfrmAbreMovimento(QWidget *parent) : QFrame(parent) {
  setObjectName(QStringLiteral("frmAbreMovimento1"));
  auto *titulo = new QLabel(QStringLiteral("Abertura de Movimento"));
  titulo->setObjectName(QStringLiteral("lblTitulo"));
  QFont f = titulo->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  titulo->setFont(f);

  auto *abas = new QTabWidget;
  auto *pagina = new QWidget;
  abas->addTab(pagina, QStringLiteral("Informações Gerais"));
  dteDataRecolhimento = new QLineEdit;
  dteDataRecolhimento->setObjectName(QStringLiteral("dteDataRecolhimento"));
  dteDataRecolhimento->setInputMask(QStringLiteral("99/99/9999;_"));
  dteDataRecolhimento->setFixedWidth(110);
  auto *rotulo = new QLabel(QStringLiteral("&Data de Recolhimento :"));
  rotulo->setBuddy(dteDataRecolhimento);
  auto *linha = new QHBoxLayout;
  linha->addWidget(rotulo);
  linha->addWidget(dteDataRecolhimento);
  linha->addStretch();
  auto *lp = new QVBoxLayout(pagina);
  lp->addLayout(linha);
  lp->addStretch();

  auto botao = [this](const char *nome, const char *texto) {
    auto *b = new QPushButton(QString::fromUtf8(texto), this);
    b->setObjectName(QString::fromLatin1(nome));
    return b;
  };
  btnNovaAbertura = botao("btnNovaAbertura", "&Nova Abertura");
  btnSimulacao = botao("btnSimulacao", "&Simulação");
  btnFechamento = botao("btnFechamento", "Fec&hamento");
  btnSalvar = botao("btnSalvar", "&Salvar");
  btnCancelar = botao("btnCancelar", "&Cancelar");
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  for (QPushButton *b : {btnNovaAbertura, btnSimulacao, btnFechamento, btnSalvar, btnCancelar})
    botoes->addWidget(b);

  auto *l = new QVBoxLayout(this);
  l->addWidget(titulo);
  l->addWidget(abas, 1);
  l->addLayout(botoes);

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &TfrmAbreMovimento::MyOnTimerMessage);
  connect(btnNovaAbertura, &QPushButton::clicked, this, &TfrmAbreMovimento::btnNovaAberturaClick);
  connect(btnCancelar, &QPushButton::clicked, this, &TfrmAbreMovimento::btnCancelarClick);
  connect(btnSalvar, &QPushButton::clicked, this, &TfrmAbreMovimento::btnSalvarClick);
  connect(btnSimulacao, &QPushButton::clicked, this, &TfrmAbreMovimento::btnSimulacaoClick);
  connect(btnFechamento, &QPushButton::clicked, this, &TfrmAbreMovimento::btnFechamentoClick);
  // Enter in the date saves it, as the default button of the edit mode.
  connect(dteDataRecolhimento, &QLineEdit::returnPressed, this, [this] {
    if (edicao_)
      btnSalvarClick();
  });
  ModoEdicao(false);
}

TDateTime TfrmAbreMovimento::DataDigitada() const {
  const QString d = TUtilitarios::Digitos(dteDataRecolhimento->text());
  if (d.isEmpty())
    return NullDate;
  const QDate q = QDate::fromString(d, QStringLiteral("ddMMyyyy"));
  return d.size() == 8 && q.isValid() ? QDateParaData(q) : DataNaoValida;
}

void TfrmAbreMovimento::CarregarTela() {
  dteDataRecolhimento->setText(DataPagamento > 0 ? Utilitarios.DataParaTexto(DataPagamento)
                                                 : QString());
  if (edicao_)
    ModoEdicao(false);
  AtualizarBotoes();
}

void TfrmAbreMovimento::ModoEdicao(bool edicao) {
  edicao_ = edicao;
  btnNovaAbertura->setVisible(!edicao);
  btnSimulacao->setVisible(!edicao);
  btnFechamento->setVisible(!edicao);
  btnSalvar->setVisible(edicao);
  btnCancelar->setVisible(edicao);
  dteDataRecolhimento->setEnabled(edicao);
  if (HabilitarPrincipal)
    HabilitarPrincipal(!edicao);
  if (edicao)
    dteDataRecolhimento->setFocus();
  AtualizarBotoes();
}

void TfrmAbreMovimento::AtualizarBotoes() {
  const bool comData = DataPagamento > 0 && DataDigitada() > 0;
  btnSimulacao->setEnabled(comData);
  btnFechamento->setEnabled(comData);
}

void TfrmAbreMovimento::btnNovaAberturaClick() {
  dataLembrada_ = dteDataRecolhimento->text();
  ModoEdicao(true);
}

void TfrmAbreMovimento::btnCancelarClick() {
  dteDataRecolhimento->setText(dataLembrada_);
  ModoEdicao(false);
}

void TfrmAbreMovimento::btnSalvarClick() {
  const TResultadoAbertura r = TMovimento::Abrir(DataDigitada());
  if (!r.Aberto) {
    if (r.Codigo == QStringLiteral("0063")) {
      MensagemFE(r.Codigo);
      dteDataRecolhimento->setFocus();
      return;
    }
    if (r.Codigo == QStringLiteral("0062") || r.Codigo == QStringLiteral("0144")) {
      MensagemFE(r.Codigo);
      return;
    }
    if (r.Codigo == QStringLiteral("0201")) {
      // The row's text names no place for the range: it follows the text.
      PedidoDialogo p =
          TUtilitarios::MontarMensagem(QStringLiteral("FE0201"), dtErro, QString(), 2, mbOK, {});
      p.Texto += QStringLiteral(" (") + r.Argumento + u')';
      MostrarDialogo(p);
    } else if (!r.Codigo.isEmpty()) {
      MensagemFE(r.Codigo);
    }
    dteDataRecolhimento->clear();
    dteDataRecolhimento->setFocus();
    return;
  }
  ModoEdicao(false);
  CarregarTela();
  if (AtualizarArvore)
    AtualizarArvore();
  // The balance complements of a link not yet closed may be entered now.
  if (IncluirComplemento) {
    TVinculo v;
    v.CarregarAssociados = false;
    v.AbrirDataSet(v.SqlSelect + v.SqlFrom +
                   QStringLiteral(" WHERE VINC.IC_ESTADO_MOVIMENTO <> 2 ORDER BY "
                                  "VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS"));
    if (v.QuantidadeRegistros() > 0) {
      v.Primeiro();
      const TChaveVinculo chave{v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                                v.DT_ADMISSAO_VINCULO};
      PedidoDialogo p;
      p.Tipo = dtConfirmacao;
      p.Titulo = QString::fromUtf8(NomeProduto);
      p.Texto = QStringLiteral("Deseja Incluir Complemento Saldo?");
      p.Botoes = mbYes | mbNo;
      p.BotaoPadrao = 1;
      if (MostrarDialogo(p) == mrYes)
        IncluirComplemento(chave);
    }
  }
}

void TfrmAbreMovimento::btnSimulacaoClick() {
  TfrmSimulaMovimento::Simular(TEscopoMovimento::DeTodos(), window());
  if (AtualizarArvore)
    AtualizarArvore();
}

void TfrmAbreMovimento::btnFechamentoClick() {
  TMovimento movimento;
  const TResultadoMarcacao r = movimento.PrepararFechamento();
  if (!r.Codigo.isEmpty()) {
    if (AtualizarArvore && !r.Falhas.isEmpty())
      AtualizarArvore();
    MensagemFE(r.Codigo, r.Codigo == QStringLiteral("0108") ? dtInformacao : dtErro);
    return;
  }
  if (TUtilitarios::ExibirMensagem(QStringLiteral("990404"), dtConfirmacao, 0, QString(), 1,
                                   mbYes | mbNo) != mrYes)
    return;
  if (!DeclaracaoCienciaFechamento())
    return;
  setEnabled(false);
  if (HabilitarPrincipal)
    HabilitarPrincipal(false);
  ExecutarFechamento(window(), AtualizarArvore);
  if (HabilitarPrincipal)
    HabilitarPrincipal(true);
  setEnabled(true);
  CarregarTela();
}

bool TfrmAbreMovimento::DeclaracaoCienciaFechamento() {
  QDialog d(window());
  d.setObjectName(QStringLiteral("frmDeclaracao"));
  d.setWindowTitle(QStringLiteral("Importante"));
  d.setFixedSize(570, 120);
  auto *l = new QVBoxLayout(&d);
  auto *caixa = new QCheckBox(QStringLiteral("Declaro que foi efetuada a anotação da data de "
                                             "rescisão na CTPS do(s) trabalhador(es)."));
  caixa->setObjectName(QStringLiteral("chkDeclaracao"));
  l->addStretch();
  l->addWidget(caixa);
  l->addStretch();
  declaracao_ = &d;
  chkDeclaracao_ = caixa;
  if (QWidget *dono = window()) {
    const QRect g = dono->frameGeometry();
    d.move(g.center() - QPoint(285, 60));
  }
  Timer1->start();
  const bool aceita = d.exec() == QDialog::Accepted;
  Timer1->stop();
  declaracao_ = nullptr;
  chkDeclaracao_ = nullptr;
  return aceita;
}

void TfrmAbreMovimento::MyOnTimerMessage() {
  // The moment the box is checked the statement is made.
  if (declaracao_ && chkDeclaracao_ && chkDeclaracao_->isChecked()) {
    Timer1->stop();
    declaracao_->accept();
  }
}

bool ExecutarFechamento(QWidget *parent, const std::function<void()> &AtualizarArvore) {
  TfrmProgImporta f(parent);
  f.Preparar(opArquivoRescisorio, QStringLiteral("Geração de arquivo VESK"),
             {QStringLiteral("Calculando VESK")});
  f.setFixedHeight(160);
  f.exec();
  if (AtualizarArvore)
    AtualizarArvore();
  return f.Sucesso;
}
