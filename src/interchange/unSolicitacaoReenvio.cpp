#include "interchange/unSolicitacaoReenvio.h"

#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unProtocolo.h"
#include "registry/unTResponsavel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString Sequencia(int n) {
  return QString::number(n).rightJustified(6, u'0');
}
QString Texto(const QString &t, int n) {
  return t.left(n).leftJustified(n, u' ');
}
} // namespace

void TSolicitacaoReenvio::MontarLinhas(const TResponsavel &Responsavel,
                                       const QList<TGuiaReenvio> &Guias, TDateTime Data) {
  Linhas.clear();
  const QString data = Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), false, Data);
  QString cabecalho =
      QStringLiteral("0") + data + QStringLiteral("02ZELT") +
      QString::number(Responsavel.NU_TIPO_INSO_EMPRA).right(1) +
      Utilitarios.CompletarZeros(Utilitarios.Digitos(Responsavel.NU_INSCRICAO), 14).right(14) +
      Texto(Responsavel.NO_RAZAO_SOCIAL, 21) + QStringLiteral("ICP");
  // The identifier is made from the first 54 positions and then written into them.
  Identificador = Utilitarios.GerarIdentificadorArquivo(cabecalho);
  cabecalho += Texto(Identificador, 30) + Sequencia(1);
  Linhas << cabecalho;
  int seq = 1;
  for (const TGuiaReenvio &g : Guias)
    Linhas << QStringLiteral("1") + QString::number(g.TipoInscricao).right(1) +
                  Utilitarios.CompletarZeros(Utilitarios.Digitos(g.Inscricao), 14).right(14) +
                  Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), false, g.DataPagamento) +
                  Texto(g.CodigoBarras, 44) + QString(16, u' ') + Sequencia(++seq);
  Linhas << QStringLiteral("9") + QString::number(Guias.size()).rightJustified(8, u'0') +
                QString(75, u' ') + Sequencia(++seq);
}

bool TSolicitacaoReenvio::Gerar(const QString &CaminhoEnvelope, const QList<TGuiaReenvio> &Guias) {
  CodigoErro.clear();
  if (Guias.isEmpty()) {
    CodigoErro = QStringLiteral("0088");
    return false;
  }
  TResponsavel responsavel;
  TProtocolo protocolo;
  try {
    responsavel.CarregarResponsavel();
    MontarLinhas(responsavel, Guias, Utilitarios.DataServidor());
    // The record first, all or nothing.
    TEscopoTransacao transacao(IbxUtils);
    protocolo.NU_IDENTIFICADOR_ARQUIVO = Identificador;
    protocolo.NU_ARQUIVO = ArquivoReenvio;
    protocolo.NM_ARQUIVO = CaminhoEnvelope;
    protocolo.DT_GERACAO_ARQUIVO = Utilitarios.DataServidor();
    bool ok = protocolo.Incluir();
    for (int i = 0; ok && i < Guias.size(); ++i)
      ok = protocolo.IncluirEmpresa(
          Identificador, Guias[i].TipoInscricao,
          Utilitarios.ParaInteiro64(Utilitarios.Digitos(Guias[i].Inscricao)), QString(), 0,
          Guias[i].LinhaDigitavel, Guias[i].DataPagamento);
    if (!ok) {
      CodigoErro = QStringLiteral("0144");
      Linhas.clear();
      return false; // the scope rolls back
    }
    transacao.Confirmar();
  } catch (const EBancoDados &) {
    CodigoErro = QStringLiteral("0144");
    Linhas.clear();
    return false;
  }
  const QFileInfo envelope(CaminhoEnvelope);
  const QString pasta = envelope.absolutePath() + QLatin1Char('/');
  const QString plano = QStringLiteral("GuiaVESK.HX");
  QByteArray conteudo;
  for (const QString &l : Linhas)
    conteudo += ParaWin1252(l) + "\r\n";
  Linhas.clear();
  QFile f(pasta + plano);
  bool gravado =
      f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(conteudo) == conteudo.size();
  f.close();
  const QList<TBussinessInfo> informacoes{
      {QStringLiteral("tparquivo"), QStringLiteral("6")},
      {QStringLiteral("tpresponsavel"), QString::number(responsavel.NU_TIPO_INSO_EMPRA)},
      {QStringLiteral("inscresponsavel"), responsavel.InscricaoFormatada()},
      {QStringLiteral("nomeresponsavel"), responsavel.NO_RAZAO_SOCIAL},
      {QStringLiteral("nra"), Identificador}};
  if (!gravado) {
    QFile::remove(pasta + plano);
    UltimoErro = QStringLiteral("0489");
  }
  if (!gravado || !EnvelopeArquivos(pasta, envelope.fileName(), informacoes, {plano})) {
    CodigoErro = UltimoErro;
    // No sealed file: the record of it would point at nothing.
    try {
      TEscopoTransacao transacao(IbxUtils);
      IbxUtils->ExecutarSQL(
          QStringLiteral("DELETE FROM QZLTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
          Utilitarios.TextoSQL(Identificador));
      protocolo.Excluir();
      transacao.Confirmar();
    } catch (const EBancoDados &) {
    }
    return false;
  }
  return true;
}
