#include "uSobre.h"

#include "core/unGlobal.h"
#include "core/unUtilitarios.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

TfrmSobre::TfrmSobre(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSobre"));
  setWindowTitle(QStringLiteral("Sobre o VESK"));
  auto *produto = new QLabel(QString::fromUtf8(NomeProduto));
  QFont f = produto->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.6);
  produto->setFont(f);
  lblVersao = new QLabel(QStringLiteral("Versão ") + Utilitarios.VersaoSistema(true));
  lblVersao->setObjectName(QStringLiteral("lblVersao"));
  auto *titulo = new QLabel(QStringLiteral("Tabela de Índices do ZELT - Vigência:"));
  lblVigencia = new QLabel(Utilitarios.PeriodoProrata(true));
  lblVigencia->setObjectName(QStringLiteral("lblVigencia"));
  // An installed copy keeps the data in the user's folder, a portable one
  // beside the program: the user needs to know which, to find or back it up.
  auto *tituloPasta = new QLabel(QStringLiteral("Pasta de dados:"));
  lblPasta = new QLabel(QDir::toNativeSeparators(PastaPrograma()));
  lblPasta->setObjectName(QStringLiteral("lblPasta"));
  lblPasta->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto *botoes = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto *l = new QVBoxLayout(this);
  l->addWidget(produto);
  l->addWidget(lblVersao);
  l->addSpacing(12);
  l->addWidget(titulo);
  l->addWidget(lblVigencia);
  l->addSpacing(12);
  l->addWidget(tituloPasta);
  l->addWidget(lblPasta);
  l->addSpacing(12);
  l->addWidget(botoes);
  setMinimumWidth(360);
}
