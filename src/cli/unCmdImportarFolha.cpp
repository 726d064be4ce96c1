// vesk-cli importar-folha ARQUIVO: the payroll import without windows, with a
// text progress bar, the list of inconsistencies when the file is refused,
// and Ctrl+C as the cancel button.
#include "cli/unComandos.h"
#include "core/UnInconsistencia.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <atomic>
#include <csignal>

namespace {
std::atomic<bool> Interrompido{false};

extern "C" void AoInterromper(int) {
  Interrompido = true;
}

// Progress on the terminal: one bar redrawn in place on a terminal, plain
// lines (one per step) when the output goes to a file or a pipe.
class TProgressoTexto : public IProgresso {
public:
  explicit TProgressoTexto(bool terminal) : terminal_(terminal) {}

  void DefinirMaximo(int maximo) override {
    maximo_ = maximo;
    Desenhar();
  }
  void Avancar(bool AumentarMaximo) override {
    if (AumentarMaximo)
      ++maximo_;
    ++posicao_;
    Desenhar();
  }
  void Etapa(int codigo) override {
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
  bool Cancelado() const override { return Interrompido; }

  void Terminar() {
    if (terminal_ && desenhou_)
      Saida(QStringLiteral("\n"));
  }

private:
  void Desenhar() {
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

  bool terminal_;
  int maximo_ = 0;
  int posicao_ = 0;
  int ultimo_ = -1;
  bool desenhou_ = false;
  QString etapa_;
};

void ListarInconsistencias() {
  TInconsistencia inc;
  if (!inc.ListarPorArquivo(tiFolha))
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
             .arg(conteudo, inc.DE_MENSAGEM.trimmed()));
    inc.Proximo();
    if (inc.FimDados())
      break;
  }
}

int Executar(const QStringList &args) {
  if (args.size() != 1) {
    Erro(QStringLiteral("Uso: vesk-cli importar-folha ARQUIVO\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(args.first()).absoluteFilePath();
  Interrompido = false;
  auto anterior = std::signal(SIGINT, AoInterromper);
  TProgressoTexto progresso(SaidaEhTerminal());
  TExecucaoArquivo execucao;
  execucao.Operacao = opImportarFolha;
  execucao.NomeArquivo = arquivo;
  execucao.Progresso = &progresso;
  QElapsedTimer relogio;
  relogio.start();
  execucao.Executar();
  progresso.Terminar();
  std::signal(SIGINT, anterior);

  if (execucao.Sucesso) {
    Saida(QStringLiteral("Arquivo importado em %1 s: %2\n")
              .arg(relogio.elapsed() / 1000.0, 0, 'f', 2)
              .arg(arquivo));
    return 0;
  }
  if (Interrompido) {
    Erro(QStringLiteral("Importação cancelada; nada foi gravado.\n"));
    return 130;
  }
  if (!execucao.ErroInesperado.isEmpty())
    Erro(QStringLiteral("Erro: %1\n").arg(execucao.ErroInesperado));
  if (execucao.CodigoErro == QStringLiteral("0396"))
    Erro(QStringLiteral("A mensagem %1 não existe na tabela de mensagens (0396).\n")
             .arg(execucao.MensagemInexistente, 4, 10, QChar(u'0')));
  Erro(QStringLiteral("Arquivo recusado: %1\n").arg(arquivo));
  ListarInconsistencias();
  return 1;
}

TRegistroComando Registro({QStringLiteral("importar-folha"),
                           QStringLiteral("importar-folha ARQUIVO"),
                           QStringLiteral("importa um arquivo de folha de pagamento (VESK.re); "
                                          "lista as inconsistências quando o arquivo é recusado"),
                           true, Executar});
} // namespace
