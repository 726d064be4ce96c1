#include "unCampoArquivo.h"

#include "core/unUtilitarios.h"

#include <QDate>
#include <algorithm>

bool CampoEmBranco(const QString &texto) {
  for (QChar c : texto)
    if (c != u' ')
      return false;
  return true;
}

TDateTime DataCampoArquivo(const QString &s) {
  if (s.trimmed().isEmpty() ||
      (TUtilitarios::SomenteNumeros(s) && TUtilitarios::TodosZeros(s, s.size())))
    return NullDate;
  if (s.size() != 8 || !TUtilitarios::SomenteNumeros(s))
    return DataNaoValida;
  // Eight digits: read as numbers, not through the general date parser, which
  // costs more than any other step of checking a record.
  const QDate d(QStringView(s).mid(4, 4).toInt(), QStringView(s).mid(2, 2).toInt(),
                QStringView(s).left(2).toInt());
  return d.isValid() ? QDateParaData(d) : DataNaoValida;
}

QString MontarLinha(const TCampoArquivo *campos, int quantidade, const QStringList &valores) {
  int tamanho = 0;
  for (int i = 0; i < quantidade; ++i)
    tamanho = std::max(tamanho, campos[i].Inicio - 1 + campos[i].Tamanho);
  QString linha(tamanho, u' ');
  for (int i = 0; i < quantidade; ++i) {
    const TCampoArquivo &c = campos[i];
    QString v = i < valores.size() ? valores.at(i) : QString();
    switch (c.Tipo) {
    case TTipoCampoArquivo::Digitos:
    case TTipoCampoArquivo::Valor:
    case TTipoCampoArquivo::Data:
    case TTipoCampoArquivo::DataAnoPrimeiro:
    case TTipoCampoArquivo::Zeros:
      v = v.rightJustified(c.Tamanho, u'0', true);
      break;
    case TTipoCampoArquivo::Texto:
    case TTipoCampoArquivo::Brancos:
      v = v.leftJustified(c.Tamanho, u' ', true);
      break;
    }
    linha.replace(c.Inicio - 1, c.Tamanho, v);
  }
  return linha;
}
