#pragma once
// How a test reaches a database file. By default the embedded engine opens the
// file itself. A suite run under tools/servidor_teste.sh (VESK_SERVIDOR set to
// "127.0.0.1/port", with VESK_SERVIDOR_USUARIO and VESK_SERVIDOR_SENHA) reaches
// the same file through that private server instead, and the MOLT.ini of every
// test folder names it, so the programs a test runs go there too.
#include "core/unFBUtils.h"

#include <QByteArray>
#include <QString>

// True when the suite runs against the private server.
bool TesteNoServidor();
// Name, user and password of the connection to `arquivo` (an absolute path).
void ConfigurarConexaoTeste(TDBUtils &banco, const QString &arquivo);
// The MOLT.ini lines (CR LF) that name `arquivo` on the server; empty when the
// suite runs embedded.
QByteArray LinhasIniConexaoTeste(const QString &arquivo);

// The embedded engine keeps a database file while it is attached: a test that
// runs another program on its copy (isql-fb, vesk-cli) releases it first and
// attaches again afterwards.
inline void LiberarBanco() {
  delete IbxUtils;
  IbxUtils = nullptr;
}

inline void ReconectarBanco(const QString &banco) {
  delete IbxUtils;
  IbxUtils = new TIbxUtils();
  ConfigurarConexaoTeste(*IbxUtils, banco);
  IbxUtils->Conectar();
}
