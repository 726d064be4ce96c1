// The resend request window as a user meets it: the checks of "Incluir" in
// their order, the list, "Salvar" writing the sealed request, the focus moves.
#include "core/unUtilitarios.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"
#include "ui/uReciboEnvio.h"
#include "ui/uReenvioArqProcessado.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

// Types the text into the widget key by key, as the keyboard would.
void Teclar(QWidget *w, const QString &texto) {
  for (QChar c : texto) {
    const int tecla = c.isDigit() ? Qt::Key_0 + c.digitValue() : int(c.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
}

class ReenvioJanelaTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    InstalarSelador(pasta->Caminho());
    QDir().mkpath(pasta->Arquivo(QStringLiteral("Arquivos/Solicitacao de Reenvio")));
    Executar(QStringLiteral(
        "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
        "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'ESCRITORIO MODELO', 'R')"));
  }
  // Fills the fields as typed; tipo -1 leaves the type unchosen.
  static void Preencher(TfrmReenvioArqProcessado &j, int tipo, const QString &insc,
                        const QString &data, const QString &linha) {
    j.cmbTp_Insc->setCurrentIndex(tipo);
    j.edtNu_Insc->setText(insc);
    j.dtpDataRec->setText(data);
    for (int i = 0, pos = 0; i < 8; ++i) {
      const int n = i % 2 == 0 ? 11 : 1;
      j.edtCod[i]->setText(linha.mid(pos, n));
      pos += n;
    }
  }
  static QString Linha(QChar c) {
    return Utilitarios.LinhaDigitavel(QStringLiteral("858") + QString(41, c));
  }
};

TEST_F(ReenvioJanelaTeste, IncluirVerificaNaOrdemEListaAGuia) {
  RespostasDialogo respostas;
  TfrmReenvioArqProcessado j;
  j.show();
  QApplication::setActiveWindow(&j);
  QString errada = Linha(u'1');
  errada[11] = errada[11] == u'0' ? u'1' : u'0';
  const struct {
    int tipo;
    const char *insc, *data;
    QString linha;
    const char *codigo;
    QWidget *foco;
  } casos[] = {
      {-1, "11222333000181", "20/12/2026", Linha(u'1'), "SP0239", j.cmbTp_Insc},
      {0, "", "20/12/2026", Linha(u'1'), "SP0240", j.edtNu_Insc},
      {0, "11222333000182", "20/12/2026", Linha(u'1'), "SP0021", j.edtNu_Insc},
      {0, "11222333000181", "", Linha(u'1'), "SP0063", j.dtpDataRec},
      {0, "11222333000181", "31/02/2026", Linha(u'1'), "SP0063", j.dtpDataRec},
      {0, "11222333000181", "20/12/2026", Linha(u'1').left(40), "SP0241", j.edtCod[6]},
      {0, "11222333000181", "20/12/2026", errada, "SP0242", j.edtCod[0]},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.codigo);
    respostas.mostrados.clear();
    Preencher(j, c.tipo, QString::fromLatin1(c.insc), QString::fromLatin1(c.data), c.linha);
    j.BtnIncluirClick();
    ASSERT_EQ(respostas.mostrados.size(), 1u);
    EXPECT_TRUE(respostas.mostrados[0].Titulo.contains(QString::fromLatin1(c.codigo)) ||
                respostas.mostrados[0].Texto.contains(QString::fromLatin1(c.codigo)))
        << respostas.mostrados[0].Titulo.toStdString() << " / "
        << respostas.mostrados[0].Texto.toStdString();
    EXPECT_EQ(QApplication::focusWidget(), c.foco);
    EXPECT_TRUE(j.stgReenvio->item(0, 0) == nullptr);
  }
  respostas.mostrados.clear();
  Preencher(j, 0, QStringLiteral("11222333000181"), QStringLiteral("20/12/2026"), Linha(u'1'));
  j.BtnIncluirClick();
  EXPECT_TRUE(respostas.mostrados.empty());
  ASSERT_EQ(j.stgReenvio->rowCount(), 1);
  EXPECT_EQ(j.stgReenvio->item(0, 0)->text(), QStringLiteral("11.222.333/0001-81"));
  EXPECT_EQ(j.stgReenvio->item(0, 2)->text(), Linha(u'1'));
  EXPECT_EQ(j.stgReenvio->item(0, 3)->text(), QStringLiteral("1"));
  EXPECT_EQ(j.stgReenvio->item(0, 4)->text(), QStringLiteral("858") + QString(41, u'1'));
  EXPECT_EQ(j.edtNu_Insc->text(), QString());
  EXPECT_EQ(QApplication::focusWidget(), j.cmbTp_Insc);
  // The same digitable line again.
  Preencher(j, 0, QStringLiteral("11222333000181"), QStringLiteral("20/12/2026"), Linha(u'1'));
  j.BtnIncluirClick();
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Titulo.contains(QStringLiteral("SP0471")) ||
              respostas.mostrados[0].Texto.contains(QStringLiteral("SP0471")));
  EXPECT_EQ(j.stgReenvio->rowCount(), 1);
}

TEST_F(ReenvioJanelaTeste, SalvarGeraOEnvelopeEEsvaziaALista) {
  RespostasDialogo respostas;
  TfrmReenvioArqProcessado j;
  j.show();
  QApplication::setActiveWindow(&j);
  QString proposto;
  EscolhasArquivo escolhas([&](const PedidoArquivo &p) {
    EXPECT_TRUE(p.Salvar);
    proposto = QDir(p.Pasta).filePath(p.Nome);
    return proposto;
  });
  j.BtnSolicitarClick();
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Titulo.contains(QStringLiteral("SP0088")) ||
              respostas.mostrados[0].Texto.contains(QStringLiteral("SP0088")));
  EXPECT_TRUE(proposto.isEmpty());

  Preencher(j, 1, QStringLiteral("123456789010"), QStringLiteral("20/12/2026"), Linha(u'2'));
  j.BtnIncluirClick();
  Preencher(j, 0, QStringLiteral("11222333000181"), QStringLiteral("21/12/2026"), Linha(u'3'));
  j.BtnIncluirClick();
  ASSERT_EQ(j.stgReenvio->rowCount(), 2);
  respostas.mostrados.clear();
  j.BtnSolicitarClick();
  EXPECT_EQ(proposto,
            pasta->Arquivo(QStringLiteral("Arquivos/Solicitacao de Reenvio/GuiaVESK.HXF")));
  ASSERT_TRUE(QFile::exists(proposto));
  ASSERT_EQ(respostas.mostrados.size(), 2u);
  EXPECT_TRUE(respostas.mostrados[1].Texto.contains(QStringLiteral("de Reenvio gerado")));
  EXPECT_EQ(j.stgReenvio->rowCount(), 1);
  EXPECT_EQ(j.stgReenvio->item(0, 0), nullptr);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO WHERE NU_ARQUIVO = 6")), 1);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA")), 2);
  EXPECT_TRUE(j.BtnSolicitar->isEnabled() && j.BtnIncluir->isEnabled() && j.BtnFechar->isEnabled());
  j.grab().save(QStringLiteral(VESK_BIN_DIR "/../tests/reenvio.png"));
}

TEST_F(ReenvioJanelaTeste, MascaraEFocoSeguemODigitado) {
  TfrmReenvioArqProcessado j;
  j.show();
  QApplication::setActiveWindow(&j);
  j.cmbTp_Insc->setCurrentIndex(1);
  EXPECT_EQ(j.edtNu_Insc->inputMask(), QStringLiteral("999999999999;_"));
  j.edtNu_Insc->setFocus();
  Teclar(j.edtNu_Insc, QStringLiteral("123456789012"));
  EXPECT_EQ(QApplication::focusWidget(), j.dtpDataRec);
  // Another type: the typed inscription belonged to the other mask.
  j.cmbTp_Insc->setCurrentIndex(0);
  EXPECT_EQ(j.edtNu_Insc->text(), QStringLiteral("../-"));
  j.dtpDataRec->setFocus();
  j.dtpDataRec->setCursorPosition(0);
  Teclar(j.dtpDataRec, QStringLiteral("20122026"));
  EXPECT_EQ(QApplication::focusWidget(), j.edtCod[0]);
  Teclar(j.edtCod[0], QStringLiteral("12a345678901"));
  EXPECT_EQ(j.edtCod[0]->text(), QStringLiteral("12345678901"));
  EXPECT_EQ(QApplication::focusWidget(), j.edtCod[1]);
  Teclar(j.edtCod[1], QStringLiteral("7"));
  EXPECT_EQ(QApplication::focusWidget(), j.edtCod[2]);
}

} // namespace

namespace {

// "Por Protocolo": a cancelled choice does nothing; a file that is no receipt
// is refused with its code and stores nothing.
TEST_F(ReenvioJanelaTeste, ReciboCanceladoOuInvalido) {
  RespostasDialogo respostas;
  EscolhasArquivo escolhas([](const PedidoArquivo &) { return QStringLiteral("  "); });
  EXPECT_FALSE(ImportarReciboEnvio(nullptr));
  EXPECT_TRUE(respostas.mostrados.empty());
  const QString falso = pasta->Arquivo(QStringLiteral("recibo.xml"));
  pasta->EscreverArquivo(QStringLiteral("recibo.xml"), "<nada/>");
  escolhas.Responder(falso);
  EXPECT_FALSE(ImportarReciboEnvio(nullptr));
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Titulo.contains(QStringLiteral("FE0385")) ||
              respostas.mostrados[0].Texto.contains(QStringLiteral("FE0385")));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO WHERE CO_PROTOCOLO IS NOT NULL")), 0);
}

} // namespace
