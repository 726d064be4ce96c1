#pragma once
// "Geração de Reenvio de Guias Processadas na VORDA": the employer lists
// processed guides by inscription, payment date and digitable line, and the
// window writes, records and seals the resend request (TSolicitacaoReenvio).
// Messages use the screen code "SP".
#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TfrmReenvioArqProcessado : public QDialog {
  Q_OBJECT
public:
  explicit TfrmReenvioArqProcessado(QWidget *parent = nullptr);

  QComboBox *cmbTp_Insc;
  QLineEdit *edtNu_Insc;
  QLineEdit *dtpDataRec;
  QLineEdit *edtCod[8]; // edtCod01..edtCod08: 11 digits and its check digit, four times
  QTableWidget *stgReenvio;
  QPushButton *BtnIncluir;
  QPushButton *BtnSolicitar;
  QPushButton *BtnFechar;

  void BtnIncluirClick();
  void BtnSolicitarClick();
  // The 48 digits of the eight code fields.
  QString LinhaDigitada() const;

private:
  void TipoEscolhido();
  void LimparCampos();
  void EsvaziarLista();
  void Erro(int mensagem, QWidget *foco, const QStringList &args = {});
};
