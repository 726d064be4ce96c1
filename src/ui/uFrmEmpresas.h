#pragma once
// The employer's frame: a company whose workers' terminations are collected.
// New companies start from the root of the tree; a company typed with the
// responsible party's own inscription takes the responsible party's data and
// turns that row into "both" (state "A").
#include "uCamposEndereco.h"
#include "uFramePadrao.h"

#include <memory>

class QComboBox;
class QLineEdit;
class TComboCodigo;
class TEditMascara;
class TEmpresa;

class TfrmEmpresas : public TFramePadrao {
  Q_OBJECT
public:
  explicit TfrmEmpresas(QWidget *parent = nullptr);
  ~TfrmEmpresas() override;

  QComboBox *cmbTipo = nullptr;
  TEditMascara *edtInscricao = nullptr;
  QLineEdit *edtRazao = nullptr;
  QLineEdit *edtLogradouro = nullptr;
  QLineEdit *edtBairro = nullptr;
  QLineEdit *edtCidade = nullptr;
  TEditMascara *edtCEP = nullptr;
  TComboCodigo *cmbUF = nullptr;
  QLineEdit *edtDDD = nullptr;
  QLineEdit *edtTelefone = nullptr;
  TComboCodigo *cmbCNAE = nullptr;
  TComboCodigo *cmbFPAS = nullptr;
  TComboCodigo *cmbSimples = nullptr;
  QPushButton *btnEmpregado = nullptr;

  TEmpresa &Empresa() { return *empresa_; }

  void CarregarTela() override;
  bool ValidarTela() override;
  // A new employer ("&Novo" > "&Empresa" or "&Nova Empresa").
  void NovaEmpresa();
  // The change button for the selected employer is allowed (a company whose
  // links are all closed cannot be changed).
  void PermitirAlteracao(bool permitir);
  // Called by "&Novo Trabalhador" (the main window starts a new worker).
  std::function<void()> AoNovoTrabalhador;

  // The inscription check of a new employer: true to go on.
  bool VerificarInscricaoEmpresa(bool Copiar);

public slots:
  void btnAlterarClick() override;
  void btnSalvarClick() override;
  void btnExcluirClick() override;
  void btnCancelarClick() override;
  void edtInscricaoExit();

private:
  void PreencherListas();
  void Visualizar();
  std::unique_ptr<TEmpresa> empresa_;
  bool listas_ = false;
  TCamposEndereco endereco_;
  bool verificando_ = false;
  bool alteracaoPermitida_ = true;
};
