// The sealing library: builds, checks and reads sealed envelopes (zip archives
// holding plain files and a digest-covered seal). The format is described in
// FORMATO.md beside this file. Contexts live in the library, keyed by the
// handle the program gets from CriaEnvelopadorHandle; they are freed with the
// library when the program unloads it.
#include "lkwselo.h"

#include <openssl/evp.h>
#include <zip.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char *const NomeSelo = "LKWSELO/selo.txt";
const char *const CabecalhoSelo = "LKWSELO 1";
// No file the program seals comes near this; a larger entry is refused
// rather than allocated.
const std::uint64_t TamanhoMaximo = 1ull << 30;

struct Arquivo {
  std::string nome;   // bare name inside the envelope
  std::string origem; // path it was read from (pending files only)
  std::string conteudo;
};

struct ArquivoListado {
  std::string nome;
  std::uint64_t tamanho = 0;
  std::string digest; // SHA-256, lower-case hex
};

struct Entrada {
  int indice = 0;
  std::string nome;
  std::string valor;
};

struct Selo {
  std::vector<ArquivoListado> arquivos;
  std::vector<Entrada> entradas;
};

struct Contexto {
  std::vector<Arquivo> pendentes; // files inserted for the next write
  std::vector<Entrada> entradas;  // seal entries: loaded and/or written
  std::string envelope;           // the envelope listed or loaded, for extraction
  std::vector<ArquivoListado> lista;
  std::u16string retorno; // storage of the last value read
};

std::mutex Trava;
std::map<std::intptr_t, Contexto> Contextos;
std::intptr_t ProximoHandle = 1;
bool Iniciado = false;
std::atomic<unsigned> ContadorTemporario{0};

// ---------------------------------------------------------------- text
std::string ParaUtf8(const LKWChar *t) {
  std::string r;
  if (!t)
    return r;
  for (std::size_t i = 0; t[i]; ++i) {
    char32_t c = t[i];
    if (c >= 0xD800 && c <= 0xDBFF && t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD; // a lone surrogate
    }
    if (c < 0x80) {
      r += char(c);
    } else if (c < 0x800) {
      r += char(0xC0 | (c >> 6));
      r += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      r += char(0xE0 | (c >> 12));
      r += char(0x80 | ((c >> 6) & 0x3F));
      r += char(0x80 | (c & 0x3F));
    } else {
      r += char(0xF0 | (c >> 18));
      r += char(0x80 | ((c >> 12) & 0x3F));
      r += char(0x80 | ((c >> 6) & 0x3F));
      r += char(0x80 | (c & 0x3F));
    }
  }
  return r;
}

std::u16string ParaUtf16(const std::string &s) {
  std::u16string r;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char b = s[i];
    char32_t c;
    int n;
    if (b < 0x80) {
      c = b;
      n = 1;
    } else if ((b >> 5) == 6) {
      c = b & 0x1F;
      n = 2;
    } else if ((b >> 4) == 14) {
      c = b & 0x0F;
      n = 3;
    } else if ((b >> 3) == 30) {
      c = b & 0x07;
      n = 4;
    } else {
      r += u'\uFFFD';
      ++i;
      continue;
    }
    if (i + n > s.size()) {
      r += u'\uFFFD';
      break;
    }
    for (int k = 1; k < n; ++k)
      c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += n;
    if (c >= 0x10000) {
      c -= 0x10000;
      r += char16_t(0xD800 + (c >> 10));
      r += char16_t(0xDC00 + (c & 0x3FF));
    } else {
      r += char16_t(c);
    }
  }
  return r;
}

// Seal fields are single words: every byte outside the printable ASCII range,
// the space and '%' are written as %XX, so names and values of any content
// survive one line per entry.
std::string Codificar(const std::string &s) {
  static const char *hex = "0123456789ABCDEF";
  std::string r;
  for (unsigned char c : s) {
    if (c <= 0x20 || c >= 0x7F || c == '%') {
      r += '%';
      r += hex[c >> 4];
      r += hex[c & 15];
    } else {
      r += char(c);
    }
  }
  return r;
}

bool Decodificar(const std::string &s, std::string &r) {
  r.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      r += s[i];
      continue;
    }
    if (i + 2 >= s.size())
      return false;
    auto valor = [](char c) {
      if (c >= '0' && c <= '9')
        return c - '0';
      if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
      if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
      return -1;
    };
    int a = valor(s[i + 1]), b = valor(s[i + 2]);
    if (a < 0 || b < 0)
      return false;
    r += char(a * 16 + b);
    i += 2;
  }
  return true;
}

std::string Sha256(const std::string &dados) {
  unsigned char md[EVP_MAX_MD_SIZE];
  unsigned int n = 0;
  EVP_Digest(dados.data(), dados.size(), md, &n, EVP_sha256(), nullptr);
  static const char *hex = "0123456789abcdef";
  std::string r;
  for (unsigned i = 0; i < n; ++i) {
    r += hex[md[i] >> 4];
    r += hex[md[i] & 15];
  }
  return r;
}

// A bare file name: no folder part, not "." or "..", no control character.
bool NomeSimples(const std::string &n) {
  if (n.empty() || n == "." || n == "..")
    return false;
  for (unsigned char c : n)
    if (c == '/' || c == '\\' || c < 0x20 || c == ':')
      return false;
  return true;
}

std::string NomeBase(const std::string &caminho) {
  auto p = caminho.find_last_of("/\\");
  return p == std::string::npos ? caminho : caminho.substr(p + 1);
}

bool LerArquivo(const std::string &caminho, std::string &conteudo) {
  std::error_code ec;
  if (!fs::is_regular_file(caminho, ec))
    return false;
  std::ifstream f(caminho, std::ios::binary);
  if (!f)
    return false;
  std::ostringstream o;
  o << f.rdbuf();
  if (f.bad())
    return false;
  conteudo = o.str();
  return true;
}

// Writes beside the destination under a temporary name and renames it over
// the destination, so a reader never sees half a file.
std::string NomeTemporario(const std::string &destino) {
  return destino + ".lkwtmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(ContadorTemporario++);
}

bool GravarArquivo(const std::string &destino, const std::string &conteudo) {
  std::string tmp = NomeTemporario(destino);
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f)
      return false;
    f.write(conteudo.data(), std::streamsize(conteudo.size()));
    f.close();
    if (!f) {
      std::remove(tmp.c_str());
      return false;
    }
  }
  std::error_code ec;
  fs::rename(tmp, destino, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- seal text
std::string TextoSelo(const std::vector<Arquivo> &arquivos, const std::vector<Entrada> &entradas) {
  std::string t = std::string(CabecalhoSelo) + "\n";
  for (const auto &a : arquivos)
    t += "A " + std::to_string(a.conteudo.size()) + " " + Sha256(a.conteudo) + " " +
         Codificar(a.nome) + "\n";
  for (const auto &e : entradas)
    t +=
        "E " + std::to_string(e.indice) + " " + Codificar(e.nome) + " " + Codificar(e.valor) + "\n";
  t += "D " + Sha256(t) + "\n";
  return t;
}

std::vector<std::string> Separar(const std::string &linha, std::size_t partes) {
  std::vector<std::string> r;
  std::size_t ini = 0;
  while (r.size() + 1 < partes) {
    auto p = linha.find(' ', ini);
    if (p == std::string::npos)
      break;
    r.push_back(linha.substr(ini, p - ini));
    ini = p + 1;
  }
  r.push_back(linha.substr(ini));
  return r;
}

bool SoDigitos(const std::string &s) {
  if (s.empty() || s.size() > 18)
    return false;
  for (char c : s)
    if (c < '0' || c > '9')
      return false;
  return true;
}

bool LerSelo(const std::string &texto, Selo &selo) {
  // The digest line closes the seal and covers every byte before it.
  const std::string marca = "\nD ";
  auto p = texto.rfind(marca);
  if (p == std::string::npos)
    return false;
  std::string corpo = texto.substr(0, p + 1);
  if (texto.substr(p + 1) != "D " + Sha256(corpo) + "\n")
    return false;
  std::istringstream in(corpo);
  std::string linha;
  if (!std::getline(in, linha) || linha != CabecalhoSelo)
    return false;
  while (std::getline(in, linha)) {
    if (linha.rfind("A ", 0) == 0) {
      auto c = Separar(linha, 4);
      ArquivoListado a;
      if (c.size() != 4 || !SoDigitos(c[1]) || c[2].size() != 64 || !Decodificar(c[3], a.nome) ||
          !NomeSimples(a.nome))
        return false;
      a.tamanho = std::stoull(c[1]);
      a.digest = c[2];
      for (const auto &b : selo.arquivos)
        if (b.nome == a.nome)
          return false;
      selo.arquivos.push_back(a);
    } else if (linha.rfind("E ", 0) == 0) {
      auto c = Separar(linha, 4);
      Entrada e;
      if (c.size() != 4 || !SoDigitos(c[1]) || c[1].size() > 9 || !Decodificar(c[2], e.nome) ||
          !Decodificar(c[3], e.valor) || e.nome.empty())
        return false;
      e.indice = std::stoi(c[1]);
      selo.entradas.push_back(e);
    } else {
      return false;
    }
  }
  return !selo.arquivos.empty();
}

bool LerEntradaZip(zip_t *z, zip_int64_t i, std::string &conteudo) {
  zip_stat_t st;
  if (zip_stat_index(z, i, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > TamanhoMaximo)
    return false;
  zip_file_t *f = zip_fopen_index(z, i, 0);
  if (!f)
    return false;
  conteudo.assign(st.size, '\0');
  zip_int64_t lidos = st.size ? zip_fread(f, conteudo.data(), st.size) : 0;
  // One more read reaches the end, where the archive's CRC is checked.
  char extra;
  zip_int64_t fim = zip_fread(f, &extra, 1);
  zip_fclose(f);
  return lidos == zip_int64_t(st.size) && fim == 0;
}

// Opens and checks the whole envelope: the archive, the seal and its digest,
// and every file against the seal (nothing missing, nothing added, the size
// and digest of each). Fills the seal and, when asked, one file's content.
int AbrirValidadoSemExcecao(const std::string &caminho, Selo &selo, const std::string *procurado,
                            std::string *conteudo) {
  int erro = 0;
  zip_t *z = zip_open(caminho.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
  if (!z)
    return LKW_ERRO_ENVELOPE;
  struct Fechar {
    zip_t *z;
    ~Fechar() { zip_discard(z); }
  } fechar{z};
  zip_int64_t n = zip_get_num_entries(z, 0);
  zip_int64_t iSelo = zip_name_locate(z, NomeSelo, ZIP_FL_ENC_RAW);
  if (n < 2 || iSelo < 0)
    return LKW_ERRO_ENVELOPE;
  std::string textoSelo;
  if (!LerEntradaZip(z, iSelo, textoSelo) || !LerSelo(textoSelo, selo))
    return LKW_ERRO_ENVELOPE;
  if (zip_int64_t(selo.arquivos.size()) != n - 1)
    return LKW_ERRO_ENVELOPE;
  bool achou = false;
  for (zip_int64_t i = 0; i < n; ++i) {
    if (i == iSelo)
      continue;
    const char *nome = zip_get_name(z, i, ZIP_FL_ENC_RAW);
    if (!nome)
      return LKW_ERRO_ENVELOPE;
    const ArquivoListado *listado = nullptr;
    for (const auto &a : selo.arquivos)
      if (a.nome == nome)
        listado = &a;
    if (!listado)
      return LKW_ERRO_ENVELOPE;
    std::string dados;
    if (!LerEntradaZip(z, i, dados) || dados.size() != listado->tamanho ||
        Sha256(dados) != listado->digest)
      return LKW_ERRO_ENVELOPE;
    if (procurado && *procurado == nome) {
      achou = true;
      if (conteudo)
        *conteudo = std::move(dados);
    }
  }
  if (procurado && !achou)
    return LKW_ERRO_NOME;
  return LKW_OK;
}

int AbrirValidado(const std::string &caminho, Selo &selo, const std::string *procurado = nullptr,
                  std::string *conteudo = nullptr) {
  try {
    return AbrirValidadoSemExcecao(caminho, selo, procurado, conteudo);
  } catch (...) {
    return LKW_ERRO_ENVELOPE; // nothing may cross the C boundary
  }
}

int EscreverEnvelope(const Contexto &c, const std::string &destino, bool comprimir) {
  if (c.pendentes.empty())
    return LKW_ERRO_VAZIO;
  std::error_code ec;
  for (const auto &a : c.pendentes)
    if (fs::equivalent(a.origem, destino, ec))
      return LKW_ERRO_NOME; // would destroy its own input
  std::string selo = TextoSelo(c.pendentes, c.entradas);
  std::string tmp = NomeTemporario(destino);
  int erro = 0;
  zip_t *z = zip_open(tmp.c_str(), ZIP_CREATE | ZIP_EXCL, &erro);
  if (!z)
    return LKW_ERRO_ARQUIVO;
  auto adicionar = [&](const std::string &nome, const std::string &dados) {
    zip_source_t *s = zip_source_buffer(z, dados.data(), dados.size(), 0);
    if (!s)
      return false;
    zip_int64_t i = zip_file_add(z, nome.c_str(), s, ZIP_FL_ENC_UTF_8);
    if (i < 0) {
      zip_source_free(s);
      return false;
    }
    zip_set_file_compression(z, i, comprimir ? ZIP_CM_DEFLATE : ZIP_CM_STORE, comprimir ? 9 : 0);
    return true;
  };
  bool ok = true;
  for (const auto &a : c.pendentes)
    ok = ok && adicionar(a.nome, a.conteudo);
  ok = ok && adicionar(NomeSelo, selo);
  if (!ok || zip_close(z) != 0) {
    zip_discard(z);
    std::remove(tmp.c_str());
    return LKW_ERRO_ARQUIVO;
  }
  fs::rename(tmp, destino, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return LKW_ERRO_ARQUIVO;
  }
  return LKW_OK;
}

Contexto *Achar(std::intptr_t h) {
  auto it = Contextos.find(h);
  return it == Contextos.end() ? nullptr : &it->second;
}

} // namespace

// ------------------------------------------------------------------ exports
LKW_EXPORT std::intptr_t LKW_CHAMADA CriaEnvelopadorHandle() {
  std::lock_guard<std::mutex> t(Trava);
  std::intptr_t h = ProximoHandle++;
  Contextos[h] = Contexto{};
  return h;
}

LKW_EXPORT int LKW_CHAMADA IniciaEnvelopador(int modo, const LKWChar *pastaTrabalho) {
  if (modo != 1)
    return LKW_ERRO_ARGUMENTO;
  std::error_code ec;
  std::string pasta = ParaUtf8(pastaTrabalho);
  if (pasta.empty() || !fs::is_directory(pasta, ec))
    return LKW_ERRO_ARQUIVO;
  std::lock_guard<std::mutex> t(Trava);
  Iniciado = true;
  return LKW_OK;
}

LKW_EXPORT int LKW_CHAMADA ValidaEnvelope(const LKWChar *envelope) {
  Selo selo;
  return AbrirValidado(ParaUtf8(envelope), selo);
}

LKW_EXPORT int LKW_CHAMADA CarregaListaDeArquivos(std::intptr_t handle, const LKWChar *envelope) {
  std::string caminho = ParaUtf8(envelope);
  Selo selo;
  int r = AbrirValidado(caminho, selo);
  std::lock_guard<std::mutex> t(Trava);
  Contexto *c = Achar(handle);
  if (!c)
    return LKW_ERRO_HANDLE;
  if (r != LKW_OK)
    return r;
  c->envelope = caminho;
  c->lista = selo.arquivos;
  return LKW_OK;
}

LKW_EXPORT int LKW_CHAMADA CarregaDadosSelo(std::intptr_t handle, const LKWChar *envelope) {
  std::string caminho = ParaUtf8(envelope);
  Selo selo;
  int r = AbrirValidado(caminho, selo);
  std::lock_guard<std::mutex> t(Trava);
  Contexto *c = Achar(handle);
  if (!c)
    return LKW_ERRO_HANDLE;
  if (r != LKW_OK)
    return r;
  c->envelope = caminho;
  c->entradas = selo.entradas;
  return LKW_OK;
}

LKW_EXPORT int LKW_CHAMADA LeSeloDeEnvio(std::intptr_t handle, const LKWChar *nome, int indice,
                                         const LKWChar **valor) {
  if (!nome || !valor || indice < 0)
    return LKW_ERRO_ARGUMENTO;
  std::string n = ParaUtf8(nome);
  std::lock_guard<std::mutex> t(Trava);
  Contexto *c = Achar(handle);
  if (!c)
    return LKW_ERRO_HANDLE;
  const Entrada *achada = nullptr;
  for (const auto &e : c->entradas)
    if (e.nome == n && e.indice == indice)
      achada = &e;
  // Index 0 asks for the name wherever it was written.
  if (!achada && indice == 0)
    for (const auto &e : c->entradas)
      if (e.nome == n) {
        achada = &e;
        break;
      }
  c->retorno = achada ? ParaUtf16(achada->valor) : std::u16string();
  *valor = c->retorno.c_str();
  return achada ? LKW_OK : LKW_ERRO_SEM_ENTRADA;
}

LKW_EXPORT int LKW_CHAMADA EscreveSeloDeEnvio(std::intptr_t handle, const LKWChar *nome, int indice,
                                              const LKWChar *valor) {
  if (!nome || indice < 0)
    return LKW_ERRO_ARGUMENTO;
  std::string n = ParaUtf8(nome), v = ParaUtf8(valor);
  if (n.empty())
    return LKW_ERRO_ARGUMENTO;
  std::lock_guard<std::mutex> t(Trava);
  Contexto *c = Achar(handle);
  if (!c)
    return LKW_ERRO_HANDLE;
  for (auto &e : c->entradas)
    if (e.nome == n && e.indice == indice) {
      e.valor = v;
      return LKW_OK;
    }
  c->entradas.push_back({indice, n, v});
  return LKW_OK;
}

LKW_EXPORT int LKW_CHAMADA InsereArquivo(std::intptr_t handle, const LKWChar *arquivo, int operacao,
                                         const LKWChar *pasta) {
  std::string a = ParaUtf8(arquivo);
  if (a.empty())
    return LKW_ERRO_ARGUMENTO;
  if (operacao == 3) {
    Arquivo novo;
    novo.origem = a;
    novo.nome = NomeBase(a);
    if (!NomeSimples(novo.nome))
      return LKW_ERRO_NOME;
    if (!LerArquivo(a, novo.conteudo))
      return LKW_ERRO_ARQUIVO;
    std::lock_guard<std::mutex> t(Trava);
    Contexto *c = Achar(handle);
    if (!c)
      return LKW_ERRO_HANDLE;
    if (!Iniciado)
      return LKW_ERRO_NAO_INICIADO;
    for (const auto &p : c->pendentes)
      if (p.nome == novo.nome)
        return LKW_ERRO_NOME;
    c->pendentes.push_back(std::move(novo));
    return LKW_OK;
  }
  if (operacao == 5) {
    // Only a bare name of the listed envelope, and only into the folder given.
    if (!NomeSimples(a))
      return LKW_ERRO_NOME;
    std::string destinoPasta = ParaUtf8(pasta);
    std::error_code ec;
    if (destinoPasta.empty() || !fs::is_directory(destinoPasta, ec))
      return LKW_ERRO_ARQUIVO;
    std::string envelope;
    {
      std::lock_guard<std::mutex> t(Trava);
      Contexto *c = Achar(handle);
      if (!c)
        return LKW_ERRO_HANDLE;
      if (c->envelope.empty())
        return LKW_ERRO_NOME;
      envelope = c->envelope;
    }
    // Checked again as a whole: the envelope may have changed since it was listed.
    Selo selo;
    std::string conteudo;
    int r = AbrirValidado(envelope, selo, &a, &conteudo);
    if (r != LKW_OK)
      return r;
    fs::path destino = fs::path(destinoPasta) / a;
    return GravarArquivo(destino.string(), conteudo) ? LKW_OK : LKW_ERRO_ARQUIVO;
  }
  return LKW_ERRO_ARGUMENTO;
}

LKW_EXPORT int LKW_CHAMADA AtualizaMudancasEmEnvelope(std::intptr_t handle, const LKWChar *envelope,
                                                      int opcao1, int opcao2, int opcao3) {
  if (opcao1 != 0 || (opcao2 != 0 && opcao2 != 1) || (opcao3 != 0 && opcao3 != 1))
    return LKW_ERRO_ARGUMENTO;
  std::string destino = ParaUtf8(envelope);
  std::lock_guard<std::mutex> t(Trava);
  Contexto *c = Achar(handle);
  if (!c)
    return LKW_ERRO_HANDLE;
  if (opcao2 == 0)
    return LKW_OK; // nothing to write: a read-only use leaves the envelope as it is
  if (destino.empty())
    return LKW_ERRO_ARGUMENTO;
  return EscreverEnvelope(*c, destino, opcao3 == 1);
}
