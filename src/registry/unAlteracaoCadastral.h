#pragma once
// A registration change (QZLTBG05_ALTERACAO_CADASTRAL): a discrepancy between
// what the employer registered and what the bank holds, kept until the user
// resolves it. The only kind produced is 406, a divergent worker name found
// when the bank's balance file is loaded.
#include "core/unNegocio.h"

#include <QSet>
#include <QString>
#include <memory>

class TTrabalhador;
struct TChaveVinculo;

inline constexpr int AlteracaoNomeTrabalhador = 406;

class TAlteracaoCadastral : public TNegocio {
public:
  TAlteracaoCadastral();
  ~TAlteracaoCadastral() override;

  QString IC_CONFIRMACAO; // "S" confirmed, "N" pending
  QString NU_PIS;
  QString DE_CONTEUDO_ANTERIOR; // what the bank holds (kind 406: its worker name)
  QString NU_INSCRICAO;
  QString NU_TIPO_ALTERACAO;
  QString NU_CATEGORIA;
  QString NU_TIPO_INSO_EMPRA;
  TDateTime DT_ADMISSAO_VINCULO = NullDate;
  QString NU_EMPREGADO_VORDA_ALT_CDSTL;
  QString NU_EMPRESA_VORDA_ALT_CADASTRAL;

  // The worker, owned, created on first access (loaded by PIS when
  // CarregarAssociados is true).
  TTrabalhador &Trabalhador();

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // Loads the change rows of a link (every kind), ordered by kind.
  bool CarregarPorVinculo(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                          qint64 Inscricao);

  // False on a database error (no code).
  bool Incluir();
  bool Alterar();
  bool Excluir(bool Todas);

  // These let a database error reach the caller, which rolls back.
  bool NomeConfere(const QString &Nome, qint64 PIS);
  bool ExisteDivergenciaNome();
  // The links with a name divergence (ExisteDivergenciaNome with no bank
  // worker number) among those meeting a condition on
  // QZLTBG04_VINCULO_EMPREGATICIO (alias VINC), in one query.
  static QSet<TChaveVinculo> VinculosComDivergenciaNome(const QString &condicaoVinculo);
  // Escolha 'N': take the bank's name (Nome) and drop the change rows;
  // otherwise keep the registered name: confirm the rows of the bank account
  // whose name is Nome and drop the ones still pending.
  void ResolverDivergenciaNome(int Tipo, int Categoria, QChar Escolha, const QString &Nome,
                               TDateTime DtAdmissao, qint64 PIS, qint64 Inscricao);

private:
  std::unique_ptr<TTrabalhador> FTrabalhador;
};
