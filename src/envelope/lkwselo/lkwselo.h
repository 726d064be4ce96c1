#pragma once
// The sealing library's exported calls. The program never links this library:
// it loads it by name at run time and looks each call up by the names below,
// so the declarations here are also the function types it resolves.
//
// Every call returns 0 on success and a non-zero status otherwise (see
// FORMATO.md for the statuses); CriaEnvelopadorHandle returns 0 on failure.
// Text arguments are NUL-terminated UTF-16.
#include <cstdint>

#if defined(_WIN32)
#define LKW_EXPORT extern "C" __declspec(dllexport)
#define LKW_CHAMADA __stdcall
#else
#define LKW_EXPORT extern "C" __attribute__((visibility("default")))
#define LKW_CHAMADA
#endif

typedef char16_t LKWChar;

typedef std::intptr_t(LKW_CHAMADA *TCriaEnvelopadorHandle)();
typedef int(LKW_CHAMADA *TIniciaEnvelopador)(int modo, const LKWChar *pastaTrabalho);
typedef int(LKW_CHAMADA *TValidaEnvelope)(const LKWChar *envelope);
typedef int(LKW_CHAMADA *TCarregaListaDeArquivos)(std::intptr_t handle, const LKWChar *envelope);
typedef int(LKW_CHAMADA *TCarregaDadosSelo)(std::intptr_t handle, const LKWChar *envelope);
// The value is library memory, valid until the next call with the same handle.
typedef int(LKW_CHAMADA *TLeSeloDeEnvio)(std::intptr_t handle, const LKWChar *nome, int indice,
                                         const LKWChar **valor);
typedef int(LKW_CHAMADA *TEscreveSeloDeEnvio)(std::intptr_t handle, const LKWChar *nome, int indice,
                                              const LKWChar *valor);
typedef int(LKW_CHAMADA *TInsereArquivo)(std::intptr_t handle, const LKWChar *arquivo, int operacao,
                                         const LKWChar *pasta);
typedef int(LKW_CHAMADA *TAtualizaMudancasEmEnvelope)(std::intptr_t handle, const LKWChar *envelope,
                                                      int opcao1, int opcao2, int opcao3);

// Status values.
enum : int {
  LKW_OK = 0,
  LKW_ERRO_ARGUMENTO = 1,    // null/empty argument, unknown mode/operation/option
  LKW_ERRO_HANDLE = 2,       // unknown handle
  LKW_ERRO_ARQUIVO = 3,      // a file cannot be read or written
  LKW_ERRO_NOME = 4,         // a file name with a path, repeated, or not in the envelope
  LKW_ERRO_ENVELOPE = 5,     // not an envelope, or damaged / altered
  LKW_ERRO_SEM_ENTRADA = 6,  // no seal entry of that name (and index)
  LKW_ERRO_NAO_INICIADO = 7, // IniciaEnvelopador was not called
  LKW_ERRO_VAZIO = 8         // an envelope with no file cannot be written
};
