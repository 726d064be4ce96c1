#include "BancoTeste.h"

#include "ConexaoTeste.h"
#include "core/unGlobal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

PastaTeste::PastaTeste(bool comBanco, bool comIni) {
  if (!dir_.isValid())
    throw std::runtime_error("não foi possível criar a pasta temporária");
  QDir d(dir_.path());
  if (comBanco) {
    d.mkpath(QStringLiteral("BD"));
    if (!QFile::copy(QStringLiteral(VESK_DB_MODELO), Banco()))
      throw std::runtime_error("não foi possível copiar o banco modelo " VESK_DB_MODELO);
    QFile::setPermissions(Banco(), QFile::ReadOwner | QFile::WriteOwner);
  }
  if (comIni)
    EscreverArquivo(QStringLiteral("MOLT.ini"),
                    "LOGSQL=N\r\nGRAVA_ARQUIVO=N\r\n" + LinhasIniConexaoTeste(Banco()));
}

QString PastaTeste::Arquivo(const QString &relativo) const {
  return QDir(dir_.path()).filePath(relativo);
}

void PastaTeste::EscreverArquivo(const QString &relativo, const QByteArray &conteudo) const {
  const QString caminho = Arquivo(relativo);
  QDir().mkpath(QFileInfo(caminho).absolutePath());
  QFile f(caminho);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(conteudo) != conteudo.size())
    throw std::runtime_error("não foi possível escrever " + caminho.toStdString());
}

QByteArray PastaTeste::LerArquivo(const QString &relativo) const {
  QFile f(Arquivo(relativo));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BancoTeste::SetUp() {
  pasta = std::make_unique<PastaTeste>();
  DefinirPastaPrograma(pasta->Caminho());
  ReconectarBanco(pasta->Banco());
  DataPagamento = NullDate;
  DataEditalProrata = NullDate;
}

void BancoTeste::TearDown() {
  delete IbxUtils;
  IbxUtils = nullptr;
  pasta.reset();
}

void BancoTeste::Executar(const QString &sql) {
  IbxUtils->ExecutarSQL(sql);
}

QString BancoTeste::Valor(const QString &sql) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(sql);
  return ds->IsEmpty() ? QString() : ds->Fields(0).AsString();
}

TSaidaCli BancoTeste::RodarCli(const QStringList &args, int limiteMs) {
  LiberarBanco();
  QProcess p;
  p.start(QStringLiteral(VESK_BIN_DIR "/vesk-cli"),
          QStringList{QStringLiteral("--pasta"), pasta->Caminho()} + args);
  EXPECT_TRUE(p.waitForFinished(limiteMs)) << args.join(u' ').toStdString();
  TSaidaCli s{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
              QString::fromUtf8(p.readAllStandardError())};
  ReconectarBanco(pasta->Banco());
  return s;
}

int BancoTeste::Contar(const QString &sqlFromWhere) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral("SELECT COUNT(*) ") + sqlFromWhere);
  return ds->Fields(0).AsInteger();
}

RespostasDialogo::RespostasDialogo() {
  anterior_ = DefinirRespondedorDialogo([this](const PedidoDialogo &p) {
    mostrados.push_back(p);
    if (!respostas_.empty()) {
      const int r = respostas_.front();
      respostas_.pop_front();
      return r;
    }
    return ResultadoDoBotao(p.BotaoPadrao);
  });
}

RespostasDialogo::~RespostasDialogo() {
  DefinirRespondedorDialogo(anterior_);
}
