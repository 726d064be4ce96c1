#include "unVinculosGravados.h"

#include "core/unFBUtils.h"
#include "registry/unVinculo.h"

QString TVinculosGravados::Chave(int Tipo, qint64 Inscricao, qint64 PIS, int Categoria,
                                 TDateTime Admissao) {
  return QStringLiteral("%1|%2|%3|%4|%5")
      .arg(Tipo)
      .arg(Inscricao)
      .arg(PIS)
      .arg(Categoria)
      .arg(static_cast<qint64>(Admissao));
}

void TVinculosGravados::Carregar(TIbxUtils *Ibx) {
  aliquotas_.Carregar(Ibx);
  ultimoComplemento_.clear();
  TDataSetPtr ds = Ibx->AbrirConsulta(QStringLiteral(
      "SELECT C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS, C.NU_CATEGORIA, "
      "C.DT_ADMISSAO_VINCULO, MAX(C.AA_COMPETENCIA * 100 + C.MM_COMPETENCIA) FROM "
      "QZLTBG07_COMPLEMENTO_SALDO C JOIN QZLTBG04_VINCULO_EMPREGATICIO V ON "
      "V.NU_TIPO_INSO_EMPRA = C.NU_TIPO_INSO_EMPRA AND V.NU_INSCRICAO = C.NU_INSCRICAO AND "
      "V.NU_PIS = C.NU_PIS AND V.NU_CATEGORIA = C.NU_CATEGORIA AND V.DT_ADMISSAO_VINCULO = "
      "C.DT_ADMISSAO_VINCULO GROUP BY C.NU_TIPO_INSO_EMPRA, C.NU_INSCRICAO, C.NU_PIS, "
      "C.NU_CATEGORIA, C.DT_ADMISSAO_VINCULO"));
  for (ds->First(); !ds->Eof(); ds->Next())
    ultimoComplemento_.insert(Chave(ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(),
                                    ds->Fields(2).AsInt64(), ds->Fields(3).AsInteger(),
                                    ds->Fields(4).AsDateTime()),
                              static_cast<int>(ds->Fields(5).AsInt64()));
  // Only links whose worker is stored count, as in the check's own query.
  primeiraAdmissao_.clear();
  ds = Ibx->AbrirConsulta(QStringLiteral(
      "SELECT V.NU_PIS, MIN(V.DT_ADMISSAO_VINCULO) FROM QZLTBG04_VINCULO_EMPREGATICIO V JOIN "
      "QZLTBG03_EMPREGADO E ON E.NU_PIS = V.NU_PIS GROUP BY V.NU_PIS"));
  for (ds->First(); !ds->Eof(); ds->Next())
    primeiraAdmissao_.insert(ds->Fields(0).AsInt64(), ds->Fields(1).AsDateTime());
}

int TVinculosGravados::UltimoComplemento(const TVinculo &v) const {
  if (!(v.DT_ADMISSAO_VINCULO > 0))
    return 0;
  return ultimoComplemento_.value(
      Chave(v.NU_TIPO_INSO_EMPRA, v.NU_INSCRICAO, v.NU_PIS, v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO),
      0);
}
