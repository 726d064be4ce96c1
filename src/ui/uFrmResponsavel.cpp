#include "uFrmResponsavel.h"

#include "UnArvore.h"
#include "uCamposEndereco.h"
#include "uControles.h"
#include "unUtilitariosJanela.h"

#include "core/unUtilitarios.h"
#include "registry/unTResponsavel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {
QLineEdit *Texto(const QString &nome, int maximo) {
  auto *e = new QLineEdit;
  e->setObjectName(nome);
  e->setMaxLength(maximo);
  return e;
}
} // namespace

TfrmResponsavel::TfrmResponsavel(const QString &nome, QWidget *parent)
    : TFramePadrao(nome, QStringLiteral("Cadastro de Responsável"), parent),
      responsavel_(std::make_unique<TResponsavel>()) {
  QWidget *pagina =
      AdicionarPagina(QStringLiteral("tbsResponsavel"), QStringLiteral("Responsável"));
  auto *g = new QGridLayout(pagina);

  // Created in reading order: the tab order follows the screen.
  CmbTipo = new TComboCodigo;
  CmbTipo->setObjectName(QStringLiteral("CmbTipo"));
  CmbTipo->addItems({QStringLiteral("1 - CNPJ"), QStringLiteral("2 - CEI")});
  CmbTipo->setCurrentIndex(-1);
  edtInscricao = new TEditMascara;
  edtInscricao->setObjectName(QStringLiteral("edtInscricao"));
  LigarTipoInscricao(CmbTipo, edtInscricao);
  edtRazao = Texto(QStringLiteral("edtRazao"), 40);
  edtLogradouro = Texto(QStringLiteral("edtLogradouro"), 50);
  edtBairro = Texto(QStringLiteral("edtBairro"), 20);
  edtCidade = Texto(QStringLiteral("edtCidade"), 20);
  edtCEP = new TEditMascara(QStringLiteral("99999-999"));
  edtCEP->setObjectName(QStringLiteral("edtCEP"));
  cmbUF = new TComboCodigo;
  cmbUF->setObjectName(QStringLiteral("cmbUF"));
  grpContato = new QGroupBox(QStringLiteral(" Contato na Empresa  "));
  grpContato->setObjectName(QStringLiteral("grpContato"));
  EdtNome = Texto(QStringLiteral("EdtNome"), 20);
  edtDDD_contato = Texto(QStringLiteral("edtDDD_contato"), 4);
  edtTel = Texto(QStringLiteral("edtTel"), 8);
  edtEmail = Texto(QStringLiteral("edtEmail"), 60);
  for (QWidget *w : {static_cast<QWidget *>(edtRazao), static_cast<QWidget *>(edtLogradouro),
                     static_cast<QWidget *>(edtBairro), static_cast<QWidget *>(edtCidade)})
    DefinirTeclado(w, tkAlfanumerico);
  endereco_ = {edtLogradouro, edtBairro, edtCidade, edtCEP, cmbUF};
  DefinirTeclado(EdtNome, tkNome);
  DefinirTeclado(edtDDD_contato, tkDigitos);
  DefinirTeclado(edtTel, tkDigitos);

  g->addWidget(RotuloPara(QStringLiteral("Tip&o:"), CmbTipo), 0, 0);
  g->addWidget(CmbTipo, 0, 1);
  g->addWidget(RotuloPara(QStringLiteral("&Inscrição:"), edtInscricao), 0, 2);
  g->addWidget(edtInscricao, 0, 3);
  g->addWidget(RotuloPara(QStringLiteral("&Razão Social:"), edtRazao), 1, 0);
  g->addWidget(edtRazao, 1, 1, 1, 3);
  g->addWidget(RotuloPara(QStringLiteral("&Logradouro:"), edtLogradouro), 2, 0);
  g->addWidget(edtLogradouro, 2, 1, 1, 3);
  g->addWidget(RotuloPara(QStringLiteral("&Bairro:"), edtBairro), 3, 0);
  g->addWidget(edtBairro, 3, 1);
  g->addWidget(RotuloPara(QStringLiteral("Cidad&e:"), edtCidade), 3, 2);
  g->addWidget(edtCidade, 3, 3);
  g->addWidget(RotuloPara(QStringLiteral("CE&P:"), edtCEP), 4, 0);
  g->addWidget(edtCEP, 4, 1);
  g->addWidget(RotuloPara(QStringLiteral("&UF:"), cmbUF), 4, 2);
  g->addWidget(cmbUF, 4, 3);
  auto *gc = new QGridLayout(grpContato);
  gc->addWidget(RotuloPara(QStringLiteral("No&me:"), EdtNome), 0, 0);
  gc->addWidget(EdtNome, 0, 1, 1, 5);
  gc->addWidget(RotuloPara(QStringLiteral("&DDD:"), edtDDD_contato), 1, 0);
  gc->addWidget(edtDDD_contato, 1, 1);
  gc->addWidget(RotuloPara(QStringLiteral("&Telefone:"), edtTel), 1, 2);
  gc->addWidget(edtTel, 1, 3);
  gc->addWidget(RotuloPara(QStringLiteral("E-m&ail:"), edtEmail), 2, 0);
  gc->addWidget(edtEmail, 2, 1, 1, 5);
  gc->setColumnStretch(5, 1);
  g->addWidget(grpContato, 5, 0, 1, 4);
  g->setColumnStretch(1, 1);
  g->setColumnStretch(3, 1);
  g->setRowStretch(6, 1);

  btnEmpresa = AdicionarBotao(QStringLiteral("btnEmpresa"), QStringLiteral("&Nova Empresa"));
  connect(btnEmpresa, &QPushButton::clicked, this, [this] {
    if (AoNovaEmpresa)
      AoNovaEmpresa();
  });
  // The responsible party is never deleted from this frame.
  btnExcluir->hide();
  PrepararControles();
  pgcPrincipal->widget(0)->setEnabled(false);
}

TfrmResponsavel::~TfrmResponsavel() = default;

void TfrmResponsavel::PreencherListas() {
  if (listas_)
    return;
  TCarga carga(this);
  PreencherCombo(cmbUF, QStringLiteral("SELECT SG_UF FROM QZLTBT08_UNIDADE_FEDERACAO ORDER BY 1"));
  cmbUF->setCurrentIndex(-1);
  listas_ = true;
}

void TfrmResponsavel::CarregarTela() {
  TCarga carga(this);
  PreencherListas();
  PrefixoMensagem = QStringLiteral("00");
  CmbTipo->setEnabled(true);
  edtInscricao->setEnabled(true);
  LimparTela();
  TResponsavel &r = Responsavel();
  r.CarregarResponsavel();
  if (r.QuantidadeRegistros() > 0) {
    CmbTipo->setCurrentIndex(r.NU_TIPO_INSO_EMPRA - 1);
    edtInscricao->DefinirDigitos(r.InscricaoFormatada());
    edtRazao->setText(r.NO_RAZAO_SOCIAL.trimmed());
    EdtNome->setText(r.NO_CONTATO.trimmed());
    edtTel->setText(r.NU_TELEFONE.trimmed());
    edtEmail->setText(r.CO_ENDERECO_VIRTUAL_CONTATO.trimmed());
    endereco_.Mostrar(r.Endereco());
    edtDDD_contato->setText(r.NU_DDD.trimmed());
  }
  if (!EmEdicao()) {
    pgcPrincipal->widget(0)->setEnabled(false);
    btnExcluir->hide();
    btnEmpresa->show();
    btnEmpresa->setEnabled(true);
  }
}

void TfrmResponsavel::NovoResponsavel() {
  PreencherListas();
  PrefixoMensagem = QStringLiteral("00");
  ModoEdicao = meInclusao;
  LimparTela();
  pgcPrincipal->widget(0)->setEnabled(true);
  CmbTipo->setEnabled(true);
  edtInscricao->setEnabled(true);
  HabilitarEdicao(false);
  btnEmpresa->hide();
  // The first-run window has its own buttons around this frame.
  btnSalvar->hide();
  btnCancelar->hide();
  CmbTipo->setFocus();
}

bool TfrmResponsavel::ValidarTela() {
  TResponsavel &r = Responsavel();
  r.NU_TIPO_INSO_EMPRA = CmbTipo->currentIndex() + 1;
  r.NU_INSCRICAO = edtInscricao->Digitos();
  r.NO_RAZAO_SOCIAL = edtRazao->text();
  r.NO_CONTATO = EdtNome->text();
  r.NU_DDD = edtDDD_contato->text().trimmed();
  r.NU_TELEFONE = edtTel->text().trimmed();
  r.CO_ENDERECO_VIRTUAL_CONTATO = edtEmail->text();
  endereco_.Copiar(r.Endereco());

  struct TPasso {
    bool (*Validar)(TResponsavel &);
    QWidget *Foco;
  };
  const TPasso passos[] = {
      {[](TResponsavel &o) { return o.ValidarTipoInscricao(); }, CmbTipo},
      {[](TResponsavel &o) { return o.ValidarInscricao(); }, edtInscricao},
      {[](TResponsavel &o) { return o.ValidarRazaoSocial(); }, edtRazao},
      {[](TResponsavel &o) { return o.ValidarNomeContato(); }, EdtNome},
      {[](TResponsavel &o) { return o.ValidarDDD(); }, edtDDD_contato},
      {[](TResponsavel &o) { return o.ValidarTelefone(); }, edtTel},
      {[](TResponsavel &o) { return o.ValidarEmail(); }, edtEmail},
      {[](TResponsavel &o) { return o.Endereco().ValidarLogradouro(); }, edtLogradouro},
      {[](TResponsavel &o) { return o.Endereco().ValidarBairro(); }, edtBairro},
      {[](TResponsavel &o) { return o.Endereco().ValidarCEP(); }, edtCEP},
      {[](TResponsavel &o) { return o.Endereco().ValidarMunicipio(); }, edtCidade},
      {[](TResponsavel &o) { return o.Endereco().ValidarUF(); }, cmbUF},
  };
  for (const TPasso &p : passos) {
    if (!p.Validar(r)) {
      const QString codigo = r.CodigoErro.isEmpty() ? r.Endereco().CodigoErro : r.CodigoErro;
      Erro(codigo, p.Foco, 0);
      return false;
    }
  }
  return true;
}

void TfrmResponsavel::btnAlterarClick() {
  PrefixoMensagem = QStringLiteral("00");
  TFramePadrao::btnAlterarClick();
  pgcPrincipal->widget(0)->setEnabled(true);
  btnEmpresa->hide();
  btnExcluir->hide();
  edtRazao->setFocus();
}

bool TfrmResponsavel::Salvar() {
  if (!ValidarTela())
    return false;
  if (!Perguntar(QStringLiteral("0035")))
    return false;
  TResponsavel &r = Responsavel();
  const bool inclusao = ModoEdicao == meInclusao;
  bool ok = false;
  try {
    ok = r.Gravar();
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    // Nothing was written (Gravar undoes its statements); what was typed stays.
    Erro(QStringLiteral("0144"));
    return false;
  }
  const int tipo = r.NU_TIPO_INSO_EMPRA;
  const qint64 inscricao = r.InscricaoNumero();
  r.CarregarResponsavel();
  if (!inclusao && Arvore.Visual && Arvore.Quantidade() > 0) {
    TRecArvore &raiz = Arvore.Nos[0];
    const QChar estado =
        r.IC_ESTADO_EMPRESA.trimmed().isEmpty() ? raiz.Tipo : r.IC_ESTADO_EMPRESA.trimmed().at(0);
    const bool mudouChave = raiz.TipoInscricao != tipo || raiz.Inscricao != inscricao;
    if (mudouChave || raiz.Tipo != estado) {
      // The role moved to another row: the tree is built again from the tables.
      AtualizarArvore();
    } else {
      Arvore.RenomearNos(r.NO_RAZAO_SOCIAL.trimmed(), *Arvore.Visual, estado, raiz.No);
    }
  }
  if (!inclusao)
    TUtilitarios::MensagemPadrao(QStringLiteral("00"), 1);
  FimEdicao();
  return true;
}

void TfrmResponsavel::FimEdicao() {
  SalvarBase();
  pgcPrincipal->widget(0)->setEnabled(false);
  btnEmpresa->show();
  btnEmpresa->setEnabled(true);
  btnExcluir->hide();
}

void TfrmResponsavel::btnSalvarClick() {
  btnSalvar->setFocus();
  Salvar();
}

void TfrmResponsavel::btnCancelarClick() {
  if (!PodeDescartar())
    return;
  CancelarBase();
  pgcPrincipal->widget(0)->setEnabled(false);
  btnEmpresa->show();
  btnExcluir->hide();
  CarregarTela();
}
