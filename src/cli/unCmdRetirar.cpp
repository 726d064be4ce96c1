// "retirar": withdraws links from closed collection runs, so that they can
// take part in a new run.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unMovimento.h"

namespace {

const char *const UsoRetirar = "retirar (--chave TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD | "
                               "--empresa TIPO,INSCRICAO | --todos)";

QString AjudaRetirar() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Retira a participação de movimento: os valores calculados são apagados, os\n"
             "vínculos fechados ou processados voltam a não participar (com --chave, o\n"
             "vínculo em qualquer situação), os complementos de saldo são recalculados e as\n"
             "alterações cadastrais são excluídas, tudo numa única transação.\n")
      .arg(QString::fromLatin1(UsoRetirar));
}

int Retirar(const QStringList &argumentos) {
  QStringList args = argumentos;
  if (args.contains(QStringLiteral("--ajuda")) || args.contains(QStringLiteral("-h"))) {
    Saida(AjudaRetirar());
    return 0;
  }
  TEscopoMovimento escopo;
  QString erro;
  if (!LerEscopo(args, escopo, erro) || !args.isEmpty()) {
    Erro(erro + AjudaRetirar());
    return 2;
  }
  TMovimento movimento;
  const TResultadoMarcacao r = movimento.Retirar(escopo);
  if (!r.Codigo.isEmpty()) {
    Erro(QStringLiteral("FE%1 - %2\n").arg(r.Codigo, TextoMensagemNumero(r.Codigo)));
    return 1;
  }
  Saida(QStringLiteral("%1 vínculo(s) retirado(s) do movimento.\n").arg(r.Alterados));
  return 0;
}

TRegistroComando RegistroRetirar({QStringLiteral("retirar"), QString::fromLatin1(UsoRetirar),
                                  QStringLiteral("retira a participação de movimento de vínculos "
                                                 "fechados"),
                                  true, Retirar});

} // namespace
