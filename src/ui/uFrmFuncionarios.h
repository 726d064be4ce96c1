#pragma once
// The worker's frame: the worker, the employment link selected in the tree
// and the link's termination information, on four pages. The payroll-loan
// and vacancy-replacement choices are switched off in this screen: their
// controls stay disabled and empty, so a saved link never carries them.
#include "uFramePadrao.h"

#include "core/unGlobal.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class TComboCodigo;
class TEditData;
class TEditMascara;
class TEditValor;
class TTrabalhador;

class TfrmFuncionarios : public TFramePadrao {
  Q_OBJECT
public:
  explicit TfrmFuncionarios(QWidget *parent = nullptr);
  ~TfrmFuncionarios() override;

  // Page 0 "Dados Cadastrais".
  QGroupBox *grpEmpresa = nullptr;
  QLabel *lblEmpresa = nullptr;
  TEditMascara *edtPisPasep = nullptr;
  TComboCodigo *cmbCategoria = nullptr;
  QLineEdit *edtNome = nullptr;
  TComboCodigo *cmbSexo = nullptr;
  TComboCodigo *cmbGrauIns = nullptr;
  TEditMascara *edtCPF = nullptr;
  TComboCodigo *cmbCBO = nullptr;
  QLineEdit *edtCTPS = nullptr;
  QLineEdit *edtSerie = nullptr;
  TEditData *dtDataNasc = nullptr;
  TEditData *dtAdmissao = nullptr;
  TEditData *dtOpcao = nullptr;
  TComboCodigo *cmbMovimentacao = nullptr;
  TEditData *dtMovimentacao = nullptr;
  TComboCodigo *cmbAviso = nullptr;
  TEditData *dtAviso = nullptr;
  QLineEdit *edtHTrab = nullptr;
  QComboBox *cmbVagas = nullptr;
  TComboCodigo *cmbSaque = nullptr;
  QComboBox *cmbConsignado = nullptr;
  QLineEdit *edtDDDTelTrabalhador = nullptr;
  QLineEdit *edtTelTrabalhador = nullptr;
  // Page 1 "Dados Financeiros".
  TEditData *dtDissidio = nullptr;
  TEditValor *edtVrDissidio = nullptr;
  TEditValor *edtAntResc = nullptr;
  TEditValor *edtRescisao = nullptr;
  TEditValor *EdtAvisoPrevio = nullptr;
  QComboBox *CmbIndPensao = nullptr;
  QLabel *lblValorPensao = nullptr;
  TEditValor *edtValorPensao = nullptr;
  TEditValor *EdtSaldoResc = nullptr;
  QPushButton *btnFinsResc = nullptr;
  TEditValor *EdtSaldoRescInfoEmp = nullptr;
  QLineEdit *edtBanco = nullptr;
  QLineEdit *edtAgencia = nullptr;
  QLineEdit *edtConta = nullptr;
  QComboBox *cmbTipo = nullptr;
  TEditMascara *edtInscricao = nullptr;
  // Page 2 "Dados Consignado" (its tab is never shown) and page 3.
  QTableWidget *grdConsignado = nullptr;
  QPushButton *btnOcorrenciaSaldo = nullptr;

  TTrabalhador &Trabalhador() { return *trabalhador_; }

  void CarregarTela() override;
  bool ValidarTela() override;
  void LimparTela() override;
  // A new worker and link under the employer selected in the tree.
  void NovoTrabalhador();
  // The link's state allows a change (closed and processed links do not).
  void PermitirAlteracao(bool permitir);

public slots:
  void btnAlterarClick() override;
  void btnSalvarClick() override;
  void btnExcluirClick() override;
  void btnCancelarClick() override;
  void btnFinsRescClick();

protected:
  bool eventFilter(QObject *obj, QEvent *ev) override;

private:
  void PreencherListas();
  void DesligarConsignacaoEVagas();
  void AtualizarLegendas();
  void Visualizar();
  // The automatic fillings while editing.
  void edtPisPasepExit();
  void CategoriaAlterada();
  void dtAdmissaoExit();
  void AtualizarRemuneracaoAnterior();
  void AtualizarSaldoBase();
  void AtualizarPensao();
  bool PossuiContas() const;
  // The employer's key of the node the frame works for.
  int tipoEmpresa_ = 0;
  qint64 inscricaoEmpresa_ = 0;
  QString origemSaldo_; // IC_ORIGEM_SALDO_RESCISORIO as stored
  qint64 saldoGravado_ = 0;
  bool trabalhadorExiste_ = false;
  QString ctpsGuardada_, serieGuardada_;
  std::unique_ptr<TTrabalhador> trabalhador_;
  bool listas_ = false;
  bool alteracaoPermitida_ = true;
  bool verificandoPis_ = false;
};
