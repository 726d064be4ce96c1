#pragma once
// The Firebird binding of the database layer: one attachment, one shared
// transaction, statements run as complete SQL texts (no parameters).
#include "unTDBUtils.h"

#include <exception>
#include <memory>

class TIbxUtils : public TDBUtils {
public:
  TIbxUtils();
  ~TIbxUtils() override;

  // The exception of the last failed AbrirConsulta or ExecutarSQL.
  std::exception_ptr UltimoErro;

  bool EmTransacao() const override;
  void ConfigurarConexao() override;
  void Conectar() override;
  void ConfirmarTransacao() override;
  void DesfazerTransacao() override;
  void IniciarTransacao() override;
  TDataSetPtr AbrirConsulta(const QString &sql) override;
  // Runs a statement without a result set; returns the rows affected.
  // Outside a transaction it commits by itself; inside one it leaves the
  // outcome to the caller.
  int ExecutarSQL(const QString &sql);
  // Rolls back an open transaction and marks the object disconnected.
  void Desconectar();

  struct Impl;

private:
  std::unique_ptr<Impl> d;
};

// True when the failure means that another program holds the database file.
bool BancoEmUso(const EBancoDados &e);

// The one database object of the process.
extern TIbxUtils *IbxUtils;
