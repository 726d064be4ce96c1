// "vesk-cli guias", "exportar-guias" and "exportar-comprovantes" end to end:
// the built executable on a database filled by the test-data generator.
#include "support/ConexaoTeste.h"
#include "support/GuiasTeste.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString Ferramenta(const QString &programa, const QStringList &args) {
  QProcess p;
  p.start(programa, args);
  p.waitForFinished(120000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

int Paginas(const QString &pdf) {
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                     .match(Ferramenta(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}
} // namespace

class CmdGuiasTeste : public GuiasTeste {
protected:
  void SetUp() override {
    GuiasTeste::SetUp();
    // Three companies, seven workers, the generator's own bar codes; the
    // second closing's file has no protocol.
    const QString sql = pasta->Arquivo(QStringLiteral("base.sql"));
    QProcess g;
    g.start(QStringLiteral("python3"),
            {QStringLiteral(VESK_SOURCE_DIR "/tools/gerar_base/gerar_base.py"), sql,
             QStringLiteral("--empresas"), QStringLiteral("3"), QStringLiteral("--trabalhadores"),
             QStringLiteral("7"), QStringLiteral("--fechamentos"), QStringLiteral("3"),
             QStringLiteral("--quitadas"), QStringLiteral("0.5"), QStringLiteral("--semente"),
             QStringLiteral("7")});
    ASSERT_TRUE(g.waitForFinished(60000));
    ASSERT_EQ(g.exitCode(), 0) << g.readAllStandardError().toStdString();
    QFile f(sql);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    IbxUtils->IniciarTransacao();
    for (const QByteArray &l : f.readAll().split('\n'))
      if (!l.trimmed().isEmpty())
        IbxUtils->ExecutarSQL(QString::fromUtf8(l.trimmed().chopped(1)));
    IbxUtils->ConfirmarTransacao();
    // Every file gets a protocol, so that every guide is listed.
    Executar(QStringLiteral("UPDATE QZLTBG13_ARQUIVO SET CO_PROTOCOLO = '1'"));
  }

  TSaidaCli Rodar(const QStringList &args) { return RodarCli(args, 300000); }
};

TEST_F(CmdGuiasTeste, ListaExportaEConfereAsBarras) {
  const TSaidaCli lista = Rodar({QStringLiteral("guias"), QStringLiteral("--json")});
  ASSERT_EQ(lista.Status, 0) << lista.Erro.toStdString();
  const QJsonArray guias = QJsonDocument::fromJson(lista.Texto.toUtf8()).array();
  ASSERT_EQ(guias.size(), 3) << lista.Texto.toStdString();
  QStringList linhas, inscricoes;
  int trabalhadores = 0;
  for (const QJsonValue &v : guias) {
    const QJsonObject o = v.toObject();
    linhas << o[QStringLiteral("linha")].toString();
    inscricoes << o[QStringLiteral("inscricao")].toString();
    trabalhadores += o[QStringLiteral("trabalhadores")].toInt();
    // The stored total is the one the bar code carries (positions 5-15).
    const QString codigo = TUtilitarios::CodigoBarrasDaLinha(linhas.last());
    EXPECT_EQ(QString::number(o[QStringLiteral("total")].toString().remove(u'.').toLongLong())
                  .rightJustified(11, u'0'),
              codigo.mid(4, 11));
    EXPECT_TRUE(TUtilitarios::LinhaDigitavelValida(linhas.last()));
  }
  EXPECT_EQ(trabalhadores, 7);
  QStringList ordenadas = inscricoes;
  std::sort(ordenadas.begin(), ordenadas.end());
  EXPECT_EQ(inscricoes, ordenadas); // company order: by inscription

  const TSaidaCli tabela =
      Rodar({QStringLiteral("guias"), QStringLiteral("--modo"), QStringLiteral("processadas")});
  ASSERT_EQ(tabela.Status, 0);
  const int quitadas = Valor(QStringLiteral("SELECT COUNT(*) FROM QZLTBG08_GUIA_TOTALIZADORA "
                                            "WHERE DT_PROCESSAMENTO IS NOT NULL"))
                           .toInt();
  EXPECT_TRUE(tabela.Texto.contains(QStringLiteral("%1 guia(s)").arg(quitadas)))
      << tabela.Texto.toStdString();

  // Every guide, in the listed order, each bar code read back by a scanner program.
  const QString pdf = pasta->Arquivo(QStringLiteral("guias.pdf"));
  const TSaidaCli exp = Rodar({QStringLiteral("exportar-guias"), pdf});
  ASSERT_EQ(exp.Status, 0) << exp.Erro.toStdString();
  ASSERT_EQ(Paginas(pdf), 3);
  for (int i = 0; i < 3; ++i) {
    const QString png = pasta->Arquivo(QStringLiteral("p%1").arg(i));
    Ferramenta(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"),
                QString::number(i + 1), QStringLiteral("-l"), QString::number(i + 1),
                QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png});
    const QString lido =
        Ferramenta(QStringLiteral("zbarimg"),
                   {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sdisable"),
                    QStringLiteral("-Si25.enable"), QStringLiteral("-Si25.min-length=44"),
                    png + QStringLiteral(".png")});
    EXPECT_TRUE(lido.split(u'\n').contains(TUtilitarios::CodigoBarrasDaLinha(linhas[i])))
        << i << ": " << lido.toStdString();
  }

  // Chosen guides only.
  const TSaidaCli uma = Rodar({QStringLiteral("exportar-guias"), pdf, linhas[2]});
  ASSERT_EQ(uma.Status, 0);
  EXPECT_EQ(Paginas(pdf), 1);

  // Statements: all workers of a guide, then one PIS.
  const QString comp = pasta->Arquivo(QStringLiteral("comprovantes.pdf"));
  const int n = guias[0].toObject()[QStringLiteral("trabalhadores")].toInt();
  const TSaidaCli todos = Rodar({QStringLiteral("exportar-comprovantes"), comp, linhas[0]});
  ASSERT_EQ(todos.Status, 0) << todos.Erro.toStdString();
  EXPECT_EQ(Paginas(comp), n);
  const QString pis =
      Valor(QStringLiteral("SELECT FIRST 1 NU_PIS_GUIA FROM QZLTBG09_GUIA_INDIVIDUAL WHERE "
                           "CO_BARRAS = '%1'")
                .arg(linhas[0]));
  const TSaidaCli um = Rodar({QStringLiteral("exportar-comprovantes"), comp, linhas[0], pis});
  ASSERT_EQ(um.Status, 0) << um.Erro.toStdString();
  EXPECT_EQ(Paginas(comp), 1);
}

TEST_F(CmdGuiasTeste, ErrosDeUsoEGuiaInexistente) {
  struct Caso {
    QStringList args;
    int status;
  };
  const QString pdf = pasta->Arquivo(QStringLiteral("x.pdf"));
  const Caso casos[] = {
      {{QStringLiteral("guias"), QStringLiteral("--modo"), QStringLiteral("outras")}, 2},
      {{QStringLiteral("guias"), QStringLiteral("--xml")}, 2},
      {{QStringLiteral("exportar-guias")}, 2},
      {{QStringLiteral("exportar-comprovantes"), pdf}, 2},
      {{QStringLiteral("exportar-comprovantes"), pdf, QStringLiteral("1"), QStringLiteral("ABC")},
       2},
      {{QStringLiteral("exportar-guias"), pdf, QStringLiteral("123")}, 1},
      {{QStringLiteral("exportar-comprovantes"), pdf, QStringLiteral("123")}, 1},
      {{QStringLiteral("exportar-guias"), pasta->Arquivo(QStringLiteral("nao/existe/x.pdf"))}, 1},
  };
  for (const Caso &c : casos)
    EXPECT_EQ(Rodar(c.args).Status, c.status) << c.args.join(u' ').toStdString();
  EXPECT_FALSE(QFile::exists(pdf));
}
