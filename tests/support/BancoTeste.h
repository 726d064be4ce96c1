#pragma once
// Test fixtures over a real embedded database: each fixture gets a fresh copy
// of the database built from the project's scripts, in a temporary program
// folder with its own MOLT.ini, and connects the global IbxUtils to it.
#include "core/unDialogo.h"
#include "core/unFBUtils.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A temporary program folder: BD/VESK.FDB copied from the model, MOLT.ini.
class PastaTeste {
public:
  explicit PastaTeste(bool comBanco = true, bool comIni = true);
  QString Caminho() const { return dir_.path(); }
  QString Arquivo(const QString &relativo) const; // absolute path below the folder
  QString Banco() const { return Arquivo("BD/VESK.FDB"); }
  void EscreverArquivo(const QString &relativo, const QByteArray &conteudo) const;
  QByteArray LerArquivo(const QString &relativo) const;

private:
  QTemporaryDir dir_;
};

// What a program run by a test printed and returned.
struct TSaidaCli {
  int Status = -1;
  QString Texto, Erro;
};

// Connects IbxUtils to a fresh copy and points PastaPrograma() at it.
class BancoTeste : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Runs a statement in its own transaction (test set-up data).
  void Executar(const QString &sql);
  // First column of the first row as text ("" when no row).
  QString Valor(const QString &sql);
  int Contar(const QString &sqlFromWhere); // SELECT COUNT(*) <sqlFromWhere>
  // Runs the built vesk-cli on the test's program folder (--pasta), with the
  // database released for the run and attached again afterwards.
  TSaidaCli RodarCli(const QStringList &args, int limiteMs = 120000);

  std::unique_ptr<PastaTeste> pasta;
};

// Scripted answers for the message-box seam. Every dialog shown is recorded;
// answers are taken in order, and when they run out the default button is used.
class RespostasDialogo {
public:
  RespostasDialogo();
  ~RespostasDialogo();
  void Responder(int resultado) { respostas_.push_back(resultado); }
  std::deque<int> respostas_;
  std::vector<PedidoDialogo> mostrados;

private:
  RespondedorDialogo anterior_;
};

// Scripted answers for the file-choice seam while it lives: every request is
// recorded and answered by the given function (none: nothing is chosen).
class EscolhasArquivo {
public:
  explicit EscolhasArquivo(std::function<QString(const PedidoArquivo &)> responder = {})
      : responder_(std::move(responder)),
        anterior_(DefinirEscolhedorArquivo([this](const PedidoArquivo &p) {
          pedidos.push_back(p);
          return responder_ ? responder_(p) : QString();
        })) {}
  ~EscolhasArquivo() { DefinirEscolhedorArquivo(anterior_); }
  EscolhasArquivo(const EscolhasArquivo &) = delete;
  EscolhasArquivo &operator=(const EscolhasArquivo &) = delete;
  // Answers the following requests with this path.
  void Responder(const QString &caminho) {
    responder_ = [caminho](const PedidoArquivo &) { return caminho; };
  }
  std::vector<PedidoArquivo> pedidos;

private:
  std::function<QString(const PedidoArquivo &)> responder_;
  EscolhedorArquivo anterior_;
};
