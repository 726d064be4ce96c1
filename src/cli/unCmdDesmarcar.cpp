// "desmarcar": takes marked links out of the open collection run.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unMovimento.h"

namespace {

const char *const UsoDesmarcar = "desmarcar (--chave TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD | "
                                 "--empresa TIPO,INSCRICAO | --todos)";

QString AjudaDesmarcar() {
  return QStringLiteral("Uso: vesk-cli [--pasta PASTA] %1\n\n"
                        "Desmarca um vínculo, os vínculos de uma empresa ou todos os vínculos\n"
                        "marcados para o movimento. Vínculos fechados não são alterados (use\n"
                        "retirar).\n")
      .arg(QString::fromLatin1(UsoDesmarcar));
}

int Desmarcar(const QStringList &argumentos) {
  QStringList args = argumentos;
  if (args.contains(QStringLiteral("--ajuda")) || args.contains(QStringLiteral("-h"))) {
    Saida(AjudaDesmarcar());
    return 0;
  }
  TEscopoMovimento escopo;
  QString erro;
  if (!LerEscopo(args, escopo, erro) || !args.isEmpty()) {
    Erro(erro + AjudaDesmarcar());
    return 2;
  }
  TMovimento movimento;
  const TResultadoMarcacao r = movimento.Desmarcar(escopo);
  if (!r.Codigo.isEmpty()) {
    Erro(QStringLiteral("FE%1 - %2\n").arg(r.Codigo, TextoMensagemNumero(r.Codigo)));
    return 1;
  }
  if (escopo.Nivel == TEscopoMovimento::Vinculo && r.NaoModificaveis > 0) {
    Erro(QStringLiteral("O item selecionado não pode ser modificado.\n"));
    return 1;
  }
  Saida(QStringLiteral("%1 vínculo(s) desmarcado(s).\n").arg(r.Alterados));
  return 0;
}

TRegistroComando RegistroDesmarcar({QStringLiteral("desmarcar"), QString::fromLatin1(UsoDesmarcar),
                                    QStringLiteral("retira vínculos marcados do movimento"), true,
                                    Desmarcar});

} // namespace
