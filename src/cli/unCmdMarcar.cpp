// "marcar": marks links to take part in the open collection run, after the
// participation checks.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unMovimento.h"

namespace {

const char *const UsoMarcar = "marcar (--chave TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD | "
                              "--empresa TIPO,INSCRICAO | --todos)";

QString AjudaMarcar() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Marca para o movimento aberto um vínculo, os vínculos de uma empresa ou todos os\n"
             "vínculos que não estejam fechados, depois das verificações de participação. Os\n"
             "vínculos recusados são listados com a mensagem e ficam no relatório de\n"
             "inconsistências do fechamento.\n\n"
             "Termina com 0 quando nenhum vínculo foi recusado.\n")
      .arg(QString::fromLatin1(UsoMarcar));
}

int Marcar(const QStringList &argumentos) {
  QStringList args = argumentos;
  if (args.contains(QStringLiteral("--ajuda")) || args.contains(QStringLiteral("-h"))) {
    Saida(AjudaMarcar());
    return 0;
  }
  TEscopoMovimento escopo;
  QString erro;
  if (!LerEscopo(args, escopo, erro) || !args.isEmpty()) {
    Erro(erro + AjudaMarcar());
    return 2;
  }
  TMovimento movimento;
  const TResultadoMarcacao r = movimento.Marcar(escopo);
  if (!r.Codigo.isEmpty()) {
    Erro(QStringLiteral("FE%1 - %2\n").arg(r.Codigo, TextoMensagemNumero(r.Codigo)));
    return 1;
  }
  ListarFalhas(r.Falhas);
  if (escopo.Nivel == TEscopoMovimento::Vinculo && r.NaoModificaveis > 0) {
    Erro(QStringLiteral("O item selecionado não pode ser modificado.\n"));
    return 1;
  }
  Saida(QStringLiteral("%1 vínculo(s) marcado(s), %2 recusado(s).\n")
            .arg(r.Alterados)
            .arg(r.Falhas.size()));
  return r.Falhas.isEmpty() ? 0 : 1;
}

TRegistroComando RegistroMarcar({QStringLiteral("marcar"), QString::fromLatin1(UsoMarcar),
                                 QStringLiteral("marca vínculos para participar do movimento"),
                                 true, Marcar});

} // namespace
