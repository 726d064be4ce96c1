#include "unGlobal.h"

#include "unInstalacao.h"

#include <QDir>
#include <cmath>

TConfiguracao Configuracao;
TDateTime DataPagamento = NullDate;
TDateTime DataEditalProrata = NullDate;

namespace {
const QDate DiaZero(1899, 12, 30);
QString PastaDefinida;
} // namespace

TDateTime QDateParaData(const QDate &d) {
  if (!d.isValid())
    return NullDate;
  return static_cast<double>(DiaZero.daysTo(d));
}

TDateTime QDateTimeParaData(const QDateTime &dt) {
  if (!dt.isValid())
    return NullDate;
  const QTime t = dt.time();
  return QDateParaData(dt.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

QDate DataParaQDate(TDateTime d) {
  if (d <= NullDate || d == DataNaoValida || std::isnan(d))
    return {};
  return DiaZero.addDays(static_cast<qint64>(std::floor(d)));
}

QDateTime DataParaQDateTime(TDateTime d) {
  const QDate dia = DataParaQDate(d);
  if (!dia.isValid())
    return {};
  const double fracao = d - std::floor(d);
  const int ms = static_cast<int>(std::llround(fracao * 86400000.0));
  return QDateTime(dia, QTime(0, 0).addMSecs(ms));
}

TDateTime Hoje() { return QDateParaData(QDate::currentDate()); }
TDateTime Agora() { return QDateTimeParaData(QDateTime::currentDateTime()); }

QString PastaPrograma() {
  if (!PastaDefinida.isEmpty())
    return PastaDefinida;
  return PastaExecutavel();
}

void DefinirPastaPrograma(const QString &pasta) { PastaDefinida = QDir(pasta).absolutePath(); }

QString CaminhoPrograma(const QString &relativo) {
  return QDir::toNativeSeparators(QDir(PastaPrograma()).filePath(relativo));
}
