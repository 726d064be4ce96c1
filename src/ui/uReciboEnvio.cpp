#include "ui/uReciboEnvio.h"

#include "core/unUtilitarios.h"
#include "interchange/unReciboEnvio.h"
#include "ui/uConsultaGuiasTotal.h"

#include <QFileDialog>
#include <QGuiApplication>

void ConsultarGuiasDoRecibo(QWidget *pai, const QString &identificador) {
  const QString modo = QStringLiteral("Informativas");
  TfrmConsultaGuiasTotal consulta(modo, pai);
  if (consulta.CarregarGuias(modo, identificador, true) > 0)
    TfrmConsultaGuiasTotal::Mostrar(consulta);
  else
    Utilitarios.Mensagem(QStringLiteral("FE0087"), dtInformacao);
}

bool ImportarReciboEnvio(QWidget *pai, const std::function<QString(QWidget *)> &Escolher) {
  const QString nome =
      (Escolher ? Escolher(pai)
                : QFileDialog::getOpenFileName(
                      pai, QStringLiteral("Selecione o arquivo de Protocolo"),
                      QStringLiteral("*.xml"), QStringLiteral("Arquivo de Protocolo (*.xml)")))
          .trimmed();
  if (nome.isEmpty())
    return false;
  TImportacaoRecibo importacao;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = importacao.Importar(nome);
  QGuiApplication::restoreOverrideCursor();
  if (!ok) {
    Utilitarios.ExibirMensagem(QStringLiteral("FE") + importacao.CodigoErro, dtErro, 0, QString(),
                               2, mbOK);
    return false;
  }
  ConsultarGuiasDoRecibo(pai, importacao.Recibo.Identificador);
  return true;
}
