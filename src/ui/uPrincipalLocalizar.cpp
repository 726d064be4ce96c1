// The main window's search (the employer or link chosen in the search window
// becomes the selected, expanded node of the tree) and its query of the files
// generated for the bank.
#include "uArquivosEnviadosCx.h"
#include "uFramePadrao.h"
#include "uLocalizar.h"
#include "uPrincipal.h"

#include "UnArvore.h"
#include "core/unUtilitarios.h"

#include <QPointer>
#include <QTreeWidget>

void TfrmPrincipal::actLocalizarExecute() {
  if (ModoEdicao != meNenhuma)
    return;
  TRecInscricao r;
  {
    // The main window's parts stay off while the search window is open,
    // however it ends.
    struct TOcupada {
      TfrmPrincipal *j;
      ~TOcupada() { j->HabilitarJanela(true); }
    } ocupada{this};
    HabilitarJanela(false);
    r = AbrirLocalizar(this);
  }
  if (r.TipoInscricao <= 0 || r.Inscricao == 0)
    return;
  const bool achou = r.Tipo == ppEmpresa
                         ? Arvore.LocalizarEmpresa(r.Inscricao)
                         : Arvore.LocalizarVinculo(r.TipoInscricao, r.Inscricao, r.PIS, r.Categoria,
                                                   r.DataAdmissao, u'F');
  if (!achou)
    return;
  const TNo no = Arvore.Atual.No;
  ArvoreVisual().Selecionar(no);
  ArvoreVisual().Expandir(no);
  tvCadastro->setFocus();
}

void TfrmPrincipal::ArquivosEnviadosVorda1Click() {
  struct TOcupada {
    TfrmPrincipal *j;
    ~TOcupada() { j->HabilitarJanela(true); }
  } ocupada{this};
  HabilitarJanela(false);
  // Deleting a file's guides can take processed links back to closed.
  TfrmArquivosEnviadosCx::AtualizarArvore = [janela = QPointer<TfrmPrincipal>(this)] {
    ::AtualizarArvore();
    if (janela)
      janela->AtualizarBarraStatus();
  };
  TfrmArquivosEnviadosCx consulta(this);
  if (!consulta.Carregar()) {
    Utilitarios.Mensagem(QStringLiteral("AE0310"), dtInformacao);
    return;
  }
  consulta.Mostrar();
}
