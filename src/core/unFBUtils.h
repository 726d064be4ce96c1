#pragma once
// The Firebird binding of the database layer: one attachment, one shared
// transaction, statements run as complete SQL texts (no parameters).
#include "unTDBUtils.h"

#include <exception>
#include <functional>
#include <vector>
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
  friend class TLeituraBruta;
  std::unique_ptr<Impl> d;
};

// A SELECT read row by row, each value in its stored form, in a read-only
// snapshot transaction of its own on the shared attachment. The table dump
// uses it: it must not round scaled numbers through a double, must not hold
// a whole table in memory, and must neither use nor disturb the shared
// transaction. Every Percorrer of one reader sees the same committed state.
class TLeituraBruta {
public:
  explicit TLeituraBruta(TIbxUtils *ibx);
  ~TLeituraBruta(); // ends the transaction (nothing was written)
  TLeituraBruta(const TLeituraBruta &) = delete;
  TLeituraBruta &operator=(const TLeituraBruta &) = delete;

  // One fetched row; valid only during the callback.
  class Linha {
  public:
    bool Nulo(int i) const;
    qint64 Inteiro(int i) const; // SMALLINT/INTEGER/BIGINT, unscaled (NUMERIC keeps its digits)
    QByteArray Texto(int i) const; // UTF-8, CHAR padding removed
    QDate Data(int i) const;
    quint32 Hora(int i) const; // ten-thousandths of a second since midnight
    double Real(int i) const;
    bool Booleano(int i) const;

  private:
    friend class TLeituraBruta;
    const unsigned char *buf_ = nullptr;
    const std::vector<unsigned> *tipos_ = nullptr, *desl_ = nullptr, *nulo_ = nullptr,
                                *tam_ = nullptr;
  };
  using TColunas = std::vector<TDataSet::Coluna>;
  // Calls f once with the columns (Linha null) and then once per row.
  void Percorrer(const QString &sql,
                 const std::function<void(const TColunas &, const Linha *)> &f);

private:
  TIbxUtils *ibx_;
  void *transacao_ = nullptr;
};

// True when the failure means that another program holds the database file.
bool BancoEmUso(const EBancoDados &e);

// The one database object of the process.
extern TIbxUtils *IbxUtils;
