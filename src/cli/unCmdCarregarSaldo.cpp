// vesk-cli carregar-saldo ARQUIVO [--confirmar-pendentes]: the balance load
// without windows. Accounts of links in a run or closed are put aside and
// listed; --confirmar-pendentes applies them all, as choosing every row of the
// confirmation window and saving would.
#include "cli/unComandos.h"
#include "cli/unProgressoTexto.h"
#include "collection/unArqCargaSaldo.h"
#include "core/UnInconsistencia.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"

#include <QFileInfo>
#include <memory>

namespace {
QString TextoEstado(int estado) {
  switch (estado) {
  case 1:
    return QStringLiteral("marcado");
  case 2:
    return QStringLiteral("fechado");
  case 3:
    return QStringLiteral("processado");
  default:
    return QStringLiteral("-");
  }
}

void ListarPendentes(const TArqCargaSaldo &carga) {
  Saida(QStringLiteral("Vínculos com movimento fechado ou participando (contas à parte):\n"));
  for (const TContaCarregada &c : carga.VinculosPendentes()) {
    int contas = 0;
    for (const TContaCarregada &p : carga.Pendentes)
      if (p.Chave == c.Chave)
        ++contas;
    Saida(QStringLiteral("  %1 %2  PIS %3  %4  admissão %5  categoria %6  %7  %8 conta(s)\n")
              .arg(c.Chave.Tipo)
              .arg(QString::number(c.Chave.Inscricao).rightJustified(14, u'0'))
              .arg(QString::number(c.Chave.PIS).rightJustified(11, u'0'))
              .arg(c.NomeRegistrado.trimmed().toUpper())
              .arg(TUtilitarios::DataParaTexto(c.Chave.Admissao))
              .arg(c.Chave.Categoria, 2, 10, QChar(u'0'))
              .arg(TextoEstado(c.Estado))
              .arg(contas));
  }
}

int Executar(const QStringList &args) {
  QStringList resto = args;
  const bool confirmar = resto.removeAll(QStringLiteral("--confirmar-pendentes")) > 0;
  if (resto.size() != 1 || resto.first().startsWith(QStringLiteral("--"))) {
    Erro(QStringLiteral("Uso: vesk-cli carregar-saldo ARQUIVO [--confirmar-pendentes]\n"));
    return 2;
  }
  const QString arquivo = QFileInfo(resto.first()).absoluteFilePath();
  auto interrupcao = std::make_unique<TInterrupcao>();
  TProgressoTexto progresso(SaidaEhTerminal());
  TExecucaoArquivo execucao;
  execucao.Operacao = opCargaSaldo;
  execucao.NomeArquivo = arquivo;
  execucao.Progresso = &progresso;
  execucao.Executar();
  progresso.Terminar();
  const bool interrompido = TInterrupcao::Interrompido();
  interrupcao.reset();

  auto *carga = dynamic_cast<TArqCargaSaldo *>(execucao.Objeto.get());
  if (interrompido) {
    Erro(QStringLiteral("Carga cancelada; nenhum saldo foi gravado.\n"));
    return 130;
  }
  if (!execucao.ErroInesperado.isEmpty())
    Erro(QStringLiteral("Erro: %1\n").arg(execucao.ErroInesperado));
  if (!carga) {
    Erro(QStringLiteral("Arquivo de saldo não carregado: %1\n").arg(arquivo));
    return 1;
  }
  if (execucao.CodigoErro == QStringLiteral("0396"))
    Erro(QStringLiteral("A mensagem %1 não existe na tabela de mensagens (0396).\n")
             .arg(execucao.MensagemInexistente, 4, 10, QChar(u'0')));
  Saida(QStringLiteral("Contas gravadas: %1\n").arg(carga->ContasGravadas));
  Saida(QStringLiteral("Contas à parte: %1\n").arg(carga->Pendentes.size()));

  bool todasRegulares = true;
  bool decidido = false;
  if (carga->ContasPendentes) {
    ListarPendentes(*carga);
    if (confirmar) {
      QList<TChaveVinculo> chaves;
      for (const TContaCarregada &c : carga->VinculosPendentes())
        chaves.append(c.Chave);
      decidido = true;
      if (carga->AplicarPendentes(chaves, todasRegulares))
        Saida(QStringLiteral("Contas à parte aplicadas: %1 conta(s) de %2 vínculo(s)\n")
                  .arg(carga->Pendentes.size())
                  .arg(chaves.size()));
      else {
        Erro(QStringLiteral("Não foi possível aplicar as contas à parte (%1); nada foi "
                            "alterado.\n")
                 .arg(carga->CodigoErro));
        todasRegulares = false;
      }
    } else {
      Saida(QStringLiteral("As contas à parte não foram aplicadas (use --confirmar-pendentes).\n"));
    }
    // The answered request is marked by the load itself when it stored an
    // account; otherwise by the decision on the put-aside accounts.
    if (!carga->ContaGravada)
      carga->AtualizarProtocolo(decidido);
  }
  const bool tudoGravado =
      execucao.Sucesso && todasRegulares && (!carga->ContasPendentes || decidido);
  if (!execucao.Sucesso || !todasRegulares) {
    const QString codigo = !todasRegulares ? QStringLiteral("0253") : execucao.CodigoErro;
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT DE_MENSAGEM FROM QZLTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = %1")
            .arg(codigo.toInt()));
    Erro(QStringLiteral("CT%1 - %2\n")
             .arg(codigo, ds->IsEmpty() ? QString() : ds->Fields(0).AsString().trimmed()));
  }
  ListarInconsistencias(tiCargaSaldo);
  return tudoGravado ? 0 : 1;
}

TRegistroComando Registro({QStringLiteral("carregar-saldo"),
                           QStringLiteral("carregar-saldo ARQUIVO [--confirmar-pendentes]"),
                           QStringLiteral("carrega o arquivo de saldo rescisório do banco; "
                                          "--confirmar-pendentes aplica as contas de vínculos "
                                          "em movimento ou fechados"),
                           true, Executar});
} // namespace
