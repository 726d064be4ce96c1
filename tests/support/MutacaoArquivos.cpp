#include "MutacaoArquivos.h"

#include "core/unFBUtils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QList<QByteArray> Linhas(const QByteArray &dados) {
  QList<QByteArray> l = dados.split('\n');
  if (!l.isEmpty() && l.last().isEmpty())
    l.removeLast();
  return l;
}

QByteArray Juntar(const QList<QByteArray> &linhas) {
  QByteArray r;
  for (const QByteArray &l : linhas)
    r += l + '\n';
  return r;
}

// One change to the file; appends what it did to `descricao`.
QByteArray Mutar(QByteArray dados, std::mt19937 &g, QString &descricao) {
  auto ate = [&g](qsizetype n) { // uniform in [0, n)
    return n <= 0 ? qsizetype(0) : static_cast<qsizetype>(g() % static_cast<quint32>(n));
  };
  QList<QByteArray> linhas = Linhas(dados);
  const qsizetype nl = linhas.size();
  switch (g() % 10) {
  case 0:
  case 1: { // one byte flipped: NUL, a high byte, or anything
    if (dados.isEmpty())
      return dados;
    const qsizetype p = ate(dados.size());
    const int tipo = static_cast<int>(g() % 3);
    const char b = tipo == 0   ? '\0'
                   : tipo == 1 ? static_cast<char>(0x80 + g() % 128)
                               : static_cast<char>(g() % 256);
    dados[p] = b;
    descricao +=
        QStringLiteral("byte %1 -> 0x%2; ").arg(p).arg(static_cast<uchar>(b), 2, 16, QChar(u'0'));
    return dados;
  }
  case 2: { // cut short
    const qsizetype p = ate(dados.size());
    descricao += QStringLiteral("truncado em %1; ").arg(p);
    return dados.left(p);
  }
  case 3: { // a line twice
    if (!nl)
      return dados;
    const qsizetype i = ate(nl);
    linhas.insert(i, linhas.at(i));
    descricao += QStringLiteral("linha %1 duplicada; ").arg(i + 1);
    return Juntar(linhas);
  }
  case 4: { // a line missing
    if (!nl)
      return dados;
    const qsizetype i = ate(nl);
    linhas.removeAt(i);
    descricao += QStringLiteral("linha %1 excluída; ").arg(i + 1);
    return Juntar(linhas);
  }
  case 5: { // two lines swapped
    if (nl < 2)
      return dados;
    const qsizetype i = ate(nl), j = ate(nl);
    linhas.swapItemsAt(i, j);
    descricao += QStringLiteral("linhas %1 e %2 trocadas; ").arg(i + 1).arg(j + 1);
    return Juntar(linhas);
  }
  case 6: { // a very long line
    if (!nl)
      return dados;
    const qsizetype i = ate(nl);
    const qsizetype n = 1000 + ate(200000);
    linhas[i].insert(linhas[i].endsWith('\r') ? linhas[i].size() - 1 : linhas[i].size(),
                     QByteArray(n, static_cast<char>('0' + g() % 10)));
    descricao += QStringLiteral("linha %1 com mais %2 bytes; ").arg(i + 1).arg(n);
    return Juntar(linhas);
  }
  case 7: { // a run of NUL or high bytes inside a line
    if (dados.isEmpty())
      return dados;
    const qsizetype p = ate(dados.size());
    const char b = (g() % 2) ? '\0' : static_cast<char>(0xFF);
    const qsizetype n = 1 + ate(40);
    dados.replace(p, qMin(n, dados.size() - p), QByteArray(n, b));
    descricao += QStringLiteral("%1 bytes 0x%2 em %3; ")
                     .arg(n)
                     .arg(static_cast<uchar>(b), 2, 16, QChar(u'0'))
                     .arg(p);
    return dados;
  }
  case 8: { // other line ends
    const int tipo = static_cast<int>(g() % 3);
    QByteArray r = dados;
    r.replace("\r\n", tipo == 0 ? "\n" : tipo == 1 ? "\r" : "\r\r\n");
    descricao += QStringLiteral("fins de linha tipo %1; ").arg(tipo);
    return r;
  }
  default: { // a line emptied or made of blanks
    if (!nl)
      return dados;
    const qsizetype i = ate(nl);
    linhas[i] = (g() % 2) ? QByteArray("\r") : QByteArray(static_cast<int>(ate(400)), ' ') + '\r';
    descricao += QStringLiteral("linha %1 esvaziada; ").arg(i + 1);
    return Juntar(linhas);
  }
  }
}

qint64 ContarLinhas(const QString &tabela) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela));
  return ds->Fields(0).AsInt64();
}
} // namespace

std::vector<TMutante> GerarMutantes(const QByteArray &original, int quantidade, quint32 semente) {
  std::mt19937 g(semente);
  std::vector<TMutante> r;
  r.reserve(static_cast<size_t>(quantidade));
  for (int i = 0; i < quantidade; ++i) {
    TMutante m;
    m.Dados = original;
    // Mostly one change, sometimes several at once.
    const int mudancas = (g() % 4 == 0) ? 2 + static_cast<int>(g() % 4) : 1;
    for (int k = 0; k < mudancas; ++k)
      m.Dados = Mutar(m.Dados, g, m.Descricao);
    r.push_back(std::move(m));
  }
  return r;
}

void VerificarMutantes(const TLeitorMutavel &leitor, const QString &pasta, int quantidade,
                       quint32 semente) {
  ASSERT_TRUE(leitor.Ler);
  const QString caminho = QDir(pasta).filePath(QStringLiteral("mutante.txt"));
  auto gravar = [&caminho](const QByteArray &dados) {
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dados) == dados.size();
  };
  auto contagens = [&leitor] {
    std::vector<qint64> c;
    for (const QString &t : leitor.Tabelas)
      c.push_back(ContarLinhas(t));
    return c;
  };
  const std::vector<TMutante> mutantes = GerarMutantes(leitor.Valido, quantidade, semente);
  int recusados = 0;
  for (size_t i = 0; i < mutantes.size(); ++i) {
    const TMutante &m = mutantes[i];
    SCOPED_TRACE(QStringLiteral("%1, mutante %2 (semente %3): %4")
                     .arg(leitor.Nome)
                     .arg(i)
                     .arg(semente)
                     .arg(m.Descricao)
                     .toStdString());
    ASSERT_TRUE(gravar(m.Dados));
    const std::vector<qint64> antes = contagens();
    bool aceito = false;
    QElapsedTimer relogio;
    relogio.start();
    try {
      aceito = leitor.Ler(caminho);
    } catch (const std::exception &e) {
      ADD_FAILURE() << "exceção: " << e.what();
    } catch (...) {
      ADD_FAILURE() << "exceção desconhecida";
    }
    EXPECT_LT(relogio.elapsed(), leitor.TempoMaximo);
    EXPECT_FALSE(IbxUtils->EmTransacao());
    if (aceito)
      continue;
    ++recusados;
    EXPECT_EQ(contagens(), antes) << "um arquivo recusado gravou dados";
    if (leitor.ListaObrigatoria && leitor.NumeroArquivo) {
      TDataSetPtr ds = IbxUtils->AbrirConsulta(
          QStringLiteral(
              "SELECT COUNT(*) FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = %1")
              .arg(leitor.NumeroArquivo));
      EXPECT_GT(ds->Fields(0).AsInt64(), 0) << "recusado sem lista de inconsistências";
    }
  }
  // Most damage must be seen; a harness that let everything through would
  // prove nothing.
  EXPECT_GT(recusados, quantidade / 2);
  QFile::remove(caminho);
}
