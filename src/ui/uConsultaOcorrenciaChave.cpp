#include "uConsultaOcorrenciaChave.h"

#include "uGradeConsulta.h"
#include "uIcones.h"
#include "uLocalizar.h"

#include "core/unUtilitarios.h"
#include "reports/uRelOcorrenciaChave.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum { crMarca, crEstado, crInscricao, crRazao, crData, crIdentificador, crCodigoEstado };
enum { ceMarca, ceInscricao, ceRazao, ceGuia, ceIdentificador, ceLinha };
enum { ctMarca, ctPis, ctNome, ctAdmissao, ctCategoria, ctLinha };

using GradeConsulta::Item;
using GradeConsulta::Marca;
using GradeConsulta::Marcado;

QTableWidget *CriarGrade(const QStringList &titulos, const char *nome, QWidget *pai) {
  QTableWidget *g = GradeConsulta::Criar(titulos, pai);
  g->setObjectName(QLatin1String(nome));
  g->horizontalHeader()->setStretchLastSection(true);
  g->setColumnWidth(0, 28);
  return g;
}

QString Inscricao(int tipo, qint64 numero) {
  return tipo == 1 ? TUtilitarios::FormatarCNPJ(QString::number(numero).rightJustified(14, u'0'))
                   : QString::number(numero).rightJustified(12, u'0');
}

using GradeConsulta::Alternar;

QGroupBox *Quadro(const QString &titulo, QLabel *rotulo, QWidget *pai) {
  auto *q = new QGroupBox(titulo, pai);
  auto *l = new QHBoxLayout(q);
  l->addWidget(rotulo, 1);
  return q;
}
} // namespace

TfrmConsultaOcorrenciaChaveIdentificacao::TfrmConsultaOcorrenciaChaveIdentificacao(QWidget *pai)
    : QDialog(pai), cargas_(std::make_unique<TResponsavelHmlgo>()) {
  setObjectName(QStringLiteral("frmConsultaOcorrenciaChaveIdentificacao"));
  setWindowTitle(QStringLiteral("Consulta Ocorrência Chave Identificação"));
  pgcConsulta = new QTabWidget(this);

  auto *pagResp = new QWidget;
  sgResponsavel = CriarGrade({QString(), QString(), QStringLiteral("Inscrição"),
                              QStringLiteral("Razão Social"), QStringLiteral("Data Recebimento"),
                              QStringLiteral("Identificador"), QStringLiteral("Estado")},
                             "sgResponsavel", pagResp);
  sgResponsavel->setColumnWidth(crEstado, 28);
  sgResponsavel->setColumnWidth(crInscricao, 150);
  sgResponsavel->setColumnWidth(crRazao, 360);
  sgResponsavel->setColumnHidden(crIdentificador, true);
  sgResponsavel->setColumnHidden(crCodigoEstado, true);
  chkTodasCargas = new QCheckBox(QStringLiteral("&Selecionar Todas"), pagResp);
  auto *lr = new QVBoxLayout(pagResp);
  lr->addWidget(chkTodasCargas);
  lr->addWidget(sgResponsavel);
  pgcConsulta->addTab(pagResp, QStringLiteral("Responsável"));

  auto *pagEmp = new QWidget;
  lblResponsavel = new QLabel(pagEmp);
  sgEmpresa = CriarGrade({QString(), QStringLiteral("Inscrição"), QStringLiteral("Razão Social"),
                          QStringLiteral("Identificador"), QStringLiteral("Carga"),
                          QStringLiteral("Linha")},
                         "sgEmpresa", pagEmp);
  sgEmpresa->setColumnWidth(ceInscricao, 150);
  sgEmpresa->setColumnWidth(ceRazao, 330);
  sgEmpresa->setColumnHidden(ceIdentificador, true);
  sgEmpresa->setColumnHidden(ceLinha, true);
  chkTodasEmpresas = new QCheckBox(QStringLiteral("&Selecionar Todas"), pagEmp);
  auto *le = new QVBoxLayout(pagEmp);
  le->addWidget(Quadro(QStringLiteral(" Dados do Responsável"), lblResponsavel, pagEmp));
  le->addWidget(chkTodasEmpresas);
  le->addWidget(sgEmpresa);
  pgcConsulta->addTab(pagEmp, QStringLiteral("Empresa"));

  auto *pagTrab = new QWidget;
  lblEmpresa = new QLabel(pagTrab);
  lblResponsavelTrab = new QLabel(pagTrab);
  sgTrabalhador =
      CriarGrade({QString(), QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                  QStringLiteral("Admissão"), QStringLiteral("Categoria"), QStringLiteral("Linha")},
                 "sgTrabalhador", pagTrab);
  sgTrabalhador->setColumnWidth(ctPis, 120);
  sgTrabalhador->setColumnWidth(ctNome, 330);
  sgTrabalhador->setColumnHidden(ctLinha, true);
  chkTodosTrabalhadores = new QCheckBox(QStringLiteral("&Selecionar Todos"), pagTrab);
  auto *lt = new QVBoxLayout(pagTrab);
  lt->addWidget(Quadro(QStringLiteral(" Dados da Empresa "), lblEmpresa, pagTrab));
  lt->addWidget(Quadro(QStringLiteral(" Dados do Responsável"), lblResponsavelTrab, pagTrab));
  lt->addWidget(chkTodosTrabalhadores);
  lt->addWidget(sgTrabalhador);
  pgcConsulta->addTab(pagTrab, QStringLiteral("Trabalhador"));

  btnLocalizar = new QPushButton(IconeComando(QStringLiteral("localizar")),
                                 QStringLiteral("&Localizar"), this);
  btnLocalizar->setEnabled(false); // not on the loads' tab
  btnExcluir =
      new QPushButton(IconeComando(QStringLiteral("excluir")), QStringLiteral("Excl&uir"), this);
  btnImprimir =
      new QPushButton(IconeComando(QStringLiteral("imprimir")), QStringLiteral("&Imprimir"), this);
  btnFechar =
      new QPushButton(IconeComando(QStringLiteral("sair")), QStringLiteral("&Fechar"), this);
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(btnLocalizar);
  botoes->addStretch(1);
  botoes->addWidget(btnExcluir);
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pgcConsulta);
  l->addLayout(botoes);

  connect(pgcConsulta, &QTabWidget::currentChanged, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::pgcConsultaChange);
  connect(btnLocalizar, &QPushButton::clicked, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::btnLocalizarClick);
  const auto proxima = [this](QTableWidget *grade, int pagina) {
    return [this, grade, pagina](int linha) {
      Marcar(grade, false);
      grade->item(linha, 0)->setCheckState(Qt::Checked);
      pgcConsulta->setCurrentIndex(pagina);
    };
  };
  connect(sgResponsavel, &QTableWidget::cellDoubleClicked, this, proxima(sgResponsavel, 1));
  connect(sgEmpresa, &QTableWidget::cellDoubleClicked, this, proxima(sgEmpresa, 2));
  for (QTableWidget *g : {sgResponsavel, sgEmpresa, sgTrabalhador}) {
    connect(g, &QTableWidget::itemChanged, this, [this] { AtualizarBotoes(); });
    g->installEventFilter(this);
  }
  connect(chkTodasCargas, &QCheckBox::toggled, this, [this](bool v) { Marcar(sgResponsavel, v); });
  connect(chkTodasEmpresas, &QCheckBox::toggled, this, [this](bool v) { Marcar(sgEmpresa, v); });
  connect(chkTodosTrabalhadores, &QCheckBox::toggled, this,
          [this](bool v) { Marcar(sgTrabalhador, v); });
  connect(sgEmpresa->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::OrdenarEmpresas);
  connect(sgTrabalhador->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::OrdenarTrabalhadores);
  connect(btnExcluir, &QPushButton::clicked, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::btnExcluirClick);
  connect(btnImprimir, &QPushButton::clicked, this,
          &TfrmConsultaOcorrenciaChaveIdentificacao::btnImprimirClick);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  resize(820, 540);
  CarregarCargas();
}

TfrmConsultaOcorrenciaChaveIdentificacao::~TfrmConsultaOcorrenciaChaveIdentificacao() = default;

bool TfrmConsultaOcorrenciaChaveIdentificacao::eventFilter(QObject *objeto, QEvent *evento) {
  auto *grade = qobject_cast<QTableWidget *>(objeto);
  if (grade && evento->type() == QEvent::KeyPress) {
    const int tecla = static_cast<QKeyEvent *>(evento)->key();
    const int linha = grade->currentRow();
    if (linha >= 0 && tecla == Qt::Key_Space) {
      QTableWidgetItem *marca = grade->item(linha, 0);
      marca->setCheckState(marca->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
      return true;
    }
    if (linha >= 0 && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) &&
        grade != sgTrabalhador) {
      emit grade->cellDoubleClicked(linha, 0);
      return true;
    }
  }
  return QDialog::eventFilter(objeto, evento);
}

bool TfrmConsultaOcorrenciaChaveIdentificacao::Abrir(QWidget *pai) {
  {
    TResponsavelHmlgo r;
    r.CarregarTodos();
    if (r.QuantidadeRegistros() == 0) {
      TUtilitarios::Mensagem(QStringLiteral("RE0087"), dtInformacao);
      return false;
    }
  }
  TfrmConsultaOcorrenciaChaveIdentificacao janela(pai);
  if (Interceptar)
    Interceptar(janela);
  else
    janela.exec();
  return true;
}

QList<int> TfrmConsultaOcorrenciaChaveIdentificacao::Marcadas(const QTableWidget *grade) const {
  QList<int> r;
  for (int l = 0; l < grade->rowCount(); ++l)
    if (Marcado(grade, l))
      r << l;
  return r;
}

int TfrmConsultaOcorrenciaChaveIdentificacao::CarregarCargas() {
  cargas_->CarregarTodos();
  TDataSet *ds = cargas_->ObterDataSet();
  const QSignalBlocker b(sgResponsavel);
  sgResponsavel->setRowCount(0);
  sgResponsavel->setRowCount(ds->RecordCount());
  int l = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++l) {
    const QString estado = ds->FieldByName(QStringLiteral("IC_ESTADO_HMLGO")).AsString().trimmed();
    sgResponsavel->setItem(l, crMarca, Marca());
    auto *e = Item(QString());
    if (estado == QStringLiteral("1"))
      e->setIcon(IconeArvore(imgOcorrenciaAcatada));
    else if (estado == QStringLiteral("2"))
      e->setIcon(IconeArvore(imgOcorrenciaRejeitada));
    e->setToolTip(TResponsavelHmlgo::DescricaoEstado(estado));
    sgResponsavel->setItem(l, crEstado, e);
    sgResponsavel->setItem(
        l, crInscricao,
        Item(Inscricao(
            ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_RESPONSA")).AsInteger(),
            TUtilitarios::ParaInteiro64(
                ds->FieldByName(QStringLiteral("NU_INSCRICAO_RESPONSAVEL")).AsString()))));
    sgResponsavel->setItem(l, crRazao,
                           Item(ds->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString()));
    sgResponsavel->setItem(
        l, crData,
        Item(TUtilitarios::DataParaTexto(
            ds->FieldByName(QStringLiteral("TS_RETORNO_ARQUIVO")).AsDateTime())));
    sgResponsavel->setItem(
        l, crIdentificador,
        Item(ds->FieldByName(QStringLiteral("NU_IDENTIFICADOR_ARQUIVO")).AsString().trimmed()));
    sgResponsavel->setItem(l, crCodigoEstado, Item(estado));
  }
  if (l > 0)
    sgResponsavel->selectRow(0);
  {
    const QSignalBlocker bc(chkTodasCargas);
    chkTodasCargas->setChecked(false);
  }
  AtualizarBotoes();
  return l;
}

int TfrmConsultaOcorrenciaChaveIdentificacao::CarregarEmpresas(bool forcar) {
  const QList<int> marcadas = Marcadas(sgResponsavel);
  if (marcadas.size() != 1)
    return 0;
  const int linhaCarga = marcadas.first();
  const QString id = sgResponsavel->item(linhaCarga, crIdentificador)->text();
  if (id == cargaMostrada_ && !forcar)
    return sgEmpresa->rowCount();
  lblResponsavel->setText(sgResponsavel->item(linhaCarga, crInscricao)->text() +
                          QStringLiteral(" - ") + sgResponsavel->item(linhaCarga, crRazao)->text());
  TEmpresaHmlgo empresas;
  empresas.AbrirDataSet(empresas.SqlSelect + empresas.SqlFrom +
                        QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
                        TUtilitarios::TextoSQL(id) + QStringLiteral(" ORDER BY ") + ordemEmpresa_ +
                        QStringLiteral(", EMP.NU_LINHA_ARQUIVO_EMPRESA"));
  TDataSet *ds = empresas.ObterDataSet();
  const QSignalBlocker b(sgEmpresa);
  sgEmpresa->setRowCount(0);
  sgEmpresa->setRowCount(ds->RecordCount());
  int l = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++l) {
    sgEmpresa->setItem(l, ceMarca, Marca());
    sgEmpresa->setItem(
        l, ceInscricao,
        Item(Inscricao(ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_EMPRESA")).AsInteger(),
                       TUtilitarios::ParaInteiro64(
                           ds->FieldByName(QStringLiteral("NU_INSCRICAO_EMPRESA")).AsString()))));
    sgEmpresa->setItem(l, ceRazao,
                       Item(ds->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString()));
    sgEmpresa->setItem(
        l, ceGuia,
        Item(ds->FieldByName(QStringLiteral("NU_IDENTIFICADOR_GUIA")).AsString().trimmed()));
    sgEmpresa->setItem(l, ceIdentificador, Item(id));
    sgEmpresa->setItem(
        l, ceLinha,
        Item(QString::number(
            ds->FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPRESA")).AsInteger())));
  }
  cargaMostrada_ = id;
  empresaMostrada_ = -1;
  sgTrabalhador->setRowCount(0);
  if (l > 0)
    sgEmpresa->selectRow(0);
  {
    const QSignalBlocker bc(chkTodasEmpresas);
    chkTodasEmpresas->setChecked(false);
  }
  return l;
}

int TfrmConsultaOcorrenciaChaveIdentificacao::CarregarTrabalhadores(bool forcar) {
  const QList<int> marcadas = Marcadas(sgEmpresa);
  if (marcadas.size() != 1)
    return 0;
  const int linhaEmpresa = marcadas.first();
  const int linha = sgEmpresa->item(linhaEmpresa, ceLinha)->text().toInt();
  if (linha == empresaMostrada_ && !forcar)
    return sgTrabalhador->rowCount();
  lblEmpresa->setText(sgEmpresa->item(linhaEmpresa, ceInscricao)->text() + QStringLiteral(" - ") +
                      sgEmpresa->item(linhaEmpresa, ceRazao)->text());
  lblResponsavelTrab->setText(lblResponsavel->text());
  TEmpregadoHmlgo trab;
  trab.AbrirDataSet(
      trab.SqlSelect + trab.SqlFrom + QStringLiteral(" WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
      TUtilitarios::TextoSQL(cargaMostrada_) + QStringLiteral(" AND NU_LINHA_ARQUIVO_EMPRESA = ") +
      QString::number(linha) + QStringLiteral(" ORDER BY ") + ordemTrabalhador_ +
      QStringLiteral(", TRAB.NU_LINHA_ARQUIVO_EMPREGADO"));
  TDataSet *ds = trab.ObterDataSet();
  const QSignalBlocker b(sgTrabalhador);
  sgTrabalhador->setRowCount(0);
  sgTrabalhador->setRowCount(ds->RecordCount());
  int l = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++l) {
    sgTrabalhador->setItem(l, ctMarca, Marca());
    sgTrabalhador->setItem(l, ctPis,
                           Item(TUtilitarios::FormatarPIS(ds->FieldByName(QStringLiteral("NU_PIS"))
                                                              .AsString()
                                                              .trimmed()
                                                              .rightJustified(11, u'0'))));
    sgTrabalhador->setItem(
        l, ctNome, Item(ds->FieldByName(QStringLiteral("NO_EMPREGADO")).AsString().trimmed()));
    sgTrabalhador->setItem(l, ctAdmissao,
                           Item(TUtilitarios::DataParaTexto(
                               ds->FieldByName(QStringLiteral("DT_ADMISSAO")).AsDateTime())));
    sgTrabalhador->setItem(
        l, ctCategoria,
        Item(QString::number(ds->FieldByName(QStringLiteral("NU_CATEGORIA")).AsInteger())
                 .rightJustified(2, u'0')));
    sgTrabalhador->setItem(
        l, ctLinha,
        Item(QString::number(
            ds->FieldByName(QStringLiteral("NU_LINHA_ARQUIVO_EMPREGADO")).AsInteger())));
  }
  empresaMostrada_ = linha;
  if (l > 0)
    sgTrabalhador->selectRow(0);
  {
    const QSignalBlocker bc(chkTodosTrabalhadores);
    chkTodosTrabalhadores->setChecked(false);
  }
  return l;
}

void TfrmConsultaOcorrenciaChaveIdentificacao::IrPara(int pagina) {
  mudandoPagina_ = true;
  pgcConsulta->setCurrentIndex(pagina);
  mudandoPagina_ = false;
  paginaAnterior_ = pagina;
  QTableWidget *g = pagina == 0 ? sgResponsavel : pagina == 1 ? sgEmpresa : sgTrabalhador;
  g->setFocus();
  AtualizarBotoes();
}

void TfrmConsultaOcorrenciaChaveIdentificacao::pgcConsultaChange(int pagina) {
  if (mudandoPagina_)
    return;
  // Each page shows what the one checked row of the page before it holds.
  bool volta = false;
  if (pagina >= 1 && Marcadas(sgResponsavel).size() != 1)
    volta = true;
  else if (pagina >= 1)
    CarregarEmpresas();
  if (!volta && pagina == 2 && Marcadas(sgEmpresa).size() != 1)
    volta = true;
  else if (!volta && pagina == 2)
    CarregarTrabalhadores();
  if (volta) {
    TUtilitarios::Mensagem(QStringLiteral("HX0229"), dtInformacao);
    IrPara(paginaAnterior_);
    return;
  }
  IrPara(pagina);
}

void TfrmConsultaOcorrenciaChaveIdentificacao::Marcar(QTableWidget *grade, bool marcado) {
  {
    const QSignalBlocker b(grade);
    for (int l = 0; l < grade->rowCount(); ++l)
      grade->item(l, 0)->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
  }
  grade->viewport()->update();
  AtualizarBotoes();
}

void TfrmConsultaOcorrenciaChaveIdentificacao::AtualizarBotoes() {
  const int pagina = pgcConsulta->currentIndex();
  btnLocalizar->setEnabled(pagina != 0);
  switch (pagina) {
  case 0:
    btnExcluir->setEnabled(sgResponsavel->rowCount() > 0);
    btnImprimir->setEnabled(Marcadas(sgResponsavel).size() == 1);
    break;
  case 1:
    btnExcluir->setEnabled(sgEmpresa->rowCount() > 0);
    btnImprimir->setEnabled(!Marcadas(sgEmpresa).isEmpty());
    break;
  default:
    btnExcluir->setEnabled(false);
    btnImprimir->setEnabled(!Marcadas(sgTrabalhador).isEmpty());
  }
}

void TfrmConsultaOcorrenciaChaveIdentificacao::OrdenarEmpresas(int coluna) {
  const QString campo = coluna == ceInscricao ? QStringLiteral("EMP.NU_INSCRICAO_EMPRESA")
                        : coluna == ceRazao   ? QStringLiteral("EMP.NO_RAZAO_SOCIAL")
                        : coluna == ceGuia    ? QStringLiteral("EMP.NU_IDENTIFICADOR_GUIA")
                                              : QString();
  if (campo.isEmpty())
    return;
  QList<int> linhas;
  for (int l : Marcadas(sgEmpresa))
    linhas << sgEmpresa->item(l, ceLinha)->text().toInt();
  ordemEmpresa_ = Alternar(ordemEmpresa_, campo);
  const int mostrada = empresaMostrada_;
  CarregarEmpresas(true);
  empresaMostrada_ = mostrada; // the worker page still shows the same company
  const QSignalBlocker b(sgEmpresa);
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (linhas.contains(sgEmpresa->item(l, ceLinha)->text().toInt()))
      sgEmpresa->item(l, ceMarca)->setCheckState(Qt::Checked);
  AtualizarBotoes();
}

void TfrmConsultaOcorrenciaChaveIdentificacao::OrdenarTrabalhadores(int coluna) {
  const QString campo = coluna == ctPis         ? QStringLiteral("TRAB.NU_PIS")
                        : coluna == ctNome      ? QStringLiteral("TRAB.NO_EMPREGADO")
                        : coluna == ctAdmissao  ? QStringLiteral("TRAB.DT_ADMISSAO")
                        : coluna == ctCategoria ? QStringLiteral("TRAB.NU_CATEGORIA")
                                                : QString();
  if (campo.isEmpty())
    return;
  QList<int> linhas;
  for (int l : Marcadas(sgTrabalhador))
    linhas << sgTrabalhador->item(l, ctLinha)->text().toInt();
  ordemTrabalhador_ = Alternar(ordemTrabalhador_, campo);
  const bool todos = chkTodosTrabalhadores->isChecked();
  CarregarTrabalhadores(true);
  const QSignalBlocker b(sgTrabalhador);
  for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
    if (todos || linhas.contains(sgTrabalhador->item(l, ctLinha)->text().toInt()))
      sgTrabalhador->item(l, ctMarca)->setCheckState(Qt::Checked);
  {
    const QSignalBlocker bc(chkTodosTrabalhadores);
    chkTodosTrabalhadores->setChecked(todos);
  }
  AtualizarBotoes();
}

void TfrmConsultaOcorrenciaChaveIdentificacao::btnExcluirClick() {
  const int pagina = pgcConsulta->currentIndex();
  if (pagina == 2)
    return;
  QTableWidget *grade = pagina == 0 ? sgResponsavel : sgEmpresa;
  QList<int> linhas = Marcadas(grade);
  if (linhas.isEmpty() && grade->currentRow() >= 0)
    linhas << grade->currentRow(); // nothing checked: the row under the cursor
  if (linhas.isEmpty())
    return;
  if (TUtilitarios::ExibirMensagem(QStringLiteral("HX0036"), dtConfirmacao, 0, QString(), 1,
                                   mbYes | mbNo) != mrYes)
    return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = true;
  bool cargaExcluida = pagina == 0;
  IbxUtils->IniciarTransacao();
  try {
    TResponsavelHmlgo carga;
    if (pagina == 0) {
      for (int l : linhas)
        carga.Excluir(sgResponsavel->item(l, crIdentificador)->text());
    } else if (chkTodasEmpresas->isChecked()) {
      carga.Excluir(cargaMostrada_);
      cargaExcluida = true;
    } else {
      TEmpresaHmlgo empresa;
      empresa.NU_IDENTIFICADOR_ARQUIVO = cargaMostrada_;
      for (int l : linhas)
        empresa.Excluir(sgEmpresa->item(l, ceLinha)->text().toInt());
    }
    IbxUtils->ConfirmarTransacao();
  } catch (const std::exception &) {
    ok = false;
    try {
      IbxUtils->DesfazerTransacao();
    } catch (...) {
    }
  }
  QApplication::restoreOverrideCursor();
  if (!ok) {
    TUtilitarios::Mensagem(QStringLiteral("HX0144"), dtErro);
    return;
  }
  const QString carga = cargaMostrada_;
  if (CarregarCargas() == 0) {
    accept(); // nothing left to show
    return;
  }
  cargaMostrada_.clear();
  empresaMostrada_ = -1;
  sgEmpresa->setRowCount(0);
  sgTrabalhador->setRowCount(0);
  if (cargaExcluida) {
    IrPara(0);
    return;
  }
  // The companies left of the same load, with that load checked again.
  {
    const QSignalBlocker b(sgResponsavel);
    for (int l = 0; l < sgResponsavel->rowCount(); ++l)
      if (sgResponsavel->item(l, crIdentificador)->text() == carga)
        sgResponsavel->item(l, crMarca)->setCheckState(Qt::Checked);
  }
  CarregarEmpresas(true);
  IrPara(1);
}

void TfrmConsultaOcorrenciaChaveIdentificacao::btnImprimirClick() {
  TSelecaoOcorrenciaChave s;
  s.OrdemEmpresa = ordemEmpresa_;
  s.OrdemTrabalhador = ordemTrabalhador_;
  const int pagina = pgcConsulta->currentIndex();
  if (pagina == 0) {
    const QList<int> l = Marcadas(sgResponsavel);
    if (l.size() != 1)
      return;
    s.Identificador = sgResponsavel->item(l.first(), crIdentificador)->text();
  } else if (pagina == 1) {
    s.Identificador = cargaMostrada_;
    for (int l : Marcadas(sgEmpresa))
      s.LinhasEmpresa << sgEmpresa->item(l, ceLinha)->text().toInt();
    if (s.LinhasEmpresa.isEmpty())
      return;
  } else {
    s.Identificador = cargaMostrada_;
    s.LinhaEmpresa = empresaMostrada_;
    for (int l : Marcadas(sgTrabalhador))
      s.LinhasEmpregado << sgTrabalhador->item(l, ctLinha)->text().toInt();
    if (s.LinhasEmpregado.isEmpty())
      return;
  }
  if (Imprimir)
    Imprimir(s);
  else
    ImprimirOcorrenciaChave(s, this);
}

void TfrmConsultaOcorrenciaChaveIdentificacao::btnLocalizarClick() {
  const int pagina = pgcConsulta->currentIndex();
  if (pagina == 0)
    return;
  const TCriterio c =
      DividirCriterio(pagina == 1 ? LocalizarEmpresa(2, this) : LocalizarTrabalhador(this));
  if (c.Chave == QLatin1String("INSCRICAO"))
    LocalizarInscricao(c.Valor);
  else if (c.Chave == QLatin1String("RAZAO"))
    LocalizarRazaoSocial(c.Valor);
  else if (c.Chave == QLatin1String("NOME"))
    LocalizarNome(c.Valor);
  else if (c.Chave == QLatin1String("PIS/PASEP"))
    LocalizarPIS(c.Valor);
}

bool TfrmConsultaOcorrenciaChaveIdentificacao::LocalizarInscricao(const QString &valor) {
  const QString digitos = TUtilitarios::Digitos(valor);
  const QString mascara = TUtilitarios::FormatarCNPJ(digitos.rightJustified(14, u'0'));
  for (const QString &procurado : {mascara, valor.trimmed(), digitos.rightJustified(12, u'0')})
    for (int l = 0; l < sgEmpresa->rowCount(); ++l)
      if (sgEmpresa->item(l, ceInscricao)->text() == procurado) {
        sgEmpresa->setCurrentCell(l, ceInscricao);
        return true;
      }
  TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
  return false;
}

bool TfrmConsultaOcorrenciaChaveIdentificacao::LocalizarRazaoSocial(const QString &valor) {
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (sgEmpresa->item(l, ceRazao)->text().contains(valor.trimmed(), Qt::CaseInsensitive)) {
      sgEmpresa->setCurrentCell(l, ceRazao);
      return true;
    }
  TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
  return false;
}

bool TfrmConsultaOcorrenciaChaveIdentificacao::LocalizarNome(const QString &valor) {
  for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
    if (sgTrabalhador->item(l, ctNome)->text().contains(valor.trimmed(), Qt::CaseInsensitive)) {
      sgTrabalhador->setCurrentCell(l, ctNome);
      return true;
    }
  TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
  return false;
}

bool TfrmConsultaOcorrenciaChaveIdentificacao::LocalizarPIS(const QString &pis) {
  TEmpregadoHmlgo t;
  // Only the load being shown: the same company line exists in other loads.
  if (cargaMostrada_.isEmpty() || t.CarregarPorPIS(pis, cargaMostrada_) == 0) {
    TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
    return false;
  }
  int linhaEmpresa = -1;
  for (int l = 0; l < sgEmpresa->rowCount(); ++l)
    if (sgEmpresa->item(l, ceLinha)->text().toInt() == t.NU_LINHA_ARQUIVO_EMPRESA)
      linhaEmpresa = l;
  if (linhaEmpresa < 0) {
    TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
    return false;
  }
  Marcar(sgEmpresa, false);
  {
    const QSignalBlocker b(sgEmpresa);
    sgEmpresa->item(linhaEmpresa, ceMarca)->setCheckState(Qt::Checked);
  }
  sgEmpresa->selectRow(linhaEmpresa);
  CarregarTrabalhadores(true);
  for (int l = 0; l < sgTrabalhador->rowCount(); ++l)
    if (sgTrabalhador->item(l, ctLinha)->text().toInt() == t.NU_LINHA_ARQUIVO_EMPREGADO) {
      IrPara(2);
      sgTrabalhador->setCurrentCell(l, ctPis);
      return true;
    }
  TUtilitarios::Mensagem(QStringLiteral("HX0092"), dtInformacao);
  return false;
}
