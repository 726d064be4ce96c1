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
  // On a server, where the engine cannot refuse a second program by itself:
  // takes the program's exclusive lock on the database for the rest of the
  // connection, or raises EBancoDados (BancoEmUso) at once when another
  // program holds it. The lock dies with the connection, also when the
  // program is killed. Nothing to do for a local file.
  void BloquearUsoExclusivo();

  struct Impl;

private:
  std::unique_ptr<Impl> d;
};

// True when the failure means that another program holds the database.
bool BancoEmUso(const EBancoDados &e);

// True for a Firebird server name, host[/port]:path (a drive letter such as
// C: is a local path).
bool NomeServidorBanco(const QString &nome);
// Longest wait for a server that does not answer, in seconds.
inline constexpr int TempoLimiteConexaoSegundos = 15;
// What to tell the user when a connection to a server fails for a reason the
// user can mend (wrong password, unreachable server, no wire encryption,
// missing database); empty for any other failure.
QString MensagemFalhaConexao(const EBancoDados &e, const QString &nomeBanco);

// The one database object of the process.
extern TIbxUtils *IbxUtils;
