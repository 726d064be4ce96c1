// The identification-key occurrence file: files written by the simulated
// bank (tools/banco chave) loaded through the runner and read back field by
// field; the fault table; cancel in each pass; the reports' context.
#include "core/UnInconsistencia.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "interchange/unLeiauteChave.h"
#include "interchange/unLeiauteRescisorio.h"
#include "registry/unArqOcorrenciaChaveIdentificacao.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"
#include "support/MutacaoArquivos.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>
#include <tuple>

namespace {

using TEsperada = std::tuple<int, int, QString>; // message, line, content

// Cancels once the gauge has moved `apos` times.
class ProgressoCancelando : public IProgresso {
public:
  explicit ProgressoCancelando(int apos) : apos_(apos) {}
  void DefinirMaximo(int) override {}
  void Avancar(bool) override { ++passos_; }
  void Etapa(int) override {}
  bool Cancelado() const override { return passos_ >= apos_; }

private:
  int apos_;
  int passos_ = 0;
};

class Chave : public BancoTeste {
protected:
  // Writes a file with the simulated bank; the expected rows go to
  // `esperado`, a fault's expected inconsistencies to `esperadas`.
  QString Gerar(const QStringList &opcoes, QJsonObject *esperado = nullptr,
                std::set<TEsperada> *esperadas = nullptr,
                const QString &nome = QStringLiteral("ocorrencia.txt")) {
    const QString saida = pasta->Arquivo(nome);
    QStringList args{QStringLiteral("chave"), saida};
    args << opcoes;
    const QString json = pasta->Arquivo(QStringLiteral("esperado.json"));
    if (esperado)
      args << QStringLiteral("--esperado") << json;
    QByteArray out;
    EXPECT_EQ(Banco(args, pasta->Caminho(), &out), 0) << args.join(u' ').toStdString();
    if (esperado) {
      QFile f(json);
      EXPECT_TRUE(f.open(QIODevice::ReadOnly));
      *esperado = QJsonDocument::fromJson(f.readAll()).object();
    }
    if (esperadas)
      for (const QByteArray &l : out.split('\n'))
        if (!l.trimmed().isEmpty()) {
          const QJsonObject o = QJsonDocument::fromJson(l).object();
          esperadas->insert({o.value("mensagem").toInt(), o.value("linha").toInt(),
                             o.value("conteudo").toString()});
        }
    return saida;
  }

  std::unique_ptr<TExecucaoArquivo> Carregar(const QString &arquivo,
                                             IProgresso *progresso = nullptr) {
    auto e = std::make_unique<TExecucaoArquivo>();
    e->Operacao = opOcorrenciaChave;
    e->NomeArquivo = arquivo;
    e->Progresso = progresso;
    e->Executar();
    return e;
  }

  std::set<TEsperada> Registradas() {
    std::set<TEsperada> r;
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT NU_MENSAGEM, NU_LINHA_ERRO, DE_CONTEUDO_CAMPO FROM "
                       "QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 4"));
    for (ds->First(); !ds->Eof(); ds->Next())
      r.insert({ds->Fields(0).AsInteger(), ds->Fields(1).AsInteger(),
                ds->Fields(2).AsString().trimmed()});
    return r;
  }

  // Every homologation row as text, to show that a refused load changed nothing.
  QString Retrato() {
    QString s;
    for (const char *t :
         {"QZLTBG19_RESPONSAVEL_HMLGO", "QZLTBG20_EMPRESA_HMLGO", "QZLTBG21_EMPREGADO_HMLGO"}) {
      TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral("SELECT * FROM ") + t +
                                               QStringLiteral(" ORDER BY 1, 2, 3, 4"));
      for (ds->First(); !ds->Eof(); ds->Next())
        for (int c = 0; c < ds->FieldCount(); ++c)
          s += ds->Fields(c).AsString() + u'|';
      s += u'\n';
    }
    return s;
  }

  static QString Data(const QJsonValue &v) { return v.isNull() ? QString() : v.toString(); }
  static QString DataIso(TDateTime d) {
    return d == NullDate ? QString() : DataParaQDate(d).toString(Qt::ISODate);
  }

  // The stored loads against the generator's rows, field by field.
  void Conferir(const QJsonObject &esperado, const QStringList &cargas) {
    const QJsonArray esperadas = esperado.value("cargas").toArray();
    ASSERT_EQ(cargas.size(), esperadas.size());
    TResponsavelHmlgo r;
    r.CarregarTodos();
    for (int i = 0; i < cargas.size(); ++i) {
      const QJsonObject c = esperadas[i].toObject();
      ASSERT_TRUE(r.LocalizarArquivo(cargas[i]));
      EXPECT_EQ(r.NU_TIPO_INSCRICAO_RESPONSA, c.value("tipo").toInt());
      EXPECT_EQ(r.NU_INSCRICAO_RESPONSAVEL, c.value("inscricao").toString().toLongLong());
      EXPECT_EQ(r.NO_RAZAO_SOCIAL, c.value("nome").toString());
      EXPECT_EQ(r.IC_ESTADO_HMLGO, c.value("estado").toString());
      EXPECT_EQ(r.CO_MENSAGEM, c.value("co_mensagem").toString());
      EXPECT_EQ(r.DE_MENSAGEM, c.value("de_mensagem").toString());
      EXPECT_EQ(DataIso(r.TS_RETORNO_ARQUIVO), QDate::currentDate().toString(Qt::ISODate));
      const QJsonArray empresas = c.value("empresas").toArray();
      TEmpresaHmlgo *e = r.Empresas();
      ASSERT_EQ(e->QuantidadeRegistros(), empresas.size());
      for (const QJsonValue &ve : empresas) {
        const QJsonObject eo = ve.toObject();
        const int linha = eo.value("linha").toInt();
        ASSERT_TRUE(e->LocalizarLinhaEmpresa(cargas[i], linha));
        EXPECT_EQ(e->NU_IDENTIFICADOR_GUIA, eo.value("guia").toString().toLongLong());
        EXPECT_EQ(e->NU_TIPO_INSCRICAO_EMPRESA, eo.value("tipo").toInt());
        EXPECT_EQ(e->NU_INSCRICAO_EMPRESA, eo.value("inscricao").toString().toLongLong());
        EXPECT_EQ(e->NO_RAZAO_SOCIAL, eo.value("nome").toString());
        EXPECT_EQ(e->NU_ESTABELECIMENTO, eo.value("estabelecimento").toString().toLongLong());
        EXPECT_EQ(e->CO_MENSAGEM, eo.value("co_mensagem").toString());
        EXPECT_EQ(e->DE_MENSAGEM, eo.value("de_mensagem").toString());
        const QJsonArray trabs = eo.value("trabalhadores").toArray();
        TEmpregadoHmlgo *t = e->Trabalhadores();
        ASSERT_EQ(t->QuantidadeRegistros(), trabs.size());
        for (const QJsonValue &vt : trabs) {
          const QJsonObject to = vt.toObject();
          ASSERT_TRUE(t->LocalizarLinhaTrabalhador(to.value("linha").toInt()));
          EXPECT_EQ(t->NU_IDENTIFICADOR_GUIA, e->NU_IDENTIFICADOR_GUIA);
          EXPECT_EQ(t->NU_ESTABELECIMENTO, e->NU_ESTABELECIMENTO);
          EXPECT_EQ(t->NU_LINHA_ARQUIVO_EMPRESA, linha);
          EXPECT_EQ(t->NU_PIS, to.value("pis").toString().toLongLong());
          EXPECT_EQ(DataIso(t->DT_ADMISSAO), Data(to.value("admissao")));
          EXPECT_EQ(t->NU_CATEGORIA, to.value("categoria").toInt());
          EXPECT_EQ(t->NU_EMPREGADO, to.value("codigo").toInt());
          EXPECT_EQ(t->NO_EMPREGADO, to.value("nome").toString());
          EXPECT_EQ(t->CO_SAQUE, to.value("saque").toString());
          EXPECT_EQ(t->CO_HOMOLOGACAO_VORDA, to.value("chave").toString());
          EXPECT_EQ(DataIso(t->DT_VALIDADE_GUIA), Data(to.value("validade")));
          EXPECT_EQ(t->SG_BASE_DADOS, to.value("base").toString());
          EXPECT_EQ(t->CO_MENSAGEM, to.value("co_mensagem").toString());
          EXPECT_EQ(t->DE_MENSAGEM, to.value("de_mensagem").toString());
          EXPECT_EQ(t->CO_MOVIMENTACAO, to.value("movimentacao").toString());
          EXPECT_EQ(DataIso(t->DT_MOVIMENTACAO), Data(to.value("data_movimentacao")));
        }
      }
    }
  }
};

TEST_F(Chave, ValidFilesAreStoredFieldByField) {
  const QList<QStringList> casos = {
      {QStringLiteral("--estado"), QStringLiteral("1"), QStringLiteral("--trabalhadores"),
       QStringLiteral("4")},
      {QStringLiteral("--estado"), QStringLiteral("0")},
      {QStringLiteral("--estado"), QStringLiteral("2"), QStringLiteral("--cei")},
      {QStringLiteral("--cabecalhos"), QStringLiteral("3"), QStringLiteral("--empresas"),
       QStringLiteral("5"), QStringLiteral("--cei"), QStringLiteral("--semente"),
       QStringLiteral("9")},
  };
  for (const QStringList &caso : casos) {
    SCOPED_TRACE(caso.join(u' ').toStdString());
    QJsonObject esperado;
    const QString arquivo = Gerar(caso, &esperado);
    auto e = Carregar(arquivo);
    ASSERT_TRUE(e->Sucesso) << e->CodigoErro.toStdString();
    auto *chave = dynamic_cast<TArqChaveIdentificacao *>(e->Objeto.get());
    ASSERT_TRUE(chave);
    Conferir(esperado, chave->CargasGravadas);
    EXPECT_TRUE(Registradas().empty());
  }
}

TEST_F(Chave, TheSameFileTwiceGivesTwoLoads) {
  QJsonObject esperado;
  const QString arquivo = Gerar({}, &esperado);
  auto a = Carregar(arquivo);
  auto b = Carregar(arquivo);
  ASSERT_TRUE(a->Sucesso && b->Sucesso);
  const auto cargaA = dynamic_cast<TArqChaveIdentificacao *>(a->Objeto.get())->CargasGravadas;
  const auto cargaB = dynamic_cast<TArqChaveIdentificacao *>(b->Objeto.get())->CargasGravadas;
  EXPECT_NE(cargaA, cargaB);
  Conferir(esperado, cargaA);
  Conferir(esperado, cargaB);
}

TEST_F(Chave, TrailingBlanksAndBlankLastLinesAreNotRecords) {
  const QString arquivo = Gerar({});
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray dados = f.readAll();
  f.close();
  dados.replace("\r\n", "      \r\n");
  dados += "\r\n   \r\n";
  pasta->EscreverArquivo(QStringLiteral("brancos.txt"), dados);
  // GRAVA_ARQUIVO keeps a copy of what was read in the program's folder.
  Configuracao.GravaArquivo = true;
  EXPECT_TRUE(Carregar(pasta->Arquivo(QStringLiteral("brancos.txt")))->Sucesso);
  Configuracao.GravaArquivo = false;
  const QByteArray copia = pasta->LerArquivo(QStringLiteral("TESTE_OCORRENCIA_CHAVE.txt"));
  EXPECT_EQ(copia.count("\r\n"), dados.count("\r\n") - 2); // the blank last lines are no records
}

TEST_F(Chave, EachFaultIsReportedAndStoresNothing) {
  // An earlier load and an earlier list of inconsistencies that a refused
  // file must leave as they were.
  ASSERT_TRUE(Carregar(Gerar({}, nullptr, nullptr, QStringLiteral("valido.txt")))->Sucesso);
  const QString antes = Retrato();
  QByteArray nomes;
  ASSERT_EQ(Banco({QStringLiteral("chave"), QStringLiteral("--falha"), QStringLiteral("listar")},
                  pasta->Caminho(), &nomes),
            0);
  int casos = 0;
  for (const QByteArray &n : nomes.split('\n')) {
    const QString falha = QString::fromUtf8(n.trimmed());
    if (falha.isEmpty())
      continue;
    ++casos;
    SCOPED_TRACE(falha.toStdString());
    std::set<TEsperada> esperadas;
    const QString arquivo =
        Gerar({QStringLiteral("--empresas"), QStringLiteral("2"), QStringLiteral("--falha"), falha},
              nullptr, &esperadas);
    ASSERT_FALSE(esperadas.empty());
    auto e = Carregar(arquivo);
    EXPECT_FALSE(e->Sucesso);
    EXPECT_EQ(e->CodigoErro, QStringLiteral("0209"));
    EXPECT_EQ(Registradas(), esperadas);
    EXPECT_EQ(Retrato(), antes);
  }
  EXPECT_GE(casos, 30);
}

TEST_F(Chave, OpenFailureAndUnknownTypeContext) {
  const QString ausente = pasta->Arquivo(QStringLiteral("nao/existe.txt"));
  auto e = Carregar(ausente);
  EXPECT_FALSE(e->Sucesso);
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{151, 0, ausente.left(70)}}));

  // A line of another type: with the header first, the report carries the
  // responsible party; when the file does not open with a header, nothing.
  const QString arquivo = Gerar({QStringLiteral("--falha"), QStringLiteral("tipo-registro")});
  EXPECT_FALSE(Carregar(arquivo)->Sucesso);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 4 "
                                  "AND NU_INSCRICAO_RSPNL_INCNA IS NOT NULL")),
            1);
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QList<QByteArray> linhas = f.readAll().split('\n');
  f.close();
  linhas.removeFirst();
  pasta->EscreverArquivo(QStringLiteral("sem.txt"), linhas.join('\n'));
  EXPECT_FALSE(Carregar(pasta->Arquivo(QStringLiteral("sem.txt")))->Sucesso);
  EXPECT_EQ(Registradas(), (std::set<TEsperada>{{113, 2, QStringLiteral("30")}}));
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 4 "
                                  "AND NU_INSCRICAO_RSPNL_INCNA IS NULL")),
            1);
}

TEST_F(Chave, WorkerContextAndDatesAroundNineteenHundred) {
  // 2 January 1900 passes; the worker's report names the worker and company.
  const QString arquivo = Gerar({QStringLiteral("--falha"), QStringLiteral("pis")});
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QString texto = QString::fromLatin1(f.readAll());
  f.close();
  QStringList linhas = texto.split(QStringLiteral("\r\n"));
  linhas[2].replace(43, 8, QStringLiteral("19000102"));
  pasta->EscreverArquivo(QStringLiteral("pis.txt"), linhas.join(QStringLiteral("\r\n")).toLatin1());
  EXPECT_FALSE(Carregar(pasta->Arquivo(QStringLiteral("pis.txt")))->Sucesso);
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT NU_MENSAGEM, CO_PIS_INCONSISTENCIA, NU_INSCRICAO_EMPRESA, NO_EMPREGADO, "
      "DT_ADMISSAO_INCONSISTENCIA FROM QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 4"));
  ASSERT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->Fields(0).AsInteger(), 109);
  EXPECT_EQ(ds->Fields(1).AsString().trimmed(), CampoLinha(linhas[2], 33, 11));
  EXPECT_EQ(ds->Fields(2).AsString().toLongLong(), CampoLinha(linhas[2], 19, 14).toLongLong());
  EXPECT_EQ(ds->Fields(3).AsString().trimmed(), CampoLinha(linhas[2], 54, 40).trimmed());
  EXPECT_EQ(ds->Fields(4).AsString().trimmed(), QStringLiteral("1900-01-02"));
}

TEST_F(Chave, CancelInEachPassStoresNothing) {
  ASSERT_TRUE(Carregar(Gerar({}, nullptr, nullptr, QStringLiteral("valido.txt")))->Sucesso);
  const QString antes = Retrato();
  const QString arquivo = Gerar({QStringLiteral("--empresas"), QStringLiteral("3")});
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const int n = int(f.readAll().count('\n'));
  // Passes: index build, structure, content, database; each moves the gauge
  // once per line.
  for (int passo = 0; passo < 4; ++passo) {
    SCOPED_TRACE(passo);
    ProgressoCancelando progresso(passo * n + 2);
    auto e = Carregar(arquivo, &progresso);
    EXPECT_FALSE(e->Sucesso);
    EXPECT_EQ(Retrato(), antes);
  }
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(Chave, FortyCharacterCompanyNameIsStoredWhole) {
  const QString arquivo = Gerar({});
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QStringList linhas = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
  f.close();
  const QString nome = QStringLiteral("COMERCIAL DE ALIMENTOS E BEBIDAS DO NORTE");
  ASSERT_EQ(nome.size(), 41);
  linhas[1].replace(32, 40, nome.left(40));
  pasta->EscreverArquivo(QStringLiteral("nome.txt"),
                         linhas.join(QStringLiteral("\r\n")).toLatin1());
  ASSERT_TRUE(Carregar(pasta->Arquivo(QStringLiteral("nome.txt")))->Sucesso);
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_RAZAO_SOCIAL FROM QZLTBG20_EMPRESA_HMLGO WHERE "
                                 "NU_LINHA_ARQUIVO_EMPRESA = 2")),
            nome.left(40));
}

TEST_F(Chave, AnswersASentTerminationFile) {
  // A sent file of one company and one link, written through the sent
  // layout tables; the bank answers it and the load stores what it sent.
  using namespace LeiauteRescisorio;
  auto linha = [](const auto &tabela, std::initializer_list<std::pair<int, QString>> valores) {
    QStringList v(int(std::size(tabela)));
    for (const auto &[campo, valor] : valores)
      v[campo] = valor;
    return MontarLinha(tabela, v);
  };
  const QString guia = QStringLiteral("12345678901234567");
  const QStringList enviado{
      linha(CabecalhoEnviado,
            {{hdTipoRegistro, QStringLiteral("00")},
             {hdTipoInscricao, QStringLiteral("1")},
             {hdInscricao, QStringLiteral("11222333000181")},
             {hdNome, QStringLiteral("ESCRITORIO TESTE")},
             {hdIdentificador, QStringLiteral("202612101015300000000000012345")}}),
      linha(EmpresaEnviado, {{emTipoRegistro, QStringLiteral("10")},
                             {emTipoInscricao, QStringLiteral("1")},
                             {emInscricao, QStringLiteral("11222333000181")},
                             {emRazaoSocial, QStringLiteral("ALFA COMERCIO LTDA")},
                             {emCodigoBarras, QStringLiteral("858") + QString(24, u'0') + guia}}),
      linha(VinculoEnviado, {{vnTipoRegistro, QStringLiteral("40")},
                             {vnTipoInscricao, QStringLiteral("1")},
                             {vnInscricao, QStringLiteral("11222333000181")},
                             {vnPIS, QStringLiteral("12000000012")},
                             {vnDataAdmissao, QStringLiteral("05012010")},
                             {vnCategoria, QStringLiteral("01")},
                             {vnNome, QStringLiteral("JOSE DA SILVA")},
                             {vnDataMovimentacao, QStringLiteral("10112026")},
                             {vnCodigoMovimentacao, QStringLiteral("I1")},
                             {vnCodigoSaque, QStringLiteral("01")}})};
  pasta->EscreverArquivo(QStringLiteral("enviado.txt"),
                         enviado.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
  const QString saida = pasta->Arquivo(QStringLiteral("resposta.txt"));
  const QString json = pasta->Arquivo(QStringLiteral("resposta.json"));
  ASSERT_EQ(Banco({QStringLiteral("chave"), pasta->Arquivo(QStringLiteral("enviado.txt")), saida,
                   QStringLiteral("--esperado"), json},
                  pasta->Caminho()),
            0);
  auto e = Carregar(saida);
  ASSERT_TRUE(e->Sucesso) << e->CodigoErro.toStdString();
  EXPECT_EQ(Valor(QStringLiteral("SELECT NU_IDENTIFICADOR_GUIA FROM QZLTBG20_EMPRESA_HMLGO")),
            guia);
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_RAZAO_SOCIAL FROM QZLTBG20_EMPRESA_HMLGO")),
            QStringLiteral("ALFA COMERCIO LTDA"));
  EXPECT_EQ(Valor(QStringLiteral("SELECT NU_PIS FROM QZLTBG21_EMPREGADO_HMLGO")),
            QStringLiteral("12000000012"));
  EXPECT_EQ(Valor(QStringLiteral("SELECT NO_RAZAO_SOCIAL FROM QZLTBG19_RESPONSAVEL_HMLGO")),
            QStringLiteral("ESCRITORIO TESTE"));
  QFile f(json);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  Conferir(QJsonDocument::fromJson(f.readAll()).object(),
           dynamic_cast<TArqChaveIdentificacao *>(e->Objeto.get())->CargasGravadas);
}

TEST_F(Chave, MutantesDaOcorrenciaRecusadosSemDanos) {
  QFile f(Gerar({QStringLiteral("--empresas"), QStringLiteral("2")}));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  TLeitorMutavel l;
  l.Nome = QStringLiteral("ocorrência de chave de identificação");
  l.Valido = f.readAll();
  l.NumeroArquivo = 4;
  l.Tabelas = {QStringLiteral("QZLTBG19_RESPONSAVEL_HMLGO"),
               QStringLiteral("QZLTBG20_EMPRESA_HMLGO"),
               QStringLiteral("QZLTBG21_EMPREGADO_HMLGO")};
  l.Ler = [](const QString &caminho) {
    TExecucaoArquivo e;
    e.Operacao = opOcorrenciaChave;
    e.NomeArquivo = caminho;
    e.Executar();
    return e.Sucesso;
  };
  VerificarMutantes(l, pasta->Caminho(), 200);
}

} // namespace
