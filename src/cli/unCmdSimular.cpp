// "simular": computes, without storing anything, what closing the open run
// would collect from each company, as the simulation window shows it.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "collection/unMovimento.h"
#include "core/unUtilitarios.h"

namespace {

const char *const UsoSimular = "simular [--json]";

QString AjudaSimular() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Simula o fechamento do movimento aberto: calcula todos os vínculos marcados e\n"
             "mostra o valor a recolher de cada empresa e de cada trabalhador. Vínculos que não\n"
             "passam nas verificações são desmarcados e listados com a mensagem.\n\n"
             "  --json   saída em JSON: DataPagamento, Empresas (com Trabalhadores) e Falhas\n\n"
             "Termina com 0 quando a simulação pôde ser mostrada.\n")
      .arg(QString::fromLatin1(UsoSimular));
}

QString DataIso(TDateTime d) {
  return d > 0 ? DataParaQDate(d).toString(QStringLiteral("yyyy-MM-dd")) : QString();
}
QString DataJson(TDateTime d) {
  return d > 0 ? TextoJson(DataIso(d)) : QStringLiteral("null");
}

QString Json(const TResultadoSimulacao &r) {
  QStringList empresas;
  for (const TEmpresaSimulada &e : r.Empresas) {
    QStringList trabalhadores;
    for (const TTrabalhadorSimulado &t : e.Trabalhadores)
      trabalhadores << QStringLiteral(
                           "      {\"Tipo_Inscricao\": %1, \"Nu_inscricao\": %2, \"Nu_pis\": %3, "
                           "\"Dt_admissao\": %4, \"NomeTrabalhador\": %5, \"Nu_categoria\": %6, "
                           "\"Dt_movimentacao\": %7, \"Remu406\": %8, \"Remu407\": %9, "
                           "\"Remu408\": %10, \"Remu400\": %11, \"Val_Tot_Rec\": %12}")
                           .arg(t.Chave.Tipo)
                           .arg(t.Chave.Inscricao)
                           .arg(t.Chave.PIS)
                           .arg(DataJson(t.Chave.Admissao), TextoJson(t.NomeTrabalhador))
                           .arg(t.Chave.Categoria)
                           .arg(DataJson(t.DtMovimentacao), t.Remu406.Texto(), t.Remu407.Texto(),
                                t.Remu408.Texto(), t.Remu400.Texto(), t.ValTotRec.Texto());
    empresas << QStringLiteral("    {\"Tipo\": %1, \"Inscricao\": %2, \"Nome\": %3, "
                               "\"ValorARecolher\": %4,\n     \"Trabalhadores\": [\n%5\n     ]}")
                    .arg(e.Tipo)
                    .arg(e.Inscricao)
                    .arg(TextoJson(e.Nome), e.ValorARecolher.Texto(),
                         trabalhadores.join(QStringLiteral(",\n")));
  }
  QStringList falhas;
  for (const TFalhaMovimento &f : r.Falhas)
    falhas << QStringLiteral("    {\"Chave\": %1, \"Nome\": %2, \"Codigo\": %3, \"Mensagem\": %4}")
                  .arg(TextoJson(TextoChave(f.Chave)), TextoJson(f.Nome.trimmed()),
                       TextoJson(f.Codigo), TextoJson(TextoMensagemNumero(f.Codigo)));
  return QStringLiteral("{\"DataPagamento\": %1, \"Codigo\": %2,\n \"Empresas\": [\n%3\n ],\n"
                        " \"Falhas\": [\n%4\n ]}\n")
      .arg(DataJson(r.DataPagamento),
           r.Codigo.isEmpty() ? QStringLiteral("null") : TextoJson(r.Codigo),
           empresas.join(QStringLiteral(",\n")), falhas.join(QStringLiteral(",\n")));
}

QString InscricaoTexto(int tipo, qint64 inscricao) {
  const QString n = QString::number(inscricao);
  return tipo == 1 ? Utilitarios.FormatarCNPJ(n.rightJustified(14, u'0'))
                   : n.rightJustified(12, u'0');
}

QString Tabela(const TResultadoSimulacao &r) {
  QString t = QStringLiteral("Data prevista de pagamento: %1\n\n")
                  .arg(Utilitarios.DataParaTexto(r.DataPagamento));
  for (const TEmpresaSimulada &e : r.Empresas) {
    t += QStringLiteral("%1  %2  %3\n")
             .arg(InscricaoTexto(e.Tipo, e.Inscricao).leftJustified(18), e.Nome.leftJustified(40),
                  e.ValorARecolher.Formatado().rightJustified(16));
    for (const TTrabalhadorSimulado &w : e.Trabalhadores)
      t += QStringLiteral("    %1  %2  %3  %4\n")
               .arg(Utilitarios.FormatarPIS(QString::number(w.Chave.PIS).rightJustified(11, u'0')),
                    w.NomeTrabalhador.left(40).leftJustified(40),
                    Utilitarios.DataParaTexto(w.Chave.Admissao),
                    w.ValTotRec.Formatado().rightJustified(14));
  }
  return t;
}

int Simular(const QStringList &argumentos) {
  bool json = false;
  for (const QString &a : argumentos) {
    if (a == QStringLiteral("--json")) {
      json = true;
    } else if (a == QStringLiteral("--ajuda") || a == QStringLiteral("-h")) {
      Saida(AjudaSimular());
      return 0;
    } else {
      Erro(QStringLiteral("Opção desconhecida para simular: %1\n\n").arg(a) + AjudaSimular());
      return 2;
    }
  }
  TMovimento movimento;
  const TResultadoSimulacao r = movimento.Simular(TEscopoMovimento::DeTodos());
  if (json) {
    Saida(Json(r));
  } else {
    ListarFalhas(r.Falhas);
    if (r.Codigo.isEmpty())
      Saida(Tabela(r));
  }
  if (!r.Codigo.isEmpty()) {
    Erro(QStringLiteral("FE%1 - %2\n").arg(r.Codigo, TextoMensagemNumero(r.Codigo)));
    return 1;
  }
  return 0;
}

TRegistroComando RegistroSimular({QStringLiteral("simular"), QString::fromLatin1(UsoSimular),
                                  QStringLiteral("simula o fechamento do movimento aberto"), true,
                                  Simular});

} // namespace
