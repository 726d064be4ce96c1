#pragma once
// What the query of files generated for the bank does to them, apart from
// showing: finding the files that carry a company or a worker, deleting a
// file's record with everything stored for it, and writing a termination
// collection file to disk again, sealed, from its stored lines.
#include "core/unGlobal.h"
#include "registry/unChaveVinculo.h"

#include <QList>
#include <QString>

// One sent file that carries the company or worker looked for.
struct TArquivoComRegistro {
  QString Identificador; // the file's identifier
  QString DeArquivo;     // kind description
  QString Protocolo;     // CO_PROTOCOLO as stored (32 characters or empty)
  TDateTime DataEnvio = NullDate;
  int TipoInscricao = 0;
  qint64 Inscricao = 0;
  qint64 PIS = 0; // worker searches only
};

class TArquivosEnviados {
public:
  // The sent files holding the company inscription (Chave "INSCRICAO") or
  // the worker PIS ("PIS/PASEP"), by kind description and protocol. A value
  // that is not all digits finds nothing and never reaches the SQL.
  static QList<TArquivoComRegistro> Procurar(const QString &Chave, const QString &Valor);

  // Deletes the file's company guides (with their worker guides; processed
  // links whose guide goes back to closed are listed in Reabertos), its
  // stored lines, company and worker rows and its record, in one
  // transaction. False (and nothing deleted) on any failure.
  static bool Excluir(const QString &Identificador, QList<TChaveVinculo> *Reabertos = nullptr);

  enum TResultadoSalvar { Salvo, Cancelado, Falhou };
  // Writes the stored lines of a termination collection file again: the
  // save dialog, the envelope with the company-guide dump, and NM_ARQUIVO :=
  // the chosen path, all inside the shared transaction, committed only when
  // everything worked; any other outcome rolls it back and ends it.
  // Caminho: the envelope written. Codigo on failure: "0306" no stored
  // lines, the envelope's 0489-0491, "0144" a database failure.
  static TResultadoSalvar SalvarArquivo(const QString &Identificador, QString &Caminho,
                                        QString &Codigo);
};
