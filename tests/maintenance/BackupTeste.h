#pragma once
// Fixture of the backup tests: a database with a few rows in the tables the
// dump has to get right (texts with quotes, accents and line breaks, Nulls,
// every decimal digit, timestamps with a fraction), and helpers to compare
// the whole data of the 24 tables before and after an operation.
#include "maintenance/unTBackup.h"
#include "support/BancoTeste.h"

#include <QDir>
#include <QFile>
#include <QProcess>

inline QByteArray Ler(const QString &caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Gravar(const QString &caminho, const QByteArray &conteudo) {
  QFile f(caminho);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(conteudo);
}

class BackupTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    QDir(pasta->Caminho()).mkpath(QStringLiteral("TEMP"));
    QDir(pasta->Caminho()).mkpath(QStringLiteral("Backup"));
    // The delivered calendar and index tables hold tens of thousands of rows
    // that every full restore reloads; a few of each keep the tests quick.
    for (const char *t : {"QZLTBT15_DIA_UTIL", "QZLTBT16_INDICE_GUIA_RESCISORIA",
                          "QZLTBT17_INDICE_SIMPLIFICADO", "QZLTBT18_INDICE_PRORATA"})
      Executar(QStringLiteral("DELETE FROM %1 WHERE RDB$DB_KEY NOT IN (SELECT FIRST 20 RDB$DB_KEY "
                              "FROM %1)")
                   .arg(QLatin1String(t)));
  }
  QString Temp() const { return pasta->Arquivo(QStringLiteral("TEMP")); }

  void Preencher() {
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
             "DE_LOGRADOURO, NU_CEP, IC_ESTADO_EMPRESA) VALUES (1, 12345678000195, "
             "'D''ÁVILA & CIA LTDA', 'RUA A' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'FUNDOS', "
             "70000000, 'R')");
    Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
             "VALUES (2, 123456789012, '')");
    Executar("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, DT_NASCIMENTO) "
             "VALUES (12345678901, 'JOÃO DA CONCEIÇÃO', '1980-02-29')");
    Executar(
        "INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO, "
        "IC_CONSIGNADO) VALUES (1, 12345678000195, 12345678901, 1, '2001-03-05', 1, 'N', 'N')");
    Executar(
        "INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_DISSIDIO, VR_SALDO_RESCISORIO, VR_AVISO_PREVIO) "
        "VALUES (1, 12345678000195, 12345678901, 1, '2001-03-05', 9999999999999.99, -0.05, 0)");
    Executar("INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, DT_ENVIO_PROTOCOLO, "
             "DT_GERACAO_ARQUIVO, NU_ARQUIVO) VALUES ('202401151030450001234567890123', "
             "'2024-01-15 10:30:45.1230', '2024-01-15 10:30:45', 3)");
    Executar("INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
             "VR_TOTAL_RECOLHIDO, DT_RECOLHIMENTO) VALUES ('1', '202401151030450001234567890123', "
             "100.10, '2024-01-15')");
    Executar("INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
             "VR_TOTAL_RECOLHIDO) VALUES ('2', '202401151030450001234567890124', 5)");
    Executar("INSERT INTO QZLTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, NU_MENSAGEM, "
             "NU_ARQUIVO) VALUES (41, 11, 1)");
    Executar("INSERT INTO QZLTBG19_RESPONSAVEL_HMLGO (NU_IDENTIFICADOR_ARQUIVO, NO_RAZAO_SOCIAL, "
             "TS_RETORNO_ARQUIVO) VALUES (17, 'X', '2023-12-31 23:59:59.9999')");
    Executar("INSERT INTO QZLTBG21_EMPREGADO_HMLGO (NU_IDENTIFICADOR_ARQUIVO, NU_PIS, DT_ADMISSAO, "
             "NO_EMPREGADO) VALUES (17, 12345678901, '2020-01-01', 'JOÃO')");
    Executar("INSERT INTO QZLTBT17_INDICE_SIMPLIFICADO (DT_EDITAL_SIMPLIFICADO, "
             "DT_COMPETENCIA_SIMPLIFICADO, IN_JAM_OPCAO_67) VALUES ('2030-01-01', '2030-01-01', "
             "123456789.123456789)");
  }

  // Every row of the 24 tables, as the dump writes them (which keeps every
  // digit); rows sorted, so two databases with the same data compare equal.
  QStringList Dados() {
    QTemporaryDir d;
    TBackup b;
    b.Exportar(d.path());
    QStringList r;
    for (const QString &t : b.Tabelas) {
      QFile f(QDir(d.path()).filePath(TBackup::NomeArquivoTabela(t)));
      f.open(QIODevice::ReadOnly);
      QStringList linhas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
      linhas.sort();
      r << t << linhas;
    }
    return r;
  }

public:
  static int Rodar(const QString &programa, const QStringList &args, QByteArray *saida = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, args);
    p.waitForFinished(120000);
    if (saida)
      *saida = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
};
