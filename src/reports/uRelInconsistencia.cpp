#include "reports/uRelInconsistencia.h"

#include "core/UnInconsistencia.h"
#include "core/unGlobal.h"
#include "core/unUtilitarios.h"
#include "registry/unTResponsavel.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"

#include <QApplication>

namespace {
QString TipoArquivo(int tipo) {
  switch (tipo) {
  case tiFolha:
    return QStringLiteral("FOLHA DE PAGAMENTO");
  case tiCargaSaldo:
    return QStringLiteral("ARQUIVO SALDO RESCISÓRIO");
  case tiGuiaProcessada:
    return QStringLiteral("ARQUIVO GUIAS PROCESSADAS");
  case tiOcorrencia:
    return QStringLiteral("ARQUIVO OCORRÊNCIA CHAVE IDENTIFICAÇÃO");
  default:
    return QString();
  }
}

// Fills the first "&" of a text; with none, the text is left as it is.
QString Preencher(QString texto, const QString &valor) {
  const int p = texto.indexOf(u'&');
  if (p >= 0)
    texto.replace(p, 1, valor);
  return texto;
}

// Type 2 gives the 12 digits, any other type (or none) the CNPJ mask; an
// empty inscription stays empty.
QString InscricaoGrupo(const QString &tipo, const QString &inscricao) {
  const QString d = TUtilitarios::Digitos(inscricao);
  if (d.isEmpty())
    return QString();
  if (tipo.trimmed() == QLatin1String("2"))
    return TUtilitarios::CompletarZeros(d, 12);
  return TUtilitarios::FormatarCNPJ(d);
}

bool Mostrar(TRelInconsistencia &rel, int tipo, QWidget *pai) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = false;
  try {
    ok = rel.Preparar(tipo);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
  if (!ok) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(rel, pai);
  return true;
}
} // namespace

QString TRelInconsistencia::AdmissaoImpressa(const QString &armazenada) {
  const QString d = TUtilitarios::Digitos(armazenada);
  // The registry keeps the date as "yyyy-mm-dd": year first.
  if (d.size() == 8 && armazenada.trimmed().indexOf(u'-') == 4)
    return d.mid(6, 2) + u'/' + d.mid(4, 2) + u'/' + d.left(4);
  return d;
}

QString TRelInconsistencia::TextoErro(int tipo, int mensagem, const QString &texto,
                                      const QString &conteudo) {
  const QString numero = TUtilitarios::CompletarZeros(QString::number(mensagem), 4);
  QString t = texto.trimmed();
  if (tipo == tiMovimento) {
    if (mensagem == 201) {
      // The period goes after the text, in the place of its "&" when it has one.
      const QString periodo = TUtilitarios::PeriodoProrata(false);
      t = t.contains(u'&') ? Preencher(t, periodo) : t + u' ' + periodo;
    }
  } else if (mensagem == 201) {
    t = Preencher(t, TUtilitarios::PeriodoProrata(true));
  } else if (mensagem == 372) {
    // The field holds the month as "mmyyyy"; a shorter content fills what it has.
    const QString c = conteudo.trimmed();
    t = Preencher(t, c.left(2) + u'/' + c.mid(2, 4));
    t = Preencher(t, TUtilitarios::DataParaTexto(DataEditalProrata));
  }
  return numero + QStringLiteral(" - ") + t;
}

bool TRelInconsistencia::Preparar(int tipo) {
  TInconsistencia inc;
  if (!inc.ListarPorArquivo(tipo))
    return false;
  const bool fechamento = tipo == tiMovimento;
  Dados = {};
  if (fechamento) {
    Dados.Definicao = QStringLiteral("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE FECHAMENTO");
    Dados.Versao = LinhaVersaoPadrao();
    TResponsavel resp;
    resp.CarregarResponsavel();
    QString insc = resp.NU_INSCRICAO;
    if (resp.NU_TIPO_INSO_EMPRA == 1)
      insc = TUtilitarios::FormatarCNPJ(resp.NU_INSCRICAO);
    else if (resp.NU_TIPO_INSO_EMPRA == 2)
      insc = TUtilitarios::CompletarZeros(QString::number(resp.InscricaoNumero()), 12);
    Dados.Cabecalho = {QStringLiteral("RESPONSÁVEL: ") + insc + QStringLiteral(" - ") +
                       resp.NO_RAZAO_SOCIAL.trimmed()};
    Dados.Colunas = {{{QStringLiteral("TRABALHADOR"), 0, 105},
                      {QStringLiteral("PIS/PASEP"), 107, 32},
                      {QStringLiteral("ADMISSÃO"), 141, 22},
                      {QStringLiteral("CAT"), 165, 10},
                      {QStringLiteral("CONTEÚDO DO CAMPO"), 177, 100}},
                     {{QStringLiteral("CÓDIGO - DESCRIÇÃO DO ERRO"), 0, 277}}};
  } else {
    Dados.Definicao = QStringLiteral("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE CARGA");
    Dados.Versao = QStringLiteral("VESK ELETRÔNICA ") + TUtilitarios::VersaoSistema(true);
    Dados.Titulos = {TipoArquivo(tipo)};
    Dados.Colunas = {{{QStringLiteral("TRABALHADOR"), 0, 95},
                      {QStringLiteral("PIS/PASEP"), 97, 32},
                      {QStringLiteral("ADMISSÃO"), 131, 22},
                      {QStringLiteral("CAT"), 155, 10},
                      {QStringLiteral("REGISTRO"), 167, 18},
                      {QStringLiteral("CONTEÚDO DO CAMPO"), 187, 90}},
                     {{QStringLiteral("LINHA DO ERRO"), 0, 25},
                      {QStringLiteral("CÓDIGO - DESCRIÇÃO DO ERRO"), 27, 250}}};
  }
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL")};
  for (inc.Primeiro(); !inc.FimDados(); inc.Proximo()) {
    const QString insc = InscricaoGrupo(inc.NU_TIPO_INSCRICAO_EMPRESA, inc.NU_INSCRICAO_EMPRESA);
    const QString nome = inc.NO_RAZAO_SOCIAL.trimmed();
    QStringList cabecalho;
    if (!insc.isEmpty()) {
      QString linha = QStringLiteral("EMPRESA: ") + insc;
      if (!nome.isEmpty())
        linha += QStringLiteral(" - ") + nome;
      cabecalho << linha;
    }
    TGrupoRel &g = Dados.Grupo(cabecalho, false, {insc, nome});
    QString conteudo = inc.DE_CONTEUDO_CAMPO.trimmed();
    if (conteudo == QLatin1String("30/12/1899"))
      conteudo = QStringLiteral("00000000");
    const QString erro = TextoErro(tipo, inc.NU_MENSAGEM, inc.DE_MENSAGEM, inc.DE_CONTEUDO_CAMPO);
    const QString pis = inc.CO_PIS_INCONSISTENCIA.trimmed();
    TEntradaRel e;
    QStringList primeira = {inc.NO_EMPREGADO.trimmed(),
                            pis == QLatin1String("0") ? QString() : FormatoRel::PIS(pis),
                            AdmissaoImpressa(inc.DT_ADMISSAO_INCONSISTENCIA),
                            inc.CO_CATEGORIA_INCONSISTENCIA.trimmed()};
    if (fechamento) {
      primeira << conteudo;
      e.Linhas = {primeira, {erro}};
    } else {
      primeira << inc.CO_REGISTRO.trimmed() << conteudo;
      e.Linhas = {primeira,
                  {TUtilitarios::CompletarZeros(QString::number(inc.NU_LINHA_ERRO), 5), erro}};
    }
    g.Entradas.append(e);
  }
  Rediagramar();
  return !Dados.Vazio();
}

bool TRelInconsistenciaFechamento::CarregarFechamento() {
  temDados_ = Preparar(tiMovimento);
  carregado_ = true;
  return temDados_;
}

bool TRelInconsistenciaFechamento::VisualizarFechamento(QWidget *pai) {
  if (!carregado_)
    return Mostrar(*this, tiMovimento, pai);
  if (!temDados_) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(*this, pai);
  return true;
}

bool VisualizarInconsistencias(int tipo, QWidget *pai) {
  if (tipo == tiMovimento) {
    TRelInconsistenciaFechamento rel;
    return rel.VisualizarFechamento(pai);
  }
  TRelInconsistencia rel;
  return Mostrar(rel, tipo, pai);
}

bool VisualizarFolha(QWidget *pai) {
  return VisualizarInconsistencias(tiFolha, pai);
}
bool VisualizarSaldo(QWidget *pai) {
  return VisualizarInconsistencias(tiCargaSaldo, pai);
}
bool VisualizarGuiasProcessadas(QWidget *pai) {
  return VisualizarInconsistencias(tiGuiaProcessada, pai);
}

bool PerguntarInconsistenciasFechamento(QWidget *pai) {
  TRelInconsistenciaFechamento rel;
  if (!rel.CarregarFechamento())
    return false;
  if (TUtilitarios::Mensagem(QStringLiteral("FE0367"), dtConfirmacao, 0, QString(), 0,
                             mbYes | mbNo) == mrYes)
    rel.VisualizarFechamento(pai);
  else
    TUtilitarios::Mensagem(QStringLiteral("990476"), dtInformacao);
  return true;
}
