// What Qt draws itself, as a Brazilian user meets it: the standard dialogs
// the program opens in Portuguese, and Brazilian formats in the widgets.
#include "core/unDialogo.h"
#include "ui/uEntrada.h"
#include "ui/unDialogoQt.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Every text a user can read in a window: title, labels, buttons, actions.
QStringList Textos(QWidget *w) {
  QStringList t{w->windowTitle()};
  for (auto *l : w->findChildren<QLabel *>())
    if (l->isVisibleTo(w))
      t << l->text();
  for (auto *b : w->findChildren<QAbstractButton *>())
    if (b->isVisibleTo(w))
      t << b->text() << b->toolTip();
  for (auto *a : w->findChildren<QAction *>())
    t << a->text();
  t.removeAll(QString());
  for (QString &s : t)
    s.remove(u'&');
  return t;
}

// Runs `abrir`, which shows a modal dialog; reads its texts and closes it.
QStringList TextosDoDialogo(const std::function<void()> &abrir) {
  QStringList lidos;
  bool visto = false;
  QTimer relogio;
  relogio.setInterval(20);
  QObject::connect(&relogio, &QTimer::timeout, [&] {
    QWidget *d = QApplication::activeModalWidget();
    if (!d || visto)
      return;
    visto = true;
    lidos = Textos(d);
    if (auto *dlg = qobject_cast<QDialog *>(d))
      dlg->reject();
    else
      d->close();
  });
  relogio.start();
  abrir();
  relogio.stop();
  EXPECT_TRUE(visto);
  return lidos;
}

// English texts of Qt that must not reach the user.
void SemIngles(const QStringList &textos) {
  static const char *const ingles[] = {"Look in",
                                       "File name",
                                       "Files of type",
                                       "Open",
                                       "Cancel",
                                       "Save",
                                       "Print",
                                       "Close",
                                       "Yes",
                                       "No",
                                       "Help",
                                       "Back",
                                       "Forward",
                                       "Detail View",
                                       "List View",
                                       "Properties",
                                       "Options",
                                       "Create New Folder",
                                       "Parent Directory"};
  for (const QString &t : textos)
    for (const char *e : ingles)
      EXPECT_FALSE(t.compare(QLatin1String(e), Qt::CaseInsensitive) == 0 ||
                   t.startsWith(QLatin1String(e) + u':'))
          << "texto em inglês: " << t.toStdString();
}
} // namespace

TEST(AmbienteQt, DialogosPadraoEmPortugues) {
  {
    SCOPED_TRACE("abrir arquivo (primeira execução)");
    // The program's own file dialogs, as the desktop program installs them.
    const EscolhedorArquivo anterior = DefinirEscolhedorArquivo(EscolherArquivoQt);
    const QStringList t = TextosDoDialogo([] { TfrmEntrada::EscolherArquivoFolha(nullptr); });
    DefinirEscolhedorArquivo(anterior);
    SemIngles(t);
    EXPECT_TRUE(t.contains(QStringLiteral("Abrir"))) << t.join(u'|').toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Cancelar"))) << t.join(u'|').toStdString();
  }
  {
    SCOPED_TRACE("salvar arquivo");
    const QStringList t = TextosDoDialogo([] {
      QFileDialog::getSaveFileName(nullptr, QStringLiteral("Salvar"), QString(), QString());
    });
    SemIngles(t);
    EXPECT_TRUE(t.contains(QStringLiteral("Salvar"))) << t.join(u'|').toStdString();
  }
  {
    SCOPED_TRACE("caixa de mensagem com todos os botões");
    const RespondedorDialogo anterior = DefinirRespondedorDialogo(MostrarDialogoQt);
    const QStringList t = TextosDoDialogo([] {
      PedidoDialogo p;
      p.Texto = QStringLiteral("Teste");
      p.Botoes = mbYes | mbNo | mbOK | mbCancel | mbAbort | mbRetry | mbIgnore | mbAll | mbNoToAll |
                 mbYesToAll | mbHelp;
      MostrarDialogo(p);
    });
    DefinirRespondedorDialogo(anterior);
    SemIngles(t);
    for (const char *b : {"Sim", "Não", "Cancelar", "Ajuda"})
      EXPECT_TRUE(t.contains(QString::fromUtf8(b))) << b << " em " << t.join(u'|').toStdString();
  }
  {
    SCOPED_TRACE("impressão");
    QPrinter impressora;
    impressora.setOutputFormat(QPrinter::PdfFormat);
    const QStringList t = TextosDoDialogo([&] {
      QPrintDialog d(&impressora);
      d.exec();
    });
    SemIngles(t);
    EXPECT_TRUE(t.contains(QStringLiteral("Imprimir"))) << t.join(u'|').toStdString();
  }
  {
    SCOPED_TRACE("visualização de impressão");
    QPrinter impressora;
    const QStringList t = TextosDoDialogo([&] {
      QPrintPreviewDialog d(&impressora);
      d.exec();
    });
    SemIngles(t);
    EXPECT_TRUE(t.contains(QStringLiteral("Imprimir"))) << t.join(u'|').toStdString();
  }
}

TEST(AmbienteQt, FormatosBrasileirosNosWidgets) {
  QDoubleSpinBox valor;
  valor.setDecimals(2);
  valor.setMaximum(1e9);
  valor.setValue(1234.5);
  EXPECT_EQ(valor.text(), QStringLiteral("1234,50"));
  QDateEdit data(QDate(2026, 12, 10));
  EXPECT_EQ(data.text(), QStringLiteral("10/12/2026"));

  // The file dialog's date column comes from the system locale.
  QTemporaryDir pasta;
  const QString arquivo = pasta.filePath(QStringLiteral("VESK.re"));
  {
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2026, 12, 10), QTime(14, 30)),
                              QFileDevice::FileModificationTime));
  }
  QFileSystemModel modelo;
  modelo.setRootPath(pasta.path());
  QElapsedTimer t;
  t.start();
  QModelIndex i;
  while (t.elapsed() < 10000 && !(i = modelo.index(arquivo, 3)).data().isValid())
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_TRUE(i.data().toString().startsWith(QStringLiteral("10/12/2026")))
      << i.data().toString().toStdString();
}
