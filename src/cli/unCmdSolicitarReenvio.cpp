// vesk-cli solicitar-reenvio --saida ARQ.HXF LINHA...: the resend request of
// processed guides, named by the digitable lines of stored company guides
// (the window takes the same data typed by hand).
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "core/unFBUtils.h"
#include "core/unUtilitarios.h"
#include "interchange/unSolicitacaoReenvio.h"

#include <QFileInfo>

namespace {
const char *const Uso = "solicitar-reenvio --saida ARQ.HXF LINHA...";

int Executar(const QStringList &args) {
  QString saida;
  QStringList linhas;
  for (int i = 0; i < args.size(); ++i) {
    const QString &a = args.at(i);
    if (a == QStringLiteral("--saida") && i + 1 < args.size())
      saida = args.at(++i);
    else if (a.startsWith(u'-')) {
      Erro(QStringLiteral("Opção desconhecida: %1\nUso: vesk-cli %2\n").arg(a, QLatin1String(Uso)));
      return 2;
    } else
      linhas << Utilitarios.Digitos(a);
  }
  if (saida.isEmpty() || linhas.isEmpty()) {
    Erro(QStringLiteral("Uso: vesk-cli %1\n").arg(QLatin1String(Uso)));
    return 2;
  }
  QList<TGuiaReenvio> guias;
  for (const QString &l : linhas) {
    if (l.size() != 48) {
      Erro(QStringLiteral("Linha digitável inválida (48 dígitos): %1\n").arg(l));
      return 2;
    }
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, DT_RECOLHIMENTO FROM "
                       "QZLTBG08_GUIA_TOTALIZADORA WHERE CO_BARRAS = ") +
        TUtilitarios::TextoSQL(l));
    if (ds->IsEmpty()) {
      Erro(QStringLiteral("Guia não encontrada: %1\n").arg(l));
      return 1;
    }
    TGuiaReenvio g;
    g.TipoInscricao = ds->FieldByName(QStringLiteral("NU_TIPO_INSCRICAO_GUIA")).AsInteger();
    g.Inscricao = QString::number(ds->FieldByName(QStringLiteral("NU_INSCRICAO_GUIA")).AsInt64());
    g.DataPagamento = ds->FieldByName(QStringLiteral("DT_RECOLHIMENTO")).AsDateTime();
    g.LinhaDigitavel = l;
    g.CodigoBarras = TUtilitarios::CodigoBarrasDaLinha(l);
    guias << g;
  }
  TSolicitacaoReenvio s;
  if (!s.Gerar(QFileInfo(saida).absoluteFilePath(), guias)) {
    Erro(QStringLiteral("SP%1 - %2\n").arg(s.CodigoErro, TextoMensagemNumero(s.CodigoErro)));
    return 1;
  }
  Saida(QStringLiteral("Solicitação de reenvio %1: %2 guia(s) em %3\n")
            .arg(s.Identificador)
            .arg(guias.size())
            .arg(QFileInfo(saida).absoluteFilePath()));
  return 0;
}

TRegistroComando Registro({QStringLiteral("solicitar-reenvio"), QLatin1String(Uso),
                           QStringLiteral("gera a solicitação de reenvio das guias processadas "
                                          "dadas pelas linhas digitáveis"),
                           true, Executar});
} // namespace
