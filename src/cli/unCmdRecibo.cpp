// vesk-cli recibo ARQUIVO.xml [--recuperar-guias [--envelope ARQ.HXF]]: imports
// the bank's sending receipt (signature, protocol number and date) and lists
// the sent file's company guides; when they are missing from the database,
// --recuperar-guias loads them from the sent envelope first.
// vesk-cli protocolos [--tipo N]... [--json]: the files sent to the bank.
#include "cli/unComandos.h"
#include "core/unUtilitarios.h"
#include "interchange/unProtocolo.h"
#include "interchange/unReciboEnvio.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString TextoMensagem(const QString &codigo) {
  return Utilitarios.MontarMensagem(QStringLiteral("FE") + codigo, 1, QString(), 2, mbOK, {}).Texto;
}

QString Inscricao(int tipo, qint64 inscricao) {
  const QString d = Utilitarios.CompletarZeros(QString::number(inscricao), tipo == 1 ? 14 : 12);
  return tipo == 1 ? Utilitarios.FormatarCNPJ(d) : d;
}

int Recibo(QStringList args) {
  QString arquivo, envelope;
  bool recuperar = false, uso = false;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QStringLiteral("--recuperar-guias"))
      recuperar = true;
    else if (a == QStringLiteral("--envelope") && !args.isEmpty())
      envelope = args.takeFirst();
    else if (a.startsWith(u'-') || !arquivo.isEmpty())
      uso = true;
    else
      arquivo = a;
  }
  if (uso || arquivo.isEmpty() || (!envelope.isEmpty() && !recuperar)) {
    Erro(QStringLiteral("Uso: vesk-cli [--pasta PASTA] recibo ARQUIVO.xml [--recuperar-guias "
                        "[--envelope ARQ.HXF]]\n"));
    return 2;
  }
  TImportacaoRecibo importacao;
  bool ok = importacao.Importar(arquivo);
  if (!ok && importacao.GuiasRecuperaveis) {
    if (!recuperar) {
      Erro(
          QStringLiteral("As guias deste arquivo não estão no banco de dados; --recuperar-guias as "
                         "carrega do arquivo enviado.\n"));
    } else {
      if (envelope.isEmpty())
        envelope = importacao.EnvelopeProposto();
      if (envelope.isEmpty()) {
        Erro(QStringLiteral("Arquivo enviado não encontrado: indique-o com --envelope.\n"));
        return 1;
      }
      ok = importacao.RecuperarGuias(envelope) && importacao.Importar(arquivo);
    }
  }
  if (!ok) {
    Erro(QStringLiteral("FE%1: %2\n")
             .arg(importacao.CodigoErro, TextoMensagem(importacao.CodigoErro)));
    return 1;
  }
  const TReciboEnvio &r = importacao.Recibo;
  QString texto = QStringLiteral("Arquivo: %1\nProtocolo: %2\nData do protocolo: %3\n\nGuias:\n")
                      .arg(r.Identificador, r.Protocolo, Utilitarios.DataParaTexto(r.Data));
  TDataSetPtr guias = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, NO_RAZAO_SOCIAL, "
                     "DT_RECOLHIMENTO, VR_TOTAL_RECOLHIDO, CO_BARRAS FROM "
                     "QZLTBG08_GUIA_TOTALIZADORA WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
      Utilitarios.TextoSQL(r.Identificador) +
      QStringLiteral(" ORDER BY NO_RAZAO_SOCIAL, CO_BARRAS"));
  for (guias->First(); !guias->Eof(); guias->Next()) {
    auto c = [&](const char *n) { return guias->FieldByName(QString::fromLatin1(n)); };
    texto += QStringLiteral("  %1  %2  pagamento %3  total %4\n    %5\n")
                 .arg(Inscricao(c("NU_TIPO_INSCRICAO_GUIA").AsInteger(),
                                c("NU_INSCRICAO_GUIA").AsInt64()),
                      c("NO_RAZAO_SOCIAL").AsString().trimmed(),
                      Utilitarios.DataParaTexto(c("DT_RECOLHIMENTO").AsDateTime()),
                      Utilitarios.FormatarValor(c("VR_TOTAL_RECOLHIDO").AsFloat()),
                      c("CO_BARRAS").AsString().trimmed());
  }
  Saida(texto);
  return 0;
}

int Protocolos(QStringList args) {
  QList<int> tipos;
  bool json = false;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QStringLiteral("--json")) {
      json = true;
    } else if (a == QStringLiteral("--tipo") && !args.isEmpty()) {
      bool ok = false;
      const int t = args.takeFirst().toInt(&ok);
      if (!ok || t <= 0) {
        Erro(QStringLiteral("Tipo de arquivo inválido.\n"));
        return 2;
      }
      tipos << t;
    } else {
      Erro(QStringLiteral(
          "Uso: vesk-cli [--pasta PASTA] protocolos [--tipo N]... [--json]\n"
          "  tipos: 3 guia rescisória, 6 solicitação de reenvio, 7 solicitação de saldo\n"));
      return 2;
    }
  }
  if (tipos.isEmpty())
    tipos = {ArquivoGuiaRescisoria, ArquivoReenvio, ArquivoSolicitacaoSaldo};
  TProtocolo p;
  if (!p.CarregarPorTipos(tipos)) {
    Erro(QStringLiteral("Não foi possível ler os arquivos enviados.\n"));
    return 1;
  }
  QJsonArray lista;
  QString texto;
  for (int i = 0; i < p.QuantidadeRegistros(); ++i, p.Proximo()) {
    auto data = [](TDateTime d, bool hora) {
      return DataDefinida(d)
                 ? Utilitarios.DataFormatada(hora ? QStringLiteral("dd/mm/yyyy hh:nn:ss")
                                                  : QStringLiteral("dd/mm/yyyy"),
                                             true, d)
                 : QString();
    };
    if (json) {
      lista.append(
          QJsonObject{{QStringLiteral("identificador"), p.NU_IDENTIFICADOR_ARQUIVO},
                      {QStringLiteral("tipo"), p.NU_ARQUIVO},
                      {QStringLiteral("descricao"), p.DE_ARQUIVO},
                      {QStringLiteral("arquivo"), p.NM_ARQUIVO},
                      {QStringLiteral("geracao"), data(p.DT_GERACAO_ARQUIVO, true)},
                      {QStringLiteral("protocolo"), p.CO_PROTOCOLO},
                      {QStringLiteral("data_protocolo"), data(p.DT_ENVIO_PROTOCOLO, false)},
                      {QStringLiteral("valido"), p.IC_ARQUIVO_VALIDO},
                      {QStringLiteral("atendido"), p.IC_ARQUIVO_ATENDIDO}});
    } else {
      texto += QStringLiteral("%1  %2  gerado %3  protocolo %4 %5  válido %6\n    %7\n")
                   .arg(p.NU_IDENTIFICADOR_ARQUIVO, p.DE_ARQUIVO, data(p.DT_GERACAO_ARQUIVO, true),
                        p.CO_PROTOCOLO.isEmpty() ? QStringLiteral("-") : p.CO_PROTOCOLO,
                        data(p.DT_ENVIO_PROTOCOLO, false),
                        p.IC_ARQUIVO_VALIDO.isEmpty() ? QStringLiteral("-") : p.IC_ARQUIVO_VALIDO,
                        p.NM_ARQUIVO);
    }
  }
  if (json)
    Saida(QString::fromUtf8(QJsonDocument(lista).toJson(QJsonDocument::Indented)));
  else
    Saida(texto.isEmpty() ? QStringLiteral("Nenhum arquivo enviado.\n") : texto);
  return 0;
}

TRegistroComando RegistroRecibo({QStringLiteral("recibo"), QStringLiteral("recibo ARQUIVO.xml"),
                                 QStringLiteral("importa o recibo de envio do banco e mostra as "
                                                "guias do arquivo"),
                                 true, Recibo});
TRegistroComando RegistroProtocolos(
    {QStringLiteral("protocolos"), QStringLiteral("protocolos [--tipo N]... [--json]"),
     QStringLiteral("lista os arquivos gerados para envio ao banco"), true, Protocolos});

} // namespace
