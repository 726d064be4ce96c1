#include "uFrmFuncionarios.h"

#include "reports/uRelSaldo.h"

#include "UnArvore.h"
#include "uControles.h"
#include "uSaldoRecisorio.h"
#include "unUtilitariosJanela.h"

#include "collection/UnTComplementoSaldo.h"
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unEmpresa.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using U = TUtilitarios;

QLineEdit *Texto(const QString &nome, int maximo, TipoTeclado teclado) {
  auto *e = new QLineEdit;
  e->setObjectName(nome);
  e->setMaxLength(maximo);
  DefinirTeclado(e, teclado);
  return e;
}
TComboCodigo *Lista(const QString &nome) {
  auto *c = new TComboCodigo;
  c->setObjectName(nome);
  return c;
}
TEditData *Data(const QString &nome) {
  auto *d = new TEditData;
  d->setObjectName(nome);
  d->setMaximumWidth(110);
  return d;
}
TEditValor *Valor(const QString &nome) {
  auto *v = new TEditValor;
  v->setObjectName(nome);
  v->setMaximumWidth(150);
  return v;
}
// 5 October 1988: from this admission date on, the option date is the admission date.
const QDate Constituicao(1988, 10, 5);
// From 1 March 2024 the previous month's remuneration is no longer declared.
const QDate SemRemuneracaoAnterior(2024, 3, 1);

// A date field's check as the frame runs it: the message number, or "".
QString CodigoData(const TEditData *d, const char *obrigatoria, const char *invalida) {
  if (d->Vazia())
    return obrigatoria ? QString::fromLatin1(obrigatoria) : QString();
  const TDateTime data = d->Data();
  if (!DataDefinida(data) || U::DataInvalida(data))
    return QString::fromLatin1(invalida);
  return QString();
}
} // namespace

TfrmFuncionarios::TfrmFuncionarios(QWidget *parent)
    : TFramePadrao(QStringLiteral("frmFuncionarios1"), QStringLiteral("Cadastro de Trabalhador"),
                   parent),
      trabalhador_(std::make_unique<TTrabalhador>()) {
  // ------------------------------------------------------------- page 0
  QWidget *p0 =
      AdicionarPagina(QStringLiteral("tbsDadosCadastrais"), QStringLiteral("Dados Cadas&trais"));
  auto *l0 = new QVBoxLayout(p0);
  l0->setSpacing(4);
  grpEmpresa = new QGroupBox(QStringLiteral(" Empresa "));
  lblEmpresa = new QLabel;
  lblEmpresa->setObjectName(QStringLiteral("lblEmpresa"));
  (new QHBoxLayout(grpEmpresa))->addWidget(lblEmpresa);
  l0->addWidget(grpEmpresa);

  auto *grpId = new QGroupBox(QStringLiteral(" Identificação "));
  auto *gi = new QGridLayout(grpId);
  gi->setVerticalSpacing(3);
  edtPisPasep = new TEditMascara(QStringLiteral("999.99999.99-9"));
  edtPisPasep->setObjectName(QStringLiteral("edtPisPasep"));
  cmbCategoria = Lista(QStringLiteral("cmbCategoria"));
  edtNome = Texto(QStringLiteral("edtNome"), 70, tkNome);
  cmbSexo = Lista(QStringLiteral("cmbSexo"));
  cmbSexo->addItems({QStringLiteral("1 - Masculino"), QStringLiteral("2 - Feminino")});
  cmbGrauIns = Lista(QStringLiteral("cmbGrauIns"));
  edtCPF = new TEditMascara(QStringLiteral("999.999.999-99"));
  edtCPF->setObjectName(QStringLiteral("edtCPF"));
  cmbCBO = Lista(QStringLiteral("cmbCBO"));
  edtCTPS = Texto(QStringLiteral("edtCTPS"), 7, tkDigitos);
  edtSerie = Texto(QStringLiteral("edtSerie"), 5, tkDigitos);
  gi->addWidget(RotuloPara(QStringLiteral("&PIS/PASEP:"), edtPisPasep), 0, 0);
  gi->addWidget(edtPisPasep, 0, 1);
  gi->addWidget(RotuloPara(QStringLiteral("Cat&egoria:"), cmbCategoria), 0, 2);
  gi->addWidget(cmbCategoria, 0, 3, 1, 3);
  gi->addWidget(RotuloPara(QStringLiteral("No&me:"), edtNome), 1, 0);
  gi->addWidget(edtNome, 1, 1, 1, 3);
  gi->addWidget(RotuloPara(QStringLiteral("Se&xo:"), cmbSexo), 1, 4);
  gi->addWidget(cmbSexo, 1, 5);
  gi->addWidget(RotuloPara(QStringLiteral("Grau Instr&ução:"), cmbGrauIns), 2, 0);
  gi->addWidget(cmbGrauIns, 2, 1, 1, 3);
  gi->addWidget(RotuloPara(QStringLiteral("C&PF:"), edtCPF), 2, 4);
  gi->addWidget(edtCPF, 2, 5);
  gi->addWidget(RotuloPara(QStringLiteral("C&BO:"), cmbCBO), 3, 0);
  gi->addWidget(cmbCBO, 3, 1);
  gi->addWidget(RotuloPara(QStringLiteral("Carteira de Traba&lho:"), edtCTPS), 3, 2);
  gi->addWidget(edtCTPS, 3, 3);
  gi->addWidget(RotuloPara(QStringLiteral("S&érie:"), edtSerie), 3, 4);
  gi->addWidget(edtSerie, 3, 5);
  gi->setColumnStretch(3, 1);
  l0->addWidget(grpId);

  auto *linha = new QHBoxLayout;
  auto *grpDatas = new QGroupBox(QStringLiteral(" Datas "));
  auto *gd = new QGridLayout(grpDatas);
  gd->setVerticalSpacing(3);
  dtDataNasc = Data(QStringLiteral("dtDataNasc"));
  dtAdmissao = Data(QStringLiteral("dtAdmissao"));
  dtOpcao = Data(QStringLiteral("dtOpcao"));
  gd->addWidget(RotuloPara(QStringLiteral("Nasc&imento:"), dtDataNasc), 0, 0);
  gd->addWidget(dtDataNasc, 0, 1);
  gd->addWidget(RotuloPara(QStringLiteral("&Admissão:"), dtAdmissao), 1, 0);
  gd->addWidget(dtAdmissao, 1, 1);
  gd->addWidget(RotuloPara(QStringLiteral("Op&ção:"), dtOpcao), 2, 0);
  gd->addWidget(dtOpcao, 2, 1);
  linha->addWidget(grpDatas);
  auto *grpMov = new QGroupBox(QStringLiteral(" Movimentação "));
  auto *gm = new QGridLayout(grpMov);
  gm->setVerticalSpacing(3);
  cmbMovimentacao = Lista(QStringLiteral("cmbMovimentacao"));
  dtMovimentacao = Data(QStringLiteral("dtMovimentacao"));
  gm->addWidget(RotuloPara(QStringLiteral("C&ódigo:"), cmbMovimentacao), 0, 0);
  gm->addWidget(cmbMovimentacao, 0, 1);
  gm->addWidget(RotuloPara(QStringLiteral("&Data:"), dtMovimentacao), 1, 0);
  gm->addWidget(dtMovimentacao, 1, 1);
  gm->setColumnStretch(1, 1);
  linha->addWidget(grpMov, 1);
  auto *grpAviso = new QGroupBox(QStringLiteral(" Aviso Prévio "));
  auto *ga = new QGridLayout(grpAviso);
  ga->setVerticalSpacing(3);
  cmbAviso = Lista(QStringLiteral("cmbAviso"));
  cmbAviso->addItems({QStringLiteral("1 - Trabalhado"), QStringLiteral("2 - Indenizado"),
                      QStringLiteral("3 - Ausência/Dispensa")});
  dtAviso = Data(QStringLiteral("dtAviso"));
  ga->addWidget(RotuloPara(QStringLiteral("Tip&o:"), cmbAviso), 0, 0);
  ga->addWidget(cmbAviso, 0, 1);
  ga->addWidget(RotuloPara(QStringLiteral("In&ício:"), dtAviso), 1, 0);
  ga->addWidget(dtAviso, 1, 1);
  linha->addWidget(grpAviso);
  l0->addLayout(linha);

  auto *grpOutros = new QGroupBox(QStringLiteral("Outros:"));
  auto *go = new QGridLayout(grpOutros);
  go->setVerticalSpacing(3);
  edtHTrab = Texto(QStringLiteral("edtHTrab"), 2, tkDigitos);
  edtHTrab->setMaximumWidth(40);
  cmbVagas = new QComboBox;
  cmbVagas->setObjectName(QStringLiteral("cmbVagas"));
  cmbVagas->addItems({QStringLiteral("Sim"), QStringLiteral("Não")});
  cmbSaque = Lista(QStringLiteral("cmbSaque"));
  cmbConsignado = new QComboBox;
  cmbConsignado->setObjectName(QStringLiteral("cmbConsignado"));
  cmbConsignado->addItems({QStringLiteral("Sim"), QStringLiteral("Não")});
  edtDDDTelTrabalhador = Texto(QStringLiteral("edtDDDTelTrabalhador"), 2, tkDigitos);
  edtDDDTelTrabalhador->setMaximumWidth(40);
  edtTelTrabalhador = Texto(QStringLiteral("edtTelTrabalhador"), 9, tkDigitos);
  go->addWidget(RotuloPara(QStringLiteral("&Horas Semanais:"), edtHTrab), 0, 0);
  go->addWidget(edtHTrab, 0, 1);
  go->addWidget(cmbVagas, 0, 2);
  go->addWidget(RotuloPara(QStringLiteral("Sa&que:"), cmbSaque), 0, 3);
  go->addWidget(cmbSaque, 0, 4);
  go->addWidget(cmbConsignado, 0, 5);
  go->addWidget(RotuloPara(QStringLiteral("Celula&r:"), edtDDDTelTrabalhador), 1, 0);
  auto *tel = new QHBoxLayout;
  tel->addWidget(edtDDDTelTrabalhador);
  tel->addWidget(edtTelTrabalhador);
  tel->addStretch();
  go->addLayout(tel, 1, 1, 1, 4);
  go->setColumnStretch(4, 1);
  cmbVagas->hide();
  cmbConsignado->hide();
  l0->addWidget(grpOutros);
  l0->addStretch();

  // ------------------------------------------------------------- page 1
  QWidget *p1 =
      AdicionarPagina(QStringLiteral("tbsDadosFinanceiros"), QStringLiteral("Dados Fi&nanceiros"));
  auto *g1 = new QGridLayout(p1);
  auto *grpDissidio = new QGroupBox(QStringLiteral(" Dissídio "));
  auto *gds = new QGridLayout(grpDissidio);
  dtDissidio = Data(QStringLiteral("dtDissidio"));
  edtVrDissidio = Valor(QStringLiteral("edtVrDissidio"));
  gds->addWidget(RotuloPara(QStringLiteral("&Data:"), dtDissidio), 0, 0);
  gds->addWidget(dtDissidio, 0, 1);
  gds->addWidget(RotuloPara(QStringLiteral("Va&lor:"), edtVrDissidio), 1, 0);
  gds->addWidget(edtVrDissidio, 1, 1);
  g1->addWidget(grpDissidio, 0, 0);
  auto *grpRem = new QGroupBox(QStringLiteral(" Remuneração "));
  auto *gr = new QGridLayout(grpRem);
  edtAntResc = Valor(QStringLiteral("edtAntResc"));
  edtRescisao = Valor(QStringLiteral("edtRescisao"));
  EdtAvisoPrevio = Valor(QStringLiteral("EdtAvisoPrevio"));
  gr->addWidget(RotuloPara(QStringLiteral("&Mês Anterior:"), edtAntResc), 0, 0);
  gr->addWidget(edtAntResc, 0, 1);
  gr->addWidget(RotuloPara(QStringLiteral("Mês da &Rescisão:"), edtRescisao), 1, 0);
  gr->addWidget(edtRescisao, 1, 1);
  gr->addWidget(RotuloPara(QStringLiteral("Aviso Prévio Inden&izado:"), EdtAvisoPrevio), 2, 0);
  gr->addWidget(EdtAvisoPrevio, 2, 1);
  g1->addWidget(grpRem, 0, 1, 2, 1);
  auto *grpPensao = new QGroupBox(QStringLiteral(" Pensão Alimentícia "));
  auto *gp = new QGridLayout(grpPensao);
  CmbIndPensao = new TComboCodigo;
  CmbIndPensao->setObjectName(QStringLiteral("CmbIndPensao"));
  CmbIndPensao->addItems(
      {QStringLiteral("Não existe"), QStringLiteral("Percentual"), QStringLiteral("Valor")});
  edtValorPensao = Valor(QStringLiteral("edtValorPensao"));
  lblValorPensao = RotuloPara(QStringLiteral("Valor:"), edtValorPensao);
  lblValorPensao->setObjectName(QStringLiteral("lblValorPensao"));
  gp->addWidget(RotuloPara(QStringLiteral("&Indicador:"), CmbIndPensao), 0, 0);
  gp->addWidget(CmbIndPensao, 0, 1);
  gp->addWidget(lblValorPensao, 1, 0);
  gp->addWidget(edtValorPensao, 1, 1);
  g1->addWidget(grpPensao, 1, 0);
  auto *grpSaldo = new QGroupBox(QStringLiteral("Valor Base para Fins Rescisórios"));
  auto *gs = new QGridLayout(grpSaldo);
  EdtSaldoResc = Valor(QStringLiteral("EdtSaldoResc"));
  btnFinsResc = new QPushButton(QStringLiteral("..."));
  btnFinsResc->setObjectName(QStringLiteral("btnFinsResc"));
  btnFinsResc->setMaximumWidth(30);
  EdtSaldoRescInfoEmp = Valor(QStringLiteral("EdtSaldoRescInfoEmp"));
  gs->addWidget(RotuloPara(QStringLiteral("Informado pela V&ORDA:"), EdtSaldoResc), 0, 0);
  gs->addWidget(EdtSaldoResc, 0, 1);
  gs->addWidget(btnFinsResc, 0, 2);
  gs->addWidget(RotuloPara(QStringLiteral("Informado pelo &Empregador:"), EdtSaldoRescInfoEmp), 1,
                0);
  gs->addWidget(EdtSaldoRescInfoEmp, 1, 1);
  g1->addWidget(grpSaldo, 2, 0, 1, 2);
  auto *grpBanco = new QGroupBox(QStringLiteral(" Dados Bancários "));
  auto *gb = new QGridLayout(grpBanco);
  edtBanco = Texto(QStringLiteral("edtBanco"), 3, tkDigitos);
  edtAgencia = Texto(QStringLiteral("edtAgencia"), 4, tkDigitos);
  edtConta = Texto(QStringLiteral("edtConta"), 13, tkDigitos);
  gb->addWidget(RotuloPara(QStringLiteral("&Banco:"), edtBanco), 0, 0);
  gb->addWidget(edtBanco, 0, 1);
  gb->addWidget(RotuloPara(QStringLiteral("Ag&ência:"), edtAgencia), 0, 2);
  gb->addWidget(edtAgencia, 0, 3);
  gb->addWidget(RotuloPara(QStringLiteral("Cont&a:"), edtConta), 0, 4);
  gb->addWidget(edtConta, 0, 5);
  g1->addWidget(grpBanco, 3, 0, 1, 2);
  auto *grpTomador = new QGroupBox(QStringLiteral(" Inscrição Tomador"));
  auto *gt = new QGridLayout(grpTomador);
  cmbTipo = new TComboCodigo;
  cmbTipo->setObjectName(QStringLiteral("cmbTipo"));
  cmbTipo->addItems({QStringLiteral("1 - CNPJ"), QStringLiteral("2 - CEI")});
  edtInscricao = new TEditMascara;
  edtInscricao->setObjectName(QStringLiteral("edtInscricao"));
  LigarTipoInscricao(cmbTipo, edtInscricao);
  gt->addWidget(RotuloPara(QStringLiteral("Ti&po:"), cmbTipo), 0, 0);
  gt->addWidget(cmbTipo, 0, 1);
  gt->addWidget(RotuloPara(QStringLiteral("Inscri&ção:"), edtInscricao), 0, 2);
  gt->addWidget(edtInscricao, 0, 3);
  g1->addWidget(grpTomador, 4, 0, 1, 2);
  g1->setRowStretch(5, 1);

  // ------------------------------------------------------------- page 2
  QWidget *p2 =
      AdicionarPagina(QStringLiteral("tbsConsignado"), QStringLiteral("Dados Consi&gnado"));
  auto *g2 = new QGridLayout(p2);
  g2->addWidget(new QLabel(QStringLiteral("Inst. Consignatária:")), 0, 0);
  g2->addWidget(new QComboBox, 0, 1);
  g2->addWidget(new QLabel(QStringLiteral("Número Contrato:")), 1, 0);
  g2->addWidget(new QLineEdit, 1, 1);
  g2->addWidget(new QLabel(QStringLiteral("Data Assinatura:")), 2, 0);
  g2->addWidget(new TEditData, 2, 1);
  g2->addWidget(new QPushButton(QStringLiteral("&Incluir")), 3, 0);
  g2->addWidget(new QPushButton(QStringLiteral("E&xcluir")), 3, 1);
  grdConsignado = new QTableWidget(0, 3);
  grdConsignado->setObjectName(QStringLiteral("grdConsignado"));
  grdConsignado->setHorizontalHeaderLabels({QStringLiteral("Inst. Consignatária"),
                                            QStringLiteral("Número Contrato"),
                                            QStringLiteral("Data Assinatura")});
  g2->addWidget(grdConsignado, 4, 0, 1, 2);
  p2->setEnabled(false);
  pgcPrincipal->setTabVisible(2, false);

  // ------------------------------------------------------------- page 3
  QWidget *p3 =
      AdicionarPagina(QStringLiteral("tbsReposicaoVagas"), QStringLiteral("Reposição &Vagas"));
  auto *g3 = new QGridLayout(p3);
  const char *rotulos[] = {
      "Vaga para PNE:", "CBO:", "Disponibilizar Vaga APP:", "Telefone:", "e-mail:"};
  for (int i = 0; i < 5; ++i) {
    g3->addWidget(new QLabel(QString::fromUtf8(rotulos[i])), i, 0);
    g3->addWidget(i < 3 ? static_cast<QWidget *>(new QComboBox)
                        : static_cast<QWidget *>(new QLineEdit),
                  i, 1);
  }
  g3->setRowStretch(5, 1);
  p3->setEnabled(false);

  btnOcorrenciaSaldo =
      AdicionarBotao(QStringLiteral("btnOcorrenciaSaldo"), QStringLiteral("&Ocorrência Saldo"));
  connect(btnOcorrenciaSaldo, &QPushButton::clicked, this, [this] {
    // The balance-occurrence report of the link shown.
    const TVinculo &v = Trabalhador().Vinculo();
    const TChaveVinculo chave{v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                              v.DT_ADMISSAO_VINCULO};
    ImprimirOcorrenciaSaldoVinculo(chave, PrefixoMensagem, this);
  });

  // The automatic fillings.
  connect(edtPisPasep, &QLineEdit::editingFinished, this, &TfrmFuncionarios::edtPisPasepExit);
  connect(cmbCategoria, &QComboBox::currentIndexChanged, this, [this] {
    if (carregando_ == 0)
      CategoriaAlterada();
  });
  connect(dtAdmissao, &QLineEdit::editingFinished, this, &TfrmFuncionarios::dtAdmissaoExit);
  for (QLineEdit *d :
       {static_cast<QLineEdit *>(dtAdmissao), static_cast<QLineEdit *>(dtMovimentacao)})
    connect(d, &QLineEdit::textChanged, this, [this] {
      if (carregando_ == 0)
        AtualizarRemuneracaoAnterior();
    });
  connect(cmbMovimentacao, &QComboBox::currentIndexChanged, this, [this] {
    if (carregando_ == 0 && EmEdicao())
      AtualizarSaldoBase();
  });
  for (QLineEdit *e :
       {static_cast<QLineEdit *>(dtDissidio), static_cast<QLineEdit *>(edtVrDissidio)})
    connect(e, &QLineEdit::editingFinished, this, [this] {
      if (EmEdicao())
        AtualizarSaldoBase();
    });
  connect(CmbIndPensao, &QComboBox::currentIndexChanged, this, [this] {
    if (carregando_ == 0)
      AtualizarPensao();
  });
  connect(btnFinsResc, &QPushButton::clicked, this, &TfrmFuncionarios::btnFinsRescClick);
  PrepararControles();
  cmbSaque->installEventFilter(this);
  for (int i = 0; i < pgcPrincipal->count(); ++i)
    pgcPrincipal->widget(i)->setEnabled(false);
}

TfrmFuncionarios::~TfrmFuncionarios() = default;

void TfrmFuncionarios::PreencherListas() {
  if (listas_)
    return;
  TCarga carga(this);
  PreencherCombo(cmbCategoria,
                 QStringLiteral("SELECT LPAD(CAST(NU_CATEGORIA AS VARCHAR(2)), 2, '0') || ' - ' || "
                                "DE_CATEGORIA FROM QZLTBT04_CATEGORIA_EMPREGADO"));
  PreencherCombo(cmbGrauIns, QStringLiteral("SELECT LPAD(CAST(NU_GRAU_INSTRUCAO AS VARCHAR(2)), "
                                            "2, '0') || ' - ' || DE_GRAU_INSTRUCAO FROM "
                                            "QZLTBT09_TIPO_GRAU_INSTRUCAO"));
  PreencherCombo(cmbCBO, QStringLiteral("SELECT CO_CBO FROM QZLTBT05_OCUPACAO_NIVEL_4"));
  PreencherCombo(cmbMovimentacao,
                 QStringLiteral("SELECT CO_MOVIMENTACAO || ' - ' || DE_MOVIMENTACAO FROM "
                                "QZLTBT07_TIPO_MOVIMENTACAO WHERE CO_MOVIMENTACAO <> 'I6'"));
  PreencherCombo(cmbSaque, QStringLiteral("SELECT CO_SAQUE || ' - ' || DE_SAQUE FROM "
                                          "QZLTBT06_MOTIVO_SAQUE"));
  for (QComboBox *c : {static_cast<QComboBox *>(cmbCategoria), static_cast<QComboBox *>(cmbGrauIns),
                       static_cast<QComboBox *>(cmbCBO), static_cast<QComboBox *>(cmbMovimentacao),
                       static_cast<QComboBox *>(cmbSaque)})
    c->setCurrentIndex(-1);
  listas_ = true;
}

void TfrmFuncionarios::DesligarConsignacaoEVagas() {
  // Switched off in this screen: no consignment, no vacancy replacement.
  TCarga carga(this);
  cmbConsignado->setCurrentIndex(1);
  cmbConsignado->setEnabled(false);
  cmbConsignado->hide();
  grdConsignado->setRowCount(0);
  pgcPrincipal->widget(2)->setEnabled(false);
  pgcPrincipal->widget(3)->setEnabled(false);
  for (QWidget *w : pgcPrincipal->widget(3)->findChildren<QWidget *>()) {
    if (auto *c = qobject_cast<QComboBox *>(w))
      c->setCurrentIndex(-1);
    else if (auto *e = qobject_cast<QLineEdit *>(w))
      e->clear();
  }
}

void TfrmFuncionarios::LimparTela() {
  TFramePadrao::LimparTela();
  TCarga carga(this);
  lblEmpresa->clear();
  CmbIndPensao->setCurrentIndex(-1);
  cmbVagas->setCurrentIndex(1);
  DesligarConsignacaoEVagas();
}

bool TfrmFuncionarios::PossuiContas() const {
  const TVinculo &v = trabalhador_->Vinculo();
  TContaSaldoTrabalhador contas;
  contas.CarregarAssociados = false;
  contas.DefinirChave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                      v.DT_ADMISSAO_VINCULO);
  return ModoEdicao != meInclusao && contas.ExisteSaldo();
}

void TfrmFuncionarios::AtualizarLegendas() {
  const QString pis = U::FormatarPIS(edtPisPasep->Digitos());
  const QString texto = edtPisPasep->Digitos().isEmpty()
                            ? QString()
                            : pis + QStringLiteral(" - ") + edtNome->text().trimmed();
  for (int i = 1; i < pgcPrincipal->count(); ++i)
    pgcPrincipal->widget(i)->setToolTip(texto);
  pgcPrincipal->setToolTip(texto);
}

void TfrmFuncionarios::CarregarTela() {
  TCarga carga(this);
  PreencherListas();
  LimparTela();
  trabalhador_ = std::make_unique<TTrabalhador>();
  const TRecArvore no = Arvore.Atual;
  tipoEmpresa_ = no.TipoInscricao;
  inscricaoEmpresa_ = no.Inscricao;
  // The employer's inscription: a CNPJ in its mask, a CEI as its 12 digits.
  const QString inscricao =
      no.TipoInscricao == 1 ? U::FormatarCNPJ(U::CompletarZeros(QString::number(no.Inscricao), 14))
                            : U::CompletarZeros(QString::number(no.Inscricao), 12);
  lblEmpresa->setText(inscricao + QStringLiteral(" - ") + Arvore.NomeEmpresaAtual());
  if (ModoEdicao == meInclusao) {
    pgcPrincipal->setCurrentIndex(0);
    return;
  }
  PrefixoMensagem = QStringLiteral("40");
  TTrabalhador &t = Trabalhador();
  if (!t.CarregarPorVinculo(no.TipoInscricao, QString::number(no.Inscricao), no.DataAdmissao,
                            no.Categoria, QString::number(no.PIS)))
    return;
  TVinculo &v = t.Vinculo();
  TRescisao &r = v.Rescisao();
  edtPisPasep->DefinirDigitos(t.NU_PIS);
  edtCTPS->setText(t.NU_CTPS.trimmed());
  edtSerie->setText(t.NU_SERIE_CTPS.trimmed());
  cmbSexo->setCurrentIndex(t.IC_SEXO - 1);
  cmbGrauIns->SelecionarCodigo(U::CompletarZeros(t.NU_GRAU_INSTRUCAO.trimmed(), 2));
  edtCPF->DefinirDigitos(t.NU_INSCRICAO_CPF);
  edtNome->setText(t.NO_EMPREGADO.trimmed());
  dtDataNasc->DefinirData(t.DT_NASCIMENTO);
  edtDDDTelTrabalhador->setText(t.NU_DDD_CELULAR > 0 ? QString::number(t.NU_DDD_CELULAR)
                                                     : QString());
  edtTelTrabalhador->setText(t.NU_TEL_CELULAR > 0 ? QString::number(t.NU_TEL_CELULAR) : QString());
  if (v.NU_TIPO_INSO_TMDR > 0) {
    cmbTipo->setCurrentIndex(v.NU_TIPO_INSO_TMDR - 1);
    edtInscricao->DefinirDigitos(U::CompletarZeros(QString::number(v.NU_INSCRICAO_TMDR),
                                                   v.NU_TIPO_INSO_TMDR == 2 ? 12 : 14));
  }
  cmbCategoria->SelecionarCodigo(U::CompletarZeros(QString::number(v.NU_CATEGORIA), 2) +
                                 QStringLiteral(" "));
  cmbCBO->SelecionarCodigo(v.CO_CBO.trimmed());
  if (!v.CO_SAQUE.trimmed().isEmpty())
    cmbSaque->SelecionarCodigo(v.CO_SAQUE.trimmed() + QStringLiteral(" "));
  if (!v.CO_MOVIMENTACAO.trimmed().isEmpty())
    cmbMovimentacao->SelecionarCodigo(v.CO_MOVIMENTACAO.trimmed() + QStringLiteral(" "));
  cmbAviso->setCurrentIndex(v.IC_AVISO_PREVIO - 1);
  edtHTrab->setText(v.QT_HORAS_TRBS_SMNA > 0 ? QString::number(v.QT_HORAS_TRBS_SMNA) : QString());
  dtAdmissao->DefinirData(v.DT_ADMISSAO_VINCULO);
  dtOpcao->DefinirData(v.DT_OPCAO);
  dtMovimentacao->DefinirData(v.DT_MOVIMENTACAO_VINCULO);
  dtAviso->DefinirData(v.DT_INICIO_AVISO_PRVO);
  edtBanco->setText(v.NU_BANCO_CONTA.trimmed());
  edtAgencia->setText(v.NU_AGENCIA_CONTA.trimmed());
  edtConta->setText(v.NU_CONTA_BANCARIA.trimmed());
  cmbVagas->setCurrentIndex(v.IC_REPOSICAO_VAGAS.trimmed().toUpper() == QLatin1String("S") ? 0 : 1);
  dtDissidio->DefinirData(r.DT_DISSIDIO);
  edtVrDissidio->DefinirValor(r.VR_DISSIDIO);
  edtAntResc->DefinirValor(r.VR_REMUNERACAO_ANTERIOR_RSCSO);
  edtRescisao->DefinirValor(r.VR_REMUNERACAO_RESCISAO);
  EdtAvisoPrevio->DefinirValor(r.VR_AVISO_PREVIO);
  origemSaldo_ = r.IC_ORIGEM_SALDO_RESCISORIO.trimmed().toUpper();
  saldoGravado_ = U::ParaCentavos(r.VR_SALDO_RESCISORIO);
  if (origemSaldo_ == QLatin1String("C"))
    EdtSaldoResc->DefinirCentavos(saldoGravado_);
  else
    EdtSaldoRescInfoEmp->DefinirCentavos(saldoGravado_);
  const QString pensao = r.IC_TIPO_PNSO_ALMNA.trimmed().toUpper();
  CmbIndPensao->setCurrentIndex(pensao == QLatin1String("P")   ? 1
                                : pensao == QLatin1String("V") ? 2
                                                               : 0);
  edtValorPensao->DefinirValor(r.VR_PENSAO_ALMNA);
  AtualizarPensao();
  DesligarConsignacaoEVagas();
  AtualizarLegendas();
  if (!EmEdicao()) {
    pgcPrincipal->setCurrentIndex(0);
    Visualizar();
  }
}

void TfrmFuncionarios::Visualizar() {
  for (int i = 0; i < pgcPrincipal->count(); ++i)
    pgcPrincipal->widget(i)->setEnabled(false);
  btnAlterar->setEnabled(alteracaoPermitida_);
}

void TfrmFuncionarios::PermitirAlteracao(bool permitir) {
  alteracaoPermitida_ = permitir;
  if (!EmEdicao())
    btnAlterar->setEnabled(permitir);
}

void TfrmFuncionarios::NovoTrabalhador() {
  ModoEdicao = meInclusao;
  CarregarTela();
  PrefixoMensagem = QStringLiteral("40");
  trabalhadorExiste_ = false;
  HabilitarEdicao(false);
  btnAlterar->hide();
  btnExcluir->hide();
  pgcPrincipal->widget(0)->setEnabled(true);
  pgcPrincipal->widget(1)->setEnabled(true);
  for (QWidget *w : {static_cast<QWidget *>(edtPisPasep), static_cast<QWidget *>(cmbCategoria),
                     static_cast<QWidget *>(dtAdmissao), static_cast<QWidget *>(dtOpcao)})
    w->setEnabled(true);
  {
    TCarga carga(this);
    CmbIndPensao->setCurrentIndex(0);
    cmbVagas->setCurrentIndex(1);
  }
  AtualizarPensao();
  AtualizarSaldoBase();
  AtualizarRemuneracaoAnterior();
  pgcPrincipal->setCurrentIndex(0);
  edtPisPasep->setFocus();
}

void TfrmFuncionarios::btnAlterarClick() {
  PrefixoMensagem = QStringLiteral("40");
  TFramePadrao::btnAlterarClick();
  pgcPrincipal->widget(0)->setEnabled(true);
  pgcPrincipal->widget(1)->setEnabled(true);
  // The link key cannot change.
  for (QWidget *w : {static_cast<QWidget *>(edtPisPasep), static_cast<QWidget *>(cmbCategoria),
                     static_cast<QWidget *>(dtAdmissao), static_cast<QWidget *>(dtOpcao)})
    w->setEnabled(false);
  trabalhadorExiste_ = true;
  DesligarConsignacaoEVagas();
  CategoriaAlterada();
  AtualizarRemuneracaoAnterior();
  AtualizarSaldoBase();
  AtualizarPensao();
  pgcPrincipal->setCurrentIndex(0);
  edtNome->setFocus();
}

// ------------------------------------------------------ automatic fillings --

void TfrmFuncionarios::edtPisPasepExit() {
  if (!EmEdicao() || ModoEdicao != meInclusao || verificandoPis_)
    return;
  // Leaving towards "&Cancelar" or a page tab gives the number up unchecked.
  QWidget *destino = QApplication::focusWidget();
  if (destino == btnCancelar || qobject_cast<QTabBar *>(destino))
    return;
  const QString pis = edtPisPasep->Digitos();
  if (pis.isEmpty())
    return;
  TTrabalhador existente;
  existente.CarregarAssociados = false;
  if (!existente.CarregarPorPIS(pis))
    return;
  verificandoPis_ = true;
  auto preenchido = [](const QString &t) {
    QString s = t;
    s.remove(u'/').remove(u'.').remove(u'-').remove(u' ');
    return !s.isEmpty();
  };
  const bool digitado = preenchido(edtNome->text()) || cmbGrauIns->currentIndex() >= 0 ||
                        preenchido(edtCTPS->text()) || preenchido(edtSerie->text()) ||
                        !dtDataNasc->Vazia() || preenchido(edtCPF->Digitos());
  if (!digitado || Perguntar(QStringLiteral("0453"))) {
    edtNome->setText(existente.NO_EMPREGADO.trimmed());
    cmbGrauIns->SelecionarCodigo(U::CompletarZeros(existente.NU_GRAU_INSTRUCAO.trimmed(), 2));
    edtCTPS->setText(existente.NU_CTPS.trimmed());
    edtSerie->setText(existente.NU_SERIE_CTPS.trimmed());
    cmbSexo->setCurrentIndex(existente.IC_SEXO - 1);
    dtDataNasc->DefinirData(existente.DT_NASCIMENTO);
    edtCPF->DefinirDigitos(existente.NU_INSCRICAO_CPF);
    edtDDDTelTrabalhador->setText(
        existente.NU_DDD_CELULAR > 0 ? QString::number(existente.NU_DDD_CELULAR) : QString());
    edtTelTrabalhador->setText(
        existente.NU_TEL_CELULAR > 0 ? QString::number(existente.NU_TEL_CELULAR) : QString());
    cmbCategoria->setCurrentIndex(-1);
    cmbAviso->setCurrentIndex(-1);
    cmbSaque->setCurrentIndex(-1);
    trabalhadorExiste_ = true;
  }
  verificandoPis_ = false;
}

void TfrmFuncionarios::CategoriaAlterada() {
  const int categoria = U::ParaInteiro(cmbCategoria->Codigo(2));
  if (categoria == 6) {
    cmbCBO->SelecionarCodigo(QStringLiteral("005121"));
    cmbCBO->setEnabled(false);
  } else {
    cmbCBO->setEnabled(true);
    cmbMovimentacao->setEnabled(true);
  }
  if (categoria == 5) {
    if (edtCTPS->isEnabled()) {
      ctpsGuardada_ = edtCTPS->text();
      serieGuardada_ = edtSerie->text();
    }
    edtCTPS->clear();
    edtSerie->clear();
    edtCTPS->setEnabled(false);
    edtSerie->setEnabled(false);
    if (!trabalhadorExiste_) {
      cmbAviso->setCurrentIndex(2);
      cmbAviso->setEnabled(false);
    }
  } else {
    if (!edtCTPS->isEnabled()) {
      edtCTPS->setText(ctpsGuardada_);
      edtSerie->setText(serieGuardada_);
    }
    edtCTPS->setEnabled(true);
    edtSerie->setEnabled(true);
    cmbAviso->setEnabled(true);
  }
  DesligarConsignacaoEVagas();
}

void TfrmFuncionarios::dtAdmissaoExit() {
  if (!EmEdicao() || !dtAdmissao->isEnabled())
    return;
  const TDateTime admissao = dtAdmissao->Data();
  if (!dtAdmissao->Completo() || !DataDefinida(admissao) || U::DataInvalida(admissao))
    return;
  if (DataParaQDate(admissao) >= Constituicao) {
    dtOpcao->DefinirData(admissao);
    dtOpcao->setEnabled(false);
  } else {
    dtOpcao->setEnabled(true);
  }
  AtualizarRemuneracaoAnterior();
}

void TfrmFuncionarios::AtualizarRemuneracaoAnterior() {
  if (!EmEdicao())
    return;
  const QDate admissao = DataParaQDate(dtAdmissao->Data());
  const QDate movimento = DataParaQDate(dtMovimentacao->Data());
  const bool mesmoMes = admissao.isValid() && movimento.isValid() &&
                        admissao.year() == movimento.year() &&
                        admissao.month() == movimento.month();
  const bool semAnterior = movimento.isValid() && movimento >= SemRemuneracaoAnterior;
  if (mesmoMes || semAnterior) {
    edtAntResc->DefinirCentavos(0);
    edtAntResc->setEnabled(false);
  } else {
    edtAntResc->setEnabled(true);
  }
}

void TfrmFuncionarios::AtualizarSaldoBase() {
  const bool semDissidio = edtVrDissidio->Centavos() == 0 && dtDissidio->Vazia();
  const bool i3 = cmbMovimentacao->Codigo(2).toUpper() == QLatin1String("I3");
  const bool contas = PossuiContas();
  if (ModoEdicao == meAlteracao && semDissidio && !i3) {
    EdtSaldoResc->DefinirCentavos(0);
    EdtSaldoRescInfoEmp->DefinirCentavos(0);
    if (origemSaldo_ != QLatin1String("C") && !contas) {
      EdtSaldoRescInfoEmp->DefinirCentavos(saldoGravado_);
      EdtSaldoRescInfoEmp->setEnabled(true);
      btnFinsResc->setEnabled(false);
    } else {
      EdtSaldoResc->DefinirCentavos(saldoGravado_);
      btnFinsResc->setEnabled(true);
      EdtSaldoRescInfoEmp->setEnabled(false);
    }
  } else {
    EdtSaldoResc->DefinirCentavos(0);
    btnFinsResc->setEnabled(false);
    EdtSaldoRescInfoEmp->setEnabled(!contas);
  }
  // The bank's value is only ever chosen through "...".
  EdtSaldoResc->setEnabled(false);
}

void TfrmFuncionarios::AtualizarPensao() {
  switch (CmbIndPensao->currentIndex()) {
  case 1:
    lblValorPensao->setText(QStringLiteral("Percentual:"));
    edtValorPensao->DefinirMaximo(10000);
    if (edtValorPensao->Centavos() > 10000)
      edtValorPensao->DefinirCentavos(0);
    edtValorPensao->setEnabled(EmEdicao());
    break;
  case 2:
    lblValorPensao->setText(QStringLiteral("Valor:"));
    edtValorPensao->DefinirMaximo(0);
    edtValorPensao->setEnabled(EmEdicao());
    break;
  default:
    lblValorPensao->setText(QStringLiteral("Valor:"));
    edtValorPensao->DefinirCentavos(0);
    edtValorPensao->setEnabled(false);
    break;
  }
}

// ------------------------------------------------------------------ checks --

bool TfrmFuncionarios::ValidarTela() {
  DesligarConsignacaoEVagas();
  TTrabalhador &t = Trabalhador();
  TVinculo &v = t.Vinculo();
  TRescisao &r = v.Rescisao();
  t.NU_PIS = edtPisPasep->Digitos();
  t.NO_EMPREGADO = edtNome->text();
  t.IC_SEXO = cmbSexo->currentIndex() + 1;
  t.NU_GRAU_INSTRUCAO = cmbGrauIns->Codigo(2);
  t.NU_INSCRICAO_CPF = edtCPF->Digitos();
  t.NU_CTPS = edtCTPS->text().trimmed();
  t.NU_SERIE_CTPS = edtSerie->text().trimmed();
  t.DT_NASCIMENTO = dtDataNasc->Data();
  t.NU_DDD_CELULAR = U::ParaInteiro(edtDDDTelTrabalhador->text());
  t.NU_TEL_CELULAR = U::ParaInteiro(edtTelTrabalhador->text());

  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(tipoEmpresa_);
  v.NU_INSCRICAO = inscricaoEmpresa_;
  v.NU_PIS = U::ParaInteiro64(t.NU_PIS);
  v.NU_CATEGORIA = static_cast<qint8>(U::ParaInteiro(cmbCategoria->Codigo(2)));
  v.DT_ADMISSAO_VINCULO = dtAdmissao->Data();
  v.DT_OPCAO = dtOpcao->Data();
  v.CO_CBO = cmbCBO->Codigo(6);
  v.CO_MOVIMENTACAO = cmbMovimentacao->Codigo(2);
  v.DT_MOVIMENTACAO_VINCULO = dtMovimentacao->Data();
  v.IC_AVISO_PREVIO = static_cast<quint8>(cmbAviso->currentIndex() + 1);
  v.DT_INICIO_AVISO_PRVO = dtAviso->Data();
  v.QT_HORAS_TRBS_SMNA = U::ParaInteiro(edtHTrab->text());
  v.CO_SAQUE = cmbSaque->Codigo(2);
  v.NU_TIPO_INSO_TMDR = static_cast<quint8>(cmbTipo->currentIndex() + 1);
  v.NU_INSCRICAO_TMDR = U::ParaInteiro64(edtInscricao->Digitos());
  v.NU_BANCO_CONTA = edtBanco->text().trimmed();
  v.NU_AGENCIA_CONTA = edtAgencia->text().trimmed();
  v.NU_CONTA_BANCARIA = edtConta->text().trimmed();
  v.IC_CONSIGNADO = QStringLiteral("N");
  v.IC_REPOSICAO_VAGAS = cmbVagas->currentIndex() == 0 ? QStringLiteral("S") : QStringLiteral("N");
  TTrabalhador::DefinirListaConsignacoes(ListaConsignacoesVazia());

  r.NU_TIPO_INSO_EMPRA = v.NU_TIPO_INSO_EMPRA;
  r.NU_INSCRICAO = v.NU_INSCRICAO;
  r.NU_PIS = v.NU_PIS;
  r.NU_CATEGORIA = v.NU_CATEGORIA;
  r.DT_ADMISSAO_VINCULO = v.DT_ADMISSAO_VINCULO;
  r.DT_DISSIDIO = dtDissidio->Vazia() ? NullDate : dtDissidio->Data();
  r.VR_DISSIDIO = edtVrDissidio->Valor();
  r.VR_REMUNERACAO_ANTERIOR_RSCSO = edtAntResc->Valor();
  r.VR_REMUNERACAO_RESCISAO = edtRescisao->Valor();
  r.VR_AVISO_PREVIO = EdtAvisoPrevio->Valor();
  static const char *const pensoes[] = {"N", "P", "V"};
  r.IC_TIPO_PNSO_ALMNA = CmbIndPensao->currentIndex() >= 0
                             ? QString::fromLatin1(pensoes[CmbIndPensao->currentIndex()])
                             : QString();
  r.VR_PENSAO_ALMNA = edtValorPensao->Valor();
  const bool contas = PossuiContas();
  r.IC_ORIGEM_SALDO_RESCISORIO = contas                                ? QStringLiteral("C")
                                 : EdtSaldoRescInfoEmp->Centavos() > 0 ? QStringLiteral("E")
                                                                       : QStringLiteral("N");
  if (EdtSaldoResc->Centavos() > 0)
    r.VR_SALDO_RESCISORIO = EdtSaldoResc->Valor();
  else if (origemSaldo_.isEmpty() || origemSaldo_ == QLatin1String("E") ||
           origemSaldo_ == QLatin1String("N"))
    r.VR_SALDO_RESCISORIO = EdtSaldoRescInfoEmp->Valor();
  else
    r.VR_SALDO_RESCISORIO = 0;

  // Each step: the check, the page and the control its failure puts in front.
  struct TPasso {
    std::function<QString()> Codigo;
    int Pagina;
    std::function<QWidget *(const QString &)> Foco;
  };
  auto fixo = [](QWidget *w) { return [w](const QString &) { return w; }; };
  auto codigo = [](TNegocio &o, bool ok) { return ok ? QString() : o.CodigoErro; };
  auto serie = [&](std::initializer_list<std::pair<std::function<bool()>, QWidget *>> l,
                   QWidget **foco) {
    for (const auto &[f, w] : l) {
      if (!f()) {
        *foco = w;
        return false;
      }
    }
    return true;
  };
  QWidget *focoSerie = nullptr;
  auto focoDaSerie = [&focoSerie](const QString &) { return focoSerie; };
  const std::vector<TPasso> passos = {
      {[&] { return codigo(t, t.ValidarPIS()); }, 0, fixo(edtPisPasep)},
      {[&] { return codigo(t, t.ValidarCPF()); }, 0, fixo(edtCPF)},
      {[&] { return codigo(v, v.ValidarCategoria(false)); }, 0,
       [this](const QString &c) -> QWidget * {
         return c == QLatin1String("0406") || c == QLatin1String("0433")
                    ? static_cast<QWidget *>(cmbMovimentacao)
                    : static_cast<QWidget *>(cmbCategoria);
       }},
      {[&] { return codigo(v, v.ValidarMovimentacaoPeriodo()); }, 0, fixo(cmbMovimentacao)},
      {[&] {
         return serie({{[&] { return t.ValidarNome(); }, edtNome},
                       {[&] { return t.ValidarSexo(); }, cmbSexo},
                       {[&] { return t.ValidarGrauInstrucao(); }, cmbGrauIns}},
                      &focoSerie)
                    ? QString()
                    : t.CodigoErro;
       },
       0, focoDaSerie},
      {[&] { return codigo(v, v.ValidarCBO()); }, 0, fixo(cmbCBO)},
      {[&] {
         return serie({{[&] { return t.ValidarCTPS(true); }, edtCTPS},
                       {[&] { return t.ValidarSerieCTPS(true); }, edtSerie}},
                      &focoSerie)
                    ? QString()
                    : t.CodigoErro;
       },
       0, focoDaSerie},
      {[&] {
         const QString c = CodigoData(dtDataNasc, "0329", "0055");
         return !c.isEmpty() ? c : codigo(t, t.ValidarDataNascimento());
       },
       0, fixo(dtDataNasc)},
      {[&] {
         const QString c = CodigoData(dtAdmissao, "0039", "0046");
         return !c.isEmpty() ? c : codigo(v, v.ValidarDataAdmissao(true));
       },
       0,
       [this](const QString &c) -> QWidget * {
         return c == QLatin1String("0443") ? static_cast<QWidget *>(dtDataNasc)
                                           : static_cast<QWidget *>(dtAdmissao);
       }},
      {[&] {
         const QString c = CodigoData(dtOpcao, "0057", "0060");
         return !c.isEmpty() ? c : codigo(v, v.ValidarDataOpcao());
       },
       0,
       [this](const QString &) -> QWidget * {
         return dtOpcao->isEnabled() ? static_cast<QWidget *>(dtOpcao)
                                     : static_cast<QWidget *>(dtAdmissao);
       }},
      {[&] {
         const QString c = CodigoData(dtMovimentacao, "0050", "0051");
         return !c.isEmpty() ? c : codigo(v, v.ValidarDataMovimentacao());
       },
       0, fixo(dtMovimentacao)},
      {[&] {
         return serie({{[&] { return v.ValidarMovimentacao(); }, cmbMovimentacao},
                       {[&] { return v.ValidarAvisoPrevio(); }, cmbAviso},
                       {[&] { return v.ValidarInicioAvisoPrevio(); }, dtAviso},
                       {[&] { return v.ValidarHorasSemanais(); }, edtHTrab},
                       {[&] { return v.ValidarReposicaoVagas(); }, cmbVagas},
                       {[&] { return v.ValidarSaque(); }, cmbSaque}},
                      &focoSerie)
                    ? QString()
                    : v.CodigoErro;
       },
       0, focoDaSerie},
      {[&] {
         return serie({{[&] { return v.NU_TIPO_INSO_TMDR == 0 || v.ValidarTomador(); }, cmbTipo},
                       {[&] { return v.ValidarInscricaoTomador(); }, edtInscricao}},
                      &focoSerie)
                    ? QString()
                    : v.CodigoErro;
       },
       1, focoDaSerie},
      {[&] {
         if (!v.ValidarBanco()) {
           focoSerie = edtBanco;
           return v.CodigoErro;
         }
         if (!v.ValidarAgencia()) {
           focoSerie = edtAgencia;
           return v.CodigoErro;
         }
         if (!v.ValidarConta()) {
           const QString c = v.CodigoErro;
           focoSerie = c == QLatin1String("0023")   ? static_cast<QWidget *>(edtAgencia)
                       : c == QLatin1String("0032") ? static_cast<QWidget *>(edtBanco)
                                                    : static_cast<QWidget *>(edtConta);
           return c;
         }
         return QString();
       },
       1, focoDaSerie},
      {[&] {
         if (!dtDissidio->Vazia() && !DataDefinida(dtDissidio->Data())) {
           focoSerie = dtDissidio;
           return QStringLiteral("0048");
         }
         return serie({{[&] { return r.ValidarDataDissidio(); }, dtDissidio},
                       {[&] { return r.ValidarValorDissidio(); }, edtVrDissidio}},
                      &focoSerie)
                    ? QString()
                    : r.CodigoErro;
       },
       1, focoDaSerie},
      {[&] {
         if (r.ValidarValoresSemRemuneracao(false))
           return QString();
         focoSerie = edtAntResc->Centavos() == 0    ? static_cast<QWidget *>(edtAntResc)
                     : edtRescisao->Centavos() == 0 ? static_cast<QWidget *>(edtRescisao)
                                                    : static_cast<QWidget *>(EdtAvisoPrevio);
         return r.CodigoErro;
       },
       1, focoDaSerie},
      {[&] {
         return serie({{[&] { return r.ValidarRemuneracaoAnterior(); }, edtAntResc},
                       {[&] { return r.ValidarRemuneracaoRescisao(); }, edtRescisao},
                       {[&] { return r.ValidarAvisoPrevioIndenizado(); }, EdtAvisoPrevio}},
                      &focoSerie)
                    ? QString()
                    : r.CodigoErro;
       },
       1, focoDaSerie},
      {[&] {
         if (!r.ValidarTipoPensao()) {
           focoSerie = CmbIndPensao;
           return r.CodigoErro;
         }
         if (!r.ValidarPensaoPercentual()) {
           edtValorPensao->setEnabled(true);
           focoSerie = edtValorPensao;
           return r.CodigoErro;
         }
         return QString();
       },
       1, focoDaSerie},
      {[&] { return codigo(t, t.ValidarCelular()); }, 0, fixo(edtTelTrabalhador)},
      {[&] {
         if (r.ValidarPensaoValor())
           return QString();
         edtValorPensao->setEnabled(true);
         return r.CodigoErro;
       },
       1, fixo(edtValorPensao)},
  };
  for (const TPasso &p : passos) {
    focoSerie = nullptr;
    const QString c = p.Codigo();
    if (!c.isEmpty()) {
      Erro(c, p.Foco(c), p.Pagina);
      return false;
    }
  }
  return true;
}

// ------------------------------------------------------------------ saving --

void TfrmFuncionarios::btnSalvarClick() {
  btnSalvar->setFocus();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool valido = ValidarTela();
  QApplication::restoreOverrideCursor();
  if (!valido)
    return;
  TTrabalhador &t = Trabalhador();
  TVinculo &v = t.Vinculo();
  IArvoreVisual *visual = Arvore.Visual;
  const QString nome = t.NO_EMPREGADO.trimmed();
  if (ModoEdicao == meInclusao) {
    if (!Perguntar(QStringLiteral("0146")))
      return;
    bool ok = false;
    try {
      TEscopoTransacao transacao(t.Ibx);
      ok = t.Incluir();
      if (ok)
        transacao.Confirmar();
    } catch (const std::exception &) {
      ok = false;
    }
    if (!ok) {
      // Rolled back; the edit stays open with what was typed.
      Erro(t.CodigoErro.isEmpty() ? QStringLiteral("0144") : t.CodigoErro,
           t.CodigoErro == QLatin1String("0208") ? edtPisPasep : nullptr, 0);
      return;
    }
    // Committed: now the tree.
    Visualizar();
    SalvarBase();
    TNo novo = nullptr;
    if (visual) {
      TRecArvore dados;
      dados.TipoInscricao = v.NU_TIPO_INSO_EMPRA;
      dados.Inscricao = v.NU_INSCRICAO;
      dados.PIS = v.NU_PIS;
      dados.Categoria = v.NU_CATEGORIA;
      dados.DataAdmissao = v.DT_ADMISSAO_VINCULO;
      dados.Tipo = u'F';
      dados.Estado = 0;
      const TNo empresa =
          Arvore.SelecionarNo(visual->Selecionado()) ? visual->Selecionado() : nullptr;
      novo = Arvore.AdicionarNo(*visual, empresa, imgVinculo, dados, nome);
      Arvore.AtualizarImagemEmpresa(visual->Pai(novo));
    }
    AtualizarLegendas();
    TUtilitarios::MensagemPadrao(QStringLiteral("40"), 0);
    if (visual && novo) {
      visual->Expandir(visual->Pai(novo));
      visual->Selecionar(novo);
    }
    return;
  }

  // Alteration.
  TComplementoSaldo complementos;
  complementos.CarregarAssociados = false;
  complementos.DefinirChave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                            v.DT_ADMISSAO_VINCULO);
  TContaSaldoTrabalhador contas;
  contas.CarregarAssociados = false;
  contas.DefinirChave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                      v.DT_ADMISSAO_VINCULO);
  if (btnFinsResc->isEnabled() && contas.ExisteSaldo() &&
      U::ParaCentavos(contas.SomaSaldo()) != saldoGravado_) {
    if (Perguntar(QStringLiteral("0414"))) {
      pgcPrincipal->setCurrentIndex(1);
      btnFinsRescClick();
      return;
    }
  }
  const bool excluirComplementos = !dtDissidio->Vazia() && complementos.PossuiComplemento();
  if (!Perguntar(excluirComplementos ? QStringLiteral("0371") : QStringLiteral("0147")))
    return;
  bool ok = false;
  try {
    TEscopoTransacao transacao(t.Ibx);
    if (excluirComplementos)
      complementos.Excluir(true, true);
    ok = t.Alterar(false);
    if (ok)
      transacao.Confirmar();
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    Erro(QStringLiteral("0144"));
    return;
  }
  Visualizar();
  SalvarBase();
  if (visual && visual->Selecionado()) {
    Arvore.SelecionarNo(visual->Selecionado());
    Arvore.RenomearNos(nome, *visual, u'F', visual->Selecionado());
  }
  TUtilitarios::MensagemPadrao(QStringLiteral("40"), 1);
  AtualizarLegendas();
  if (AoRecarregar)
    AoRecarregar();
}

void TfrmFuncionarios::btnExcluirClick() {
  IArvoreVisual *visual = Arvore.Visual;
  const TNo no = visual ? visual->Selecionado() : nullptr;
  if (!no || !Arvore.SelecionarNo(no) || Arvore.Atual.Tipo != u'F')
    return;
  PrefixoMensagem = QStringLiteral("40");
  const TRecArvore vinculo = Arvore.Atual;
  const bool fechado = vinculo.Estado == 2 || vinculo.Estado == 3;
  if (!Perguntar(fechado ? QStringLiteral("0445") : QStringLiteral("0036")))
    return;
  TTrabalhador t;
  t.CarregarAssociados = false;
  t.NU_PIS = QString::number(vinculo.PIS);
  TVinculo &v = t.Vinculo();
  v.NU_TIPO_INSO_EMPRA = static_cast<quint8>(vinculo.TipoInscricao);
  v.NU_INSCRICAO = vinculo.Inscricao;
  v.NU_PIS = vinculo.PIS;
  v.NU_CATEGORIA = static_cast<qint8>(vinculo.Categoria);
  v.DT_ADMISSAO_VINCULO = vinculo.DataAdmissao;
  bool ok = false;
  try {
    TEscopoTransacao transacao(t.Ibx);
    ok = t.ExcluirVinculos(false);
    if (ok)
      transacao.Confirmar();
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    Erro(QStringLiteral("0144"));
    return;
  }
  const TNo empresa = visual->Pai(no);
  Arvore.ExcluirNo(*visual, no);
  TUtilitarios::MensagemPadrao(QStringLiteral("40"), 2);
  visual->Selecionar(empresa);
  if (AoRecarregar)
    AoRecarregar();
}

void TfrmFuncionarios::btnCancelarClick() {
  if (!PodeDescartar())
    return;
  CancelarBase();
  Visualizar();
}

void TfrmFuncionarios::btnFinsRescClick() {
  TTrabalhador &t = Trabalhador();
  const TVinculo &v = t.Vinculo();
  TContaSaldoTrabalhador contas;
  contas.CarregarAssociados = false;
  contas.DefinirChave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA,
                      v.DT_ADMISSAO_VINCULO);
  if (!contas.CarregarPorVinculo() || contas.QuantidadeRegistros() == 0) {
    Informar(QStringLiteral("0408"));
    return;
  }
  TfrmSaldoRecisorio dialogo(contas, PrefixoMensagem, this);
  EdtSaldoResc->DefinirCentavos(dialogo.Total());
  if (dialogo.exec() == QDialog::Accepted && dialogo.Selecionado() != 0)
    EdtSaldoResc->DefinirCentavos(dialogo.Selecionado());
}

bool TfrmFuncionarios::eventFilter(QObject *obj, QEvent *ev) {
  // Tab in the withdrawal list goes to the financial page.
  if (obj == cmbSaque && ev->type() == QEvent::KeyPress) {
    auto *k = static_cast<QKeyEvent *>(ev);
    if (k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier)) {
      pgcPrincipal->setCurrentIndex(1);
      if (QWidget *p = ProximoControle(pgcPrincipal->widget(1), pgcPrincipal->widget(1)))
        p->setFocus(Qt::TabFocusReason);
      else
        dtDissidio->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return TFramePadrao::eventFilter(obj, ev);
}
