// The identification-key occurrence report read back through pdftotext:
// both titles, both key masks, "MOTIVO" on a line of its own, a page per
// company unless the load had no power of attorney, a rejected header-only
// load, and the selections of companies and workers.
#include "interchange/UThread.h"
#include "registry/unArqOcorrenciaChaveIdentificacao.h"
#include "reports/uRelOcorrenciaChave.h"
#include "support/EnvelopeTeste.h"
#include "support/RelatoriosTeste.h"

namespace {

class RelatorioChaveTeste : public BancoTeste {
protected:
  // Loads a file of the simulated bank; the identifiers of its loads.
  QStringList Carga(const QStringList &opcoes) {
    const QString arquivo = pasta->Arquivo(QStringLiteral("ocorrencia.txt"));
    QByteArray out;
    EXPECT_EQ(Banco(QStringList{QStringLiteral("chave"), arquivo} + opcoes, pasta->Caminho(), &out),
              0);
    TExecucaoArquivo e;
    e.Operacao = opOcorrenciaChave;
    e.NomeArquivo = arquivo;
    e.Executar();
    EXPECT_TRUE(e.Sucesso) << e.CodigoErro.toStdString();
    auto *c = dynamic_cast<TArqChaveIdentificacao *>(e.Objeto.get());
    return c ? c->CargasGravadas : QStringList();
  }
  QStringList Paginas(const TSelecaoOcorrenciaChave &s) {
    TRelOcorrenciaChaveIdentificacao rel;
    EXPECT_TRUE(rel.Preparar(s));
    const QString pdf = pasta->Arquivo(QStringLiteral("r.pdf"));
    QString erro;
    EXPECT_TRUE(ExportarPDF(rel, pdf, &erro)) << erro.toStdString();
    return rel_teste::TextoPaginas(pdf);
  }
};

TEST_F(RelatorioChaveTeste, MascarasEMensagens) {
  EXPECT_EQ(
      TRelOcorrenciaChaveIdentificacao::MascaraChave(QStringLiteral("1234567890123456789012 ")),
      QStringLiteral("1-23456789012-34567890-12"));
  EXPECT_EQ(
      TRelOcorrenciaChaveIdentificacao::MascaraChave(QStringLiteral("12345678901234567890123")),
      QStringLiteral("12-34567890123-45678901-23"));
  EXPECT_EQ(TRelOcorrenciaChaveIdentificacao::MascaraChave(QStringLiteral("   ")), QString());
  EXPECT_EQ(TRelOcorrenciaChaveIdentificacao::LinhasMensagem(
                QStringLiteral("Rejeitada. MOTIVO: PIS errado"), 80),
            (QStringList{QStringLiteral("Rejeitada."), QStringLiteral("MOTIVO PIS errado")}));
  const QStringList longa = TRelOcorrenciaChaveIdentificacao::LinhasMensagem(
      QString(30, u'x') + u' ' + QString(30, u'y') + u' ' + QString(30, u'z'), 62);
  EXPECT_EQ(longa.size(), 2);
}

TEST_F(RelatorioChaveTeste, AcatadaUmaPaginaPorEmpresaComChaves) {
  const QStringList cargas =
      Carga({QStringLiteral("--empresas"), QStringLiteral("3"), QStringLiteral("--trabalhadores"),
             QStringLiteral("2"), QStringLiteral("--rejeitar"), QStringLiteral("0")});
  ASSERT_EQ(cargas.size(), 1);
  TSelecaoOcorrenciaChave s;
  s.Identificador = cargas.first();
  const QStringList p = Paginas(s);
  ASSERT_EQ(p.size(), 3) << p.join(QStringLiteral("\n----\n")).toStdString();
  for (const QString &pagina : p) {
    EXPECT_TRUE(pagina.contains(QStringLiteral("RELATÓRIO DE MOVIMENTAÇÕES ACATADAS")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("RESPONSÁVEL: ")));
    EXPECT_EQ(pagina.count(QStringLiteral("CNPJ/CEI:")), 1);
    EXPECT_EQ(pagina.count(QStringLiteral("NOME DO TRABALHADOR:")), 2);
    EXPECT_EQ(pagina.count(QStringLiteral("CHAVE IDENTIFICAÇÃO:")), 2);
  }
  const QString tudo = p.join(u'\n');
  // Keys of 22 and of 23 characters, each under its mask.
  EXPECT_TRUE(tudo.contains(
      QRegularExpression(QStringLiteral("CHAVE IDENTIFICAÇÃO: \\d-\\d{11}-\\d{8}-\\d{2}\\s"))));
  EXPECT_TRUE(tudo.contains(
      QRegularExpression(QStringLiteral("CHAVE IDENTIFICAÇÃO: \\d{2}-\\d{11}-\\d{8}-\\d{2}\\s"))));
  EXPECT_TRUE(
      tudo.contains(QRegularExpression(QStringLiteral("DATA PREV. PAGTO: \\d\\d/\\d\\d/\\d{4}"))));
  EXPECT_TRUE(tudo.contains(QStringLiteral("\"verifique\"")));
  EXPECT_FALSE(tudo.contains(QStringLiteral("CÓDIGO/MENSAGEM DE ERRO")));

  // Chosen companies only, and chosen workers of one company.
  s.LinhasEmpresa = {2};
  EXPECT_EQ(Paginas(s).size(), 1);
  s.LinhasEmpresa.clear();
  s.LinhaEmpresa = 2;
  s.LinhasEmpregado = {4};
  const QStringList um = Paginas(s);
  ASSERT_EQ(um.size(), 1);
  EXPECT_EQ(um.first().count(QStringLiteral("NOME DO TRABALHADOR:")), 1);
}

TEST_F(RelatorioChaveTeste, RejeitadaMotivoELoteSemProcuracao) {
  const QStringList cargas =
      Carga({QStringLiteral("--cabecalhos"), QStringLiteral("3"), QStringLiteral("--empresas"),
             QStringLiteral("6"), QStringLiteral("--estado"), QStringLiteral("2")});
  ASSERT_EQ(cargas.size(), 3); // outcomes 2, 0, 1 in turn
  TSelecaoOcorrenciaChave s;
  s.Identificador = cargas[0];
  const QStringList rejeitada = Paginas(s);
  ASSERT_EQ(rejeitada.size(), 2);
  const QString r = rejeitada.join(u'\n');
  EXPECT_TRUE(r.contains(QStringLiteral("RELATÓRIO DE MOVIMENTAÇÕES REJEITADAS")));
  EXPECT_TRUE(r.contains(QStringLiteral("CÓDIGO/MENSAGEM DE ERRO: 0115 / ")));
  EXPECT_FALSE(r.contains(QStringLiteral("CHAVE IDENTIFICAÇÃO")));
  // "MOTIVO:" opens a line of its own, without the colon.
  EXPECT_TRUE(r.contains(QRegularExpression(QStringLiteral("\\n\\s*MOTIVO identificação"))));
  EXPECT_FALSE(r.contains(QStringLiteral("MOTIVO:")));

  // No power of attorney: the companies share pages and no worker band prints.
  s.Identificador = cargas[1];
  const QStringList semProcuracao = Paginas(s);
  ASSERT_EQ(semProcuracao.size(), 1);
  EXPECT_TRUE(semProcuracao.first().contains(QStringLiteral("REJEITADAS")));
  EXPECT_EQ(semProcuracao.first().count(QStringLiteral("CNPJ/CEI:")), 2);
  EXPECT_FALSE(semProcuracao.first().contains(QStringLiteral("NOME DO TRABALHADOR")));
}

TEST_F(RelatorioChaveTeste, CargaRejeitadaSoComCabecalho) {
  const QStringList cargas = Carga({QStringLiteral("--empresas"), QStringLiteral("0"),
                                    QStringLiteral("--estado"), QStringLiteral("2")});
  ASSERT_EQ(cargas.size(), 1);
  TSelecaoOcorrenciaChave s;
  s.Identificador = cargas.first();
  const QStringList p = Paginas(s);
  ASSERT_EQ(p.size(), 1);
  EXPECT_TRUE(p.first().contains(QStringLiteral("RELATÓRIO DE MOVIMENTAÇÕES REJEITADAS")));
  EXPECT_TRUE(p.first().contains(QStringLiteral("Arquivo rejeitado.")));
  EXPECT_TRUE(
      p.first().contains(QRegularExpression(QStringLiteral("\\n\\s*MOTIVO identificação"))));
  EXPECT_FALSE(p.first().contains(QStringLiteral("CNPJ/CEI:")));
  // A load that is gone has nothing to print.
  TRelOcorrenciaChaveIdentificacao rel;
  s.Identificador = QStringLiteral("999999");
  EXPECT_FALSE(rel.Preparar(s));
}

} // namespace
