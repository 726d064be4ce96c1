#include "unDialogo.h"

#include <cstdio>

namespace {
int RespostaPadrao(const PedidoDialogo &p) {
  std::fprintf(stderr, "%s: %s\n", qPrintable(p.Titulo), qPrintable(p.Texto));
  // Without a person to answer, take the default button when it is offered,
  // else the first offered one.
  if (p.Botoes & (1 << p.BotaoPadrao))
    return ResultadoDoBotao(p.BotaoPadrao);
  for (int i = 0; i <= 10; ++i)
    if (p.Botoes & (1 << i))
      return ResultadoDoBotao(i);
  return mrOk;
}
RespondedorDialogo &Atual() {
  static RespondedorDialogo r = RespostaPadrao;
  return r;
}
} // namespace

int ResultadoDoBotao(int posicao) {
  static const int res[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                            mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrHelp};
  return (posicao >= 0 && posicao <= 10) ? res[posicao] : mrNone;
}

int MostrarDialogo(const PedidoDialogo &pedido) {
  return Atual()(pedido);
}

RespondedorDialogo DefinirRespondedorDialogo(RespondedorDialogo r) {
  RespondedorDialogo anterior = Atual();
  Atual() = r ? std::move(r) : RespondedorDialogo(RespostaPadrao);
  return anterior;
}

namespace {
EscolhedorArquivo &EscolhedorAtual() {
  static EscolhedorArquivo e;
  return e;
}
} // namespace

QString EscolherArquivo(const PedidoArquivo &pedido) {
  return EscolhedorAtual() ? EscolhedorAtual()(pedido) : QString();
}

EscolhedorArquivo DefinirEscolhedorArquivo(EscolhedorArquivo e) {
  EscolhedorArquivo anterior = EscolhedorAtual();
  EscolhedorAtual() = std::move(e);
  return anterior;
}
