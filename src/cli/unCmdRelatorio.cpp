// vesk-cli relatorio NOME (--pdf ARQUIVO | --csv ARQUIVO): a report of the
// menus written without a display: the PDF has the preview's pages, the CSV
// one line per detail entry with the report's columns.
#include "cli/unComandos.h"
#include "reports/uRelatorios.h"

#include <QHash>

namespace {
const char *const Uso =
    "relatorio NOME (--pdf ARQUIVO | --csv ARQUIVO) [--ordem pis|nome|admissao|categoria] "
    "[--empresas INSCRICAO,...] [--por-nome] [--tipo 1|2|3|4|5] [--carga ID]";

QString Ajuda() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Grava um relatório em PDF (as mesmas páginas da visualização) ou em CSV (UTF-8,\n"
             "separador \";\", uma linha por linha de detalhe).\n\n"
             "Relatórios: %2\n"
             "  --ordem CHAVE        trabalhadores: ordem dentro de cada empresa (pis)\n"
             "  --empresas LISTA     trabalhadores: só as empresas destas inscrições\n"
             "  --por-nome           trabalhadores: empresas pela razão social (senão pela "
             "inscrição)\n"
             "  --tipo N             inconsistencias: 1 folha, 2 saldo, 3 fechamento, 4 ocorrência "
             "chave identificação, 5 guias processadas\n"
             "  --carga ID           ocorrencia-chave: a carga do arquivo de ocorrência\n\n"
             "Termina com 0 quando o arquivo foi gravado, 1 quando não há o que imprimir ou o\n"
             "arquivo não pôde ser gravado, 2 com argumentos inválidos.\n")
      .arg(QLatin1String(Uso), NomesRelatorios().join(QStringLiteral(", ")));
}

int Executar(const QStringList &args) {
  QString nome, pdf, csv;
  QHash<QString, QString> opcoes;
  for (int i = 0; i < args.size(); ++i) {
    const QString &a = args[i];
    auto valor = [&](QString &destino) {
      if (i + 1 >= args.size())
        return false;
      destino = args[++i];
      return true;
    };
    QString v;
    if (a == QLatin1String("--ajuda") || a == QLatin1String("-h")) {
      Saida(Ajuda());
      return 0;
    } else if (a == QLatin1String("--pdf")) {
      if (!valor(pdf))
        nome = QStringLiteral("-");
    } else if (a == QLatin1String("--csv")) {
      if (!valor(csv))
        nome = QStringLiteral("-");
    } else if (a == QLatin1String("--por-nome")) {
      opcoes.insert(QStringLiteral("por-nome"), QStringLiteral("1"));
    } else if (a == QLatin1String("--ordem") || a == QLatin1String("--empresas") ||
               a == QLatin1String("--tipo") || a == QLatin1String("--carga")) {
      if (!valor(v)) {
        nome = QStringLiteral("-");
        break;
      }
      opcoes.insert(a.mid(2), v);
    } else if (!a.startsWith(u'-') && nome.isEmpty()) {
      nome = a;
    } else {
      nome = QStringLiteral("-");
      break;
    }
  }
  if (nome.isEmpty() || nome == QLatin1String("-") || pdf.isEmpty() == csv.isEmpty() ||
      !NomesRelatorios().contains(nome)) {
    Erro(QStringLiteral("Uso: vesk-cli %1\n").arg(QLatin1String(Uso)));
    return 2;
  }
  QString erro;
  const auto rel = PrepararRelatorio(nome, opcoes, &erro);
  if (!erro.isEmpty()) {
    Erro(erro + u'\n');
    return 2;
  }
  if (!rel) {
    Erro(TextoNadaAImprimir() + u'\n');
    return 1;
  }
  const bool ok =
      pdf.isEmpty() ? ExportarCSV(rel->Dados, csv, &erro) : ExportarPDF(*rel, pdf, &erro);
  if (!ok) {
    Erro(erro + u'\n');
    return 1;
  }
  if (pdf.isEmpty())
    Saida(QStringLiteral("%1 linha(s) gravada(s) em %2\n")
              .arg(rel->Dados.QuantidadeEntradas())
              .arg(csv));
  else
    Saida(QStringLiteral("%1 página(s) gravada(s) em %2\n").arg(rel->QuantidadePaginas()).arg(pdf));
  return 0;
}

TRegistroComando Registro({QStringLiteral("relatorio"), QLatin1String(Uso),
                           QStringLiteral("grava um relatório em PDF ou CSV"), true, Executar});
} // namespace
