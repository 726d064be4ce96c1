#pragma once
// Update of the payroll-loan institution table (QZLTBT24) from the file the
// bank publishes: confServer.txt in the program folder names the server (first
// line) and the file's path on it (second line); the file is fetched by HTTP
// into the program folder and each of its lines inserted or updated.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

class TAtualizacaoInstituicoes {
public:
  // Status text and progress (0-100) of each step, for the window that runs it.
  std::function<void(const QString &texto, int posicao)> Progresso;
  // Seconds allowed to reach the server and for the whole transfer: a server
  // that does not answer cannot hold the program.
  long TempoConexao = 10;
  long TempoTotal = 60;
  // Largest file accepted, in bytes.
  qint64 TamanhoMaximo = 10 * 1024 * 1024;

  // Empty after success; otherwise the message number of the failure:
  // "0505" the server cannot be reached (no network, unknown name, refused
  //        or timed-out connection);
  // "0507" the file could not be obtained (missing confServer.txt, HTTP
  //        error, empty or unwritable file);
  // "0506" the table could not be updated;
  // "0504" the institution list could not be reloaded.
  QString CodigoErro;
  // Lines of the file that were not an institution (too short, no code or no
  // name): skipped, not written.
  int LinhasIgnoradas = 0;
  int LinhasGravadas = 0;
  // "code - name" of every institution, ordered, for the worker screen's list.
  QStringList Instituicoes;
  // Local copy of the fetched file.
  QString ArquivoLocal;

  bool Executar();

private:
  void Avancar(const QString &texto, int posicao);
  bool Baixar(const QString &endereco);
  bool Gravar();
  bool RecarregarLista();
};

// The menu action: runs the update and shows its outcome ("0078" on success,
// otherwise the failure's message).
bool AtualizacaoInstituicoes();
