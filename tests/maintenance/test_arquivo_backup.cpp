// The backup archive: what standard tools see in it, the archives a restore
// must refuse before anything changes, and a failed backup that must leave
// no archive behind.
#include "BackupTeste.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// A zip written by Python's zipfile (no encryption): entry names exactly as given.
void ZipPython(const QString &destino, const QString &origem, const QStringList &entradas) {
  QString py = QStringLiteral("import zipfile,sys,warnings\nwarnings.simplefilter('ignore')\n"
                              "z=zipfile.ZipFile(sys.argv[1],'w',zipfile.ZIP_DEFLATED)\n"
                              "for a in sys.argv[3:]:\n"
                              "  n,f=a.split('=',1)\n"
                              "  z.write(sys.argv[2]+'/'+f,n)\n"
                              "z.close()\n");
  QStringList args{QStringLiteral("-c"), py, destino, origem};
  args << entradas;
  QByteArray saida;
  ASSERT_EQ(BackupTeste::Rodar(QStringLiteral("python3"), args, &saida), 0) << saida.constData();
}

} // namespace

TEST_F(BackupTeste, ArquivoAbreComFerramentasPadrao) {
  Preencher();
  const QString zip = pasta->Arquivo("Backup/copia.zip");
  TBackup b;
  QString erro;
  ASSERT_EQ(FazerBackup(b, Temp(), zip, &erro), QString("0252")) << erro.toStdString();
  QByteArray saida;
  EXPECT_EQ(Rodar("unzip", {"-P", SenhaBackup, "-t", zip}, &saida), 0) << saida.constData();
  EXPECT_EQ(Rodar("7z", {"t", QStringLiteral("-p") + SenhaBackup, zip}, &saida), 0)
      << saida.constData();
  EXPECT_NE(Rodar("unzip", {"-P", "errada", "-t", zip}, &saida), 0);
  ASSERT_EQ(Rodar("unzip", {"-Z1", zip}, &saida), 0);
  QStringList nomes = QString::fromLatin1(saida).split('\n', Qt::SkipEmptyParts);
  nomes.sort();
  QStringList esperados = TBackup().NomesEsperados();
  esperados.sort();
  EXPECT_EQ(nomes, esperados);
  ASSERT_EQ(Rodar("unzip", {"-Zv", zip}, &saida), 0);
  EXPECT_EQ(saida.count("compression method:                             deflated"), 25);
  EXPECT_EQ(saida.count("file security status:                           encrypted"), 25);
  // The working folder is clean again.
  EXPECT_TRUE(QDir(Temp()).entryList(QDir::Files).isEmpty());
}

// Every archive here must be refused with 0104 and change nothing.
TEST_F(BackupTeste, ArquivosRecusados) {
  Preencher();
  const QString bom = pasta->Arquivo("Backup/bom.zip");
  TBackup b;
  ASSERT_EQ(FazerBackup(b, Temp(), bom), QString("0252"));
  Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (99)");
  const QStringList antes = Dados();
  const QByteArray bytes = Ler(bom);

  QTemporaryDir tabelas;
  TBackup e;
  e.Exportar(tabelas.path());
  const QString senhaErrada = pasta->Arquivo("Backup/senha.zip");
  Rodar("zip", {"-j", "-q", "-P", "outra", senhaErrada, tabelas.path() + "/QZLTBG02_EMPRESA.txt",
                tabelas.path() + "/VERSAO.txt"});
  const QString duplicado = pasta->Arquivo("Backup/duplicado.zip");
  ZipPython(
      duplicado, tabelas.path(),
      {"QZLTBG02_EMPRESA.txt=QZLTBG02_EMPRESA.txt", "x/qzltbg02_empresa.TXT=QZLTBG02_EMPRESA.txt"});
  const QString semTabelas = pasta->Arquivo("Backup/vazio.zip");
  ZipPython(semTabelas, tabelas.path(), {"VERSAO.txt=VERSAO.txt", "LEIAME.txt=VERSAO.txt"});

  QByteArray virado = bytes;
  virado[bytes.size() / 2] = static_cast<char>(virado[bytes.size() / 2] ^ 0x5A);
  Gravar(pasta->Arquivo("Backup/virado.zip"), virado);
  Gravar(pasta->Arquivo("Backup/cortado.zip"), bytes.left(bytes.size() * 2 / 3));
  Gravar(pasta->Arquivo("Backup/texto.zip"), "não é um zip");

  for (const char *nome : {"senha", "duplicado", "vazio", "virado", "cortado", "texto"}) {
    SCOPED_TRACE(nome);
    TBackup r;
    int perguntas = 0;
    EXPECT_EQ(RestaurarBackup(r, Temp(), pasta->Arquivo(QStringLiteral("Backup/%1.zip").arg(nome)),
                              [&] { return ++perguntas, true; }),
              QString("0104"));
    EXPECT_FALSE(r.Erro.isEmpty());
    EXPECT_EQ(perguntas, 0);
    EXPECT_EQ(Dados(), antes);
    EXPECT_TRUE(QDir(Temp()).entryList(QDir::Files).isEmpty());
  }
  TBackup r;
  EXPECT_EQ(RestaurarBackup(r, Temp(), pasta->Arquivo("Backup/nao_existe.zip"), {}),
            QString("0251"));
}

// Names are matched bare and in any case; nothing from a stored path and no
// other entry reaches the disk.
TEST_F(BackupTeste, NomesDasEntradas) {
  Preencher();
  QTemporaryDir tabelas;
  TBackup e;
  e.Exportar(tabelas.path());
  QStringList entradas;
  for (const QString &n : e.NomesEsperados())
    entradas << QStringLiteral("../../fora/%1=%2").arg(n.toLower(), n);
  entradas << "../../fora/OUTRO.txt=VERSAO.txt";
  const QString zip = pasta->Arquivo("Backup/caminhos.zip");
  ZipPython(zip, tabelas.path(), entradas);
  QTemporaryDir destino;
  const QString temp = destino.path() + "/a/b";
  QDir().mkpath(temp);
  TBackup r;
  ASSERT_TRUE(r.Descompactar(zip, temp)) << r.Erro.toStdString();
  QStringList gravados = QDir(temp).entryList(QDir::Files);
  gravados.sort();
  QStringList esperados = e.NomesEsperados();
  esperados.sort();
  EXPECT_EQ(gravados, esperados);
  EXPECT_FALSE(QDir(destino.path() + "/fora").exists());
  EXPECT_FALSE(QDir(destino.path() + "/a/fora").exists());
}

TEST_F(BackupTeste, BackupQueFalhaNaoDeixaArquivo) {
  Preencher();
  const QString zip = pasta->Arquivo("Backup/anterior.zip");
  Gravar(zip, "backup anterior");
  // A folder where a table file should go makes that file unwritable.
  QDir(Temp()).mkdir("QZLTBG09_GUIA_INDIVIDUAL.txt");
  TBackup b;
  QString erro;
  EXPECT_EQ(FazerBackup(b, Temp(), zip, &erro), QString("0107"));
  EXPECT_TRUE(erro.contains("QZLTBG09_GUIA_INDIVIDUAL.txt")) << erro.toStdString();
  EXPECT_EQ(Ler(zip), QByteArray("backup anterior"));
  QStringList sobras = QDir(pasta->Arquivo("Backup")).entryList(QDir::Files | QDir::Hidden);
  EXPECT_EQ(sobras, QStringList{"anterior.zip"});
  QDir(Temp()).rmdir("QZLTBG09_GUIA_INDIVIDUAL.txt");
  // An archive that cannot be written (no such folder) fails the same way.
  TBackup c;
  EXPECT_EQ(FazerBackup(c, Temp(), pasta->Arquivo("Backup/nao/existe.zip")), QString("0107"));
  // A backup over an existing archive replaces it once complete.
  TBackup d;
  ASSERT_EQ(FazerBackup(d, Temp(), zip), QString("0252"));
  EXPECT_EQ(Rodar("unzip", {"-P", SenhaBackup, "-tq", zip}), 0);
  EXPECT_EQ(QDir(pasta->Arquivo("Backup")).entryList(QDir::Files | QDir::Hidden),
            QStringList{"anterior.zip"});
}

TEST_F(BackupTeste, IdaEVoltaPeloArquivo) {
  Preencher();
  const QStringList antes = Dados();
  const QString zip = pasta->Arquivo("Backup/ida.zip");
  TBackup b;
  ASSERT_EQ(FazerBackup(b, Temp(), zip), QString("0252"));
  Executar("DELETE FROM QZLTBG04_VINCULO_EMPREGATICIO");
  TBackup r;
  int perguntas = 0;
  EXPECT_EQ(RestaurarBackup(r, Temp(), zip, [&] { return ++perguntas, true; }), QString("0255"))
      << r.Erro.toStdString();
  EXPECT_EQ(perguntas, 0);
  EXPECT_EQ(Dados(), antes);
}
