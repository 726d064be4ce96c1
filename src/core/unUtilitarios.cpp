#include "unUtilitarios.h"

#include "unEsperaGuia.h"

#include <atomic>

#include "unFBUtils.h"
#include "unNegocio.h"
#include "unTexto1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QThread>
#include <algorithm>
#include <cmath>

TUtilitarios Utilitarios;
QString UltimoErro;
QString ValorErro;

namespace {

// ------------------------------------------------------ decimal arithmetic --
// Amounts are doubles, but every cut and rounding is decided on the value
// written with 15 significant digits, so 1234.56 (stored as 1234.5599...)
// counts as 123456 centavos.
struct Decimal15 {
  bool Negativo = false;
  QString Digitos;  // 15 digits, the first one non-zero unless the value is 0
  int Expoente = 0; // value = D1.D2...D15 x 10^Expoente
  bool Valido = false;
};

Decimal15 Decompor(double v) {
  Decimal15 d;
  if (!std::isfinite(v))
    return d;
  const QString e = QString::number(v, 'e', 14); // "-1.23456789012345e+05"
  int i = 0;
  if (e.startsWith(u'-')) {
    d.Negativo = true;
    i = 1;
  }
  const int pe = e.indexOf(u'e');
  d.Digitos = e.mid(i, pe - i).remove(u'.');
  d.Expoente = e.mid(pe + 1).toInt();
  d.Valido = true;
  if (d.Digitos.count(u'0') == d.Digitos.size())
    d.Negativo = false;
  return d;
}

// Digits of the whole part of the 15-digit form of v shifted by `casas`
// decimal places ("0" when below 1), and the first discarded digit.
QString ParteInteira(const Decimal15 &d, int casas, int *proximo = nullptr) {
  const int ponto = d.Expoente + casas + 1; // digits before the decimal point
  QString inteiro;
  if (ponto <= 0)
    inteiro = QStringLiteral("0");
  else if (ponto >= d.Digitos.size())
    inteiro = d.Digitos + QString(ponto - d.Digitos.size(), u'0');
  else
    inteiro = d.Digitos.left(ponto);
  if (proximo) {
    if (ponto < 0)
      *proximo = 0;
    else if (ponto < d.Digitos.size())
      *proximo = d.Digitos.at(ponto).digitValue();
    else
      *proximo = 0;
  }
  return inteiro;
}

// Adds one to a string of decimal digits.
QString MaisUm(QString s) {
  for (int i = s.size() - 1; i >= 0; --i) {
    if (s[i] == u'9') {
      s[i] = u'0';
    } else {
      s[i] = QChar(s[i].unicode() + 1);
      return s;
    }
  }
  return QStringLiteral("1") + s;
}

QString TirarZerosEsquerda(const QString &s) {
  int i = 0;
  while (i < s.size() - 1 && s[i] == u'0')
    ++i;
  return s.mid(i);
}

// v rounded half away from zero to `casas` places, as sign, whole digits and
// decimal digits.
struct Fixo {
  bool Negativo = false;
  QString Inteiro;
  QString Decimais;
};

Fixo Arredondado(double v, int casas) {
  Fixo f;
  const Decimal15 d = Decompor(v);
  if (!d.Valido) {
    f.Inteiro = QStringLiteral("0");
    f.Decimais = QString(casas, u'0');
    return f;
  }
  int proximo = 0;
  QString todos = ParteInteira(d, casas, &proximo);
  if (proximo >= 5)
    todos = MaisUm(todos);
  if (todos.size() <= casas)
    todos = QString(casas + 1 - todos.size(), u'0') + todos;
  f.Inteiro = TirarZerosEsquerda(todos.left(todos.size() - casas));
  f.Decimais = todos.right(casas);
  f.Negativo = d.Negativo && (f.Inteiro != QStringLiteral("0") || f.Decimais.count(u'0') != casas);
  return f;
}

double Potencia10(int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i)
    p *= 10.0;
  return p;
}

// ---------------------------------------------------------------- helpers --
bool EhDigito(QChar c) {
  return c >= u'0' && c <= u'9';
}

bool LerInt64(const QString &texto, qint64 &valor) {
  bool ok = false;
  valor = texto.trimmed().toLongLong(&ok);
  if (!ok)
    valor = 0;
  return ok;
}

QDate DataDe(TDateTime d) {
  return DataParaQDate(d);
}

QString TituloDoTipo(int tipo) {
  switch (tipo) {
  case dtAviso:
    return QStringLiteral("Atenção");
  case dtErro:
    return QStringLiteral("Erro");
  case dtConfirmacao:
    return QStringLiteral("Confirma");
  default:
    return QStringLiteral("Informação");
  }
}

// Substitutes each argument, in order, for the next "&" after the previous
// substitution, so an argument that holds "&" is left alone.
QString SubstituirArgumentos(QString texto, const QStringList &args) {
  int de = 0;
  for (const QString &a : args) {
    const int p = texto.indexOf(u'&', de);
    if (p < 0)
      break;
    texto.replace(p, 1, a);
    de = p + a.size();
  }
  return texto;
}

QString AplicarPadrao(const QString &texto, const QString &mascara) {
  QString r;
  int i = 0;
  for (const QChar c : mascara) {
    if (i >= texto.size())
      break;
    if (c == u'0')
      r += texto.at(i++);
    else
      r += c;
  }
  return r;
}

// Column of a date in the first row, NullDate when there is no row or it is Null.
TDateTime DataDaConsulta(const QString &sql, const QString &coluna) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  if (ds->IsEmpty())
    return NullDate;
  return ds->FieldByName(coluna).AsDateTime();
}

TDataSetPtr Consultar(const QString &sql) {
  if (!IbxUtils)
    throw ENegocio(QStringLiteral("Banco de dados não conectado."));
  return IbxUtils->AbrirConsulta(sql);
}

int ExecutarComando(const QString &sql) {
  if (!IbxUtils)
    throw ENegocio(QStringLiteral("Banco de dados não conectado."));
  return IbxUtils->ExecutarSQL(sql);
}

} // namespace

// ================================================================ messages ==

PedidoDialogo TUtilitarios::MontarMensagem(const QString &Codigo, int Tipo, const QString &Texto,
                                           int BotaoPadrao, int Botoes, const QStringList &Args) {
  if (Codigo.trimmed().isEmpty())
    throw ENegocio(QStringLiteral("Código de mensagem inválida: ''"));
  int tipo = Tipo;
  QString mensagem;
  if (!Texto.trimmed().isEmpty()) {
    mensagem = Texto;
  } else {
    const QString numero = Codigo.right(4);
    try {
      // Only digits reach the SQL text; anything else cannot be a message.
      TDataSetPtr ds;
      if (SomenteNumeros(numero))
        ds = Consultar(QStringLiteral("SELECT NU_MENSAGEM, DE_MENSAGEM ") +
                       QStringLiteral("FROM  QZLTBT13_MENSAGEM_SISTEMA ") +
                       QStringLiteral("WHERE NU_MENSAGEM = ") + numero);
      if (ds && !ds->IsEmpty()) {
        mensagem = ds->FieldByName(QStringLiteral("DE_MENSAGEM")).AsString();
        if (Codigo.size() == 6)
          mensagem = Codigo + QStringLiteral(" - ") + mensagem;
      } else {
        mensagem = QStringLiteral("Mensagem não encontrada - ") + Codigo;
        tipo = dtErro;
      }
    } catch (const std::exception &) {
      mensagem = QStringLiteral("Não foi possível acessar a base de dados");
      tipo = dtErro;
    }
  }
  PedidoDialogo p;
  p.Tipo = static_cast<TipoDialogo>(tipo >= dtAviso && tipo <= dtConfirmacao ? tipo : dtInformacao);
  p.Titulo = TituloDoTipo(p.Tipo);
  p.Texto = SubstituirArgumentos(mensagem, Args);
  p.Botoes = Botoes;
  p.BotaoPadrao = BotaoPadrao;
  return p;
}

int TUtilitarios::ExibirMensagem(const QString &Codigo, int Tipo, int ContextoAjuda,
                                 const QString &Texto, int BotaoPadrao, int Botoes,
                                 const QStringList &Args) {
  Q_UNUSED(ContextoAjuda);
  return MostrarDialogo(MontarMensagem(Codigo, Tipo, Texto, BotaoPadrao, Botoes, Args));
}

int TUtilitarios::Mensagem(const QString &Codigo, int Tipo, int ContextoAjuda,
                           const QString &Argumento, int BotaoPadrao, int Botoes) {
  return ExibirMensagem(Codigo, Tipo, ContextoAjuda, QString(), BotaoPadrao, Botoes,
                        QStringList{Argumento});
}

void TUtilitarios::MensagemPadrao(const QString &Prefixo, int Situacao) {
  static const char *const numeros[] = {"0078", "0001", "0068"};
  if (Situacao < 0 || Situacao > 2)
    return;
  Mensagem(Prefixo + QString::fromLatin1(numeros[Situacao]), dtInformacao, 0, QString(), 2, mbOK);
}

// ============================================================ SQL literals ==

QString TUtilitarios::TextoSQL(const QString &texto) {
  if (texto.trimmed().isEmpty())
    return QStringLiteral("Null");
  return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString TUtilitarios::SimNaoSQL(bool valor) {
  return valor ? QStringLiteral("'S'") : QStringLiteral("'N'");
}

QString TUtilitarios::InteiroSQL(int valor) {
  return valor == 0 ? QStringLiteral("Null") : QString::number(valor);
}

QString TUtilitarios::Inteiro64SQL(qint64 valor) {
  return valor == 0 ? QStringLiteral("Null") : QString::number(valor);
}

QString TUtilitarios::Inteiro64OuTexto(qint64 valor, const QString &padrao) {
  return valor > 0 ? QString::number(valor) : padrao;
}

QString TUtilitarios::DecimalSQL(double valor) {
  if (valor == 0.0 || !std::isfinite(valor))
    return QStringLiteral("Null");
  const Decimal15 d = Decompor(valor);
  // Plain decimal text (no exponent) of the 15 digits, trailing zeros dropped.
  QString inteiro, decimais;
  const int ponto = d.Expoente + 1;
  if (ponto <= 0) {
    inteiro = QStringLiteral("0");
    decimais = QString(-ponto, u'0') + d.Digitos;
  } else if (ponto >= d.Digitos.size()) {
    inteiro = d.Digitos + QString(ponto - d.Digitos.size(), u'0');
  } else {
    inteiro = d.Digitos.left(ponto);
    decimais = d.Digitos.mid(ponto);
  }
  while (decimais.endsWith(u'0'))
    decimais.chop(1);
  QString r = (d.Negativo ? QStringLiteral("-") : QString()) + inteiro;
  if (!decimais.isEmpty())
    r += u'.' + decimais;
  return r;
}

QString TUtilitarios::ValorSQL(double valor) {
  const Fixo f = Arredondado(valor, 2);
  return (f.Negativo ? QStringLiteral("-") : QString()) + f.Inteiro + u'.' + f.Decimais;
}

QString TUtilitarios::DataSQL(TDateTime data, bool SoData, bool ComMilissegundos) {
  // NullDate, the "not a date" value and the zero day all mean "no date".
  if (!DataDefinida(data) || !(data > 0))
    return QStringLiteral("NULL");
  // A date alone needs no time of day: building a local date-time reads the
  // time zone, which every statement with a date would pay for.
  if (SoData) {
    const QDate d = DataParaQDate(data);
    return d.isValid() ? u'\'' + d.toString(QStringLiteral("yyyy-MM-dd")) + u'\''
                       : QStringLiteral("NULL");
  }
  const QDateTime dt = DataParaQDateTime(data);
  if (!dt.isValid())
    return QStringLiteral("NULL");
  return u'\'' +
         dt.toString(ComMilissegundos ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                      : QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
         u'\'';
}

QString TUtilitarios::ListaInteiros(const QList<int> &valores) {
  QStringList partes;
  for (int v : valores)
    partes << QString::number(v);
  return partes.join(u',');
}

// ============================================================= conversions ==

int TUtilitarios::ParaInteiro(const QString &texto) {
  bool ok = false;
  const int v = texto.trimmed().toInt(&ok);
  return ok ? v : 0;
}

qint64 TUtilitarios::ParaInteiro64(const QString &texto) {
  qint64 v = 0;
  LerInt64(texto, v);
  return v;
}

double TUtilitarios::ParaDecimal(const QString &texto) {
  QString s = texto.trimmed();
  s.remove(u'.');
  s.replace(u',', u'.');
  bool ok = false;
  const double v = s.toDouble(&ok);
  return ok && std::isfinite(v) ? v : 0.0;
}

int TUtilitarios::LerInteiro(const QString &texto) {
  UltimoErro.clear();
  if (SomenteNumeros(texto))
    return ParaInteiro(texto);
  UltimoErro = QStringLiteral("0011");
  ValorErro = texto;
  return 0;
}

double TUtilitarios::LerDecimal(const QString &texto) {
  UltimoErro.clear();
  if (SomenteNumeros(texto))
    return ParaDecimal(texto);
  UltimoErro = QStringLiteral("0011");
  ValorErro = texto;
  return 0.0;
}

double TUtilitarios::LerValor15(const QString &texto) {
  UltimoErro.clear();
  qint64 inteiro = 0, centesimos = 0;
  const bool ok = SomenteNumeros(texto.left(10)) && SomenteNumeros(texto.mid(10, 5)) &&
                  LerInt64(texto.left(10), inteiro) && LerInt64(texto.mid(10, 5), centesimos);
  if (!ok) {
    UltimoErro = QStringLiteral("0011");
    ValorErro = texto;
    return 0.0;
  }
  // One division of the exact whole number of centavos: the nearest double
  // of the amount the field holds.
  return static_cast<double>(inteiro * 100000 + centesimos) / 100.0;
}

QString TUtilitarios::Digitos(const QString &texto) {
  QString r;
  Digitos(texto, r);
  return r;
}

void TUtilitarios::Digitos(const QString &texto, QString &destino) {
  for (const QChar c : texto)
    if (EhDigito(c))
      destino += c;
}

QString TUtilitarios::SemPontos(const QString &texto) {
  return QString(texto).remove(u'.');
}

QChar TUtilitarios::PrimeiroCaractere(const QString &texto) {
  return texto.isEmpty() ? QChar(u' ') : texto.at(0);
}

qint64 TUtilitarios::SomaCaracteres(const QString &texto) {
  qint64 soma = 0;
  for (const char c : ParaWin1252(texto))
    soma += static_cast<unsigned char>(c);
  return soma;
}

namespace {
// The 15-digit form of x differs from x by at most half a unit of its 15th
// digit, which is below |x| x 0.5e-14. Far enough from the next whole
// number, that form has the same whole part as x itself, and the digits need
// not be written out: the calculation cuts millions of products and nearly
// all of them are far from a boundary. Closer values take the written form.
bool CorteDireto(double x, double &inteiro) {
  const double a = std::fabs(x);
  if (!(a < 1e15))
    return false;
  const double f = std::trunc(a);
  if (f + 1.0 - a <= a * 1e-14)
    return false;
  inteiro = std::copysign(f, x);
  return true;
}
} // namespace

double TUtilitarios::Truncar(int casas, double valor) {
  const double escala = Potencia10(casas);
  double inteiro = 0;
  if (CorteDireto(valor * escala, inteiro))
    return inteiro / escala;
  const Decimal15 d = Decompor(valor * escala);
  if (!d.Valido)
    return valor;
  const double r = ParteInteira(d, 0).toDouble() / escala;
  return d.Negativo ? -r : r;
}

qint64 TUtilitarios::ParaCentavos(double valor) {
  const double x = valor * 100.0;
  double inteiro = 0;
  if (CorteDireto(x, inteiro))
    return static_cast<qint64>(inteiro);
  // An amount already in whole centavos lies within a few units of the last
  // binary place of its centavo count, well inside the 15-digit rounding:
  // that count is the answer. Anything else takes the written form.
  const double a = std::fabs(x);
  if (a >= 1.0 && a < 1e15) {
    const double r = std::nearbyint(x);
    if (std::fabs(x - r) < a * 0.4e-15)
      return static_cast<qint64>(r);
  }
  const Decimal15 d = Decompor(valor * 100.0);
  if (!d.Valido || d.Expoente > 17)
    return 0;
  const qint64 c = ParteInteira(d, 0).toLongLong();
  return d.Negativo ? -c : c;
}

double TUtilitarios::Arredondar(int casas, double valor) {
  const Fixo f = Arredondado(valor, casas);
  const double r = (f.Inteiro + u'.' + f.Decimais).toDouble();
  return f.Negativo ? -r : r;
}

int TUtilitarios::MesesEntre(TDateTime a, TDateTime b) {
  const QDate da = DataDe(a), db = DataDe(b);
  return (da.year() - db.year()) * 12 + da.month() - db.month();
}

TDateTime TUtilitarios::SomarMeses(TDateTime data, int meses) {
  const QDate d = DataDe(data);
  if (!d.isValid())
    return data;
  // QDate::addMonths keeps the day, clamped to the length of the target month.
  const double hora = data - std::floor(data);
  return QDateParaData(d.addMonths(meses)) + hora;
}

QString TUtilitarios::DataTextoDigitos(const QString &texto, int Modo) {
  QString d = Digitos(texto);
  if (Modo == 1 && (texto.size() == 8 || texto.size() == 10) && d.size() == 8)
    d = d.mid(6, 2) + d.mid(4, 2) + d.left(4); // yyyymmdd -> ddmmyyyy
  d = d.left(8);
  // The digits read as a number and laid into "00/00/0000".
  d = QString(8 - d.size(), u'0') + d;
  return d.left(2) + u'/' + d.mid(2, 2) + u'/' + d.mid(4, 4);
}

TDateTime TUtilitarios::TextoParaData(const QString &texto, bool FormatoAAAAMMDD) {
  QString t = texto;
  if (FormatoAAAAMMDD) {
    const QString d = Digitos(texto);
    t = d.mid(6, 2) + d.mid(4, 2) + d.left(4);
  }
  const QString digitos = Digitos(t).left(8);
  const QString dma = DataTextoDigitos(t, 0);
  if (Digitos(dma).count(u'0') == 8)
    return NullDate;
  const QDate q = QDate::fromString(dma, QStringLiteral("dd/MM/yyyy"));
  if (q.isValid() && digitos.size() > 7)
    return QDateParaData(q);
  return DataNaoValida;
}

bool TUtilitarios::DataInvalida(TDateTime data) {
  if (data == DataNaoValida)
    return true;
  if (data == NullDate)
    return false;
  const QDate q = DataDe(data);
  if (!q.isValid() || q.year() < 1900 || q.year() > 9999)
    return true;
  if (q.year() == 1900 && q.month() <= 1 && q.day() <= 1)
    return true;
  return false;
}

QString TUtilitarios::DataParaTexto(TDateTime data) {
  if (data == NullDate)
    return QStringLiteral("00/00/0000");
  if (DataInvalida(data))
    return QString();
  return DataDe(data).toString(QStringLiteral("dd/MM/yyyy"));
}

QString TUtilitarios::DataFormatada(const QString &Formato, bool VazioSeNula, TDateTime data) {
  if (!(data > 0))
    return VazioSeNula ? QString() : QStringLiteral("00000000");
  const QDateTime dt = DataParaQDateTime(data);
  const QDate d = dt.date();
  const QTime t = dt.time();
  const QString f = Formato;
  QString r;
  bool depoisDeHora = false; // "mm" right after an hour means minutes
  auto doisDigitos = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
  int i = 0;
  while (i < f.size()) {
    const QChar c = f.at(i).toLower();
    int n = 1;
    while (i + n < f.size() && f.at(i + n).toLower() == c)
      ++n;
    if (c == u'\'' || c == u'"') {
      const int fim = f.indexOf(f.at(i), i + 1);
      const int ate = fim < 0 ? f.size() : fim;
      r += f.mid(i + 1, ate - i - 1);
      i = ate + 1;
      continue;
    }
    switch (c.unicode()) {
    case u'y':
      r += n >= 3 ? QString::number(d.year()).rightJustified(4, u'0') : doisDigitos(d.year() % 100);
      break;
    case u'm':
      if (depoisDeHora)
        r += n >= 2 ? doisDigitos(t.minute()) : QString::number(t.minute());
      else
        r += n >= 2 ? doisDigitos(d.month()) : QString::number(d.month());
      break;
    case u'd':
      r += n >= 2 ? doisDigitos(d.day()) : QString::number(d.day());
      break;
    case u'h':
      r += n >= 2 ? doisDigitos(t.hour()) : QString::number(t.hour());
      break;
    case u'n':
      r += n >= 2 ? doisDigitos(t.minute()) : QString::number(t.minute());
      break;
    case u's':
      r += n >= 2 ? doisDigitos(t.second()) : QString::number(t.second());
      break;
    case u'z':
      r += n >= 3 ? QString::number(t.msec()).rightJustified(3, u'0') : QString::number(t.msec());
      break;
    default:
      r += f.mid(i, n);
    }
    if (c == u'h')
      depoisDeHora = true;
    else if (c.isLetter())
      depoisDeHora = false;
    i += n;
  }
  return r;
}

TDateTime TUtilitarios::DataServidor(bool ComHora) {
  TDataSetPtr ds = Consultar(QStringLiteral("Select current_timestamp AS DATA from rdb$database"));
  const TDateTime agora = ds->FieldByName(QStringLiteral("DATA")).AsDateTime();
  return ComHora ? agora : std::floor(agora);
}

QString TUtilitarios::FormatarValor(double valor) {
  const Fixo f = Arredondado(valor, 2);
  QString inteiro;
  const int n = f.Inteiro.size();
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0)
      inteiro += u'.';
    inteiro += f.Inteiro.at(i);
  }
  return (f.Negativo ? QStringLiteral("-") : QString()) + inteiro + u',' + f.Decimais;
}

QString TUtilitarios::FormatarInteiro12(qint64 valor) {
  const QString s = QString::number(std::llabs(valor)).rightJustified(12, u'0');
  return valor < 0 ? u'-' + s : s;
}

QString TUtilitarios::CompletarZeros(const QString &texto, int n) {
  return texto.rightJustified(n, u'0', false);
}

QString TUtilitarios::Completar(const QString &texto, QChar caractere, bool AEsquerda, int n) {
  if (texto.size() >= n)
    return texto.left(n);
  return AEsquerda ? texto.rightJustified(n, caractere) : texto.leftJustified(n, caractere);
}

QString TUtilitarios::CompletarEspacos(const QString &texto, int n, bool AEsquerda) {
  return Completar(texto, u' ', AEsquerda, n);
}

QString TUtilitarios::FormatarCNPJ(const QString &texto) {
  const QString d = CompletarZeros(Digitos(texto), 14);
  return d.left(2) + u'.' + d.mid(2, 3) + u'.' + d.mid(5, 3) + u'/' + d.mid(8, 4) + u'-' +
         d.mid(12, 2);
}

QString TUtilitarios::FormatarPIS(const QString &texto) {
  if (texto.trimmed().isEmpty())
    return QString();
  const QString d = CompletarZeros(Digitos(texto), 8);
  return d.left(3) + u'.' + d.mid(3, 5) + u'.' + d.mid(8, 2) + u'-' + d.mid(10, 1);
}

QString TUtilitarios::AplicarMascara(const QString &texto, const QString &Tipo) {
  if (Tipo == QStringLiteral("CNPJ"))
    return AplicarPadrao(texto, QStringLiteral("00.000.000/0000-00"));
  if (Tipo == QStringLiteral("PIS"))
    return AplicarPadrao(texto, QStringLiteral("000.00000.00-0"));
  return texto;
}

QString TUtilitarios::SubstituirTodos(const QString &texto, const QString &Novo,
                                      const QStringList &Antigos, bool Inverso) {
  QString r = texto;
  for (const QString &antigo : Antigos) {
    if (Inverso) {
      const int p = Novo.isEmpty() ? -1 : r.indexOf(Novo);
      if (p >= 0)
        r.replace(p, Novo.size(), antigo);
    } else if (!antigo.isEmpty()) {
      r.replace(antigo, Novo, Qt::CaseSensitive);
    }
  }
  return r;
}

// ================================================================== checks ==

bool TUtilitarios::SomenteNumeros(const QString &texto) {
  return std::all_of(texto.begin(), texto.end(), EhDigito);
}

bool TUtilitarios::SomenteLetras(const QString &texto) {
  return std::all_of(texto.begin(), texto.end(), [](QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u' ';
  });
}

bool TUtilitarios::TodosZeros(const QString &texto, int n) {
  return texto.size() == n && texto.count(u'0') == n;
}

bool TUtilitarios::TodosNoves(const QString &texto, int n) {
  return texto.size() == n && texto.count(u'9') == n;
}

bool TUtilitarios::Vazio(const QString &texto) {
  return texto.trimmed().isEmpty();
}

bool TUtilitarios::CaracteresIguais(const QString &texto) {
  return texto.isEmpty() || texto.count(texto.at(0)) == texto.size();
}

bool TUtilitarios::SemEspacosDuplos(const QString &texto) {
  return !texto.contains(QStringLiteral("  "));
}

bool TUtilitarios::TextoRepetido(const QString &texto, int quantidade) {
  const QString t = texto.trimmed().toUpper();
  if (t.isEmpty())
    return true;
  int seguidos = 1;
  if (seguidos >= quantidade)
    return false;
  for (int i = 1; i < t.size(); ++i) {
    seguidos = t.at(i) == t.at(i - 1) ? seguidos + 1 : 1;
    if (seguidos >= quantidade)
      return false;
  }
  return true;
}

bool TUtilitarios::NomeValido(const QString &texto) {
  if (texto.isEmpty() || texto.startsWith(u' '))
    return false;
  const QString t = texto.trimmed().toUpper();
  const bool caracteres = std::all_of(t.begin(), t.end(), [](QChar c) {
    return (c >= u'A' && c <= u'Z') || EhDigito(c) || c == u' ';
  });
  return caracteres && TextoRepetido(t, 3) && SemEspacosDuplos(t);
}

bool TUtilitarios::NomeCompleto(const QString &texto) {
  const QString t = texto.trimmed();
  const int primeiro = t.indexOf(u' ');
  if (primeiro < 0)
    return false;
  const int ultimo = t.lastIndexOf(u' ');
  return primeiro >= 2 && t.size() - ultimo - 1 >= 2;
}

bool TUtilitarios::ContidoApos(const QString &texto, const QString &parte) {
  return texto.indexOf(parte) > 0;
}

namespace {
int DigitoModulo11Pesos(const QString &d, const int *pesos, int n) {
  int soma = 0;
  for (int i = 0; i < n; ++i)
    soma += d.at(i).digitValue() * pesos[i];
  const int r = soma % 11;
  return r < 2 ? 0 : 11 - r;
}

// The inscription as the number it holds, written with `n` digits; empty when
// it is not a number or does not fit.
QString InscricaoComDigitos(const QString &numero, int n) {
  const QString t = numero.trimmed();
  if (t.isEmpty() || !TUtilitarios::SomenteNumeros(t))
    return QString();
  const QString d = TirarZerosEsquerda(t);
  if (d.size() > n)
    return QString();
  return TUtilitarios::CompletarZeros(d, n);
}
} // namespace

bool TUtilitarios::CNPJValido(qint64 numero) {
  return numero > 0 && CNPJValido(QString::number(numero));
}

bool TUtilitarios::CNPJValido(const QString &numero) {
  const QString d = InscricaoComDigitos(numero, 14);
  if (d.isEmpty() || TodosZeros(d, 14))
    return false;
  static const int pesos1[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static const int pesos2[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  if (DigitoModulo11Pesos(d, pesos1, 12) != d.at(12).digitValue())
    return false;
  return DigitoModulo11Pesos(d, pesos2, 13) == d.at(13).digitValue();
}

bool TUtilitarios::CEIValido(qint64 numero) {
  return numero > 0 && CEIValido(QString::number(numero));
}

bool TUtilitarios::CEIValido(const QString &numero) {
  const QString d = InscricaoComDigitos(numero, 12);
  if (d.isEmpty() || TodosZeros(d, 12))
    return false;
  static const int pesos[] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
  int soma = 0;
  for (int i = 0; i < 11; ++i)
    soma += d.at(i).digitValue() * pesos[i];
  const int dezenaMaisUnidade = (soma / 10) % 10 + soma % 10;
  int dv = 10 - dezenaMaisUnidade % 10;
  if (dv == 10)
    dv = 0;
  return dv == d.at(11).digitValue();
}

bool TUtilitarios::CPFValido(const QString &numero) {
  if (numero.size() != 11 || !SomenteNumeros(numero) || TodosZeros(numero, 11))
    return false;
  static const int pesos1[] = {10, 9, 8, 7, 6, 5, 4, 3, 2};
  static const int pesos2[] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
  return DigitoModulo11Pesos(numero, pesos1, 9) == numero.at(9).digitValue() &&
         DigitoModulo11Pesos(numero, pesos2, 10) == numero.at(10).digitValue();
}

bool TUtilitarios::EhDiaUtil(TDateTime data) {
  if (!DataDefinida(data))
    return false;
  TDataSetPtr ds =
      Consultar(QStringLiteral("SELECT DT_UTIL AS DATA FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL = ") +
                DataSQL(data, true));
  return !ds->IsEmpty();
}

bool TUtilitarios::DentroPeriodoProrata(TDateTime data) {
  // The window opens with the earliest payment date of the table, whatever
  // order the rows come back in.
  const TDateTime r = DataDaConsulta(QStringLiteral("SELECT MIN(DT_RECOLHIMENTO_PRORATA) AS DATA "
                                                    "FROM QZLTBT18_INDICE_PRORATA"),
                                     QStringLiteral("DATA"));
  const QDate ref = DataDe(r);
  const QDate d = DataDe(data);
  if (!ref.isValid() || !d.isValid())
    return false;
  const QDate inicio(ref.year(), ref.month(), 10);
  const QDate seguinte = inicio.addMonths(1);
  const QDate fim(seguinte.year(), seguinte.month(), 9);
  return inicio <= d && d <= fim;
}

qint64 TUtilitarios::NumeroConferenciaIndice(const QDate &dia, const QTime &hora) {
  const QString d = dia.toString(QStringLiteral("ddMMyy"));
  const QString t = hora.toString(QStringLiteral("HHmm"));
  if (d.size() != 6 || t.size() != 4)
    return -1;
  auto n = [](QChar c) { return static_cast<qint64>(c.digitValue()); };
  auto pot = [](qint64 b, int e) {
    qint64 r = 1;
    while (e-- > 0)
      r *= b;
    return r;
  };
  const qint64 d1 = n(d[0]), d2 = n(d[1]), d3 = n(d[2]), d4 = n(d[3]), d5 = n(d[4]),
               d6 = n(d[5]);
  const qint64 t2 = n(t[1]), t3 = n(t[2]), t4 = n(t[3]);
  // The companion is written with 13 digits and read back as a number.
  const qint64 numero = d1 * d3 * d4 + pot(d2, 2) * pot(d5, 3) * pot(d6, 5) +
                        pot(t2, 3) * pot(t3, 2) * pot(t3, 5) + t4;
  return CompletarZeros(QString::number(numero), 13).toLongLong();
}

bool TUtilitarios::ArquivoIndiceValido(const QString &Dados, const QString &Companheiro,
                                       const QDate &Dia, const QTime &Hora) {
  const QFileInfo dados(Dados), companheiro(Companheiro);
  if (!dados.isFile() || !companheiro.isFile())
    return false;
  QDate dia = Dia;
  QTime hora = Hora;
  if (!dia.isValid() || !hora.isValid()) {
    const QDateTime modificado = dados.lastModified().toLocalTime();
    dia = modificado.date();
    hora = modificado.time();
  }
  QFile arquivo(Companheiro);
  if (!arquivo.open(QIODevice::ReadOnly))
    return false;
  const QString primeira = QString::fromLatin1(arquivo.readLine(64)).trimmed();
  bool ok = false;
  qint64 informado = primeira.toLongLong(&ok);
  if (!ok)
    informado = -1;
  // Compared as the bank's own check does: on the low 32 bits, signed.
  const auto esperado = static_cast<qint32>(
      static_cast<quint32>(NumeroConferenciaIndice(dia, hora) & 0xFFFFFFFF));
  return informado == esperado;
}

bool TUtilitarios::ProrataAlemDia10() {
  const TDateTime maior =
      DataDaConsulta(QStringLiteral("SELECT MAX(DT_RECOLHIMENTO_PRORATA) AS MAX_RECOLHIMENTO  FROM "
                                    "qzltbt18_indice_prorata"),
                     QStringLiteral("MAX_RECOLHIMENTO"));
  const QDate d = DataDe(maior);
  return d.isValid() && d.day() > 10;
}

QString TUtilitarios::ValidarDataTexto(const QString &texto, bool EmFormatoNumerico) {
  UltimoErro.clear();
  const QString nula = DataParaTexto(NullDate);
  if (texto.trimmed().isEmpty() || texto.size() < 8)
    return nula;
  const bool numero = SomenteNumeros(texto);
  if (numero && texto.count(u'0') == texto.size())
    return nula; // a zero-filled field means "no date"
  // Only a real calendar date passes: 31/02/2024 is as wrong as a letter.
  QDate q;
  if (numero)
    q = QDate::fromString(texto.left(8), EmFormatoNumerico ? QStringLiteral("yyyyMMdd")
                                                           : QStringLiteral("ddMMyyyy"));
  if (q.isValid())
    return q.toString(QStringLiteral("dd/MM/yyyy"));
  UltimoErro = QStringLiteral("0212");
  ValorErro = texto;
  return nula;
}

bool TUtilitarios::ValidarData(const QString &texto, const QString &Prefixo,
                               const QString &MensagemObrigatoria,
                               const QString &MensagemInvalida) {
  const QString d = Digitos(texto);
  if (!d.isEmpty()) {
    ValidarDataTexto(d, false);
    // A partly typed date is not a date either.
    if (d.size() < 8) {
      UltimoErro = QStringLiteral("0212");
      ValorErro = texto;
    }
    if (!UltimoErro.isEmpty()) {
      ExibirMensagem(Prefixo + MensagemInvalida, dtErro, 0, QString(), 2, mbOK);
      return false;
    }
  } else if (!MensagemObrigatoria.isEmpty()) {
    ExibirMensagem(Prefixo + MensagemObrigatoria, dtErro, 0, QString(), 2, mbOK);
    return false;
  }
  return true;
}

bool TUtilitarios::LinhaDigitavelValida(const QString &texto) {
  const QString d = Digitos(texto);
  if (d.size() < 48)
    return false;
  for (int b = 0; b < 4; ++b) {
    const QString bloco = d.mid(b * 12, 11);
    if (Modulo11(bloco) != d.at(b * 12 + 11).digitValue())
      return false;
  }
  return true;
}

// ====================================================== bar code of guides ==

int TUtilitarios::Modulo11(const QString &digitos) {
  int soma = 0;
  int peso = 2;
  for (int i = digitos.size() - 1; i >= 0; --i) {
    soma += digitos.at(i).digitValue() * peso;
    peso = peso == 9 ? 2 : peso + 1;
  }
  const int r = soma % 11;
  return r < 2 ? 0 : 11 - r;
}

QString TUtilitarios::GerarCodigoBarras(double valor, TDateTime pagamento, qint64 inscricao) {
  const QString centavos =
      QString::number(std::llabs(ParaCentavos(valor))).rightJustified(11, u'0');
  const QString data = DataFormatada(QStringLiteral("yyyymmdd"), false, pagamento);
  const QString resto =
      centavos + QStringLiteral("0239") + data + GerarIdentificadorGuia(inscricao);
  const QString semDigito = QStringLiteral("858") + resto;
  return QStringLiteral("858") + QString::number(Modulo11(semDigito)) + resto;
}

namespace {
QString IdentificadorDoMomento(const QDateTime &agora, qint64 inscricao) {
  const QDate d = agora.date();
  const QTime t = agora.time();
  const int segundos = t.hour() * 3600 + t.minute() * 60 + t.second();
  return QString::number(d.dayOfYear()).rightJustified(3, u'0') + QString::number(d.year() % 10) +
         QString::number(segundos).rightJustified(5, u'0') +
         QString::number(inscricao).rightJustified(14, u'0').mid(1, 7) + u'2';
}
} // namespace

namespace {
std::atomic<qint64> esperaIdentificadorGuia{0};
} // namespace

qint64 EsperaIdentificadorGuia() {
  return esperaIdentificadorGuia;
}

QString TUtilitarios::GerarIdentificadorGuia(qint64 inscricao) {
  // The identifier holds the second and the inscription digits 2-8, so only
  // a guide of the same root (a branch of the same company) in the same
  // second could repeat the previous one: only then wait for the next second.
  static QMutex trava;
  static QString anterior;
  QMutexLocker bloqueio(&trava);
  QString id = IdentificadorDoMomento(QDateTime::currentDateTime(), inscricao);
  while (id == anterior) {
    const QTime t = QTime::currentTime();
    const int ms = std::max(1, 1000 - t.msec());
    QThread::msleep(ms);
    esperaIdentificadorGuia += ms;
    id = IdentificadorDoMomento(QDateTime::currentDateTime(), inscricao);
  }
  anterior = id;
  return id;
}

QString TUtilitarios::LinhaDigitavel(const QString &codigoBarras) {
  if (codigoBarras.isEmpty() || !SomenteNumeros(codigoBarras))
    return QString();
  QString r;
  for (int b = 0; b < 4; ++b) {
    const QString bloco = codigoBarras.mid(b * 11, 11);
    r += bloco + QString::number(Modulo11(bloco));
  }
  return r;
}

QString TUtilitarios::DigitosLinha(const QString &codigoBarras) {
  const QString linha = LinhaDigitavel(codigoBarras);
  if (linha.size() < 48)
    return QString();
  return QString(linha.at(11)) + linha.at(23) + linha.at(35) + linha.at(47);
}

QString TUtilitarios::CodigoBarrasDaLinha(const QString &linha) {
  QString r;
  for (int i = 0; i < linha.size(); ++i)
    if (i != 11 && i != 23 && i != 35 && i != 47)
      r += linha.at(i);
  return r;
}

QString TUtilitarios::GerarIdentificadorArquivo(const QString &texto) {
  TDataSetPtr ds = Consultar(QStringLiteral("Select current_timestamp AS DATA from rdb$database"));
  QDateTime dt = ds->FieldByName(QStringLiteral("DATA")).AsVariant().toDateTime();
  if (!dt.isValid())
    dt = DataParaQDateTime(DataServidor(true));
  return dt.toString(QStringLiteral("yyyyMMddHHmmsszzz")) +
         QString::number(SomaCaracteres(texto)).rightJustified(13, u'0');
}

// ========================================================= queries, lists ==

QString TUtilitarios::VersaoSistema(bool ComData) {
  TDataSetPtr ds = Consultar(QStringLiteral("SELECT CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA FROM "
                                            "QZLTBT22_PARAMETRO_SISTEMA ORDER BY "
                                            "DT_VERSAO_SISTEMA DESC"));
  if (ds->IsEmpty())
    return QString();
  QString r = ds->FieldByName(QStringLiteral("CO_VERSAO_SISTEMA")).AsString().trimmed() + u' ';
  if (ComData) {
    const QString data =
        DataParaTexto(ds->FieldByName(QStringLiteral("DT_VERSAO_SISTEMA")).AsDateTime());
    if (!data.isEmpty())
      r += QStringLiteral(" - ") + data;
  }
  return r;
}

QString TUtilitarios::PeriodoProrata(bool Curto) {
  TDataSetPtr ds = Consultar(QStringLiteral(
      "SELECT MIN(DT_RECOLHIMENTO_PRORATA) AS MIN_RECOLHIMENTO, MAX(DT_RECOLHIMENTO_PRORATA) AS "
      "MAX_RECOLHIMENTO  FROM qzltbt18_indice_prorata"));
  TDateTime menor = NullDate, maior = NullDate;
  if (!ds->IsEmpty()) {
    menor = ds->FieldByName(QStringLiteral("MIN_RECOLHIMENTO")).AsDateTime();
    maior = ds->FieldByName(QStringLiteral("MAX_RECOLHIMENTO")).AsDateTime();
  }
  const QString de = DataParaTexto(menor), ate = DataParaTexto(maior);
  if (Curto)
    return de + QStringLiteral(" à ") + ate;
  return QStringLiteral("(entre ") + de + QStringLiteral(" e ") + ate + u')';
}

namespace {
QList<TItemLista> LerItens(const QString &sql, bool aparar, int zeros) {
  QList<TItemLista> itens;
  TDataSetPtr ds = Consultar(sql);
  for (ds->First(); !ds->Eof(); ds->Next()) {
    TItemLista item;
    item.Texto = ds->Fields(0).AsString();
    if (aparar)
      item.Texto = item.Texto.trimmed();
    if (zeros > 0)
      item.Texto = TUtilitarios::CompletarZeros(item.Texto, zeros);
    if (ds->FieldCount() > 1)
      item.Numero = ds->Fields(1).AsInteger();
    itens << item;
  }
  std::stable_sort(itens.begin(), itens.end(), [](const TItemLista &a, const TItemLista &b) {
    return QString::compare(a.Texto, b.Texto, Qt::CaseInsensitive) < 0;
  });
  return itens;
}
} // namespace

QList<TItemLista> TUtilitarios::ListaCombo(const QString &sql, bool LinhaVazia, bool IncluirTodos,
                                           bool Aparar) {
  QList<TItemLista> itens = LerItens(sql, Aparar, 0);
  if (LinhaVazia && !itens.isEmpty())
    itens.prepend(TItemLista{});
  if (IncluirTodos && itens.size() > 1)
    itens.prepend(TItemLista{QStringLiteral("Todos"), QVariant()});
  return itens;
}

QList<TItemLista> TUtilitarios::ListaComboZeros(const QString &sql, int digitos) {
  return LerItens(sql, true, digitos);
}

QStringList TUtilitarios::Textos(const QList<TItemLista> &itens) {
  QStringList r;
  for (const TItemLista &i : itens)
    r << i.Texto;
  return r;
}

bool TUtilitarios::LocalizarNoDataSet(TDataSet &ds, const QString &Prefixo, bool Parcial,
                                      const QString &Criterio) {
  const int hifen = Criterio.indexOf(u'-');
  const QString chave = hifen < 0 ? Criterio : Criterio.left(hifen);
  const QString valor = hifen < 0 ? QString() : Criterio.mid(hifen + 1);
  QString coluna;
  bool numerico = false;
  if (chave == QStringLiteral("INSCRICAO")) {
    coluna = QStringLiteral("NU_INSCRICAO");
    numerico = true;
  } else if (chave == QStringLiteral("RAZAO")) {
    coluna = QStringLiteral("NO_RAZAO_SOCIAL");
  } else if (chave == QStringLiteral("NOME")) {
    coluna = QStringLiteral("NO_EMPREGADO");
  } else if (chave == QStringLiteral("PIS/PASEP")) {
    coluna = QStringLiteral("NU_PIS");
    numerico = true;
  } else {
    throw ENegocio(QStringLiteral("Campo não localizado na Coleção."));
  }
  const int c = ds.IndiceCampo(coluna);
  if (c < 0)
    throw ENegocio(QStringLiteral("Campo não localizado na Coleção."));
  const QString procurado = numerico ? TirarZerosEsquerda(valor.trimmed()) : valor.toUpper();
  const int antes = ds.RecNo();
  for (int i = 0; i < ds.RecordCount(); ++i) {
    ds.MoverPara(i);
    const QString atual = ds.Fields(c).AsString();
    bool achou;
    if (numerico)
      achou = TirarZerosEsquerda(atual.trimmed()) == procurado;
    else if (Parcial)
      achou = atual.toUpper().contains(procurado);
    else
      achou = atual.toUpper() == procurado;
    if (achou)
      return true;
  }
  ds.MoverPara(antes);
  Mensagem(Prefixo + QStringLiteral("0092"), dtInformacao, 0, QString(), 2, mbOK);
  return false;
}

QStringList TUtilitarios::LerCaminhosRegistro(const QString &Subchave, const QStringList &Nomes) {
  const QString pasta = PastaPrograma();
  QStringList caminhos;
#ifdef Q_OS_WIN
  QSettings chave(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\VORDA\\KRT\\") + Subchave,
                  QSettings::NativeFormat);
  const bool existe = !chave.allKeys().isEmpty();
#else
  Q_UNUSED(Subchave); // folder paths live in the Windows registry only
  const bool existe = false;
#endif
  for (const QString &nome : Nomes) {
    QString caminho = pasta;
#ifdef Q_OS_WIN
    if (existe)
      caminho = chave.value(nome).toString();
#else
    Q_UNUSED(nome);
#endif
    if (!existe || caminho.isEmpty() || !QFileInfo(caminho).isDir())
      caminho = pasta;
    caminhos << caminho;
  }
  return caminhos;
}

void TUtilitarios::ApagarArquivosPasta(const QString &pasta) {
  QDir dir(pasta);
  for (const QString &nome : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
    dir.remove(nome);
}

// ============================================================= data upkeep ==

void TUtilitarios::NormalizarConsignados() {
  TDataSetPtr ds = Consultar(QStringLiteral("SELECT FIRST 1 NU_PIS FROM "
                                            "QZLTBG04_VINCULO_EMPREGATICIO WHERE "
                                            "IC_REPOSICAO_VAGAS = 'S'"));
  if (!ds->IsEmpty())
    ExecutarComando(
        QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_REPOSICAO_VAGAS = 'N'"));
  // Each link keeps its flag only when it has contracts and none of them
  // lacks the institution, the number or the date.
  ExecutarComando(QStringLiteral(
      "UPDATE QZLTBG04_VINCULO_EMPREGATICIO V SET V.IC_CONSIGNADO = 'N' "
      "WHERE V.IC_CONSIGNADO = 'S' AND ("
      "NOT EXISTS (SELECT 1 FROM QZLTBG22_EMPREGADO_CNSGTRA C "
      "WHERE C.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND C.NU_INSCRICAO = V.NU_INSCRICAO "
      "AND C.NU_PIS = V.NU_PIS AND C.NU_CATEGORIA = V.NU_CATEGORIA "
      "AND C.DT_ADMISSAO_VINCULO = V.DT_ADMISSAO_VINCULO) "
      "OR EXISTS (SELECT 1 FROM QZLTBG22_EMPREGADO_CNSGTRA C "
      "WHERE C.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND C.NU_INSCRICAO = V.NU_INSCRICAO "
      "AND C.NU_PIS = V.NU_PIS AND C.NU_CATEGORIA = V.NU_CATEGORIA "
      "AND C.DT_ADMISSAO_VINCULO = V.DT_ADMISSAO_VINCULO "
      "AND (C.CO_INSTITUICAO_CNSGTRA IS NULL OR TRIM(C.CO_INSTITUICAO_CNSGTRA) = '' "
      "OR C.NU_CONTRATO IS NULL OR TRIM(C.NU_CONTRATO) = '' OR C.DT_NU_CONTRATO IS NULL)))"));
}

void TUtilitarios::RemoverConsignados() {
  TDataSetPtr ds = Consultar(QStringLiteral("SELECT FIRST 1 NU_PIS FROM "
                                            "QZLTBG04_VINCULO_EMPREGATICIO WHERE "
                                            "IC_CONSIGNADO = 'S'"));
  if (!ds->IsEmpty())
    ExecutarComando(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_CONSIGNADO = 'N'"));
  ExecutarComando(QStringLiteral("DELETE FROM QZLTBG22_EMPREGADO_CNSGTRA"));
}
