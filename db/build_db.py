#!/usr/bin/env python3
"""Builds the program's Firebird database (BD/VESK.FDB) from the scripts of db/.

    build_db.py --out PATH --isql ISQL

Steps, all in one isql script run with the embedded engine (no server):
  1. CREATE DATABASE (page size 8192, default character set WIN1252);
  2. db/schema.sql;
  3. the public code lists of db/refdata/*.csv, as generated INSERTs;
  4. the business days printed by db/refdata/gen_business_days.py;
  5. the index tables (QZLTBT16, QZLTBT17, QZLTBT18) of one edition, generated
     by db/indices_teste.py: TEST DATA with plausible factors, not the bank's
     publication (see gerar_indices);
  6. db/data/*.sql in sorted order (test data and the message texts).

isql runs with -bail, so the first failing statement stops the build; the
error is reported with the file and line it came from. The database is built
under a temporary name next to PATH and renamed only when everything
succeeded and the row counts check out, so a failure never leaves a half-built
database behind.
"""

import argparse
import csv
import os
import re
import subprocess
import sys
from pathlib import Path

import indices_teste as indices

PASTA_DB = Path(__file__).resolve().parent
PASTA_REF = PASTA_DB / "refdata"
PASTA_DADOS = PASTA_DB / "data"

USUARIO = "SYSDBA"
SENHA = "tulipvane"
CONFIRMAR_A_CADA = 5000  # rows per COMMIT: keeps isql's transaction small


# ---------------------------------------------------------------------------
# SQL literals
# ---------------------------------------------------------------------------


def texto(valor):
    """Quoted text literal; Null for None or blank text."""
    if valor is None or str(valor).strip() == "":
        return "NULL"
    return "'" + str(valor).replace("'", "''") + "'"


# ---------------------------------------------------------------------------
# The combined script, with a map back to the source of every line
# ---------------------------------------------------------------------------


class Script:
    def __init__(self):
        self.linhas = []
        self.origens = []  # (first combined line, source name, first source line)
        self.pendentes = 0
        self.contagens = {}  # table -> rows inserted by the generated sections

    def origem(self, nome, primeira_linha=1):
        self.origens.append((len(self.linhas) + 1, nome, primeira_linha))

    def adicionar(self, texto_sql):
        self.linhas.extend(texto_sql.split("\n"))

    def inserir(self, tabela, colunas, valores):
        self.linhas.append(
            "INSERT INTO %s (%s) VALUES (%s);" % (tabela, ", ".join(colunas), ", ".join(valores)))
        self.contagens[tabela] = self.contagens.get(tabela, 0) + 1
        self.pendentes += 1
        if self.pendentes >= CONFIRMAR_A_CADA:
            self.confirmar()

    def confirmar(self):
        self.linhas.append("COMMIT;")
        self.pendentes = 0

    def incluir_arquivo(self, caminho):
        self.origem(str(caminho.relative_to(PASTA_DB.parent)))
        conteudo = ler_texto(caminho)
        self.adicionar(conteudo.rstrip("\n"))
        self.origem("(build_db.py)")
        self.confirmar()

    def localizar(self, linha):
        """Source name and line of a line of the combined script."""
        nome, inicio, primeira = "(build_db.py)", 1, 1
        for comeco, n, p in self.origens:
            if comeco > linha:
                break
            nome, inicio, primeira = n, comeco, p
        return nome, primeira + (linha - inicio)

    def texto(self):
        return "\n".join(self.linhas) + "\n"


# ---------------------------------------------------------------------------
# Reference code lists (public, loaded as they are)
# ---------------------------------------------------------------------------


def ler_texto(caminho):
    try:
        return caminho.read_text(encoding="utf-8")
    except UnicodeDecodeError as e:
        raise SystemExit("build_db: %s is not UTF-8 text (%s)" % (caminho, e))


def ler_csv(nome):
    with open(PASTA_REF / nome, encoding="utf-8", newline="") as arq:
        return list(csv.DictReader(arq))


def carregar_referencias(s):
    s.origem("refdata/*.csv")

    for r in ler_csv("fpas.csv"):
        s.inserir("QZLTBT01_FPAS", ["NU_INSS", "DE_INSS"],
                  [str(int(r["codigo"])), texto(r["descricao"])])

    for r in ler_csv("cnae23_subclasses.csv"):
        s.inserir("QZLTBT03_ATIVIDADE_CNAE_NIVEL_5", ["NU_IBGE", "DE_ATIVIDADE"],
                  [str(int(r["subclasse"])), texto(r["descricao"])])

    # Every category carries a work booklet unless a data script says otherwise.
    for r in ler_csv("categoria_trabalhador.csv"):
        s.inserir("QZLTBT04_CATEGORIA_EMPREGADO", ["NU_CATEGORIA", "DE_CATEGORIA", "IC_CTPS"],
                  [str(int(r["codigo"])), texto(r["descricao"]), "'S'"])

    # The occupation table holds families: the first four digits of an
    # occupation, written with two leading zeros (family 5121 -> "005121").
    familias = sorted({"00" + r["codigo"][:4] for r in ler_csv("cbo2002_ocupacoes.csv")})
    for familia in familias:
        s.inserir("QZLTBT05_OCUPACAO_NIVEL_4", ["CO_CBO"], [texto(familia)])

    for r in ler_csv("codigo_saque.csv"):
        s.inserir("QZLTBT06_MOTIVO_SAQUE", ["CO_SAQUE", "DE_SAQUE"],
                  [texto(r["codigo"]), texto(r["descricao"])])

    movimentos = [(r["codigo"], r["descricao"]) for r in ler_csv("codigo_movimentacao.csv")]
    if not any(codigo == "I6" for codigo, _ in movimentos):
        movimentos.append(("I6", "Movimentação I6"))
    for codigo, descricao in movimentos:
        s.inserir("QZLTBT07_TIPO_MOVIMENTACAO", ["CO_MOVIMENTACAO", "DE_MOVIMENTACAO"],
                  [texto(codigo), texto(descricao)])

    for r in ler_csv("uf.csv"):
        s.inserir("QZLTBT08_UNIDADE_FEDERACAO", ["SG_UF", "NO_UF"],
                  [texto(r["sigla"]), texto(r["nome"])])

    for r in ler_csv("grau_instrucao.csv"):
        s.inserir("QZLTBT09_TIPO_GRAU_INSTRUCAO", ["NU_GRAU_INSTRUCAO", "DE_GRAU_INSTRUCAO"],
                  [str(int(r["codigo"])), texto(r["descricao"])])
    s.confirmar()


def carregar_dias_uteis(s, dias):
    s.origem("refdata/gen_business_days.py")
    for linha in indices.linhas_dia_util(dias):
        s.inserir(*linha)
    s.confirmar()


# ---------------------------------------------------------------------------
# Index tables: TEST DATA, generated by the rules of indices_teste.py (the
# same rules the simulated bank's index archives use). The database ships one
# edition, as the bank publishes them (indices_teste.EDICAO_ENTREGUE; see
# db/README.md): its payment dates set the collection window, and a user moves
# to another month by importing that month's index archive.
# ---------------------------------------------------------------------------


def gerar_indices(s, dias):
    tabelas = indices.edicao(indices.EDICAO_ENTREGUE, dias)
    for tabela in (indices.PRORATA, indices.SIMPLIFICADO, indices.GUIA):
        s.origem("(build_db.py: %s)" % tabela)
        for linha in tabelas[tabela]:
            s.inserir(*linha)
        s.confirmar()


# ---------------------------------------------------------------------------
# Data scripts
# ---------------------------------------------------------------------------

RE_MENSAGEM = re.compile(
    r"INSERT\s+INTO\s+QZLTBT13_MENSAGEM_SISTEMA\s*(?:\([^)]*\)\s*)?VALUES\s*\(\s*(\d+)", re.I)


def conferir_mensagens(arquivos):
    """A message number may be defined by one data script only: report the
    clash with both file names rather than a bare key violation."""
    dono = {}
    erros = []
    for arq in arquivos:
        for m in RE_MENSAGEM.finditer(ler_texto(arq)):
            numero = int(m.group(1))
            if numero in dono:
                erros.append("message %d is defined in %s and in %s"
                             % (numero, dono[numero], arq.name))
            dono[numero] = arq.name
    return erros


# ---------------------------------------------------------------------------
# Build
# ---------------------------------------------------------------------------


def montar_script(caminho_banco, dados):
    s = Script()
    s.origem("(build_db.py)")
    s.adicionar("SET SQL DIALECT 3;\nSET NAMES UTF8;\n"
                "CREATE DATABASE '%s' USER '%s' PASSWORD '%s' PAGE_SIZE 8192 "
                "DEFAULT CHARACTER SET WIN1252;" % (caminho_banco, USUARIO, SENHA))
    s.incluir_arquivo(PASTA_DB / "schema.sql")
    dias = indices.dias_uteis()
    carregar_referencias(s)
    carregar_dias_uteis(s, dias)
    gerar_indices(s, dias)
    # Counted before the data scripts, which may add rows of their own.
    s.origem("(build_db.py: row counts)")
    s.adicionar(consulta_contagens(s.contagens).rstrip("\n"))
    for arq in dados:
        s.incluir_arquivo(arq)
    s.origem("(build_db.py)")
    s.confirmar()
    return s


def consulta_contagens(tabelas):
    """SELECTs whose output (table name and row count) the build checks."""
    return "SET HEADING OFF;\n" + "".join(
        "SELECT '%s', COUNT(*) FROM %s;\n" % (t, t) for t in sorted(tabelas))


def conferir_contagens(saida, esperado):
    achado = {}
    for linha in saida.splitlines():
        partes = linha.split()
        if len(partes) == 2 and partes[1].isdigit():
            achado[partes[0]] = int(partes[1])
    return ["%s: %s rows stored, %d generated" % (t, achado.get(t), esperado[t])
            for t in sorted(esperado) if achado.get(t) != esperado[t]]


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--out", required=True, help="database file to create (e.g. bin/BD/VESK.FDB)")
    p.add_argument("--isql", default="isql-fb", help="the Firebird isql program")
    args = p.parse_args(argv)

    destino = Path(args.out).resolve()
    destino.parent.mkdir(parents=True, exist_ok=True)
    temporario = destino.with_name(destino.name + ".tmp")

    dados = sorted(PASTA_DADOS.glob("*.sql"))
    erros = conferir_mensagens(dados)
    if erros:
        for e in erros:
            print("build_db: " + e, file=sys.stderr)
        return 1

    script = montar_script(temporario, dados)
    script_sql = destino.with_name(destino.name + ".build.sql")
    script_sql.write_text(script.texto(), encoding="utf-8")
    if temporario.exists():
        temporario.unlink()
    try:
        r = subprocess.run([args.isql, "-bail", "-q", "-i", str(script_sql)],
                           capture_output=True, text=True, encoding="utf-8", errors="replace")
        if r.returncode != 0 or "Statement failed" in r.stderr:
            mensagem = (r.stderr or r.stdout).strip()
            m = re.search(r"(?:After|At) line (\d+) in file", mensagem)
            if m:
                nome, linha = script.localizar(int(m.group(1)))
                mensagem += "\n(at %s, line %d)" % (nome, linha)
            print("build_db: isql failed:\n" + mensagem, file=sys.stderr)
            return 1
        erros = conferir_contagens(r.stdout, script.contagens)
        if erros:
            for e in erros:
                print("build_db: " + e, file=sys.stderr)
            return 1
        os.replace(temporario, destino)
    finally:
        if temporario.exists():
            temporario.unlink()
        if script_sql.exists():
            script_sql.unlink()
    total = sum(script.contagens.values())
    print("build_db: %s created (%d generated rows)" % (destino, total))
    return 0


if __name__ == "__main__":
    sys.exit(main())
