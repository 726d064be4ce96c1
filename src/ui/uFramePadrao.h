#pragma once
// Base of the registry edit frames shown in the main window's right-hand
// panel: a title, the pages of the frame and the buttons "Al&terar",
// "Excl&uir", "&Salvar" and "&Cancelar". It owns the edit cycle (view, edit,
// save or cancel), the keyboard habits shared by every frame (Enter moves on
// like Tab, Esc cancels) and the way a refused value is shown: the message,
// the page and control put in front, and the control marked with the message
// until its value changes.
#include <QFrame>
#include <QPointer>
#include <QStringList>
#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

// The program-wide edit state: 0 a new record is being typed, 1 the shown
// record is being changed, 2 no edit under way.
enum { meInclusao = 0, meAlteracao = 1, meNenhuma = 2 };
extern int ModoEdicao;

class TFramePadrao : public QFrame {
  Q_OBJECT
public:
  TFramePadrao(const QString &nome, const QString &titulo, QWidget *parent = nullptr);

  QLabel *lblTitulo = nullptr;
  QTabWidget *pgcPrincipal = nullptr;
  QPushButton *btnAlterar = nullptr;
  QPushButton *btnExcluir = nullptr;
  QPushButton *btnSalvar = nullptr;
  QPushButton *btnCancelar = nullptr;

  // Two characters put before every message number the frame shows.
  QString PrefixoMensagem;

  // Copies the business object into the controls.
  virtual void CarregarTela() {}
  // Copies the controls into the business object and runs its checks; the
  // first failure is shown and focused.
  virtual bool ValidarTela() { return true; }
  // Empties every edit control of the frame.
  virtual void LimparTela();

  // True when leaving an edit: the main window comes back and the view
  // buttons replace the edit buttons; False the reverse.
  void HabilitarEdicao(bool Habilitar);
  bool EmEdicao() const { return emEdicao_; }
  // Something was typed or chosen since the edit began.
  bool Alterado() const { return emEdicao_ && alterado_; }
  // During an edit with changes, asks whether they may be thrown away (the
  // question shows only when something changed). True: go on.
  bool PodeDescartar();

  // Set by the window that hosts the frame: enables or disables the rest of
  // the window around an edit, and selects the tree's node again (which
  // reloads the frame).
  std::function<void(bool)> AoHabilitarJanela;
  std::function<void()> AoRecarregar;
  // When set, Esc during an edit calls it instead of "&Cancelar" (a host
  // window that has its own way out).
  std::function<void()> AoEsc;

  // The marks of refused values now shown: control object name -> text.
  QStringList ControlesMarcados() const;
  QString TextoMarca(QWidget *controle) const;

public slots:
  virtual void btnAlterarClick();
  virtual void btnExcluirClick() {}
  virtual void btnSalvarClick() {}
  virtual void btnCancelarClick();

protected:
  // The common end of a successful save and of a cancel.
  void SalvarBase();
  void CancelarBase();
  // Shows PrefixoMensagem + codigo as an error, opens the page, focuses the
  // control and marks it with the message text.
  void Erro(const QString &codigo, QWidget *controle = nullptr, int pagina = -1,
            const QStringList &args = {});
  // A confirmation (Yes/No) of PrefixoMensagem + codigo; true on Yes.
  bool Perguntar(const QString &codigo, const QStringList &args = {});
  void Informar(const QString &codigo, const QStringList &args = {});
  void MarcarErro(QWidget *controle, const QString &texto);
  void LimparMarcas();

  // Wires every control below the frame (call once the descendant built
  // them): Enter moves on, Esc cancels, changes are noticed, a full field or
  // a list closed with a choice moves on.
  void PrepararControles();
  // Adds a button to the frame's button row (before the view/edit buttons).
  QPushButton *AdicionarBotao(const QString &nome, const QString &texto);
  // A page with its name, for the frame's tab widget.
  QWidget *AdicionarPagina(const QString &nome, const QString &texto);

  // While positive, changes to the controls come from the program (loading,
  // clearing) and do not count as typed.
  int carregando_ = 0;
  struct TCarga {
    explicit TCarga(TFramePadrao *f) : f_(f) { ++f_->carregando_; }
    ~TCarga() { --f_->carregando_; }
    TFramePadrao *f_;
  };

  bool eventFilter(QObject *obj, QEvent *ev) override;
  void resizeEvent(QResizeEvent *e) override;

private:
  void PosicionarMarcas();
  QHBoxLayout *botoes_ = nullptr;
  bool emEdicao_ = false;
  bool alterado_ = false;
  struct TMarca {
    QPointer<QWidget> controle;
    QPointer<QLabel> rotulo;
    QString texto;
  };
  QList<TMarca> marcas_;
};
