// vesk-cli solicitar-saldo (--todas | --empresa TIPO,INSCRICAO... | --chave ...)
// --saida ARQ.HXF: the balance request for stored links, printing its
// identifier.
#include "cli/unComandos.h"
#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QDate>
#include <QFileInfo>

namespace {
const char *const Uso = "Uso: vesk-cli solicitar-saldo (--todas | --empresa TIPO,INSCRICAO... | "
                        "--chave TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD...) --saida ARQ.HXF\n";

bool LerChave(const QString &texto, TChaveVinculo &c) {
  const QStringList p = texto.split(u',');
  if (p.size() != 5)
    return false;
  const QDate d = QDate::fromString(p[4], Qt::ISODate);
  bool ok1 = false, ok2 = false, ok3 = false, ok4 = false;
  c.Tipo = p[0].toInt(&ok1);
  c.Inscricao = p[1].toLongLong(&ok2);
  c.PIS = p[2].toLongLong(&ok3);
  c.Categoria = p[3].toInt(&ok4);
  c.Admissao = QDateParaData(d);
  return ok1 && ok2 && ok3 && ok4 && d.isValid();
}

int Executar(const QStringList &args) {
  bool todas = false;
  QString saida;
  QList<QPair<int, qint64>> empresas;
  QList<TChaveVinculo> chaves;
  for (int i = 0; i < args.size(); ++i) {
    const QString &a = args.at(i);
    if (a == QStringLiteral("--todas")) {
      todas = true;
    } else if (a == QStringLiteral("--saida") && i + 1 < args.size()) {
      saida = args.at(++i);
    } else if (a == QStringLiteral("--empresa") || a == QStringLiteral("--chave")) {
      // Every value up to the next option.
      bool algum = false;
      while (i + 1 < args.size() && !args.at(i + 1).startsWith(QStringLiteral("--"))) {
        const QString v = args.at(++i);
        algum = true;
        if (a == QStringLiteral("--empresa")) {
          const QStringList p = v.split(u',');
          bool ok1 = false, ok2 = false;
          const int tipo = p.value(0).toInt(&ok1);
          const qint64 insc = p.value(1).toLongLong(&ok2);
          if (p.size() != 2 || !ok1 || !ok2) {
            Erro(QStringLiteral("Empresa inválida: %1\n").arg(v) + QString::fromUtf8(Uso));
            return 2;
          }
          empresas.append({tipo, insc});
        } else {
          TChaveVinculo c;
          if (!LerChave(v, c)) {
            Erro(QStringLiteral("Chave inválida: %1\n").arg(v) + QString::fromUtf8(Uso));
            return 2;
          }
          chaves.append(c);
        }
      }
      if (!algum) {
        Erro(QString::fromUtf8(Uso));
        return 2;
      }
    } else {
      Erro(QStringLiteral("Opção desconhecida: %1\n").arg(a) + QString::fromUtf8(Uso));
      return 2;
    }
  }
  const int escolhas = (todas ? 1 : 0) + (empresas.isEmpty() ? 0 : 1) + (chaves.isEmpty() ? 0 : 1);
  if (escolhas != 1 || saida.isEmpty()) {
    Erro(QString::fromUtf8(Uso));
    return 2;
  }
  const TArrRegRegistro indice = TSolicitacaoSaldoRecisorio::IndiceVinculos(empresas, chaves);
  if (indice.empty()) {
    Erro(QStringLiteral("Nenhum vínculo cadastrado para a solicitação.\n"));
    return 1;
  }
  TSolicitacaoSaldoRecisorio s;
  if (!s.GerarSolicitacao(indice, QFileInfo(saida).absoluteFilePath())) {
    Erro(QStringLiteral("Não foi possível gerar a solicitação (%1).\n").arg(s.CodigoErro));
    return 1;
  }
  Saida(s.Identificador + u'\n');
  if (!s.Selada)
    Erro(QStringLiteral("Aviso: o envelope não está disponível nesta versão; a solicitação foi "
                        "gravada sem selo em %1.\n")
             .arg(QFileInfo(QFileInfo(saida).absolutePath() + QStringLiteral("/") +
                            QString::fromLatin1(TSolicitacaoSaldoRecisorio::NomeArquivoPlano))
                      .absoluteFilePath()));
  return 0;
}

TRegistroComando Registro(
    {QStringLiteral("solicitar-saldo"),
     QStringLiteral("solicitar-saldo (--todas | --empresa TIPO,INSCRICAO... | --chave "
                    "TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD...) --saida ARQ.HXF"),
     QStringLiteral("gera a solicitação de saldo rescisório dos vínculos escolhidos e mostra o "
                    "seu identificador"),
     true, Executar});
} // namespace
