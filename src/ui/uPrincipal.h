#pragma once
// Main window of the program.
#include <QMainWindow>

class TfrmPrincipal : public QMainWindow {
  Q_OBJECT
public:
  explicit TfrmPrincipal(QWidget *parent = nullptr);
  // Shows the window and returns when the user leaves it.
  void ShowModal();

protected:
  void closeEvent(QCloseEvent *e) override;

private:
  class QEventLoop *laco_ = nullptr;
};
