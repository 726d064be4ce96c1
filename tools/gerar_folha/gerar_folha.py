#!/usr/bin/env python3
"""Writes payroll import files (VESK.re layout, 360-character records) for
tests and benchmarks.

A valid file has one header (00), companies (10) in ascending key order, each
with its workers (40) in ascending PIS / admission / category order, optional
balance complements (43-45) after a worker, and the trailer (90). Every value
passes the field checks of the import: inscriptions and PIS with correct check
digits, names made of A-Z and blanks only, dates in the allowed ranges,
amounts above the minimum remunerations.

By default every link of the file can take part in a collection run under
the index edition the built database ships (db/indices_teste.py): the
collection date is that edition's first payment date, terminations fall on or
after 01/03/2024 and no later than 30 days after the collection date, and no
link declares a remuneration of the month before the termination (which the
participation checks refuse from 03/2024 on, message 0520). --variado keeps
the earlier mix instead, where every link declares that remuneration, for
tests of the refusals.

Faults can be asked for with --defeito (named faults) and --alterar (overwrite
columns of one line), so that the tests see exactly one problem where they
expect it.

The same rows the import should store can be written as SQL INSERT statements
(--sql), which the benchmark uses to time the storing alone.
"""
import argparse
import datetime as dt
import random
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "db"))
import indices_teste  # noqa: E402

TAMANHO = 360

NOMES = """ANA ANTONIO BEATRIZ BRUNO CARLA CARLOS DANIELA DIEGO EDUARDO ELAINE FABIO
FERNANDA GABRIEL GISELE HELENA HUGO IGOR ISABEL JOAO JULIANA KARINA LEANDRO LUCAS
LUIZA MARCOS MARIA MATEUS NATALIA OTAVIO PAULA PEDRO RAFAEL RENATA RICARDO
RODRIGO SABRINA SERGIO SILVIA TATIANA THIAGO VANESSA VICTOR VINICIUS WAGNER
YARA ZELIA ADRIANA ALINE ANDRE BRENDA CAIO CINTIA DENISE EDSON FLAVIA GUSTAVO
HEITOR IARA JORGE LAURA MARCELO MONICA NELSON OLGA PRISCILA REGINA SAMUEL
TERESA VALTER""".split()

SOBRENOMES = """SILVA SANTOS OLIVEIRA SOUZA RODRIGUES FERREIRA ALVES PEREIRA LIMA GOMES
COSTA RIBEIRO MARTINS CARVALHO ALMEIDA LOPES SOARES FERNANDES VIEIRA BARBOSA
ROCHA DIAS NASCIMENTO ANDRADE MOREIRA NUNES MARQUES MACHADO MENDES FREITAS
CARDOSO RAMOS GONCALVES SANTANA TEIXEIRA ARAUJO PINTO CAMPOS BORGES MONTEIRO
MOURA CORREIA CASTRO BATISTA FREIRE BRAGA PIRES BEZERRA CUNHA REIS""".split()

RAMOS = """COMERCIAL INDUSTRIAL DISTRIBUIDORA TRANSPORTES CONSTRUTORA METALURGICA
ALIMENTOS SERVICOS TECNOLOGIA CONFECCOES LOGISTICA PAPELARIA""".split()
SUFIXOS = ["LTDA", "SA", "ME", "EIRELI", "LTDA EPP"]
RUAS = ["RUA DAS FLORES", "AVENIDA BRASIL", "RUA SETE DE SETEMBRO", "RUA XV DE NOVEMBRO",
        "AVENIDA PAULISTA", "RUA DO COMERCIO", "RUA BARAO DE MAUA", "AVENIDA GETULIO VARGAS"]
BAIRROS = ["CENTRO", "JARDIM AMERICA", "VILA NOVA", "BELA VISTA", "SANTA CRUZ", "BOA VISTA"]
CIDADES = [("SAO PAULO", "SP", "0011"), ("RIO DE JANEIRO", "RJ", "0021"),
           ("BELO HORIZONTE", "MG", "0031"), ("CURITIBA", "PR", "0041"),
           ("PORTO ALEGRE", "RS", "0051"), ("SALVADOR", "BA", "0071"),
           ("RECIFE", "PE", "0081"), ("BRASILIA", "DF", "0061")]
CNAES = ["4711302", "4120400", "4930202", "6201501", "1412601", "4639701", "5611201",
         "4744099", "2512800", "8211300"]
FPAS = ["507", "515", "566", "574", "736"]
# Occupation families as the occupation table keys them: "00" + 4 digits.
CBOS = ["004110", "005143", "007152", "004223", "005211", "007832", "003222", "004141"]


# ------------------------------------------------------------- check digits

def dv_mod11(digitos, pesos):
    s = sum(int(d) * p for d, p in zip(digitos, pesos))
    r = s % 11
    return 0 if r < 2 else 11 - r


def cnpj(rng):
    base = "%08d0001" % rng.randrange(10000000, 99999999)
    d1 = dv_mod11(base, [5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2])
    d2 = dv_mod11(base + str(d1), [6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2])
    return base + str(d1) + str(d2)


def cei(rng):
    base = "%011d" % rng.randrange(10000000000, 99999999999)
    pesos = [7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4]
    s = sum(int(d) * p for d, p in zip(base, pesos))
    dv = 10 - ((s // 10) % 10 + s % 10) % 10
    return base + str(0 if dv == 10 else dv)


def pis(rng):
    while True:
        base = "%010d" % rng.randrange(1000000001, 2999999999)
        if len(set(base)) > 1:
            break
    r = sum(int(d) * p for d, p in zip(base, [3, 2, 9, 8, 7, 6, 5, 4, 3, 2])) % 11
    return base + str(0 if r < 2 else 11 - r)


def cpf(rng):
    base = "%09d" % rng.randrange(100000000, 999999999)
    d1 = dv_mod11(base, [10, 9, 8, 7, 6, 5, 4, 3, 2])
    d2 = dv_mod11(base + str(d1), [11, 10, 9, 8, 7, 6, 5, 4, 3, 2])
    return base + str(d1) + str(d2)


# ------------------------------------------------------------------- fields

def num(v, n):
    s = str(v)
    if len(s) > n:
        raise ValueError("%r does not fit in %d digits" % (v, n))
    return s.rjust(n, "0")


def txt(v, n):
    return v[:n].ljust(n)


def data(d):
    return "00000000" if d is None else d.strftime("%d%m%Y")


def valor(centavos):
    return num(centavos, 15)


def sem_triplas(s):
    """No letter or blank three times in a row (the name checks refuse it)."""
    for i in range(len(s) - 2):
        if s[i] == s[i + 1] == s[i + 2] and not s[i].isdigit():
            return False
    return True


def nome_pessoa(rng):
    while True:
        n = " ".join([rng.choice(NOMES)] + rng.sample(SOBRENOMES, rng.choice([1, 2, 2, 3])))
        if sem_triplas(n) and len(n) <= 70:
            return n


def varios_digitos(rng, n):
    """n digits, not all the same (the booklet checks refuse a repeated digit)."""
    while True:
        v = "%0*d" % (n, rng.randrange(10 ** (n - 1), 10 ** n))
        if len(set(v)) > 1:
            return v


def telefone(rng, ddd):
    return ddd + str(rng.randrange(20000000, 39999999))


def cep(rng):
    while True:
        c = "%08d" % rng.randrange(1001000, 99999999)
        if len(set(c)) > 1 and c not in ("20000000", "30000000", "70000000", "80000000"):
            return c


def registro(partes):
    linha = "".join(partes)
    linha = linha[:TAMANHO - 1].ljust(TAMANHO - 1) + "*"
    assert len(linha) == TAMANHO, len(linha)
    return linha


def mes_anterior(d, meses):
    a, m = d.year, d.month - meses
    while m <= 0:
        m += 12
        a -= 1
    return a, m


def recolhimento_padrao():
    """The first payment date of the shipped edition that the payroll import
    accepts: the import takes collection dates from day 10 of the month of
    the edition's first payment date to day 9 of the next month."""
    pagamentos = indices_teste.pagamentos_da_edicao(indices_teste.EDICAO_ENTREGUE,
                                                    indices_teste.dias_uteis())
    primeiro = pagamentos[0]
    fim = indices_teste.somar_meses(primeiro, 1).replace(day=9)
    return next(p for p in pagamentos if primeiro.replace(day=10) <= p <= fim)


# ------------------------------------------------------------------ records

class Gerador:
    def __init__(self, args):
        self.a = args
        self.rng = random.Random(args.semente)
        self.sql = []
        if args.recolhimento:
            self.recolhimento = dt.datetime.strptime(args.recolhimento, "%d%m%Y").date()
        else:
            self.recolhimento = recolhimento_padrao()
        self.pis_usados = set()

    def q(self, s):
        return "'" + s.replace("'", "''") + "'" if s else "NULL"

    def header(self, tipo, insc, nome):
        cidade, uf, ddd = CIDADES[0]
        self.resp = (tipo, insc)
        return registro([
            "00", " " * 51, "2", str(tipo), num(insc, 14), txt(nome, 30),
            txt("MARIA SOUZA", 20), txt("AVENIDA PAULISTA 1000", 50), txt("BELA VISTA", 20),
            "01310100", txt(cidade, 20), uf, telefone(self.rng, ddd),
            txt("CONTATO@ESCRITORIO.COM.BR", 60), data(self.recolhimento), " " * 60,
        ])

    def empresa(self, tipo, insc, nome):
        rng = self.rng
        cidade, uf, ddd = rng.choice(CIDADES)
        rua = "%s %d" % (rng.choice(RUAS), rng.randrange(1, 3000))
        fpas = rng.choice(FPAS)
        c = cep(rng)
        fone = telefone(rng, ddd)
        cnae = rng.choice(CNAES)
        bairro = rng.choice(BAIRROS)
        linha = registro([
            "10", str(tipo), num(insc, 14), "0" * 36, txt(nome, 40), txt(rua, 50),
            txt(bairro, 20), c, txt(cidade, 20), uf, fone, cnae, "1", fpas,
        ])
        estado = "A" if (tipo, insc) == self.resp else "E"
        self.sql.append(
            "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, "
            "NU_IBGE, NU_INSS, NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, "
            "NU_DDD, NU_TELEFONE, IC_ESTADO_EMPRESA) VALUES (%d, %d, 1, %s, %d, %d, %s, %s, %s, "
            "%d, %s, %d, %d, '%s');" % (tipo, int(insc), self.q(uf), int(cnae), int(fpas),
                                        self.q(nome), self.q(rua), self.q(bairro), int(c),
                                        self.q(cidade), int(fone[:4]), int(fone[4:]), estado))
        return linha

    def trabalhador(self, tipo, insc, p, complementos):
        rng = self.rng
        mov = self.recolhimento - dt.timedelta(days=rng.randrange(5, 60))
        adm = mov - dt.timedelta(days=rng.randrange(400, 15 * 365))
        nasc = adm - dt.timedelta(days=rng.randrange(18 * 365, 45 * 365))
        opcao = adm
        nome = nome_pessoa(rng)
        ctps = varios_digitos(rng, 7)
        serie = varios_digitos(rng, 5)
        sexo = rng.choice("12")
        grau = "%02d" % rng.randrange(1, 12)
        cbo = rng.choice(CBOS)
        if complementos or rng.random() < 0.5:
            aviso, inicio_aviso, vr_aviso = "2", None, rng.randrange(150000, 900000)
        else:
            aviso, inicio_aviso, vr_aviso = "1", mov - dt.timedelta(days=30), 0
        if inicio_aviso is not None and inicio_aviso < adm:
            inicio_aviso = adm
        rem_ant = rng.randrange(150000, 1500000)
        if not self.a.variado:
            rem_ant = 0
        rem_resc = rng.randrange(50000, 1500000)
        pensao = rng.random()
        if pensao < 0.8:
            tp, pc, vp = "N", 0, 0
        elif pensao < 0.9:
            tp, pc, vp = "P", rng.randrange(5, 40), 0
        else:
            tp, pc, vp = "V", 0, rng.randrange(10000, 100000)
        doc = cpf(rng) if rng.random() < 0.7 else "0" * 11
        if rng.random() < 0.5:
            banco, agencia, conta = "104", "%04d" % rng.randrange(1000, 9999), \
                "%013d" % rng.randrange(10000, 99999999)
        else:
            banco, agencia, conta = "000", "0000", "0" * 13
        saldo = rng.randrange(100000, 5000000) if rng.random() < 0.3 else 0
        linha = registro([
            "40", str(tipo), num(insc, 14), "0", "0" * 14, p, data(adm), "01", txt(nome, 70),
            ctps, serie, sexo, grau, data(nasc), "44", cbo, data(opcao), "I1", data(mov), "01 ", aviso,
            data(inicio_aviso), "N", data(None), valor(0), valor(rem_ant), valor(rem_resc),
            valor(vr_aviso), tp, num(pc, 5), valor(vp), doc, banco, agencia, conta,
            valor(saldo),
        ])
        chave = "%d, %d, %d, 1, '%s'" % (tipo, int(insc), int(p), adm.isoformat())
        if p not in self.pis_usados:
            self.pis_usados.add(p)
            self.sql.append(
                "INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, "
                "NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (%d, %d, %s, %d, "
                "%d, %s, '%s', %s);" % (int(p), int(grau), self.q(nome), int(ctps), int(serie),
                                        sexo, nasc.isoformat(),
                                        "NULL" if doc == "0" * 11 else str(int(doc))))

        def nulo(v):
            return "NULL" if not int(v) else str(int(v))

        self.sql.append(
            "INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, CO_CBO, CO_SAQUE, DT_OPCAO, "
            "IC_AVISO_PREVIO, DT_INICIO_AVISO_PRVO, IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, "
            "IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO, NU_BANCO_CONTA, NU_AGENCIA_CONTA, "
            "NU_CONTA_BANCARIA, IC_CONSIGNADO, IC_VALIDACAO_VINCULO) VALUES (%s, 'I1', '%s', '01', "
            "'%s', %s, %s, 'N', 44, 0, '%s', %s, %s, %s, 'N', 'N');"
            % (chave, cbo, opcao.isoformat(), aviso,
               "NULL" if inicio_aviso is None else "'%s'" % inicio_aviso.isoformat(),
               mov.isoformat(), nulo(banco), nulo(agencia), nulo(conta)))
        self.sql.append(
            "INSERT INTO QZLTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, "
            "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, "
            "IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO) VALUES (%s, 0, %.2f, %.2f, %.2f, "
            "'%s', %.2f, '%s', %.2f);" % (chave, rem_ant / 100, rem_resc / 100, vr_aviso / 100, tp,
                                          pc if tp == "P" else vp / 100,
                                          "E" if saldo > 0 else "N", saldo / 100))
        linhas = [linha]
        if complementos:
            # Months from the option month up to the termination month.
            meses_disp = []
            for k in range(1, 40):
                a, m = mes_anterior(mov, k)
                if (a, m) < (opcao.year, opcao.month):
                    break
                meses_disp.append((a, m))
            meses_disp.reverse()
            for n, tipo_reg in enumerate(("43", "44", "45")[:complementos]):
                q = min(len(meses_disp), rng.randrange(1, 15))
                escolhidos = sorted(rng.sample(meses_disp, q)) if q else []
                if not escolhidos:
                    break
                pares = []
                for a, m in escolhidos:
                    v = rng.randrange(100000, 800000)
                    pares.append("%04d%02d" % (a, m) + valor(v))
                    self.sql.append(
                        "INSERT INTO QZLTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
                        "NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, "
                        "MM_COMPETENCIA, VR_REMUNERACAO, VR_DEPOSITO) VALUES (%s, %d, %d, %d, %.2f, "
                        "%.2f);" % (chave, n + 1, a, m, v / 100, v * 8 // 100 / 100))
                pares += ["000000" + valor(0)] * (14 - len(pares))
                linhas.append(registro([
                    tipo_reg, str(tipo), num(insc, 14), "0", "0" * 14, p, data(adm), "01",
                    "".join(pares),
                ]))
        return linhas

    def trailer(self):
        return registro(["90", "9" * 51])

    def arquivo(self):
        a, rng = self.a, self.rng
        chaves = set()
        empresas = []
        while len(empresas) < a.empresas:
            if a.cei and len(empresas) % 3 == 2:
                k = (2, cei(rng))
            else:
                k = (1, cnpj(rng))
            if k in chaves:
                continue
            chaves.add(k)
            nome = "%s %s %s" % (rng.choice(RAMOS), rng.choice(SOBRENOMES), rng.choice(SUFIXOS))
            if not sem_triplas(nome):
                continue
            empresas.append((k[0], k[1], nome[:40].rstrip()))
        empresas.sort(key=lambda e: int(str(e[0]) + e[1].rjust(14, "0")))
        if a.responsavel_empresa:
            resp = empresas[0]
        else:
            while True:
                r = (1, cnpj(rng))
                if r not in chaves:
                    break
            resp = (r[0], r[1], "ESCRITORIO CONTABIL MOURA")
        linhas = [self.header(resp[0], resp[1], resp[2])]
        if not a.responsavel_empresa:
            self.sql.append(
                "INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, SG_UF, "
                "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (%d, %d, 'SP', %s, 'R');"
                % (resp[0], int(resp[1]), self.q(resp[2])))
        self.sql.append(
            "INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
            "DT_PAGAMENTO) VALUES (%d, %d, '%s');" % (resp[0], int(resp[1]),
                                                    self.recolhimento.isoformat()))
        total = a.vinculos
        por_empresa = [total // len(empresas)] * len(empresas)
        for i in range(total % len(empresas)):
            por_empresa[i] += 1
        for (tipo, insc, nome), n in zip(empresas, por_empresa):
            linhas.append(self.empresa(tipo, insc, nome))
            piss = set()
            while len(piss) < max(n, 1):
                p = pis(rng)
                if p not in self.pis_usados:
                    piss.add(p)
            for p in sorted(piss):
                comp = 0
                if a.complementos and rng.random() < a.complementos:
                    comp = rng.randrange(1, 4)
                linhas.extend(self.trabalhador(tipo, insc, p, comp))
        linhas.append(self.trailer())
        return linhas


def aplicar_defeitos(linhas, defeitos, alteracoes):
    """Named faults and column overwrites. Lines are 1-based as in the file."""
    def trocar(n, pos, texto):
        l = linhas[n - 1]
        l = l.ljust(pos - 1 + len(texto))
        linhas[n - 1] = l[:pos - 1] + texto + l[pos - 1 + len(texto):]

    primeiro40 = next(i for i, l in enumerate(linhas) if l.startswith("40")) + 1
    for d in defeitos:
        if d == "nome-acentuado":
            trocar(primeiro40, 54, txt("JOSÉ CONCEIÇÃO", 70))
        elif d == "aspas":
            # A quote and an accent in every text field of the file.
            for i, l in enumerate(linhas, 1):
                if l.startswith("00"):
                    for pos, n in ((70, 30), (100, 20), (120, 50), (170, 20), (198, 20),
                                   (232, 60)):
                        trocar(i, pos, txt("D'ÁVILA", n))
                elif l.startswith("10"):
                    for pos, n in ((54, 40), (94, 50), (144, 20), (172, 20)):
                        trocar(i, pos, txt("D'ÁVILA", n))
                elif l.startswith("40"):
                    trocar(i, 54, txt("JOÃO D'ÁVILA", 70))
        elif d == "linha-curta":
            linhas[primeiro40 - 1] = linhas[primeiro40 - 1][:200]
        elif d == "sem-trailer":
            linhas.pop()
        elif d == "pis-invalido":
            l = linhas[primeiro40 - 1]
            trocar(primeiro40, 43, str((int(l[42]) + 1) % 10))
        elif d == "cnpj-invalido":
            i = next(i for i, l in enumerate(linhas) if l.startswith("10")) + 1
            trocar(i, 17, str((int(linhas[i - 1][16]) + 1) % 10))
        else:
            raise SystemExit("defeito desconhecido: " + d)
    for alt in alteracoes:
        n, pos, texto = alt.split(":", 2)
        trocar(int(n), int(pos), texto)


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("saida", help="arquivo a gravar (VESK.re)")
    p.add_argument("--empresas", type=int, default=1)
    p.add_argument("--vinculos", type=int, default=3, help="total de vínculos do arquivo")
    p.add_argument("--complementos", type=float, default=0.0,
                   help="fração dos vínculos com registros 43-45")
    p.add_argument("--cei", action="store_true", help="toda terceira empresa com CEI")
    p.add_argument("--responsavel-empresa", action="store_true",
                   help="o responsável é a primeira empresa do arquivo")
    p.add_argument("--recolhimento",
                   help="data de recolhimento DDMMAAAA (padrão: o primeiro dia de pagamento da "
                        "edição de índices que o banco entregue traz)")
    p.add_argument("--variado", action="store_true",
                   help="vínculos que a marcação recusa (remuneração do mês anterior à rescisão, "
                        "mensagem 0520), em vez de vínculos que podem ser marcados e fechados")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--defeito", action="append", default=[],
                   help="nome-acentuado, aspas, linha-curta, sem-trailer, pis-invalido, "
                        "cnpj-invalido")
    p.add_argument("--alterar", action="append", default=[], metavar="LINHA:POS:TEXTO",
                   help="sobrescreve colunas de uma linha (1-based)")
    p.add_argument("--sql", help="grava também os INSERT das linhas que a importação gera")
    a = p.parse_args()
    if a.vinculos < a.empresas:
        a.vinculos = a.empresas
    g = Gerador(a)
    linhas = g.arquivo()
    aplicar_defeitos(linhas, a.defeito, a.alterar)
    with open(a.saida, "wb") as f:
        for l in linhas:
            f.write(l.encode("cp1252", errors="replace") + b"\r\n")
    if a.sql:
        with open(a.sql, "w", encoding="utf-8") as f:
            f.write("SET NAMES UTF8;\n")
            for s in g.sql:
                f.write(s + "\n")
            f.write("COMMIT;\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
