#pragma once
// The loaded balances as the query window and the balance-occurrence report
// see them: employers with their sums, an employer's accounts, the deletions
// the query window offers, and the accounts the bank reported with an
// occurrence.
#include "registry/unChaveVinculo.h"

#include <QList>
#include <QString>

struct TSaldoEmpresa {
  int Tipo = 0;
  qint64 Inscricao = 0;
  QString RazaoSocial;
  qint64 Centavos = 0; // sum of the employer's balances
};

struct TSaldoConta {
  TChaveVinculo Chave;
  QString Nome; // as the account holds it
  TDateTime CreditoJuros = NullDate;
  qint64 Centavos = 0;
  qint64 EmpregadoVorda = 0;
  int SituacaoPis = 0;
  int Estado = 0; // the link's collection-run state
};

// One account of the balance-occurrence report.
struct TOcorrenciaSaldo {
  int Tipo = 0;
  qint64 Inscricao = 0;
  QString RazaoSocial;
  qint64 EmpresaVorda = 0;
  int SituacaoEmpresa = 0;
  QString DescricaoSituacaoEmpresa;
  qint64 PIS = 0;
  QString Nome;
  qint64 EmpregadoVorda = 0;
  int Mensagem = 0; // 233-237, 0 when only the employer has an occurrence
};

class TConsultaSaldo {
public:
  enum TResultado {
    Excluido,       // deleted; nothing of the employer is left
    Restam,         // deleted; accounts of closed links remain
    VinculoFechado, // the link is closed: nothing deleted
    Falhou          // nothing deleted
  };

  static QList<TSaldoEmpresa> Empresas();
  static QList<TSaldoConta> Contas(int tipo, qint64 inscricao);
  // In one transaction: the employer's pending name divergences, its
  // accounts except those of closed links, and the termination balances
  // refreshed. `restante` is the sum left, in centavos.
  static TResultado ExcluirEmpresa(int tipo, qint64 inscricao, qint64 &restante);
  // One account of a link that is not closed, with its name divergence.
  static TResultado ExcluirConta(const TSaldoConta &conta);
  // Every account with an occurrence, or only those of one link.
  static QList<TOcorrenciaSaldo> Ocorrencias(const TChaveVinculo *vinculo = nullptr);
};
