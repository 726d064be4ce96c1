#pragma once
// The collection run ("movimento"): opening it with a payment date, the
// participation check of a link, marking, unmarking and withdrawing links at
// the three levels of the tree (every link, one company, one link), the
// simulation of what a closing would collect, and the steps of the closing
// around the file generation. No widgets: the opening frame, the main
// window's commands and the command line all call these operations and show
// their message codes themselves.
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unCentavos.h"
#include "core/unGlobal.h"
#include "registry/unChaveVinculo.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class TVinculo;
class TResponsavel;
class TCalculo;
class TTabelaAliquotas;
class TRescisao;

// Where a run operation applies: every link, the links of one company, or one link.
struct TEscopoMovimento {
  enum TNivel { Todos = 0, Empresa = 1, Vinculo = 2 };
  TNivel Nivel = Todos;
  int Tipo = 0;         // company (levels 1 and 2)
  qint64 Inscricao = 0; // company (levels 1 and 2)
  TChaveVinculo Chave;  // level 2

  static TEscopoMovimento DeTodos() { return {}; }
  static TEscopoMovimento DaEmpresa(int tipo, qint64 inscricao);
  static TEscopoMovimento DoVinculo(const TChaveVinculo &chave);
  // Condition on the link table under the alias given ("" when every link).
  QString Condicao(const QString &alias) const;
};

// The contexts in which a link's participation is checked.
enum TContextoParticipacao {
  cpParticipar,        // one link marked
  cpParticiparEmpresa, // the links of a company marked
  cpParticiparResp,    // every link marked
  cpSimulacao,
  cpFechamento,
};

// A link that an operation refused, with the first message it got.
struct TFalhaMovimento {
  TChaveVinculo Chave;
  QString Nome;        // worker's name
  QString Codigo;      // four-digit message number
  QStringList Codigos; // every message recorded for it, in order
};

struct TResultadoAbertura {
  bool Aberto = false;
  // Message number to show ("0063", "0062", "0397", "0201", "0144"); empty
  // with Aberto false for a business day of the index window that has no
  // payment-date row, which is refused without a message.
  QString Codigo;
  QString Argumento; // 0201: the payment dates the index tables cover
};

struct TResultadoMarcacao {
  // "0062" no open run, "0108" nothing to act on, "0144" database error.
  QString Codigo;
  int Alterados = 0;       // links whose state changed
  int NaoModificaveis = 0; // closed or processed links left alone
  QList<TFalhaMovimento> Falhas;
};

// One simulated link: the fields of the simulation window's worker dataset.
struct TTrabalhadorSimulado {
  TChaveVinculo Chave;
  QString NomeTrabalhador;
  TDateTime DtMovimentacao = NullDate;
  TCentavos Remu406, Remu407, Remu408, Remu400; // remunerations and fine base
  TCentavos ValTotRec;                          // the link's total
};

struct TEmpresaSimulada {
  int Tipo = 0;
  qint64 Inscricao = 0;
  QString Nome;
  TCentavos ValorARecolher;
  QList<TTrabalhadorSimulado> Trabalhadores;
};

struct TResultadoSimulacao {
  // Empty when the window can be shown; else "0062", "0108", "0368", "0238",
  // "0372" (a negative total stops it) or "0144".
  QString Codigo;
  TDateTime DataPagamento = NullDate;
  QList<TEmpresaSimulada> Empresas;
  QList<TFalhaMovimento> Falhas;
};

class TMovimento {
public:
  TMovimento();
  ~TMovimento();
  TMovimento(const TMovimento &) = delete;
  TMovimento &operator=(const TMovimento &) = delete;

  // Opens the run (or moves it) to a payment date: it must be a payment date
  // of the loaded index tables. On success the open-run row holds it and
  // DataPagamento is set.
  static TResultadoAbertura Abrir(TDateTime data);

  // The participation check of one link in a context. Every failed check is
  // recorded as a collection-run inconsistency; the result is false when any
  // failed. Codigos receives the message numbers in order.
  bool ValidarParticipacao(TVinculo &v, TContextoParticipacao contexto,
                           QStringList *Codigos = nullptr);

  // Marks the links of the scope that are neither closed nor processed and
  // pass the participation check; a refused link that was marked leaves the
  // run. The company and all-links levels clear the previous list of run
  // inconsistencies first.
  TResultadoMarcacao Marcar(const TEscopoMovimento &escopo);
  // Takes the marked links of the scope out of the run (state 1 -> 0).
  TResultadoMarcacao Desmarcar(const TEscopoMovimento &escopo);
  // Withdraws the scope from closed runs, in one transaction: the computed
  // amounts are cleared, closed and processed links (at link level the link,
  // whatever its state) go back to 0, the balance complements of open links
  // are recomputed and their totals stored, and the registration changes of
  // the scope are dropped. Nothing changes when a statement fails ("0144").
  TResultadoMarcacao Retirar(const TEscopoMovimento &escopo);

  // Computes, without storing, every marked link of the scope.
  TResultadoSimulacao Simular(const TEscopoMovimento &escopo);

  // First steps of the closing: every marked link is checked again and a
  // refused one leaves the run. "0108" when no link is marked, "0368" when
  // any was refused (Falhas lists them), empty when the generation may run.
  TResultadoMarcacao PrepararFechamento();
  // Last step of a closing whose generation succeeded, in one transaction:
  // the marked links become closed and the open-run row goes. False (with
  // "0144") when that failed; nothing changed then.
  static bool ConcluirFechamento(QString *Codigo = nullptr);

  // Why the last operation's links were refused, for a caller that lists them.
  TResponsavel &Responsavel();

private:
  void Registrar(TVinculo &v, const QString &codigo);
  bool AlteracaoPendente(const TVinculo &v);
  // Loads the links of a scope with an extra condition, ordered by company.
  bool CarregarVinculos(TVinculo &v, const TEscopoMovimento &escopo, const QString &condicao);

  // The rate table, read once per marking or closing check instead of once
  // per link.
  const TTabelaAliquotas &Aliquotas();

  // The termination data of a link: the row read at once for the closing
  // check when there is one, else the link's own.
  TRescisao &RescisaoDe(TVinculo &v);
  // Reads at once, for every link meeting a condition on the links (alias
  // VINC), what the participation check, the computation and the lists of
  // refused links would otherwise read per link (termination data, pending
  // name changes, accounts, worker names); the returned guard forgets it again.
  struct TLeituraConjunta {
    explicit TLeituraConjunta(TMovimento *movimento) : m(movimento) {}
    TLeituraConjunta(TLeituraConjunta &&o) noexcept : m(o.m) { o.m = nullptr; }
    TLeituraConjunta &operator=(TLeituraConjunta &&) = delete;
    ~TLeituraConjunta();
    TMovimento *m; // null: forgets nothing
  };
  [[nodiscard]] TLeituraConjunta LerDeUmaVez(const QString &condicaoVinculo);
  [[nodiscard]] TLeituraConjunta LerMarcadosDeUmaVez();
  void EsquecerLeituraConjunta();
  // What the check reads of a link's accounts: read at once when it was, else now.
  TResumoContas ResumoContasDe(const TVinculo &v);
  // The worker's name of a link: the one read at once when there is one.
  QString NomeDe(TVinculo &v);

  std::unique_ptr<TResponsavel> responsavel_;
  std::unique_ptr<TTabelaAliquotas> aliquotas_;
  // Read at once by the simulation and the closing check, which validate
  // every marked link; empty outside them.
  std::unique_ptr<TRescisao> rescisoes_;
  QHash<TChaveVinculo, int> linhaRescisao_;
  std::unique_ptr<QSet<TChaveVinculo>> alteracoesPendentes_;
  std::unique_ptr<TResumosContas> contas_;
  std::unique_ptr<QHash<TChaveVinculo, QString>> nomes_;
};

// Minimum termination balance of a category in force in a month (the newest
// rate row not after it); 0 when none.
// The table given is used instead of reading the rates again.
double SaldoMinimoCategoria(int categoria, TDateTime mes, const TTabelaAliquotas *tabela = nullptr);
