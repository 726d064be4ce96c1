// vesk-cli exportar-guias SAIDA.pdf [LINHA...]: company guides to a PDF file,
// in the company order of the guide query (all listed guides when no line is
// given), painted by the same code as the printed guides.
#include "cli/unComandos.h"
#include "collection/unConsultaGuias.h"
#include "reports/uRelGuiaTotalizadora.h"

#include <QHash>

namespace {
const char *const Uso = "exportar-guias SAIDA.pdf [LINHA...]";

int Executar(const QStringList &args) {
  if (args.isEmpty() || args.first().startsWith(u'-')) {
    Erro(QStringLiteral("Uso: vesk-cli %1\n").arg(QLatin1String(Uso)));
    return 2;
  }
  const QString saida = args.first();
  const QStringList pedidas = args.mid(1);
  const QString ordem = QStringLiteral("NU_INSCRICAO_GUIA ASC");
  // Totals and worker counts as the query window shows them; every stored
  // guide can be asked for by its line, listed or not.
  TDataSetPtr ds = ConsultarGuiasEmpresa(QString(), QString(), pedidas.isEmpty(), ordem);
  QHash<QString, TDadoEmpresa> dados;
  TListaDadoEmpresa lista;
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TDadoEmpresa d;
    d.CodigoBarras = ds->FieldByName(QStringLiteral("CO_BARRAS")).AsString().trimmed();
    d.TotalRecolher = ds->FieldByName(QStringLiteral("VALOR_TOTAL")).AsFloat();
    d.QuantidadeTrabalhadores = ds->FieldByName(QStringLiteral("QTD_TRABALHADORES")).AsInteger();
    dados.insert(d.CodigoBarras, d);
    if (pedidas.isEmpty())
      lista << d;
  }
  for (const QString &l : pedidas) {
    if (!dados.contains(l.trimmed())) {
      Erro(QStringLiteral("Guia não encontrada: %1\n").arg(l));
      return 1;
    }
    lista << dados.value(l.trimmed());
  }
  if (lista.isEmpty()) {
    Erro(QStringLiteral("Nenhuma guia para exportar.\n"));
    return 1;
  }
  TRelGuiaTotalizadora rel;
  if (!rel.Preparar(lista, ordem)) {
    Erro(QStringLiteral("Não foi possível ler as guias.\n"));
    return 1;
  }
  QString erro;
  if (!ExportarPDF(rel, saida, &erro)) {
    Erro(erro + u'\n');
    return 1;
  }
  Saida(
      QStringLiteral("%1 guia(s) exportada(s) para %2\n").arg(rel.QuantidadePaginas()).arg(saida));
  return 0;
}

TRegistroComando Registro({QStringLiteral("exportar-guias"), QLatin1String(Uso),
                           QStringLiteral("grava em PDF as guias das empresas (todas as listadas "
                                          "quando nenhuma linha digitável é dada)"),
                           true, Executar});
} // namespace
