#pragma once
// The termination collection file that closing a run produces: one guide per
// company with the detail of every marked link, in the 533-character layout
// of unLeiauteRescisorio.h. Generating it computes and stores each link's
// amounts, stores the company and worker guides with their bar codes and the
// protocol of the sent file, and seals the plain file with the dump of the
// company guides into the bank's envelope (.HXF) where the user chooses.
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/unCentavos.h"
#include "interchange/UnArquivo.h"
#include "interchange/unArqGuia.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class TIbxUtils;
class TResponsavel;
class TVinculo;
class TCalculo;
class TProtocolo;
class TTabelaAliquotas;
class TTrabalhador;
class TRescisao;
struct TChaveVinculo;

// A company guide of the generated file, for whoever reports the closing.
struct TGuiaGerada {
  int Tipo = 0;
  qint64 Inscricao = 0;
  QString Nome;
  TCentavos Total;
  QString LinhaDigitavel; // 48 digits
};

class TArqRescisorio : public TArquivo {
public:
  TArqRescisorio();
  ~TArqRescisorio() override;

  int SequenciaLinha = 0;
  int QtdEmpresas = 0;
  QString Identificador;
  TDateTime DataRecolhimento = NullDate;
  // The guides of the file, in file order, once Processar succeeded.
  QList<TGuiaGerada> Guias;
  // True from the commit of the generation on (a cancel no longer applies).
  bool Confirmado = false;

  // The whole generation, from the marked links to the sealed file. True
  // when the file was written and the protocol completed. On failure
  // CodigoErro holds the message number (none for a cancel).
  bool Processar() override;
  // Saves Linhas as the plain file in the folder the user chooses, seals it
  // (with the dump of this file's company guides when IncluirGuias) into the
  // envelope of the chosen name, and removes the plain files. NomeArquivo
  // becomes the envelope's path. False when the choice was cancelled (no
  // code) or the envelope failed (0489-0491).
  bool SalvarEnvelope(QStringList Linhas, const QString &Identificador, bool IncluirGuias,
                      TDateTime DataRecolhimento);

  // Routes every insert through the object's own connection, so that the
  // inconsistencies of a failed generation survive its rollback.
  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

private:
  struct TEmpresaAtual;
  bool Gerar();
  bool LerMarcados();
  bool EscreverLinha(int tipo, const QString &linha);
  QString LinhaCabecalho();
  bool EscreverEmpresa(TVinculo &v);
  bool FecharEmpresa();
  bool EscreverVinculo(TVinculo &v);
  bool EscreverComplementos(TVinculo &v, int numero);
  void RegistrarVinculo(TVinculo &v, int mensagem, const QString &conteudo = {});
  void ExcluirProtocolo();
  void Avancar1();

  std::unique_ptr<TIbxUtils> conexao_;
  std::unique_ptr<TResponsavel> responsavel_;
  std::unique_ptr<TCalculo> calculo_;
  std::unique_ptr<TProtocolo> protocolo_;
  std::unique_ptr<TArqGuia> leitor_;
  std::unique_ptr<TEmpresaAtual> empresa_;
  TTotaisGuia totaisArquivo_;
  QString codigoBarras_;
  // Read once per run: the rate table, and which complement numbers each
  // marked link has (most have none), instead of queries per link.
  std::unique_ptr<TTabelaAliquotas> aliquotas_;
  QHash<TChaveVinculo, int> complementos_; // bit n-1 set: complement number n
  TResumosContas contas_;                  // the marked links' accounts
  QSet<TChaveVinculo> divergencias_;       // the marked links with a name divergence
  // The workers and termination data of every marked link, read at once;
  // each link's row is found by its key.
  std::unique_ptr<TTrabalhador> trabalhadores_;
  std::unique_ptr<TRescisao> rescisoes_;
  QHash<TChaveVinculo, int> linhaTrabalhador_, linhaRescisao_;
};
