// The file base: path checks, line loading in the Western code page, the
// inconsistency registration; and the import command of the command line.
#include "support/ConexaoTeste.h"
#include "support/FolhaTeste.h"

#include "interchange/UnArquivo.h"

#include <QFileInfo>
#include <QProcess>

namespace {
class TArquivoTeste : public TArquivo {
public:
  TArquivoTeste() { NumeroArquivo = 2; }
};
} // namespace

TEST_F(FolhaTeste, ValidarCaminhoEAbrir) {
  TArquivoTeste a;
  EXPECT_THROW(a.ValidarCaminho(false), EArquivo);
  a.NomeArquivo = pasta->Arquivo(QStringLiteral("nao/existe/x.txt"));
  try {
    a.ValidarCaminho(false);
    ADD_FAILURE();
  } catch (const EArquivo &e) {
    EXPECT_EQ(
        e.Mensagem,
        QStringLiteral("Caminho não existe ou é inválido. Verifique se o caminho está correto"));
  }
  EXPECT_FALSE(a.Abrir()); // no exception escapes
  EXPECT_FALSE(a.Aberto);
  EXPECT_THROW(a.CarregarLinhas(), EArquivo);

  // CR LF, LF and a lone CR all end a line; bytes of the code page map one to
  // one, so a column of the layout is a string index.
  pasta->EscreverArquivo(QStringLiteral("a.txt"), QByteArray("AB\r\nC\xC7\xE3O\nD\rE"));
  a.NomeArquivo = pasta->Arquivo(QStringLiteral("a.txt"));
  ASSERT_TRUE(a.Abrir());
  EXPECT_EQ(a.Linhas, (QStringList{"AB", QStringLiteral("CÇãO"), "D", "E"}));
  EXPECT_EQ(a.Modo, u'L');
  try {
    a.ValidarCaminho(true);
    ADD_FAILURE();
  } catch (const EArquivo &e) {
    EXPECT_EQ(e.Mensagem, QStringLiteral("Arquivo já aberto para leitura ou gravação."));
  }
  a.Fechar();
  EXPECT_FALSE(a.Aberto);
  EXPECT_EQ(CampoLinha(QStringLiteral("12345"), 4, 5), QStringLiteral("45"));
  EXPECT_EQ(CampoLinha(QStringLiteral("12345"), 9, 5), QString());
}

TEST_F(FolhaTeste, RegistrarInconsistenciaDefineOCodigo) {
  TArquivoTeste a;
  a.RegistrarInconsistencia(QStringLiteral("conteúdo com 'aspas'"), QStringLiteral("40"), 7, 211);
  EXPECT_EQ(a.CodigoErro, QStringLiteral("0211"));
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 2 AND NU_LINHA_ERRO = "
                   "7 AND CO_REGISTRO = '40' AND DE_CONTEUDO_CAMPO LIKE 'conteúdo com ''aspas''%'"),
            1);
  EXPECT_THROW(a.RegistrarInconsistencia(QString(), QString(), 0, 9999), EMensagemInexistente);
  EXPECT_EQ(a.CodigoErro, QStringLiteral("0396"));
  // Clearing only marks the old list: it goes when the run writes its first
  // row or, ending without one, concludes its list.
  EXPECT_TRUE(a.LimparInconsistencias());
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 2"), 1);
  EXPECT_TRUE(a.ConcluirInconsistencias());
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 2"), 0);
}

TEST_F(FolhaTeste, ComandoImportarFolha) {
  const QString cli = QStringLiteral(VESK_BIN_DIR "/vesk-cli");
  if (!QFileInfo::exists(cli))
    GTEST_SKIP() << "vesk-cli não compilado";
  // The command opens the database itself: the test lets go of it.
  delete IbxUtils;
  IbxUtils = nullptr;
  auto rodar = [&](const QString &arquivo, QString &saida) {
    QProcess p;
    p.start(cli, {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("importar-folha"),
                  arquivo});
    p.waitForFinished(120000);
    saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode();
  };
  QStringList linhas = Gerar({"--vinculos", "2", "--semente", "4"});
  Trocar(linhas, 3, 136, QStringLiteral("7"));
  QString saida;
  EXPECT_EQ(rodar(Gravar(linhas, QStringLiteral("ruim.re")), saida), 1);
  EXPECT_TRUE(saida.contains(QStringLiteral("linha 3  registro 40  mensagem 0122  conteúdo \"7\"")))
      << saida.toStdString();
  EXPECT_EQ(rodar(Gravar(Gerar({"--vinculos", "2"})), saida), 0) << saida.toStdString();
  EXPECT_TRUE(saida.contains(QStringLiteral("Arquivo importado")));
  EXPECT_NE(rodar(pasta->Arquivo(QStringLiteral("nenhum.re")), saida), 0);
  EXPECT_TRUE(saida.contains(QStringLiteral("mensagem 0151")));
  ReconectarBanco(pasta->Banco());
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO"), 2);
}
