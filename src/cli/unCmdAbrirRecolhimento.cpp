// "abrir-recolhimento": opens the collection run (or moves it) to a payment
// date of the loaded index tables.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unMovimento.h"
#include "core/unUtilitarios.h"

namespace {

const char *const UsoAbrir = "abrir-recolhimento DATA";

QString AjudaAbrir() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Abre o movimento de recolhimento com a data de recolhimento DATA\n"
             "(DD/MM/AAAA ou AAAA-MM-DD), que deve ser uma data de pagamento das\n"
             "tabelas de índices carregadas. Com um movimento aberto, muda a sua data.\n\n"
             "Termina com 0 quando o movimento foi aberto, 1 quando a data foi recusada.\n")
      .arg(QString::fromLatin1(UsoAbrir));
}

int Abrir(const QStringList &argumentos) {
  if (argumentos.size() == 1 &&
      (argumentos[0] == QStringLiteral("--ajuda") || argumentos[0] == QStringLiteral("-h"))) {
    Saida(AjudaAbrir());
    return 0;
  }
  if (argumentos.size() != 1) {
    Erro(AjudaAbrir());
    return 2;
  }
  const TResultadoAbertura r = TMovimento::Abrir(LerDataLinhaComando(argumentos[0]));
  if (r.Aberto) {
    Saida(QStringLiteral("Movimento aberto: data de recolhimento %1.\n")
              .arg(Utilitarios.DataParaTexto(DataPagamento)));
    return 0;
  }
  if (r.Codigo.isEmpty()) {
    // A business day of the index window without a payment-date row.
    Erro(QStringLiteral("Data recusada: não é uma data de pagamento das tabelas de índices (%1).\n")
             .arg(Utilitarios.PeriodoProrata(true)));
    return 1;
  }
  QString texto = TextoMensagemNumero(r.Codigo);
  if (!r.Argumento.isEmpty())
    texto += QStringLiteral(" (%1)").arg(r.Argumento);
  Erro(QStringLiteral("FE%1 - %2\n").arg(r.Codigo, texto));
  return 1;
}

TRegistroComando RegistroAbrir({QStringLiteral("abrir-recolhimento"), QString::fromLatin1(UsoAbrir),
                                QStringLiteral("abre o movimento de recolhimento com uma data de "
                                               "recolhimento"),
                                true, Abrir});

} // namespace
