#pragma once
// Postal address of an employer or of the responsible party. Its owner reads
// and saves the five columns; the address itself only checks them.
#include "core/unNegocio.h"

class TEndereco : public TNegocio {
public:
  QString DE_LOGRADOURO; // street and number
  QString NO_BAIRRO;
  QString NO_LOCALIDADE;
  QString NU_CEP; // digits
  QString SG_UF;

  void Limpar() override;

  bool ValidarLogradouro(); // "0096"
  bool ValidarBairro();     // "0095"
  bool ValidarMunicipio();  // "0094"
  bool ValidarCEP();        // "0101"
  bool ValidarUF();         // "0132" empty, "0133" unknown state

  // The rule shared by the address texts and the corporate name: not empty,
  // no leading blank, only blanks, digits and A-Z, no double blank, and no
  // letter or blank three times in a row.
  static bool TextoEnderecoValido(const QString &Texto);
};

// True when three equal letters or blanks follow each other (case ignored);
// digits never count towards the run, so "111" is accepted and "AAA" is not.
bool TresLetrasIguaisSeguidas(const QString &texto);
