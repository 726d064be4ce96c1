// vesk-cli guias [--modo processadas|informativas|todas] [--json]: the company
// guides as the guide query window lists them.
#include "cli/unComandos.h"
#include "collection/unConsultaGuias.h"
#include "core/unUtilitarios.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const char *const Uso = "guias [--modo processadas|informativas|todas] [--json]";

int Executar(const QStringList &args) {
  QString modo;
  bool json = false;
  for (int i = 0; i < args.size(); ++i) {
    const QString &a = args.at(i);
    if (a == QStringLiteral("--json"))
      json = true;
    else if (a == QStringLiteral("--modo") && i + 1 < args.size()) {
      const QString m = args.at(++i).toLower();
      if (m == QStringLiteral("processadas"))
        modo = ModoProcessadas;
      else if (m == QStringLiteral("informativas"))
        modo = ModoInformativas;
      else if (m != QStringLiteral("todas")) {
        Erro(
            QStringLiteral("Modo desconhecido: %1\nUso: vesk-cli %2\n").arg(m, QLatin1String(Uso)));
        return 2;
      }
    } else {
      Erro(QStringLiteral("Argumento inválido: %1\nUso: vesk-cli %2\n").arg(a, QLatin1String(Uso)));
      return 2;
    }
  }
  TDataSetPtr ds =
      ConsultarGuiasEmpresa(modo, QString(), true, QStringLiteral("NU_INSCRICAO_GUIA ASC"));
  QJsonArray lista;
  QString tabela;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QString linha = ds->FieldByName(QStringLiteral("CO_BARRAS")).AsString().trimmed();
    const int tipo = ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_GUIA")).AsInteger();
    const qint64 insc = ds->FieldByName(QStringLiteral("NU_INSCRICAO_GUIA")).AsInt64();
    const QString inscricao =
        tipo == 1 ? TUtilitarios::FormatarCNPJ(QString::number(insc).rightJustified(14, u'0'))
                  : QString::number(insc);
    const QString nome = ds->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString().trimmed();
    const QDate venc = ds->FieldByName(QStringLiteral("DT_RECOLHIMENTO")).AsDate();
    const double total = ds->FieldByName(QStringLiteral("VALOR_TOTAL")).AsFloat();
    const int qtd = ds->FieldByName(QStringLiteral("QTD_TRABALHADORES")).AsInteger();
    const bool quitada = !ds->FieldByName(QStringLiteral("DT_QUITACAO")).IsNull();
    if (json) {
      QJsonObject o;
      o[QStringLiteral("linha")] = linha;
      o[QStringLiteral("tipo_inscricao")] = tipo;
      o[QStringLiteral("inscricao")] = inscricao;
      o[QStringLiteral("razao_social")] = nome;
      o[QStringLiteral("vencimento")] =
          venc.isValid() ? QJsonValue(venc.toString(Qt::ISODate)) : QJsonValue();
      o[QStringLiteral("total")] = QString::number(total, 'f', 2);
      o[QStringLiteral("trabalhadores")] = qtd;
      o[QStringLiteral("quitada")] = quitada;
      lista.append(o);
    } else {
      tabela +=
          QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
              .arg(linha, inscricao.leftJustified(18), nome.left(40).leftJustified(40),
                   venc.isValid() ? venc.toString(QStringLiteral("dd/MM/yyyy")) : QString(10, u' '),
                   TUtilitarios::FormatarValor(total).rightJustified(16))
              .arg(qtd, 6)
              .arg(quitada ? QStringLiteral("S") : QStringLiteral("N"));
    }
  }
  if (json)
    Saida(QString::fromUtf8(QJsonDocument(lista).toJson(QJsonDocument::Indented)));
  else
    Saida(QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
              .arg(QStringLiteral("Linha digitável").leftJustified(48),
                   QStringLiteral("Inscrição").leftJustified(18),
                   QStringLiteral("Razão social").leftJustified(40), QStringLiteral("Vencimento"),
                   QStringLiteral("Total").rightJustified(16), QStringLiteral("Trab."),
                   QStringLiteral("Q")) +
          tabela + QStringLiteral("%1 guia(s)\n").arg(ds->RecordCount()));
  return 0;
}

TRegistroComando Registro({QStringLiteral("guias"), QLatin1String(Uso),
                           QStringLiteral("lista as guias das empresas como a consulta de guias "
                                          "(linha, inscrição, razão social, vencimento, total, "
                                          "trabalhadores, quitada)"),
                           true, Executar});
} // namespace
