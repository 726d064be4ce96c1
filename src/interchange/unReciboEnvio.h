#pragma once
// The bank's sending receipt of a sent file (XML): its signed message is
// checked and the bank's protocol number and date are stored on the file's
// record. The window and the command line both call ImportarReciboEnvio.
#include "core/unGlobal.h"

#include <QString>

struct TReciboEnvio {
  QString Assinatura;    // footer/signature: base64 of the signed message
  QString Identificador; // footer/content_id: the sent file's identifier
  QString Protocolo;     // footer/protocol_id
  QString DataTexto;     // footer/protocol_date, dd/mm/yyyy
  TDateTime Data = NullDate;
  QString Info; // body/info: the sent envelope's path, when given
};

// Reads the four footer texts (trimmed) and body/info. Without network
// access and without expanding entities: a field that holds anything but
// text reads as empty. False when the file is not well-formed XML.
bool LerReciboEnvio(const QString &Arquivo, TReciboEnvio &Recibo);

// The whole import. On failure CodigoErro holds the message number the
// caller shows after its screen code ("FE"), and nothing was stored:
// 0385 not readable, a footer text missing, a date not dd/mm/yyyy or a
// protocol number wider than its column; the signature check's code (0491);
// 0486 no company guide of that file; 0487 no record of that file; 0144 the
// record could not be updated.
class TImportacaoRecibo {
public:
  QString CodigoErro;
  TReciboEnvio Recibo;
  // Set by Importar when it stopped at 0486 for a termination collection
  // file whose record exists: its company guides are missing from the
  // database (an older backup restored) and the sent envelope carries them.
  bool GuiasRecuperaveis = false;
  bool Importar(const QString &Arquivo);

  // Where the sent envelope probably is: the receipt's body/info path, else
  // the path recorded when the file was saved; empty when neither exists.
  QString EnvelopeProposto() const;
  // Takes the company-guide dump out of the sent envelope (a private copy:
  // the envelope is not touched) and loads this file's guides with the
  // single-table restore; Importar can then run again. False with
  // CodigoErro: the envelope's code (0488 not the file of this receipt or
  // its seal broken, 0489 no dump in it), 0104 the dump could not be
  // loaded, 0486 it held no guide of this file.
  bool RecuperarGuias(const QString &Envelope);
};

// Width of the protocol-number column.
inline constexpr int LarguraProtocolo = 40;
