#pragma once
// The embedded engine keeps a database file while it is attached: a test that
// runs another program on its copy (isql-fb, vesk-cli) releases it first and
// attaches again afterwards.
#include "core/unFBUtils.h"

#include <QString>

inline void LiberarBanco() {
  delete IbxUtils;
  IbxUtils = nullptr;
}

inline void ReconectarBanco(const QString &banco) {
  delete IbxUtils;
  IbxUtils = new TIbxUtils();
  IbxUtils->NomeBanco = banco;
  IbxUtils->Usuario = QStringLiteral("SYSDBA");
  IbxUtils->Senha = QStringLiteral("tulipvane");
  IbxUtils->Conectar();
}
