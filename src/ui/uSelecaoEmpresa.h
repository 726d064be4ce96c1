#pragma once
// The workers listing's windows: the employer selection (on the common
// selection window) and the order choice that runs the report.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TEmpresa;

// "Selecionar Empresa": one page with a grid of employers, "&Selecionar
// Todas", "&Imprimir" and "&Fechar".
class TfrmModeloSelecaoEmpresaTrabalhador : public QDialog {
  Q_OBJECT
public:
  explicit TfrmModeloSelecaoEmpresaTrabalhador(QWidget *pai = nullptr);

  QTabWidget *pgcSelecao = nullptr;
  QTreeWidget *grdEmpresa = nullptr;
  QCheckBox *chkSelect = nullptr;
  QPushButton *btnImprimir = nullptr;
  QPushButton *btnCancelar = nullptr;

  // Fills the grid from the loaded employers (every row of the object).
  void CarregarEmpresas(TEmpresa &empresas);
  // The employer order passed on: by inscription when the grid is sorted by
  // the inscription column, else by name.
  QString OrdemEmpresas() const;
  // The selected employers' inscriptions, digits only, in grid order.
  QStringList EmpresasSelecionadas() const;

protected:
  virtual void Imprimir() = 0;

private:
  void SelecionarTodas(bool todas);
  void SelecaoMudou();
};

// "Selecionar Empresas": "&Imprimir" opens the order window for the chosen
// employers.
class TfrmSelecaoEmpresa : public TfrmModeloSelecaoEmpresaTrabalhador {
  Q_OBJECT
public:
  explicit TfrmSelecaoEmpresa(QWidget *pai = nullptr);

protected:
  void Imprimir() override;
};

// "Relatório de Trabalhadores": the order of the workers inside each
// employer, then the report.
class TfrmRelEmpregados : public QDialog {
  Q_OBJECT
public:
  TfrmRelEmpregados(const QString &ordemEmpresas, const QStringList &empresas, bool todas,
                    QWidget *pai = nullptr);

  QButtonGroup *rgOrdem = nullptr;
  QPushButton *btnImprimir = nullptr;
  QPushButton *btnFechar = nullptr;
  // The order the report gets: the employers' order, "," and the chosen key.
  QString Ordem() const;

private:
  QString ordemEmpresas_;
  QStringList empresas_;
  bool todas_;
  void Imprimir();
};
