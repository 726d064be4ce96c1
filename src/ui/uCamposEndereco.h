#pragma once
// The address controls that the responsible-party and employer frames share,
// shown from and copied into the business object's address.
#include "uControles.h"

#include "core/unUtilitarios.h"
#include "registry/unEndereco.h"

struct TCamposEndereco {
  QLineEdit *Logradouro = nullptr;
  QLineEdit *Bairro = nullptr;
  QLineEdit *Cidade = nullptr;
  TEditMascara *CEP = nullptr;
  TComboCodigo *UF = nullptr;

  // The CEP is shown with its 8 digits (leading zeros), empty when not positive.
  void Mostrar(const TEndereco &e) const {
    Logradouro->setText(e.DE_LOGRADOURO.trimmed());
    Bairro->setText(e.NO_BAIRRO.trimmed());
    Cidade->setText(e.NO_LOCALIDADE.trimmed());
    const qint64 cep = TUtilitarios::ParaInteiro64(e.NU_CEP);
    CEP->DefinirDigitos(cep > 0 ? TUtilitarios::CompletarZeros(QString::number(cep), 8)
                                : QString());
    UF->SelecionarTexto(e.SG_UF.trimmed());
  }
  void Copiar(TEndereco &e) const {
    e.DE_LOGRADOURO = Logradouro->text();
    e.NO_BAIRRO = Bairro->text();
    e.NO_LOCALIDADE = Cidade->text();
    e.NU_CEP = CEP->Digitos();
    e.SG_UF = UF->currentIndex() >= 0 ? UF->currentText() : QString();
  }
};
