// The engine's private lock folder (used when its shared one is not
// writable) and the visible form of control characters.
#include "core/unInicializacao.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(PastaBloqueio, SoUmaPastaPropriaEFechadaEConfiavel) {
  const unsigned eu = ::geteuid();
  const unsigned outro = eu + 4242; // a folder "made by" another user: ours, but not theirs
  enum Preparo { Nada, Propria0700, Propria0755, Propria0770, Elo, Arquivo };
  struct Caso {
    const char *nome;
    Preparo preparo;
    unsigned uid;
    bool aceita;
    const char *motivo;
  } casos[] = {
      {"ausente: criada 0700", Nada, eu, true, ""},
      {"já existente, própria, 0700", Propria0700, eu, true, ""},
      {"aberta a todos", Propria0755, eu, false, "outros usuários"},
      {"aberta ao grupo", Propria0770, eu, false, "outros usuários"},
      {"criada antes por outro usuário", Propria0700, outro, false, "outro usuário"},
      {"um elo para uma pasta própria", Elo, eu, false, "não é uma pasta"},
      {"um arquivo com o nome", Arquivo, eu, false, "não é uma pasta"},
  };
  // The name comes from the user id: cron and env -i leave USER unset.
  const QByteArray usuario = qgetenv("USER");
  qunsetenv("USER");
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nome);
    QTemporaryDir base;
    const QString pasta = QDir(base.path()).filePath(QStringLiteral("firebird-%1").arg(c.uid));
    const QByteArray nome = QFile::encodeName(pasta);
    switch (c.preparo) {
    case Nada:
      break;
    case Propria0700:
    case Propria0755:
    case Propria0770:
      ASSERT_EQ(::mkdir(nome.constData(), 0700), 0);
      ::chmod(nome.constData(), c.preparo == Propria0700   ? 0700
                                : c.preparo == Propria0755 ? 0755
                                                           : 0770);
      break;
    case Elo: {
      const QByteArray alvo = QFile::encodeName(base.filePath(QStringLiteral("alvo")));
      ASSERT_EQ(::mkdir(alvo.constData(), 0700), 0);
      ASSERT_EQ(::symlink(alvo.constData(), nome.constData()), 0);
      break;
    }
    case Arquivo: {
      QFile f(pasta);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      break;
    }
    }
    try {
      EXPECT_EQ(GarantirPastaBloqueioPrivada(base.path(), c.uid), pasta);
      EXPECT_TRUE(c.aceita);
      struct stat st {};
      ASSERT_EQ(::lstat(nome.constData(), &st), 0);
      EXPECT_TRUE(S_ISDIR(st.st_mode));
      EXPECT_EQ(st.st_mode & 0777, 0700u);
    } catch (const EPastaBloqueio &e) {
      EXPECT_FALSE(c.aceita);
      EXPECT_TRUE(e.Mensagem.contains(pasta)) << e.Mensagem.toStdString();
      EXPECT_TRUE(e.Mensagem.contains(QString::fromUtf8(c.motivo))) << e.Mensagem.toStdString();
    }
  }
  if (!usuario.isNull())
    qputenv("USER", usuario);
}

TEST(TextoVisivel, CaracteresDeControleFicamVisiveis) {
  const struct {
    QString entrada, saida;
  } casos[] = {
      {QStringLiteral("JOSE DA SILVA"), QStringLiteral("JOSE DA SILVA")},
      {QStringLiteral("JOSE") + QChar(0) + QStringLiteral("SILVA"),
       QStringLiteral("JOSE\\x00SILVA")},
      {QStringLiteral("A\tB\rC\nD\x1b"), QStringLiteral("A\\x09B\\x0DC\\x0AD\\x1B")},
      {QStringLiteral("Ç\u007F\u0081ã€"), QStringLiteral("Ç\\x7F\\x81ã€")},
      {QString(), QString()},
  };
  for (const auto &c : casos)
    EXPECT_EQ(TextoVisivel(c.entrada), c.saida) << c.entrada.toStdString();
}
