#pragma once
// Balance complements: monthly deposits the employer declares for months that
// are missing from the bank's balance of a worker's fund account. Each row is
// one (complement number, reference month) of a link, with the declared
// remuneration and the deposit computed from it; the sum of a link's deposits
// goes into the fine base of the termination calculation.
#include "collection/unTAliquotaDeposito.h"
#include "collection/unTCalculo.h"
#include "core/unNegocio.h"

#include <QHash>
#include <QString>
#include <memory>

class TVinculo;
class TRescisao;
struct TChaveVinculo;

class TComplementoSaldo : public TNegocio {
public:
  TComplementoSaldo();
  ~TComplementoSaldo() override;

  // Link key.
  int NU_TIPO_INSO_EMPRA = 0;
  qint64 NU_INSCRICAO = 0;
  qint64 NU_PIS = 0;
  int NU_CATEGORIA = 0;
  TDateTime DT_ADMISSAO_VINCULO = NullDate;

  double VR_DEPOSITO = 0;
  double VR_REMUNERACAO = 0;
  // Digits as text; empty on the row of a link without complements.
  QString NU_COMPLEMENTO;
  QString MM_COMPETENCIA;
  QString AA_COMPETENCIA;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // Copies the five key values into the object.
  void DefinirChave(int tipo, qint64 inscricao, qint64 pis, int categoria, TDateTime admissao);

  // The link's complements ordered by number and month. A link without
  // complements yields one row with empty complement fields. "0144" on a
  // database error.
  bool CarregarPorVinculo();
  // The rows of the object's NU_COMPLEMENTO, ordered by month.
  bool CarregarComplemento();
  // Complements whose link is still open (state 0 or 1), optionally of one
  // employer and one PIS (-1: no filter).
  bool CarregarAbertos(int tipo = -1, qint64 inscricao = -1, qint64 pis = -1);
  // Which complement numbers each link marked for the open run has, in one
  // query (most links have none): bit n-1 set for number n. Database errors
  // raise.
  void NumerosDosMarcados(QHash<TChaveVinculo, int> &Numeros);

  // Deposit of the current row (rate, currency conversion and JAM); -1 when
  // it cannot be computed.
  double CalcularDeposito();
  // Computes the deposit and inserts the row ("0372" when it cannot be
  // computed, "0144" on a database error).
  bool Incluir();
  // Computes the deposit again and updates remuneration and deposit.
  bool Recalcular();
  // Stores the sum of the link's deposits in its termination data (Null when
  // it has none). Raises after setting "0144".
  void AtualizarTotal();
  // The same for every link with termination data and complements, optionally
  // one employer (tipo >= 0) and one link (pis >= 0). Raises.
  void AtualizarTotais(int tipo = -1, qint64 inscricao = 0, qint64 pis = -1, int categoria = 0,
                       TDateTime admissao = NullDate);
  // Deletes the link's complements (all, or the object's row) and optionally
  // refreshes the total. Raises after setting "0144".
  void Excluir(bool todos, bool atualizarTotal);
  // Recomputes every complement of open links (optionally one employer and one
  // PIS; -1 = no filter). Returns false when some row could not be recomputed.
  bool RecalcularAbertos(int tipo = -1, qint64 inscricao = -1, qint64 pis = -1);
  bool PossuiComplemento();

  // Checks; each clears CodigoErro and returns whether it stayed empty.
  // "0710": no complement for a link with a dissídio date or movement I3.
  bool ValidarComplementoPermitido();
  bool ValidarCompetencia(bool permiteVazia);
  bool ValidarRemuneracao();

  // The link and its termination data, created on first use (loaded by the
  // key when CarregarAssociados) and owned; freed when another row is loaded.
  TVinculo &Vinculo();
  TRescisao &Rescisao();

  // The deposit rate table, read on the first deposit this object computes
  // and kept for its life (one action).
  const TTabelaAliquotas &Aliquotas();
  // The WHERE condition on the object's link key for a table alias ("" = none).
  QString CondicaoChave(const QString &alias = QString()) const;

private:
  bool Carregar(const QString &sqlWhereOrder);
  double AliquotaVigente(int categoria, TDateTime competencia);

  bool Gravar(bool incluir);

  TTabelaAliquotas aliquotas_;
  bool aliquotasLidas_ = false;
  // The JAM rows of the months computed so far: an import stores thousands of
  // complements against a few dozen months.
  TIndicesSimplificado indices_;
  std::unique_ptr<TVinculo> vinculo_;
  std::unique_ptr<TRescisao> rescisao_;
};
