// The main window's report commands: thin callers of the report operations.
#include "uPrincipal.h"
#include "uConsultaOcorrenciaChave.h"
#include "uSelecaoEmpresa.h"

#include "core/UnInconsistencia.h"
#include "registry/unEmpresa.h"
#include "reports/uRelInconsistencia.h"
#include "reports/uRelSaldo.h"
#include "reports/uRelatorios.h"

namespace {
// The main window stays disabled while the report or its windows are open.
class TOcupada {
public:
  explicit TOcupada(TfrmPrincipal *j) : j_(j) { j_->HabilitarJanela(false); }
  ~TOcupada() { j_->HabilitarJanela(true); }
  TOcupada(const TOcupada &) = delete;
  TOcupada &operator=(const TOcupada &) = delete;

private:
  TfrmPrincipal *j_;
};
} // namespace

void TfrmPrincipal::Empresa2Click() {
  TOcupada ocupada(this);
  ImprimirEmpresas(this);
}

void TfrmPrincipal::Empregado2Click() {
  TOcupada ocupada(this);
  TEmpresa empresas;
  empresas.CarregarTodas();
  if (empresas.QuantidadeRegistros() == 0)
    return;
  TfrmSelecaoEmpresa selecao(this);
  selecao.CarregarEmpresas(empresas);
  selecao.exec();
}

void TfrmPrincipal::AlteraoCadastral1Click() {
  TOcupada ocupada(this);
  ImprimirAlteracoes(this);
}

void TfrmPrincipal::FolhadePagamento1Click() {
  TOcupada ocupada(this);
  VisualizarFolha(this);
}

void TfrmPrincipal::Fechamento1Click() {
  TOcupada ocupada(this);
  VisualizarInconsistencias(tiMovimento, this);
}

void TfrmPrincipal::ArquivodeSaldo1Click() {
  TOcupada ocupada(this);
  VisualizarSaldo(this);
}

void TfrmPrincipal::ArquivoProcessado1Click() {
  TOcupada ocupada(this);
  VisualizarGuiasProcessadas(this);
}

void TfrmPrincipal::OcorrenciaSaldoClick() {
  TOcupada ocupada(this);
  ImprimirOcorrenciaSaldo(this);
}

void TfrmPrincipal::OcorrnciaChaveIdentificao1Click() {
  TOcupada ocupada(this);
  TfrmConsultaOcorrenciaChaveIdentificacao::Abrir(this);
}
