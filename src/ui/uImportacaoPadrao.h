#pragma once
// The program's generic import window (a small "please wait" window shown
// while a file chosen in an open dialog is imported) and the index-table
// import built on it.
#include <QDialog>
#include <QFileDialog>
#include <QString>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

class TfrmImportacaoPadrao : public QDialog {
  Q_OBJECT
public:
  explicit TfrmImportacaoPadrao(QWidget *parent = nullptr);

  // The message code of the import: empty when it succeeded.
  QString CodigoMensagem;

  // Runs the open dialog; when a file was chosen, imports it; then shows "TI"
  // and the message code ("TI0074" on success). False when nothing was chosen.
  bool Selecionar();
  // Shows the window and starts the timer; descendants import the file after
  // calling it.
  virtual void Importar(const QString &arquivo);

  // The open dialog of Selecionar; tests answer it with a path.
  static std::function<QString(TfrmImportacaoPadrao *)> EscolherArquivo;

  QLabel *lblMensagem = nullptr;
  QProgressBar *Progresso = nullptr;
  QTimer *Timer1 = nullptr;

protected:
  // Whether the open dialog may close on this file.
  virtual bool ArquivoAceito(const QString &arquivo) const;
  // While the import runs the window cannot be closed.
  void closeEvent(QCloseEvent *e) override;
  void reject() override;
  void Terminar();
  bool emAndamento_ = false;

private:
  friend class TDialogoAbrirImportacao;
};

// The open dialog: stays open until the chosen file passes ArquivoAceito.
class TDialogoAbrirImportacao : public QFileDialog {
  Q_OBJECT
public:
  explicit TDialogoAbrirImportacao(TfrmImportacaoPadrao *janela);
  void accept() override;

private:
  TfrmImportacaoPadrao *janela_;
};

class TfrmImportacaoIndice : public TfrmImportacaoPadrao {
  Q_OBJECT
public:
  explicit TfrmImportacaoIndice(QWidget *parent = nullptr);
  void Importar(const QString &arquivo) override;
  // After the commit: the tree and the current view of the main window.
  std::function<void()> AposConfirmar;

protected:
  bool ArquivoAceito(const QString &arquivo) const override;
};
