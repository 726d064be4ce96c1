#pragma once
// The bank's balance file: its answer to a balance request, one account per
// worker record, loaded into the workers' balance accounts. The file is read
// in four passes (structure, totals, contents, storing); the storing pass
// writes every account in one transaction, so a failure or an interruption
// part-way leaves every stored balance as it was. Accounts of links that take
// part in a collection run, or were closed, are put aside until the user
// decides (AplicarPendentes).
#include "interchange/UnArquivo.h"
#include "interchange/unCampoArquivo.h"
#include "interchange/unRegRegistro.h"
#include "registry/unChaveVinculo.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TContaSaldoTrabalhador;
class TEmpresa;
class TTrabalhador;
class TVinculo;

// ------------------------------------------------------------------ layout

// The 160-character records of the balance file. Each record type is one
// table; the enumerations index them.
namespace LayoutSaldo {
inline constexpr int TamanhoRegistro = 160;

enum CampoCabecalho {
  cbTipoRegistro,
  cbTipoRemessa,
  cbCodigoServico,
  cbServico,
  cbTipoInscricao,
  cbInscricao,
  cbNome,
  cbDataGravacao,
  cbIdentificador,
  cbBrancos,
  cbZeros,
  cbSequencia
};
inline constexpr TCampoArquivo Cabecalho[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"TipoRemessa", 2, 1, TTipoCampoArquivo::Digitos, "Tipo Remessa: "},
    {"CodigoServico", 3, 2, TTipoCampoArquivo::Digitos, "Código de Serviço: "},
    {"Servico", 5, 4, TTipoCampoArquivo::Texto, ""},
    {"TipoInscricao", 9, 1, TTipoCampoArquivo::Digitos, "Tipo Inscrição: "},
    {"Inscricao", 10, 14, TTipoCampoArquivo::Digitos, "Inscrição: "},
    {"Nome", 24, 30, TTipoCampoArquivo::Texto, ""},
    {"DataGravacao", 54, 8, TTipoCampoArquivo::Data, "Data Gravação Arquivo: "},
    {"Identificador", 62, 30, TTipoCampoArquivo::Texto, ""},
    {"Brancos", 92, 35, TTipoCampoArquivo::Brancos, ""},
    {"Zeros", 127, 28, TTipoCampoArquivo::Zeros, ""},
    {"Sequencia", 155, 6, TTipoCampoArquivo::Digitos, "Número Sequêncial: "},
};

enum CampoEmpresa {
  emTipoRegistro,
  emEmpresaVorda,
  emNome,
  emDataCredito,
  emDataContabil,
  emTipoInscricao,
  emInscricao,
  emSituacao,
  emZeros,
  emSequencia
};
inline constexpr TCampoArquivo Empresa[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"EmpresaVorda", 2, 14, TTipoCampoArquivo::Digitos, "Número Empresa Vorda: "},
    {"Nome", 16, 40, TTipoCampoArquivo::Texto, ""},
    {"DataCredito", 56, 8, TTipoCampoArquivo::Data, "Data Crédito: "},
    {"DataContabil", 64, 8, TTipoCampoArquivo::Data, "Data Contábil: "},
    {"TipoInscricao", 72, 1, TTipoCampoArquivo::Digitos, "Tipo Inscrição: "},
    {"Inscricao", 73, 14, TTipoCampoArquivo::Digitos, "Inscrição: "},
    {"Situacao", 87, 2, TTipoCampoArquivo::Digitos, "Mensagem: "},
    {"Zeros", 89, 66, TTipoCampoArquivo::Zeros, ""},
    {"Sequencia", 155, 6, TTipoCampoArquivo::Digitos, "Número Sequêncial: "},
};

enum CampoConta {
  ctTipoRegistro,
  ctEmpresaVorda,
  ctEmpregadoVorda,
  ctNome,
  ctDataAdmissao,
  ctSaldo,
  ctCategoria,
  ctTipoInscricao,
  ctInscricao,
  ctPIS,
  ctSituacaoPis,
  ctSituacaoConta,
  ctAnoCompetencia,
  ctMesCompetencia,
  ctZeros,
  ctSequencia
};
inline constexpr TCampoArquivo Conta[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"EmpresaVorda", 2, 14, TTipoCampoArquivo::Digitos, "Número Empresa Vorda: "},
    {"EmpregadoVorda", 16, 11, TTipoCampoArquivo::Digitos, "Número Empregado Vorda: "},
    {"Nome", 27, 40, TTipoCampoArquivo::Texto, ""},
    {"DataAdmissao", 67, 8, TTipoCampoArquivo::Data, "Data Admissão: "},
    {"Saldo", 75, 13, TTipoCampoArquivo::Valor, "Saldo Base para Fins Rescisórios: "},
    {"Categoria", 88, 2, TTipoCampoArquivo::Digitos, "Categoria: "},
    {"TipoInscricao", 90, 1, TTipoCampoArquivo::Digitos, "Tipo Inscrição: "},
    {"Inscricao", 91, 14, TTipoCampoArquivo::Digitos, "Inscrição: "},
    {"PIS", 105, 11, TTipoCampoArquivo::Digitos, "PIS: "},
    {"SituacaoPis", 116, 2, TTipoCampoArquivo::Digitos, "Situacao do PIS: "},
    {"SituacaoConta", 118, 2, TTipoCampoArquivo::Digitos, "Situacao da Conta: "},
    {"AnoCompetencia", 120, 4, TTipoCampoArquivo::Digitos, "Maior Competência: "},
    {"MesCompetencia", 124, 2, TTipoCampoArquivo::Digitos, "Maior Competência: "},
    {"Zeros", 126, 29, TTipoCampoArquivo::Zeros, ""},
    {"Sequencia", 155, 6, TTipoCampoArquivo::Digitos, "Número Sequêncial: "},
};

enum CampoTrailerEmpresa { teTipoRegistro, teQuantidade, teTotal };
inline constexpr TCampoArquivo TrailerEmpresa[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"Quantidade", 16, 7, TTipoCampoArquivo::Digitos, "Quantidade de Depósito Optante: "},
    {"Total", 23, 16, TTipoCampoArquivo::Valor, "Valor Total do Saldo Disponível: "},
};

enum CampoTrailer { trTipoRegistro, trEmpresas, trContas, trTrailersEmpresa, trTotal };
inline constexpr TCampoArquivo Trailer[] = {
    {"TipoRegistro", 1, 1, TTipoCampoArquivo::Digitos, ""},
    {"Empresas", 2, 7, TTipoCampoArquivo::Digitos, "Quantidade de Registro 1: "},
    {"Contas", 9, 7, TTipoCampoArquivo::Digitos, "Quantidade de Registro 2: "},
    {"TrailersEmpresa", 16, 7, TTipoCampoArquivo::Digitos, "Quantidade de Registro 8: "},
    {"Total", 23, 16, TTipoCampoArquivo::Valor, "Valor Total das Contas Apresentadas: "},
};
} // namespace LayoutSaldo

// ------------------------------------------------------------------ load

// One account of the file, as the bank sent it, with what the load learned
// of its link.
struct TContaCarregada {
  TChaveVinculo Chave;
  qint64 EmpresaVorda = 0;
  qint64 EmpregadoVorda = 0;
  QString NomeBanco; // trimmed
  qint64 SaldoCentavos = 0;
  int SituacaoPis = 0;
  int SituacaoConta = 0;
  int AnoCompetencia = 0;
  int MesCompetencia = 0;
  int SituacaoEmpresa = 0;
  TDateTime DataCredito = NullDate;
  TDateTime DataGravacao = NullDate;
  int Linha = 0;
  // What the registry holds for the link.
  int Estado = 0;
  QString NomeRegistrado;
  bool AtualizarSaldo = true; // not "I3" and no collective-agreement amount
  bool Regular = true;        // ContaRegular

  // Fills a balance-account object with this account (and the bank's name).
  void Preencher(TContaSaldoTrabalhador &conta) const;
};

class TArqCargaSaldo : public TArquivo {
public:
  TArqCargaSaldo();
  ~TArqCargaSaldo() override;

  // Load date (set by the runner); protocol generation date of the answered
  // request. The server date when not positive.
  TDateTime DataCarga = NullDate;

  bool RegistroValido = true;
  bool ArquivoValido = true;
  bool ContaGravada = false;
  bool ContasPendentes = false;
  bool AlteracaoRegistrada = false;
  // Something of the registry changed (accounts stored or deleted, a name
  // divergence recorded): the tree must be rebuilt.
  bool RegistroAlterado = false;
  int ContasGravadas = 0;

  // One entry per line of the file.
  TArrRegRegistro Indice;
  // Accounts put aside for confirmation, in file order.
  QList<TContaCarregada> Pendentes;
  // Request identifier of the header.
  QString Identificador;
  // Rebuilds the main window's tree; the runner makes it run on the main
  // thread. Empty when there is no tree.
  std::function<void()> AtualizarArvore;

  bool Importar() override;
  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

  // Marks the answered request's protocol row: valid "S" (Atendido) or "N",
  // generation date = DataCarga.
  bool AtualizarProtocolo(bool Atendido);

  // The first put-aside account of each link, in file order (one grid row per
  // link).
  QList<TContaCarregada> VinculosPendentes() const;

  // The confirmation of put-aside accounts: for every chosen link, in one
  // transaction, its stored accounts are deleted and every put-aside account
  // of it is stored under the registered name; a closed link's computed
  // columns are cleared; the link returns to state 0 and its balance and
  // complements are recomputed. False (nothing changed, CodigoErro set) on
  // any failure. TodasRegulares turns false when an applied account is not
  // regular; Decidido when some account was applied.
  bool AplicarPendentes(const QList<TChaveVinculo> &escolhidos, bool &TodasRegulares);

  // ContaRegular of an account given the registered name of its worker.
  static bool ContaRegular(int SituacaoConta, int SituacaoPis, const QString &NomeBanco,
                           const QString &NomeRegistrado);

  // The passes, public so that each can be run on a loaded file.
  bool ValidarEstrutura();
  void ValidarTotais();
  void ValidarConteudo();
  bool GravarContas();

private:
  // What the storing pass does, in file order.
  struct TAcao {
    enum Tipo { ExcluirEmpresa, GravarConta } tipo;
    int Tipo_ = 0;
    qint64 Inscricao = 0;
    int Indice = -1; // into contas_
    int Linha = 0;
  };
  // What the registry holds of a link.
  struct TVinculoGravado {
    int Estado = 0;
    QString Movimentacao;
    bool ComDissidio = false;
    QString Nome;
  };

  std::unique_ptr<TContaSaldoTrabalhador> conta_;
  std::unique_ptr<TEmpresa> empresa_;
  std::unique_ptr<TTrabalhador> trabalhador_;
  std::unique_ptr<TVinculo> vinculo_;

  int linha_ = 0;
  bool cabecalhoValido_ = false;
  bool empresaValida_ = false;
  int situacaoEmpresa_ = 0;
  qint64 empresaVorda_ = 0;
  TDateTime dataCredito_ = NullDate;
  TDateTime dataGravacao_ = NullDate;
  QHash<TChaveVinculo, TVinculoGravado> vinculos_;
  QHash<int, bool> categorias_;
  std::vector<TContaCarregada> contas_;
  std::vector<TAcao> acoes_;

  void CriarObjetos();
  void LiberarObjetos();
  void VerificarCancelamento() const;
  void CarregarVinculos();
  void PreencherIndice(int i, int tipo);

  void Registrar(int Mensagem, const QString &Conteudo);
  void RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo);
  // Field checks by kind; each registers its failure.
  bool ChecarDigitos(const QString &linha, const TCampoArquivo &c, qint64 &valor);
  bool ChecarDigitos(const QString &linha, const TCampoArquivo &c);
  bool ChecarData(const QString &linha, const TCampoArquivo &c, TDateTime &data);
  void ChecarZeros(const QString &linha, const TCampoArquivo &c);
  void ChecarBrancos(const QString &linha, const TCampoArquivo &c);
  void ChecarFimRegistro(const QString &linha);

  bool ValidarCabecalho(const QString &linha);
  bool ValidarEmpresa(const QString &linha);
  void ValidarRegistroConta(const QString &linha);
  void SepararConta(TContaCarregada &c);
};
