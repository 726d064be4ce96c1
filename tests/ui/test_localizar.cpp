// The lookup dialogs: the search window against the registry (its switching
// rules, hits, sorting that keeps each row's key, the main window selecting
// the chosen node) and the criterion windows' texts; the guide and
// loaded-balance queries searching their grids.
#include "ArvoreTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uLocalizar.h"
#include "ui/uPrincipal.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
QString SalvarImagem(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  const QString caminho = QDir(pasta).absoluteFilePath(nome);
  w.grab().save(caminho);
  return caminho;
}

QStringList Coluna(QAbstractItemView *v, int coluna) {
  QStringList r;
  for (int i = 0; i < v->model()->rowCount(); ++i)
    r << v->model()->index(i, coluna).data().toString();
  return r;
}

void Escolher(TfrmLocalizar &f, int chave) {
  f.RGroupOpcBusca->button(chave)->click();
}
} // namespace

class LocalizarTeste : public ArvoreTeste {
protected:
  void SetUp() override {
    ArvoreTeste::SetUp();
    CriarCadastro();
  }
  void TearDown() override {
    TfrmLocalizar::Interceptar = nullptr;
    TfrmLocalizaPadrao::Interceptar = nullptr;
    ArvoreTeste::TearDown();
  }
  void VinculoEm(qint64 insc, qint64 pis, int categoria, const char *admissao) {
    Executar(QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO) VALUES (1, %1, %2, %3, "
                            "'%4', 0, 'S')")
                 .arg(insc)
                 .arg(pis)
                 .arg(categoria)
                 .arg(QString::fromLatin1(admissao)));
  }
};

TEST_F(LocalizarTeste, ChavesDePesquisaTrocamProcuraETamanho) {
  AplicacaoTeste();
  TfrmLocalizar f;
  f.show();
  EXPECT_EQ(f.windowTitle(), "Localizar Empresa/Trabalhador");
  EXPECT_FALSE(f.btnLocaliza->isEnabled());
  EXPECT_EQ(f.edtBusca->maxLength(), 115);
  EXPECT_EQ(f.grid->model()->columnCount(), 2);
  EXPECT_EQ(f.grid->model()->rowCount(), 1); // the empty row
  struct Caso {
    int chave, procura;
    bool procuraLivre;
    int tamanho;
  } casos[] = {{cpPIS, ppTrabalhador, false, 11},
               {cpNome, ppTrabalhador, true, 70},
               {cpCNPJ, ppEmpresa, false, 14},
               {cpNome, ppEmpresa, true, 115},
               {cpCEI, ppEmpresa, false, 12}};
  for (const Caso &c : casos) {
    f.edtBusca->setText(QStringLiteral("12"));
    Escolher(f, c.chave);
    EXPECT_EQ(f.cbProcura->currentIndex(), c.procura) << c.chave;
    EXPECT_EQ(f.cbProcura->isEnabled(), c.procuraLivre) << c.chave;
    EXPECT_EQ(f.edtBusca->maxLength(), c.tamanho) << c.chave;
    EXPECT_TRUE(f.edtBusca->text().isEmpty()) << c.chave;
    EXPECT_FALSE(f.btnLocaliza->isEnabled());
    EXPECT_EQ(f.grid->model()->columnCount(), c.procura == ppEmpresa ? 2 : 3);
  }
  // Digits only, typed or pasted.
  Escolher(f, cpCNPJ);
  f.edtBusca->insert(QStringLiteral("12.345"));
  EXPECT_EQ(f.edtBusca->text(), "");
  QTest::keyClicks(f.edtBusca, QStringLiteral("1a2-3"));
  EXPECT_EQ(f.edtBusca->text(), "123");
  EXPECT_TRUE(f.btnLocaliza->isEnabled());
  EXPECT_TRUE(f.btnLocaliza->isDefault());
  // Back to the name: anything may be typed.
  Escolher(f, cpNome);
  QTest::keyClicks(f.edtBusca, QStringLiteral("D'A"));
  EXPECT_EQ(f.edtBusca->text(), "D'A");
}

TEST_F(LocalizarTeste, PesquisasDaJanela) {
  AplicacaoTeste();
  InserirVinculo(1, InscAlfa, 10000000009LL, QStringLiteral("JOAO D''AVILA"), 1, 0);
  RespostasDialogo respostas;
  TfrmLocalizar f;
  f.show();
  struct Caso {
    int chave, procura;
    const char *texto;
    QStringList nomes;
    const char *mensagem; // nullptr: none
  } casos[] = {
      {cpNome, ppEmpresa, "  ", {}, "990405"},
      {cpNome, ppEmpresa, "zzz", {}, "990092"},
      {cpNome, ppEmpresa, "a c", {"ALFA COMERCIO"}, nullptr},
      {cpNome, ppTrabalhador, "d'av", {"JOAO D'AVILA"}, nullptr},
      {cpNome, ppTrabalhador, "eduardo", {"EDUARDO", "EDUARDO"}, nullptr},
      {cpCNPJ, ppEmpresa, "11111111000191", {"ALFA COMERCIO"}, nullptr},
      // The responsible party alone has no node: not found.
      {cpCNPJ, ppEmpresa, "11222333000181", {}, "990092"},
      {cpCEI, ppEmpresa, "123456789012", {"BETA SERVICOS"}, nullptr},
      {cpPIS, ppTrabalhador, "10000000003", {"CARLA"}, nullptr},
  };
  for (const Caso &c : casos) {
    respostas.mostrados.clear();
    Escolher(f, c.chave);
    f.cbProcura->setCurrentIndex(c.procura);
    f.cbProcuraChange();
    f.edtBusca->setText(QString::fromUtf8(c.texto));
    f.btnLocaliza->click();
    QStringList nomes = c.nomes.isEmpty() ? QStringList{""} : c.nomes;
    EXPECT_EQ(Coluna(f.grid, 0), nomes) << c.texto;
    EXPECT_EQ(f.Inscricoes.size(), c.nomes.size()) << c.texto;
    if (c.mensagem) {
      ASSERT_EQ(respostas.mostrados.size(), 1u) << c.texto;
      EXPECT_TRUE(respostas.mostrados[0].Texto.startsWith(QString::fromLatin1(c.mensagem)))
          << respostas.mostrados[0].Texto.toStdString();
      EXPECT_EQ(f.ElementoAtual(), TRecInscricao{});
    } else {
      EXPECT_TRUE(respostas.mostrados.empty()) << c.texto;
      EXPECT_TRUE(f.btnCancelar->isDefault());
    }
  }
  // The PIS search: the link's key, shown in the grid's columns.
  EXPECT_EQ(Coluna(f.grid, 1), QStringList{"100.00000.00-3"});
  EXPECT_EQ(Coluna(f.grid, 2), QStringList{"02/03/2015"});
  const TRecInscricao k = f.ElementoAtual();
  EXPECT_EQ(k.Tipo, 1);
  EXPECT_EQ(k.TipoInscricao, 2);
  EXPECT_EQ(k.Inscricao, InscBeta);
  EXPECT_EQ(k.PIS, PisCarla);
  EXPECT_EQ(k.Categoria, 1);
  EXPECT_EQ(DataParaQDate(k.DataAdmissao), QDate(2015, 3, 2));
  SalvarImagem(f, QStringLiteral("localizar.png"));
}

TEST_F(LocalizarTeste, GradeOrdenadaEscolheOVinculoDaLinha) {
  AplicacaoTeste();
  // ANA has two more links: admitted 10/01/2025 and 09/12/2025, which sort
  // the other way round as text.
  VinculoEm(InscAlfa, PisAna, 3, "2025-12-09");
  VinculoEm(InscAlfa, PisAna, 2, "2025-01-10");
  TfrmPrincipal j;
  j.show();
  TfrmLocalizar::Interceptar = [](TfrmLocalizar &f) {
    Escolher(f, cpNome);
    f.cbProcura->setCurrentIndex(ppTrabalhador);
    f.cbProcuraChange();
    f.edtBusca->setText(QStringLiteral("ana"));
    f.btnLocaliza->click();
    ASSERT_EQ(f.Inscricoes.size(), 3);
    f.grid->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    EXPECT_EQ(Coluna(f.grid, 2), (QStringList{"09/12/2025", "10/01/2025", "02/03/2015"}));
    f.grid->setCurrentIndex(f.grid->model()->index(1, 0));
    SalvarImagem(f, QStringLiteral("localizar_vinculos.png"));
  };
  j.Acao(QStringLiteral("actLocalizar"))->trigger();
  EXPECT_EQ(Arvore.Atual.Tipo, u'F');
  EXPECT_EQ(Arvore.Atual.PIS, PisAna);
  EXPECT_EQ(Arvore.Atual.Categoria, 2);
  EXPECT_EQ(DataParaQDate(Arvore.Atual.DataAdmissao), QDate(2025, 1, 10));
  EXPECT_EQ(j.tvCadastro->currentItem(), TArvoreVisualQt::Item(Arvore.Atual.No));
  EXPECT_TRUE(j.tvCadastro->isEnabled());

  // An employer found by name; closing right after the search takes the first hit.
  TfrmLocalizar::Interceptar = [](TfrmLocalizar &f) {
    f.edtBusca->setText(QStringLiteral("SERVICOS"));
    f.btnLocaliza->click();
  };
  j.Acao(QStringLiteral("actLocalizar"))->trigger();
  EXPECT_TRUE(Arvore.Atual.EhEmpresa());
  EXPECT_EQ(Arvore.Atual.Inscricao, InscBeta);
  EXPECT_TRUE(j.tvCadastro->currentItem()->isExpanded());

  // No hit: the selection stays.
  TfrmLocalizar::Interceptar = [](TfrmLocalizar &f) {
    f.edtBusca->setText(QStringLiteral("NINGUEM"));
    f.btnLocaliza->click();
  };
  RespostasDialogo respostas;
  j.Acao(QStringLiteral("actLocalizar"))->trigger();
  EXPECT_EQ(Arvore.Atual.Inscricao, InscBeta);
}

// ------------------------------------------------------ criterion windows

namespace {
struct Digitar {
  const char *campo; // object name
  const char *texto;
};
} // namespace

TEST_F(LocalizarTeste, TextosDosCriterios) {
  AplicacaoTeste();
  struct Caso {
    const char *janela; // "E1", "E2", "E3", "T", "P1", "P2"
    QList<Digitar> digitado;
    bool confirmar;
    const char *criterio;
  } casos[] = {
      {"E3", {{"edtNome", "alfa"}, {"edtInscricao", "123"}}, true, "INSCRICAO-123"},
      {"E3", {{"edtInscricao", "0012"}}, true, "INSCRICAO-0012"},
      {"E3", {{"edtInscricao", "12"}, {"edtNome", "beta s"}}, true, "RAZAO-BETA S"},
      {"E3", {{"edtPIS", "10000000003"}}, true, "PIS/PASEP-10000000003"},
      {"E3", {{"edtNome", "x"}}, false, ""},
      {"E1", {{"edtInscricao", "55"}}, true, "INSCRICAO-55"},
      {"T", {{"edtNome", "ana"}}, true, "NOME-ANA"},
      {"T", {{"edtNome", "ana"}, {"edtInscricao", "10000000001"}}, true, "PIS/PASEP-10000000001"},
      {"P2",
       {{"edtProtocolo", "abcd1234efgh5678ijkl9012mnop3456"}},
       true,
       "PROTOCOLO-ABCD1234.EFGH5678.IJKL9012.MNOP3456"},
      {"P2", {{"edtInscricao", "77"}}, true, "INSCRICAO-77"},
      {"P2", {{"edtPIS", "10000000004"}}, true, "PIS/PASEP-10000000004"},
      {"P1", {{"edtInscricao", "8"}}, true, "INSCRICAO-8"},
  };
  for (const Caso &c : casos) {
    const QString tipo = QString::fromLatin1(c.janela);
    TfrmLocalizaPadrao::Interceptar = [&](TfrmLocalizaPadrao &f) {
      EXPECT_FALSE(f.btnLocalizar->isEnabled());
      for (const Digitar &d : c.digitado) {
        auto *campo = f.findChild<QLineEdit *>(QString::fromLatin1(d.campo));
        ASSERT_TRUE(campo && campo->isVisibleTo(&f)) << c.janela << d.campo;
        campo->setFocus();
        campo->setCursorPosition(0);
        QTest::keyClicks(campo, QString::fromLatin1(d.texto));
      }
      EXPECT_TRUE(f.btnLocalizar->isEnabled()) << c.janela;
      (c.confirmar ? f.btnLocalizar : f.btnFechar)->click();
    };
    QString criterio;
    if (tipo.startsWith(u'E'))
      criterio = LocalizarEmpresa(tipo.mid(1).toInt());
    else if (tipo == QLatin1String("T"))
      criterio = LocalizarTrabalhador();
    else
      criterio = LocalizarProtocolo(tipo.mid(1).toInt());
    EXPECT_EQ(criterio, QString::fromLatin1(c.criterio)) << c.janela;
  }
  // Exclusive fields: an inscription typed after a name empties the name.
  TfrmLocalizaEmpresa e(3);
  QTest::keyClicks(e.edtNome, QStringLiteral("alfa"));
  QTest::keyClicks(e.edtInscricao, QStringLiteral("9"));
  EXPECT_EQ(e.edtNome->text(), "");
  QTest::keyClicks(e.edtNome, QStringLiteral("b"));
  EXPECT_EQ(e.edtInscricao->text(), "");
  e.edtInscricao->insert(QStringLiteral("12.345"));
  EXPECT_EQ(e.edtInscricao->text(), "");
  // Heights by mode; the lower fields are out of reach.
  EXPECT_EQ(TfrmLocalizaEmpresa(1).height(), 107);
  EXPECT_TRUE(TfrmLocalizaEmpresa(1).edtNome->isHidden());
  EXPECT_EQ(TfrmLocalizaEmpresa(2).height(), 146);
  EXPECT_EQ(TfrmLocalizaEmpresa(3).height(), 187);
  EXPECT_EQ(TfrmLocalizaProtocolo(2).height(), 186);
  EXPECT_EQ(TfrmLocalizaProtocolo(1).height(), 146);
  // An untouched protocol counts as empty; one group keeps the points.
  TfrmLocalizaProtocolo p(2);
  p.show();
  EXPECT_FALSE(p.btnLocalizar->isEnabled());
  QTest::keyClicks(p.edtProtocolo, QStringLiteral("ab12cd34"));
  EXPECT_EQ(p.ProtocoloMascarado(), "AB12CD34.        .        .        ");
  SalvarImagem(p, QStringLiteral("localizar_protocolo.png"));
  TfrmLocalizaEmpresa e3(3);
  e3.show();
  SalvarImagem(e3, QStringLiteral("localizar_empresa.png"));

  // The registry launcher.
  TfrmLocalizaPadrao::Interceptar = [](TfrmLocalizaPadrao &f) {
    QTest::keyClicks(static_cast<TfrmLocalizaEmpresa &>(f).edtPIS, QStringLiteral("10000000004"));
    f.btnLocalizar->click();
  };
  const TRegLocalizar r = LocalizarEmpresaRegistro();
  EXPECT_TRUE(r.Encontrado);
  EXPECT_EQ(r.TipoChave, "F");
  EXPECT_EQ(r.Criterio, "PIS/PASEP-10000000004");
  EXPECT_EQ(r.Valor, "10000000004");
}
