// The confirmation window of put-aside balances and the loaded-balance query,
// offscreen, over a real load of the simulated bank's answer.
#include "support/EnvelopeTeste.h"
#include "support/SaldoTeste.h"

#include "core/unUtilitarios.h"
#include "ui/uConfAtualSaldoRescisorio.h"
#include "ui/uConsultaSaldoCarregadoIS.h"
#include "ui/uSolicitacaoIS.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {
QString SalvarImagem(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  const QString caminho = QDir(pasta).absoluteFilePath(nome);
  w.grab().save(caminho);
  std::printf("captura: %s\n", qPrintable(caminho));
  return caminho;
}
} // namespace

class JanelasSaldoTeste : public SaldoTeste {
protected:
  void SetUp() override {
    SaldoTeste::SetUp();
    ImportarFolha();
    TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
        "SELECT FIRST 3 NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
        "DT_ADMISSAO_VINCULO FROM QZLTBG04_VINCULO_EMPREGATICIO ORDER BY NU_TIPO_INSO_EMPRA, "
        "NU_INSCRICAO, NU_PIS"));
    for (ds->First(); !ds->Eof(); ds->Next())
      chaves.append({ds->Fields(0).AsInteger(), ds->Fields(1).AsInt64(), ds->Fields(2).AsInt64(),
                     ds->Fields(3).AsInteger(), ds->Fields(4).AsDateTime()});
    for (int i = 0; i < chaves.size(); ++i)
      Executar(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = %1 "
                              "WHERE %2")
                   .arg(i + 1)
                   .arg(chaves[i].Condicao()));
    ASSERT_TRUE(Carregar(Responder({QStringLiteral("--contas"), QStringLiteral("2")})));
    ASSERT_EQ(carga->Pendentes.size(), 6);
  }
  int ContasDosPendentes() {
    int n = 0;
    for (const TChaveVinculo &k : chaves)
      n += Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE ") + k.Condicao());
    return n;
  }
  int Vinculos() { return Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO")); }
  QList<TChaveVinculo> chaves;
};

TEST_F(JanelasSaldoTeste, ConfirmacaoUmaLinhaPorVinculoESalvar) {
  RespostasDialogo respostas;
  TfrmConfAtualSaldoRescisorio f;
  ASSERT_TRUE(f.CarregarPendentes(*carga));
  ASSERT_EQ(f.sgTrabalhador->rowCount(), 3);
  f.show();
  SalvarImagem(f, QStringLiteral("confirmacao_saldo.png"));
  EXPECT_EQ(f.sgTrabalhador->item(0, 6)->text(), TUtilitarios::DataParaTexto(chaves[0].Admissao));
  EXPECT_TRUE(f.sgTrabalhador->isColumnHidden(2));

  // Nothing checked: CT0230 and nothing stored.
  f.btnSalvar->click();
  ASSERT_EQ(respostas.mostrados.size(), 1u);
  EXPECT_TRUE(respostas.mostrados[0].Texto.startsWith(QStringLiteral("CT0230")));
  EXPECT_EQ(ContasDosPendentes(), 0);

  // The space bar toggles a row; "Selecionar Todas" follows.
  f.sgTrabalhador->setFocus();
  f.sgTrabalhador->setCurrentCell(0, 5);
  QKeyEvent espaco(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
  QApplication::sendEvent(f.sgTrabalhador, &espaco);
  EXPECT_EQ(f.sgTrabalhador->item(0, 0)->checkState(), Qt::Checked);
  EXPECT_FALSE(f.chkSelect->isChecked());
  f.chkSelect->click();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(f.sgTrabalhador->item(i, 0)->checkState(), Qt::Checked);

  respostas.Responder(mrYes); // "Confirmar dados?"
  f.btnSalvar->click();
  EXPECT_TRUE(f.Decidido);
  EXPECT_FALSE(f.Cancelado);
  EXPECT_TRUE(f.TodasRegulares);
  EXPECT_EQ(ContasDosPendentes(), 6);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO "
                                  "<> 0")),
            0);
}

TEST_F(JanelasSaldoTeste, CancelarNaoMudaNada) {
  RespostasDialogo respostas;
  TfrmConfAtualSaldoRescisorio f;
  ASSERT_TRUE(f.CarregarPendentes(*carga));
  f.chkSelect->click();
  f.btnCancelar->click();
  EXPECT_TRUE(f.Decidido);
  EXPECT_TRUE(f.Cancelado);
  EXPECT_TRUE(respostas.mostrados.empty());
  EXPECT_EQ(ContasDosPendentes(), 0);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE IC_ESTADO_MOVIMENTO "
                                  "<> 0")),
            3);
}

TEST_F(JanelasSaldoTeste, ConsultaEExclusoes) {
  bool regulares = true;
  ASSERT_TRUE(carga->AplicarPendentes(chaves, regulares));
  RespostasDialogo respostas;
  TfrmConsultaSaldoCarregadoIS f;
  f.show();
  ASSERT_EQ(f.grdEmpresa->rowCount(), 2);
  SalvarImagem(f, QStringLiteral("consulta_saldo_empresas.png"));
  f.MostrarEmpresa(0);
  EXPECT_EQ(f.pcConsulta->currentIndex(), 1);
  const int contas = f.grdTrabalhador->rowCount();
  ASSERT_GT(contas, 0);
  SalvarImagem(f, QStringLiteral("consulta_saldo_trabalhadores.png"));
  EXPECT_TRUE(f.Localizar(QStringLiteral("PIS/PASEP-") +
                          f.grdTrabalhador->item(contas - 1, 0)->text().remove(u'.').remove(u'-')));
  EXPECT_EQ(f.grdTrabalhador->item(f.grdTrabalhador->currentRow(), 0)->text(),
            f.grdTrabalhador->item(contas - 1, 0)->text());

  // One account: confirmed and deleted, the employer's sum goes down.
  const int antes = Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT"));
  respostas.Responder(mrYes);
  f.btnExcluir->click();
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG10_CONTA_EMPREGADO_ZELT")), antes - 1);
  EXPECT_EQ(f.grdTrabalhador->rowCount(), contas - 1);
  ASSERT_EQ(respostas.mostrados.size(), 2u);
  EXPECT_TRUE(respostas.mostrados[1].Texto.startsWith(QStringLiteral("SR0068")));

  // The whole second employer.
  f.pcConsulta->setCurrentIndex(0);
  f.grdEmpresa->setCurrentCell(1, 0);
  respostas.Responder(mrYes);
  f.btnExcluir->click();
  EXPECT_EQ(f.grdEmpresa->rowCount(), 1);
  EXPECT_TRUE(respostas.mostrados.back().Texto.startsWith(QStringLiteral("SR0068")));
}

TEST_F(JanelasSaldoTeste, JanelaDeSolicitacao) {
  RespostasDialogo respostas;
  InstalarSelador(pasta->Caminho());
  const QString destino = pasta->Arquivo(QStringLiteral("SolicitacaoIS.HXF"));
  EscolhasArquivo escolhas([&](const PedidoArquivo &) { return destino; });
  TfrmSolicitacaoIS f;
  f.show();
  ASSERT_EQ(f.lstEmpDisponiveis->count(), 2);
  SalvarImagem(f, QStringLiteral("solicitacao_empresas.png"));

  // Leaving the employer page needs exactly one selected employer.
  f.pcSolicitacao->setCurrentIndex(1);
  EXPECT_EQ(f.pcSolicitacao->currentIndex(), 0);
  EXPECT_TRUE(respostas.mostrados.back().Texto.startsWith(QStringLiteral("SS0116")));
  f.btnSelecionarTodosEmp->click();
  EXPECT_EQ(f.lstEmpSelecionadas->count(), 2);
  f.pcSolicitacao->setCurrentIndex(1);
  EXPECT_EQ(f.pcSolicitacao->currentIndex(), 0);
  EXPECT_TRUE(respostas.mostrados.back().Texto.startsWith(QStringLiteral("SS0403")));

  // One employer: its workers all start selected; none chosen is refused.
  f.lstEmpSelecionadas->setCurrentRow(1);
  f.btnDesmarcarEmp->click();
  ASSERT_EQ(f.lstEmpSelecionadas->count(), 1);
  const qint64 insc = f.lstEmpSelecionadas->item(0)->data(Qt::UserRole + 1).toLongLong();
  f.pcSolicitacao->setCurrentIndex(1);
  ASSERT_EQ(f.pcSolicitacao->currentIndex(), 1);
  const int trabalhadores = f.grdTrabSelecionados->rowCount();
  EXPECT_EQ(
      trabalhadores,
      Contar(
          QStringLiteral("FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = %1").arg(insc)));
  SalvarImagem(f, QStringLiteral("solicitacao_trabalhadores.png"));
  f.btnDesmarcarTodosTrab->click();
  f.btnSolicitar->click();
  EXPECT_TRUE(respostas.mostrados.back().Texto.startsWith(QStringLiteral("SS0228")));
  f.grdTrabDisponiveis->setCurrentCell(0, 0);
  f.grdTrabDisponiveis->selectRow(0);
  f.btnSelecionarTrab->click();
  ASSERT_EQ(f.grdTrabSelecionados->rowCount(), 1);

  // The other employer, selected without opening its page, takes all links.
  f.pcSolicitacao->setCurrentIndex(0);
  f.btnSelecionarTodosEmp->click();
  f.btnSolicitar->click();
  ASSERT_EQ(escolhas.pedidos.size(), 1u);
  EXPECT_TRUE(escolhas.pedidos[0].Salvar);
  EXPECT_EQ(f.result(), QDialog::Accepted);
  const QString id = Valor(QStringLiteral("SELECT NU_IDENTIFICADOR_ARQUIVO FROM QZLTBG13_ARQUIVO "
                                          "WHERE NM_ARQUIVO = '%1'")
                               .arg(destino));
  ASSERT_EQ(id.size(), 30);
  EXPECT_EQ(Contar(QStringLiteral("FROM QZLTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO "
                                  "= '%1'")
                       .arg(id)),
            1 + Vinculos() - trabalhadores);
}
