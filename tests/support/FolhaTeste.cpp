#include "support/FolhaTeste.h"

#include "core/unTexto1252.h"

#include <QDate>
#include <QFile>
#include <QProcess>

void FolhaTeste::SetUp() {
  BancoTeste::SetUp();
  recolhimento = DataRecolhimento();
}

QString FolhaTeste::DataRecolhimento() {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT MIN(DT_RECOLHIMENTO_PRORATA) FROM QZLTBT18_INDICE_PRORATA"));
  QDate ref = ds->Fields(0).IsNull() ? QDate::currentDate() : ds->Fields(0).AsDate();
  const QDate dia10(ref.year(), ref.month(), 10);
  TDataSetPtr util = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT MIN(DT_UTIL) FROM QZLTBT15_DIA_UTIL WHERE DT_UTIL >= '%1'")
          .arg(dia10.toString(QStringLiteral("yyyy-MM-dd"))));
  return util->Fields(0).AsDate().toString(QStringLiteral("ddMMyyyy"));
}

QStringList FolhaTeste::Gerar(const QStringList &argumentos) {
  const QString saida = pasta->Arquivo(QStringLiteral("gerado.re"));
  QProcess p;
  p.start(QStringLiteral("python3"),
          QStringList{QStringLiteral(VESK_SOURCE_DIR "/tools/gerar_folha/gerar_folha.py"), saida,
                      QStringLiteral("--recolhimento"), recolhimento,
                      // the earlier mix of values, which the import tests were written on
                      QStringLiteral("--variado")} +
              argumentos);
  if (!p.waitForFinished(120000) || p.exitCode() != 0)
    throw std::runtime_error("gerador falhou: " + p.readAllStandardError().toStdString());
  QFile f(saida);
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error("arquivo gerado ausente");
  QStringList linhas = DeWin1252(f.readAll()).split(QStringLiteral("\r\n"));
  if (!linhas.isEmpty() && linhas.last().isEmpty())
    linhas.removeLast();
  return linhas;
}

QString FolhaTeste::Gravar(const QStringList &linhas, const QString &nome) {
  QByteArray dados;
  for (const QString &l : linhas)
    dados += ParaWin1252(l) + "\r\n";
  pasta->EscreverArquivo(nome, dados);
  return pasta->Arquivo(nome);
}

bool FolhaTeste::Importar(const QString &caminho, IProgresso *progresso) {
  folha = std::make_unique<TArqFolha>();
  folha->NomeArquivo = caminho;
  folha->Progresso = progresso;
  return folha->Importar();
}

std::vector<TInconsistenciaLida> FolhaTeste::Inconsistencias(int arquivo) {
  std::vector<TInconsistenciaLida> r;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT NU_MENSAGEM, NU_LINHA_ERRO, CO_REGISTRO, DE_CONTEUDO_CAMPO FROM "
                     "QZLTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = %1 ORDER BY "
                     "NU_INCONSISTENCIA")
          .arg(arquivo));
  for (ds->First(); !ds->Eof(); ds->Next()) {
    QString c = ds->Fields(3).AsString();
    while (c.endsWith(u' '))
      c.chop(1);
    r.push_back({ds->Fields(0).AsInteger(), ds->Fields(1).AsInteger(),
                 ds->Fields(2).AsString().trimmed(), c});
  }
  return r;
}

int FolhaTeste::LinhasCadastro() {
  int n = 0;
  for (const char *t :
       {"QZLTBG01_ABERTURA_RECOLHIMENTO", "QZLTBG02_EMPRESA", "QZLTBG03_EMPREGADO",
        "QZLTBG04_VINCULO_EMPREGATICIO", "QZLTBG05_ALTERACAO_CADASTRAL",
        "QZLTBG06_INFORMACAO_RESCISAO", "QZLTBG07_COMPLEMENTO_SALDO",
        "QZLTBG10_CONTA_EMPREGADO_ZELT", "QZLTBG22_EMPREGADO_CNSGTRA", "QZLTBG30_REPOSICAO_VAGA"})
    n += Contar(QStringLiteral("FROM ") + QString::fromLatin1(t));
  return n;
}

void FolhaTeste::Trocar(QStringList &linhas, int linha, int posicao, const QString &texto) {
  QString &l = linhas[linha - 1];
  if (l.size() < posicao - 1 + texto.size())
    l = l.leftJustified(posicao - 1 + texto.size(), u' ');
  l.replace(posicao - 1, texto.size(), texto);
}
