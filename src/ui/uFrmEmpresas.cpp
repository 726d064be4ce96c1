#include "uFrmEmpresas.h"

#include "UnArvore.h"
#include "uCamposEndereco.h"
#include "uControles.h"
#include "unUtilitariosJanela.h"

#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"

#include <QApplication>
#include <QGridLayout>
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
TComboCodigo *Lista(const QString &nome) {
  auto *c = new TComboCodigo;
  c->setObjectName(nome);
  return c;
}
} // namespace

TfrmEmpresas::TfrmEmpresas(QWidget *parent)
    : TFramePadrao(QStringLiteral("frmEmpresas1"), QStringLiteral("Cadastro de Empresa"), parent),
      empresa_(std::make_unique<TEmpresa>()) {
  QWidget *pagina = AdicionarPagina(QStringLiteral("tbsEmpresa"), QStringLiteral("Empresa"));
  auto *g = new QGridLayout(pagina);

  cmbTipo = new TComboCodigo;
  cmbTipo->setObjectName(QStringLiteral("cmbTipo"));
  cmbTipo->addItems({QStringLiteral("1 - CNPJ"), QStringLiteral("2 - CEI")});
  cmbTipo->setCurrentIndex(-1);
  edtInscricao = new TEditMascara;
  edtInscricao->setObjectName(QStringLiteral("edtInscricao"));
  LigarTipoInscricao(cmbTipo, edtInscricao);
  edtRazao = Texto(QStringLiteral("edtRazao"), 40);
  edtLogradouro = Texto(QStringLiteral("edtLogradouro"), 50);
  edtBairro = Texto(QStringLiteral("edtBairro"), 20);
  edtCidade = Texto(QStringLiteral("edtCidade"), 20);
  edtCEP = new TEditMascara(QStringLiteral("99999-999"));
  edtCEP->setObjectName(QStringLiteral("edtCEP"));
  cmbUF = Lista(QStringLiteral("cmbUF"));
  edtDDD = Texto(QStringLiteral("edtDDD"), 4);
  edtTelefone = Texto(QStringLiteral("edtTelefone"), 8);
  cmbCNAE = Lista(QStringLiteral("cmbCNAE"));
  cmbFPAS = Lista(QStringLiteral("cmbFPAS"));
  cmbSimples = Lista(QStringLiteral("cmbSimples"));
  for (QLineEdit *e : {edtRazao, edtLogradouro, edtBairro, edtCidade})
    DefinirTeclado(e, tkAlfanumerico);
  endereco_ = {edtLogradouro, edtBairro, edtCidade, edtCEP, cmbUF};
  DefinirTeclado(edtDDD, tkDigitos);
  DefinirTeclado(edtTelefone, tkDigitos);

  g->addWidget(RotuloPara(QStringLiteral("Tip&o:"), cmbTipo), 0, 0);
  g->addWidget(cmbTipo, 0, 1);
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
  g->addWidget(RotuloPara(QStringLiteral("&DDD:"), edtDDD), 5, 0);
  g->addWidget(edtDDD, 5, 1);
  g->addWidget(RotuloPara(QStringLiteral("&Telefone:"), edtTelefone), 5, 2);
  g->addWidget(edtTelefone, 5, 3);
  g->addWidget(RotuloPara(QStringLiteral("CN&AE:"), cmbCNAE), 6, 0);
  g->addWidget(cmbCNAE, 6, 1);
  g->addWidget(RotuloPara(QStringLiteral("&FPAS:"), cmbFPAS), 6, 2);
  g->addWidget(cmbFPAS, 6, 3);
  g->addWidget(RotuloPara(QStringLiteral("Si&mples:"), cmbSimples), 7, 0);
  g->addWidget(cmbSimples, 7, 1, 1, 3);
  g->setColumnStretch(1, 1);
  g->setColumnStretch(3, 1);
  g->setRowStretch(8, 1);

  btnEmpregado =
      AdicionarBotao(QStringLiteral("btnEmpregado"), QStringLiteral("&Novo Trabalhador"));
  connect(btnEmpregado, &QPushButton::clicked, this, [this] {
    if (AoNovoTrabalhador)
      AoNovoTrabalhador();
  });
  connect(edtInscricao, &QLineEdit::editingFinished, this, &TfrmEmpresas::edtInscricaoExit);
  PrepararControles();
  pgcPrincipal->widget(0)->setEnabled(false);
}

TfrmEmpresas::~TfrmEmpresas() = default;

void TfrmEmpresas::PreencherListas() {
  if (listas_)
    return;
  TCarga carga(this);
  PreencherCombo(cmbUF, QStringLiteral("SELECT SG_UF FROM QZLTBT08_UNIDADE_FEDERACAO ORDER BY 1"));
  PreencherComboZeros(cmbCNAE,
                      QStringLiteral("SELECT Cast(NU_IBGE AS CHAR(7))  AS NU_IBGE FROM "
                                     "QZLTBT03_ATIVIDADE_CNAE_NIVEL_5 ORDER BY 1"),
                      7);
  PreencherCombo(cmbFPAS, QStringLiteral("SELECT NU_INSS FROM QZLTBT01_FPAS ORDER BY 1 "));
  PreencherCombo(cmbSimples,
                 QStringLiteral("SELECT CAST(NU_SIMPLES AS CHAR(5)) || ' - ' || DE_SIMPLES FROM "
                                "QZLTBT02_TIPO_OPCAO_SIMPLES ORDER BY 1"));
  for (QComboBox *c : {static_cast<QComboBox *>(cmbUF), static_cast<QComboBox *>(cmbCNAE),
                       static_cast<QComboBox *>(cmbFPAS), static_cast<QComboBox *>(cmbSimples)})
    c->setCurrentIndex(-1);
  listas_ = true;
}

void TfrmEmpresas::PermitirAlteracao(bool permitir) {
  alteracaoPermitida_ = permitir;
  if (!EmEdicao())
    btnAlterar->setEnabled(permitir);
}

void TfrmEmpresas::Visualizar() {
  pgcPrincipal->widget(0)->setEnabled(false);
  cmbTipo->setEnabled(true);
  edtInscricao->setEnabled(true);
  btnEmpregado->show();
  btnEmpregado->setEnabled(true);
  btnAlterar->setEnabled(alteracaoPermitida_);
}

void TfrmEmpresas::CarregarTela() {
  TCarga carga(this);
  PreencherListas();
  PrefixoMensagem = QStringLiteral("10");
  LimparTela();
  TEmpresa &e = Empresa();
  if (e.CarregarEmpresa(Arvore.Atual.TipoInscricao, Arvore.Atual.Inscricao) &&
      e.QuantidadeRegistros() > 0) {
    cmbTipo->setCurrentIndex(e.NU_TIPO_INSO_EMPRA - 1);
    edtInscricao->DefinirDigitos(e.InscricaoFormatada());
    edtRazao->setText(e.NO_RAZAO_SOCIAL.trimmed());
    endereco_.Mostrar(e.Endereco());
    edtDDD->setText(e.NU_DDD.trimmed());
    edtTelefone->setText(e.NU_TELEFONE.trimmed());
    const QString cnae = e.NU_IBGE.trimmed();
    cmbCNAE->SelecionarTexto(cnae.isEmpty() ? QString() : TUtilitarios::CompletarZeros(cnae, 7));
    cmbFPAS->SelecionarTexto(e.NU_INSS.trimmed());
    cmbSimples->setCurrentIndex(-1);
    if (e.NU_SIMPLES > 0)
      for (int i = 0; i < cmbSimples->count(); ++i)
        if (TUtilitarios::ParaInteiro(cmbSimples->itemText(i).section(u'-', 0, 0).trimmed()) ==
            e.NU_SIMPLES)
          cmbSimples->setCurrentIndex(i);
  }
  if (!EmEdicao())
    Visualizar();
}

void TfrmEmpresas::NovaEmpresa() {
  TCarga carga(this);
  PreencherListas();
  PrefixoMensagem = QStringLiteral("10");
  ModoEdicao = meInclusao;
  HabilitarEdicao(false);
  btnAlterar->hide();
  btnExcluir->hide();
  btnEmpregado->hide();
  LimparTela();
  pgcPrincipal->widget(0)->setEnabled(true);
  cmbTipo->setEnabled(true);
  edtInscricao->setEnabled(true);
  cmbTipo->setFocus();
}

void TfrmEmpresas::btnAlterarClick() {
  PrefixoMensagem = QStringLiteral("10");
  TFramePadrao::btnAlterarClick();
  pgcPrincipal->widget(0)->setEnabled(true);
  cmbTipo->setEnabled(false);
  edtInscricao->setEnabled(false);
  btnEmpregado->hide();
  edtRazao->setFocus();
}

void TfrmEmpresas::edtInscricaoExit() {
  if (!EmEdicao() || ModoEdicao != meInclusao || verificando_)
    return;
  // Leaving towards "&Cancelar" gives the number up without a check.
  if (QApplication::focusWidget() == btnCancelar)
    return;
  const qint64 numero = TUtilitarios::ParaInteiro64(edtInscricao->Digitos());
  if (numero > 0) {
    TCarga carga(this);
    edtInscricao->DefinirDigitos(TUtilitarios::CompletarZeros(
        QString::number(numero), cmbTipo->currentIndex() == 1 ? 12 : 14));
  }
  VerificarInscricaoEmpresa(true);
}

bool TfrmEmpresas::VerificarInscricaoEmpresa(bool Copiar) {
  const int tipo = cmbTipo->currentIndex() + 1;
  const qint64 numero = TUtilitarios::ParaInteiro64(edtInscricao->Digitos());
  if (tipo < 1 || numero <= 0)
    return true;
  verificando_ = true;
  TEstabelecimento existente;
  bool seguir = true;
  if (existente.CarregarPorChave(tipo, numero) && existente.QuantidadeRegistros() > 0) {
    const QString estado = existente.IC_ESTADO_EMPRESA.trimmed();
    if (estado == QLatin1String("R")) {
      // The responsible party becomes one of the companies: its data come along.
      ModoEdicao = meInclusao;
      if (Copiar) {
        edtRazao->setText(existente.NO_RAZAO_SOCIAL.trimmed());
        edtTelefone->setText(existente.NU_TELEFONE.trimmed());
        edtDDD->setText(existente.NU_DDD.trimmed());
        endereco_.Mostrar(existente.Endereco());
        cmbSimples->setCurrentIndex(-1);
      }
    } else if (estado == QLatin1String("E") || estado == QLatin1String("A")) {
      Erro(QStringLiteral("0207"), edtInscricao, 0);
      edtInscricao->clear();
      edtInscricao->setFocus();
      seguir = false;
    }
  }
  verificando_ = false;
  return seguir;
}

bool TfrmEmpresas::ValidarTela() {
  TEmpresa &e = Empresa();
  e.NU_TIPO_INSO_EMPRA = cmbTipo->currentIndex() + 1;
  e.NU_INSCRICAO = edtInscricao->Digitos();
  e.NO_RAZAO_SOCIAL = edtRazao->text();
  endereco_.Copiar(e.Endereco());
  e.NU_DDD = edtDDD->text().trimmed();
  e.NU_TELEFONE = edtTelefone->text().trimmed();
  e.NU_IBGE = cmbCNAE->Codigo(7);
  e.NU_INSS = cmbFPAS->Codigo(3);
  e.NU_SIMPLES = static_cast<qint16>(
      TUtilitarios::ParaInteiro(cmbSimples->currentText().section(u'-', 0, 0).trimmed()));
  if (cmbSimples->currentIndex() < 0)
    e.NU_SIMPLES = 0;

  struct TPasso {
    std::function<bool()> Validar;
    QWidget *Foco;
  };
  auto vazio = [&e](bool estaVazio, const char *codigo) {
    e.CodigoErro = estaVazio ? QString::fromLatin1(codigo) : QString();
    return !estaVazio;
  };
  const std::vector<TPasso> passos = {
      {[&] { return e.ValidarTipoInscricao(); }, cmbTipo},
      {[&] { return e.ValidarInscricao(); }, edtInscricao},
      {[&] { return e.ValidarRazaoSocial(); }, edtRazao},
      {[&] { return e.Endereco().ValidarLogradouro(); }, edtLogradouro},
      {[&] { return e.Endereco().ValidarBairro(); }, edtBairro},
      {[&] { return e.Endereco().ValidarCEP(); }, edtCEP},
      {[&] { return e.Endereco().ValidarMunicipio(); }, edtCidade},
      {[&] { return e.Endereco().ValidarUF(); }, cmbUF},
      {[&] { return e.ValidarDDD(); }, edtDDD},
      {[&] { return e.ValidarTelefone(); }, edtTelefone},
      {[&] { return vazio(e.NU_IBGE.isEmpty(), "0019"); }, cmbCNAE},
      {[&] { return e.ValidarCNAE(); }, cmbCNAE},
      {[&] { return vazio(e.NU_INSS.isEmpty(), "0070"); }, cmbFPAS},
      {[&] { return e.ValidarFPAS(); }, cmbFPAS},
      {[&] { return vazio(cmbSimples->currentIndex() < 0, "0125"); }, cmbSimples},
      {[&] { return e.ValidarSimples(); }, cmbSimples},
      {[&] {
         return vazio(
             e.NU_INSS != QLatin1String("868") &&
                 e.ContarVinculosCategoria(e.NU_TIPO_INSO_EMPRA, 6, true, e.InscricaoNumero()) > 0,
             "0429");
       },
       cmbFPAS},
  };
  for (const TPasso &p : passos) {
    e.CodigoErro.clear();
    e.Endereco().CodigoErro.clear();
    if (!p.Validar()) {
      const QString codigo = e.CodigoErro.isEmpty() ? e.Endereco().CodigoErro : e.CodigoErro;
      Erro(codigo, p.Foco, 0);
      return false;
    }
  }
  return true;
}

void TfrmEmpresas::btnSalvarClick() {
  btnSalvar->setFocus();
  const bool inclusao = ModoEdicao == meInclusao;
  if (inclusao && !VerificarInscricaoEmpresa(false))
    return;
  if (!ValidarTela())
    return;
  if (!Perguntar(QStringLiteral("0035")))
    return;
  TEmpresa &e = Empresa();
  bool ok = false;
  try {
    ok = inclusao ? e.Incluir() : e.Alterar();
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    // Nothing was written; the edit stays open with what was typed.
    const QString codigo = e.CodigoErro.isEmpty() ? QStringLiteral("0144") : e.CodigoErro;
    if (codigo == QLatin1String("0207")) {
      Erro(codigo, edtInscricao, 0);
      ModoEdicao = meInclusao;
      edtInscricao->clear();
      cmbTipo->setFocus();
    } else {
      Erro(codigo);
    }
    return;
  }
  const QString nome = e.NO_RAZAO_SOCIAL.trimmed();
  SalvarBase();
  Visualizar();
  IArvoreVisual *v = Arvore.Visual;
  if (inclusao && v && Arvore.Quantidade() > 0) {
    TResponsavel r;
    r.CarregarResponsavel();
    const bool ambos = r.IC_ESTADO_EMPRESA.trimmed() == QLatin1String("A") &&
                       r.NU_TIPO_INSO_EMPRA == e.NU_TIPO_INSO_EMPRA &&
                       r.InscricaoNumero() == e.InscricaoNumero();
    TRecArvore dados;
    dados.TipoInscricao = e.NU_TIPO_INSO_EMPRA;
    dados.Inscricao = e.InscricaoNumero();
    dados.Tipo = ambos ? u'A' : u'E';
    const TNo raiz = Arvore.Nos[0].No;
    Arvore.AdicionarNo(*v, raiz, imgEmpresa, dados, nome);
    if (ambos) {
      Arvore.Nos[0].Tipo = u'A';
      Arvore.RenomearNos(r.NO_RAZAO_SOCIAL.trimmed(), *v, u'A', raiz);
    }
    v->Expandir(raiz);
    v->Selecionar(raiz);
    TUtilitarios::MensagemPadrao(QStringLiteral("10"), 0);
  } else if (!inclusao && v) {
    const TNo no = v->Selecionado();
    if (no) {
      Arvore.SelecionarNo(no);
      const QChar tipo = Arvore.Atual.Tipo;
      Arvore.RenomearNos(nome, *v, tipo == u'A' ? u'A' : u'E', no);
    }
    TUtilitarios::MensagemPadrao(QStringLiteral("10"), 1);
  }
}

void TfrmEmpresas::btnExcluirClick() {
  IArvoreVisual *v = Arvore.Visual;
  const TNo no = v ? v->Selecionado() : nullptr;
  if (!no || !Arvore.SelecionarNo(no) || !Arvore.Atual.EhEmpresa())
    return;
  PrefixoMensagem = QStringLiteral("10");
  const TRecArvore empresa = Arvore.Atual;
  QString pergunta = QStringLiteral("0036");
  if (Arvore.ContarPorEstadoEmpresa(no, {2, 3}) > 0)
    pergunta = QStringLiteral("0446");
  else if (Arvore.ContarVinculosEmpresa(no) > 0)
    pergunta = QStringLiteral("0002");
  if (!Perguntar(pergunta))
    return;
  TEmpresa &e = Empresa();
  e.NU_TIPO_INSO_EMPRA = empresa.TipoInscricao;
  e.NU_INSCRICAO = QString::number(empresa.Inscricao);
  bool ok = false;
  try {
    TEscopoTransacao transacao(e.Ibx);
    ok = e.Excluir();
    if (ok)
      transacao.Confirmar();
  } catch (const std::exception &) {
    ok = false;
  }
  if (!ok) {
    // Rolled back: the tree and the database are as they were.
    Erro(QStringLiteral("0144"));
    return;
  }
  // Committed: only now does the tree change.
  const TNo raiz = Arvore.Nos[0].No;
  Arvore.ExcluirNo(*v, no);
  if (empresa.Tipo == u'A' && Arvore.Quantidade() > 0)
    Arvore.Nos[0].Tipo = u'R';
  TUtilitarios::MensagemPadrao(QStringLiteral("10"), 2);
  v->Selecionar(v->Selecionado() ? v->Selecionado() : raiz);
  if (AoRecarregar)
    AoRecarregar();
}

void TfrmEmpresas::btnCancelarClick() {
  if (!PodeDescartar())
    return;
  const bool inclusao = ModoEdicao == meInclusao;
  CancelarBase();
  Visualizar();
  if (inclusao)
    btnAlterar->show();
}
