// The delivered database: every table and column the program names, the keys
// and defaults the program relies on, and the reference data the calculation
// and the checks look up.
#include "support/BancoTeste.h"

#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Table -> its columns, as the program names them.
struct TabelaEsperada {
  const char *nome;
  const char *colunas;
};

#define CHAVE_VINCULO "NU_TIPO_INSO_EMPRA NU_INSCRICAO NU_PIS NU_CATEGORIA DT_ADMISSAO_VINCULO "
#define CALCULADOS                                                                                 \
  "VR_DEPOSITO_ANTERIOR_RESCISAO VR_JAM_ANTERIOR_RESCISAO VR_MULTA_ANTERIOR_RESCISAO "             \
  "VR_CNTRO_ANTERIOR_RESCISAO VR_MULTA_CNTRO_ANTERIOR_RSCSO VR_DEPOSITO_RESCISAO "                 \
  "VR_JAM_RESCISAO VR_MULTA_RESCISAO VR_CNTRO_RESCISAO VR_MULTA_CNTRO_RESCISAO "                   \
  "VR_DEPOSITO_AVISO_PREVIO VR_JAM_AVISO_PREVIO VR_MULTA_AVISO_PREVIO VR_CNTRO_AVISO_PREVIO "      \
  "VR_MULTA_CNTRO_AVISO_PREVIO VR_DEPOSITO_MULTA_RESCISORIA VR_JAM_MULTA_RESCISORIA "              \
  "VR_MULTA_MULTA_RESCISORIA VR_CNTRO_MULTA_RESCISORIA VR_MULTA_CNTRO_MULTA_RESCISORIA "

const TabelaEsperada Tabelas[] = {
    {"QZLTBG01_ABERTURA_RECOLHIMENTO", "NU_TIPO_INSO_EMPRA NU_INSCRICAO DT_PAGAMENTO"},
    {"QZLTBG02_EMPRESA",
     "NU_TIPO_INSO_EMPRA NU_INSCRICAO NU_SIMPLES SG_UF NU_IBGE NU_INSS NO_RAZAO_SOCIAL "
     "DE_LOGRADOURO NO_BAIRRO NU_CEP NO_LOCALIDADE NU_DDD NU_TELEFONE NO_CONTATO "
     "CO_ENDERECO_VIRTUAL_CONTATO IC_ESTADO_EMPRESA"},
    {"QZLTBG03_EMPREGADO",
     "NU_PIS NU_GRAU_INSTRUCAO NO_EMPREGADO NU_CTPS NU_SERIE_CTPS IC_SEXO DT_NASCIMENTO "
     "NU_INSCRICAO_CPF NU_DDD_CELULAR NU_TEL_CELULAR"},
    {"QZLTBG04_VINCULO_EMPREGATICIO",
     CHAVE_VINCULO "CO_MOVIMENTACAO CO_CBO CO_SAQUE DT_OPCAO NU_TIPO_INSO_TMDR NU_INSCRICAO_TMDR "
                   "IC_AVISO_PREVIO DT_INICIO_AVISO_PRVO IC_REPOSICAO_VAGAS QT_HORAS_TRBS_SMNA "
                   "IC_ESTADO_MOVIMENTO DT_MOVIMENTACAO_VINCULO NU_BANCO_CONTA NU_AGENCIA_CONTA "
                   "NU_CONTA_BANCARIA IC_CONSIGNADO IC_VALIDACAO_VINCULO"},
    {"QZLTBG05_ALTERACAO_CADASTRAL",
     CHAVE_VINCULO "NU_TIPO_ALTERACAO DE_CONTEUDO_ANTERIOR IC_CONFIRMACAO "
                   "NU_EMPRESA_VORDA_ALT_CADASTRAL NU_EMPREGADO_VORDA_ALT_CDSTL"},
    {"QZLTBG06_INFORMACAO_RESCISAO",
     CHAVE_VINCULO "DT_DISSIDIO VR_DISSIDIO VR_REMUNERACAO_ANTERIOR_RSCSO VR_REMUNERACAO_RESCISAO "
                   "VR_AVISO_PREVIO IC_TIPO_PNSO_ALMNA VR_PENSAO_ALMNA IC_ORIGEM_SALDO_RESCISORIO "
                   "VR_SALDO_RESCISORIO DT_DEVIDA_ANTERIOR_RESCISAO DT_DEVIDA_RESCISAO "
                   "DT_DEVIDA_AVISO_PREVIO DT_DEVIDA_MULTA_RESCISORIA " CALCULADOS
                   "VR_DEPOSITO_CMPLO_SALDO VR_JAM_SALDO_RESCISORIO"},
    {"QZLTBG07_COMPLEMENTO_SALDO",
     CHAVE_VINCULO "NU_COMPLEMENTO AA_COMPETENCIA MM_COMPETENCIA VR_REMUNERACAO VR_DEPOSITO"},
    {"QZLTBG08_GUIA_TOTALIZADORA",
     "CO_BARRAS NU_IDENTIFICADOR_ARQUIVO NU_TIPO_INSCRICAO_GUIA NU_INSCRICAO_GUIA NO_RAZAO_SOCIAL "
     "DE_LOGRADOURO NU_DDD NU_TELEFONE NU_CEP NO_BAIRRO NO_LOCALIDADE SG_UF_GUIA_TOTALIZADORA "
     "NU_FPAS_GUIA NU_SIMPLES_GUIA NU_CNAE_GUIA NU_BANCO NU_AGENCIA DT_RECOLHIMENTO DT_QUITACAO "
     "DT_PROCESSAMENTO VR_TOTAL_RECOLHIDO"},
    {"QZLTBG09_GUIA_INDIVIDUAL",
     "CO_BARRAS NU_PIS_GUIA DT_ADMISSAO_GUIA NU_CATEGORIA_GUIA NO_EMPREGADO DT_OPCAO "
     "DT_MOVIMENTACAO CO_MOVIMENTACAO_GUIA IC_AVISO_PREVIO DT_DISSIDIO DT_NASCIMENTO NU_CTPS "
     "NU_SERIE_CTPS NU_TIPO_INSO_TMDR_GUIA NU_INSCRICAO_TMDR_GUIA VR_REMUNERACAO_ANTERIOR_RSCSO "
     "VR_REMUNERACAO_RESCISAO VR_AVISO_PREVIO VR_MULTA_RESCISORIA " CALCULADOS},
    {"QZLTBG10_CONTA_EMPREGADO_ZELT", CHAVE_VINCULO
     "NO_EMPREGADO NU_EMPREGADO_VORDA NU_SITUACAO_CONTA_EMPREGADO NU_SITUACAO_PIS "
     "AA_MAIOR_COMPETENCIA MM_MAIOR_COMPETENCIA VR_SALDO_RESCISORIO "
     "DT_GRAVACAO_ARQUIVO NU_SITUACAO_CONTA_EMPRESA NU_EMPRESA_VORDA DT_CREDITO_JUROS"},
    {"QZLTBG13_ARQUIVO",
     "NU_IDENTIFICADOR_ARQUIVO CO_PROTOCOLO DT_ENVIO_PROTOCOLO NU_ARQUIVO NM_ARQUIVO "
     "DT_GERACAO_ARQUIVO IC_ARQUIVO_VALIDO IC_ARQUIVO_ATENDIDO"},
    {"QZLTBG14_OCORRENCIA_GUIA", "NU_IDENTIFICADOR_ARQUIVO NU_LINHA DE_LINHA_ARQUIVO"},
    {"QZLTBG15_ENVIO_EMPRESA",
     "NU_IDENTIFICADOR_ARQUIVO NU_TIPO_INSCRICAO_ENVIO NU_INSCRICAO_ENVIO NO_RAZAO_SOCIAL "
     "VR_TOTAL_RECOLHIDO CO_BARRAS_ENVIO_EMPRESA DT_RECOLHIMENTO_ENVIO_EMPRESA DT_PROCESSAMENTO "
     "NU_ENVIO_EMPRESA"},
    {"QZLTBG16_ENVIO_EMPREGADO",
     "NU_IDENTIFICADOR_ARQUIVO NU_TIPO_INSCRICAO_ENVIO NU_INSCRICAO_ENVIO NU_PIS_ENVIO "
     "NU_CATEGORIA_ENVIO DT_ADMISSAO_ENVIO NO_EMPREGADO VR_TOTAL_RECOLHIDO CO_MOVIMENTACAO "
     "DT_MOVIMENTACAO NU_ENVIO_EMPRESA"},
    {"QZLTBG18_INCONSISTENCIA_ARQUIVO",
     "NU_INCONSISTENCIA NU_MENSAGEM NU_ARQUIVO CO_REGISTRO NU_LINHA_ERRO DE_CONTEUDO_CAMPO "
     "NU_TIPO_INSCRICAO_RSPNL_INCNA NU_INSCRICAO_RSPNL_INCNA NO_RAZAO_SOCIAL_RSPNL_INCNA "
     "NU_TIPO_INSCRICAO_EMPRESA NU_INSCRICAO_EMPRESA NO_RAZAO_SOCIAL CO_PIS_INCONSISTENCIA "
     "DT_ADMISSAO_INCONSISTENCIA CO_CATEGORIA_INCONSISTENCIA NO_EMPREGADO"},
    {"QZLTBG19_RESPONSAVEL_HMLGO",
     "NU_IDENTIFICADOR_ARQUIVO NU_TIPO_INSCRICAO_RESPONSA NU_INSCRICAO_RESPONSAVEL NO_RAZAO_SOCIAL "
     "TS_RETORNO_ARQUIVO IC_ESTADO_HMLGO CO_MENSAGEM DE_MENSAGEM"},
    {"QZLTBG20_EMPRESA_HMLGO",
     "NU_IDENTIFICADOR_ARQUIVO NU_LINHA_ARQUIVO_EMPRESA NU_IDENTIFICADOR_GUIA NU_ESTABELECIMENTO "
     "NU_TIPO_INSCRICAO_EMPRESA NU_INSCRICAO_EMPRESA NO_RAZAO_SOCIAL CO_MENSAGEM DE_MENSAGEM"},
    {"QZLTBG21_EMPREGADO_HMLGO",
     "NU_IDENTIFICADOR_ARQUIVO NU_IDENTIFICADOR_GUIA NU_ESTABELECIMENTO NU_LINHA_ARQUIVO_EMPRESA "
     "NU_PIS DT_ADMISSAO NU_CATEGORIA NU_EMPREGADO NU_LINHA_ARQUIVO_EMPREGADO NO_EMPREGADO "
     "CO_SAQUE DT_VALIDADE_GUIA CO_HOMOLOGACAO_VORDA SG_BASE_DADOS CO_MENSAGEM DE_MENSAGEM "
     "CO_MOVIMENTACAO DT_MOVIMENTACAO"},
    {"QZLTBG22_EMPREGADO_CNSGTRA",
     CHAVE_VINCULO "CO_INSTITUICAO_CNSGTRA NU_CONTRATO DT_NU_CONTRATO"},
    {"QZLTBG30_REPOSICAO_VAGA",
     CHAVE_VINCULO "NU_REPOSICAO_VAGA IC_VAGA_PNE IC_APP_EN_VORDA NU_DDD_TEL_RCTDOR NU_TEL_RCTDOR "
                   "CO_CBO_REPOSICAO END_EMAIL"},
    {"QZLTBG31_USO_EXCLUSIVO", "NU_USO_EXCLUSIVO"},
    {"QZLTBT01_FPAS", "NU_INSS DE_INSS"},
    {"QZLTBT02_TIPO_OPCAO_SIMPLES", "NU_SIMPLES DE_SIMPLES"},
    {"QZLTBT03_ATIVIDADE_CNAE_NIVEL_5", "NU_IBGE DE_ATIVIDADE"},
    {"QZLTBT04_CATEGORIA_EMPREGADO", "NU_CATEGORIA DE_CATEGORIA IC_CTPS"},
    {"QZLTBT05_OCUPACAO_NIVEL_4", "CO_CBO"},
    {"QZLTBT06_MOTIVO_SAQUE", "CO_SAQUE DE_SAQUE"},
    {"QZLTBT07_TIPO_MOVIMENTACAO", "CO_MOVIMENTACAO DE_MOVIMENTACAO"},
    {"QZLTBT08_UNIDADE_FEDERACAO", "SG_UF NO_UF"},
    {"QZLTBT09_TIPO_GRAU_INSTRUCAO", "NU_GRAU_INSTRUCAO DE_GRAU_INSTRUCAO"},
    {"QZLTBT12_TIPO_ARQUIVO", "NU_ARQUIVO DE_ARQUIVO"},
    {"QZLTBT13_MENSAGEM_SISTEMA", "NU_MENSAGEM DE_MENSAGEM"},
    {"QZLTBT14_ALIQUOTA_CALCULO_DPSTO",
     "NU_CATEGORIA AA_COMPETENCIA_ALIQUOTA MM_COMPETENCIA_ALIQUOTA PC_ALIQUOTA "
     "VR_REMUNERACAO_MINIMA VR_SALDO_RESCISORIO_MINIMO"},
    {"QZLTBT15_DIA_UTIL", "DT_UTIL"},
    {"QZLTBT16_INDICE_GUIA_RESCISORIA", "DT_EDITAL_GUIA DT_VENCIMENTO DT_RCLTO_INDICE_RESCISORIA "
                                        "VR_INDICE VR_INDICE_MULTA_RESCISORIA"},
    {"QZLTBT17_INDICE_SIMPLIFICADO",
     "DT_EDITAL_SIMPLIFICADO DT_COMPETENCIA_SIMPLIFICADO IN_JAM_OPCAO_67 IN_JAM_OPCAO_68 "
     "IN_JAM_OPCAO_69 IN_JAM_OPCAO_70 IN_JAM_OPCAO_ATE_0971 IN_JAM_OPCAO_MAIOR_0971 "
     "IN_SIMPLIFICADO_1_OPCAO_67 IN_SIMPLIFICADO_1_OPCAO_68 IN_SIMPLIFICADO_1_OPCAO_69 "
     "IN_SIMPLIFICADO_1_OPCAO_70 IN_SIMPLIFICADO_2_OPCAO_67 IN_SIMPLIFICADO_2_OPCAO_68 "
     "IN_SIMPLIFICADO_2_OPCAO_69 IN_SIMPLIFICADO_2_OPCAO_70 IN_SMPLO_1_OPCAO_ATE_0971 "
     "IN_SMPLO_1_OPCAO_MAIOR_0971 IN_SMPLO_2_OPCAO_ATE_0971 IN_SMPLO_2_OPCAO_MAIOR_0971"},
    {"QZLTBT18_INDICE_PRORATA",
     "DT_EDITAL_PRORATA DT_RECOLHIMENTO_PRORATA IN_ATRASO_MES IN_ATRASO_1_MES IN_ATRASO_2_MESES"},
    {"QZLTBT19_TPO_STCO_CONTA_EMPRESA", "NU_SITUACAO_CONTA_EMPRESA DE_SITUACAO_CONTA_EMPRESA"},
    {"QZLTBT22_PARAMETRO_SISTEMA", "CO_VERSAO_SISTEMA DT_VERSAO_SISTEMA"},
    {"QZLTBT23_SAQUE_MVMNO_CATEGORIA", "CO_SAQUE CO_MOVIMENTACAO NU_CATEGORIA"},
    {"QZLTBT24_INSTITUICAO_CNSGTRA", "CO_INSTITUICAO_CNSGTRA DE_INSTITUICAO_CNSGTRA"},
};

// Firebird's RDB$FIELD_TYPE codes.
enum { tSmallint = 7, tInteger = 8, tData = 12, tTimestamp = 35, tBigint = 16, tVarchar = 37 };

struct Coluna {
  int tipo = 0;
  int escala = 0;
  int largura = 0;
  bool temPadrao = false;
};

QString Texto(const char *s) {
  return QString::fromUtf8(s);
}

const QString ColunasVinculo =
    QStringLiteral("NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO");

class Esquema : public BancoTeste {
protected:
  // Table -> column -> kind, for every user table.
  QHash<QString, QHash<QString, Coluna>> LerEsquema() {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        "SELECT TRIM(RF.RDB$RELATION_NAME) AS TABELA, TRIM(RF.RDB$FIELD_NAME) AS COLUNA, "
        "F.RDB$FIELD_TYPE AS TIPO, F.RDB$FIELD_SCALE AS ESCALA, F.RDB$CHARACTER_LENGTH AS LARGURA, "
        "IIF(RF.RDB$DEFAULT_SOURCE IS NULL AND F.RDB$DEFAULT_SOURCE IS NULL, 0, 1) AS PADRAO "
        "FROM RDB$RELATION_FIELDS RF "
        "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
        "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0");
    QHash<QString, QHash<QString, Coluna>> esquema;
    for (ds->First(); !ds->Eof(); ds->Next()) {
      Coluna c;
      c.tipo = ds->FieldByName("TIPO").AsInteger();
      c.escala = ds->FieldByName("ESCALA").AsInteger();
      c.largura = ds->FieldByName("LARGURA").AsInteger();
      c.temPadrao = ds->FieldByName("PADRAO").AsInteger() != 0;
      esquema[ds->FieldByName("TABELA").AsString()][ds->FieldByName("COLUNA").AsString()] = c;
    }
    return esquema;
  }

  // First column of the first row as a number.
  double Numero(const QString &sql) {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
    return ds->IsEmpty() ? -1 : ds->Fields(0).AsFloat();
  }

  // A link of the test worker at employer 191.
  void InserirVinculo(int categoria, const char *admissao, const QString &movimentacao = "NULL") {
    Executar(QString("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (%1, DT_MOVIMENTACAO_VINCULO) "
                     "VALUES (1, 191, 12345678901, %2, '%3', %4)")
                 .arg(ColunasVinculo)
                 .arg(categoria)
                 .arg(admissao)
                 .arg(movimentacao));
  }
};

int LinhasCsv(const QString &nome) {
  QFile f(QStringLiteral(VESK_SOURCE_DIR "/db/refdata/") + nome);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
    return -1;
  int linhas = 0;
  bool aspas = false; // a quoted field may hold a line break
  for (const char ch : f.readAll()) {
    if (ch == '"')
      aspas = !aspas;
    else if (ch == '\n' && !aspas)
      ++linhas;
  }
  return linhas - 1; // header
}

QDate PrimeiroDia(const QDate &d) {
  return QDate(d.year(), d.month(), 1);
}

// Edition month of the index tables for a payment date, under the calendar
// that the calculation uses once the tables reach past the 10th of a month.
QDate Edicao(const QDate &pagamento) {
  if (pagamento >= QDate(2024, 3, 10) && pagamento < QDate(2024, 4, 21))
    return QDate(2024, 3, 1);
  const int virada = pagamento < QDate(2024, 3, 10) ? 10 : 21;
  return pagamento.day() >= virada ? PrimeiroDia(pagamento) : PrimeiroDia(pagamento).addMonths(-1);
}

} // namespace

// ------------------------------------------------------------- structure --

TEST_F(Esquema, TodasAsTabelasEColunasExistem) {
  auto esquema = LerEsquema();
  QSet<QString> esperadas;
  for (const auto &t : Tabelas) {
    const QString nome = Texto(t.nome);
    esperadas.insert(nome);
    ASSERT_TRUE(esquema.contains(nome)) << t.nome;
    const QStringList colunas = Texto(t.colunas).split(' ', Qt::SkipEmptyParts);
    for (const QString &c : colunas)
      EXPECT_TRUE(esquema[nome].contains(c)) << t.nome << "." << qPrintable(c);
    EXPECT_EQ(esquema[nome].size(), colunas.size()) << t.nome << " has unlisted columns";
  }
  for (auto it = esquema.cbegin(); it != esquema.cend(); ++it)
    EXPECT_TRUE(esperadas.contains(it.key())) << "unlisted table " << qPrintable(it.key());
}

// The program formats literals by the column prefix; the kinds must follow it.
TEST_F(Esquema, TiposSeguemOPrefixoDaColuna) {
  const QSet<QString> int64 = {"NU_INSCRICAO",
                               "NU_PIS",
                               "NU_INSCRICAO_CPF",
                               "NU_INSCRICAO_TMDR",
                               "NU_CONTA_BANCARIA",
                               "NU_EMPRESA_VORDA_ALT_CADASTRAL",
                               "NU_EMPREGADO_VORDA_ALT_CDSTL",
                               "NU_INSCRICAO_GUIA",
                               "NU_PIS_GUIA",
                               "NU_INSCRICAO_TMDR_GUIA",
                               "NU_EMPREGADO_VORDA",
                               "NU_EMPRESA_VORDA",
                               "NU_INSCRICAO_ENVIO",
                               "NU_PIS_ENVIO",
                               "NU_INSCRICAO_RSPNL_INCNA",
                               "NU_INSCRICAO_EMPRESA",
                               "NU_INSCRICAO_RESPONSAVEL",
                               "NU_IDENTIFICADOR_GUIA",
                               "NU_ESTABELECIMENTO"};
  const QSet<QString> momentos = {"DT_ENVIO_PROTOCOLO", "DT_GERACAO_ARQUIVO", "TS_RETORNO_ARQUIVO"};
  auto esquema = LerEsquema();
  for (auto t = esquema.cbegin(); t != esquema.cend(); ++t) {
    for (auto c = t.value().cbegin(); c != t.value().cend(); ++c) {
      const QString &n = c.key();
      const Coluna &k = c.value();
      const std::string onde = (t.key() + '.' + n).toStdString();
      if (n == "NU_IDENTIFICADOR_ARQUIVO") {
        // text of 30 digits in the guide and protocol tables, int64 in the homologation ones
        const bool homologacao = t.key().contains("HMLGO");
        EXPECT_EQ(k.tipo, homologacao ? tBigint : tVarchar) << onde;
        if (!homologacao) {
          EXPECT_EQ(k.largura, 30) << onde;
        }
      } else if (n == "DT_ADMISSAO_INCONSISTENCIA") {
        EXPECT_EQ(k.tipo, tVarchar) << onde;
        EXPECT_EQ(k.largura, 10) << onde;
      } else if (momentos.contains(n)) {
        EXPECT_EQ(k.tipo, tTimestamp) << onde;
      } else if (n.startsWith("DT_")) {
        EXPECT_EQ(k.tipo, tData) << onde;
        EXPECT_FALSE(k.temPadrao) << onde << " must not default";
      } else if (n.startsWith("VR_INDICE") || n.startsWith("IN_")) {
        EXPECT_EQ(k.escala, -9) << onde;
      } else if (n.startsWith("VR_")) {
        EXPECT_EQ(k.escala, -2) << onde;
      } else if (n.startsWith("PC_")) {
        EXPECT_LT(k.escala, -2) << onde;
      } else if (n == "NU_CONTRATO") {
        EXPECT_EQ(k.tipo, tVarchar) << onde; // free text of up to 40 characters
        EXPECT_GE(k.largura, 40) << onde;
      } else if (int64.contains(n)) {
        EXPECT_EQ(k.tipo, tBigint) << onde;
      } else if (n.startsWith("NU_") || n.startsWith("AA_") || n.startsWith("MM_") ||
                 n.startsWith("QT_")) {
        EXPECT_TRUE(k.tipo == tInteger || k.tipo == tSmallint) << onde;
      } else if (n.startsWith("IC_") && k.tipo == tVarchar) {
        EXPECT_EQ(k.largura, 1) << onde;
      } else if (!n.startsWith("IC_")) {
        EXPECT_EQ(k.tipo, tVarchar) << onde; // CO_, NO_, DE_, SG_, NM_, END_
      }
    }
  }
  // Widths the fixed-layout files need.
  EXPECT_GE(esquema["QZLTBG03_EMPREGADO"]["NO_EMPREGADO"].largura, 70);
  EXPECT_GE(esquema["QZLTBG02_EMPRESA"]["NO_RAZAO_SOCIAL"].largura, 40);
  EXPECT_GE(esquema["QZLTBG02_EMPRESA"]["DE_LOGRADOURO"].largura, 50);
  EXPECT_GE(esquema["QZLTBG02_EMPRESA"]["CO_ENDERECO_VIRTUAL_CONTATO"].largura, 60);
  EXPECT_GE(esquema["QZLTBG14_OCORRENCIA_GUIA"]["DE_LINHA_ARQUIVO"].largura, 533);
  EXPECT_GE(esquema["QZLTBG19_RESPONSAVEL_HMLGO"]["DE_MENSAGEM"].largura, 341);
  EXPECT_GE(esquema["QZLTBT13_MENSAGEM_SISTEMA"]["DE_MENSAGEM"].largura, 500);
  EXPECT_EQ(esquema["QZLTBG18_INCONSISTENCIA_ARQUIVO"]["DE_CONTEUDO_CAMPO"].largura, 70);
  EXPECT_GE(esquema["QZLTBG08_GUIA_TOTALIZADORA"]["CO_BARRAS"].largura, 48);
  EXPECT_GE(esquema["QZLTBG04_VINCULO_EMPREGATICIO"]["CO_SAQUE"].largura, 3);
}

TEST_F(Esquema, GeradoresNumeramInconsistenciasEHomologacoes) {
  Executar("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) VALUES (9999, 'x')");
  for (int i = 0; i < 2; ++i)
    Executar("INSERT INTO QZLTBG18_INCONSISTENCIA_ARQUIVO (NU_INCONSISTENCIA, NU_MENSAGEM, "
             "NU_ARQUIVO) VALUES (GEN_ID(GEN_QZLTBG18_ARQUIVO_ID, 1), 9999, 1)");
  EXPECT_EQ(Valor("SELECT MAX(NU_INCONSISTENCIA) - MIN(NU_INCONSISTENCIA) "
                  "FROM QZLTBG18_INCONSISTENCIA_ARQUIVO"),
            "1");
  const qint64 a =
      Valor("SELECT GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 1) FROM RDB$DATABASE").toLongLong();
  const qint64 b =
      Valor("SELECT GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 1) FROM RDB$DATABASE").toLongLong();
  EXPECT_EQ(b, a + 1);
}

// ---------------------------------------------------------- keys and values --

TEST_F(Esquema, CnpjComZerosAEsquerdaGuardaOValor) {
  Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
           "VALUES (1, 00012345000195, 'ZEROS LTDA')");
  Executar("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL) "
           "VALUES (1, 99999999999999, 'MAIOR CNPJ')");
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT NU_INSCRICAO FROM QZLTBG02_EMPRESA WHERE NO_RAZAO_SOCIAL = 'ZEROS LTDA'");
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("NU_INSCRICAO").AsInt64(), 12345000195LL);
  EXPECT_EQ(Contar("FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = 99999999999999"), 1);
}

TEST_F(Esquema, DataVaziaFicaNulaENaoGanhaPadrao) {
  InserirVinculo(1, "2020-01-02", TUtilitarios::DataSQL(NullDate));
  TDataSetPtr ds =
      IbxUtils->AbrirConsulta("SELECT DT_MOVIMENTACAO_VINCULO, DT_OPCAO, DT_INICIO_AVISO_PRVO "
                              "FROM QZLTBG04_VINCULO_EMPREGATICIO");
  ASSERT_EQ(ds->RecordCount(), 1);
  for (int i = 0; i < ds->FieldCount(); ++i) {
    EXPECT_TRUE(ds->Fields(i).IsNull()) << qPrintable(ds->Campo(i).Nome);
    EXPECT_EQ(ds->Fields(i).AsDateTime(), NullDate);
  }
}

TEST_F(Esquema, DoisVinculosDoMesmoTrabalhadorNaMesmaEmpresa) {
  InserirVinculo(1, "2020-01-02");
  InserirVinculo(7, "2020-01-02"); // another category
  InserirVinculo(1, "2021-03-01"); // another admission
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = 12345678901"), 3);
  EXPECT_THROW(InserirVinculo(1, "2020-01-02"), EBancoDados);
}

TEST_F(Esquema, VinculoGuardaVariosContratosConsignados) {
  auto contrato = [this](const char *instituicao, const char *numero) {
    Executar(QString("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                     "NU_PIS, DT_ADMISSAO_VINCULO, NU_CATEGORIA, CO_INSTITUICAO_CNSGTRA, "
                     "NU_CONTRATO, DT_NU_CONTRATO) VALUES (1, 191, 12345678901, '2020-01-02', 1, "
                     "'%1', '%2', '2023-05-10')")
                 .arg(instituicao, numero));
  };
  contrato("00101", "123456789012345");
  contrato("00101", "CT-2023/0042"); // same institution, another contract
  contrato("00215", "123456789012345");
  EXPECT_EQ(Contar("FROM QZLTBG22_EMPREGADO_CNSGTRA WHERE NU_PIS = 12345678901"), 3);
  EXPECT_EQ(Valor("SELECT NU_CONTRATO FROM QZLTBG22_EMPREGADO_CNSGTRA "
                  "WHERE NU_CONTRATO STARTING WITH 'CT'"),
            "CT-2023/0042");
  EXPECT_THROW(contrato("00101", "CT-2023/0042"), EBancoDados);
}

TEST_F(Esquema, VinculoGuardaVariasContasEDivergencias) {
  for (int conta : {111, 222}) {
    Executar(
        QString("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (%1, NU_EMPREGADO_VORDA, "
                "VR_SALDO_RESCISORIO) VALUES (1, 191, 12345678901, 1, '2020-01-02', %2, 100.5)")
            .arg(ColunasVinculo)
            .arg(conta));
    Executar(QString("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (%1, NU_TIPO_ALTERACAO, "
                     "IC_CONFIRMACAO, NU_EMPREGADO_VORDA_ALT_CDSTL) VALUES "
                     "(1, 191, 12345678901, 1, '2020-01-02', 406, 'N', %2)")
                 .arg(ColunasVinculo)
                 .arg(conta));
  }
  EXPECT_EQ(Numero("SELECT SUM(VR_SALDO_RESCISORIO) FROM QZLTBG10_CONTA_EMPREGADO_ZELT"), 201.0);
  EXPECT_EQ(Contar("FROM QZLTBG05_ALTERACAO_CADASTRAL WHERE NU_TIPO_ALTERACAO = 406"), 2);
}

TEST_F(Esquema, EnvioEmpresaNumeroPadraoUmEJuncaoDosTrabalhadores) {
  const QString id = "'202405061020300001234567890123'";
  Executar("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, "
           "NU_INSCRICAO_ENVIO) VALUES (" +
           id + ", 1, '00012345000195')");
  for (int i = 0; i < 2; ++i) // the same worker twice in one file is allowed
    Executar("INSERT INTO QZLTBG16_ENVIO_EMPREGADO (NU_IDENTIFICADOR_ARQUIVO, "
             "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, NU_CATEGORIA_ENVIO, "
             "DT_ADMISSAO_ENVIO, VR_TOTAL_RECOLHIDO) VALUES (" +
             id + ", 1, 12345000195, 12345678901, 1, '2020-01-02', 10.25)");
  EXPECT_EQ(Valor("SELECT NU_ENVIO_EMPRESA FROM QZLTBG15_ENVIO_EMPRESA"), "1");
  EXPECT_EQ(Numero("SELECT SUM(T.VR_TOTAL_RECOLHIDO) FROM QZLTBG16_ENVIO_EMPREGADO T "
                   "JOIN QZLTBG15_ENVIO_EMPRESA E ON E.NU_IDENTIFICADOR_ARQUIVO = "
                   "T.NU_IDENTIFICADOR_ARQUIVO AND E.NU_TIPO_INSCRICAO_ENVIO = "
                   "T.NU_TIPO_INSCRICAO_ENVIO AND E.NU_INSCRICAO_ENVIO = T.NU_INSCRICAO_ENVIO AND "
                   "E.NU_ENVIO_EMPRESA = T.NU_ENVIO_EMPRESA"),
            20.5);
  // A second row of the same company in the same file is numbered 2 (a
  // resend request may list two guides of one company); a worker row then
  // joins the latest, and a row given its number (a restore) keeps it.
  Executar("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, "
           "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO) VALUES (" +
           id + ", 1, 12345000195)");
  EXPECT_EQ(Valor("SELECT MAX(NU_ENVIO_EMPRESA) FROM QZLTBG15_ENVIO_EMPRESA"), "2");
  Executar("INSERT INTO QZLTBG16_ENVIO_EMPREGADO (NU_IDENTIFICADOR_ARQUIVO, "
           "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_PIS_ENVIO) VALUES (" +
           id + ", 1, 12345000195, 12345678902)");
  EXPECT_EQ(Valor("SELECT NU_ENVIO_EMPRESA FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_PIS_ENVIO = "
                  "12345678902"),
            "2");
  Executar("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, "
           "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_ENVIO_EMPRESA) VALUES (" +
           id + ", 2, 123, 7)");
  EXPECT_EQ(Valor("SELECT NU_ENVIO_EMPRESA FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_INSCRICAO_ENVIO = 123"),
            "7");
  EXPECT_THROW(Executar("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, "
                        "NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_ENVIO_EMPRESA) VALUES (" +
                        id + ", 2, 123, 7)"),
               EBancoDados);
}

TEST_F(Esquema, ProtocoloGuardaDataEHoraDeGeracao) {
  Executar("INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, CO_PROTOCOLO, "
           "DT_ENVIO_PROTOCOLO, NU_ARQUIVO, NM_ARQUIVO, DT_GERACAO_ARQUIVO) VALUES "
           "('202405061020300001234567890123', NULL, '2024-05-06 10:20:30', 3, "
           "'C:\\VESK\\Arquivos\\Guia Rescisoria\\RESCISORIO.HXF', '2024-05-06 10:20:30')");
  Executar("UPDATE QZLTBG13_ARQUIVO SET DT_ENVIO_PROTOCOLO = '2024-05-07'");
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT DT_ENVIO_PROTOCOLO, DT_GERACAO_ARQUIVO FROM QZLTBG13_ARQUIVO");
  EXPECT_EQ(ds->FieldByName("DT_GERACAO_ARQUIVO").AsString(), "06/05/2024 10:20:30");
  EXPECT_EQ(ds->FieldByName("DT_ENVIO_PROTOCOLO").AsDate(), QDate(2024, 5, 7));
}

// ------------------------------------------------------------ reference data --

TEST_F(Esquema, ListasPublicasCarregadasPorInteiro) {
  struct {
    const char *csv, *tabela;
    int extras;
  } casos[] = {
      {"fpas.csv", "QZLTBT01_FPAS", 0},
      {"cnae23_subclasses.csv", "QZLTBT03_ATIVIDADE_CNAE_NIVEL_5", 0},
      {"categoria_trabalhador.csv", "QZLTBT04_CATEGORIA_EMPREGADO", 0},
      {"codigo_saque.csv", "QZLTBT06_MOTIVO_SAQUE", 0},
      {"codigo_movimentacao.csv", "QZLTBT07_TIPO_MOVIMENTACAO", 1}, // I6
      {"uf.csv", "QZLTBT08_UNIDADE_FEDERACAO", 0},
      {"grau_instrucao.csv", "QZLTBT09_TIPO_GRAU_INSTRUCAO", 0},
  };
  for (const auto &c : casos) {
    const int linhas = LinhasCsv(Texto(c.csv));
    ASSERT_GT(linhas, 0) << c.csv;
    EXPECT_EQ(Contar(QString("FROM ") + c.tabela), linhas + c.extras) << c.tabela;
  }
  EXPECT_EQ(Contar("FROM QZLTBT07_TIPO_MOVIMENTACAO WHERE CO_MOVIMENTACAO = 'I6'"), 1);
  EXPECT_EQ(Valor("SELECT DE_CATEGORIA FROM QZLTBT04_CATEGORIA_EMPREGADO WHERE NU_CATEGORIA = 6"),
            "Empregado doméstico");
  EXPECT_EQ(Valor("SELECT NU_IBGE FROM QZLTBT03_ATIVIDADE_CNAE_NIVEL_5 WHERE NU_IBGE = 111301"),
            "111301"); // 0111-3/01, leading zero dropped
  EXPECT_EQ(Valor("SELECT IC_CTPS FROM QZLTBT04_CATEGORIA_EMPREGADO WHERE NU_CATEGORIA = 5"), "N");
  EXPECT_EQ(Valor("SELECT IC_CTPS FROM QZLTBT04_CATEGORIA_EMPREGADO WHERE NU_CATEGORIA = 1"), "S");
}

TEST_F(Esquema, OcupacoesSaoFamiliasComDoisZeros) {
  EXPECT_EQ(Contar("FROM QZLTBT05_OCUPACAO_NIVEL_4 WHERE CO_CBO = '005121'"), 1);
  EXPECT_EQ(Contar("FROM QZLTBT05_OCUPACAO_NIVEL_4 WHERE CHAR_LENGTH(CO_CBO) <> 6 "
                   "OR CO_CBO NOT STARTING WITH '00'"),
            0);
  EXPECT_GT(Contar("FROM QZLTBT05_OCUPACAO_NIVEL_4"), 500);
}

TEST_F(Esquema, DadosDeTesteDasTabelasDeCodigos) {
  EXPECT_EQ(Valor("SELECT FIRST 1 CO_VERSAO_SISTEMA FROM QZLTBT22_PARAMETRO_SISTEMA "
                  "ORDER BY DT_VERSAO_SISTEMA DESC"),
            "3.3.15");
  EXPECT_GT(Contar("FROM QZLTBT22_PARAMETRO_SISTEMA"), 1);
  for (int tipo : {1, 2, 3, 4, 5, 6, 7, 9})
    EXPECT_EQ(Contar(QString("FROM QZLTBT12_TIPO_ARQUIVO WHERE NU_ARQUIVO = %1").arg(tipo)), 1);
  for (int simples = 1; simples <= 6; ++simples)
    EXPECT_EQ(
        Contar(QString("FROM QZLTBT02_TIPO_OPCAO_SIMPLES WHERE NU_SIMPLES = %1").arg(simples)), 1);
  EXPECT_EQ(Contar("FROM QZLTBT19_TPO_STCO_CONTA_EMPRESA WHERE NU_SITUACAO_CONTA_EMPRESA "
                   "BETWEEN 0 AND 3"),
            4);
  EXPECT_GE(
      Contar("FROM QZLTBT24_INSTITUICAO_CNSGTRA WHERE CHAR_LENGTH(CO_INSTITUICAO_CNSGTRA) = 5"), 3);

  // Rates: 8% for employees, 2% for apprentices and for category 04 up to 01/2003.
  auto aliquota = [this](int categoria, int ano, int mes) {
    return Numero(QString("SELECT FIRST 1 PC_ALIQUOTA FROM QZLTBT14_ALIQUOTA_CALCULO_DPSTO "
                          "WHERE NU_CATEGORIA = %1 AND AA_COMPETENCIA_ALIQUOTA * 100 + "
                          "MM_COMPETENCIA_ALIQUOTA <= %2 ORDER BY AA_COMPETENCIA_ALIQUOTA DESC, "
                          "MM_COMPETENCIA_ALIQUOTA DESC")
                      .arg(categoria)
                      .arg(ano * 100 + mes));
  };
  for (int categoria : {1, 3, 5, 6})
    EXPECT_EQ(aliquota(categoria, 2024, 5), 8.0) << categoria;
  EXPECT_EQ(aliquota(7, 2024, 5), 2.0);
  EXPECT_EQ(aliquota(4, 2003, 1), 2.0);
  EXPECT_EQ(aliquota(4, 2003, 2), 8.0);
  EXPECT_GT(Contar("FROM QZLTBT14_ALIQUOTA_CALCULO_DPSTO WHERE VR_REMUNERACAO_MINIMA > 0 AND "
                   "VR_SALDO_RESCISORIO_MINIMO > 0 AND NU_CATEGORIA = 7"),
            0);
}

TEST_F(Esquema, CombinacoesDeSaqueCobremAsMovimentacoesComuns) {
  auto existe = [this](const char *saque, const char *mov, int categoria) {
    return Contar(QString("FROM QZLTBT23_SAQUE_MVMNO_CATEGORIA WHERE CO_SAQUE = '%1' AND "
                          "CO_MOVIMENTACAO = '%2' AND NU_CATEGORIA = %3")
                      .arg(saque, mov)
                      .arg(categoria)) == 1;
  };
  for (int categoria : {1, 3, 4, 5, 7}) {
    EXPECT_TRUE(existe("01", "I1", categoria)) << categoria;
    EXPECT_TRUE(existe("02", "I2", categoria)) << categoria;
    EXPECT_TRUE(existe("07", "I5", categoria)) << categoria;
  }
  EXPECT_TRUE(existe("01", "I4", 6));
  EXPECT_TRUE(existe("04", "I3", 1));
  EXPECT_TRUE(existe("07", "I6", 4));
  EXPECT_FALSE(existe("01", "I6", 4));
  EXPECT_FALSE(existe("01", "I1", 6)); // domestic workers are dismissed with I4
  EXPECT_FALSE(existe("01", "I2", 1)); // each code valid alone, not together
  // Every combination uses codes of the reference tables.
  EXPECT_EQ(Contar("FROM QZLTBT23_SAQUE_MVMNO_CATEGORIA C WHERE NOT EXISTS (SELECT 1 FROM "
                   "QZLTBT06_MOTIVO_SAQUE S WHERE S.CO_SAQUE = C.CO_SAQUE) OR NOT EXISTS (SELECT "
                   "1 FROM QZLTBT07_TIPO_MOVIMENTACAO M WHERE M.CO_MOVIMENTACAO = "
                   "C.CO_MOVIMENTACAO) OR NOT EXISTS (SELECT 1 FROM QZLTBT04_CATEGORIA_EMPREGADO "
                   "K WHERE K.NU_CATEGORIA = C.NU_CATEGORIA)"),
            0);
}

TEST_F(Esquema, MensagensDoNucleoCadastradas) {
  const int numeros[] = {1,   11,  35,  62,  68,  78,  92,  109, 144, 151, 212, 230,
                         372, 385, 396, 442, 449, 488, 489, 490, 491, 520, 521};
  for (int n : numeros) {
    const QString texto = Valor(
        QString("SELECT DE_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = %1").arg(n));
    EXPECT_FALSE(texto.trimmed().isEmpty()) << n;
  }
  // 372 takes the month and the edition date.
  EXPECT_EQ(
      Valor("SELECT DE_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 372").count('&'),
      2);
  EXPECT_EQ(Valor("SELECT DE_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 35"),
            "Confirma a gravação dos dados?");
}

TEST_F(Esquema, DiasUteisDeFeriadosEFinsDeSemana) {
  EXPECT_EQ(Contar("FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL IN ('2024-02-12', '2024-02-13', "
                   "'2024-03-29', '2024-05-30', '2024-11-20', '2024-12-25', '2024-06-01')"),
            0); // Carnival, Good Friday, Corpus Christi, 20 November, Christmas, a Saturday
  EXPECT_EQ(Contar("FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL IN ('2024-02-14', '2023-11-20')"), 2);
  EXPECT_EQ(Valor("SELECT MIN(DT_UTIL) FROM QZLTBT15_DIA_UTIL"), "02/01/1990");
  EXPECT_EQ(Valor("SELECT MAX(DT_UTIL) FROM QZLTBT15_DIA_UTIL"), "31/12/2035");
}

// ---------------------------------------------------------------- indices --

// One edition, as the bank publishes it: 01/11/2026, whose payment dates are
// the business days of 21/11/2026 to 20/12/2026, with the guide rows that a
// payment up to three months late looks up and the JAM rows of every month
// since 01/1967.
TEST_F(Esquema, IndicesDeUmaSoEdicao) {
  for (const char *sql : {"FROM QZLTBT18_INDICE_PRORATA WHERE DT_EDITAL_PRORATA <> '2026-11-01'",
                          "FROM QZLTBT16_INDICE_GUIA_RESCISORIA WHERE DT_EDITAL_GUIA <> "
                          "'2026-11-01'",
                          "FROM QZLTBT17_INDICE_SIMPLIFICADO WHERE DT_EDITAL_SIMPLIFICADO <> "
                          "'2026-11-01'"})
    EXPECT_EQ(Contar(sql), 0) << sql;
  EXPECT_EQ(Contar("FROM QZLTBT18_INDICE_PRORATA"),
            Contar("FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL BETWEEN '2026-11-21' AND '2026-12-20'"));
  EXPECT_EQ(Utilitarios.PeriodoProrata(true), "23/11/2026 à 18/12/2026");

  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA FROM QZLTBT18_INDICE_PRORATA");
  int conferidos = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++conferidos) {
    const QDate pag = ds->FieldByName("DT_RECOLHIMENTO_PRORATA").AsDate();
    ASSERT_EQ(ds->FieldByName("DT_EDITAL_PRORATA").AsDate(), Edicao(pag))
        << qPrintable(pag.toString(Qt::ISODate));
  }
  EXPECT_EQ(conferidos, 20);

  // The guide factors of a due date 60 days, and of one business day, before
  // each payment date (due dates are moved back to a business day).
  QSet<QDate> uteis;
  TDataSetPtr dias = IbxUtils->AbrirConsulta("SELECT DT_UTIL FROM QZLTBT15_DIA_UTIL");
  for (dias->First(); !dias->Eof(); dias->Next())
    uteis.insert(dias->Fields(0).AsDate());
  auto utilAntes = [&uteis](QDate d) {
    while (!uteis.contains(d))
      d = d.addDays(-1);
    return d;
  };
  QSet<QString> guia;
  TDataSetPtr g = IbxUtils->AbrirConsulta("SELECT DT_EDITAL_GUIA, DT_VENCIMENTO, "
                                          "DT_RCLTO_INDICE_RESCISORIA FROM "
                                          "QZLTBT16_INDICE_GUIA_RESCISORIA");
  for (g->First(); !g->Eof(); g->Next())
    guia.insert(g->Fields(0).AsString() + g->Fields(1).AsString() + g->Fields(2).AsString());
  for (ds->First(); !ds->Eof(); ds->Next()) {
    const QDate pag = ds->FieldByName("DT_RECOLHIMENTO_PRORATA").AsDate();
    for (int atraso : {1, 60}) {
      const QDate venc = utilAntes(pag.addDays(-atraso));
      EXPECT_TRUE(guia.contains(Edicao(pag).toString("dd/MM/yyyy") + venc.toString("dd/MM/yyyy") +
                                pag.toString("dd/MM/yyyy")))
          << qPrintable(pag.toString(Qt::ISODate)) << " " << atraso;
    }
  }
  // JAM and simplified factors of every month from 01/1967 to the month
  // before the edition, which is also the edition date read at start-up.
  EXPECT_EQ(Contar("FROM QZLTBT17_INDICE_SIMPLIFICADO"), (2026 - 1967) * 12 + 10);
  EXPECT_EQ(Valor("SELECT MIN(DT_COMPETENCIA_SIMPLIFICADO) FROM QZLTBT17_INDICE_SIMPLIFICADO"),
            "01/01/1967");
  EXPECT_EQ(Valor("SELECT MAX(DT_COMPETENCIA_SIMPLIFICADO) FROM QZLTBT17_INDICE_SIMPLIFICADO"),
            "01/10/2026");
  EXPECT_EQ(Valor("SELECT FIRST 1 DISTINCT DT_EDITAL_PRORATA AS DATA_EDITAL "
                  "FROM QZLTBT18_INDICE_PRORATA"),
            "01/11/2026");
}

TEST_F(Esquema, JanelaDeRecolhimentoDaFolhaEDaAbertura) {
  // The payroll import takes collection dates from 10/11/2026 to 09/12/2026;
  // a run opens on a payment date of the table, from 23/11/2026 on.
  const struct {
    QDate Dia;
    bool Dentro;
  } casos[] = {{QDate(2026, 11, 9), false},
               {QDate(2026, 11, 10), true},
               {QDate(2026, 12, 9), true},
               {QDate(2026, 12, 10), false}};
  for (const auto &c : casos)
    EXPECT_EQ(Utilitarios.DentroPeriodoProrata(QDateParaData(c.Dia)), c.Dentro)
        << qPrintable(c.Dia.toString(Qt::ISODate));
  EXPECT_TRUE(Utilitarios.ProrataAlemDia10());
}

TEST_F(Esquema, FatoresPositivosComNoveCasasECoerentes) {
  // Late blocks never come out negative: the total factors cover the deposit
  // rate plus the JAM of the months in between.
  EXPECT_EQ(Contar("FROM QZLTBT16_INDICE_GUIA_RESCISORIA WHERE VR_INDICE <= 0.08 "
                   "OR VR_INDICE_MULTA_RESCISORIA <= 0.4"),
            0);
  EXPECT_EQ(Contar("FROM QZLTBT18_INDICE_PRORATA WHERE IN_ATRASO_MES <= 0.08 OR "
                   "IN_ATRASO_1_MES <= IN_ATRASO_MES OR IN_ATRASO_2_MESES <= IN_ATRASO_1_MES"),
            0);
  EXPECT_EQ(Contar("FROM QZLTBT17_INDICE_SIMPLIFICADO WHERE IN_JAM_OPCAO_MAIOR_0971 <= 0 OR "
                   "IN_JAM_OPCAO_67 < IN_JAM_OPCAO_MAIOR_0971 OR "
                   "IN_SMPLO_1_OPCAO_MAIOR_0971 < 1 + IN_JAM_OPCAO_MAIOR_0971 OR "
                   "IN_SIMPLIFICADO_1_OPCAO_67 < 1 + IN_JAM_OPCAO_67 OR "
                   "IN_SIMPLIFICADO_2_OPCAO_67 < IN_SIMPLIFICADO_1_OPCAO_67"),
            0);
  // Columns differ by option period, so a wrong column choice shows.
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      "SELECT IN_JAM_OPCAO_67, IN_JAM_OPCAO_68, IN_JAM_OPCAO_69, IN_JAM_OPCAO_70, "
      "IN_JAM_OPCAO_ATE_0971, IN_JAM_OPCAO_MAIOR_0971 FROM QZLTBT17_INDICE_SIMPLIFICADO "
      "WHERE DT_EDITAL_SIMPLIFICADO = '2026-11-01' AND DT_COMPETENCIA_SIMPLIFICADO = '2026-01-01'");
  ASSERT_EQ(ds->RecordCount(), 1);
  QSet<QString> valores;
  for (int i = 0; i < ds->FieldCount(); ++i) {
    valores.insert(ds->Fields(i).AsString());
    EXPECT_EQ(ds->Campo(i).Escala, 9);
  }
  EXPECT_EQ(valores.size(), 6);
}
