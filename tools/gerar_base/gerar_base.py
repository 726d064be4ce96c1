#!/usr/bin/env python3
"""Writes, as SQL, a database state for tests and benchmarks: the guides of
closings with everything they hang on.

One function per table group (``tabela_*``) returns the INSERT statements of
its tables from one in-memory model (``Base``) built first; add a group by
adding its function to GRUPOS. Each statement is one line, ending with ";".

Groups written now:
  empresas     QZLTBG02_EMPRESA (state "E")
  empregados   QZLTBG03_EMPREGADO
  vinculos     QZLTBG04_VINCULO_EMPREGATICIO (state 2 closed, 3 processed)
  arquivos     QZLTBG13_ARQUIVO (one termination file per closing; with or
               without the bank's protocol)
  guias        QZLTBG08_GUIA_TOTALIZADORA and QZLTBG09_GUIA_INDIVIDUAL (bar
               codes computed here, settled or not)

With --completa every table a backup saves gets rows too (the groups of
GRUPOS_COMPLETA): the responsible party and the open run, termination data,
registration changes, balance complements and accounts, the sent files'
companies, workers and lines, inconsistencies and homologation results (keys
drawn from the database's generators), payroll-loan contracts, vacancy
replacements and index rows of far-future editions. Texts then carry quotes,
accents and line breaks and fill their columns' full widths, many columns are
Null, NUMERIC(15,2) and NUMERIC(18,9) values use all their digits and
timestamps have a fraction of a second: what a table dump must keep exactly.
--banco runs the statements on a copy of the database through isql-fb.

    gerar_base.py SAIDA.sql [--empresas N] [--trabalhadores M]
                  [--fechamentos F] [--quitadas FRACAO] [--sem-protocolo FRACAO]
                  [--recolhimento AAAA-MM-DD] [--semente S] [--completa]
                  [--banco VESK.FDB]

M workers are spread over the N companies (at least one each); the companies
are spread over F closings, each a file whose payment date is one month after
the previous one. --quitadas is the fraction of company guides the bank has
settled and processed (their links are at state 3). --sem-protocolo is the
fraction of closings whose file has no protocol yet.
"""

import argparse
import datetime as dt
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gerar_folha"))
import gerar_folha as gf  # noqa: E402  names, inscriptions and PIS with check digits


# ---------------------------------------------------------------- bar codes

def modulo11(digitos):
    """Weights 2..9 from the right; 0 when the remainder is 0 or 1."""
    soma, peso = 0, 2
    for d in reversed(digitos):
        soma += int(d) * peso
        peso = 2 if peso == 9 else peso + 1
    r = soma % 11
    return 0 if r < 2 else 11 - r


def identificador_guia(momento, inscricao):
    """17 digits: day of year, last digit of the year, seconds of the day,
    inscription digits 2-8 (of 14) and "2"."""
    seg = momento.hour * 3600 + momento.minute * 60 + momento.second
    return ("%03d" % momento.timetuple().tm_yday + str(momento.year % 10) + "%05d" % seg +
            ("%014d" % inscricao)[1:8] + "2")


def codigo_barras(centavos, pagamento, identificador):
    resto = "%011d" % centavos + "0239" + pagamento.strftime("%Y%m%d") + identificador
    return "858" + str(modulo11("858" + resto)) + resto


def linha_digitavel(codigo):
    return "".join(codigo[i:i + 11] + str(modulo11(codigo[i:i + 11])) for i in range(0, 44, 11))


# -------------------------------------------------------------- SQL values

def q(texto):
    """A text literal; a line break is concatenated so each statement stays one line."""
    if texto is None or texto == "":
        return "NULL"
    return ("'" + texto.replace("'", "''").replace("\r", "' || ASCII_CHAR(13) || '")
            .replace("\n", "' || ASCII_CHAR(10) || '") + "'")


def d(data):
    return "NULL" if data is None else "'" + data.strftime("%Y-%m-%d") + "'"


def v(centavos):
    return "%d.%02d" % divmod(centavos, 100)


def insert(tabela, linha):
    cols = ", ".join(linha.keys())
    vals = ", ".join(str(x) for x in linha.values())
    return "INSERT INTO %s (%s) VALUES (%s);" % (tabela, cols, vals)


# ----------------------------------------------------------------- model

class Base:
    def __init__(self, args):
        rng = random.Random(args.semente)
        self.empresas, self.trabalhadores, self.fechamentos = [], [], []
        pis_vistos, insc_vistas = set(), set()
        momento = dt.datetime(args.recolhimento.year, args.recolhimento.month, 1, 8, 0, 0)
        n = max(1, args.empresas)
        f = max(1, min(args.fechamentos, n))
        for k in range(f):
            pagamento = _mais_meses(args.recolhimento, k)
            sem = rng.random() < args.sem_protocolo
            ident = momento.strftime("%Y%m%d%H%M%S") + "%03d" % k + "%013d" % (k + 1)
            self.fechamentos.append({"pagamento": pagamento, "arquivo": ident,
                                     "protocolo": None if sem else "%020d" % (k + 1)})
        por_empresa = [args.trabalhadores // n + (1 if i < args.trabalhadores % n else 0)
                       for i in range(n)]
        for i in range(n):
            while True:
                insc = int(gf.cnpj(rng))
                if insc not in insc_vistas:
                    break
            insc_vistas.add(insc)
            cidade, uf, ddd = rng.choice(gf.CIDADES)
            fech = self.fechamentos[i * f // n]
            momento += dt.timedelta(seconds=1)
            quitada = rng.random() < args.quitadas
            emp = {
                "tipo": 1, "inscricao": insc,
                "nome": "%s %s %s" % (rng.choice(gf.SOBRENOMES), rng.choice(gf.RAMOS),
                                      rng.choice(gf.SUFIXOS)),
                "logradouro": "%s %d" % (rng.choice(gf.RUAS), rng.randrange(1, 2000)),
                "bairro": rng.choice(gf.BAIRROS), "cidade": cidade, "uf": uf,
                "cep": int(gf.cep(rng)), "ddd": int(ddd), "telefone": rng.randrange(20000000, 39999999),
                "fpas": int(rng.choice(gf.FPAS)), "simples": rng.choice([1, 2]),
                "cnae": int(rng.choice(gf.CNAES)), "fechamento": fech, "quitada": quitada,
                "trabalhadores": [],
            }
            total = 0
            for _ in range(max(1, por_empresa[i])):
                while True:
                    p = int(gf.pis(rng))
                    if p not in pis_vistos:
                        break
                pis_vistos.add(p)
                adm = dt.date(rng.randrange(1995, 2020), rng.randrange(1, 13), rng.randrange(1, 28))
                mov = fech["pagamento"] - dt.timedelta(days=rng.randrange(5, 25))
                parcelas = [rng.randrange(0, 300000) if j % 5 < 2 else rng.randrange(0, 5000)
                            for j in range(20)]
                trab = {
                    "pis": p, "nome": gf.nome_pessoa(rng), "admissao": adm,
                    "categoria": rng.choice([1, 1, 1, 2, 3, 4, 5, 6, 7, 11, 12]),
                    "nascimento": dt.date(rng.randrange(1950, 2000), rng.randrange(1, 13),
                                          rng.randrange(1, 28)),
                    "ctps": int(gf.varios_digitos(rng, 7)), "serie": rng.randrange(1, 99999),
                    "movimento": mov, "aviso": rng.choice([1, 2, 3]),
                    "bases": [rng.randrange(100000, 900000) for _ in range(4)],
                    "parcelas": parcelas,
                }
                total += sum(parcelas)
                emp["trabalhadores"].append(trab)
                self.trabalhadores.append((emp, trab))
            emp["total"] = total
            emp["linha"] = linha_digitavel(codigo_barras(
                total, fech["pagamento"], identificador_guia(momento, insc)))
            self.empresas.append(emp)


def _mais_meses(data, meses):
    m = data.month - 1 + meses
    return dt.date(data.year + m // 12, m % 12 + 1, min(data.day, 28))


# ---------------------------------------------------------- table groups

def tabela_empresas(b):
    for e in b.empresas:
        yield insert("QZLTBG02_EMPRESA", {
            "NU_TIPO_INSO_EMPRA": e["tipo"], "NU_INSCRICAO": e["inscricao"],
            "NU_SIMPLES": e["simples"], "SG_UF": q(e["uf"]), "NU_IBGE": e["cnae"],
            "NU_INSS": e["fpas"], "NO_RAZAO_SOCIAL": q(e["nome"]),
            "DE_LOGRADOURO": q(e["logradouro"]), "NO_BAIRRO": q(e["bairro"]),
            "NU_CEP": e["cep"], "NO_LOCALIDADE": q(e["cidade"]), "NU_DDD": e["ddd"],
            "NU_TELEFONE": e["telefone"], "IC_ESTADO_EMPRESA": q("E")})


def tabela_empregados(b):
    for _, t in b.trabalhadores:
        yield insert("QZLTBG03_EMPREGADO", {
            "NU_PIS": t["pis"], "NO_EMPREGADO": q(t["nome"]), "NU_CTPS": t["ctps"],
            "NU_SERIE_CTPS": t["serie"], "IC_SEXO": 1, "DT_NASCIMENTO": d(t["nascimento"])})


def tabela_vinculos(b):
    for e, t in b.trabalhadores:
        yield insert("QZLTBG04_VINCULO_EMPREGATICIO", {
            "NU_TIPO_INSO_EMPRA": e["tipo"], "NU_INSCRICAO": e["inscricao"], "NU_PIS": t["pis"],
            "NU_CATEGORIA": t["categoria"], "DT_ADMISSAO_VINCULO": d(t["admissao"]),
            "IC_ESTADO_MOVIMENTO": 3 if e["quitada"] else 2, "CO_MOVIMENTACAO": q("I1"),
            "DT_OPCAO": d(t["admissao"]), "DT_MOVIMENTACAO_VINCULO": d(t["movimento"]),
            "IC_AVISO_PREVIO": t["aviso"]})


def tabela_arquivos(b):
    for f in b.fechamentos:
        yield insert("QZLTBG13_ARQUIVO", {
            "NU_IDENTIFICADOR_ARQUIVO": q(f["arquivo"]), "CO_PROTOCOLO": q(f["protocolo"]),
            "DT_ENVIO_PROTOCOLO": d(f["pagamento"]) if f["protocolo"] else "NULL",
            "NU_ARQUIVO": 3, "NM_ARQUIVO": q("GUIA%s.HXF" % f["arquivo"][:14]),
            "DT_GERACAO_ARQUIVO": d(f["pagamento"]), "IC_ARQUIVO_VALIDO": q("S"),
            "IC_ARQUIVO_ATENDIDO": q("N")})


COLUNAS_PARCELAS = [
    "VR_DEPOSITO_ANTERIOR_RESCISAO", "VR_JAM_ANTERIOR_RESCISAO", "VR_MULTA_ANTERIOR_RESCISAO",
    "VR_CNTRO_ANTERIOR_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RSCSO",
    "VR_DEPOSITO_RESCISAO", "VR_JAM_RESCISAO", "VR_MULTA_RESCISAO", "VR_CNTRO_RESCISAO",
    "VR_MULTA_CNTRO_RESCISAO",
    "VR_DEPOSITO_AVISO_PREVIO", "VR_JAM_AVISO_PREVIO", "VR_MULTA_AVISO_PREVIO",
    "VR_CNTRO_AVISO_PREVIO", "VR_MULTA_CNTRO_AVISO_PREVIO",
    "VR_DEPOSITO_MULTA_RESCISORIA", "VR_JAM_MULTA_RESCISORIA", "VR_MULTA_MULTA_RESCISORIA",
    "VR_CNTRO_MULTA_RESCISORIA", "VR_MULTA_CNTRO_MULTA_RESCISORIA"]
COLUNAS_BASES = ["VR_REMUNERACAO_ANTERIOR_RSCSO", "VR_REMUNERACAO_RESCISAO", "VR_AVISO_PREVIO",
                 "VR_MULTA_RESCISORIA"]


def tabela_guias(b):
    for e in b.empresas:
        f = e["fechamento"]
        pag = f["pagamento"]
        quit = pag + dt.timedelta(days=1) if e["quitada"] else None
        proc = pag + dt.timedelta(days=3) if e["quitada"] else None
        yield insert("QZLTBG08_GUIA_TOTALIZADORA", {
            "CO_BARRAS": q(e["linha"]), "NU_IDENTIFICADOR_ARQUIVO": q(f["arquivo"]),
            "NU_TIPO_INSCRICAO_GUIA": e["tipo"], "NU_INSCRICAO_GUIA": e["inscricao"],
            "NO_RAZAO_SOCIAL": q(e["nome"]), "DE_LOGRADOURO": q(e["logradouro"]),
            "NU_DDD": e["ddd"], "NU_TELEFONE": e["telefone"], "NU_CEP": e["cep"],
            "NO_BAIRRO": q(e["bairro"]), "NO_LOCALIDADE": q(e["cidade"]),
            "SG_UF_GUIA_TOTALIZADORA": q(e["uf"]), "NU_FPAS_GUIA": e["fpas"],
            "NU_SIMPLES_GUIA": e["simples"], "NU_CNAE_GUIA": e["cnae"],
            "NU_BANCO": 1 if e["quitada"] else "NULL",
            "NU_AGENCIA": 1234 if e["quitada"] else "NULL",
            "DT_RECOLHIMENTO": d(pag), "DT_QUITACAO": d(quit), "DT_PROCESSAMENTO": d(proc),
            "VR_TOTAL_RECOLHIDO": v(e["total"])})
        for t in e["trabalhadores"]:
            linha = {
                "CO_BARRAS": q(e["linha"]), "NU_PIS_GUIA": t["pis"],
                "DT_ADMISSAO_GUIA": d(t["admissao"]), "NU_CATEGORIA_GUIA": t["categoria"],
                "NO_EMPREGADO": q(t["nome"]), "DT_OPCAO": d(t["admissao"]),
                "DT_MOVIMENTACAO": d(t["movimento"]), "CO_MOVIMENTACAO_GUIA": q("I1"),
                "IC_AVISO_PREVIO": t["aviso"], "DT_NASCIMENTO": d(t["nascimento"]),
                "NU_CTPS": t["ctps"], "NU_SERIE_CTPS": t["serie"],
                "NU_TIPO_INSO_TMDR_GUIA": 0, "NU_INSCRICAO_TMDR_GUIA": 0}
            for c, x in zip(COLUNAS_BASES, t["bases"]):
                linha[c] = v(x)
            for c, x in zip(COLUNAS_PARCELAS, t["parcelas"]):
                linha[c] = v(x)
            yield insert("QZLTBG09_GUIA_INDIVIDUAL", linha)


GRUPOS = [tabela_empresas, tabela_empregados, tabela_vinculos, tabela_arquivos, tabela_guias]


# ------------------------------------------- every table of a backup (--completa)

PALAVRAS = ["COMERCIO", "INDUSTRIA", "SERVICOS", "D'ÁVILA", "CONCEIÇÃO", "JOÃO", "SÃO PAULO",
            "O'NEIL", "AÇÚCAR", "GONÇALVES", "LOGÍSTICA", "MÁQUINAS", "ÓTICA", "ÂNCORA"]


def texto(rng, largura, cheio=False, quebra=False):
    """Words with quotes and accents; exactly `largura` characters when cheio."""
    partes = []
    while len(" ".join(partes)) < largura:
        partes.append(rng.choice(PALAVRAS))
    t = " ".join(partes)
    if quebra:
        t = t[: largura // 2] + "\r\n" + t
    return t[:largura] if cheio else t[: rng.randint(max(1, largura // 3), largura)].rstrip()


def dec(rng, inteiros, casas):
    """A NUMERIC literal with every digit (up to `inteiros` integer digits)."""
    sinal = "-" if rng.random() < 0.05 else ""
    return "%s%d.%0*d" % (sinal, rng.randint(0, 10 ** inteiros - 1), casas,
                          rng.randint(0, 10 ** casas - 1))


def ts(momento):
    return "'" + momento.strftime("%Y-%m-%d %H:%M:%S") + ".%04d'" % (momento.microsecond // 100)


def talvez(rng, valor, p=0.15):
    return "NULL" if rng.random() < p else valor


def completar(b, semente):
    """Texts of the model at full widths, with quotes, accents and line breaks."""
    rng = random.Random(semente + 1)
    for i, e in enumerate(b.empresas):
        if i % 3 == 0:
            e["nome"] = texto(rng, 70, cheio=True)
        if i % 7 == 0:
            e["logradouro"] = texto(rng, 70, quebra=True)
    for i, (_, t) in enumerate(b.trabalhadores):
        if i % 5 == 0:
            t["nome"] = texto(rng, 70, cheio=True)
    b.rng = rng
    b.responsavel = {"tipo": 1, "inscricao": 99999999000191}


def chave(e, t):
    return {"NU_TIPO_INSO_EMPRA": e["tipo"], "NU_INSCRICAO": e["inscricao"], "NU_PIS": t["pis"],
            "NU_CATEGORIA": t["categoria"], "DT_ADMISSAO_VINCULO": d(t["admissao"])}


def tabela_responsavel(b):
    r, rng = b.responsavel, b.rng
    yield insert("QZLTBG02_EMPRESA", {
        "NU_TIPO_INSO_EMPRA": r["tipo"], "NU_INSCRICAO": r["inscricao"], "NU_SIMPLES": "NULL",
        "SG_UF": q("SP"), "NO_RAZAO_SOCIAL": q(texto(rng, 70, cheio=True)),
        "DE_LOGRADOURO": q(texto(rng, 70, quebra=True)), "NO_BAIRRO": q(texto(rng, 40, cheio=True)),
        "NU_CEP": 1310100, "NO_LOCALIDADE": q(texto(rng, 40)), "NU_DDD": 11,
        "NU_TELEFONE": 33334444, "NO_CONTATO": q(texto(rng, 70)),
        "CO_ENDERECO_VIRTUAL_CONTATO": q(("contato@" + "x" * 100)[:100]),
        "IC_ESTADO_EMPRESA": q("R")})
    yield insert("QZLTBG01_ABERTURA_RECOLHIMENTO", {
        "NU_TIPO_INSO_EMPRA": r["tipo"], "NU_INSCRICAO": r["inscricao"],
        "DT_PAGAMENTO": d(b.fechamentos[-1]["pagamento"])})


def tabela_rescisoes(b):
    rng = b.rng
    for i, (e, t) in enumerate(b.trabalhadores):
        k = chave(e, t)
        linha = dict(k, **{"DT_DISSIDIO": talvez(rng, d(t["movimento"]), .8),
                           "IC_TIPO_PNSO_ALMNA": talvez(rng, q("P"), .8),
                           "IC_ORIGEM_SALDO_RESCISORIO": q(rng.choice("CE"))})
        for c, x in zip(COLUNAS_BASES, t["bases"]):
            linha[c] = v(x)
        for c, x in zip(COLUNAS_PARCELAS, t["parcelas"]):
            linha[c] = v(x)
        for c in ("VR_DISSIDIO", "VR_PENSAO_ALMNA", "VR_SALDO_RESCISORIO",
                  "VR_DEPOSITO_CMPLO_SALDO", "VR_JAM_SALDO_RESCISORIO"):
            linha[c] = talvez(rng, dec(rng, 13, 2), .3)
        for c in ("DT_DEVIDA_ANTERIOR_RESCISAO", "DT_DEVIDA_RESCISAO", "DT_DEVIDA_AVISO_PREVIO",
                  "DT_DEVIDA_MULTA_RESCISORIA"):
            linha[c] = talvez(rng, d(e["fechamento"]["pagamento"]), .3)
        linha.pop("VR_MULTA_RESCISORIA", None)
        yield insert("QZLTBG06_INFORMACAO_RESCISAO", linha)
        if i % 10 == 3:
            yield insert("QZLTBG05_ALTERACAO_CADASTRAL", dict(k, **{
                "NU_TIPO_ALTERACAO": 406, "DE_CONTEUDO_ANTERIOR": q(texto(rng, 100, cheio=True)),
                "IC_CONFIRMACAO": q("N"), "NU_EMPRESA_VORDA_ALT_CADASTRAL": talvez(rng, 123456789),
                "NU_EMPREGADO_VORDA_ALT_CDSTL": "NULL"}))
        for c in range(i % 3):
            yield insert("QZLTBG07_COMPLEMENTO_SALDO", dict(k, **{
                "NU_COMPLEMENTO": c + 1, "AA_COMPETENCIA": 2023, "MM_COMPETENCIA": c + 1,
                "VR_REMUNERACAO": dec(rng, 6, 2), "VR_DEPOSITO": dec(rng, 5, 2)}))
        yield insert("QZLTBG10_CONTA_EMPREGADO_ZELT", dict(k, **{
            "NO_EMPREGADO": q(t["nome"]), "NU_EMPREGADO_VORDA": talvez(rng, t["pis"] * 10),
            "NU_SITUACAO_CONTA_EMPREGADO": 1, "NU_SITUACAO_PIS": 1, "AA_MAIOR_COMPETENCIA": 2023,
            "MM_MAIOR_COMPETENCIA": 12, "VR_SALDO_RESCISORIO": dec(rng, 9, 2),
            "DT_GRAVACAO_ARQUIVO": d(t["movimento"]), "NU_SITUACAO_CONTA_EMPRESA": 1,
            "NU_EMPRESA_VORDA": talvez(rng, 99999999999),
            "DT_CREDITO_JUROS": talvez(rng, d(t["movimento"]))}))
        if i % 10 == 0:
            for n in range(2):
                yield insert("QZLTBG22_EMPREGADO_CNSGTRA", dict(k, **{
                    "CO_INSTITUICAO_CNSGTRA": q("%03d" % (n + 1)),
                    "NU_CONTRATO": q(texto(rng, 40, cheio=n == 0)),
                    "DT_NU_CONTRATO": talvez(rng, d(t["admissao"]))}))
        if i % 10 == 5:
            yield insert("QZLTBG30_REPOSICAO_VAGA", dict(k, **{
                "NU_REPOSICAO_VAGA": 1, "IC_VAGA_PNE": q("N"), "IC_APP_EN_VORDA": talvez(rng, q("S")),
                "NU_DDD_TEL_RCTDOR": 11, "NU_TEL_RCTDOR": 912345678, "CO_CBO_REPOSICAO": q("004110"),
                "END_EMAIL": q(("rh%d@" % i + "e" * 100)[:100])}))


def tabela_envios(b):
    rng = b.rng
    for j, f in enumerate(b.fechamentos):
        for n in range(10):
            yield insert("QZLTBG14_OCORRENCIA_GUIA", {
                "NU_IDENTIFICADOR_ARQUIVO": q(f["arquivo"]), "NU_LINHA": n + 1,
                "DE_LINHA_ARQUIVO": q(texto(rng, 1000, cheio=n == 0))})
    for e in b.empresas:
        f = e["fechamento"]
        yield insert("QZLTBG15_ENVIO_EMPRESA", {
            "NU_IDENTIFICADOR_ARQUIVO": q(f["arquivo"]), "NU_TIPO_INSCRICAO_ENVIO": e["tipo"],
            "NU_INSCRICAO_ENVIO": e["inscricao"], "NO_RAZAO_SOCIAL": q(e["nome"]),
            "VR_TOTAL_RECOLHIDO": v(e["total"]), "CO_BARRAS_ENVIO_EMPRESA": q(e["linha"]),
            "DT_RECOLHIMENTO_ENVIO_EMPRESA": d(f["pagamento"]), "DT_PROCESSAMENTO": "NULL"})
        for t in e["trabalhadores"]:
            yield insert("QZLTBG16_ENVIO_EMPREGADO", {
                "NU_IDENTIFICADOR_ARQUIVO": q(f["arquivo"]), "NU_TIPO_INSCRICAO_ENVIO": e["tipo"],
                "NU_INSCRICAO_ENVIO": e["inscricao"], "NU_PIS_ENVIO": t["pis"],
                "NU_CATEGORIA_ENVIO": t["categoria"], "DT_ADMISSAO_ENVIO": d(t["admissao"]),
                "NO_EMPREGADO": q(t["nome"]), "VR_TOTAL_RECOLHIDO": v(sum(t["parcelas"])),
                "CO_MOVIMENTACAO": q("I1"), "DT_MOVIMENTACAO": d(t["movimento"])})


def tabela_inconsistencias(b):
    rng, r = b.rng, b.responsavel
    for i, (e, t) in enumerate(b.trabalhadores):
        if i % 7:
            continue
        yield insert("QZLTBG18_INCONSISTENCIA_ARQUIVO", {
            "NU_INCONSISTENCIA": "GEN_ID(GEN_QZLTBG18_ARQUIVO_ID, 1)",
            "NU_MENSAGEM": rng.randint(1, 500), "NU_ARQUIVO": rng.randint(1, 5),
            "CO_REGISTRO": talvez(rng, q("40")), "NU_LINHA_ERRO": talvez(rng, i + 1),
            "DE_CONTEUDO_CAMPO": q(texto(rng, 70, cheio=True)),
            "NU_TIPO_INSCRICAO_RSPNL_INCNA": r["tipo"], "NU_INSCRICAO_RSPNL_INCNA": r["inscricao"],
            "NO_RAZAO_SOCIAL_RSPNL_INCNA": q(texto(rng, 70)), "NU_TIPO_INSCRICAO_EMPRESA": e["tipo"],
            "NU_INSCRICAO_EMPRESA": e["inscricao"], "NO_RAZAO_SOCIAL": q(e["nome"]),
            "CO_PIS_INCONSISTENCIA": q(str(t["pis"])),
            "DT_ADMISSAO_INCONSISTENCIA": q(t["admissao"].isoformat()),
            "CO_CATEGORIA_INCONSISTENCIA": q("%02d" % t["categoria"]), "NO_EMPREGADO": q(t["nome"])})


def tabela_homologacoes(b):
    rng, r = b.rng, b.responsavel
    cargas = max(1, len(b.empresas) // 20)
    for h in range(cargas):
        # The identifier comes from its generator: a fresh database gives 1, 2, ...
        yield insert("QZLTBG19_RESPONSAVEL_HMLGO", {
            "NU_IDENTIFICADOR_ARQUIVO": "GEN_ID(S_QZLTBG19_RESPONSAVEL_HMLGO, 1)",
            "NU_TIPO_INSCRICAO_RESPONSA": r["tipo"], "NU_INSCRICAO_RESPONSAVEL": r["inscricao"],
            "NO_RAZAO_SOCIAL": q(texto(rng, 70)),
            "TS_RETORNO_ARQUIVO": ts(dt.datetime(2024, 2, 1, 8, h % 60, 59, 999900)),
            "IC_ESTADO_HMLGO": q("A"), "CO_MENSAGEM": talvez(rng, q("M001")),
            "DE_MENSAGEM": q(texto(rng, 500, cheio=h == 0, quebra=h % 2 == 1))})
    n = 0
    for i, e in enumerate(b.empresas):
        h = i % cargas + 1
        yield insert("QZLTBG20_EMPRESA_HMLGO", {
            "NU_IDENTIFICADOR_ARQUIVO": h, "NU_LINHA_ARQUIVO_EMPRESA": i + 1,
            "NU_IDENTIFICADOR_GUIA": talvez(rng, i * 11), "NU_ESTABELECIMENTO": 12345678901234,
            "NU_TIPO_INSCRICAO_EMPRESA": e["tipo"], "NU_INSCRICAO_EMPRESA": e["inscricao"],
            "NO_RAZAO_SOCIAL": q(e["nome"]), "CO_MENSAGEM": "NULL",
            "DE_MENSAGEM": talvez(rng, q(texto(rng, 500)), .7)})
        for t in e["trabalhadores"]:
            n += 1
            yield insert("QZLTBG21_EMPREGADO_HMLGO", {
                "NU_IDENTIFICADOR_ARQUIVO": h, "NU_IDENTIFICADOR_GUIA": talvez(rng, i * 11),
                "NU_ESTABELECIMENTO": 12345678901234, "NU_LINHA_ARQUIVO_EMPRESA": i + 1,
                "NU_PIS": t["pis"], "DT_ADMISSAO": d(t["admissao"]), "NU_CATEGORIA": t["categoria"],
                "NU_EMPREGADO": n, "NU_LINHA_ARQUIVO_EMPREGADO": n, "NO_EMPREGADO": q(t["nome"]),
                "CO_SAQUE": q("01"), "DT_VALIDADE_GUIA": talvez(rng, d(t["movimento"])),
                "CO_HOMOLOGACAO_VORDA": talvez(rng, q("H" * 30)), "SG_BASE_DADOS": q("SP"),
                "CO_MENSAGEM": "NULL", "DE_MENSAGEM": talvez(rng, q(texto(rng, 500)), .9),
                "CO_MOVIMENTACAO": q("I1"), "DT_MOVIMENTACAO": d(t["movimento"])})


def tabela_indices(b):
    rng = b.rng
    for m in range(12):
        data = dt.date(2099, m + 1, 1)
        yield insert("QZLTBT16_INDICE_GUIA_RESCISORIA", {
            "DT_EDITAL_GUIA": d(data), "DT_VENCIMENTO": d(data), "DT_RCLTO_INDICE_RESCISORIA": d(data),
            "VR_INDICE": dec(rng, 9, 9), "VR_INDICE_MULTA_RESCISORIA": dec(rng, 9, 9)})
        yield insert("QZLTBT17_INDICE_SIMPLIFICADO", {
            "DT_EDITAL_SIMPLIFICADO": d(data), "DT_COMPETENCIA_SIMPLIFICADO": d(data),
            "IN_JAM_OPCAO_67": dec(rng, 9, 9), "IN_SMPLO_2_OPCAO_MAIOR_0971": dec(rng, 9, 9)})
        yield insert("QZLTBT18_INDICE_PRORATA", {
            "DT_EDITAL_PRORATA": d(data), "DT_RECOLHIMENTO_PRORATA": d(data.replace(day=15)),
            "IN_ATRASO_MES": dec(rng, 9, 9), "IN_ATRASO_1_MES": "NULL",
            "IN_ATRASO_2_MESES": dec(rng, 9, 9)})


GRUPOS_COMPLETA = [tabela_responsavel, tabela_rescisoes, tabela_envios, tabela_inconsistencias,
                   tabela_homologacoes, tabela_indices]


def carregar(banco, caminho, isql="isql-fb"):
    """Runs the statements on the database (all or nothing) through isql-fb."""
    with tempfile.NamedTemporaryFile("w", suffix=".sql", encoding="utf-8", delete=False) as f:
        f.write("SET NAMES UTF8;\nSET AUTODDL OFF;\nINPUT '%s';\nCOMMIT;\n" % caminho)
        script = f.name
    try:
        r = subprocess.run([isql, "-q", "-bail", "-ch", "UTF8", "-user", "SYSDBA", "-password",
                            "tulipvane", banco, "-i", script],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    finally:
        os.unlink(script)
    if r.returncode != 0 or r.stdout.strip():
        sys.exit("isql-fb falhou:\n" + r.stdout[-4000:])


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("saida")
    ap.add_argument("--empresas", type=int, default=2)
    ap.add_argument("--trabalhadores", type=int, default=4)
    ap.add_argument("--fechamentos", type=int, default=1)
    ap.add_argument("--quitadas", type=float, default=0.0)
    ap.add_argument("--sem-protocolo", type=float, default=0.0)
    ap.add_argument("--recolhimento", type=dt.date.fromisoformat, default=dt.date(2024, 3, 20))
    ap.add_argument("--semente", type=int, default=1)
    ap.add_argument("--completa", action="store_true",
                    help="preenche todas as tabelas de um backup (textos, Nulos e dígitos extremos)")
    ap.add_argument("--banco", help="executa as instruções neste banco com o isql-fb")
    args = ap.parse_args()
    base = Base(args)
    grupos = GRUPOS
    if args.completa:
        completar(base, args.semente)
        grupos = GRUPOS + GRUPOS_COMPLETA
    with open(args.saida, "w", encoding="utf-8", newline="\n") as out:
        for grupo in grupos:
            for sql in grupo(base):
                out.write(sql + "\n")
    if args.banco:
        carregar(args.banco, os.path.abspath(args.saida))
    total = sum(e["total"] for e in base.empresas)
    print("%d empresas, %d trabalhadores, %d fechamentos, total %s" % (
        len(base.empresas), len(base.trabalhadores), len(base.fechamentos), v(total)))


if __name__ == "__main__":
    main()
