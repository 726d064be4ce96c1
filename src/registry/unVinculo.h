#pragma once
// One employment link (QZLTBG04_VINCULO_EMPREGATICIO): the bond of a worker
// with a company in one category from one admission date. Holds the link's
// data, the field checks that decide whether it may take part in a collection
// run, and the full check of every link that marks each one consistent or not.
#include "core/unNegocio.h"
#include "interchange/unRegRegistro.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class TEmpresa;
class TTrabalhador;
class TRescisao;
class TResponsavel;

// Result of ValidarVinculos.
struct TRetValidaCadastro {
  QString Codigo; // message number of the last link examined, empty when it passed
  bool HouveInconsistencia = false; // at least one inconsistency was recorded
};

// Outcome of the date check shared by the registry checks.
enum TResultadoData {
  rdValida = 0,       // a real date from 02/01/1900 on, or no date at all
  rdNaoEhData = 1,    // what the text-to-date conversion gives for a text that is not a date
  rdAnterior1900 = 2, // a date before 02/01/1900
};
TResultadoData VerificarData(TDateTime data);

class TVinculo : public TNegocio {
public:
  TVinculo();
  ~TVinculo() override;

  // Link key.
  quint8 NU_TIPO_INSO_EMPRA = 0;
  qint64 NU_INSCRICAO = 0;
  qint64 NU_PIS = 0;
  qint8 NU_CATEGORIA = 0; // -1 when a file field was not a number
  TDateTime DT_ADMISSAO_VINCULO = NullDate;

  quint8 IC_ESTADO_MOVIMENTO = 0; // 0 out of the run, 1 marked, 2 closed, 3 processed
  quint8 NU_TIPO_INSO_TMDR = 0;
  qint64 NU_INSCRICAO_TMDR = 0;
  qint32 QT_HORAS_TRBS_SMNA = 0;
  quint8 IC_AVISO_PREVIO = 0; // 1 worked, 2 indemnified, 3 absence or waiver
  QString IC_REPOSICAO_VAGAS;
  QString CO_CBO;
  QString CO_MOVIMENTACAO;
  QString CO_SAQUE;
  TDateTime DT_OPCAO = NullDate;
  TDateTime DT_MOVIMENTACAO_VINCULO = NullDate;
  TDateTime DT_INICIO_AVISO_PRVO = NullDate;

  QString DE_MOVIMENTACAO;
  bool IC_VALIDACAO_VINCULO = false; // true: an open registration inconsistency
  QString NU_BANCO_CONTA;
  QString NU_AGENCIA_CONTA;
  QString NU_CONTA_BANCARIA;
  QString IC_CONSIGNADO;
  QString IC_VAGA_PNE;
  QString CO_CBO_REPOSICAO;
  qint32 NU_DDD_TEL_RCTDOR = 0;
  qint32 NU_TEL_RCTDOR = 0;
  QString IC_APP_EN_VORDA;
  QString END_EMAIL;
  // Detail of messages 0509-0511 (ValidarMovimentacaoPeriodo).
  QString DetalheErro;

  // Owned associated objects, created on first access; when CarregarAssociados
  // is true a new one loads itself by this link's key.
  TEmpresa &Empresa();
  TTrabalhador &Trabalhador();
  TRescisao &Rescisao();
  // Makes Trabalhador() answer with a worker object the caller already holds
  // (the worker that owns this link), without taking it over; nullptr
  // returns to the owned one.
  void DefinirTrabalhador(TTrabalhador *Externo);

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // ------------------------------------------------------------------ checks
  bool ValidarCategoria(bool SomenteTabela);
  bool ValidarCBO();
  bool ValidarMovimentacao();
  bool ValidarSaque();
  // PrimeiraAdmissaoGravada: the earliest admission among the stored links of
  // the worker (NullDate when none), for a caller that read them in bulk;
  // without it the check counts them in the database.
  bool ValidarDataAdmissao(bool VerificarTrabalhador, const TArrRegRegistro *Registros = nullptr,
                           std::optional<TDateTime> PrimeiraAdmissaoGravada = std::nullopt);
  bool ValidarDataOpcao();
  // UltimoComplementoGravado: the latest month (yyyymm) of the link's stored
  // balance complements (0 when none), for a caller that read them in bulk;
  // without it the check reads the link's complements.
  bool ValidarDataMovimentacao(std::optional<int> UltimoComplementoGravado = std::nullopt);
  bool ValidarInicioAvisoPrevio();
  bool ValidarAvisoPrevio();
  bool ValidarHorasSemanais();
  bool ValidarReposicaoVagas();
  bool ValidarTomador();
  bool ValidarInscricaoTomador();
  bool ValidarBanco();
  bool ValidarAgencia();
  bool ValidarConta();
  bool ValidarMovimentacaoPeriodo();
  bool ValidarConsignacoesInformadas();
  bool ValidarContratosConsignacao();
  bool ValidarInstituicoesConsignacao();
  bool ValidarDatasConsignacao();
  bool ValidarEmailReposicao();

  // Checks every link of the loaded dataset from the current row to the end,
  // recording kind-3 inconsistencies when asked and marking each link.
  void ValidarVinculos(bool RegistrarInconsistencias, TResponsavel *Responsavel,
                       TRetValidaCadastro &Resultado);
  // Todos false: this link only (an inconsistent link in state 1 leaves the
  // open run); Todos true: every link.
  bool MarcarValidacao(bool Todos, bool Inconsistente);

  // ---------------------------------------------------------------- loading
  bool CarregarPorChave(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                        qint64 Inscricao);
  bool Recarregar();
  bool CarregarTodos();
  bool CarregarParticipantes(bool SemFiltro, int Tipo, TDateTime DtAdmissao, int Categoria,
                             qint64 PIS, qint64 Inscricao);
  QString ConsultarMovimentacao(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                qint64 Inscricao);
  double ConsultarValorDissidio(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                                qint64 Inscricao);
  QString DescricaoAvisoPrevio() const;

  // ----------------------------------------------------------------- saving
  // The link row alone (the worker save writes the rest). Incluir writes state
  // 0; Alterar writes the state held by the object and IC_VALIDACAO_VINCULO "N"
  // (a saved link counts as validated). Both write IC_REPOSICAO_VAGAS "N": the
  // replacement row of QZLTBG30 tells whether there is one. A database error
  // sets "0144" and is raised again so that the caller rolls back.
  bool Incluir();
  bool Alterar();
  // Writes IC_ESTADO_MOVIMENTO of this link and keeps it in the object;
  // "0144" and false on a database error.
  bool GravarEstadoMovimento(int NovoEstado);

  // WHERE condition on the five key columns of this link, for the table alias
  // given (empty: bare column names).
  QString CondicaoChave(const QString &Alias = QString()) const;

private:
  std::unique_ptr<TEmpresa> FEmpresa;
  std::unique_ptr<TTrabalhador> FTrabalhador;
  std::unique_ptr<TRescisao> FRescisao;
  TTrabalhador *TrabalhadorExterno = nullptr;

  bool CarregarSQL(const QString &sql);
  // True when the query's first column of the first row reads above 0.
  bool ContagemPositiva(const QString &sql);
};

// WHERE condition on a link key written with the literal builders.
QString CondicaoVinculo(int Tipo, qint64 Inscricao, qint64 PIS, int Categoria, TDateTime DtAdmissao,
                        const QString &Alias = QString());
