#pragma once
// Fixture of the balance request and balance load tests: a payroll file made
// by the project's generator imported into a fresh database, the request of
// its links, and the simulated bank's answer (tools/banco saldo).
#include "support/FolhaTeste.h"

#include "collection/unArqCargaSaldo.h"

class SaldoTeste : public FolhaTeste {
protected:
  // Imports a generated payroll file; the file stays as `arquivoFolha`.
  void ImportarFolha(const QStringList &argumentos = {
                         QStringLiteral("--empresas"), QStringLiteral("2"),
                         QStringLiteral("--vinculos"), QStringLiteral("6")});
  // Writes the plain request lines of every stored link; returns the path.
  // The request is also recorded as a sent file (kind 7).
  QString Solicitar();
  // Runs the bank's answer; the expected inconsistencies of a --falha are
  // returned in `esperados`.
  QString Responder(const QStringList &argumentos,
                    std::vector<TInconsistenciaLida> *esperados = nullptr,
                    const QString &nome = QStringLiteral("saldo.txt"));
  // Loads a balance file; the object stays readable in `carga`.
  bool Carregar(const QString &caminho, IProgresso *progresso = nullptr);
  QStringList LerLinhas(const QString &caminho);
  // A SQL value as text, '' when Null.
  QString Texto(const QString &sql) { return Valor(sql); }

  QString arquivoFolha;
  QString solicitacao;
  QString identificador;
  std::unique_ptr<TArqCargaSaldo> carga;
};
