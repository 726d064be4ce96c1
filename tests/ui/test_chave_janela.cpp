// The identification-key occurrence file behind the progress window: the
// file is chosen through the file-choice seam, a valid one is stored quietly,
// a refused one says so and offers its inconsistency report.
#include "core/UnInconsistencia.h"
#include "core/unDialogo.h"
#include "interchange/UThread.h"
#include "registry/unArqOcorrenciaChaveIdentificacao.h"
#include "reports/uRelOcorrenciaChave.h"
#include "support/BancoTeste.h"
#include "support/EnvelopeTeste.h"
#include "ui/uConsultaOcorrenciaChave.h"
#include "ui/uLocalizar.h"
#include "ui/uProgImporta.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ChaveJanelaTeste : public BancoTeste {
protected:
  QString Gerar(const QStringList &opcoes, const QString &nome) {
    const QString saida = pasta->Arquivo(nome);
    QByteArray out;
    EXPECT_EQ(Banco(QStringList{QStringLiteral("chave"), saida} + opcoes, pasta->Caminho(), &out),
              0);
    return saida;
  }
  QStringList Carregar(const QStringList &opcoes) {
    TExecucaoArquivo e;
    e.Operacao = opOcorrenciaChave;
    e.NomeArquivo = Gerar(opcoes, QStringLiteral("carga.txt"));
    e.Executar();
    EXPECT_TRUE(e.Sucesso);
    auto *c = dynamic_cast<TArqChaveIdentificacao *>(e.Objeto.get());
    return c ? c->CargasGravadas : QStringList();
  }
  static void Marcar(QTableWidget *g, int linha) { g->item(linha, 0)->setCheckState(Qt::Checked); }
  // Rows left of a load in each table, to show that nothing is orphaned.
  int Linhas(const QString &id) {
    int n = 0;
    for (const char *t :
         {"QZLTBG19_RESPONSAVEL_HMLGO", "QZLTBG20_EMPRESA_HMLGO", "QZLTBG21_EMPREGADO_HMLGO"})
      n += Contar(
          QStringLiteral("FROM %1 WHERE NU_IDENTIFICADOR_ARQUIVO = %2").arg(QLatin1String(t), id));
    return n;
  }
};

TEST_F(ChaveJanelaTeste, CargaPeloMenuERecusaComRelatorio) {
  const QString valido = Gerar({}, QStringLiteral("valido.txt"));
  const QString ruim =
      Gerar({QStringLiteral("--falha"), QStringLiteral("pis")}, QStringLiteral("ruim.txt"));
  QString escolhido = valido;
  PedidoArquivo pedido;
  const auto escolhedor = DefinirEscolhedorArquivo([&](const PedidoArquivo &p) {
    pedido = p;
    return escolhido;
  });
  int relatorio = 0;
  const auto anterior = TfrmProgImporta::RelatorioInconsistencias;
  TfrmProgImporta::RelatorioInconsistencias = [&relatorio](int tipo) { relatorio = tipo; };
  {
    RespostasDialogo dialogos;
    EXPECT_TRUE(TfrmProgImporta::EscolherECarregarChave());
    EXPECT_TRUE(pedido.Pasta.endsWith(QStringLiteral("Arquivos/Arquivo de Ocorrencia")));
    EXPECT_TRUE(dialogos.mostrados.empty());
    EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 1);
  }
  escolhido = ruim;
  for (int resposta : {mrYes, mrNo}) {
    relatorio = 0;
    RespostasDialogo dialogos;
    dialogos.Responder(mrOk);
    dialogos.Responder(resposta);
    EXPECT_FALSE(TfrmProgImporta::EscolherECarregarChave());
    ASSERT_GE(dialogos.mostrados.size(), 2u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("990385")))
        << dialogos.mostrados[0].Texto.toStdString();
    EXPECT_EQ(dialogos.mostrados[1].Tipo, dtConfirmacao);
    EXPECT_TRUE(dialogos.mostrados[1].Texto.startsWith(QStringLiteral("CT0209")));
    if (resposta == mrYes) {
      EXPECT_EQ(relatorio, tiOcorrencia);
      EXPECT_EQ(dialogos.mostrados.size(), 2u);
    } else {
      EXPECT_EQ(relatorio, 0);
      ASSERT_EQ(dialogos.mostrados.size(), 3u);
      EXPECT_TRUE(dialogos.mostrados[2].Texto.startsWith(QStringLiteral("990476")));
    }
  }
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG19_RESPONSAVEL_HMLGO")), 1);
  // Nothing chosen: nothing happens.
  escolhido.clear();
  EXPECT_FALSE(TfrmProgImporta::EscolherECarregarChave());
  TfrmProgImporta::RelatorioInconsistencias = anterior;
  DefinirEscolhedorArquivo(escolhedor);
}

TEST_F(ChaveJanelaTeste, SemCargasAJanelaNaoAbre) {
  RespostasDialogo dialogos;
  bool aberta = false;
  TfrmConsultaOcorrenciaChaveIdentificacao::Interceptar = [&](auto &) { aberta = true; };
  EXPECT_FALSE(TfrmConsultaOcorrenciaChaveIdentificacao::Abrir());
  TfrmConsultaOcorrenciaChaveIdentificacao::Interceptar = nullptr;
  EXPECT_FALSE(aberta);
  ASSERT_EQ(dialogos.mostrados.size(), 1u);
  EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("RE0087")));
}

TEST_F(ChaveJanelaTeste, AbasImagensEImpressao) {
  const QStringList cargas = Carregar({QStringLiteral("--cabecalhos"), QStringLiteral("3"),
                                       QStringLiteral("--empresas"), QStringLiteral("6")});
  ASSERT_EQ(cargas.size(), 3); // outcomes 1, 2, 0
  TfrmConsultaOcorrenciaChaveIdentificacao j;
  j.show();
  ASSERT_EQ(j.sgResponsavel->rowCount(), 3);
  QStringList dicas;
  int imagens = 0;
  for (int l = 0; l < 3; ++l) {
    dicas << j.sgResponsavel->item(l, 1)->toolTip();
    imagens += j.sgResponsavel->item(l, 1)->icon().isNull() ? 0 : 1;
  }
  EXPECT_EQ(dicas, (QStringList{QStringLiteral("Acatado"), QStringLiteral("Rejeitado"),
                                QStringLiteral("Sem Procuração")}));
  EXPECT_EQ(imagens, 2); // "0" has none
  EXPECT_FALSE(j.btnLocalizar->isEnabled());
  EXPECT_FALSE(j.btnImprimir->isEnabled()); // no load checked yet

  QList<TSelecaoOcorrenciaChave> impressos;
  TfrmConsultaOcorrenciaChaveIdentificacao::Imprimir = [&](const TSelecaoOcorrenciaChave &s) {
    impressos << s;
  };
  {
    // Two loads checked: neither the company page nor a print.
    RespostasDialogo dialogos;
    Marcar(j.sgResponsavel, 0);
    Marcar(j.sgResponsavel, 1);
    EXPECT_FALSE(j.btnImprimir->isEnabled());
    j.pgcConsulta->setCurrentIndex(1);
    EXPECT_EQ(j.pgcConsulta->currentIndex(), 0);
    ASSERT_EQ(dialogos.mostrados.size(), 1u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("HX0229")));
  }
  j.sgResponsavel->item(1, 0)->setCheckState(Qt::Unchecked);
  ASSERT_TRUE(j.btnImprimir->isEnabled());
  j.btnImprimir->click();
  ASSERT_EQ(impressos.size(), 1);
  EXPECT_EQ(impressos[0].Identificador, cargas[0]);
  EXPECT_TRUE(impressos[0].LinhasEmpresa.isEmpty());

  // A double click opens the next page with that row alone checked.
  emit j.sgResponsavel->cellDoubleClicked(0, 2);
  ASSERT_EQ(j.pgcConsulta->currentIndex(), 1);
  EXPECT_EQ(j.CargaMostrada(), cargas[0]);
  ASSERT_EQ(j.sgEmpresa->rowCount(), 2);
  EXPECT_FALSE(j.btnImprimir->isEnabled());
  {
    RespostasDialogo dialogos;
    j.pgcConsulta->setCurrentIndex(2); // no company checked
    EXPECT_EQ(j.pgcConsulta->currentIndex(), 1);
    EXPECT_EQ(dialogos.mostrados.size(), 1u);
  }
  Marcar(j.sgEmpresa, 1);
  j.btnImprimir->click();
  ASSERT_EQ(impressos.size(), 2);
  EXPECT_EQ(impressos[1].LinhasEmpresa, QList<int>{j.sgEmpresa->item(1, 5)->text().toInt()});
  j.pgcConsulta->setCurrentIndex(2);
  ASSERT_EQ(j.pgcConsulta->currentIndex(), 2);
  EXPECT_FALSE(j.btnExcluir->isEnabled());
  ASSERT_EQ(j.sgTrabalhador->rowCount(), 3);
  const QString caminho = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(caminho);
  j.grab().save(caminho + QStringLiteral("/consulta_chave_trabalhador.png"));
  // Sorting by name keeps the checks and orders the report the same way.
  Marcar(j.sgTrabalhador, 2);
  emit j.sgTrabalhador->horizontalHeader()->sectionClicked(2);
  EXPECT_EQ(j.OrdemTrabalhador(), QStringLiteral("TRAB.NO_EMPREGADO ASC"));
  QStringList nomes;
  for (int l = 0; l < 3; ++l)
    nomes << j.sgTrabalhador->item(l, 2)->text();
  QStringList ordenados = nomes;
  ordenados.sort();
  EXPECT_EQ(nomes, ordenados);
  j.btnImprimir->click();
  ASSERT_EQ(impressos.size(), 3);
  EXPECT_EQ(impressos[2].LinhasEmpregado.size(), 1);
  EXPECT_EQ(impressos[2].LinhaEmpresa, j.EmpresaMostrada());
  EXPECT_EQ(impressos[2].OrdemTrabalhador, QStringLiteral("TRAB.NO_EMPREGADO ASC"));
  j.pgcConsulta->setCurrentIndex(0);
  j.grab().save(caminho + QStringLiteral("/consulta_chave_responsavel.png"));
  TfrmConsultaOcorrenciaChaveIdentificacao::Imprimir = nullptr;
}

TEST_F(ChaveJanelaTeste, ExclusoesNaoDeixamOrfaos) {
  const QStringList a = Carregar({QStringLiteral("--empresas"), QStringLiteral("3")});
  const QStringList b = Carregar({QStringLiteral("--empresas"), QStringLiteral("3")});
  const QStringList c = Carregar({QStringLiteral("--empresas"), QStringLiteral("2")});
  TfrmConsultaOcorrenciaChaveIdentificacao j;
  j.show();
  // Selected companies of a load: they and their workers, nothing else.
  Marcar(j.sgResponsavel, 0);
  j.pgcConsulta->setCurrentIndex(1);
  ASSERT_EQ(j.CargaMostrada(), a.first());
  Marcar(j.sgEmpresa, 0);
  Marcar(j.sgEmpresa, 2);
  const int antes = Linhas(a.first());
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrNo);
    j.btnExcluir->click();
    ASSERT_EQ(dialogos.mostrados.size(), 1u);
    EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("HX0036")));
    EXPECT_EQ(Linhas(a.first()), antes);
  }
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrYes);
    j.btnExcluir->click();
  }
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG20_EMPRESA_HMLGO WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
                   a.first()),
            1);
  EXPECT_EQ(
      Contar(QStringLiteral("FROM QZLTBG21_EMPREGADO_HMLGO WHERE NU_IDENTIFICADOR_ARQUIVO = ") +
             a.first()),
      3);
  EXPECT_EQ(j.pgcConsulta->currentIndex(), 1);
  EXPECT_EQ(j.sgEmpresa->rowCount(), 1);
  // "&Selecionar Todas" on the company page deletes the load itself.
  j.chkTodasEmpresas->setChecked(true);
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrYes);
    j.btnExcluir->click();
  }
  EXPECT_EQ(Linhas(a.first()), 0);
  EXPECT_EQ(j.pgcConsulta->currentIndex(), 0);
  ASSERT_EQ(j.sgResponsavel->rowCount(), 2);
  // Selected loads on the first page; the last one closes the window.
  Marcar(j.sgResponsavel, 0);
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrYes);
    j.btnExcluir->click();
  }
  EXPECT_EQ(Linhas(b.first()), 0);
  EXPECT_GT(Linhas(c.first()), 0);
  EXPECT_TRUE(j.isVisible());
  j.chkTodasCargas->setChecked(true);
  {
    RespostasDialogo dialogos;
    dialogos.Responder(mrYes);
    j.btnExcluir->click();
  }
  EXPECT_EQ(Linhas(c.first()), 0);
  EXPECT_FALSE(j.isVisible());
  EXPECT_FALSE(IbxUtils->EmTransacao());
}

TEST_F(ChaveJanelaTeste, LocalizarPISNaCargaMostrada) {
  // The same file twice: the same PIS and company lines in two loads.
  const QStringList a = Carregar({QStringLiteral("--empresas"), QStringLiteral("3")});
  const QStringList b = Carregar({QStringLiteral("--empresas"), QStringLiteral("3")});
  const QString pis = Valor(
      QStringLiteral(
          "SELECT NU_PIS FROM QZLTBG21_EMPREGADO_HMLGO WHERE NU_LINHA_ARQUIVO_EMPREGADO = 8 AND "
          "NU_IDENTIFICADOR_ARQUIVO = ") +
      b.first());
  TfrmConsultaOcorrenciaChaveIdentificacao j;
  Marcar(j.sgResponsavel, 1);
  j.pgcConsulta->setCurrentIndex(1);
  ASSERT_EQ(j.CargaMostrada(), b.first());
  ASSERT_TRUE(j.LocalizarPIS(pis));
  EXPECT_EQ(j.pgcConsulta->currentIndex(), 2);
  EXPECT_EQ(j.CargaMostrada(), b.first());
  EXPECT_EQ(j.EmpresaMostrada(), 6); // company line 6 holds worker line 8
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 5)->text(), QStringLiteral("8"));
  // The keyboard: Space checks the current row, Enter opens the next page.
  j.pgcConsulta->setCurrentIndex(0);
  j.sgResponsavel->setCurrentCell(0, 2);
  QTest::keyClick(j.sgResponsavel, Qt::Key_Space);
  EXPECT_EQ(j.sgResponsavel->item(0, 0)->checkState(), Qt::Checked);
  QTest::keyClick(j.sgResponsavel, Qt::Key_Space);
  EXPECT_EQ(j.sgResponsavel->item(0, 0)->checkState(), Qt::Unchecked);
  QTest::keyClick(j.sgResponsavel, Qt::Key_Return);
  EXPECT_EQ(j.pgcConsulta->currentIndex(), 1);
  EXPECT_EQ(j.CargaMostrada(), a.first());
  RespostasDialogo dialogos;
  EXPECT_FALSE(j.LocalizarPIS(QStringLiteral("19999999999")));
  ASSERT_EQ(dialogos.mostrados.size(), 1u);
  EXPECT_TRUE(dialogos.mostrados[0].Texto.startsWith(QStringLiteral("HX0092")));
  (void)a;

  // Through "&Localizar", on load b again: the employer lookup's name on the
  // company tab, then the worker lookup's PIS from the worker tab of another
  // company.
  dialogos.mostrados.clear();
  j.pgcConsulta->setCurrentIndex(0);
  j.sgResponsavel->item(0, 0)->setCheckState(Qt::Unchecked);
  Marcar(j.sgResponsavel, 1);
  j.pgcConsulta->setCurrentIndex(1);
  ASSERT_EQ(j.CargaMostrada(), b.first());
  QString criterio;
  TfrmLocalizaPadrao::Interceptar = [&](TfrmLocalizaPadrao &f) {
    f.Confirmado = true;
    const TCriterio c = DividirCriterio(criterio);
    (c.Chave == QLatin1String("RAZAO") ? f.edtNome : f.edtInscricao)->setText(c.Valor);
  };
  ASSERT_TRUE(j.btnLocalizar->isEnabled());
  const int ultima = j.sgEmpresa->rowCount() - 1;
  const QString nomeEmpresa = j.sgEmpresa->item(ultima, 2)->text();
  criterio = QStringLiteral("RAZAO-") + nomeEmpresa.mid(1).toLower();
  j.btnLocalizar->click();
  EXPECT_EQ(j.sgEmpresa->currentRow(), ultima);
  Marcar(j.sgEmpresa, 0);
  j.pgcConsulta->setCurrentIndex(2);
  criterio = QStringLiteral("PIS/PASEP-") + pis;
  j.btnLocalizar->click();
  TfrmLocalizaPadrao::Interceptar = nullptr;
  EXPECT_TRUE(dialogos.mostrados.empty());
  EXPECT_EQ(j.CargaMostrada(), b.first());
  EXPECT_EQ(j.EmpresaMostrada(), 6);
  EXPECT_EQ(j.sgTrabalhador->item(j.sgTrabalhador->currentRow(), 5)->text(), QStringLiteral("8"));
  // No lookup on the loads' tab.
  j.pgcConsulta->setCurrentIndex(0);
  EXPECT_FALSE(j.btnLocalizar->isEnabled());
}

} // namespace
