#include "uControles.h"

#include "core/unUtilitarios.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {
// The program's masks use '9' for a digit; Qt's input mask wants the same
// '9' and takes the rest as literals once the meta characters are escaped.
QString MascaraQt(const QString &mascara) {
  if (mascara.isEmpty())
    return QString();
  static const QString meta = QStringLiteral("AaNnXx0Dd#HhBb><!\\[]{}");
  QString m;
  for (const QChar c : mascara) {
    if (c != u'9' && meta.contains(c))
      m += u'\\';
    m += c;
  }
  return m + QStringLiteral("; ");
}
} // namespace

// ------------------------------------------------------------ TEditMascara --

TEditMascara::TEditMascara(const QString &mascara, QWidget *parent) : QLineEdit(parent) {
  DefinirMascara(mascara);
}

void TEditMascara::DefinirMascara(const QString &mascara) {
  if (mascara == mascara_ && !mascara.isEmpty())
    return;
  mascara_ = mascara;
  setInputMask(MascaraQt(mascara));
  if (mascara.isEmpty())
    setMaxLength(32767);
}

QString TEditMascara::Digitos() const {
  return TUtilitarios::Digitos(text());
}

void TEditMascara::DefinirDigitos(const QString &digitos) {
  const QString d = TUtilitarios::Digitos(digitos);
  if (mascara_.isEmpty()) {
    setText(d);
    return;
  }
  // The digits laid into the positions of the mask, from the left.
  QString t;
  int i = 0;
  for (const QChar c : mascara_) {
    if (c == u'9')
      t += i < d.size() ? d.at(i++) : QChar(u' ');
    else
      t += c;
  }
  setText(d.isEmpty() ? QString() : t);
}

bool TEditMascara::Completo() const {
  return !mascara_.isEmpty() ? Digitos().size() >= Posicoes() : false;
}

void TEditMascara::focusInEvent(QFocusEvent *e) {
  QLineEdit::focusInEvent(e);
  // An empty field starts at its first position wherever it was entered.
  if (!mascara_.isEmpty() && Digitos().isEmpty())
    QTimer::singleShot(0, this, [this] { setCursorPosition(0); });
}

void TEditMascara::mousePressEvent(QMouseEvent *e) {
  QLineEdit::mousePressEvent(e);
  if (!mascara_.isEmpty() && Digitos().isEmpty())
    setCursorPosition(0);
}

// --------------------------------------------------------------- TEditData --

TEditData::TEditData(QWidget *parent) : TEditMascara(QStringLiteral("99/99/9999"), parent) {}

TDateTime TEditData::Data() const {
  if (Vazia())
    return NullDate;
  if (Digitos().size() < 8)
    return DataNaoValida;
  return TUtilitarios::TextoParaData(text());
}

void TEditData::DefinirData(TDateTime data) {
  if (!DataDefinida(data) || data <= 0) {
    clear();
    return;
  }
  setText(TUtilitarios::DataParaTexto(data));
}

// -------------------------------------------------------------- TEditValor --

TEditValor::TEditValor(QWidget *parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Digits with "." between thousands, and at most two decimals after ",".
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("^[0-9.]{0,17}(,[0-9]{0,2})?$")), this));
  setMaxLength(20);
  DefinirCentavos(0);
}

std::optional<qint64> TEditValor::CentavosDoTexto(const QString &texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty())
    return 0;
  const int virgula = t.indexOf(u',');
  QString inteiro = (virgula < 0 ? t : t.left(virgula));
  inteiro.remove(u'.');
  QString decimais = virgula < 0 ? QString() : t.mid(virgula + 1);
  if (!TUtilitarios::SomenteNumeros(inteiro + decimais) || decimais.size() > 2 ||
      inteiro.size() > 13 || decimais.contains(u','))
    return std::nullopt;
  while (decimais.size() < 2)
    decimais += u'0';
  return inteiro.toLongLong() * 100 + decimais.toLongLong();
}

QString TEditValor::TextoDosCentavos(qint64 centavos) {
  const bool negativo = centavos < 0;
  const qint64 c = negativo ? -centavos : centavos;
  QString inteiro = QString::number(c / 100);
  for (int i = inteiro.size() - 3; i > 0; i -= 3)
    inteiro.insert(i, u'.');
  return (negativo ? QStringLiteral("-") : QString()) + inteiro + u',' +
         QString::number(c % 100).rightJustified(2, u'0');
}

qint64 TEditValor::Centavos() const {
  const std::optional<qint64> c = CentavosDoTexto(text());
  return c.value_or(0);
}

void TEditValor::DefinirCentavos(qint64 centavos) {
  setText(TextoDosCentavos(centavos));
}

void TEditValor::DefinirValor(double valor) {
  DefinirCentavos(TUtilitarios::ParaCentavos(valor));
}

void TEditValor::focusInEvent(QFocusEvent *e) {
  QLineEdit::focusInEvent(e);
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void TEditValor::focusOutEvent(QFocusEvent *e) {
  QLineEdit::focusOutEvent(e);
  // Shown again in the program's format; a value above the limit is kept as
  // typed for the check to judge.
  const std::optional<qint64> c = CentavosDoTexto(text());
  if (c)
    setText(TextoDosCentavos(*c));
}

// ------------------------------------------------------------ TComboCodigo --

TComboCodigo::TComboCodigo(QWidget *parent) : QComboBox(parent) {
  setEditable(false);
  setMaxVisibleItems(20);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(4);
  // A selection made elsewhere (loading, clearing) starts a new search.
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!buscando_)
      busca_.clear();
  });
}

void TComboCodigo::focusInEvent(QFocusEvent *e) {
  busca_.clear();
  QComboBox::focusInEvent(e);
}

QString TComboCodigo::Codigo(int n) const {
  if (currentIndex() < 0)
    return QString();
  return currentText().left(n).trimmed();
}

bool TComboCodigo::SelecionarCodigo(const QString &codigo) {
  const QString c = codigo.trimmed();
  if (!c.isEmpty()) {
    for (int i = 0; i < count(); ++i) {
      if (itemText(i).startsWith(c, Qt::CaseInsensitive)) {
        setCurrentIndex(i);
        return true;
      }
    }
  }
  setCurrentIndex(-1);
  return false;
}

bool TComboCodigo::SelecionarTexto(const QString &texto) {
  const int i = findText(texto.trimmed(), Qt::MatchFixedString);
  setCurrentIndex(i);
  return i >= 0;
}

void TComboCodigo::keyPressEvent(QKeyEvent *e) {
  const QString t = e->text();
  if (t.size() == 1 && t.at(0).isPrint() &&
      !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    // Characters typed in quick succession build one code; a pause starts a
    // new one. The first item starting with the code is selected.
    const qint64 agora = QDateTime::currentMSecsSinceEpoch();
    if (agora - ultimaTecla_ > 1000)
      busca_.clear();
    ultimaTecla_ = agora;
    busca_ += t;
    for (int i = 0; i < count(); ++i) {
      if (itemText(i).startsWith(busca_, Qt::CaseInsensitive)) {
        buscando_ = true;
        setCurrentIndex(i);
        buscando_ = false;
        break;
      }
    }
    e->accept();
    return;
  }
  if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
    busca_.clear();
    setCurrentIndex(-1);
    e->accept();
    return;
  }
  QComboBox::keyPressEvent(e);
}

// ------------------------------------------------------------ keyboard --

namespace {
class TFiltroTeclado : public QObject {
public:
  TFiltroTeclado(QObject *dono, TipoTeclado tipo) : QObject(dono), tipo_(tipo) {}

protected:
  bool eventFilter(QObject *obj, QEvent *ev) override {
    if (ev->type() == QEvent::KeyPress) {
      auto *k = static_cast<QKeyEvent *>(ev);
      const QString t = k->text();
      if (t.size() == 1 && t.at(0).isPrint() &&
          !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !Aceita(t.at(0)))
        return true;
    }
    return QObject::eventFilter(obj, ev);
  }

private:
  bool Aceita(QChar c) const {
    const bool digito = c >= u'0' && c <= u'9';
    const bool letra = c.isLetter();
    switch (tipo_) {
    case tkDigitos:
      return digito;
    case tkNome:
      return letra || c == u' ';
    case tkAlfanumerico:
      return letra || digito || c == u' ';
    }
    return true;
  }
  TipoTeclado tipo_;
};
} // namespace

void DefinirTeclado(QWidget *campo, TipoTeclado tipo) {
  if (campo)
    campo->installEventFilter(new TFiltroTeclado(campo, tipo));
}

void AoAlterar(QWidget *controle, const std::function<void()> &quando) {
  if (auto *e = qobject_cast<QLineEdit *>(controle))
    QObject::connect(e, &QLineEdit::textChanged, e, [quando] { quando(); });
  else if (auto *c = qobject_cast<QComboBox *>(controle))
    QObject::connect(c, &QComboBox::currentIndexChanged, c, [quando] { quando(); });
}

bool ControleCompleto(QWidget *controle) {
  if (auto *d = qobject_cast<TEditData *>(controle)) {
    const TDateTime data = d->Data();
    return d->Completo() && DataDefinida(data) && !TUtilitarios::DataInvalida(data);
  }
  if (auto *m = qobject_cast<TEditMascara *>(controle)) {
    if (!m->Mascara().isEmpty())
      return m->Completo();
  }
  if (qobject_cast<TEditValor *>(controle))
    return false;
  if (auto *e = qobject_cast<QLineEdit *>(controle)) {
    QString t = e->text();
    t.remove(u' ');
    return e->maxLength() > 0 && e->maxLength() < 32767 && t.size() >= e->maxLength();
  }
  if (auto *c = qobject_cast<QComboBox *>(controle))
    return c->currentIndex() >= 0;
  return false;
}

QWidget *ProximoControle(QWidget *raiz, QWidget *w, bool paraTras) {
  if (!raiz || !w)
    return nullptr;
  for (QWidget *p = paraTras ? w->previousInFocusChain() : w->nextInFocusChain(); p && p != w;
       p = paraTras ? p->previousInFocusChain() : p->nextInFocusChain()) {
    if (raiz->isAncestorOf(p) && p->isEnabled() && p->isVisibleTo(raiz) &&
        (p->focusPolicy() & Qt::TabFocus) && !qobject_cast<QAbstractItemView *>(p->parentWidget()))
      return p;
  }
  return nullptr;
}

QString MascaraInscricao(int tipo) {
  return tipo == 2 ? QStringLiteral("999999999999") : QStringLiteral("99.999.999/9999-99");
}

void LigarTipoInscricao(QComboBox *tipo, TEditMascara *inscricao) {
  inscricao->DefinirMascara(MascaraInscricao(tipo->currentIndex() + 1));
  QObject::connect(tipo, &QComboBox::currentIndexChanged, inscricao, [tipo, inscricao] {
    const QString mascara = MascaraInscricao(tipo->currentIndex() + 1);
    if (mascara != inscricao->Mascara()) {
      inscricao->clear();
      inscricao->DefinirMascara(mascara);
    }
  });
}

QLabel *RotuloPara(const QString &texto, QWidget *controle) {
  auto *r = new QLabel(texto);
  r->setBuddy(controle);
  return r;
}
