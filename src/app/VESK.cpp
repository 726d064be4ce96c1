// The desktop program: start-up sequence, then the first-run window or the
// main window, shown modally; the program ends when they close.
#include "core/unInicializacao.h"
#include "core/unInstalacao.h"
#include "core/unSinais.h"
#include "ui/UnArvore.h"
#include "ui/uEntrada.h"
#include "ui/uIcones.h"
#include "ui/uPrincipal.h"
#include "ui/unAmbienteQt.h"
#include "ui/unDialogoQt.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

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

// On the main thread, after a signal: once no file operation is running
// (it stops by itself between lines), every event loop is left; the windows'
// modal loops return and the program ends as after "Sair".
void SairPorSinal(int sinal) {
  if (TOperacaoCooperativa::EmAndamento()) {
    QTimer::singleShot(50, qApp, [sinal] { SairPorSinal(sinal); });
    return;
  }
  QCoreApplication::exit(StatusSinal(sinal));
}
} // namespace

int main(int argc, char *argv[]) {
  PrepararAmbienteQt();
  TAplicacao app(argc, argv);
  app.setApplicationName(QStringLiteral("VESK Eletrônica"));
  app.setApplicationDisplayName(QStringLiteral("VESK Eletrônica"));
  app.setDesktopFileName(QStringLiteral("vesk")); // the menu entry the windows belong to
  // An installed copy finds its own drawing in the icon theme.
  app.setWindowIcon(QIcon::fromTheme(QStringLiteral("vesk"), IconeArvore(imgRaiz)));
  InstalarTraducoesQt(app);
  InstalarDialogosQt();
  DefinirReacaoSinal([](int sinal) {
    QMetaObject::invokeMethod(
        qApp, [sinal] { SairPorSinal(sinal); }, Qt::QueuedConnection);
  });
  try {
    PrepararPastaPrograma();
  } catch (const EInstalacao &e) {
    MostrarErroInicio(e.Mensagem);
    return 1;
  }
  TJanelasIniciais janelas;
  janelas.MostrarEntrada = [] {
    TfrmEntrada entrada;
    entrada.exec();
  };
  janelas.MostrarPrincipal = [] {
    TfrmPrincipal principal;
    principal.ShowModal();
  };
  const int status = ExecutarPrograma(janelas);
  if (const int sinal = SinalRecebido()) {
    AvisarInterrupcao(sinal);
    return StatusSinal(sinal);
  }
  return status;
}
