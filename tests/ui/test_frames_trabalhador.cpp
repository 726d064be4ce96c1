// The worker frame: a worker, its link and the termination information typed
// on both pages from the keyboard and read back from the database column by
// column; the check table's first failures; the automatic fillings; failed
// saves that leave everything as it was; deleting a link.
#include "FramesTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uControles.h"
#include "ui/uFrmFuncionarios.h"
#include "ui/uSaldoRecisorio.h"

#include <QApplication>
#include <QTableWidget>
#include <QTimer>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

namespace {
// A valid PIS (check digit right) of a worker not in the fixture.
const QString PisNovo = QStringLiteral("12000000012");
} // namespace

class FramesTrabalhador : public FramesTeste {
protected:
  TfrmFuncionarios *NovoNaAlfa() {
    TfrmPrincipal &j = Janela();
    Selecionar("ALFA COMERCIO");
    j.Acao("actIncluirTrabalhador")->trigger();
    EXPECT_EQ(j.pnlFrames->currentWidget(), j.frmFuncionarios1);
    return j.frmFuncionarios1;
  }
  // A category-1 link dismissed without cause on 15/03/2020, typed page by
  // page as a user would, Tab from the withdrawal list to the second page.
  void DigitarTrabalhador(TfrmFuncionarios *f) {
    Digitar(f->edtPisPasep, PisNovo);
    Digitar(f->cmbCategoria, "01");
    Digitar(f->edtNome, "JOAO DA SILVA");
    Digitar(f->cmbSexo, "1");
    Digitar(f->cmbGrauIns, "07");
    Digitar(f->edtCPF, "52998224725");
    Digitar(f->cmbCBO, "004110");
    Digitar(f->edtCTPS, "1234567");
    Digitar(f->edtSerie, "12345");
    Digitar(f->dtDataNasc, "01011980");
    Digitar(f->dtAdmissao, "05012015");
    Digitar(f->dtOpcao, "05012015");
    Digitar(f->cmbMovimentacao, "I1");
    Digitar(f->dtMovimentacao, "15032020");
    Digitar(f->cmbAviso, "1");
    Digitar(f->edtHTrab, "44");
    Digitar(f->cmbSaque, "01");
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(f->pgcPrincipal->currentIndex(), 1);
    Digitar(f->edtAntResc, "2.000,00");
    Digitar(f->edtRescisao, "1000,5");
    Digitar(f->EdtSaldoRescInfoEmp, "12.345,67");
  }
  QString Linha(const QString &sql) {
    return Valor(sql + QStringLiteral(" WHERE NU_PIS = ") + PisNovo);
  }
};

TEST_F(FramesTrabalhador, NovoTrabalhadorPelasDuasPaginasChegaAoBanco) {
  TfrmFuncionarios *f = NovoNaAlfa();
  EXPECT_EQ(Foco(), f->edtPisPasep);
  EXPECT_EQ(f->lblEmpresa->text(), QStringLiteral("11.111.111/0001-91 - ALFA COMERCIO"));
  DigitarTrabalhador(f);
  RespostasDialogo d;
  Salvar(f);
  ASSERT_EQ(Codigos(d.mostrados), (QStringList{"400146", "400078"}));
  EXPECT_EQ(Linha("SELECT NO_EMPREGADO || '|' || IC_SEXO || '|' || NU_GRAU_INSTRUCAO || '|' || "
                  "NU_INSCRICAO_CPF || '|' || NU_CTPS || '|' || NU_SERIE_CTPS || '|' || "
                  "DT_NASCIMENTO || '|' || COALESCE(NU_DDD_CELULAR, 0) FROM QZLTBG03_EMPREGADO"),
            QStringLiteral("JOAO DA SILVA|1|7|52998224725|1234567|12345|1980-01-01|0"));
  EXPECT_EQ(
      Linha("SELECT NU_TIPO_INSO_EMPRA || '|' || NU_INSCRICAO || '|' || NU_CATEGORIA || '|' "
            "|| DT_ADMISSAO_VINCULO || '|' || DT_OPCAO || '|' || CO_MOVIMENTACAO || '|' || "
            "DT_MOVIMENTACAO_VINCULO || '|' || CO_SAQUE || '|' || CO_CBO || '|' || "
            "IC_AVISO_PREVIO || '|' || QT_HORAS_TRBS_SMNA || '|' || IC_CONSIGNADO || '|' || "
            "IC_ESTADO_MOVIMENTO || '|' || COALESCE(DT_INICIO_AVISO_PRVO, 'nulo') FROM "
            "QZLTBG04_VINCULO_EMPREGATICIO"),
      QStringLiteral("1|11111111000191|1|2015-01-05|2015-01-05|I1|2020-03-15|01|004110|1|44|N|0|"
                     "nulo"));
  // Money to the centavo; an empty date stays Null.
  EXPECT_EQ(
      Linha("SELECT VR_REMUNERACAO_ANTERIOR_RSCSO || '|' || VR_REMUNERACAO_RESCISAO || '|' || "
            "COALESCE(VR_AVISO_PREVIO, 0) || '|' || VR_SALDO_RESCISORIO || '|' || "
            "IC_ORIGEM_SALDO_RESCISORIO || '|' || IC_TIPO_PNSO_ALMNA || '|' || "
            "COALESCE(DT_DISSIDIO, 'nulo') FROM QZLTBG06_INFORMACAO_RESCISAO"),
      QStringLiteral("2000.00|1000.50|0.00|12345.67|E|N|nulo"));
  TfrmPrincipal &j = Janela();
  QTreeWidgetItem *no = No("JOAO DA SILVA");
  ASSERT_TRUE(no);
  EXPECT_EQ(no->parent(), No("ALFA COMERCIO"));
  EXPECT_EQ(j.tvCadastro->currentItem(), no);
  VerificarJanela();
  // Reloaded: what the database holds is what was typed.
  EXPECT_EQ(f->edtRescisao->text(), QStringLiteral("1.000,50"));
  EXPECT_EQ(f->EdtSaldoRescInfoEmp->text(), QStringLiteral("12.345,67"));
  EXPECT_TRUE(f->dtDissidio->text().remove(u'/').trimmed().isEmpty());
  EXPECT_EQ(f->cmbSaque->Codigo(2), QStringLiteral("01"));
  Capturar(j, QStringLiteral("frame_trabalhador.png"));
  f->pgcPrincipal->setCurrentIndex(1);
  Capturar(j, QStringLiteral("frame_trabalhador_financeiro.png"));
}

TEST_F(FramesTrabalhador, FalhaNaUltimaGravacaoDesfazTudoEMantemAEdicao) {
  Executar("CREATE EXCEPTION E_TESTE_FALHA 'falha provocada pelo teste'");
  Executar("CREATE TRIGGER T_TESTE_FALHA FOR QZLTBG06_INFORMACAO_RESCISAO BEFORE INSERT AS BEGIN "
           "EXCEPTION E_TESTE_FALHA; END");
  TfrmFuncionarios *f = NovoNaAlfa();
  DigitarTrabalhador(f);
  const int nos = Arvore.Quantidade();
  RespostasDialogo d;
  f->btnSalvar->click();
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"400146", "400144"}));
  EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO WHERE NU_PIS = " + PisNovo), 0);
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " + PisNovo), 0);
  EXPECT_EQ(Arvore.Quantidade(), nos);
  EXPECT_TRUE(f->EmEdicao());
  EXPECT_EQ(f->edtNome->text(), QStringLiteral("JOAO DA SILVA"));
  EXPECT_FALSE(IbxUtils->EmTransacao());

  // Without the fault it saves; the same link typed again is refused.
  Executar("DROP TRIGGER T_TESTE_FALHA");
  d.mostrados.clear();
  f->btnSalvar->click();
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"400146", "400078"}));
  TfrmFuncionarios *g = NovoNaAlfa();
  DigitarTrabalhador(g);
  d.mostrados.clear();
  g->btnSalvar->click();
  EXPECT_TRUE(Codigos(d.mostrados).endsWith("400208"))
      << Codigos(d.mostrados).join(',').toStdString();
  EXPECT_TRUE(g->EmEdicao());
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = " + PisNovo), 1);
}

TEST_F(FramesTrabalhador, PrimeiraFalhaDeCadaPassoMostraPaginaEFoco) {
  struct Caso {
    const char *nome;
    std::function<void(TfrmFuncionarios *)> estragar;
    const char *codigo;
    int pagina;
    const char *foco;
  } casos[] = {
      {"PIS com digito errado",
       [](TfrmFuncionarios *f) { f->edtPisPasep->DefinirDigitos("12000000013"); }, "400109", 0,
       "edtPisPasep"},
      {"CPF invalido", [](TfrmFuncionarios *f) { f->edtCPF->DefinirDigitos("52998224726"); },
       "400038", 0, "edtCPF"},
      {"nome com aspas e acento", [](TfrmFuncionarios *f) { f->edtNome->setText("JOSÉ D'ÁVILA"); },
       "400093", 0, "edtNome"},
      {"sem sexo", [](TfrmFuncionarios *f) { f->cmbSexo->setCurrentIndex(-1); }, "400121", 0,
       "cmbSexo"},
      {"sem nascimento", [](TfrmFuncionarios *f) { f->dtDataNasc->clear(); }, "400329", 0,
       "dtDataNasc"},
      {"nascimento impossivel", [](TfrmFuncionarios *f) { f->dtDataNasc->setText("31/02/1980"); },
       "400055", 0, "dtDataNasc"},
      {"sem admissao", [](TfrmFuncionarios *f) { f->dtAdmissao->clear(); }, "400039", 0,
       "dtAdmissao"},
      {"movimentacao incompleta",
       [](TfrmFuncionarios *f) { f->dtMovimentacao->setText("15/03/20"); }, "400051", 0,
       "dtMovimentacao"},
      {"tomador com numero invalido",
       [](TfrmFuncionarios *f) {
         f->cmbTipo->setCurrentIndex(0);
         f->edtInscricao->DefinirDigitos("11111111111111");
       },
       nullptr, 1, "edtInscricao"},
  };
  TfrmPrincipal &j = Janela();
  Q_UNUSED(j);
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nome);
    TfrmFuncionarios *f = NovoNaAlfa();
    DigitarTrabalhador(f);
    f->pgcPrincipal->setCurrentIndex(c.pagina == 0 ? 1 : 0);
    c.estragar(f);
    RespostasDialogo d;
    f->btnSalvar->click();
    ASSERT_EQ(d.mostrados.size(), 1u) << Codigos(d.mostrados).join(',').toStdString();
    if (c.codigo)
      EXPECT_EQ(Codigos(d.mostrados).first(), QString::fromLatin1(c.codigo));
    else
      EXPECT_TRUE(Codigos(d.mostrados).first().startsWith("40"));
    EXPECT_EQ(d.mostrados[0].Tipo, dtErro);
    EXPECT_EQ(f->pgcPrincipal->currentIndex(), c.pagina);
    ASSERT_TRUE(Foco());
    EXPECT_EQ(Foco()->objectName(), QString::fromLatin1(c.foco));
    EXPECT_EQ(f->ControlesMarcados(), QStringList{QString::fromLatin1(c.foco)});
    EXPECT_EQ(Contar("FROM QZLTBG03_EMPREGADO WHERE NU_PIS = " + PisNovo), 0);
    d.Responder(mrYes);
    f->btnCancelarClick();
    EXPECT_FALSE(f->EmEdicao());
  }
}

TEST_F(FramesTrabalhador, PreenchimentosAutomaticos) {
  TfrmFuncionarios *f = NovoNaAlfa();
  // 4 October 1988 leaves the option date to the user; 5 October copies it.
  Digitar(f->dtAdmissao, "04101988");
  f->dtDataNasc->setFocus();
  EXPECT_TRUE(f->dtOpcao->isEnabled());
  EXPECT_TRUE(f->dtOpcao->Vazia());
  f->dtAdmissao->clear();
  Digitar(f->dtAdmissao, "05101988");
  f->dtDataNasc->setFocus();
  EXPECT_FALSE(f->dtOpcao->isEnabled());
  EXPECT_EQ(f->dtOpcao->text(), QStringLiteral("05/10/1988"));
  // A movement date from March 2024 zeroes and disables the previous month.
  f->edtAntResc->DefinirCentavos(150000);
  Digitar(f->dtMovimentacao, "29022024");
  EXPECT_TRUE(f->edtAntResc->isEnabled());
  f->dtMovimentacao->clear();
  Digitar(f->dtMovimentacao, "01032024");
  EXPECT_FALSE(f->edtAntResc->isEnabled());
  EXPECT_EQ(f->edtAntResc->Centavos(), 0);
  // Category 6 fixes the occupation.
  Digitar(f->cmbCategoria, "06");
  EXPECT_EQ(f->cmbCBO->Codigo(6), QStringLiteral("005121"));
  EXPECT_FALSE(f->cmbCBO->isEnabled());
  f->cmbCategoria->SelecionarCodigo("01");
  EXPECT_TRUE(f->cmbCBO->isEnabled());
  // Alimony: a percentage is limited to 100,00.
  f->pgcPrincipal->setCurrentIndex(1);
  f->CmbIndPensao->setCurrentIndex(0);
  EXPECT_FALSE(f->edtValorPensao->isEnabled());
  f->CmbIndPensao->setCurrentIndex(1);
  EXPECT_EQ(f->lblValorPensao->text(), QStringLiteral("Percentual:"));
  EXPECT_TRUE(f->edtValorPensao->isEnabled());
  // Switched off in this screen.
  EXPECT_FALSE(f->cmbConsignado->isVisible());
  EXPECT_EQ(f->cmbConsignado->currentText(), QStringLiteral("Não"));
  EXPECT_FALSE(f->pgcPrincipal->isTabVisible(2));
  EXPECT_FALSE(f->pgcPrincipal->widget(3)->isEnabled());
  // A known PIS with nothing typed brings the stored worker.
  {
    RespostasDialogo d;
    d.Responder(mrYes);
    f->btnCancelarClick();
  }
  f = NovoNaAlfa();
  Digitar(f->edtPisPasep, QString::number(PisAna));
  f->edtNome->setFocus();
  EXPECT_EQ(f->edtNome->text(), QStringLiteral("ANA"));
}

TEST_F(FramesTrabalhador, ExcluirVinculoPerguntaConformeOEstado) {
  TfrmPrincipal &j = Janela();
  Selecionar("CARLA");
  {
    RespostasDialogo d;
    d.Responder(mrNo);
    j.Acao("actExcluir")->trigger();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"400445"});
  }
  Selecionar("ANA");
  RespostasDialogo d;
  j.Acao("actExcluir")->trigger();
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"400036", "400068"}));
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = %1").arg(PisAna)),
      0);
  EXPECT_TRUE(Quantos("ANA") == 0);
  EXPECT_EQ(j.tvCadastro->currentItem(), No("ALFA COMERCIO"));
  VerificarJanela();
}

TEST_F(FramesTrabalhador, SaldoBaseEscolhidoPelasContasDaVorda) {
  Executar(QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, "
                          "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                          "VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO) VALUES (1, %1, %2, 1, "
                          "'%3', 150.25, 'C')")
               .arg(InscAlfa)
               .arg(PisAna)
               .arg(QString::fromLatin1(AdmissaoTeste)));
  InserirConta(1, InscAlfa, PisAna, 1, 901, 1, QStringLiteral("ANA"));
  InserirConta(1, InscAlfa, PisAna, 1, 902, 1, QStringLiteral("ANA"));
  Executar("UPDATE QZLTBG10_CONTA_EMPREGADO_ZELT SET VR_SALDO_RESCISORIO = 100 WHERE "
           "NU_EMPREGADO_VORDA = 901");
  Executar("UPDATE QZLTBG10_CONTA_EMPREGADO_ZELT SET VR_SALDO_RESCISORIO = 50.25 WHERE "
           "NU_EMPREGADO_VORDA = 902");
  TfrmPrincipal &j = Janela();
  Selecionar("ANA");
  TfrmFuncionarios *f = j.frmFuncionarios1;
  EXPECT_EQ(f->EdtSaldoResc->text(), QStringLiteral("150,25"));
  j.Acao("actAlterar")->trigger();
  ASSERT_TRUE(f->EmEdicao());
  EXPECT_TRUE(f->btnFinsResc->isEnabled());
  EXPECT_FALSE(f->EdtSaldoRescInfoEmp->isEnabled());
  QTimer::singleShot(0, [] {
    auto *d = qobject_cast<TfrmSaldoRecisorio *>(QApplication::activeModalWidget());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->grdContas->rowCount(), 2);
    EXPECT_EQ(d->Total(), 15025);
    d->grdContas->setFocus();
    d->grdContas->setCurrentCell(1, 0);
    QTest::keyClick(d->grdContas, Qt::Key_Space); // the second account is left out
    EXPECT_EQ(d->grdContas->item(1, 0)->text(), QStringLiteral("NÃO"));
    FramesTeste::Capturar(*d, QStringLiteral("saldo_recisorio.png"));
    d->btnSelecionar->click();
  });
  f->btnFinsResc->click();
  EXPECT_EQ(f->EdtSaldoResc->Centavos(), 10000);
  RespostasDialogo d;
  d.Responder(mrYes);
  f->btnCancelarClick();
  EXPECT_FALSE(f->EmEdicao());
}
