#include "unFBUtils.h"

#include "unFBInterno.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <cctype>
#include <cstring>
#include <firebird/Interface.h>
#include <string>
#include <vector>

using namespace Firebird;
using namespace fbinterno;

TIbxUtils *IbxUtils = nullptr;

namespace {
// Firebird's status codes that the messages below tell apart.
constexpr long FbBloqueio = 335544345;        // isc_lock_conflict
constexpr long FbConflito = 335544336;        // isc_deadlock (update conflict)
constexpr long FbIo = 335544344;              // isc_io_error
constexpr long FbIndisponivel = 335544375;    // isc_unavailable
constexpr long FbConexaoRecusada = 335544421; // isc_connect_reject
constexpr long FbLogin = 335544472;           // isc_login
constexpr long FbRede = 335544721;            // isc_network_error
constexpr long FbConexaoRede = 335544722;     // isc_net_connect_err
constexpr long FbCriptografia = 335545064;    // isc_wirecrypt_incompatible
constexpr long FbSemCriptografia = 335545065; // isc_miss_wirecrypt
constexpr long FbLoginErro = 335545106;       // isc_login_error

// The table whose single row the program locks on a server (see
// BloquearUsoExclusivo).
const char *const SqlUsoExclusivo =
    "SELECT NU_USO_EXCLUSIVO FROM QZLTBG31_USO_EXCLUSIVO WHERE NU_USO_EXCLUSIVO = 1 WITH LOCK";
} // namespace

bool BancoEmUso(const EBancoDados &e) {
  // The embedded engine refuses at once a file that another process has
  // open; on a server, the other program's lock row does.
  return e.Codigo == FbBloqueio || e.Mensagem.contains(QLatin1String("already opened")) ||
         e.Mensagem.contains(QLatin1String("\"lock\" operation")) ||
         e.Mensagem.contains(QLatin1String("lock time-out")) ||
         e.Mensagem.contains(QLatin1String("lock conflict"));
}

bool NomeServidorBanco(const QString &nome) {
  // host (two characters at least, or an address in brackets), an optional
  // "/port" or "/service", then ":" and the path or alias on the server.
  static const QRegularExpression re(
      QStringLiteral("^(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9][A-Za-z0-9._-]+)(/[A-Za-z0-9_-]+)?:.+$"));
  return re.match(nome).hasMatch();
}

QString MensagemFalhaConexao(const EBancoDados &e, const QString &nomeBanco) {
  if (!NomeServidorBanco(nomeBanco))
    return {};
  const QString servidor = nomeBanco.left(
      nomeBanco.indexOf(u':', nomeBanco.startsWith(u'[') ? nomeBanco.indexOf(u']') : 0));
  switch (e.Codigo) {
  case FbLogin:
    return QStringLiteral("O servidor de banco de dados %1 recusou o usuário ou a senha. "
                          "Verifique USUARIO e SENHA no MOLT.ini.")
        .arg(servidor);
  case FbCriptografia:
  case FbSemCriptografia:
  case FbLoginErro:
    return QStringLiteral("O servidor de banco de dados %1 não aceitou uma conexão criptografada "
                          "com autenticação segura. Ative no servidor a criptografia da conexão "
                          "(WireCrypt) e a autenticação SRP.")
        .arg(servidor);
  case FbRede:
  case FbConexaoRede:
  case FbConexaoRecusada:
    return QStringLiteral("Não foi possível conectar ao servidor de banco de dados %1 (tempo "
                          "limite de %2 segundos). Verifique se o servidor está ligado e "
                          "acessível pela rede e o nome em BANCO no MOLT.ini.")
        .arg(servidor)
        .arg(TempoLimiteConexaoSegundos);
  case FbIo:
  case FbIndisponivel:
    return QStringLiteral("O banco de dados %1 não foi encontrado no servidor ou não pôde ser "
                          "aberto. Verifique o caminho em BANCO no MOLT.ini.")
        .arg(nomeBanco);
  default:
    return {};
  }
}

IAttachment *fbinterno::AnexarBanco(const std::string &nome, const std::string &usuario,
                                    const std::string &senha) {
  Status st;
  IXpbBuilder *dpb = Master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
  IProvider *provedor = nullptr;
  try {
    dpb->insertString(&st, isc_dpb_user_name, usuario.c_str());
    dpb->insertString(&st, isc_dpb_password, senha.c_str());
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    if (NomeServidorBanco(QString::fromStdString(nome))) {
      // The client's settings for this connection only: no plain-text wire,
      // no legacy password hashes, and a bounded wait for the server.
      const std::string config = "WireCrypt = Required\nAuthClient = Srp256, Srp\n"
                                 "ConnectionTimeout = " +
                                 std::to_string(TempoLimiteConexaoSegundos) + "\n";
      dpb->insertString(&st, isc_dpb_config, config.c_str());
    }
    provedor = Master()->getDispatcher();
    IAttachment *a =
        provedor->attachDatabase(&st, nome.c_str(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    provedor->release();
    dpb->dispose();
    return a;
  } catch (...) {
    if (provedor)
      provedor->release();
    dpb->dispose();
    throw;
  }
}

namespace {

QString LerBlob(IAttachment *att, ITransaction *tra, ISC_QUAD id) {
  Status st;
  IBlob *blob = att->openBlob(&st, tra, &id, 0, nullptr);
  QByteArray dados;
  try {
    char parte[16384];
    for (;;) {
      unsigned lidos = 0;
      const int r = blob->getSegment(&st, sizeof parte, parte, &lidos);
      if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT)
        dados.append(parte, static_cast<int>(lidos));
      else
        break;
    }
    blob->close(&st);
  } catch (...) {
    blob->release();
    throw;
  }
  return QString::fromUtf8(dados);
}

// A data-changing statement that can travel as the body of a one-statement
// block: INSERT, UPDATE or DELETE (these mean the same inside a block), and
// short enough for the block's compiled form.
bool CabeEmBloco(const QByteArray &texto) {
  if (texto.size() > 16384)
    return false;
  int i = 0;
  while (i < texto.size() && std::isspace(static_cast<unsigned char>(texto[i])))
    ++i;
  for (const char *verbo : {"INSERT", "UPDATE", "DELETE"}) {
    const int n = static_cast<int>(std::strlen(verbo));
    if (texto.size() > i + n && qstrnicmp(texto.constData() + i, verbo, n) == 0 &&
        std::isspace(static_cast<unsigned char>(texto[i + n])))
      return true;
  }
  return false;
}

} // namespace

struct TIbxUtils::Impl {
  IProvider *provedor = nullptr;
  IAttachment *banco = nullptr;
  ITransaction *transacao = nullptr;
  ITransaction *usoExclusivo = nullptr; // holds the lock row on a server
  std::string nome, usuario, senha;
  bool servidor = false;                // attached through a server
  IMessageMetadata *contagem = nullptr; // the block's one output, its row count

  ~Impl() {
    if (contagem)
      contagem->release();
  }

  // On a server every call of the client library is a round trip over the
  // network, and a statement costs three (prepare, execute, row count). Sent
  // as the body of a block that returns ROW_COUNT, it costs one: the server
  // compiles, runs and answers with the count at once. The statement's own
  // text is run unchanged, so what it stores is the same.
  int ExecutarEmBloco(const QByteArray &texto) {
    Status st;
    if (!contagem) {
      IMetadataBuilder *b = Master()->getMetadataBuilder(&st, 1);
      try {
        b->setType(&st, 0, SQL_LONG + 1);
        b->setLength(&st, 0, sizeof(ISC_LONG));
        b->setScale(&st, 0, 0);
        contagem = b->getMetadata(&st);
      } catch (...) {
        b->release();
        throw;
      }
      b->release();
    }
    QByteArray bloco = texto;
    // A trailing ";" would end the statement twice; a trailing comment is
    // closed by the line break.
    while (!bloco.isEmpty() && (bloco.endsWith(';') || std::isspace(static_cast<unsigned char>(
                                                           bloco.at(bloco.size() - 1)))))
      bloco.chop(1);
    bloco.prepend("EXECUTE BLOCK RETURNS (LINHAS_AFETADAS INTEGER) AS BEGIN\n");
    bloco.append("\n;\nLINHAS_AFETADAS = ROW_COUNT;\nSUSPEND;\nEND");
    std::vector<unsigned char> buf(contagem->getMessageLength(&st));
    try {
      banco->execute(&st, transacao, bloco.size(), bloco.constData(), 3, nullptr, nullptr, contagem,
                     buf.data());
    } catch (const FbException &e) {
      // Firebird's text of the statement itself, without the block's
      // position of it, as when the statement is run directly.
      static const QRegularExpression posicao(QStringLiteral("\n-At block line: [^\n]*$"));
      const EBancoDados erro = Converter(e);
      throw EBancoDados(QString(erro.Mensagem).remove(posicao), erro.Codigo);
    }
    ISC_LONG linhas = 0;
    std::memcpy(&linhas, buf.data() + contagem->getOffset(&st, 0), sizeof linhas);
    return static_cast<int>(linhas);
  }

  static void Desfazer(ITransaction *&t) {
    if (!t)
      return;
    try {
      Status st;
      t->rollback(&st);
    } catch (...) {
      t->release();
    }
    t = nullptr;
  }

  void Desanexar() {
    Desfazer(usoExclusivo);
    Desfazer(transacao);
    if (banco) {
      try {
        Status st;
        banco->detach(&st);
      } catch (...) {
        banco->release();
      }
      banco = nullptr;
    }
  }

  IAttachment *Banco() {
    if (!banco)
      throw EBancoDados(QStringLiteral("Banco de dados não conectado."));
    return banco;
  }
};

TIbxUtils::TIbxUtils() : d(std::make_unique<Impl>()) {
  d->provedor = Master()->getDispatcher();
}

TIbxUtils::~TIbxUtils() {
  d->Desanexar();
  if (d->provedor)
    d->provedor->release();
  if (IbxUtils == this)
    IbxUtils = nullptr;
}

bool TIbxUtils::EmTransacao() const {
  return d->transacao != nullptr;
}

void TIbxUtils::ConfigurarConexao() {
  d->nome = NomeBanco.toStdString();
  d->usuario = Usuario.toStdString();
  d->senha = Senha.toStdString();
}

void TIbxUtils::Conectar() {
  TDBUtils::Conectar();
  d->Desanexar();
  d->banco = Fb([&] { return AnexarBanco(d->nome, d->usuario, d->senha); });
  d->servidor = NomeServidorBanco(QString::fromStdString(d->nome));
  Conectado = true;
}

void TIbxUtils::BloquearUsoExclusivo() {
  if (d->usoExclusivo || !NomeServidorBanco(QString::fromStdString(d->nome)))
    return;
  IAttachment *banco = d->Banco();
  // A transaction of its own that never waits: a second program's attempt
  // fails at once instead of queueing behind the first. Read committed, so
  // that it holds back no snapshot of the rest of the database.
  ITransaction *t = Fb([&] {
    Status st;
    IXpbBuilder *tpb =
        Master()->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
    try {
      tpb->insertTag(&st, isc_tpb_write);
      tpb->insertTag(&st, isc_tpb_read_committed);
      tpb->insertTag(&st, isc_tpb_rec_version);
      tpb->insertTag(&st, isc_tpb_nowait);
      ITransaction *nova =
          banco->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
      tpb->dispose();
      return nova;
    } catch (...) {
      tpb->dispose();
      throw;
    }
  });
  try {
    const bool linha = Fb([&] {
      Status st;
      Instrucao instr;
      instr.p =
          banco->prepare(&st, t, 0, SqlUsoExclusivo, 3, IStatement::PREPARE_PREFETCH_METADATA);
      Metadados meta;
      meta.p = instr.p->getOutputMetadata(&st);
      std::vector<unsigned char> buf(meta.p->getMessageLength(&st));
      Cursor cursor;
      cursor.p = instr.p->openCursor(&st, t, nullptr, nullptr, meta.p, 0);
      return cursor.p->fetchNext(&st, buf.data()) == IStatus::RESULT_OK;
    });
    if (!linha)
      throw EBancoDados(
          QStringLiteral("A linha de uso exclusivo de QZLTBG31_USO_EXCLUSIVO não existe; "
                         "o banco de dados não pode ser usado em um servidor."));
  } catch (const EBancoDados &e) {
    Impl::Desfazer(t);
    // The row held by another connection comes back as an update conflict
    // ("deadlock"): told apart as "in use", with Firebird's own text kept.
    if (e.Codigo == FbConflito)
      throw EBancoDados(e.Mensagem, FbBloqueio);
    throw;
  } catch (...) {
    Impl::Desfazer(t);
    throw;
  }
  d->usoExclusivo = t;
}

void TIbxUtils::IniciarTransacao() {
  if (d->transacao)
    throw EBancoDados(QStringLiteral("A transação já está ativa."));
  IAttachment *banco = d->Banco();
  d->transacao = Fb([&] {
    Status st;
    return banco->startTransaction(&st, 0, nullptr);
  });
}

void TIbxUtils::ConfirmarTransacao() {
  if (!d->transacao)
    throw EBancoDados(QStringLiteral("A transação não está ativa."));
  Fb([&] {
    Status st;
    d->transacao->commit(&st);
  });
  d->transacao = nullptr; // commit released the interface
}

void TIbxUtils::DesfazerTransacao() {
  if (!d->transacao)
    throw EBancoDados(QStringLiteral("A transação não está ativa."));
  ITransaction *t = d->transacao;
  d->transacao = nullptr;
  try {
    Status st;
    t->rollback(&st);
  } catch (const FbException &e) {
    t->release();
    throw Converter(e);
  }
}

void TIbxUtils::Desconectar() {
  if (d->transacao)
    DesfazerTransacao();
  Conectado = false;
}

namespace {

double Escalar(qint64 v, int escala) {
  // Division by an exact power of ten gives the double nearest to the decimal.
  static const double pot[] = {1,    1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                               1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
  return escala > 0 && escala <= 18 ? static_cast<double>(v) / pot[escala] : static_cast<double>(v);
}

} // namespace

TDataSetPtr TIbxUtils::AbrirConsulta(const QString &sql) {
  const bool jaAtiva = EmTransacao();
  // The clock is read only for the log: it costs a system call per query.
  const QTime inicio = LogSQL ? QTime::currentTime() : QTime();
  TDataSetPtr ds;
  try {
    if (!jaAtiva)
      IniciarTransacao();
    Fb([&] {
      Status st;
      IAttachment *banco = d->Banco();
      const QByteArray texto = sql.toUtf8();
      Instrucao instr;
      instr.p = banco->prepare(&st, d->transacao, texto.size(), texto.constData(), 3,
                               IStatement::PREPARE_PREFETCH_METADATA);
      Metadados meta;
      meta.p = instr.p->getOutputMetadata(&st);
      const unsigned n = meta.p->getCount(&st);
      std::vector<TDataSet::Coluna> cols = LerColunas(meta.p, n);
      std::vector<unsigned> tipos(n), desl(n), deslNulo(n), tam(n);
      for (unsigned i = 0; i < n; ++i) {
        tipos[i] = meta.p->getType(&st, i);
        desl[i] = meta.p->getOffset(&st, i);
        deslNulo[i] = meta.p->getNullOffset(&st, i);
        tam[i] = meta.p->getLength(&st, i);
      }
      ds = std::make_unique<TDataSet>(cols);
      Cursor cursor;
      cursor.p = instr.p->openCursor(&st, d->transacao, nullptr, nullptr, meta.p, 0);
      std::vector<unsigned char> buf(meta.p->getMessageLength(&st));
      unsigned char *b = buf.data();
      while (cursor.p->fetchNext(&st, b) == IStatus::RESULT_OK) {
        std::vector<QVariant> linha(n);
        for (unsigned i = 0; i < n; ++i) {
          if (*reinterpret_cast<short *>(b + deslNulo[i]))
            continue;
          const unsigned char *p = b + desl[i];
          const int escala = cols[i].Escala;
          switch (tipos[i]) {
          case SQL_TEXT: {
            int len = static_cast<int>(tam[i]);
            while (len > 0 && p[len - 1] == ' ')
              --len;
            linha[i] = QString::fromUtf8(reinterpret_cast<const char *>(p), len);
            break;
          }
          case SQL_VARYING: {
            const unsigned short len = *reinterpret_cast<const unsigned short *>(p);
            linha[i] = QString::fromUtf8(reinterpret_cast<const char *>(p + 2), len);
            break;
          }
          case SQL_SHORT: {
            const qint64 v = *reinterpret_cast<const short *>(p);
            linha[i] = escala > 0 ? QVariant(Escalar(v, escala)) : QVariant(static_cast<int>(v));
            break;
          }
          case SQL_LONG: {
            const qint64 v = *reinterpret_cast<const int *>(p);
            linha[i] = escala > 0 ? QVariant(Escalar(v, escala)) : QVariant(static_cast<int>(v));
            break;
          }
          case SQL_INT64: {
            qint64 v;
            std::memcpy(&v, p, sizeof v);
            linha[i] = escala > 0 ? QVariant(Escalar(v, escala)) : QVariant(v);
            break;
          }
          case SQL_FLOAT:
            linha[i] = static_cast<double>(*reinterpret_cast<const float *>(p));
            break;
          case SQL_DOUBLE:
          case SQL_D_FLOAT:
            linha[i] = *reinterpret_cast<const double *>(p);
            break;
          case SQL_TYPE_DATE:
            linha[i] = DecodificarData(*reinterpret_cast<const ISC_DATE *>(p));
            break;
          case SQL_TYPE_TIME:
            linha[i] = DecodificarHora(*reinterpret_cast<const ISC_TIME *>(p));
            break;
          case SQL_TIMESTAMP: {
            const auto *ts = reinterpret_cast<const ISC_TIMESTAMP *>(p);
            linha[i] =
                QDateTime(DecodificarData(ts->timestamp_date), DecodificarHora(ts->timestamp_time));
            break;
          }
          case SQL_BOOLEAN:
            linha[i] = *p != 0;
            break;
          case SQL_BLOB:
            linha[i] = LerBlob(banco, d->transacao, *reinterpret_cast<const ISC_QUAD *>(p));
            break;
          default:
            linha[i] = QString();
          }
        }
        ds->AdicionarLinha(std::move(linha));
      }
    });
    if (LogSQL) {
      const QTime fim = QTime::currentTime();
      const int ms = inicio.msecsTo(fim);
      GravarLog(sql + QStringLiteral("\rTempo ") + inicio.toString(QStringLiteral("HH:mm:ss")) +
                QStringLiteral(" a ") + fim.toString(QStringLiteral("HH:mm:ss")) +
                QStringLiteral(" Diferença ") +
                QTime(0, 0).addMSecs(ms < 0 ? 0 : ms).toString(QStringLiteral("HH:mm:ss")));
    }
    if (!jaAtiva)
      ConfirmarTransacao();
  } catch (const std::exception &e) {
    UltimoErro = std::current_exception();
    // Undo and free first, so a log that cannot be written leaves nothing open.
    if (!jaAtiva && EmTransacao()) {
      try {
        DesfazerTransacao();
      } catch (...) {
      }
    }
    ds.reset();
    if (LogSQL)
      GravarLog(sql, &e);
    throw;
  }
  ds->First();
  return ds;
}

int TIbxUtils::ExecutarSQL(const QString &sql) {
  const bool jaAtiva = EmTransacao();
  int linhas = 0;
  try {
    if (!jaAtiva)
      IniciarTransacao();
    linhas = Fb([&] {
      Status st;
      const QByteArray texto = sql.toUtf8();
      d->Banco();
      if (d->servidor && CabeEmBloco(texto))
        return d->ExecutarEmBloco(texto);
      Instrucao instr;
      instr.p = d->Banco()->prepare(&st, d->transacao, texto.size(), texto.constData(), 3, 0);
      instr.p->execute(&st, d->transacao, nullptr, nullptr, nullptr, nullptr);
      return static_cast<int>(instr.p->getAffectedRecords(&st));
    });
    if (LogSQL)
      GravarLog(sql);
    if (!jaAtiva)
      ConfirmarTransacao();
  } catch (const std::exception &e) {
    if (!jaAtiva && EmTransacao()) {
      try {
        DesfazerTransacao();
      } catch (...) {
      }
    }
    UltimoErro = std::current_exception();
    if (LogSQL)
      GravarLog(sql, &e);
    throw;
  }
  return linhas;
}
