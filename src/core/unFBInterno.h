#pragma once
// Pieces of the Firebird binding shared by the connection object and the raw
// table reader: the master interface, the throwing status, the conversion of
// Firebird's exception into ours, owners of statement, cursor and metadata,
// the date and time decoding and the column description of a result. Only
// the two binding files include it.
#include "unTDBUtils.h"

#include <QDate>
#include <QTime>
#include <firebird/Interface.h>
#include <string>
#include <vector>

namespace fbinterno {
using namespace Firebird;

inline IMaster *Master() {
  static IMaster *m = fb_get_master_interface();
  return m;
}

// A status wrapper that throws and is always disposed.
struct Status {
  Status() : st(Master()->getStatus()) {}
  ~Status() { st.dispose(); }
  ThrowStatusWrapper *operator&() { return &st; }
  ThrowStatusWrapper st;
};

inline EBancoDados Converter(const FbException &e) {
  char texto[2048];
  Master()->getUtilInterface()->formatStatus(texto, sizeof texto, e.getStatus());
  const intptr_t *v = e.getStatus()->getErrors();
  long codigo = (v && v[0] == isc_arg_gds) ? static_cast<long>(v[1]) : 0;
  return EBancoDados(QString::fromUtf8(texto).trimmed(), codigo);
}

// Runs a call of the client library, turning its exception into ours.
template <typename F> auto Fb(F &&f) -> decltype(f()) {
  try {
    return f();
  } catch (const FbException &e) {
    throw Converter(e);
  }
}

// Owners that give back every interface on every path.
struct Instrucao {
  IStatement *p = nullptr;
  ~Instrucao() {
    if (!p)
      return;
    try {
      Status st;
      p->free(&st);
    } catch (...) {
      p->release();
    }
  }
};
struct Cursor {
  IResultSet *p = nullptr;
  ~Cursor() {
    if (!p)
      return;
    try {
      Status st;
      p->close(&st);
    } catch (...) {
      p->release();
    }
  }
};
struct Metadados {
  IMessageMetadata *p = nullptr;
  ~Metadados() {
    if (p)
      p->release();
  }
};

// Attaches to the database named `nome`. Texts travel as UTF-8 (the database
// keeps them in the Western code page). A server name also asks for wire
// encryption and SRP logins, refusing a server that offers neither, and gives
// up on a server that does not answer within the connection time limit.
IAttachment *AnexarBanco(const std::string &nome, const std::string &usuario,
                         const std::string &senha);

// ISC_DATE counts days from 17/11/1858.
inline QDate DecodificarData(ISC_DATE d) {
  return QDate(1858, 11, 17).addDays(d);
}
inline QTime DecodificarHora(ISC_TIME t) {
  return QTime(0, 0).addMSecs(static_cast<int>(t / 10)); // units of 1/10000 s
}

inline std::vector<TDataSet::Coluna> LerColunas(IMessageMetadata *meta, unsigned n) {
  Status st;
  std::vector<TDataSet::Coluna> cols;
  cols.reserve(n);
  for (unsigned i = 0; i < n; ++i) {
    const unsigned tipo = meta->getType(&st, i);
    const int escala = meta->getScale(&st, i);
    TTipoCampo t = TTipoCampo::Texto;
    switch (tipo) {
    case SQL_SHORT:
    case SQL_LONG:
      t = escala < 0 ? TTipoCampo::Decimal : TTipoCampo::Inteiro;
      break;
    case SQL_INT64:
      t = escala < 0 ? TTipoCampo::Decimal : TTipoCampo::Inteiro64;
      break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      t = TTipoCampo::Real;
      break;
    case SQL_TYPE_DATE:
      t = TTipoCampo::Data;
      break;
    case SQL_TYPE_TIME:
      t = TTipoCampo::Hora;
      break;
    case SQL_TIMESTAMP:
      t = TTipoCampo::DataHora;
      break;
    case SQL_BOOLEAN:
      t = TTipoCampo::Booleano;
      break;
    case SQL_BLOB:
      t = meta->getSubType(&st, i) == 1 ? TTipoCampo::Texto : TTipoCampo::Blob;
      break;
    default:
      t = TTipoCampo::Texto;
    }
    const char *alias = meta->getAlias(&st, i);
    const char *campo = meta->getField(&st, i);
    cols.push_back({QString::fromUtf8(alias && *alias ? alias : campo), t, -escala});
  }
  return cols;
}

} // namespace fbinterno
