// The homologation records: loads with their companies and workers, the
// chain between them, the locate operations, the Null rules and deletes that
// leave no orphan rows.
#include "core/unUtilitarios.h"
#include "registry/unHomologacao.h"
#include "support/BancoTeste.h"

#include <QDate>

namespace {

class Homologacao : public BancoTeste {
protected:
  // A load with `empresas` companies (lines 2, 3, ...) of two workers each.
  QString NovaCarga(int empresas, qint64 pisBase = 10000000001LL) {
    TResponsavelHmlgo r;
    r.NU_TIPO_INSCRICAO_RESPONSA = 1;
    r.NU_INSCRICAO_RESPONSAVEL = 11222333000181LL;
    r.NO_RAZAO_SOCIAL = QStringLiteral("ESCRITORIO D'ÁVILA");
    r.TS_RETORNO_ARQUIVO = QDateParaData(QDate(2026, 12, 10));
    r.IC_ESTADO_HMLGO = QStringLiteral("1");
    r.CO_MENSAGEM = QStringLiteral("0000");
    r.DE_MENSAGEM = QString();
    EXPECT_TRUE(r.Incluir()) << r.CodigoErro.toStdString();
    int linha = 1;
    for (int e = 0; e < empresas; ++e) {
      TEmpresaHmlgo emp;
      emp.NU_IDENTIFICADOR_ARQUIVO = r.NU_IDENTIFICADOR_ARQUIVO;
      emp.NU_LINHA_ARQUIVO_EMPRESA = ++linha;
      emp.NU_IDENTIFICADOR_GUIA = 12345678901234567LL + e;
      emp.NU_TIPO_INSCRICAO_EMPRESA = 1;
      emp.NU_INSCRICAO_EMPRESA = 11222333000181LL;
      emp.NO_RAZAO_SOCIAL = QStringLiteral("EMPRESA %1").arg(e);
      emp.NU_ESTABELECIMENTO = 12345678901234LL;
      EXPECT_TRUE(emp.Incluir());
      const int linhaEmpresa = linha;
      for (int t = 0; t < 2; ++t) {
        TEmpregadoHmlgo w;
        w.NU_IDENTIFICADOR_ARQUIVO = r.NU_IDENTIFICADOR_ARQUIVO;
        w.NU_LINHA_ARQUIVO_EMPRESA = linhaEmpresa;
        w.NU_LINHA_ARQUIVO_EMPREGADO = ++linha;
        w.NU_PIS = pisBase + e * 10 + t;
        w.NU_CATEGORIA = 1;
        w.NU_EMPREGADO = 77;
        w.NO_EMPREGADO = QStringLiteral("TRABALHADOR %1").arg(t);
        w.DT_ADMISSAO = QDateParaData(QDate(2010, 1, 5));
        EXPECT_TRUE(w.Incluir());
      }
    }
    return r.NU_IDENTIFICADOR_ARQUIVO;
  }
  int Linhas(const QString &tabela, const QString &id) {
    return Contar(QStringLiteral("FROM %1 WHERE NU_IDENTIFICADOR_ARQUIVO = %2").arg(tabela, id));
  }
};

TEST_F(Homologacao, ChainFromLoadsToCompaniesToWorkers) {
  const QString a = NovaCarga(2);
  const QString b = NovaCarga(1);
  // Identifiers come from the generator, the first one included (the table
  // was empty when it was drawn).
  EXPECT_FALSE(a.isEmpty());
  EXPECT_EQ(b.toLongLong(), a.toLongLong() + 1);

  TResponsavelHmlgo r;
  r.CarregarTodos();
  EXPECT_EQ(r.QuantidadeRegistros(), 2);
  ASSERT_TRUE(r.LocalizarArquivo(a));
  EXPECT_EQ(r.NO_RAZAO_SOCIAL, QStringLiteral("ESCRITORIO D'ÁVILA"));
  EXPECT_EQ(r.NU_INSCRICAO_RESPONSAVEL, 11222333000181LL);
  EXPECT_EQ(r.DE_MENSAGEM, QString()); // '' kept, never Null
  EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM QZLTBG19_RESPONSAVEL_HMLGO WHERE "
                                 "DE_MENSAGEM IS NULL")),
            QStringLiteral("0"));
  TEmpresaHmlgo *empresas = r.Empresas();
  EXPECT_EQ(empresas->QuantidadeRegistros(), 2);
  ASSERT_TRUE(empresas->LocalizarLinhaEmpresa(a, 5));
  EXPECT_EQ(empresas->NO_RAZAO_SOCIAL, QStringLiteral("EMPRESA 1"));
  EXPECT_EQ(empresas->NU_IDENTIFICADOR_GUIA, 12345678901234568LL);
  TEmpregadoHmlgo *trab = empresas->Trabalhadores();
  EXPECT_EQ(trab->QuantidadeRegistros(), 2);
  ASSERT_TRUE(trab->LocalizarLinhaTrabalhador(7));
  EXPECT_EQ(trab->NO_EMPREGADO, QStringLiteral("TRABALHADOR 1"));
  EXPECT_EQ(trab->NU_PIS, 10000000012LL);
  EXPECT_FALSE(empresas->LocalizarLinhaEmpresa(a, 99));

  // Another load makes the next use of Empresas read that load's companies.
  ASSERT_TRUE(r.LocalizarArquivo(b));
  EXPECT_EQ(r.Empresas()->QuantidadeRegistros(), 1);
  EXPECT_EQ(r.Empresas()->NU_IDENTIFICADOR_ARQUIVO, b);
}

TEST_F(Homologacao, LocateEdgesLeaveTheCurrentRow) {
  const QString a = NovaCarga(1);
  NovaCarga(1);
  TResponsavelHmlgo r;
  r.CarregarTodos();
  ASSERT_TRUE(r.LocalizarArquivo(a));
  EXPECT_FALSE(r.LocalizarArquivo(QString()));
  EXPECT_FALSE(r.LocalizarArquivo(QStringLiteral("999999")));
  EXPECT_EQ(r.NU_IDENTIFICADOR_ARQUIVO, a);

  TEmpregadoHmlgo *t = r.Empresas()->Trabalhadores();
  ASSERT_TRUE(t->LocalizarLinhaTrabalhador(4));
  EXPECT_FALSE(t->LocalizarLinhaTrabalhador(-1));
  EXPECT_FALSE(t->LocalizarLinhaTrabalhador(40));
  EXPECT_EQ(t->NU_LINHA_ARQUIVO_EMPREGADO, 4);
}

TEST_F(Homologacao, PisSearchOverEveryLoadOrWithinOne) {
  const QString a = NovaCarga(1, 10000000001LL);
  const QString b = NovaCarga(1, 10000000001LL); // the same workers again
  TEmpregadoHmlgo t;
  EXPECT_EQ(t.CarregarPorPIS(QStringLiteral("100.00000.00-2")), 1);
  EXPECT_EQ(t.QuantidadeRegistros(), 2);
  EXPECT_EQ(t.CarregarPorPIS(QStringLiteral("10000000002"), b), 1);
  EXPECT_EQ(t.QuantidadeRegistros(), 1);
  EXPECT_EQ(t.NU_IDENTIFICADOR_ARQUIVO, b);
  EXPECT_EQ(t.NU_LINHA_ARQUIVO_EMPRESA, 2); // company lines repeat between loads
  EXPECT_EQ(t.CarregarPorPIS(QStringLiteral("19999999999")), 0);
  (void)a;
}

TEST_F(Homologacao, ZeroIsStoredAsNullExceptTheWorkersEstablishment) {
  const QString id = NovaCarga(0);
  TEmpresaHmlgo e;
  e.NU_IDENTIFICADOR_ARQUIVO = id;
  e.NU_LINHA_ARQUIVO_EMPRESA = 2;
  ASSERT_TRUE(e.Incluir());
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG20_EMPRESA_HMLGO WHERE NU_IDENTIFICADOR_GUIA IS NULL AND "
                            "NU_ESTABELECIMENTO IS NULL AND NU_INSCRICAO_EMPRESA IS NULL AND "
                            "NU_TIPO_INSCRICAO_EMPRESA IS NULL AND NO_RAZAO_SOCIAL = ''")),
      1);
  // The company line is the row's key: 0 becomes Null and the insert fails.
  e.NU_LINHA_ARQUIVO_EMPRESA = 0;
  EXPECT_FALSE(e.Incluir());
  EXPECT_EQ(e.CodigoErro, QStringLiteral("0144"));

  TEmpregadoHmlgo w;
  w.NU_IDENTIFICADOR_ARQUIVO = id;
  ASSERT_TRUE(w.Incluir());
  EXPECT_EQ(Contar(QStringLiteral(
                "FROM QZLTBG21_EMPREGADO_HMLGO WHERE NU_IDENTIFICADOR_GUIA IS NULL AND "
                "NU_ESTABELECIMENTO = 0 AND NU_LINHA_ARQUIVO_EMPRESA IS NULL AND NU_PIS IS NULL "
                "AND NU_CATEGORIA IS NULL AND NU_EMPREGADO IS NULL AND "
                "NU_LINHA_ARQUIVO_EMPREGADO IS NULL AND DT_ADMISSAO IS NULL AND "
                "CO_HOMOLOGACAO_VORDA = ''")),
            1);
}

TEST_F(Homologacao, DeletesTakeTheirDependentRows) {
  const QString a = NovaCarga(2);
  const QString b = NovaCarga(2);
  TResponsavelHmlgo r;
  r.CarregarTodos();
  ASSERT_TRUE(r.LocalizarArquivo(a));
  // A company goes with its workers; the other company and load stay.
  TEmpresaHmlgo *empresas = r.Empresas();
  EXPECT_TRUE(empresas->Excluir(2));
  EXPECT_EQ(Linhas(QStringLiteral("QZLTBG20_EMPRESA_HMLGO"), a), 1);
  EXPECT_EQ(Linhas(QStringLiteral("QZLTBG21_EMPREGADO_HMLGO"), a), 2);
  // Empty identifier: the current load, with everything under it.
  EXPECT_TRUE(r.Excluir());
  for (const char *t :
       {"QZLTBG19_RESPONSAVEL_HMLGO", "QZLTBG20_EMPRESA_HMLGO", "QZLTBG21_EMPREGADO_HMLGO"}) {
    EXPECT_EQ(Linhas(QLatin1String(t), a), 0) << t;
    EXPECT_GT(Linhas(QLatin1String(t), b), 0) << t;
  }
  TEmpregadoHmlgo t;
  EXPECT_EQ(t.CarregarPorPIS(QStringLiteral("10000000001")), 1);
  EXPECT_EQ(t.QuantidadeRegistros(), 1); // only the surviving load's worker
}

TEST_F(Homologacao, DeleteInTheCallersTransactionIsUndoneWithIt) {
  const QString a = NovaCarga(1);
  TResponsavelHmlgo r;
  IbxUtils->IniciarTransacao();
  EXPECT_TRUE(r.Excluir(a));
  IbxUtils->DesfazerTransacao();
  EXPECT_EQ(Linhas(QStringLiteral("QZLTBG19_RESPONSAVEL_HMLGO"), a), 1);
  EXPECT_EQ(Linhas(QStringLiteral("QZLTBG21_EMPREGADO_HMLGO"), a), 2);
}

} // namespace
