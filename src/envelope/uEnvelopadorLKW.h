#pragma once
// Thin wrappers over the sealing library (lkwselo), which is loaded by name
// from the program's folder when a context is created and whose calls are
// looked up by name at each use, so a missing library or call is a failure
// code, never a crash. Every operation leaves "" in its object's CodigoErro
// on success or the wrapper's code: "1108" insert/extract/write, "1117"
// invalid envelope, "1146" list/seal, "1147" library, call, start or handle.
#include <QLibrary>
#include <QString>
#include <cstdint>
#include <memory>

class TEnvelopadorLKW;

class TSeloLKW {
public:
  explicit TSeloLKW(TEnvelopadorLKW *dono) : Envelopador(dono) {}
  QString CodigoErro;
  QString Envelope; // envelope path read by Carregar
  TEnvelopadorLKW *Envelopador;
  QString NivelExigido;

  bool Carregar();
  // The value of an entry; "" (and "1146") when it cannot be read.
  QString Ler(const QString &Nome, int Indice);
  bool Escrever(const QString &Nome, int Indice, const QString &Valor);
};

class TArquivosLKW {
public:
  explicit TArquivosLKW(TEnvelopadorLKW *dono) : Envelopador(dono) {}
  QString CodigoErro;
  QString NomeArquivo; // name of the last file inserted
  QString Pasta;
  TEnvelopadorLKW *Envelopador;

  bool Inserir(const QString &Caminho);
  bool Extrair(const QString &Nome, const QString &PastaDestino);
  bool CarregarLista();
};

class TEnvelopadorLKW {
public:
  TEnvelopadorLKW();
  ~TEnvelopadorLKW();
  TEnvelopadorLKW(const TEnvelopadorLKW &) = delete;
  TEnvelopadorLKW &operator=(const TEnvelopadorLKW &) = delete;

  QString CodigoErro;
  QString Pasta;        // envelope folder (for opening: the whole envelope path)
  QString NomeEnvelope; // appended to Pasta to form the path that is written
  int OpcaoAtualizacao1 = 0;
  QString PastaTrabalho;
  int OpcaoAtualizacao3 = 0;
  int OpcaoAtualizacao2 = 0;
  std::intptr_t Handle = 0;
  int ModoInicio = 0;

  TArquivosLKW *Arquivos(); // created on first use, owned
  TSeloLKW *Selo();         // created on first use, owned
  void LiberarArquivos() { arquivos_.reset(); }
  void LiberarSelo() { selo_.reset(); }

  bool Iniciar();
  bool CriarHandle();
  bool Validar();
  bool GravarEnvelope();

  // The library file the program loads (without its platform suffix).
  static QString CaminhoBiblioteca();
  // The named call, or null when the library or the call is missing.
  void *Funcao(const char *nome);

private:
  QLibrary biblioteca_;
  std::unique_ptr<TArquivosLKW> arquivos_;
  std::unique_ptr<TSeloLKW> selo_;
};
