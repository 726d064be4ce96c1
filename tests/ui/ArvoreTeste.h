#pragma once
// Shared set-up of the tree tests: a small registry with every kind of node
// and every image, and a check that the model mirrors the visual tree.
#include "support/BancoTeste.h"

#include "ui/UnArvoreQt.h"

#include <QApplication>
#include <QTreeWidget>
#include <memory>

// Widgets need an application object; the tests make one on first use.
QApplication &AplicacaoTeste();

class ArvoreTeste : public BancoTeste {
protected:
  void SetUp() override;
  void TearDown() override;

  // The registry:
  //  responsible party CONTABIL RESPONSAVEL (R)
  //  ALFA COMERCIO (E): ANA state 0, BRUNO state 1                 -> image 9
  //  BETA SERVICOS (E, CEI): CARLA state 2, DANIEL state 3          -> image 24
  //  DELTA INDUSTRIA (E): EDUARDO in categories 1 and 2, each with two bank
  //    accounts; both accounts of category 1 have a pending name change;
  //    FABIO with a change already confirmed                        -> image 1
  //  GAMA SEM VINCULOS (E): no links                                -> image 1
  void CriarCadastro();
  void InserirEmpresa(int tipo, qint64 insc, const QString &nome, const QString &estado);
  void InserirVinculo(int tipo, qint64 insc, qint64 pis, const QString &nome, int categoria,
                      int estado);
  void InserirConta(int tipo, qint64 insc, qint64 pis, int categoria, qint64 numeroVorda,
                    int situacao, const QString &nomeBanco);
  void InserirAlteracaoNome(int tipo, qint64 insc, qint64 pis, int categoria, qint64 numeroVorda,
                            const QString &confirmacao);

  // Nodes of the visual tree by their text, in depth-first order.
  QList<QTreeWidgetItem *> Itens(const QString &texto) const;
  QTreeWidgetItem *Item(const QString &texto) const; // the only one, else fails
  // Every element is one visual node and every visual node one element; links
  // sit under their employer's node and name changes under their link's node.
  void VerificarEspelho() const;

  std::unique_ptr<QTreeWidget> arvore;
  std::unique_ptr<TArvoreVisualQt> visual;
};

inline constexpr qint64 InscResp = 11222333000181LL;
inline constexpr qint64 InscAlfa = 11111111000191LL;
inline constexpr qint64 InscBeta = 123456789012LL;
inline constexpr qint64 InscDelta = 33333333000191LL;
inline constexpr qint64 InscGama = 44444444000191LL;
inline constexpr qint64 PisAna = 10000000001LL, PisBruno = 10000000002LL, PisCarla = 10000000003LL,
                        PisDaniel = 10000000004LL, PisEduardo = 10000000005LL,
                        PisFabio = 10000000006LL;
// Every link of the fixture is admitted on this day.
inline constexpr const char *AdmissaoTeste = "2015-03-02";
