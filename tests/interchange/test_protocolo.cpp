// The record of sent files: the file row, its companies, workers and lines.
#include "core/unUtilitarios.h"
#include "interchange/unProtocolo.h"
#include "support/BancoTeste.h"

#include <gtest/gtest.h>

namespace {

const QString Id1 = QStringLiteral("202612101345000001230000004521");
const QString Id2 = QStringLiteral("202612101346000001230000004522");

class ProtocoloTeste : public BancoTeste {
protected:
  void Registrar(const QString &id, int tipo, const QString &nome) {
    TProtocolo p;
    p.NU_IDENTIFICADOR_ARQUIVO = id;
    p.NU_ARQUIVO = tipo;
    p.NM_ARQUIVO = nome;
    p.DT_GERACAO_ARQUIVO = QDateTimeParaData(QDateTime(QDate(2026, 12, 10), QTime(13, 45, 7)));
    ASSERT_TRUE(p.Incluir());
  }
};

TEST_F(ProtocoloTeste, ArquivoIncluidoCarregadoAlteradoEExcluido) {
  Registrar(Id1, ArquivoGuiaRescisoria, QStringLiteral("/tmp/Guia d'Água.HXF"));
  {
    // The kind may be given by its description instead of its number.
    TProtocolo p;
    p.NU_IDENTIFICADOR_ARQUIVO = Id2;
    p.DE_ARQUIVO = QStringLiteral("Solicitação de Saldo Rescisório");
    ASSERT_TRUE(p.Incluir());
    EXPECT_EQ(p.NU_ARQUIVO, ArquivoSolicitacaoSaldo);
    TProtocolo q;
    q.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("1");
    q.DE_ARQUIVO = QStringLiteral("não existe");
    EXPECT_FALSE(q.Incluir());
    // The identifier keys the row.
    EXPECT_FALSE(p.Incluir());
  }
  TProtocolo p;
  p.NU_IDENTIFICADOR_ARQUIVO = Id1;
  ASSERT_TRUE(p.CarregarPorIdentificador());
  EXPECT_EQ(p.NU_IDENTIFICADOR_ARQUIVO, Id1);
  EXPECT_EQ(p.NU_ARQUIVO, 3);
  EXPECT_EQ(p.DE_ARQUIVO, QStringLiteral("Arquivo de Guia Rescisória"));
  EXPECT_EQ(p.NM_ARQUIVO, QStringLiteral("/tmp/Guia d'Água.HXF"));
  EXPECT_EQ(DataParaQDateTime(p.DT_GERACAO_ARQUIVO),
            QDateTime(QDate(2026, 12, 10), QTime(13, 45, 7)));
  EXPECT_EQ(p.CO_PROTOCOLO, QString());
  EXPECT_FALSE(DataDefinida(p.DT_ENVIO_PROTOCOLO));

  p.CO_PROTOCOLO = QStringLiteral("PRT-0001");
  p.DT_ENVIO_PROTOCOLO = QDateParaData(QDate(2026, 12, 11));
  ASSERT_TRUE(p.Alterar());
  ASSERT_TRUE(p.MarcarValidade(true, QDateParaData(QDate(2026, 12, 15))));
  TProtocolo r;
  r.NU_IDENTIFICADOR_ARQUIVO = Id1;
  ASSERT_TRUE(r.CarregarPorIdentificador());
  EXPECT_EQ(r.CO_PROTOCOLO, QStringLiteral("PRT-0001"));
  EXPECT_EQ(DataParaQDate(r.DT_ENVIO_PROTOCOLO), QDate(2026, 12, 11));
  EXPECT_EQ(r.IC_ARQUIVO_VALIDO, QStringLiteral("S"));
  EXPECT_EQ(DataParaQDate(r.DT_GERACAO_ARQUIVO), QDate(2026, 12, 15));
  // Without a date the answer's date is the server's today.
  ASSERT_TRUE(r.MarcarValidade(false, 0));
  EXPECT_EQ(
      Valor("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '" +
            Id1 + "'"),
      QStringLiteral("N"));
  EXPECT_EQ(Valor("SELECT CAST(DT_GERACAO_ARQUIVO AS DATE) FROM QZLTBG13_ARQUIVO WHERE "
                  "NU_IDENTIFICADOR_ARQUIVO = '" +
                  Id1 + "'"),
            Valor("SELECT CURRENT_DATE FROM RDB$DATABASE"));

  // Sent-files listing by kinds, ordered by the kind's description.
  TProtocolo lista;
  ASSERT_TRUE(lista.CarregarPorTipos({3, 6, 7}));
  ASSERT_EQ(lista.QuantidadeRegistros(), 2);
  EXPECT_EQ(lista.NU_ARQUIVO, 3);
  lista.Proximo();
  EXPECT_EQ(lista.NU_ARQUIVO, 7);
  ASSERT_TRUE(lista.CarregarPorTipos({6}));
  EXPECT_EQ(lista.QuantidadeRegistros(), 0);

  TProtocolo ausente;
  ausente.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("999");
  EXPECT_FALSE(ausente.CarregarPorIdentificador());
  EXPECT_FALSE(ausente.MarcarValidade(true, 0));
  EXPECT_FALSE(ausente.Alterar());
  EXPECT_FALSE(ausente.Excluir());
  EXPECT_TRUE(r.Excluir());
  EXPECT_FALSE(r.CarregarPorIdentificador());
}

TEST_F(ProtocoloTeste, EmpresasTrabalhadoresETotais) {
  Registrar(Id1, ArquivoGuiaRescisoria, QStringLiteral("x.HXF"));
  TProtocolo p;
  p.NU_IDENTIFICADOR_ARQUIVO = Id1;
  const TDateTime pagamento = QDateParaData(QDate(2026, 12, 20));
  ASSERT_TRUE(p.IncluirEmpresa(Id1, 1, 12345000195LL, QStringLiteral("Padaria D'Ouro"), 0,
                               QString(48, u'8'), pagamento));
  ASSERT_TRUE(p.IncluirEmpresa(Id1, 2, 123456789012LL));
  // Another file's rows are left alone.
  ASSERT_TRUE(p.IncluirEmpresa(Id2, 1, 12345000195LL, QString(), 5.55));
  const TDateTime adm = QDateParaData(QDate(2020, 1, 2));
  ASSERT_TRUE(p.IncluirTrabalhador(Id1, 1, 12345000195LL, 12345678901LL, 1, adm,
                                   QStringLiteral("Ana"), 100.10, QStringLiteral("I1"),
                                   QDateParaData(QDate(2026, 11, 30))));
  ASSERT_TRUE(p.IncluirTrabalhador(Id1, 1, 12345000195LL, 12345678902LL, 1, adm, QString(), 0.25));
  ASSERT_TRUE(p.IncluirTrabalhador(Id1, 2, 123456789012LL, 12345678903LL, 1, adm, QString(), 7.00));
  ASSERT_TRUE(p.TotalizarEmpresas());
  EXPECT_EQ(Valor("SELECT VR_TOTAL_RECOLHIDO FROM QZLTBG15_ENVIO_EMPRESA WHERE "
                  "NU_IDENTIFICADOR_ARQUIVO = '" +
                  Id1 + "' AND NU_TIPO_INSCRICAO_ENVIO = 1"),
            QStringLiteral("100,35"));
  EXPECT_EQ(Valor("SELECT VR_TOTAL_RECOLHIDO FROM QZLTBG15_ENVIO_EMPRESA WHERE "
                  "NU_IDENTIFICADOR_ARQUIVO = '" +
                  Id2 + "'"),
            QStringLiteral("5,55"));

  ASSERT_TRUE(p.AlterarEmpresa(Id1, 2, 123456789012LL, QStringLiteral("Obra Sul")));
  ASSERT_TRUE(p.GravarProcessamento(QDateParaData(QDate(2026, 12, 22))));
  TDataSetPtr empresas = p.ListarEmpresas(Id1);
  ASSERT_TRUE(empresas);
  ASSERT_EQ(empresas->RecordCount(), 2);
  ASSERT_TRUE(empresas->Locate(QStringLiteral("NU_TIPO_INSCRICAO_ENVIO"), 1));
  EXPECT_EQ(empresas->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString(),
            QStringLiteral("Padaria D'Ouro"));
  EXPECT_EQ(empresas->FieldByName(QStringLiteral("CO_BARRAS_ENVIO_EMPRESA")).AsString(),
            QString(48, u'8'));
  EXPECT_EQ(empresas->FieldByName(QStringLiteral("DT_RECOLHIMENTO_ENVIO_EMPRESA")).AsDate(),
            QDate(2026, 12, 20));
  EXPECT_EQ(empresas->FieldByName(QStringLiteral("DT_PROCESSAMENTO")).AsDate(),
            QDate(2026, 12, 22));
  ASSERT_TRUE(empresas->Locate(QStringLiteral("NU_TIPO_INSCRICAO_ENVIO"), 2));
  EXPECT_EQ(empresas->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString(),
            QStringLiteral("Obra Sul"));
  TDataSetPtr trab = p.ListarTrabalhadores(Id1, 12345000195LL);
  ASSERT_TRUE(trab);
  EXPECT_EQ(trab->RecordCount(), 2);
  EXPECT_EQ(
      Valor("SELECT NO_EMPREGADO FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_PIS_ENVIO = 12345678901"),
      QStringLiteral("Ana"));

  // Two guides of one company in one file are two rows; each keeps its own total.
  ASSERT_TRUE(p.IncluirEmpresa(Id1, 1, 12345000195LL, QString(), 0, QString(48, u'9')));
  EXPECT_EQ(Contar("FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_INSCRICAO_ENVIO = 12345000195 AND "
                   "NU_IDENTIFICADOR_ARQUIVO = '" +
                   Id1 + "'"),
            2);
  ASSERT_TRUE(p.IncluirTrabalhador(Id1, 1, 12345000195LL, 12345678904LL, 1, adm, QString(), 1.00));
  ASSERT_TRUE(p.TotalizarEmpresas());
  EXPECT_EQ(
      Valor("SELECT VR_TOTAL_RECOLHIDO FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_ENVIO_EMPRESA = 2"),
      QStringLiteral("1"));
  EXPECT_EQ(
      Valor("SELECT VR_TOTAL_RECOLHIDO FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_ENVIO_EMPRESA = 1 AND "
            "NU_TIPO_INSCRICAO_ENVIO = 1 AND NU_IDENTIFICADOR_ARQUIVO = '" +
            Id1 + "'"),
      QStringLiteral("100,35"));

  TProtocolo vazio;
  vazio.NU_IDENTIFICADOR_ARQUIVO = QStringLiteral("000");
  EXPECT_FALSE(vazio.TotalizarEmpresas());
}

TEST_F(ProtocoloTeste, LinhasDoArquivo) {
  TProtocolo p;
  EXPECT_FALSE(p.ValidarLinhas(Id1));
  const struct {
    QStringList linhas;
    bool valido;
  } casos[] = {
      {{QStringLiteral("00 cabecalho"), QStringLiteral("10 empresa"), QStringLiteral("90 fim")},
       true},
      {{QStringLiteral("00 cabecalho"), QStringLiteral("90 fim")}, true},
      {{QStringLiteral("10 empresa"), QStringLiteral("90 fim")}, false},
      {{QStringLiteral("00 cabecalho"), QStringLiteral("10 empresa")}, false},
  };
  int n = 0;
  for (const auto &c : casos) {
    const QString id = QString::number(++n);
    for (int i = 0; i < c.linhas.size(); ++i)
      ASSERT_TRUE(p.GravarLinha(id, i + 1, c.linhas[i]));
    EXPECT_EQ(p.ValidarLinhas(id), c.valido) << c.linhas.join(u'|').toStdString();
  }
  // The line number keys the line.
  EXPECT_FALSE(p.GravarLinha(QStringLiteral("1"), 1, QStringLiteral("00 de novo")));
}

} // namespace
