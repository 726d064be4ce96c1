#include "reports/uRelSaldo.h"

#include "core/unCentavos.h"
#include "core/unUtilitarios.h"
#include "reports/uQReportPreview.h"
#include "reports/uRelCadastro.h"

#include <QApplication>
#include <QHash>

namespace {
QString TextoMensagem(int numero) {
  return TUtilitarios::MontarMensagem(TUtilitarios::CompletarZeros(QString::number(numero), 4),
                                      dtInformacao, QString(), 2, mbOK, {})
      .Texto;
}

QString Empresa(int tipo, qint64 inscricao, const QString &nome) {
  QString r = QStringLiteral("EMPRESA: ") + FormatoRel::Inscricao(tipo, inscricao);
  if (!nome.isEmpty())
    r += QStringLiteral(" - ") + nome;
  return r;
}

template <class F> bool ComCursor(F &&f) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    const bool r = f();
    QApplication::restoreOverrideCursor();
    return r;
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
}
} // namespace

bool TRelOcorrenciaSaldo::Preparar(const TChaveVinculo *vinculo) {
  const QList<TOcorrenciaSaldo> contas = TConsultaSaldo::Ocorrencias(vinculo);
  Dados = {};
  Dados.Definicao = QStringLiteral("RELATÓRIO OCORRÊNCIAS ARQUIVO SALDO RESCISÓRIO");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Colunas = {{{QStringLiteral("PIS/PASEP"), 0, 32},
                    {QStringLiteral("NOME"), 34, 95},
                    {QStringLiteral("CÓDIGO DO TRABALHADOR NA VORDA"), 131, 48},
                    {QStringLiteral("OCORRÊNCIA"), 181, 96}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL"),
                           QStringLiteral("CÓDIGO DA EMPRESA NA VORDA"),
                           QStringLiteral("OCORRÊNCIA EMPRESA")};
  QHash<int, QString> textos;
  for (const TOcorrenciaSaldo &o : contas) {
    const QString inscricao = FormatoRel::Inscricao(o.Tipo, o.Inscricao);
    TGrupoRel &g = Dados.Grupo(
        {Empresa(o.Tipo, o.Inscricao, o.RazaoSocial),
         QStringLiteral("CÓDIGO DA EMPRESA NA VORDA: ") + QString::number(o.EmpresaVorda),
         QStringLiteral("OCORRÊNCIA : ") + o.DescricaoSituacaoEmpresa},
        true,
        {inscricao, o.RazaoSocial, QString::number(o.EmpresaVorda), o.DescricaoSituacaoEmpresa});
    QString ocorrencia;
    if (o.Mensagem > 0) {
      if (!textos.contains(o.Mensagem))
        textos.insert(o.Mensagem, TextoMensagem(o.Mensagem));
      ocorrencia = TUtilitarios::CompletarZeros(QString::number(o.Mensagem), 4) +
                   QStringLiteral(" - ") + textos.value(o.Mensagem);
    }
    TEntradaRel e;
    e.Linhas = {{FormatoRel::PIS(QString::number(o.PIS)), o.Nome,
                 TUtilitarios::CompletarZeros(QString::number(o.EmpregadoVorda), 11), ocorrencia}};
    g.Entradas.append(e);
  }
  Rediagramar();
  return !Dados.Vazio();
}

bool TRelSaldoCarregado::Preparar(const QList<TSaldoEmpresa> &empresas) {
  Dados = {};
  Dados.Definicao = QStringLiteral("RELATÓRIO DE SALDO RESCISÓRIO CARREGADO");
  Dados.Versao = LinhaVersaoPadrao();
  Dados.Colunas = {{{QStringLiteral("PIS/PASEP"), 0, 32},
                    {QStringLiteral("NOME"), 34, 100},
                    {QStringLiteral("ADMISSÃO"), 136, 22},
                    {QStringLiteral("CATEGORIA"), 160, 20},
                    {QStringLiteral("DT. CRÉD. JUROS"), 182, 26},
                    {QStringLiteral("SALDO RESCISÓRIO"), 210, 40, Qt::AlignRight}}};
  Dados.ColunasGrupoCsv = {QStringLiteral("INSCRIÇÃO EMPRESA"), QStringLiteral("RAZÃO SOCIAL")};
  for (const TSaldoEmpresa &emp : empresas) {
    const QList<TSaldoConta> contas = TConsultaSaldo::Contas(emp.Tipo, emp.Inscricao);
    if (contas.isEmpty())
      continue;
    TGrupoRel &g = Dados.Grupo(
        {Empresa(emp.Tipo, emp.Inscricao, emp.RazaoSocial),
         QStringLiteral("SALDO EMPRESA: ") + TCentavos::DeCentavos(emp.Centavos).Formatado()},
        true, {FormatoRel::Inscricao(emp.Tipo, emp.Inscricao), emp.RazaoSocial});
    for (const TSaldoConta &c : contas) {
      TEntradaRel e;
      e.Linhas = {{FormatoRel::PIS(QString::number(c.Chave.PIS)), c.Nome,
                   FormatoRel::Data(c.Chave.Admissao),
                   FormatoRel::Zeros(QString::number(c.Chave.Categoria), 2),
                   FormatoRel::Data(c.CreditoJuros),
                   TCentavos::DeCentavos(c.Centavos).Formatado()}};
      g.Entradas.append(e);
    }
  }
  Rediagramar();
  return !Dados.Vazio();
}

bool ImprimirOcorrenciaSaldo(QWidget *pai) {
  TRelOcorrenciaSaldo rel;
  if (!ComCursor([&] { return rel.Preparar(); })) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(rel, pai);
  return true;
}

bool ImprimirOcorrenciaSaldoVinculo(const TChaveVinculo &vinculo, const QString &prefixo,
                                    QWidget *pai) {
  TRelOcorrenciaSaldo rel;
  if (!ComCursor([&] { return rel.Preparar(&vinculo); })) {
    TUtilitarios::Mensagem(prefixo + QStringLiteral("0419"), dtInformacao);
    return false;
  }
  MostrarRelatorio(rel, pai);
  return true;
}

bool ImprimirSaldoCarregado(const QList<TSaldoEmpresa> &empresas, QWidget *pai) {
  TRelSaldoCarregado rel;
  if (!ComCursor([&] { return rel.Preparar(empresas); })) {
    TUtilitarios::Mensagem(QStringLiteral("RE0086"), dtInformacao);
    return false;
  }
  MostrarRelatorio(rel, pai);
  return true;
}
