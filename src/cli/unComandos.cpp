#include "cli/unComandos.h"

#include "core/unFBUtils.h"
#include "core/unGlobal.h"
#include "core/unInicializacao.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {
void Escrever(FILE *f, const QString &texto) { std::fputs(texto.toUtf8().constData(), f); }

const char *Ajuda =
    "Uso: vesk-cli [--pasta PASTA] COMANDO [opções]\n"
    "\n"
    "Opções gerais:\n"
    "  --pasta PASTA   pasta do programa, que contém BD/VESK.FDB e MOLT.ini\n"
    "                  (padrão: a pasta do executável)\n"
    "  --ajuda, -h     mostra esta ajuda\n"
    "\n"
    "Comandos:\n"
    "  versao          mostra a versão do banco de dados\n";

// Opens the program folder's database; prints why when it cannot.
bool AbrirBanco() {
  if (!IbxUtils)
    IbxUtils = new TIbxUtils();
  IbxUtils->NomeBanco = CaminhoPrograma(QStringLiteral("BD/VESK.FDB"));
  IbxUtils->Usuario = QStringLiteral("SYSDBA");
  IbxUtils->Senha = QStringLiteral("tulipvane");
  if (!QFileInfo::exists(IbxUtils->NomeBanco)) {
    Escrever(stderr, QStringLiteral("Banco de dados não encontrado: %1\n").arg(IbxUtils->NomeBanco));
    return false;
  }
  try {
    PrepararPastaBloqueio();
    IbxUtils->Conectar();
    CarregarDataEditalProrata();
    CarregarDataPagamento();
    return true;
  } catch (const std::exception &e) {
    Escrever(stderr, QStringLiteral("Não foi possível abrir o banco de dados %1:\n%2\n")
                         .arg(IbxUtils->NomeBanco, QString::fromUtf8(e.what())));
    return false;
  }
}

int ComandoVersao() {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT FIRST 1 CO_VERSAO_SISTEMA FROM QZLTBT22_PARAMETRO_SISTEMA ORDER BY DT_VERSAO_SISTEMA DESC"));
  Escrever(stdout, (ds->IsEmpty() ? QString() : ds->Fields(0).AsString()) + u'\n');
  return 0;
}
} // namespace

int ExecutarLinhaComando(const QStringList &argumentos) {
  QStringList args = argumentos.mid(1);
  AplicarFormatos();
  while (!args.isEmpty() && args.first().startsWith(u'-')) {
    const QString op = args.takeFirst();
    if (op == QStringLiteral("--ajuda") || op == QStringLiteral("-h") || op == QStringLiteral("--help")) {
      Escrever(stdout, QString::fromUtf8(Ajuda));
      return 0;
    }
    if (op == QStringLiteral("--pasta") && !args.isEmpty()) {
      DefinirPastaPrograma(args.takeFirst());
      continue;
    }
    Escrever(stderr, QStringLiteral("Opção desconhecida: %1\n\n").arg(op) + QString::fromUtf8(Ajuda));
    return 2;
  }
  if (args.isEmpty()) {
    Escrever(stderr, QString::fromUtf8(Ajuda));
    return 2;
  }
  const QString comando = args.takeFirst();
  int status = 2;
  if (comando == QStringLiteral("versao")) {
    if (!AbrirBanco()) {
      EncerrarBanco();
      return 1;
    }
    try {
      status = ComandoVersao();
    } catch (const std::exception &e) {
      Escrever(stderr, QString::fromUtf8(e.what()) + u'\n');
      status = 1;
    }
  } else {
    Escrever(stderr, QStringLiteral("Comando desconhecido: %1\n\n").arg(comando) + QString::fromUtf8(Ajuda));
  }
  EncerrarBanco();
  return status;
}
