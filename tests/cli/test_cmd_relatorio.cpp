// "vesk-cli relatorio": the built executable writes the same pages as the
// preview's export and the same rows as the report, with its exit statuses.
#include "support/ConexaoTeste.h"
#include "support/RelatoriosTeste.h"

#include "core/unUtilitarios.h"
#include "reports/uRelCadastro.h"

#include <QFile>
#include <QTemporaryDir>

using namespace rel_teste;

class CmdRelatorioTeste : public RelatoriosTeste {
protected:
  QTemporaryDir saida;
  void SetUp() override {
    RelatoriosTeste::SetUp();
    PreencherCadastro();
  }
  TSaidaCli Cli(const QStringList &args) {
    return RodarCli(QStringList{QStringLiteral("relatorio")} + args);
  }
  QString Arquivo(const QString &nome) { return saida.filePath(nome); }
};

TEST_F(CmdRelatorioTeste, PdfECsvIguaisAoRelatorio) {
  const QString pdf = Arquivo(QStringLiteral("cli.pdf")), csv = Arquivo(QStringLiteral("cli.csv"));
  const QStringList opcoes = {
      QStringLiteral("trabalhadores"), QStringLiteral("--ordem"),
      QStringLiteral("nome"),          QStringLiteral("--por-nome"),
      QStringLiteral("--empresas"),    QString::number(Cnpj1) + u',' + QString::number(Cei2)};
  TSaidaCli s = Cli(opcoes + QStringList{QStringLiteral("--pdf"), pdf});
  ASSERT_EQ(s.Status, 0) << s.Erro.toStdString();
  s = Cli(opcoes + QStringList{QStringLiteral("--csv"), csv});
  ASSERT_EQ(s.Status, 0) << s.Erro.toStdString();

  // The same report as the order window would run.
  TRelTrabalhadores rel;
  ASSERT_TRUE(rel.Preparar(TRelTrabalhadores::OrdemPorNome(QStringLiteral("NO_EMPREGADO")),
                           {QString::number(Cnpj1), QString::number(Cei2)}, false));
  const QString previa = Arquivo(QStringLiteral("previa.pdf"));
  ASSERT_TRUE(ExportarPDF(rel, previa));
  const QStringList a = TextoPaginas(pdf), b = TextoPaginas(previa);
  ASSERT_EQ(a.size(), 2);
  ASSERT_EQ(a.size(), b.size());
  for (int i = 0; i < a.size(); ++i)
    EXPECT_EQ(SemHora(a[i]), SemHora(b[i]));
  QFile f(csv);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(f.readAll()),
            LinhasCSV(rel.Dados).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

  // The employers listing and its page format come out too.
  s = Cli({QStringLiteral("empresas"), QStringLiteral("--pdf"), Arquivo(QStringLiteral("e.pdf"))});
  ASSERT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_EQ(TamanhoPagina(Arquivo(QStringLiteral("e.pdf"))), QStringLiteral("842 x 595"));
}

TEST_F(CmdRelatorioTeste, EstadosDeSaida) {
  const QString pdf = Arquivo(QStringLiteral("x.pdf"));
  struct Caso {
    QStringList args;
    int status;
  };
  const QList<Caso> casos = {
      {{}, 2},
      {{QStringLiteral("empresas")}, 2}, // no output named
      {{QStringLiteral("empresas"), QStringLiteral("--pdf"), pdf, QStringLiteral("--csv"), pdf}, 2},
      {{QStringLiteral("desconhecido"), QStringLiteral("--pdf"), pdf}, 2},
      {{QStringLiteral("trabalhadores"), QStringLiteral("--ordem"), QStringLiteral("idade"),
        QStringLiteral("--pdf"), pdf},
       2},
      // No confirmed change: nothing to print.
      {{QStringLiteral("alteracoes"), QStringLiteral("--pdf"), pdf}, 1},
      {{QStringLiteral("trabalhadores"), QStringLiteral("--empresas"), QStringLiteral("999"),
        QStringLiteral("--csv"), pdf},
       1},
      {{QStringLiteral("empresas"), QStringLiteral("--pdf"), QStringLiteral("/proc/x/e.pdf")}, 1},
      {{QStringLiteral("inconsistencias"), QStringLiteral("--tipo"), QStringLiteral("6"),
        QStringLiteral("--pdf"), pdf},
       2},
      {{QStringLiteral("inconsistencias"), QStringLiteral("--tipo"), QStringLiteral("4"),
        QStringLiteral("--pdf"), pdf},
       1},
      {{QStringLiteral("ocorrencia-chave"), QStringLiteral("--pdf"), pdf}, 2}, // no load named
      {{QStringLiteral("ocorrencia-chave"), QStringLiteral("--carga"), QStringLiteral("7"),
        QStringLiteral("--pdf"), pdf},
       1},
      {{QStringLiteral("inconsistencias"), QStringLiteral("--tipo"), QStringLiteral("1"),
        QStringLiteral("--pdf"), pdf},
       1},
      {{QStringLiteral("ocorrencia-saldo"), QStringLiteral("--csv"), pdf}, 1},
  };
  for (const Caso &c : casos) {
    const TSaidaCli s = Cli(c.args);
    EXPECT_EQ(s.Status, c.status) << c.args.join(u' ').toStdString() << s.Erro.toStdString();
    EXPECT_FALSE(QFile::exists(pdf)) << c.args.join(u' ').toStdString();
  }
  const TSaidaCli vazio = Cli({QStringLiteral("alteracoes"), QStringLiteral("--csv"), pdf});
  EXPECT_TRUE(vazio.Erro.contains(QStringLiteral("RE0086 - Não há dados para imprimir.")))
      << vazio.Erro.toStdString();
}
