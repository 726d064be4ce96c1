#pragma once
// The bank's rejected-resend notice: its answer refusing guides of a resend
// request, 500-character lines (0 header, 1 refused guide, 9 trailer). The
// processed-guide import hands it the lines; each refused guide becomes an
// inconsistency of file kind 5 with the message of its occurrence code.
#include "interchange/UnArquivo.h"

#include <QString>
#include <QVector>
#include <memory>

class TResponsavel;
class TEmpresa;

struct TRegRegistroReenv {
  QString Tipo;          // record type (position 1)
  QString TipoInscricao; // header: 16; guide: 2
  QString Inscricao;     // header: 17-30; guide: 3-16
  QString Nome;          // header: 31-54; guide: empty
};
using TArrRegRegistroReenv = QVector<TRegRegistroReenv>;

class TArqReeenvioRejeitado : public TArquivo {
public:
  TArqReeenvioRejeitado();
  ~TArqReeenvioRejeitado() override;

  bool ArquivoValido = true;
  bool RegistroValido = true;

  // Checks the lines given in Linhas (file kind NumeroArquivo, 5) in four
  // passes and registers the refused guides. True when every pass succeeded.
  bool Importar() override;
  // The resend request's identifier read from the header (positions 55-84).
  QString IdentificadorArquivo() const { return identificador_; }

  // Occurrence code (1-16) to its message number; 0 outside the table.
  static int MensagemOcorrencia(int codigo);

  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

private:
  bool Passo1Estrutura();
  bool Passo2Inscricoes();
  bool Passo3Conteudo();
  bool Passo4Ocorrencias();
  // Registers with the header's responsible party as context.
  void Registrar(const QString &Conteudo, const QString &Registro, int Linha, int Mensagem);
  bool InscricaoValida(const QString &Tipo, const QString &Inscricao);

  QString identificador_;
  int detalhes_ = 0;
  TArrRegRegistroReenv indice_;
  QString tipoResp_, inscResp_, nomeResp_;
  std::unique_ptr<TResponsavel> responsavel_;
  std::unique_ptr<TEmpresa> empresa_;
};
