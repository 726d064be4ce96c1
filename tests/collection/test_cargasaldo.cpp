// The balance load: the bank's answer (tools/banco saldo) to a request for
// links imported from a generated payroll file, loaded into the balance
// accounts and read back.
#include "support/MutacaoArquivos.h"
#include "support/SaldoTeste.h"

#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/unUtilitarios.h"

#include <QDate>
#include <QHash>
#include <QProcess>

namespace L = LayoutSaldo;

namespace {
QString Centavos(const QString &coluna) {
  return QStringLiteral("CAST(%1 * 100 AS BIGINT)").arg(coluna);
}

QString DataLida(const QString &ddmmyyyy) {
  return QDate::fromString(ddmmyyyy, QStringLiteral("ddMMyyyy")).toString(Qt::ISODate);
}

std::string Listar(const std::vector<TInconsistenciaLida> &l) {
  std::string s;
  for (const auto &i : l)
    s += QStringLiteral("[%1 linha %2 reg %3 \"%4\"] ")
             .arg(i.Mensagem)
             .arg(i.Linha)
             .arg(i.Registro, i.Conteudo)
             .toStdString();
  return s;
}
} // namespace

class CargaSaldoTeste : public SaldoTeste {
protected:
  void SetUp() override {
    SaldoTeste::SetUp();
    // Every link with balance complements, so that their totals can be seen.
    ImportarFolha({QStringLiteral("--empresas"), QStringLiteral("2"), QStringLiteral("--vinculos"),
                   QStringLiteral("6"), QStringLiteral("--complementos"), QStringLiteral("1")});
  }
  int Contas() { return Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT")); }
  int Vinculos() { return Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO")); }
  // Key condition of the link of a worker line of the balance file.
  static QString ChaveDaLinha(const QString &l) {
    return QStringLiteral("NU_TIPO_INSO_EMPRA = %1 AND NU_INSCRICAO = %2 AND NU_PIS = %3 AND "
                          "NU_CATEGORIA = %4 AND DT_ADMISSAO_VINCULO = '%5'")
        .arg(LerCampo(l, L::Conta[L::ctTipoInscricao]))
        .arg(LerCampo(l, L::Conta[L::ctInscricao]).toLongLong())
        .arg(LerCampo(l, L::Conta[L::ctPIS]).toLongLong())
        .arg(LerCampo(l, L::Conta[L::ctCategoria]).toInt())
        .arg(DataLida(LerCampo(l, L::Conta[L::ctDataAdmissao])));
  }
  QStringList LinhasConta(const QString &arquivo) {
    QStringList r;
    for (const QString &l : LerLinhas(arquivo))
      if (l.startsWith(u'2'))
        r << l;
    return r;
  }
};

TEST_F(CargaSaldoTeste, CadaContaGravadaComoOBancoEnviou) {
  const QString arquivo = Responder({QStringLiteral("--contas"), QStringLiteral("2")});
  const QStringList linhas = LerLinhas(arquivo);
  ASSERT_TRUE(Carregar(arquivo)) << Listar(Inconsistencias(2));
  EXPECT_TRUE(Inconsistencias(2).empty());
  EXPECT_EQ(carga->ContasGravadas, 2 * Vinculos());
  EXPECT_EQ(Contas(), 2 * Vinculos());
  EXPECT_FALSE(carga->ContasPendentes);

  const QString gravacao = DataLida(LerCampo(linhas.first(), L::Cabecalho[L::cbDataGravacao]));
  QString empresa;
  int vistas = 0;
  for (const QString &l : linhas) {
    if (l.startsWith(u'1'))
      empresa = l;
    if (!l.startsWith(u'2'))
      continue;
    ++vistas;
    const QString onde = QStringLiteral(" FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") +
                         ChaveDaLinha(l) + QStringLiteral(" AND NU_EMPREGADO_VORDA = ") +
                         QString::number(LerCampo(l, L::Conta[L::ctEmpregadoVorda]).toLongLong());
    ASSERT_EQ(Contar(onde), 1) << l.toStdString();
    auto coluna = [&](const QString &c) { return Valor(QStringLiteral("SELECT ") + c + onde); };
    EXPECT_EQ(coluna(Centavos(QStringLiteral("VR_SALDO_RESCISORIO"))).toLongLong(),
              LerCampo(l, L::Conta[L::ctSaldo]).toLongLong());
    EXPECT_EQ(coluna(QStringLiteral("NO_EMPREGADO")), LerCampo(l, L::Conta[L::ctNome]).trimmed());
    EXPECT_EQ(coluna(QStringLiteral("NU_SITUACAO_PIS")).toInt(),
              LerCampo(l, L::Conta[L::ctSituacaoPis]).toInt());
    EXPECT_EQ(coluna(QStringLiteral("NU_SITUACAO_CONTA_EMPREGADO")).toInt(),
              LerCampo(l, L::Conta[L::ctSituacaoConta]).toInt());
    EXPECT_EQ(coluna(QStringLiteral("AA_MAIOR_COMPETENCIA")).toInt(),
              LerCampo(l, L::Conta[L::ctAnoCompetencia]).toInt());
    EXPECT_EQ(coluna(QStringLiteral("MM_MAIOR_COMPETENCIA")).toInt(),
              LerCampo(l, L::Conta[L::ctMesCompetencia]).toInt());
    EXPECT_EQ(coluna(QStringLiteral("CAST(DT_GRAVACAO_ARQUIVO AS VARCHAR(10))")), gravacao);
    // The fields the worker record does not carry come from the employer
    // record read last.
    EXPECT_EQ(coluna(QStringLiteral("NU_EMPRESA_VORDA")).toLongLong(),
              LerCampo(empresa, L::Empresa[L::emEmpresaVorda]).toLongLong());
    EXPECT_EQ(coluna(QStringLiteral("NU_SITUACAO_CONTA_EMPRESA")).toInt(),
              LerCampo(empresa, L::Empresa[L::emSituacao]).toInt());
    EXPECT_EQ(coluna(QStringLiteral("CAST(DT_CREDITO_JUROS AS VARCHAR(10))")),
              DataLida(LerCampo(empresa, L::Empresa[L::emDataCredito])));
  }
  EXPECT_EQ(vistas, 2 * Vinculos());

  // Each link's termination balance is the sum of its accounts, from the bank.
  EXPECT_EQ(Contar(QStringLiteral(
                "FROM QZLTBG06_INFORMACAO_RESCISAO R WHERE R.IC_ORIGEM_SALDO_RESCISORIO = 'C' AND "
                "R.VR_SALDO_RESCISORIO = (SELECT SUM(C.VR_SALDO_RESCISORIO) FROM "
                "QZLTBG10_CONTA_EMPREGADO_ZELT C WHERE C.NU_TIPO_INSO_EMPRA = R.NU_TIPO_INSO_EMPRA "
                "AND C.NU_INSCRICAO = R.NU_INSCRICAO AND C.NU_PIS = R.NU_PIS AND C.NU_CATEGORIA = "
                "R.NU_CATEGORIA AND C.DT_ADMISSAO_VINCULO = R.DT_ADMISSAO_VINCULO)")),
            Contar(QStringLiteral(
                "FROM QZLTBG06_INFORMACAO_RESCISAO R JOIN QZLTBG04_VINCULO_EMPREGATICIO V ON "
                "V.NU_TIPO_INSO_EMPRA = R.NU_TIPO_INSO_EMPRA AND V.NU_INSCRICAO = R.NU_INSCRICAO "
                "AND V.NU_PIS = R.NU_PIS AND V.NU_CATEGORIA = R.NU_CATEGORIA AND "
                "V.DT_ADMISSAO_VINCULO = R.DT_ADMISSAO_VINCULO WHERE COALESCE(V.CO_MOVIMENTACAO, "
                "'') <> 'I3' AND COALESCE(R.VR_DISSIDIO, 0) = 0")));
  // The request is marked as answered.
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(identificador)),
            QStringLiteral("S"));

  // A second load replaces the accounts instead of adding to them.
  ASSERT_TRUE(Carregar(arquivo));
  EXPECT_EQ(Contas(), 2 * Vinculos());
}

TEST_F(CargaSaldoTeste, CentavosExatos) {
  // The largest balance the field holds and amounts that a double misses.
  for (const char *saldo : {"9999999999999", "29", "115", "435", "123456"}) {
    const QString arquivo = Responder({QStringLiteral("--saldo"), QString::fromLatin1(saldo)});
    ASSERT_TRUE(Carregar(arquivo)) << saldo << Listar(Inconsistencias(2));
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %1 <> %2")
                         .arg(Centavos(QStringLiteral("VR_SALDO_RESCISORIO")),
                              QString::fromLatin1(saldo))),
              0)
        << saldo;
  }
}

// Every chosen fault of the generator reaches its message, line and record;
// structure and header faults store nothing, totals faults store everything,
// an employer's fault skips its accounts, an account's fault only itself.
TEST_F(CargaSaldoTeste, TabelaDeFalhas) {
  QProcess p;
  p.start(QStringLiteral("python3"),
          {QStringLiteral(VESK_SOURCE_DIR "/tools/banco/banco.py"), QStringLiteral("saldo"),
           QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("--falha"),
           QStringLiteral("listar")});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QStringList falhas =
      QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_GE(falhas.size(), 30);
  // What each fault leaves stored: nothing, every account, all but the
  // first employer's, all but one account.
  enum Efeito { Nada, Tudo, MenosEmpresa, MenosConta };
  const QHash<QString, Efeito> efeitos = {{QStringLiteral("duas-linhas"), Nada},
                                          {QStringLiteral("tipo-invalido"), Nada},
                                          {QStringLiteral("cabecalho-repetido"), Nada},
                                          {QStringLiteral("empresa-sem-conta"), Nada},
                                          {QStringLiteral("remessa"), Nada},
                                          {QStringLiteral("servico"), Nada},
                                          {QStringLiteral("zelt"), Nada},
                                          {QStringLiteral("identificador"), Nada},
                                          {QStringLiteral("gravacao"), Nada},
                                          {QStringLiteral("brancos"), Nada},
                                          {QStringLiteral("zeros-cabecalho"), Nada},
                                          {QStringLiteral("quantidade-empresa"), Tudo},
                                          {QStringLiteral("total-empresa"), Tudo},
                                          {QStringLiteral("quantidade-empresas"), Tudo},
                                          {QStringLiteral("quantidade-contas"), Tudo},
                                          {QStringLiteral("quantidade-trailers"), Tudo},
                                          {QStringLiteral("total-geral"), Tudo},
                                          {QStringLiteral("situacao-empresa-1"), MenosEmpresa},
                                          {QStringLiteral("situacao-empresa-2"), MenosEmpresa},
                                          {QStringLiteral("situacao-empresa-9"), MenosEmpresa},
                                          {QStringLiteral("nome-empresa"), MenosEmpresa},
                                          {QStringLiteral("credito"), MenosEmpresa},
                                          {QStringLiteral("contabil"), MenosEmpresa},
                                          {QStringLiteral("zeros-empresa"), MenosEmpresa},
                                          {QStringLiteral("categoria"), MenosConta},
                                          {QStringLiteral("pis"), MenosConta},
                                          {QStringLiteral("situacao-conta"), MenosConta},
                                          {QStringLiteral("competencia"), MenosConta},
                                          {QStringLiteral("mes-competencia"), MenosConta},
                                          {QStringLiteral("saldo-inativa"), MenosConta},
                                          {QStringLiteral("nome-excluida"), MenosConta},
                                          {QStringLiteral("zeros-conta"), MenosConta},
                                          {QStringLiteral("saldo-letra"), MenosConta},
                                          {QStringLiteral("vinculo-desconhecido"), MenosConta}};
  const int total = Vinculos();
  const QString primeiraEmpresa = Valor(
      QStringLiteral("SELECT FIRST 1 NU_INSCRICAO FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY "
                     "NU_TIPO_INSO_EMPRA, NU_INSCRICAO"));
  const int daPrimeira = Contar(
      QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = ") + primeiraEmpresa);
  for (const QString &falha : falhas) {
    SCOPED_TRACE(falha.toStdString());
    Executar(QStringLiteral("DELETE FROM QZLTBG10_CONTA_EMPREGADO_ZELT"));
    std::vector<TInconsistenciaLida> esperados;
    const QString arquivo = Responder({QStringLiteral("--falha"), falha}, &esperados);
    EXPECT_FALSE(Carregar(arquivo));
    const auto lidas = Inconsistencias(2);
    ASSERT_EQ(lidas.size(), esperados.size()) << Listar(lidas);
    for (size_t i = 0; i < lidas.size(); ++i) {
      EXPECT_EQ(lidas[i].Mensagem, esperados[i].Mensagem) << Listar(lidas);
      EXPECT_EQ(lidas[i].Linha, esperados[i].Linha) << Listar(lidas);
      EXPECT_EQ(lidas[i].Registro, esperados[i].Registro) << Listar(lidas);
    }
    ASSERT_TRUE(efeitos.contains(falha)) << "falha sem efeito esperado";
    const Efeito e = efeitos.value(falha);
    const int gravadas = e == Nada           ? 0
                         : e == Tudo         ? total
                         : e == MenosEmpresa ? total - daPrimeira
                                             : total - 1;
    EXPECT_EQ(Contas(), gravadas);
    EXPECT_EQ(carga->CodigoErro, gravadas > 0 ? QStringLiteral("0253") : QStringLiteral("0402"));
  }
}

TEST_F(CargaSaldoTeste, EstruturaInvalidaNaoGravaNada) {
  // Not readable at all.
  EXPECT_FALSE(Carregar(pasta->Arquivo(QStringLiteral("nenhum.txt"))));
  auto lidas = Inconsistencias(2);
  ASSERT_EQ(lidas.size(), 1u);
  EXPECT_EQ(lidas[0].Mensagem, 151);
  EXPECT_EQ(carga->CodigoErro, QStringLiteral("0402"));

  // An employer with situation 3 may be followed by its trailer at once.
  const QString insc = Valor(
      QStringLiteral("SELECT FIRST 1 NU_INSCRICAO FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY "
                     "NU_TIPO_INSO_EMPRA, NU_INSCRICAO"));
  EXPECT_FALSE(
      Carregar(Responder({QStringLiteral("--situacao-empresa"), insc + QStringLiteral("=3")})));
  EXPECT_TRUE(Inconsistencias(2).empty()) << Listar(Inconsistencias(2));
  EXPECT_GT(Contas(), 0);
}

TEST_F(CargaSaldoTeste, LinhaCurtaNuncaEIgnorada) {
  QStringList linhas = LerLinhas(Responder({}));
  linhas[2] = linhas[2].left(100);
  EXPECT_FALSE(Carregar(Gravar(linhas, QStringLiteral("curta.txt"))));
  const auto lidas = Inconsistencias(2);
  ASSERT_FALSE(lidas.empty());
  for (const auto &i : lidas) {
    EXPECT_EQ(i.Linha, 3);
    EXPECT_TRUE(i.Mensagem == 11 || i.Mensagem == 13) << Listar(lidas);
  }
  EXPECT_EQ(Contas(), Vinculos() - 1);
}

TEST_F(CargaSaldoTeste, VinculoSubstituidoUmaVezMesmoComRegistrosSeparados) {
  // First load: every link gets two accounts.
  ASSERT_TRUE(Carregar(Responder({QStringLiteral("--contas"), QStringLiteral("2")})));
  // The second file holds the two accounts of the first link apart, with
  // another link's accounts between them.
  QStringList linhas = LerLinhas(Responder({QStringLiteral("--contas"), QStringLiteral("2"),
                                            QStringLiteral("--semente"), QStringLiteral("7")},
                                           nullptr, QStringLiteral("segundo.txt")));
  ASSERT_TRUE(linhas[2].startsWith(u'2') && linhas[4].startsWith(u'2'));
  std::swap(linhas[3], linhas[4]);
  ASSERT_EQ(ChaveDaLinha(linhas[2]), ChaveDaLinha(linhas[4]));
  ASSERT_NE(ChaveDaLinha(linhas[2]), ChaveDaLinha(linhas[3]));
  ASSERT_TRUE(Carregar(Gravar(linhas, QStringLiteral("separado.txt"))))
      << Listar(Inconsistencias(2));
  EXPECT_EQ(Contas(), 2 * Vinculos());
  for (int i : {2, 3, 4})
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %1 AND "
                                    "NU_EMPREGADO_VORDA = %2")
                         .arg(ChaveDaLinha(linhas[i]))
                         .arg(LerCampo(linhas[i], L::Conta[L::ctEmpregadoVorda]).toLongLong())),
              1)
        << i;
}

// Links in a run (1), closed (2) and processed (3) are put aside, listed once
// per link, and applied only when confirmed: all their accounts, state 0,
// computed columns of closed links cleared, complement totals recomputed.
TEST_F(CargaSaldoTeste, ContasAParteAplicadasQuandoConfirmadas) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT FIRST 3 NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO "
      "FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS"));
  QList<TChaveVinculo> chaves;
  for (ds->First(); !ds->Eof(); ds->Next())
    chaves.append({ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(), ds->Fields(2).AsInt64(),
                   ds->Fields(3).AsInteger(), ds->Fields(4).AsDateTime()});
  ASSERT_EQ(chaves.size(), 3);
  for (int i = 0; i < 3; ++i) {
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = %1 "
                            "WHERE %2")
                 .arg(i + 1)
                 .arg(chaves[i].Condicao()));
    // A stored account that the confirmation replaces, and computed columns
    // and a complement total that must not stay as they are.
    Executar(QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "NU_EMPREGADO_VORDA, VR_SALDO_RESCISORIO) VALUES (%1, %2, %3, %4, %5, "
                            "1, 7.77)")
                 .arg(chaves[i].Tipo)
                 .arg(chaves[i].Inscricao)
                 .arg(chaves[i].PIS)
                 .arg(chaves[i].Categoria)
                 .arg(TUtilitarios::DataSQL(chaves[i].Admissao)));
    Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_RESCISAO = 5, "
                            "VR_DEPOSITO_CMPLO_SALDO = 999 WHERE %1")
                 .arg(chaves[i].Condicao()));
  }
  const QString arquivo = Responder({QStringLiteral("--contas"), QStringLiteral("2")});
  ASSERT_TRUE(Carregar(arquivo)) << Listar(Inconsistencias(2));
  EXPECT_TRUE(carga->ContasPendentes);
  EXPECT_EQ(carga->Pendentes.size(), 6);
  const QList<TContaCarregada> porVinculo = carga->VinculosPendentes();
  ASSERT_EQ(porVinculo.size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(porVinculo[i].Chave, chaves[i]);
    EXPECT_EQ(porVinculo[i].Estado, i + 1);
    // Nothing of a put-aside link is stored by the load.
    EXPECT_EQ(
        Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") + chaves[i].Condicao()),
        1);
  }
  EXPECT_EQ(carga->ContasGravadas, 2 * (Vinculos() - 3));

  bool regulares = true;
  ASSERT_TRUE(carga->AplicarPendentes(chaves, regulares)) << carga->CodigoErro.toStdString();
  EXPECT_TRUE(regulares);
  EXPECT_EQ(Contas(), 2 * Vinculos());
  for (int i = 0; i < 3; ++i) {
    const QString onde = chaves[i].Condicao();
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") + onde +
                     QStringLiteral(" AND NU_EMPREGADO_VORDA <> 1")),
              2);
    EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM "
                                   "QZLTBG04_VINCULO_EMPREGATICIO WHERE ") +
                    onde),
              QStringLiteral("0"));
    // Stored under the registered name.
    EXPECT_EQ(
        Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT C JOIN "
                              "QZLTBG03_EMPREGADO E ON E.NU_PIS = C.NU_PIS WHERE C.") +
               chaves[i].Condicao().replace(QStringLiteral(" AND "), QStringLiteral(" AND C.")) +
               QStringLiteral(" AND C.NO_EMPREGADO = E.NO_EMPREGADO")),
        2);
    const QString deposito = Valor(
        QStringLiteral("SELECT VR_DEPOSITO_RESCISAO FROM QZLTBG06_INFORMACAO_RESCISAO WHERE ") +
        onde);
    if (i == 0)
      EXPECT_FALSE(deposito.isEmpty()) << "a link of an open run keeps its columns";
    else
      EXPECT_TRUE(deposito.isEmpty() || deposito.toDouble() == 0) << i;
    // The complement total is the sum of the link's complements again.
    ASSERT_GT(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO WHERE ") + onde), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT VR_DEPOSITO_CMPLO_SALDO FROM "
                                   "QZLTBG06_INFORMACAO_RESCISAO WHERE ") +
                    onde),
              Valor(QStringLiteral("SELECT SUM(VR_DEPOSITO) FROM QZLTBG07_COMPLEMENTO_SALDO "
                                   "WHERE ") +
                    onde));
  }
}

TEST_F(CargaSaldoTeste, EmpresaSituacao3ExcluiContasMenosDeVinculosFechados) {
  ASSERT_TRUE(Carregar(Responder({})));
  const QString insc = Valor(
      QStringLiteral("SELECT FIRST 1 NU_INSCRICAO FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY "
                     "NU_TIPO_INSO_EMPRA, NU_INSCRICAO"));
  const QString fechado =
      Valor(QStringLiteral(
                "SELECT FIRST 1 NU_PIS FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = %1")
                .arg(insc));
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE "
                          "NU_PIS = ") +
           fechado);
  const int daEmpresa =
      Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = ") + insc);
  EXPECT_FALSE(
      Carregar(Responder({QStringLiteral("--situacao-empresa"), insc + QStringLiteral("=3")})));
  EXPECT_EQ(carga->CodigoErro, QStringLiteral("0253"));
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_INSCRICAO = ") + insc), 1);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE NU_PIS = ") + fechado),
            1);
  EXPECT_EQ(Contas(), Vinculos() - daEmpresa + 1);
}

TEST_F(CargaSaldoTeste, SituacoesDoPisENomes) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT FIRST 3 NU_PIS FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY NU_TIPO_INSO_EMPRA, "
      "NU_INSCRICAO, NU_PIS"));
  QStringList pis;
  for (ds->First(); !ds->Eof(); ds->Next())
    pis << QString::number(ds->Fields(0).AsInt64()).rightJustified(11, u'0');
  ASSERT_EQ(pis.size(), 3);
  // PIS situation 2 with the bank's own name: a name divergence, regular.
  // PIS situation 2 with the registered name, and one account in situation 1:
  // irregular, the load ends with 0253 although the last account is regular.
  ASSERT_FALSE(
      Carregar(Responder({QStringLiteral("--situacao-pis"), pis[0] + QStringLiteral("=2"),
                          QStringLiteral("--nome-diferente"), pis[0],
                          QStringLiteral("--situacao-pis"), pis[1] + QStringLiteral("=2"),
                          QStringLiteral("--situacao-conta"), pis[2] + QStringLiteral("=1")})));
  EXPECT_TRUE(Inconsistencias(2).empty()) << Listar(Inconsistencias(2));
  EXPECT_EQ(carga->CodigoErro, QStringLiteral("0253"));
  EXPECT_TRUE(carga->AlteracaoRegistrada);
  EXPECT_EQ(Contas(), Vinculos());
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE NU_TIPO_ALTERACAO = 406 "
                                  "AND IC_CONFIRMACAO = 'N' AND NU_PIS = ") +
                   pis[0]),
            1);
  EXPECT_EQ(Valor(QStringLiteral("SELECT DE_CONTEUDO_ANTERIOR FROM QZLTBG05_ALTERACAO_CADASTRAL "
                                 "WHERE NU_PIS = ") +
                  pis[0]),
            Valor(QStringLiteral("SELECT NO_EMPREGADO FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE "
                                 "NU_PIS = ") +
                  pis[0]));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG05_ALTERACAO_CADASTRAL")), 1);
  // A second load updates the divergence instead of adding another.
  ASSERT_FALSE(
      Carregar(Responder({QStringLiteral("--situacao-pis"), pis[0] + QStringLiteral("=2"),
                          QStringLiteral("--nome-diferente"), pis[0],
                          QStringLiteral("--situacao-pis"), pis[1] + QStringLiteral("=2")})));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG05_ALTERACAO_CADASTRAL")), 1);
}

TEST_F(CargaSaldoTeste, CancelarEmQualquerPassoNaoGravaNada) {
  const QString Lista = QStringLiteral(
      "SELECT LIST(C) FROM (SELECT NU_EMPREGADO_VORDA || ':' || VR_SALDO_RESCISORIO AS C FROM "
      "QZLTBG10_CONTA_EMPREGADO_ZELT ORDER BY NU_EMPREGADO_VORDA)");
  const QString arquivo = Responder({QStringLiteral("--contas"), QStringLiteral("2")});
  const int linhas = LerLinhas(arquivo).size();
  ASSERT_TRUE(Carregar(arquivo));
  const QString antes = Valor(Lista);
  const QString outro = Responder({QStringLiteral("--contas"), QStringLiteral("2"),
                                   QStringLiteral("--semente"), QStringLiteral("9")},
                                  nullptr, QStringLiteral("outro.txt"));
  // Every pass and the storing pass (4 passes of the lines, then the accounts).
  for (int em : {1, linhas + 1, 2 * linhas + 1, 3 * linhas + 1, 4 * linhas + 2}) {
    TProgressoTeste progresso;
    progresso.CancelarEm = em;
    EXPECT_FALSE(Carregar(outro, &progresso)) << em;
    EXPECT_EQ(Valor(Lista), antes) << em;
  }
}

TEST_F(CargaSaldoTeste, MutantesDaCargaRecusadosSemDanos) {
  QFile f(Responder({QStringLiteral("--contas"), QStringLiteral("2")}));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  TLeitorMutavel l;
  l.Nome = QStringLiteral("carga de saldo");
  l.Valido = f.readAll();
  // The load keeps the good records of a damaged file (one transaction per
  // account) and a name divergence alone makes its result false without a
  // list: what every mutant must show here is a clean end, in time, with no
  // transaction left open.
  l.NumeroArquivo = tiCargaSaldo;
  l.ListaObrigatoria = false;
  l.Ler = [](const QString &caminho) {
    TArqCargaSaldo a;
    a.NomeArquivo = caminho;
    a.DataCarga = Hoje();
    return a.Importar();
  };
  VerificarMutantes(l, pasta->Caminho(), 200);
}
