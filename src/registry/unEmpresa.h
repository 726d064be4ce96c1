#pragma once
// A company (establishment) whose workers' terminations are collected: rows
// of QZLTBG02_EMPRESA in state "E", or "A" when the responsible party is also
// one of the companies.
#include "unEstabelecimento.h"

#include <functional>

class TEmpresa : public TEstabelecimento {
public:
  TEmpresa();

  qint16 NU_SIMPLES = 0;    // simplified tax regime option (QZLTBT02)
  QString NU_IBGE;          // economic activity code, shown as "CNAE"
  QString NU_INSS;          // social-security payment code, shown as "FPAS"
  double SALDO_EMPRESA = 0; // sum of the loaded worker balances (CarregarComSaldo)

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  bool ValidarCNAE();    // "0019", "0140"
  bool ValidarFPAS();    // "0070", "0244", "0226", "0429", "0432"
  bool ValidarSimples(); // "0123", "0124", "0213", "0126"

  // Like CarregarPorChave, restricted to the states "E" and "A".
  bool CarregarEmpresa(int Tipo, qint64 Inscricao);
  // Companies ("E"/"A") ordered by name, type and inscription.
  void CarregarTodas();
  // The same, only companies with at least one link.
  void CarregarComVinculos();
  // Companies whose name contains the text.
  void PesquisarPorNome(const QString &Parte);
  // From the first loaded row, the row whose inscription (as a number) equals
  // the argument (as a number); False when empty or not found.
  bool LocalizarInscricao(const QString &Inscricao);
  // Companies with the sum of their workers' loaded balances in SALDO_EMPRESA.
  // Unless SemFiltro, each of Tipo, Inscricao and PIS above zero narrows the
  // list. Ordem, when given, is the ORDER BY list.
  bool CarregarComSaldo(bool SemFiltro, int Tipo, qint64 Inscricao, qint64 PIS,
                        const QString &Ordem);

  // Saves a company typed in or imported: "0207" when it already exists; the
  // responsible party's own row ("R") becomes "A" instead of a new row.
  bool Incluir();
  // Updates the company columns of the key (contact and state untouched).
  bool Alterar();
  // Deletes every link of the company with all its dependents and the workers
  // left without links, then the row itself ("E"), or turns an "A" row back
  // into the plain responsible party. "0144" and the error raised again on a
  // database failure; nothing is deleted then.
  bool Excluir();
  // "R" -> "A" on the responsible party's row.
  void PromoverResponsavel();
  // "A" -> "R", with the company columns emptied.
  void RebaixarParaResponsavel();
  // Installed by the main window so that the navigation tree's entry of the
  // responsible party learns its new state ("R") once Excluir has turned an
  // "A" row back; business code holds no tree.
  static inline std::function<void(const QString &NovoEstado)> AoRebaixarResponsavel;

  // Links of that company whose category equals (or, with MesmaCategoria
  // false, differs from) the given one.
  int ContarVinculosCategoria(int Tipo, int Categoria, bool MesmaCategoria, qint64 Inscricao);

private:
  QString OrdemPadrao() const;
  QString Fpas() const { return NU_INSS.trimmed(); }
};
