#pragma once
// The lookup dialogs. TfrmLocalizar searches the registry itself and hands
// back the employer or link chosen in its grid (the main window selects it in
// the tree). The criterion windows (TfrmLocalizaPadrao and descendants) only
// collect one criterion, which the launchers turn into a key word, a hyphen
// and the value ("INSCRICAO-...") for the query windows to look for.
#include "registry/unLocalizar.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <functional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QWidget;

class TfrmLocalizar : public QDialog {
  Q_OBJECT
public:
  explicit TfrmLocalizar(QWidget *pai = nullptr);

  QButtonGroup *RGroupOpcBusca = nullptr; // ids: TChavePesquisa
  QComboBox *cbProcura = nullptr;         // TProcurarPor
  QLineEdit *edtBusca = nullptr;
  QTableView *grid = nullptr; // a sortable grid of the hits
  QPushButton *btnLocaliza = nullptr;
  QPushButton *btnCancelar = nullptr; // "&Fechar"

  // One element per data row of the grid, in search order; each row keeps
  // the index of its element, so a re-sorted grid still picks the right one.
  TArrInscricao Inscricoes;
  // The element of the grid's current row, set when the window closes (all
  // zero when there was no hit).
  TRecInscricao Resultado;

  void RGroupOpcBuscaClick();
  void cbProcuraChange();
  void btnLocalizaClick();
  // The element of the grid's current row (all zero without hits).
  TRecInscricao ElementoAtual() const;

  // Shows the window modally; tests install Interceptar to drive it instead.
  static inline std::function<void(TfrmLocalizar &)> Interceptar;

  void done(int r) override;

private:
  void MontarGrade();
  void AtualizarBotao();
};

// Base of the criterion windows: "Inscrição" and "Nome", "&Localizar" /
// "&Fechar" in a panel at the bottom; descendants hide the lower fields by a
// smaller height.
class TfrmLocalizaPadrao : public QDialog {
  Q_OBJECT
public:
  explicit TfrmLocalizaPadrao(QWidget *pai = nullptr);

  QLineEdit *edtInscricao = nullptr;
  QLineEdit *edtNome = nullptr;
  QLabel *lblInscricao = nullptr;
  QLabel *lblNome = nullptr;
  QWidget *pnlBotoes = nullptr;
  QPushButton *btnLocalizar = nullptr;
  QPushButton *btnFechar = nullptr;
  bool Confirmado = false;

  // The criterion the launcher returns; empty when not confirmed.
  virtual QString Criterio() const;

  // Shows the window modally; tests install Interceptar to drive it instead.
  static inline std::function<void(TfrmLocalizaPadrao &)> Interceptar;
  void Mostrar();

protected:
  // Places a caption and its field at the given top, fields left-aligned.
  void Posicionar(QLabel *rotulo, QWidget *campo, int topo, int largura);
  // Window height; the button panel stays at the bottom.
  void DefinirAltura(int altura);
  // Key word and value of the first visible field that holds text, in the
  // order given; empty when not confirmed or all are empty.
  QString PrimeiroCriterio(const QList<QPair<QString, QLineEdit *>> &campos) const;
  // Whether any criterion field that counts holds text.
  virtual bool AlgumCriterio() const;
  void AtualizarBotao();
  bool eventFilter(QObject *objeto, QEvent *evento) override;
  // Fields whose typing empties another: (typed into, emptied, digits only).
  struct TExclusao {
    QLineEdit *Campo;
    QLineEdit *Esvazia;
    bool SoDigito;
  };
  QList<TExclusao> exclusoes_;
  void Excluir(QLineEdit *campo, QLineEdit *esvazia, bool soDigito);
};

class TfrmLocalizaEmpresa : public TfrmLocalizaPadrao {
  Q_OBJECT
public:
  // Modo 1: inscription only; 2: and name; 3: and PIS.
  explicit TfrmLocalizaEmpresa(int Modo, QWidget *pai = nullptr);
  QLineEdit *edtPIS = nullptr;
  QString Criterio() const override;

protected:
  bool AlgumCriterio() const override;
};

class TfrmLocalizaTrabalhador : public TfrmLocalizaPadrao {
  Q_OBJECT
public:
  explicit TfrmLocalizaTrabalhador(QWidget *pai = nullptr);
  QString Criterio() const override;
};

class TfrmLocalizaProtocolo : public TfrmLocalizaPadrao {
  Q_OBJECT
public:
  // Modo 2: protocol, inscription and PIS; any other: protocol and inscription.
  explicit TfrmLocalizaProtocolo(int Modo, QWidget *pai = nullptr);
  QLineEdit *edtProtocolo = nullptr;
  QLineEdit *edtPIS = nullptr;
  QString Criterio() const override;
  // The protocol field with its points and blanks as shown.
  QString ProtocoloMascarado() const;

protected:
  bool AlgumCriterio() const override;
};

// Result of LocalizarEmpresaRegistro.
struct TRegLocalizar {
  bool Encontrado = false;
  QString TipoChave; // "E" employer, "F" worker (a PIS)
  QString Criterio;
  QString Valor; // the text after the first hyphen
};

// The launchers: each creates its window, shows it modally and frees it.
TRecInscricao AbrirLocalizar(QWidget *pai = nullptr);
QString LocalizarEmpresa(int Modo, QWidget *pai = nullptr);
TRegLocalizar LocalizarEmpresaRegistro(QWidget *pai = nullptr);
QString LocalizarTrabalhador(QWidget *pai = nullptr);
QString LocalizarProtocolo(int Modo, QWidget *pai = nullptr);

// A criterion split at its first hyphen into key word and value.
struct TCriterio {
  QString Chave;
  QString Valor;
};
TCriterio DividirCriterio(const QString &criterio);

class QTableWidget;
// Looks for a criterion in a grid as LocalizarNoDataSet does in a result set:
// INSCRICAO and PIS/PASEP compare the cell's digits with the value's, leading
// zeros aside (so a masked and a typed inscription agree); RAZAO and NOME
// find a name containing the value (upper case). Colunas: key word -> column.
// Found: that row becomes current. Not found: Prefixo + "0092". An empty
// criterion (the lookup was closed) or a key the grid has no column for
// does nothing and returns false.
bool LocalizarNaGrade(QTableWidget *grade, const QString &Criterio,
                      const QList<QPair<QString, int>> &Colunas, const QString &Prefixo);
