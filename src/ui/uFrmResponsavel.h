#pragma once
// The responsible party's frame: the one party that submits the collection,
// its address and its contact. Typed in on the first run, changed later from
// the tree's root; never deleted here.
#include "uCamposEndereco.h"
#include "uFramePadrao.h"

#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class TComboCodigo;
class TEditMascara;
class TResponsavel;

class TfrmResponsavel : public TFramePadrao {
  Q_OBJECT
public:
  explicit TfrmResponsavel(const QString &nome = QStringLiteral("frmResponsavel1"),
                           QWidget *parent = nullptr);
  ~TfrmResponsavel() override;

  QComboBox *CmbTipo = nullptr;
  TEditMascara *edtInscricao = nullptr;
  QLineEdit *edtRazao = nullptr;
  QLineEdit *edtLogradouro = nullptr;
  QLineEdit *edtBairro = nullptr;
  QLineEdit *edtCidade = nullptr;
  TEditMascara *edtCEP = nullptr;
  TComboCodigo *cmbUF = nullptr;
  QGroupBox *grpContato = nullptr;
  QLineEdit *EdtNome = nullptr;
  QLineEdit *edtDDD_contato = nullptr;
  QLineEdit *edtTel = nullptr;
  QLineEdit *edtEmail = nullptr;
  QPushButton *btnEmpresa = nullptr;

  TResponsavel &Responsavel() { return *responsavel_; }

  void CarregarTela() override;
  bool ValidarTela() override;
  // Empties the frame for a new responsible party (the first run).
  void NovoResponsavel();
  // Validates, asks "0035" and saves; true when saved (the first-run window
  // closes then).
  bool Salvar();
  // Called by "&Nova Empresa" (the main window starts a new employer).
  std::function<void()> AoNovaEmpresa;

public slots:
  void btnAlterarClick() override;
  void btnSalvarClick() override;
  void btnCancelarClick() override;

private:
  void PreencherListas();
  void FimEdicao();
  std::unique_ptr<TResponsavel> responsavel_;
  bool listas_ = false;
  TCamposEndereco endereco_;
};
