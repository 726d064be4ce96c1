#include "uEntrada.h"

#include "uFrmResponsavel.h"
#include "uPrincipal.h"
#include "uProgImporta.h"
#include "uRestaurarBackup.h"

#include "core/unDialogo.h"
#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmEntrada::TfrmEntrada(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmEntrada"));
  setWindowTitle(QStringLiteral("VESK Eletrônica"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedWidth(772);

  auto *texto1 = new QLabel(
      QStringLiteral("Esta é a primeira vez que o sistema está sendo executado. Para continuar\n"
                     "é necessário que os dados do responsável sejam cadastrados."));
  auto *texto2 = new QLabel(
      QStringLiteral("Você pode optar por importar os dados de uma folha de pagamento ou\n"
                     "cadastrá-los através de formulário, ou restaurar Backup da base."));
  auto *grupo = new QGroupBox(QStringLiteral("Escolha uma das Opções"));
  rbtFolha = new QRadioButton(QStringLiteral("Importar Folha de Pagamento"));
  rbtFolha->setObjectName(QStringLiteral("rbtFolha"));
  rbtResponsavel = new QRadioButton(QStringLiteral("Cadastrar Responsável"));
  rbtResponsavel->setObjectName(QStringLiteral("rbtResponsavel"));
  rbtRestaurar = new QRadioButton(QStringLiteral("Restaurar Backup"));
  rbtRestaurar->setObjectName(QStringLiteral("rbtRestaurar"));
  auto *lg = new QGridLayout(grupo);
  int linha = 0;
  for (QRadioButton *r : {rbtFolha, rbtResponsavel, rbtRestaurar}) {
    lg->addWidget(r, linha, 0);
    auto *nota = new QLabel;
    nota->setObjectName(r->objectName() + QStringLiteral("Nota"));
    nota->setStyleSheet(QStringLiteral("color: #777;"));
    lg->addWidget(nota, linha++, 1);
    notas_.append(nota);
  }
  lg->setColumnStretch(1, 1);
  rbtFolha->setChecked(true);

  lblIndisponivel = new QLabel;
  lblIndisponivel->setObjectName(QStringLiteral("lblIndisponivel"));
  lblIndisponivel->setWordWrap(true);
  lblIndisponivel->setStyleSheet(QStringLiteral("color: #555;"));

  btnVoltar = new QPushButton(QStringLiteral("&Voltar"));
  btnVoltar->setObjectName(QStringLiteral("btnVoltar"));
  btnAvancar = new QPushButton(QStringLiteral("&Avançar"));
  btnAvancar->setObjectName(QStringLiteral("btnAvancar"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnVoltar->hide();
  btnAvancar->setDefault(true);

  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnVoltar);
  botoes->addWidget(btnAvancar);
  botoes->addWidget(btnCancelar);

  introducao_ = {texto1, texto2, grupo};
  frmResponsavel = new TfrmResponsavel(QStringLiteral("frmResponsavel"));
  frmResponsavel->hide();
  // Esc in the form leaves the window the same way "&Cancelar" does.
  frmResponsavel->AoEsc = [this] { reject(); };

  auto *l = new QVBoxLayout(this);
  l->addWidget(texto1);
  l->addWidget(texto2);
  l->addWidget(grupo);
  l->addWidget(lblIndisponivel);
  l->addWidget(frmResponsavel, 1);
  l->addStretch();
  l->addLayout(botoes);
  setFixedHeight(324);

  connect(btnAvancar, &QPushButton::clicked, this, &TfrmEntrada::btnAvancarClick);
  connect(btnVoltar, &QPushButton::clicked, this, &TfrmEntrada::btnVoltarClick);
  connect(btnCancelar, &QPushButton::clicked, this, &TfrmEntrada::btnCancelarClick);
  for (QRadioButton *r : {rbtFolha, rbtResponsavel, rbtRestaurar})
    connect(r, &QRadioButton::toggled, this, &TfrmEntrada::AtualizarDisponibilidade);
  AtualizarDisponibilidade();
  if (btnAvancar->isEnabled())
    btnAvancar->setFocus();
  else
    btnCancelar->setFocus();
  centralizarForm();
}

bool TfrmEntrada::OpcaoDisponivel(int opcao) {
  // Which ways in this build offers. The payroll import, the responsible-party
  // form and the restore come alive here when they are built.
  switch (opcao) {
  case opFolha:
  case opRestaurar:
  case opResponsavel:
    return true;
  default:
    return false;
  }
}

int TfrmEntrada::OpcaoEscolhida() const {
  if (rbtResponsavel->isChecked())
    return opResponsavel;
  if (rbtRestaurar->isChecked())
    return opRestaurar;
  return opFolha;
}

void TfrmEntrada::AtualizarDisponibilidade() {
  QRadioButton *botoes[] = {rbtFolha, rbtResponsavel, rbtRestaurar};
  QStringList indisponiveis;
  for (int i = 0; i < 3; ++i) {
    const bool ok = OpcaoDisponivel(i);
    botoes[i]->setEnabled(ok);
    notas_[i]->setText(ok ? QString() : QStringLiteral("(ainda não disponível nesta versão)"));
    if (!ok)
      indisponiveis << botoes[i]->text();
  }
  lblIndisponivel->setText(
      indisponiveis.size() == 3
          ? QStringLiteral(
                "Nenhuma das opções está disponível nesta versão. Use \"Cancelar\" para sair.")
          : QString());
  lblIndisponivel->setVisible(!lblIndisponivel->text().isEmpty());
  btnAvancar->setEnabled(OpcaoDisponivel(OpcaoEscolhida()));
}

void TfrmEntrada::centralizarForm() {
  QScreen *tela = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!tela)
    return;
  const QRect area =
      tela->availableGeometry().isValid() ? tela->availableGeometry() : tela->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

QString TfrmEntrada::EscolherArquivoFolha(QWidget *) {
  // Only an existing file named VESK.re, in any letter case, is accepted; the
  // dialog comes back until one is chosen or the user gives up.
  QString pasta;
  for (;;) {
    PedidoArquivo pedido;
    pedido.Titulo = QStringLiteral("Selecione o arquivo de folha de pagamento para importação");
    pedido.Pasta = pasta;
    pedido.Filtro = QStringLiteral("Arquivo de importação de folha de pagamento (VESK.re)");
    const QString nome = EscolherArquivo(pedido);
    if (nome.isEmpty())
      return QString();
    const QFileInfo info(nome);
    if (info.fileName().toUpper() == QLatin1String("VESK.RE") && info.isFile())
      return nome;
    pasta = info.absolutePath();
  }
}

void TfrmEntrada::btnAvancarClick() {
  // Each way in runs here once its part of the program exists.
  if (!OpcaoDisponivel(OpcaoEscolhida()))
    return;
  if (OpcaoEscolhida() == opFolha)
    ImportarFolha();
  else if (OpcaoEscolhida() == opRestaurar)
    RestaurarBackup();
  else if (OpcaoEscolhida() == opResponsavel)
    CadastrarResponsavel();
}

void TfrmEntrada::CadastrarResponsavel() {
  if (!frmResponsavel->isVisible()) {
    // First press: the form fills the window, empty.
    for (QWidget *w : introducao_)
      w->hide();
    lblIndisponivel->hide();
    setFixedHeight(430);
    btnVoltar->show();
    frmResponsavel->show();
    frmResponsavel->NovoResponsavel();
    centralizarForm();
    return;
  }
  // Second press: checked, confirmed ("000035") and saved; then the main window opens.
  if (frmResponsavel->Salvar())
    accept();
}

void TfrmEntrada::RestaurarBackup() {
  // The restore window has no owner here and is driven by this window: it
  // asks for the archive at once and closes when the restore ends.
  setEnabled(false);
  bool restaurado = false;
  {
    TfrmRestaurarBackup restaurar(nullptr);
    restaurar.show();
    restaurar.btnAvancarClick();
    restaurado = restaurar.Restaurado;
    restaurar.btnCancelarClick();
  }
  setEnabled(true);
  if (restaurado && ExisteEmpregador())
    accept();
}

void TfrmEntrada::ImportarFolha() {
  setEnabled(false);
  const QString nome = EscolherArquivoFolha(this);
  const bool importou = !nome.isEmpty() && ImportarArquivoFolha(nome);
  setEnabled(true);
  if (importou)
    accept();
}

bool TfrmEntrada::ImportarArquivoFolha(const QString &nome) {
  bool importou = false;
  try {
    // The import refreshes the main window's tree at its end, so a main
    // window exists, unseen, while it runs.
    TfrmPrincipal principal(nullptr, false);
    importou = TfrmProgImporta::ImportarFolha(nome, this);
    Utilitarios.NormalizarConsignados();
  } catch (const std::exception &e) {
    TratarExcecao(e);
  }
  return importou;
}

void TfrmEntrada::btnVoltarClick() {
  frmResponsavel->hide();
  for (QWidget *w : introducao_)
    w->show();
  AtualizarDisponibilidade();
  btnVoltar->hide();
  setFixedHeight(324);
  centralizarForm();
}

void TfrmEntrada::btnCancelarClick() {
  reject();
}

void TfrmEntrada::reject() {
  if (frmResponsavel->isVisible() && !frmResponsavel->PodeDescartar())
    return;
  if (frmResponsavel->EmEdicao()) {
    frmResponsavel->HabilitarEdicao(true);
    ModoEdicao = meNenhuma;
  }
  QDialog::reject();
}
