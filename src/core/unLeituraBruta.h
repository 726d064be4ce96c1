#pragma once
// A SELECT read row by row, each value in its stored form, in a read-only
// snapshot transaction. The table dump uses it: it must not round scaled
// numbers through a double, must not hold a whole table in memory, and must
// neither use nor disturb the shared transaction. It reads through an
// attachment of its own to the database the shared object is connected to
// (same name, user and password), so it sees committed data only; every
// Percorrer of one reader sees the same committed state.
#include "unTDBUtils.h"

#include <QByteArray>
#include <QDate>
#include <functional>
#include <vector>

class TLeituraBruta {
public:
  explicit TLeituraBruta(const TDBUtils &conexao);
  ~TLeituraBruta(); // ends the transaction (nothing was written) and detaches
  TLeituraBruta(const TLeituraBruta &) = delete;
  TLeituraBruta &operator=(const TLeituraBruta &) = delete;

  // One fetched row; valid only during the callback.
  class Linha {
  public:
    bool Nulo(int i) const;
    qint64 Inteiro(int i) const;   // SMALLINT/INTEGER/BIGINT, unscaled (NUMERIC keeps its digits)
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
  void Percorrer(const QString &sql, const std::function<void(const TColunas &, const Linha *)> &f);

private:
  void Fechar();
  void *banco_ = nullptr;
  void *transacao_ = nullptr;
};
