#include "envelope/uEnvelopadorLKW.h"

#include "core/unGlobal.h"
#include "core/unInstalacao.h"
#include "envelope/lkwselo/lkwselo.h"

#include <QDir>
#include <QLibrary>

namespace {
const LKWChar *U16(const QString &t) {
  return reinterpret_cast<const LKWChar *>(t.utf16());
}
QString Nativo(const QString &caminho) {
  return QDir::toNativeSeparators(caminho);
}
} // namespace

TEnvelopadorLKW::TEnvelopadorLKW() : biblioteca_(CaminhoBiblioteca()) {
  if (!biblioteca_.load())
    CodigoErro = QStringLiteral("1147");
}

TEnvelopadorLKW::~TEnvelopadorLKW() {
  arquivos_.reset();
  selo_.reset();
  if (biblioteca_.isLoaded())
    biblioteca_.unload();
}

QString TEnvelopadorLKW::CaminhoBiblioteca() {
  // A folder that carries the library itself (a portable copy, a test's
  // folder) uses it. An installed copy's program folder is the user's data
  // folder: its library stays beside the executable.
  for (const QString &pasta : {PastaPrograma(), PastaExecutavel()}) {
    const QDir dir(pasta);
    for (const QString &nome : dir.entryList({QStringLiteral("lkwselo.*")}, QDir::Files))
      if (QLibrary::isLibrary(nome))
        return Nativo(dir.filePath(QStringLiteral("lkwselo")));
  }
  return CaminhoPrograma(QStringLiteral("lkwselo"));
}

void *TEnvelopadorLKW::Funcao(const char *nome) {
  if (!biblioteca_.isLoaded())
    return nullptr;
  return reinterpret_cast<void *>(biblioteca_.resolve(nome));
}

TArquivosLKW *TEnvelopadorLKW::Arquivos() {
  if (!arquivos_)
    arquivos_ = std::make_unique<TArquivosLKW>(this);
  return arquivos_.get();
}

TSeloLKW *TEnvelopadorLKW::Selo() {
  if (!selo_)
    selo_ = std::make_unique<TSeloLKW>(this);
  return selo_.get();
}

bool TEnvelopadorLKW::Iniciar() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TIniciaEnvelopador>(Funcao("IniciaEnvelopador"));
  if (!f || f(ModoInicio, U16(Nativo(PastaTrabalho))) != 0)
    CodigoErro = QStringLiteral("1147");
  return CodigoErro.isEmpty();
}

bool TEnvelopadorLKW::CriarHandle() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TCriaEnvelopadorHandle>(Funcao("CriaEnvelopadorHandle"));
  Handle = f ? f() : 0;
  if (Handle == 0)
    CodigoErro = QStringLiteral("1147");
  return CodigoErro.isEmpty();
}

bool TEnvelopadorLKW::Validar() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TValidaEnvelope>(Funcao("ValidaEnvelope"));
  if (!f)
    CodigoErro = QStringLiteral("1146");
  else if (f(U16(Nativo(Pasta))) != 0)
    CodigoErro = QStringLiteral("1117");
  return CodigoErro.isEmpty();
}

bool TEnvelopadorLKW::GravarEnvelope() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TAtualizaMudancasEmEnvelope>(Funcao("AtualizaMudancasEmEnvelope"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Handle, U16(Nativo(Pasta + NomeEnvelope)), OpcaoAtualizacao1, OpcaoAtualizacao2,
             OpcaoAtualizacao3) != 0)
    CodigoErro = QStringLiteral("1108");
  return CodigoErro.isEmpty();
}

bool TSeloLKW::Carregar() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TCarregaDadosSelo>(Envelopador->Funcao("CarregaDadosSelo"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Envelopador->Handle, U16(Nativo(Envelope))) != 0)
    CodigoErro = QStringLiteral("1146");
  return CodigoErro.isEmpty();
}

QString TSeloLKW::Ler(const QString &Nome, int Indice) {
  CodigoErro.clear();
  auto f = reinterpret_cast<TLeSeloDeEnvio>(Envelopador->Funcao("LeSeloDeEnvio"));
  if (!f) {
    CodigoErro = QStringLiteral("1147");
    return QString();
  }
  const LKWChar *valor = nullptr;
  if (f(Envelopador->Handle, U16(Nome), Indice, &valor) != 0) {
    CodigoErro = QStringLiteral("1146");
    return QString();
  }
  return valor ? QString::fromUtf16(valor) : QString();
}

bool TSeloLKW::Escrever(const QString &Nome, int Indice, const QString &Valor) {
  CodigoErro.clear();
  auto f = reinterpret_cast<TEscreveSeloDeEnvio>(Envelopador->Funcao("EscreveSeloDeEnvio"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Envelopador->Handle, U16(Nome), Indice, U16(Valor)) != 0)
    CodigoErro = QStringLiteral("1146");
  return CodigoErro.isEmpty();
}

bool TArquivosLKW::Inserir(const QString &Caminho) {
  CodigoErro.clear();
  auto f = reinterpret_cast<TInsereArquivo>(Envelopador->Funcao("InsereArquivo"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Envelopador->Handle, U16(Nativo(Caminho)), 3, u" ") != 0)
    CodigoErro = QStringLiteral("1108");
  return CodigoErro.isEmpty();
}

bool TArquivosLKW::Extrair(const QString &Nome, const QString &PastaDestino) {
  CodigoErro.clear();
  auto f = reinterpret_cast<TInsereArquivo>(Envelopador->Funcao("InsereArquivo"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Envelopador->Handle, U16(Nome), 5, U16(Nativo(PastaDestino))) != 0)
    CodigoErro = QStringLiteral("1108");
  return CodigoErro.isEmpty();
}

bool TArquivosLKW::CarregarLista() {
  CodigoErro.clear();
  auto f = reinterpret_cast<TCarregaListaDeArquivos>(Envelopador->Funcao("CarregaListaDeArquivos"));
  if (!f)
    CodigoErro = QStringLiteral("1147");
  else if (f(Envelopador->Handle, U16(Nativo(Envelopador->Pasta))) != 0)
    CodigoErro = QStringLiteral("1146");
  return CodigoErro.isEmpty();
}
