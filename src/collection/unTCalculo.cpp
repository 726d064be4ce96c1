#include "collection/unTCalculo.h"

#include "collection/unTContaSaldoTrabalhador.h"
#include "core/UnInconsistencia.h"
#include "core/unCentavos.h"
#include "core/unFBUtils.h"
#include "core/unTDiaUtil.h"
#include "core/unUtilitarios.h"
#include "registry/UnRescisao.h"
#include "registry/unVinculo.h"

#include <QDate>

namespace {

// ------------------------------------------------------------ date helpers
TDateTime Data(int ano, int mes, int dia) {
  return QDateParaData(QDate(ano, mes, dia));
}
int Dia(TDateTime d) {
  return DataParaQDate(d).day();
}
int Mes(TDateTime d) {
  return DataParaQDate(d).month();
}
int Ano(TDateTime d) {
  return DataParaQDate(d).year();
}
// Day n of the month of d.
TDateTime DiaDoMes(TDateTime d, int n) {
  const QDate q = DataParaQDate(d);
  return Data(q.year(), q.month(), n);
}
TDateTime PrimeiroDia(TDateTime d) {
  return DiaDoMes(d, 1);
}
TDateTime SomarMeses(TDateTime d, int meses) {
  return Utilitarios.SomarMeses(d, meses);
}
bool MesmoMes(TDateTime a, TDateTime b) {
  return Ano(a) == Ano(b) && Mes(a) == Mes(b);
}
int AnoMes(TDateTime d) {
  return Ano(d) * 100 + Mes(d);
}
TDateTime UtilAntes(TDateTime d) {
  return AjustarDiaUtil(false, d);
}
TDateTime UtilDepois(TDateTime d) {
  return AjustarDiaUtil(true, d);
}
// Engine dates use 0 for "no date".
TDateTime SemNula(TDateTime d) {
  return d > 0 ? d : 0;
}

double T2(double v) {
  return Utilitarios.Truncar(2, v);
}
double T9(double v) {
  return Utilitarios.Truncar(9, v);
}

// Day count of a calendar date, computed at compile time: the fixed dates
// below must not depend on the order in which other units initialise.
constexpr TDateTime Fixa(int a, int m, int d) {
  a -= m <= 2;
  const int era = (a >= 0 ? a : a - 399) / 400;
  const int ae = a - era * 400;
  const int da = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int de = ae * 365 + ae / 4 - ae / 100 + da;
  return era * 146097 + de - 719468 + 25569; // days since 1970, then since 30/12/1899
}
static_assert(Fixa(1899, 12, 30) == 0 && Fixa(2024, 3, 10) == 45361);

// Fixed dates of the rules.
constexpr TDateTime L = Fixa(2024, 3, 10);
constexpr TDateTime L2 = Fixa(2024, 4, 21);
constexpr TDateTime R = Fixa(2017, 11, 11);
constexpr TDateTime D2002 = Fixa(2002, 1, 1);
constexpr TDateTime D2003 = Fixa(2003, 1, 1);
constexpr TDateTime D2007 = Fixa(2007, 1, 1);
constexpr TDateTime D2020 = Fixa(2020, 1, 1);
constexpr TDateTime Opcao0971 = Fixa(1971, 9, 23);
constexpr TDateTime Setembro1989 = Fixa(1989, 9, 1);

// Columns of the simplified index table, in the order they are kept.
const char *const ColunasSimplificado =
    "IN_JAM_OPCAO_67, IN_JAM_OPCAO_68, IN_JAM_OPCAO_69, IN_JAM_OPCAO_70, IN_JAM_OPCAO_ATE_0971, "
    "IN_JAM_OPCAO_MAIOR_0971, IN_SIMPLIFICADO_1_OPCAO_67, IN_SIMPLIFICADO_1_OPCAO_68, "
    "IN_SIMPLIFICADO_1_OPCAO_69, IN_SIMPLIFICADO_1_OPCAO_70, IN_SIMPLIFICADO_2_OPCAO_67, "
    "IN_SIMPLIFICADO_2_OPCAO_68, IN_SIMPLIFICADO_2_OPCAO_69, IN_SIMPLIFICADO_2_OPCAO_70, "
    "IN_SMPLO_1_OPCAO_ATE_0971, IN_SMPLO_1_OPCAO_MAIOR_0971, IN_SMPLO_2_OPCAO_ATE_0971, "
    "IN_SMPLO_2_OPCAO_MAIOR_0971";
enum { colJam = 0, colSimpl1 = 6, colSimpl2 = 10, colSmplo1 = 14, colSmplo2 = 16 };

// Option period of an option date: 0-3 the years 1967 to 1970, 4 from 1971
// to 22/09/1971, 5 from 23/09/1971; -1 for an earlier year (or no date).
int PeriodoOpcao(TDateTime opcao) {
  if (opcao <= 0)
    return -1;
  const int ano = Ano(opcao);
  if (ano < 1967)
    return -1;
  if (ano <= 1970)
    return ano - 1967;
  return opcao < Opcao0971 ? 4 : 5;
}

std::optional<std::array<double, 18>> LerSimplificado(TDateTime edital, TDateTime competencia) {
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT %1 FROM QZLTBT17_INDICE_SIMPLIFICADO WHERE DT_EDITAL_SIMPLIFICADO = "
                     "%2 AND DT_COMPETENCIA_SIMPLIFICADO = %3")
          .arg(QString::fromLatin1(ColunasSimplificado), Utilitarios.DataSQL(edital),
               Utilitarios.DataSQL(competencia)));
  if (ds->IsEmpty())
    return std::nullopt;
  std::array<double, 18> linha{};
  for (int i = 0; i < 18; ++i)
    linha[i] = ds->Fields(i).AsFloat();
  return linha;
}

// The JAM column of a row for a category and option date; -1 for an option
// year before 1967. Category 2 always takes the options after 09/1971.
double FatorJamDaLinha(const std::array<double, 18> &linha, int categoria, TDateTime opcao) {
  if (categoria == 2)
    return linha[colJam + 5];
  const int periodo = PeriodoOpcao(opcao);
  return periodo < 0 ? -1 : linha[colJam + periodo];
}

QString Chave(std::initializer_list<TDateTime> datas) {
  QString k;
  for (TDateTime d : datas)
    k += QString::number(qint64(d)) + u'|';
  return k;
}

} // namespace

const TIndicesSimplificado::TLinha &TIndicesSimplificado::Linha(TDateTime edital,
                                                                TDateTime competencia) {
  const QString chave = Chave({edital, competencia});
  auto it = linhas_.find(chave);
  if (it == linhas_.end())
    it = linhas_.insert(chave, LerSimplificado(edital, competencia));
  return *it;
}

double TIndicesSimplificado::FatorJam(int categoria, TDateTime edital, TDateTime opcao,
                                      TDateTime competencia, bool *semLinha) {
  const TLinha &linha = Linha(edital, competencia);
  if (semLinha)
    *semLinha = !linha;
  return linha ? FatorJamDaLinha(*linha, categoria, opcao) : -1;
}

void RegistrarFaltaIndice(int tipo, qint64 inscricao, qint64 pis, int categoria,
                          TDateTime admissao) {
  TInconsistencia inc;
  inc.RegistrarMovimento(QStringLiteral("0372"), QString(), QString(),
                         Utilitarios.DataFormatada(QStringLiteral("ddmmyyyy"), true, admissao),
                         QString::number(categoria), QString::number(pis), QString(),
                         QString::number(inscricao), QString::number(tipo), QString(), QString());
}

void AplicarRegraCalculo(TTipoParcela tipo, const TCondicaoRegra &c, double B, double I, double J,
                         TParcelaCalculo &r) {
  // Differences and sums below are of amounts already cut to centavos: they
  // are made in whole centavos, never cut again.
  using C = TCentavos;
  // k <= 0 stands for "no k": the index alone.
  auto total = [&](double k) { return C::De(k > 0 ? T2(B * I * k) : T2(B * I)); };
  auto formaS = [&](double t, double d) {
    const C tot = C::De(T2(B * t));
    r.VrDeposito = T2(B * d);
    r.VrContribuicao = (tot - C::De(r.VrDeposito)).Valor();
  };
  auto formaN = [&](double d) { r.VrDeposito = T2(B * d); };
  // Returns REST, what is left of the total for the late charges.
  auto formaLS = [&](double k, double d, double taxa, bool taxaTotal, int n) {
    const C tot = total(k);
    r.VrDeposito = T2(B * d);
    r.VrContribuicao =
        taxaTotal ? (C::De(T2(B * taxa)) - C::De(r.VrDeposito)).Valor() : T2(B * taxa);
    r.VrJam = T2(r.VrDeposito * J);
    const C resto = tot - C::Soma({r.VrDeposito, r.VrJam, r.VrContribuicao});
    r.VrMultaContribuicao = T2((resto + C::De(r.VrJam)).Valor() / n);
    r.VrMulta = (resto - C::De(r.VrMultaContribuicao)).Valor();
    return resto;
  };
  auto formaLN = [&](double k, double d) {
    const C tot = total(k);
    r.VrDeposito = T2(B * d);
    r.VrJam = T2(r.VrDeposito * J);
    r.VrMulta = (tot - C::Soma({r.VrDeposito, r.VrJam})).Valor();
  };

  const bool RR = c.TaxaReduzida;
  if (tipo != tpMulta) {
    if (c.EmDia) {
      if (c.Contribuicao)
        RR ? formaS(0.025, 0.02) : formaS(0.085, 0.08);
      else
        formaN(RR ? 0.02 : 0.08);
    } else if (c.Contribuicao) {
      RR ? formaLS(0.3125, 0.02, 0.025, true, 5) : formaLS(1.0625, 0.08, 0.085, true, 17);
    } else {
      RR ? formaLN(0.25, 0.02) : formaLN(0, 0.08);
    }
    r.VrBaseMulta = C::Soma({r.VrDeposito, r.VrJam}).Valor();
    return;
  }

  const QString &MOV = c.Mov;
  const bool antes2020 = c.Antes2020;
  const bool metade = MOV == QLatin1String("I2") || MOV == QLatin1String("I5") ||
                      MOV == QLatin1String("I6"); // the 20% fine (on time)
  const bool inteira = MOV == QLatin1String("I4") || MOV == QLatin1String("L") ||
                       MOV == QLatin1String("I1"); // the 40% fine
  bool aplicada = true;
  if (c.EmDia) {
    if (c.Contribuicao)
      antes2020 ? formaS(0.5, 0.4) : formaS(0.4, 0.4);
    else if (metade)
      formaN(0.2);
    else if (inteira)
      formaN(0.4);
    else
      aplicada = false;
  } else if (c.Contribuicao) {
    if (antes2020 && c.DissidioAntes2020) {
      formaLS(0, 0.4, 0.1, false, 5);
    } else if (antes2020) {
      const C tot = C::De(T2(B * I));
      r.VrDeposito = T2(B * 0.4);
      r.VrContribuicao = T2(B * 0.1);
      r.VrJam = T2(r.VrDeposito * J);
      r.VrMulta = (tot - C::Soma({r.VrDeposito, r.VrJam})).Valor();
      r.VrMultaContribuicao = (C::De(T2(B * (I / 4))) - C::De(r.VrContribuicao)).Valor();
    } else {
      const C resto = formaLS(0, 0.4, 0, false, 5);
      r.VrMultaContribuicao = 0;
      r.VrMulta = resto.Valor();
    }
  } else if (MOV == QLatin1String("I2") ||
             ((MOV == QLatin1String("I5") || MOV == QLatin1String("I6")) && c.AposReforma)) {
    formaLN(antes2020 ? 0.4 : 0.5, 0.2);
  } else if (inteira) {
    formaLN(antes2020 ? 0.8 : 1.0, 0.4);
  } else {
    aplicada = false;
  }
  if (aplicada)
    r.VrBaseMulta = B;
}

// =================================================================== TCalculo

TCalculo::TCalculo() {
  RecarregarDiaUtil();
}

TCalculo::~TCalculo() = default;

TCentavos TCalculo::TotalCentavos() const {
  TCentavos total;
  for (const TParcelaCalculo *p :
       {&ParcelaAnterior, &ParcelaRescisao, &ParcelaAvisoPrevio, &ParcelaMulta})
    total += TCentavos::Soma(
        {p->VrDeposito, p->VrJam, p->VrMulta, p->VrContribuicao, p->VrMultaContribuicao});
  return total;
}

bool TCalculo::ObterDataPagamento() {
  // Read once per engine: an engine serves one simulation, one details
  // screen or one file generation, during which the open run does not change.
  if (pagLido_)
    return pag_ > 0;
  // The payment date of the open run and the latest late-payment date (the
  // calendar regime) in one round trip.
  TDataSetPtr ds = IbxUtils->AbrirConsulta(QStringLiteral(
      "SELECT (SELECT FIRST 1 DT_PAGAMENTO FROM QZLTBG01_ABERTURA_RECOLHIMENTO), "
      "(SELECT MAX(DT_RECOLHIMENTO_PRORATA) FROM QZLTBT18_INDICE_PRORATA) FROM RDB$DATABASE"));
  pag_ = ds->Fields(0).IsNull() ? NullDate : ds->Fields(0).AsDateTime();
  novoCalendario_ = !ds->Fields(1).IsNull() && Dia(ds->Fields(1).AsDateTime()) > 10;
  pagLido_ = true;
  return pag_ > 0;
}

TCalculo::TEmpresaCalculo TCalculo::Empresa(int tipo, qint64 inscricao) {
  const QString chave = QStringLiteral("%1/%2").arg(tipo).arg(inscricao);
  auto it = empresas_.constFind(chave);
  if (it != empresas_.constEnd())
    return *it;
  TEmpresaCalculo e;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT NU_INSS, NU_SIMPLES FROM QZLTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = "
                     "%1 AND NU_INSCRICAO = %2")
          .arg(tipo)
          .arg(inscricao));
  if (!ds->IsEmpty()) {
    e.Fpas = Utilitarios.ParaInteiro(ds->Fields(0).AsString().trimmed());
    e.Simples = ds->Fields(1).AsInteger();
  }
  empresas_.insert(chave, e);
  return e;
}

TCalculo::TIndiceGuia TCalculo::IndiceGuia(TDateTime vencimento, TDateTime recolhimento) {
  const QString chave = Chave({edital_, vencimento, recolhimento});
  auto it = indicesGuia_.constFind(chave);
  if (it != indicesGuia_.constEnd())
    return *it;
  TIndiceGuia i;
  TDataSetPtr ds = IbxUtils->AbrirConsulta(
      QStringLiteral("SELECT VR_INDICE, VR_INDICE_MULTA_RESCISORIA FROM "
                     "QZLTBT16_INDICE_GUIA_RESCISORIA WHERE DT_EDITAL_GUIA = %1 AND DT_VENCIMENTO "
                     "= %2 AND DT_RCLTO_INDICE_RESCISORIA = %3")
          .arg(Utilitarios.DataSQL(edital_), Utilitarios.DataSQL(vencimento),
               Utilitarios.DataSQL(recolhimento)));
  if (!ds->IsEmpty()) {
    i.Existe = true;
    i.Indice = ds->Fields(0).AsFloat();
    i.IndiceMulta = ds->Fields(1).AsFloat();
  }
  indicesGuia_.insert(chave, i);
  return i;
}

const TCalculo::TLinhaSimplificado &TCalculo::LinhaSimplificado(TDateTime competencia) {
  return simplificado_.Linha(edital_, competencia);
}

double TCalculo::FatorJam(TDateTime competencia) {
  const TLinhaSimplificado &linha = LinhaSimplificado(competencia);
  if (!linha) {
    RegistrarFaltaIndice(TIPO, inscricao_, pis_, CAT, admissao_);
    CodigoErro = ecIndice;
    return -1;
  }
  const double f = FatorJamDaLinha(*linha, CAT, OPC);
  if (f < 0)
    CodigoErro = ecOpcaoAnterior;
  return f;
}

double TCalculo::ObterIndiceProrata(TDateTime compAjustada, TDateTime competencia) {
  const QString chave = Chave({edital_, pag_});
  auto it = prorata_.find(chave);
  if (it == prorata_.end()) {
    TDataSetPtr ds = IbxUtils->AbrirConsulta(
        QStringLiteral("SELECT IN_ATRASO_MES, IN_ATRASO_1_MES, IN_ATRASO_2_MESES FROM "
                       "QZLTBT18_INDICE_PRORATA WHERE DT_EDITAL_PRORATA = %1 AND "
                       "DT_RECOLHIMENTO_PRORATA = %2")
            .arg(Utilitarios.DataSQL(edital_), Utilitarios.DataSQL(pag_)));
    TLinhaProrata l;
    if (!ds->IsEmpty())
      l = std::array<double, 3>{ds->Fields(0).AsFloat(), ds->Fields(1).AsFloat(),
                                ds->Fields(2).AsFloat()};
    it = prorata_.insert(chave, l);
  }
  const int m = Utilitarios.MesesEntre(edital_, competencia);
  double P = 0;
  if (*it && m >= 0)
    P = (**it)[m >= 2 ? 2 : m];

  double S = 1;
  if (m >= 2) {
    const TLinhaSimplificado &linha = LinhaSimplificado(compAjustada);
    const int periodo = PeriodoOpcao(OPC);
    if (periodo >= 0) {
      const int dia = Dia(pag_);
      const bool conjunto2 = dia <= 7 ? competencia < Setembro1989 : dia <= 9; // days 10-31: set 1
      int col;
      if (periodo <= 3)
        col = (conjunto2 ? colSimpl2 : colSimpl1) + periodo;
      else
        col = (conjunto2 ? colSmplo2 : colSmplo1) + (periodo - 4);
      S = linha ? (*linha)[col] : 0; // a missing row reads as 0
    }
  }
  return T9(S * P);
}

// ------------------------------------------------------------- the link

bool TCalculo::CalcularBaseMulta(TRescisao &resc) {
  TParcelaCalculo &m = ParcelaMulta;
  if (DD > 0) {
    m.VrBase = resc.VR_DISSIDIO;
  } else {
    m.VrBase = resc.VR_SALDO_RESCISORIO;
    if (resc.VR_SALDO_RESCISORIO > 0 &&
        resc.IC_ORIGEM_SALDO_RESCISORIO.trimmed().toUpper() == QLatin1String("C")) {
      // The first account not excluded gives the interest-credit date.
      const TChaveVinculo chave{TIPO, inscricao_, pis_, CAT, admissao_};
      const TResumoContas contas =
          Contas ? Contas->value(chave) : TContaSaldoTrabalhador::ResumirVinculo(chave);
      const TDateTime credito = contas.CreditoJuros;
      // An account without an interest-credit date has had no interest
      // credited, so there is no JAM to add to its balance.
      if (contas.TemContaNaoExcluida && credito > 0 && AnoMes(credito) < AnoMes(edital_)) {
        const double f = FatorJam(PrimeiroDia(SomarMeses(credito, -1)));
        if (f < 0)
          return false;
        m.VrJamSaldo = T2(resc.VR_SALDO_RESCISORIO * f);
        m.VrBase = TCentavos::Soma({resc.VR_SALDO_RESCISORIO, m.VrJamSaldo}).Valor();
      }
    }
    m.VrBase = TCentavos::Soma({m.VrBase, resc.VR_DEPOSITO_CMPLO_SALDO}).Valor();
  }
  m.VrBaseMulta = m.VrBase;
  return true;
}

void TCalculo::CalcularVencimentos() {
  TParcelaCalculo &ant = ParcelaAnterior, &resc = ParcelaRescisao, &av = ParcelaAvisoPrevio,
                  &multa = ParcelaMulta;
  ant.DtDevida = resc.DtDevida = av.DtDevida = multa.DtDevida = 0;

  // The termination deadline.
  auto prazo = [this]() -> TDateTime {
    if (AV == 0 || AV == 1)
      return DM < R ? UtilDepois(DM + 1) : DM + 10;
    return DM < R ? UtilAntes(DM + 10) : DM + 10;
  };

  if (DD > DM) { // the dissídio comes after the termination
    const TDateTime v = VencimentoMesSeguinte(DD);
    ant.DtDevida = resc.DtDevida = av.DtDevida = multa.DtDevida = v;
  } else if (AV == 0 || AV == 1) {
    TDateTime t;
    if (Dia(DM) < 7) {
      if (DM < R) {
        t = UtilDepois(DM + 1);
        if (Dia(t) > 7)
          t = UtilAntes(DM + 1);
      } else {
        t = DM + 10;
      }
    } else {
      t = UtilAntes(DiaDoMes(DM, DM < L ? 7 : 20));
    }
    ant.DtDevida = t;
    t = prazo();
    multa.DtDevida = av.DtDevida = t;
    if (Dia(t) > 7 && DM >= R && AnoMes(t) > AnoMes(DM))
      t = DiaDoMes(t, 7);
    resc.DtDevida = t;
  } else if (AV == 2 || AV == 3) {
    ant.DtDevida = UtilAntes(DiaDoMes(DM, pag_ < L ? 7 : 20));
    TDateTime t = prazo();
    multa.DtDevida = t;
    if (Dia(t) > 7 && !MesmoMes(t, DM))
      t = DM < R ? UtilAntes(DiaDoMes(t, 7)) : DiaDoMes(t, 7);
    resc.DtDevida = av.DtDevida = t;
  }
}

void TCalculo::CalcularCompetencias() {
  if (DD > 0) {
    ParcelaAnterior.DtCompetencia = PrimeiroDia(SomarMeses(DD, -1));
    ParcelaRescisao.DtCompetencia = ParcelaAvisoPrevio.DtCompetencia = ParcelaMulta.DtCompetencia =
        PrimeiroDia(DD);
    return;
  }
  ParcelaAnterior.DtCompetencia = PrimeiroDia(SomarMeses(DM, -1));
  ParcelaAvisoPrevio.DtCompetencia = ParcelaMulta.DtCompetencia = PrimeiroDia(DM);
  const TDateTime y = UtilAntes(ParcelaRescisao.DtDevida);
  const int limite = novoCalendario_ && DM >= L ? 20 : 10;
  ParcelaRescisao.DtCompetencia =
      Dia(y) < limite ? PrimeiroDia(SomarMeses(DM, -1)) : PrimeiroDia(DM);
}

void TCalculo::CalcularIndicadores() {
  TParcelaCalculo *deposito[] = {&ParcelaAnterior, &ParcelaRescisao, &ParcelaAvisoPrevio};
  TParcelaCalculo *todas[] = {&ParcelaAnterior, &ParcelaRescisao, &ParcelaAvisoPrevio,
                              &ParcelaMulta};

  const char inicial = (FPAS == 868 || CAT == 6 || SIMPLES == 5 || SIMPLES == 6) ? 'N' : 'S';
  for (TParcelaCalculo *p : todas)
    p->IcContribuicao = inicial;
  // The monthly contribution was due only for the months 01/2002 to 12/2006.
  for (TParcelaCalculo *p : deposito)
    if (p->DtCompetencia < D2002 || p->DtCompetencia >= D2007)
      p->IcContribuicao = 'N';
  const bool isentoDeposito = FPAS == 604 ? ((TIPO == 2 && (SIMPLES == 1 || SIMPLES == 2)) ||
                                             (TIPO == 1 && SIMPLES != 1 && SIMPLES != 3))
                                          : SIMPLES == 2;
  if (isentoDeposito)
    for (TParcelaCalculo *p : deposito)
      p->IcContribuicao = 'N';
  if (MOV != QLatin1String("I1") || DM < D2002)
    ParcelaMulta.IcContribuicao = 'N';
  if (MOV == QLatin1String("I5") || MOV == QLatin1String("I6"))
    for (TParcelaCalculo *p : todas)
      p->IcContribuicao = 'N';

  for (TParcelaCalculo *p : todas)
    p->IcEmDia = pag_ > p->DtDevida ? 'N' : 'S';

  ParcelaAnterior.DtVencimentoNormal = VencimentoMesSeguinte(ParcelaAnterior.DtCompetencia);
  ParcelaRescisao.DtVencimentoNormal = VencimentoMesSeguinte(ParcelaMulta.DtCompetencia);
  ParcelaAvisoPrevio.DtVencimentoNormal = VencimentoMesSeguinte(ParcelaAvisoPrevio.DtCompetencia);
  ParcelaMulta.DtVencimentoNormal = VencimentoMesSeguinte(ParcelaMulta.DtCompetencia);
}

bool TCalculo::CalcularVinculo(TVinculo *vinculo, TRescisao *rescisao) {
  if (!vinculo)
    return false;
  CodigoErro = 0;
  // Every block starts empty, so a block the computation does not reach shows
  // nothing of the previous link.
  ParcelaAnterior = ParcelaRescisao = ParcelaAvisoPrevio = ParcelaMulta = TParcelaCalculo();

  if (!ObterDataPagamento()) {
    CodigoErro = ecSemMovimento;
    return false;
  }

  TRescisao &resc = rescisao ? *rescisao : vinculo->Rescisao();
  TIPO = vinculo->NU_TIPO_INSO_EMPRA;
  inscricao_ = vinculo->NU_INSCRICAO;
  pis_ = vinculo->NU_PIS;
  CAT = vinculo->NU_CATEGORIA;
  admissao_ = vinculo->DT_ADMISSAO_VINCULO;
  AV = vinculo->IC_AVISO_PREVIO;
  MOV = vinculo->CO_MOVIMENTACAO.trimmed().toUpper();
  OPC = SemNula(vinculo->DT_OPCAO);
  DM = SemNula(vinculo->DT_MOVIMENTACAO_VINCULO);
  DD = SemNula(resc.DT_DISSIDIO);
  const TEmpresaCalculo emp = Empresa(TIPO, inscricao_);
  FPAS = emp.Fpas;
  SIMPLES = emp.Simples;
  if (DM <= 0) { // no termination date: nothing can be dated
    CodigoErro = 50;
    return false;
  }

  ParcelaAnterior.VrBase = resc.VR_REMUNERACAO_ANTERIOR_RSCSO;
  ParcelaRescisao.VrBase = resc.VR_REMUNERACAO_RESCISAO;
  ParcelaAvisoPrevio.VrBase = resc.VR_AVISO_PREVIO;

  // The edition month of the index tables that apply to the payment date.
  if (!novoCalendario_ || pag_ < L)
    edital_ = Dia(pag_) >= 10 ? PrimeiroDia(pag_) : PrimeiroDia(SomarMeses(pag_, -1));
  else if (pag_ >= L2)
    edital_ = Dia(pag_) >= 21 ? PrimeiroDia(pag_) : PrimeiroDia(SomarMeses(pag_, -1));
  else
    edital_ = Fixa(2024, 3, 1);

  if (!CalcularBaseMulta(resc))
    return false;
  CalcularVencimentos();
  CalcularCompetencias();
  CalcularIndicadores();

  struct {
    TTipoParcela tipo;
    TParcelaCalculo *parcela;
    double origem; // the value whose absence leaves nothing to collect
  } blocos[] = {{tpAnterior, &ParcelaAnterior, resc.VR_REMUNERACAO_ANTERIOR_RSCSO},
                {tpRescisao, &ParcelaRescisao, resc.VR_REMUNERACAO_RESCISAO},
                {tpAvisoPrevio, &ParcelaAvisoPrevio, resc.VR_AVISO_PREVIO},
                {tpMulta, &ParcelaMulta, 0}};
  for (auto &b : blocos) {
    *b.parcela = CalcularParcela(b.tipo, *b.parcela);
    const double origem = b.tipo == tpMulta ? b.parcela->VrBaseMulta : b.origem;
    if (!(origem > 0))
      b.parcela->DtDevida = 0;
    if (!b.parcela->Calculado)
      return false;
  }
  return ParcelaMulta.Calculado;
}

TParcelaCalculo TCalculo::CalcularParcela(TTipoParcela tipo, const TParcelaCalculo &p) {
  CodigoErro = 0;
  TParcelaCalculo r;
  r.DtDevida = p.DtDevida;
  r.VrBase = p.VrBase;
  r.VrJamSaldo = ParcelaMulta.VrJamSaldo;
  r.Calculado = true;
  r.IcContribuicao = r.IcEmDia = ' ';

  TDateTime compAjustada = p.DtCompetencia;
  if (tipo != tpAnterior && Dia(p.DtDevida) <= 10 && MesmoMes(p.DtDevida, p.DtCompetencia))
    compAjustada = PrimeiroDia(SomarMeses(p.DtCompetencia, -1));

  double I = 0, J = 0;
  if (p.IcEmDia == 'N') {
    // Terminations of the first two days of 2020 use the index rows of the
    // due date 13/01/2020 (and payment on the 14th for a payment on the 13th).
    TDateTime V = p.DtDevida, PG = pag_;
    if (DM == Fixa(2020, 1, 1) || DM == Fixa(2020, 1, 2)) {
      V = Fixa(2020, 1, 13);
      if (pag_ == Fixa(2020, 1, 13))
        PG = Fixa(2020, 1, 14);
    }
    if (tipo == tpMulta) {
      I = IndiceGuia(UtilAntes(V), PG).IndiceMulta;
    } else if (p.DtDevida >= p.DtVencimentoNormal) {
      I = ObterIndiceProrata(compAjustada, p.DtCompetencia);
    } else {
      const TIndiceGuia ig = IndiceGuia(UtilAntes(V), PG);
      I = ig.Existe ? ig.Indice : 0;
    }
    if (!(I > 0)) {
      CodigoErro = ecIndice;
      r.Calculado = false;
      return r;
    }

    const TDateTime limite = SomarMeses(edital_, -2);
    bool aplicaJam;
    if (tipo == tpAnterior) {
      aplicaJam = limite >= p.DtCompetencia;
    } else {
      const TDateTime ref = Dia(V) <= 10 && MesmoMes(V, p.DtCompetencia)
                                ? PrimeiroDia(SomarMeses(p.DtCompetencia, -1))
                                : p.DtCompetencia;
      aplicaJam = limite >= ref;
    }
    if (aplicaJam) {
      J = FatorJam(compAjustada);
      if (J < 0) {
        r.Calculado = false;
        return r;
      }
    }
  }

  double B = p.VrBase;
  if (tipo == tpMulta)
    B = TCentavos::Soma({ParcelaMulta.VrBaseMulta, ParcelaAnterior.VrBaseMulta,
                         ParcelaRescisao.VrBaseMulta, ParcelaAvisoPrevio.VrBaseMulta})
            .Valor();
  TCondicaoRegra c;
  c.EmDia = p.IcEmDia == 'S';
  c.Contribuicao = p.IcContribuicao == 'S';
  c.TaxaReduzida = CAT == 7 || (CAT == 4 && p.DtCompetencia <= D2003);
  c.Antes2020 = DM < D2020;
  c.DissidioAntes2020 = DD < D2020;
  c.AposReforma = DM >= R;
  c.Mov = MOV;
  AplicarRegraCalculo(tipo, c, B, I, J, r);
  ValidarParcela(r);
  return r;
}

bool TCalculo::ValidarParcela(TParcelaCalculo &r) {
  if (!r.Calculado)
    return false;
  for (double v : {r.VrDeposito, r.VrJam, r.VrContribuicao, r.VrMultaContribuicao, r.VrMulta,
                   r.VrBase, r.VrBaseMulta})
    if (v < 0) {
      CodigoErro = ecValorNegativo;
      r.Calculado = false;
      return false;
    }
  return true;
}

double TCalculo::GravarCalculo(TVinculo *vinculo, TRescisao *rescisao) {
  if (!vinculo || !CalcularVinculo(vinculo, rescisao))
    return -1;
  for (const TParcelaCalculo *p :
       {&ParcelaAnterior, &ParcelaRescisao, &ParcelaAvisoPrevio, &ParcelaMulta})
    if (!p->Calculado)
      return -1;
  const double total = ValorTotal();

  TRescisao &resc = rescisao ? *rescisao : vinculo->Rescisao();
  auto bloco = [](const TParcelaCalculo &p, const char *devida, const char *sufixo,
                  const char *multaCntro) {
    const QString s = QString::fromLatin1(sufixo);
    return QStringLiteral("%1 = %2, VR_DEPOSITO_%3 = %4, VR_JAM_%3 = %5, VR_MULTA_%3 = %6, "
                          "VR_CNTRO_%3 = %7, %8 = %9")
        .arg(QString::fromLatin1(devida), Utilitarios.DataSQL(p.DtDevida), s,
             Utilitarios.ValorSQL(p.VrDeposito), Utilitarios.ValorSQL(p.VrJam),
             Utilitarios.ValorSQL(p.VrMulta), Utilitarios.ValorSQL(p.VrContribuicao),
             QString::fromLatin1(multaCntro), Utilitarios.ValorSQL(p.VrMultaContribuicao));
  };
  const QString sql =
      QStringLiteral("UPDATE QZLTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = ") +
      Utilitarios.ValorSQL(resc.VR_DISSIDIO > 0 ? 0 : ParcelaMulta.VrJamSaldo) +
      QStringLiteral(", ") +
      bloco(ParcelaAnterior, "DT_DEVIDA_ANTERIOR_RESCISAO", "ANTERIOR_RESCISAO",
            "VR_MULTA_CNTRO_ANTERIOR_RSCSO") +
      QStringLiteral(", ") +
      bloco(ParcelaRescisao, "DT_DEVIDA_RESCISAO", "RESCISAO", "VR_MULTA_CNTRO_RESCISAO") +
      QStringLiteral(", ") +
      bloco(ParcelaAvisoPrevio, "DT_DEVIDA_AVISO_PREVIO", "AVISO_PREVIO",
            "VR_MULTA_CNTRO_AVISO_PREVIO") +
      QStringLiteral(", ") +
      bloco(ParcelaMulta, "DT_DEVIDA_MULTA_RESCISORIA", "MULTA_RESCISORIA",
            "VR_MULTA_CNTRO_MULTA_RESCISORIA") +
      QStringLiteral(" WHERE ") +
      CondicaoVinculo(vinculo->NU_TIPO_INSO_EMPRA, vinculo->NU_INSCRICAO, vinculo->NU_PIS,
                      vinculo->NU_CATEGORIA, vinculo->DT_ADMISSAO_VINCULO);
  // No termination row means nothing was stored: that is a failure, not a total.
  if (IbxUtils->ExecutarSQL(sql) == 0) {
    CodigoErro = 144;
    return -1;
  }
  // The termination data now holds what was stored; the values are already
  // cut to centavos, so setting them here equals reading the row back.
  resc.VR_JAM_SALDO_RESCISORIO = resc.VR_DISSIDIO > 0 ? 0 : ParcelaMulta.VrJamSaldo;
  auto copiar = [](const TParcelaCalculo &p, TDateTime &devida, double &deposito, double &jam,
                   double &multa, double &cntro, double &multaCntro) {
    devida = p.DtDevida > 0 ? p.DtDevida : NullDate;
    deposito = p.VrDeposito;
    jam = p.VrJam;
    multa = p.VrMulta;
    cntro = p.VrContribuicao;
    multaCntro = p.VrMultaContribuicao;
  };
  copiar(ParcelaAnterior, resc.DT_DEVIDA_ANTERIOR_RESCISAO, resc.VR_DEPOSITO_ANTERIOR_RESCISAO,
         resc.VR_JAM_ANTERIOR_RESCISAO, resc.VR_MULTA_ANTERIOR_RESCISAO,
         resc.VR_CNTRO_ANTERIOR_RESCISAO, resc.VR_MULTA_CNTRO_ANTERIOR_RSCSO);
  copiar(ParcelaRescisao, resc.DT_DEVIDA_RESCISAO, resc.VR_DEPOSITO_RESCISAO, resc.VR_JAM_RESCISAO,
         resc.VR_MULTA_RESCISAO, resc.VR_CNTRO_RESCISAO, resc.VR_MULTA_CNTRO_RESCISAO);
  copiar(ParcelaAvisoPrevio, resc.DT_DEVIDA_AVISO_PREVIO, resc.VR_DEPOSITO_AVISO_PREVIO,
         resc.VR_JAM_AVISO_PREVIO, resc.VR_MULTA_AVISO_PREVIO, resc.VR_CNTRO_AVISO_PREVIO,
         resc.VR_MULTA_CNTRO_AVISO_PREVIO);
  copiar(ParcelaMulta, resc.DT_DEVIDA_MULTA_RESCISORIA, resc.VR_DEPOSITO_MULTA_RESCISORIA,
         resc.VR_JAM_MULTA_RESCISORIA, resc.VR_MULTA_MULTA_RESCISORIA,
         resc.VR_CNTRO_MULTA_RESCISORIA, resc.VR_MULTA_CNTRO_MULTA_RESCISORIA);
  return total;
}
