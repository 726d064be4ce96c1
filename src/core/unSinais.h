#pragma once
// How the program ends when the system asks it to (SIGTERM at a logout or
// shutdown, SIGINT from Ctrl+C, SIGHUP when the terminal goes away): as after
// "Sair", with the open transaction rolled back, the database closed, the
// process ended with status 128 + the signal and a message on stderr saying
// that it was interrupted and nothing of the interrupted work was stored.
//
// The embedded engine installs handlers of its own for SIGINT and SIGTERM
// when it attaches; they shut its connections down and let the program go on
// with a dead database. InstalarTratamentoSinais, called after the first
// attach, replaces them. A handler only records the signal and wakes a
// watcher thread:
// - while a cooperative operation runs (TOperacaoCooperativa: the file
//   operations, which poll SinalRecebido between lines like the cancel
//   button), the operation stops, rolls back, and its caller ends the program;
// - the watcher calls the program's reaction, when it gave one (the desktop
//   program waits for a running operation, leaves its event loops and ends
//   normally);
// - when there is neither, or the program has not ended within a grace
//   period, the watcher shuts the engine down, which rolls the open
//   transaction back, and ends the process itself.
#include <functional>

// Installs the handlers for SIGINT, SIGTERM and SIGHUP (again after a new
// attach is harmless). The reaction runs on the watcher thread.
void InstalarTratamentoSinais();
// The program's own reaction (may be set before the handlers are installed).
void DefinirReacaoSinal(std::function<void(int)> reacao);
// The signal received, or 0.
int SinalRecebido();
// Exit status for an interruption by the signal (128 + its number).
int StatusSinal(int sinal);
// "SIGTERM", "SIGINT", "SIGHUP".
const char *NomeSinal(int sinal);
// Writes the interruption message (or the caller's own text) to stderr, once
// per process.
void AvisarInterrupcao(int sinal, const char *texto = nullptr);
// Rolls back, shuts the engine down, writes the message and ends the process.
[[noreturn]] void EncerrarPorSinal(int sinal);
// For tests: forgets a recorded signal.
void ReiniciarSinais();

// While alive, a signal does not end the program at once: the operation sees
// SinalRecebido and stops by itself.
class TOperacaoCooperativa {
public:
  TOperacaoCooperativa();
  ~TOperacaoCooperativa();
  TOperacaoCooperativa(const TOperacaoCooperativa &) = delete;
  TOperacaoCooperativa &operator=(const TOperacaoCooperativa &) = delete;
  static bool EmAndamento();
};
