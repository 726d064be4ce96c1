// vesk-cli importar-indices ARQUIVO: the import of the bank's index tables
// without windows; prints the outcome as the window shows it ("TI" and the
// message number) with the message text.
#include "cli/unComandos.h"
#include "core/unUtilitarios.h"
#include "interchange/unImportacaoIndice.h"

#include <QFileInfo>

namespace {

QString Ajuda() {
  return QStringLiteral(
      "Uso: vesk-cli [--pasta PASTA] importar-indices ARQUIVO\n\n"
      "Substitui as tabelas de índices (dias úteis, índices da guia rescisória,\n"
      "índices simplificados e índices pro rata) pelo conteúdo do arquivo publicado\n"
      "pela VORDA, e recalcula os complementos de saldo dos vínculos em aberto.\n"
      "O arquivo deve chamar-se IndicesVESK.zip ou IND_VESK.ZIP (em qualquer caixa).\n"
      "Um arquivo recusado não altera nada.\n\n"
      "Termina com 0 quando importou, 1 quando o arquivo foi recusado e 2 em erro de uso.\n");
}

void Informar(const QString &codigo, bool erro) {
  const QString texto = TUtilitarios::MontarMensagem(QStringLiteral("TI") + codigo, dtInformacao,
                                                     QString(), 2, mbOK, {})
                            .Texto +
                        u'\n';
  erro ? Erro(texto) : Saida(texto);
}

int Executar(const QStringList &args) {
  if (args.size() == 1 &&
      (args[0] == QStringLiteral("--ajuda") || args[0] == QStringLiteral("-h"))) {
    Saida(Ajuda());
    return 0;
  }
  if (args.size() != 1 || args[0].startsWith(u'-')) {
    Erro(QStringLiteral("Uso: vesk-cli importar-indices ARQUIVO\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(args.first()).absoluteFilePath();
  if (!TImportacaoIndice::NomeArquivoValido(arquivo)) {
    Erro(QStringLiteral("O arquivo de índices deve chamar-se IndicesVESK.zip ou IND_VESK.ZIP: "
                        "%1\n")
             .arg(arquivo));
    return 1;
  }
  if (!QFileInfo(arquivo).isFile()) {
    Erro(QStringLiteral("Arquivo não encontrado: %1\n").arg(arquivo));
    return 1;
  }
  TImportacaoIndice importacao;
  if (importacao.Importar(arquivo)) {
    Informar(QStringLiteral("0074"), false);
    return 0;
  }
  Informar(importacao.CodigoErro, true);
  if (!importacao.Detalhe.isEmpty())
    Erro(QStringLiteral("Motivo: %1\n").arg(importacao.Detalhe));
  return 1;
}

TRegistroComando Registro({QStringLiteral("importar-indices"),
                           QStringLiteral("importar-indices ARQUIVO"),
                           QStringLiteral("substitui as tabelas de índices pelas do arquivo "
                                          "IndicesVESK.zip publicado pela VORDA"),
                           true, Executar});
} // namespace
