#pragma once
// Fixture of the payroll import tests: a fresh database, payroll files made by
// the project's generator (tools/gerar_folha) with a collection date inside
// the database's collection window, and readers of what an import left.
#include "support/BancoTeste.h"

#include "interchange/UnArqFolha.h"

#include <QStringList>
#include <atomic>
#include <vector>

struct TInconsistenciaLida {
  int Mensagem = 0;
  int Linha = 0;
  QString Registro;
  QString Conteudo; // right-trimmed
};

// A progress channel that gives up at a chosen step count.
class TProgressoTeste : public IProgresso {
public:
  int CancelarEm = -1; // Avancar count at which Cancelado turns true
  int Avancos = 0;
  int Maximo = 0;
  std::vector<int> Etapas;
  void DefinirMaximo(int m) override { Maximo = m; }
  void Avancar(bool aumentar) override {
    if (aumentar)
      ++Maximo;
    ++Avancos;
  }
  void Etapa(int c) override { Etapas.push_back(c); }
  bool Cancelado() const override { return CancelarEm >= 0 && Avancos >= CancelarEm; }
};

class FolhaTeste : public BancoTeste {
protected:
  void SetUp() override;

  // First business day from day 10 of the collection window's month, DDMMYYYY.
  QString DataRecolhimento();
  // Runs the generator and returns the lines of the file it wrote.
  QStringList Gerar(const QStringList &argumentos);
  // Writes lines with CR LF ends in the Western code page; returns the path.
  QString Gravar(const QStringList &linhas, const QString &nome = QStringLiteral("VESK.re"));
  // Imports a file; the object stays readable in `folha`.
  bool Importar(const QString &caminho, IProgresso *progresso = nullptr);
  // Inconsistency rows of a file kind (the payroll import by default).
  std::vector<TInconsistenciaLida> Inconsistencias(int arquivo = 1);
  // Rows of every table the import writes.
  int LinhasCadastro();
  static void Trocar(QStringList &linhas, int linha, int posicao, const QString &texto);

  std::unique_ptr<TArqFolha> folha;
  QString recolhimento;
};
