#pragma once
// The worker's fund accounts as the bank reports them in its balance file:
// one row per bank account of an employment link. The sum of a link's
// balances is the base of its termination fine.
#include "core/unCentavos.h"
#include "core/unNegocio.h"
#include "registry/unChaveVinculo.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

class TVinculo;
class TRescisao;
class TTrabalhador;

// What the participation check and the computation read of one link's
// accounts, gathered for many links by one query: a run has thousands of
// links, and reading their accounts one link at a time dominated marking,
// simulating and closing.
struct TResumoContas {
  // The first account in situations 0 to 3, as CarregarPorVinculo({0, 1, 2, 3})
  // meets it.
  bool TemConta0a3 = false;
  TDateTime GravacaoArquivo = NullDate;
  // The first account not excluded (situation <> 3), as CarregarPorVinculo() meets it.
  bool TemContaNaoExcluida = false;
  TDateTime CreditoJuros = NullDate;
  bool SaldoPis2 = false; // ExisteSaldoPis2
  TCentavos Soma;         // SomaSaldo: every account, every situation
};
using TResumosContas = QHash<TChaveVinculo, TResumoContas>;

class TContaSaldoTrabalhador : public TNegocio {
public:
  TContaSaldoTrabalhador();
  ~TContaSaldoTrabalhador() override;

  int NU_TIPO_INSO_EMPRA = 0;
  qint64 NU_INSCRICAO = 0;
  qint64 NU_PIS = 0;
  int NU_CATEGORIA = 0;
  TDateTime DT_ADMISSAO_VINCULO = NullDate;
  int MM_MAIOR_COMPETENCIA = 0;
  int NU_SITUACAO_CONTA_EMPREGADO = 0; // 3: account excluded from every load
  int NU_SITUACAO_PIS = 0;
  qint64 NU_EMPREGADO_VORDA = 0;
  double VR_SALDO_RESCISORIO = 0;
  int AA_MAIOR_COMPETENCIA = 0;
  TDateTime DT_GRAVACAO_ARQUIVO = NullDate;
  int NU_SITUACAO_CONTA_EMPRESA = 0;
  qint64 NU_EMPRESA_VORDA = 0;
  TDateTime DT_CREDITO_JUROS = NullDate;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  void DefinirChave(int tipo, qint64 inscricao, qint64 pis, int categoria, TDateTime admissao);
  QString CondicaoChave(const QString &alias = QString()) const;

  // Associated objects, created on first use (loaded by the key when
  // CarregarAssociados) and owned.
  TTrabalhador &Trabalhador();
  TVinculo &Vinculo();
  TRescisao &Rescisao();

  // Loads: attach the rows and load the first; "0144" and false on a database error.
  bool CarregarPorEmpresa(const QString &ordem = QString());
  bool CarregarPorPis(qint64 pis, const QString &ordem = QString());
  // No list: every situation but 3; with a list: those situations.
  bool CarregarPorVinculo(const QList<int> &situacoes = {});
  bool CarregarPorEstado(const QList<int> &estados, bool porEmpresa,
                         const QList<qint64> &contas = {});
  // Loads the first loaded row matching all six values.
  bool Localizar(int tipo, qint64 inscricao, int categoria, TDateTime admissao, qint64 pis,
                 qint64 conta);

  // Queries on the link of the object.
  bool ExisteSaldoPis2();
  bool ExisteSaldo();
  double SomaSaldo(); // every situation, 0 on error
  // The same answers for every link meeting a condition on
  // QZLTBG04_VINCULO_EMPREGATICIO (alias VINC), in one query; a link without
  // accounts has no entry. Throws EBancoDados.
  static TResumosContas ResumirPorVinculo(const QString &condicaoVinculo);
  // The same for one link, found by its key; a database error gives the
  // answers of a link without accounts, as the per-link queries above do.
  static TResumoContas ResumirVinculo(const TChaveVinculo &chave);

  // Row checks of the balance load; each clears CodigoErro and returns
  // whether it stayed empty.
  bool ValidarSituacaoConta();     // "0216"
  bool ValidarContaExcluida();     // "0282"
  bool ValidarSaldoContaInativa(); // "0379"
  bool ValidarSituacaoPis();       // "0285", "0345"
  bool ValidarMaiorCompetencia();  // "0286", "0034", "0102"
  bool ValidarDataCreditoJuros();  // "0346", "0369"

  // Inserts the row; when atualizarSaldo, refreshes the link's termination
  // balance from its accounts. False on a database error ("0144").
  bool Incluir(bool atualizarSaldo);
  // Deletes accounts of the object's employer: the whole employer or the
  // object's link, optionally only the object's bank account, optionally
  // sparing the links of closed runs (state 2 or 3). False on a database error.
  bool Excluir(bool todaEmpresa, bool porConta, bool preservarFechados);

private:
  bool Carregar(const QString &where, const QString &ordem = QString());
  // The summaries of the accounts a WHERE on CTAEPR selects.
  static TResumosContas Resumir(const QString &where);
  std::unique_ptr<TTrabalhador> trabalhador_;
  std::unique_ptr<TVinculo> vinculo_;
  std::unique_ptr<TRescisao> rescisao_;
};
