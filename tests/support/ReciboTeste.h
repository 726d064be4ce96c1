#pragma once
// The sending receipt's fixture: a termination collection file sealed and
// recorded with one company guide, a balance request, guides without a
// record, and throwaway certificates for the bank's tool to sign receipts.
#include "envelope/uFuncoesLKW.h"
#include "interchange/unProtocolo.h"
#include "maintenance/unTBackup.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

inline const QString Nra = QStringLiteral("202612101345000001230000004521");
inline const QString NraSaldo = QStringLiteral("202612101350000001230000004599");
inline const QString NraSemProtocolo = QStringLiteral("202612101355000001230000004600");

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
  // Seals the envelope again as the closing leaves it: the file and the dump
  // of this file's company guides.
  void SelarComGuias() {
    const QString dump = pasta->Arquivo(QStringLiteral("dump"));
    QDir().mkpath(dump);
    TBackup::CreateTabela(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"),
                          TBackup::CondicaoIdentificador(Nra))
        .Exportar(dump);
    const QString nomeDump = QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA.txt");
    ASSERT_TRUE(QFile::copy(QDir(dump).filePath(nomeDump),
                            pasta->Arquivo(QStringLiteral("Arquivos/") + nomeDump)));
    pasta->EscreverArquivo(QStringLiteral("Arquivos/GuiaVESK.HX"), QByteArray(533, '0') + "\r\n");
    QFile::remove(pasta->Arquivo(QStringLiteral("Arquivos/GuiaVESK.HXF")));
    ASSERT_TRUE(EnvelopeArquivos(
        pasta->Arquivo(QStringLiteral("Arquivos/")), QStringLiteral("GuiaVESK.HXF"),
        {{QStringLiteral("tparquivo"), QStringLiteral("3")}, {QStringLiteral("nra"), Nra}},
        {QStringLiteral("GuiaVESK.HX"), nomeDump}));
  }
  static inline QTemporaryDir *certificados = nullptr;
};
