// The resend request (written, recorded and sealed) and the bank's
// rejected-resend notice answering it, made by the simulated bank's tool.
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unArqReeenvioRejeitado.h"
#include "interchange/unProtocolo.h"
#include "interchange/unSolicitacaoReenvio.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"
#include "support/MutacaoArquivos.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A number of n digits starting with `base` whose check digits pass `valida`.
template <typename F> QString ComDigito(const QString &base, F valida) {
  for (int d = 0; d < 100; ++d) {
    const QString n = base + QString::number(d).rightJustified(2, u'0');
    if (valida(n))
      return n;
  }
  return QString();
}

class ReenvioTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    InstalarSelador(pasta->Caminho());
    QDir().mkpath(pasta->Arquivo(QStringLiteral("Reenvio")));
    cnpj = ComDigito(QStringLiteral("112223330001"),
                     [](const QString &n) { return Utilitarios.CNPJValido(n); });
    cei = ComDigito(QStringLiteral("1234567890"),
                    [](const QString &n) { return Utilitarios.CEIValido(n); });
    ASSERT_EQ(cnpj.size(), 14);
    ASSERT_EQ(cei.size(), 12);
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                 "IC_ESTADO_EMPRESA) VALUES (1, %1, 'ESCRITORIO CONTABIL MODELO LTDA', 'R')")
                 .arg(cnpj));
  }
  static TGuiaReenvio Guia(int tipo, const QString &inscricao, const QString &blocos) {
    TGuiaReenvio g;
    g.TipoInscricao = tipo;
    g.Inscricao = inscricao;
    g.DataPagamento = QDateParaData(QDate(2026, 12, 20));
    g.CodigoBarras = blocos;
    g.LinhaDigitavel = Utilitarios.LinhaDigitavel(blocos);
    return g;
  }
  QList<TGuiaReenvio> Guias() const {
    return {Guia(1, Utilitarios.FormatarCNPJ(cnpj), QStringLiteral("858") + QString(41, u'1')),
            Guia(2, cei, QStringLiteral("858") + QString(41, u'2')),
            Guia(1, cnpj, QStringLiteral("858") + QString(41, u'3'))};
  }
  QString Envelope() const { return pasta->Arquivo(QStringLiteral("Reenvio/Pedido.HXF")); }
  // The request's lines, taken out of its envelope.
  QStringList LinhasPedido(const QString &nra) {
    EXPECT_TRUE(AbrirEnvelope(pasta->Arquivo(QStringLiteral("Reenvio/")),
                              QStringLiteral("Pedido.HXF"), nra, QStringLiteral("GuiaVESK.HX")));
    QStringList l = QString::fromLatin1(pasta->LerArquivo(QStringLiteral("Reenvio/GuiaVESK.HX")))
                        .split(QStringLiteral("\r\n"));
    EXPECT_EQ(l.takeLast(), QString());
    QFile::remove(pasta->Arquivo(QStringLiteral("Reenvio/GuiaVESK.HX")));
    return l;
  }
  QString cnpj, cei;
};

TEST_F(ReenvioTeste, PedidoGravadoRegistradoESelado) {
  TSolicitacaoReenvio s;
  ASSERT_TRUE(s.Gerar(Envelope(), Guias())) << s.CodigoErro.toStdString();
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("Reenvio/GuiaVESK.HX"))));
  const QStringList l = LinhasPedido(s.Identificador);
  ASSERT_EQ(l.size(), 5);
  for (int i = 0; i < l.size(); ++i) {
    EXPECT_EQ(l[i].size(), 90) << i;
    EXPECT_EQ(l[i].right(6), QString::number(i + 1).rightJustified(6, u'0'));
  }
  const QString hoje = QDate::currentDate().toString(QStringLiteral("ddMMyyyy"));
  EXPECT_EQ(l[0].left(54), QStringLiteral("0") + hoje + QStringLiteral("02ZELT1") + cnpj +
                               QStringLiteral("ESCRITORIO CONTABIL MICP"));
  // The identifier: the server's time and the character sum of positions 1-54.
  EXPECT_EQ(l[0].mid(54, 30), s.Identificador);
  EXPECT_EQ(s.Identificador.right(13),
            QString::number(Utilitarios.SomaCaracteres(l[0].left(54))).rightJustified(13, u'0'));
  EXPECT_EQ(l[1].left(68),
            QStringLiteral("11") + cnpj + QStringLiteral("20122026858") + QString(41, u'1'));
  EXPECT_EQ(l[1].mid(68, 16), QString(16, u' '));
  // A CEI has 12 digits and is written with 14.
  EXPECT_EQ(l[2].left(16), QStringLiteral("1200") + cei);
  EXPECT_EQ(l[4], QStringLiteral("900000003") + QString(75, u' ') + QStringLiteral("000005"));

  TProtocolo p;
  p.NU_IDENTIFICADOR_ARQUIVO = s.Identificador;
  ASSERT_TRUE(p.CarregarPorIdentificador());
  EXPECT_EQ(p.NU_ARQUIVO, 6);
  EXPECT_EQ(p.NM_ARQUIVO, Envelope());
  // Two guides of one company are both recorded.
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = '%1'")
                 .arg(s.Identificador)),
      3);
  EXPECT_EQ(
      Valor(QStringLiteral(
                "SELECT LIST(NU_ENVIO_EMPRESA || ':' || CO_BARRAS_ENVIO_EMPRESA, ' ') FROM "
                "(SELECT * FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_INSCRICAO_ENVIO = %1 ORDER BY "
                "NU_ENVIO_EMPRESA)")
                .arg(cnpj.toLongLong())),
      QStringLiteral("1:%1 2:%2").arg(Guias()[0].LinhaDigitavel, Guias()[2].LinhaDigitavel));
}

TEST_F(ReenvioTeste, FalhasNaoDeixamRegistro) {
  TSolicitacaoReenvio vazio;
  EXPECT_FALSE(vazio.Gerar(Envelope(), {}));
  EXPECT_EQ(vazio.CodigoErro, QStringLiteral("0088"));

  // The record fails: nothing kept, nothing written.
  Executar(QStringLiteral("CREATE EXCEPTION E_TESTE_REENVIO 'falha de teste'"));
  Executar(QStringLiteral(
      "CREATE TRIGGER T_TESTE_REENVIO FOR QZLTBG15_ENVIO_EMPRESA BEFORE INSERT AS "
      "BEGIN IF (NEW.NU_TIPO_INSCRICAO_ENVIO = 2) THEN EXCEPTION E_TESTE_REENVIO; END"));
  TSolicitacaoReenvio s;
  EXPECT_FALSE(s.Gerar(Envelope(), Guias()));
  EXPECT_EQ(s.CodigoErro, QStringLiteral("0144"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO")), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA")), 0);
  EXPECT_TRUE(QDir(pasta->Arquivo(QStringLiteral("Reenvio"))).entryList(QDir::Files).isEmpty());
  Executar(QStringLiteral("DROP TRIGGER T_TESTE_REENVIO"));

  // The envelope fails (no sealing library): the record just written goes away.
  for (const QString &nome : QDir(pasta->Caminho()).entryList({QStringLiteral("lkwselo.*")}))
    QFile::remove(pasta->Arquivo(nome));
  EXPECT_FALSE(s.Gerar(Envelope(), Guias()));
  EXPECT_EQ(s.CodigoErro, QStringLiteral("0489"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO")), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA")), 0);
  EXPECT_TRUE(QDir(pasta->Arquivo(QStringLiteral("Reenvio"))).entryList(QDir::Files).isEmpty());
}

class AvisoTeste : public ReenvioTeste {
protected:
  void SetUp() override {
    ReenvioTeste::SetUp();
    TSolicitacaoReenvio s;
    ASSERT_TRUE(s.Gerar(Envelope(), Guias().mid(0, 2))) << s.CodigoErro.toStdString();
    identificador = s.Identificador;
  }
  // Reads the bank's notice made with these options; returns Importar's result.
  bool Ler(const QStringList &opcoes, TArqReeenvioRejeitado &aviso) {
    const QString saida = pasta->Arquivo(QStringLiteral("aviso.txt"));
    EXPECT_EQ(Banco(QStringList{QStringLiteral("rejeicao"), Envelope(), QStringLiteral("--saida"),
                                saida, QStringLiteral("--data"), QStringLiteral("21122026")} +
                        opcoes,
                    pasta->Caminho()),
              0);
    aviso.NomeArquivo = saida;
    EXPECT_TRUE(aviso.Abrir());
    aviso.Fechar();
    return aviso.Importar();
  }
  // "message:record:line" of every inconsistency of the notice, in order.
  QString Inconsistencias() {
    return Valor(QStringLiteral(
        "SELECT LIST(M, ' ') FROM (SELECT NU_MENSAGEM || ':' || CO_REGISTRO || ':' || "
        "NU_LINHA_ERRO AS M FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 5 "
        "ORDER BY NU_INCONSISTENCIA)"));
  }
  QString identificador;
};

TEST_F(AvisoTeste, GuiasRecusadasViramInconsistencias) {
  TArqReeenvioRejeitado aviso;
  ASSERT_TRUE(Ler({QStringLiteral("--ocorrencias"), QStringLiteral("01,10")}, aviso))
      << aviso.CodigoErro.toStdString();
  EXPECT_EQ(aviso.IdentificadorArquivo(), identificador);
  EXPECT_EQ(Inconsistencias(), QStringLiteral("456:1:2 296:1:3"));
  // The responsible party of the header is the context of each.
  EXPECT_EQ(Valor(QStringLiteral(
                "SELECT FIRST 1 NU_INSCRICAO_RSPNL_INCNA || '|' || NO_RAZAO_SOCIAL_RSPNL_INCNA "
                "FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 5")),
            QString::number(cnpj.toLongLong()) + QStringLiteral("|ESCRITORIO CONTABIL M"));

  // Code 00 refuses nothing; a new notice replaces the previous rows.
  TArqReeenvioRejeitado semOcorrencia;
  ASSERT_TRUE(Ler({QStringLiteral("--ocorrencias"), QStringLiteral("00,16")}, semOcorrencia));
  EXPECT_EQ(Inconsistencias(), QStringLiteral("470:1:3"));
}

TEST_F(AvisoTeste, AvisoComDefeitoNaoRegistraOcorrencias) {
  const struct {
    const char *defeito;
    const char *inconsistencias;
  } casos[] = {
      {"linha-499", "385:0:2"},
      {"linha-501", "385:0:2"},
      {"contagem", "385:9:4"},
      {"tipo-desconhecido", "113:5:3"},
      {"fora-de-ordem", "135:9:3"},
      {"inscricao-invalida", "385:1:2"},
      {"identificador-branco", "385:0:1"},
      // A code outside the table has no message: everything is rolled back, so the
      // list of the previous run stays as it was.
      {"codigo-fora", "385:0:1"},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.defeito);
    TArqReeenvioRejeitado aviso;
    EXPECT_FALSE(Ler({QStringLiteral("--ocorrencias"), QStringLiteral("01"),
                      QStringLiteral("--defeito"), QString::fromLatin1(c.defeito)},
                     aviso));
    EXPECT_EQ(Inconsistencias(), QString::fromLatin1(c.inconsistencias));
  }
  TArqReeenvioRejeitado aviso;
  EXPECT_FALSE(Ler({QStringLiteral("--defeito"), QStringLiteral("codigo-fora")}, aviso));
  EXPECT_EQ(aviso.CodigoErro, QStringLiteral("0396"));
}

TEST_F(AvisoTeste, MutantesDoAvisoRecusadosSemDanos) {
  TArqReeenvioRejeitado valido;
  ASSERT_TRUE(Ler({QStringLiteral("--ocorrencias"), QStringLiteral("01,00")}, valido));
  QFile f(pasta->Arquivo(QStringLiteral("aviso.txt")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  TLeitorMutavel l;
  l.Nome = QStringLiteral("aviso de reenvio rejeitado");
  l.Valido = f.readAll();
  l.NumeroArquivo = 5;
  l.Tabelas = {QStringLiteral("QZLTBG13_ARQUIVO"), QStringLiteral("QZLTBG15_ENVIO_EMPRESA")};
  l.Ler = [](const QString &caminho) {
    TArqReeenvioRejeitado aviso;
    aviso.NomeArquivo = caminho;
    const bool aberto = aviso.Abrir();
    aviso.Fechar();
    return aberto && aviso.Importar();
  };
  VerificarMutantes(l, pasta->Caminho(), 200);
}

} // namespace
