#pragma once
// Seeded mutation of input files: every reader of a file from outside (the
// payroll import, the balance load, the processed-guide return, the
// identification-key occurrence file...) must refuse a damaged file cleanly.
// Under the sanitizer build of CI this is where a reader's memory faults and
// undefined behaviour show up.
//
// How a reader joins, in its own test program (tests/<subsystem>/):
//
//   TEST_F(MeuTeste, MutantesRecusadosSemDanos) {
//     TLeitorMutavel l;
//     l.Nome = "carga de saldo";
//     l.Valido = ...;                  // a small file the reader accepts
//     l.NumeroArquivo = tiCargaSaldo;  // the kind of its inconsistency list
//     l.Tabelas = {"QZLTBG10_CONTA_EMPREGADO_ZELT"};  // what it writes
//     l.Ler = [](const QString &caminho) {  // one run on a path, its result
//       TArqCargaSaldo a; a.NomeArquivo = caminho; return a.Importar();
//     };
//     VerificarMutantes(l, pasta->Caminho());
//   }
//
// The same seed gives the same mutants on every run; a failure names the
// mutant (its number and what was done to the file) so it can be replayed.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <random>
#include <vector>

struct TMutante {
  QString Descricao;
  QByteArray Dados;
};

// `quantidade` mutants of `original`: flipped bytes (NUL and high bytes among
// them), truncation, duplicated, deleted and swapped lines, very long lines,
// other line ends, and combinations.
std::vector<TMutante> GerarMutantes(const QByteArray &original, int quantidade,
                                    quint32 semente = 2026);

struct TLeitorMutavel {
  QString Nome;
  QByteArray Valido;
  // Runs the reader once on the file at `caminho`; returns its result.
  std::function<bool(const QString &caminho)> Ler;
  int NumeroArquivo = 0;
  // Tables the reader writes: a refused file leaves their row counts as they were.
  QStringList Tabelas;
  // A refusal must leave at least one row of its kind in the inconsistency list.
  bool ListaObrigatoria = true;
  // Longest a single run may take, in milliseconds.
  int TempoMaximo = 20000;
};

// Writes each mutant into `pasta` and runs the reader on it. Expected of every
// run: no exception escapes, it ends in time, no transaction stays open; a
// refusal writes nothing and leaves its list. Failures are reported through
// the test framework with the mutant's number and description.
void VerificarMutantes(const TLeitorMutavel &leitor, const QString &pasta, int quantidade = 300,
                       quint32 semente = 2026);
