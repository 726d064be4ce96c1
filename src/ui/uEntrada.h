#pragma once
// First-run window: shown when no employer is registered yet.
#include <QDialog>
#include <QList>

class QRadioButton;
class QPushButton;
class QLabel;
class TfrmResponsavel;

class TfrmEntrada : public QDialog {
  Q_OBJECT
public:
  explicit TfrmEntrada(QWidget *parent = nullptr);

  QRadioButton *rbtFolha;
  QRadioButton *rbtResponsavel;
  QRadioButton *rbtRestaurar;
  QPushButton *btnVoltar;
  QPushButton *btnAvancar;
  QPushButton *btnCancelar;
  QLabel *lblIndisponivel;
  // The responsible party's form, shown by "Cadastrar Responsável".
  TfrmResponsavel *frmResponsavel;

  void centralizarForm();

  enum { opFolha = 0, opResponsavel = 1, opRestaurar = 2 };
  static bool OpcaoDisponivel(int opcao);
  int OpcaoEscolhida() const;
  // Asks for the payroll file; empty when the user gave up.
  static QString EscolherArquivoFolha(QWidget *parent);
  // Imports the payroll file behind the progress window; true on success.
  bool ImportarArquivoFolha(const QString &nome);

public slots:
  void btnAvancarClick();
  // Leaving asks first when the form holds typed data.
  void reject() override;
  void btnVoltarClick();
  void btnCancelarClick();

private:
  void AtualizarDisponibilidade();
  void ImportarFolha();
  void RestaurarBackup();
  void CadastrarResponsavel();
  QList<QLabel *> notas_;
  // The texts and choices the responsible party's form covers.
  QList<QWidget *> introducao_;
};
