#pragma once
// The navigation tree's model: one element per visual node, in creation order,
// kept in step with the tree the main window shows. The tree itself is reached
// only through IArvoreVisual, so this unit never needs a widget and can be
// used (and measured) without a window.
#include "core/unNegocio.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

// Opaque handle of a visual node; null means "no node".
using TNo = void *;

// Image numbers of the tree. They are compared all over the program (marking,
// menus, frames), so they are fixed and never renumbered.
enum ImagemArvore : int {
  imgRaiz = 0,
  imgEmpresa = 1,
  imgVinculo = 3,
  imgEmpresaMarcada = 9,
  imgVinculoMarcado = 11,
  imgAlteracaoNome = 16,
  imgVinculoFechado = 23,
  imgEmpresaFechada = 24,
  imgVinculoProcessado = 25,
};
// Image of a link for its collection-run state (0-3); state 0 for anything else.
int ImagemVinculo(int estado);
// Image of an employer for its summary (0 nothing marked, 1 some marked, 2 all closed).
int ImagemEmpresa(int resumo);

// What the model needs from the visual tree.
class IArvoreVisual {
public:
  virtual ~IArvoreVisual() = default;
  // Bracket a bulk rebuild: the view may hold back repaints and sorting.
  virtual void IniciarCarga() {}
  virtual void TerminarCarga() {}
  virtual void Limpar() = 0;
  // Adds a node under pai (null: top level) and returns its handle.
  virtual TNo Adicionar(TNo pai, const QString &texto, int imagem) = 0;
  // Removes the node with all its children.
  virtual void Remover(TNo no) = 0;
  virtual QString Texto(TNo no) const = 0;
  virtual void DefinirTexto(TNo no, const QString &texto) = 0;
  virtual int Imagem(TNo no) const = 0;
  virtual void DefinirImagem(TNo no, int imagem) = 0;
  virtual TNo Pai(TNo no) const = 0;
  virtual bool Expandido(TNo no) const = 0;
  virtual void Expandir(TNo no, bool expandir = true) = 0;
  virtual TNo Selecionado() const = 0;
  virtual void Selecionar(TNo no) = 0;
  // Every node in depth-first order (parents before children).
  virtual QList<TNo> Todos() const = 0;
  // 0 for a top-level node.
  int Nivel(TNo no) const;
};

// One node of the tree.
struct TRecArvore {
  int TipoInscricao = 0;
  qint64 Inscricao = 0;
  qint64 PIS = 0;
  int Categoria = 0;
  TDateTime DataAdmissao = NullDate;
  // Link: IC_ESTADO_MOVIMENTO (0-3). Employer: 0 nothing marked, 1 some link
  // marked, 2 every link closed or processed.
  int Estado = 0;
  TNo No = nullptr;
  int SituacaoConta = -1;
  // 'R' root (responsible party only), 'A' responsible party that is also an
  // employer, 'E' employer, 'F' employment link, 'C' pending name change.
  QChar Tipo;
  bool Validado = false;

  bool EhEmpresa() const { return (Tipo == u'E' || Tipo == u'A') && PIS == 0; }
  bool EhVinculoOuAlteracao() const { return Tipo == u'F' || Tipo == u'C'; }
  // Same employer and, for links, the same five-column link key.
  bool MesmaChave(const TRecArvore &o) const;
};
using TArrArvore = std::vector<TRecArvore>;

// Called once per row while the tree is built (position, total).
using TProgressoArvore = std::function<void(int, int)>;

class TArvore : public TNegocio {
public:
  TArrArvore Nos;
  int Indice = -1;
  TRecArvore Atual;
  int QuantidadeLinhas = 0;
  int Quantidade() const { return static_cast<int>(Nos.size()); }

  // The tree keeps its rows in the array, not in attributes: nothing to
  // release when the base replaces the result set.
  void Limpar() override {}

  // The tree the main window shows; AtualizarArvore works on it. Null when
  // there is no main window.
  IArvoreVisual *Visual = nullptr;

  // Rebuilds the whole tree; false on any error (the tree may be partial).
  bool MontarArvore(IArvoreVisual &visual, const TProgressoArvore &progresso = {});
  // Forgets every element and clears the visual tree.
  void Esvaziar();

  bool SelecionarNo(TNo no);
  bool SelecionarPorIndice(int indice);
  // Both raise ENegocio "Árvore vazia." on an empty tree.
  void PrimeiroNo();
  bool ProximoNo();
  int IndiceDoNo(TNo no) const;

  bool LocalizarEmpresa(qint64 inscricao);
  bool LocalizarVinculosEmpresa(int tipo, qint64 inscricao);
  bool LocalizarVinculo(int tipo, qint64 inscricao, qint64 pis, int categoria, TDateTime admissao,
                        QChar tipoNo);

  int ContarVinculosEmpresa(TNo empresa) const;
  int ContarPorEstado(const QSet<int> &estados, bool pararNoPrimeiro = false) const;
  int ContarPorEstadoEmpresa(TNo empresa, const QSet<int> &estados) const;
  int ContarMarcados() const;

  QString NomeEmpresaAtual();
  QString NomeTrabalhadorAtual();

  void ExcluirNo(IArvoreVisual &visual, TNo no);
  void RenomearNos(const QString &texto, IArvoreVisual &visual, QChar tipo, TNo no);
  // Adds a node with its element under the right parent (a link under its
  // employer, an employer under the root) and returns it.
  TNo AdicionarNo(IArvoreVisual &visual, TNo pai, int imagem, const TRecArvore &dados,
                  const QString &texto);

  int ResumoEmpresa(int tipo, qint64 inscricao);
  void GravarEstadoVinculo(const TRecArvore &vinculo, int estado);
  void EncerrarAbertura();
  void AtualizarImagemEmpresa(TNo empresa);

  // The SELECTs the build runs, in order (also used by the benchmark).
  static QStringList ConsultasMontagem();

private:
  TIbxUtils &Banco();
  void TornarAtual(int i);
  int IndiceEmpresaDe(int i) const;
  int IndiceEmpresa(TNo empresa) const;
  void RemoverElementos(int inicio, int fim);
};

// The one tree of the program.
extern TArvore Arvore;

// Reloads DataPagamento and rebuilds the main window's tree, keeping the
// selected node and the expanded nodes when they still exist (else the first
// node is selected). Without a main window only DataPagamento is reloaded.
bool AtualizarArvore(const TProgressoArvore &progresso = {});
