// The main window's report commands: thin callers of the report operations.
#include "uPrincipal.h"
#include "uSelecaoEmpresa.h"

#include "registry/unEmpresa.h"
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
