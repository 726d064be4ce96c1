// The navigation tree built from the database: structure, kinds, images,
// refresh, and the model staying in step with the visual tree.
#include "ArvoreTeste.h"

#include "core/unGlobal.h"

TEST_F(ArvoreTeste, MontaEstruturaTiposEImagens) {
  CriarCadastro();
  ASSERT_TRUE(Arvore.MontarArvore(*visual));
  VerificarEspelho();

  QTreeWidgetItem *raiz = Item(QStringLiteral("CONTABIL RESPONSAVEL"));
  ASSERT_TRUE(raiz);
  EXPECT_EQ(arvore->topLevelItemCount(), 1);
  EXPECT_TRUE(raiz->isExpanded());
  Arvore.PrimeiroNo();
  EXPECT_EQ(Arvore.Atual.Tipo, u'R');
  EXPECT_EQ(Arvore.Atual.Inscricao, InscResp);
  // A responsible party alone is no employer node; the four employers are, sorted by name.
  ASSERT_EQ(raiz->childCount(), 4);
  QStringList empresas;
  for (int i = 0; i < raiz->childCount(); ++i)
    empresas << raiz->child(i)->text(0);
  EXPECT_EQ(empresas, (QStringList{"ALFA COMERCIO", "BETA SERVICOS", "DELTA INDUSTRIA",
                                   "GAMA SEM VINCULOS"}));

  struct Caso {
    const char *texto;
    int imagem;
    QChar tipo;
    int estado;
  } casos[] = {
      {"CONTABIL RESPONSAVEL", imgRaiz, u'R', 0},    {"ALFA COMERCIO", imgEmpresaMarcada, u'E', 1},
      {"BETA SERVICOS", imgEmpresaFechada, u'E', 2}, {"DELTA INDUSTRIA", imgEmpresa, u'E', 0},
      {"GAMA SEM VINCULOS", imgEmpresa, u'E', 0},    {"ANA", imgVinculo, u'F', 0},
      {"BRUNO", imgVinculoMarcado, u'F', 1},         {"CARLA", imgVinculoFechado, u'F', 2},
      {"DANIEL", imgVinculoProcessado, u'F', 3},     {"FABIO", imgVinculo, u'F', 0},
      {"EDUARDO NOVO A", imgAlteracaoNome, u'C', 0}, {"EDUARDO NOVO B", imgAlteracaoNome, u'C', 0},
  };
  for (const Caso &c : casos) {
    QTreeWidgetItem *i = Item(QString::fromLatin1(c.texto));
    ASSERT_TRUE(i) << c.texto;
    EXPECT_EQ(visual->Imagem(i), c.imagem) << c.texto;
    EXPECT_FALSE(i->icon(0).isNull()) << c.texto;
    ASSERT_TRUE(Arvore.SelecionarNo(i)) << c.texto;
    EXPECT_EQ(Arvore.Atual.Tipo, c.tipo) << c.texto;
    EXPECT_EQ(Arvore.Atual.Estado, c.estado) << c.texto;
  }
  EXPECT_EQ(Item(QStringLiteral("GAMA SEM VINCULOS"))->childCount(), 0);

  // Two links of the same worker with interleaved accounts: one node per link;
  // the pending changes of both accounts of category 1 hang under that link.
  const auto eduardo = Itens(QStringLiteral("EDUARDO"));
  ASSERT_EQ(eduardo.size(), 2);
  QStringList filhos;
  for (QTreeWidgetItem *v : eduardo) {
    ASSERT_TRUE(Arvore.SelecionarNo(v));
    for (int i = 0; i < v->childCount(); ++i)
      filhos << QString::number(Arvore.Atual.Categoria) + u':' + v->child(i)->text(0);
    EXPECT_EQ(Arvore.Atual.PIS, PisEduardo);
    EXPECT_EQ(Arvore.Atual.SituacaoConta, Arvore.Atual.Categoria); // lowest account state first
  }
  filhos.sort();
  EXPECT_EQ(filhos, (QStringList{"1:EDUARDO NOVO A", "1:EDUARDO NOVO B"}));
  // A confirmed change adds nothing.
  EXPECT_EQ(Item(QStringLiteral("FABIO"))->childCount(), 0);
  EXPECT_TRUE(Itens(QStringLiteral("FABIO CONFIRMADO")).isEmpty());

  // The link key and the account of a link come from its row.
  ASSERT_TRUE(
      Arvore.LocalizarVinculo(2, InscBeta, PisCarla, 1, QDateParaData(QDate(2015, 3, 2)), u'F'));
  EXPECT_EQ(Arvore.Atual.No, Item(QStringLiteral("CARLA")));
  EXPECT_TRUE(Arvore.Atual.Validado);
  EXPECT_EQ(Arvore.Atual.SituacaoConta, -1);

  EXPECT_EQ(Arvore.ContarMarcados(), 1);
  EXPECT_EQ(Arvore.ContarPorEstado({2, 3}), 2);
  EXPECT_EQ(Arvore.ContarVinculosEmpresa(Item(QStringLiteral("DELTA INDUSTRIA"))), 5);
  EXPECT_EQ(Arvore.ContarPorEstadoEmpresa(Item(QStringLiteral("BETA SERVICOS")), {3}), 1);
  EXPECT_EQ(Arvore.ResumoEmpresa(1, InscAlfa), 1);
  EXPECT_EQ(Arvore.ResumoEmpresa(2, InscBeta), 2);
  EXPECT_EQ(Arvore.ResumoEmpresa(1, InscGama), 0);
}

TEST_F(ArvoreTeste, ResponsavelQueTambemEEmpregadorApareceDuasVezes) {
  InserirEmpresa(1, InscResp, QStringLiteral("CONTABIL E EMPREGADORA"), QStringLiteral("A"));
  InserirEmpresa(1, InscAlfa, QStringLiteral("ALFA COMERCIO"), QStringLiteral("E"));
  InserirVinculo(1, InscResp, PisAna, QStringLiteral("ANA"), 1, 0);
  ASSERT_TRUE(Arvore.MontarArvore(*visual));
  VerificarEspelho();
  const auto nos = Itens(QStringLiteral("CONTABIL E EMPREGADORA"));
  ASSERT_EQ(nos.size(), 2);
  EXPECT_EQ(nos[0]->parent(), nullptr);
  EXPECT_EQ(nos[1]->parent(), nos[0]);
  EXPECT_EQ(Item(QStringLiteral("ANA"))->parent(), nos[1]);
  EXPECT_EQ(Arvore.Nos[0].Tipo, u'A');
  // A search for the employer reaches its employer node, not the root.
  ASSERT_TRUE(Arvore.LocalizarEmpresa(InscResp));
  EXPECT_EQ(Arvore.Atual.No, nos[1]);
}

TEST_F(ArvoreTeste, SemLinhasOuSemResponsavelFalhaSemMensagem) {
  RespostasDialogo dialogos;
  EXPECT_FALSE(Arvore.MontarArvore(*visual));
  EXPECT_EQ(Arvore.Quantidade(), 0);
  EXPECT_THROW(Arvore.PrimeiroNo(), ENegocio);
  EXPECT_THROW(Arvore.ProximoNo(), ENegocio);
  InserirEmpresa(1, InscAlfa, QStringLiteral("ALFA COMERCIO"), QStringLiteral("E"));
  EXPECT_FALSE(Arvore.MontarArvore(*visual));
  EXPECT_EQ(Arvore.Quantidade(), 0);
  EXPECT_EQ(arvore->topLevelItemCount(), 0);
  EXPECT_TRUE(dialogos.mostrados.empty());
}

TEST_F(ArvoreTeste, AtualizarArvoreAcompanhaBancoEMantemSelecaoEExpansao) {
  CriarCadastro();
  ASSERT_TRUE(Arvore.MontarArvore(*visual));
  QTreeWidgetItem *bruno = Item(QStringLiteral("BRUNO"));
  arvore->setCurrentItem(bruno);
  Item(QStringLiteral("DELTA INDUSTRIA"))->setExpanded(true);
  for (QTreeWidgetItem *e : Itens(QStringLiteral("EDUARDO")))
    if (e->childCount() > 0)
      e->setExpanded(true);

  // Elsewhere the database changed: a run opened, ANA marked, BRUNO closed,
  // GAMA removed, a new employer and a new pending name change.
  Executar("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
           "DT_PAGAMENTO) VALUES (1, 11222333000181, '2025-07-15')");
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 1 WHERE NU_PIS = "
           "10000000001");
  Executar("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE NU_PIS = "
           "10000000002");
  Executar("DELETE FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = 44444444000191");
  InserirEmpresa(1, 55555555000191LL, QStringLiteral("EPSILON NOVA"), QStringLiteral("E"));
  InserirConta(1, InscDelta, PisFabio, 1, 602, 2, QStringLiteral("FABIO RENOMEADO"));
  InserirAlteracaoNome(1, InscDelta, PisFabio, 1, 602, QStringLiteral("N"));

  ASSERT_TRUE(AtualizarArvore());
  EXPECT_DOUBLE_EQ(DataPagamento, QDateParaData(QDate(2025, 7, 15)));
  VerificarEspelho();
  EXPECT_TRUE(Itens(QStringLiteral("GAMA SEM VINCULOS")).isEmpty());
  EXPECT_EQ(visual->Imagem(Item(QStringLiteral("EPSILON NOVA"))), imgEmpresa);
  EXPECT_EQ(visual->Imagem(Item(QStringLiteral("ANA"))), imgVinculoMarcado);
  EXPECT_EQ(visual->Imagem(Item(QStringLiteral("ALFA COMERCIO"))), imgEmpresaMarcada);
  EXPECT_EQ(Item(QStringLiteral("FABIO RENOMEADO"))->parent(), Item(QStringLiteral("FABIO")));

  // The same link is still selected (a new item), the same nodes still expanded.
  QTreeWidgetItem *atual = arvore->currentItem();
  ASSERT_TRUE(atual);
  EXPECT_EQ(atual->text(0), QStringLiteral("BRUNO"));
  EXPECT_EQ(visual->Imagem(atual), imgVinculoFechado);
  EXPECT_EQ(Arvore.Atual.No, atual);
  EXPECT_TRUE(Item(QStringLiteral("DELTA INDUSTRIA"))->isExpanded());
  EXPECT_TRUE(Item(QStringLiteral("ALFA COMERCIO"))->isExpanded()); // holds the selection
  EXPECT_FALSE(Item(QStringLiteral("BETA SERVICOS"))->isExpanded());
  for (QTreeWidgetItem *e : Itens(QStringLiteral("EDUARDO")))
    EXPECT_EQ(e->isExpanded(), e->childCount() > 0);

  // A selection that no longer exists falls back to the first node.
  arvore->setCurrentItem(Item(QStringLiteral("EPSILON NOVA")));
  Executar("DELETE FROM QZLTBG02_EMPRESA WHERE NU_INSCRICAO = 55555555000191");
  ASSERT_TRUE(AtualizarArvore());
  EXPECT_EQ(arvore->currentItem(), Item(QStringLiteral("CONTABIL RESPONSAVEL")));
  VerificarEspelho();
}

TEST_F(ArvoreTeste, ExcluirEAdicionarNosMantemOEspelho) {
  CriarCadastro();
  ASSERT_TRUE(Arvore.MontarArvore(*visual));
  const int antes = Arvore.Quantidade();

  // An employer goes with all its link and name-change elements.
  Arvore.ExcluirNo(*visual, Item(QStringLiteral("DELTA INDUSTRIA")));
  EXPECT_EQ(Arvore.Quantidade(), antes - 6);
  EXPECT_TRUE(Itens(QStringLiteral("EDUARDO")).isEmpty());
  VerificarEspelho();

  // Removing the only marked link of an employer recomputes the employer's image.
  Arvore.ExcluirNo(*visual, Item(QStringLiteral("BRUNO")));
  EXPECT_EQ(visual->Imagem(Item(QStringLiteral("ALFA COMERCIO"))), imgEmpresa);
  VerificarEspelho();

  // A link added later lands under its employer, after that employer's links.
  TRecArvore novo;
  novo.TipoInscricao = 1;
  novo.Inscricao = InscGama;
  novo.PIS = 10000000099LL;
  novo.Categoria = 1;
  novo.DataAdmissao = QDateParaData(QDate(2020, 1, 6));
  novo.Tipo = u'F';
  novo.Estado = 1;
  TNo no = Arvore.AdicionarNo(*visual, nullptr, ImagemVinculo(1), novo, QStringLiteral("ZELIA"));
  EXPECT_EQ(visual->Pai(no), Item(QStringLiteral("GAMA SEM VINCULOS")));
  EXPECT_EQ(visual->Imagem(Item(QStringLiteral("GAMA SEM VINCULOS"))), imgEmpresaMarcada);
  VerificarEspelho();

  // Renaming a worker renames every link node of that worker.
  novo.Inscricao = InscAlfa;
  novo.Estado = 0;
  Arvore.AdicionarNo(*visual, nullptr, ImagemVinculo(0), novo, QStringLiteral("ZELIA SOUZA"));
  EXPECT_EQ(Itens(QStringLiteral("ZELIA SOUZA")).size(), 2);
  ASSERT_TRUE(Arvore.SelecionarNo(no));
  Arvore.RenomearNos(QStringLiteral("ZELIA S. LIMA"), *visual, u'F', no);
  EXPECT_EQ(Itens(QStringLiteral("ZELIA S. LIMA")).size(), 2);
  VerificarEspelho();
}

TEST_F(ArvoreTeste, GravarEstadoEEncerrarAberturaAtualizamOBanco) {
  CriarCadastro();
  ASSERT_TRUE(Arvore.MontarArvore(*visual));
  ASSERT_TRUE(Arvore.SelecionarNo(Item(QStringLiteral("BRUNO"))));
  // State 0 is a real value here, never Null.
  Arvore.GravarEstadoVinculo(Arvore.Atual, 0);
  EXPECT_EQ(Valor("SELECT IC_ESTADO_MOVIMENTO FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE NU_PIS = "
                  "10000000002"),
            QStringLiteral("0"));
  EXPECT_EQ(Arvore.ResumoEmpresa(1, InscAlfa), 0);

  Executar("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
           "DT_PAGAMENTO) VALUES (1, 11222333000181, '2025-07-15')");
  DataPagamento = QDateParaData(QDate(2025, 7, 15));
  Arvore.EncerrarAbertura();
  EXPECT_EQ(Contar("FROM QZLTBG01_ABERTURA_RECOLHIMENTO"), 0);
  EXPECT_EQ(DataPagamento, NullDate);
}
