// The desktop program: start-up sequence, then the first-run window or the
// main window, shown modally; the program ends when they close.
#include "core/unInicializacao.h"
#include "ui/UnArvore.h"
#include "ui/uEntrada.h"
#include "ui/uIcones.h"
#include "ui/uPrincipal.h"
#include "ui/unDialogoQt.h"

#include <QApplication>

namespace {
// Exceptions that reach the event loop go to the global handler and the
// program carries on; the action that raised them is abandoned.
class TAplicacao : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject *receptor, QEvent *evento) override {
    try {
      return QApplication::notify(receptor, evento);
    } catch (const std::exception &e) {
      TratarExcecao(e);
    } catch (...) {
      TratarExcecaoDesconhecida();
    }
    return false;
  }
};
} // namespace

int main(int argc, char *argv[]) {
  TAplicacao app(argc, argv);
  app.setApplicationName(QStringLiteral("VESK Eletrônica"));
  app.setApplicationDisplayName(QStringLiteral("VESK Eletrônica"));
  app.setWindowIcon(IconeArvore(imgRaiz));
  AplicarFormatos();
  InstalarDialogosQt();
  TJanelasIniciais janelas;
  janelas.MostrarEntrada = [] {
    TfrmEntrada entrada;
    entrada.exec();
  };
  janelas.MostrarPrincipal = [] {
    TfrmPrincipal principal;
    principal.ShowModal();
  };
  return ExecutarPrograma(janelas);
}
