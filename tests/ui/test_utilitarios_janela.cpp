// Keyboard, focus and combo helpers of the windows.
#include "ArvoreTeste.h" // AplicacaoTeste()
#include "support/BancoTeste.h"
#include "ui/unUtilitariosJanela.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A window with three edits and a drop-down list, shown so focus works.
struct Janela {
  bool aplicacao = (AplicacaoTeste(), true); // widgets need it first
  QWidget w;
  QLineEdit *simples = new QLineEdit;
  QLineEdit *mascara = new QLineEdit;
  QComboBox *lista = new QComboBox;
  QLineEdit *ultimo = new QLineEdit;
  Janela() {
    auto *l = new QVBoxLayout(&w);
    for (QWidget *c : std::initializer_list<QWidget *>{simples, mascara, lista, ultimo})
      l->addWidget(c);
    simples->setMaxLength(3);
    mascara->setInputMask("99/99/9999;_");
    lista->addItems({"A", "B"});
    lista->setCurrentIndex(-1);
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
  }
  void Focar(QWidget *c) {
    c->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
  }
};
} // namespace

TEST(UtilitariosJanela, FiltrarTeclaNumerica) {
  for (int t : {int('0'), int('9'), int('\b'), int('\t')})
    EXPECT_EQ(FiltrarTeclaNumerica(t), t);
  for (int t : {int('a'), int(' '), int('-'), int(','), 0x00E9})
    EXPECT_EQ(FiltrarTeclaNumerica(t), 0);
}

TEST(UtilitariosJanela, FiltroNumericoDescartaLetras) {
  AplicacaoTeste();
  QLineEdit e;
  InstalarFiltroNumerico(&e);
  for (const char *t : {"1", "a", "2", "-"}) {
    QKeyEvent ev(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(t));
    QApplication::sendEvent(&e, &ev);
  }
  EXPECT_EQ(e.text(), "12");
}

TEST(UtilitariosJanela, AvancarFocoQuandoOCampoEnche) {
  Janela j;
  j.Focar(j.simples);
  j.simples->setText("1");
  AvancarFoco(&j.w, '2'); // two of three: stays
  EXPECT_EQ(j.w.focusWidget(), j.simples);
  j.simples->setText("12");
  AvancarFoco(&j.w, '\b'); // backspace never advances
  EXPECT_EQ(j.w.focusWidget(), j.simples);
  AvancarFoco(&j.w, '3');
  EXPECT_EQ(j.w.focusWidget(), j.mascara);

  j.mascara->setText("1503202");
  AvancarFoco(&j.w, '4'); // the last free position of the mask
  EXPECT_EQ(j.w.focusWidget(), j.lista);

  AvancarFoco(&j.w, 'x'); // nothing chosen in the list yet
  EXPECT_EQ(j.w.focusWidget(), j.lista);
  j.lista->setCurrentIndex(1);
  AvancarFoco(&j.w, 'x');
  EXPECT_EQ(j.w.focusWidget(), j.ultimo);
}

class ComboBanco : public BancoTeste {};

TEST_F(ComboBanco, PreencherCombo) {
  AplicacaoTeste();
  QComboBox c;
  PreencherCombo(&c, "SELECT 'b', 2 FROM rdb$database UNION ALL SELECT 'a', 1 FROM rdb$database",
                 true, false);
  ASSERT_EQ(c.count(), 3);
  EXPECT_EQ(c.itemText(0), "");
  EXPECT_EQ(c.itemText(1), "a");
  EXPECT_EQ(c.itemData(2).toInt(), 2);
  EXPECT_EQ(c.currentIndex(), -1);
  PreencherComboZeros(&c, "SELECT '7' FROM rdb$database", 3);
  ASSERT_EQ(c.count(), 1);
  EXPECT_EQ(c.currentText(), "007"); // a lone item is selected
}
