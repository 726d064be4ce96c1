#pragma once
// The individual guide of one worker in a closing (QZLTBG09_GUIA_INDIVIDUAL):
// a snapshot of the link and of its computed amounts at generation time, kept
// under the company guide's bar code. Later registry changes do not alter it.
#include "core/unCentavos.h"
#include "core/unNegocio.h"

#include <QStringList>
#include <memory>

class TTrabalhador;
class TVinculo;
class TRescisao;

class TGuiaTrabalhador : public TNegocio {
public:
  TGuiaTrabalhador();
  ~TGuiaTrabalhador() override;

  QString CO_BARRAS; // the company guide's digitable line
  // The fine base of the termination (what the fine block was computed on);
  // the termination record keeps no such column.
  double VR_MULTA_RESCISORIA = 0;

  // Owned, filled from the guide row; they never load themselves. The worker
  // holds NU_PIS, NO_EMPREGADO, DT_NASCIMENTO, NU_CTPS, NU_SERIE_CTPS; the
  // link its key (the company type and inscription are the caller's, for
  // CarregarQuitada), option, movement, notice and service taker; the
  // termination data the dissidio date, three bases and the twenty amounts.
  TTrabalhador &Trabalhador();
  TVinculo &Vinculo();
  TRescisao &Rescisao();

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // The key text that selects one worker guide in CarregarDaGuia: PIS with 11
  // digits, admission as yyyy-mm-dd, category with two digits.
  static QString Chave(qint64 PIS, TDateTime Admissao, int Categoria);

  // The guide of the link in Vinculo() (company type and inscription, PIS,
  // category, admission) whose company guide is settled and processed; the
  // latest when there are several. False when there is none or on a database
  // error (CodigoErro "0144").
  bool CarregarQuitada();
  // The guides of CO_BARRAS, limited to Chaves when any (see Chave), ordered
  // by Coluna. Any number of keys.
  bool CarregarDaGuia(const QStringList &Chaves, const QString &Coluna);
  // Inserts the guide or rewrites every column of the stored one with the
  // same bar code, PIS, admission and category.
  bool Gravar();

  // Deposits and JAM of the four blocks (what is the worker's), and all twenty
  // amounts (what the employer owes), summed in whole centavos.
  TCentavos ValorTrabalhador();
  TCentavos ValorDevido();

private:
  std::unique_ptr<TTrabalhador> trabalhador_;
  std::unique_ptr<TVinculo> vinculo_;
  std::unique_ptr<TRescisao> rescisao_;
  bool Carregar(const QString &sql);
};
