#pragma once
// "Consulta Ocorrência Chave Identificação": the stored loads of the bank's
// identification-key occurrence file (page "Responsável"), the companies of
// the one checked load ("Empresa") and the workers of the one checked company
// ("Trabalhador"); deleting loads or companies, printing the occurrence
// report of a load, of companies or of workers.
#include "registry/unHomologacao.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;
struct TSelecaoOcorrenciaChave;

class TfrmConsultaOcorrenciaChaveIdentificacao : public QDialog {
  Q_OBJECT
public:
  explicit TfrmConsultaOcorrenciaChaveIdentificacao(QWidget *pai = nullptr);
  ~TfrmConsultaOcorrenciaChaveIdentificacao() override;

  // The menu command: "RE0087" when no load is stored, else the window.
  static bool Abrir(QWidget *pai = nullptr);
  // Shows the window modally; tests set Interceptar to drive it instead.
  static inline std::function<void(TfrmConsultaOcorrenciaChaveIdentificacao &)> Interceptar;
  // How a print is shown; tests set it to read the selection instead.
  static inline std::function<void(const TSelecaoOcorrenciaChave &)> Imprimir;

  // Reloads the loads; the number of loads.
  int CarregarCargas();

  // The searches of the "&Localizar" button:
  // on the company page by inscription (CNPJ mask or as typed) or by part of
  // the name; on the worker page by part of the name, or by PIS within the
  // load being shown (company lines repeat between loads): the worker's
  // company becomes the checked one and its worker row the current one.
  // "HX0092" and false when nothing is found.
  bool LocalizarInscricao(const QString &valor);
  bool LocalizarRazaoSocial(const QString &valor);
  bool LocalizarNome(const QString &valor);
  bool LocalizarPIS(const QString &pis);

  QTabWidget *pgcConsulta = nullptr;
  QTableWidget *sgResponsavel = nullptr;
  QTableWidget *sgEmpresa = nullptr;
  QTableWidget *sgTrabalhador = nullptr;
  QCheckBox *chkTodasCargas = nullptr;        // "&Selecionar Todas" (loads)
  QCheckBox *chkTodasEmpresas = nullptr;      // "&Selecionar Todas" (companies)
  QCheckBox *chkTodosTrabalhadores = nullptr; // "&Selecionar Todos"
  QLabel *lblResponsavel = nullptr;           // above the companies
  QLabel *lblResponsavelTrab = nullptr;       // above the workers
  QLabel *lblEmpresa = nullptr;
  QPushButton *btnLocalizar = nullptr;
  QPushButton *btnExcluir = nullptr;
  QPushButton *btnImprimir = nullptr;
  QPushButton *btnFechar = nullptr;

  // The identifier of the load whose companies are shown ("" for none).
  QString CargaMostrada() const { return cargaMostrada_; }
  int EmpresaMostrada() const { return empresaMostrada_; }
  QString OrdemEmpresa() const { return ordemEmpresa_; }
  QString OrdemTrabalhador() const { return ordemTrabalhador_; }

public slots:
  // The lookup of the page: employer (inscription or name) on the companies,
  // worker (PIS or name) on the workers.
  void btnLocalizarClick();
  void btnExcluirClick();
  void btnImprimirClick();
  void pgcConsultaChange(int pagina);

protected:
  // Keyboard use of the grids: Space checks or unchecks the current row,
  // Enter opens the next page for it (as a double click does).
  bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
  std::unique_ptr<TResponsavelHmlgo> cargas_;
  QString cargaMostrada_;
  int empresaMostrada_ = -1;
  QString ordemEmpresa_ = QStringLiteral("EMP.NU_INSCRICAO_EMPRESA ASC");
  QString ordemTrabalhador_ = QStringLiteral("TRAB.NU_PIS ASC");
  int paginaAnterior_ = 0;
  bool mudandoPagina_ = false;

  int CarregarEmpresas(bool forcar = false);
  int CarregarTrabalhadores(bool forcar = false);
  void OrdenarEmpresas(int coluna);
  void OrdenarTrabalhadores(int coluna);
  void AtualizarBotoes();
  void Marcar(QTableWidget *grade, bool marcado);
  void IrPara(int pagina);
  QList<int> Marcadas(const QTableWidget *grade) const;
};
