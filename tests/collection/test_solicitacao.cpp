// The balance request: the 67-character lines read back by a test-side
// parser, and its protocol rows.
#include "support/SaldoTeste.h"

#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "support/EnvelopeTeste.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The request as the bank reads it, by position.
struct TPedidoLido {
  QString tipo, inscricao, data, servico, versao, identificador;
  int empresas = 0, trabalhadores = 0, trailerEmpresas = -1;
  QStringList erros;
};

TPedidoLido Ler(const QStringList &linhas) {
  TPedidoLido p;
  for (int i = 0; i < linhas.size(); ++i) {
    const QString &l = linhas.at(i);
    if (l.size() != 67)
      p.erros << QStringLiteral("linha %1 com %2 posições").arg(i + 1).arg(l.size());
    if (l.mid(61, 6) != QString::number(i + 1).rightJustified(6, u'0'))
      p.erros << QStringLiteral("sequência da linha %1: %2").arg(i + 1).arg(l.mid(61, 6));
    switch (l.at(0).toLatin1()) {
    case '0':
      p.tipo = l.mid(1, 1);
      p.inscricao = l.mid(2, 14);
      p.data = l.mid(16, 8);
      p.servico = l.mid(24, 3) + u'|' + l.mid(27, 3);
      p.versao = l.mid(30, 1);
      p.identificador = l.mid(31, 30);
      break;
    case '1':
      ++p.empresas;
      if (l.mid(16, 10).trimmed() != QString() || l.mid(26, 1) != QStringLiteral("1"))
        p.erros << QStringLiteral("empresa na linha %1").arg(i + 1);
      break;
    case '2':
      ++p.trabalhadores;
      if (!QDate::fromString(l.mid(29, 8), QStringLiteral("ddMMyyyy")).isValid())
        p.erros << QStringLiteral("admissão na linha %1").arg(i + 1);
      break;
    case '9':
      p.trailerEmpresas = l.mid(1, 6).toInt();
      break;
    default:
      p.erros << QStringLiteral("tipo na linha %1").arg(i + 1);
    }
  }
  return p;
}

qint64 SomaCodigos(const QString &texto) {
  qint64 s = 0;
  for (char c : ParaWin1252(texto))
    s += static_cast<unsigned char>(c);
  return s;
}
} // namespace

class SolicitacaoTeste : public SaldoTeste {
protected:
  void SetUp() override {
    SaldoTeste::SetUp();
    ImportarFolha({QStringLiteral("--empresas"), QStringLiteral("3"), QStringLiteral("--vinculos"),
                   QStringLiteral("7")});
  }
  int Protocolos() { return Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO WHERE NU_ARQUIVO = 7")); }
};

TEST_F(SolicitacaoTeste, LinhasDoIndiceDaFolha) {
  // The payroll index holds 00, 10, 40 and 90 entries; only the 40 count.
  QSet<QString> tipos;
  for (const TRegRegistro &r : folha->Indice)
    tipos.insert(r.TipoRegistro);
  ASSERT_TRUE(tipos.contains(QStringLiteral("00")) && tipos.contains(QStringLiteral("10")) &&
              tipos.contains(QStringLiteral("90")));
  TSolicitacaoSaldoRecisorio s;
  ASSERT_TRUE(s.MontarLinhas(folha->Indice));
  const TPedidoLido p = Ler(s.Linhas);
  EXPECT_TRUE(p.erros.isEmpty()) << p.erros.join(u'\n').toStdString();
  EXPECT_EQ(p.empresas, 3);
  EXPECT_EQ(p.trailerEmpresas, 3);
  EXPECT_EQ(p.trabalhadores, 7);
  EXPECT_EQ(s.Linhas.size(), 1 + 3 + 7 + 1);
  EXPECT_EQ(p.servico, QStringLiteral("ICP|   "));
  EXPECT_EQ(p.versao, QStringLiteral("1"));
  EXPECT_EQ(p.data, QDate::currentDate().toString(QStringLiteral("ddMMyyyy")));
  EXPECT_EQ(p.tipo + p.inscricao,
            folha->Indice.front().TipoInscricao + folha->Indice.front().Inscricao.right(14));
  // The identifier: server time to the millisecond, then the sum of the
  // character codes of the header's first 31 positions.
  EXPECT_EQ(p.identificador, s.Identificador);
  EXPECT_TRUE(QDateTime::fromString(p.identificador.left(17), QStringLiteral("yyyyMMddHHmmsszzz"))
                  .isValid());
  EXPECT_EQ(p.identificador.mid(17).toLongLong(), SomaCodigos(s.Linhas.first().left(31)));
}

TEST_F(SolicitacaoTeste, ResponsavelCEI) {
  Executar(QStringLiteral("UPDATE QZLTBG02_EMPRESA SET NU_TIPO_INSO_EMPRA = 2, NU_INSCRICAO = "
                          "123456789013 WHERE IC_ESTADO_EMPRESA IN ('R', 'A')"));
  TSolicitacaoSaldoRecisorio s;
  ASSERT_TRUE(s.MontarLinhas(TSolicitacaoSaldoRecisorio::IndiceVinculos()));
  EXPECT_EQ(s.Linhas.first().mid(1, 15), QStringLiteral("2123456789013  "));
  EXPECT_EQ(s.Identificador.mid(17).toLongLong(), SomaCodigos(s.Linhas.first().left(31)));
}

TEST_F(SolicitacaoTeste, RegistroDoProtocolo) {
  TSolicitacaoSaldoRecisorio s;
  const auto selar = TSolicitacaoSaldoRecisorio::Envelopar;
  QList<QPair<QString, QString>> informacoes;
  QStringList envelopados;
  TSolicitacaoSaldoRecisorio::Envelopar = [&](const QString &env, const QStringList &arquivos,
                                              const QList<QPair<QString, QString>> &info) {
    envelopados = arquivos;
    informacoes = info;
    QFile f(env);
    f.open(QIODevice::WriteOnly);
    return 0;
  };
  const QString destino = pasta->Arquivo(QStringLiteral("SolicitacaoIS.HXF"));
  ASSERT_TRUE(s.GerarSolicitacao(TSolicitacaoSaldoRecisorio::IndiceVinculos(), destino));
  TSolicitacaoSaldoRecisorio::Envelopar = selar;
  EXPECT_TRUE(s.Selada);
  ASSERT_EQ(envelopados.size(), 1);
  EXPECT_EQ(QFileInfo(envelopados.first()).fileName(), QStringLiteral("SolicitacaoIS.HX"));
  ASSERT_EQ(informacoes.size(), 5);
  EXPECT_EQ(informacoes[0], qMakePair(QStringLiteral("tparquivo"), QStringLiteral("7")));
  EXPECT_EQ(informacoes[4], qMakePair(QStringLiteral("nra"), s.Identificador));
  const QString id = QStringLiteral("'%1'").arg(s.Identificador);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO WHERE NU_ARQUIVO = 7 AND "
                                  "CO_PROTOCOLO IS NULL AND DT_ENVIO_PROTOCOLO IS NULL AND "
                                  "NU_IDENTIFICADOR_ARQUIVO = ") +
                   id),
            1);
  EXPECT_EQ(Valor(QStringLiteral("SELECT NM_ARQUIVO FROM QZLTBG13_ARQUIVO")), destino);
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = ") + id),
      3);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG16_ENVIO_EMPREGADO E JOIN "
                                  "QZLTBG03_EMPREGADO T ON T.NU_PIS = E.NU_PIS_ENVIO AND "
                                  "T.NO_EMPREGADO = E.NO_EMPREGADO WHERE E.VR_TOTAL_RECOLHIDO = 0 "
                                  "AND E.NU_IDENTIFICADOR_ARQUIVO = ") +
                   id),
            7);
}

TEST_F(SolicitacaoTeste, FalhaAoSelarOuRegistrarNaoDeixaProtocolo) {
  TSolicitacaoSaldoRecisorio s;
  const auto selar = TSolicitacaoSaldoRecisorio::Envelopar;
  TSolicitacaoSaldoRecisorio::Envelopar = [](const QString &, const QStringList &,
                                             const QList<QPair<QString, QString>> &) {
    return 489;
  };
  EXPECT_FALSE(s.GerarSolicitacao(TSolicitacaoSaldoRecisorio::IndiceVinculos(),
                                  pasta->Arquivo(QStringLiteral("s.HXF"))));
  TSolicitacaoSaldoRecisorio::Envelopar = selar;
  EXPECT_EQ(s.CodigoErro, QStringLiteral("0489"));
  EXPECT_EQ(Protocolos(), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA")), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG16_ENVIO_EMPREGADO")), 0);

  // A failing insert in the middle (a company name wider than its column)
  // leaves no row of the request: the protocol row was inserted first.
  TArrRegRegistro indice = TSolicitacaoSaldoRecisorio::IndiceVinculos();
  indice.back().Nome = QString(90, u'X');
  indice.back().Inscricao = QStringLiteral("99999999999999");
  EXPECT_FALSE(s.RegistrarSolicitacao(QStringLiteral("X"), QStringLiteral("x.HXF"), indice));
  EXPECT_EQ(s.CodigoErro, QStringLiteral("0144"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO")), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG16_ENVIO_EMPREGADO")), 0);

  // A cancelled save dialog writes nothing.
  EXPECT_FALSE(s.GerarSolicitacao(TSolicitacaoSaldoRecisorio::IndiceVinculos(), QString()));
  EXPECT_EQ(Protocolos(), 0);
}

namespace {

// The request leaves sealed: the envelope holds the plain file byte for byte
// with the request's identifier, and no plain copy stays beside it. Without
// the sealing library nothing is registered.
TEST_F(SolicitacaoTeste, SeladaPeloEnvelope) {
  const QString destino = pasta->Arquivo(QStringLiteral("SolicitacaoIS.HXF"));
  {
    TSolicitacaoSaldoRecisorio s;
    EXPECT_FALSE(s.GerarSolicitacao(TSolicitacaoSaldoRecisorio::IndiceVinculos(), destino));
    EXPECT_EQ(s.CodigoErro, QStringLiteral("0489"));
    EXPECT_EQ(Protocolos(), 0);
  }
  InstalarSelador(pasta->Caminho());
  TSolicitacaoSaldoRecisorio s;
  ASSERT_TRUE(s.GerarSolicitacao(TSolicitacaoSaldoRecisorio::IndiceVinculos(), destino))
      << s.CodigoErro.toStdString();
  EXPECT_TRUE(s.Selada);
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("SolicitacaoIS.HX"))));
  const QString aberta = pasta->Arquivo(QStringLiteral("aberta"));
  QDir().mkpath(aberta);
  ASSERT_TRUE(QFile::copy(destino, aberta + QStringLiteral("/SolicitacaoIS.HXF")));
  ASSERT_TRUE(AbrirEnvelope(aberta + QDir::separator(), QStringLiteral("SolicitacaoIS.HXF"),
                            s.Identificador, QStringLiteral("SolicitacaoIS.HX")))
      << UltimoErro.toStdString();
  QFile plano(aberta + QStringLiteral("/SolicitacaoIS.HX"));
  ASSERT_TRUE(plano.open(QIODevice::ReadOnly));
  const QList<QByteArray> linhas = plano.readAll().split('\n');
  EXPECT_TRUE(linhas.first().startsWith("0"));
  EXPECT_TRUE(linhas.first().endsWith("\r"));
  EXPECT_EQ(Protocolos(), 1);
}

} // namespace
