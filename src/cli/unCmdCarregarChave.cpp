// vesk-cli carregar-chave ARQUIVO: the bank's identification-key occurrence
// file loaded without windows, with the text progress bar; the loads stored
// on success, the inconsistencies when the file is refused, and Ctrl+C as the
// cancel button.
#include "cli/unComandos.h"
#include "cli/unProgressoTexto.h"
#include "core/UnInconsistencia.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "registry/unArqOcorrenciaChaveIdentificacao.h"

#include <QFileInfo>
#include <memory>

namespace {
int Executar(const QStringList &args) {
  if (args.size() != 1 || args.first().startsWith(u'-')) {
    Erro(QStringLiteral("Uso: vesk-cli carregar-chave ARQUIVO\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(args.first()).absoluteFilePath();
  TExecucaoArquivo execucao;
  execucao.Operacao = opOcorrenciaChave;
  execucao.NomeArquivo = arquivo;
  bool interrompido = false;
  const double segundos = ExecutarComProgresso(execucao, &interrompido);
  auto *chave = dynamic_cast<TArqChaveIdentificacao *>(execucao.Objeto.get());

  if (execucao.Sucesso && chave) {
    Saida(QStringLiteral("Arquivo de ocorrência carregado em %1 s: %2\n")
              .arg(segundos, 0, 'f', 2)
              .arg(arquivo));
    for (const QString &id : chave->CargasGravadas) {
      TResponsavelHmlgo carga;
      carga.CarregarTodos();
      if (!carga.LocalizarArquivo(id))
        continue;
      TEmpresaHmlgo *empresas = carga.Empresas();
      int trabalhadores = 0;
      for (empresas->Primeiro(); empresas->QuantidadeRegistros() > 0 && !empresas->FimDados();
           empresas->Proximo())
        trabalhadores += empresas->Trabalhadores()->QuantidadeRegistros();
      Saida(QStringLiteral("Carga %1: %2 - %3; %4 empresa(s), %5 trabalhador(es)\n")
                .arg(id)
                .arg(TResponsavelHmlgo::DescricaoEstado(carga.IC_ESTADO_HMLGO))
                .arg(carga.NO_RAZAO_SOCIAL)
                .arg(empresas->QuantidadeRegistros())
                .arg(trabalhadores));
    }
    return 0;
  }
  if (interrompido)
    return EncerrarInterrompido("Carga cancelada; nada foi gravado.");
  DizerErroExecucao(execucao);
  Erro(QStringLiteral("Arquivo recusado: %1\n").arg(arquivo));
  ListarInconsistencias(tiOcorrencia);
  return 1;
}

TRegistroComando
    Registro({QStringLiteral("carregar-chave"), QStringLiteral("carregar-chave ARQUIVO"),
              QStringLiteral("carrega o arquivo de ocorrência chave identificação do banco; "
                             "lista as cargas gravadas, ou as inconsistências quando o "
                             "arquivo é recusado"),
              true, Executar});
} // namespace
