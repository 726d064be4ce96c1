// Damaged payroll files: seeded mutants of a generated file, each refused
// cleanly (see tests/support/MutacaoArquivos.h, which the other readers join).
#include "support/FolhaTeste.h"

#include "support/MutacaoArquivos.h"

#include <QFile>

TEST_F(FolhaTeste, MutantesDaFolhaRecusadosSemDanos) {
  const QString valido = Gravar(
      Gerar({"--empresas", "2", "--vinculos", "5", "--complementos", "0.6", "--semente", "11"}),
      QStringLiteral("valido.re"));
  QFile f(valido);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  TLeitorMutavel l;
  l.Nome = QStringLiteral("folha de pagamento");
  l.Valido = f.readAll();
  l.NumeroArquivo = tiFolha;
  l.Tabelas = {QStringLiteral("QZLTBG01_ABERTURA_RECOLHIMENTO"),
               QStringLiteral("QZLTBG02_EMPRESA"),
               QStringLiteral("QZLTBG03_EMPREGADO"),
               QStringLiteral("QZLTBG04_VINCULO_EMPREGATICIO"),
               QStringLiteral("QZLTBG05_ALTERACAO_CADASTRAL"),
               QStringLiteral("QZLTBG06_INFORMACAO_RESCISAO"),
               QStringLiteral("QZLTBG07_COMPLEMENTO_SALDO"),
               QStringLiteral("QZLTBG10_CONTA_EMPREGADO_ZELT")};
  l.Ler = [](const QString &caminho) {
    TArqFolha folha;
    folha.NomeArquivo = caminho;
    return folha.Importar();
  };
  VerificarMutantes(l, pasta->Caminho(), 300);
}
