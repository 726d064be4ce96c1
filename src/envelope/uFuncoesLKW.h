#pragma once
// The envelope operations the file parts call. Each clears and sets the
// global UltimoErro (4-digit message number) and returns true on success.
#include <QList>
#include <QString>
#include <QStringList>

// One business-information entry of the seal ("tparquivo", "nra", ...).
struct TBussinessInfo {
  QString Nome;
  QString Valor;
};

// Seals the named files of Pasta (which ends with a separator) into the
// envelope Pasta + NomeEnvelope, with the business information in the seal
// at the indexes 1, 2, ... in the given order. The input files are deleted
// whether or not the envelope was built (they are working copies), except
// when the envelope path is one of them: that is refused before anything is
// touched. 0489 a file could not be put in, 0490 a seal entry could not be
// written, 0491 the envelope could not be written.
bool EnvelopeArquivos(const QString &Pasta, const QString &NomeEnvelope,
                      const QList<TBussinessInfo> &Informacoes, const QStringList &Arquivos);

// Takes NomeArquivo out of the envelope Pasta + NomeEnvelope into Pasta after
// checking the whole envelope and, when Identificador is not empty, that the
// seal's nra equals it. The envelope itself is left as it was. 0488 the
// envelope is invalid or not the expected one, 0489 the file could not be
// taken out, 0490 the envelope could not be closed.
bool AbrirEnvelope(const QString &Pasta, const QString &NomeEnvelope, const QString &Identificador,
                   const QString &NomeArquivo);

// Checks the bank's signed message: base64 (line breaks allowed) of a DER
// CMS SignedData carrying its content. Only the signature is checked (no
// trust store, no validity dates). Anything else: 0491.
bool VerificarAssinatura(const QString &Mensagem);

// The content a valid signed message carries (empty when it is not valid).
QByteArray ConteudoAssinado(const QString &Mensagem);
