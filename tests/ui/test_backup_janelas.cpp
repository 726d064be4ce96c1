// The backup and restore windows as a user drives them, and the restore from
// the first-run window that ends in the main window.
#include "ArvoreTeste.h"
#include "maintenance/BackupTeste.h"

#include "core/unInicializacao.h"
#include "ui/uBackup.h"
#include "ui/uEntrada.h"
#include "ui/uPrincipal.h"
#include "ui/uRestaurarBackup.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {
void Capturar(QWidget &w, const QString &nome) {
  const QString pasta = QStringLiteral(VESK_BIN_DIR "/../tests/capturas");
  QDir().mkpath(pasta);
  w.grab().save(QDir(pasta).absoluteFilePath(nome));
}

QStringList Mostrados(const RespostasDialogo &d) {
  QStringList r;
  for (const PedidoDialogo &p : d.mostrados)
    r << p.Texto.left(6);
  return r;
}
} // namespace

class JanelasBackupTeste : public BackupTeste {
protected:
  void SetUp() override {
    AplicacaoTeste();
    BackupTeste::SetUp();
  }
  void TearDown() override { BackupTeste::TearDown(); }
};

TEST_F(JanelasBackupTeste, BackupERestauracaoPelasJanelas) {
  Preencher();
  const QStringList antes = Dados();
  QString proposto;
  const QString zip = pasta->Arquivo("Backup/janela.zip");
  EscolhasArquivo escolhas([&](const PedidoArquivo &p) {
    EXPECT_TRUE(p.Salvar);
    EXPECT_EQ(p.Sufixo, QStringLiteral("zip"));
    EXPECT_EQ(QDir(p.Pasta), QDir(pasta->Arquivo("Backup")));
    proposto = p.Nome;
    return zip;
  });
  {
    TfrmBackup j;
    EXPECT_EQ(j.windowTitle(), QString("Backup do Sistema"));
    j.show();
    Capturar(j, "backup.png");
    RespostasDialogo d;
    j.btnAvancar->click();
    EXPECT_EQ(Mostrados(d), QStringList{"990252"});
    EXPECT_EQ(j.result(), QDialog::Accepted);
    EXPECT_TRUE(j.lbMensagem->text().isEmpty());
  }
  EXPECT_TRUE(QRegularExpression("^VESK_db_\\d{12}\\.zip$").match(proposto).hasMatch())
      << proposto.toStdString();
  EXPECT_EQ(Rodar("unzip", {"-P", SenhaBackup, "-tq", zip}), 0);

  Executar("DELETE FROM QZLTBG03_EMPREGADO");
  escolhas.Responder(zip);
  {
    TfrmRestaurarBackup j;
    j.show();
    Capturar(j, "restaurar_backup.png");
    RespostasDialogo d;
    j.btnAvancar->click();
    EXPECT_EQ(Mostrados(d), QStringList{"990255"});
    EXPECT_TRUE(j.Restaurado);
  }
  EXPECT_EQ(Dados(), antes);

  // An archive that is not there: 0251, the window stays, Cancelar focused.
  escolhas.Responder(pasta->Arquivo("Backup/nenhum.zip"));
  TfrmRestaurarBackup j;
  j.show();
  RespostasDialogo d;
  j.btnAvancar->click();
  EXPECT_EQ(Mostrados(d), QStringList{"990251"});
  EXPECT_FALSE(j.Restaurado);
  EXPECT_TRUE(j.btnAvancar->isEnabled());
  // Cancelling the file dialog does nothing at all.
  escolhas.Responder(QString());
  j.btnAvancar->click();
  EXPECT_EQ(d.mostrados.size(), 1u);
}

TEST_F(JanelasBackupTeste, RestaurarNaPrimeiraExecucaoAbreAJanelaPrincipal) {
  Preencher();
  const QString zip = pasta->Arquivo("Backup/primeira.zip");
  TBackup b;
  ASSERT_EQ(FazerBackup(b, Temp(), zip), QString("0252"));
  for (const QString &t : TBackup::MontarListaTabelas())
    Executar("DELETE FROM " + t);
  ASSERT_FALSE(ExisteEmpregador());

  EscolhasArquivo escolhas([&](const PedidoArquivo &p) {
    EXPECT_FALSE(p.Salvar);
    return zip;
  });
  TfrmEntrada e;
  e.rbtRestaurar->setChecked(true);
  ASSERT_TRUE(e.btnAvancar->isEnabled());
  RespostasDialogo d;
  e.btnAvancar->click();
  EXPECT_EQ(Mostrados(d), QStringList{"990255"});
  EXPECT_EQ(e.result(), QDialog::Accepted);
  EXPECT_TRUE(ExisteEmpregador());
  // The start-up goes on to the main window, which shows the restored registry.
  TfrmPrincipal j;
  EXPECT_GE(j.tvCadastro->topLevelItemCount(), 1);
}
