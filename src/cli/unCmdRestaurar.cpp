// vesk-cli restaurar ARQUIVO [--nao-revalidar]: the restore of the
// "Restaurar Backup" window without windows. The question about another
// version's backup is answered Yes (validate every link) unless the option
// says No; inconsistencies found are counted instead of previewed.
#include "cli/unComandos.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "maintenance/unTBackup.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace {

QString Texto(const QString &numero) {
  return Utilitarios
      .MontarMensagem(QStringLiteral("99") + numero, dtInformacao, QString(), 2, mbOK, {})
      .Texto;
}

int Executar(const QStringList &args) {
  QString arquivo;
  bool revalidar = true;
  for (const QString &a : args) {
    if (a == QStringLiteral("--nao-revalidar")) {
      revalidar = false;
    } else if (a.startsWith(u'-') || !arquivo.isEmpty()) {
      arquivo.clear();
      break;
    } else {
      arquivo = a;
    }
  }
  if (arquivo.isEmpty()) {
    Erro(QStringLiteral("Uso: vesk-cli restaurar ARQUIVO [--nao-revalidar]\n"));
    return 2;
  }
  arquivo = QFileInfo(arquivo).absoluteFilePath();
  TBackup backup;
  backup.AoEtapa = [](const QString &etapa) { Saida(etapa + QStringLiteral("...\n")); };
  QElapsedTimer relogio;
  relogio.start();
  Saida(QStringLiteral("Aguarde validação do Backup!\n"));
  const QString codigo =
      RestaurarBackup(backup, CaminhoPrograma(QStringLiteral("TEMP")), arquivo, [&] {
        Saida(Texto(QStringLiteral("0477")) +
              (revalidar ? QStringLiteral(" Sim\n") : QStringLiteral(" Não\n")));
        return revalidar;
      });
  if (codigo == QStringLiteral("0255") || codigo == QStringLiteral("0478")) {
    if (codigo == QStringLiteral("0478")) {
      TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
          "SELECT COUNT(*) FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 3"));
      Saida(QStringLiteral("Backup restaurado; inconsistências encontradas na validação dos "
                           "vínculos: %1\n")
                .arg(ds->Fields(0).AsInteger()));
    } else {
      Saida(Texto(codigo) + u'\n');
    }
    Saida(QStringLiteral("Tempo: %1 s\n").arg(relogio.elapsed() / 1000.0, 0, 'f', 2));
    return 0;
  }
  if (!backup.Erro.isEmpty())
    Erro(QStringLiteral("Erro: %1\n").arg(backup.Erro));
  Erro(Texto(codigo) + u'\n');
  return 1;
}

TRegistroComando Registro({QStringLiteral("restaurar"),
                           QStringLiteral("restaurar ARQUIVO [--nao-revalidar]"),
                           QStringLiteral("restaura um backup do sistema, substituindo todos os "
                                          "dados; com --nao-revalidar os vínculos de um backup de "
                                          "outra versão são marcados para validação em vez de "
                                          "validados"),
                           true, Executar});
} // namespace
