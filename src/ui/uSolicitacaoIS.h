#pragma once
// The balance request window: the user picks employers and, for one employer
// at a time, its workers; the request is written for the chosen links.
#include "interchange/unRegRegistro.h"
#include "registry/unChaveVinculo.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <functional>

class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;

// Asks where to save the request and writes it for the "40" entries of an
// index; false when the user gave up or the request failed (the failure was
// shown). Used by the window and after a payroll import.
bool GerarSolicitacaoSaldo(const TArrRegRegistro &indice, QWidget *parent = nullptr);

class TfrmSolicitacaoIS : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSolicitacaoIS(QWidget *parent = nullptr);

  QTabWidget *pcSolicitacao;
  QListWidget *lstEmpDisponiveis;
  QListWidget *lstEmpSelecionadas;
  QPushButton *btnSelecionarEmp, *btnSelecionarTodosEmp, *btnDesmarcarEmp, *btnDesmarcarTodosEmp;
  QTableWidget *grdTrabDisponiveis;
  QTableWidget *grdTrabSelecionados;
  QPushButton *btnSelecionarTrab, *btnSelecionarTodosTrab, *btnDesmarcarTrab,
      *btnDesmarcarTodosTrab;
  QPushButton *btnSolicitar;
  QPushButton *btnFechar;

  // Moves the current (or every) item between the employer lists.
  void MoverEmpresas(bool selecionar, bool todas);
  void MoverTrabalhadores(bool selecionar, bool todos);
  // Leaves the employer page: exactly one selected employer, whose workers
  // are loaded. False (with the message shown) otherwise.
  bool AbrirTrabalhadores();

public slots:
  void btnSolicitarClick();

private:
  struct TEmpresaLista {
    int Tipo;
    qint64 Inscricao;
  };
  void GuardarSelecaoTrabalhadores();
  static QString ChaveEmpresa(int tipo, qint64 inscricao);

  // Workers chosen per employer whose worker page was opened.
  QHash<QString, QList<TChaveVinculo>> escolhidos_;
  QString empresaTrabalhadores_; // employer shown on the worker page
  QList<TChaveVinculo> chavesDisponiveis_;
};
