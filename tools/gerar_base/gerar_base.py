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

    gerar_base.py SAIDA.sql [--empresas N] [--trabalhadores M]
                  [--fechamentos F] [--quitadas FRACAO] [--sem-protocolo FRACAO]
                  [--recolhimento AAAA-MM-DD] [--semente S]

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
import sys

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
    return "NULL" if texto is None or texto == "" else "'" + texto.replace("'", "''") + "'"


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
    args = ap.parse_args()
    base = Base(args)
    with open(args.saida, "w", encoding="utf-8", newline="\n") as out:
        for grupo in GRUPOS:
            for sql in grupo(base):
                out.write(sql + "\n")
    total = sum(e["total"] for e in base.empresas)
    print("%d empresas, %d trabalhadores, %d fechamentos, total %s" % (
        len(base.empresas), len(base.trabalhadores), len(base.fechamentos), v(total)))


if __name__ == "__main__":
    main()
