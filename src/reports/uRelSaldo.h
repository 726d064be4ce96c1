#pragma once
// The balance load's reports: the accounts the bank reported with an
// occurrence (all of them, or one link's) and the print of the loaded
// balances the query window shows.
#include "collection/unConsultaSaldo.h"
#include "reports/URel_Padrao.h"

class QWidget;

class TRelOcorrenciaSaldo : public TRelPadraoPaisagem {
public:
  // Every account with an occurrence, or only those of one link; false when
  // there is none.
  bool Preparar(const TChaveVinculo *vinculo = nullptr);
};

class TRelSaldoCarregado : public TRelPadraoPaisagem {
public:
  // The accounts of these employers, one employer per page.
  bool Preparar(const QList<TSaldoEmpresa> &empresas);
};

// "&Ocorrência Arquivo Saldo Rescisório": "RE0086" when nothing to print.
bool ImprimirOcorrenciaSaldo(QWidget *pai = nullptr);
// The worker frame's "&Ocorrência Saldo" for one link: "0419" (with the
// frame's screen code) when the link has no occurrence.
bool ImprimirOcorrenciaSaldoVinculo(const TChaveVinculo &vinculo, const QString &prefixo,
                                    QWidget *pai = nullptr);
bool ImprimirSaldoCarregado(const QList<TSaldoEmpresa> &empresas, QWidget *pai = nullptr);
