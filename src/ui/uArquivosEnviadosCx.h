#pragma once
// "Consulta de Arquivos Gerados para Envio à VORDA": the files generated for
// the bank (termination collection files, resend and balance requests,
// recovered files), the companies and workers each carries, finding a file by
// protocol, company or worker, its conference report, deleting its record,
// and writing a termination collection file to disk again.
#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TProtocolo;
struct TArquivoComRegistro;

// "Seleção de Arquivo": which of several sent files to open.
class TfrmSelecaoArqEnvio : public QDialog {
  Q_OBJECT
public:
  TfrmSelecaoArqEnvio(const QList<TArquivoComRegistro> &arquivos, QWidget *pai = nullptr);
  QTableWidget *sgSelecao = nullptr;
  QPushButton *btnLocalizar = nullptr; // "&Selecionar"
  QPushButton *btnFechar = nullptr;
  // Index of the chosen file in the list given; -1 when closed without a choice.
  int Escolhido = -1;
  // The chosen row's protocol as shown (four groups joined by ".").
  QString Protocolo;

  // Shows the window modally; tests install Interceptar to drive it instead.
  static inline std::function<void(TfrmSelecaoArqEnvio &)> Interceptar;
  void Mostrar();
};

class TfrmArquivosEnviadosCx : public QDialog {
  Q_OBJECT
public:
  explicit TfrmArquivosEnviadosCx(QWidget *pai = nullptr);
  ~TfrmArquivosEnviadosCx() override;

  // Fills the file list (kinds 3, 6, 7 and 9) with the first row selected;
  // false when there is none (the caller shows AE0310).
  bool Carregar();
  // Shows the window modally; tests install Interceptar to drive it instead.
  static inline std::function<void(TfrmArquivosEnviadosCx &)> Interceptar;
  void Mostrar();
  // Rebuilds the main window's tree after a deletion took processed links
  // back to closed; installed by the main window.
  static inline std::function<void()> AtualizarArvore;

  QTabWidget *pgcArquivos = nullptr; // "Controle de Arquivos" / "Detalhes"
  QTableWidget *sgEnvio = nullptr;
  QGroupBox *grpControle = nullptr;
  QLineEdit *edtArquivo = nullptr;
  QLineEdit *edtDataGeracao = nullptr;
  QLabel *lblProtocolo = nullptr; // "Protocolo:" or "Empresa:"
  QLineEdit *edtProtocolo = nullptr;
  QLabel *lblDataRecolhimento = nullptr;
  QLineEdit *edtDataRecolhimento = nullptr;
  QTabWidget *pgcDetalhes = nullptr; // "Empresa" / "Trabalhador"
  QTableWidget *sgEmpresa = nullptr;
  QTableWidget *sgTrabalhador = nullptr;
  QPushButton *btnFechar = nullptr;
  QPushButton *btnImprimir = nullptr;
  QPushButton *btnExcluir = nullptr;
  QPushButton *btnSalvarArqRescisorio = nullptr;
  QPushButton *btnLocalizar = nullptr;

  // Columns of the file list.
  enum {
    cnStatus,
    cnTipo,
    cnArquivo,
    cnGeracao,
    cnNome,
    cnValido,
    cnProtocolo,
    cnIdentificador,
    cnAtendido,
    cnColunas
  };
  // Columns of the company grid.
  enum {
    ceInscricao,
    ceRazao,
    ceData,
    ceValor,
    ceBarras,
    ceRecolhimento,
    ceTipoInscricao,
    ceColunas
  };
  // Columns of the worker grid.
  enum { ctPIS, ctNome, ctAdmissao, ctValor, ctColunas };

  // The selected file's identifier and kind (empty / 0 without a selection).
  QString IdentificadorSelecionado() const;
  int TipoSelecionado() const;
  // The report order built from the grids' sort columns and directions.
  QString OrdemRelatorio() const;

public slots:
  void btnImprimirClick();
  void btnExcluirClick();
  void btnSalvarArqRescisorioClick();
  void btnLocalizarClick();
  // Runs a criterion as if the lookup window had returned it.
  void Localizar(const QString &Criterio);

private:
  std::unique_ptr<TProtocolo> protocolo_;
  QString arquivoCarregado_; // identifier the company grid holds
  QString empresaCarregada_; // inscription (digits) the worker grid holds
  bool mudando_ = false;

  void PaginaMudou(int pagina);
  void DetalheMudou(int aba);
  bool AbrirDetalhes();
  bool CarregarEmpresas();
  void CarregarTrabalhadores();
  void AtualizarBotoes();
  void MostrarCampoProtocolo();
  int LinhaArquivo() const;
  QString Celula(int coluna) const;
  bool SelecionarArquivo(int coluna, const QString &valor);
  void LocalizarEmArquivos(const QString &Chave, const QString &Valor);
  void Habilitar(bool habilitar);
};
