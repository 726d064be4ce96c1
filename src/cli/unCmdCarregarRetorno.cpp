// vesk-cli carregar-retorno ARQUIVO: the bank's processed-guide return
// loaded without windows, with the text progress bar, the stored guides and
// processed links on success, the inconsistencies when the file is refused,
// and Ctrl+C as the cancel button.
#include "cli/unComandos.h"
#include "cli/unProgressoTexto.h"
#include "core/UnInconsistencia.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "interchange/unTArqRetornoGuia.h"

#include <QFileInfo>
#include <memory>

namespace {
int Executar(const QStringList &args) {
  if (args.size() != 1) {
    Erro(QStringLiteral("Uso: vesk-cli carregar-retorno ARQUIVO\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(args.first()).absoluteFilePath();
  TExecucaoArquivo execucao;
  execucao.Operacao = opRetornoGuia;
  execucao.NomeArquivo = arquivo;
  bool interrompido = false;
  const double segundos = ExecutarComProgresso(execucao, &interrompido);
  auto *retorno = dynamic_cast<TArqRetornoGuia *>(execucao.Objeto.get());

  if (execucao.Sucesso && retorno) {
    Saida(QStringLiteral("Retorno carregado em %1 s: %2\n").arg(segundos, 0, 'f', 2).arg(arquivo));
    Saida(QStringLiteral("Guias gravadas: %1 guia(s) de empresa, %2 guia(s) de trabalhador.\n")
              .arg(retorno->GuiasEmpresaGravadas)
              .arg(retorno->GuiasTrabalhadorGravadas));
    Saida(QStringLiteral("Vínculos processados: %1\n").arg(retorno->VinculosProcessados.size()));
    for (const TChaveVinculo &c : retorno->VinculosProcessados)
      Saida(QStringLiteral("  %1 %2  PIS %3  categoria %4  admissão %5\n")
                .arg(c.Tipo == 1 ? QStringLiteral("CNPJ") : QStringLiteral("CEI"))
                .arg(c.Inscricao, c.Tipo == 1 ? 14 : 12, 10, QChar(u'0'))
                .arg(c.PIS, 11, 10, QChar(u'0'))
                .arg(c.Categoria, 2, 10, QChar(u'0'))
                .arg(TUtilitarios::DataParaTexto(c.Admissao)));
    return 0;
  }
  if (interrompido)
    return EncerrarInterrompido("Carga cancelada; nada foi gravado.");
  DizerErroExecucao(execucao);
  if (retorno && retorno->ReenvioRejeitado)
    Erro(QStringLiteral(
             "O arquivo é um aviso de reenvio rejeitado; guias recusadas pelo banco: %1\n")
             .arg(arquivo));
  else
    Erro(QStringLiteral("Arquivo recusado: %1\n").arg(arquivo));
  ListarInconsistencias(tiGuiaProcessada);
  return 1;
}

TRegistroComando
    Registro({QStringLiteral("carregar-retorno"), QStringLiteral("carregar-retorno ARQUIVO"),
              QStringLiteral("carrega o retorno de guias processadas do banco; lista as "
                             "guias gravadas e os vínculos processados, ou as "
                             "inconsistências quando o arquivo é recusado"),
              true, Executar});
} // namespace
