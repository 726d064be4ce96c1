#pragma once
// The modal progress window of the long file operations: it starts the
// operation on a worker thread, shows its steps and gauge, lets the user
// cancel it, and runs the post-processing (messages, reports, the tree
// refresh) on the main thread once the worker has ended.
#include "interchange/UThread.h"
#include "interchange/unRegRegistro.h"

#include <QDialog>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TfrmProgImporta : public QDialog, public IProgresso {
  Q_OBJECT
public:
  explicit TfrmProgImporta(QWidget *parent = nullptr);
  ~TfrmProgImporta() override;

  // File chosen by the user (none for the generation at closing).
  QString NomeArquivo;
  int Operacao = 0;
  // Outcome, readable after the window closed.
  bool Sucesso = false;
  QString CodigoErro;

  // Step labels and icons, named as the rest of the program refers to them.
  QLabel *LabelProgresso;
  QLabel *LabelInformacao01, *LabelInformacao02, *LabelInformacao03, *LabelInformacao04;
  QLabel *imgValidandoArquivoEmAndamento, *imgValidandoArquivoConcluido;
  QLabel *imgValidandoInformacoesEmAndamento, *imgValidandoInformacoesConcluido;
  QLabel *imgValidandoIncluirInformEmAndamento, *imgValidandoIncluirInformConcluido;
  QLabel *imgAtuzalizandoArvoreEmAndamento, *imgAtuzalizandoArvoreConcluido;
  QProgressBar *Gauge;
  QPushButton *btnCancelar;

  // Sets the operation, the caption and up to four step texts; resets the
  // progress and hides every icon and label but LabelProgresso.
  void Preparar(int Operacao, const QString &Titulo, const QStringList &Etapas);

  // Hooks of the other windows, installed once by the main window: the tree
  // refresh, the balance request for the records just imported, and the
  // inconsistency report of a file kind.
  static std::function<void()> AtualizarArvore;
  static std::function<void(const TArrRegRegistro &)> SolicitarSaldo;
  static std::function<void(int)> RelatorioInconsistencias;
  // The loaded-balance query, offered after a successful balance load.
  static std::function<void()> ConsultarSaldo;

  // Runs the payroll import of a file behind this window (shows it modally).
  static bool ImportarFolha(const QString &NomeArquivo, QWidget *parent = nullptr);
  // The menu command: asks for the file (default VESK.re) and imports it;
  // false when the user gave up or the import failed.
  static bool EscolherEImportarFolha(QWidget *parent = nullptr);
  // Runs the balance load of a file behind this window, with the
  // confirmation of put-aside balances.
  static bool CarregarSaldo(const QString &NomeArquivo, QWidget *parent = nullptr);
  // The menu command: asks for the bank's balance file and loads it.
  static bool EscolherECarregarSaldo(QWidget *parent = nullptr);

  // Runs the import of the bank's processed-guide return behind this window.
  static bool CarregarRetorno(const QString &NomeArquivo, QWidget *parent = nullptr);
  // The menu command: asks for the return file (folder Arquivos/Guia
  // Processada) and loads it; false when the user gave up or the load failed.
  static bool EscolherECarregarRetorno(QWidget *parent = nullptr);

  // Runs the load of the bank's identification-key occurrence file.
  static bool CarregarChave(const QString &NomeArquivo, QWidget *parent = nullptr);
  // The menu command: asks for the occurrence file (folder Arquivos/Arquivo
  // de Ocorrencia) and loads it; false when the user gave up or it failed.
  static bool EscolherECarregarChave(QWidget *parent = nullptr);

  // IProgresso (called from the worker thread).
  void DefinirMaximo(int maximo) override;
  void Avancar(bool AumentarMaximo) override;
  void Etapa(int codigo) override;
  bool Cancelado() const override { return cancelado_; }

  // Shows the window state now (the timer does it while the worker runs).
  void AtualizarTela();

public slots:
  void btnCancelarClick();

protected:
  void showEvent(QShowEvent *e) override;
  void closeEvent(QCloseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
  void keyReleaseEvent(QKeyEvent *e) override;
  void reject() override;

private:
  void Iniciar();
  void Concluir();
  void PosProcessar();
  void PosProcessarCargaSaldo(bool cancelado);
  void PosProcessarRescisorio(bool cancelado);

  std::unique_ptr<TExecucaoArquivo> execucao_;
  std::unique_ptr<TMyThread> thread_;
  QTimer *timer_;
  bool iniciado_ = false;
  bool terminado_ = false;
  std::atomic<bool> cancelado_{false};
  std::atomic<int> maximo_{0};
  std::atomic<int> posicao_{0};
  // Per step (1-4): 0 nothing shown, 1 in progress, 2 done.
  std::atomic<int> etapas_[4] = {0, 0, 0, 0};
  // From the generation's commit on, cancelling would lose a stored file.
  std::atomic<bool> semCancelamento_{false};
};
