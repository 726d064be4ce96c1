#pragma once
// The company guide of a closing (QZLTBG08_GUIA_TOTALIZADORA): the payable
// document of one employer, keyed by its digitable line, with the company
// data as printed on it. Stored by the termination file generation, completed
// by the bank's processed-guide return, printed and listed by the queries.
// Every operation returns false on a database error and sets no message.
#include "core/unNegocio.h"
#include "registry/unChaveVinculo.h"

#include <QList>
#include <QStringList>
#include <memory>

class TEmpresa;

class TGuiaEmpresa : public TNegocio {
public:
  TGuiaEmpresa();
  ~TGuiaEmpresa() override;

  QString CO_BARRAS;                // the 48-digit digitable line
  QString NU_IDENTIFICADOR_ARQUIVO; // 30 digits: always travels as text
  QString NU_BANCO;                 // empty until the bank's return
  QString NU_AGENCIA;
  TDateTime DT_PROCESSAMENTO = NullDate;
  TDateTime DT_QUITACAO = NullDate;
  TDateTime DT_RECOLHIMENTO = NullDate;
  double VR_TOTAL_RECOLHIDO = 0;

  // The company as printed on the guide (type, inscription, name, address,
  // phone, FPAS in NU_INSS, Simples, CNAE in NU_IBGE). Owned; it is filled
  // from the guide row and never loads itself from the registry.
  TEmpresa &Empresa();

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // The row of CO_BARRAS.
  bool CarregarPorCodigo();
  // The rows of these bar codes, "ORDER BY GUIAEMP." + Coluna ("NO_RAZAO_SOCIAL
  // DESC"). Any number of codes.
  bool CarregarLista(const QStringList &Codigos, const QString &Coluna);
  // The guide of NU_IDENTIFICADOR_ARQUIVO; false when there is none.
  bool CarregarPorArquivo();
  // DE_LINHA_ARQUIVO of the returned guide file kept for that identifier, by
  // NU_LINHA; null without an identifier or on a database error.
  TDataSetPtr LinhasOcorrencia(const QString &Identificador);

  // File generation: inserts the guide (bank and branch Null) or, when its bar
  // code is stored, rewrites the company columns, dates and total. False
  // without a bar code.
  bool GravarGeracao();
  // Processed-guide return: the stored row gets bank, branch, payment,
  // settlement and processing dates; a new one is inserted without a total.
  // False without a bar code.
  bool GravarRetorno();
  // Re-keys the guide of Antigo (and the individual guides stored under it)
  // to Novo with that total, all or nothing, inside the caller's transaction
  // when one is open. False when no guide has the old code.
  bool TrocarCodigo(const QString &Antigo, const QString &Novo, double Total);

  // Deletes the guide of CO_BARRAS / every guide of that file, with their
  // individual guides; the links whose settled and processed guide is gone go
  // from state 3 back to 2 (they are listed in VinculosReabertos for the tree).
  // One transaction: the caller's when open, else its own.
  bool ExcluirPorCodigo();
  bool ExcluirPorArquivo(const QString &Identificador);
  // The same for several bar codes at once (the guide query's delete).
  bool ExcluirCodigos(const QStringList &Codigos);
  QList<TChaveVinculo> VinculosReabertos;

private:
  std::unique_ptr<TEmpresa> empresa_;
  bool Carregar(const QString &condicao, const QString &ordem = QString());
  // The company columns as SQL literals, in the order of the column table.
  QStringList LiteraisEmpresa();
  QString InsercaoSQL(bool ComTotal);
  QString CondicaoCodigo() const;
  // Deletes the guides meeting each condition (on unqualified columns of the
  // company guide table) and re-opens the links left without a processed guide.
  bool Excluir(const QStringList &Condicoes);
};
