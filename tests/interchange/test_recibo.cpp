// The sending receipt: the bank's answer to a sent envelope, made by the
// simulated bank's tool with a throwaway certificate, imported onto the
// sent file's record.
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unProtocolo.h"
#include "interchange/unReciboEnvio.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Nra = QStringLiteral("202612101345000001230000004521");
const QString NraSaldo = QStringLiteral("202612101350000001230000004599");
const QString NraSemProtocolo = QStringLiteral("202612101355000001230000004600");

class ReciboTeste : public BancoTeste {
protected:
  static void SetUpTestSuite() {
    certificados = new QTemporaryDir();
    ASSERT_EQ(
        Banco({QStringLiteral("certificado"), QStringLiteral("valido")}, certificados->path()), 0);
    ASSERT_EQ(Banco({QStringLiteral("certificado"), QStringLiteral("vencido"),
                     QStringLiteral("--vencido")},
                    certificados->path()),
              0);
  }
  static void TearDownTestSuite() {
    delete certificados;
    certificados = nullptr;
  }
  void SetUp() override {
    BancoTeste::SetUp();
    InstalarSelador(pasta->Caminho());
    QDir().mkpath(pasta->Arquivo(QStringLiteral("Arquivos")));
    // A termination collection file with one company guide, and a balance request.
    for (const auto &[id, tipo] : {std::pair{Nra, 3}, std::pair{NraSaldo, 7}}) {
      TProtocolo p;
      p.NU_IDENTIFICADOR_ARQUIVO = id;
      p.NU_ARQUIVO = tipo;
      p.NM_ARQUIVO = pasta->Arquivo(QStringLiteral("Arquivos/GuiaVESK.HXF"));
      p.DT_GERACAO_ARQUIVO = Agora();
      ASSERT_TRUE(p.Incluir());
    }
    for (const QString &id : {Nra, NraSemProtocolo})
      Executar(
          QStringLiteral(
              "INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
              "NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, NO_RAZAO_SOCIAL) VALUES ('%1', '%2', 1, "
              "12345000195, 'PADARIA')")
              .arg(id.right(20), id));
    pasta->EscreverArquivo(QStringLiteral("Arquivos/GuiaVESK.HX"), QByteArray(533, '0') + "\r\n");
    ASSERT_TRUE(EnvelopeArquivos(
        pasta->Arquivo(QStringLiteral("Arquivos/")), QStringLiteral("GuiaVESK.HXF"),
        {{QStringLiteral("tparquivo"), QStringLiteral("3")}, {QStringLiteral("nra"), Nra}},
        {QStringLiteral("GuiaVESK.HX")}));
  }
  // A receipt of the sealed envelope, by the bank's tool.
  QString Recibo(const QStringList &extra, const QString &cert = QStringLiteral("valido")) {
    const QString saida = pasta->Arquivo(QStringLiteral("recibo.xml"));
    QStringList args{QStringLiteral("recibo"),
                     pasta->Arquivo(QStringLiteral("Arquivos/GuiaVESK.HXF")),
                     QStringLiteral("--chave"),
                     QDir(certificados->path()).filePath(cert + QStringLiteral("/chave.pem")),
                     QStringLiteral("--certificado"),
                     QDir(certificados->path()).filePath(cert + QStringLiteral("/certificado.pem")),
                     QStringLiteral("--saida"),
                     saida,
                     QStringLiteral("--protocolo"),
                     QStringLiteral("PRT2026-000123"),
                     QStringLiteral("--data"),
                     QStringLiteral("11/12/2026")};
    EXPECT_EQ(Banco(args + extra, pasta->Caminho()), 0);
    return saida;
  }
  QString Protocolo(const QString &id = Nra) {
    return Valor(QStringLiteral(
                     "SELECT COALESCE(CO_PROTOCOLO, '') || '|' || COALESCE(CAST(DT_ENVIO_PROTOCOLO "
                     "AS DATE), '') FROM QZLTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '%1'")
                     .arg(id));
  }
  static QTemporaryDir *certificados;
};
QTemporaryDir *ReciboTeste::certificados = nullptr;

TEST_F(ReciboTeste, ReciboValidoGravaProtocoloEData) {
  for (const QString &cert : {QStringLiteral("valido"), QStringLiteral("vencido")}) {
    TImportacaoRecibo imp;
    ASSERT_TRUE(imp.Importar(Recibo({}, cert))) << imp.CodigoErro.toStdString();
    EXPECT_EQ(imp.Recibo.Identificador, Nra);
    EXPECT_EQ(imp.Recibo.Info, pasta->Arquivo(QStringLiteral("Arquivos/GuiaVESK.HXF")));
    EXPECT_EQ(Protocolo(), QStringLiteral("PRT2026-000123|2026-12-11"));
    Executar(QStringLiteral(
        "UPDATE QZLTBG13_ARQUIVO SET CO_PROTOCOLO = NULL, DT_ENVIO_PROTOCOLO = NULL"));
  }
  // Blanks and line breaks around the texts are not part of them.
  TImportacaoRecibo imp;
  ASSERT_TRUE(imp.Importar(Recibo({QStringLiteral("--defeito"), QStringLiteral("espacos")})))
      << imp.CodigoErro.toStdString();
  EXPECT_EQ(Protocolo(), QStringLiteral("PRT2026-000123|2026-12-11"));
}

TEST_F(ReciboTeste, ReciboComDefeitoNaoGravaNada) {
  const struct {
    QStringList args;
    const char *codigo;
  } casos[] = {
      {{"--defeito", "sem-rodape"}, "0385"},
      {{"--defeito", "sem-signature"}, "0385"},
      {{"--defeito", "sem-content_id"}, "0385"},
      {{"--defeito", "sem-protocol_id"}, "0385"},
      {{"--defeito", "sem-protocol_date"}, "0385"},
      {{"--defeito", "data-invalida"}, "0385"},
      {{"--defeito", "data-iso"}, "0385"},
      {{"--defeito", "protocolo-longo"}, "0385"},
      {{"--defeito", "entidade-externa"}, "0385"},
      {{"--defeito", "conteudo-alterado"}, "0491"},
      {{"--defeito", "destacada"}, "0491"},
      {{"--defeito", "lixo"}, "0491"},
      // Only termination collection files have company guides.
      {{"--identificador", NraSaldo}, "0486"},
      {{"--identificador", "000000000000000000000000000001"}, "0486"},
      // Guides without the record of their file.
      {{"--identificador", NraSemProtocolo}, "0487"},
  };
  for (const auto &c : casos) {
    SCOPED_TRACE(c.args.join(u' ').toStdString());
    TImportacaoRecibo imp;
    EXPECT_FALSE(imp.Importar(Recibo(c.args)));
    EXPECT_EQ(imp.CodigoErro, QString::fromLatin1(c.codigo));
    for (const QString &id : {Nra, NraSaldo})
      EXPECT_EQ(Protocolo(id), QStringLiteral("|"));
  }
  pasta->EscreverArquivo(QStringLiteral("nao.xml"), "isto nao eh xml <");
  TImportacaoRecibo imp;
  EXPECT_FALSE(imp.Importar(pasta->Arquivo(QStringLiteral("nao.xml"))));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0385"));
  EXPECT_FALSE(imp.Importar(pasta->Arquivo(QStringLiteral("naoexiste.xml"))));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0385"));
}

} // namespace
