// The balance-complement frame and its month dialog, and the first-run
// registration of the responsible party.
#include "FramesTeste.h"

#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"
#include "ui/uAdicionarCompetencia.h"
#include "ui/uControles.h"
#include "ui/uEntrada.h"
#include "ui/uFrmDadosComplementares.h"
#include "ui/uFrmResponsavel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {
// Answers the month dialog as soon as it opens: the month, year and
// remuneration typed from the keyboard, then OK; with cancelar, Esc after
// the first OK (for a refused month). The dialog's messages are recorded by
// the caller's answerer.
void ResponderCompetencia(const QString &mes, const QString &ano, const QString &valor,
                          bool cancelar = false, QString *captura = nullptr) {
  QTimer::singleShot(0, [=] {
    auto *d = qobject_cast<TfrmAdicionarCompetencia *>(QApplication::activeModalWidget());
    ASSERT_TRUE(d);
    QTest::keyClicks(d->cmbMes, mes);
    QTest::keyClicks(d->edtAno, ano);
    d->edtRemuneracao->selectAll();
    QTest::keyClicks(d->edtRemuneracao, valor);
    if (captura)
      *captura = FramesTeste::Capturar(*d, QStringLiteral("adicionar_competencia.png"));
    d->btnOk->click();
    if (cancelar && d->isVisible())
      d->reject();
  });
}
} // namespace

class FramesComplemento : public FramesTeste {
protected:
  void SetUp() override {
    FramesTeste::SetUp();
    // ANA's link, dismissed on 15/03/2020, with its termination row.
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET DT_OPCAO = '2015-03-02', "
                            "CO_MOVIMENTACAO = 'I1', DT_MOVIMENTACAO_VINCULO = '2020-03-15' "
                            "WHERE NU_PIS = %1")
                 .arg(PisAna));
    Executar(
        QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, "
                       "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                       "VR_SALDO_RESCISORIO, VR_JAM_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO) "
                       "VALUES (1, %1, %2, 1, '%3', 1000.10, 0.20, 'E')")
            .arg(InscAlfa)
            .arg(PisAna)
            .arg(QString::fromLatin1(AdmissaoTeste)));
  }
  void TearDown() override {
    DataPagamento = NullDate;
    FramesTeste::TearDown();
  }
  TfrmDadosComplementares *AbrirAna() {
    TfrmPrincipal &j = Janela();
    EXPECT_TRUE(j.AbrirComplementoSaldo(
        1, InscAlfa, PisAna, 1,
        QDateParaData(QDate::fromString(QString::fromLatin1(AdmissaoTeste), Qt::ISODate))));
    EXPECT_EQ(j.TabTreeView->currentIndex(), 1);
    return j.frmDadosComplementares1;
  }
  QString Total() {
    return Valor(QStringLiteral("SELECT COALESCE(VR_DEPOSITO_CMPLO_SALDO, -1) FROM "
                                "QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1")
                     .arg(PisAna));
  }
};

TEST_F(FramesComplemento, IncluirRecusarRepetidoEExcluir) {
  TfrmDadosComplementares *f = AbrirAna();
  ASSERT_EQ(Janela().pnlFrames->currentWidget(), f);
  EXPECT_EQ(f->lblSaldoBase->text(), QStringLiteral("1.000,30"));
  EXPECT_FALSE(f->lblDepositoVesk->isVisible());
  {
    // No open collection run: no complement.
    RespostasDialogo d;
    f->btnNovoComplemento->click();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"430062"});
  }
  DataPagamento = QDateParaData(QDate(2020, 4, 10));
  {
    RespostasDialogo d;
    QString captura;
    ResponderCompetencia("01", "2020", "1.000,00", false, &captura);
    f->btnNovoComplemento->click();
    ASSERT_EQ(Codigos(d.mostrados), QStringList{"430078"});
    EXPECT_FALSE(captura.isEmpty());
  }
  EXPECT_EQ(Valor(QStringLiteral("SELECT NU_COMPLEMENTO || '|' || MM_COMPETENCIA || '|' || "
                                 "AA_COMPETENCIA || '|' || VR_REMUNERACAO || '|' || VR_DEPOSITO "
                                 "FROM QZLTBG07_COMPLEMENTO_SALDO WHERE NU_PIS = %1")
                      .arg(PisAna)),
            QStringLiteral("1|1|2020|1000.00|80.00"));
  // The link's total moved with the insert.
  EXPECT_EQ(Total(), QStringLiteral("80"));
  ASSERT_EQ(f->grdComplemento[0]->rowCount(), 1);
  EXPECT_EQ(f->grdComplemento[0]->item(0, 0)->text(), QStringLiteral("01/2020"));
  EXPECT_EQ(f->grdComplemento[0]->item(0, 2)->text(), QStringLiteral("80,00"));
  EXPECT_EQ(f->lblTotal[0]->text(), QStringLiteral("80,00"));
  EXPECT_EQ(f->lblTotalSaldoBase->text(), QStringLiteral("1.080,30"));
  {
    // The same month of the same kind is refused in the dialog.
    RespostasDialogo d;
    ResponderCompetencia("01", "2020", "500,00", true);
    f->btnNovoComplemento->click();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"430292"});
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO")), 1);
  }
  {
    // The second kind has its own prefix and its own months.
    f->pgcComplemento->setCurrentIndex(1);
    RespostasDialogo d;
    ResponderCompetencia("01", "2020", "0", true);
    f->btnNovoComplemento->click();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"440274"});
  }
  Capturar(Janela(), QStringLiteral("frame_complemento.png"));
  {
    f->pgcComplemento->setCurrentIndex(0);
    RespostasDialogo d;
    f->grdComplemento[0]->clearSelection();
    f->grdComplemento[0]->setCurrentCell(-1, -1);
    f->btnExcluir->click();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"430290"});
    d.mostrados.clear();
    f->grdComplemento[0]->setCurrentCell(0, 0);
    f->btnExcluir->click();
    EXPECT_EQ(Codigos(d.mostrados), (QStringList{"430036", "430068"}));
  }
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO")), 0);
  EXPECT_EQ(Total(), QStringLiteral("-1")); // no complement: Null
  EXPECT_EQ(f->grdComplemento[0]->rowCount(), 0);
}

TEST_F(FramesComplemento, VinculoComDissidioNaoAceitaComplemento) {
  Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET DT_DISSIDIO = '2020-02-01', "
                          "VR_DISSIDIO = 5000 WHERE NU_PIS = %1")
               .arg(PisAna));
  DataPagamento = QDateParaData(QDate(2020, 4, 10));
  TfrmDadosComplementares *f = AbrirAna();
  EXPECT_EQ(f->lblSaldoBase->text(), QStringLiteral("5.000,00"));
  RespostasDialogo d;
  f->btnNovoComplemento->click();
  EXPECT_EQ(Codigos(d.mostrados), QStringList{"430710"});
  EXPECT_FALSE(Mostrada(d.mostrados, "430710").contains(QStringLiteral("envelope")));
}

// ------------------------------------------------------------- first run

class PrimeiraExecucao : public BancoTeste {
protected:
  void SetUp() override {
    AplicacaoTeste();
    BancoTeste::SetUp();
    ModoEdicao = meNenhuma;
  }
  void TearDown() override {
    ModoEdicao = meNenhuma;
    BancoTeste::TearDown();
  }
  static void Preencher(TfrmResponsavel *f) {
    QTest::keyClicks(f->CmbTipo, "1");
    FramesTeste::Digitar(f->edtInscricao, QStringLiteral("11222333000181"));
    FramesTeste::Digitar(f->edtRazao, QStringLiteral("ESCRITORIO CONTABIL"));
    FramesTeste::Digitar(f->edtLogradouro, QStringLiteral("RUA DOIS 200"));
    FramesTeste::Digitar(f->edtBairro, QStringLiteral("CENTRO"));
    FramesTeste::Digitar(f->edtCidade, QStringLiteral("RECIFE"));
    FramesTeste::Digitar(f->edtCEP, QStringLiteral("05001000"));
    FramesTeste::Digitar(f->cmbUF, QStringLiteral("PE"));
    FramesTeste::Digitar(f->EdtNome, QStringLiteral("PAULA"));
    FramesTeste::Digitar(f->edtDDD_contato, QStringLiteral("81"));
    FramesTeste::Digitar(f->edtTel, QStringLiteral("33334444"));
    FramesTeste::Digitar(f->edtEmail, QStringLiteral("paula@escritorio.com"));
  }
};

TEST_F(PrimeiraExecucao, CadastrarResponsavelEAbrirAJanelaPrincipal) {
  TfrmEntrada e;
  e.show();
  QApplication::setActiveWindow(&e);
  EXPECT_TRUE(e.rbtResponsavel->isEnabled());
  e.rbtResponsavel->setChecked(true);
  e.btnAvancar->click();
  EXPECT_EQ(e.height(), 430);
  EXPECT_TRUE(e.btnVoltar->isVisible());
  EXPECT_TRUE(e.frmResponsavel->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), e.frmResponsavel->CmbTipo);
  Preencher(e.frmResponsavel);
  FramesTeste::Capturar(e, QStringLiteral("entrada_responsavel.png"));
  {
    // A refused value keeps the window open and says why.
    RespostasDialogo d;
    e.frmResponsavel->edtCidade->clear();
    e.btnAvancar->click();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"000094"});
    EXPECT_EQ(e.result(), 0);
    EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 0);
    FramesTeste::Digitar(e.frmResponsavel->edtCidade, QStringLiteral("RECIFE"));
  }
  RespostasDialogo d;
  e.btnAvancar->click();
  EXPECT_EQ(Codigos(d.mostrados), QStringList{"000035"});
  EXPECT_EQ(e.result(), QDialog::Accepted);
  EXPECT_EQ(
      Valor("SELECT NU_TIPO_INSO_EMPRA || '|' || NU_INSCRICAO || '|' || NO_RAZAO_SOCIAL || "
            "'|' || DE_LOGRADOURO || '|' || NO_BAIRRO || '|' || NO_LOCALIDADE || '|' || "
            "NU_CEP || '|' || SG_UF || '|' || NO_CONTATO || '|' || NU_DDD || '|' || "
            "NU_TELEFONE || '|' || CO_ENDERECO_VIRTUAL_CONTATO || '|' || IC_ESTADO_EMPRESA "
            "FROM QZLTBG02_EMPRESA"),
      QStringLiteral("1|11222333000181|ESCRITORIO CONTABIL|RUA DOIS 200|CENTRO|RECIFE|5001000|"
                     "PE|PAULA|81|33334444|paula@escritorio.com|R"));
  EXPECT_TRUE(ExisteEmpregador());
  EXPECT_EQ(ModoEdicao, meNenhuma);
  // The start-up then opens the main window on the new root.
  TfrmPrincipal j;
  ASSERT_GE(j.tvCadastro->topLevelItemCount(), 1);
  EXPECT_EQ(j.tvCadastro->topLevelItem(0)->text(0), QStringLiteral("ESCRITORIO CONTABIL"));
  EXPECT_EQ(j.frmResponsavel1->edtCEP->text(), QStringLiteral("05001-000"));
}

TEST_F(PrimeiraExecucao, CancelarComDadosDigitadosPergunta) {
  TfrmEntrada e;
  e.show();
  QApplication::setActiveWindow(&e);
  e.rbtResponsavel->setChecked(true);
  e.btnAvancar->click();
  {
    // Nothing typed: leaves without asking.
    RespostasDialogo d;
    e.btnVoltarClick();
    EXPECT_EQ(e.height(), 324);
    EXPECT_FALSE(e.frmResponsavel->isVisible());
    e.btnAvancar->click();
  }
  QTest::keyClicks(e.frmResponsavel->edtRazao, "ALGO");
  RespostasDialogo d;
  d.Responder(mrNo);
  e.btnCancelar->click();
  EXPECT_EQ(Codigos(d.mostrados), QStringList{"000711"});
  EXPECT_TRUE(e.isVisible());
  d.Responder(mrYes);
  QTest::keyClick(e.frmResponsavel->edtRazao, Qt::Key_Escape);
  EXPECT_EQ(d.mostrados.size(), 2u);
  EXPECT_FALSE(e.isVisible());
  EXPECT_EQ(e.result(), QDialog::Rejected);
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 0);
}
