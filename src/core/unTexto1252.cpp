#include "unTexto1252.h"

#include <QFile>
#include <QStringList>

namespace {
// 0x80..0x9F of the Western code page; 0 marks the five unassigned bytes.
constexpr char16_t Faixa80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QByteArray ParaWin1252(const QString &texto) {
  QByteArray saida;
  saida.reserve(texto.size());
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      saida.append(static_cast<char>(u));
      continue;
    }
    char b = '?';
    for (int i = 0; i < 32; ++i)
      if (Faixa80[i] == u && u != 0) {
        b = static_cast<char>(0x80 + i);
        break;
      }
    saida.append(b);
  }
  return saida;
}

QString DeWin1252(const QByteArray &bytes) {
  QString saida;
  saida.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0) {
      const char16_t u = Faixa80[b - 0x80];
      saida.append(QChar(u ? u : b));
    } else {
      saida.append(QChar(b));
    }
  }
  return saida;
}

QString TextoVisivel(const QString &texto) {
  QString r;
  r.reserve(texto.size());
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
      r += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, u'0');
    else
      r += c;
  }
  return r;
}

QString Armazenavel1252(const QString &texto) {
  const QByteArray bytes = ParaWin1252(texto);
  QString saida;
  saida.reserve(texto.size());
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const char16_t u = texto.at(i).unicode();
    if (u >= 0x80 && u < 0xA0 && Faixa80[u - 0x80] == 0)
      saida += QStringLiteral("\\x") + QString::number(u, 16).toUpper();
    else if (bytes.at(i) == '?' && u != u'?')
      saida += u'?';
    else
      saida += texto.at(i);
  }
  return saida;
}

bool AcrescentarLinhas1252(const QString &caminho, const QStringList &linhas) {
  QFile f(caminho);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
    return false;
  QByteArray dados;
  for (const QString &l : linhas) {
    dados += ParaWin1252(l);
    dados += "\r\n";
  }
  const bool ok = f.write(dados) == dados.size();
  f.close();
  return ok;
}
