// Sealing and opening envelopes through the real sealing library, and the
// signature check of the bank's signed messages.
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "envelope/uEnvelopadorLKW.h"
#include "envelope/uFuncoesLKW.h"
#include "envelope/uTagsSelo.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

const QString Nra = QStringLiteral("202612101345000001230000004521");

class EnvelopeTeste : public ::testing::Test {
protected:
  void SetUp() override {
    pasta = std::make_unique<PastaTeste>(false, false);
    DefinirPastaPrograma(pasta->Caminho());
    InstalarSelador(pasta->Caminho());
    QDir().mkpath(Pasta());
  }
  // The working folder, with a separator at the end as the callers give it.
  QString Pasta() const { return pasta->Arquivo(QStringLiteral("Arquivos/")); }
  QString Caminho(const QString &nome) const { return Pasta() + nome; }
  void Escrever(const QString &nome, const QByteArray &dados) {
    pasta->EscreverArquivo(QStringLiteral("Arquivos/") + nome, dados);
  }
  QByteArray Ler(const QString &nome) const {
    return pasta->LerArquivo(QStringLiteral("Arquivos/") + nome);
  }
  // Seals a small table dump and a request file under Nra.
  bool Selar(const QString &envelope = QStringLiteral("GuiaVESK.HXF")) {
    Escrever(QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA.txt"), "INSERT INTO X VALUES (1);\r\n");
    Escrever(QStringLiteral("GuiaVESK.HX"), QByteArray(533, '0') + "\r\n");
    return EnvelopeArquivos(
        Pasta(), envelope,
        {{QStringLiteral("tparquivo"), QStringLiteral("3")}, {QStringLiteral("nra"), Nra}},
        {QStringLiteral("QZLTBG08_GUIA_TOTALIZADORA.txt"), QStringLiteral("GuiaVESK.HX")});
  }
  std::unique_ptr<PastaTeste> pasta;
};

TEST_F(EnvelopeTeste, IdaEVoltaDeDoisArquivosUmGrande) {
  QByteArray grande(5 * 1024 * 1024 + 17, '\0');
  QRandomGenerator gerador(42);
  for (auto &c : grande)
    c = char(gerador.bounded(256));
  const QByteArray pequeno = "linha 1\r\nlinha 2 com acentuação em 1252: \xe7\xe3o\r\n";
  Escrever(QStringLiteral("grande.bin"), grande);
  Escrever(QStringLiteral("SolicitacaoIS.HX"), pequeno);

  ASSERT_TRUE(EnvelopeArquivos(
      Pasta(), QStringLiteral("ENV.HXF"),
      {{QStringLiteral("tparquivo"), QStringLiteral("7")},
       {QStringLiteral("nomeresponsavel"), QStringLiteral("José D'Ávila & Cia = 100%")},
       {QStringLiteral("nra"), Nra}},
      {QStringLiteral("grande.bin"), QStringLiteral("SolicitacaoIS.HX")}))
      << UltimoErro.toStdString();
  EXPECT_TRUE(UltimoErro.isEmpty());
  // The plain inputs are working copies: gone once sealed.
  EXPECT_FALSE(QFile::exists(Caminho(QStringLiteral("grande.bin"))));
  EXPECT_FALSE(QFile::exists(Caminho(QStringLiteral("SolicitacaoIS.HX"))));
  ASSERT_TRUE(QFile::exists(Caminho(QStringLiteral("ENV.HXF"))));
  // No temporary name left behind.
  EXPECT_EQ(QDir(Pasta()).entryList(QDir::Files), QStringList{QStringLiteral("ENV.HXF")});
  EXPECT_EQ(Shell(QStringLiteral("unzip -tq ENV.HXF"), Pasta()), 0);

  // The seal holds what was written, and index 0 finds a name written at any index.
  {
    TEnvelopadorLKW env;
    env.Pasta = Caminho(QStringLiteral("ENV.HXF"));
    env.PastaTrabalho = Pasta();
    env.ModoInicio = 1;
    ASSERT_TRUE(env.Iniciar() && env.CriarHandle() && env.Validar());
    TSeloLKW *selo = env.Selo();
    selo->Envelope = env.Pasta;
    ASSERT_TRUE(selo->Carregar());
    EXPECT_EQ(selo->Ler(TagNivelExigido, 0), QStringLiteral("2"));
    EXPECT_EQ(selo->Ler(TagNomeArquivoConteudo, 0), QStringLiteral("SolicitacaoIS.HX"));
    EXPECT_EQ(selo->Ler(TagPrefixoInformacao + QStringLiteral("tparquivo"), 1),
              QStringLiteral("7"));
    EXPECT_EQ(selo->Ler(TagPrefixoInformacao + QStringLiteral("nomeresponsavel"), 2),
              QStringLiteral("José D'Ávila & Cia = 100%"));
    EXPECT_EQ(selo->Ler(TagNra, 3), Nra);
    EXPECT_EQ(selo->Ler(TagNra, 0), Nra);
    EXPECT_EQ(selo->Ler(TagNra, 1), QString());
    EXPECT_EQ(selo->CodigoErro, QStringLiteral("1146"));
  }

  const QByteArray antes = Ler(QStringLiteral("ENV.HXF"));
  const QDateTime modificado = QFileInfo(Caminho(QStringLiteral("ENV.HXF"))).lastModified();
  ASSERT_TRUE(AbrirEnvelope(Pasta(), QStringLiteral("ENV.HXF"), Nra, QStringLiteral("grande.bin")))
      << UltimoErro.toStdString();
  ASSERT_TRUE(AbrirEnvelope(Pasta(), QStringLiteral("ENV.HXF"), QString(),
                            QStringLiteral("SolicitacaoIS.HX")));
  EXPECT_EQ(Ler(QStringLiteral("grande.bin")), grande);
  EXPECT_EQ(Ler(QStringLiteral("SolicitacaoIS.HX")), pequeno);
  EXPECT_EQ(Ler(QStringLiteral("ENV.HXF")), antes);
  EXPECT_EQ(QFileInfo(Caminho(QStringLiteral("ENV.HXF"))).lastModified(), modificado);
}

TEST_F(EnvelopeTeste, SemBibliotecaFalhaComOsArquivosApagados) {
  QDir(pasta->Caminho()).removeRecursively();
  QDir().mkpath(Pasta());
  EXPECT_FALSE(Selar());
  EXPECT_EQ(UltimoErro, QStringLiteral("0489"));
  EXPECT_TRUE(QDir(Pasta()).entryList(QDir::Files).isEmpty());

  TEnvelopadorLKW env;
  EXPECT_EQ(env.CodigoErro, QStringLiteral("1147"));
  EXPECT_FALSE(env.Validar());
  EXPECT_EQ(env.CodigoErro, QStringLiteral("1146"));
  EXPECT_FALSE(env.CriarHandle());
  EXPECT_EQ(env.CodigoErro, QStringLiteral("1147"));
}

TEST_F(EnvelopeTeste, PrimeiroArquivoAusenteNaoGeraEnvelope) {
  Escrever(QStringLiteral("GuiaVESK.HX"), "conteudo\r\n");
  EXPECT_FALSE(EnvelopeArquivos(Pasta(), QStringLiteral("ENV.HXF"), {{QStringLiteral("nra"), Nra}},
                                {QStringLiteral("naoexiste.txt"), QStringLiteral("GuiaVESK.HX")}));
  EXPECT_EQ(UltimoErro, QStringLiteral("0489"));
  EXPECT_TRUE(QDir(Pasta()).entryList(QDir::Files).isEmpty());
}

TEST_F(EnvelopeTeste, EnvelopeSobreUmArquivoDeEntradaEhRecusadoSemApagarNada) {
  Escrever(QStringLiteral("GuiaVESK.HX"), "conteudo\r\n");
  EXPECT_FALSE(EnvelopeArquivos(Pasta(), QStringLiteral("GuiaVESK.HX"), {},
                                {QStringLiteral("GuiaVESK.HX")}));
  EXPECT_EQ(UltimoErro, QStringLiteral("0491"));
  EXPECT_EQ(Ler(QStringLiteral("GuiaVESK.HX")), QByteArray("conteudo\r\n"));
}

TEST_F(EnvelopeTeste, EnvelopeAlteradoEhRecusado) {
  struct Caso {
    const char *nome;
    const char *comando; // run in the folder of GuiaVESK.HXF
  };
  const Caso casos[] = {
      {"byte de um arquivo",
       "mkdir x && cd x && unzip -q ../GuiaVESK.HXF && printf 1 | dd of=GuiaVESK.HX bs=1 seek=10 "
       "conv=notrunc 2>/dev/null && zip -q ../GuiaVESK.HXF GuiaVESK.HX"},
      {"valor do selo", "mkdir x && cd x && unzip -q ../GuiaVESK.HXF && sed -i 's/^E 1 \\(.*\\) "
                        "3$/E 1 \\1 7/' LKWSELO/selo.txt && grep -q '^E 1 .* 7$' LKWSELO/selo.txt "
                        "&& zip -q ../GuiaVESK.HXF LKWSELO/selo.txt"},
      {"selo com o resumo refeito mas arquivo trocado",
       "mkdir x && cd x && unzip -q ../GuiaVESK.HXF && echo outro > GuiaVESK.HX && zip -q "
       "../GuiaVESK.HXF GuiaVESK.HX"},
      {"arquivo a mais", "echo extra > extra.txt && zip -q GuiaVESK.HXF extra.txt && rm extra.txt"},
      {"arquivo a menos", "zip -q -d GuiaVESK.HXF GuiaVESK.HX"},
      {"selo ausente", "zip -q -d GuiaVESK.HXF LKWSELO/selo.txt"},
      {"truncado",
       "head -c $(( $(stat -c %s GuiaVESK.HXF) / 2 )) GuiaVESK.HXF > t && mv t GuiaVESK.HXF"},
      {"fim cortado",
       "head -c $(( $(stat -c %s GuiaVESK.HXF) - 5 )) GuiaVESK.HXF > t && mv t GuiaVESK.HXF"},
      {"nao eh zip", "echo 'apenas texto' > GuiaVESK.HXF"},
      {"vazio", ": > GuiaVESK.HXF"},
  };
  for (const Caso &c : casos) {
    SCOPED_TRACE(c.nome);
    QDir(Pasta()).removeRecursively();
    QDir().mkpath(Pasta());
    ASSERT_TRUE(Selar()) << UltimoErro.toStdString();
    ASSERT_EQ(Shell(QString::fromUtf8(c.comando), Pasta()), 0);
    QDir(Pasta() + QStringLiteral("x")).removeRecursively();
    EXPECT_FALSE(
        AbrirEnvelope(Pasta(), QStringLiteral("GuiaVESK.HXF"), Nra, QStringLiteral("GuiaVESK.HX")));
    EXPECT_EQ(UltimoErro, QStringLiteral("0488"));
    EXPECT_FALSE(QFile::exists(Caminho(QStringLiteral("GuiaVESK.HX"))));
  }
}

TEST_F(EnvelopeTeste, IdentificadorEArquivoPedido) {
  ASSERT_TRUE(Selar());
  // Another file's identifier: refused before anything is taken out.
  EXPECT_FALSE(AbrirEnvelope(Pasta(), QStringLiteral("GuiaVESK.HXF"), QStringLiteral("999"),
                             QStringLiteral("GuiaVESK.HX")));
  EXPECT_EQ(UltimoErro, QStringLiteral("0488"));
  EXPECT_EQ(QDir(Pasta()).entryList(QDir::Files), QStringList{QStringLiteral("GuiaVESK.HXF")});
  // A name that is not in the envelope, or that carries a folder.
  for (const QString &nome : {QStringLiteral("outro.txt"), QStringLiteral("../GuiaVESK.HX"),
                              QStringLiteral("sub/GuiaVESK.HX")}) {
    EXPECT_FALSE(AbrirEnvelope(Pasta(), QStringLiteral("GuiaVESK.HXF"), Nra, nome))
        << nome.toStdString();
    EXPECT_EQ(UltimoErro, QStringLiteral("0489"));
  }
  EXPECT_EQ(QDir(Pasta()).entryList(QDir::Files), QStringList{QStringLiteral("GuiaVESK.HXF")});
  EXPECT_FALSE(QFile::exists(pasta->Arquivo(QStringLiteral("GuiaVESK.HX"))));
  // No envelope at all.
  EXPECT_FALSE(AbrirEnvelope(Pasta(), QStringLiteral("NAOHA.HXF"), QString(),
                             QStringLiteral("GuiaVESK.HX")));
  EXPECT_EQ(UltimoErro, QStringLiteral("0488"));
}

// The bank's tools read the program's envelopes with their own reader, and
// the program opens envelopes that reader's writer makes.
TEST_F(EnvelopeTeste, LeitorIndependenteLeOEnvelopeDoPrograma) {
  ASSERT_TRUE(Selar());
  QByteArray saida;
  ASSERT_EQ(
      Shell(QStringLiteral("python3 '" VESK_SOURCE_DIR "/tools/banco/envelope.py' GuiaVESK.HXF"),
            Pasta(), &saida),
      0);
  const QString texto = QString::fromUtf8(saida);
  EXPECT_TRUE(texto.contains(QStringLiteral("arquivo\tQZLTBG08_GUIA_TOTALIZADORA.txt\t27\t")));
  EXPECT_TRUE(texto.contains(QStringLiteral("arquivo\tGuiaVESK.HX\t535\t")));
  EXPECT_TRUE(texto.contains(QStringLiteral("selo\t0\tLKWStamp.content.file.name\tGuiaVESK.HX\n")));
  EXPECT_TRUE(texto.contains(QStringLiteral("selo\t2\tLKWStamp.bussinessinfo.field.nra\t") + Nra));

  const char *script =
      "import sys; sys.path.insert(0, '" VESK_SOURCE_DIR "/tools/banco'); import envelope; "
      "envelope.selar('DO_BANCO.HXF', [('RETORNO.txt', b'linha \\xe7\\r\\n')], "
      "[('nra', '123'), ('nome', 'A B%C')])";
  ASSERT_EQ(Shell(QStringLiteral("python3 -c \"%1\"").arg(QString::fromUtf8(script)), Pasta()), 0);
  ASSERT_TRUE(AbrirEnvelope(Pasta(), QStringLiteral("DO_BANCO.HXF"), QStringLiteral("123"),
                            QStringLiteral("RETORNO.txt")))
      << UltimoErro.toStdString();
  EXPECT_EQ(Ler(QStringLiteral("RETORNO.txt")), QByteArray("linha \xe7\r\n"));
}

// ------------------------------------------------------------- signatures
class AssinaturaTeste : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir = new QTemporaryDir();
    // A throwaway self-signed certificate and one whose validity ended in 2020.
    const char *script = R"(set -e
openssl req -x509 -newkey rsa:2048 -nodes -keyout chave.pem -out cert.pem -days 2 -subj /CN=teste 2>/dev/null
mkdir ca && cd ca && touch index.txt && echo 01 > serial
printf '[ca]\ndefault_ca=c\n[c]\ndatabase=index.txt\nnew_certs_dir=.\nserial=serial\ndefault_md=sha256\npolicy=p\n[p]\ncommonName=supplied\n' > ca.cnf
openssl req -new -key ../chave.pem -subj /CN=vencido -out r.csr 2>/dev/null
openssl ca -batch -notext -config ca.cnf -selfsign -keyfile ../chave.pem -in r.csr -startdate 20200101000000Z -enddate 20200201000000Z -out ../vencido.pem 2>/dev/null
cd .. && printf 'conteudo assinado do recibo' > conteudo.txt
openssl cms -sign -nodetach -binary -in conteudo.txt -signer cert.pem -inkey chave.pem -outform DER -out valido.der
openssl cms -sign -nodetach -binary -in conteudo.txt -signer vencido.pem -inkey chave.pem -outform DER -out vencido.der
openssl cms -sign -binary -in conteudo.txt -signer cert.pem -inkey chave.pem -outform DER -out destacado.der
)";
    ASSERT_EQ(Shell(QString::fromUtf8(script), dir->path()), 0);
  }
  static void TearDownTestSuite() {
    delete dir;
    dir = nullptr;
  }
  static QByteArray Der(const QString &nome) {
    QFile f(QDir(dir->path()).filePath(nome));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // base64 broken into 64-character lines, as a signed message is usually written.
  static QString Base64(const QByteArray &der) {
    QByteArray b = der.toBase64(), r;
    for (int i = 0; i < b.size(); i += 64)
      r += b.mid(i, 64) + "\r\n";
    return QString::fromLatin1(r);
  }
  static QTemporaryDir *dir;
};
QTemporaryDir *AssinaturaTeste::dir = nullptr;

TEST_F(AssinaturaTeste, AssinaturaSoDaMensagem) {
  EXPECT_TRUE(VerificarAssinatura(Base64(Der(QStringLiteral("valido.der")))));
  EXPECT_TRUE(UltimoErro.isEmpty());
  EXPECT_EQ(ConteudoAssinado(Base64(Der(QStringLiteral("valido.der")))),
            QByteArray("conteudo assinado do recibo"));
  // Validity dates are not checked: only the signature.
  EXPECT_TRUE(VerificarAssinatura(Base64(Der(QStringLiteral("vencido.der")))));
  EXPECT_TRUE(
      VerificarAssinatura(QString::fromLatin1(Der(QStringLiteral("valido.der")).toBase64())));

  QByteArray alterado = Der(QStringLiteral("valido.der"));
  const int pos = alterado.indexOf("conteudo assinado");
  ASSERT_GT(pos, 0);
  alterado[pos] = 'C';
  const struct {
    const char *nome;
    QString mensagem;
  } invalidos[] = {
      {"conteudo alterado", Base64(alterado)},
      {"destacada", Base64(Der(QStringLiteral("destacado.der")))},
      {"lixo", QStringLiteral("isto nao eh uma assinatura")},
      {"base64 de lixo", QString::fromLatin1(QByteArray("0123456789abcdef").toBase64())},
      {"vazia", QString()},
      {"cortada", Base64(Der(QStringLiteral("valido.der")).left(300))},
  };
  for (const auto &c : invalidos) {
    UltimoErro.clear();
    EXPECT_FALSE(VerificarAssinatura(c.mensagem)) << c.nome;
    EXPECT_EQ(UltimoErro, QStringLiteral("0491")) << c.nome;
  }
}

} // namespace
