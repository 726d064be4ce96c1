// The workers listing's windows: the employer selection (sort column, the
// "&Selecionar Todas" box and the grid) and the order window that runs the
// report with the order they build.
#include "support/RelatoriosTeste.h"

#include "registry/unEmpresa.h"
#include "reports/URel_Padrao.h"
#include "reports/uQReportPreview.h"
#include "ui/uSelecaoEmpresa.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace {
// Opens the order window the selection leads to, picks a key and prints.
struct TExecucao {
  QString Ordem;
  int Paginas = -1;
  QStringList Grupos;
};
} // namespace

class RelJanelasTeste : public RelatoriosTeste {
protected:
  void SetUp() override {
    RelatoriosTeste::SetUp();
    PreencherCadastro();
  }
};

TEST_F(RelJanelasTeste, SelecaoDeEmpresasEOrdem) {
  TEmpresa empresas;
  empresas.CarregarTodas();
  TfrmSelecaoEmpresa s;
  s.CarregarEmpresas(empresas);
  s.show();
  QTreeWidget *g = s.grdEmpresa;
  ASSERT_EQ(g->topLevelItemCount(), 3);
  EXPECT_EQ(s.windowTitle(), QStringLiteral("Selecionar Empresas"));
  EXPECT_EQ(g->columnWidth(1), 460);
  EXPECT_TRUE(g->isColumnHidden(2));
  // By name at first: the first employer is selected, and the order is by
  // name with the employer's key as tie-breaker.
  EXPECT_EQ(s.EmpresasSelecionadas(), QStringList{QString::number(Cnpj1)});
  EXPECT_EQ(s.OrdemEmpresas(), QStringLiteral("NO_RAZAO_SOCIAL,NU_TIPO_INSO_EMPRA,NU_INSCRICAO"));

  s.chkSelect->setChecked(true);
  EXPECT_EQ(s.EmpresasSelecionadas().size(), 3);
  s.chkSelect->setChecked(false);
  EXPECT_EQ(s.EmpresasSelecionadas().size(), 1);
  // Selecting every row in the grid checks the box; one row less unchecks it
  // and keeps the grid's selection.
  g->selectAll();
  EXPECT_TRUE(s.chkSelect->isChecked());
  g->topLevelItem(2)->setSelected(false);
  EXPECT_FALSE(s.chkSelect->isChecked());
  EXPECT_EQ(s.EmpresasSelecionadas().size(), 2);
  // A header sort unchecks the box and changes the order passed on.
  s.chkSelect->setChecked(true);
  g->sortByColumn(0, Qt::AscendingOrder);
  EXPECT_FALSE(s.chkSelect->isChecked());
  EXPECT_EQ(s.OrdemEmpresas(), QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO"));
  // Type first, then the number: the CEI comes after both CNPJs.
  EXPECT_EQ(g->topLevelItem(2)->text(0), QString::number(Cei2));

  // The order window appends its key and runs the report.
  TExecucao e;
  InterceptarVisualizacao = [&](TRelatorioPaginado &r) {
    e.Paginas = r.QuantidadePaginas();
    for (const TGrupoRel &gr : static_cast<TRelPadrao &>(r).Dados.Grupos)
      e.Grupos << gr.Cabecalho.value(0);
  };
  TfrmRelEmpregados o(s.OrdemEmpresas(), {QString::number(Cnpj1), QString::number(Cei2)}, false);
  EXPECT_EQ(o.windowTitle(), QStringLiteral("Relatório de Trabalhadores"));
  EXPECT_EQ(o.Ordem(), QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,PIS_EMPREGADO"));
  o.rgOrdem->button(3)->setChecked(true);
  EXPECT_EQ(o.Ordem(), QStringLiteral("NU_TIPO_INSO_EMPRA,NU_INSCRICAO,CATEGORIA"));
  o.btnImprimir->click();
  InterceptarVisualizacao = nullptr;
  EXPECT_EQ(e.Paginas, 2);
  ASSERT_EQ(e.Grupos.size(), 2);
  EXPECT_TRUE(e.Grupos[0].startsWith(QStringLiteral("EMPRESA: 11.222.333/0001-81")));
  EXPECT_TRUE(o.btnImprimir->isEnabled());
}
