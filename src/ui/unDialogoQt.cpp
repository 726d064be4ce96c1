#include "unDialogoQt.h"

#include "core/unInicializacao.h"
#include "core/unTDBUtils.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QWidget>

namespace {
struct Botao {
  int bit;
  const char *texto;
  QMessageBox::ButtonRole papel;
};
// In the order of the button set; the position is what BotaoPadrao names.
const Botao Botoes[] = {{mbYes, "&Sim", QMessageBox::YesRole},
                        {mbNo, "&Não", QMessageBox::NoRole},
                        {mbOK, "OK", QMessageBox::AcceptRole},
                        {mbCancel, "Cancelar", QMessageBox::RejectRole},
                        {mbAbort, "&Abortar", QMessageBox::RejectRole},
                        {mbRetry, "&Repetir", QMessageBox::AcceptRole},
                        {mbIgnore, "&Ignorar", QMessageBox::AcceptRole},
                        {mbAll, "&Todos", QMessageBox::AcceptRole},
                        {mbNoToAll, "Nã&o para Todos", QMessageBox::NoRole},
                        {mbYesToAll, "&Sim para Todos", QMessageBox::YesRole},
                        {mbHelp, "Aj&uda", QMessageBox::HelpRole}};
} // namespace

int MostrarDialogoQt(const PedidoDialogo &pedido) {
  QMessageBox caixa(QApplication::activeWindow());
  static const QMessageBox::Icon icones[] = {QMessageBox::Warning, QMessageBox::Critical,
                                             QMessageBox::Information, QMessageBox::Question};
  caixa.setIcon(icones[pedido.Tipo >= 0 && pedido.Tipo <= 3 ? pedido.Tipo : 2]);
  caixa.setWindowTitle(pedido.Titulo);
  caixa.setText(pedido.Texto);
  std::vector<std::pair<QPushButton *, int>> mapa;
  int botoes = pedido.Botoes ? pedido.Botoes : mbOK;
  for (int i = 0; i < 11; ++i) {
    if (!(botoes & Botoes[i].bit))
      continue;
    QPushButton *b = caixa.addButton(QString::fromUtf8(Botoes[i].texto), Botoes[i].papel);
    mapa.emplace_back(b, ResultadoDoBotao(i));
    if (i == pedido.BotaoPadrao)
      caixa.setDefaultButton(b);
  }
  caixa.exec();
  for (auto &[b, r] : mapa)
    if (caixa.clickedButton() == b)
      return r;
  // Closed with Esc or the title bar: Cancel when offered, else No, else OK.
  if (botoes & mbCancel)
    return mrCancel;
  if (botoes & mbNo)
    return mrNo;
  return mrOk;
}

QString EscolherArquivoQt(const PedidoArquivo &pedido) {
  // A worker thread asks (the closing's save dialog); the dialog belongs to
  // the main thread, and the worker waits for the answer.
  if (QApplication::instance() && QThread::currentThread() != QApplication::instance()->thread()) {
    QString r;
    QMetaObject::invokeMethod(
        QApplication::instance(), [&r, &pedido] { r = EscolherArquivoQt(pedido); },
        Qt::BlockingQueuedConnection);
    return r;
  }
  const QString inicial = QDir(pedido.Pasta).filePath(pedido.Nome);
  QWidget *pai = QApplication::activeWindow();
  if (!pedido.Sufixo.isEmpty()) {
    QFileDialog d(pai, pedido.Titulo, pedido.Pasta, pedido.Filtro);
    d.setAcceptMode(pedido.Salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setDefaultSuffix(pedido.Sufixo);
    if (!pedido.Nome.isEmpty())
      d.selectFile(pedido.Nome);
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first()
                                                                         : QString();
  }
  return pedido.Salvar ? QFileDialog::getSaveFileName(pai, pedido.Titulo, inicial, pedido.Filtro)
                       : QFileDialog::getOpenFileName(pai, pedido.Titulo, inicial, pedido.Filtro);
}

void InstalarDialogosQt() {
  DefinirRespondedorDialogo(MostrarDialogoQt);
  DefinirEscolhedorArquivo(EscolherArquivoQt);
  DefinirFonteTituloJanela([]() -> QString {
    QWidget *w = QApplication::activeWindow();
    return w ? w->windowTitle() : QString();
  });
  DefinirFonteContextoJanela([]() {
    TContextoJanela c;
    if (QWidget *w = QApplication::activeWindow())
      c.Form = w->objectName();
    if (QWidget *f = QApplication::focusWidget())
      c.Controle = f->objectName();
    return c;
  });
}
