#include "reports/uRelatorios.h"

#include "core/unUtilitarios.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"
#include "reports/uRelInconsistencia.h"
#include "reports/uRelOcorrenciaChave.h"
#include "reports/uRelSaldo.h"

#include <QApplication>
#include <QHash>

namespace {
// Shows the prepared report, or "RE0086" when there is none.
bool Mostrar(std::unique_ptr<TRelPadrao> rel, bool temDados, QWidget *pai) {
  if (!rel || !temDados) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(*rel, pai);
  return true;
}

template <class T, class... A> std::unique_ptr<TRelPadrao> Preparado(A &&...args) {
  auto r = std::make_unique<T>();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool ok = false;
  try {
    ok = r->Preparar(std::forward<A>(args)...);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
  if (!ok)
    return nullptr;
  return r;
}
} // namespace

QString TextoNadaAImprimir() {
  return TUtilitarios::MontarMensagem(QStringLiteral("RE0086"), dtInformacao, QString(), 2, mbOK,
                                      {})
      .Texto;
}

QStringList NomesRelatorios() {
  return {QStringLiteral("empresas"), QStringLiteral("trabalhadores"), QStringLiteral("alteracoes"),
          QStringLiteral("ocorrencia-saldo"), QStringLiteral("inconsistencias"),
          QStringLiteral("ocorrencia-chave")};
}

std::unique_ptr<TRelPadrao>
PrepararRelatorio(const QString &nome, const QHash<QString, QString> &opcoes, QString *erro) {
  if (nome == QLatin1String("empresas"))
    return Preparado<TRelEmpresas>();
  if (nome == QLatin1String("alteracoes"))
    return Preparado<TRelAlteracaoCadastral>();
  if (nome == QLatin1String("trabalhadores")) {
    static const QHash<QString, QString> chaves = {
        {QStringLiteral("pis"), QStringLiteral("PIS_EMPREGADO")},
        {QStringLiteral("nome"), QStringLiteral("NO_EMPREGADO")},
        {QStringLiteral("admissao"), QStringLiteral("DT_ADMISSAO")},
        {QStringLiteral("categoria"), QStringLiteral("CATEGORIA")}};
    const QString ordem = opcoes.value(QStringLiteral("ordem"), QStringLiteral("pis"));
    if (!chaves.contains(ordem)) {
      if (erro)
        *erro = QStringLiteral("Ordem desconhecida: ") + ordem;
      return nullptr;
    }
    const QString chave = chaves.value(ordem);
    const QString ordemCompleta = opcoes.value(QStringLiteral("por-nome")).isEmpty()
                                      ? TRelTrabalhadores::OrdemPorInscricao(chave)
                                      : TRelTrabalhadores::OrdemPorNome(chave);
    const bool todas = !opcoes.contains(QStringLiteral("empresas"));
    const QStringList empresas =
        opcoes.value(QStringLiteral("empresas")).split(u',', Qt::SkipEmptyParts);
    return Preparado<TRelTrabalhadores>(ordemCompleta, empresas, todas);
  }
  if (nome == QLatin1String("ocorrencia-saldo"))
    return Preparado<TRelOcorrenciaSaldo>(nullptr);
  if (nome == QLatin1String("inconsistencias")) {
    const QString tipo = opcoes.value(QStringLiteral("tipo"));
    static const QStringList tipos = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                      QStringLiteral("4"), QStringLiteral("5")};
    if (!tipos.contains(tipo)) {
      if (erro)
        *erro = QStringLiteral("Tipo de inconsistência inválido (1, 2, 3, 4 ou 5): ") + tipo;
      return nullptr;
    }
    return Preparado<TRelInconsistencia>(tipo.toInt());
  }
  if (nome == QLatin1String("ocorrencia-chave")) {
    TSelecaoOcorrenciaChave selecao;
    selecao.Identificador = opcoes.value(QStringLiteral("carga"));
    if (selecao.Identificador.isEmpty() || !TUtilitarios::SomenteNumeros(selecao.Identificador)) {
      if (erro)
        *erro = QStringLiteral("Informe a carga: --carga IDENTIFICADOR");
      return nullptr;
    }
    return Preparado<TRelOcorrenciaChaveIdentificacao>(selecao);
  }
  if (erro)
    *erro = QStringLiteral("Relatório desconhecido: ") + nome;
  return nullptr;
}

bool ImprimirEmpresas(QWidget *pai) {
  auto r = Preparado<TRelEmpresas>();
  return Mostrar(std::move(r), true, pai);
}

bool ImprimirTrabalhadores(const QString &Ordem, const QStringList &Empresas, bool Todas,
                           QWidget *pai) {
  auto r = Preparado<TRelTrabalhadores>(Ordem, Empresas, Todas);
  return Mostrar(std::move(r), true, pai);
}

bool ImprimirAlteracoes(QWidget *pai) {
  auto r = Preparado<TRelAlteracaoCadastral>();
  return Mostrar(std::move(r), true, pai);
}
