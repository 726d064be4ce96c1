// "vesk-cli localizar": the search window's searches from the command line,
// with its exit statuses.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

class CmdLocalizarTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'CONTABIL', 'R')");
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "IC_ESTADO_EMPRESA) VALUES (1, 11111111000191, 'ALFA D''OESTE', 'E')");
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "IC_ESTADO_EMPRESA) VALUES (2, 123456789012, 'BETA OBRAS', 'E')");
    Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (10000000001, "
             "'MARIA SILVA')");
    for (const char *v : {"(1, 11111111000191, 10000000001, 1, '2015-03-02')",
                          "(2, 123456789012, 10000000001, 1, '2020-07-01')"})
      Executar(QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                              "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES ") +
               QString::fromLatin1(v));
  }
  TSaidaCli Rodar(const QStringList &args) {
    return RodarCli(QStringList{QStringLiteral("localizar")} + args, 60000);
  }
};

TEST_F(CmdLocalizarTeste, BuscasEStatus) {
  struct Caso {
    QStringList args;
    int status;
    const char *contem; // in stdout (status 0) or stderr
  } casos[] = {
      {{"--nome", "silva"}, 0, "100.00000.00-1  02/03/2015  MARIA SILVA"},
      {{"--nome", "d'o", "--empresa"}, 0, "11.111.111/0001-91  ALFA D'OESTE"},
      {{"--cnpj", "11111111000191"}, 0, "ALFA D'OESTE"},
      {{"--cei", "123456789012"}, 0, "123456789012        BETA OBRAS"},
      {{"--pis", "10000000001"}, 0, "01/07/2020  MARIA SILVA  (empresa 123456789012"},
      {{"--cnpj", "11222333000181"}, 1, "990092"}, // the responsible party alone
      {{"--nome", "souza"}, 1, "990092"},
      {{"--cnpj", "12.345"}, 2, "só dígitos"},
      {{"--pis", "1 OR 1=1"}, 2, "só dígitos"},
      {{"--nome", "  "}, 2, "990405"},
      {{"--cnpj", "1", "--pis", "2"}, 2, "uma só chave"},
      {{"--cnpj", "1", "--empresa"}, 2, "--empresa"},
      {{}, 2, "Informe"},
  };
  for (const Caso &c : casos) {
    const TSaidaCli s = Rodar(c.args);
    EXPECT_EQ(s.Status, c.status) << c.args.join(' ').toStdString() << s.Erro.toStdString();
    EXPECT_TRUE((c.status == 0 ? s.Texto : s.Erro).contains(QString::fromUtf8(c.contem)))
        << c.args.join(' ').toStdString() << "\n"
        << s.Texto.toStdString() << s.Erro.toStdString();
  }
  const TSaidaCli j =
      Rodar({QStringLiteral("--pis"), QStringLiteral("10000000001"), QStringLiteral("--json")});
  ASSERT_EQ(j.Status, 0);
  const QJsonArray a = QJsonDocument::fromJson(j.Texto.toUtf8()).array();
  ASSERT_EQ(a.size(), 2);
  const QJsonObject o = a.at(1).toObject();
  EXPECT_EQ(o["Tipo"].toString(), "vinculo");
  EXPECT_EQ(o["TipoInscricao"].toInt(), 2);
  EXPECT_EQ(o["Inscricao"].toInteger(), 123456789012LL);
  EXPECT_EQ(o["PIS"].toInteger(), 10000000001LL);
  EXPECT_EQ(o["Admissao"].toString(), "2020-07-01");
}
