#include "uFramePadrao.h"

#include "uControles.h"

#include "core/unUtilitarios.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

int ModoEdicao = meNenhuma;

// Question asked before typed data are thrown away.
static const char *const MensagemDescartar = "0711";

TFramePadrao::TFramePadrao(const QString &nome, const QString &titulo, QWidget *parent)
    : QFrame(parent) {
  setObjectName(nome);
  lblTitulo = new QLabel(titulo);
  lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
  QFont f = lblTitulo->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.25);
  lblTitulo->setFont(f);
  pgcPrincipal = new QTabWidget;
  pgcPrincipal->setObjectName(QStringLiteral("pgcPrincipal"));

  btnAlterar = new QPushButton(QStringLiteral("Al&terar"));
  btnAlterar->setObjectName(QStringLiteral("btnAlterar"));
  btnSalvar = new QPushButton(QStringLiteral("&Salvar"));
  btnSalvar->setObjectName(QStringLiteral("btnSalvar"));
  btnExcluir = new QPushButton(QStringLiteral("Excl&uir"));
  btnExcluir->setObjectName(QStringLiteral("btnExcluir"));
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  botoes_ = new QHBoxLayout;
  botoes_->addStretch();
  // "&Salvar" and "&Cancelar" take the places of "Al&terar" and "Excl&uir".
  for (QPushButton *b : {btnAlterar, btnSalvar, btnExcluir, btnCancelar})
    botoes_->addWidget(b);
  btnSalvar->hide();
  btnSalvar->setEnabled(false);
  btnCancelar->hide();
  btnCancelar->setEnabled(false);

  auto *l = new QVBoxLayout(this);
  l->setContentsMargins(6, 6, 6, 6);
  l->addWidget(lblTitulo);
  l->addWidget(pgcPrincipal, 1);
  l->addLayout(botoes_);

  connect(btnAlterar, &QPushButton::clicked, this, [this] { btnAlterarClick(); });
  connect(btnExcluir, &QPushButton::clicked, this, [this] { btnExcluirClick(); });
  connect(btnSalvar, &QPushButton::clicked, this, [this] { btnSalvarClick(); });
  connect(btnCancelar, &QPushButton::clicked, this, [this] { btnCancelarClick(); });
}

QPushButton *TFramePadrao::AdicionarBotao(const QString &nome, const QString &texto) {
  auto *b = new QPushButton(texto);
  b->setObjectName(nome);
  botoes_->insertWidget(1, b);
  return b;
}

QWidget *TFramePadrao::AdicionarPagina(const QString &nome, const QString &texto) {
  auto *p = new QWidget;
  p->setObjectName(nome);
  pgcPrincipal->addTab(p, texto);
  return p;
}

void TFramePadrao::LimparTela() {
  TCarga carga(this);
  for (QWidget *w : findChildren<QWidget *>()) {
    if (auto *v = qobject_cast<TEditValor *>(w))
      v->DefinirCentavos(0);
    else if (auto *e = qobject_cast<QLineEdit *>(w)) {
      if (!qobject_cast<QComboBox *>(e->parentWidget()))
        e->clear();
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
      c->setCurrentIndex(-1);
      if (c->isEditable())
        c->setEditText(QString());
    }
  }
  LimparMarcas();
}

void TFramePadrao::HabilitarEdicao(bool Habilitar) {
  emEdicao_ = !Habilitar;
  alterado_ = false;
  if (AoHabilitarJanela)
    AoHabilitarJanela(Habilitar);
  btnAlterar->setVisible(Habilitar);
  btnAlterar->setEnabled(Habilitar);
  btnExcluir->setVisible(Habilitar);
  btnExcluir->setEnabled(Habilitar);
  btnSalvar->setVisible(!Habilitar);
  btnSalvar->setEnabled(!Habilitar);
  btnCancelar->setVisible(!Habilitar);
  btnCancelar->setEnabled(!Habilitar);
  if (Habilitar)
    LimparMarcas();
}

bool TFramePadrao::PodeDescartar() {
  if (!Alterado())
    return true;
  return TUtilitarios::ExibirMensagem(PrefixoMensagem + QString::fromLatin1(MensagemDescartar),
                                      dtConfirmacao, 0, QString(), 1, mbYes | mbNo) == mrYes;
}

void TFramePadrao::btnAlterarClick() {
  if (ModoEdicao != meInclusao)
    ModoEdicao = meAlteracao;
  else
    LimparTela();
  HabilitarEdicao(false);
}

void TFramePadrao::btnCancelarClick() {
  if (!PodeDescartar())
    return;
  CancelarBase();
}

void TFramePadrao::SalvarBase() {
  ModoEdicao = meNenhuma;
  HabilitarEdicao(true);
}

void TFramePadrao::CancelarBase() {
  ModoEdicao = meNenhuma;
  HabilitarEdicao(true);
  if (AoRecarregar)
    AoRecarregar();
}

void TFramePadrao::Erro(const QString &codigo, QWidget *controle, int pagina,
                        const QStringList &args) {
  const QString chave = PrefixoMensagem + codigo;
  TUtilitarios::ExibirMensagem(chave, dtErro, 0, QString(), 2, mbOK, args);
  if (pagina >= 0 && pagina < pgcPrincipal->count())
    pgcPrincipal->setCurrentIndex(pagina);
  if (controle) {
    controle->setFocus(Qt::OtherFocusReason);
    MarcarErro(controle,
               TUtilitarios::MontarMensagem(chave, dtErro, QString(), 2, mbOK, args).Texto);
  }
}

bool TFramePadrao::Perguntar(const QString &codigo, const QStringList &args) {
  return TUtilitarios::ExibirMensagem(PrefixoMensagem + codigo, dtConfirmacao, 0, QString(), 0,
                                      mbYes | mbNo, args) == mrYes;
}

void TFramePadrao::Informar(const QString &codigo, const QStringList &args) {
  TUtilitarios::ExibirMensagem(PrefixoMensagem + codigo, dtInformacao, 0, QString(), 2, mbOK, args);
}

void TFramePadrao::MarcarErro(QWidget *controle, const QString &texto) {
  LimparMarcas();
  auto *r = new QLabel(texto, this);
  r->setObjectName(QStringLiteral("lblErro"));
  r->setWordWrap(true);
  r->setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; color: #a00000; "
                                  "border: 1px solid #c08000; padding: 2px; }"));
  r->setFocusPolicy(Qt::NoFocus);
  r->setAttribute(Qt::WA_TransparentForMouseEvents);
  controle->setProperty("erro", true);
  controle->setStyleSheet(QStringLiteral("border: 2px solid #c00000;"));
  controle->setToolTip(texto);
  marcas_.append({controle, r, texto});
  PosicionarMarcas();
  r->show();
  r->raise();
}

void TFramePadrao::LimparMarcas() {
  for (const TMarca &m : marcas_) {
    if (m.controle) {
      m.controle->setProperty("erro", false);
      m.controle->setStyleSheet(QString());
      m.controle->setToolTip(QString());
    }
    if (m.rotulo)
      m.rotulo->deleteLater();
  }
  marcas_.clear();
}

QStringList TFramePadrao::ControlesMarcados() const {
  QStringList r;
  for (const TMarca &m : marcas_)
    if (m.controle)
      r << m.controle->objectName();
  return r;
}

QString TFramePadrao::TextoMarca(QWidget *controle) const {
  for (const TMarca &m : marcas_)
    if (m.controle == controle)
      return m.texto;
  return QString();
}

void TFramePadrao::PosicionarMarcas() {
  // The edit controls of the frame, in frame coordinates, that a mark must
  // not cover.
  QList<QRect> ocupados;
  for (QWidget *w : findChildren<QWidget *>()) {
    if ((qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
         qobject_cast<QAbstractButton *>(w)) &&
        w->isVisibleTo(this) && !qobject_cast<QComboBox *>(w->parentWidget()))
      ocupados << QRect(w->mapTo(this, QPoint(0, 0)), w->size());
  }
  for (const TMarca &m : marcas_) {
    if (!m.controle || !m.rotulo)
      continue;
    m.rotulo->setFixedWidth(220);
    m.rotulo->adjustSize();
    const QRect c(m.controle->mapTo(this, QPoint(0, 0)), m.controle->size());
    const QSize t = m.rotulo->size();
    // Beside the control when that place is free, else under it, else above it.
    const QRect candidatos[] = {
        QRect(QPoint(c.right() + 4, c.top()), t),
        QRect(QPoint(c.left(), c.bottom() + 2), t),
        QRect(QPoint(c.left(), c.top() - t.height() - 2), t),
    };
    QRect escolhido = candidatos[1];
    for (const QRect &r : candidatos) {
      if (!rect().contains(r))
        continue;
      bool livre = true;
      for (const QRect &o : ocupados)
        livre = livre && (o == c || !o.intersects(r));
      if (livre) {
        escolhido = r;
        break;
      }
    }
    escolhido.moveLeft(qBound(0, escolhido.left(), qMax(0, width() - t.width())));
    m.rotulo->move(escolhido.topLeft());
  }
}

void TFramePadrao::resizeEvent(QResizeEvent *e) {
  QFrame::resizeEvent(e);
  PosicionarMarcas();
}

void TFramePadrao::PrepararControles() {
  for (QWidget *w : findChildren<QWidget *>()) {
    const bool edicao = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w);
    if (!edicao && !qobject_cast<QAbstractButton *>(w))
      continue;
    if (qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget()))
      continue;
    w->installEventFilter(this);
    if (!edicao)
      continue;
    AoAlterar(w, [this, w] {
      if (carregando_ > 0)
        return;
      if (emEdicao_)
        alterado_ = true;
      // A value that changes loses the mark of its refusal.
      for (int i = 0; i < marcas_.size(); ++i) {
        if (marcas_[i].controle == w) {
          if (marcas_[i].rotulo)
            marcas_[i].rotulo->deleteLater();
          w->setProperty("erro", false);
          w->setStyleSheet(QString());
          w->setToolTip(QString());
          marcas_.removeAt(i);
          break;
        }
      }
    });
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
      connect(e, &QLineEdit::textEdited, this, [this, e] {
        if (carregando_ == 0 && e->hasFocus() && ControleCompleto(e))
          if (QWidget *p = ProximoControle(this, e))
            p->setFocus(Qt::TabFocusReason);
      });
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
      connect(c, &QComboBox::activated, this, [this, c](int i) {
        if (i >= 0 && carregando_ == 0)
          if (QWidget *p = ProximoControle(this, c))
            p->setFocus(Qt::TabFocusReason);
      });
    }
  }
}

bool TFramePadrao::eventFilter(QObject *obj, QEvent *ev) {
  if (ev->type() == QEvent::KeyPress) {
    auto *k = static_cast<QKeyEvent *>(ev);
    auto *w = qobject_cast<QWidget *>(obj);
    if (k->key() == Qt::Key_Escape && emEdicao_) {
      if (AoEsc)
        AoEsc();
      else if (btnCancelar->isEnabled())
        btnCancelarClick();
      return true;
    }
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
        !(k->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
      if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (b->isEnabled())
          b->click();
        return true;
      }
      // Enter in a single-line field moves on like Tab; it never saves.
      if (QWidget *p = ProximoControle(this, w))
        p->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QFrame::eventFilter(obj, ev);
}
