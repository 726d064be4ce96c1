#include "support/SaldoTeste.h"

#include "collection/unSolicitacaoSaldoRecisorio.h"
#include "core/unTexto1252.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

void SaldoTeste::ImportarFolha(const QStringList &argumentos) {
  const QStringList linhas = Gerar(argumentos);
  arquivoFolha = Gravar(linhas, QStringLiteral("folha.re"));
  if (!Importar(arquivoFolha))
    throw std::runtime_error("a folha gerada não foi importada");
}

QString SaldoTeste::Solicitar() {
  TSolicitacaoSaldoRecisorio s;
  const TArrRegRegistro indice = TSolicitacaoSaldoRecisorio::IndiceVinculos();
  if (!s.MontarLinhas(indice))
    throw std::runtime_error("solicitação vazia");
  identificador = s.Identificador;
  if (!s.RegistrarSolicitacao(identificador, pasta->Arquivo(QStringLiteral("sol.HXF")), indice))
    throw std::runtime_error("solicitação não registrada");
  solicitacao = Gravar(s.Linhas, QStringLiteral("SolicitacaoIS.HX"));
  return solicitacao;
}

QString SaldoTeste::Responder(const QStringList &argumentos,
                              std::vector<TInconsistenciaLida> *esperados, const QString &nome) {
  if (solicitacao.isEmpty())
    Solicitar();
  const QString saida = pasta->Arquivo(nome);
  QProcess p;
  p.start(QStringLiteral("python3"),
          QStringList{QStringLiteral(VESK_SOURCE_DIR "/tools/banco/banco.py"),
                      QStringLiteral("saldo"), solicitacao, saida, QStringLiteral("--folha"),
                      arquivoFolha} +
              argumentos);
  if (!p.waitForFinished(120000) || p.exitCode() != 0)
    throw std::runtime_error("banco saldo falhou: " + p.readAllStandardError().toStdString());
  if (esperados) {
    esperados->clear();
    for (const QByteArray &l : p.readAllStandardOutput().split('\n')) {
      if (l.trimmed().isEmpty())
        continue;
      const QJsonObject o = QJsonDocument::fromJson(l).object();
      TInconsistenciaLida i;
      i.Mensagem = o.value(QStringLiteral("mensagem")).toInt();
      i.Linha = o.value(QStringLiteral("linha")).toInt();
      i.Registro = o.value(QStringLiteral("registro")).toString();
      esperados->push_back(i);
    }
  }
  return saida;
}

bool SaldoTeste::Carregar(const QString &caminho, IProgresso *progresso) {
  carga = std::make_unique<TArqCargaSaldo>();
  carga->NomeArquivo = caminho;
  carga->Progresso = progresso;
  carga->DataCarga = Hoje();
  return carga->Importar();
}

QStringList SaldoTeste::LerLinhas(const QString &caminho) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly))
    return {};
  QStringList linhas = DeWin1252(f.readAll()).split(QStringLiteral("\r\n"));
  if (!linhas.isEmpty() && linhas.last().isEmpty())
    linhas.removeLast();
  return linhas;
}
