#include "unLeituraBruta.h"

#include "unFBInterno.h"

#include <cstring>

using namespace fbinterno;

TLeituraBruta::TLeituraBruta(const TDBUtils &conexao) {
  const std::string nome = conexao.NomeBanco.toStdString(), usuario = conexao.Usuario.toStdString(),
                    senha = conexao.Senha.toStdString();
  IAttachment *banco = Fb([&] { return AnexarBanco(nome, usuario, senha); });
  banco_ = banco;
  try {
    transacao_ = Fb([&] {
      Status st;
      IXpbBuilder *tpb =
          Master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
      ITransaction *t = nullptr;
      try {
        tpb->insertTag(&st, isc_tpb_read);
        tpb->insertTag(&st, isc_tpb_concurrency);
        tpb->insertTag(&st, isc_tpb_wait);
        t = banco->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
      } catch (...) {
        tpb->dispose();
        throw;
      }
      tpb->dispose();
      return t;
    });
  } catch (...) {
    Fechar();
    throw;
  }
}

TLeituraBruta::~TLeituraBruta() {
  Fechar();
}

void TLeituraBruta::Fechar() {
  if (auto *t = static_cast<ITransaction *>(transacao_)) {
    transacao_ = nullptr;
    try {
      Status st;
      t->rollback(&st);
    } catch (...) {
      t->release();
    }
  }
  if (auto *a = static_cast<IAttachment *>(banco_)) {
    banco_ = nullptr;
    try {
      Status st;
      a->detach(&st);
    } catch (...) {
      a->release();
    }
  }
}

bool TLeituraBruta::Linha::Nulo(int i) const {
  return *reinterpret_cast<const short *>(buf_ + (*nulo_)[i]) != 0;
}

qint64 TLeituraBruta::Linha::Inteiro(int i) const {
  const unsigned char *p = buf_ + (*desl_)[i];
  switch ((*tipos_)[i]) {
  case SQL_SHORT:
    return *reinterpret_cast<const short *>(p);
  case SQL_LONG:
    return *reinterpret_cast<const int *>(p);
  default: {
    qint64 v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  }
}

QByteArray TLeituraBruta::Linha::Texto(int i) const {
  const unsigned char *p = buf_ + (*desl_)[i];
  if ((*tipos_)[i] == SQL_VARYING) {
    const unsigned short len = *reinterpret_cast<const unsigned short *>(p);
    return QByteArray(reinterpret_cast<const char *>(p + 2), len);
  }
  int len = static_cast<int>((*tam_)[i]);
  while (len > 0 && p[len - 1] == ' ')
    --len;
  return QByteArray(reinterpret_cast<const char *>(p), len);
}

QDate TLeituraBruta::Linha::Data(int i) const {
  const unsigned char *p = buf_ + (*desl_)[i];
  if ((*tipos_)[i] == SQL_TIMESTAMP)
    return DecodificarData(reinterpret_cast<const ISC_TIMESTAMP *>(p)->timestamp_date);
  return DecodificarData(*reinterpret_cast<const ISC_DATE *>(p));
}

quint32 TLeituraBruta::Linha::Hora(int i) const {
  const unsigned char *p = buf_ + (*desl_)[i];
  if ((*tipos_)[i] == SQL_TIMESTAMP)
    return reinterpret_cast<const ISC_TIMESTAMP *>(p)->timestamp_time;
  return *reinterpret_cast<const ISC_TIME *>(p);
}

double TLeituraBruta::Linha::Real(int i) const {
  const unsigned char *p = buf_ + (*desl_)[i];
  if ((*tipos_)[i] == SQL_FLOAT)
    return *reinterpret_cast<const float *>(p);
  return *reinterpret_cast<const double *>(p);
}

bool TLeituraBruta::Linha::Booleano(int i) const {
  return *(buf_ + (*desl_)[i]) != 0;
}

void TLeituraBruta::Percorrer(const QString &sql,
                              const std::function<void(const TColunas &, const Linha *)> &f) {
  auto *t = static_cast<ITransaction *>(transacao_);
  auto *banco = static_cast<IAttachment *>(banco_);
  Fb([&] {
    Status st;
    const QByteArray texto = sql.toUtf8();
    Instrucao instr;
    instr.p = banco->prepare(&st, t, texto.size(), texto.constData(), 3,
                             IStatement::PREPARE_PREFETCH_METADATA);
    Metadados meta;
    meta.p = instr.p->getOutputMetadata(&st);
    const unsigned n = meta.p->getCount(&st);
    const TColunas cols = LerColunas(meta.p, n);
    std::vector<unsigned> tipos(n), desl(n), nulo(n), tam(n);
    for (unsigned i = 0; i < n; ++i) {
      tipos[i] = meta.p->getType(&st, i);
      desl[i] = meta.p->getOffset(&st, i);
      nulo[i] = meta.p->getNullOffset(&st, i);
      tam[i] = meta.p->getLength(&st, i);
    }
    f(cols, nullptr);
    Cursor cursor;
    cursor.p = instr.p->openCursor(&st, t, nullptr, nullptr, meta.p, 0);
    std::vector<unsigned char> buf(meta.p->getMessageLength(&st));
    Linha linha;
    linha.buf_ = buf.data();
    linha.tipos_ = &tipos;
    linha.desl_ = &desl;
    linha.nulo_ = &nulo;
    linha.tam_ = &tam;
    while (cursor.p->fetchNext(&st, buf.data()) == IStatus::RESULT_OK)
      f(cols, &linha);
  });
}
