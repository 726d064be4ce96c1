#pragma once
// The record index of a loaded payroll file: one entry per line (entry i
// describes line i + 1), with the context that every check of that line and
// every inconsistency it raises needs (company, worker, link key). Built by the
// payroll reader, read by the link checks and handed to the balance request.
#include <QString>
#include <vector>

struct TRegRegistro {
  QString TipoRegistro;    // the two characters of columns 1-2
  QString TipoInscricao;   // column 55 for "00", column 3 otherwise
  QString Inscricao;       // columns 56-69 for "00", 4-17 otherwise
  QString Nome;            // responsible party ("00"), company ("10"), or the
                           // company of the nearest preceding "10" ("40"-"45")
  QString PIS;             // columns 33-43, records "40" to "45"
  QString Categoria;       // columns 52-53, records "40" to "45"
  QString DataAdmissao;    // columns 44-51 (DDMMYYYY), records "40" to "45"
  QString NomeTrabalhador; // columns 54-123 of the "40" line (inherited by "43"-"45")
  QString DataNascimento;  // columns 139-146 of the "40" line (DDMMYYYY)
  QString Movimentacao;    // columns 163-164 of the "40" line
};

using TArrRegRegistro = std::vector<TRegRegistro>;
