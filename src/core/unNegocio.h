#pragma once
// Base of every business object: one owned result set with navigation over
// it, column access, the shared database object, the validation result code
// and the three-step loading protocol (Inicializar, Limpar, CarregarAtributos).
#include "unFBUtils.h"

#include <QString>
#include <stdexcept>

// Raised for misuse of a business object (no result set, an unknown search
// key, an empty message code); invalid user data is reported through
// CodigoErro instead.
class ENegocio : public std::runtime_error {
public:
  explicit ENegocio(const QString &mensagem)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem) {}
  QString Mensagem;
};

class TNegocio {
public:
  TNegocio();
  virtual ~TNegocio();
  TNegocio(const TNegocio &) = delete;
  TNegocio &operator=(const TNegocio &) = delete;

  // Empty when the last validation passed, else the 4-digit message number.
  QString CodigoErro;
  // SELECT list and FROM part (with joins) of the object's base query.
  QString SqlSelect;
  QString SqlFrom;
  // When true, lazy getters of associated objects load them by key; when
  // false they only create empty objects.
  bool CarregarAssociados = true;
  // The shared database object (not owned).
  TIbxUtils *Ibx = nullptr;

  // The protocol every descendant fills in. The base versions of Inicializar
  // and Limpar raise: a class that never triggers them may leave them out.
  virtual void Inicializar();
  virtual void Limpar();
  // Base: calls Limpar. Descendants call the inherited step first, then copy
  // the columns of the current row into their attributes.
  virtual void CarregarAtributos();

  // Takes ownership of a result set, replacing (and freeing) the current one.
  void AtribuirDataSet(TDataSetPtr ds);
  // Runs a SELECT through Ibx and attaches its result.
  void AbrirDataSet(const QString &sql);
  TDataSet *ObterDataSet() const { return DataSet.get(); }

  // Column of the current row; the result set raises for an unknown name.
  TField Campo(const QString &nome) const;
  // Exact, case-sensitive column name test.
  bool PossuiCampo(const QString &nome) const;

  void Primeiro();
  // At the end of the rows the last row stays loaded and FimDados turns true.
  void Proximo();
  bool FimDados() const;
  int QuantidadeRegistros() const;
  // First row (from the top) whose column, read as text, equals the value.
  // Found: the row becomes current and is loaded. Not found: nothing changes.
  bool Localizar(const QString &campo, const QString &valor);

protected:
  TDataSet &DataSetValido() const;
  TDataSetPtr DataSet;

private:
  // Set by Proximo on the last row: the end is reached, the row stays current.
  bool AlemDoFim = false;
};
