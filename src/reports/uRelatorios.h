#pragma once
// The report operations the menus, the file runner and the command line
// call. Each prepares its report (rows first) and, when there is nothing to
// print, shows "RE0086" and returns false; otherwise the preview opens.
#include "reports/URel_Padrao.h"

#include <QHash>
#include <QStringList>
#include <memory>

class QWidget;

// The report by its command-line name, prepared; null when there is nothing
// to print. Opcoes: "ordem" (pis|nome|admissao|categoria), "empresas"
// (inscriptions joined by ","), "por-nome" (non-empty: employers by name),
// "tipo" (kind of inconsistency), "carga" (a load of the occurrence file). Unknown name or option value: *erro set.
std::unique_ptr<TRelPadrao> PrepararRelatorio(const QString &nome,
                                              const QHash<QString, QString> &opcoes, QString *erro);
// The names PrepararRelatorio knows, in the order of the usage text.
QStringList NomesRelatorios();
// "RE0086" and its text, as the preview's callers show it.
QString TextoNadaAImprimir();

bool ImprimirEmpresas(QWidget *pai = nullptr);
bool ImprimirTrabalhadores(const QString &Ordem, const QStringList &Empresas, bool Todas,
                           QWidget *pai = nullptr);
bool ImprimirAlteracoes(QWidget *pai = nullptr);
