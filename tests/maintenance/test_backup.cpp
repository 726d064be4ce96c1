// The table dump and its load: the file format, the single-table mode, the
// checks that refuse a file before anything changes, versions and the
// generators after a restore.
#include "BackupTeste.h"

#include "core/UnInconsistencia.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"

#include <QFile>
#include <QTemporaryDir>


TEST_F(BackupTeste, FormatoDasLinhas) {
  Preencher();
  TBackup b;
  ASSERT_TRUE(b.Exportar(Temp()));
  const QByteArray empresa = Ler(Temp() + "/QZLTBG02_EMPRESA.txt");
  // Text in the Western code page, quotes doubled, a line break kept on one
  // line, Null and the empty text told apart, CR LF ends.
  EXPECT_TRUE(empresa.startsWith(ParaWin1252(
      "INSERT INTO \"QZLTBG02_EMPRESA\" (\"NU_TIPO_INSO_EMPRA\", \"NU_INSCRICAO\", "
      "\"NU_SIMPLES\", \"SG_UF\", \"NU_IBGE\", \"NU_INSS\", \"NO_RAZAO_SOCIAL\", "
      "\"DE_LOGRADOURO\", \"NO_BAIRRO\", \"NU_CEP\", \"NO_LOCALIDADE\", \"NU_DDD\", "
      "\"NU_TELEFONE\", \"NO_CONTATO\", \"CO_ENDERECO_VIRTUAL_CONTATO\", "
      "\"IC_ESTADO_EMPRESA\") VALUES (1, 12345678000195, NULL, NULL, NULL, NULL, "
      "'D''ÁVILA & CIA LTDA', 'RUA A' || ASCII_CHAR(13) || '' || ASCII_CHAR(10) || 'FUNDOS', "
      "NULL, 70000000, NULL, NULL, NULL, NULL, NULL, 'R');\r\n")))
      << empresa.constData();
  EXPECT_TRUE(empresa.endsWith(", '', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);\r\n"));
  EXPECT_EQ(empresa.count("\r\n"), 2);

  const QString rescisao = QString::fromLatin1(Ler(Temp() + "/QZLTBG06_INFORMACAO_RESCISAO.txt"));
  EXPECT_TRUE(
      rescisao.contains("'03/05/2001', NULL, 9999999999999.99, NULL, NULL, 0.00, NULL, NULL, "
                        "NULL, -0.05, NULL"))
      << rescisao.toStdString();
  const QString arquivo = QString::fromLatin1(Ler(Temp() + "/QZLTBG13_ARQUIVO.txt"));
  EXPECT_TRUE(arquivo.contains("'01/15/2024 10:30:45.1230', 3, NULL, '01/15/2024 10:30:45', NULL"))
      << arquivo.toStdString();
  EXPECT_TRUE(QString::fromLatin1(Ler(Temp() + "/QZLTBT17_INDICE_SIMPLIFICADO.txt"))
                  .contains("'01/01/2030', '01/01/2030', 123456789.123456789, NULL"));
  EXPECT_TRUE(
      QString::fromLatin1(Ler(Temp() + "/QZLTBG03_EMPREGADO.txt")).contains("'02/29/1980'"));
  // An empty table gives an empty file; the version line as the database has it.
  EXPECT_TRUE(QFile::exists(Temp() + "/QZLTBG20_EMPRESA_HMLGO.txt"));
  EXPECT_TRUE(Ler(Temp() + "/QZLTBG20_EMPRESA_HMLGO.txt").isEmpty());
  EXPECT_EQ(Ler(Temp() + "/VERSAO.txt"), QByteArray("3.3.15  - 10/05/2019\r\n"));
  EXPECT_EQ(b.ArquivosGravados.size(), 25);
}

TEST_F(BackupTeste, RestauraExatamente) {
  Preencher();
  const QStringList antes = Dados();
  TBackup b;
  b.Exportar(Temp());
  Executar("DELETE FROM QZLTBG02_EMPRESA");
  Executar("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DISSIDIO = 1");
  Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (99)");
  TBackup r;
  ASSERT_TRUE(r.LerVersao(Temp()));
  ASSERT_TRUE(r.Restaurar(Temp())) << r.Erro.toStdString();
  EXPECT_FALSE(IbxUtils->EmTransacao());
  EXPECT_EQ(Dados(), antes);
  EXPECT_EQ(Valor("SELECT DE_LOGRADOURO FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = 1"),
            QString("RUA A\r\nFUNDOS"));
  // Same version: the links keep their marks and their run state.
  EXPECT_EQ(Valor("SELECT IC_ESTADO_MOVIMENTO || IC_VALIDACAO_VINCULO FROM "
                  "QZLTBG04_VINCULO_EMPREGATICIO"),
            QString("1N"));
}

// Each fault is put into a valid dump; the restore refuses it and the data
// stays exactly as before.
TEST_F(BackupTeste, RecusaSemAlterarNada) {
  Preencher();
  TBackup b;
  b.Exportar(Temp());
  Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS) VALUES (99)");
  const QStringList antes = Dados();
  const QString empresa = Temp() + "/QZLTBG02_EMPRESA.txt";
  const QString ultima = Temp() + "/QZLTBG21_EMPREGADO_HMLGO.txt";
  const QByteArray original = Ler(empresa);
  struct Caso {
    const char *Nome;
    QString Arquivo;
    QByteArray Conteudo;
    bool Estrutura;
  };
  const Caso casos[] = {
      {"outra instrução", empresa, original + "DELETE FROM QZLTBG03_EMPREGADO;\r\n", false},
      {"commit", empresa, "COMMIT;\r\n" + original, false},
      {"duas instruções", empresa,
       "INSERT INTO \"QZLTBG02_EMPRESA\" (\"NU_TIPO_INSO_EMPRA\") VALUES (3); DELETE FROM "
       "QZLTBG03_EMPREGADO;\r\n",
       false},
      {"outra tabela", empresa,
       original + "INSERT INTO \"QZLTBG03_EMPREGADO\" (\"NU_PIS\") VALUES (5);\r\n", false},
      {"subconsulta", empresa,
       original + "INSERT INTO \"QZLTBG02_EMPRESA\" (\"NU_TIPO_INSO_EMPRA\", \"NU_INSCRICAO\") "
                  "VALUES (3, (SELECT MAX(NU_PIS) FROM QZLTBG03_EMPREGADO));\r\n",
       false},
      {"linha cortada", empresa, original.left(original.size() - 20) + "\r\n", false},
      {"falha na última tabela", ultima,
       QByteArray(Ler(ultima)).replace("'01/01/2020'", "'31/31/2020'"), false},
      {"coluna faltando", empresa,
       QByteArray(original)
           .replace(", \"IC_ESTADO_EMPRESA\") VALUES", ") VALUES")
           .replace(", NULL);", ");")
           .replace(", 'R');", ");"),
       true},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.Nome);
    const QByteArray guardado = Ler(c.Arquivo);
    Gravar(c.Arquivo, c.Conteudo);
    TBackup r;
    r.LerVersao(Temp());
    EXPECT_FALSE(r.Restaurar(Temp()));
    EXPECT_EQ(r.EstruturaAlterada, c.Estrutura) << r.Erro.toStdString();
    EXPECT_FALSE(IbxUtils->EmTransacao());
    EXPECT_EQ(Dados(), antes);
    Gravar(c.Arquivo, guardado);
  }
}

TEST_F(BackupTeste, ComparaNomesInteirosDeColunas) {
  TBackup b;
  const QString linha =
      "INSERT INTO \"QZLTBG18_INCONSISTENCIA_ARQUIVO\" (\"NU_INCONSISTENCIA\", \"NU_MENSAGEM\", "
      "\"NU_ARQUIVO\", \"CO_REGISTRO\", \"NU_LINHA_ERRO\", \"DE_CONTEUDO_CAMPO\", "
      "\"NU_TIPO_INSCRICAO_RSPNL_INCNA\", \"NU_INSCRICAO_RSPNL_INCNA\", "
      "\"NO_RAZAO_SOCIAL_RSPNL_INCNA\", \"NU_TIPO_INSCRICAO_EMPRESA\", \"NU_INSCRICAO_EMPRESA\", "
      "%1\"CO_PIS_INCONSISTENCIA\", \"DT_ADMISSAO_INCONSISTENCIA\", "
      "\"CO_CATEGORIA_INCONSISTENCIA\", \"NO_EMPREGADO\") VALUES (1, 2, 3, '', 4, '', 5, 6, '', 7, "
      "8, %2'', '', '', '');";
  EXPECT_FALSE(b.EstruturaDiferente("QZLTBG18_INCONSISTENCIA_ARQUIVO",
                                    linha.arg("\"NO_RAZAO_SOCIAL\", ", "'', ")));
  // NO_RAZAO_SOCIAL only inside NO_RAZAO_SOCIAL_RSPNL_INCNA is missing.
  EXPECT_TRUE(b.EstruturaDiferente("QZLTBG18_INCONSISTENCIA_ARQUIVO", linha.arg("", "")));
}

TEST_F(BackupTeste, TabelaUnicaComCondicao) {
  Preencher();
  const QString id = "202401151030450001234567890123";
  TBackup b(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"), TBackup::CondicaoIdentificador(id));
  ASSERT_TRUE(b.Exportar(Temp()));
  EXPECT_EQ(b.ArquivosGravados, QStringList({"VERSAO.txt", "QZLTBG08_GUIA_TOTALIZADORA.txt"}));
  const QByteArray guias = Ler(Temp() + "/QZLTBG08_GUIA_TOTALIZADORA.txt");
  EXPECT_EQ(guias.count("\r\n"), 1);
  EXPECT_TRUE(guias.contains(id.toLatin1()));

  Executar("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA WHERE CO_BARRAS = '1'");
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'S'");
  TBackup r(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"), TBackup::CondicaoIdentificador(id));
  ASSERT_TRUE(r.Restaurar(Temp())) << r.Erro.toStdString();
  // Only the file's guides were replaced; the other file's guide and the
  // rest of the database are as they were.
  EXPECT_EQ(Valor("SELECT LIST(CO_BARRAS || ':' || VR_TOTAL_RECOLHIDO, ' ') FROM "
                  "(SELECT * FROM QZLTBG08_GUIA_TOTALIZADORA ORDER BY CO_BARRAS)"),
            QString("1:100.10 2:5.00"));
  EXPECT_EQ(Valor("SELECT IC_CONSIGNADO FROM QZLTBG04_VINCULO_EMPREGATICIO"), QString("S"));
  // Restoring again replaces the same rows, never doubles them.
  ASSERT_TRUE(r.Restaurar(Temp()));
  EXPECT_EQ(Contar("FROM QZLTBG08_GUIA_TOTALIZADORA"), 2);
  // Without its file nothing is deleted.
  QFile::remove(Temp() + "/QZLTBG08_GUIA_TOTALIZADORA.txt");
  EXPECT_FALSE(r.Restaurar(Temp()));
  EXPECT_EQ(Contar("FROM QZLTBG08_GUIA_TOTALIZADORA"), 2);
}

TEST_F(BackupTeste, GeradoresAcimaDosRestaurados) {
  Preencher();
  TBackup b;
  b.Exportar(Temp());
  TBackup r;
  r.LerVersao(Temp());
  ASSERT_TRUE(r.Restaurar(Temp()));
  EXPECT_GE(Valor("SELECT GEN_ID(GEN_QZLTBG18_ARQUIVO_ID, 0) FROM RDB$DATABASE").toInt(), 41);
  EXPECT_GE(Valor("SELECT GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 0) FROM RDB$DATABASE").toInt(), 17);
  // Recording an inconsistency draws a number above the restored ones.
  TInconsistencia inc;
  inc.NU_ARQUIVO = 1;
  inc.NU_MENSAGEM = 11;
  EXPECT_EQ(inc.Gravar(), 1);
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO"), 2);
}

TEST_F(BackupTeste, ArquivosFaltandoDeixamTabelasVazias) {
  Preencher();
  TBackup b;
  b.Exportar(Temp());
  QFile::remove(Temp() + "/QZLTBG13_ARQUIVO.txt");
  // With a file missing, the columns are not compared: a file that lacks a
  // column is loaded (the column stays Null).
  QByteArray empresa = Ler(Temp() + "/QZLTBG02_EMPRESA.txt");
  Gravar(Temp() + "/QZLTBG02_EMPRESA.txt",
         empresa.replace(", \"IC_ESTADO_EMPRESA\") VALUES", ") VALUES")
             .replace(", NULL);", ");")
             .replace(", 'R');", ");"));
  TBackup r;
  r.LerVersao(Temp());
  ASSERT_TRUE(r.Restaurar(Temp())) << r.Erro.toStdString();
  EXPECT_TRUE(r.ArquivosFaltando);
  EXPECT_EQ(Contar("FROM QZLTBG13_ARQUIVO"), 0);
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA IS NULL"), 2);
}

// The version decides what happens to the links after the load.
TEST_F(BackupTeste, Versoes) {
  struct Caso {
    const char *Nome;
    QByteArray Versao; // empty: no VERSAO.txt
    bool Revalidar;
    bool Restaura;
    QString Marcas; // state and mark of the link afterwards
    int Consignados;
  };
  const Caso casos[] = {
      {"mesma", "3.3.15  - 10/05/2019\r\n", false, true, "1N", 0},
      {"mesma com outra data", "3.3.15  - 11/05/2019\r\n", false, true, "0S", 0},
      {"outra, não", "3.3.23  - 01/01/2024\r\n", false, true, "0S", 0},
      {"outra, sim", "3.3.23  - 01/01/2024\r\n", true, true, "0S", 0},
      {"antiga", "3.3.09  - 01/01/2016\r\n", false, true, "0S", 0},
      {"sem versão", "", false, false, "1N", 0},
  };
  Preencher();
  Executar("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "DT_ADMISSAO_VINCULO, NU_CATEGORIA, CO_INSTITUICAO_CNSGTRA, NU_CONTRATO) VALUES (1, "
           "12345678000195, 12345678901, '2001-03-05', 1, '001', 'C-1')");
  TBackup b;
  b.Exportar(Temp());
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.Nome);
    if (c.Versao.isEmpty())
      QFile::remove(Temp() + "/VERSAO.txt");
    else
      Gravar(Temp() + "/VERSAO.txt", c.Versao);
    const QStringList antes = Dados();
    TBackup r;
    r.RevalidarVinculos = c.Revalidar;
    EXPECT_EQ(r.LerVersao(Temp()), QString(c.Nome) == "mesma");
    EXPECT_EQ(r.Restaurar(Temp()), c.Restaura) << r.Erro.toStdString();
    if (!c.Restaura) {
      EXPECT_EQ(Dados(), antes);
    }
    EXPECT_EQ(Valor("SELECT IC_ESTADO_MOVIMENTO || IC_VALIDACAO_VINCULO FROM "
                    "QZLTBG04_VINCULO_EMPREGATICIO"),
              c.Marcas);
    EXPECT_EQ(Contar("FROM QZLTBG22_EMPREGADO_CNSGTRA"), c.Consignados);
    if (c.Revalidar) {
      // The incomplete link was recorded as a closing inconsistency.
      EXPECT_TRUE(r.InconsistenciasEncontradas);
      EXPECT_GT(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 3"), 0);
    }
    // Back to the starting state for the next case.
    Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 1, "
             "IC_VALIDACAO_VINCULO = 'N'");
  }
  EXPECT_TRUE(TBackup::ConsignadosAntigos("3.3.09"));
  EXPECT_FALSE(TBackup::ConsignadosAntigos("3.3.15"));
  EXPECT_FALSE(TBackup::ConsignadosAntigos("3.3.23"));
  EXPECT_THROW(TBackup::ConsignadosAntigos(""), EBackup);
}

TEST_F(BackupTeste, DatasEmCacheRecarregadas) {
  Executar("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
           "DT_PAGAMENTO) VALUES (1, 12345678000195, '2024-01-15')");
  TBackup b;
  b.Exportar(Temp());
  TBackup r;
  r.LerVersao(Temp());
  ASSERT_TRUE(r.Restaurar(Temp()));
  EXPECT_EQ(DataParaQDate(DataPagamento), QDate(2024, 1, 15));
}
