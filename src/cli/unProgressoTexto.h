#pragma once
// What the file commands of the command line share: the text progress bar of
// the runner's steps, Ctrl+C as the cancel button, and the listing of a file
// kind's inconsistencies.
#include "interchange/UnArquivo.h"

#include <QString>
#include <csignal>

// Progress on the terminal: one bar redrawn in place on a terminal, plain
// lines (one per step) when the output goes to a file or a pipe.
class TProgressoTexto : public IProgresso {
public:
  explicit TProgressoTexto(bool terminal) : terminal_(terminal) {}

  void DefinirMaximo(int maximo) override;
  void Avancar(bool AumentarMaximo) override;
  void Etapa(int codigo) override;
  // True once Ctrl+C, SIGTERM or SIGHUP came (see core/unSinais.h).
  bool Cancelado() const override;
  // Ends the bar's line.
  void Terminar();

private:
  void Desenhar();

  bool terminal_;
  int maximo_ = 0;
  int posicao_ = 0;
  int ultimo_ = -1;
  bool desenhou_ = false;
  QString etapa_;
};

// Marks the part of a command during which a signal is a cancel; the
// signals themselves are taken by the program's watcher (core/unSinais.h),
// which lets a running file operation stop by itself.
class TInterrupcao {
public:
  TInterrupcao();
  ~TInterrupcao();
  TInterrupcao(const TInterrupcao &) = delete;
  TInterrupcao &operator=(const TInterrupcao &) = delete;
  static bool Interrompido();
};

class TExecucaoArquivo;

// Runs one operation of the file runner as the load commands do: the text
// progress bar, Ctrl+C as the cancel button. Returns the seconds it took;
// *Interrompido tells whether a signal stopped it.
double ExecutarComProgresso(TExecucaoArquivo &execucao, bool *Interrompido);

// After a run a signal stopped: says so (with `cancelamento` for Ctrl+C) and
// returns the program's exit status for that signal.
int EncerrarInterrompido(const char *cancelamento);

// After a run that did not store its file: the unexpected error and a
// missing message row, when there are.
void DizerErroExecucao(const TExecucaoArquivo &execucao);

// Prints every inconsistency of a file kind to stderr (line, record, message
// number, content, text).
void ListarInconsistencias(int NumeroArquivo);
