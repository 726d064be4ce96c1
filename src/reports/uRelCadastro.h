#pragma once
// The registry listings: employers, workers with their links, confirmed
// registration changes. Each Preparar reads the base and fills Dados with
// the rows as printed; false (and nothing to print) when there is no row.
#include "core/unGlobal.h"
#include "reports/URel_Padrao.h"

#include <QSet>

// Formats shared by the listings.
namespace FormatoRel {
// Type 1: the CNPJ mask of the 14 digits; type 2: the 12 digits; otherwise
// the number as stored.
QString Inscricao(int tipo, qint64 numero);
// "000.00000.00-0" of the 11 digits; empty for no PIS (empty or 0).
QString PIS(const QString &pis);
// "dd/mm/yyyy"; empty for no date.
QString Data(TDateTime data);
// A number under a zero-filled mask ("0000000"); empty when Null/blank.
QString Zeros(const QString &numero, int digitos);
} // namespace FormatoRel

class TRelEmpresas : public TRelPadraoPaisagem {
public:
  bool Preparar();
};

class TRelTrabalhadores : public TRelPadraoPaisagem {
public:
  // The keys of the order window, in its order.
  static const QStringList Chaves; // PIS_EMPREGADO, NO_EMPREGADO, DT_ADMISSAO, CATEGORIA
  // The employer order of the selection window followed by "," and the key
  // ("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO" or
  // "NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO,NO_EMPREGADO").
  // Empresas: the selected employers' inscriptions (digits); Todas: every
  // employer, and the workers without links.
  bool Preparar(const QString &Ordem, const QStringList &Empresas, bool Todas);
  // The query with its ORDER BY built from Ordem.
  static QString Consulta(const QString &Ordem);
  static QString OrdemPorInscricao(const QString &chave);
  static QString OrdemPorNome(const QString &chave);
};

class TRelAlteracaoCadastral : public TRelPadraoPaisagem {
public:
  bool Preparar();
};
