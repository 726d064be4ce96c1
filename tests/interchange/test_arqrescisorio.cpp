// The termination collection file of a closing: read back field by field by a
// parser of the test's own, every total, count, sequence number, the
// identifier and the bar codes recomputed; the envelope reopened; and the
// failures that must leave links, run and protocol as they were.
#include "collection/MovimentoTeste.h"
#include "support/ConexaoTeste.h"
#include "support/EnvelopeTeste.h"

#include "collection/unMovimento.h"
#include "core/unDialogo.h"
#include "core/unTexto1252.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/UThread.h"
#include "interchange/unTArqRescisorio.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>

namespace {
// Fields by 1-based position, as the bank reads them.
QString F(const QString &l, int pos, int len) {
  return l.mid(pos - 1, len);
}
qint64 N(const QString &l, int pos, int len) {
  return F(l, pos, len).toLongLong();
}

// Runs an isql-fb script on a database and returns what it printed.
QByteArray Isql(const QString &banco, const QByteArray &script) {
  QProcess p;
  p.start(QStringLiteral("isql-fb"),
          {"-q", "-ch", "WIN1252", "-user", "SYSDBA", "-password", "tulipvane", banco});
  p.write(script);
  p.closeWriteChannel();
  p.waitForFinished(120000);
  return p.readAllStandardOutput() + p.readAllStandardError();
}

struct TSomas {
  qint64 Dep = 0, Jam = 0, Multa = 0, Contr = 0, MultaContr = 0, Remu = 0, Base = 0;
  qint64 Q40 = 0, Q42 = 0, Q44 = 0, Q45 = 0, Q46 = 0;
};
} // namespace

class ArqRescisorioTeste : public MovimentoTeste {
protected:
  void SetUp() override {
    MovimentoTeste::SetUp();
    cancelarEscolha = false;
    InstalarSelador(pasta->Caminho());
    saida = pasta->Arquivo("Saida");
    QDir().mkpath(saida);
    anterior = DefinirEscolhedorArquivo(
        [this](const PedidoArquivo &) { return cancelarEscolha ? QString() : saida + "/" + nome; });
    Executar("UPDATE QZLTBG02_EMPRESA SET NO_CONTATO = 'MARIA', DE_LOGRADOURO = 'RUA A 10', "
             "NO_BAIRRO = 'CENTRO', NU_CEP = 70000000, NO_LOCALIDADE = 'BRASILIA', "
             "SG_UF = 'DF', NU_DDD = 61, NU_TELEFONE = 33334444 WHERE IC_ESTADO_EMPRESA = 'R'");
  }
  void TearDown() override {
    DefinirEscolhedorArquivo(anterior);
    MovimentoTeste::TearDown();
  }

  // Two companies (one CEI), a link with three contracts, complements of
  // every number (one with 23 items), all marked.
  void Cenario() {
    TCasoVinculo a = Valido(11111111111), b = Valido(22222222222),
                 c = Valido(33333333333, 123456789012);
    c.Tipo = 2;
    b.Rescisao = 1234.56;
    b.Complemento = 0;
    for (TCasoVinculo *k : {&a, &b, &c}) {
      k->Estado = 1;
      Incluir(*k);
    }
    Executar("UPDATE QZLTBG02_EMPRESA SET NU_IBGE = 8411600 WHERE IC_ESTADO_EMPRESA = 'E'");
    Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'S' WHERE NU_PIS = "
             "11111111111");
    for (int i = 1; i <= 3; ++i)
      Executar(QStringLiteral("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, "
                              "NU_INSCRICAO, NU_PIS, DT_ADMISSAO_VINCULO, NU_CATEGORIA, "
                              "CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, DT_NU_CONTRATO) VALUES (1, "
                              "11222333000181, 11111111111, '2020-02-03', 1, '00%1', 'CTR-%1', "
                              "'2021-0%1-10')")
                   .arg(i));
    // Complements of b: number 1 with 23 months, 2 with 3, 3 with 1.
    QDate m(2019, 1, 1);
    double soma = 0;
    auto comp = [&](int numero, const QDate &mes, double dep) {
      Executar(QStringLiteral("INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, "
                              "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                              "NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, "
                              "VR_DEPOSITO) VALUES (1, 11222333000181, 22222222222, 1, "
                              "'2020-02-03', %1, %2, %3, 1000, %4)")
                   .arg(numero)
                   .arg(mes.year())
                   .arg(mes.month())
                   .arg(V(dep)));
      soma += dep;
    };
    for (int i = 0; i < 23; ++i)
      comp(1, m.addMonths(i), 80 + i * 0.01);
    for (int i = 0; i < 3; ++i)
      comp(2, m.addMonths(i), 12.34);
    comp(3, m, 5.55);
    Executar(QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_DEPOSITO_CMPLO_SALDO = %1 "
                            "WHERE NU_PIS = 22222222222")
                 .arg(V(soma)));
  }

  std::unique_ptr<TArqRescisorio> Gerar(IProgresso *progresso = nullptr) {
    auto a = std::make_unique<TArqRescisorio>();
    a->Progresso = progresso;
    a->Processar();
    return a;
  }

  QStringList LinhasGravadas(const QString &id) {
    QStringList r;
    const TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT DE_LINHA_ARQUIVO FROM QZLTBG14_OCORRENCIA_GUIA WHERE "
                       "NU_IDENTIFICADOR_ARQUIVO = '%1' ORDER BY NU_LINHA")
            .arg(id));
    for (ds->First(); !ds->Eof(); ds->Next())
      r << ds->Fields(0).AsString();
    return r;
  }

  QString saida, nome = QStringLiteral("GuiaVESK.HXF");
  bool cancelarEscolha = false;
  EscolhedorArquivo anterior;
};

TEST_F(ArqRescisorioTeste, ArquivoLidoCampoACampo) {
  Cenario();
  // A name the bank holds otherwise for b's account: b's line says so.
  Executar("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, IC_CONFIRMACAO, "
           "NU_EMPREGADO_VORDA_ALT_CDSTL) VALUES (1, 11222333000181, 22222222222, 1, "
           "'2020-02-03', 406, 'S', 55)");
  auto arq = Gerar();
  ASSERT_TRUE(arq->CodigoErro.isEmpty()) << arq->CodigoErro.toStdString();
  ASSERT_FALSE(arq->Identificador.isEmpty());
  const QString id = arq->Identificador;
  const QStringList linhas = LinhasGravadas(id);
  ASSERT_GT(linhas.size(), 5);

  // The envelope holds the same lines, byte for byte, and the guides' dump.
  ASSERT_TRUE(QFile::exists(saida + "/GuiaVESK.HXF"));
  EXPECT_FALSE(QFile::exists(saida + "/GuiaVESK.HX"));
  EXPECT_FALSE(QFile::exists(saida + "/VERSAO.txt"));
  ASSERT_TRUE(AbrirEnvelope(saida + "/", "GuiaVESK.HXF", id, "GuiaVESK.HX"))
      << UltimoErro.toStdString();
  QFile plano(saida + "/GuiaVESK.HX");
  ASSERT_TRUE(plano.open(QIODevice::ReadOnly));
  QByteArray esperado;
  for (const QString &l : linhas)
    esperado += ParaWin1252(l) + "\r\n";
  EXPECT_EQ(plano.readAll(), esperado);
  ASSERT_TRUE(AbrirEnvelope(saida + "/", "GuiaVESK.HXF", id, "QZLTBG08_GUIA_TOTALIZADORA.txt"));
  QFile dump(saida + "/QZLTBG08_GUIA_TOTALIZADORA.txt");
  ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
  const QByteArray dados = dump.readAll();
  EXPECT_EQ(dados.count("INSERT INTO"), 2);
  EXPECT_TRUE(dados.contains(id.toLatin1()));
  {
    // Replayed by isql-fb into an empty copy of the database, the dump gives
    // this file's guides, every column as stored.
    PastaTeste vazia;
    const QByteArray listar = "SET LIST ON;\nSELECT * FROM QZLTBG08_GUIA_TOTALIZADORA WHERE "
                              "NU_IDENTIFICADOR_ARQUIVO = '" +
                              id.toLatin1() + "' ORDER BY CO_BARRAS;\n";
    LiberarBanco();
    const QByteArray carga = Isql(vazia.Banco(), dados + "\r\nCOMMIT;\n");
    const QByteArray original = Isql(pasta->Banco(), listar);
    const QByteArray copia = Isql(vazia.Banco(), listar);
    ReconectarBanco(pasta->Banco());
    EXPECT_FALSE(carga.contains("Statement failed")) << carga.toStdString();
    EXPECT_EQ(original.count("CO_BARRAS"), 2);
    EXPECT_EQ(copia, original);
  }

  // Field by field.
  TSomas empresa, arquivo;
  QString linhaEmpresa;
  int empresas = 0;
  QHash<QString, int> quarentas; // per PIS
  for (int i = 0; i < linhas.size(); ++i) {
    const QString &l = linhas[i];
    SCOPED_TRACE(l.left(20).toStdString());
    ASSERT_EQ(l.size(), 533);
    EXPECT_EQ(N(l, 528, 6), i + 1);
    const QString tipo = l.left(2);
    if (i == 0) {
      ASSERT_EQ(tipo, "00");
      EXPECT_EQ(F(l, 54, 7), "102ZELT");
      EXPECT_EQ(F(l, 61, 15), "199888777000100");
      EXPECT_EQ(F(l, 76, 30).trimmed(), "ESCRITORIO RESPONSAVEL");
      EXPECT_EQ(F(l, 303, 16), "0T10042024MOLT01");
      EXPECT_EQ(F(l, 333, 8), "00000000");
      EXPECT_EQ(F(l, 341, 30), id);
      EXPECT_EQ(F(l, 371, 3), "ICP");
      qint64 soma = 0;
      for (char c : ParaWin1252(l.left(340)))
        soma += static_cast<unsigned char>(c);
      EXPECT_EQ(F(l, 358, 13).toLongLong(), soma % 65536);
    } else if (tipo == "10") {
      linhaEmpresa = l;
      empresa = TSomas();
      ++empresas;
      EXPECT_EQ(F(l, 18, 36), QString(36, '0'));
      EXPECT_EQ(F(l, 261, 24), QString(24, '0'));
    } else if (tipo == "40") {
      ++empresa.Q40;
      empresa.Remu += N(l, 270, 15) + N(l, 293, 15) + N(l, 316, 15);
      empresa.Base += N(l, 339, 15);
      quarentas[F(l, 33, 11)] += 1;
      EXPECT_EQ(F(l, 124, 1), F(l, 33, 11) == "22222222222" ? "S" : "N");
    } else if (tipo == "42") {
      ++empresa.Q42;
      for (int b = 0; b < 4; ++b) {
        const int p = 54 + b * 65;
        empresa.Dep += N(l, p, 13);
        empresa.Jam += N(l, p + 13, 13);
        empresa.Multa += N(l, p + 26, 13);
        empresa.Contr += N(l, p + 39, 13);
        empresa.MultaContr += N(l, p + 52, 13);
      }
    } else if (tipo == "44" || tipo == "45" || tipo == "46") {
      (tipo == "44" ? empresa.Q44 : tipo == "45" ? empresa.Q45 : empresa.Q46) += 1;
      // Items of 21 characters, then zeros up to column 527.
      const QString itens = F(l, 54, 474);
      int n = 0;
      while (n < 22 && itens.mid(n * 21, 6) != "000000")
        ++n;
      EXPECT_EQ(itens.mid(n * 21), QString(474 - n * 21, '0'));
      if (tipo == "45") {
        EXPECT_EQ(n, 3);
        EXPECT_EQ(itens.left(21), "201901000000000001234");
      }
    } else if (tipo == "80") {
      EXPECT_EQ(F(l, 4, 14), F(linhaEmpresa, 4, 14));
      EXPECT_EQ(N(l, 54, 15), empresa.Dep);
      EXPECT_EQ(N(l, 69, 15), empresa.Jam);
      EXPECT_EQ(N(l, 84, 15), empresa.Multa);
      EXPECT_EQ(N(l, 99, 15), empresa.Contr);
      EXPECT_EQ(N(l, 114, 15), empresa.MultaContr);
      EXPECT_EQ(N(l, 129, 15), empresa.Remu);
      EXPECT_EQ(N(l, 144, 15), empresa.Base);
      EXPECT_EQ(N(l, 159, 6), empresa.Q40);
      EXPECT_EQ(N(l, 165, 6), empresa.Q42);
      EXPECT_EQ(N(l, 171, 6), empresa.Q44);
      EXPECT_EQ(N(l, 177, 6), empresa.Q45);
      EXPECT_EQ(N(l, 183, 6), empresa.Q46);
      // The company's bar code carries its guide total and matches its guides.
      const qint64 total =
          empresa.Dep + empresa.Jam + empresa.Multa + empresa.Contr + empresa.MultaContr;
      const QString codigo = F(linhaEmpresa, 217, 44);
      EXPECT_EQ(codigo.left(3), "858");
      EXPECT_EQ(codigo.mid(3, 1).toInt(), Utilitarios.Modulo11("858" + codigo.mid(4)));
      EXPECT_EQ(codigo.mid(4, 11).toLongLong(), total);
      EXPECT_EQ(F(linhaEmpresa, 285, 4), Utilitarios.DigitosLinha(codigo));
      const QString digitavel = Utilitarios.LinhaDigitavel(codigo);
      EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA WHERE CO_BARRAS = '%1' "
                                      "AND NU_IDENTIFICADOR_ARQUIVO = '%2'")
                           .arg(digitavel, id)),
                1);
      EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL WHERE CO_BARRAS = '%1'")
                           .arg(digitavel)),
                empresa.Q42);
      EXPECT_EQ(
          Contar(QStringLiteral("FROM QZLTBG15_ENVIO_EMPRESA WHERE CO_BARRAS_ENVIO_EMPRESA = '%1'")
                     .arg(digitavel)),
          1);
      arquivo.Dep += empresa.Dep;
      arquivo.Jam += empresa.Jam;
      arquivo.Multa += empresa.Multa;
      arquivo.Contr += empresa.Contr;
      arquivo.MultaContr += empresa.MultaContr;
      arquivo.Remu += empresa.Remu;
      arquivo.Q40 += empresa.Q40;
      arquivo.Q42 += empresa.Q42;
      arquivo.Q44 += empresa.Q44;
      arquivo.Q45 += empresa.Q45;
      arquivo.Q46 += empresa.Q46;
    } else if (tipo == "90") {
      EXPECT_EQ(i, linhas.size() - 1);
      EXPECT_EQ(N(l, 54, 17), arquivo.Remu);
      EXPECT_EQ(N(l, 71, 16), arquivo.Dep);
      EXPECT_EQ(N(l, 87, 15), arquivo.Jam);
      EXPECT_EQ(N(l, 102, 15), arquivo.Multa);
      EXPECT_EQ(N(l, 117, 15), arquivo.Contr);
      EXPECT_EQ(N(l, 132, 15), arquivo.MultaContr);
      EXPECT_EQ(N(l, 147, 6), arquivo.Q40);
      EXPECT_EQ(N(l, 153, 6), arquivo.Q42);
      EXPECT_EQ(N(l, 159, 6), arquivo.Q44);
      EXPECT_EQ(N(l, 165, 6), arquivo.Q45);
      EXPECT_EQ(N(l, 171, 6), arquivo.Q46);
      EXPECT_EQ(F(l, 177, 12), "000000000000");
    } else {
      ADD_FAILURE() << "registro inesperado " << tipo.toStdString();
    }
  }
  EXPECT_EQ(empresas, 2);
  EXPECT_EQ(quarentas.value("11111111111"), 3); // one line per contract
  EXPECT_EQ(arquivo.Q44, 2);                    // 23 items: 22 + 1
  EXPECT_EQ(arquivo.Q45, 1);
  EXPECT_EQ(arquivo.Q46, 1);
  // One worker row per link in the protocol, whatever its contracts.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO "
                                  "= '%1'")
                       .arg(id)),
            3);
  EXPECT_EQ(Valor(QStringLiteral("SELECT NM_ARQUIVO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(id)),
            saida + "/GuiaVESK.HXF");
  ASSERT_EQ(arq->Guias.size(), 2);
  // The computed amounts are stored.
  EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE DT_DEVIDA_RESCISAO IS NOT NULL"), 3);
}

TEST_F(ArqRescisorioTeste, FalhasDeixamTudoComoEstava) {
  struct TCaso {
    const char *Nome;
    std::function<void()> Preparar;
    const char *Codigo;
    int Inconsistencia; // 0: none recorded
  };
  const TCaso casos[] = {
      {"cálculo impossível (372 e 422)",
       [this] {
         Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET DT_OPCAO = '1960-01-04' "
                  "WHERE NU_PIS = 22222222222");
       },
       "0422", 422},
      {"saldo abaixo do mínimo",
       [this] {
         Executar("UPDATE QZLTBT14_ALIQUOTA_CALCULO_DPSTO SET VR_SALDO_RESCISORIO_MINIMO "
                  "= 1000000 WHERE NU_CATEGORIA = 1");
       },
       "0449", 449},
      {"contrato sem instituição",
       [this] { Executar("UPDATE QZLTBG22_EMPREGADO_CNSGTRA SET CO_INSTITUICAO_CNSGTRA = ' '"); },
       "0495", 495},
      {"contrato sem número",
       [this] {
         Executar("UPDATE QZLTBG22_EMPREGADO_CNSGTRA SET NU_CONTRATO = ' ' WHERE "
                  "CO_INSTITUICAO_CNSGTRA = '001'");
       },
       "0494", 494},
      {"contrato sem data",
       [this] { Executar("UPDATE QZLTBG22_EMPREGADO_CNSGTRA SET DT_NU_CONTRATO = NULL"); }, "0519",
       519},
      {"gravação cancelada", [this] { cancelarEscolha = true; }, "", 0},
      {"selador ausente", [this] { QFile::remove(pasta->Arquivo("lkwselo.so")); }, "*", 0},
  };
  for (const TCaso &k : casos) {
    SCOPED_TRACE(k.Nome);
    TearDown();
    SetUp();
    Cenario();
    k.Preparar();
    auto arq = Gerar();
    if (QLatin1String(k.Codigo) == QLatin1String("*")) {
      EXPECT_FALSE(arq->CodigoErro.isEmpty());
    } else {
      EXPECT_EQ(arq->CodigoErro, QString::fromLatin1(k.Codigo));
    }
    EXPECT_TRUE(arq->Guias.isEmpty());
    // The links stay marked and the run open; no protocol is left.
    EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 1"), 3);
    EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), 1);
    EXPECT_EQ(Contar("FROM QZLTBG13_ARQUIVO"), 0);
    EXPECT_EQ(Contar("FROM QZLTBG14_OCORRENCIA_GUIA"), 0);
    EXPECT_EQ(Contar("FROM QZLTBG15_ENVIO_EMPRESA"), 0);
    EXPECT_FALSE(QFile::exists(saida + "/GuiaVESK.HXF"));
    EXPECT_FALSE(QFile::exists(saida + "/GuiaVESK.HX"));
    if (k.Inconsistencia) {
      // Rolled back with the generation, the report rows stay.
      EXPECT_EQ(Contar("FROM QZLTBG08_GUIA_TOTALIZADORA"), 0);
      EXPECT_EQ(Contar("FROM QZLTBG06_INFORMACAO_RESCISAO WHERE DT_DEVIDA_RESCISAO IS NOT NULL"),
                0);
      EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = "
                                      "3 AND NU_MENSAGEM = %1")
                           .arg(k.Inconsistencia)),
                1);
      if (k.Inconsistencia == 422) {
        EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 3 AND "
                         "NU_MENSAGEM = 602"),
                  0);
      }
    } else {
      // After the commit the computed data and guides stay.
      EXPECT_EQ(Contar("FROM QZLTBG08_GUIA_TOTALIZADORA"), 2);
    }
  }
}

TEST_F(ArqRescisorioTeste, ConsignadoDeOutraCategoria) {
  TCasoVinculo c = Valido(44444444444);
  c.Categoria = 2;
  c.Estado = 1;
  Incluir(c);
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'S'");
  Executar("INSERT INTO QZLTBG22_EMPREGADO_CNSGTRA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
           "DT_ADMISSAO_VINCULO, NU_CATEGORIA, CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, "
           "DT_NU_CONTRATO) VALUES (1, 11222333000181, 44444444444, '2020-02-03', 2, '001', "
           "'X', '2021-01-01')");
  auto arq = Gerar();
  EXPECT_EQ(arq->CodigoErro, QStringLiteral("0518"));
  EXPECT_EQ(Contar("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_MENSAGEM = 518"), 1);
}

TEST_F(ArqRescisorioTeste, PeloExecutorEFechamento) {
  Cenario();
  TExecucaoArquivo e;
  e.Operacao = opArquivoRescisorio;
  e.Executar();
  ASSERT_TRUE(e.Sucesso) << e.CodigoErro.toStdString();
  ASSERT_TRUE(TMovimento::ConcluirFechamento());
  EXPECT_EQ(Contar("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 2"), 3);
  EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), 0);
}
