// The responsible-party and employer frames driven from the keyboard in the
// main window: what is typed reaches the database column by column, a refused
// value says why and writes nothing, a failed save leaves everything as it
// was, and typed data are never thrown away unasked.
#include "FramesTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uControles.h"
#include "ui/uFrmEmpresas.h"
#include "ui/uFrmResponsavel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidget>

namespace {
const QString Omega = QStringLiteral("555666777000");

} // namespace

class FramesCadastro : public FramesTeste {
protected:
  // Every column the employer frame writes, as text, for one inscription.
  QString Empresa(const QString &inscricao) {
    return Valor(
        QStringLiteral("SELECT NU_TIPO_INSO_EMPRA || '|' || NO_RAZAO_SOCIAL || '|' || "
                       "DE_LOGRADOURO || '|' || NO_BAIRRO || '|' || NO_LOCALIDADE || '|' || "
                       "NU_CEP || '|' || SG_UF || '|' || NU_DDD || '|' || NU_TELEFONE || '|' || "
                       "NU_IBGE || '|' || NU_INSS || '|' || NU_SIMPLES || '|' || IC_ESTADO_EMPRESA "
                       "FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = ") +
        inscricao);
  }
  // Types a complete new employer into the frame, from the keyboard.
  void DigitarEmpresa(TfrmEmpresas *f, const QString &cnpj) {
    QTest::keyClicks(f->cmbTipo, "1");
    Digitar(f->edtInscricao, cnpj);
    Digitar(f->edtRazao, "OMEGA LTDA");
    Digitar(f->edtLogradouro, "RUA UM 1");
    Digitar(f->edtBairro, "CENTRO");
    Digitar(f->edtCidade, "CAMPINAS");
    Digitar(f->edtCEP, "01310000");
    Digitar(f->cmbUF, "SP");
    Digitar(f->edtDDD, "19");
    Digitar(f->edtTelefone, "32221111");
    Digitar(f->cmbCNAE, PrimeiroCNAE());
    Digitar(f->cmbFPAS, "507");
    Digitar(f->cmbSimples, "1");
  }
};

TEST_F(FramesCadastro, ResponsavelAlteradoPeloTecladoChegaAoBanco) {
  TfrmPrincipal &j = Janela();
  Selecionar("CONTABIL RESPONSAVEL");
  TfrmResponsavel *f = j.frmResponsavel1;
  ASSERT_EQ(j.pnlFrames->currentWidget(), f);
  EXPECT_EQ(f->edtInscricao->text(), QStringLiteral("11.222.333/0001-81"));
  EXPECT_EQ(f->edtCEP->Digitos(), QStringLiteral("01310100"));
  EXPECT_EQ(f->cmbUF->currentText(), QStringLiteral("SP"));
  EXPECT_EQ(f->edtEmail->text(), QStringLiteral("maria@contabil.com.br"));
  EXPECT_FALSE(f->pgcPrincipal->widget(0)->isEnabled());

  j.tvCadastro->setFocus();
  Tecla(Qt::Key_F8);
  ASSERT_TRUE(f->EmEdicao());
  EXPECT_EQ(Foco(), f->edtRazao);
  EXPECT_FALSE(j.tvCadastro->isEnabled());
  EXPECT_FALSE(j.tlbPrincipal->isEnabled());
  EXPECT_TRUE(f->btnSalvar->isVisible());
  EXPECT_FALSE(f->btnAlterar->isVisible());

  f->edtRazao->selectAll();
  QTest::keyClicks(f->edtRazao, "CONTABIL NOVA");
  f->edtCEP->selectAll();
  QTest::keyClicks(f->edtCEP, "04567000");
  f->edtDDD_contato->selectAll();
  QTest::keyClicks(f->edtDDD_contato, "21");
  f->EdtNome->selectAll();
  QTest::keyClicks(f->EdtNome, "JOSE");
  RespostasDialogo d;
  Salvar(f);
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"000035", "000001"}));
  EXPECT_FALSE(f->EmEdicao());
  EXPECT_TRUE(j.tvCadastro->isEnabled());
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_RAZAO_SOCIAL || '|' || NU_CEP || '|' || NU_DDD || '|' "
                                 "|| NO_CONTATO || '|' || NU_TELEFONE || '|' || "
                                 "CO_ENDERECO_VIRTUAL_CONTATO || '|' || IC_ESTADO_EMPRESA FROM "
                                 "QZLTBG02_EMPRESA WHERE NU_INSCRICAO = %1")
                      .arg(InscResp)),
            QStringLiteral("CONTABIL NOVA|4567000|21|JOSE|32345678|maria@contabil.com.br|R"));
  EXPECT_EQ(j.tvCadastro->topLevelItem(0)->text(0), QStringLiteral("CONTABIL NOVA"));
  // Reloaded from the database: the CEP keeps its leading zero.
  Selecionar("ALFA COMERCIO");
  Selecionar("CONTABIL NOVA");
  EXPECT_EQ(f->edtCEP->text(), QStringLiteral("04567-000"));
}

TEST_F(FramesCadastro, EmpresaNovaPeloTecladoChegaAoBancoEAArvore) {
  TfrmPrincipal &j = Janela();
  Selecionar("CONTABIL RESPONSAVEL");
  j.Acao("actIncluirEmpresa")->trigger();
  TfrmEmpresas *f = j.frmEmpresas1;
  ASSERT_EQ(j.pnlFrames->currentWidget(), f);
  EXPECT_EQ(ModoEdicao, meInclusao);
  EXPECT_EQ(Foco(), f->cmbTipo);
  EXPECT_FALSE(f->btnEmpregado->isVisible());
  const QString cnpj = CNPJ(Omega);
  DigitarEmpresa(f, cnpj);
  EXPECT_EQ(f->edtInscricao->Digitos(), cnpj);
  EXPECT_EQ(f->cmbCNAE->Codigo(7), PrimeiroCNAE());
  EXPECT_EQ(f->cmbFPAS->currentText(), QStringLiteral("507"));
  RespostasDialogo d;
  Salvar(f);
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"100035", "100078"}));
  EXPECT_EQ(Empresa(cnpj), QStringLiteral("1|OMEGA LTDA|RUA UM 1|CENTRO|CAMPINAS|1310000|SP|19|"
                                          "32221111|%1|507|1|E")
                               .arg(PrimeiroCNAE().toInt()));
  QTreeWidgetItem *no = No("OMEGA LTDA");
  ASSERT_TRUE(no);
  EXPECT_EQ(no->parent(), j.tvCadastro->topLevelItem(0));
  VerificarJanela();
  EXPECT_FALSE(f->EmEdicao());
  EXPECT_EQ(ModoEdicao, meNenhuma);
  // The new company is there to change at once.
  Selecionar("OMEGA LTDA");
  EXPECT_EQ(f->edtRazao->text(), QStringLiteral("OMEGA LTDA"));
  EXPECT_EQ(f->cmbSimples->currentIndex() >= 0, true);
}

TEST_F(FramesCadastro, EmpresaComAInscricaoDoResponsavelViraAmbos) {
  TfrmPrincipal &j = Janela();
  Selecionar("CONTABIL RESPONSAVEL");
  j.Acao("actIncluirEmpresa")->trigger();
  TfrmEmpresas *f = j.frmEmpresas1;
  QTest::keyClicks(f->cmbTipo, "1");
  Digitar(f->edtInscricao, QString::number(InscResp));
  // Leaving the number brings the responsible party's data.
  EXPECT_EQ(f->edtRazao->text(), QStringLiteral("CONTABIL RESPONSAVEL"));
  EXPECT_EQ(f->edtCidade->text(), QStringLiteral("SAO PAULO"));
  EXPECT_EQ(f->edtCEP->Digitos(), QStringLiteral("01310100"));
  EXPECT_EQ(f->cmbSimples->currentIndex(), -1);
  Digitar(f->cmbCNAE, PrimeiroCNAE());
  Digitar(f->cmbFPAS, "507");
  Digitar(f->cmbSimples, "1");
  RespostasDialogo d;
  Salvar(f);
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"100035", "100078"}));
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ESTADO_EMPRESA || NU_INSS FROM QZLTBG02_EMPRESA "
                                 "WHERE NU_INSCRICAO = %1")
                      .arg(InscResp)),
            QStringLiteral("A507"));
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 5);
  EXPECT_EQ(Arvore.Nos[0].Tipo, QChar(u'A'));
  EXPECT_EQ(Quantos("CONTABIL RESPONSAVEL"), 2); // root and employer node
  VerificarJanela();
}

TEST_F(FramesCadastro, EmpresaRecusadaMostraMensagemFocoEMarcaENaoGrava) {
  struct Caso {
    const char *nome;
    std::function<void(TfrmEmpresas *)> estragar;
    const char *codigo;
    const char *foco;
  };
  const QString cnpj = CNPJ(Omega);
  const QString cnpjErrado =
      cnpj.left(12) + QString::number((cnpj.mid(12).toInt() + 1) % 100).rightJustified(2, u'0');
  const Caso casos[] = {
      {"sem tipo", [](TfrmEmpresas *f) { f->cmbTipo->setCurrentIndex(-1); }, "100129", "cmbTipo"},
      {"digito errado", [&](TfrmEmpresas *f) { f->edtInscricao->DefinirDigitos(cnpjErrado); },
       "100021", "edtInscricao"},
      {"aspas e acento na razao", [](TfrmEmpresas *f) { f->edtRazao->setText("D'ÁVILA LTDA"); },
       "100177", "edtRazao"},
      {"acento no logradouro", [](TfrmEmpresas *f) { f->edtLogradouro->setText("RUA AÇÃO 1"); },
       "100096", "edtLogradouro"},
      {"sem bairro", [](TfrmEmpresas *f) { f->edtBairro->clear(); }, "100095", "edtBairro"},
      {"sem CEP", [](TfrmEmpresas *f) { f->edtCEP->clear(); }, "100101", "edtCEP"},
      {"sem cidade", [](TfrmEmpresas *f) { f->edtCidade->clear(); }, "100094", "edtCidade"},
      {"sem UF", [](TfrmEmpresas *f) { f->cmbUF->setCurrentIndex(-1); }, "100132", "cmbUF"},
      {"DDD curto", [](TfrmEmpresas *f) { f->edtDDD->setText("1"); }, "100024", "edtDDD"},
      {"telefone curto", [](TfrmEmpresas *f) { f->edtTelefone->setText("123"); }, "100128",
       "edtTelefone"},
      {"sem CNAE", [](TfrmEmpresas *f) { f->cmbCNAE->setCurrentIndex(-1); }, "100019", "cmbCNAE"},
      {"sem FPAS", [](TfrmEmpresas *f) { f->cmbFPAS->setCurrentIndex(-1); }, "100070", "cmbFPAS"},
      {"FPAS domestico com CNPJ", [](TfrmEmpresas *f) { f->cmbFPAS->SelecionarTexto("868"); },
       "100226", "cmbFPAS"},
      {"sem Simples", [](TfrmEmpresas *f) { f->cmbSimples->setCurrentIndex(-1); }, "100125",
       "cmbSimples"},
  };
  TfrmPrincipal &j = Janela();
  TfrmEmpresas *f = j.frmEmpresas1;
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nome);
    Selecionar("CONTABIL RESPONSAVEL");
    j.Acao("actIncluirEmpresa")->trigger();
    DigitarEmpresa(f, cnpj);
    c.estragar(f);
    RespostasDialogo d;
    f->btnSalvar->click();
    ASSERT_EQ(Codigos(d.mostrados), QStringList{QString::fromLatin1(c.codigo)});
    EXPECT_EQ(d.mostrados[0].Tipo, dtErro);
    ASSERT_TRUE(Foco());
    EXPECT_EQ(Foco()->objectName(), QString::fromLatin1(c.foco));
    EXPECT_EQ(f->ControlesMarcados(), QStringList{QString::fromLatin1(c.foco)});
    EXPECT_TRUE(f->EmEdicao());
    EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = " + cnpj.left(14)), 0);
    EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 5);
    if (QString::fromLatin1(c.foco) == QLatin1String("edtRazao")) {
      // The mark stays until the value changes.
      EXPECT_FALSE(f->TextoMarca(f->edtRazao).isEmpty());
      QTest::keyClick(f->edtRazao, Qt::Key_End);
      QTest::keyClick(f->edtRazao, Qt::Key_A);
      EXPECT_TRUE(f->ControlesMarcados().isEmpty());
    }
    d.Responder(mrYes); // discard what was typed
    d.Responder(mrYes);
    f->btnCancelarClick();
    EXPECT_FALSE(f->EmEdicao());
  }
}

TEST_F(FramesCadastro, InscricaoDeEmpresaJaCadastradaEsvaziaONumero) {
  TfrmPrincipal &j = Janela();
  Selecionar("CONTABIL RESPONSAVEL");
  j.Acao("actIncluirEmpresa")->trigger();
  TfrmEmpresas *f = j.frmEmpresas1;
  QTest::keyClicks(f->cmbTipo, "1");
  RespostasDialogo d;
  Digitar(f->edtInscricao, QString::number(InscAlfa));
  EXPECT_EQ(Codigos(d.mostrados), QStringList{"100207"});
  EXPECT_TRUE(f->edtInscricao->Digitos().isEmpty());
  EXPECT_EQ(Foco(), f->edtInscricao);
  EXPECT_TRUE(f->EmEdicao());
}

TEST_F(FramesCadastro, ExcluirEmpresaPerguntaConformeOsVinculos) {
  struct Caso {
    const char *empresa;
    const char *pergunta;
  } casos[] = {
      {"BETA SERVICOS", "100446"}, {"ALFA COMERCIO", "100002"}, {"GAMA SEM VINCULOS", "100036"}};
  TfrmPrincipal &j = Janela();
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.empresa);
    Selecionar(QString::fromLatin1(c.empresa));
    RespostasDialogo d;
    d.Responder(mrNo);
    j.tvCadastro->setFocus();
    Tecla(Qt::Key_F9);
    EXPECT_EQ(Codigos(d.mostrados), QStringList{QString::fromLatin1(c.pergunta)});
    EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 5);
    EXPECT_EQ(Quantos(QString::fromLatin1(c.empresa)), 1);
  }
  // Yes: the company goes with its links and their workers, then the node.
  Selecionar("ALFA COMERCIO");
  RespostasDialogo d;
  j.Acao("actExcluir")->trigger();
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"100002", "100068"}));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = %1").arg(InscAlfa)),
            0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = %1")
                       .arg(InscAlfa)),
            0);
  EXPECT_TRUE(Quantos("ALFA COMERCIO") == 0);
  EXPECT_TRUE(Quantos("ANA") == 0);
  VerificarJanela();
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(FramesCadastro, ExclusaoQueFalhaNoBancoNaoMudaNada) {
  Executar("CREATE EXCEPTION E_TESTE_FALHA 'falha provocada pelo teste'");
  Executar("CREATE TRIGGER T_TESTE_FALHA FOR QZLTBG02_EMPRESA BEFORE DELETE AS BEGIN "
           "EXCEPTION E_TESTE_FALHA; END");
  TfrmPrincipal &j = Janela();
  Selecionar("ALFA COMERCIO");
  const int nos = Arvore.Quantidade();
  RespostasDialogo d;
  j.Acao("actExcluir")->trigger();
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"100002", "100144"}));
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA"), 5);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = %1")
                       .arg(InscAlfa)),
            2);
  EXPECT_EQ(Arvore.Quantidade(), nos);
  EXPECT_EQ(Quantos("ANA"), 1);
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(FramesCadastro, EmpresaAlteradaEEnterNaoSalva) {
  TfrmPrincipal &j = Janela();
  Selecionar("ALFA COMERCIO");
  TfrmEmpresas *f = j.frmEmpresas1;
  EXPECT_EQ(f->cmbFPAS->currentText(), QStringLiteral("507"));
  j.Acao("actAlterar")->trigger();
  ASSERT_TRUE(f->EmEdicao());
  EXPECT_FALSE(f->edtInscricao->isEnabled());
  RespostasDialogo d;
  // Enter moves on like Tab and never saves.
  f->edtRazao->setFocus();
  Tecla(Qt::Key_Return);
  EXPECT_EQ(Foco(), f->edtLogradouro);
  EXPECT_TRUE(d.mostrados.empty());
  f->edtTelefone->selectAll();
  QTest::keyClicks(f->edtTelefone, "30304040");
  f->edtRazao->selectAll();
  QTest::keyClicks(f->edtRazao, "ALFA COMERCIO NOVO");
  Salvar(f);
  EXPECT_EQ(Codigos(d.mostrados), (QStringList{"100035", "100001"}));
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_RAZAO_SOCIAL || '|' || NU_TELEFONE FROM "
                                 "QZLTBG02_EMPRESA WHERE NU_INSCRICAO = %1")
                      .arg(InscAlfa)),
            QStringLiteral("ALFA COMERCIO NOVO|30304040"));
  EXPECT_EQ(Quantos("ALFA COMERCIO NOVO"), 1);
}

TEST_F(FramesCadastro, DadosDigitadosSoSaoDescartadosPerguntando) {
  TfrmPrincipal &j = Janela();
  Selecionar("ALFA COMERCIO");
  TfrmEmpresas *f = j.frmEmpresas1;
  {
    // Nothing changed: Esc cancels without a question.
    RespostasDialogo d;
    j.Acao("actAlterar")->trigger();
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(d.mostrados.empty());
    EXPECT_FALSE(f->EmEdicao());
  }
  {
    RespostasDialogo d;
    j.Acao("actAlterar")->trigger();
    QTest::keyClicks(f->edtRazao, " X");
    d.Responder(mrNo);
    Tecla(Qt::Key_Escape);
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"100711"});
    EXPECT_TRUE(f->EmEdicao());
    EXPECT_EQ(f->edtRazao->text(), QStringLiteral("ALFA COMERCIO X"));
    // Closing the window asks too; No keeps it open.
    d.Responder(mrNo);
    j.close();
    EXPECT_TRUE(j.isVisible());
    EXPECT_EQ(d.mostrados.size(), 2u);
    d.Responder(mrYes);
    f->btnCancelar->click();
    EXPECT_FALSE(f->EmEdicao());
    EXPECT_EQ(f->edtRazao->text(), QStringLiteral("ALFA COMERCIO"));
    EXPECT_TRUE(j.tvCadastro->isEnabled());
  }
  {
    RespostasDialogo d;
    j.Acao("actAlterar")->trigger();
    QTest::keyClicks(f->edtRazao, " Y");
    d.Responder(mrYes);
    j.close();
    EXPECT_EQ(Codigos(d.mostrados), QStringList{"100711"});
    EXPECT_FALSE(j.isVisible());
  }
}

TEST_F(FramesCadastro, CapturasDosFrames) {
  TfrmPrincipal &j = Janela();
  Selecionar("CONTABIL RESPONSAVEL");
  Capturar(j, QStringLiteral("frame_responsavel.png"));
  j.Acao("actAlterar")->trigger();
  Capturar(j, QStringLiteral("frame_responsavel_edicao.png"));
  j.frmResponsavel1->btnCancelarClick();
  Selecionar("ALFA COMERCIO");
  Capturar(j, QStringLiteral("frame_empresa.png"));
  Selecionar("CONTABIL RESPONSAVEL");
  j.Acao("actIncluirEmpresa")->trigger();
  RespostasDialogo d;
  j.frmEmpresas1->btnSalvar->click();
  Capturar(j, QStringLiteral("frame_empresa_inclusao_erro.png"));
  // Nothing is cut off at the window's size.
  for (QWidget *f :
       {static_cast<QWidget *>(j.frmResponsavel1), static_cast<QWidget *>(j.frmEmpresas1)}) {
    EXPECT_LE(f->minimumSizeHint().width(), j.pnlFrames->width()) << f->objectName().toStdString();
    EXPECT_LE(f->minimumSizeHint().height(), j.pnlFrames->height())
        << f->objectName().toStdString();
  }
}

TEST_F(FramesCadastro, AcentosEAspasGravadosAparecemComoEstao) {
  Executar(QStringLiteral("UPDATE QZLTBG02_EMPRESA SET NO_RAZAO_SOCIAL = 'AÇÃO D''ÁGUA', "
                          "NO_BAIRRO = 'JOÃO XXIII' WHERE NU_INSCRICAO = %1")
               .arg(InscGama));
  TfrmPrincipal &j = Janela();
  Selecionar(QStringLiteral("AÇÃO D'ÁGUA"));
  EXPECT_EQ(j.frmEmpresas1->edtRazao->text(), QStringLiteral("AÇÃO D'ÁGUA"));
  EXPECT_EQ(j.frmEmpresas1->edtBairro->text(), QStringLiteral("JOÃO XXIII"));
}
