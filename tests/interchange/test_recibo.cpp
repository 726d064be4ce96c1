// The sending receipt: the bank's answer to a sent envelope, made by the
// simulated bank's tool with a throwaway certificate, imported onto the
// sent file's record.
#include "core/unUtilitarios.h"
#include "interchange/unReciboEnvio.h"
#include "support/ReciboTeste.h"

#include <gtest/gtest.h>

namespace {

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

// A receipt of a file whose guides were lost (an older backup restored):
// the sent envelope's company-guide dump brings them back, and only after
// that is the protocol stored. A broken envelope brings nothing.
TEST_F(ReciboTeste, GuiasPerdidasRecuperadasDoEnvelope) {
  SelarComGuias();
  const QString recibo = Recibo({});
  Executar(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA"));

  TImportacaoRecibo imp;
  EXPECT_FALSE(imp.Importar(recibo));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0486"));
  EXPECT_TRUE(imp.GuiasRecuperaveis);
  EXPECT_EQ(imp.EnvelopeProposto(), pasta->Arquivo(QStringLiteral("Arquivos/GuiaVESK.HXF")));
  EXPECT_EQ(Protocolo(), QStringLiteral("|"));

  // A damaged copy of the envelope is refused and loads nothing.
  QFile original(imp.EnvelopeProposto());
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  QByteArray bytes = original.readAll();
  const QByteArray antes = bytes;
  bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x5A);
  pasta->EscreverArquivo(QStringLiteral("estragado.HXF"), bytes);
  EXPECT_FALSE(imp.RecuperarGuias(pasta->Arquivo(QStringLiteral("estragado.HXF"))));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0488"));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")), 0);

  ASSERT_TRUE(imp.RecuperarGuias(imp.EnvelopeProposto())) << imp.CodigoErro.toStdString();
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA WHERE NU_IDENTIFICADOR_ARQUIVO = '") +
             Nra + QStringLiteral("' AND NO_RAZAO_SOCIAL = 'PADARIA'")),
      1);
  ASSERT_TRUE(imp.Importar(recibo)) << imp.CodigoErro.toStdString();
  EXPECT_EQ(Protocolo(), QStringLiteral("PRT2026-000123|2026-12-11"));
  // The sent envelope itself is as it was.
  original.seek(0);
  EXPECT_EQ(original.readAll(), antes);

  // A balance request's receipt has no guides to recover.
  TImportacaoRecibo saldo;
  EXPECT_FALSE(saldo.Importar(Recibo({QStringLiteral("--identificador"), NraSaldo})));
  EXPECT_FALSE(saldo.GuiasRecuperaveis);
}

} // namespace
