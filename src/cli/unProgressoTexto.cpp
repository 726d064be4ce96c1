#include "cli/unProgressoTexto.h"

#include "cli/unComandos.h"
#include "core/UnInconsistencia.h"
#include "core/unSinais.h"
#include "core/unTexto1252.h"
#include "interchange/UThread.h"

#include <QElapsedTimer>
#include <memory>

#include <algorithm>

void TProgressoTexto::DefinirMaximo(int maximo) {
  maximo_ = maximo;
  Desenhar();
}

void TProgressoTexto::Avancar(bool AumentarMaximo) {
  if (AumentarMaximo)
    ++maximo_;
  ++posicao_;
  Desenhar();
}

void TProgressoTexto::Etapa(int codigo) {
  static const char *const nomes[] = {"Validando arquivo", "Validando informações",
                                      "Incluindo informações na base",
                                      "Preparando visualização da tela"};
  if (codigo >= 1 && codigo <= 4) {
    etapa_ = QString::fromUtf8(nomes[codigo - 1]);
    if (!terminal_)
      Saida(etapa_ + QStringLiteral("...\n"));
    ultimo_ = -1;
    Desenhar();
  } else if (codigo >= 5 && codigo <= 8) {
    if (!terminal_)
      Saida(QString::fromUtf8(nomes[codigo - 5]) + QStringLiteral(": concluído\n"));
    // The last step (the tree) has no lines of its own to count.
    if (codigo == 8) {
      posicao_ = maximo_;
      Desenhar();
    }
  }
}

bool TProgressoTexto::Cancelado() const {
  return SinalRecebido() != 0;
}

void TProgressoTexto::Terminar() {
  if (terminal_ && desenhou_)
    Saida(QStringLiteral("\n"));
}

void TProgressoTexto::Desenhar() {
  if (!terminal_ || maximo_ <= 0)
    return;
  const int pct = static_cast<int>(100.0 * std::min(posicao_, maximo_) / maximo_);
  if (pct == ultimo_)
    return;
  ultimo_ = pct;
  desenhou_ = true;
  const int cheios = pct * 30 / 100;
  Saida(QStringLiteral("\r[%1%2] %3% %4")
            .arg(QString(cheios, u'#'), QString(30 - cheios, u' '))
            .arg(pct, 3)
            .arg(etapa_.leftJustified(34, u' ')));
}

// The signals are taken by the program's watcher (core/unSinais.h) for the
// whole run; a command only asks whether one came.
TInterrupcao::TInterrupcao() = default;
TInterrupcao::~TInterrupcao() = default;

bool TInterrupcao::Interrompido() {
  return SinalRecebido() != 0;
}

void ListarInconsistencias(int NumeroArquivo) {
  TInconsistencia inc;
  if (!inc.ListarPorArquivo(NumeroArquivo) || inc.FimDados())
    return;
  Erro(QStringLiteral("Inconsistências encontradas: %1\n").arg(inc.QuantidadeRegistros()));
  while (true) {
    QString conteudo = inc.DE_CONTEUDO_CAMPO;
    while (conteudo.endsWith(u' '))
      conteudo.chop(1);
    Erro(QStringLiteral("linha %1  registro %2  mensagem %3  conteúdo \"%4\"  %5\n")
             .arg(inc.NU_LINHA_ERRO)
             .arg(inc.CO_REGISTRO.isEmpty() ? QStringLiteral("--") : inc.CO_REGISTRO)
             .arg(inc.NU_MENSAGEM, 4, 10, QChar(u'0'))
             .arg(TextoVisivel(conteudo), inc.DE_MENSAGEM.trimmed()));
    inc.Proximo();
    if (inc.FimDados())
      break;
  }
}

int EncerrarInterrompido(const char *cancelamento) {
  const int sinal = SinalRecebido();
  AvisarInterrupcao(sinal, sinal == SIGINT ? cancelamento : nullptr);
  return StatusSinal(sinal);
}

void DizerErroExecucao(const TExecucaoArquivo &execucao) {
  if (!execucao.ErroInesperado.isEmpty())
    Erro(QStringLiteral("Erro: %1\n").arg(execucao.ErroInesperado));
  if (execucao.CodigoErro == QStringLiteral("0396"))
    Erro(QStringLiteral("A mensagem %1 não existe na tabela de mensagens (0396).\n")
             .arg(execucao.MensagemInexistente, 4, 10, QChar(u'0')));
}

double ExecutarComProgresso(TExecucaoArquivo &execucao, bool *Interrompido) {
  auto interrupcao = std::make_unique<TInterrupcao>();
  TProgressoTexto progresso(SaidaEhTerminal());
  execucao.Progresso = &progresso;
  QElapsedTimer relogio;
  relogio.start();
  execucao.Executar();
  progresso.Terminar();
  execucao.Progresso = nullptr;
  if (Interrompido)
    *Interrompido = TInterrupcao::Interrompido();
  return relogio.elapsed() / 1000.0;
}
