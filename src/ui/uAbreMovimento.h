#pragma once
// The opening frame of the collection run, shown in the main window for the
// root on the "Movimento" tab: the payment date of the open run, and the
// buttons that open (or move) the run, simulate it and close it.
#include "collection/unMovimento.h"

#include <QFrame>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QDialog;
class QCheckBox;

class TfrmAbreMovimento : public QFrame {
  Q_OBJECT
public:
  explicit TfrmAbreMovimento(QWidget *parent = nullptr);

  QLineEdit *dteDataRecolhimento;
  QPushButton *btnNovaAbertura, *btnSimulacao, *btnFechamento, *btnSalvar, *btnCancelar;
  QTimer *Timer1;

  // Hooks the main window installs: its menus and toolbar on or off while
  // the date is edited or a closing runs, and the tree refresh.
  std::function<void(bool)> HabilitarPrincipal;
  std::function<void()> AtualizarArvore;
  // After an opening, the balance complement page of a link that is not
  // closed (the edit frames plug it in); none: the question is not asked.
  static std::function<void(const TChaveVinculo &)> IncluirComplemento;

  // The date typed: NullDate when empty, DataNaoValida when not a date.
  TDateTime DataDigitada() const;
  // Shows the open run's date (or nothing) in view mode.
  void CarregarTela();
  bool EmEdicao() const { return edicao_; }

  void btnNovaAberturaClick();
  void btnCancelarClick();
  void btnSalvarClick();
  void btnSimulacaoClick();
  void btnFechamentoClick();
  // The statement that the termination date was noted in the workers'
  // booklets: true only when its box was checked.
  bool DeclaracaoCienciaFechamento();
  void MyOnTimerMessage();

private:
  void ModoEdicao(bool edicao);
  void AtualizarBotoes();

  bool edicao_ = false;
  QString dataLembrada_;
  QDialog *declaracao_ = nullptr;
  QCheckBox *chkDeclaracao_ = nullptr;
};

// Runs the closing generation (operation 6) behind the progress window and
// its post-processing; true when the run was closed.
bool ExecutarFechamento(QWidget *parent, const std::function<void()> &AtualizarArvore);
