// A month's work end to end, as an accountant lives it, through the built
// vesk-cli on a fresh program folder, with the bank played by tools/banco:
// payroll import with the balance request, the bank's balance file, a run
// opened, marked, simulated and closed into the sealed file, the receipt, the
// processed-guide return, the key-occurrence file, reports to PDF, backup and
// restore into another fresh folder; then a second month on the same database
// (new index archive, new run with a withdrawal, a resend request and the
// bank's refusal). After each step it checks what a user would check.
#include "collection/unConsultaGuias.h"
#include "e2e/MesComum.h"
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"
#include "support/EnvelopeTeste.h"

#include "core/unUtilitarios.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <map>
#include <set>

namespace {
struct TSaida {
  int Status = -1;
  QString Texto, Erro;
};

// SUM of the twenty amounts of alias `a`, in centavos.
QString SomaCentavos(const QString &a) {
  QStringList s;
  for (const char *p : ColunasParcelas)
    s << QStringLiteral("COALESCE(%1.%2, 0)").arg(a, QLatin1String(p));
  return QStringLiteral("CAST(SUM(") + s.join(u'+') + QStringLiteral(") * 100 AS BIGINT)");
}

// The tables a backup carries; every one must come back as it was.
const char *const TabelasBackup[] = {"QZLTBG01_ABERTURA_RECOLHIMENTO",
                                     "QZLTBG02_EMPRESA",
                                     "QZLTBG03_EMPREGADO",
                                     "QZLTBG04_VINCULO_EMPREGATICIO",
                                     "QZLTBG05_ALTERACAO_CADASTRAL",
                                     "QZLTBG06_INFORMACAO_RESCISAO",
                                     "QZLTBG07_COMPLEMENTO_SALDO",
                                     "QZLTBG08_GUIA_TOTALIZADORA",
                                     "QZLTBG09_GUIA_INDIVIDUAL",
                                     "QZLTBG10_CONTA_EMPREGADO_ZELT",
                                     "QZLTBG13_ARQUIVO",
                                     "QZLTBG14_OCORRENCIA_GUIA",
                                     "QZLTBG15_ENVIO_EMPRESA",
                                     "QZLTBG16_ENVIO_EMPREGADO",
                                     "QZLTBG18_INCONSISTENCIA_ARQUIVO",
                                     "QZLTBG19_RESPONSAVEL_HMLGO",
                                     "QZLTBG20_EMPRESA_HMLGO",
                                     "QZLTBG21_EMPREGADO_HMLGO",
                                     "QZLTBG22_EMPREGADO_CNSGTRA",
                                     "QZLTBG30_REPOSICAO_VAGA",
                                     "QZLTBT15_DIA_UTIL",
                                     "QZLTBT16_INDICE_GUIA_RESCISORIA",
                                     "QZLTBT17_INDICE_SIMPLIFICADO",
                                     "QZLTBT18_INDICE_PRORATA"};
} // namespace

class MesTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    InstalarSelador(pasta->Caminho());
    troca = pasta->Arquivo(QStringLiteral("troca"));
    QDir().mkpath(troca);
  }
  QString Troca(const QString &nome) const { return QDir(troca).filePath(nome); }

  // vesk-cli on a program folder (this test's by default); the test's own
  // connection lets go of the database while it runs.
  TSaida Cli(const QStringList &args, const QString &programa = QString()) {
    LiberarBanco();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(
        QStringLiteral(VESK_BIN_DIR "/vesk-cli"),
        QStringList{QStringLiteral("--pasta"), programa.isEmpty() ? pasta->Caminho() : programa} +
            args);
    EXPECT_TRUE(p.waitForFinished(300000)) << args.join(u' ').toStdString();
    TSaida s{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
             QString::fromUtf8(p.readAllStandardOutput()),
             QString::fromUtf8(p.readAllStandardError())};
    ReconectarBanco(pasta->Banco());
    return s;
  }
  // Asserts (as a test failure with the command's output) that it succeeded.
  TSaida CliOk(const QStringList &args, const QString &programa = QString()) {
    TSaida s = Cli(args, programa);
    EXPECT_EQ(s.Status, 0) << args.join(u' ').toStdString() << "\n"
                           << s.Texto.toStdString() << s.Erro.toStdString();
    return s;
  }
  // The simulated bank (tools/banco), run in the exchange folder.
  QByteArray BancoOk(const QStringList &args) {
    QByteArray saida;
    EXPECT_EQ(Banco(args, troca, &saida), 0) << args.join(u' ').toStdString();
    return saida;
  }
  QByteArray Comando(const QString &programa, const QStringList &args, int *status = nullptr) {
    QProcess p;
    p.setWorkingDirectory(troca);
    p.start(programa, args);
    p.waitForFinished(300000);
    if (status)
      *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
  }

  std::map<int, int> Estados() { return EstadosDosVinculos(); }
  qint64 Numero(const QString &sql) { return Valor(sql).toLongLong(); }

  // Every guide of a sent file, as a user checks it: its total equals the sum
  // of its workers' guides and of its links' stored amounts, the simulation's
  // figure for the company, and the amount inside the bar code printed on its
  // page of the exported PDF. Returns the guides' digitable lines.
  QStringList ConferirGuias(const QString &identificador, const std::map<qint64, qint64> &simulado,
                            const QString &pdf) {
    QStringList linhas;
    std::map<QString, qint64> totais; // bar code (44) -> centavos
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral(
            "SELECT CO_BARRAS, NU_INSCRICAO_GUIA, CAST(VR_TOTAL_RECOLHIDO * 100 AS "
            "BIGINT) FROM QZLTBG08_GUIA_TOTALIZADORA WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
        TUtilitarios::TextoSQL(identificador));
    for (ds->First(); !ds->Eof(); ds->Next()) {
      const QString linha = ds->Fields(0).AsString().trimmed();
      const qint64 inscricao = ds->Fields(1).AsInt64();
      const qint64 total = ds->Fields(2).AsInt64();
      SCOPED_TRACE(linha.toStdString());
      linhas << linha;
      const QString sl = TUtilitarios::TextoSQL(linha);
      EXPECT_EQ(Numero(QStringLiteral("SELECT ") + SomaCentavos(QStringLiteral("I")) +
                       QStringLiteral(" FROM QZLTBG09_GUIA_INDIVIDUAL I WHERE I.CO_BARRAS = ") +
                       sl),
                total);
      EXPECT_EQ(
          Numero(QStringLiteral("SELECT ") + SomaCentavos(QStringLiteral("R")) +
                 QStringLiteral(
                     " FROM QZLTBG09_GUIA_INDIVIDUAL I JOIN QZLTBG06_INFORMACAO_RESCISAO R ON "
                     "R.NU_INSCRICAO = %1 AND R.NU_PIS = I.NU_PIS_GUIA AND R.NU_CATEGORIA = "
                     "I.NU_CATEGORIA_GUIA AND R.DT_ADMISSAO_VINCULO = I.DT_ADMISSAO_GUIA WHERE "
                     "I.CO_BARRAS = ")
                     .arg(inscricao) +
                 sl),
          total);
      // Every closed link of the company is on its guide.
      EXPECT_EQ(Numero(QStringLiteral("SELECT COUNT(*) FROM QZLTBG09_GUIA_INDIVIDUAL WHERE "
                                      "CO_BARRAS = ") +
                       sl),
                Numero(QStringLiteral("SELECT COUNT(*) FROM QZLTBG16_ENVIO_EMPREGADO WHERE "
                                      "NU_IDENTIFICADOR_ARQUIVO = %1 AND NU_INSCRICAO_ENVIO = %2")
                           .arg(TUtilitarios::TextoSQL(identificador))
                           .arg(inscricao)));
      EXPECT_TRUE(simulado.count(inscricao)) << inscricao;
      EXPECT_EQ(simulado.count(inscricao) ? simulado.at(inscricao) : -1, total);
      const QString barras = TUtilitarios::CodigoBarrasDaLinha(linha);
      EXPECT_EQ(barras.mid(4, 11).toLongLong(), total);
      totais[barras] = total;
    }
    EXPECT_EQ(static_cast<size_t>(linhas.size()), simulado.size());

    // The guides as printed: one page each, the bar code read by a scanner.
    CliOk(QStringList{QStringLiteral("exportar-guias"), pdf} + linhas);
    int status = -1;
    const QString raiz = pdf.chopped(4);
    Comando(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-gray"),
             QStringLiteral("-png"), pdf, raiz},
            &status);
    EXPECT_EQ(status, 0);
    const QStringList paginas =
        QDir(QFileInfo(pdf).absolutePath())
            .entryList({QFileInfo(raiz).fileName() + QStringLiteral("-*.png")});
    EXPECT_EQ(paginas.size(), linhas.size());
    std::map<QString, qint64> lidos;
    for (const QString &pg : paginas) {
      const QString texto = QString::fromLatin1(
          Comando(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"),
                                              QDir(QFileInfo(pdf).absolutePath()).filePath(pg)}));
      const QString barras = texto.trimmed();
      EXPECT_EQ(barras.size(), 44) << pg.toStdString() << ": " << texto.toStdString();
      lidos[barras] = barras.mid(4, 11).toLongLong();
      QFile::remove(QDir(QFileInfo(pdf).absolutePath()).filePath(pg));
    }
    EXPECT_EQ(lidos, totais);
    return linhas;
  }

  // The company totals of "simular --json", in centavos, by inscription.
  std::map<qint64, qint64> Simular(int *vinculos) {
    const TSaida s = CliOk({QStringLiteral("simular"), QStringLiteral("--json")});
    const QJsonObject sim = QJsonDocument::fromJson(s.Texto.toUtf8()).object();
    EXPECT_TRUE(sim[QStringLiteral("Falhas")].toArray().isEmpty()) << s.Texto.toStdString();
    std::map<qint64, qint64> r;
    *vinculos = 0;
    for (const QJsonValue &e : sim[QStringLiteral("Empresas")].toArray()) {
      const QJsonObject o = e.toObject();
      const qint64 insc = o[QStringLiteral("Inscricao")].toVariant().toLongLong();
      r[insc] = qRound64(o[QStringLiteral("ValorARecolher")].toDouble() * 100);
      *vinculos += o[QStringLiteral("Trabalhadores")].toArray().size();
    }
    return r;
  }

  // Every row of the backed-up tables, as isql-fb prints them in key order.
  QByteArray Tabelas(const QString &banco) {
    QByteArray script = "SET HEADING OFF;\n";
    for (const char *t : TabelasBackup) {
      const int colunas = Numero(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE "
                                                "RDB$RELATION_NAME = '%1'")
                                     .arg(QLatin1String(t)));
      QStringList ordem;
      for (int c = 2; c <= colunas + 1; ++c)
        ordem << QString::number(c);
      script += QStringLiteral("SELECT '%1', T.* FROM %1 T ORDER BY %2;\n")
                    .arg(QLatin1String(t), ordem.join(u','))
                    .toLatin1();
    }
    LiberarBanco();
    QProcess p;
    p.start(QStringLiteral("isql-fb"),
            {"-q", "-ch", "WIN1252", "-user", "SYSDBA", "-password", "tulipvane", banco});
    p.write(script);
    p.closeWriteChannel();
    p.waitForFinished(300000);
    const QByteArray saida = p.readAllStandardOutput();
    const QByteArray erro = p.readAllStandardError();
    ReconectarBanco(pasta->Banco());
    EXPECT_TRUE(erro.isEmpty()) << erro.toStdString();
    return saida;
  }

  QString troca;
};

TEST_F(MesTeste, UmMesDeTrabalhoEOSeguinte) {
  const QString folha = Troca(QStringLiteral("VESK.re"));
  ASSERT_EQ(Shell(QStringLiteral("python3 '%1/tools/gerar_folha/gerar_folha.py' '%2' --empresas 5 "
                                 "--vinculos 240 --complementos 0.2 --cei --responsavel-empresa "
                                 "--semente 24")
                      .arg(QStringLiteral(VESK_SOURCE_DIR), folha),
                  troca),
            0);

  // 1. Import, with the balance request of the imported links.
  TSaida s = CliOk({QStringLiteral("importar-folha"), folha, QStringLiteral("--solicitar-saldo"),
                    Troca(QStringLiteral("SolicitacaoIS.HXF"))});
  const int vinculos = Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO"));
  EXPECT_EQ(vinculos, 240);
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, vinculos}}));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = 2")), 1);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA = 'A'")), 1)
      << "o responsável também é empregador";
  EXPECT_GT(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO")), 0);
  const QRegularExpression reSol(QStringLiteral("Solicitação de saldo (\\d{30})"));
  const QString idSol = reSol.match(s.Texto).captured(1);
  ASSERT_FALSE(idSol.isEmpty()) << s.Texto.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG13_ARQUIVO WHERE NU_ARQUIVO = 7 AND "
                                  "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                       .arg(idSol)),
            1);

  // 2. The bank's balance file for that request.
  BancoOk({QStringLiteral("saldo"), Troca(QStringLiteral("SolicitacaoIS.HXF")),
           Troca(QStringLiteral("saldo.txt")), QStringLiteral("--folha"), folha});
  s = CliOk({QStringLiteral("carregar-saldo"), Troca(QStringLiteral("saldo.txt"))});
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Contas gravadas: %1").arg(vinculos)))
      << s.Texto.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT")), vinculos);

  // Payroll loans, as the worker screen saves them: two contracts on one
  // link, one on another.
  TDataSetPtr dois = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT FIRST 2 NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO "
      "FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_CATEGORIA = 1 ORDER BY NU_PIS DESC"));
  int contratos = 0;
  for (dois->First(); !dois->Eof(); dois->Next()) {
    const QString chave = QStringLiteral("%1, %2, %3, %4, '%5'")
                              .arg(dois->Fields(0).AsInteger())
                              .arg(dois->Fields(1).AsInt64())
                              .arg(dois->Fields(2).AsInt64())
                              .arg(dois->Fields(3).AsInteger())
                              .arg(dois->Fields(4).AsDate().toString(Qt::ISODate));
    const int deste = contratos == 0 ? 2 : 1;
    for (int c = 0; c < deste; ++c, ++contratos)
      Executar(QStringLiteral("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, "
                              "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                              "CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, DT_NU_CONTRATO) VALUES (%1, "
                              "'00101', 'CT-2026-%2', '2025-03-1%2')")
                   .arg(chave)
                   .arg(contratos));
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'S' WHERE "
                            "NU_PIS = %1")
                 .arg(dois->Fields(2).AsInt64()));
  }
  ASSERT_EQ(contratos, 3);

  // 3. The run, every valid link marked.
  CliOk({QStringLiteral("abrir-recolhimento"), QStringLiteral("23/11/2026")});
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG01_ABERTURA_RECOLHIMENTO WHERE DT_PAGAMENTO = "
                                  "'2026-11-23'")),
            1);
  s = CliOk({QStringLiteral("marcar"), QStringLiteral("--todos")});
  EXPECT_TRUE(
      s.Texto.contains(QStringLiteral("%1 vínculo(s) marcado(s), 0 recusado(s)").arg(vinculos)))
      << s.Texto.toStdString();
  EXPECT_EQ(Estados(), (std::map<int, int>{{1, vinculos}}));

  // 4. Simulation: nothing written.
  int simulados = 0;
  const std::map<qint64, qint64> simulado = Simular(&simulados);
  EXPECT_EQ(simulados, vinculos);
  EXPECT_EQ(simulado.size(), 5u);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")), 0);
  EXPECT_EQ(Estados(), (std::map<int, int>{{1, vinculos}}));

  // 5. Closing into the sealed file.
  s = CliOk({QStringLiteral("fechar"), QStringLiteral("--saida"), troca,
             QStringLiteral("--declaro-ctps")});
  const QString id1 =
      QRegularExpression(QStringLiteral("Identificador: (\\d{30})")).match(s.Texto).captured(1);
  ASSERT_FALSE(id1.isEmpty()) << s.Texto.toStdString();
  const QString envelope1 = Troca(QStringLiteral("GuiaVESK.HXF"));
  ASSERT_TRUE(QFile::exists(envelope1));
  EXPECT_EQ(Estados(), (std::map<int, int>{{2, vinculos}}));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG01_ABERTURA_RECOLHIMENTO")), 0);
  // The sent file's lines: one "40" per contract, so one more than links.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG14_OCORRENCIA_GUIA WHERE NU_IDENTIFICADOR_ARQUIVO = "
                                  "'%1' AND DE_LINHA_ARQUIVO STARTING WITH '40'")
                       .arg(id1)),
            vinculos + 1);
  const QStringList guias1 = ConferirGuias(id1, simulado, Troca(QStringLiteral("guias1.pdf")));
  ASSERT_EQ(guias1.size(), 5);

  // 6. The bank: the receipt of the envelope (after its own reading of it).
  BancoOk({QStringLiteral("certificado"), Troca(QStringLiteral("cert"))});
  BancoOk({QStringLiteral("recibo"), envelope1, QStringLiteral("--chave"),
           Troca(QStringLiteral("cert/chave.pem")), QStringLiteral("--certificado"),
           Troca(QStringLiteral("cert/certificado.pem")), QStringLiteral("--saida"),
           Troca(QStringLiteral("recibo1.xml")), QStringLiteral("--protocolo"),
           QStringLiteral("PRT-MES-0001")});
  s = CliOk({QStringLiteral("recibo"), Troca(QStringLiteral("recibo1.xml"))});
  EXPECT_EQ(Valor(QStringLiteral("SELECT CO_PROTOCOLO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(id1))
                .trimmed(),
            QStringLiteral("PRT-MES-0001"));
  for (const QString &l : guias1)
    EXPECT_TRUE(s.Texto.contains(l)) << l.toStdString();

  // 7. The processed-guide return: the bank refuses a file whose totals do
  // not match its lines, so its answer is itself the check of the file.
  // The bank's check has teeth: the same file with one centavo changed in one
  // amount is refused.
  pasta->EscreverArquivo(
      QStringLiteral("troca/alterar.py"),
      "import sys\nsys.path.insert(0, sys.argv[1])\nimport sub_retorno as r\n"
      "l = r.ler_linhas('GuiaVESK.HXF')\n"
      "i = next(k for k, x in enumerate(l) if x[:2] == '42')\n"
      "l[i] = l[i][:65] + str((int(l[i][65]) + 1) % 10) + l[i][66:]\n"
      "open('alterado.txt', 'wb').write(('\\r\\n'.join(l) + '\\r\\n').encode('cp1252'))\n");
  ASSERT_EQ(Shell(QStringLiteral("python3 alterar.py '%1/tools/banco'")
                      .arg(QStringLiteral(VESK_SOURCE_DIR)),
                  troca),
            0);
  EXPECT_EQ(Banco({QStringLiteral("retorno"), Troca(QStringLiteral("alterado.txt")),
                   Troca(QStringLiteral("recusado.txt"))},
                  troca),
            1);
  BancoOk({QStringLiteral("retorno"), envelope1, Troca(QStringLiteral("retorno1.txt"))});
  s = CliOk({QStringLiteral("carregar-retorno"), Troca(QStringLiteral("retorno1.txt"))});
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Vínculos processados: %1").arg(vinculos)))
      << s.Texto.toStdString();
  EXPECT_EQ(Estados(), (std::map<int, int>{{3, vinculos}}));
  for (const QString &l : guias1) {
    SCOPED_TRACE(l.toStdString());
    EXPECT_FALSE(Valor(QStringLiteral("SELECT DT_PROCESSAMENTO FROM QZLTBG08_GUIA_TOTALIZADORA "
                                      "WHERE CO_BARRAS = '%1'")
                           .arg(l))
                     .isEmpty());
  }
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(id1))
                .trimmed(),
            QStringLiteral("S"));
  s = CliOk({QStringLiteral("guias"), QStringLiteral("--modo"), QStringLiteral("processadas"),
             QStringLiteral("--json")});
  const QJsonArray processadas = QJsonDocument::fromJson(s.Texto.toUtf8()).array();
  EXPECT_EQ(processadas.size(), 5);
  for (const QJsonValue &g : processadas)
    EXPECT_TRUE(guias1.contains(g[QStringLiteral("linha")].toString()));

  // 8. The identification-key occurrence file.
  BancoOk({QStringLiteral("chave"), envelope1, Troca(QStringLiteral("chave.txt"))});
  s = CliOk({QStringLiteral("carregar-chave"), Troca(QStringLiteral("chave.txt"))});
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG20_EMPRESA_HMLGO")), 5);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG21_EMPREGADO_HMLGO")), vinculos);

  // 9. Reports to PDF.
  CliOk({QStringLiteral("exportar-comprovantes"), Troca(QStringLiteral("comprovantes.pdf")),
         QStringLiteral("--todas")});
  for (const QString &r : {QStringLiteral("empresas"), QStringLiteral("trabalhadores")})
    CliOk({QStringLiteral("relatorio"), r, QStringLiteral("--pdf"),
           Troca(r + QStringLiteral(".pdf"))});
  const QString paginas = QString::fromLatin1(
      Comando(QStringLiteral("pdfinfo"), {Troca(QStringLiteral("comprovantes.pdf"))}));
  EXPECT_TRUE(paginas.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\b").arg(vinculos))))
      << paginas.toStdString();

  // 10. Backup, and restore into a fresh program folder: every table as before
  // but the payroll-loan contracts, which a restore removes on purpose.
  CliOk({QStringLiteral("backup"), Troca(QStringLiteral("backup.zip"))});
  PastaTeste outra;
  InstalarSelador(outra.Caminho());
  CliOk({QStringLiteral("restaurar"), Troca(QStringLiteral("backup.zip"))}, outra.Caminho());
  Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'N'"));
  const QByteArray antes = Tabelas(pasta->Banco());
  const QByteArray depois = Tabelas(outra.Banco());
  EXPECT_GT(antes.count('\n'), vinculos * 5);
  // The contracts were there before; the restored copy has none.
  EXPECT_EQ(antes.count("\nQZLTBG22_EMPREGADO_CNSGTRA"), 3);
  EXPECT_EQ(depois.count("\nQZLTBG22_EMPREGADO_CNSGTRA"), 0);
  auto semContratos = [](const QByteArray &t) {
    QList<QByteArray> l = t.split('\n');
    l.removeIf([](const QByteArray &x) {
      return x.trimmed().isEmpty() || x.startsWith("QZLTBG22_EMPREGADO_CNSGTRA");
    });
    return l.join('\n');
  };
  pasta->EscreverArquivo(QStringLiteral("troca/antes.txt"), semContratos(antes));
  pasta->EscreverArquivo(QStringLiteral("troca/depois.txt"), semContratos(depois));
  const QByteArray diferencas =
      Comando(QStringLiteral("diff"), {QStringLiteral("antes.txt"), QStringLiteral("depois.txt")});
  EXPECT_TRUE(diferencas.isEmpty()) << diferencas.left(3000).toStdString();

  // ---- The second month, on the same database.
  // A new index edition, imported from the bank's archive.
  BancoOk(
      {QStringLiteral("indices"), troca, QStringLiteral("--edicao"), QStringLiteral("2026-12")});
  CliOk({QStringLiteral("importar-indices"), Troca(QStringLiteral("IndicesVESK.zip"))});
  EXPECT_EQ(Cli({QStringLiteral("abrir-recolhimento"), QStringLiteral("23/11/2026")}).Status, 1)
      << "a edição anterior não vale mais";
  const QString folha2 = Troca(QStringLiteral("VESK2.re"));
  ASSERT_EQ(Shell(QStringLiteral("python3 '%1/tools/gerar_folha/gerar_folha.py' '%2' --empresas 3 "
                                 "--vinculos 45 --semente 25 --recolhimento 21122026")
                      .arg(QStringLiteral(VESK_SOURCE_DIR), folha2),
                  troca),
            0);
  CliOk({QStringLiteral("importar-folha"), folha2});
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 45}, {3, vinculos}}));
  CliOk({QStringLiteral("abrir-recolhimento"), QStringLiteral("21/12/2026")});
  s = CliOk({QStringLiteral("marcar"), QStringLiteral("--todos")});
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("45 vínculo(s) marcado(s), 0 recusado(s)")))
      << s.Texto.toStdString();
  // A processed link of the first month is not marked again.
  EXPECT_EQ(Estados(), (std::map<int, int>{{1, 45}, {3, vinculos}}));

  // A withdrawal: the link leaves the run and its figures are cleared.
  const QString retirado =
      Valor(QStringLiteral("SELECT FIRST 1 NU_TIPO_INSO_EMPRA || ',' || NU_INSCRICAO || ',' || "
                           "NU_PIS || ',' || NU_CATEGORIA || ',' || DT_ADMISSAO_VINCULO FROM "
                           "QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 1 ORDER BY "
                           "NU_PIS"));
  CliOk({QStringLiteral("retirar"), QStringLiteral("--chave"), retirado});
  const QString pisRetirado = retirado.section(u',', 2, 2);
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 1}, {1, 44}, {3, vinculos}}));
  int simulados2 = 0;
  const std::map<qint64, qint64> simulado2 = Simular(&simulados2);
  EXPECT_EQ(simulados2, 44);
  s = CliOk({QStringLiteral("fechar"), QStringLiteral("--saida"), troca, QStringLiteral("--nome"),
             QStringLiteral("Mes2.HXF"), QStringLiteral("--declaro-ctps")});
  const QString id2 =
      QRegularExpression(QStringLiteral("Identificador: (\\d{30})")).match(s.Texto).captured(1);
  ASSERT_FALSE(id2.isEmpty()) << s.Texto.toStdString();
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 1}, {2, 44}, {3, vinculos}}));
  EXPECT_EQ(
      Contar(
          QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE NU_PIS_GUIA = %1").arg(pisRetirado)),
      0);
  ConferirGuias(id2, simulado2, Troca(QStringLiteral("guias2.pdf")));
  BancoOk({QStringLiteral("retorno"), Troca(QStringLiteral("Mes2.HXF")),
           Troca(QStringLiteral("retorno2.txt"))});
  CliOk({QStringLiteral("carregar-retorno"), Troca(QStringLiteral("retorno2.txt"))});
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 1}, {3, vinculos + 44}}));

  // A resend request of two processed guides of the first month, refused by
  // the bank: the notice names both guides with the bank's codes.
  s = CliOk({QStringLiteral("solicitar-reenvio"), QStringLiteral("--saida"),
             Troca(QStringLiteral("Reenvio.HXF")), guias1[0], guias1[1]});
  const QString idReenvio = QRegularExpression(QStringLiteral("Solicitação de reenvio (\\d{30})"))
                                .match(s.Texto)
                                .captured(1);
  ASSERT_FALSE(idReenvio.isEmpty()) << s.Texto.toStdString();
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = '%1'")
                 .arg(idReenvio)),
      2);
  BancoOk({QStringLiteral("rejeicao"), Troca(QStringLiteral("Reenvio.HXF")),
           QStringLiteral("--saida"), Troca(QStringLiteral("rejeicao.txt")),
           QStringLiteral("--ocorrencias"), QStringLiteral("01,02")});
  s = Cli({QStringLiteral("carregar-retorno"), Troca(QStringLiteral("rejeicao.txt"))});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("aviso de reenvio rejeitado")))
      << s.Erro.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 5")), 2)
      << s.Erro.toStdString();
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(idReenvio))
                .trimmed(),
            QStringLiteral("N"));
  // Nothing of the month's work moved.
  EXPECT_EQ(Estados(), (std::map<int, int>{{0, 1}, {3, vinculos + 44}}));
}
