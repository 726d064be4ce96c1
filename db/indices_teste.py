"""Rules of the TEST index tables: plausible factors, not the bank's publication.

One module holds them so that the database build (db/build_db.py) and the
simulated bank's index archives (tools/banco/sub_indices.py) write the same
rows for the same edition. Each function yields rows as (table, columns,
values), the values already SQL literals.

The tables:
  - QZLTBT15_DIA_UTIL: every business day of a range (db/refdata/gen_business_days.py);
  - QZLTBT18_INDICE_PRORATA: one row per payment date of an edition's window;
  - QZLTBT16_INDICE_GUIA_RESCISORIA: per payment date, every business due date
    from the first day of the third month before the payment month up to the
    day before it (payments up to three months late);
  - QZLTBT17_INDICE_SIMPLIFICADO: per edition, every reference month from a
    first month up to the month before the edition.

An edition covers the payment dates of its window, under the calendar the
calculation derives the edition month from: until 09/03/2024 an edition covers
the 10th of its month to the 9th of the next, edition 03/2024 covers
10/03/2024 to 20/04/2024, and from 21/04/2024 an edition covers the 21st to
the 20th.

The factors follow one consistent model so that late blocks never give
negative amounts: monthly interest m = (1 + annual rate)^(1/12) x 1.0005
per option column (6.00%, 5.75%, 5.50%, 5.25%, 5.00% and 3.00% a year for
the columns 67, 68, 69, 70, up to 09/1971 and after 09/1971);
  JAM factor (n months from the reference month to the edition) = m^n - 1;
  simplified factor, set 1 = m^n, set 2 = m^(n+1);
  late-payment factors = 0.08 x (1 + fine + 0.5% a month pro rata), the
    fine being 5% in the month, 10% after;
  guide factors = 0.08 (deposit) or 0.40 (termination fine) x
    (1 + JAM of n+3 months at the highest rate + fine + interest).
"""
import datetime as dt
import sys
from decimal import ROUND_DOWN, Decimal, getcontext
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent / "refdata"))
import gen_business_days  # noqa: E402

getcontext().prec = 40

DIAS_UTEIS_INICIO = dt.date(1990, 1, 1)
DIAS_UTEIS_FIM = dt.date(2035, 12, 31)

# The edition the built database ships (db/README.md): payment dates
# 23/11/2026 to 18/12/2026, the business days of 21/11/2026 to 20/12/2026.
EDICAO_ENTREGUE = dt.date(2026, 11, 1)

NOVO_CALENDARIO = dt.date(2024, 3, 10)
NOVO_CALENDARIO_PLENO = dt.date(2024, 4, 21)
COMPETENCIA_HISTORICA = dt.date(1967, 1, 1)
MESES_ATRASO_GUIA = 3

COLUNAS_OPCAO = ["67", "68", "69", "70", "ATE_0971", "MAIOR_0971"]
TAXA_ANUAL = {"67": "0.06", "68": "0.0575", "69": "0.055", "70": "0.0525",
              "ATE_0971": "0.05", "MAIOR_0971": "0.03"}
CORRECAO_MENSAL = Decimal("1.0005")
JUROS_MENSAIS = {c: (Decimal(1) + Decimal(TAXA_ANUAL[c])) ** (Decimal(1) / Decimal(12))
                 * CORRECAO_MENSAL for c in COLUNAS_OPCAO}
ALIQUOTA = Decimal("0.08")
MULTA_RESCISORIA = Decimal("0.40")

PRORATA = "QZLTBT18_INDICE_PRORATA"
SIMPLIFICADO = "QZLTBT17_INDICE_SIMPLIFICADO"
GUIA = "QZLTBT16_INDICE_GUIA_RESCISORIA"
DIA_UTIL = "QZLTBT15_DIA_UTIL"

COLUNAS_PRORATA = ["DT_EDITAL_PRORATA", "DT_RECOLHIMENTO_PRORATA", "IN_ATRASO_MES",
                   "IN_ATRASO_1_MES", "IN_ATRASO_2_MESES"]
COLUNAS_SIMPLIFICADO = (["DT_EDITAL_SIMPLIFICADO", "DT_COMPETENCIA_SIMPLIFICADO"]
                        + ["IN_JAM_OPCAO_" + c for c in COLUNAS_OPCAO]
                        + ["IN_SIMPLIFICADO_1_OPCAO_" + c for c in COLUNAS_OPCAO[:4]]
                        + ["IN_SIMPLIFICADO_2_OPCAO_" + c for c in COLUNAS_OPCAO[:4]]
                        + ["IN_SMPLO_1_OPCAO_ATE_0971", "IN_SMPLO_1_OPCAO_MAIOR_0971",
                           "IN_SMPLO_2_OPCAO_ATE_0971", "IN_SMPLO_2_OPCAO_MAIOR_0971"])
COLUNAS_GUIA = ["DT_EDITAL_GUIA", "DT_VENCIMENTO", "DT_RCLTO_INDICE_RESCISORIA",
                "VR_INDICE", "VR_INDICE_MULTA_RESCISORIA"]


# ----------------------------------------------------------------- literals

def data(valor):
    return "'" + valor.isoformat() + "'"


def fator(valor):
    """A factor with exactly nine decimals (the precision the tables keep)."""
    return format(valor.quantize(Decimal("0.000000001"), rounding=ROUND_DOWN), "f")


# -------------------------------------------------------------------- dates

def primeiro_dia(d):
    return d.replace(day=1)


def somar_meses(d, meses):
    total = d.year * 12 + d.month - 1 + meses
    return dt.date(total // 12, total % 12 + 1, 1)


def meses_entre(a, b):
    """Months from b to a."""
    return (a.year - b.year) * 12 + a.month - b.month


def dias_uteis(inicio=DIAS_UTEIS_INICIO, fim=DIAS_UTEIS_FIM):
    return list(gen_business_days.business_days(inicio, fim))


def edital(pagamento):
    """Edition month of the index tables that apply to a payment date."""
    if pagamento < NOVO_CALENDARIO:
        virada = 10
    elif pagamento >= NOVO_CALENDARIO_PLENO:
        virada = 21
    else:
        return dt.date(2024, 3, 1)
    if pagamento.day >= virada:
        return primeiro_dia(pagamento)
    return somar_meses(primeiro_dia(pagamento), -1)


def inicio_janela(edicao):
    """First day of the payment window of an edition."""
    if edicao < dt.date(2024, 3, 1):
        return edicao.replace(day=10)
    if edicao == dt.date(2024, 3, 1):
        return NOVO_CALENDARIO
    return edicao.replace(day=21)


def fim_janela(edicao):
    """Last day of the payment window of an edition."""
    return inicio_janela(somar_meses(edicao, 1)) - dt.timedelta(days=1)


def pagamentos_da_edicao(edicao, dias):
    """The business days of an edition's payment window."""
    inicio, fim = inicio_janela(edicao), fim_janela(edicao)
    return [d for d in dias if inicio <= d <= fim]


# --------------------------------------------------------------------- rows

def linhas_dia_util(dias):
    for dia in dias:
        yield DIA_UTIL, ["DT_UTIL"], [data(dia)]


def linha_prorata(pag):
    edicao = edital(pag)
    pro_rata = Decimal("0.005") * Decimal((pag - inicio_janela(edicao)).days) / Decimal(30)
    return PRORATA, COLUNAS_PRORATA, [
        data(edicao), data(pag),
        fator(ALIQUOTA * (Decimal("1.05") + pro_rata)),
        fator(ALIQUOTA * (Decimal("1.105") + pro_rata)),
        fator(ALIQUOTA * (Decimal("1.11") + pro_rata))]


def linhas_simplificado(edicao, primeira_competencia):
    mes = primeira_competencia
    while mes < edicao:
        n = meses_entre(edicao, mes)
        jam = [fator(JUROS_MENSAIS[c] ** n - 1) for c in COLUNAS_OPCAO]
        s1 = {c: fator(JUROS_MENSAIS[c] ** n) for c in COLUNAS_OPCAO}
        s2 = {c: fator(JUROS_MENSAIS[c] ** (n + 1)) for c in COLUNAS_OPCAO}
        yield SIMPLIFICADO, COLUNAS_SIMPLIFICADO, (
            [data(edicao), data(mes)] + jam
            + [s1[c] for c in COLUNAS_OPCAO[:4]] + [s2[c] for c in COLUNAS_OPCAO[:4]]
            + [s1["ATE_0971"], s1["MAIOR_0971"], s2["ATE_0971"], s2["MAIOR_0971"]])
        mes = somar_meses(mes, 1)


def multa_atraso(vencimento, pagamento):
    return Decimal("0.05") if (vencimento.year, vencimento.month) == (
        pagamento.year, pagamento.month) else Decimal("0.10")


def linhas_guia(pag, dias, indice_dia):
    """Rows of one payment date, latest due date first; indice_dia maps each
    business day to its position in dias."""
    edicao = edital(pag)
    maior_juro = max(JUROS_MENSAIS.values())
    primeiro_vencimento = somar_meses(primeiro_dia(pag), -MESES_ATRASO_GUIA)
    i = indice_dia[pag] - 1
    while i >= 0 and dias[i] >= primeiro_vencimento:
        venc = dias[i]
        i -= 1
        n = meses_entre(edicao, venc) + 3
        encargos = (Decimal(1) + maior_juro ** n - 1 + multa_atraso(venc, pag)
                    + Decimal("0.005") * Decimal((pag - venc).days) / Decimal(30))
        yield GUIA, COLUNAS_GUIA, [data(edicao), data(venc), data(pag),
                                   fator(ALIQUOTA * encargos), fator(MULTA_RESCISORIA * encargos)]


def edicao(edicao_mes, dias):
    """Every row of one edition as the bank publishes it, table by table in
    the order of the archive's data files: business days, guide indices,
    simplified indices (from 01/1967), late-payment indices."""
    edicao_mes = primeiro_dia(edicao_mes)
    pagamentos = pagamentos_da_edicao(edicao_mes, dias)
    if not pagamentos:
        raise ValueError("edition %s has no business day in its window" % edicao_mes)
    indice_dia = {d: i for i, d in enumerate(dias)}
    return {
        DIA_UTIL: list(linhas_dia_util(dias)),
        GUIA: [l for pag in pagamentos for l in linhas_guia(pag, dias, indice_dia)],
        SIMPLIFICADO: list(linhas_simplificado(edicao_mes, COMPETENCIA_HISTORICA)),
        PRORATA: [linha_prorata(pag) for pag in pagamentos],
    }


def insert(linha):
    tabela, colunas, valores = linha
    return "INSERT INTO %s (%s) VALUES (%s)" % (tabela, ", ".join(colunas), ", ".join(valores))
