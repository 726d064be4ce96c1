#pragma once
// The resend request of processed guides: a 90-character file (header 0, one
// detail 1 per guide, trailer 9) recorded as a sent file of kind 6 and sealed
// into an envelope. The window fills the guide list; this does the rest.
#include "core/unGlobal.h"

#include <QList>
#include <QString>
#include <QStringList>

class TResponsavel;

struct TGuiaReenvio {
  int TipoInscricao = 0; // 1 CNPJ, 2 CEI
  QString Inscricao;     // as typed (a mask is fine: only its digits are used)
  TDateTime DataPagamento = NullDate;
  QString LinhaDigitavel; // the 48 digits
  QString CodigoBarras;   // the 44-digit bar code (the blocks without their check digits)
};

inline constexpr int TamanhoLinhaReenvio = 90;

class TSolicitacaoReenvio {
public:
  // "" on success; "0088" empty list, "0144" the record could not be written
  // (nothing kept), or the envelope's code (0489/0490/0491, the record removed).
  QString CodigoErro;
  QStringList Linhas;
  QString Identificador;

  // The request's lines for the responsible party and the guides, dated Data.
  void MontarLinhas(const TResponsavel &Responsavel, const QList<TGuiaReenvio> &Guias,
                    TDateTime Data);
  // Builds, records and seals the request as the envelope CaminhoEnvelope;
  // the plain file GuiaVESK.HX is written beside it and removed by the sealing.
  bool Gerar(const QString &CaminhoEnvelope, const QList<TGuiaReenvio> &Guias);
};
