// "vesk-cli carregar-chave" end to end: the built executable on a copy of the
// database with files of the simulated bank; the refusal's inconsistencies
// and their report of kind 4.
#include "support/BancoTeste.h"
#include "support/ConexaoTeste.h"
#include "support/EnvelopeTeste.h"

#include <QProcess>

namespace {

class CmdCarregarChaveTeste : public BancoTeste {
protected:
  TSaidaCli Rodar(const QStringList &args) { return RodarCli(args); }
  QString Gerar(const QStringList &opcoes, const QString &nome) {
    const QString saida = pasta->Arquivo(nome);
    QByteArray out;
    EXPECT_EQ(Banco(QStringList{QStringLiteral("chave"), saida} + opcoes, pasta->Caminho(), &out),
              0);
    return saida;
  }
};

TEST_F(CmdCarregarChaveTeste, ValidoRecusadoEUso) {
  const QString valido = Gerar({QStringLiteral("--cabecalhos"), QStringLiteral("2"),
                                QStringLiteral("--empresas"), QStringLiteral("3")},
                               QStringLiteral("valido.txt"));
  TSaidaCli s = Rodar({QStringLiteral("carregar-chave"), valido});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_EQ(s.Texto.count(QStringLiteral("Carga ")), 2) << s.Texto.toStdString();
  EXPECT_TRUE(s.Texto.contains(QStringLiteral("Acatado"))) << s.Texto.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 2);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG20_EMPRESA_HMLGO")), 3);

  const QString ruim = Gerar({QStringLiteral("--falha"), QStringLiteral("admissao-1899")},
                             QStringLiteral("ruim.txt"));
  s = Rodar({QStringLiteral("carregar-chave"), ruim});
  EXPECT_EQ(s.Status, 1);
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("18991231"))) << s.Erro.toStdString();
  EXPECT_TRUE(s.Erro.contains(QStringLiteral("0043"))) << s.Erro.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 2);

  // The refusal's report, as the window's question would open it.
  s = Rodar({QStringLiteral("relatorio"), QStringLiteral("inconsistencias"),
             QStringLiteral("--tipo"), QStringLiteral("4"), QStringLiteral("--csv"),
             pasta->Arquivo(QStringLiteral("i.csv"))});
  EXPECT_EQ(s.Status, 0) << s.Erro.toStdString();
  EXPECT_TRUE(pasta->LerArquivo(QStringLiteral("i.csv")).contains("18991231"));

  EXPECT_EQ(Rodar({QStringLiteral("carregar-chave")}).Status, 2);
  EXPECT_EQ(Rodar({QStringLiteral("carregar-chave"), valido, ruim}).Status, 2);
  EXPECT_EQ(
      Rodar({QStringLiteral("carregar-chave"), pasta->Arquivo(QStringLiteral("nada.txt"))}).Status,
      1);
}

} // namespace
