#include "ArvoreTeste.h"

#include <QSet>

QApplication &AplicacaoTeste() {
  static int argc = 1;
  static char nome[] = "test_ui";
  static char *argv[] = {nome, nullptr};
  static QApplication *app =
      qApp ? qobject_cast<QApplication *>(qApp) : new QApplication(argc, argv);
  return *app;
}

void ArvoreTeste::SetUp() {
  AplicacaoTeste();
  BancoTeste::SetUp();
  arvore = std::make_unique<QTreeWidget>();
  arvore->setHeaderHidden(true);
  visual = std::make_unique<TArvoreVisualQt>(arvore.get());
}

void ArvoreTeste::TearDown() {
  Arvore.Visual = nullptr;
  Arvore.Esvaziar();
  visual.reset();
  arvore.reset();
  BancoTeste::TearDown();
}

void ArvoreTeste::InserirEmpresa(int tipo, qint64 insc, const QString &nome,
                                 const QString &estado) {
  Executar(QStringLiteral("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                          "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (%1, %2, '%3', '%4')")
               .arg(tipo)
               .arg(insc)
               .arg(nome, estado));
}

void ArvoreTeste::InserirVinculo(int tipo, qint64 insc, qint64 pis, const QString &nome,
                                 int categoria, int estado) {
  if (Valor(QStringLiteral("SELECT COUNT(*) FROM QZLTBG03_EMPREGADO WHERE NU_PIS = %1").arg(pis)) ==
      QLatin1String("0"))
    Executar(
        QStringLiteral("INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (%1, '%2')")
            .arg(pis)
            .arg(nome));
  Executar(QStringLiteral(
               "INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, "
               "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
               "IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO) VALUES (%1, %2, %3, %4, '%5', %6, 'S')")
               .arg(tipo)
               .arg(insc)
               .arg(pis)
               .arg(categoria)
               .arg(QString::fromLatin1(AdmissaoTeste))
               .arg(estado));
}

void ArvoreTeste::InserirConta(int tipo, qint64 insc, qint64 pis, int categoria, qint64 numeroVorda,
                               int situacao, const QString &nomeBanco) {
  Executar(
      QStringLiteral("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, "
                     "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NO_EMPREGADO, "
                     "NU_EMPREGADO_VORDA, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_CONTA_EMPRESA) "
                     "VALUES (%1, %2, %3, %4, '%5', '%6', %7, %8, 1)")
          .arg(tipo)
          .arg(insc)
          .arg(pis)
          .arg(categoria)
          .arg(QString::fromLatin1(AdmissaoTeste), nomeBanco)
          .arg(numeroVorda)
          .arg(situacao));
}

void ArvoreTeste::InserirAlteracaoNome(int tipo, qint64 insc, qint64 pis, int categoria,
                                       qint64 numeroVorda, const QString &confirmacao) {
  Executar(QStringLiteral("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, "
                          "NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, "
                          "NU_TIPO_ALTERACAO, IC_CONFIRMACAO, NU_EMPREGADO_VORDA_ALT_CDSTL) "
                          "VALUES (%1, %2, %3, %4, '%5', 406, '%6', %7)")
               .arg(tipo)
               .arg(insc)
               .arg(pis)
               .arg(categoria)
               .arg(QString::fromLatin1(AdmissaoTeste), confirmacao)
               .arg(numeroVorda));
}

void ArvoreTeste::CriarCadastro() {
  InserirEmpresa(1, InscResp, QStringLiteral("CONTABIL RESPONSAVEL"), QStringLiteral("R"));
  InserirEmpresa(1, InscAlfa, QStringLiteral("ALFA COMERCIO"), QStringLiteral("E"));
  InserirEmpresa(2, InscBeta, QStringLiteral("BETA SERVICOS"), QStringLiteral("E"));
  InserirEmpresa(1, InscDelta, QStringLiteral("DELTA INDUSTRIA"), QStringLiteral("E"));
  InserirEmpresa(1, InscGama, QStringLiteral("GAMA SEM VINCULOS"), QStringLiteral("E"));
  InserirVinculo(1, InscAlfa, PisAna, QStringLiteral("ANA"), 1, 0);
  InserirVinculo(1, InscAlfa, PisBruno, QStringLiteral("BRUNO"), 1, 1);
  InserirVinculo(2, InscBeta, PisCarla, QStringLiteral("CARLA"), 1, 2);
  InserirVinculo(2, InscBeta, PisDaniel, QStringLiteral("DANIEL"), 1, 3);
  InserirVinculo(1, InscDelta, PisEduardo, QStringLiteral("EDUARDO"), 1, 0);
  InserirVinculo(1, InscDelta, PisEduardo, QStringLiteral("EDUARDO"), 2, 0);
  InserirVinculo(1, InscDelta, PisFabio, QStringLiteral("FABIO"), 1, 0);
  // The account states interleave the two links of EDUARDO (1, 3 and 2, 4).
  InserirConta(1, InscDelta, PisEduardo, 1, 501, 1, QStringLiteral("EDUARDO NOVO A"));
  InserirConta(1, InscDelta, PisEduardo, 1, 503, 3, QStringLiteral("EDUARDO NOVO B"));
  InserirConta(1, InscDelta, PisEduardo, 2, 502, 2, QStringLiteral("EDUARDO OUTRO"));
  InserirConta(1, InscDelta, PisEduardo, 2, 504, 4, QStringLiteral("EDUARDO OUTRO"));
  InserirConta(1, InscDelta, PisFabio, 1, 601, 1, QStringLiteral("FABIO CONFIRMADO"));
  InserirAlteracaoNome(1, InscDelta, PisEduardo, 1, 501, QStringLiteral("N"));
  InserirAlteracaoNome(1, InscDelta, PisEduardo, 1, 503, QStringLiteral("N"));
  InserirAlteracaoNome(1, InscDelta, PisFabio, 1, 601, QStringLiteral("S"));
}

QList<QTreeWidgetItem *> ArvoreTeste::Itens(const QString &texto) const {
  QList<QTreeWidgetItem *> l;
  for (TNo no : visual->Todos())
    if (visual->Texto(no) == texto)
      l << TArvoreVisualQt::Item(no);
  return l;
}

QTreeWidgetItem *ArvoreTeste::Item(const QString &texto) const {
  const auto l = Itens(texto);
  EXPECT_EQ(l.size(), 1) << texto.toStdString();
  return l.isEmpty() ? nullptr : l.first();
}

void ArvoreTeste::VerificarEspelho() const {
  const QList<TNo> todos = visual->Todos();
  ASSERT_EQ(static_cast<int>(todos.size()), Arvore.Quantidade());
  QSet<TNo> nos(todos.begin(), todos.end());
  TNo empresa = nullptr, vinculo = nullptr;
  for (int i = 0; i < Arvore.Quantidade(); ++i) {
    const TRecArvore &r = Arvore.Nos[i];
    ASSERT_TRUE(nos.remove(r.No)) << "elemento " << i << " sem nó visual";
    if (i == 0) {
      EXPECT_EQ(visual->Pai(r.No), nullptr);
      EXPECT_EQ(visual->Imagem(r.No), imgRaiz);
    } else if (r.EhEmpresa()) {
      empresa = r.No;
      EXPECT_EQ(visual->Pai(r.No), Arvore.Nos[0].No);
      EXPECT_EQ(visual->Imagem(r.No), ImagemEmpresa(r.Estado));
    } else if (r.Tipo == u'F') {
      vinculo = r.No;
      EXPECT_EQ(visual->Pai(r.No), empresa) << visual->Texto(r.No).toStdString();
      EXPECT_EQ(visual->Imagem(r.No), ImagemVinculo(r.Estado));
    } else {
      EXPECT_EQ(r.Tipo, u'C');
      EXPECT_EQ(visual->Pai(r.No), vinculo);
      EXPECT_EQ(visual->Imagem(r.No), imgAlteracaoNome);
    }
  }
  EXPECT_TRUE(nos.isEmpty());
}
