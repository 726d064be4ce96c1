#pragma once
// The bank's processed-guide return: the file that comes back once the bank
// has collected the guides of a sent termination collection file. It is
// checked in three passes by the guide reader; only a file free of
// inconsistencies is stored, in one transaction: the company guides get the
// bank's branch and dates, the individual guides are rewritten and the
// matching links go from closed (2) to processed (3). The sent file's
// protocol is marked valid ("S") or refused ("N"). A file whose first line is
// blank after column 90 is the bank's rejected-resend notice instead, and is
// handed to its own reader.
#include "interchange/unArqGuia.h"
#include "registry/unChaveVinculo.h"

#include <QList>
#include <functional>

class TArqRetornoGuia : public TArqGuia {
public:
  // Guide type: 5 for the processed-guide return (letter "P"). A type of 0 or
  // less raises ENegocio("Tipo de Guia não definido.").
  explicit TArqRetornoGuia(int TipoGuia);

  int TipoGuia = 0;
  // Rebuilds the main window's tree after the links changed; the runner makes
  // it run on the main thread. Empty on the command line.
  std::function<void()> AtualizarArvore;

  // What the last successful import stored.
  int GuiasEmpresaGravadas = 0;
  int GuiasTrabalhadorGravadas = 0;
  QList<TChaveVinculo> VinculosProcessados;
  // Set when the file was a rejected-resend notice.
  bool ReenvioRejeitado = false;

  // The whole import (NomeArquivo must be set); true when the guides were
  // stored. The inconsistencies are rows of file kind 5.
  bool Importar() override;

  // Storing pass: guides and link states in one transaction; false (and
  // nothing stored) on a database failure or a cancel.
  bool GravarGuias();
  // Inside GravarGuias' transaction: every link of the file in state 2 goes
  // to 3, by its key. Fills VinculosProcessados.
  void AtualizarVinculosProcessados();
  // Marks the sent file's protocol with the outcome; the processing date of
  // its companies is written only for a stored return.
  void AtualizarProtocolo(bool Resultado);

private:
  bool ImportarReenvioRejeitado();
};
