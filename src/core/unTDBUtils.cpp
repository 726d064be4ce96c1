#include "unTDBUtils.h"

#include "unTexto1252.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>

// ---------------------------------------------------------------- TDataSet --

TDataSet::TDataSet(std::vector<Coluna> colunas) : colunas_(std::move(colunas)) {
  for (int i = 0; i < static_cast<int>(colunas_.size()); ++i) {
    const QString chave = colunas_[i].Nome.toUpper();
    if (!indice_.contains(chave)) // the first of two homonymous columns wins
      indice_.insert(chave, i);
  }
}

void TDataSet::AdicionarLinha(std::vector<QVariant> valores) {
  valores.resize(colunas_.size());
  linhas_.push_back(std::move(valores));
}

int TDataSet::IndiceCampo(const QString &nome) const {
  return indice_.value(nome.toUpper(), -1);
}

bool TDataSet::PossuiCampo(const QString &nome) const { return IndiceCampo(nome) >= 0; }

TField TDataSet::FieldByName(const QString &nome) const {
  const int i = IndiceCampo(nome);
  if (i < 0)
    throw EBancoDados(QStringLiteral("Campo '%1' não encontrado.").arg(nome));
  return TField(this, i);
}

namespace {
bool ValoresIguais(const QVariant &a, const QVariant &b) {
  if (a.isNull() || b.isNull())
    return a.isNull() && b.isNull();
  const auto ta = a.typeId();
  const bool numA = ta == QMetaType::Int || ta == QMetaType::LongLong || ta == QMetaType::Double;
  const auto tb = b.typeId();
  const bool numB = tb == QMetaType::Int || tb == QMetaType::LongLong || tb == QMetaType::Double ||
                    tb == QMetaType::UInt || tb == QMetaType::ULongLong;
  if (numA && numB) {
    if (ta == QMetaType::Double || tb == QMetaType::Double)
      return a.toDouble() == b.toDouble();
    return a.toLongLong() == b.toLongLong();
  }
  if (numA && tb == QMetaType::QString) {
    bool ok = false;
    const double v = b.toString().trimmed().toDouble(&ok);
    return ok && v == a.toDouble();
  }
  if (ta == QMetaType::QDate && tb == QMetaType::QDate)
    return a.toDate() == b.toDate();
  return a.toString() == b.toString();
}
} // namespace

bool TDataSet::Locate(const QString &campo, const QVariant &valor) {
  const int c = IndiceCampo(campo);
  if (c < 0)
    throw EBancoDados(QStringLiteral("Campo '%1' não encontrado.").arg(campo));
  for (int i = 0; i < RecordCount(); ++i)
    if (ValoresIguais(linhas_[i][c], valor)) {
      pos_ = i;
      return true;
    }
  return false;
}

// ------------------------------------------------------------------ TField --

const QVariant &TField::Valor() const {
  static const QVariant vazio;
  if (ds_->Eof() || col_ < 0 || col_ >= ds_->FieldCount())
    return vazio;
  return ds_->linhas_[ds_->pos_][col_];
}

QString TField::FieldName() const { return ds_->Campo(col_).Nome; }
TTipoCampo TField::Tipo() const { return ds_->Campo(col_).Tipo; }
bool TField::IsNull() const { return Valor().isNull(); }
QVariant TField::AsVariant() const { return Valor(); }

QString TField::AsString() const {
  const QVariant &v = Valor();
  if (v.isNull())
    return {};
  switch (Tipo()) {
  case TTipoCampo::Decimal:
  case TTipoCampo::Real: {
    // Shortest text that reads back as the same number, with the decimal comma.
    QString s = QString::number(v.toDouble(), 'g', 15);
    if (s.contains(u'e'))
      s = QString::number(v.toDouble(), 'f', ds_->Campo(col_).Escala);
    return s.replace(u'.', u',');
  }
  case TTipoCampo::Data:
    return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
  case TTipoCampo::DataHora: {
    const QDateTime dt = v.toDateTime();
    if (dt.time() == QTime(0, 0))
      return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
    return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
  }
  case TTipoCampo::Hora:
    return v.toTime().toString(QStringLiteral("HH:mm:ss"));
  case TTipoCampo::Booleano:
    return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  default:
    return v.toString();
  }
}

qint64 TField::AsInt64() const {
  const QVariant &v = Valor();
  if (v.isNull())
    return 0;
  switch (Tipo()) {
  case TTipoCampo::Decimal:
  case TTipoCampo::Real:
    return static_cast<qint64>(std::trunc(v.toDouble()));
  case TTipoCampo::Texto: {
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (!ok)
      throw EBancoDados(QStringLiteral("'%1' não é um valor inteiro válido").arg(v.toString()));
    return n;
  }
  case TTipoCampo::Data:
  case TTipoCampo::DataHora:
    return static_cast<qint64>(AsDateTime());
  default:
    return v.toLongLong();
  }
}

int TField::AsInteger() const { return static_cast<int>(AsInt64()); }

double TField::AsFloat() const {
  const QVariant &v = Valor();
  if (v.isNull())
    return 0.0;
  switch (Tipo()) {
  case TTipoCampo::Texto: {
    QString s = v.toString().trimmed();
    s.replace(u',', u'.');
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (!ok)
      throw EBancoDados(QStringLiteral("'%1' não é um valor numérico válido").arg(v.toString()));
    return d;
  }
  case TTipoCampo::Data:
  case TTipoCampo::DataHora:
    return AsDateTime();
  default:
    return v.toDouble();
  }
}

TDateTime TField::AsDateTime() const {
  const QVariant &v = Valor();
  if (v.isNull())
    return NullDate;
  switch (Tipo()) {
  case TTipoCampo::Data:
    return QDateParaData(v.toDate());
  case TTipoCampo::DataHora:
    return QDateTimeParaData(v.toDateTime());
  case TTipoCampo::Hora:
    return v.toTime().msecsSinceStartOfDay() / 86400000.0;
  case TTipoCampo::Texto: {
    const QDate d = QDate::fromString(v.toString().trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
      throw EBancoDados(QStringLiteral("'%1' não é uma data válida").arg(v.toString()));
    return QDateParaData(d);
  }
  default:
    return v.toDouble();
  }
}

QDate TField::AsDate() const { return DataParaQDate(AsDateTime()); }

bool TField::AsBoolean() const {
  const QVariant &v = Valor();
  if (v.isNull())
    return false;
  if (Tipo() == TTipoCampo::Texto) {
    const QString s = v.toString().trimmed().toUpper();
    return s == QStringLiteral("S") || s == QStringLiteral("T") || s == QStringLiteral("TRUE");
  }
  return v.toBool();
}

// ---------------------------------------------------------------- TDBUtils --

namespace {
TDBUtils *InstanciaAtual = nullptr;
TDBUtils *(*Fabrica)() = nullptr;
QString (*FonteTitulo)() = nullptr;
} // namespace

void DefinirFonteTituloJanela(QString (*fonte)()) { FonteTitulo = fonte; }
QString TituloJanelaAtiva() { return FonteTitulo ? FonteTitulo() : QString(); }

TDBUtils::TDBUtils() = default;

TDBUtils::~TDBUtils() {
  if (InstanciaAtual == this)
    AccessInstance(2);
}

void TDBUtils::DefinirFabrica(TDBUtils *(*fabrica)()) { Fabrica = fabrica; }

TDBUtils *TDBUtils::AccessInstance(int pedido) {
  switch (pedido) {
  case 0:
    return InstanciaAtual;
  case 1:
    if (!InstanciaAtual) {
      if (!Fabrica)
        throw std::logic_error("nenhuma fábrica de acesso ao banco definida");
      InstanciaAtual = Fabrica();
    }
    return InstanciaAtual;
  case 2:
    InstanciaAtual = nullptr;
    return nullptr;
  default:
    throw std::invalid_argument(
        QStringLiteral("Parâmetro %1 ilegal em AccessInstance").arg(pedido).toStdString());
  }
}

TDBUtils *TDBUtils::Instancia() { return AccessInstance(1); }

void TDBUtils::Conectar() {
  Conectado = false;
  ConfigurarConexao();
}

void TDBUtils::GravarLog(const QString &sql, const std::exception *erro) {
  QStringList linhas;
  linhas << QString() << TituloJanelaAtiva()
         << QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) +
                QStringLiteral(" ----------------------");
  // The SQL text keeps its own line breaks, written with CR LF like the rest.
  for (const QString &l : QString(sql).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                              .replace(u'\r', u'\n')
                              .split(u'\n'))
    linhas << l;
  if (erro) {
    linhas << QStringLiteral("ERRO              ----------------------")
           << QString::fromUtf8(erro->what());
  } else {
    linhas << QStringLiteral("SUCESSO             ----------------------");
  }
  linhas << QString();
  const QString arquivo = CaminhoPrograma(QStringLiteral("MOLTBD.log"));
  if (!AcrescentarLinhas1252(arquivo, linhas))
    throw EBancoDados(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
}
