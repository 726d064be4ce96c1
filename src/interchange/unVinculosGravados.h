#pragma once
// What the link checks of a file reader would otherwise look up once per
// link, read in bulk before a file's contents are checked (nothing is written
// until the whole file passes): the deposit rate table, the latest month
// (yyyymm) of the stored balance complements of each link, and the earliest
// stored admission of each worker. Shared by the payroll import and the guide
// file reader.
#include "collection/unTAliquotaDeposito.h"
#include "core/unGlobal.h"

#include <QHash>
#include <QString>

class TIbxUtils;
class TVinculo;

class TVinculosGravados {
public:
  // Reads the three; raises EBancoDados.
  void Carregar(TIbxUtils *Ibx);

  const TTabelaAliquotas &Aliquotas() const { return aliquotas_; }
  // Latest complement month of the link in v (0 when none, or when the
  // link's admission is no date: such a key matches no stored link).
  int UltimoComplemento(const TVinculo &v) const;
  // Earliest admission among the stored links of the worker (NullDate when none).
  TDateTime PrimeiraAdmissao(qint64 PIS) const { return primeiraAdmissao_.value(PIS, NullDate); }

  // The link key as one text, for hashes of links.
  static QString Chave(int Tipo, qint64 Inscricao, qint64 PIS, int Categoria, TDateTime Admissao);

private:
  TTabelaAliquotas aliquotas_;
  QHash<QString, int> ultimoComplemento_;
  QHash<qint64, TDateTime> primeiraAdmissao_;
};
