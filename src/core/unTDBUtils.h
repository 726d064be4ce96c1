#pragma once
// Database access: the abstract connection holder, the detached in-memory
// result set that every SELECT returns, and the database exception.
#include "unGlobal.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>
#include <vector>

// Raised for every database failure; carries Firebird's own message.
class EBancoDados : public std::runtime_error {
public:
  explicit EBancoDados(const QString &mensagem, long codigo = 0)
      : std::runtime_error(mensagem.toStdString()), Mensagem(mensagem), Codigo(codigo) {}
  QString Mensagem;
  long Codigo; // Firebird's first error code (isc_...), 0 when not from Firebird
};

enum class TTipoCampo { Inteiro, Inteiro64, Decimal, Real, Texto, Data, Hora, DataHora, Booleano, Blob };

class TDataSet;

// A typed view of one column in the current row of a result set.
class TField {
public:
  TField(const TDataSet *ds, int coluna) : ds_(ds), col_(coluna) {}
  QString FieldName() const;
  TTipoCampo Tipo() const;
  bool IsNull() const;
  // Text as the user sees it: dates dd/mm/yyyy, decimals with ",".
  QString AsString() const;
  int AsInteger() const;
  qint64 AsInt64() const;
  double AsFloat() const;
  TDateTime AsDateTime() const; // NullDate when Null
  QDate AsDate() const;         // invalid when Null
  bool AsBoolean() const;
  QVariant AsVariant() const; // Null QVariant for Null
private:
  const QVariant &Valor() const;
  const TDataSet *ds_;
  int col_;
};

// Fully fetched, read-only, detached result of a SELECT. It stays valid after
// later statements and transactions; the caller owns it.
class TDataSet {
public:
  struct Coluna {
    QString Nome;
    TTipoCampo Tipo;
    int Escala; // decimal places of a scaled number
  };

  TDataSet() = default;
  explicit TDataSet(std::vector<Coluna> colunas);

  // Building (used by the database layer and by tests).
  void AdicionarLinha(std::vector<QVariant> valores);

  int RecordCount() const { return static_cast<int>(linhas_.size()); }
  bool IsEmpty() const { return linhas_.empty(); }
  void First() { pos_ = 0; }
  void Next() { if (pos_ < RecordCount()) ++pos_; }
  bool Eof() const { return pos_ >= RecordCount(); }
  int RecNo() const { return pos_; } // 0-based
  void MoverPara(int linha) { pos_ = linha; }

  int FieldCount() const { return static_cast<int>(colunas_.size()); }
  const Coluna &Campo(int i) const { return colunas_.at(i); }
  bool PossuiCampo(const QString &nome) const;
  int IndiceCampo(const QString &nome) const; // -1 when absent
  // Raises EBancoDados when the column does not exist.
  TField FieldByName(const QString &nome) const;
  TField Fields(int i) const { return TField(this, i); }

  // Moves to the first row whose column equals the value (text compared as
  // text, numbers as numbers). Stays put and returns false when none.
  bool Locate(const QString &campo, const QVariant &valor);

  const QVariant &Valor(int linha, int coluna) const { return linhas_.at(linha).at(coluna); }

private:
  friend class TField;
  std::vector<Coluna> colunas_;
  QHash<QString, int> indice_;
  std::vector<std::vector<QVariant>> linhas_;
  int pos_ = 0;
};

using TDataSetPtr = std::unique_ptr<TDataSet>;

// Connection settings, the SQL log switch and its writer, and the singleton
// holder; TIbxUtils binds it to Firebird.
class TDBUtils {
public:
  TDBUtils();
  virtual ~TDBUtils();
  TDBUtils(const TDBUtils &) = delete;
  TDBUtils &operator=(const TDBUtils &) = delete;

  QString NomeBanco;
  QString Usuario;
  QString Senha;
  bool LogSQL = false;
  bool Conectado = false;

  virtual bool EmTransacao() const { return false; }
  virtual void ConfigurarConexao() = 0;
  // Appends one entry to MOLTBD.log; raises when the log cannot be written.
  virtual void GravarLog(const QString &sql, const std::exception *erro = nullptr);
  static TDBUtils *Instancia();
  virtual void Conectar();
  virtual void ConfirmarTransacao() = 0;
  virtual void DesfazerTransacao() = 0;
  virtual void IniciarTransacao() = 0;
  virtual TDataSetPtr AbrirConsulta(const QString &sql) = 0;

  // 0 current instance, 1 current (created when missing), 2 forget.
  static TDBUtils *AccessInstance(int pedido);
  void DefinirLogSQL(bool ligado) { LogSQL = ligado; }

  // Who creates the instance for AccessInstance(1).
  static void DefinirFabrica(TDBUtils *(*fabrica)());
};

// Supplies the caption of the active window for the SQL log (empty when none);
// the desktop program installs it, nothing else needs to.
void DefinirFonteTituloJanela(QString (*fonte)());
QString TituloJanelaAtiva();
