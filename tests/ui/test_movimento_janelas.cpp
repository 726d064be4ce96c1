// The collection run as a user meets it: the opening frame, the statement
// of the closing, the simulation window with the details stepping through
// the workers, and marking from the main window's tree.
#include "collection/MovimentoTeste.h"

#include "ui/uAbreMovimento.h"
#include "ui/uDetalhesRecolEmp.h"
#include "ui/uPrincipal.h"
#include "ui/uSimulaMovimento.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {
// Screenshots beside the test programs, for a human look.
void Capturar(QWidget &w, const char *nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  w.grab().save(QDir(pasta).absoluteFilePath(QString::fromLatin1(nome)));
}
} // namespace

class MovimentoJanelasTeste : public MovimentoTeste {};

TEST_F(MovimentoJanelasTeste, AberturaPeloFrame) {
  RespostasDialogo respostas;
  TfrmAbreMovimento f;
  f.show();
  bool principalHabilitada = true;
  f.HabilitarPrincipal = [&](bool h) { principalHabilitada = h; };
  f.CarregarTela();
  f.resize(690, 500);
  Capturar(f, "abertura_movimento.png");
  EXPECT_EQ(f.dteDataRecolhimento->text(), QStringLiteral("10/04/2024"));
  EXPECT_TRUE(f.btnSimulacao->isEnabled());

  f.btnNovaAbertura->click();
  EXPECT_TRUE(f.EmEdicao());
  EXPECT_TRUE(f.btnSalvar->isVisible());
  EXPECT_FALSE(f.btnSimulacao->isVisible());
  EXPECT_FALSE(principalHabilitada);
  // Cancel puts the remembered date back.
  f.dteDataRecolhimento->setText(QStringLiteral("13/04/2024"));
  f.btnCancelar->click();
  EXPECT_EQ(f.dteDataRecolhimento->text(), QStringLiteral("10/04/2024"));
  EXPECT_TRUE(principalHabilitada);

  struct TCaso {
    const char *Texto;
    const char *Mensagem; // start of the message text; empty: no message
    bool Aberto;
  } casos[] = {
      {"31/02/2024", "Data de recolhimento inválida", false},
      {"11/04/2024", "", false},
      {"13/04/2024", "Data de recolhimento não é dia útil", false},
      {"03/06/2024", "Data de recolhimento fora", false},
      {"10/04/2024", "", true},
  };
  for (const TCaso &c : casos) {
    SCOPED_TRACE(c.Texto);
    respostas.mostrados.clear();
    f.btnNovaAbertura->click();
    f.dteDataRecolhimento->setText(QString::fromLatin1(c.Texto));
    f.btnSalvar->click();
    EXPECT_EQ(f.EmEdicao(), !c.Aberto);
    if (*c.Mensagem) {
      ASSERT_EQ(respostas.mostrados.size(), 1u);
      EXPECT_TRUE(respostas.mostrados[0].Texto.contains(QString::fromUtf8(c.Mensagem)))
          << respostas.mostrados[0].Texto.toStdString();
    } else {
      EXPECT_TRUE(respostas.mostrados.empty());
    }
    if (!c.Aberto && QLatin1String(c.Texto) != QLatin1String("31/02/2024")) {
      // The refused date is cleared.
      EXPECT_EQ(f.DataDigitada(), NullDate);
    }
    if (c.Aberto) {
      EXPECT_FALSE(f.btnSalvar->isVisible());
      EXPECT_TRUE(f.btnFechamento->isEnabled());
    } else {
      f.btnCancelar->click();
    }
  }
}

TEST_F(MovimentoJanelasTeste, DeclaracaoAceitaSoComACaixaMarcada) {
  TfrmAbreMovimento f;
  QTimer::singleShot(50, [] {
    auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Importante"));
    EXPECT_EQ(d->size(), QSize(570, 120));
    d->findChild<QCheckBox *>(QStringLiteral("chkDeclaracao"))->setChecked(true);
  });
  EXPECT_TRUE(f.DeclaracaoCienciaFechamento());
  QTimer::singleShot(50, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(f.DeclaracaoCienciaFechamento());
}

TEST_F(MovimentoJanelasTeste, SimulacaoComDetalhesPorTrabalhador) {
  TCasoVinculo a = Valido(11111111111), b = Valido(22222222222);
  b.Rescisao = 3100.45;
  for (TCasoVinculo *k : {&a, &b}) {
    k->Estado = 1;
    Incluir(*k, k == &a ? QStringLiteral("ANA") : QStringLiteral("BRUNO"));
  }
  RespostasDialogo respostas;
  bool mostrou = false;
  TfrmSimulaMovimento::AoMostrar = [&](TfrmSimulaMovimento &s) {
    mostrou = true;
    ASSERT_EQ(s.grdEmpresa->rowCount(), 1);
    EXPECT_EQ(s.grdEmpresa->item(0, 0)->text(), QStringLiteral("11.222.333/0001-81"));
    EXPECT_EQ(s.grdEmpresa->item(0, 2)->text(), QStringLiteral("10/04/2024"));
    EXPECT_FALSE(s.btnDetalhes->isVisible());
    s.pgcSimulacao->setCurrentIndex(1);
    ASSERT_EQ(s.grdTrabalhador->rowCount(), 2);
    const QList<TTrabalhadorSimulado> lista = s.TrabalhadoresVisiveis();
    TCentavos soma;
    for (const TTrabalhadorSimulado &t : lista)
      soma += t.ValTotRec;
    EXPECT_EQ(s.grdEmpresa->item(0, 3)->text(), soma.Formatado());
    int vistos = 0;
    TfrmDetalhesRecolEmp::AoMostrar = [&](TfrmDetalhesRecolEmp &d) {
      // The details engine gives what the simulation's gave, worker by worker.
      EXPECT_EQ(d.Valor(" Total do Trabalhador"), lista[0].ValTotRec.Formatado());
      EXPECT_FALSE(d.btnAnterior->isEnabled());
      d.btnProximo->click();
      EXPECT_EQ(d.Indice(), 1);
      EXPECT_EQ(d.Valor(" Total do Trabalhador"), lista[1].ValTotRec.Formatado());
      EXPECT_EQ(d.Valor("Nome:"), lista[1].NomeTrabalhador);
      EXPECT_EQ(d.Valor("Mês de Rescisão/Remuneração:"), lista[1].Remu407.Formatado());
      EXPECT_FALSE(d.btnProximo->isEnabled());
      d.show();
      Capturar(d, "detalhes_recolhimento.png");
      ++vistos;
    };
    s.grdTrabalhador->selectRow(0);
    s.show();
    Capturar(s, "simulacao_trabalhador.png");
    s.btnDetalhes->click();
    EXPECT_EQ(vistos, 1);
  };
  EXPECT_TRUE(TfrmSimulaMovimento::Simular(TEscopoMovimento::DeTodos()).isEmpty());
  TfrmSimulaMovimento::AoMostrar = nullptr;
  TfrmDetalhesRecolEmp::AoMostrar = nullptr;
  EXPECT_TRUE(mostrou);
  EXPECT_TRUE(respostas.mostrados.empty());

  // Nothing marked: the message instead of the window.
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 0");
  EXPECT_EQ(TfrmSimulaMovimento::Simular(TEscopoMovimento::DeTodos()), QStringLiteral("0108"));
  ASSERT_EQ(respostas.mostrados.size(), 1u);
}

TEST_F(MovimentoJanelasTeste, MarcarEmpresaPelaArvore) {
  TCasoVinculo bom = Valido(11111111111), ruim = Valido(22222222222);
  ruim.Movimentacao = QDate(2024, 2, 28);
  Incluir(bom, QStringLiteral("ANA"));
  Incluir(ruim, QStringLiteral("BRUNO"));
  RespostasDialogo respostas;
  respostas.Responder(mrNo); // FE0224: no report
  TfrmPrincipal j;
  j.TabTreeView->setCurrentIndex(1);
  QTreeWidgetItem *empresa = nullptr;
  for (TNo no : j.ArvoreVisual().Todos())
    if (j.ArvoreVisual().Texto(no) == QStringLiteral("EMPRESA TESTE"))
      empresa = TArvoreVisualQt::Item(no);
  ASSERT_TRUE(empresa);
  j.tvCadastro->setCurrentItem(empresa);
  j.Acao(QStringLiteral("Participar"))->trigger();
  EXPECT_EQ(Estado(bom), 1);
  EXPECT_EQ(Estado(ruim), 0);
  ASSERT_EQ(respostas.mostrados.size(), 2u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.contains(QStringLiteral("Alguns vínculos")));
  EXPECT_TRUE(respostas.mostrados[1].Texto.contains(QStringLiteral("Os vínculos com")));
  // The tree shows the marked company and link.
  TNo noEmpresa = j.tvCadastro->currentItem();
  EXPECT_EQ(j.ArvoreVisual().Imagem(noEmpresa), imgEmpresaMarcada);

  // Unmarking the company from its context menu command.
  j.Acao(QStringLiteral("Desmarcar"))->trigger();
  EXPECT_EQ(Estado(bom), 0);
  EXPECT_EQ(j.ArvoreVisual().Imagem(j.tvCadastro->currentItem()), imgEmpresa);
}
