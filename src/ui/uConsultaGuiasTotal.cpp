#include "uConsultaGuiasTotal.h"

#include "UnArvore.h"
#include "uGradeConsulta.h"
#include "uLocalizar.h"

#include "collection/unConsultaGuias.h"
#include "collection/unTGuiaEmpresa.h"
#include "collection/unTGuiaTrabalhador.h"
#include "core/unUtilitarios.h"
#include "reports/URel_Padrao_Recolhimento.h"
#include "reports/uRelGuiaTotalizadora.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// Company grid columns.
enum {
  ceMarca,
  ceQuitada,
  ceInscricao,
  ceRazao,
  ceVencimento,
  ceValor,
  ceCodigo,
  ceTipo,
  ceQuantidade,
  ceTotal
};
// Worker grid columns.
enum { ctMarca, ctPis, ctNome, ctAdmissao, ctValor, ctCategoria, ctCodigo, ctTotal };

using GradeConsulta::Item;
using GradeConsulta::Marca;
using GradeConsulta::Marcado;

QTableWidget *CriarGrade(const QStringList &titulos, QWidget *pai) {
  return GradeConsulta::Criar(titulos, pai);
}

// The settled flag drawn as an icon: a green check for a processed guide, a
// blue dot for a validated one.
QIcon IconeQuitada(bool processada) {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter pt(&p);
  pt.setRenderHint(QPainter::Antialiasing);
  if (processada) {
    QPen caneta(QColor(0, 140, 60), 2.5);
    pt.setPen(caneta);
    pt.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  } else {
    pt.setPen(Qt::NoPen);
    pt.setBrush(QColor(30, 90, 200));
    pt.drawEllipse(QRectF(4, 4, 8, 8));
  }
  return QIcon(p);
}

using GradeConsulta::Alternar;
} // namespace

TfrmConsultaGuiasTotal::TfrmConsultaGuiasTotal(const QString &Modo, QWidget *pai)
    : QDialog(pai), modo_(Modo) {
  setObjectName(QStringLiteral("frmConsultaGuiasTotal"));
  setWindowTitle(QStringLiteral("Consulta de Guias"));

  pgcGuias = new QTabWidget(this);
  auto *pagEmpresa = new QWidget;
  sgEmpresa =
      CriarGrade({QString(), QString(), QStringLiteral("Inscrição"), QStringLiteral("Razão Social"),
                  QStringLiteral("Vencimento"), QStringLiteral("Valor"),
                  QStringLiteral("CO_BARRAS"), QStringLiteral("Tipo"), QStringLiteral("Qtde")},
                 pagEmpresa);
  sgEmpresa->setObjectName(QStringLiteral("sgEmpresa"));
  for (int c : {ceCodigo, ceTipo, ceQuantidade})
    sgEmpresa->setColumnHidden(c, true);
  sgEmpresa->setColumnWidth(ceMarca, 28);
  sgEmpresa->setColumnWidth(ceQuitada, 28);
  sgEmpresa->setColumnWidth(ceInscricao, 150);
  sgEmpresa->setColumnWidth(ceRazao, 330);
  sgEmpresa->setColumnWidth(ceVencimento, 90);
  sgEmpresa->horizontalHeader()->setStretchLastSection(true);
  chkTodasEmpresas = new QCheckBox(QStringLiteral("&Selecionar Todas"), pagEmpresa);
  auto *le = new QVBoxLayout(pagEmpresa);
  le->addWidget(sgEmpresa);
  le->addWidget(chkTodasEmpresas);
  pgcGuias->addTab(pagEmpresa, QStringLiteral("&Empresa"));

  auto *pagTrab = new QWidget;
  lblInscricao = new QLabel(pagTrab);
  lblRazaoSocial = new QLabel(pagTrab);
  auto *cab = new QHBoxLayout;
  cab->addWidget(new QLabel(QStringLiteral("Inscrição:"), pagTrab));
  cab->addWidget(lblInscricao);
  cab->addSpacing(20);
  cab->addWidget(new QLabel(QStringLiteral("Razão Social:"), pagTrab));
  cab->addWidget(lblRazaoSocial, 1);
  sgTrabalhador = CriarGrade({QString(), QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                              QStringLiteral("Admissão"), QStringLiteral("Valor"),
                              QStringLiteral("Categoria"), QStringLiteral("CO_BARRAS")},
                             pagTrab);
  sgTrabalhador->setObjectName(QStringLiteral("sgTrabalhador"));
  sgTrabalhador->setColumnHidden(ctCategoria, true);
  sgTrabalhador->setColumnHidden(ctCodigo, true);
  sgTrabalhador->setColumnWidth(ctMarca, 28);
  sgTrabalhador->setColumnWidth(ctPis, 120);
  sgTrabalhador->setColumnWidth(ctNome, 330);
  sgTrabalhador->horizontalHeader()->setStretchLastSection(true);
  chkTodosTrabalhadores = new QCheckBox(QStringLiteral("&Selecionar Todos"), pagTrab);
  auto *lt = new QVBoxLayout(pagTrab);
  lt->addLayout(cab);
  lt->addWidget(sgTrabalhador);
  lt->addWidget(chkTodosTrabalhadores);
  pgcGuias->addTab(pagTrab, QStringLiteral("&Trabalhador"));

  btnLocalizar = new QPushButton(QStringLiteral("&Localizar"), this);
  btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnExcluir = new QPushButton(QStringLiteral("Excl&uir"), this);
  auto *btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(btnLocalizar);
  botoes->addStretch(1);
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnExcluir);
  botoes->addWidget(btnFechar);

  auto *l = new QVBoxLayout(this);
  l->addWidget(pgcGuias);
  l->addLayout(botoes);

  connect(pgcGuias, &QTabWidget::currentChanged, this, &TfrmConsultaGuiasTotal::pgcGuiasChange);
  connect(sgEmpresa->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TfrmConsultaGuiasTotal::OrdenarEmpresas);
  connect(sgTrabalhador->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TfrmConsultaGuiasTotal::OrdenarTrabalhadores);
  connect(sgEmpresa, &QTableWidget::cellDoubleClicked, this, [this](int linha) {
    // The double-clicked company alone becomes the checked one.
    Marcar(sgEmpresa, false);
    sgEmpresa->item(linha, ceMarca)->setCheckState(Qt::Checked);
    pgcGuias->setCurrentIndex(1);
  });
  connect(sgEmpresa, &QTableWidget::itemChanged, this, [this] { AtualizarBotoes(); });
  connect(sgTrabalhador, &QTableWidget::itemChanged, this, [this] { AtualizarBotoes(); });
  connect(chkTodasEmpresas, &QCheckBox::toggled, this, [this](bool v) { Marcar(sgEmpresa, v); });
  connect(chkTodosTrabalhadores, &QCheckBox::toggled, this,
          [this](bool v) { Marcar(sgTrabalhador, v); });
  connect(btnLocalizar, &QPushButton::clicked, this, &TfrmConsultaGuiasTotal::btnLocalizarClick);
  connect(btnImprimir, &QPushButton::clicked, this, &TfrmConsultaGuiasTotal::btnImprimirClick);
  connect(btnExcluir, &QPushButton::clicked, this, &TfrmConsultaGuiasTotal::btnExcluirClick);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  resize(820, 520);
  AtualizarBotoes();
}

void TfrmConsultaGuiasTotal::btnLocalizarClick() {
  // Companies by inscription or name, workers by PIS or name.
  if (pgcGuias->currentIndex() == 0)
    LocalizarNaGrade(sgEmpresa, LocalizarEmpresa(2, this),
                     {{QStringLiteral("INSCRICAO"), ceInscricao}, {QStringLiteral("RAZAO"), ceRazao}},
                     QStringLiteral("HX"));
  else
    LocalizarNaGrade(sgTrabalhador, LocalizarTrabalhador(this),
                     {{QStringLiteral("PIS/PASEP"), ctPis}, {QStringLiteral("NOME"), ctNome}},
                     QStringLiteral("HX"));
}

void TfrmConsultaGuiasTotal::Mostrar(TfrmConsultaGuiasTotal &janela) {
  if (Interceptar)
    Interceptar(janela);
  else
    janela.exec();
}

int TfrmConsultaGuiasTotal::CarregarGuias(const QString &Modo, const QString &Arquivo,
                                          bool ExigirProtocolo) {
  modo_ = Modo;
  arquivo_ = Arquivo;
  exigirProtocolo_ = ExigirProtocolo;
  TDataSetPtr ds = ConsultarGuiasEmpresa(Modo, Arquivo, ExigirProtocolo, ordemEmpresa_);
  const QSignalBlocker b(sgEmpresa);
  sgEmpresa->setRowCount(0);
  sgEmpresa->setRowCount(ds->RecordCount());
  static const QIcon processada = IconeQuitada(true), validada = IconeQuitada(false);
  int l = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++l) {
    const int tipo = ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_GUIA")).AsInteger();
    const qint64 insc = ds->FieldByName(QStringLiteral("NU_INSCRICAO_GUIA")).AsInt64();
    const bool quitada = !ds->FieldByName(QStringLiteral("DT_QUITACAO")).IsNull();
    const double total = ds->FieldByName(QStringLiteral("VALOR_TOTAL")).AsFloat();
    sgEmpresa->setItem(l, ceMarca, Marca());
    // The flag ("S"/"N") is drawn as its icon only; the letter stays in the data.
    auto *q = Item(QString(), Qt::AlignCenter);
    q->setData(Qt::UserRole, quitada ? QStringLiteral("S") : QStringLiteral("N"));
    q->setIcon(quitada ? processada : validada);
    q->setToolTip(quitada ? QStringLiteral("Guia Processada") : QStringLiteral("Guia Validada"));
    sgEmpresa->setItem(l, ceQuitada, q);
    sgEmpresa->setItem(
        l, ceInscricao,
        Item(tipo == 1 ? Utilitarios.FormatarCNPJ(QString::number(insc).rightJustified(14, u'0'))
                       : QString::number(insc)));
    sgEmpresa->setItem(
        l, ceRazao, Item(ds->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString().trimmed()));
    sgEmpresa->setItem(l, ceVencimento,
                       Item(Utilitarios.DataParaTexto(
                           ds->FieldByName(QStringLiteral("DT_RECOLHIMENTO")).AsDateTime())));
    auto *v = Item(Utilitarios.FormatarValor(total), Qt::AlignRight | Qt::AlignVCenter);
    v->setData(Qt::UserRole, total);
    sgEmpresa->setItem(l, ceValor, v);
    sgEmpresa->setItem(l, ceCodigo,
                       Item(ds->FieldByName(QStringLiteral("CO_BARRAS")).AsString().trimmed()));
    sgEmpresa->setItem(l, ceTipo, Item(QString::number(tipo)));
    sgEmpresa->setItem(
        l, ceQuantidade,
        Item(QString::number(ds->FieldByName(QStringLiteral("QTD_TRABALHADORES")).AsInteger())));
  }
  if (l > 0)
    sgEmpresa->selectRow(0);
  chkTodasEmpresas->setChecked(false);
  AtualizarBotoes();
  return l;
}

QStringList TfrmConsultaGuiasTotal::CodigosMarcados() const {
  QStringList r;
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (Marcado(sgEmpresa, l))
      r << sgEmpresa->item(l, ceCodigo)->text();
  return r;
}

int TfrmConsultaGuiasTotal::CarregarTrabalhadores() {
  int escolhida = -1;
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (Marcado(sgEmpresa, l))
      escolhida = l;
  if (escolhida < 0)
    return 0;
  const QString codigo = sgEmpresa->item(escolhida, ceCodigo)->text();
  if (codigo == codigoCarregado_)
    return sgTrabalhador->rowCount();
  lblInscricao->setText(sgEmpresa->item(escolhida, ceInscricao)->text());
  lblRazaoSocial->setText(sgEmpresa->item(escolhida, ceRazao)->text());
  TDataSetPtr ds = ConsultarTrabalhadoresGuia(codigo, ordemTrabalhador_);
  const QSignalBlocker b(sgTrabalhador);
  sgTrabalhador->setRowCount(0);
  sgTrabalhador->setRowCount(ds->RecordCount());
  int l = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++l) {
    const qint64 pis = ds->FieldByName(QStringLiteral("NU_PIS_GUIA")).AsInt64();
    const TDateTime adm = ds->FieldByName(QStringLiteral("DT_ADMISSAO_GUIA")).AsDateTime();
    sgTrabalhador->setItem(l, ctMarca, Marca());
    auto *p = Item(Utilitarios.FormatarPIS(QString::number(pis).rightJustified(11, u'0')));
    p->setData(Qt::UserRole, pis);
    sgTrabalhador->setItem(l, ctPis, p);
    sgTrabalhador->setItem(
        l, ctNome, Item(ds->FieldByName(QStringLiteral("NO_EMPREGADO")).AsString().trimmed()));
    auto *a = Item(Utilitarios.DataParaTexto(adm));
    a->setData(Qt::UserRole, adm);
    sgTrabalhador->setItem(l, ctAdmissao, a);
    sgTrabalhador->setItem(
        l, ctValor,
        Item(Utilitarios.FormatarValor(ds->FieldByName(QStringLiteral("VALOR_TOTAL")).AsFloat()),
             Qt::AlignRight | Qt::AlignVCenter));
    sgTrabalhador->setItem(
        l, ctCategoria,
        Item(QString::number(ds->FieldByName(QStringLiteral("NU_CATEGORIA_GUIA")).AsInteger())));
    sgTrabalhador->setItem(l, ctCodigo, Item(codigo));
  }
  codigoCarregado_ = l > 0 ? codigo : QString();
  chkTodosTrabalhadores->setChecked(false);
  if (l > 0)
    sgTrabalhador->selectRow(0);
  return l;
}

void TfrmConsultaGuiasTotal::pgcGuiasChange(int pagina) {
  if (mudandoPagina_)
    return;
  if (pagina == 1) {
    int marcadas = 0;
    for (int l = 0; l < sgEmpresa->rowCount(); ++l)
      marcadas += Marcado(sgEmpresa, l) ? 1 : 0;
    bool volta = false;
    if (marcadas != 1) {
      volta = true;
      Utilitarios.Mensagem(QStringLiteral("HX0229"), dtInformacao);
    } else if (CarregarTrabalhadores() == 0) {
      volta = true;
    }
    if (volta) {
      mudandoPagina_ = true;
      pgcGuias->setCurrentIndex(0);
      mudandoPagina_ = false;
      pagina = 0;
    }
  }
  (pagina == 0 ? sgEmpresa : sgTrabalhador)->setFocus();
  AtualizarBotoes();
}

void TfrmConsultaGuiasTotal::Marcar(QTableWidget *grade, bool marcado) {
  {
    const QSignalBlocker b(grade);
    for (int l = 0; l < grade->rowCount(); ++l)
      grade->item(l, 0)->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
  }
  grade->viewport()->update();
  AtualizarBotoes();
}

void TfrmConsultaGuiasTotal::AtualizarBotoes() {
  const bool empresa = pgcGuias->currentIndex() == 0;
  const bool algumaEmpresa = !CodigosMarcados().isEmpty();
  bool algumTrabalhador = chkTodosTrabalhadores->isChecked();
  for (int l = 0; !algumTrabalhador && l < sgTrabalhador->rowCount(); ++l)
    algumTrabalhador = Marcado(sgTrabalhador, l);
  btnExcluir->setEnabled(empresa && algumaEmpresa);
  btnImprimir->setEnabled(empresa ? algumaEmpresa : algumTrabalhador);
}

void TfrmConsultaGuiasTotal::OrdenarEmpresas(int coluna) {
  const QString campo = coluna == ceInscricao ? QStringLiteral("NU_INSCRICAO_GUIA")
                        : coluna == ceRazao   ? QStringLiteral("NO_RAZAO_SOCIAL")
                                              : QString();
  if (campo.isEmpty())
    return;
  const QStringList marcadas = CodigosMarcados();
  ordemEmpresa_ = Alternar(ordemEmpresa_, campo);
  CarregarGuias(modo_, arquivo_, exigirProtocolo_);
  // The checks survive a new order.
  const QSignalBlocker b(sgEmpresa);
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (marcadas.contains(sgEmpresa->item(l, ceCodigo)->text()))
      sgEmpresa->item(l, ceMarca)->setCheckState(Qt::Checked);
  AtualizarBotoes();
}

void TfrmConsultaGuiasTotal::OrdenarTrabalhadores(int coluna) {
  const QString campo = coluna == ctPis        ? QStringLiteral("NU_PIS_GUIA")
                        : coluna == ctNome     ? QStringLiteral("NO_EMPREGADO")
                        : coluna == ctAdmissao ? QStringLiteral("DT_ADMISSAO_GUIA")
                                               : QString();
  if (campo.isEmpty())
    return;
  QStringList marcados;
  for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
    if (Marcado(sgTrabalhador, l))
      marcados << sgTrabalhador->item(l, ctPis)->text() +
                      sgTrabalhador->item(l, ctAdmissao)->text() +
                      sgTrabalhador->item(l, ctCategoria)->text();
  ordemTrabalhador_ = Alternar(ordemTrabalhador_, campo);
  const bool todos = chkTodosTrabalhadores->isChecked();
  codigoCarregado_.clear();
  CarregarTrabalhadores();
  const QSignalBlocker b(sgTrabalhador);
  for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
    if (todos || marcados.contains(sgTrabalhador->item(l, ctPis)->text() +
                                   sgTrabalhador->item(l, ctAdmissao)->text() +
                                   sgTrabalhador->item(l, ctCategoria)->text()))
      sgTrabalhador->item(l, ctMarca)->setCheckState(Qt::Checked);
  {
    const QSignalBlocker bc(chkTodosTrabalhadores);
    chkTodosTrabalhadores->setChecked(todos);
  }
  AtualizarBotoes();
}

void TfrmConsultaGuiasTotal::btnImprimirClick() {
  if (pgcGuias->currentIndex() == 0) {
    TListaDadoEmpresa lista;
    for (int l = 0; l < sgEmpresa->rowCount(); ++l)
      if (Marcado(sgEmpresa, l)) {
        TDadoEmpresa d;
        d.CodigoBarras = sgEmpresa->item(l, ceCodigo)->text();
        d.TotalRecolher = sgEmpresa->item(l, ceValor)->data(Qt::UserRole).toDouble();
        d.QuantidadeTrabalhadores = sgEmpresa->item(l, ceQuantidade)->text().toInt();
        lista << d;
      }
    if (lista.isEmpty())
      return;
    TRelGuiaTotalizadora rel;
    if (!rel.ImprimirGuias(lista, ordemEmpresa_, this))
      Utilitarios.Mensagem(QStringLiteral("HX0144"), dtErro);
    return;
  }
  QStringList chaves;
  if (!chkTodosTrabalhadores->isChecked())
    for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
      if (Marcado(sgTrabalhador, l))
        chaves << TGuiaTrabalhador::Chave(
            sgTrabalhador->item(l, ctPis)->data(Qt::UserRole).toLongLong(),
            sgTrabalhador->item(l, ctAdmissao)->data(Qt::UserRole).toDouble(),
            sgTrabalhador->item(l, ctCategoria)->text().toInt());
  if (!chkTodosTrabalhadores->isChecked() && chaves.isEmpty())
    return;
  TREL_Padrao_Recolhimento rel;
  if (!rel.ImprimirComprovante(codigoCarregado_, chaves, nullptr, ordemTrabalhador_, this))
    Utilitarios.Mensagem(QStringLiteral("HX0144"), dtErro);
}

void TfrmConsultaGuiasTotal::btnExcluirClick() {
  const QStringList codigos = CodigosMarcados();
  if (codigos.isEmpty() || pgcGuias->currentIndex() != 0)
    return;
  if (Utilitarios.ExibirMensagem(QStringLiteral("HX0430"), dtConfirmacao, 0, QString(), 1,
                                 mbYes | mbNo) != mrYes)
    return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TGuiaEmpresa guia;
  const bool ok = guia.ExcluirCodigos(codigos);
  QApplication::restoreOverrideCursor();
  if (!ok) {
    Utilitarios.Mensagem(QStringLiteral("HX0144"), dtErro);
    return;
  }
  AtualizarArvore(guia.VinculosReabertos);
  if (codigos.contains(codigoCarregado_)) {
    codigoCarregado_.clear();
    sgTrabalhador->setRowCount(0);
  }
  CarregarGuias(modo_, arquivo_, exigirProtocolo_);
}

void TfrmConsultaGuiasTotal::AtualizarArvore(const QList<TChaveVinculo> &vinculos) {
  if (!Arvore.Visual || vinculos.isEmpty())
    return;
  TNo selecionado = Arvore.Visual->Selecionado();
  QList<TNo> empresas;
  for (const TChaveVinculo &k : vinculos) {
    if (!Arvore.LocalizarVinculo(k.Tipo, k.Inscricao, k.PIS, k.Categoria, k.Admissao, u'F'))
      continue;
    Arvore.Nos[Arvore.Indice].Estado = 2;
    Arvore.Visual->DefinirImagem(Arvore.Atual.No, imgVinculoFechado);
    if (Arvore.LocalizarEmpresa(k.Inscricao) && !empresas.contains(Arvore.Atual.No))
      empresas << Arvore.Atual.No;
  }
  for (TNo e : empresas)
    Arvore.AtualizarImagemEmpresa(e);
  if (selecionado)
    Arvore.SelecionarNo(selecionado);
}
