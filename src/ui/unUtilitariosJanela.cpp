#include "unUtilitariosJanela.h"

#include "core/unUtilitarios.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

int FiltrarTeclaNumerica(int tecla) {
  if (tecla == '\b' || tecla == '\t' || (tecla >= '0' && tecla <= '9'))
    return tecla;
  return 0;
}

namespace {
class TFiltroNumerico : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject *obj, QEvent *ev) override {
    if (ev->type() == QEvent::KeyPress) {
      auto *k = static_cast<QKeyEvent *>(ev);
      const QString t = k->text();
      // Only printable characters are judged; arrows, delete, shortcuts pass.
      if (t.size() == 1 && t.at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier) &&
          FiltrarTeclaNumerica(t.at(0).unicode()) == 0)
        return true;
    }
    return QObject::eventFilter(obj, ev);
  }
};

// Number of input positions of an input mask and how many of them are filled.
void PosicoesMascara(const QLineEdit *e, int &total, int &preenchidas) {
  QString mascara = e->inputMask();
  const int ponto = mascara.indexOf(u';');
  if (ponto >= 0)
    mascara = mascara.left(ponto);
  static const QString entradas = QStringLiteral("AaNnXx90Dd#HhBb");
  const QString exibido = e->displayText();
  total = preenchidas = 0;
  int pos = 0;
  bool escape = false;
  for (const QChar c : mascara) {
    if (escape) {
      escape = false;
      ++pos;
      continue;
    }
    if (c == u'\\') {
      escape = true;
      continue;
    }
    if (c == u'>' || c == u'<' || c == u'!')
      continue;
    if (entradas.contains(c)) {
      ++total;
      if (pos < exibido.size() && exibido.at(pos) != u' ' && exibido.at(pos) != u'_')
        ++preenchidas;
    }
    ++pos;
  }
}

bool FicaraCheio(QWidget *w, int tecla) {
  if (auto *e = qobject_cast<QLineEdit *>(w)) {
    if (e->property("moeda").toBool())
      return e->maxLength() > 0 && e->text().size() + 3 == e->maxLength();
    if (tecla == '\b')
      return false;
    if (!e->inputMask().isEmpty()) {
      int total = 0, preenchidas = 0;
      PosicoesMascara(e, total, preenchidas);
      return total > 0 && preenchidas + 1 == total;
    }
    return e->maxLength() < 32767 && e->text().size() + 1 == e->maxLength();
  }
  if (auto *c = qobject_cast<QComboBox *>(w))
    return !c->isEditable() && c->currentIndex() >= 0;
  return false;
}
} // namespace

void InstalarFiltroNumerico(QWidget *campo) {
  if (campo)
    campo->installEventFilter(new TFiltroNumerico(campo));
}

void AvancarFoco(QWidget *janela, int tecla) {
  if (!janela)
    return;
  QWidget *foco = janela->focusWidget();
  if (!foco)
    foco = QApplication::focusWidget();
  if (!foco || !janela->isAncestorOf(foco))
    return;
  if (!FicaraCheio(foco, tecla))
    return;
  // The next control of the window's tab chain that takes keyboard focus.
  for (QWidget *w = foco->nextInFocusChain(); w && w != foco; w = w->nextInFocusChain()) {
    if (janela->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(janela) &&
        (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void MostrarDica(QWidget *janela, const QPoint &ponto, const QString &texto) {
  if (texto.trimmed().isEmpty() || !janela)
    return;
  const QPoint destino = janela->mapToGlobal(ponto + QPoint(10, 10));
  // A rich-text hint wraps its text to the given width.
  const QString html =
      QStringLiteral("<div style='width:100px'>%1</div>").arg(texto.toHtmlEscaped());
  QToolTip::showText(destino, html, janela);
}

void EsconderDica(QWidget *janela) {
  Q_UNUSED(janela);
  QToolTip::hideText();
}

namespace {
void Encher(QComboBox *combo, const QList<TItemLista> &itens) {
  combo->clear();
  for (const TItemLista &i : itens)
    combo->addItem(i.Texto, i.Numero);
  combo->setCurrentIndex(combo->count() == 1 ? 0 : -1);
}
} // namespace

void PreencherCombo(QComboBox *combo, const QString &sql, bool LinhaVazia, bool IncluirTodos) {
  if (!combo)
    return;
  const bool aparar = combo->objectName() != QStringLiteral("cmbCBO");
  Encher(combo, TUtilitarios::ListaCombo(sql, LinhaVazia, IncluirTodos, aparar));
}

void PreencherComboZeros(QComboBox *combo, const QString &sql, int digitos) {
  if (!combo)
    return;
  Encher(combo, TUtilitarios::ListaComboZeros(sql, digitos));
}
