#include "ui/uReciboEnvio.h"

#include "core/unUtilitarios.h"
#include "interchange/unReciboEnvio.h"

#include <QFileDialog>
#include <QGuiApplication>

std::function<void(QWidget *, const QString &)> ConsultarGuiasDoRecibo;

bool ImportarReciboEnvio(QWidget *pai, const std::function<QString(QWidget *)> &Escolher) {
  const QString nome =
      (Escolher ? Escolher(pai)
                : QFileDialog::getOpenFileName(pai, QStringLiteral("Selecione o arquivo de Protocolo"),
                                               QStringLiteral("*.xml"),
                                               QStringLiteral("Arquivo de Protocolo (*.xml)")))
          .trimmed();
  if (nome.isEmpty())
    return false;
  TImportacaoRecibo importacao;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = importacao.Importar(nome);
  QGuiApplication::restoreOverrideCursor();
  if (!ok) {
    Utilitarios.ExibirMensagem(QStringLiteral("FE") + importacao.CodigoErro, dtErro, 0, QString(), 2, mbOK);
    return false;
  }
  if (ConsultarGuiasDoRecibo)
    ConsultarGuiasDoRecibo(pai, importacao.Recibo.Identificador);
  return true;
}
