#pragma once
// "Adicionar Competência": asks for one month of balance complement and the
// remuneration of that month. The caller's check of the month (the link's
// rules and months already stored) runs before the dialog closes.
#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class TEditValor;

class TfrmAdicionarCompetencia : public QDialog {
  Q_OBJECT
public:
  // Verificar(mes, ano): "" when the month may be added, else a message number.
  using TVerificacao = std::function<QString(const QString &mes, const QString &ano)>;
  TfrmAdicionarCompetencia(const QString &prefixo, TVerificacao verificar,
                           QWidget *parent = nullptr);

  QComboBox *cmbMes = nullptr;
  QLineEdit *edtAno = nullptr;
  TEditValor *edtRemuneracao = nullptr;
  QPushButton *btnOk = nullptr;
  QPushButton *btnCancelar = nullptr;

  // "mm/yyyy" and the remuneration in centavos, once accepted.
  QString Competencia() const;
  qint64 Remuneracao() const;

public slots:
  void btnOkClick();

private:
  QString prefixo_;
  TVerificacao verificar_;
};
