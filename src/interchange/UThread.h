#pragma once
// The worker thread of the long file operations and the widget-free part of
// their runner: which object each operation builds, how its outcome and
// message code are read, and the clean-up that always follows. The progress
// window (desktop) and the import command (command line) both drive it.
#include "UnArquivo.h"

#include <QString>
#include <QThread>
#include <functional>
#include <map>
#include <memory>

// Operation kinds of the runner.
enum TOperacaoArquivo {
  opImportarFolha = 1,
  opCargaSaldo = 2,
  opOcorrenciaChave = 3,
  opRetornoGuia = 4,
  opArquivoRescisorio = 6
};

// One run of a file operation: its inputs, the object it built (kept for the
// post-processing, which reads its parsed records) and its outcome.
class TExecucaoArquivo {
public:
  int Operacao = 0;
  QString NomeArquivo;
  IProgresso *Progresso = nullptr;
  // Rebuilds the main window's tree; the runner makes it run on the main
  // thread. Empty on the command line.
  std::function<void()> AtualizarArvore;

  std::unique_ptr<TArquivo> Objeto;
  bool Iniciada = false;
  bool Sucesso = false;
  QString CodigoErro;
  // With code "0396": the message number the message table lacks.
  int MensagemInexistente = 0;
  // Text of an unexpected exception that ended the operation (for the log).
  QString ErroInesperado;

  // Runs the operation once; never raises. Any transaction the operation
  // left open is rolled back here, on the thread that used it.
  void Executar();
  bool Cancelado() const;
};

// How the other file Parts plug their operation into the runner: the factory
// builds the object, fills its inputs and runs it, returning its result.
using TFabricaOperacao = std::function<bool(TExecucaoArquivo &)>;
void RegistrarOperacaoArquivo(int operacao, TFabricaOperacao fabrica);

// The worker thread: runs one TExecucaoArquivo and ends. The owner learns the
// end through QThread::finished (delivered on its own thread).
class TMyThread : public QThread {
  Q_OBJECT
public:
  explicit TMyThread(TExecucaoArquivo *execucao, QObject *parent = nullptr)
      : QThread(parent), execucao_(execucao) {}

protected:
  void run() override;

private:
  TExecucaoArquivo *execucao_;
};
