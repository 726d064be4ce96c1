#pragma once
// "Consulta de Guias": the company guides of a mode (page "Empresa") and the
// worker guides of one of them (page "Trabalhador"), sorted by the column
// headers, printed as guides or worker statements, deleted.
#include "registry/unChaveVinculo.h"
#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

class TfrmConsultaGuiasTotal : public QDialog {
  Q_OBJECT
public:
  explicit TfrmConsultaGuiasTotal(const QString &Modo, QWidget *pai = nullptr);

  // Runs the company query and fills the company grid; the number of guides.
  int CarregarGuias(const QString &Modo, const QString &Arquivo, bool ExigirProtocolo);
  // Reloads the worker grid from the one checked company guide when it is not
  // the one loaded; the number of worker rows.
  int CarregarTrabalhadores();

  // Shows the window modally; tests set Interceptar to drive it instead.
  static void Mostrar(TfrmConsultaGuiasTotal &janela);
  static inline std::function<void(TfrmConsultaGuiasTotal &)> Interceptar;

  QTabWidget *pgcGuias = nullptr;
  QTableWidget *sgEmpresa = nullptr;
  QTableWidget *sgTrabalhador = nullptr;
  QCheckBox *chkTodasEmpresas = nullptr;      // "&Selecionar Todas"
  QCheckBox *chkTodosTrabalhadores = nullptr; // "&Selecionar Todos"
  QLabel *lblInscricao = nullptr;
  QLabel *lblRazaoSocial = nullptr;
  QPushButton *btnLocalizar = nullptr;
  QPushButton *btnImprimir = nullptr;
  QPushButton *btnExcluir = nullptr;

  QString Modo() const { return modo_; }
  QString OrdemEmpresa() const { return ordemEmpresa_; }
  QString OrdemTrabalhador() const { return ordemTrabalhador_; }
  QString CodigoCarregado() const { return codigoCarregado_; }
  // Bar codes of the checked company rows, in grid order.
  QStringList CodigosMarcados() const;

public slots:
  void btnLocalizarClick();
  void btnImprimirClick();
  void btnExcluirClick();
  void pgcGuiasChange(int pagina);

private:
  QString modo_, arquivo_;
  bool exigirProtocolo_ = true;
  QString ordemEmpresa_ = QStringLiteral("NU_INSCRICAO_GUIA ASC");
  QString ordemTrabalhador_ = QStringLiteral("NU_PIS_GUIA ASC");
  QString codigoCarregado_;
  int paginaAnterior_ = 0;
  bool mudandoPagina_ = false;

  void OrdenarEmpresas(int coluna);
  void OrdenarTrabalhadores(int coluna);
  void AtualizarBotoes();
  void Marcar(QTableWidget *grade, bool marcado);
  // Redraws the links the delete took back from processed to closed.
  void AtualizarArvore(const QList<TChaveVinculo> &vinculos);
};
