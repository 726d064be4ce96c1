#include "unArgumentosMovimento.h"

#include "cli/unComandos.h"
#include "core/unUtilitarios.h"

#include <QDate>

bool LerChaveVinculo(const QString &texto, TChaveVinculo &c) {
  const QStringList p = texto.split(u',');
  if (p.size() != 5)
    return false;
  bool ok[4];
  c.Tipo = p[0].trimmed().toInt(&ok[0]);
  c.Inscricao = p[1].trimmed().toLongLong(&ok[1]);
  c.PIS = p[2].trimmed().toLongLong(&ok[2]);
  c.Categoria = p[3].trimmed().toInt(&ok[3]);
  const QDate d = QDate::fromString(p[4].trimmed(), QStringLiteral("yyyy-MM-dd"));
  if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || !d.isValid() || c.Tipo <= 0 || c.Inscricao <= 0 ||
      c.PIS <= 0 || c.Categoria <= 0)
    return false;
  c.Admissao = QDateParaData(d);
  return true;
}

bool LerEmpresa(const QString &texto, int &tipo, qint64 &inscricao) {
  const QStringList p = texto.split(u',');
  if (p.size() != 2)
    return false;
  bool ok1, ok2;
  tipo = p[0].trimmed().toInt(&ok1);
  inscricao = p[1].trimmed().toLongLong(&ok2);
  return ok1 && ok2 && (tipo == 1 || tipo == 2) && inscricao > 0;
}

TDateTime LerDataLinhaComando(const QString &texto) {
  const QString t = texto.trimmed();
  QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
  if (!d.isValid())
    d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
  return d.isValid() ? QDateParaData(d) : DataNaoValida;
}

bool LerEscopo(QStringList &args, TEscopoMovimento &escopo, QString &erro) {
  int escolhidos = 0;
  QStringList resto;
  while (!args.isEmpty()) {
    const QString op = args.takeFirst();
    if (op == QStringLiteral("--todos")) {
      escopo = TEscopoMovimento::DeTodos();
      ++escolhidos;
    } else if (op == QStringLiteral("--chave") && !args.isEmpty()) {
      TChaveVinculo c;
      if (!LerChaveVinculo(args.takeFirst(), c)) {
        erro = QStringLiteral("Chave de vínculo inválida: use TIPO,INSCRICAO,PIS,CATEGORIA,"
                              "AAAA-MM-DD.\n");
        return false;
      }
      escopo = TEscopoMovimento::DoVinculo(c);
      ++escolhidos;
    } else if (op == QStringLiteral("--empresa") && !args.isEmpty()) {
      int tipo;
      qint64 inscricao;
      if (!LerEmpresa(args.takeFirst(), tipo, inscricao)) {
        erro = QStringLiteral("Empresa inválida: use TIPO,INSCRICAO (tipo 1 CNPJ, 2 CEI).\n");
        return false;
      }
      escopo = TEscopoMovimento::DaEmpresa(tipo, inscricao);
      ++escolhidos;
    } else {
      resto << op;
    }
  }
  args = resto;
  if (escolhidos != 1) {
    erro = QStringLiteral("Informe exatamente uma das opções --chave, --empresa ou --todos.\n");
    return false;
  }
  return true;
}

QString TextoChave(const TChaveVinculo &c) {
  return QStringLiteral("%1,%2,%3,%4,%5")
      .arg(c.Tipo)
      .arg(c.Inscricao)
      .arg(QString::number(c.PIS).rightJustified(11, u'0'))
      .arg(c.Categoria, 2, 10, QLatin1Char('0'))
      .arg(DataParaQDate(c.Admissao).toString(QStringLiteral("yyyy-MM-dd")));
}

QString TextoMensagemNumero(const QString &codigo, const QStringList &args) {
  return Utilitarios.MontarMensagem(codigo, 1, QString(), 2, mbOK, args).Texto;
}

void ListarFalhas(const QList<TFalhaMovimento> &falhas) {
  for (const TFalhaMovimento &f : falhas)
    Saida(QStringLiteral("Recusado %1 %2: %3 - %4\n")
              .arg(TextoChave(f.Chave), f.Nome.trimmed(), f.Codigo, TextoMensagemNumero(f.Codigo)));
}

QString TextoJson(const QString &t) {
  QString r = QStringLiteral("\"");
  for (QChar ch : t) {
    switch (ch.unicode()) {
    case '"':
      r += QStringLiteral("\\\"");
      break;
    case '\\':
      r += QStringLiteral("\\\\");
      break;
    case '\n':
      r += QStringLiteral("\\n");
      break;
    case '\r':
      r += QStringLiteral("\\r");
      break;
    case '\t':
      r += QStringLiteral("\\t");
      break;
    default:
      if (ch.unicode() < 0x20)
        r += QStringLiteral("\\u%1").arg(int(ch.unicode()), 4, 16, QLatin1Char('0'));
      else
        r += ch;
    }
  }
  return r + u'"';
}
