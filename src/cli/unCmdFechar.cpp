// "fechar": closes the open collection run: checks every marked link again,
// generates the termination collection file with its guides, seals it into
// the envelope in the folder given, and closes the links.
#include "cli/unArgumentosMovimento.h"
#include "cli/unComandos.h"
#include "cli/unProgressoTexto.h"
#include "collection/unMovimento.h"
#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "core/unEsperaGuia.h"
#include "core/unSinais.h"
#include "core/unUtilitarios.h"
#include "interchange/UThread.h"
#include "interchange/unTArqRescisorio.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char *const UsoFechar = "fechar --saida PASTA [--nome ARQ.HXF] --declaro-ctps";
const char *const Declaracao = "Declaro que foi efetuada a anotação da data de rescisão na CTPS "
                               "do(s) trabalhador(es).";

QString AjudaFechar() {
  return QStringLiteral(
             "Uso: vesk-cli [--pasta PASTA] %1\n\n"
             "Fecha o movimento aberto: verifica de novo os vínculos marcados (os recusados\n"
             "saem do movimento), calcula e grava os valores, gera as guias e o arquivo\n"
             "rescisório e o grava no envelope PASTA/ARQ.HXF (GuiaVESK.HXF sem --nome).\n\n"
             "  --declaro-ctps  declara: \"%2\"\n"
             "                  sem ela o fechamento não é feito\n\n"
             "Mostra o envelope, o identificador do arquivo e, de cada guia, a inscrição, o\n"
             "total e a linha digitável. Ctrl+C cancela até a gravação das guias.\n")
      .arg(QString::fromLatin1(UsoFechar), QString::fromUtf8(Declaracao));
}

int Fechar(const QStringList &argumentos) {
  QStringList args = argumentos;
  QString saida, nome = QStringLiteral("GuiaVESK.HXF");
  bool declaro = false;
  while (!args.isEmpty()) {
    const QString op = args.takeFirst();
    if (op == QStringLiteral("--saida") && !args.isEmpty()) {
      saida = args.takeFirst();
    } else if (op == QStringLiteral("--nome") && !args.isEmpty()) {
      nome = args.takeFirst();
    } else if (op == QStringLiteral("--declaro-ctps")) {
      declaro = true;
    } else if (op == QStringLiteral("--ajuda") || op == QStringLiteral("-h")) {
      Saida(AjudaFechar());
      return 0;
    } else {
      Erro(QStringLiteral("Opção desconhecida para fechar: %1\n\n").arg(op) + AjudaFechar());
      return 2;
    }
  }
  if (saida.isEmpty() || nome.trimmed().isEmpty() || nome.contains(u'/')) {
    Erro(AjudaFechar());
    return 2;
  }
  if (!declaro) {
    Erro(QStringLiteral("O fechamento exige a declaração:\n  \"%1\"\nRepita o comando com "
                        "--declaro-ctps.\n")
             .arg(QString::fromUtf8(Declaracao)));
    return 2;
  }
  if (!QDir(saida).exists()) {
    Erro(QStringLiteral("Pasta não encontrada: %1\n").arg(saida));
    return 2;
  }
  TMovimento movimento;
  const TResultadoMarcacao preparo = movimento.PrepararFechamento();
  if (!preparo.Codigo.isEmpty()) {
    ListarFalhas(preparo.Falhas);
    Erro(QStringLiteral("FE%1 - %2\n").arg(preparo.Codigo, TextoMensagemNumero(preparo.Codigo)));
    return 1;
  }
  // The confirmation the window asks, answered by the command itself.
  Saida(QStringLiteral("990404 - %1 Sim\n").arg(TextoMensagemNumero(QStringLiteral("0404"))));

  const QString destino = QDir(saida).absoluteFilePath(nome);
  const EscolhedorArquivo anterior =
      DefinirEscolhedorArquivo([destino](const PedidoArquivo &) { return destino; });
  auto interrupcao = std::make_unique<TInterrupcao>();
  TProgressoTexto progresso(SaidaEhTerminal());
  TExecucaoArquivo execucao;
  execucao.Operacao = opArquivoRescisorio;
  execucao.Progresso = &progresso;
  execucao.Executar();
  progresso.Terminar();
  const bool interrompido = TInterrupcao::Interrompido();
  interrupcao.reset();
  DefinirEscolhedorArquivo(anterior);
  auto *arquivo = dynamic_cast<TArqRescisorio *>(execucao.Objeto.get());

  if (execucao.Sucesso && arquivo) {
    QString codigo;
    if (!TMovimento::ConcluirFechamento(&codigo)) {
      Erro(QStringLiteral("FE%1 - %2\n").arg(codigo, TextoMensagemNumero(codigo)));
      return 1;
    }
    Saida(QStringLiteral("Envelope: %1\nIdentificador: %2\n")
              .arg(arquivo->NomeArquivo, arquivo->Identificador));
    for (const TGuiaGerada &g : arquivo->Guias)
      Saida(QStringLiteral("Guia %1 %2  total %3  linha digitável %4\n")
                .arg(g.Tipo)
                .arg(QString::number(g.Inscricao).rightJustified(g.Tipo == 1 ? 14 : 12, u'0'),
                     g.Total.Formatado(), g.LinhaDigitavel));
    Saida(QStringLiteral("990245 - %1\n").arg(TextoMensagemNumero(QStringLiteral("0245"))));
    Saida(QStringLiteral("Espera do identificador de guia: %1 s\n")
              .arg(EsperaIdentificadorGuia() / 1000.0, 0, 'f', 3));
    return 0;
  }
  if (interrompido && !(arquivo && arquivo->Confirmado)) {
    Erro(QStringLiteral("Fechamento cancelado; nada foi gravado.\n"));
    return 130;
  }
  if (!execucao.ErroInesperado.isEmpty())
    Erro(QStringLiteral("Erro: %1\n").arg(execucao.ErroInesperado));
  if (!execucao.CodigoErro.isEmpty())
    Erro(QStringLiteral("FE%1 - %2\n")
             .arg(execucao.CodigoErro, TextoMensagemNumero(execucao.CodigoErro)));
  ListarInconsistencias(tiMovimento);
  return 1;
}

TRegistroComando RegistroFechar({QStringLiteral("fechar"), QString::fromLatin1(UsoFechar),
                                 QStringLiteral("fecha o movimento aberto e gera o arquivo "
                                                "rescisório com as guias"),
                                 true, Fechar});

} // namespace
