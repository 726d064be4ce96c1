#pragma once
// The edit controls every registry window uses: masked digit fields whose value
// is the digits alone, date fields that can stay empty, money fields that keep
// exactly the centavos typed, and code lists a user searches by typing the
// code. Plus the keyboard habits of the program's forms (digits-only and
// name-only fields, Enter moving on like Tab, moving on when a field is full).
#include "core/unGlobal.h"

#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <optional>

// A field for a number with a fixed layout (CNPJ, CEI, CEP, PIS, CPF). The
// mask only shows the separators: the value is the digits typed.
class TEditMascara : public QLineEdit {
  Q_OBJECT
public:
  // mascara: '9' for each digit position, anything else is shown as is
  // ("99.999.999/9999-99").
  explicit TEditMascara(const QString &mascara = QString(), QWidget *parent = nullptr);
  void DefinirMascara(const QString &mascara);
  QString Mascara() const { return mascara_; }
  QString Digitos() const;
  void DefinirDigitos(const QString &digitos);
  // Every digit position holds a digit.
  bool Completo() const;
  int Posicoes() const { return static_cast<int>(mascara_.count(u'9')); }

protected:
  void focusInEvent(QFocusEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;

private:
  QString mascara_;
};

// A date typed as "dd/mm/yyyy" that may be left empty: empty is NullDate
// (stored as Null), never a default date.
class TEditData : public TEditMascara {
  Q_OBJECT
public:
  explicit TEditData(QWidget *parent = nullptr);
  // NullDate when empty, DataNaoValida when typed but not a real date.
  TDateTime Data() const;
  void DefinirData(TDateTime data);
  bool Vazia() const { return Digitos().isEmpty(); }
};

// Money typed as "1.234,56". The value is kept as whole centavos parsed from
// the text itself, so what reaches the database is exactly what was typed.
class TEditValor : public QLineEdit {
  Q_OBJECT
public:
  explicit TEditValor(QWidget *parent = nullptr);
  qint64 Centavos() const;
  double Valor() const { return static_cast<double>(Centavos()) / 100.0; }
  void DefinirCentavos(qint64 centavos);
  void DefinirValor(double valor);
  // Upper bound in centavos (0: only the column's 13 integer digits).
  void DefinirMaximo(qint64 centavos) { maximo_ = centavos; }
  qint64 Maximo() const { return maximo_; }

  // "1.234,56" -> 123456; "12" -> 1200; "0,5" -> 50. Nothing for a text that
  // is not an amount (letters, three decimals, more than 13 integer digits).
  static std::optional<qint64> CentavosDoTexto(const QString &texto);
  static QString TextoDosCentavos(qint64 centavos);

protected:
  void focusOutEvent(QFocusEvent *e) override;
  void focusInEvent(QFocusEvent *e) override;

private:
  qint64 maximo_ = 0;
};

// A list of codes ("0051 - Texto ...") in which typing the first characters
// selects the first item that starts with them. Never editable, so the value
// is always one of the list's items or nothing.
class TComboCodigo : public QComboBox {
  Q_OBJECT
public:
  explicit TComboCodigo(QWidget *parent = nullptr);
  // The first n characters of the selected item, trimmed; "" with no selection.
  QString Codigo(int n) const;
  // Selects the first item whose text starts with the code (none: no selection).
  bool SelecionarCodigo(const QString &codigo);
  // Selects the item with exactly that text (none: no selection).
  bool SelecionarTexto(const QString &texto);
  void Limpar() { setCurrentIndex(-1); }

protected:
  void keyPressEvent(QKeyEvent *e) override;
  void focusInEvent(QFocusEvent *e) override;

private:
  QString busca_;
  bool buscando_ = false;
  qint64 ultimaTecla_ = 0;
};

// Keyboard habits of the registry forms.
enum TipoTeclado { tkDigitos, tkNome, tkAlfanumerico };
// Limits what the keyboard can type into a field: digits; letters and blank;
// letters, digits and blank. Editing keys always pass.
void DefinirTeclado(QWidget *campo, TipoTeclado tipo);
// The control whose value changed because of the user (text edited, item
// chosen): calls quando() each time.
void AoAlterar(QWidget *controle, const std::function<void()> &quando);
// Whether the control is "full": all the length typed (blanks not counted),
// every mask position filled, a complete valid date, or a list with a choice.
bool ControleCompleto(QWidget *controle);
// The next control after w, in the focus chain of raiz, that can take the focus.
QWidget *ProximoControle(QWidget *raiz, QWidget *w, bool paraTras = false);

// Mask of an inscription number by its type (1 CNPJ "99.999.999/9999-99",
// 2 CEI "999999999999"); no type: the CNPJ mask.
QString MascaraInscricao(int tipo);
// Keeps the number's mask in step with the type list ("1 - CNPJ", "2 - CEI");
// changing the type empties a number typed under the other mask.
void LigarTipoInscricao(QComboBox *tipo, TEditMascara *inscricao);
// A caption whose accelerator reaches the control.
class QLabel;
QLabel *RotuloPara(const QString &texto, QWidget *controle);
