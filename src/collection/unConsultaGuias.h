#pragma once
// The queries of the guide query window, shared with the command line: the
// company guides of a mode (processed by the bank, payable, or all) and the
// workers of one company guide with their totals.
#include "core/unTDBUtils.h"

#include <QString>

// The twenty block amounts of a link by column name, in the order of the
// guide: the same names in the termination data (QZLTBG06) and in the worker
// guide (QZLTBG09).
inline constexpr const char *ColunasParcelas[] = {"VR_DEPOSITO_ANTERIOR_RESCISAO",
                                                  "VR_JAM_ANTERIOR_RESCISAO",
                                                  "VR_MULTA_ANTERIOR_RESCISAO",
                                                  "VR_CNTRO_ANTERIOR_RESCISAO",
                                                  "VR_MULTA_CNTRO_ANTERIOR_RSCSO",
                                                  "VR_DEPOSITO_RESCISAO",
                                                  "VR_JAM_RESCISAO",
                                                  "VR_MULTA_RESCISAO",
                                                  "VR_CNTRO_RESCISAO",
                                                  "VR_MULTA_CNTRO_RESCISAO",
                                                  "VR_DEPOSITO_AVISO_PREVIO",
                                                  "VR_JAM_AVISO_PREVIO",
                                                  "VR_MULTA_AVISO_PREVIO",
                                                  "VR_CNTRO_AVISO_PREVIO",
                                                  "VR_MULTA_CNTRO_AVISO_PREVIO",
                                                  "VR_DEPOSITO_MULTA_RESCISORIA",
                                                  "VR_JAM_MULTA_RESCISORIA",
                                                  "VR_MULTA_MULTA_RESCISORIA",
                                                  "VR_CNTRO_MULTA_RESCISORIA",
                                                  "VR_MULTA_CNTRO_MULTA_RESCISORIA"};

// Modes of the guide query.
inline const QString ModoProcessadas = QStringLiteral("Processadas");
inline const QString ModoInformativas = QStringLiteral("Informativas");

// Company guides: CO_BARRAS, NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA,
// NO_RAZAO_SOCIAL, DT_QUITACAO, DT_RECOLHIMENTO, VALOR_TOTAL and
// QTD_TRABALHADORES (its individual guides).
//  - "Processadas": guides the bank's return completed (DT_PROCESSAMENTO set);
//  - "Informativas": not processed, and (with ExigirProtocolo) whose file got
//    the bank's protocol;
//  - empty: both of the above (every guide when ExigirProtocolo is false).
// Arquivo, when given, keeps the guides of that file identifier. Ordem is an
// ORDER BY on the guide's columns ("NU_INSCRICAO_GUIA ASC").
QString SqlGuiasEmpresa(const QString &Modo, const QString &Arquivo, bool ExigirProtocolo,
                        const QString &Ordem);
TDataSetPtr ConsultarGuiasEmpresa(const QString &Modo, const QString &Arquivo, bool ExigirProtocolo,
                                  const QString &Ordem);

// Workers of one company guide: NU_PIS_GUIA, NO_EMPREGADO, DT_ADMISSAO_GUIA,
// NU_CATEGORIA_GUIA, CO_BARRAS and VALOR_TOTAL (the twenty block amounts, an
// empty one counted as 0), ordered by Ordem ("NO_EMPREGADO" by default).
TDataSetPtr ConsultarTrabalhadoresGuia(const QString &CodigoBarras, const QString &Ordem);
