#pragma once
// The bank's identification-key occurrence file (file kind 4): for the
// responsible party, each company and each worker of a submission, whether
// the bank accepted it and, for an accepted worker, the key with which the
// worker draws the fund. Checked in passes (record index, structure,
// content); only a file free of inconsistencies is stored, whole, in the
// homologation tables, one load per header record.
#include "interchange/UnArquivo.h"
#include "interchange/unRegRegistro.h"
#include "registry/unHomologacao.h"

#include <QString>
#include <QStringList>
#include <memory>

class TResponsavel;
class TEmpresa;
class TTrabalhador;

// One line cut by its record's layout table: the record type and the text of
// every field of that table, in table order.
struct TCampoArquivo;
struct TRegChaveIdentificacao {
  int Tipo = -1;
  QStringList Campos;
  const TCampoArquivo *Tabela = nullptr; // the layout the line was cut by
  QString Campo(int indice) const { return Campos.value(indice); }
  // False for a line that is not a "00", "10" or "40".
  bool Cortar(const QString &linha);
};

class TArqChaveIdentificacao : public TArquivo {
public:
  TArqChaveIdentificacao();
  ~TArqChaveIdentificacao() override;

  bool ArquivoValido = true;
  bool RegistroValido = true;
  TArrRegRegistro Indice;
  std::unique_ptr<TResponsavel> Responsavel;
  std::unique_ptr<TEmpresa> Empresa;
  std::unique_ptr<TTrabalhador> Trabalhador;
  std::unique_ptr<TResponsavelHmlgo> ResponsavelHmlgo;
  std::unique_ptr<TEmpresaHmlgo> EmpresaHmlgo;
  std::unique_ptr<TEmpregadoHmlgo> EmpregadoHmlgo;
  // The load date, stored as each load's TS_RETORNO_ARQUIVO.
  TDateTime DataRetorno = NullDate;
  // Identifiers of the loads stored by the last successful Processar.
  QStringList CargasGravadas;

  // The whole load; CodigoErro tells why it failed.
  bool Processar() override;

  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

private:
  bool MontarIndice();
  bool ValidarEstrutura();
  bool ValidarOrdem();
  bool ValidarConteudo();
  bool GravarBanco();
  // Reports on line `linha` (1-based) with the context of Indice: the
  // responsible party of the first entry, and the company (and worker) of
  // that line. SoResponsavel limits the context to the responsible party.
  void Reportar(int linha, int mensagem, const QString &conteudo, bool SoResponsavel = false);
  // Digits check of one field of a cut record: "0011" with its label.
  void ValidarDigitos(const TRegChaveIdentificacao &r, int campo, int linha,
                      bool SoResponsavel = false);
  void ProximaLinha(); // cancel test and progress, between lines
};
