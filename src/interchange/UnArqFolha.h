#pragma once
// The payroll import file (VESK.re): 360-character records 00 (responsible
// party and collection date), 10 (company), 40 (worker, link and
// termination), 43-45 (balance complements of the preceding worker) and 90
// (trailer). The file is checked in four passes (structure, key fields,
// record contents, writing) and the database is written only when the whole
// file is free of inconsistencies, in one transaction.
#include "UnArquivo.h"
#include "collection/unTAliquotaDeposito.h"
#include "interchange/unLeiauteFolha.h"
#include "interchange/unVinculosGravados.h"
#include "unRegRegistro.h"

class TEstabelecimento;

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class TResponsavel;
class TEmpresa;
class TTrabalhador;
class TComplementoSaldo;
class TAlteracaoCadastral;
class TContaSaldoTrabalhador;

class TArqFolha : public TArquivo {
public:
  TArqFolha();
  ~TArqFolha() override;

  // Record length of the layout (column 360 holds "*").
  static constexpr int TamanhoRegistro = LeiauteFolha::Tamanho;

  bool ArquivoValido = true;
  bool RegistroValido = true;
  // The record just written added an entry to the registry tree.
  bool NovoNo = false;
  // One entry per line of the loaded file; handed to the balance request
  // after a successful import.
  TArrRegRegistro Indice;
  // Rebuilds the main window's tree after a successful import; the runner
  // makes it run on the main thread. Empty when there is no tree.
  std::function<void()> AtualizarArvore;

  // The whole import; the message code tells the reason of a false result and
  // the inconsistencies are rows of kind 1.
  bool Importar() override;
  // Marks the record and the file as invalid, then records the inconsistency.
  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

  // The passes, public so that each can be exercised on a loaded file.
  bool ValidarEstrutura();  // pass 1
  bool ValidarChaves();     // pass 2
  bool ValidarConteudo();   // pass 3
  bool GravarInformacoes(); // pass 4

private:
  // Working objects of one import.
  std::unique_ptr<TResponsavel> responsavel_;
  std::unique_ptr<TEmpresa> empresa_;
  std::unique_ptr<TTrabalhador> trabalhador_;
  std::unique_ptr<TComplementoSaldo> complemento_;

  // Last company key (type, inscription) of the last "10" record.
  QString ultTipoEmpresa_, ultInscEmpresa_;
  // Last worker key and dates of the last "40" record.
  int ultTipo_ = 0;
  qint64 ultInscricao_ = 0;
  qint64 ultPIS_ = 0;
  int ultCategoria_ = 0;
  TDateTime ultAdmissao_ = NullDate;
  TDateTime ultNascimento_ = NullDate;
  TDateTime ultDissidio_ = NullDate;
  TDateTime ultOpcao_ = NullDate;
  TDateTime ultMovimentacao_ = NullDate;
  QString ultCodMovimentacao_;
  // Last company's FPAS (the category rules of its links read it).
  QString ultFpas_;
  TDateTime dataRecolhimento_ = NullDate;
  QSet<QString> competenciasVistas_;

  // Line being checked (1-based) and its index entry.
  int linha_ = 0;
  // Results of the reference-table checks of the worker records, by their
  // inputs: thousands of links share a handful of categories, occupations and
  // movement codes, and each lookup is a database round trip.
  QHash<QString, QString> resultados_;
  // Collection-run state of every link stored before the writing pass, by
  // link key: what a re-imported link keeps depends on it.
  QHash<QString, int> estadosAnteriores_;
  // The worker records of the index grouped by PIS: the admission check
  // looks for the other links of the same worker, and handing it only those
  // keeps a large file from being scanned once per worker.
  QHash<QString, TArrRegRegistro> trabalhadoresPorPis_;
  // Stored admissions, complements and rates, read in bulk when the contents
  // pass starts.
  TVinculosGravados gravados_;
  // Read when the writing pass starts and kept up to date by it: the PIS of
  // the stored workers, and the keys under which contract or vacancy rows are
  // stored, so that inserting a new link makes no lookup of its own.
  QSet<qint64> trabalhadoresGravados_;
  QSet<QString> chavesComDependentes_;

  void CriarObjetos();
  void LiberarObjetos();
  void ReiniciarChaves();
  bool LinhaTemTrailerOuDados(const QString &linha) const;
  void PreencherIndice(int i, int tipo);
  void VerificarCancelamento() const;

  // Registration at the current line with the context of its record type.
  void Registrar(int Mensagem, const QString &Conteudo);
  // Same, at any line, with no record type and the responsible's context.
  void RegistrarSemTipo(int Linha, int Mensagem, const QString &Conteudo);
  void RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo);
  // A field's checks; the field's label opens the content of a failure.
  bool ChecarDigitos(const QString &valor, const TCampoArquivo &campo);
  bool ChecarData(const QString &valor, const TCampoArquivo &campo, TDateTime &data);
  void ChecarBrancos(const QString &linha, const TCampoArquivo &campo);
  void ChecarFimRegistro(const QString &linha);

  // Runs a check once per distinct input; later calls give its code again.
  bool ChecarUmaVez(const QString &chave, TNegocio &objeto, const std::function<bool()> &check);
  void CarregarGravadosValidacao();
  void CarregarGravadosGravacao();
  bool ValidarOrdem(int tipo, const QString &linha);
  void ValidarHeader(const QString &linha);
  void ValidarEmpresa(const QString &linha);
  // The address block of the header or of a company record.
  void ValidarEnderecoTelefone(TEstabelecimento &est, const QString &linha,
                               const TCampoArquivo *campos, const LeiauteFolha::TEndereco &bloco);
  void ValidarTrabalhador(const QString &linha);
  void ValidarComplemento(int tipo, const QString &linha);
  void ValidarTrailer(const QString &linha);

  bool GravarHeader();
  bool GravarEmpresa();
  bool GravarTrabalhador();
  bool GravarComplemento(int tipo, const QString &linha);
};
