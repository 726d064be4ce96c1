#pragma once
// The identification-key occurrence report: one load, or some of its
// companies, or some workers of one company, as the query window selects
// them. The title says whether the bank accepted the load; each company is a
// group (a page of its own unless the load had no power of attorney) and each
// worker with a message of the bank a band with the identification key or
// the reason of the rejection.
#include "reports/URel_Padrao.h"

#include <QList>
#include <QString>

class QWidget;

struct TSelecaoOcorrenciaChave {
  QString Identificador;      // the load
  QList<int> LinhasEmpresa;   // its chosen companies (empty: all)
  QList<int> LinhasEmpregado; // the chosen workers of LinhaEmpresa (empty: all)
  int LinhaEmpresa = 0;       // the company of LinhasEmpregado
  QString OrdemEmpresa;       // "EMP.NU_INSCRICAO_EMPRESA ASC", ... (empty: inscription)
  QString OrdemTrabalhador;   // "TRAB.NU_PIS DESC", ... (empty: PIS)
};

class TRelOcorrenciaChaveIdentificacao : public TRelPadrao {
public:
  // False when the load does not exist.
  bool Preparar(const TSelecaoOcorrenciaChave &selecao);
  // The query of a selection, with its conditions and order.
  static QString Consulta(const TSelecaoOcorrenciaChave &selecao);
  // The identification key under its mask: "0-00000000000-00000000-00" for a
  // key of 22 characters (after trimming), "00-00000000000-00000000-00" for
  // any other; empty for no key.
  static QString MascaraChave(const QString &chave);
  // A message of the bank as printed lines: "MOTIVO:" starts a new line
  // ("MOTIVO"), and long lines are wrapped at word boundaries.
  static QStringList LinhasMensagem(const QString &texto, int largura);
};

// Prints a selection in the preview; "RE0086" when the load is gone.
bool ImprimirOcorrenciaChave(const TSelecaoOcorrenciaChave &selecao, QWidget *pai = nullptr);
