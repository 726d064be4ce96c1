#pragma once
// The inconsistency registry: each problem found while checking a file or a
// collection run becomes a row of QZLTBG18_INCONSISTENCIA_ARQUIVO pointing to
// a numbered message; the lists and reports read them back by kind.
#include "unNegocio.h"

// Kinds of file or process (NU_ARQUIVO).
enum TTipoInconsistencia {
  tiFolha = 1,         // payroll import file
  tiCargaSaldo = 2,    // balance load file
  tiMovimento = 3,     // collection-run checks and termination collection file
  tiOcorrencia = 4,    // identification-key occurrence file
  tiGuiaProcessada = 5 // processed-guide return
};

class TInconsistencia : public TNegocio {
public:
  TInconsistencia();

  int NU_ARQUIVO = 0;
  int NU_MENSAGEM = 0;
  QString DE_CONTEUDO_CAMPO;
  int NU_LINHA_ERRO = 0; // 0: the file as a whole (stored as Null)
  QString CO_PIS_INCONSISTENCIA;
  QString CO_REGISTRO;
  QString NU_TIPO_INSCRICAO_EMPRESA;
  QString NO_EMPREGADO;
  QString NU_INSCRICAO_EMPRESA;
  // "ddmmyyyy" when recording, the stored "yyyy-mm-dd" when loaded, or empty.
  QString DT_ADMISSAO_INCONSISTENCIA;
  int NU_INCONSISTENCIA = 0;
  QString NO_RAZAO_SOCIAL;
  QString NO_RAZAO_SOCIAL_RSPNL_INCNA;
  QString NU_INSCRICAO_RSPNL_INCNA;
  QString NU_TIPO_INSCRICAO_RSPNL_INCNA;
  QString CO_CATEGORIA_INCONSISTENCIA;
  // NU_ARQUIVO shown by Listar; empty lists every kind.
  QString FiltroArquivo;
  // Message text of the current listed row (Null/empty when unknown).
  QString DE_MENSAGEM;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // Records the object as a new row: 1 recorded, 396 when NU_MENSAGEM is not
  // a message of the message table (nothing written), 0 on a database error.
  // Never raises.
  int Gravar();
  // True when NU_MENSAGEM is a row of the message table; raises on a database error.
  bool MensagemCadastrada() const;
  // Deletes every row of NU_ARQUIVO; false when the statement failed.
  bool ExcluirPorArquivo();
  // Loads the listing of FiltroArquivo and its first row; true when a row exists.
  bool Listar();
  // The listing of one kind (1 to 5); true when a row exists.
  bool ListarPorArquivo(int tipo);
  bool ExistemInconsistenciasMovimento() { return ListarPorArquivo(tiMovimento); }
  // Records a collection-run inconsistency (kind 3); the admission date as
  // "ddmmyyyy" or empty. True when the row was recorded.
  bool RegistrarMovimento(const QString &Mensagem, const QString &TipoInscResp,
                          const QString &NomeEmpregado, const QString &DtAdmissao,
                          const QString &Categoria, const QString &PIS, const QString &RazaoSocial,
                          const QString &InscEmpresa, const QString &TipoInscEmpresa,
                          const QString &NomeResp, const QString &InscResp);

  // The INSERT Gravar runs (exposed for the file classes' diagnostics).
  QString ComandoInsercao() const;
};

// While set, every inconsistency object writes through this connection
// instead of the shared one: an operation that may roll back its work keeps
// its inconsistencies (those the calculation engine records included) in a
// transaction of their own. TConexaoInconsistencias sets it for a scope.
extern TIbxUtils *ConexaoInconsistencias;
class TConexaoInconsistencias {
public:
  explicit TConexaoInconsistencias(TIbxUtils *c) : anterior_(ConexaoInconsistencias) {
    ConexaoInconsistencias = c;
  }
  ~TConexaoInconsistencias() { ConexaoInconsistencias = anterior_; }
  TConexaoInconsistencias(const TConexaoInconsistencias &) = delete;
  TConexaoInconsistencias &operator=(const TConexaoInconsistencias &) = delete;

private:
  TIbxUtils *anterior_;
};

// Deletes the inconsistencies of one kind (before a new run of that kind).
void ExcluirInconsistencias(int tipo);
