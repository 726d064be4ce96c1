#include "uArquivosEnviadosCx.h"

#include "uGradeOrdenavel.h"
#include "uLocalizar.h"

#include "core/unFBUtils.h"
#include "core/unInicializacao.h"
#include "core/unUtilitarios.h"
#include "interchange/unArquivosEnviados.h"
#include "interchange/unProtocolo.h"
#include "reports/uRelArquivosEnviados.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
using U = TUtilitarios;

QLineEdit *SoLeitura(QWidget *pai) {
  auto *e = new QLineEdit(pai);
  e->setReadOnly(true);
  return e;
}

QString DataHora(const TField &f) {
  return f.IsNull()
             ? QString()
             : DataParaQDateTime(f.AsDateTime()).toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

QString Inscricao(int tipo, const QString &inscricao) {
  const QString d = QString::number(U::ParaInteiro64(inscricao));
  return tipo == 1 ? U::FormatarCNPJ(U::CompletarZeros(d, 14)) : d;
}

// The first blank ends a protocol, an inscription or a PIS typed into a
// lookup; a name keeps its blanks.
QString ValorCriterio(const TCriterio &c) {
  if (c.Chave == QLatin1String("RAZAO") || c.Chave == QLatin1String("NOME"))
    return c.Valor.trimmed();
  const int branco = c.Valor.indexOf(u' ');
  return branco < 0 ? c.Valor : c.Valor.left(branco);
}

QString Direcao(Qt::SortOrder o) {
  return o == Qt::DescendingOrder ? QStringLiteral(" Desc ") : QStringLiteral(" Asc ");
}
} // namespace

// ==================================================== TfrmSelecaoArqEnvio

TfrmSelecaoArqEnvio::TfrmSelecaoArqEnvio(const QList<TArquivoComRegistro> &arquivos, QWidget *pai)
    : QDialog(pai) {
  setObjectName(QStringLiteral("frmSelecaoArqEnvio"));
  setWindowTitle(QStringLiteral("Seleção de Arquivo"));
  sgSelecao = NovaGradeOrdenavel(
      "sgSelecao",
      {QStringLiteral("Tipo Arquivo"), QStringLiteral("Data"), QStringLiteral("Protocolo")}, this);
  sgSelecao->setColumnWidth(0, 260);
  sgSelecao->setColumnWidth(1, 90);
  sgSelecao->horizontalHeader()->setStretchLastSection(true);
  for (int i = 0; i < arquivos.size(); ++i) {
    const TArquivoComRegistro &a = arquivos.at(i);
    sgSelecao->insertRow(i);
    auto *tipo = new TItemOrdenavel(a.DeArquivo, QVariant());
    tipo->setData(TItemOrdenavel::PapelRegistro, i);
    sgSelecao->setItem(i, 0, tipo);
    sgSelecao->setItem(i, 1,
                       new TItemOrdenavel(DataDefinida(a.DataEnvio) && a.DataEnvio > 0
                                              ? U::DataParaTexto(a.DataEnvio)
                                              : QString(),
                                          a.DataEnvio));
    sgSelecao->setItem(i, 2, new TItemOrdenavel(ProtocoloComPontos(a.Protocolo), QVariant()));
  }
  sgSelecao->setSortingEnabled(true);
  sgSelecao->sortItems(0);
  if (sgSelecao->rowCount() > 0)
    sgSelecao->setCurrentCell(0, 0);
  btnLocalizar = new QPushButton(QStringLiteral("&Selecionar"), this);
  btnLocalizar->setDefault(true);
  btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnFechar->setAutoDefault(false);
  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnLocalizar);
  botoes->addWidget(btnFechar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(sgSelecao, 1);
  l->addLayout(botoes);
  resize(640, 260);
  auto escolher = [this] {
    const int linha = sgSelecao->currentRow();
    if (linha < 0)
      return;
    Escolhido = sgSelecao->item(linha, 0)->data(TItemOrdenavel::PapelRegistro).toInt();
    Protocolo = sgSelecao->item(linha, 2)->text();
    accept();
  };
  connect(btnLocalizar, &QPushButton::clicked, this, escolher);
  connect(sgSelecao, &QTableWidget::cellDoubleClicked, this, escolher);
  connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSelecaoArqEnvio::Mostrar() {
  if (Interceptar)
    Interceptar(*this);
  else
    exec();
}

// ================================================= TfrmArquivosEnviadosCx

TfrmArquivosEnviadosCx::TfrmArquivosEnviadosCx(QWidget *pai)
    : QDialog(pai), protocolo_(std::make_unique<TProtocolo>()) {
  setObjectName(QStringLiteral("frmArquivosEnviadosCx"));
  setWindowTitle(QStringLiteral("Consulta de Arquivos Gerados para Envio à VORDA"));

  pgcArquivos = new QTabWidget(this);
  pgcArquivos->setObjectName(QStringLiteral("pgcArquivos"));
  auto *pagLista = new QWidget;
  sgEnvio =
      NovaGradeOrdenavel("sgEnvio",
                         {QString(), QStringLiteral("Tipo"), QStringLiteral("Arquivo"),
                          QStringLiteral("Data de Geração"), QStringLiteral("Nome do Arquivo"),
                          QString(), QString(), QString(), QString()},
                         pagLista);
  for (int c :
       {int(cnTipo), int(cnValido), int(cnProtocolo), int(cnIdentificador), int(cnAtendido)})
    sgEnvio->setColumnHidden(c, true);
  sgEnvio->setColumnWidth(cnStatus, 24);
  sgEnvio->setColumnWidth(cnArquivo, 300);
  sgEnvio->setColumnWidth(cnGeracao, 140);
  sgEnvio->horizontalHeader()->setStretchLastSection(true);
  auto *ll = new QVBoxLayout(pagLista);
  ll->addWidget(sgEnvio);
  pgcArquivos->addTab(pagLista, QStringLiteral("Controle de Arquivos"));

  auto *pagDetalhes = new QWidget;
  grpControle = new QGroupBox(QStringLiteral(" Controle de Envio "), pagDetalhes);
  edtArquivo = SoLeitura(grpControle);
  edtArquivo->setObjectName(QStringLiteral("edtArquivo"));
  edtDataGeracao = SoLeitura(grpControle);
  edtProtocolo = SoLeitura(grpControle);
  edtProtocolo->setObjectName(QStringLiteral("edtProtocolo"));
  edtDataRecolhimento = SoLeitura(grpControle);
  edtDataGeracao->setMinimumWidth(150);
  edtDataRecolhimento->setMinimumWidth(150);
  lblProtocolo = new QLabel(QStringLiteral("Protocolo:"), grpControle);
  lblDataRecolhimento = new QLabel(QStringLiteral("Data de Recolhimento:"), grpControle);
  auto *lc = new QGridLayout(grpControle);
  lc->addWidget(new QLabel(QStringLiteral("Arquivo:")), 0, 0);
  lc->addWidget(edtArquivo, 0, 1);
  lc->addWidget(new QLabel(QStringLiteral("Data de Geração:")), 0, 2);
  lc->addWidget(edtDataGeracao, 0, 3);
  lc->addWidget(lblProtocolo, 1, 0);
  lc->addWidget(edtProtocolo, 1, 1);
  lc->addWidget(lblDataRecolhimento, 1, 2);
  lc->addWidget(edtDataRecolhimento, 1, 3);
  lc->setColumnStretch(1, 1);
  pgcDetalhes = new QTabWidget(pagDetalhes);
  pgcDetalhes->setObjectName(QStringLiteral("pgcDetalhes"));
  auto *abaEmpresa = new QWidget;
  sgEmpresa = NovaGradeOrdenavel("sgEmpresa",
                                 {QStringLiteral("Inscrição"), QStringLiteral("Razão Social"),
                                  QStringLiteral("Data de Processamento"),
                                  QStringLiteral("Valor Total"), QStringLiteral("Código de Barras"),
                                  QStringLiteral("Data Recolhimento"), QString()},
                                 abaEmpresa);
  sgEmpresa->setColumnHidden(ceTipoInscricao, true);
  sgEmpresa->setColumnWidth(ceInscricao, 130);
  sgEmpresa->setColumnWidth(ceRazao, 280);
  sgEmpresa->setColumnWidth(ceData, 140);
  sgEmpresa->setColumnWidth(ceBarras, 340);
  (new QVBoxLayout(abaEmpresa))->addWidget(sgEmpresa);
  pgcDetalhes->addTab(abaEmpresa, QStringLiteral("Empresa"));
  auto *abaTrabalhador = new QWidget;
  sgTrabalhador = NovaGradeOrdenavel("sgTrabalhador",
                                     {QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"),
                                      QStringLiteral("Admissão"), QStringLiteral("Valor")},
                                     abaTrabalhador);
  sgTrabalhador->setColumnWidth(ctPIS, 110);
  sgTrabalhador->setColumnWidth(ctNome, 300);
  sgTrabalhador->setColumnWidth(ctAdmissao, 90);
  (new QVBoxLayout(abaTrabalhador))->addWidget(sgTrabalhador);
  pgcDetalhes->addTab(abaTrabalhador, QStringLiteral("Trabalhador"));
  auto *ld = new QVBoxLayout(pagDetalhes);
  ld->addWidget(grpControle);
  ld->addWidget(pgcDetalhes, 1);
  pgcArquivos->addTab(pagDetalhes, QStringLiteral("Detalhes"));
  for (QTableWidget *g : {sgEnvio, sgEmpresa, sgTrabalhador})
    g->setSortingEnabled(true);

  btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  btnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  btnExcluir = new QPushButton(QStringLiteral("Excl&uir"), this);
  btnSalvarArqRescisorio = new QPushButton(QStringLiteral("&Salvar Arquivo"), this);
  btnLocalizar = new QPushButton(QStringLiteral("&Localizar"), this);
  auto *botoes = new QHBoxLayout;
  botoes->addWidget(btnLocalizar);
  botoes->addWidget(btnImprimir);
  botoes->addWidget(btnExcluir);
  botoes->addWidget(btnSalvarArqRescisorio);
  botoes->addStretch();
  botoes->addWidget(btnFechar);
  for (QPushButton *b : {btnFechar, btnImprimir, btnExcluir, btnSalvarArqRescisorio, btnLocalizar})
    b->setAutoDefault(false);
  auto *l = new QVBoxLayout(this);
  l->addWidget(pgcArquivos, 1);
  l->addLayout(botoes);
  resize(860, 520);

  connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnImprimir, &QPushButton::clicked, this, &TfrmArquivosEnviadosCx::btnImprimirClick);
  connect(btnExcluir, &QPushButton::clicked, this, &TfrmArquivosEnviadosCx::btnExcluirClick);
  connect(btnSalvarArqRescisorio, &QPushButton::clicked, this,
          &TfrmArquivosEnviadosCx::btnSalvarArqRescisorioClick);
  connect(btnLocalizar, &QPushButton::clicked, this, &TfrmArquivosEnviadosCx::btnLocalizarClick);
  connect(pgcArquivos, &QTabWidget::currentChanged, this, &TfrmArquivosEnviadosCx::PaginaMudou);
  connect(pgcDetalhes, &QTabWidget::currentChanged, this, &TfrmArquivosEnviadosCx::DetalheMudou);
  connect(sgEnvio, &QTableWidget::cellDoubleClicked, this,
          [this] { pgcArquivos->setCurrentIndex(1); });
  connect(sgEnvio, &QTableWidget::currentCellChanged, this, [this] { AtualizarBotoes(); });
  connect(sgEmpresa, &QTableWidget::cellDoubleClicked, this, [this] {
    if (TipoSelecionado() != ArquivoReenvio)
      pgcDetalhes->setCurrentIndex(1);
  });
}

TfrmArquivosEnviadosCx::~TfrmArquivosEnviadosCx() = default;

void TfrmArquivosEnviadosCx::Mostrar() {
  if (Interceptar)
    Interceptar(*this);
  else
    exec();
}

bool TfrmArquivosEnviadosCx::Carregar() {
  const QSignalBlocker b(pgcArquivos);
  pgcArquivos->setCurrentIndex(0);
  sgEnvio->setSortingEnabled(false);
  sgEnvio->setRowCount(0);
  arquivoCarregado_.clear();
  empresaCarregada_.clear();
  if (!protocolo_->CarregarPorTipos(
          {ArquivoGuiaRescisoria, ArquivoReenvio, ArquivoSolicitacaoSaldo, 9})) {
    AtualizarBotoes();
    return false;
  }
  TDataSet *ds = protocolo_->ObterDataSet();
  const QIcon atendido = style()->standardIcon(QStyle::SP_DialogApplyButton);
  const QIcon rejeitado = style()->standardIcon(QStyle::SP_DialogCancelButton);
  for (int i = 0; ds && i < ds->RecordCount(); ++i) {
    ds->MoverPara(i);
    auto texto = [&](const char *c) {
      const TField f = ds->FieldByName(QString::fromLatin1(c));
      return f.IsNull() ? QString() : f.AsString().trimmed();
    };
    sgEnvio->insertRow(i);
    const QString valido = texto("IC_ARQUIVO_VALIDO"), atendidoSN = texto("IC_ARQUIVO_ATENDIDO");
    auto *status = new TItemOrdenavel(QString(), atendidoSN + valido);
    if (atendidoSN == QLatin1String("S")) {
      const bool ok = valido == QLatin1String("S");
      status->setIcon(ok ? atendido : rejeitado);
      status->setToolTip(ok ? QStringLiteral("Atendido") : QStringLiteral("Rejeitado"));
    }
    sgEnvio->setItem(i, cnStatus, status);
    const int tipo = ds->FieldByName(QStringLiteral("NU_ARQUIVO")).AsInteger();
    sgEnvio->setItem(i, cnTipo, new TItemOrdenavel(QString::number(tipo), tipo));
    sgEnvio->setItem(i, cnArquivo, new TItemOrdenavel(texto("DE_ARQUIVO"), QVariant()));
    const TField geracao = ds->FieldByName(QStringLiteral("DT_GERACAO_ARQUIVO"));
    sgEnvio->setItem(
        i, cnGeracao,
        new TItemOrdenavel(DataHora(geracao), geracao.IsNull() ? 0.0 : geracao.AsDateTime()));
    auto *nome = new TItemOrdenavel(texto("NM_ARQUIVO"), QVariant());
    nome->setToolTip(nome->text());
    sgEnvio->setItem(i, cnNome, nome);
    sgEnvio->setItem(i, cnValido, new TItemOrdenavel(valido, QVariant()));
    sgEnvio->setItem(i, cnProtocolo, new TItemOrdenavel(texto("CO_PROTOCOLO"), QVariant()));
    sgEnvio->setItem(i, cnIdentificador,
                     new TItemOrdenavel(texto("NU_IDENTIFICADOR_ARQUIVO"), QVariant()));
    sgEnvio->setItem(i, cnAtendido, new TItemOrdenavel(atendidoSN, QVariant()));
  }
  sgEnvio->setSortingEnabled(true);
  sgEnvio->sortItems(cnGeracao, Qt::AscendingOrder);
  if (sgEnvio->rowCount() > 0)
    sgEnvio->setCurrentCell(0, cnArquivo);
  AtualizarBotoes();
  return sgEnvio->rowCount() > 0;
}

int TfrmArquivosEnviadosCx::LinhaArquivo() const {
  return sgEnvio->rowCount() > 0 ? sgEnvio->currentRow() : -1;
}

QString TfrmArquivosEnviadosCx::Celula(int coluna) const {
  const int linha = LinhaArquivo();
  return linha >= 0 && sgEnvio->item(linha, coluna) ? sgEnvio->item(linha, coluna)->text()
                                                    : QString();
}

QString TfrmArquivosEnviadosCx::IdentificadorSelecionado() const {
  return Celula(cnIdentificador);
}

int TfrmArquivosEnviadosCx::TipoSelecionado() const {
  return Celula(cnTipo).toInt();
}

// -------------------------------------------------------------- pages

void TfrmArquivosEnviadosCx::PaginaMudou(int pagina) {
  if (mudando_)
    return;
  if (pagina == 1 && !AbrirDetalhes()) {
    const QSignalBlocker b(pgcArquivos);
    pgcArquivos->setCurrentIndex(0);
  }
  AtualizarBotoes();
}

bool TfrmArquivosEnviadosCx::AbrirDetalhes() {
  if (sgEnvio->rowCount() == 0)
    return false;
  if (LinhaArquivo() < 0) {
    U::Mensagem(QStringLiteral("AE0299"), dtInformacao);
    return false;
  }
  const int tipo = TipoSelecionado();
  const QString id = IdentificadorSelecionado();
  if (id != arquivoCarregado_ && !CarregarEmpresas()) {
    U::Mensagem(QStringLiteral("AE0297"), dtInformacao);
    return false;
  }
  {
    const QSignalBlocker b(pgcDetalhes);
    pgcDetalhes->setCurrentIndex(0);
  }
  pgcDetalhes->setTabVisible(1, tipo != ArquivoReenvio);
  edtArquivo->setText(Celula(cnArquivo));
  edtDataGeracao->setText(Celula(cnGeracao));
  const bool recolhimento = tipo == ArquivoGuiaRescisoria || tipo == 9;
  lblDataRecolhimento->setVisible(recolhimento);
  edtDataRecolhimento->setVisible(recolhimento);
  const int ultima = sgEmpresa->rowCount() - 1;
  edtDataRecolhimento->setText(ultima >= 0 && sgEmpresa->item(ultima, ceRecolhimento)
                                   ? sgEmpresa->item(ultima, ceRecolhimento)->text()
                                   : QString());
  MostrarCampoProtocolo();
  sgEmpresa->setFocus();
  return true;
}

bool TfrmArquivosEnviadosCx::CarregarEmpresas() {
  const QString id = IdentificadorSelecionado();
  const int tipo = TipoSelecionado();
  arquivoCarregado_.clear();
  empresaCarregada_.clear();
  sgEmpresa->setSortingEnabled(false);
  sgEmpresa->setRowCount(0);
  sgTrabalhador->setRowCount(0);
  const TDataSetPtr ds = protocolo_->ListarEmpresas(id);
  if (!ds || ds->IsEmpty())
    return false;
  sgEmpresa->horizontalHeaderItem(ceData)->setText(
      tipo == 9 ? QStringLiteral("Data de Pagamento") : QStringLiteral("Data de Processamento"));
  int i = 0;
  for (ds->First(); !ds->Eof(); ds->Next(), ++i) {
    const int tipoInsc = ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_ENVIO")).AsInteger();
    const qint64 insc = ds->FieldByName(QStringLiteral("NU_INSCRICAO_ENVIO")).AsInt64();
    sgEmpresa->insertRow(i);
    sgEmpresa->setItem(i, ceInscricao,
                       new TItemOrdenavel(Inscricao(tipoInsc, QString::number(insc)),
                                          QString::number(tipoInsc) +
                                              QString::number(insc).rightJustified(14, u'0')));
    sgEmpresa->setItem(
        i, ceRazao,
        new TItemOrdenavel(ds->FieldByName(QStringLiteral("NO_RAZAO_SOCIAL")).AsString().trimmed(),
                           QVariant()));
    const TField proc = ds->FieldByName(QStringLiteral("DT_PROCESSAMENTO"));
    sgEmpresa->setItem(
        i, ceData,
        new TItemOrdenavel(proc.IsNull() ? QString() : U::DataParaTexto(proc.AsDateTime()),
                           proc.IsNull() ? 0.0 : proc.AsDateTime(), Qt::AlignHCenter));
    const TField valor = ds->FieldByName(QStringLiteral("VR_TOTAL_RECOLHIDO"));
    sgEmpresa->setItem(
        i, ceValor,
        new TItemOrdenavel(valor.IsNull() ? QString() : U::FormatarValor(valor.AsFloat()),
                           valor.IsNull() ? 0.0 : valor.AsFloat(), Qt::AlignRight));
    sgEmpresa->setItem(
        i, ceBarras,
        new TItemOrdenavel(
            ds->FieldByName(QStringLiteral("CO_BARRAS_ENVIO_EMPRESA")).AsString().trimmed(),
            QVariant()));
    const TField rec = ds->FieldByName(QStringLiteral("DT_RECOLHIMENTO_ENVIO_EMPRESA"));
    sgEmpresa->setItem(
        i, ceRecolhimento,
        new TItemOrdenavel(rec.IsNull() ? QString() : U::DataParaTexto(rec.AsDateTime()),
                           rec.IsNull() ? 0.0 : rec.AsDateTime(), Qt::AlignHCenter));
    sgEmpresa->setItem(i, ceTipoInscricao, new TItemOrdenavel(QString::number(tipoInsc), tipoInsc));
  }
  // The columns each kind shows.
  const bool guia = tipo == ArquivoGuiaRescisoria || tipo == 9;
  const bool reenvio = tipo == ArquivoReenvio;
  sgEmpresa->setColumnHidden(ceRazao, reenvio);
  sgEmpresa->setColumnHidden(ceData, !guia);
  sgEmpresa->setColumnHidden(ceValor, !guia);
  sgEmpresa->setColumnHidden(ceBarras, !reenvio);
  sgEmpresa->setColumnHidden(ceRecolhimento, !reenvio);
  sgEmpresa->setSortingEnabled(true);
  sgEmpresa->setCurrentCell(0, ceInscricao);
  arquivoCarregado_ = id;
  return true;
}

void TfrmArquivosEnviadosCx::CarregarTrabalhadores() {
  const int linha = sgEmpresa->currentRow();
  if (linha < 0)
    return;
  const QString inscricao = U::Digitos(sgEmpresa->item(linha, ceInscricao)->text());
  if (inscricao == empresaCarregada_)
    return;
  sgTrabalhador->setSortingEnabled(false);
  sgTrabalhador->setRowCount(0);
  const TDataSetPtr ds =
      protocolo_->ListarTrabalhadores(arquivoCarregado_, U::ParaInteiro64(inscricao));
  int i = 0;
  for (ds ? ds->First() : void(); ds && !ds->Eof(); ds->Next(), ++i) {
    sgTrabalhador->insertRow(i);
    const qint64 pis = ds->FieldByName(QStringLiteral("NU_PIS_ENVIO")).AsInt64();
    sgTrabalhador->setItem(
        i, ctPIS,
        new TItemOrdenavel(U::FormatarPIS(U::CompletarZeros(QString::number(pis), 11)), pis));
    sgTrabalhador->setItem(
        i, ctNome,
        new TItemOrdenavel(ds->FieldByName(QStringLiteral("NO_EMPREGADO")).AsString().trimmed(),
                           QVariant()));
    const TField adm = ds->FieldByName(QStringLiteral("DT_ADMISSAO_ENVIO"));
    sgTrabalhador->setItem(
        i, ctAdmissao,
        new TItemOrdenavel(adm.IsNull() ? QString() : U::DataParaTexto(adm.AsDateTime()),
                           adm.IsNull() ? 0.0 : adm.AsDateTime(), Qt::AlignHCenter));
    const TField valor = ds->FieldByName(QStringLiteral("VR_TOTAL_RECOLHIDO"));
    sgTrabalhador->setItem(
        i, ctValor,
        new TItemOrdenavel(valor.IsNull() ? QString() : U::FormatarValor(valor.AsFloat()),
                           valor.IsNull() ? 0.0 : valor.AsFloat(), Qt::AlignRight));
  }
  sgTrabalhador->setColumnHidden(ctValor, TipoSelecionado() != ArquivoGuiaRescisoria);
  sgTrabalhador->setSortingEnabled(true);
  if (sgTrabalhador->rowCount() > 0)
    sgTrabalhador->setCurrentCell(0, ctPIS);
  empresaCarregada_ = inscricao;
}

void TfrmArquivosEnviadosCx::DetalheMudou(int aba) {
  if (mudando_)
    return;
  if (aba == 1) {
    if (sgEmpresa->rowCount() == 0 || sgEmpresa->currentRow() < 0) {
      U::Mensagem(QStringLiteral("AE0229"), dtInformacao);
      const QSignalBlocker b(pgcDetalhes);
      pgcDetalhes->setCurrentIndex(0);
    } else {
      CarregarTrabalhadores();
      sgTrabalhador->setFocus();
    }
  }
  MostrarCampoProtocolo();
  AtualizarBotoes();
}

void TfrmArquivosEnviadosCx::MostrarCampoProtocolo() {
  const int tipo = TipoSelecionado();
  if (pgcDetalhes->currentIndex() == 1) {
    // The company whose workers are shown.
    const bool mostra = tipo == ArquivoGuiaRescisoria || tipo == ArquivoSolicitacaoSaldo;
    const int linha = sgEmpresa->currentRow();
    lblProtocolo->setText(QStringLiteral("Empresa:"));
    edtProtocolo->setText(linha >= 0
                              ? sgEmpresa->item(linha, ceInscricao)->text() +
                                    QStringLiteral(" - ") + sgEmpresa->item(linha, ceRazao)->text()
                              : QString());
    lblProtocolo->setVisible(mostra);
    edtProtocolo->setVisible(mostra);
    return;
  }
  const bool mostra = tipo != ArquivoReenvio && tipo != ArquivoSolicitacaoSaldo;
  lblProtocolo->setText(QStringLiteral("Protocolo:"));
  edtProtocolo->setText(Celula(cnProtocolo));
  lblProtocolo->setVisible(mostra);
  edtProtocolo->setVisible(mostra);
}

void TfrmArquivosEnviadosCx::AtualizarBotoes() {
  const bool lista = pgcArquivos->currentIndex() == 0;
  const bool vazia = sgEnvio->rowCount() == 0;
  btnSalvarArqRescisorio->setVisible(lista && TipoSelecionado() == ArquivoGuiaRescisoria);
  btnExcluir->setVisible(lista);
  btnImprimir->setEnabled(!vazia && (lista || pgcDetalhes->currentIndex() == 0));
  btnSalvarArqRescisorio->setEnabled(!vazia);
  btnExcluir->setEnabled(!vazia);
  btnLocalizar->setEnabled(!vazia);
}

void TfrmArquivosEnviadosCx::Habilitar(bool habilitar) {
  for (QWidget *w :
       {static_cast<QWidget *>(pgcArquivos), static_cast<QWidget *>(btnFechar),
        static_cast<QWidget *>(btnImprimir), static_cast<QWidget *>(btnExcluir),
        static_cast<QWidget *>(btnSalvarArqRescisorio), static_cast<QWidget *>(btnLocalizar)})
    w->setEnabled(habilitar);
  if (habilitar)
    AtualizarBotoes();
}

// ----------------------------------------------------------- printing

QString TfrmArquivosEnviadosCx::OrdemRelatorio() const {
  const QHeaderView *he = sgEmpresa->horizontalHeader();
  const QString de = Direcao(he->sortIndicatorOrder());
  const QString porInscricao = QStringLiteral("EMP.NU_TIPO_INSCRICAO_ENVIO") + de +
                               QStringLiteral(",EMP.NU_INSCRICAO_ENVIO") + de;
  QString ordem;
  const int ce = he->sortIndicatorSection();
  if (ce == ceRazao && !sgEmpresa->isColumnHidden(ceRazao))
    ordem = QStringLiteral("EMP.NO_RAZAO_SOCIAL") + de;
  else if (ce == ceValor && !sgEmpresa->isColumnHidden(ceValor))
    ordem = QStringLiteral("EMP.VR_TOTAL_RECOLHIDO") + de;
  else if (ce == ceBarras && !sgEmpresa->isColumnHidden(ceBarras))
    ordem = QStringLiteral("EMP.CO_BARRAS_ENVIO_EMPRESA") + de;
  else
    ordem = porInscricao;
  if (TipoSelecionado() != ArquivoReenvio) {
    const QHeaderView *ht = sgTrabalhador->horizontalHeader();
    const QString dt = Direcao(ht->sortIndicatorOrder());
    switch (ht->sortIndicatorSection()) {
    case ctNome:
      ordem += QStringLiteral(",TRAB.NO_EMPREGADO") + dt;
      break;
    case ctAdmissao:
      ordem += QStringLiteral(",TRAB.DT_ADMISSAO_ENVIO") + dt;
      break;
    case ctValor:
      ordem += QStringLiteral(",TRAB.VR_TOTAL_RECOLHIDO") + dt;
      break;
    default:
      ordem += QStringLiteral(",TRAB.NU_PIS_ENVIO") + dt;
    }
  }
  return ordem;
}

void TfrmArquivosEnviadosCx::btnImprimirClick() {
  if (LinhaArquivo() < 0 || !btnImprimir->isEnabled())
    return;
  TFiltroArquivoEnviado f;
  f.Tipo = TipoSelecionado();
  f.Identificador = IdentificadorSelecionado();
  f.Protocolo = U::SemPontos(Celula(cnProtocolo));
  // From the details page, the selected company alone; from the list, all.
  if (pgcArquivos->currentIndex() == 1 && sgEmpresa->currentRow() >= 0)
    f.Empresas << U::Digitos(sgEmpresa->item(sgEmpresa->currentRow(), ceInscricao)->text());
  f.Ordem = OrdemRelatorio();
  Habilitar(false);
  try {
    ImprimirArquivoEnviado(f, this);
  } catch (const std::exception &e) {
    // A failing report is shown, never swallowed.
    Habilitar(true);
    TratarExcecao(e);
    return;
  }
  Habilitar(true);
}

// ------------------------------------------------------------ deleting

void TfrmArquivosEnviadosCx::btnExcluirClick() {
  const int linha = LinhaArquivo();
  if (linha < 0 || pgcArquivos->currentIndex() != 0)
    return;
  if (U::Mensagem(QStringLiteral("AE0036"), dtConfirmacao, 0, QString(), 1, mbYes | mbNo) != mrYes)
    return;
  QList<TChaveVinculo> reabertos;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = TArquivosEnviados::Excluir(IdentificadorSelecionado(), &reabertos);
  QApplication::restoreOverrideCursor();
  if (!ok) {
    U::Mensagem(QStringLiteral("AE0258"), dtErro);
    return;
  }
  sgEnvio->removeRow(linha);
  arquivoCarregado_.clear();
  empresaCarregada_.clear();
  if (!reabertos.isEmpty() && AtualizarArvore)
    AtualizarArvore();
  AtualizarBotoes();
  U::Mensagem(QStringLiteral("AE0068"), dtInformacao);
}

// ----------------------------------------------------- writing again

void TfrmArquivosEnviadosCx::btnSalvarArqRescisorioClick() {
  const int linha = LinhaArquivo();
  if (linha < 0) {
    U::Mensagem(QStringLiteral("AE0299"), dtInformacao);
    return;
  }
  if (TipoSelecionado() != ArquivoGuiaRescisoria)
    return;
  QString caminho, codigo;
  const TArquivosEnviados::TResultadoSalvar r =
      TArquivosEnviados::SalvarArquivo(IdentificadorSelecionado(), caminho, codigo);
  if (r == TArquivosEnviados::Salvo) {
    // The list changes only once the new path is committed.
    sgEnvio->item(linha, cnNome)->setText(caminho);
    sgEnvio->item(linha, cnNome)->setToolTip(caminho);
    U::ExibirMensagem(QStringLiteral("AE0485"), dtInformacao, 0, QString(), 2, mbOK,
                      {QStringLiteral("salvo")});
  } else if (r == TArquivosEnviados::Falhou && !codigo.isEmpty()) {
    U::Mensagem(QStringLiteral("AE") + codigo,
                codigo == QLatin1String("0306") ? dtInformacao : dtErro);
  }
}

// ------------------------------------------------------------- finding

void TfrmArquivosEnviadosCx::btnLocalizarClick() {
  if (sgEnvio->rowCount() == 0)
    return;
  QString criterio;
  if (pgcArquivos->currentIndex() == 0)
    criterio = LocalizarProtocolo(2, this);
  else if (pgcDetalhes->currentIndex() == 0)
    criterio = LocalizarEmpresa(TipoSelecionado() == ArquivoReenvio ? 1 : 3, this);
  else
    criterio = LocalizarTrabalhador(this);
  Localizar(criterio);
}

bool TfrmArquivosEnviadosCx::SelecionarArquivo(int coluna, const QString &valor) {
  for (int i = 0; i < sgEnvio->rowCount(); ++i)
    if (sgEnvio->item(i, coluna)->text().compare(valor, Qt::CaseInsensitive) == 0) {
      sgEnvio->setCurrentCell(i, cnArquivo);
      return true;
    }
  return false;
}

void TfrmArquivosEnviadosCx::Localizar(const QString &Criterio) {
  if (Criterio.isEmpty())
    return;
  TCriterio c = DividirCriterio(Criterio);
  c.Valor = ValorCriterio(c);
  const bool lista = pgcArquivos->currentIndex() == 0;
  const bool abaEmpresa = !lista && pgcDetalhes->currentIndex() == 0;
  if (c.Chave == QLatin1String("PROTOCOLO")) {
    const QString procurado = U::SemPontos(c.Valor).trimmed();
    for (int i = 0; !procurado.isEmpty() && i < sgEnvio->rowCount(); ++i)
      if (U::SemPontos(sgEnvio->item(i, cnProtocolo)->text())
              .contains(procurado, Qt::CaseInsensitive)) {
        sgEnvio->setCurrentCell(i, cnArquivo);
        sgEnvio->setFocus();
        return;
      }
    U::Mensagem(QStringLiteral("AE0348"), dtInformacao);
    return;
  }
  if ((lista && (c.Chave == QLatin1String("INSCRICAO") || c.Chave == QLatin1String("PIS/PASEP"))) ||
      (abaEmpresa && c.Chave == QLatin1String("PIS/PASEP"))) {
    LocalizarEmArquivos(c.Chave, c.Valor);
    return;
  }
  if (abaEmpresa)
    LocalizarNaGrade(
        sgEmpresa, c.Chave + u'-' + c.Valor,
        {{QStringLiteral("INSCRICAO"), ceInscricao}, {QStringLiteral("RAZAO"), ceRazao}},
        QStringLiteral("AE"));
  else if (!lista)
    LocalizarNaGrade(sgTrabalhador, c.Chave + u'-' + c.Valor,
                     {{QStringLiteral("PIS/PASEP"), ctPIS}, {QStringLiteral("NOME"), ctNome}},
                     QStringLiteral("AE"));
}

void TfrmArquivosEnviadosCx::LocalizarEmArquivos(const QString &Chave, const QString &Valor) {
  QList<TArquivoComRegistro> arquivos;
  try {
    arquivos = TArquivosEnviados::Procurar(Chave, Valor);
  } catch (const std::exception &e) {
    TratarExcecao(e);
    return;
  }
  if (arquivos.isEmpty())
    return;
  int escolhido = 0;
  if (arquivos.size() > 1) {
    TfrmSelecaoArqEnvio selecao(arquivos, this);
    selecao.Mostrar();
    if (selecao.Escolhido < 0)
      return;
    escolhido = selecao.Escolhido;
  }
  const TArquivoComRegistro a = arquivos.at(escolhido);
  // The file by its identifier (files not yet sent have no protocol to tell
  // them apart), then its company, then the worker.
  if (!SelecionarArquivo(cnIdentificador, a.Identificador)) {
    U::Mensagem(QStringLiteral("AE0092"), dtInformacao);
    return;
  }
  mudando_ = true;
  pgcArquivos->setCurrentIndex(1);
  mudando_ = false;
  if (!AbrirDetalhes()) {
    const QSignalBlocker b(pgcArquivos);
    pgcArquivos->setCurrentIndex(0);
    AtualizarBotoes();
    return;
  }
  AtualizarBotoes();
  const QString empresa = QStringLiteral("INSCRICAO-") + QString::number(a.Inscricao);
  if (!LocalizarNaGrade(sgEmpresa, empresa, {{QStringLiteral("INSCRICAO"), ceInscricao}},
                        QStringLiteral("AE")))
    return;
  if (Chave != QLatin1String("PIS/PASEP"))
    return;
  pgcDetalhes->setCurrentIndex(1);
  if (pgcDetalhes->currentIndex() != 1)
    return;
  LocalizarNaGrade(sgTrabalhador, QStringLiteral("PIS/PASEP-") + QString::number(a.PIS),
                   {{QStringLiteral("PIS/PASEP"), ctPIS}}, QStringLiteral("AE"));
}
