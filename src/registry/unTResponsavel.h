#pragma once
// The one responsible party (the employer or accountant who submits the
// collection): the row of QZLTBG02_EMPRESA in state "R", or "A" when it is
// also one of the companies. The open collection run (QZLTBG01) carries its key.
#include "unEstabelecimento.h"

class TResponsavel : public TEstabelecimento {
public:
  TResponsavel();

  void Inicializar() override;
  void Limpar() override;
  void CarregarAtributos() override;

  bool ValidarNomeContato(); // "0097", "0177"

  // The row in state "R" or "A"; empty fields when there is none.
  void CarregarResponsavel();

  // Saves the party held in the object and moves the role when the key
  // changed: a new key is inserted as "R", an existing company becomes "A";
  // the previous party (read from the database) is deleted when it was "R"
  // only, or goes back to "E" when it was also a company. All statements run
  // in one transaction and the first failure undoes them, so the database
  // never holds two responsible parties or none. A failed insert of the new
  // row sets "0144" and raises again; any other failure sets "0144" and
  // returns False.
  bool Gravar();
  // Writes DT_PAGAMENTO and the key into QZLTBG01_ABERTURA_RECOLHIMENTO
  // (inserted when empty). "0144" on a database error.
  bool GravarAbertura();

  // The single statements of Gravar; each raises on a database error.
  void IncluirResponsavel();
  void AlterarDados();
  void AlterarEstado(int Tipo, qint64 Inscricao, const QString &NovoEstado,
                     const QString &EstadoAtual);
  void ExcluirRegistro(int Tipo, qint64 Inscricao);
  void AtualizarChaveAbertura(int Tipo, qint64 Inscricao);
};
