// vesk-cli exportar-comprovantes SAIDA.pdf LINHA [PIS...]: the worker
// statements of one company guide (all its workers, or those of the PIS
// given) to a PDF file, in PIS order; with --todas, the statements of every
// listed guide, guide after guide in the company order.
#include "cli/unComandos.h"
#include "collection/unConsultaGuias.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/unUtilitarios.h"
#include "registry/unVinculo.h"
#include "reports/URel_Padrao_Recolhimento.h"

#include <QSet>

namespace {
const char *const Uso = "exportar-comprovantes SAIDA.pdf LINHA [PIS...] | SAIDA.pdf --todas";

int Exportar(TREL_Padrao_Recolhimento &rel, const QString &saida) {
  if (rel.QuantidadePaginas() == 0) {
    Erro(QStringLiteral("Nenhum comprovante para exportar.\n"));
    return 1;
  }
  QString erro;
  if (!ExportarPDF(rel, saida, &erro)) {
    Erro(erro + u'\n');
    return 1;
  }
  Saida(QStringLiteral("%1 comprovante(s) exportado(s) para %2\n")
            .arg(rel.QuantidadePaginas())
            .arg(saida));
  return 0;
}

int ExportarTodas(const QString &saida) {
  TDataSetPtr ds =
      ConsultarGuiasEmpresa(QString(), QString(), true, QStringLiteral("NU_INSCRICAO_GUIA ASC"));
  QStringList linhas;
  for (ds->First(); !ds->Eof(); ds->Next())
    linhas << ds->FieldByName(QStringLiteral("CO_BARRAS")).AsString().trimmed();
  TREL_Padrao_Recolhimento rel;
  if (!rel.PrepararGuias(linhas, QStringLiteral("NU_PIS_GUIA ASC"))) {
    Erro(QStringLiteral("Não foi possível ler as guias dos trabalhadores.\n"));
    return 1;
  }
  return Exportar(rel, saida);
}

int Executar(const QStringList &args) {
  if (args.size() < 2 || args.first().startsWith(u'-')) {
    Erro(QStringLiteral("Uso: vesk-cli %1\n").arg(QLatin1String(Uso)));
    return 2;
  }
  const QString saida = args.at(0);
  if (args.at(1) == QStringLiteral("--todas")) {
    if (args.size() > 2) {
      Erro(QStringLiteral("Uso: vesk-cli %1\n").arg(QLatin1String(Uso)));
      return 2;
    }
    return ExportarTodas(saida);
  }
  const QString linha = args.at(1).trimmed();
  QSet<qint64> pis;
  for (const QString &p : args.mid(2)) {
    const QString d = TUtilitarios::Digitos(p);
    if (d.isEmpty() || d.size() > 11) {
      Erro(QStringLiteral("PIS inválido: %1\nUso: vesk-cli %2\n").arg(p, QLatin1String(Uso)));
      return 2;
    }
    pis.insert(d.toLongLong());
  }
  // The keys of the PIS asked for (a worker may have several links in one guide).
  QStringList chaves;
  if (!pis.isEmpty()) {
    TGuiaTrabalhador todos;
    todos.CO_BARRAS = linha;
    if (!todos.CarregarDaGuia({}, QStringLiteral("NU_PIS_GUIA ASC"))) {
      Erro(QStringLiteral("Não foi possível ler as guias dos trabalhadores.\n"));
      return 1;
    }
    QSet<qint64> achados;
    for (todos.Primeiro(); !todos.FimDados(); todos.Proximo()) {
      const TVinculo &v = todos.Vinculo();
      if (pis.contains(v.NU_PIS)) {
        achados.insert(v.NU_PIS);
        chaves << TGuiaTrabalhador::Chave(v.NU_PIS, v.DT_ADMISSAO_VINCULO, v.NU_CATEGORIA);
      }
    }
    for (qint64 p : pis)
      if (!achados.contains(p)) {
        Erro(QStringLiteral("PIS %1 não está na guia %2\n").arg(p).arg(linha));
        return 1;
      }
  }
  TREL_Padrao_Recolhimento rel;
  if (!rel.Preparar(linha, chaves, nullptr, QStringLiteral("NU_PIS_GUIA ASC"))) {
    Erro(QStringLiteral("Guia não encontrada: %1\n").arg(linha));
    return 1;
  }
  return Exportar(rel, saida);
}

TRegistroComando Registro({QStringLiteral("exportar-comprovantes"), QLatin1String(Uso),
                           QStringLiteral("grava em PDF os comprovantes dos trabalhadores de uma "
                                          "guia (todos, ou os dos PIS dados), ou de todas as "
                                          "guias listadas com --todas"),
                           true, Executar});
} // namespace
