#include "unTDiaUtil.h"

#include <QCoreApplication>
#include <QMutex>
#include <QThread>
#include <cmath>
#include <memory>

TDiaUtil::TDiaUtil(bool Carregar) {
  Inicializar();
  if (Carregar)
    this->Carregar();
}

void TDiaUtil::Inicializar() {
  SqlSelect = QStringLiteral("SELECT DT_UTIL AS DATA ");
  SqlFrom = QStringLiteral("FROM QZLTBT15_DIA_UTIL ");
}

void TDiaUtil::Carregar() {
  Ibx = IbxUtils; // the connection may have been replaced since creation
  AbrirDataSet(SqlSelect + SqlFrom);
  QSet<qint64> dias;
  TDataSet &ds = *DataSet;
  const int coluna = ds.IndiceCampo(QStringLiteral("DATA"));
  for (ds.First(); !ds.Eof(); ds.Next())
    dias.insert(static_cast<qint64>(std::floor(ds.Fields(coluna).AsDateTime())));
  ds.First();
  dias_ = std::move(dias);
  carregado_ = true;
}

bool TDiaUtil::EhDiaUtil(TDateTime data) const {
  return DataDefinida(data) && dias_.contains(static_cast<qint64>(std::floor(data)));
}

TDateTime TDiaUtil::Procurar(TDateTime data, int passo) const {
  if (!DataDefinida(data))
    return NullDate;
  const double dia = std::floor(data);
  for (int i = 0; i <= 7; ++i)
    if (dias_.contains(static_cast<qint64>(dia) + i * passo))
      return dia + i * passo;
  return NullDate;
}

TDateTime TDiaUtil::DiaUtilAnterior(TDateTime data) const {
  return Procurar(data, -1);
}

TDateTime TDiaUtil::DiaUtilPosterior(TDateTime data) const {
  return Procurar(data, +1);
}

namespace {
std::unique_ptr<TDiaUtil> &Calendario() {
  static std::unique_ptr<TDiaUtil> c;
  return c;
}
QMutex TravaCalendario;
} // namespace

TDiaUtil &DiaUtil() {
  QMutexLocker l(&TravaCalendario);
  std::unique_ptr<TDiaUtil> &c = Calendario();
  if (!c)
    c = std::make_unique<TDiaUtil>(false);
  if (!c->Carregado())
    c->Carregar();
  return *c;
}

void RecarregarDiaUtil() {
  QMutexLocker l(&TravaCalendario);
  std::unique_ptr<TDiaUtil> &c = Calendario();
  if (!c)
    c = std::make_unique<TDiaUtil>(false);
  c->Carregar();
}

TDateTime AjustarDiaUtil(bool Posterior, TDateTime data) {
  TDiaUtil &d = DiaUtil();
  const TDateTime r = Posterior ? d.DiaUtilPosterior(data) : d.DiaUtilAnterior(data);
  return r == NullDate ? data : r;
}

TDateTime VencimentoMesSeguinte(TDateTime data) {
  const QDate d = DataParaQDate(data);
  if (!d.isValid())
    return data;
  const QDate seguinte = QDate(d.year(), d.month(), 1).addMonths(1);
  return AjustarDiaUtil(false, QDateParaData(QDate(seguinte.year(), seguinte.month(), 7)));
}

void AtualizarJanelas() {
  QCoreApplication *app = QCoreApplication::instance();
  if (app && QThread::currentThread() == app->thread())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
