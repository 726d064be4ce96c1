#pragma once
// Stored guides for the tests of the guide records, printing, query window
// and command line: company guides, their individual guides, file rows and
// the links they belong to, written straight into the tables.
#include "support/BancoTeste.h"

#include "core/unUtilitarios.h"

#include <QDate>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

struct TGuiaTeste {
  QString Linha; // CO_BARRAS (digitable line)
  QString Arquivo = QStringLiteral("202403201015300000000000012345");
  int Tipo = 1;
  qint64 Inscricao = 11222333000181;
  QString Nome = QStringLiteral("EMPRESA TESTE LTDA");
  QDate Recolhimento{2024, 3, 20};
  QDate Quitacao, Processamento;
  int Banco = 0, Agencia = 0;
  double Total = 1234.56;
  int Cep = 1310100;
};

class GuiasTeste : public BancoTeste {
protected:
  static QString Data(const QDate &d) {
    return d.isValid() ? QStringLiteral("'%1'").arg(d.toString(QStringLiteral("yyyy-MM-dd")))
                       : QStringLiteral("NULL");
  }

  // A digitable line for a total, a payment date and an identifier.
  static QString Linha(double total, const QDate &pagamento, const QString &identificador17) {
    const QString semDv =
        QStringLiteral("858") + QString::number(qRound64(total * 100)).rightJustified(11, u'0') +
        QStringLiteral("0239") + pagamento.toString(QStringLiteral("yyyyMMdd")) + identificador17;
    const QString codigo =
        semDv.left(3) + QString::number(TUtilitarios::Modulo11(semDv)) + semDv.mid(3);
    return TUtilitarios::LinhaDigitavel(codigo);
  }

  void Guia(const TGuiaTeste &g) {
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
                 "NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, NO_RAZAO_SOCIAL, DE_LOGRADOURO, "
                 "NU_DDD, NU_TELEFONE, NU_CEP, NO_BAIRRO, NO_LOCALIDADE, SG_UF_GUIA_TOTALIZADORA, "
                 "NU_FPAS_GUIA, NU_SIMPLES_GUIA, NU_CNAE_GUIA, NU_BANCO, NU_AGENCIA, "
                 "DT_RECOLHIMENTO, DT_QUITACAO, DT_PROCESSAMENTO, VR_TOTAL_RECOLHIDO) VALUES "
                 "('%1', '%2', %3, %4, '%5', 'RUA DAS FLORES 100', 11, 33334444, %6, 'CENTRO', "
                 "'SAO PAULO', 'SP', 507, 1, 4711302, %7, %8, %9, %10, %11, %12)")
                 .arg(g.Linha, g.Arquivo)
                 .arg(g.Tipo)
                 .arg(g.Inscricao)
                 .arg(g.Nome)
                 .arg(g.Cep)
                 .arg(g.Banco ? QString::number(g.Banco) : QStringLiteral("NULL"),
                      g.Agencia ? QString::number(g.Agencia) : QStringLiteral("NULL"),
                      Data(g.Recolhimento), Data(g.Quitacao), Data(g.Processamento))
                 .arg(QString::number(g.Total, 'f', 2)));
  }

  // One individual guide; the amounts are the row number's multiples so that
  // every column differs.
  void Trabalhador(const QString &linha, qint64 pis, const QDate &admissao, int categoria,
                   const QString &nome = QStringLiteral("MARIA DA SILVA")) {
    QStringList valores;
    for (int i = 1; i <= 24; ++i)
      valores << QString::number(i * 1.01, 'f', 2);
    Executar(QStringLiteral(
                 "INSERT INTO QZLTBG09_GUIA_INDIVIDUAL (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
                 "NU_CATEGORIA_GUIA, NO_EMPREGADO, DT_OPCAO, DT_MOVIMENTACAO, "
                 "CO_MOVIMENTACAO_GUIA, IC_AVISO_PREVIO, DT_NASCIMENTO, NU_CTPS, NU_SERIE_CTPS, "
                 "NU_TIPO_INSO_TMDR_GUIA, NU_INSCRICAO_TMDR_GUIA, VR_REMUNERACAO_ANTERIOR_RSCSO, "
                 "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, VR_MULTA_RESCISORIA, "
                 "VR_DEPOSITO_ANTERIOR_RESCISAO, VR_JAM_ANTERIOR_RESCISAO, "
                 "VR_MULTA_ANTERIOR_RESCISAO, VR_CNTRO_ANTERIOR_RESCISAO, "
                 "VR_MULTA_CNTRO_ANTERIOR_RSCSO, VR_DEPOSITO_RESCISAO, VR_JAM_RESCISAO, "
                 "VR_MULTA_RESCISAO, VR_CNTRO_RESCISAO, VR_MULTA_CNTRO_RESCISAO, "
                 "VR_DEPOSITO_AVISO_PREVIO, VR_JAM_AVISO_PREVIO, VR_MULTA_AVISO_PREVIO, "
                 "VR_CNTRO_AVISO_PREVIO, VR_MULTA_CNTRO_AVISO_PREVIO, "
                 "VR_DEPOSITO_MULTA_RESCISORIA, VR_JAM_MULTA_RESCISORIA, "
                 "VR_MULTA_MULTA_RESCISORIA, VR_CNTRO_MULTA_RESCISORIA, "
                 "VR_MULTA_CNTRO_MULTA_RESCISORIA) VALUES ('%1', %2, %3, %4, '%5', '2000-01-03', "
                 "'2024-02-15', 'I1', 2, '1980-05-10', 1234567, 123, 0, 0, %6)")
                 .arg(linha)
                 .arg(pis)
                 .arg(Data(admissao))
                 .arg(categoria)
                 .arg(nome, valores.join(QStringLiteral(", "))));
  }

  // A link of the company (and the company row) in a collection-run state.
  void Vinculo(int tipo, qint64 inscricao, qint64 pis, const QDate &admissao, int categoria,
               int estado) {
    if (Contar(QStringLiteral("FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = %1 AND "
                              "NU_INSCRICAO = %2")
                   .arg(tipo)
                   .arg(inscricao)) == 0)
      Executar(QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                              "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (%1, %2, 'EMPRESA', "
                              "'E')")
                   .arg(tipo)
                   .arg(inscricao));
    Executar(QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "IC_ESTADO_MOVIMENTO) VALUES (%1, %2, %3, %4, %5, %6)")
                 .arg(tipo)
                 .arg(inscricao)
                 .arg(pis)
                 .arg(categoria)
                 .arg(Data(admissao))
                 .arg(estado));
  }

  int Estado(qint64 pis) {
    return Valor(QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO "
                                "WHERE NU_PIS = %1")
                     .arg(pis))
        .toInt();
  }

  void Protocolo(const QString &arquivo, const QString &protocolo) {
    Executar(QStringLiteral("INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, "
                            "CO_PROTOCOLO, NU_ARQUIVO) VALUES ('%1', %2, 3)")
                 .arg(arquivo, protocolo.isEmpty() ? QStringLiteral("NULL")
                                                   : QStringLiteral("'%1'").arg(protocolo)));
  }
};
