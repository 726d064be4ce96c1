// Import of the bank's index archive: archives written by tools/banco
// (valid ones and each fault), the four tables compared through isql-fb, the
// cached edition date and calendar, the balance complements of open links,
// and the check number of the companion files.
#include "collection/CalculoTeste.h"
#include "core/unInicializacao.h"
#include "core/unTDiaUtil.h"
#include "core/unUtilitarios.h"
#include "interchange/unImportacaoIndice.h"
#include "support/ConexaoTeste.h"
#include "support/IndicesTeste.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <ctime>

namespace {

QString Defeito(const char *nome) {
  return ArquivoIndices({QStringLiteral("--defeito"), QString::fromLatin1(nome)});
}

QString Isql(const QString &banco, const QString &script) {
  QProcess p;
  p.start(QStringLiteral("isql-fb"),
          {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
           QStringLiteral("-password"), QStringLiteral("tulipvane"), banco});
  p.waitForStarted();
  p.write(script.toUtf8());
  p.closeWriteChannel();
  p.waitForFinished(300000);
  return QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
}

// Row count and an order-free fingerprint of every row of the four tables.
const char *const Impressao =
    "SET HEADING OFF;\n"
    "SELECT 'DIA', COUNT(*), SUM(MOD(HASH(DT_UTIL), 1000000007)) FROM QZLTBT15_DIA_UTIL;\n"
    "SELECT 'GUIA', COUNT(*), SUM(MOD(HASH(DT_EDITAL_GUIA || '|' || DT_VENCIMENTO || '|' || "
    "DT_RCLTO_INDICE_RESCISORIA || '|' || VR_INDICE || '|' || VR_INDICE_MULTA_RESCISORIA), "
    "1000000007)) "
    "FROM QZLTBT16_INDICE_GUIA_RESCISORIA;\n"
    "SELECT 'SIMPL', COUNT(*), SUM(MOD(HASH(DT_EDITAL_SIMPLIFICADO || '|' || "
    "DT_COMPETENCIA_SIMPLIFICADO || '|' || IN_JAM_OPCAO_67 || IN_JAM_OPCAO_68 || IN_JAM_OPCAO_69 "
    "|| IN_JAM_OPCAO_70 || IN_JAM_OPCAO_ATE_0971 || IN_JAM_OPCAO_MAIOR_0971 || '|' || "
    "IN_SIMPLIFICADO_1_OPCAO_67 || IN_SIMPLIFICADO_2_OPCAO_67 || IN_SMPLO_1_OPCAO_ATE_0971 || "
    "IN_SMPLO_2_OPCAO_MAIOR_0971), 1000000007)) FROM QZLTBT17_INDICE_SIMPLIFICADO;\n"
    "SELECT 'PRORATA', COUNT(*), SUM(MOD(HASH(DT_EDITAL_PRORATA || '|' || DT_RECOLHIMENTO_PRORATA "
    "|| '|' || IN_ATRASO_MES || '|' || IN_ATRASO_1_MES || '|' || IN_ATRASO_2_MESES), 1000000007)) "
    "FROM "
    "QZLTBT18_INDICE_PRORATA;\n";

std::string Normalizar(const QString &saida) {
  return saida.simplified().toStdString();
}

// The fingerprint of the model database loaded with exactly an archive's
// lines, by isql alone.
std::string ImpressaoEsperada(const QString &arquivo) {
  static QMap<QString, std::string> feitas;
  if (feitas.contains(arquivo))
    return feitas[arquivo];
  QTemporaryDir dir;
  const QString banco = dir.filePath(QStringLiteral("E.FDB"));
  QFile::copy(QStringLiteral(VESK_DB_MODELO), banco);
  QFile::setPermissions(banco, QFile::ReadOwner | QFile::WriteOwner);
  QString script = QStringLiteral("SET NAMES WIN1252;\nDELETE FROM QZLTBT15_DIA_UTIL;\n"
                                  "DELETE FROM QZLTBT16_INDICE_GUIA_RESCISORIA;\n"
                                  "DELETE FROM QZLTBT17_INDICE_SIMPLIFICADO;\n"
                                  "DELETE FROM QZLTBT18_INDICE_PRORATA;\n");
  for (const char *nome : {"DIAUTIL", "GUIARESCISORIA", "SIMPLIFICADO", "PRORATA"}) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"),
                {QStringLiteral("-p"), arquivo, QString::fromLatin1(nome)});
    unzip.waitForFinished(60000);
    for (const QByteArray &l : unzip.readAllStandardOutput().split('\n'))
      if (!l.trimmed().isEmpty())
        script += QString::fromLatin1(l.trimmed()) + QStringLiteral(";\n");
  }
  script += QStringLiteral("COMMIT;\n") + QString::fromLatin1(Impressao);
  QString saida = Isql(banco, script);
  return feitas[arquivo] = Normalizar(saida);
}

// Every file below a folder (to see that nothing was written elsewhere).
QStringList Arquivos(const QString &pasta) {
  QStringList r;
  QDirIterator it(pasta, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext())
    r << it.next();
  r.sort();
  return r;
}

void DefinirFuso(const char *tz) {
  qputenv("TZ", tz);
  tzset();
}

} // namespace

class ImportacaoIndiceTeste : public CalculoTeste {
protected:
  // The builders of the calculation fixture, over the shipped index tables.
  void SetUp() override {
    BancoTeste::SetUp();
    RecarregarDiaUtil();
    CarregarDataEditalProrata();
    Executar(QStringLiteral("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, DT_PAGAMENTO) VALUES (1, 11222333000181, "
                            "'2026-11-23')"));
  }

  std::string ImpressaoAtual() {
    LiberarBanco();
    const std::string r = Normalizar(Isql(pasta->Banco(), QString::fromLatin1(Impressao)));
    ReconectarBanco(pasta->Banco());
    EXPECT_EQ(r.rfind("DIA ", 0), 0u) << r; // a fingerprint, not an isql error
    return r;
  }

  bool Importar(const QString &arquivo) {
    imp = TImportacaoIndice();
    imp.PastaTrabalho = pasta->Arquivo(QStringLiteral("TEMP"));
    return imp.Importar(arquivo);
  }

  // Links at states 0, 1 and 2, each with one complement whose stored deposit
  // (1.00) no index edition would give.
  void LinksComComplemento() {
    for (int estado = 0; estado <= 2; ++estado) {
      TCasoVinculo c;
      c.Pis = 12345678901 + estado;
      c.Estado = estado;
      c.Movimentacao = QDate(2026, 10, 15);
      c.Rescisao = 3000;
      c.Complemento = 1;
      Inserir(c);
      Executar(QStringLiteral("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, "
                              "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                              "NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, "
                              "VR_DEPOSITO) VALUES (1, 11222333000181, %1, 1, '2000-01-03', 1, "
                              "2020, 5, 1000, 1)")
                   .arg(c.Pis));
    }
  }
  double Deposito(int estado) {
    return IbxUtils
        ->AbrirConsulta(QStringLiteral("SELECT C.VR_DEPOSITO FROM QZLTBG07_COMPLEMENTO_SALDO C "
                                       "WHERE C.NU_PIS = %1")
                            .arg(12345678901 + estado))
        ->Fields(0)
        .AsFloat();
  }
  double Total(int estado) {
    return IbxUtils
        ->AbrirConsulta(QStringLiteral("SELECT VR_DEPOSITO_CMPLO_SALDO FROM "
                                       "QZLTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = %1")
                            .arg(12345678901 + estado))
        ->Fields(0)
        .AsFloat();
  }

  TImportacaoIndice imp;
};

TEST_F(ImportacaoIndiceTeste, ArquivoValidoSubstituiAsQuatroTabelasERecalculaOsAbertos) {
  LinksComComplemento();
  const QString arquivo = ArquivoIndices();
  bool avisado = false;
  imp.AposConfirmar = [&] { avisado = true; };
  imp.PastaTrabalho = pasta->Arquivo(QStringLiteral("TEMP"));
  ASSERT_TRUE(imp.Importar(arquivo))
      << imp.CodigoErro.toStdString() << " " << imp.Detalhe.toStdString();
  EXPECT_TRUE(imp.CodigoErro.isEmpty());
  EXPECT_TRUE(avisado);

  EXPECT_EQ(ImpressaoAtual(), ImpressaoEsperada(arquivo));
  // The cached edition and calendar follow the committed tables.
  EXPECT_EQ(DataParaQDate(DataEditalProrata), QDate(2026, 11, 1));
  EXPECT_FALSE(DiaUtil().EhDiaUtil(QDateParaData(QDate(2026, 11, 20)))); // a holiday
  EXPECT_TRUE(DiaUtil().EhDiaUtil(QDateParaData(QDate(2026, 11, 23))));
  // The open run stays; the working folder keeps none of the archive's files.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG01_ABERTURA_RECOLHIMENTO")), 1);
  EXPECT_TRUE(QDir(imp.PastaTrabalho).isEmpty());

  // 05/2020 at 8%: 80.00 plus its JAM under the new edition, for open links only.
  const double aberto = Deposito(0);
  EXPECT_GT(aberto, 80.0);
  EXPECT_DOUBLE_EQ(Deposito(1), aberto);
  EXPECT_DOUBLE_EQ(Total(0), aberto);
  EXPECT_DOUBLE_EQ(Total(1), aberto);
  EXPECT_DOUBLE_EQ(Deposito(2), 1.0);
  EXPECT_DOUBLE_EQ(Total(2), 1.0);

  // A later edition: the window moves and the JAM of the open links grows.
  const QString seguinte = ArquivoIndices({QStringLiteral("--edicao"), QStringLiteral("2026-12")});
  ASSERT_TRUE(Importar(seguinte)) << imp.Detalhe.toStdString();
  EXPECT_EQ(ImpressaoAtual(), ImpressaoEsperada(seguinte));
  EXPECT_EQ(DataParaQDate(DataEditalProrata), QDate(2026, 12, 1));
  EXPECT_EQ(TUtilitarios::PeriodoProrata(true), QStringLiteral("21/12/2026 à 20/01/2027"));
  EXPECT_GT(Deposito(0), aberto);
  EXPECT_DOUBLE_EQ(Deposito(2), 1.0);
}

TEST_F(ImportacaoIndiceTeste, DefeitosRecusadosSemTocarNasTabelasNemForaDaPasta) {
  LinksComComplemento();
  const std::string antes = ImpressaoAtual();
  const TDateTime editalAntes = DataEditalProrata;
  // A companion left by an earlier import must not validate anything.
  pasta->EscreverArquivo(QStringLiteral("TEMP/PRORATA.001"), "0000000139977\r\n");
  const QStringList arquivosAntes = Arquivos(pasta->Caminho());
  for (const char *defeito :
       {"nona-entrada", "nome-estranho", "nome-duplicado", "dados-mais-novo",
        "companheiro-nao-numero", "prorata-falha", "linha-estranha", "tabela-trocada"}) {
    SCOPED_TRACE(defeito);
    EXPECT_FALSE(Importar(Defeito(defeito)));
    EXPECT_EQ(imp.CodigoErro, QStringLiteral("0192")) << imp.Detalhe.toStdString();
    EXPECT_FALSE(imp.Detalhe.isEmpty());
    EXPECT_EQ(DataEditalProrata, editalAntes);
    EXPECT_FALSE(IbxUtils->EmTransacao());
    QStringList agora = Arquivos(pasta->Caminho());
    agora.removeAll(pasta->Arquivo(QStringLiteral("TEMP/PRORATA.001")).replace(u'\\', u'/'));
    QStringList esperado = arquivosAntes;
    esperado.removeAll(pasta->Arquivo(QStringLiteral("TEMP/PRORATA.001")).replace(u'\\', u'/'));
    EXPECT_EQ(agora, esperado);
  }
  EXPECT_EQ(ImpressaoAtual(), antes);
  EXPECT_DOUBLE_EQ(Deposito(0), 1.0);
  EXPECT_TRUE(QDir(imp.PastaTrabalho).isEmpty());
  // Not an archive at all, and a missing file.
  pasta->EscreverArquivo(QStringLiteral("x/IndicesVESK.zip"), "isto não é zip");
  EXPECT_FALSE(Importar(pasta->Arquivo(QStringLiteral("x/IndicesVESK.zip"))));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0192"));
  EXPECT_FALSE(Importar(pasta->Arquivo(QStringLiteral("nada/IndicesVESK.zip"))));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0192"));
}

TEST_F(ImportacaoIndiceTeste, PastasNosNomesUsamSoONomeEUmaLinhaEmBrancoPassa) {
  // Stored folders and "../../" are dropped: the entries land in the working
  // folder (two levels below the test folder, so that "../../" would still
  // be seen) by their bare names and nothing appears anywhere else.
  for (const char *defeito : {"com-pasta", "subir-pasta", "linha-branca"}) {
    SCOPED_TRACE(defeito);
    const QStringList antes = Arquivos(pasta->Caminho());
    imp = TImportacaoIndice();
    imp.PastaTrabalho = pasta->Arquivo(QStringLiteral("a/b/TEMP"));
    EXPECT_TRUE(
        imp.Importar(ArquivoIndices({QStringLiteral("--defeito"), QString::fromLatin1(defeito)})))
        << imp.Detalhe.toStdString();
    EXPECT_EQ(Arquivos(pasta->Caminho()), antes);
  }
  EXPECT_EQ(ImpressaoAtual(), ImpressaoEsperada(ArquivoIndices()));
}

TEST_F(ImportacaoIndiceTeste, OHorarioVemDaEntradaEmQualquerFuso) {
  const QByteArray anterior = qgetenv("TZ");
  for (const char *fuso : {"UTC0", "America/Sao_Paulo", "Asia/Tokyo"}) {
    SCOPED_TRACE(fuso);
    DefinirFuso(fuso);
    EXPECT_TRUE(Importar(ArquivoIndices())) << imp.Detalhe.toStdString();
  }
  if (anterior.isNull())
    qunsetenv("TZ");
  else
    qputenv("TZ", anterior);
  tzset();
}

TEST_F(ImportacaoIndiceTeste, PastaDeTrabalhoQueNaoPodeSerCriada) {
  pasta->EscreverArquivo(QStringLiteral("arquivo"), "x");
  imp.PastaTrabalho = pasta->Arquivo(QStringLiteral("arquivo/TEMP"));
  EXPECT_FALSE(imp.Importar(ArquivoIndices()));
  EXPECT_EQ(imp.CodigoErro, QStringLiteral("0227"));
}

TEST(NomeArquivoIndice, SoOsDoisNomesDoBanco) {
  const struct {
    const char *Nome;
    bool Valido;
  } casos[] = {{"/x/IndicesVESK.zip", true},      {"/x/IND_VESK.ZIP", true},
               {"/x/ind_vesk.zip", true},         {"/x/Ind_Vesk.Zip", true},
               {"/x/IndicesVESK.ZIP", false},     {"/x/indicesvesk.zip", false},
               {"/x/IndicesVESK.zip.bak", false}, {"/x/Indices.zip", false},
               {"/IND_VESK.ZIP/outro.zip", false}};
  for (const auto &c : casos)
    EXPECT_EQ(TImportacaoIndice::NomeArquivoValido(QString::fromLatin1(c.Nome)), c.Valido)
        << c.Nome;
}

TEST(ConferenciaIndice, NumeroDoHorario) {
  const struct {
    QDate Dia;
    QTime Hora;
    qint64 Numero;
  } casos[] = {
      // 0·0·3 + 5²·2³·4⁵ + 4³·3²·3⁵ + 7
      {QDate(2024, 3, 5), QTime(14, 37), 344775},
      {QDate(2026, 11, 20), QTime(14, 37), 139977},
      {QDate(2000, 1, 1), QTime(0, 0), 0},
      // t1 is not used: 03:59 and 23:59 give the same number
      {QDate(1999, 12, 31), QTime(23, 59), 45156111},
      {QDate(1999, 12, 31), QTime(3, 59), 45156111},
      {QDate(1989, 9, 29), QTime(0, 0), 2448880128LL},
  };
  for (const auto &c : casos)
    EXPECT_EQ(TUtilitarios::NumeroConferenciaIndice(c.Dia, c.Hora), c.Numero)
        << c.Dia.toString().toStdString() << " " << c.Hora.toString().toStdString();
}

class ArquivoIndiceValidoTeste : public ::testing::Test {
protected:
  QString Escrever(const QString &nome, const QByteArray &conteudo) {
    const QString c = dir.filePath(nome);
    QFile f(c);
    f.open(QIODevice::WriteOnly);
    f.write(conteudo);
    return c;
  }
  QTemporaryDir dir;
};

TEST_F(ArquivoIndiceValidoTeste, PrimeiraLinhaDoCompanheiro) {
  const QString dados = Escrever(QStringLiteral("PRORATA"), "INSERT\r\n");
  const QDate dia(2024, 3, 5);
  const QTime hora(14, 37);
  const struct {
    const char *Companheiro;
    bool Valido;
  } casos[] = {{"0000000344775\r\noutra linha\r\n", true},
               {"344775", true},
               {"0000000344776\r\n", false},
               {"ABC\r\n", false},
               {"\r\n0000000344775\r\n", false},
               {"", false}};
  for (const auto &c : casos) {
    const QString comp = Escrever(QStringLiteral("PRORATA.001"), c.Companheiro);
    EXPECT_EQ(TUtilitarios::ArquivoIndiceValido(dados, comp, dia, hora), c.Valido) << c.Companheiro;
  }
  const QString comp = Escrever(QStringLiteral("PRORATA.001"), "344775");
  EXPECT_FALSE(
      TUtilitarios::ArquivoIndiceValido(dir.filePath(QStringLiteral("FALTA")), comp, dia, hora));
  EXPECT_FALSE(
      TUtilitarios::ArquivoIndiceValido(dados, dir.filePath(QStringLiteral("FALTA")), dia, hora));
  // Without a time given, the data file's modification in local time.
  QFile f(dados);
  f.open(QIODevice::ReadWrite);
  f.setFileTime(QDateTime(dia, hora), QFileDevice::FileModificationTime);
  f.close();
  EXPECT_TRUE(TUtilitarios::ArquivoIndiceValido(dados, comp));
  // A number above 2^31 is compared on its low 32 bits, signed.
  const QDate grande(1989, 9, 29);
  const QString c1 = Escrever(QStringLiteral("A.001"), "-1846087168");
  EXPECT_TRUE(TUtilitarios::ArquivoIndiceValido(dados, c1, grande, QTime(0, 0)));
  const QString c2 = Escrever(QStringLiteral("B.001"), "0002448880128");
  EXPECT_FALSE(TUtilitarios::ArquivoIndiceValido(dados, c2, grande, QTime(0, 0)));
}
