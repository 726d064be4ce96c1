#include "unSinais.h"

#include "unFBUtils.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ibase.h>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<int> Sinal{0};
std::atomic<int> Cooperativas{0};
std::atomic<bool> Avisado{false};
int Tubo[2] = {-1, -1};
std::mutex Trava;
std::function<void(int)> Reacao;
// Time a cooperative operation or the program's own reaction has to end the
// program before the watcher ends it.
constexpr auto Tolerancia = std::chrono::seconds(15);

extern "C" void AoSinal(int s) {
  const int erro = errno;
  int esperado = 0;
  Sinal.compare_exchange_strong(esperado, s);
  if (Tubo[1] >= 0) {
    const char c = static_cast<char>(s);
    [[maybe_unused]] const ssize_t n = ::write(Tubo[1], &c, 1);
  }
  errno = erro;
}

sigset_t Conjunto() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  sigaddset(&s, SIGHUP);
  return s;
}

// A child process starts with the signals as the system gives them.
extern "C" void DesbloquearNoFilho() {
  const sigset_t s = Conjunto();
  pthread_sigmask(SIG_UNBLOCK, &s, nullptr);
}

void Vigiar() {
  // The only thread that takes these signals.
  const sigset_t s = Conjunto();
  pthread_sigmask(SIG_UNBLOCK, &s, nullptr);
  char c;
  while (true) {
    const ssize_t n = ::read(Tubo[0], &c, 1);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return;
    const int s = Sinal.load();
    if (s == 0)
      continue;
    std::function<void(int)> reacao;
    {
      std::lock_guard<std::mutex> g(Trava);
      reacao = Reacao;
    }
    if (reacao)
      reacao(s);
    if (reacao || TOperacaoCooperativa::EmAndamento()) {
      // The program ends by itself; if it does not, it is ended here.
      std::this_thread::sleep_for(Tolerancia);
    }
    EncerrarPorSinal(s);
  }
}
} // namespace

void DefinirReacaoSinal(std::function<void(int)> reacao) {
  std::lock_guard<std::mutex> g(Trava);
  Reacao = std::move(reacao);
}

void InstalarTratamentoSinais() {
  if (Tubo[0] < 0) {
    if (::pipe2(Tubo, O_CLOEXEC) != 0)
      return;
    // The signals are blocked in this thread and so in every thread created
    // from now on (the engine's among them) and taken by the watcher alone:
    // a handler that interrupts an engine thread in the middle of a wait has
    // been seen to leave the final detach hanging.
    const sigset_t s = Conjunto();
    pthread_sigmask(SIG_BLOCK, &s, nullptr);
    pthread_atfork(nullptr, nullptr, DesbloquearNoFilho);
    std::thread(Vigiar).detach();
  }
  struct sigaction a {};
  a.sa_handler = AoSinal;
  sigemptyset(&a.sa_mask);
  a.sa_flags = SA_RESTART;
  for (int s : {SIGINT, SIGTERM, SIGHUP})
    ::sigaction(s, &a, nullptr);
}

int SinalRecebido() {
  return Sinal.load();
}

int StatusSinal(int sinal) {
  return 128 + sinal;
}

const char *NomeSinal(int sinal) {
  switch (sinal) {
  case SIGINT:
    return "SIGINT";
  case SIGTERM:
    return "SIGTERM";
  case SIGHUP:
    return "SIGHUP";
  default:
    return "desconhecido";
  }
}

void AvisarInterrupcao(int sinal, const char *texto) {
  if (Avisado.exchange(true))
    return;
  if (texto)
    std::fprintf(stderr, "%s\n", texto);
  else
    std::fprintf(stderr,
                 "Programa interrompido pelo sinal %s: a operação em andamento foi desfeita e nada "
                 "dela foi gravado.\n",
                 NomeSinal(sinal));
  std::fflush(stderr);
}

void EncerrarPorSinal(int sinal) {
  // The engine's shutdown rolls back every open transaction and closes every
  // attachment, also while another thread is inside a statement.
  fb_shutdown(5000, fb_shutrsn_signal);
  AvisarInterrupcao(sinal);
  std::_Exit(StatusSinal(sinal));
}

void ReiniciarSinais() {
  Sinal = 0;
  Avisado = false;
}

TOperacaoCooperativa::TOperacaoCooperativa() {
  ++Cooperativas;
}
TOperacaoCooperativa::~TOperacaoCooperativa() {
  --Cooperativas;
}
bool TOperacaoCooperativa::EmAndamento() {
  return Cooperativas.load() > 0;
}
