// vesk-cli importar-folha ARQUIVO: the payroll import without windows, with a
// text progress bar, the list of inconsistencies when the file is refused,
// and Ctrl+C as the cancel button.
#include "cli/unComandos.h"
#include "cli/unProgressoTexto.h"
#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/UnInconsistencia.h"
#include "interchange/UThread.h"
#include "interchange/UnArqFolha.h"

#include <QFileInfo>
#include <memory>

namespace {
int Executar(const QStringList &args) {
  // --solicitar-saldo ARQ.HXF answers "generate the balance request now?"
  // with Yes.
  QStringList resto = args;
  QString solicitacao;
  const int op = resto.indexOf(QStringLiteral("--solicitar-saldo"));
  if (op >= 0) {
    if (op + 1 >= resto.size()) {
      Erro(QStringLiteral("Uso: vesk-cli importar-folha ARQUIVO [--solicitar-saldo ARQ.HXF]\n"));
      return 2;
    }
    solicitacao = QFileInfo(resto.at(op + 1)).absoluteFilePath();
    resto.remove(op, 2);
  }
  if (resto.size() != 1) {
    Erro(QStringLiteral("Uso: vesk-cli importar-folha ARQUIVO [--solicitar-saldo ARQ.HXF]\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(resto.first()).absoluteFilePath();
  TExecucaoArquivo execucao;
  execucao.Operacao = opImportarFolha;
  execucao.NomeArquivo = arquivo;
  bool interrompido = false;
  const double segundos = ExecutarComProgresso(execucao, &interrompido);

  if (execucao.Sucesso) {
    Saida(QStringLiteral("Arquivo importado em %1 s: %2\n").arg(segundos, 0, 'f', 2).arg(arquivo));
    auto *folha = dynamic_cast<TArqFolha *>(execucao.Objeto.get());
    if (!solicitacao.isEmpty() && folha) {
      TSolicitacaoSaldoRecisorio s;
      if (!s.GerarSolicitacao(folha->Indice, solicitacao)) {
        Erro(QStringLiteral("Não foi possível gerar a solicitação de saldo (%1).\n")
                 .arg(s.CodigoErro));
        return 1;
      }
      Saida(QStringLiteral("Solicitação de saldo %1: %2\n").arg(s.Identificador, solicitacao));
    }
    return 0;
  }
  if (interrompido)
    return EncerrarInterrompido("Importação cancelada; nada foi gravado.");
  DizerErroExecucao(execucao);
  Erro(QStringLiteral("Arquivo recusado: %1\n").arg(arquivo));
  ListarInconsistencias(tiFolha);
  return 1;
}

TRegistroComando Registro({QStringLiteral("importar-folha"),
                           QStringLiteral("importar-folha ARQUIVO [--solicitar-saldo ARQ.HXF]"),
                           QStringLiteral("importa um arquivo de folha de pagamento (VESK.re); "
                                          "lista as inconsistências quando o arquivo é recusado; "
                                          "--solicitar-saldo gera a solicitação de saldo dos "
                                          "vínculos importados"),
                           true, Executar});
} // namespace
