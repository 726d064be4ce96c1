#pragma once
// The termination information of one link (QZLTBG06_INFORMACAO_RESCISAO, same
// five-part key as the link): what the employer declares about the
// termination, the termination balance, and the parcels the calculation writes.
#include "core/unNegocio.h"

#include <QHash>
#include <QString>
#include <array>
#include <memory>

class TVinculo;
class TTabelaAliquotas;
struct TChaveVinculo;

class TRescisao : public TNegocio {
public:
  TRescisao();
  ~TRescisao() override;

  // Link key.
  quint8 NU_TIPO_INSO_EMPRA = 0;
  qint64 NU_INSCRICAO = 0;
  qint64 NU_PIS = 0;
  qint8 NU_CATEGORIA = 0;
  TDateTime DT_ADMISSAO_VINCULO = NullDate;

  QString IC_TIPO_PNSO_ALMNA; // "N" none, "P" percentage, "V" amount
  double VR_PENSAO_ALMNA = 0;
  TDateTime DT_DISSIDIO = NullDate;
  double VR_DISSIDIO = 0;
  double VR_REMUNERACAO_ANTERIOR_RSCSO = 0;
  double VR_REMUNERACAO_RESCISAO = 0;
  double VR_AVISO_PREVIO = 0;
  double VR_SALDO_RESCISORIO = 0;
  QString IC_ORIGEM_SALDO_RESCISORIO; // "C" from the bank's file, "N" otherwise
  double VR_JAM_SALDO_RESCISORIO = 0;
  double VR_DEPOSITO_CMPLO_SALDO = 0;

  TDateTime DT_DEVIDA_ANTERIOR_RESCISAO = NullDate;
  double VR_DEPOSITO_ANTERIOR_RESCISAO = 0;
  double VR_JAM_ANTERIOR_RESCISAO = 0;
  double VR_MULTA_ANTERIOR_RESCISAO = 0;
  double VR_CNTRO_ANTERIOR_RESCISAO = 0;
  double VR_MULTA_CNTRO_ANTERIOR_RSCSO = 0;

  TDateTime DT_DEVIDA_RESCISAO = NullDate;
  double VR_DEPOSITO_RESCISAO = 0;
  double VR_JAM_RESCISAO = 0;
  double VR_MULTA_RESCISAO = 0;
  double VR_CNTRO_RESCISAO = 0;
  double VR_MULTA_CNTRO_RESCISAO = 0;

  TDateTime DT_DEVIDA_AVISO_PREVIO = NullDate;
  double VR_DEPOSITO_AVISO_PREVIO = 0;
  double VR_JAM_AVISO_PREVIO = 0;
  double VR_MULTA_AVISO_PREVIO = 0;
  double VR_CNTRO_AVISO_PREVIO = 0;
  double VR_MULTA_CNTRO_AVISO_PREVIO = 0;

  TDateTime DT_DEVIDA_MULTA_RESCISORIA = NullDate;
  double VR_DEPOSITO_MULTA_RESCISORIA = 0;
  double VR_JAM_MULTA_RESCISORIA = 0;
  double VR_MULTA_MULTA_RESCISORIA = 0;
  double VR_CNTRO_MULTA_RESCISORIA = 0;
  double VR_MULTA_CNTRO_MULTA_RESCISORIA = 0;

  // The link, owned, created on first access; loads itself by this record's
  // key when CarregarAssociados is true.
  TVinculo &Vinculo();
  // Hands an already loaded link to this record without taking it over (the
  // link that owns this record uses it so that both see the same data).
  void DefinirVinculo(TVinculo *Externo);

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  // ------------------------------------------------------------------ checks
  bool ValidarDataDissidio();
  bool ValidarValorDissidio();
  bool ValidarTipoPensao();
  bool ValidarPensaoPercentual();
  bool ValidarPensaoPercentualLimite();
  bool ValidarPensaoValor();
  bool ValidarPensaoValorInformado();
  bool ValidarAvisoPrevioIndenizado();
  bool ValidarRemuneracaoAnterior();
  bool ValidarRemuneracaoRescisao();
  bool ValidarValorARecolher();
  bool ValidarValoresSemRemuneracao(bool Arquivo);

  // ----------------------------------------------------------- load, clear
  bool CarregarPorChave(int Tipo, int Categoria, TDateTime DtAdmissao, qint64 PIS,
                        qint64 Inscricao);
  // The termination data of every link marked for the open run, in one query
  // (a run has thousands of links); Linhas gets each link's row, to be shown
  // with ObterDataSet()->MoverPara and CarregarAtributos. Database errors raise.
  void CarregarMarcados(QHash<TChaveVinculo, int> &Linhas);
  // The same for the links meeting a condition on QZLTBG04_VINCULO_EMPREGATICIO (alias VINC).
  void CarregarDosVinculos(const QString &condicaoVinculo, QHash<TChaveVinculo, int> &Linhas);
  // Rate row of the record's category in force in Mes: Resultado[0] the
  // minimum remuneration (UsarRemuneracaoMinima) or minimum balance,
  // Resultado[1] the rate. Left as passed when no row applies. Reads the rate
  // table unless one was handed over; raises EBancoDados.
  void ConsultarAliquota(bool UsarRemuneracaoMinima, std::array<double, 2> &Resultado,
                         TDateTime Mes);
  // A rate table already read, for a caller that checks many records in one
  // action (the payroll import); it must outlive the checks. Null: each
  // check reads the table.
  void DefinirAliquotas(const TTabelaAliquotas *Tabela) { Aliquotas = Tabela; }
  // Clears the calculated parcels of the links in states 2 and 3; a negative
  // Tipo (or Inscricao) means every company, a negative PIS every link of it.
  bool LimparCalculos(int Tipo, qint64 Inscricao, TDateTime DtAdmissao, int Categoria, qint64 PIS);

  // ----------------------------------------------------------------- saving
  // The declared columns of the row, written with the link by the worker save.
  // A database error sets "0144" and is raised again.
  bool Incluir();
  bool Alterar();

private:
  std::unique_ptr<TVinculo> FVinculo;
  TVinculo *VinculoExterno = nullptr;
  const TTabelaAliquotas *Aliquotas = nullptr;
  // Minimum-remuneration test: "0447" (rate 2) / "0448" (rate 8).
  void TestarRemuneracaoMinima(double Valor, TDateTime Mes);
};
