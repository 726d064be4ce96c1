#pragma once
// The search behind "Localizar Empresa/Trabalhador": employers by part of the
// name, by CNPJ or by CEI; employment links by part of the worker's name or by
// PIS. The search window and `vesk-cli localizar` both call it.
#include "core/unGlobal.h"

#include <QList>
#include <QString>

// One hit: the key the main window selects in the tree.
struct TRecInscricao {
  int Tipo = 0;             // 0 employer, 1 employment link
  qint16 TipoInscricao = 0; // 1 CNPJ, 2 CEI
  qint64 Inscricao = 0;
  qint64 PIS = 0;             // links only
  int Categoria = 0;          // links only
  TDateTime DataAdmissao = 0; // links only; 0 for an employer
  bool operator==(const TRecInscricao &o) const = default;
};
using TArrInscricao = QList<TRecInscricao>;

// What a row of the grid shows for a hit, with its key.
struct TAchadoLocalizar {
  TRecInscricao Chave;
  QString Nome;      // company name or worker name
  QString Documento; // formatted inscription (employer) or PIS (link)
};

// "Chave de Pesquisa" in the window's order.
enum TChavePesquisa { cpNome = 0, cpCNPJ = 1, cpCEI = 2, cpPIS = 3 };
// "Procurar Por".
enum TProcurarPor { ppEmpresa = 0, ppTrabalhador = 1 };

class TLocalizacao {
public:
  // The hits of a search, in the order of the query (name, then key). The
  // number keys take only a text of digits: anything else finds nothing and
  // never reaches the SQL. CodigoErro: "0405" for an empty text, "0011" for a
  // number key given something other than digits, "0144" on a database error.
  static QList<TAchadoLocalizar> Pesquisar(TChavePesquisa Chave, TProcurarPor Procura,
                                           const QString &Texto, QString *CodigoErro = nullptr);
  // The inscription as the grid shows it: CNPJ mask for type 1, 12 digits for 2.
  static QString FormatarInscricao(int Tipo, qint64 Inscricao);
};
