#include "unMovimento.h"

#include "collection/UnTComplementoSaldo.h"
#include "collection/unTAliquotaDeposito.h"
#include "collection/unTCalculo.h"
#include "collection/unTContaSaldoTrabalhador.h"
#include "core/UnInconsistencia.h"
#include "core/unFBUtils.h"
#include "core/unTransacao.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unAlteracaoCadastral.h"
#include "registry/unEmpresa.h"
#include "registry/unTResponsavel.h"
#include "registry/unTrabalhador.h"
#include "registry/unVinculo.h"

#include <array>

namespace {
TDateTime Data(int a, int m, int d) {
  return QDateParaData(QDate(a, m, d));
}
// From this month on the month before the termination is no longer collected
// with the termination, and earlier terminations are not collected here.
constexpr int AnoCorte = 2024, MesCorte = 3;

bool Informada(TDateTime d) {
  return d > 0;
}

QString DoisDigitos(int n) {
  return QString::number(n).rightJustified(2, u'0');
}

const char *const OrdemVinculos = " ORDER BY VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, "
                                  "VINC.NU_PIS, VINC.DT_ADMISSAO_VINCULO, VINC.NU_CATEGORIA";
} // namespace

// ------------------------------------------------------------------ scope

TEscopoMovimento TEscopoMovimento::DaEmpresa(int tipo, qint64 inscricao) {
  TEscopoMovimento e;
  e.Nivel = Empresa;
  e.Tipo = tipo;
  e.Inscricao = inscricao;
  return e;
}

TEscopoMovimento TEscopoMovimento::DoVinculo(const TChaveVinculo &chave) {
  TEscopoMovimento e;
  e.Nivel = Vinculo;
  e.Tipo = chave.Tipo;
  e.Inscricao = chave.Inscricao;
  e.Chave = chave;
  return e;
}

QString TEscopoMovimento::Condicao(const QString &alias) const {
  const QString p = alias.isEmpty() ? QString() : alias + u'.';
  switch (Nivel) {
  case Empresa:
    return QStringLiteral("%1NU_TIPO_INSO_EMPRA = %2 AND %1NU_INSCRICAO = %3")
        .arg(p)
        .arg(Tipo)
        .arg(Inscricao);
  case Vinculo:
    return Chave.Condicao(alias);
  default:
    return QString();
  }
}

double SaldoMinimoCategoria(int categoria, TDateTime mes, const TTabelaAliquotas *tabela) {
  TRescisao r;
  r.CarregarAssociados = false;
  r.NU_CATEGORIA = static_cast<qint8>(categoria);
  r.DefinirAliquotas(tabela);
  std::array<double, 2> aliquota{0, 0};
  r.ConsultarAliquota(false, aliquota, mes);
  return aliquota[0];
}

// ------------------------------------------------------------------ opening

TMovimento::TMovimento() = default;
TMovimento::~TMovimento() = default;

const TTabelaAliquotas &TMovimento::Aliquotas() {
  if (!aliquotas_) {
    auto t = std::make_unique<TTabelaAliquotas>();
    t->Carregar(IbxUtils);
    aliquotas_ = std::move(t);
  }
  return *aliquotas_;
}

TResponsavel &TMovimento::Responsavel() {
  if (!responsavel_) {
    responsavel_ = std::make_unique<TResponsavel>();
    responsavel_->CarregarResponsavel();
  }
  return *responsavel_;
}

TResultadoAbertura TMovimento::Abrir(TDateTime data) {
  TResultadoAbertura r;
  if (data == DataNaoValida || TUtilitarios::DataInvalida(data)) {
    r.Codigo = QStringLiteral("0063");
    return r;
  }
  if (!(data > 0)) {
    r.Codigo = QStringLiteral("0062");
    return r;
  }
  const TDataSetPtr ds =
      IbxUtils->AbrirConsulta(QStringLiteral("SELECT COUNT(*) FROM QZLTBT18_INDICE_PRORATA WHERE "
                                             "DT_RECOLHIMENTO_PRORATA = ") +
                              TUtilitarios::DataSQL(data));
  if (ds->IsEmpty() || ds->Fields(0).AsInt64() == 0) {
    if (TUtilitarios::DentroPeriodoProrata(data)) {
      // A business day of the window without a row is refused silently.
      if (!TUtilitarios::EhDiaUtil(data))
        r.Codigo = QStringLiteral("0397");
    } else {
      r.Codigo = QStringLiteral("0201");
      r.Argumento = Utilitarios.PeriodoProrata(true);
    }
    return r;
  }
  TResponsavel resp;
  resp.CarregarResponsavel();
  resp.DT_PAGAMENTO = data;
  if (!resp.GravarAbertura()) {
    r.Codigo = resp.CodigoErro.isEmpty() ? QStringLiteral("0144") : resp.CodigoErro;
    return r;
  }
  DataPagamento = data;
  r.Aberto = true;
  return r;
}

// -------------------------------------------------------- participation

void TMovimento::Registrar(TVinculo &v, const QString &codigo) {
  TResponsavel &resp = Responsavel();
  TInconsistencia inconsistencia;
  inconsistencia.RegistrarMovimento(
      codigo, QString::number(resp.NU_TIPO_INSO_EMPRA), NomeDe(v),
      Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), true, v.DT_ADMISSAO_VINCULO),
      DoisDigitos(v.NU_CATEGORIA), QString::number(v.NU_PIS).rightJustified(11, u'0'),
      v.Empresa().NO_RAZAO_SOCIAL, QString::number(v.NU_INSCRICAO),
      QString::number(v.NU_TIPO_INSO_EMPRA), resp.NO_RAZAO_SOCIAL, resp.InscricaoFormatada());
}

namespace {
const char *const SqlAlteracaoPendente =
    "QZLTBG05_ALTERACAO_CADASTRAL ALT JOIN "
    "QZLTBG10_CONTA_EMPREGADO_ZELT CONEMP ON CONEMP.NU_TIPO_INSO_EMPRA = "
    "ALT.NU_TIPO_INSO_EMPRA AND CONEMP.NU_INSCRICAO = ALT.NU_INSCRICAO AND "
    "CONEMP.NU_PIS = ALT.NU_PIS AND CONEMP.NU_CATEGORIA = ALT.NU_CATEGORIA AND "
    "CONEMP.DT_ADMISSAO_VINCULO = ALT.DT_ADMISSAO_VINCULO AND "
    "CONEMP.NU_EMPREGADO_VORDA = ALT.NU_EMPREGADO_VORDA_ALT_CDSTL WHERE "
    "ALT.NU_TIPO_ALTERACAO = 406 AND ALT.IC_CONFIRMACAO = 'N'";
} // namespace

TRescisao &TMovimento::RescisaoDe(TVinculo &v) {
  if (rescisoes_) {
    const auto it = linhaRescisao_.constFind(ChaveDe(v));
    if (it != linhaRescisao_.constEnd()) {
      rescisoes_->ObterDataSet()->MoverPara(*it);
      rescisoes_->CarregarAtributos();
      rescisoes_->DefinirVinculo(&v);
      return *rescisoes_;
    }
  }
  return v.Rescisao();
}

TMovimento::TLeituraConjunta::~TLeituraConjunta() {
  if (m)
    m->EsquecerLeituraConjunta();
}

void TMovimento::EsquecerLeituraConjunta() {
  rescisoes_.reset();
  linhaRescisao_.clear();
  alteracoesPendentes_.reset();
  contas_.reset();
  nomes_.reset();
}

TMovimento::TLeituraConjunta TMovimento::LerDeUmaVez(const QString &condicaoVinculo) {
  // Half-read data must not outlive a failed read: a later check would take
  // it for the whole.
  TLeituraConjunta parcial(this);
  rescisoes_ = std::make_unique<TRescisao>();
  rescisoes_->CarregarDosVinculos(condicaoVinculo, linhaRescisao_);
  alteracoesPendentes_ = std::make_unique<QSet<TChaveVinculo>>();
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT DISTINCT ALT.NU_TIPO_INSO_EMPRA, ALT.NU_INSCRICAO, ALT.NU_PIS, "
                     "ALT.NU_CATEGORIA, ALT.DT_ADMISSAO_VINCULO FROM ") +
      QString::fromLatin1(SqlAlteracaoPendente));
  for (ds->First(); !ds->Eof(); ds->Next())
    alteracoesPendentes_->insert(ChaveDasColunas(*ds));
  contas_ =
      std::make_unique<TResumosContas>(TContaSaldoTrabalhador::ResumirPorVinculo(condicaoVinculo));
  nomes_ = std::make_unique<QHash<TChaveVinculo, QString>>();
  ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT VINC.NU_TIPO_INSO_EMPRA, VINC.NU_INSCRICAO, VINC.NU_PIS, "
                     "VINC.NU_CATEGORIA, VINC.DT_ADMISSAO_VINCULO, EMPREGADO.NO_EMPREGADO FROM "
                     "QZLTBG04_VINCULO_EMPREGATICIO VINC JOIN QZLTBG03_EMPREGADO EMPREGADO ON "
                     "EMPREGADO.NU_PIS = VINC.NU_PIS WHERE ") +
      condicaoVinculo);
  for (ds->First(); !ds->Eof(); ds->Next())
    nomes_->insert(ChaveDasColunas(*ds),
                   ds->Fields(5).IsNull() ? QString() : ds->Fields(5).AsVariant().toString());
  parcial.m = nullptr;
  return TLeituraConjunta(this);
}

TMovimento::TLeituraConjunta TMovimento::LerMarcadosDeUmaVez() {
  return LerDeUmaVez(QStringLiteral("VINC.IC_ESTADO_MOVIMENTO = 1"));
}

TResumoContas TMovimento::ResumoContasDe(const TVinculo &v) {
  return contas_ ? contas_->value(ChaveDe(v)) : TContaSaldoTrabalhador::ResumirVinculo(ChaveDe(v));
}

QString TMovimento::NomeDe(TVinculo &v) {
  if (nomes_) {
    const auto it = nomes_->constFind(ChaveDe(v));
    if (it != nomes_->constEnd())
      return *it;
  }
  return v.Trabalhador().NO_EMPREGADO;
}

bool TMovimento::AlteracaoPendente(const TVinculo &v) {
  // The tree shows a pending name change under a link when the bank reported
  // another name for one of the link's accounts and the user has not decided.
  if (alteracoesPendentes_)
    return alteracoesPendentes_->contains(ChaveDe(v));
  const TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(SqlAlteracaoPendente) +
      QStringLiteral(" AND ") + v.CondicaoChave(QStringLiteral("ALT")));
  return !ds->IsEmpty() && ds->Fields(0).AsInt64() > 0;
}

bool TMovimento::ValidarParticipacao(TVinculo &v, TContextoParticipacao contexto,
                                     QStringList *Codigos) {
  QStringList codigos;
  auto falha = [&](const QString &codigo) {
    Registrar(v, codigo);
    codigos << codigo;
  };
  auto concluir = [&] {
    if (Codigos)
      *Codigos = codigos;
    return codigos.isEmpty();
  };

  // 1. A link with an open registration inconsistency goes through the full
  // check first; its first failure is the link's answer.
  if (v.IC_VALIDACAO_VINCULO) {
    TVinculo completo;
    if (completo.CarregarPorChave(v.NU_TIPO_INSO_EMPRA, v.NU_CATEGORIA, v.DT_ADMISSAO_VINCULO,
                                  v.NU_PIS, v.NU_INSCRICAO)) {
      TRetValidaCadastro r;
      completo.ValidarVinculos(true, &Responsavel(), r);
      if (!r.Codigo.isEmpty()) {
        codigos << r.Codigo;
        v.IC_ESTADO_MOVIMENTO = completo.IC_ESTADO_MOVIMENTO;
        return concluir();
      }
      v.IC_VALIDACAO_VINCULO = false;
    }
  }
  // 2. Without an open run nothing can be checked against its date.
  const TDateTime pag = DataPagamento;
  if (!(pag > 0)) {
    falha(QStringLiteral("0062"));
    return concluir();
  }
  // 3.
  if (AlteracaoPendente(v))
    falha(QStringLiteral("0139"));
  // 4. The termination data: the sequence of the full link check, then
  // whether anything is due at all.
  TRescisao &resc = RescisaoDe(v);
  resc.DefinirAliquotas(&Aliquotas());
  {
    QString codigo;
    auto passa = [&codigo, &resc](bool ok) {
      if (!ok)
        codigo = resc.CodigoErro;
      return ok;
    };
    const bool ok =
        (!Informada(resc.DT_DISSIDIO) || passa(resc.ValidarDataDissidio())) &&
        passa(resc.ValidarValorDissidio()) && passa(resc.ValidarValoresSemRemuneracao(false)) &&
        passa(resc.ValidarRemuneracaoAnterior()) && passa(resc.ValidarRemuneracaoRescisao()) &&
        passa(resc.ValidarAvisoPrevioIndenizado()) && passa(resc.ValidarTipoPensao()) &&
        passa(resc.ValidarPensaoPercentual()) && passa(resc.ValidarPensaoValor()) &&
        passa(resc.ValidarValorARecolher());
    if (!ok)
      falha(codigo);
  }
  // 5, 6.
  if (v.DT_MOVIMENTACAO_VINCULO < Data(AnoCorte, MesCorte, 1))
    falha(QStringLiteral("0521"));
  else if (TCentavos::De(resc.VR_REMUNERACAO_ANTERIOR_RSCSO) > TCentavos())
    falha(QStringLiteral("0520"));
  // 7.
  if (pag < v.DT_ADMISSAO_VINCULO)
    falha(QStringLiteral("0141"));
  // 8. A balance taken from the bank's file must be recent.
  const QString origem = resc.IC_ORIGEM_SALDO_RESCISORIO.trimmed().toUpper();
  if (!(TCentavos::De(resc.VR_DISSIDIO) > TCentavos()) &&
      v.CO_MOVIMENTACAO.trimmed().toUpper() != QLatin1String("I3") &&
      (origem == QLatin1String("C") || origem == QLatin1String("N"))) {
    const TResumoContas resumo = ResumoContasDe(v);
    if (resumo.TemConta0a3) {
      const QDate gravacao = DataParaQDate(resumo.GravacaoArquivo);
      if (gravacao.isValid() && gravacao.daysTo(DataParaQDate(pag)) > 15)
        falha(QStringLiteral("0142"));
    }
    if ((contexto == cpParticiparResp || contexto == cpParticiparEmpresa) &&
        v.IC_ESTADO_MOVIMENTO == 0 && resumo.SaldoPis2 &&
        TCentavos::De(resc.VR_SALDO_RESCISORIO) != resumo.Soma)
      falha(QStringLiteral("0454"));
  }
  // 9, 10.
  if (pag + 30 < v.DT_MOVIMENTACAO_VINCULO)
    falha(QStringLiteral("0223"));
  if (Informada(resc.DT_DISSIDIO) && resc.DT_DISSIDIO > pag)
    falha(QStringLiteral("0420"));
  return concluir();
}

// ------------------------------------------------------- marking, unmarking

bool TMovimento::CarregarVinculos(TVinculo &v, const TEscopoMovimento &escopo,
                                  const QString &condicao) {
  QString where = condicao;
  const QString c = escopo.Condicao(QStringLiteral("VINC"));
  if (!c.isEmpty())
    where += QStringLiteral(" AND ") + c;
  v.AbrirDataSet(v.SqlSelect + v.SqlFrom + QStringLiteral(" WHERE ") + where +
                 QString::fromLatin1(OrdemVinculos));
  if (v.QuantidadeRegistros() == 0)
    return false;
  v.Primeiro();
  return true;
}

TResultadoMarcacao TMovimento::Marcar(const TEscopoMovimento &escopo) {
  TResultadoMarcacao r;
  if (!(DataPagamento > 0)) {
    r.Codigo = QStringLiteral("0062");
    return r;
  }
  try {
    aliquotas_.reset(); // the rates may have changed since the last marking
    // One transaction for the whole marking, as for the closing check: a
    // query outside one starts its own, each with a forced write of the
    // database header, which made marking a large run wait on the disk.
    TEscopoTransacao transacao(IbxUtils);
    if (escopo.Nivel != TEscopoMovimento::Vinculo)
      ExcluirInconsistencias(tiMovimento);
    TVinculo v;
    if (!CarregarVinculos(v, escopo, QStringLiteral("1 = 1"))) {
      transacao.Confirmar();
      r.Codigo = QStringLiteral("0108");
      return r;
    }
    // A company or the whole run: what the check reads, read at once for the
    // links it may mark.
    QString condicao = QStringLiteral("VINC.IC_ESTADO_MOVIMENTO IN (0, 1)");
    if (const QString c = escopo.Condicao(QStringLiteral("VINC")); !c.isEmpty())
      condicao += QStringLiteral(" AND ") + c;
    const TLeituraConjunta leitura = escopo.Nivel != TEscopoMovimento::Vinculo
                                         ? LerDeUmaVez(condicao)
                                         : TLeituraConjunta{nullptr};
    const TContextoParticipacao contexto =
        escopo.Nivel == TEscopoMovimento::Todos     ? cpParticiparResp
        : escopo.Nivel == TEscopoMovimento::Empresa ? cpParticiparEmpresa
                                                    : cpParticipar;
    for (; !v.FimDados(); v.Proximo()) {
      if (v.IC_ESTADO_MOVIMENTO == 2 || v.IC_ESTADO_MOVIMENTO == 3) {
        ++r.NaoModificaveis;
        continue;
      }
      QStringList codigos;
      if (ValidarParticipacao(v, contexto, &codigos)) {
        if (v.IC_ESTADO_MOVIMENTO != 1) {
          if (!v.GravarEstadoMovimento(1)) {
            transacao.Confirmar(); // what was marked before stays marked
            r.Codigo = v.CodigoErro;
            return r;
          }
          ++r.Alterados;
        }
      } else {
        if (v.IC_ESTADO_MOVIMENTO == 1 && v.GravarEstadoMovimento(0))
          ++r.Alterados;
        r.Falhas << TFalhaMovimento{ChaveDe(v), NomeDe(v), codigos.value(0), codigos};
      }
    }
    transacao.Confirmar();
  } catch (const EBancoDados &) {
    r.Codigo = QStringLiteral("0144");
  }
  return r;
}

TResultadoMarcacao TMovimento::Desmarcar(const TEscopoMovimento &escopo) {
  TResultadoMarcacao r;
  try {
    QString where = QStringLiteral(" WHERE IC_ESTADO_MOVIMENTO IN (1)");
    const QString c = escopo.Condicao(QString());
    if (!c.isEmpty())
      where += QStringLiteral(" AND ") + c;
    r.Alterados = IbxUtils->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 0") + where);
    const QString fechados =
        QStringLiteral("SELECT COUNT(*) FROM QZLTBG04_VINCULO_EMPREGATICIO WHERE "
                       "IC_ESTADO_MOVIMENTO IN (2, 3)") +
        (c.isEmpty() ? QString() : QStringLiteral(" AND ") + c);
    const TDataSetPtr ds = IbxUtils->AbrirConsulta(fechados);
    r.NaoModificaveis = ds->IsEmpty() ? 0 : static_cast<int>(ds->Fields(0).AsInt64());
  } catch (const EBancoDados &) {
    r.Codigo = QStringLiteral("0144");
  }
  return r;
}

TResultadoMarcacao TMovimento::Retirar(const TEscopoMovimento &escopo) {
  TResultadoMarcacao r;
  const bool todos = escopo.Nivel == TEscopoMovimento::Todos;
  const bool umVinculo = escopo.Nivel == TEscopoMovimento::Vinculo;
  const int tipo = todos ? -1 : escopo.Tipo;
  const qint64 inscricao = todos ? -1 : escopo.Inscricao;
  const qint64 pis = umVinculo ? escopo.Chave.PIS : -1;
  try {
    TEscopoTransacao transacao(IbxUtils);
    TRescisao resc;
    resc.CarregarAssociados = false;
    if (!resc.LimparCalculos(tipo, inscricao, escopo.Chave.Admissao, escopo.Chave.Categoria, pis))
      throw EBancoDados(QStringLiteral("LimparCalculos"), 0);
    // The link level takes the link out whatever its state; the others the
    // closed and processed links.
    QString where = umVinculo ? QStringLiteral(" WHERE IC_ESTADO_MOVIMENTO <> 0")
                              : QStringLiteral(" WHERE IC_ESTADO_MOVIMENTO IN (2, 3)");
    const QString c = escopo.Condicao(QString());
    if (!c.isEmpty())
      where += QStringLiteral(" AND ") + c;
    r.Alterados = IbxUtils->ExecutarSQL(
        QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 0") + where);
    // The withdrawn links are open again: their complements follow the index
    // tables loaded now, and the totals follow the complements.
    TComplementoSaldo complementos;
    complementos.RecalcularAbertos(tipo, inscricao, pis);
    if (umVinculo)
      complementos.AtualizarTotais(tipo, inscricao, pis, escopo.Chave.Categoria,
                                   escopo.Chave.Admissao);
    else
      complementos.AtualizarTotais(tipo, todos ? 0 : inscricao);
    TAlteracaoCadastral alteracoes;
    bool ok;
    if (todos) {
      ok = alteracoes.Excluir(true);
    } else {
      alteracoes.NU_TIPO_INSO_EMPRA = QString::number(escopo.Tipo);
      alteracoes.NU_INSCRICAO = QString::number(escopo.Inscricao);
      if (umVinculo) {
        alteracoes.NU_PIS = QString::number(escopo.Chave.PIS);
        alteracoes.NU_CATEGORIA = QString::number(escopo.Chave.Categoria);
        alteracoes.DT_ADMISSAO_VINCULO = escopo.Chave.Admissao;
      }
      ok = alteracoes.Excluir(false);
    }
    if (!ok)
      throw EBancoDados(QStringLiteral("TAlteracaoCadastral::Excluir"), 0);
    transacao.Confirmar();
  } catch (const std::exception &) {
    r.Codigo = QStringLiteral("0144");
    r.Alterados = 0;
  }
  return r;
}

// -------------------------------------------------------------- simulation

TResultadoSimulacao TMovimento::Simular(const TEscopoMovimento &escopo) {
  TResultadoSimulacao r;
  try {
    // One transaction and the marked links' data read at once, as for the
    // closing check.
    TEscopoTransacao transacao(IbxUtils);
    ExcluirInconsistencias(tiMovimento);
    const TLeituraConjunta leitura = LerMarcadosDeUmaVez();
    TVinculo v;
    if (!CarregarVinculos(v, escopo, QStringLiteral("VINC.IC_ESTADO_MOVIMENTO = 1"))) {
      transacao.Confirmar();
      r.Codigo = QStringLiteral("0108");
      return r;
    }
    // Said once for the whole scope, not once per link.
    if (!(DataPagamento > 0)) {
      transacao.Confirmar();
      r.Codigo = QStringLiteral("0062");
      return r;
    }
    r.DataPagamento = DataPagamento;
    aliquotas_.reset();
    TCalculo calc;
    calc.Contas = contas_.get();
    auto recusar = [&](const QStringList &codigos, bool desmarcar) {
      if (desmarcar && v.IC_ESTADO_MOVIMENTO == 1)
        v.GravarEstadoMovimento(0);
      r.Falhas << TFalhaMovimento{ChaveDe(v), NomeDe(v), codigos.value(0), codigos};
    };
    for (; !v.FimDados(); v.Proximo()) {
      if (r.Empresas.isEmpty() || r.Empresas.last().Tipo != v.NU_TIPO_INSO_EMPRA ||
          r.Empresas.last().Inscricao != v.NU_INSCRICAO) {
        TEmpresaSimulada e;
        e.Tipo = v.NU_TIPO_INSO_EMPRA;
        e.Inscricao = v.NU_INSCRICAO;
        e.Nome = v.Empresa().NO_RAZAO_SOCIAL.trimmed().toUpper();
        r.Empresas << e;
      }
      QStringList codigos;
      if (!ValidarParticipacao(v, cpSimulacao, &codigos)) {
        recusar(codigos, true);
        continue;
      }
      if (!calc.CalcularVinculo(&v, &RescisaoDe(v))) {
        // A link that cannot be computed is a failure and adds nothing.
        Registrar(v, QStringLiteral("0422"));
        recusar({QStringLiteral("0422"),
                 QStringLiteral("%1").arg(calc.CodigoErro, 4, 10, QLatin1Char('0'))},
                false);
        continue;
      }
      if (v.DT_MOVIMENTACAO_VINCULO < Data(AnoCorte, MesCorte, 1)) {
        Registrar(v, QStringLiteral("0521"));
      } else if (calc.ParcelaAnterior.VrBase > 0) {
        Registrar(v, QStringLiteral("0520"));
      }
      const double base = calc.ParcelaMulta.VrBaseMulta;
      if (base > 0) {
        const TDateTime mes = v.DT_MOVIMENTACAO_VINCULO;
        const double minimo = SaldoMinimoCategoria(v.NU_CATEGORIA, mes, &Aliquotas());
        if (TCentavos::De(minimo) > TCentavos::De(base)) {
          Registrar(v, QStringLiteral("0449"));
          recusar({QStringLiteral("0449")}, true);
          continue;
        }
      }
      const TCentavos total = calc.TotalCentavos();
      if (total < TCentavos()) {
        transacao.Confirmar();
        r.Codigo = QStringLiteral("0372");
        return r;
      }
      TTrabalhadorSimulado t;
      t.Chave = ChaveDe(v);
      t.NomeTrabalhador = NomeDe(v).trimmed();
      t.DtMovimentacao = v.DT_MOVIMENTACAO_VINCULO;
      t.Remu406 = TCentavos::De(calc.ParcelaAnterior.VrBase);
      t.Remu407 = TCentavos::De(calc.ParcelaRescisao.VrBase);
      t.Remu408 = TCentavos::De(calc.ParcelaAvisoPrevio.VrBase);
      t.Remu400 = TCentavos::De(base);
      t.ValTotRec = total;
      r.Empresas.last().ValorARecolher += total;
      r.Empresas.last().Trabalhadores << t;
    }
    // A company all of whose links failed has no line.
    for (int i = r.Empresas.size() - 1; i >= 0; --i)
      if (r.Empresas[i].Trabalhadores.isEmpty())
        r.Empresas.removeAt(i);
    transacao.Confirmar();
    if (!r.Falhas.isEmpty())
      r.Codigo = QStringLiteral("0368");
    else if (r.Empresas.isEmpty())
      r.Codigo = QStringLiteral("0238");
  } catch (const EBancoDados &) {
    r.Codigo = QStringLiteral("0144");
  }
  return r;
}

// ----------------------------------------------------------------- closing

TResultadoMarcacao TMovimento::PrepararFechamento() {
  TResultadoMarcacao r;
  try {
    responsavel_.reset();
    aliquotas_.reset();
    Responsavel();
    TVinculo v;
    if (!CarregarVinculos(v, TEscopoMovimento::DeTodos(),
                          QStringLiteral("VINC.IC_ESTADO_MOVIMENTO = 1"))) {
      r.Codigo = QStringLiteral("0108");
      return r;
    }
    // One transaction for the whole check: every query outside one starts
    // its own, and each start rewrites the database header with a forced
    // write, which made the check of a large run wait on the disk per query.
    TEscopoTransacao transacao(IbxUtils);
    ExcluirInconsistencias(tiMovimento);
    const TLeituraConjunta leitura = LerMarcadosDeUmaVez();
    for (; !v.FimDados(); v.Proximo()) {
      QStringList codigos;
      if (!ValidarParticipacao(v, cpFechamento, &codigos)) {
        if (v.IC_ESTADO_MOVIMENTO == 1 && v.GravarEstadoMovimento(0))
          ++r.Alterados;
        r.Falhas << TFalhaMovimento{ChaveDe(v), NomeDe(v), codigos.value(0), codigos};
      }
    }
    transacao.Confirmar();
    if (!r.Falhas.isEmpty())
      r.Codigo = QStringLiteral("0368");
  } catch (const EBancoDados &) {
    r.Codigo = QStringLiteral("0144");
  }
  return r;
}

bool TMovimento::ConcluirFechamento(QString *Codigo) {
  try {
    TEscopoTransacao transacao(IbxUtils);
    IbxUtils->ExecutarSQL(QStringLiteral("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET "
                                         "IC_ESTADO_MOVIMENTO = 2 WHERE IC_ESTADO_MOVIMENTO = 1"));
    IbxUtils->ExecutarSQL(QStringLiteral("DELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO"));
    transacao.Confirmar();
  } catch (const EBancoDados &) {
    if (Codigo)
      *Codigo = QStringLiteral("0144");
    return false;
  }
  DataPagamento = NullDate;
  return true;
}
