#pragma once
// The one seam through which every modal message box passes. The desktop
// program installs a Qt dialog; the command line answers with the default
// button and prints the text; tests install a scripted answerer.
#include <QString>
#include <functional>

// Dialog results, as the rest of the program compares them.
enum ResultadoDialogo {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
  mrHelp = 11
};

// Button bits in the order of the message helpers (Yes = bit 0 ... Help = bit 10).
enum BotaoDialogo {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
  mbAll = 1 << 7,
  mbNoToAll = 1 << 8,
  mbYesToAll = 1 << 9,
  mbHelp = 1 << 10
};

// 0 warning, 1 error, 2 information, 3 confirmation.
enum TipoDialogo { dtAviso = 0, dtErro = 1, dtInformacao = 2, dtConfirmacao = 3 };

struct PedidoDialogo {
  TipoDialogo Tipo = dtInformacao;
  QString Titulo;
  QString Texto;
  int Botoes = mbOK;
  int BotaoPadrao = 2; // position in the button list (0 Yes, 1 No, 2 OK, ...)
};

using RespondedorDialogo = std::function<int(const PedidoDialogo &)>;

// Shows the dialog through the installed answerer and returns its result.
int MostrarDialogo(const PedidoDialogo &pedido);
// Installs an answerer; returns the previous one so a test can restore it.
RespondedorDialogo DefinirRespondedorDialogo(RespondedorDialogo r);
// Result of pressing the button at a position of the list above.
int ResultadoDoBotao(int posicao);

// File choice passes through a seam of its own: the desktop program installs
// the platform's open/save dialogs, tests install a scripted answer, and the
// command line (nobody to ask) gets no file.
struct PedidoArquivo {
  bool Salvar = false; // save dialog (else open)
  QString Titulo;
  QString Pasta;  // initial folder
  QString Nome;   // proposed file name
  QString Filtro; // "*.pdf"
  QString Sufixo; // added to a name typed without one ("zip")
};

using EscolhedorArquivo = std::function<QString(const PedidoArquivo &)>;

// The chosen file's path, or empty when nothing was chosen.
QString EscolherArquivo(const PedidoArquivo &pedido);
// Installs a chooser; returns the previous one so a test can restore it.
EscolhedorArquivo DefinirEscolhedorArquivo(EscolhedorArquivo e);
