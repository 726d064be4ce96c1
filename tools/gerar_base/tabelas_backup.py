#!/usr/bin/env python3
"""Fills the 24 data tables that a backup saves, for N employment links, with
values that exercise the table dump: texts with quotes, accents and line
breaks at their full column widths, Nulls, NUMERIC(15,2) and NUMERIC(18,9)
values with all their digits, dates, timestamps with a fraction of a second,
and keys drawn from the database's generators.

Writes INSERT statements (UTF-8) for isql-fb; with --banco it also runs them
on a copy of the database:

    tabelas_backup.py --vinculos 1000 --sql base.sql
    tabelas_backup.py --vinculos 1000 --banco build/bin/BD/VESK.FDB

The business-day and index tables of the delivered database are kept; only
rows of their own (far-future editions) are added to the index tables.
"""
import argparse
import datetime as dt
import os
import random
import subprocess
import sys
import tempfile

ACENTOS = "ÁÉÍÓÚÂÊÔÃÕÇÀÜáéíóúâêôãõçàü"
PALAVRAS = ["COMERCIO", "INDUSTRIA", "SERVICOS", "D'ÁVILA", "CONCEIÇÃO", "JOÃO", "SÃO PAULO",
            "O'NEIL", "AÇÚCAR", "GONÇALVES", "LOGÍSTICA", "MÁQUINAS", "ÓTICA", "ÂNCORA"]


def texto(rnd, largura, cheio=False, quebra=False):
    """A text of up to `largura` characters (exactly `largura` when cheio)."""
    partes = []
    while len(" ".join(partes)) < largura:
        partes.append(rnd.choice(PALAVRAS))
    t = " ".join(partes)
    if quebra:
        t = t[: largura // 2] + "\r\n" + t
    t = t[:largura] if cheio else t[: rnd.randint(max(1, largura // 3), largura)]
    return t.rstrip() if not cheio else t


def q(v):
    if v is None:
        return "NULL"
    if isinstance(v, str):
        return "'" + v.replace("'", "''").replace("\r", "' || ASCII_CHAR(13) || '").replace(
            "\n", "' || ASCII_CHAR(10) || '") + "'"
    if isinstance(v, dt.datetime):
        return "'" + v.strftime("%Y-%m-%d %H:%M:%S") + ".%04d'" % (v.microsecond // 100)
    if isinstance(v, dt.date):
        return "'" + v.isoformat() + "'"
    return str(v)


def dec(rnd, inteiros, casas):
    """A NUMERIC literal with every digit: `inteiros` integer digits at most."""
    i = rnd.randint(0, 10 ** inteiros - 1)
    f = rnd.randint(0, 10 ** casas - 1)
    sinal = "-" if rnd.random() < 0.05 else ""
    return "%s%d.%0*d" % (sinal, i, casas, f)


def ins(tabela, valores):
    return "INSERT INTO %s (%s) VALUES (%s);" % (
        tabela, ", ".join(valores.keys()), ", ".join(
            v if isinstance(v, Literal) else q(v) for v in valores.values()))


class Literal(str):
    """SQL written as is (a generator call, a decimal with all its digits)."""


def talvez(rnd, v, p=0.15):
    return None if rnd.random() < p else v


def data(rnd, ini, fim):
    return ini + dt.timedelta(days=rnd.randint(0, (fim - ini).days))


def gerar(vinculos, semente=1, por_empresa=100):
    rnd = random.Random(semente)
    empresas = max(1, vinculos // por_empresa)
    yield "SET NAMES UTF8;"
    yield "SET AUTODDL OFF;"
    # responsible party and companies
    chaves_emp = []
    for e in range(empresas + 1):
        tipo = 1 if e % 10 else 2
        insc = 10000000000000 + e * 7919 if tipo == 1 else 100000000000 + e * 31
        chaves_emp.append((tipo, insc))
        yield ins("QZLTBG02_EMPRESA", {
            "NU_TIPO_INSO_EMPRA": tipo, "NU_INSCRICAO": insc,
            "NU_SIMPLES": talvez(rnd, rnd.randint(1, 2)), "SG_UF": "SP",
            "NU_IBGE": talvez(rnd, 3550308), "NU_INSS": None,
            "NO_RAZAO_SOCIAL": texto(rnd, 70, cheio=e % 3 == 0),
            "DE_LOGRADOURO": texto(rnd, 70, quebra=e % 17 == 0),
            "NO_BAIRRO": texto(rnd, 40), "NU_CEP": rnd.randint(1000000, 99999999),
            "NO_LOCALIDADE": talvez(rnd, texto(rnd, 40)), "NU_DDD": 11,
            "NU_TELEFONE": rnd.randint(20000000, 999999999),
            "NO_CONTATO": talvez(rnd, texto(rnd, 70)),
            "CO_ENDERECO_VIRTUAL_CONTATO": ("contato%d@" % e + "x" * 100)[:100],
            "IC_ESTADO_EMPRESA": "R" if e == 0 else "E"})
    yield ins("QZLTBG01_ABERTURA_RECOLHIMENTO", {
        "NU_TIPO_INSO_EMPRA": chaves_emp[0][0], "NU_INSCRICAO": chaves_emp[0][1],
        "DT_PAGAMENTO": dt.date(2024, 1, 15)})

    # files sent to the bank, with their guides
    arquivos = []
    for a in range(max(1, empresas // 10)):
        ident = "2024011510%04d%03d%013d" % (a, a % 1000, a * 97)
        arquivos.append(ident)
        yield ins("QZLTBG13_ARQUIVO", {
            "NU_IDENTIFICADOR_ARQUIVO": ident, "CO_PROTOCOLO": talvez(rnd, "P%039d" % a),
            "DT_ENVIO_PROTOCOLO": talvez(rnd, dt.datetime(2024, 1, 15, 10, 30, a % 60, (a * 100) % 1000000)),
            "NU_ARQUIVO": rnd.choice([3, 6, 7]), "NM_ARQUIVO": texto(rnd, 500, cheio=a == 0),
            "DT_GERACAO_ARQUIVO": dt.datetime(2024, 1, 15, 9, 0, 0, 123400),
            "IC_ARQUIVO_VALIDO": "S", "IC_ARQUIVO_ATENDIDO": talvez(rnd, "N")})
        for n in range(10):
            yield ins("QZLTBG14_OCORRENCIA_GUIA", {
                "NU_IDENTIFICADOR_ARQUIVO": ident, "NU_LINHA": n + 1,
                "DE_LINHA_ARQUIVO": texto(rnd, 1000, cheio=n == 0)})

    pis_base = 10000000000
    guia_por_emp = {}
    for e, (tipo, insc) in enumerate(chaves_emp[1:], start=1):
        barras = "%048d" % (e * 1000003)
        guia_por_emp[e] = barras
        ident = arquivos[e % len(arquivos)]
        yield ins("QZLTBG08_GUIA_TOTALIZADORA", {
            "CO_BARRAS": barras, "NU_IDENTIFICADOR_ARQUIVO": ident,
            "NU_TIPO_INSCRICAO_GUIA": tipo, "NU_INSCRICAO_GUIA": insc,
            "NO_RAZAO_SOCIAL": texto(rnd, 70), "DE_LOGRADOURO": texto(rnd, 70),
            "NU_DDD": 11, "NU_TELEFONE": 33334444, "NU_CEP": 1310100,
            "NO_BAIRRO": texto(rnd, 40), "NO_LOCALIDADE": texto(rnd, 40),
            "SG_UF_GUIA_TOTALIZADORA": "SP", "NU_FPAS_GUIA": 507, "NU_SIMPLES_GUIA": 1,
            "NU_CNAE_GUIA": 4711302, "NU_BANCO": talvez(rnd, 104), "NU_AGENCIA": talvez(rnd, 1234),
            "DT_RECOLHIMENTO": dt.date(2024, 1, 15), "DT_QUITACAO": talvez(rnd, dt.date(2024, 1, 16), .5),
            "DT_PROCESSAMENTO": talvez(rnd, dt.date(2024, 1, 20), .5),
            "VR_TOTAL_RECOLHIDO": Literal(dec(rnd, 13, 2))})
        yield ins("QZLTBG15_ENVIO_EMPRESA", {
            "NU_IDENTIFICADOR_ARQUIVO": ident, "NU_TIPO_INSCRICAO_ENVIO": tipo,
            "NU_INSCRICAO_ENVIO": insc, "NO_RAZAO_SOCIAL": texto(rnd, 70),
            "VR_TOTAL_RECOLHIDO": Literal(dec(rnd, 13, 2)), "CO_BARRAS_ENVIO_EMPRESA": barras,
            "DT_RECOLHIMENTO_ENVIO_EMPRESA": dt.date(2024, 1, 15),
            "DT_PROCESSAMENTO": talvez(rnd, dt.date(2024, 1, 20), .5)})

    # homologation loads: identifiers drawn from their generator
    homologacoes = max(1, empresas // 20)
    for h in range(homologacoes):
        yield ins("QZLTBG19_RESPONSAVEL_HMLGO", {
            "NU_IDENTIFICADOR_ARQUIVO": Literal("GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 1)"),
            "NU_TIPO_INSCRICAO_RESPONSA": 1, "NU_INSCRICAO_RESPONSAVEL": chaves_emp[0][1],
            "NO_RAZAO_SOCIAL": texto(rnd, 70),
            "TS_RETORNO_ARQUIVO": dt.datetime(2024, 2, 1, 8, h % 60, 59, 999900),
            "IC_ESTADO_HMLGO": "A", "CO_MENSAGEM": talvez(rnd, "M001"),
            "DE_MENSAGEM": texto(rnd, 500, cheio=h == 0, quebra=h % 2 == 1)})

    vinculo = 0
    for e, (tipo, insc) in enumerate(chaves_emp[1:], start=1):
        h = (e % homologacoes) + 1
        yield ins("QZLTBG20_EMPRESA_HMLGO", {
            "NU_IDENTIFICADOR_ARQUIVO": h, "NU_LINHA_ARQUIVO_EMPRESA": e,
            "NU_IDENTIFICADOR_GUIA": talvez(rnd, e * 11), "NU_ESTABELECIMENTO": 12345678901234,
            "NU_TIPO_INSCRICAO_EMPRESA": tipo, "NU_INSCRICAO_EMPRESA": insc,
            "NO_RAZAO_SOCIAL": texto(rnd, 70), "CO_MENSAGEM": None,
            "DE_MENSAGEM": talvez(rnd, texto(rnd, 500), .7)})
        for _ in range(por_empresa if e < len(chaves_emp) - 1 else vinculos - vinculo):
            if vinculo >= vinculos:
                break
            vinculo += 1
            pis = pis_base + vinculo * 13
            cat = rnd.choice([1, 1, 1, 2, 3, 4, 5, 6, 7, 11, 12])
            adm = data(rnd, dt.date(1970, 1, 1), dt.date(2023, 6, 30))
            chave = {"NU_TIPO_INSO_EMPRA": tipo, "NU_INSCRICAO": insc, "NU_PIS": pis,
                     "NU_CATEGORIA": cat, "DT_ADMISSAO_VINCULO": adm}
            nome = texto(rnd, 70, cheio=vinculo % 5 == 0)
            yield ins("QZLTBG03_EMPREGADO", {
                "NU_PIS": pis, "NU_GRAU_INSTRUCAO": rnd.randint(1, 11), "NO_EMPREGADO": nome,
                "NU_CTPS": talvez(rnd, rnd.randint(1, 9999999)),
                "NU_SERIE_CTPS": talvez(rnd, rnd.randint(1, 99999)),
                "IC_SEXO": rnd.randint(1, 2), "DT_NASCIMENTO": data(rnd, dt.date(1940, 1, 1), dt.date(2000, 12, 31)),
                "NU_INSCRICAO_CPF": talvez(rnd, 10000000000 + vinculo),
                "NU_DDD_CELULAR": talvez(rnd, 11), "NU_TEL_CELULAR": talvez(rnd, 988887777)})
            estado = rnd.choice([0, 0, 1, 2, 3])
            consignado = vinculo % 10 == 0
            yield ins("QZLTBG04_VINCULO_EMPREGATICIO", dict(chave, **{
                "CO_MOVIMENTACAO": rnd.choice(["I1", "I2", "L", "K", None]), "CO_CBO": "004110",
                "CO_SAQUE": talvez(rnd, "01"), "DT_OPCAO": talvez(rnd, adm),
                "NU_TIPO_INSO_TMDR": None, "NU_INSCRICAO_TMDR": None,
                "IC_AVISO_PREVIO": rnd.randint(1, 3),
                "DT_INICIO_AVISO_PRVO": talvez(rnd, dt.date(2023, 12, 1), .5),
                "IC_REPOSICAO_VAGAS": "S" if vinculo % 10 == 5 else "N",
                "QT_HORAS_TRBS_SMNA": 44, "IC_ESTADO_MOVIMENTO": estado,
                "DT_MOVIMENTACAO_VINCULO": data(rnd, dt.date(2023, 7, 1), dt.date(2024, 1, 10)),
                "NU_BANCO_CONTA": talvez(rnd, 104, .6), "NU_AGENCIA_CONTA": talvez(rnd, 1234, .6),
                "NU_CONTA_BANCARIA": talvez(rnd, 1234567890123, .6),
                "IC_CONSIGNADO": "S" if consignado else "N", "IC_VALIDACAO_VINCULO": "N"}))
            rescisao = dict(chave)
            rescisao.update({"DT_DISSIDIO": talvez(rnd, dt.date(2023, 5, 1), .8),
                             "IC_TIPO_PNSO_ALMNA": talvez(rnd, "P", .8),
                             "IC_ORIGEM_SALDO_RESCISORIO": rnd.choice(["C", "E"])})
            for col in ("VR_DISSIDIO", "VR_REMUNERACAO_ANTERIOR_RSCSO", "VR_REMUNERACAO_RESCISAO",
                        "VR_AVISO_PREVIO", "VR_PENSAO_ALMNA", "VR_SALDO_RESCISORIO",
                        "VR_DEPOSITO_ANTERIOR_RESCISAO", "VR_JAM_ANTERIOR_RESCISAO",
                        "VR_MULTA_RESCISAO", "VR_DEPOSITO_MULTA_RESCISORIA",
                        "VR_DEPOSITO_CMPLO_SALDO", "VR_JAM_SALDO_RESCISORIO"):
                rescisao[col] = Literal(dec(rnd, 13, 2)) if rnd.random() < .8 else None
            for col in ("DT_DEVIDA_ANTERIOR_RESCISAO", "DT_DEVIDA_RESCISAO",
                        "DT_DEVIDA_AVISO_PREVIO", "DT_DEVIDA_MULTA_RESCISORIA"):
                rescisao[col] = talvez(rnd, dt.date(2024, 1, 7), .3)
            yield ins("QZLTBG06_INFORMACAO_RESCISAO", rescisao)
            if vinculo % 10 == 3:
                yield ins("QZLTBG05_ALTERACAO_CADASTRAL", dict(chave, **{
                    "NU_TIPO_ALTERACAO": 406, "DE_CONTEUDO_ANTERIOR": texto(rnd, 100, cheio=True),
                    "IC_CONFIRMACAO": "N", "NU_EMPRESA_VORDA_ALT_CADASTRAL": talvez(rnd, 123456789),
                    "NU_EMPREGADO_VORDA_ALT_CDSTL": None}))
            for c in range(vinculo % 3):
                yield ins("QZLTBG07_COMPLEMENTO_SALDO", dict(chave, **{
                    "NU_COMPLEMENTO": c + 1, "AA_COMPETENCIA": 2023, "MM_COMPETENCIA": c + 1,
                    "VR_REMUNERACAO": Literal(dec(rnd, 6, 2)), "VR_DEPOSITO": Literal(dec(rnd, 5, 2))}))
            yield ins("QZLTBG10_CONTA_EMPREGADO_ZELT", dict(chave, **{
                "NO_EMPREGADO": nome, "NU_EMPREGADO_VORDA": talvez(rnd, pis * 10),
                "NU_SITUACAO_CONTA_EMPREGADO": 1, "NU_SITUACAO_PIS": 1,
                "AA_MAIOR_COMPETENCIA": 2023, "MM_MAIOR_COMPETENCIA": 12,
                "VR_SALDO_RESCISORIO": Literal(dec(rnd, 9, 2)),
                "DT_GRAVACAO_ARQUIVO": dt.date(2024, 1, 5), "NU_SITUACAO_CONTA_EMPRESA": 1,
                "NU_EMPRESA_VORDA": talvez(rnd, 99999999999), "DT_CREDITO_JUROS": talvez(rnd, dt.date(2023, 12, 10))}))
            if estado >= 2:
                individual = {"CO_BARRAS": guia_por_emp[e], "NU_PIS_GUIA": pis, "DT_ADMISSAO_GUIA": adm,
                              "NU_CATEGORIA_GUIA": cat, "NO_EMPREGADO": nome,
                              "DT_OPCAO": talvez(rnd, adm), "DT_MOVIMENTACAO": dt.date(2023, 12, 20),
                              "CO_MOVIMENTACAO_GUIA": "I1", "IC_AVISO_PREVIO": 2,
                              "DT_NASCIMENTO": dt.date(1980, 1, 1), "NU_CTPS": 1234567, "NU_SERIE_CTPS": 12345}
                for col in ("VR_REMUNERACAO_ANTERIOR_RSCSO", "VR_REMUNERACAO_RESCISAO",
                            "VR_MULTA_RESCISORIA", "VR_JAM_RESCISAO", "VR_MULTA_CNTRO_MULTA_RESCISORIA"):
                    individual[col] = Literal(dec(rnd, 13, 2))
                yield ins("QZLTBG09_GUIA_INDIVIDUAL", individual)
                yield ins("QZLTBG16_ENVIO_EMPREGADO", {
                    "NU_IDENTIFICADOR_ARQUIVO": arquivos[e % len(arquivos)],
                    "NU_TIPO_INSCRICAO_ENVIO": tipo, "NU_INSCRICAO_ENVIO": insc, "NU_PIS_ENVIO": pis,
                    "NU_CATEGORIA_ENVIO": cat, "DT_ADMISSAO_ENVIO": adm, "NO_EMPREGADO": nome,
                    "VR_TOTAL_RECOLHIDO": Literal(dec(rnd, 13, 2)), "CO_MOVIMENTACAO": "I1",
                    "DT_MOVIMENTACAO": dt.date(2023, 12, 20)})
                yield ins("QZLTBG21_EMPREGADO_HMLGO", {
                    "NU_IDENTIFICADOR_ARQUIVO": h, "NU_IDENTIFICADOR_GUIA": talvez(rnd, e * 11),
                    "NU_ESTABELECIMENTO": 12345678901234, "NU_LINHA_ARQUIVO_EMPRESA": e,
                    "NU_PIS": pis, "DT_ADMISSAO": adm, "NU_CATEGORIA": cat, "NU_EMPREGADO": vinculo,
                    "NU_LINHA_ARQUIVO_EMPREGADO": vinculo, "NO_EMPREGADO": nome, "CO_SAQUE": "01",
                    "DT_VALIDADE_GUIA": talvez(rnd, dt.date(2024, 2, 15)), "CO_HOMOLOGACAO_VORDA": talvez(rnd, "H" * 30),
                    "SG_BASE_DADOS": "SP", "CO_MENSAGEM": None, "DE_MENSAGEM": talvez(rnd, texto(rnd, 500), .9),
                    "CO_MOVIMENTACAO": "I1", "DT_MOVIMENTACAO": dt.date(2023, 12, 20)})
            if vinculo % 7 == 0:
                yield ins("QZLTBG18_INCONSISTENCIA_ARQUIVO", {
                    "NU_INCONSISTENCIA": Literal("GEN_ID(GEN_QZLTBG18_ARQUIVO_ID, 1)"),
                    "NU_MENSAGEM": rnd.randint(1, 500), "NU_ARQUIVO": rnd.randint(1, 5),
                    "CO_REGISTRO": talvez(rnd, "40"), "NU_LINHA_ERRO": talvez(rnd, vinculo),
                    "DE_CONTEUDO_CAMPO": texto(rnd, 70, cheio=True),
                    "NU_TIPO_INSCRICAO_RSPNL_INCNA": 1, "NU_INSCRICAO_RSPNL_INCNA": chaves_emp[0][1],
                    "NO_RAZAO_SOCIAL_RSPNL_INCNA": texto(rnd, 70), "NU_TIPO_INSCRICAO_EMPRESA": tipo,
                    "NU_INSCRICAO_EMPRESA": insc, "NO_RAZAO_SOCIAL": texto(rnd, 70),
                    "CO_PIS_INCONSISTENCIA": str(pis), "DT_ADMISSAO_INCONSISTENCIA": adm.isoformat(),
                    "CO_CATEGORIA_INCONSISTENCIA": "%02d" % cat, "NO_EMPREGADO": nome})
            if consignado:
                for k in range(2):
                    yield ins("QZLTBG22_EMPREGADO_CNSGTRA", dict(chave, **{
                        "CO_INSTITUICAO_CNSGTRA": "%03d" % (k + 1), "NU_CONTRATO": texto(rnd, 40, cheio=k == 0),
                        "DT_NU_CONTRATO": talvez(rnd, dt.date(2022, 3, 1))}))
            if vinculo % 10 == 5:
                yield ins("QZLTBG30_REPOSICAO_VAGA", dict(chave, **{
                    "NU_REPOSICAO_VAGA": 1, "IC_VAGA_PNE": "N", "IC_APP_EN_VORDA": talvez(rnd, "S"),
                    "NU_DDD_TEL_RCTDOR": 11, "NU_TEL_RCTDOR": 912345678, "CO_CBO_REPOSICAO": "004110",
                    "END_EMAIL": ("rh%d@" % vinculo + "e" * 100)[:100]}))

    # index rows of their own, with every digit of NUMERIC(18,9)
    for m in range(12):
        d = dt.date(2099, m + 1, 1)
        yield ins("QZLTBT16_INDICE_GUIA_RESCISORIA", {
            "DT_EDITAL_GUIA": d, "DT_VENCIMENTO": d, "DT_RCLTO_INDICE_RESCISORIA": d,
            "VR_INDICE": Literal(dec(rnd, 9, 9)), "VR_INDICE_MULTA_RESCISORIA": Literal(dec(rnd, 9, 9))})
        yield ins("QZLTBT17_INDICE_SIMPLIFICADO", {
            "DT_EDITAL_SIMPLIFICADO": d, "DT_COMPETENCIA_SIMPLIFICADO": d,
            "IN_JAM_OPCAO_67": Literal(dec(rnd, 9, 9)), "IN_SMPLO_2_OPCAO_MAIOR_0971": Literal(dec(rnd, 9, 9))})
        yield ins("QZLTBT18_INDICE_PRORATA", {
            "DT_EDITAL_PRORATA": d, "DT_RECOLHIMENTO_PRORATA": dt.date(2099, m + 1, 15),
            "IN_ATRASO_MES": Literal(dec(rnd, 9, 9)), "IN_ATRASO_1_MES": None,
            "IN_ATRASO_2_MESES": Literal(dec(rnd, 9, 9))})
    yield "COMMIT;"


def carregar(banco, caminho_sql, isql="isql-fb"):
    r = subprocess.run([isql, "-q", "-bail", "-ch", "UTF8", "-user", "SYSDBA", "-password",
                        "tulipvane", banco, "-i", caminho_sql],
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if r.returncode != 0 or r.stdout.strip():
        sys.exit("isql-fb falhou:\n" + r.stdout[-4000:])


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--vinculos", type=int, default=1000)
    ap.add_argument("--semente", type=int, default=1)
    ap.add_argument("--sql", help="arquivo SQL a escrever")
    ap.add_argument("--banco", help="banco (cópia) em que executar as instruções")
    ap.add_argument("--isql", default="isql-fb")
    a = ap.parse_args()
    if not a.sql and not a.banco:
        ap.error("informe --sql e/ou --banco")
    caminho = a.sql or tempfile.mkstemp(suffix=".sql")[1]
    with open(caminho, "w", encoding="utf-8", newline="\n") as f:
        for linha in gerar(a.vinculos, a.semente):
            f.write(linha + "\n")
    if a.banco:
        carregar(a.banco, caminho, a.isql)
    if not a.sql:
        os.unlink(caminho)


if __name__ == "__main__":
    main()
