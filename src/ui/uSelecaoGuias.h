#pragma once
// "Filtro de Pesquisa de Guia": which company guides the guide query shows.
#include <QDialog>

class QRadioButton;

class TfrmSelecaoGuias : public QDialog {
  Q_OBJECT
public:
  explicit TfrmSelecaoGuias(QWidget *pai = nullptr);

  QRadioButton *rbProcessadas = nullptr;  // "Guias Processadas na VORDA"
  QRadioButton *rbInformativas = nullptr; // "Guias de Recolhimento para pagamento"
  QRadioButton *rbTodas = nullptr;        // "Todas Guias"

public slots:
  // "&Consultar": HX0264 without a choice; else the query window of that mode,
  // or HX0087 when it finds no guide.
  void BitBtn1Click();
};
