#pragma once
// The record of a file sent to the bank (QZLTBG13_ARQUIVO) with its companies
// (QZLTBG15), workers (QZLTBG16) and, for the termination collection file, its
// lines (QZLTBG14). Kinds: 3 termination collection file, 6 resend request,
// 7 balance request. Every operation returns false (or an empty result) on a
// database error and shows nothing; TotalizarEmpresas lets the error reach
// its caller, which rolls the file back.
#include "core/unNegocio.h"

#include <QList>
#include <QString>

inline constexpr int ArquivoGuiaRescisoria = 3;
inline constexpr int ArquivoReenvio = 6;
inline constexpr int ArquivoSolicitacaoSaldo = 7;

class TProtocolo : public TNegocio {
public:
  TProtocolo();

  QString NU_IDENTIFICADOR_ARQUIVO; // 30 characters, trimmed when loaded
  QString CO_PROTOCOLO;             // the bank's protocol number (sending receipt)
  TDateTime DT_ENVIO_PROTOCOLO = NullDate;
  int NU_ARQUIVO = 0;
  QString NM_ARQUIVO;          // full path of the file as saved
  QString DE_ARQUIVO;          // description of the kind
  QString IC_ARQUIVO_VALIDO;   // "S" accepted / "N" refused by the bank
  QString IC_ARQUIVO_ATENDIDO; // carried through, never set here
  TDateTime DT_GERACAO_ARQUIVO = NullDate;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // The row of NU_IDENTIFICADOR_ARQUIVO; true when found.
  bool CarregarPorIdentificador();
  // Every sent file of the kinds, by kind description; on the first row.
  bool CarregarPorTipos(const QList<int> &Tipos);

  // NU_ARQUIVO <= 0 takes the kind from DE_ARQUIVO.
  bool Incluir();
  // True when the row was there to update.
  bool Alterar();
  // True when a row was deleted.
  bool Excluir();
  // The bank's answer: "S"/"N" and the answer's date (Data <= 0: the server's today).
  bool MarcarValidade(bool Valido, TDateTime Data);
  // Processing date of every company row of the file.
  bool GravarProcessamento(TDateTime Data);

  bool GravarLinha(const QString &Identificador, int Linha, const QString &Texto);
  // The file's stored lines begin with a "00" header and end with a "90" trailer.
  bool ValidarLinhas(const QString &Identificador);

  // Optional values: text not empty, number or date other than 0.
  bool IncluirEmpresa(const QString &Identificador, int TipoInscricao, qint64 Inscricao,
                      const QString &Nome = QString(), double Total = 0,
                      const QString &CodigoBarras = QString(), TDateTime DataRecolhimento = 0);
  bool AlterarEmpresa(const QString &Identificador, int TipoInscricao, qint64 Inscricao,
                      const QString &Nome = QString(), double Total = 0,
                      const QString &CodigoBarras = QString(), TDateTime DataRecolhimento = 0);
  bool IncluirTrabalhador(const QString &Identificador, int TipoInscricao, qint64 Inscricao,
                          qint64 PIS, int Categoria, TDateTime Admissao,
                          const QString &Nome = QString(), double Total = 0,
                          const QString &CodigoMovimentacao = QString(),
                          TDateTime DataMovimentacao = 0);
  // Each company row of this file (NU_IDENTIFICADOR_ARQUIVO): its total :=
  // the sum of its workers' totals. True when at least one company was
  // updated; a database error is raised.
  bool TotalizarEmpresas();
  // Result sets the caller owns; null on a database error.
  TDataSetPtr ListarEmpresas(const QString &Identificador);
  TDataSetPtr ListarTrabalhadores(const QString &Identificador, qint64 Inscricao);
};
