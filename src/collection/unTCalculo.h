#pragma once
// The calculation engine: what an employer owes the severance fund for one
// terminated employment link, in four blocks (the month before the
// termination, the termination month, the indemnified prior notice and the
// termination fine), each with its due date, deposit, JAM, social
// contribution and late charges, from the index tables the bank publishes.
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unCentavos.h"
#include "core/unGlobal.h"

#include <QHash>
#include <QString>
#include <array>
#include <optional>

class TVinculo;
class TRescisao;

// Kind codes of the four blocks, in the order they are computed.
enum TTipoParcela { tpAnterior = 406, tpRescisao = 407, tpAvisoPrevio = 408, tpMulta = 400 };

// Messages the engine leaves in CodigoErro.
enum TErroCalculo {
  ecIndice = 372,        // an index or JAM factor is missing or not positive
  ecValorNegativo = 475, // a computed amount came out negative
  ecSemMovimento = 601,  // no collection run is open: there is no payment date
  ecOpcaoAnterior = 602, // option date before 1967: no JAM factor exists for it
};

struct TParcelaCalculo {
  TDateTime DtDevida = 0; // 0: nothing to collect in this block
  double VrDeposito = 0;  // block 400: the fine
  double VrJam = 0;
  double VrContribuicao = 0;
  double VrMultaContribuicao = 0;
  double VrMulta = 0;
  // Inputs prepared for the block computation (0 / blank after it).
  TDateTime DtCompetencia = 0;
  char IcContribuicao = ' ';
  char IcEmDia = ' ';
  TDateTime DtVencimentoNormal = 0;
  double VrBase = 0;
  // Deposit blocks: deposit + JAM (their share of the fine base); block 400:
  // the whole fine base.
  double VrBaseMulta = 0;
  double VrJamSaldo = 0; // JAM on the worker's balance
  bool Calculado = false;
};

// What chooses the amount rule of a block besides its kind.
struct TCondicaoRegra {
  bool EmDia = false;        // IcEmDia 'S'
  bool Contribuicao = false; // IcContribuicao 'S'
  // Deposit blocks: the reduced rate (category 7, or category 4 for reference
  // months up to 01/2003).
  bool TaxaReduzida = false;
  // Fine block: termination before 2020, dissídio (or none) before 2020,
  // termination from 11/11/2017, and the movement code.
  bool Antes2020 = false;
  bool DissidioAntes2020 = false;
  bool AposReforma = false;
  QString Mov;
};

// The amounts of one block by the rule table, from its base B, index I and
// JAM factor J: products and quotients cut to centavos, sums and differences
// of centavos exact, so that where a rule splits a total into parts the
// parts add up to it. Leaves r untouched when no rule applies.
void AplicarRegraCalculo(TTipoParcela tipo, const TCondicaoRegra &c, double B, double I, double J,
                         TParcelaCalculo &r);

// Rows of the simplified index table by edition and reference month, each
// read once for the owner's life. The index tables change only through the
// index import, never during one calculation run or one payroll import, in
// which thousands of links share the same few rows.
class TIndicesSimplificado {
public:
  using TLinha = std::optional<std::array<double, 18>>;
  // The row of the edition and month; empty when the table has none.
  const TLinha &Linha(TDateTime edital, TDateTime competencia);
  // The JAM factor for a category, edition month, option date and reference
  // month; -1 when there is none: no row for the edition and month (SemLinha
  // set), or an option year before 1967.
  double FatorJam(int categoria, TDateTime edital, TDateTime opcao, TDateTime competencia,
                  bool *semLinha = nullptr);

private:
  QHash<QString, TLinha> linhas_;
};
// Records inconsistency 372 (an index is missing) of the collection run for a link.
void RegistrarFaltaIndice(int tipo, qint64 inscricao, qint64 pis, int categoria,
                          TDateTime admissao);

class TCalculo {
public:
  // Reloads the shared business-day calendar, so that an index import made
  // since the last calculation is seen. The calendar itself is shared by the
  // whole process and outlives every engine.
  TCalculo();
  ~TCalculo();
  TCalculo(const TCalculo &) = delete;
  TCalculo &operator=(const TCalculo &) = delete;

  // Message number of the last failure, 0 when none.
  int CodigoErro = 0;
  // The accounts of many links read at once by the caller; when set, a link's
  // accounts are taken from it (a link absent from it has none) instead of
  // being read per link.
  const TResumosContas *Contas = nullptr;
  TParcelaCalculo ParcelaAnterior;
  TParcelaCalculo ParcelaRescisao;
  TParcelaCalculo ParcelaAvisoPrevio;
  TParcelaCalculo ParcelaMulta;

  // Computes the four blocks of the link; writes nothing. True when all four
  // were computed. With no link: false, nothing touched. The termination
  // data is the link's own (Rescisao), unless the caller, which may have
  // read many links' rows at once, hands it over.
  bool CalcularVinculo(TVinculo *vinculo, TRescisao *rescisao = nullptr);
  // Computes and, when all four blocks were computed, stores them in the
  // link's termination data (the row and the object) and returns ValorTotal;
  // else -1 and nothing is written.
  double GravarCalculo(TVinculo *vinculo, TRescisao *rescisao = nullptr);
  // Sum of the five amounts of the four blocks, exact in centavos (totals of
  // many links add these, not the doubles).
  TCentavos TotalCentavos() const;
  double ValorTotal() const { return TotalCentavos().Valor(); }
  // Payment date of the open run (NullDate when none is open); read once.
  TDateTime DataPagamentoUsada() const { return pag_; }
  // Edition month of the index tables applied in the last calculation.
  TDateTime DataEdital() const { return edital_; }

private:
  struct TEmpresaCalculo {
    int Fpas = 0;
    int Simples = 0;
  };
  struct TIndiceGuia {
    bool Existe = false;
    double Indice = 0;
    double IndiceMulta = 0;
  };
  using TLinhaSimplificado = TIndicesSimplificado::TLinha;
  using TLinhaProrata = std::optional<std::array<double, 3>>;

  bool ObterDataPagamento();
  TEmpresaCalculo Empresa(int tipo, qint64 inscricao);
  TIndiceGuia IndiceGuia(TDateTime vencimento, TDateTime recolhimento);
  const TLinhaSimplificado &LinhaSimplificado(TDateTime competencia);
  // JAM factor for the link's category and option date; -1 (with CodigoErro
  // set) when there is none.
  double FatorJam(TDateTime competencia);
  double ObterIndiceProrata(TDateTime compAjustada, TDateTime competencia);
  bool CalcularBaseMulta(TRescisao &resc);
  void CalcularVencimentos();
  void CalcularCompetencias();
  void CalcularIndicadores();
  TParcelaCalculo CalcularParcela(TTipoParcela tipo, const TParcelaCalculo &p);
  bool ValidarParcela(TParcelaCalculo &r);

  // Payment date, calendar regime and edition month of the current link.
  bool pagLido_ = false;
  TDateTime pag_ = NullDate;
  bool novoCalendario_ = false;
  TDateTime edital_ = 0;
  // Inputs of the current link (names as in the rules).
  TDateTime DM = 0, DD = 0, OPC = 0;
  int CAT = 0, AV = 0, TIPO = 0, FPAS = 0, SIMPLES = 0;
  QString MOV;
  qint64 inscricao_ = 0, pis_ = 0;
  TDateTime admissao_ = 0;

  // The index tables do not change during a calculation (only the index
  // import replaces them), so the rows read are kept for the engine's life:
  // a run computes thousands of links against the same few rows.
  QHash<QString, TEmpresaCalculo> empresas_;
  QHash<QString, TIndiceGuia> indicesGuia_;
  QHash<QString, TLinhaProrata> prorata_;
  TIndicesSimplificado simplificado_;
};
