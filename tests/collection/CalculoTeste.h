#pragma once
// Fixture of the calculation tests: a database whose index tables hold only
// the rows each case inserts, a Monday-to-Friday business-day calendar, and
// builders of an employer, a link with its termination data and an open run.
#include "support/BancoTeste.h"

#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unTDiaUtil.h"
#include "core/unUtilitarios.h"
#include "registry/unVinculo.h"

#include <QDate>
#include <memory>

inline TDateTime D(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}
inline QString L(const QDate &d) {
  return d.isValid() ? QStringLiteral("'%1'").arg(d.toString(QStringLiteral("yyyy-MM-dd")))
                     : QStringLiteral("NULL");
}
inline QString V(double v) {
  return QString::number(v, 'f', 9);
}

// One terminated link with everything the engine reads.
struct TCasoVinculo {
  int Tipo = 1;
  qint64 Inscricao = 11222333000181;
  qint64 Pis = 12345678901;
  int Categoria = 1;
  QDate Admissao{2000, 1, 3};
  QDate Opcao{2000, 1, 3};
  QDate Movimentacao;
  QString Movimento = QStringLiteral("I1");
  int AvisoPrevio = 1;
  int Estado = 1;
  QDate Dissidio;
  double VrDissidio = 0;
  double Anterior = 0, Rescisao = 0, Aviso = 0;
  double Saldo = 0;
  QString Origem = QStringLiteral("N");
  double Complemento = 0;
  int Fpas = 507;
  int Simples = 1;
};

class CalculoTeste : public BancoTeste {
protected:
  void SetUp() override {
    BancoTeste::SetUp();
    for (const char *t :
         {"QZLTBT16_INDICE_GUIA_RESCISORIA", "QZLTBT17_INDICE_SIMPLIFICADO",
          "QZLTBT18_INDICE_PRORATA", "QZLTBT15_DIA_UTIL", "QZLTBG01_ABERTURA_RECOLHIMENTO"})
      Executar(QStringLiteral("DELETE FROM %1").arg(QString::fromLatin1(t)));
    // Every Monday to Friday: a case that needs a holiday deletes its day.
    Executar(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE d DATE = '2015-01-01'; BEGIN WHILE (d <= '2026-12-31') DO "
        "BEGIN IF (EXTRACT(WEEKDAY FROM d) NOT IN (0, 6)) THEN INSERT INTO QZLTBT15_DIA_UTIL "
        "(DT_UTIL) VALUES (:d); d = d + 1; END END"));
    RecarregarDiaUtil();
  }

  void Pagamento(const QDate &d) {
    Executar(QStringLiteral("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO"));
    Executar(QStringLiteral("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, DT_PAGAMENTO) VALUES (1, 11222333000181, %1)")
                 .arg(L(d)));
  }

  void Inserir(const TCasoVinculo &c) {
    const QString chave = QStringLiteral("%1, %2, %3, %4, %5")
                              .arg(c.Tipo)
                              .arg(c.Inscricao)
                              .arg(c.Pis)
                              .arg(c.Categoria)
                              .arg(L(c.Admissao));
    if (Contar(QStringLiteral("FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = %1 AND "
                              "NU_INSCRICAO = %2")
                   .arg(c.Tipo)
                   .arg(c.Inscricao)) == 0)
      Executar(QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                              "NU_SIMPLES, NU_INSS, NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES "
                              "(%1, %2, %3, %4, 'EMPRESA TESTE', 'E')")
                   .arg(c.Tipo)
                   .arg(c.Inscricao)
                   .arg(c.Simples)
                   .arg(c.Fpas));
    Executar(QStringLiteral("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
                            "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                            "CO_MOVIMENTACAO, DT_OPCAO, IC_AVISO_PREVIO, IC_ESTADO_MOVIMENTO, "
                            "DT_MOVIMENTACAO_VINCULO) VALUES (%1, '%2', %3, %4, %5, %6)")
                 .arg(chave, c.Movimento, L(c.Opcao))
                 .arg(c.AvisoPrevio)
                 .arg(c.Estado)
                 .arg(L(c.Movimentacao)));
    Executar(
        QStringLiteral("INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, "
                       "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, DT_DISSIDIO, "
                       "VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, "
                       "VR_AVISO_PREVIO, IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO, "
                       "VR_DEPOSITO_CMPLO_SALDO) VALUES (%1, %2, %3, %4, %5, %6, '%7', %8, %9)")
            .arg(chave, L(c.Dissidio), V(c.VrDissidio), V(c.Anterior), V(c.Rescisao), V(c.Aviso),
                 c.Origem, V(c.Saldo), V(c.Complemento)));
  }

  std::unique_ptr<TVinculo> Carregar(const TCasoVinculo &c) {
    auto v = std::make_unique<TVinculo>();
    EXPECT_TRUE(
        v->CarregarPorChave(c.Tipo, c.Categoria, QDateParaData(c.Admissao), c.Pis, c.Inscricao));
    EXPECT_EQ(v->QuantidadeRegistros(), 1);
    return v;
  }

  std::unique_ptr<TVinculo> Criar(const TCasoVinculo &c) {
    Inserir(c);
    return Carregar(c);
  }

  void IndiceGuia(const QDate &edital, const QDate &vencimento, const QDate &pagamento,
                  double indice, double indiceMulta) {
    Executar(QStringLiteral("INSERT INTO QZLTBT16_INDICE_GUIA_RESCISORIA (DT_EDITAL_GUIA, "
                            "DT_VENCIMENTO, DT_RCLTO_INDICE_RESCISORIA, VR_INDICE, "
                            "VR_INDICE_MULTA_RESCISORIA) VALUES (%1, %2, %3, %4, %5)")
                 .arg(L(edital), L(vencimento), L(pagamento), V(indice), V(indiceMulta)));
  }

  // One row of the simplified table: the JAM factor in every option column
  // (or only in `coluna`, the others 0), the simplified factors in set 1 and 2.
  void Simplificado(const QDate &edital, const QDate &competencia, double jam, double s1 = 1,
                    double s2 = 1, const QString &coluna = QString()) {
    QStringList cols, vals;
    for (const char *o : {"67", "68", "69", "70", "ATE_0971", "MAIOR_0971"}) {
      const QString c = QStringLiteral("IN_JAM_OPCAO_") + QString::fromLatin1(o);
      cols << c;
      vals << V(coluna.isEmpty() || coluna == c ? jam : 0);
    }
    for (const char *o : {"67", "68", "69", "70"}) {
      cols << QStringLiteral("IN_SIMPLIFICADO_1_OPCAO_") + QString::fromLatin1(o)
           << QStringLiteral("IN_SIMPLIFICADO_2_OPCAO_") + QString::fromLatin1(o);
      vals << V(s1) << V(s2);
    }
    cols << QStringLiteral("IN_SMPLO_1_OPCAO_ATE_0971")
         << QStringLiteral("IN_SMPLO_1_OPCAO_MAIOR_0971")
         << QStringLiteral("IN_SMPLO_2_OPCAO_ATE_0971")
         << QStringLiteral("IN_SMPLO_2_OPCAO_MAIOR_0971");
    vals << V(s1) << V(s1) << V(s2) << V(s2);
    Executar(QStringLiteral("INSERT INTO QZLTBT17_INDICE_SIMPLIFICADO (DT_EDITAL_SIMPLIFICADO, "
                            "DT_COMPETENCIA_SIMPLIFICADO, %1) VALUES (%2, %3, %4)")
                 .arg(cols.join(QStringLiteral(", ")), L(edital), L(competencia),
                      vals.join(QStringLiteral(", "))));
  }

  void Prorata(const QDate &edital, const QDate &pagamento, double mes, double mes1, double mes2) {
    Executar(QStringLiteral("INSERT INTO QZLTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, "
                            "DT_RECOLHIMENTO_PRORATA, IN_ATRASO_MES, IN_ATRASO_1_MES, "
                            "IN_ATRASO_2_MESES) VALUES (%1, %2, %3, %4, %5)")
                 .arg(L(edital), L(pagamento), V(mes), V(mes1), V(mes2)));
  }

  // Rows for every due date of a range (the guide index), every reference
  // month of a range (the JAM factor) and the payment date (late payment):
  // enough for any block of a late case whose figures come from I, IM and J.
  void IndicesAtraso(const QDate &edital, const QDate &pagamento, double I, double IM, double J,
                     const QDate &de, const QDate &ate) {
    IbxUtils->IniciarTransacao();
    for (QDate d = de; d <= ate; d = d.addDays(1))
      IndiceGuia(edital, d, pagamento, I, IM);
    for (QDate m(de.year(), de.month(), 1); m <= ate; m = m.addMonths(1))
      Simplificado(edital, m, J);
    Prorata(edital, pagamento, I, I, I);
    IbxUtils->ConfirmarTransacao();
  }
};
