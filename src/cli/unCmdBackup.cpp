// vesk-cli backup ARQUIVO: the backup of the "Fazer Backup" window without
// windows; prints each step and the final message.
#include "cli/unComandos.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "maintenance/unTBackup.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

int Executar(const QStringList &args) {
  if (args.size() != 1 || args.first().startsWith(u'-')) {
    Erro(QStringLiteral("Uso: vesk-cli backup ARQUIVO\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(args.first()).absoluteFilePath();
  TBackup backup;
  backup.AoEtapa = [](const QString &etapa) { Saida(etapa + QStringLiteral("...\n")); };
  QElapsedTimer relogio;
  relogio.start();
  Saida(QStringLiteral("Aguarde geração do Backup!\n"));
  QString erro;
  const QString codigo =
      FazerBackup(backup, CaminhoPrograma(QStringLiteral("TEMP")), arquivo, &erro);
  if (codigo.isEmpty()) {
    Erro(QStringLiteral("Banco de dados não conectado.\n"));
    return 1;
  }
  const QString texto =
      Utilitarios
          .MontarMensagem(QStringLiteral("99") + codigo, dtInformacao, QString(), 2, mbOK, {})
          .Texto;
  if (codigo != QStringLiteral("0252")) {
    if (!erro.isEmpty())
      Erro(QStringLiteral("Erro: %1\n").arg(erro));
    Erro(texto + u'\n');
    return 1;
  }
  Saida(texto + QStringLiteral("\nArquivo: %1 (%2 s)\n")
                    .arg(arquivo)
                    .arg(relogio.elapsed() / 1000.0, 0, 'f', 2));
  return 0;
}

TRegistroComando Registro({QStringLiteral("backup"), QStringLiteral("backup ARQUIVO"),
                           QStringLiteral("grava o backup do sistema (tabelas e versão) no arquivo "
                                          "zip protegido por senha"),
                           true, Executar});
} // namespace
