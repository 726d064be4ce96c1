#include "unCampoArquivo.h"

#include <algorithm>

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
