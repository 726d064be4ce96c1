#include "cli/unComandos.h"

#include "core/unConfiguracao.h"
#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"
#include "core/unInstalacao.h"
#include "core/unSinais.h"

#include <QFileInfo>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace {
std::map<QString, TComando> &Comandos() {
  static std::map<QString, TComando> c;
  return c;
}

QString Ajuda() {
  QString t =
      QStringLiteral("Uso: vesk-cli [--pasta PASTA] [--banco NOME] COMANDO [opções]\n\n"
                     "Opções gerais:\n"
                     "  --pasta PASTA   pasta do programa, que contém BD/VESK.FDB e MOLT.ini\n"
                     "                  (padrão: a pasta do executável; numa cópia instalada,\n"
                     "                  em que ela não é gravável, a pasta de dados do usuário,\n"
                     "                  ~/.local/share/vesk, criada na primeira execução)\n"
                     "  --banco NOME    banco de dados a usar, no lugar de BANCO do MOLT.ini:\n"
                     "                  um arquivo (relativo à pasta do programa ou absoluto)\n"
                     "                  ou um servidor Firebird, servidor[/porta]:caminho\n"
                     "  --ajuda, -h     mostra esta ajuda\n\n"
                     "Comandos:\n");
  for (const auto &[nome, c] : Comandos())
    t += QStringLiteral("  %1\n      %2\n").arg(c.Uso, c.Descricao);
  return t;
}

// The database given with --banco, over BANCO of MOLT.ini.
QString BancoLinhaComando;
bool BancoLinhaComandoDado = false;

// Opens the database that MOLT.ini (when the program folder has one) and
// --banco name; prints why when it cannot.
bool AbrirBanco() {
  QStringList linhas;
  LerArquivoConfiguracao(linhas); // optional here: without it, the defaults
  Configuracao = LerConfiguracao(linhas);
  if (BancoLinhaComandoDado)
    Configuracao.Banco = BancoLinhaComando;
  if (!IbxUtils)
    IbxUtils = new TIbxUtils();
  ConfigurarConexaoBanco(*IbxUtils, Configuracao);
  if (!NomeServidorBanco(IbxUtils->NomeBanco) && !QFileInfo::exists(IbxUtils->NomeBanco)) {
    Erro(QStringLiteral("Banco de dados não encontrado: %1\n").arg(IbxUtils->NomeBanco));
    return false;
  }
  try {
    AbrirBancoPrograma();
    return true;
  } catch (const EPastaBloqueio &e) {
    Erro(e.Mensagem + u'\n');
    return false;
  } catch (const EInstalacao &e) {
    Erro(e.Mensagem + u'\n');
    return false;
  } catch (const EBancoDados &e) {
    const QString clara = MensagemFalhaConexao(e, IbxUtils->NomeBanco);
    if (BancoEmUso(e))
      Erro(QStringLiteral("O banco de dados %1 está em uso por outro programa. Feche-o e tente "
                          "novamente.\n")
               .arg(IbxUtils->NomeBanco));
    else if (!clara.isEmpty())
      Erro(clara + QStringLiteral("\nDetalhe: %1\n").arg(e.Mensagem));
    else
      Erro(QStringLiteral("Não foi possível abrir o banco de dados %1:\n%2\n")
               .arg(IbxUtils->NomeBanco, e.Mensagem));
    return false;
  }
}

TRegistroComando Versao({QStringLiteral("versao"), QStringLiteral("versao"),
                         QStringLiteral("mostra a versão do banco de dados"), true,
                         [](const QStringList &) {
                           TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
                               "SELECT FIRST 1 CO_VERSAO_SISTEMA FROM QZLTBT22_PARAMETRO_SISTEMA "
                               "ORDER BY DT_VERSAO_SISTEMA DESC"));
                           Saida((ds->IsEmpty() ? QString() : ds->Fields(0).AsString()) + u'\n');
                           return 0;
                         }});
} // namespace

TRegistroComando::TRegistroComando(TComando c) { Comandos()[c.Nome] = std::move(c); }

void Saida(const QString &texto) {
  std::fputs(texto.toUtf8().constData(), stdout);
  std::fflush(stdout);
}
void Erro(const QString &texto) { std::fputs(texto.toUtf8().constData(), stderr); }
bool SaidaEhTerminal() { return isatty(fileno(stdout)); }

int ExecutarLinhaComando(const QStringList &argumentos) {
  QStringList args = argumentos.mid(1);
  AplicarFormatos();
  bool pastaDada = false;
  while (!args.isEmpty() && args.first().startsWith(u'-')) {
    const QString op = args.takeFirst();
    if (op == QStringLiteral("--ajuda") || op == QStringLiteral("-h") || op == QStringLiteral("--help")) {
      Saida(Ajuda());
      return 0;
    }
    if (op == QStringLiteral("--pasta") && !args.isEmpty()) {
      DefinirPastaPrograma(args.takeFirst());
      pastaDada = true;
      continue;
    }
    if (op == QStringLiteral("--banco") && !args.isEmpty()) {
      BancoLinhaComando = args.takeFirst();
      BancoLinhaComandoDado = true;
      continue;
    }
    Erro(QStringLiteral("Opção desconhecida: %1\n\n").arg(op) + Ajuda());
    return 2;
  }
  if (args.isEmpty()) {
    Erro(Ajuda());
    return 2;
  }
  const QString nome = args.takeFirst();
  const auto it = Comandos().find(nome);
  if (it == Comandos().end()) {
    Erro(QStringLiteral("Comando desconhecido: %1\n\n").arg(nome) + Ajuda());
    return 2;
  }
  // --pasta chooses any folder as it stands; otherwise the folder is the
  // executable's, or the user's data folder for an installed copy.
  if (!pastaDada) {
    try {
      PrepararPastaPrograma();
    } catch (const EInstalacao &e) {
      Erro(e.Mensagem + u'\n');
      return 1;
    }
  }
  if (it->second.PrecisaBanco && !AbrirBanco()) {
    EncerrarBanco();
    return 1;
  }
  int status = 1;
  try {
    status = it->second.Executar(args);
  } catch (const std::exception &e) {
    Erro(QString::fromUtf8(e.what()) + u'\n');
    status = 1;
  }
  EncerrarBanco();
  // A signal during the command: the command stopped (or had nothing to
  // stop), its transaction was rolled back and the database is closed.
  if (const int sinal = SinalRecebido()) {
    AvisarInterrupcao(sinal);
    status = StatusSinal(sinal);
  }
  return status;
}
