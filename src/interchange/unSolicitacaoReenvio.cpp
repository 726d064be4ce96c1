#include "interchange/unSolicitacaoReenvio.h"

#include "core/unTexto1252.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "envelope/uFuncoesLKW.h"
#include "interchange/unLeiauteReenvio.h"
#include "interchange/unProtocolo.h"
#include "registry/unTResponsavel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
namespace L = LeiauteReenvio;

// Digits only, the rightmost ones when there are more than the field holds.
QString Numero(const QString &t, int n) {
  return Utilitarios.Digitos(t).right(n);
}
} // namespace

void TSolicitacaoReenvio::MontarLinhas(const TResponsavel &Responsavel,
                                       const QList<TGuiaReenvio> &Guias, TDateTime Data) {
  Linhas.clear();
  const QString data = Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), false, Data);
  QStringList cabecalho = {QStringLiteral("0"),
                           data,
                           QStringLiteral("02ZELT"),
                           QString::number(Responsavel.NU_TIPO_INSO_EMPRA).right(1),
                           Numero(Responsavel.NU_INSCRICAO, 14),
                           Responsavel.NO_RAZAO_SOCIAL,
                           QStringLiteral("ICP"),
                           QString(),
                           QStringLiteral("1")};
  // The identifier is made from the positions before it and then written into its own.
  Identificador = Utilitarios.GerarIdentificadorArquivo(
      MontarLinha(L::PedidoCabecalho, cabecalho)
          .left(L::PedidoCabecalho[L::pcIdentificador].Inicio - 1));
  cabecalho[L::pcIdentificador] = Identificador;
  Linhas << MontarLinha(L::PedidoCabecalho, cabecalho);
  int seq = 1;
  for (const TGuiaReenvio &g : Guias)
    Linhas << MontarLinha(
        L::PedidoGuia,
        {QStringLiteral("1"), QString::number(g.TipoInscricao).right(1), Numero(g.Inscricao, 14),
         Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), false, g.DataPagamento),
         g.CodigoBarras, QString(), QString::number(++seq)});
  Linhas << MontarLinha(L::PedidoTrailer, {QStringLiteral("9"), QString::number(Guias.size()),
                                           QString(), QString::number(++seq)});
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
