#include "collection/unTAliquotaDeposito.h"

#include "core/unFBUtils.h"

#include <QDate>

void TTabelaAliquotas::Carregar(TIbxUtils *Ibx) {
  TDataSetPtr ds = Ibx->AbrirConsulta(QStringLiteral(
      "SELECT NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA, PC_ALIQUOTA, "
      "VR_REMUNERACAO_MINIMA, VR_SALDO_RESCISORIO_MINIMO FROM QZLTBT14_ALIQUOTA_CALCULO_DPSTO "
      "ORDER BY NU_CATEGORIA, AA_COMPETENCIA_ALIQUOTA, MM_COMPETENCIA_ALIQUOTA"));
  linhas_.clear();
  for (ds->First(); !ds->Eof(); ds->Next())
    linhas_.push_back({ds->Fields(0).AsInteger(), ds->Fields(1).AsInteger(),
                       ds->Fields(2).AsInteger(), ds->Fields(3).AsFloat(), ds->Fields(4).AsFloat(),
                       ds->Fields(5).AsFloat()});
}

const TAliquotaDeposito *TTabelaAliquotas::Vigente(int Categoria, TDateTime Mes) const {
  if (!(Mes > 0))
    return nullptr;
  const QDate m = DataParaQDate(Mes);
  if (!m.isValid())
    return nullptr;
  const int alvo = m.year() * 100 + m.month();
  // The key (category, year, month) is unique: the latest start not after the
  // month wins, whatever order the rows were read in.
  const TAliquotaDeposito *vigente = nullptr;
  int melhor = -1;
  for (const TAliquotaDeposito &a : linhas_) {
    const int inicio = a.AA_COMPETENCIA_ALIQUOTA * 100 + a.MM_COMPETENCIA_ALIQUOTA;
    if (a.NU_CATEGORIA == Categoria && inicio <= alvo && inicio > melhor) {
      melhor = inicio;
      vigente = &a;
    }
  }
  return vigente;
}
