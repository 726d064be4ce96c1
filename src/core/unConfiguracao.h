#pragma once
// MOLT.ini: where it lives, how its lines are read and which database they
// name. The desktop start-up, the command line and the tests all go through
// here, so a move of the program folder or a new key is made in one place.
#include "unGlobal.h"

#include <QString>
#include <QStringList>

class TDBUtils;

// The configuration file in the program folder.
QString ArquivoConfiguracao();
// Its lines (Western code page, any line end). False when the file does not
// exist; an existing file that cannot be read gives no lines.
bool LerArquivoConfiguracao(QStringList &linhas);

// LOGSQL and GRAVA_ARQUIVO: a key is found anywhere in a line, its value is
// what follows the first "=" untrimmed, "S" in any case switches it on, and a
// later "off" line never switches it back.
// BANCO, USUARIO and SENHA: a line's text before its first "=" is its key
// (spaces around it and letter case ignored) and the rest, without the spaces
// at its ends, its value; a later line of the same key wins. Matching these
// by substring would read a path such as /dados/SENHAS/... as a password.
TConfiguracao LerConfiguracao(const QStringList &linhas);

// The database the configuration names: BD/VESK.FDB in the program folder
// when BANCO is absent, a relative BANCO below the program folder, an
// absolute path or a server name as it stands.
QString NomeBancoConfigurado(const TConfiguracao &c);
// Sets the connection's name, user and password from the configuration
// (the built-in user and password where USUARIO or SENHA are absent).
void ConfigurarConexaoBanco(TDBUtils &banco, const TConfiguracao &c);
