// The installed copy's data folder and the database version check.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include "core/unInicializacao.h"
#include "core/unInstalacao.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <unistd.h>

TEST(Instalacao, CopiaDosArquivosEntreguesNuncaSubstituiOsDoUsuario) {
  const PastaTeste entregue; // BD/VESK.FDB and MOLT.ini, as beside an installed program
  QTemporaryDir base;
  const QString dados = QDir(base.path()).filePath("casa/.local/share/vesk");

  CopiarArquivosEntregues(entregue.Caminho(), dados);
  EXPECT_EQ(QFileInfo(dados).permissions() & 0x0077, 0) << "outros usuários veem a pasta";
  for (const char *arquivo : {"BD/VESK.FDB", "MOLT.ini"}) {
    QFile copia(QDir(dados).filePath(arquivo));
    ASSERT_TRUE(copia.open(QIODevice::ReadOnly)) << arquivo;
    EXPECT_EQ(copia.readAll(), entregue.LerArquivo(arquivo)) << arquivo;
    EXPECT_EQ(copia.permissions() & 0x0077, 0) << arquivo;
    EXPECT_TRUE(copia.permissions() & QFile::WriteOwner) << arquivo;
  }

  // The user's files stay as they are; only a missing one is delivered again,
  // and a copy left half-made by an interrupted start is not taken for one.
  QFile ini(QDir(dados).filePath("MOLT.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write("LOGSQL=S\r\n");
  ini.close();
  QFile banco(QDir(dados).filePath("BD/VESK.FDB"));
  ASSERT_TRUE(banco.open(QIODevice::WriteOnly | QIODevice::Truncate));
  banco.write("dados do usuário");
  banco.close();
  CopiarArquivosEntregues(entregue.Caminho(), dados);
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), QByteArray("LOGSQL=S\r\n"));
  ini.close();
  ASSERT_TRUE(banco.open(QIODevice::ReadOnly));
  EXPECT_EQ(banco.readAll(), QByteArray("dados do usuário"));
  banco.close();

  // A half-made copy of another start still copying is left to it; one that
  // an interrupted start left long ago goes.
  ASSERT_TRUE(banco.remove());
  const auto meia = [&](const char *nome, const QDateTime &quando) {
    QFile f(QDir(dados).filePath(nome));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("metade");
    f.flush(); // else the close writes and dates the file now
    EXPECT_TRUE(f.setFileTime(quando, QFileDevice::FileModificationTime));
    return f.fileName();
  };
  const QString antiga =
      meia("BD/VESK.FDB.copiando.4242", QDateTime::currentDateTime().addDays(-1));
  const QString alheia = meia("BD/VESK.FDB.copiando", QDateTime::currentDateTime());
  CopiarArquivosEntregues(entregue.Caminho(), dados);
  EXPECT_EQ(QFileInfo(banco.fileName()).size(), QFileInfo(entregue.Banco()).size());
  EXPECT_FALSE(QFileInfo::exists(antiga));
  EXPECT_TRUE(QFileInfo::exists(alheia));
  EXPECT_EQ(QDir(QDir(dados).filePath("BD")).entryList(QDir::Files).size(), 2);
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll(), QByteArray("LOGSQL=S\r\n"));
}

TEST(Instalacao, FalhasAoPrepararAPastaDeDadosSaoExplicadas) {
  QTemporaryDir base;
  const PastaTeste semBanco(false, true);
  const QString dados = QDir(base.path()).filePath("vesk");
  struct Caso {
    const char *nome;
    QString origem, destino;
    const char *trecho;
  } casos[] = {
      {"banco entregue ausente", semBanco.Caminho(), dados, "BD/VESK.FDB"},
      {"destino é um arquivo", semBanco.Caminho(), semBanco.Arquivo("MOLT.ini"), "criá-la"},
  };
  for (const Caso &c : casos) {
    try {
      CopiarArquivosEntregues(c.origem, c.destino);
      ADD_FAILURE() << c.nome << ": aceito";
    } catch (const EInstalacao &e) {
      EXPECT_TRUE(e.Mensagem.startsWith("Não foi possível preparar a pasta de dados"))
          << c.nome << ": " << e.Mensagem.toStdString();
      EXPECT_TRUE(e.Mensagem.contains(QDir::toNativeSeparators(c.trecho)))
          << c.nome << ": " << e.Mensagem.toStdString();
    }
  }
  EXPECT_FALSE(QFileInfo::exists(QDir(dados).filePath("BD/VESK.FDB")));
}

TEST(Instalacao, CopiaInstaladaPelaMarcaOuPelaPastaSemGravacao) {
  QTemporaryDir pasta;
  EXPECT_FALSE(CopiaInstalada(pasta.path()));
  QFile marca(QDir(pasta.path()).filePath(MarcaInstalacao));
  ASSERT_TRUE(marca.open(QIODevice::WriteOnly));
  marca.close();
  EXPECT_TRUE(CopiaInstalada(pasta.path())); // even for a user who may write there
  ASSERT_TRUE(marca.remove());
  if (::geteuid() != 0) { // root writes anywhere
    QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_TRUE(CopiaInstalada(pasta.path()));
    QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  const QByteArray antes = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QFile::encodeName(pasta.path()));
  EXPECT_EQ(PastaDadosUsuario(), QDir(pasta.path()).filePath("vesk"));
  qputenv("XDG_DATA_HOME", antes);
}

TEST(VersaoBanco, SoAMesmaVersaoDoProgramaEAceita) {
  struct Caso {
    const char *banco, *programa, *trecho; // trecho "" = accepted
  } casos[] = {
      {"3.3.15", "3.3.15", ""},
      {" 3.3.15 ", "3.3.15", ""},
      {"3.3.9", "3.3.15", "anterior à versão 3.3.15"}, // by number, not by text
      {"3.3.14", "3.3.15", "anterior à versão 3.3.15"},
      {"3.4.0", "3.3.15", "mais nova que a versão 3.3.15"},
      {"3.3.16", "3.3.15", "mais nova"},
      {"", "3.3.15", "não informa a sua versão"},
      {"abc", "3.3.15", "não informa a sua versão"},
  };
  for (const Caso &c : casos) {
    const QString m = MensagemVersaoBanco("/casa/u/BD/VESK.FDB", c.banco, c.programa);
    if (!*c.trecho) {
      EXPECT_TRUE(m.isEmpty()) << c.banco << ": " << m.toStdString();
      continue;
    }
    EXPECT_TRUE(m.contains(QString::fromUtf8(c.trecho))) << c.banco << ": " << m.toStdString();
    EXPECT_TRUE(m.contains("/casa/u/BD/VESK.FDB")) << m.toStdString();
  }
}

TEST(VersaoBanco, ProgramaRecusaBancoDeOutraVersaoSemAlterarDados) {
  // The build numbers the program from the scripts' newest version row.
  {
    PastaTeste pasta;
    TIbxUtils ibx;
    ConfigurarConexaoTeste(ibx, pasta.Banco());
    ibx.Conectar();
    TDataSetPtr ds =
        ibx.AbrirConsulta("SELECT FIRST 1 CO_VERSAO_SISTEMA FROM "
                          "QZLTBT22_PARAMETRO_SISTEMA ORDER BY DT_VERSAO_SISTEMA DESC");
    EXPECT_EQ(ds->Fields(0).AsString().trimmed(), VersaoPrograma());
  }
  struct Caso {
    const char *nome, *sql, *trecho;
  } casos[] = {
      {"anterior",
       "DELETE FROM QZLTBT22_PARAMETRO_SISTEMA WHERE DT_VERSAO_SISTEMA = (SELECT "
       "MAX(DT_VERSAO_SISTEMA) FROM QZLTBT22_PARAMETRO_SISTEMA)",
       "anterior à versão"},
      {"mais nova",
       "INSERT INTO QZLTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES "
       "('99.0.0', '2999-01-01')",
       "mais nova que a versão"},
  };
  for (const Caso &c : casos) {
    PastaTeste pasta;
    {
      TIbxUtils ibx;
      ConfigurarConexaoTeste(ibx, pasta.Banco());
      ibx.Conectar();
      ibx.ExecutarSQL(c.sql);
      ibx.ExecutarSQL("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                      "IC_ESTADO_EMPRESA) VALUES (1, 191, 'R')");
    }
    DefinirPastaPrograma(pasta.Caminho());
    RespostasDialogo dialogos;
    int janelas = 0;
    TJanelasIniciais j;
    j.MostrarEntrada = j.MostrarPrincipal = [&janelas] { ++janelas; };
    EXPECT_NE(ExecutarPrograma(j), 0) << c.nome;
    EXPECT_EQ(janelas, 0) << c.nome;
    ASSERT_EQ(dialogos.mostrados.size(), 1u) << c.nome;
    EXPECT_TRUE(dialogos.mostrados[0].Texto.contains(QString::fromUtf8(c.trecho)))
        << dialogos.mostrados[0].Texto.toStdString();
    EXPECT_EQ(dialogos.mostrados[0].Tipo, dtErro);
    EXPECT_FALSE(QDir(pasta.Arquivo("Arquivos")).exists()) << c.nome;
    // Nothing was changed: the employer and the version rows are as they were.
    TIbxUtils ibx;
    ConfigurarConexaoTeste(ibx, pasta.Banco());
    ibx.Conectar();
    EXPECT_EQ(ibx.AbrirConsulta("SELECT COUNT(*) FROM QZLTBG02_EMPRESA")->Fields(0).AsInteger(), 1);
  }
}
