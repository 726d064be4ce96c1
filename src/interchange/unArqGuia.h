#pragma once
// Reader of the termination collection file's layout (unLeiauteRescisorio.h):
// splits one line into its fields, copies a split record into the guide
// objects (responsible party, company guide, individual guide), and checks a
// whole file of such records in three passes (structure, keys, contents).
// The closing uses it to read back every line it writes; the processed-guide
// return (TArqRetornoGuia) uses all of it.
//
// Counts and sums of the trailers are whole centavos held as integers and
// compared exactly.
#include "interchange/UnArquivo.h"
#include "interchange/unLeiauteRescisorio.h"
#include "interchange/unRegRegistro.h"
#include "interchange/unVinculosGravados.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class TResponsavel;
class TGuiaEmpresa;
class TGuiaTrabalhador;
class TNegocio;

// One line split by its record type's table (the return form: the positions
// the reader takes, whatever the line's length).
struct TRegistroGuia {
  int Tipo = -1; // columns 1-2 as a number; -1 when they are not digits
  QString Linha;
  LeiauteRescisorio::TTabelaRegistro Tabela;
  QStringList Campos; // one per field of Tabela, in table order

  const QString &Campo(int i) const { return Campos.at(i); }
  const TCampoArquivo &Definicao(int i) const { return Tabela.Campos[i]; }
  // The field as whole centavos / as a number; 0 when it is not all digits.
  qint64 Numero(int i) const;
};

// Counts of the link lines and sums of a company or of the whole file.
struct TTotaisGuia {
  qint64 Qtd40 = 0, Qtd42 = 0, Qtd44 = 0, Qtd45 = 0, Qtd46 = 0;
  // Centavos: deposits, JAM, late charges, contributions, late charges on
  // contributions, remuneration, fine base.
  qint64 Deposito = 0, JAM = 0, Multa = 0, Contribuicao = 0, MultaContribuicao = 0;
  qint64 Remuneracao = 0, BaseMulta = 0;
};

class TArqGuia : public TArquivo {
public:
  TArqGuia();
  ~TArqGuia() override;

  bool ArquivoValido = true;
  bool RegistroValido = true;
  // "P" for the processed-guide return; empty for the closing's read-back.
  QString LetraGuia;
  // Positions 341-370 of the last "00" read.
  QString IdentificadorArquivo;
  // Sum of the twenty amounts of the last "42" copied into the individual
  // guide, in centavos (TCentavos::DeCentavos(...).Valor() for the amount).
  qint64 TotalGuiaTrabalhadorCentavos = 0;
  double TotalGuiaTrabalhador() const;
  // One entry per line (entry i for line i + 1), filled by ValidarEstrutura.
  TArrRegRegistro Indice;
  // The record read last.
  TRegistroGuia Registro;

  TResponsavel &Responsavel() { return *responsavel_; }
  TGuiaEmpresa &GuiaEmpresa() { return *guiaEmpresa_; }
  TGuiaTrabalhador &GuiaTrabalhador() { return *guiaTrabalhador_; }

  // Clears the identifier, the last company and worker, and the PIS seen.
  void Inicializar() override;

  // Splits Linha (Indice = its 0-based line number) into Registro. A line
  // whose length without trailing blanks is neither 533 nor 500 registers 410
  // and gives false; so does an unknown record type (113). Reading a "00"
  // sets IdentificadorArquivo; reading a "10" empties the PIS seen. Never
  // fails without registering an inconsistency.
  bool LerRegistro(const QString &Linha, int Indice);
  bool LerRegistro(const QString &Linha, int Indice, TRegistroGuia &Saida);

  // Copy the split record into the working objects. A field that is not a
  // number or a date fills as zero or the empty date; the record's own
  // checks report it.
  void PreencherResponsavel();        // "00"
  void PreencherGuiaEmpresa();        // "10"
  void PreencherGuiaTrabalhador();    // "40"
  void PreencherValoresTrabalhador(); // "42"

  // Resets the validity flags and the working state; false (descendants do
  // the import).
  bool Importar() override;

  // Marks the record and the file as invalid, then registers.
  void RegistrarInconsistencia(const QString &Conteudo, const QString &Registro, int Linha,
                               int Mensagem, const QString &TipoInscResp = {},
                               const QString &InscResp = {}, const QString &NomeResp = {},
                               const QString &TipoInscEmpresa = {}, const QString &InscEmpresa = {},
                               const QString &RazaoSocial = {}, const QString &PIS = {},
                               const QString &Categoria = {}, const QString &DtAdmissao = {},
                               const QString &NomeEmpregado = {}) override;

  // The checking passes over Linhas.
  bool ValidarEstrutura();
  bool ValidarChaves();
  bool ValidarConteudo();

  // What the file's trailer passes compared, after ValidarConteudo.
  const TTotaisGuia &TotaisArquivo() const { return arquivo_; }

protected:
  // Raises ECancelado when the user gave up.
  void VerificarCancelamento() const;
  // 0-based line being checked.
  int linha_ = -1;

private:
  std::unique_ptr<TResponsavel> responsavel_;
  std::unique_ptr<TGuiaEmpresa> guiaEmpresa_;
  std::unique_ptr<TGuiaTrabalhador> guiaTrabalhador_;

  // Order check state.
  QString ultTipoEmpresa_, ultInscEmpresa_, ultCodigoBarras_;
  int ultTipo_ = 0;
  qint64 ultInscricao_ = 0;
  qint64 ultPIS_ = 0;
  int ultCategoria_ = 0;
  TDateTime ultAdmissao_ = NullDate;
  QSet<QString> pisVistos_;

  TTotaisGuia empresa_, arquivo_;
  // Results of the reference-table checks by their inputs (thousands of
  // links share a handful of categories, occupations and codes).
  QHash<QString, QString> resultados_;
  // Stored admissions, complements and rates, read in bulk when the contents
  // pass starts.
  TVinculosGravados gravados_;

  void PreencherIndice(int i, int tipo);
  // Registration at the current line with its index entry's context.
  void Registrar(int Mensagem, const QString &Conteudo);
  void RegistrarSemTipo(int Linha, int Mensagem, const QString &Conteudo);
  void RegistrarCodigo(const TNegocio &objeto, const QString &Conteudo);
  // The field's own check by its kind: digits (11) or date (212). True when
  // it passed.
  bool Checar(int campo);
  void ChecarBrancos(int campo);
  bool ChecarUmaVez(const QString &chave, TNegocio &objeto, const std::function<bool()> &check);

  bool ValidarOrdem();
  void ValidarCabecalho();
  void ValidarEmpresa();
  void ValidarVinculo();
  void ValidarValores();
  void ValidarComplemento();
  void ValidarTrailerEmpresa();
  void ValidarTrailer();
  void CompararTotais(const TTotaisGuia &esperado, const std::array<int, 12> &campos);
};
