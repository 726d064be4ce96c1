#pragma once
// A worker (QZLTBG03_EMPREGADO, keyed by PIS) together with one of the
// worker's employment links. One save writes the worker, the link, the
// link's payroll-loan contracts, its vacancy-replacement data and its
// termination-information row, all or nothing.
#include "core/unNegocio.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>

class TVinculo;
struct TChaveVinculo;

// The payroll-loan contracts typed on the worker screen, one table of text
// cells shared by the program. Row 0 is a heading; each further row is one
// contract: institution code, contract number, signature date "dd/mm/yyyy".
// An empty list is the heading and one blank row.
using TListaConsignacoes = QList<QStringList>;
extern TListaConsignacoes ListaConsignacoes;
enum TColunaConsignacao { ccInstituicao = 0, ccContrato = 1, ccData = 2 };
TListaConsignacoes ListaConsignacoesVazia();

class TTrabalhador : public TNegocio {
public:
  TTrabalhador();
  ~TTrabalhador() override;

  QString NU_PIS; // 11 digits
  QString NU_GRAU_INSTRUCAO;
  QString NO_EMPREGADO;
  QString NU_CTPS;
  QString NU_SERIE_CTPS;
  int IC_SEXO = 0; // 1 or 2
  TDateTime DT_NASCIMENTO = NullDate;
  QString NU_INSCRICAO_CPF;  // 11 digits or empty
  qint32 NU_DDD_CELULAR = 0; // 0: none
  qint32 NU_TEL_CELULAR = 0; // 0: none

  // The current link, owned, created on first access. It inherits this
  // object's CarregarAssociados.
  TVinculo &Vinculo();

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // ------------------------------------------------------------------ checks
  bool ValidarPIS();                         // "0109"
  bool ValidarCPF();                         // "0038"
  bool ValidarNome();                        // "0093"
  bool ValidarGrauInstrucao();               // "0071", "0072"
  bool ValidarSexo();                        // "0121", "0122"
  bool ValidarDataNascimento();              // "0329", "0055", "0053"
  bool ValidarCTPS(bool ExigirNaoZero);      // "0098", "0099", "0100"
  bool ValidarSerieCTPS(bool ExigirNaoZero); // "0118", "0119", "0120"
  bool ValidarCelular();                     // "0502"
  // True (and "0208") when the link key is already stored.
  bool VinculoJaCadastrado();
  // Empties the booklet fields when the link's category carries no booklet.
  void AplicarUsoCTPS();

  // ----------------------------------------------------------------- loading
  // The worker with the link of that key. Database error: "0144", raised again.
  bool CarregarPorVinculo(int Tipo, const QString &Inscricao, TDateTime DtAdmissao, int Categoria,
                          const QString &PIS);
  // Every link of the worker; False when none or on a database error ("0144").
  bool CarregarPorPIS(const QString &PIS);
  // One row per link marked for the open run (a closing reads them all at
  // once); Linhas gets each link's row. Database error: "0144", raised again.
  bool CarregarMarcados(QHash<TChaveVinculo, int> &Linhas);
  void CarregarTodos();
  // Workers whose name contains the text (quotes and accents are plain text).
  void PesquisarPorNome(const QString &Parte);
  // Links of one company that have termination information, with the
  // company's NO_RAZAO_SOCIAL.
  void CarregarComRescisao(const QString &Tipo, const QString &Inscricao);
  // NO_EMPREGADO of the loaded row whose PIS is that one; empty when none.
  void NomeDoPIS(const QString &PIS, QString &Nome);
  // The link's contracts (CO_INSTITUICAO_CNSGTRA, NU_CONTRATO, DT_NU_CONTRATO),
  // owned by the caller.
  TDataSetPtr ConsultarConsignacoes(int Tipo, const QString &Inscricao, TDateTime DtAdmissao,
                                    int Categoria, const QString &PIS);

  // ------------------------------------------------------------------ saving
  // New link (and the worker, inserted or updated). "0208" when the link
  // exists. A database error sets "0144" and is raised again; nothing of the
  // save remains.
  bool Incluir();
  // What a caller that read the stored rows in bulk beforehand (the payroll
  // import) knows about a link it is about to insert, which it vouches is not
  // stored: the insert then makes no lookup of its own.
  struct TSituacaoGravada {
    bool TrabalhadorGravado = false; // the worker's row exists
    // Contract or vacancy rows are stored under the link's key (left by an
    // earlier link of that key); when false there is nothing to clear first.
    bool DependentesGravados = true;
  };
  bool Incluir(const TSituacaoGravada &Situacao);
  // Updates the worker and, unless SomenteTrabalhador, the link with its
  // contracts, vacancy data and termination information.
  bool Alterar(bool SomenteTrabalhador);
  // Deletes this link (or, TodosDaEmpresa, every link of the link's company)
  // with every dependent row, then the workers left without links.
  bool ExcluirVinculos(bool TodosDaEmpresa);
  // Same, by key; PIS, Categoria and DtAdmissao are ignored with TodosDaEmpresa.
  // Raises on a database error.
  static void ExcluirVinculosDaChave(TIbxUtils *Ibx, int Tipo, qint64 Inscricao, qint64 PIS,
                                     int Categoria, TDateTime DtAdmissao, bool TodosDaEmpresa);
  // Replaces the link's contracts by those of ListaConsignacoes.
  void GravarConsignacoes();
  void ExcluirConsignacoes();
  void GravarReposicaoVaga();
  void ExcluirReposicaoVaga();
  static void DefinirListaConsignacoes(const TListaConsignacoes &Lista);

  // ------------------------------------------------------- balance refresh
  // The link's termination balance from its loaded bank accounts. A link
  // without accounts keeps the balance its employer informed (origin "E"). False (nothing done)
  // unless all five key parts are above zero; database errors are raised.
  bool AtualizarSaldoRescisorio(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                qint64 Inscricao);
  // The same for every link that has bank accounts or whose balance came from
  // the bank ("C").
  bool AtualizarSaldosRescisorios();

private:
  std::unique_ptr<TVinculo> FVinculo;
  QHash<int, bool> CategoriaSemCTPS; // IC_CTPS "N" by category, read once

  qint64 PisNumero() const;
  QString CondicaoVinculoAtual() const;
  void GravarTrabalhador(bool Novo);
  // The link row and its dependents (contracts, vacancy, termination row);
  // the stored contract and vacancy rows of the key are cleared unless the
  // caller knows there are none.
  void GravarVinculo(bool Novo, bool LimparDependentes = true);
  bool IncluirNovo(const TSituacaoGravada *Conhecida);
  void CarregarSQL(const QString &condicao, const QString &ordem);
};
