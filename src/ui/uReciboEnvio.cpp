#include "ui/uReciboEnvio.h"

#include "core/unDialogo.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "interchange/unReciboEnvio.h"
#include "ui/uConsultaGuiasTotal.h"

#include <QGuiApplication>

void ConsultarGuiasDoRecibo(QWidget *pai, const QString &identificador) {
  const QString modo = QStringLiteral("Informativas");
  TfrmConsultaGuiasTotal consulta(modo, pai);
  if (consulta.CarregarGuias(modo, identificador, true) > 0)
    TfrmConsultaGuiasTotal::Mostrar(consulta);
  else
    Utilitarios.Mensagem(QStringLiteral("FE0087"), dtInformacao);
}

bool ImportarReciboEnvio(QWidget *pai) {
  PedidoArquivo recibo;
  recibo.Titulo = QStringLiteral("Selecione o arquivo de Protocolo");
  recibo.Filtro = QStringLiteral("Arquivo de Protocolo (*.xml)");
  const QString nome = EscolherArquivo(recibo).trimmed();
  if (nome.isEmpty())
    return false;
  TImportacaoRecibo importacao;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = importacao.Importar(nome);
  QGuiApplication::restoreOverrideCursor();
  if (!ok && importacao.GuiasRecuperaveis) {
    // The file's guides are gone from the database (an older backup was
    // restored); the sent envelope still carries them.
    if (Utilitarios.ExibirMensagem(QStringLiteral("CT0730"), dtConfirmacao, 0, QString(), 1,
                                   mbYes | mbNo, {importacao.Recibo.Identificador}) != mrYes)
      importacao.CodigoErro = QStringLiteral("0486");
    else {
      QString envelope = importacao.EnvelopeProposto();
      if (envelope.isEmpty()) {
        PedidoArquivo enviado;
        enviado.Titulo = QStringLiteral("Selecione o arquivo enviado");
        enviado.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Guia Rescisoria"));
        enviado.Filtro = QStringLiteral("Arquivo de Guias Rescisórias na Vorda (*.HXF)");
        envelope = EscolherArquivo(enviado).trimmed();
      }
      if (envelope.isEmpty())
        return false;
      QGuiApplication::setOverrideCursor(Qt::WaitCursor);
      ok = importacao.RecuperarGuias(envelope) && importacao.Importar(nome);
      QGuiApplication::restoreOverrideCursor();
    }
  }
  if (!ok) {
    Utilitarios.ExibirMensagem(QStringLiteral("FE") + importacao.CodigoErro, dtErro, 0, QString(),
                               2, mbOK);
    return false;
  }
  ConsultarGuiasDoRecibo(pai, importacao.Recibo.Identificador);
  return true;
}
