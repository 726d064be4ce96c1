#pragma once
// Arguments shared by the collection-run commands: a link key typed as
// TIPO,INSCRICAO,PIS,CATEGORIA,AAAA-MM-DD, a company as TIPO,INSCRICAO, and
// the scope options --chave / --empresa / --todos built from them.
#include "collection/unMovimento.h"
#include "registry/unChaveVinculo.h"

#include <QString>
#include <QStringList>

bool LerChaveVinculo(const QString &texto, TChaveVinculo &c);
bool LerEmpresa(const QString &texto, int &tipo, qint64 &inscricao);
// A date typed as DD/MM/AAAA or AAAA-MM-DD; DataNaoValida otherwise.
TDateTime LerDataLinhaComando(const QString &texto);

// Takes --chave, --empresa or --todos (exactly one) out of the arguments.
// False with a message in Erro when none, more than one or a bad value.
bool LerEscopo(QStringList &args, TEscopoMovimento &escopo, QString &erro);

// "1,11222333000181,12345678901,01,2000-01-03" for messages and listings.
QString TextoChave(const TChaveVinculo &c);
// Prints the refused links with the text of their first message.
void ListarFalhas(const QList<TFalhaMovimento> &falhas);
// The text of a numbered message, with its arguments.
QString TextoMensagemNumero(const QString &codigo, const QStringList &args = {});
// A JSON string literal (quotes, backslashes and control characters escaped).
QString TextoJson(const QString &t);
