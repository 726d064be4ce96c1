#pragma once
// Base of every fixed-layout file exchanged with the bank: the file's path and
// read handle, the whole file as a list of lines, the registration of file
// inconsistencies, and the progress channel of the long file operations.
#include "core/UnInconsistencia.h"
#include "core/unNegocio.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

// How a file operation reports its progress and learns that the user gave up.
// The progress window implements it on the desktop, the text progress bar on
// the command line. Every call comes from the worker thread: implementations
// must not touch widgets directly.
class IProgresso {
public:
  virtual ~IProgresso() = default;
  // Sets the maximum of the gauge.
  virtual void DefinirMaximo(int maximo) = 0;
  // Moves the gauge one step; with AumentarMaximo the maximum grows by one first.
  virtual void Avancar(bool AumentarMaximo = false) = 0;
  // Step codes: 1-3 step in progress, 4 shows the fourth step and starts it,
  // 5-8 steps 1-4 done, EtapaSemCancelamento: the operation has committed and
  // can no longer be cancelled.
  virtual void Etapa(int codigo) = 0;
  // True once the user asked to stop; operations poll it between lines.
  virtual bool Cancelado() const = 0;
};

inline constexpr int EtapaSemCancelamento = 9;

// The failures of ValidarCaminho and of a misused file object.
class EArquivo : public std::runtime_error {
public:
  explicit EArquivo(const QString &mensagem)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem) {}
  QString Mensagem;
};

// Raised (without text) when an inconsistency names a message that the
// message table does not have: the operation cannot report its problems, so
// it stops with code "0396".
class EMensagemInexistente : public std::runtime_error {
public:
  EMensagemInexistente() : std::runtime_error("") {}
};

// Raised inside a file operation when the user cancelled; the operation rolls
// back and ends with a false result, registering nothing.
class ECancelado : public std::runtime_error {
public:
  ECancelado() : std::runtime_error("cancelado") {}
};

class TArquivo : public TNegocio {
public:
  TArquivo();
  ~TArquivo() override;

  bool Aberto = false;
  QString NomeArquivo;
  QChar Modo;
  std::unique_ptr<TInconsistencia> Inconsistencia;
  int NumeroArquivo = 0;
  // Lines of the file after Abrir, decoded from the Western code page one
  // byte to one character, so that a column of the layout is a string index.
  QStringList Linhas;
  // The message number that the message table lacked (code "0396").
  int MensagemInexistente = 0;
  // Progress channel; none for a silent run.
  IProgresso *Progresso = nullptr;
  // Largest file Abrir reads. Every file the bank or a payroll system sends
  // is a few megabytes at most (a payroll file of 100,000 links is about
  // 36 MB); anything bigger is the wrong file, and reading it whole would
  // take several times its size in memory. A descendant may set its own.
  static constexpr qint64 TamanhoMaximoPadrao = 64 * 1024 * 1024;
  qint64 TamanhoMaximo = TamanhoMaximoPadrao;
  // Why the last Abrir failed, as the message the reader registers: 151 the
  // file could not be opened or is not a plain file (a pipe, device, socket
  // or folder), 651 it is larger than TamanhoMaximo. 0 after a good Abrir.
  int ErroAbertura = 0;

  // Raises EArquivo with the first failing rule; true otherwise.
  bool ValidarCaminho(bool ExigirFechado);
  // Opens for reading and loads every line; false on any failure.
  bool Abrir();
  // Loads the whole open file into Linhas (line ends removed).
  bool CarregarLinhas();
  void Fechar();
  void ExcluirArquivo();

  // The inconsistency list of a run replaces the previous list of its kind
  // as one piece: LimparInconsistencias only marks the old rows for removal,
  // and they are deleted by the first RegistrarInconsistencia of this run, in
  // the same transaction as that row (one is opened for the pair when the
  // caller holds none), or by ConcluirInconsistencias when the run ends well
  // without a list. A run that is cancelled, fails before writing a row, or is
  // killed therefore leaves the last list as it was, and a reader that keeps
  // its rows in its own transaction replaces the list only when it commits.
  // Every reader gets this by calling LimparInconsistencias first, as before;
  // the runner calls ConcluirInconsistencias after a successful operation, and
  // a reader that commits its data itself calls it inside that transaction.
  virtual bool LimparInconsistencias();
  // Deletes the previous list now, in the caller's transaction, when this run
  // has not yet replaced it; false when the statement failed.
  bool ConcluirInconsistencias();
  // True while the previous list is still waiting to be replaced.
  bool LimpezaPendente() const { return limpezaPendente_; }
  // Records one inconsistency of this file kind and sets CodigoErro to the
  // message number as 4 digits. Raises EMensagemInexistente (CodigoErro
  // "0396") when the message table lacks the number.
  virtual void
  RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha, int Mensagem,
                          const QString &TipoInscResp = {}, const QString &InscResp = {},
                          const QString &NomeResp = {}, const QString &TipoInscEmpresa = {},
                          const QString &InscEmpresa = {}, const QString &RazaoSocial = {},
                          const QString &PIS = {}, const QString &Categoria = {},
                          const QString &DtAdmissao = {}, const QString &NomeEmpregado = {});
  // Reads, validates and loads an incoming file.
  virtual bool Importar();
  // Builds an outgoing file or processes a loaded one.
  virtual bool Processar();

protected:
  // Progress helpers that do nothing without a channel.
  void DefinirMaximo(int maximo);
  void Avancar(bool AumentarMaximo = false);
  void Etapa(int codigo);
  // The user's cancel, or a signal asking the program to end.
  bool Cancelado() const;

private:
  QFile arquivo_;
  bool limpezaPendente_ = false;
};

// Field of a fixed-layout line by 1-based position and length. Beyond the end
// of the line the missing characters are absent: a short line gives a short
// (possibly empty) field, never an error.
inline QString CampoLinha(const QString &linha, int posicao, int tamanho) {
  return linha.mid(posicao - 1, tamanho);
}
