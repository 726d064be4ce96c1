#pragma once
// Common part of the two roles kept in QZLTBG02_EMPRESA: the companies whose
// workers' terminations are collected and the one responsible party. The
// IC_ESTADO_EMPRESA column tells the role of a row: "E" company, "R"
// responsible party only, "A" both; at most one row is "R" or "A".
#include "core/unNegocio.h"
#include "unEndereco.h"

#include <memory>

class TEstabelecimento : public TNegocio {
public:
  TEstabelecimento();
  ~TEstabelecimento() override;

  int NU_TIPO_INSO_EMPRA = 0; // 1 CNPJ, 2 CEI
  // After a load: the stored number written with 14 digits, whatever the type.
  QString NU_INSCRICAO;
  QString NO_RAZAO_SOCIAL;
  QString NO_CONTATO;
  QString NU_TELEFONE;
  QString NU_DDD;
  QString CO_ENDERECO_VIRTUAL_CONTATO;
  TDateTime DT_PAGAMENTO = NullDate;
  QString IC_ESTADO_EMPRESA;

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;
  // Loads the row with that key whatever its role. A key not found is not an
  // error (see QuantidadeRegistros); a database error gives "0144" and False.
  virtual bool CarregarPorChave(int Tipo, qint64 Inscricao);

  // The owned address, created on first access.
  TEndereco &Endereco();

  // Type 1: 14 digits, type 2: 12 digits, any other type: "0".
  QString InscricaoFormatada() const;
  qint64 InscricaoNumero() const;

  bool ValidarTipoInscricao(); // "0129"
  bool ValidarInscricao();     // "0021" CNPJ, "0018" CEI
  bool ValidarRazaoSocial();   // "0177"
  bool ValidarDDD();           // "0024"
  bool ValidarTelefone();      // "0128"
  bool ValidarEmail();         // "0065"

  // The e-mail rule, shared with the recruiter's e-mail of a link: empty
  // passes; otherwise exactly one "@", at least one "." and only "-", "_",
  // digits and letters besides them. Trailing blanks are trimmed from the text.
  static bool EmailValido(QString &Email);

protected:
  // The column list of the common query, selected from QZLTBG02_EMPRESA EMP.
  static QString ColunasEmpresa();
  // The address columns as SQL literals, in the order
  // SG_UF, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE.
  QString UfSQL();
  QString LogradouroSQL();
  QString BairroSQL();
  QString CepSQL();
  QString LocalidadeSQL();

private:
  std::unique_ptr<TEndereco> endereco_;
};

// A number kept as text written as a bare SQL number, or Null when the text
// holds no number: numeric columns never receive text from a field.
QString NumeroSQL(const QString &texto);
