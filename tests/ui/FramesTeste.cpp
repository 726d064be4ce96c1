#include "FramesTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uFramePadrao.h"

#include <QPushButton>

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

// Qt's switch for the accelerators of captions ("&Salvar" = Alt+S); the
// offscreen platform starts with them off, a desktop with them on.
Q_GUI_EXPORT void qt_set_sequence_auto_mnemonic(bool b);

void FramesTeste::SetUp() {
  qt_set_sequence_auto_mnemonic(true);
  ArvoreTeste::SetUp();
  CriarCadastro();
  ModoEdicao = meNenhuma;
  Executar("UPDATE QZLTBG02_EMPRESA SET SG_UF = 'SP', DE_LOGRADOURO = 'RUA DAS FLORES 10', "
           "NO_BAIRRO = 'CENTRO', NU_CEP = 1310100, NO_LOCALIDADE = 'SAO PAULO', NU_DDD = 11, "
           "NU_TELEFONE = 32345678, NO_CONTATO = 'MARIA', "
           "CO_ENDERECO_VIRTUAL_CONTATO = 'maria@contabil.com.br' WHERE IC_ESTADO_EMPRESA = 'R'");
  Executar(QStringLiteral("UPDATE QZLTBG02_EMPRESA SET SG_UF = 'RJ', DE_LOGRADOURO = 'AV BRASIL "
                          "500', NO_BAIRRO = 'PENHA', NU_CEP = 21020000, NO_LOCALIDADE = 'RIO DE "
                          "JANEIRO', NU_DDD = 21, NU_TELEFONE = 25556666, NU_IBGE = %1, "
                          "NU_INSS = 507, NU_SIMPLES = 1 WHERE NU_INSCRICAO = %2")
               .arg(PrimeiroCNAE())
               .arg(InscAlfa));
}

void FramesTeste::TearDown() {
  janela.reset();
  ModoEdicao = meNenhuma;
  ArvoreTeste::TearDown();
}

TfrmPrincipal &FramesTeste::Janela() {
  if (!janela) {
    janela = std::make_unique<TfrmPrincipal>();
    janela->show();
    // The offscreen platform does not activate windows by itself; the
    // accelerators only reach the active window.
    QApplication::setActiveWindow(janela.get());
  }
  return *janela;
}

QTreeWidgetItem *FramesTeste::No(const QString &texto) {
  for (TNo no : Janela().ArvoreVisual().Todos())
    if (Janela().ArvoreVisual().Texto(no) == texto)
      return TArvoreVisualQt::Item(no);
  ADD_FAILURE() << "nó ausente: " << texto.toStdString();
  return nullptr;
}

int FramesTeste::Quantos(const QString &texto) {
  int n = 0;
  for (TNo no : Janela().ArvoreVisual().Todos())
    n += Janela().ArvoreVisual().Texto(no) == texto ? 1 : 0;
  return n;
}

void FramesTeste::VerificarJanela() {
  // Every element is one node of the window's tree and the other way round.
  EXPECT_EQ(Arvore.Quantidade(), static_cast<int>(Janela().ArvoreVisual().Todos().size()));
  for (const TRecArvore &r : Arvore.Nos)
    EXPECT_TRUE(Janela().ArvoreVisual().Todos().contains(r.No));
}

void FramesTeste::Selecionar(const QString &texto) {
  Janela().tvCadastro->setCurrentItem(No(texto));
}

void FramesTeste::Digitar(QWidget *w, const QString &texto) {
  w->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(w, texto);
}

QWidget *FramesTeste::Foco() {
  return QApplication::focusWidget();
}

void FramesTeste::Tecla(Qt::Key tecla, Qt::KeyboardModifiers mod) {
  QWidget *w = Foco();
  if (!w)
    w = QApplication::activeWindow();
  QTest::keyClick(w, tecla, mod);
}

void FramesTeste::Salvar(TFramePadrao *f) {
  // "&Salvar" answers Alt+S; the offscreen platform delivers no accelerator
  // key to a button, so the test checks the binding and presses the button.
  EXPECT_EQ(f->btnSalvar->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
  ASSERT_TRUE(f->btnSalvar->isVisible() && f->btnSalvar->isEnabled());
  f->btnSalvar->click();
}

QString FramesTeste::CNPJ(const QString &base12) {
  for (int dv = 0; dv < 100; ++dv) {
    const QString n = base12 + QString::number(dv).rightJustified(2, u'0');
    if (TUtilitarios::CNPJValido(n))
      return n;
  }
  return QString();
}

QString FramesTeste::PrimeiroCNAE() {
  return TUtilitarios::CompletarZeros(
      Valor("SELECT FIRST 1 NU_IBGE FROM QZLTBT03_ATIVIDADE_CNAE_NIVEL_5 ORDER BY 1"), 7);
}

QString FramesTeste::Capturar(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  const QString caminho = QDir(pasta).absoluteFilePath(nome);
  w.grab().save(caminho);
  std::printf("captura: %s\n", qPrintable(caminho));
  return caminho;
}

QString Mostrada(const std::vector<PedidoDialogo> &mostrados, const QString &codigo) {
  for (const PedidoDialogo &p : mostrados)
    if (p.Texto.startsWith(codigo))
      return p.Texto;
  return QString();
}

QStringList Codigos(const std::vector<PedidoDialogo> &mostrados) {
  QStringList r;
  for (const PedidoDialogo &p : mostrados)
    r << p.Texto.left(6);
  return r;
}
