#include "envelope/uFuncoesLKW.h"

#include "core/unUtilitarios.h"
#include "envelope/uEnvelopadorLKW.h"
#include "envelope/uTagsSelo.h"

#include <QFile>
#include <QFileInfo>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/objects.h>

namespace {
bool MesmoArquivo(const QString &a, const QString &b) {
  QFileInfo fa(a), fb(b);
  if (fa.exists() && fb.exists())
    return fa.canonicalFilePath() == fb.canonicalFilePath();
  return fa.absoluteFilePath() == fb.absoluteFilePath();
}
} // namespace

bool EnvelopeArquivos(const QString &Pasta, const QString &NomeEnvelope,
                      const QList<TBussinessInfo> &Informacoes, const QStringList &Arquivos) {
  UltimoErro.clear();
  // Sealing a file into itself would destroy it: refused before anything is
  // written or deleted.
  for (const QString &nome : Arquivos)
    if (MesmoArquivo(Pasta + nome, Pasta + NomeEnvelope)) {
      UltimoErro = QStringLiteral("0491");
      return false;
    }
  bool resultado = true;
  {
    TEnvelopadorLKW env;
    env.Pasta = Pasta;
    env.PastaTrabalho = Pasta;
    env.NomeEnvelope = NomeEnvelope;
    env.ModoInicio = 1;
    env.OpcaoAtualizacao1 = 0;
    env.OpcaoAtualizacao2 = 1;
    env.OpcaoAtualizacao3 = 1;
    env.Iniciar();
    env.CriarHandle();
    TArquivosLKW *arquivos = env.Arquivos();
    arquivos->Pasta = Pasta;
    // Any file left out would make an envelope that silently lacks it: the
    // first failure stops the whole operation.
    for (const QString &nome : Arquivos) {
      arquivos->NomeArquivo = nome;
      if (!arquivos->Inserir(Pasta + nome))
        break;
    }
    if (!arquivos->CodigoErro.isEmpty()) {
      UltimoErro = QStringLiteral("0489");
      resultado = false;
    } else {
      TSeloLKW *selo = env.Selo();
      selo->NivelExigido = QStringLiteral("2");
      bool escrito = selo->Escrever(TagNivelExigido, 0, selo->NivelExigido) &&
                     selo->Escrever(TagNomeArquivoConteudo, 0, arquivos->NomeArquivo);
      for (int i = 0; escrito && i < Informacoes.size(); ++i)
        escrito =
            selo->Escrever(TagPrefixoInformacao + Informacoes[i].Nome, i + 1, Informacoes[i].Valor);
      if (!escrito) {
        UltimoErro = QStringLiteral("0490");
        resultado = false;
      } else if (!env.GravarEnvelope()) {
        UltimoErro = QStringLiteral("0491");
        resultado = false;
      }
    }
  }
  for (const QString &nome : Arquivos)
    QFile::remove(Pasta + nome);
  return resultado;
}

bool AbrirEnvelope(const QString &Pasta, const QString &NomeEnvelope, const QString &Identificador,
                   const QString &NomeArquivo) {
  UltimoErro.clear();
  TEnvelopadorLKW env;
  env.Pasta = Pasta + NomeEnvelope;
  env.NomeEnvelope.clear();
  env.PastaTrabalho = Pasta;
  env.ModoInicio = 1;
  env.OpcaoAtualizacao1 = env.OpcaoAtualizacao2 = env.OpcaoAtualizacao3 = 0;
  if (!env.Iniciar() || !env.CriarHandle() || !env.Validar()) {
    UltimoErro = QStringLiteral("0488");
    return false;
  }
  TArquivosLKW *arquivos = env.Arquivos();
  arquivos->Pasta = Pasta;
  if (!arquivos->CarregarLista()) {
    UltimoErro = QStringLiteral("0488");
    return false;
  }
  TSeloLKW *selo = env.Selo();
  selo->Envelope = env.Pasta;
  if (!selo->Carregar()) {
    UltimoErro = QStringLiteral("0488");
    return false;
  }
  if (!Identificador.isEmpty()) {
    QString nra = selo->Ler(TagNra, 0);
    if (nra.isEmpty() || nra != Identificador) {
      UltimoErro = QStringLiteral("0488");
      return false;
    }
  }
  if (!arquivos->Extrair(NomeArquivo, Pasta)) {
    UltimoErro = QStringLiteral("0489");
    return false;
  }
  if (!env.GravarEnvelope()) {
    UltimoErro = QStringLiteral("0490");
    return false;
  }
  return true;
}

namespace {
// The CMS structure of a signed message, or null when it is not base64 of a
// DER SignedData.
CMS_ContentInfo *LerCMS(const QString &Mensagem) {
  QByteArray b64 = Mensagem.toLatin1();
  // Line breaks and blanks are allowed between base64 groups; anything else
  // that is not base64 makes the message invalid.
  QByteArray limpo;
  for (char c : b64) {
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t')
      continue;
    limpo += c;
  }
  const auto decodificado =
      QByteArray::fromBase64Encoding(limpo, QByteArray::AbortOnBase64DecodingErrors);
  if (!decodificado || decodificado.decoded.isEmpty())
    return nullptr;
  const QByteArray &der = decodificado.decoded;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(der.constData());
  CMS_ContentInfo *cms = d2i_CMS_ContentInfo(nullptr, &p, long(der.size()));
  if (!cms)
    return nullptr;
  if (OBJ_obj2nid(CMS_get0_type(cms)) != NID_pkcs7_signed) {
    CMS_ContentInfo_free(cms);
    return nullptr;
  }
  return cms;
}

bool Verificar(const QString &Mensagem, QByteArray *conteudo) {
  CMS_ContentInfo *cms = LerCMS(Mensagem);
  if (!cms) {
    ERR_clear_error();
    return false;
  }
  BIO *saida = BIO_new(BIO_s_mem());
  // Signature only: the signer's certificate is taken from the message and
  // neither its chain nor its validity dates are checked. The content must
  // be attached (no detached content is passed), so a detached signature fails.
  int ok =
      CMS_verify(cms, nullptr, nullptr, nullptr, saida, CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY);
  if (ok == 1 && conteudo) {
    char *dados = nullptr;
    long n = BIO_get_mem_data(saida, &dados);
    *conteudo = QByteArray(dados, int(n));
  }
  BIO_free(saida);
  CMS_ContentInfo_free(cms);
  ERR_clear_error();
  return ok == 1;
}
} // namespace

bool VerificarAssinatura(const QString &Mensagem) {
  UltimoErro.clear();
  if (!Verificar(Mensagem, nullptr)) {
    UltimoErro = QStringLiteral("0491");
    return false;
  }
  return true;
}

QByteArray ConteudoAssinado(const QString &Mensagem) {
  QByteArray c;
  return Verificar(Mensagem, &c) ? c : QByteArray();
}
