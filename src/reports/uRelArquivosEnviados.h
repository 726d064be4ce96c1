#pragma once
// The conference reports of a file generated for the bank, printed from the
// query of generated files: the termination collection file (kinds 3 and 9),
// the resend request (6) and the balance request (7).
#include "reports/URel_Padrao.h"

#include <QStringList>

class QWidget;

// Which file, which of its companies and in what order.
struct TFiltroArquivoEnviado {
  int Tipo = 0;          // NU_ARQUIVO
  QString Identificador; // the file's identifier
  QString Protocolo;     // without points; empty when the file has none
  QStringList Empresas;  // inscriptions (digits); empty: every company
  QString Ordem;         // ORDER BY list built by the window from its grids
};

// "ARQ.CO_PROTOCOLO..." conditions shared by the three reports.
QString CondicoesArquivoEnviado(const TFiltroArquivoEnviado &f);
// "AAAAAAAA.AAAAAAAA.AAAAAAAA.AAAAAAAA" of a 32-character protocol.
QString ProtocoloComPontos(const QString &protocolo);

class TRelArquivosEnviados : public TRelPadraoPaisagem {
public:
  static QString Consulta(const TFiltroArquivoEnviado &f);
  bool Preparar(const TFiltroArquivoEnviado &f); // false when there is no row
};

class TRelArqSolicitaReenvio : public TRelPadraoPaisagem {
public:
  static QString Consulta(const TFiltroArquivoEnviado &f);
  bool Preparar(const TFiltroArquivoEnviado &f);
};

class TRelArqSolicitaSaldo : public TRelPadraoPaisagem {
public:
  static QString Consulta(const TFiltroArquivoEnviado &f);
  bool Preparar(const TFiltroArquivoEnviado &f);
};

// The report of the file's kind in the preview. Nothing to print: "RE0086"
// (kinds 3, 9) or the plain box "Não há dados para gerar o relatório" (6, 7);
// false then. A failure of the report itself is raised to the caller.
bool ImprimirArquivoEnviado(const TFiltroArquivoEnviado &f, QWidget *pai = nullptr);
