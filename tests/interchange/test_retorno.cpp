// The guide file reader and the bank's processed-guide return: links of an
// imported payroll file are closed (state 2) and recorded as a sent file, the
// simulated bank answers them, and the return is loaded.
#include "collection/unConsultaGuias.h"
#include "collection/unTGuiaEmpresa.h"
#include "core/unTexto1252.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "interchange/unArqGuia.h"
#include "interchange/unProtocolo.h"
#include "interchange/unTArqRetornoGuia.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "support/ConexaoTeste.h"
#include "support/EnvelopeTeste.h"
#include "support/FolhaTeste.h"
#include "support/MutacaoArquivos.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <set>
#include <tuple>

namespace {

const QString Identificador = QStringLiteral("202612101015300000000000012345");

using TEsperada = std::tuple<int, int, QString>; // message, line, record type

class RetornoTeste : public FolhaTeste {
protected:
  void SetUp() override {
    FolhaTeste::SetUp();
    PrepararVinculos({QStringLiteral("--empresas"), QStringLiteral("2"),
                      QStringLiteral("--vinculos"), QStringLiteral("6"),
                      QStringLiteral("--complementos"), QStringLiteral("0.5")});
  }

  // Imports a payroll file, closes its links (the first stays marked, the
  // second is already processed) and records the sent file by hand, as the
  // closing would.
  void PrepararVinculos(const QStringList &argumentos) {
    const QStringList linhas = Gerar(argumentos);
    folhaCaminho = Gravar(linhas, QStringLiteral("folha.re"));
    ASSERT_TRUE(Importar(folhaCaminho)) << folha->CodigoErro.toStdString();
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2"));
    pisMarcado = CampoLinha(PrimeiraLinha(linhas, 40, 0), 33, 11).toLongLong();
    pisProcessado = CampoLinha(PrimeiraLinha(linhas, 40, 1), 33, 11).toLongLong();
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 1 "
                            "WHERE NU_PIS = %1")
                 .arg(pisMarcado));
    Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 3 "
                            "WHERE NU_PIS = %1")
                 .arg(pisProcessado));
    TProtocolo p;
    p.NU_IDENTIFICADOR_ARQUIVO = Identificador;
    p.NU_ARQUIVO = ArquivoGuiaRescisoria;
    p.IC_ARQUIVO_VALIDO = QStringLiteral("N");
    ASSERT_TRUE(p.Incluir());
    for (const QString &l : linhas) {
      if (!l.startsWith(QLatin1String("10")))
        continue;
      ASSERT_TRUE(p.IncluirEmpresa(Identificador, CampoLinha(l, 3, 1).toInt(),
                                   CampoLinha(l, 4, 14).toLongLong(),
                                   CampoLinha(l, 54, 40).trimmed()));
    }
  }

  static QString PrimeiraLinha(const QStringList &linhas, int tipo, int pular) {
    const QString t = QString::number(tipo).rightJustified(2, u'0');
    for (const QString &l : linhas)
      if (l.startsWith(t) && pular-- == 0)
        return l;
    return {};
  }

  // The bank's return for the payroll's links; the expected inconsistencies
  // of a fault come back in `esperadas`.
  QStringList Retorno(const QStringList &opcoes = {}, std::set<TEsperada> *esperadas = nullptr) {
    const QString saida = pasta->Arquivo(QStringLiteral("retorno.HX"));
    QByteArray texto;
    EXPECT_EQ(Banco(QStringList{QStringLiteral("retorno"), QStringLiteral("--folha"), folhaCaminho,
                                QStringLiteral("--identificador"), Identificador, saida,
                                QStringLiteral("--quitacao"), QStringLiteral("20261215"),
                                QStringLiteral("--processamento"), QStringLiteral("20261216")} +
                        opcoes,
                    pasta->Caminho(), &texto),
              0);
    if (esperadas)
      for (const QByteArray &l : texto.split('\n'))
        if (!l.trimmed().isEmpty()) {
          const QJsonObject o = QJsonDocument::fromJson(l).object();
          esperadas->insert({o[QStringLiteral("mensagem")].toInt(),
                             o[QStringLiteral("linha")].toInt(),
                             o[QStringLiteral("registro")].toString()});
        }
    QFile f(saida);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QStringList linhas = DeWin1252(f.readAll()).split(QStringLiteral("\r\n"));
    if (!linhas.isEmpty() && linhas.last().isEmpty())
      linhas.removeLast();
    return linhas;
  }

  bool Carregar(const QString &caminho, IProgresso *progresso = nullptr) {
    retorno = std::make_unique<TArqRetornoGuia>(tiGuiaProcessada);
    retorno->NomeArquivo = caminho;
    retorno->Progresso = progresso;
    return retorno->Importar();
  }

  std::set<TEsperada> Registradas() {
    std::set<TEsperada> r;
    for (const TInconsistenciaLida &i : Inconsistencias(tiGuiaProcessada))
      r.insert({i.Mensagem, i.Linha, i.Registro});
    return r;
  }

  int Estado(qint64 pis) {
    return Valor(
               QStringLiteral("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE "
                              "NU_PIS = %1")
                   .arg(pis))
        .toInt();
  }
  QString Estados() {
    return Valor(
        QStringLiteral("SELECT LIST(E, ',') FROM (SELECT NU_PIS || ':' || IC_ESTADO_MOVIMENTO "
                       "AS E FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY NU_PIS)"));
  }
  QString Validade() {
    return Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                     .arg(Identificador));
  }
  int Guias() {
    return Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")) +
           Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL"));
  }

  QString folhaCaminho;
  qint64 pisMarcado = 0, pisProcessado = 0;
  std::unique_ptr<TArqRetornoGuia> retorno;
};

TEST_F(RetornoTeste, RetornoValidoGravaGuiasEProcessaVinculos) {
  const QStringList linhas = Retorno();
  const QString caminho = Gravar(linhas, QStringLiteral("retorno.HX"));
  const int complementos = Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO"));
  const QString estadosAntes = Estados();
  ASSERT_TRUE(Carregar(caminho)) << retorno->CodigoErro.toStdString();
  EXPECT_TRUE(Registradas().empty());

  // Company guides: the bank's branch and dates, the header's payment date.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")), 2);
  EXPECT_EQ(retorno->GuiasEmpresaGravadas, 2);
  const QDate pagamento = QDate::fromString(recolhimento, QStringLiteral("ddMMyyyy"));
  for (const QString &l : linhas) {
    if (!l.startsWith(QLatin1String("10")))
      continue;
    const QString codigo = TUtilitarios::LinhaDigitavel(CampoLinha(l, 217, 44));
    EXPECT_EQ(
        Valor(QStringLiteral("SELECT NU_BANCO || '|' || NU_AGENCIA || '|' || DT_QUITACAO || '|' || "
                             "DT_PROCESSAMENTO || '|' || DT_RECOLHIMENTO || '|' || "
                             "NU_IDENTIFICADOR_ARQUIVO FROM QZLTBG08_GUIA_TOTALIZADORA WHERE "
                             "CO_BARRAS = '%1'")
                  .arg(codigo)),
        QStringLiteral("104|1234|2026-12-15|2026-12-16|%1|%2")
            .arg(pagamento.toString(QStringLiteral("yyyy-MM-dd")), Identificador));
  }
  // Individual guides: the twenty amounts of each "42", to the centavo.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG09_GUIA_INDIVIDUAL")), 6);
  for (const QString &l : linhas) {
    if (!l.startsWith(QLatin1String("42")))
      continue;
    QStringList esperado, lista;
    for (int k = 0; k < 20; ++k) {
      esperado << QString::number(CampoLinha(l, 54 + 13 * k, 13).toLongLong());
      lista << QStringLiteral("CAST(%1 * 100 AS BIGINT)").arg(QLatin1String(ColunasParcelas[k]));
    }
    EXPECT_EQ(Valor(QStringLiteral("SELECT %1 FROM QZLTBG09_GUIA_INDIVIDUAL WHERE NU_PIS_GUIA = %2")
                        .arg(lista.join(QStringLiteral(" || ',' || ")))
                        .arg(CampoLinha(l, 33, 11).toLongLong())),
              esperado.join(u','));
  }
  // Closed links became processed; the marked and the processed one stayed.
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 3")),
      5);
  EXPECT_EQ(Estado(pisMarcado), 1);
  EXPECT_EQ(retorno->VinculosProcessados.size(), 4);
  // The sent file: valid, answered today, its companies processed on the bank's date.
  EXPECT_EQ(Validade(), QStringLiteral("S"));
  EXPECT_EQ(Valor(QStringLiteral("SELECT CAST(DT_GERACAO_ARQUIVO AS DATE) FROM QZLTBG13_ARQUIVO")),
            QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
  EXPECT_EQ(
      Valor(QStringLiteral("SELECT LIST(DISTINCT DT_PROCESSAMENTO) FROM QZLTBG15_ENVIO_EMPRESA")),
      QStringLiteral("2026-12-16"));
  // The complements were read, not stored.
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG07_COMPLEMENTO_SALDO")), complementos);

  // Loading it again changes nothing.
  const QString estados = Estados();
  const QString guias = Valor(
      QStringLiteral("SELECT LIST(CO_BARRAS || DT_QUITACAO) FROM QZLTBG08_GUIA_TOTALIZADORA"));
  ASSERT_TRUE(Carregar(caminho));
  EXPECT_EQ(Estados(), estados);
  EXPECT_NE(estados, estadosAntes);
  EXPECT_EQ(Guias(), 8);
  EXPECT_EQ(Valor(QStringLiteral(
                "SELECT LIST(CO_BARRAS || DT_QUITACAO) FROM QZLTBG08_GUIA_TOTALIZADORA")),
            guias);
  EXPECT_TRUE(retorno->VinculosProcessados.isEmpty());
}

TEST_F(RetornoTeste, RetornoComFalhaNadaGravaERegistraOndeDeve) {
  QByteArray lista;
  ASSERT_EQ(Banco({QStringLiteral("retorno"), QStringLiteral("--falha"), QStringLiteral("listar")},
                  pasta->Caminho(), &lista),
            0);
  const QString estados = Estados();
  int casos = 0;
  for (const QByteArray &l : lista.split('\n')) {
    const QString falha = QString::fromUtf8(l).section(u' ', 0, 0, QString::SectionSkipEmpty);
    if (falha.isEmpty())
      continue;
    SCOPED_TRACE(falha.toStdString());
    ++casos;
    Executar(QStringLiteral("UPDATE QZLTBG13_ARQUIVO SET IC_ARQUIVO_VALIDO = NULL"));
    std::set<TEsperada> esperadas;
    const QStringList linhas = Retorno({QStringLiteral("--falha"), falha}, &esperadas);
    ASSERT_FALSE(esperadas.empty());
    EXPECT_FALSE(Carregar(Gravar(linhas, QStringLiteral("retorno.HX"))));
    EXPECT_EQ(Registradas(), esperadas);
    EXPECT_FALSE(retorno->CodigoErro.isEmpty());
    // Nothing stored; the sent file refused (a blank identifier names none).
    EXPECT_EQ(Guias(), 0);
    EXPECT_EQ(Estados(), estados);
    EXPECT_EQ(Validade(),
              falha == QLatin1String("identificador") ? QString() : QStringLiteral("N"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(DT_PROCESSAMENTO) FROM QZLTBG15_ENVIO_EMPRESA")),
              QStringLiteral("0"));
  }
  EXPECT_GE(casos, 30);
  // The contents of the registrations the Part fixes.
  Retorno({QStringLiteral("--falha"), QStringLiteral("quitacao-zero")});
  Carregar(pasta->Arquivo(QStringLiteral("retorno.HX")));
  ASSERT_EQ(Inconsistencias(tiGuiaProcessada).size(), 1u);
  EXPECT_EQ(Inconsistencias(tiGuiaProcessada)[0].Conteudo,
            QStringLiteral("Data Recolhimento: 00000000"));
  Retorno({QStringLiteral("--falha"), QStringLiteral("valor-letra")});
  Carregar(pasta->Arquivo(QStringLiteral("retorno.HX")));
  EXPECT_EQ(Inconsistencias(tiGuiaProcessada)[0].Conteudo,
            QStringLiteral("Depósito ZELT Mês Anterior: 00000000001A1"));
}

TEST_F(RetornoTeste, CasosDeBorda) {
  // One company with two guides (two bar codes) is accepted.
  ASSERT_TRUE(
      Carregar(Gravar(Retorno({QStringLiteral("--dividir")}), QStringLiteral("retorno.HX"))))
      << retorno->CodigoErro.toStdString();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG08_GUIA_TOTALIZADORA")), 4);
  Executar(QStringLiteral("DELETE FROM QZLTBG09_GUIA_INDIVIDUAL"));
  Executar(QStringLiteral("DELETE FROM QZLTBG08_GUIA_TOTALIZADORA"));

  // Blank sequence: on a 500-character line the blanks are trimmed (410); on
  // a 533-character line the field is read and is not a number (11).
  QStringList linhas = Retorno();
  QStringList curta = linhas;
  curta[2] = curta[2].left(494) + QString(6, u' ');
  EXPECT_FALSE(Carregar(Gravar(curta, QStringLiteral("retorno.HX"))));
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{410, 3, QStringLiteral("00")}}));
  QStringList longa = linhas;
  longa[2] = longa[2].left(494) + QString(33, u' ') + QStringLiteral("000003");
  EXPECT_FALSE(Carregar(Gravar(longa, QStringLiteral("retorno.HX"))));
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{11, 3, QStringLiteral("40")}}));
  EXPECT_EQ(Inconsistencias(tiGuiaProcessada)[0].Conteudo.trimmed(),
            QStringLiteral("Número Sequêncial:"));

  // An empty file.
  EXPECT_FALSE(Carregar(Gravar({}, QStringLiteral("vazio.HX"))));
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{385, 0, QString()}}));
  // A file that cannot be opened.
  EXPECT_FALSE(Carregar(pasta->Arquivo(QStringLiteral("nao/existe.HX"))));
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{151, 0, QString()}}));
  EXPECT_EQ(Guias(), 0);
}

TEST_F(RetornoTeste, AvisoDeReenvioRejeitadoVaiParaSeuLeitor) {
  // The resend request the notice answers, recorded as a sent file.
  const QString pedido = QStringLiteral("202612011200000000000000000777");
  TProtocolo p;
  p.NU_IDENTIFICADOR_ARQUIVO = pedido;
  p.NU_ARQUIVO = ArquivoReenvio;
  ASSERT_TRUE(p.Incluir());
  TResponsavel r;
  r.CarregarResponsavel();
  const QString empresa =
      Valor(QStringLiteral("SELECT FIRST 1 NU_TIPO_INSO_EMPRA || '|' || NU_INSCRICAO FROM "
                           "QZLTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA = 'E'"));
  const QString inscEmpresa = empresa.section(u'|', 1).rightJustified(14, u'0');
  auto linha = [](const QString &s) { return s.leftJustified(500, u' '); };
  const QStringList aviso = {
      linha(QStringLiteral("0") + QStringLiteral("01122026") + QStringLiteral("02ZELT") +
            QString::number(r.NU_TIPO_INSO_EMPRA) + r.NU_INSCRICAO.rightJustified(14, u'0') +
            r.NO_RAZAO_SOCIAL.leftJustified(24, u' ', true) + pedido),
      linha((QStringLiteral("1") + empresa.section(u'|', 0, 0) + inscEmpresa +
             QStringLiteral("20122026") + QStringLiteral("858") + QString(41, u'1'))
                .leftJustified(90, u' ') +
            QStringLiteral("01")),
      linha(QStringLiteral("900000001")),
  };
  const QString validade = Validade();
  TExecucaoArquivo e;
  e.Operacao = opRetornoGuia;
  e.NomeArquivo = Gravar(aviso, QStringLiteral("aviso.HX"));
  e.Executar();
  EXPECT_FALSE(e.Sucesso);
  // The refusal is a row of the report, so the runner offers it.
  EXPECT_EQ(e.CodigoErro, QStringLiteral("0209"));
  ASSERT_EQ(Inconsistencias(tiGuiaProcessada).size(), 1u);
  EXPECT_EQ(Inconsistencias(tiGuiaProcessada)[0].Linha, 2);
  EXPECT_EQ(Valor(QStringLiteral("SELECT IC_ARQUIVO_VALIDO FROM QZLTBG13_ARQUIVO WHERE "
                                 "NU_IDENTIFICADOR_ARQUIVO = '%1'")
                      .arg(pedido)),
            QStringLiteral("N"));
  EXPECT_EQ(Validade(), validade); // the guides' sent file is untouched
  EXPECT_EQ(Guias(), 0);
}

TEST_F(RetornoTeste, CancelarEmQualquerPassoNadaDeixa) {
  const QString caminho = Gravar(Retorno(), QStringLiteral("retorno.HX"));
  const QString estados = Estados();
  const int linhas = static_cast<int>(Retorno().size());
  // Structure walks the lines twice, then keys, contents and storing once each.
  for (int k : {1, linhas + 2, 2 * linhas + 2, 3 * linhas + 2, 4 * linhas + 2, 5 * linhas - 1}) {
    SCOPED_TRACE(k);
    TProgressoTeste progresso;
    progresso.CancelarEm = k;
    EXPECT_FALSE(Carregar(caminho, &progresso));
    EXPECT_EQ(Guias(), 0);
    EXPECT_EQ(Estados(), estados);
    EXPECT_TRUE(Registradas().empty());
  }
  TProgressoTeste inteiro;
  ASSERT_TRUE(Carregar(caminho, &inteiro));
  EXPECT_EQ(inteiro.Avancos, 5 * linhas);
}

TEST_F(RetornoTeste, LinhaEnviadaLidaDeVolta) {
  // The closing builds its 533-character lines from the sent tables and reads
  // them back through the reader.
  using namespace LeiauteRescisorio;
  const QString barras = QStringLiteral("8581") + QString(40, u'2');
  QStringList valores(std::size(EmpresaEnviado));
  valores[emTipoRegistro] = QStringLiteral("10");
  valores[emTipoInscricao] = QStringLiteral("1");
  valores[emInscricao] = QStringLiteral("11222333000181");
  valores[emRazaoSocial] = QStringLiteral("EMPRESA TESTE LTDA");
  valores[emUF] = QStringLiteral("SP");
  valores[emDDD] = QStringLiteral("11");
  valores[emTelefone] = QStringLiteral("33334444");
  valores[emSimples] = QStringLiteral("1");
  valores[emFPAS] = QStringLiteral("507");
  valores[emCNAE] = QStringLiteral("4711302");
  valores[emCodigoBarras] = barras;
  valores[emDigitos] = QStringLiteral("1234");
  valores[emSequencia] = QStringLiteral("2");
  const QString linha = MontarLinha(EmpresaEnviado, valores);
  ASSERT_EQ(linha.size(), TamanhoEnviado);
  EXPECT_EQ(linha.mid(527), QStringLiteral("000002"));
  TArqGuia g;
  g.NumeroArquivo = tiMovimento;
  ASSERT_TRUE(g.LerRegistro(linha, 1));
  g.PreencherGuiaEmpresa();
  EXPECT_EQ(g.GuiaEmpresa().Empresa().NU_INSCRICAO, QStringLiteral("11222333000181"));
  EXPECT_EQ(g.GuiaEmpresa().Empresa().NO_RAZAO_SOCIAL, QStringLiteral("EMPRESA TESTE LTDA"));
  EXPECT_EQ(g.GuiaEmpresa().Empresa().NU_INSS, QStringLiteral("507"));
  EXPECT_EQ(g.GuiaEmpresa().CO_BARRAS, TUtilitarios::LinhaDigitavel(barras));
  EXPECT_EQ(g.GuiaEmpresa().DT_QUITACAO, NullDate); // the sent form's zeros
  // A line of another length is registered, never thrown.
  EXPECT_FALSE(g.LerRegistro(linha.left(520), 4));
  EXPECT_EQ(g.CodigoErro, QStringLiteral("0410"));
}

class RetornoGrandeTeste : public RetornoTeste {
protected:
  void SetUp() override {
    FolhaTeste::SetUp();
    PrepararVinculos({QStringLiteral("--empresas"), QStringLiteral("7"),
                      QStringLiteral("--vinculos"), QStringLiteral("1500"),
                      QStringLiteral("--semente"), QStringLiteral("77")});
  }
};

TEST_F(RetornoGrandeTeste, TotaisDeMilharesDeVinculosBatemAoCentavo) {
  // Random centavos in every amount: the trailers' sums are compared in
  // whole centavos, and what is stored adds up to the file's trailer.
  const QStringList linhas = Retorno({QStringLiteral("--semente"), QStringLiteral("91")});
  ASSERT_TRUE(Carregar(Gravar(linhas, QStringLiteral("retorno.HX"))))
      << retorno->CodigoErro.toStdString();
  const QString trailer = linhas.last();
  const qint64 deposito = CampoLinha(trailer, 71, 16).toLongLong();
  const qint64 jam = CampoLinha(trailer, 87, 15).toLongLong();
  EXPECT_EQ(retorno->TotaisArquivo().Deposito, deposito);
  EXPECT_EQ(retorno->TotaisArquivo().JAM, jam);
  EXPECT_EQ(Valor(QStringLiteral(
                "SELECT CAST(SUM(VR_DEPOSITO_ANTERIOR_RESCISAO + VR_DEPOSITO_RESCISAO + "
                "VR_DEPOSITO_AVISO_PREVIO + VR_DEPOSITO_MULTA_RESCISORIA) * 100 AS BIGINT) "
                "FROM QZLTBG09_GUIA_INDIVIDUAL")),
            QString::number(deposito));
  EXPECT_EQ(Valor(QStringLiteral("SELECT CAST(SUM(VR_JAM_ANTERIOR_RESCISAO + VR_JAM_RESCISAO + "
                                 "VR_JAM_AVISO_PREVIO + VR_JAM_MULTA_RESCISORIA) * 100 AS BIGINT) "
                                 "FROM QZLTBG09_GUIA_INDIVIDUAL")),
            QString::number(jam));
  EXPECT_EQ(retorno->GuiasTrabalhadorGravadas, 1500);
}

TEST_F(RetornoTeste, LinhaDeComando) {
  auto rodar = [this](const QString &arquivo, QString &texto) {
    delete IbxUtils;
    IbxUtils = nullptr;
    QProcess p;
    p.start(
        QStringLiteral(VESK_BIN_DIR "/vesk-cli"),
        {QStringLiteral("--pasta"), pasta->Caminho(), QStringLiteral("carregar-retorno"), arquivo});
    EXPECT_TRUE(p.waitForFinished(120000));
    texto = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    ReconectarBanco(pasta->Banco());
    return p.exitCode();
  };
  QString texto;
  Retorno({QStringLiteral("--falha"), QStringLiteral("zelt")});
  EXPECT_EQ(rodar(pasta->Arquivo(QStringLiteral("retorno.HX")), texto), 1);
  EXPECT_TRUE(texto.contains(QStringLiteral("Arquivo recusado"))) << texto.toStdString();
  EXPECT_TRUE(texto.contains(QStringLiteral("Identificação do serviço inválida")))
      << texto.toStdString();
  EXPECT_EQ(Guias(), 0);

  Retorno();
  EXPECT_EQ(rodar(pasta->Arquivo(QStringLiteral("retorno.HX")), texto), 0) << texto.toStdString();
  EXPECT_TRUE(texto.contains(
      QStringLiteral("Guias gravadas: 2 guia(s) de empresa, 6 guia(s) de trabalhador.")))
      << texto.toStdString();
  EXPECT_TRUE(texto.contains(QStringLiteral("Vínculos processados: 4"))) << texto.toStdString();
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO = 3")),
      5);
}

TEST_F(RetornoTeste, MutantesDoRetornoRecusadosSemDanos) {
  QFile f(Gravar(Retorno(), QStringLiteral("retorno.HX")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  TLeitorMutavel l;
  l.Nome = QStringLiteral("retorno de guias processadas");
  l.Valido = f.readAll();
  l.NumeroArquivo = tiGuiaProcessada;
  l.Tabelas = {QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA"),
               QStringLiteral("QZLTBG09_GUIA_INDIVIDUAL"), QStringLiteral("QZLTBG13_ARQUIVO")};
  l.Ler = [](const QString &caminho) {
    TArqRetornoGuia r(tiGuiaProcessada);
    r.NomeArquivo = caminho;
    return r.Importar();
  };
  VerificarMutantes(l, pasta->Caminho(), 200);
}

} // namespace
