#include "uProgImporta.h"

#include "uConfAtualSaldoRescisorio.h"

#include "collection/unMovimento.h"
#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "core/unSinais.h"
#include "core/unUtilitarios.h"
#include "interchange/UnArqFolha.h"
#include "reports/uRelInconsistencia.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

std::function<void()> TfrmProgImporta::AtualizarArvore;
std::function<void(const TArrRegRegistro &)> TfrmProgImporta::SolicitarSaldo;
std::function<void(int)> TfrmProgImporta::RelatorioInconsistencias = [](int tipo) {
  VisualizarInconsistencias(tipo, QApplication::activeWindow());
};
std::function<void()> TfrmProgImporta::ConsultarSaldo;

namespace {
// The two step icons, drawn so that the window needs no image files: a blue
// disc with an arrow for a step in progress, a green disc with a tick for a
// step done.
QPixmap IconeEtapa(bool concluida) {
  const qreal escala = qApp ? qApp->devicePixelRatio() : 1.0;
  QPixmap p(QSize(18, 18) * escala);
  p.setDevicePixelRatio(escala);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(Qt::NoPen);
  g.setBrush(concluida ? QColor(0x2e, 0x8b, 0x3a) : QColor(0x1f, 0x5f, 0xbf));
  g.drawEllipse(QRectF(1, 1, 16, 16));
  g.setBrush(Qt::white);
  if (concluida) {
    QPen caneta(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    g.setPen(caneta);
    g.setBrush(Qt::NoBrush);
    QPainterPath v;
    v.moveTo(5, 9.5);
    v.lineTo(8, 12.5);
    v.lineTo(13, 6);
    g.drawPath(v);
  } else {
    QPainterPath seta;
    seta.moveTo(7, 5);
    seta.lineTo(13, 9);
    seta.lineTo(7, 13);
    seta.closeSubpath();
    g.drawPath(seta);
  }
  return p;
}

QLabel *Icone(QWidget *pai, const char *nome, bool concluida) {
  auto *l = new QLabel(pai);
  l->setObjectName(QString::fromLatin1(nome));
  l->setPixmap(IconeEtapa(concluida));
  l->setFixedSize(18, 18);
  return l;
}

QLabel *Rotulo(QWidget *pai, const char *nome) {
  auto *l = new QLabel(pai);
  l->setObjectName(QString::fromLatin1(nome));
  return l;
}
} // namespace

TfrmProgImporta::TfrmProgImporta(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmProgImporta"));
  setModal(true);
  // No close button: the window closes itself when the operation has ended.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  LabelProgresso = Rotulo(this, "LabelProgresso");
  LabelProgresso->setText(QStringLiteral("Aguarde o término do processamento."));
  LabelInformacao01 = Rotulo(this, "LabelInformacao01");
  LabelInformacao02 = Rotulo(this, "LabelInformacao02");
  LabelInformacao03 = Rotulo(this, "LabelInformacao03");
  LabelInformacao04 = Rotulo(this, "LabelInformacao04");
  imgValidandoArquivoEmAndamento = Icone(this, "imgValidandoArquivoEmAndamento", false);
  imgValidandoArquivoConcluido = Icone(this, "imgValidandoArquivoConcluido", true);
  imgValidandoInformacoesEmAndamento = Icone(this, "imgValidandoInformacoesEmAndamento", false);
  imgValidandoInformacoesConcluido = Icone(this, "imgValidandoInformacoesConcluido", true);
  imgValidandoIncluirInformEmAndamento = Icone(this, "imgValidandoIncluirInformEmAndamento", false);
  imgValidandoIncluirInformConcluido = Icone(this, "imgValidandoIncluirInformConcluido", true);
  imgAtuzalizandoArvoreEmAndamento = Icone(this, "imgAtuzalizandoArvoreEmAndamento", false);
  imgAtuzalizandoArvoreConcluido = Icone(this, "imgAtuzalizandoArvoreConcluido", true);

  Gauge = new QProgressBar(this);
  Gauge->setObjectName(QStringLiteral("Gauge"));
  Gauge->setTextVisible(true);
  btnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
  btnCancelar->setAutoDefault(false);

  auto *grade = new QGridLayout;
  grade->setHorizontalSpacing(8);
  grade->setColumnMinimumWidth(0, 18);
  QLabel *rotulos[] = {LabelInformacao01, LabelInformacao02, LabelInformacao03, LabelInformacao04};
  QLabel *andamento[] = {imgValidandoArquivoEmAndamento, imgValidandoInformacoesEmAndamento,
                         imgValidandoIncluirInformEmAndamento, imgAtuzalizandoArvoreEmAndamento};
  QLabel *concluido[] = {imgValidandoArquivoConcluido, imgValidandoInformacoesConcluido,
                         imgValidandoIncluirInformConcluido, imgAtuzalizandoArvoreConcluido};
  for (int i = 0; i < 4; ++i) {
    // Both icons of a step share one cell: only one is visible at a time.
    grade->addWidget(andamento[i], i, 0, Qt::AlignCenter);
    grade->addWidget(concluido[i], i, 0, Qt::AlignCenter);
    grade->addWidget(rotulos[i], i, 1);
  }
  grade->setColumnStretch(1, 1);

  auto *botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(btnCancelar);
  auto *l = new QVBoxLayout(this);
  l->addWidget(LabelProgresso);
  l->addSpacing(6);
  l->addLayout(grade);
  l->addSpacing(6);
  l->addWidget(Gauge);
  l->addLayout(botoes);
  setFixedSize(440, 240);

  timer_ = new QTimer(this);
  timer_->setInterval(50);
  connect(timer_, &QTimer::timeout, this, &TfrmProgImporta::AtualizarTela);
  connect(btnCancelar, &QPushButton::clicked, this, &TfrmProgImporta::btnCancelarClick);
  Preparar(0, QString(), {});
}

TfrmProgImporta::~TfrmProgImporta() {
  // The window never outlives its worker: ask it to stop and wait for it.
  if (thread_ && thread_->isRunning()) {
    cancelado_ = true;
    thread_->wait();
  }
}

void TfrmProgImporta::Preparar(int op, const QString &Titulo, const QStringList &Etapas) {
  Operacao = op;
  maximo_ = 0;
  posicao_ = 0;
  for (auto &e : etapas_)
    e = 0;
  cancelado_ = false;
  semCancelamento_ = false;
  Sucesso = false;
  CodigoErro.clear();
  for (QLabel *img : {imgValidandoArquivoEmAndamento, imgValidandoArquivoConcluido,
                      imgValidandoInformacoesEmAndamento, imgValidandoInformacoesConcluido,
                      imgValidandoIncluirInformEmAndamento, imgValidandoIncluirInformConcluido,
                      imgAtuzalizandoArvoreEmAndamento, imgAtuzalizandoArvoreConcluido})
    img->hide();
  setWindowTitle(Titulo);
  QLabel *rotulos[] = {LabelInformacao01, LabelInformacao02, LabelInformacao03, LabelInformacao04};
  for (int i = 0; i < 4; ++i) {
    const QString t = i < Etapas.size() ? Etapas.at(i) : QString();
    rotulos[i]->setText(t);
    rotulos[i]->setVisible(!t.isEmpty());
  }
  LabelProgresso->show();
  Gauge->setRange(0, 0);
  Gauge->setValue(0);
}

// ------------------------------------------------------------- IProgresso

void TfrmProgImporta::DefinirMaximo(int maximo) {
  maximo_ = maximo;
}

void TfrmProgImporta::Avancar(bool AumentarMaximo) {
  if (AumentarMaximo)
    ++maximo_;
  ++posicao_;
}

void TfrmProgImporta::Etapa(int codigo) {
  if (codigo >= 1 && codigo <= 4)
    etapas_[codigo - 1] = 1;
  else if (codigo >= 5 && codigo <= 8)
    etapas_[codigo - 5] = 2;
  if (codigo == EtapaSemCancelamento)
    semCancelamento_ = true;
  // The last step (the tree) has no lines of its own to count.
  if (codigo == 8)
    posicao_ = static_cast<int>(maximo_);
}

void TfrmProgImporta::AtualizarTela() {
  const int maximo = maximo_;
  Gauge->setRange(0, maximo > 0 ? maximo : 1);
  Gauge->setValue(std::min<int>(posicao_, Gauge->maximum()));
  QLabel *andamento[] = {imgValidandoArquivoEmAndamento, imgValidandoInformacoesEmAndamento,
                         imgValidandoIncluirInformEmAndamento, imgAtuzalizandoArvoreEmAndamento};
  QLabel *concluido[] = {imgValidandoArquivoConcluido, imgValidandoInformacoesConcluido,
                         imgValidandoIncluirInformConcluido, imgAtuzalizandoArvoreConcluido};
  for (int i = 0; i < 4; ++i) {
    const int e = etapas_[i];
    andamento[i]->setVisible(e == 1);
    concluido[i]->setVisible(e == 2);
  }
  if (etapas_[3] > 0 && !LabelInformacao04->text().isEmpty())
    LabelInformacao04->show();
  if (semCancelamento_)
    btnCancelar->setEnabled(false);
}

// ------------------------------------------------------------------ running

void TfrmProgImporta::showEvent(QShowEvent *e) {
  QDialog::showEvent(e);
  if (!iniciado_) {
    iniciado_ = true;
    QTimer::singleShot(0, this, &TfrmProgImporta::Iniciar);
  }
}

void TfrmProgImporta::Iniciar() {
  execucao_ = std::make_unique<TExecucaoArquivo>();
  execucao_->Operacao = Operacao;
  execucao_->NomeArquivo = NomeArquivo;
  execucao_->Progresso = this;
  // The tree belongs to the main thread: the worker waits while it is rebuilt.
  execucao_->AtualizarArvore = [this] {
    QMetaObject::invokeMethod(
        this,
        [] {
          if (AtualizarArvore)
            AtualizarArvore();
        },
        Qt::BlockingQueuedConnection);
  };
  thread_ = std::make_unique<TMyThread>(execucao_.get());
  connect(thread_.get(), &QThread::finished, this, &TfrmProgImporta::Concluir,
          Qt::QueuedConnection);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  timer_->start();
  thread_->start(QThread::NormalPriority);
}

void TfrmProgImporta::Concluir() {
  timer_->stop();
  thread_->wait();
  AtualizarTela();
  QApplication::restoreOverrideCursor();
  Sucesso = execucao_->Sucesso;
  CodigoErro = execucao_->CodigoErro;
  if (Operacao == opImportarFolha && Sucesso)
    hide();
  PosProcessar();
  execucao_->Objeto.reset();
  terminado_ = true;
  done(Sucesso ? QDialog::Accepted : QDialog::Rejected);
}

void TfrmProgImporta::PosProcessar() {
  // A signal ends the program: nothing more is asked or shown.
  const bool cancelado = cancelado_ || SinalRecebido() != 0;
  if (Operacao == opImportarFolha) {
    if (Sucesso) {
      if (cancelado)
        return;
      TUtilitarios::Mensagem(QStringLiteral("990074"), dtInformacao);
      if (TUtilitarios::Mensagem(QStringLiteral("990075"), dtConfirmacao, 0, QString(), 0,
                                 mbYes | mbNo) == mrYes &&
          SolicitarSaldo) {
        auto *folha = dynamic_cast<TArqFolha *>(execucao_->Objeto.get());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (folha)
          SolicitarSaldo(folha->Indice);
        QApplication::restoreOverrideCursor();
      }
      return;
    }
    const QString nome = NomeArquivo.trimmed();
    if (cancelado || nome.isEmpty() || nome == QStringLiteral("VESK.re"))
      return;
    if (CodigoErro == QStringLiteral("0396")) {
      TUtilitarios::Mensagem(QStringLiteral("99") + CodigoErro, dtErro);
      return;
    }
    PedidoDialogo p;
    p.Tipo = dtConfirmacao;
    p.Titulo = QString::fromUtf8(NomeProduto);
    p.Texto = QStringLiteral("990209 - Não foi possível finalizar a validação do arquivo. Deseja "
                             "visualizar/imprimir o relatório de inconsistência?");
    p.Botoes = mbYes | mbNo;
    p.BotaoPadrao = 0;
    if (MostrarDialogo(p) == mrYes) {
      if (RelatorioInconsistencias)
        RelatorioInconsistencias(tiFolha);
    } else {
      TUtilitarios::Mensagem(QStringLiteral("990476"), dtInformacao);
    }
    return;
  }
  if (Operacao == opCargaSaldo) {
    PosProcessarCargaSaldo(cancelado);
    return;
  }
  if (Operacao == opRetornoGuia) {
    if (Sucesso || cancelado || CodigoErro.isEmpty())
      return;
    if (CodigoErro == QStringLiteral("0396")) {
      TUtilitarios::Mensagem(QStringLiteral("99") + CodigoErro, dtErro);
      return;
    }
    if (TUtilitarios::Mensagem(QStringLiteral("CT") + CodigoErro, dtConfirmacao, 0, QString(), 0,
                               mbYes | mbNo) == mrYes) {
      if (RelatorioInconsistencias)
        RelatorioInconsistencias(tiGuiaProcessada);
    } else {
      TUtilitarios::Mensagem(QStringLiteral("990476"), dtInformacao);
    }
    return;
  }
  if (Operacao == opOcorrenciaChave) {
    if (Sucesso || cancelado || CodigoErro.isEmpty())
      return;
    TUtilitarios::Mensagem(QStringLiteral("990385"), dtErro);
    if (CodigoErro == QStringLiteral("0396"))
      return;
    // A refused file says why: its inconsistencies are one answer away.
    if (TUtilitarios::Mensagem(QStringLiteral("CT0209"), dtConfirmacao, 0, QString(), 0,
                               mbYes | mbNo) == mrYes) {
      if (RelatorioInconsistencias)
        RelatorioInconsistencias(tiOcorrencia);
    } else {
      TUtilitarios::Mensagem(QStringLiteral("990476"), dtInformacao);
    }
    return;
  }
  if (Operacao == opArquivoRescisorio) {
    PosProcessarRescisorio(cancelado);
    return;
  }
  // The other operations plug their own post-processing in with their Parts;
  // meanwhile a failure is at least told.
  if (!Sucesso && !cancelado && !CodigoErro.isEmpty())
    TUtilitarios::Mensagem(QStringLiteral("99") + CodigoErro, dtErro);
}

void TfrmProgImporta::PosProcessarCargaSaldo(bool cancelado) {
  auto *carga = dynamic_cast<TArqCargaSaldo *>(execucao_ ? execucao_->Objeto.get() : nullptr);
  if (carga && carga->ContasPendentes && !cancelado) {
    hide();
    TfrmConfAtualSaldoRescisorio confirmacao(parentWidget());
    if (confirmacao.CarregarPendentes(*carga))
      confirmacao.exec();
    // The request is answered by the load when it stored an account itself,
    // otherwise by the user's decision on the put-aside ones.
    if (!carga->ContaGravada) {
      try {
        carga->AtualizarProtocolo(confirmacao.Decidido);
      } catch (const std::exception &) {
      }
    }
    if (confirmacao.Decidido && !confirmacao.Cancelado && AtualizarArvore)
      AtualizarArvore();
    if (confirmacao.Cancelado) {
      CodigoErro.clear();
      Sucesso = false;
    }
    if (!confirmacao.TodasRegulares) {
      Sucesso = false;
      CodigoErro = QStringLiteral("0253");
    }
  }
  if (!Sucesso) {
    if (!cancelado && !CodigoErro.isEmpty())
      TUtilitarios::Mensagem(QStringLiteral("CT") + CodigoErro,
                             CodigoErro == QStringLiteral("0253") ? dtInformacao : dtErro);
    return;
  }
  if (TUtilitarios::Mensagem(QStringLiteral("CT0076"), dtConfirmacao, 0, QString(), 0,
                             mbYes | mbNo) == mrYes &&
      ConsultarSaldo)
    ConsultarSaldo();
}

void TfrmProgImporta::PosProcessarRescisorio(bool cancelado) {
  if (Sucesso) {
    // The file is sealed and its guides stored: the run ends and its links
    // are closed, together.
    QString codigo;
    if (!TMovimento::ConcluirFechamento(&codigo)) {
      Sucesso = false;
      CodigoErro = codigo;
      TUtilitarios::Mensagem(QStringLiteral("FE") + codigo, dtErro);
      return;
    }
    TUtilitarios::Mensagem(QStringLiteral("990245"), dtInformacao);
    if (AtualizarArvore)
      AtualizarArvore();
    return;
  }
  if (cancelado || SinalRecebido() != 0)
    return;
  TInconsistencia lista;
  if (lista.ExistemInconsistenciasMovimento() && lista.QuantidadeRegistros() > 0) {
    if (TUtilitarios::Mensagem(QStringLiteral("FE0367"), dtConfirmacao, 0, QString(), 0,
                               mbYes | mbNo) == mrYes) {
      if (RelatorioInconsistencias)
        RelatorioInconsistencias(tiMovimento);
    } else {
      TUtilitarios::Mensagem(QStringLiteral("990476"), dtInformacao);
    }
    return;
  }
  // A failure that left no report rows (envelope, database) says its code.
  if (!CodigoErro.isEmpty())
    TUtilitarios::Mensagem(QStringLiteral("FE") + CodigoErro, dtErro);
}

void TfrmProgImporta::btnCancelarClick() {
  // Cooperative: the worker stops at its next check, rolls back and ends;
  // the window closes when it has ended.
  cancelado_ = true;
  btnCancelar->setEnabled(false);
  LabelProgresso->setText(QStringLiteral("Cancelando..."));
}

void TfrmProgImporta::closeEvent(QCloseEvent *e) {
  if (!terminado_)
    e->ignore();
  else
    QDialog::closeEvent(e);
}

void TfrmProgImporta::reject() {
  // Esc does not abandon a running operation.
  if (terminado_)
    QDialog::reject();
}

void TfrmProgImporta::keyPressEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfrmProgImporta::keyReleaseEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
    e->accept();
    return;
  }
  QDialog::keyReleaseEvent(e);
}

bool TfrmProgImporta::ImportarFolha(const QString &NomeArquivo, QWidget *parent) {
  TfrmProgImporta f(parent);
  f.NomeArquivo = NomeArquivo;
  f.Preparar(opImportarFolha, QStringLiteral("Importação de Folha de Pagamento"),
             {QStringLiteral("Validando arquivo"), QStringLiteral("Validando informações"),
              QStringLiteral("Incluindo informações na base"),
              QStringLiteral("Preparando visualização da tela")});
  f.exec();
  return f.Sucesso;
}

bool TfrmProgImporta::EscolherEImportarFolha(QWidget *parent) {
  PedidoArquivo pedido;
  pedido.Titulo = QStringLiteral("Selecione o arquivo de VESK para importação");
  pedido.Nome = QStringLiteral("VESK.re");
  pedido.Filtro = QStringLiteral("Arquivo de importação VESK (VESK.re)");
  const QString nome = EscolherArquivo(pedido);
  if (nome.isEmpty())
    return false;
  return ImportarFolha(nome, parent);
}

bool TfrmProgImporta::CarregarSaldo(const QString &NomeArquivo, QWidget *parent) {
  TfrmProgImporta f(parent);
  f.NomeArquivo = NomeArquivo;
  f.Preparar(opCargaSaldo, QStringLiteral("Carga do Arquivo de Saldo Rescisório"),
             {QStringLiteral("Validando arquivo"), QStringLiteral("Validando informações"),
              QStringLiteral("Incluindo informações na base"),
              QStringLiteral("Preparando visualização da tela")});
  f.exec();
  return f.Sucesso;
}

bool TfrmProgImporta::EscolherECarregarSaldo(QWidget *parent) {
  PedidoArquivo pedido;
  pedido.Titulo = QStringLiteral("Selecione o arquivo de saldo rescisório");
  pedido.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Saldo Rescisorio"));
  pedido.Filtro = QStringLiteral("Arquivo de saldo rescisório (*.*)");
  const QString nome = EscolherArquivo(pedido);
  if (nome.isEmpty())
    return false;
  return CarregarSaldo(nome, parent);
}

bool TfrmProgImporta::CarregarRetorno(const QString &NomeArquivo, QWidget *parent) {
  TfrmProgImporta f(parent);
  f.NomeArquivo = NomeArquivo;
  f.Preparar(opRetornoGuia, QStringLiteral("Importação de Arquivo Processado"),
             {QStringLiteral("Validando arquivo"), QStringLiteral("Validando Informações"),
              QStringLiteral("Incluindo informações na base")});
  f.exec();
  return f.Sucesso;
}

bool TfrmProgImporta::EscolherECarregarRetorno(QWidget *parent) {
  PedidoArquivo pedido;
  pedido.Titulo =
      QStringLiteral("Selecione o arquivo de Guias Processadas na Vorda para importação");
  pedido.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Guia Processada"));
  pedido.Filtro = QStringLiteral("Arquivo de Guias Processadas na Vorda (*.HXF)");
  const QString nome = EscolherArquivo(pedido);
  if (nome.trimmed().isEmpty())
    return false;
  return CarregarRetorno(nome, parent);
}

bool TfrmProgImporta::CarregarChave(const QString &NomeArquivo, QWidget *parent) {
  TfrmProgImporta f(parent);
  f.NomeArquivo = NomeArquivo;
  f.Preparar(opOcorrenciaChave, QStringLiteral("Importação de Arquivo Chave Identificação"),
             {QStringLiteral("Validando arquivo"), QStringLiteral("Validando Informações"),
              QStringLiteral("Incluindo informações na base")});
  f.exec();
  return f.Sucesso;
}

bool TfrmProgImporta::EscolherECarregarChave(QWidget *parent) {
  PedidoArquivo p;
  p.Titulo = QStringLiteral("Selecione o arquivo de Ocorrência Chave Identificação");
  p.Pasta = CaminhoPrograma(QStringLiteral("Arquivos/Arquivo de Ocorrencia"));
  p.Filtro = QStringLiteral("Arquivo de Ocorrência Chave Identificação (*.*)");
  const QString nome = EscolherArquivo(p);
  if (nome.trimmed().isEmpty())
    return false;
  return CarregarChave(nome, parent);
}
