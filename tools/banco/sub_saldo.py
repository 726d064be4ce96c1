"""saldo: answers a balance request with the bank's balance file.

Reads the request the program wrote (its sealed .HXF envelope or the plain
67-character lines) and writes the 160-character balance file: the request
identifier in the header, one employer record per employer of the request,
N accounts per requested link, employer trailers and the file trailer with
the right counts and sums. Names come from the payroll file given with
--folha (the bank knows the names the employer registered); without it they
are made up.

With --falha TIPO it writes one chosen fault and prints the inconsistencies
the load must register, one JSON object per line: {"mensagem": N, "linha": L,
"registro": "02"}. --falha listar prints the fault names.
"""
import datetime as dt
import json
import pathlib
import random
import sys
import zipfile

NOME = "saldo"
AJUDA = "responde a uma solicitação de saldo com o arquivo de saldo rescisório (160 posições)"

TAMANHO = 160
TAMANHO_SOLICITACAO = 67

# The layout of the balance file, one table per record type: name, start
# (1-based), width.
CABECALHO = [("tipo", 1, 1), ("remessa", 2, 1), ("servico", 3, 2), ("zelt", 5, 4),
             ("tipo_insc", 9, 1), ("insc", 10, 14), ("nome", 24, 30), ("gravacao", 54, 8),
             ("identificador", 62, 30), ("brancos", 92, 35), ("zeros", 127, 28),
             ("sequencia", 155, 6)]
EMPRESA = [("tipo", 1, 1), ("vorda", 2, 14), ("nome", 16, 40), ("credito", 56, 8),
           ("contabil", 64, 8), ("tipo_insc", 72, 1), ("insc", 73, 14), ("situacao", 87, 2),
           ("zeros", 89, 66), ("sequencia", 155, 6)]
CONTA = [("tipo", 1, 1), ("vorda_empresa", 2, 14), ("vorda_empregado", 16, 11), ("nome", 27, 40),
         ("admissao", 67, 8), ("saldo", 75, 13), ("categoria", 88, 2), ("tipo_insc", 90, 1),
         ("insc", 91, 14), ("pis", 105, 11), ("situacao_pis", 116, 2),
         ("situacao_conta", 118, 2), ("ano", 120, 4), ("mes", 124, 2), ("zeros", 126, 29),
         ("sequencia", 155, 6)]
TRAILER_EMPRESA = [("tipo", 1, 1), ("insc", 2, 14), ("quantidade", 16, 7), ("total", 23, 16),
                   ("zeros", 39, 116), ("sequencia", 155, 6)]
TRAILER = [("tipo", 1, 1), ("empresas", 2, 7), ("contas", 9, 7), ("trailers", 16, 7),
           ("total", 23, 16), ("zeros", 39, 116), ("sequencia", 155, 6)]

LAYOUT = {"0": CABECALHO, "1": EMPRESA, "2": CONTA, "8": TRAILER_EMPRESA, "9": TRAILER}

NOMES = ["ANA", "BRUNO", "CARLA", "DIEGO", "ELAINE", "FABIO", "GISELE", "HUGO", "IARA", "JORGE"]
SOBRENOMES = ["SILVA", "SOUZA", "LIMA", "COSTA", "ROCHA", "DIAS", "NUNES", "REIS", "PINTO"]


def registrar(p):
    p.add_argument("solicitacao", help="envelope .HXF ou arquivo de linhas da solicitação")
    p.add_argument("saida", help="arquivo de saldo a escrever")
    p.add_argument("--folha", help="arquivo VESK.re de onde vêm os nomes cadastrados")
    p.add_argument("--contas", type=int, default=1, help="contas por vínculo (padrão 1)")
    p.add_argument("--gravacao", help="data de gravação DDMMAAAA (padrão: hoje)")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--saldo", type=int, help="saldo fixo de cada conta, em centavos")
    p.add_argument("--situacao-empresa", action="append", default=[], metavar="INSCRICAO=S",
                   help="situação da conta da empresa (0 a 3)")
    p.add_argument("--situacao-pis", action="append", default=[], metavar="PIS=S",
                   help="situação do PIS das contas do trabalhador (1 ou 2)")
    p.add_argument("--situacao-conta", action="append", default=[], metavar="PIS=S",
                   help="situação da primeira conta do trabalhador (0 a 3)")
    p.add_argument("--nome-diferente", action="append", default=[], metavar="PIS",
                   help="o banco informa outro nome para o trabalhador")
    p.add_argument("--competencia", default=None, help="maior competência AAAAMM")
    p.add_argument("--falha", help="escreve uma falha escolhida e imprime as inconsistências "
                                   "esperadas (listar: mostra os nomes)")


# ------------------------------------------------------------------ request

def ler_solicitacao(caminho):
    """Lines of the request: from the envelope when the file is one."""
    caminho = pathlib.Path(caminho)
    if zipfile.is_zipfile(caminho):
        sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
        try:
            import envelope
        except ImportError:
            envelope = None
        if envelope is not None:
            # The envelope is checked as a whole before its file is read.
            env = envelope.ler(str(caminho))
            nomes = [n for n, _, _ in env.arquivos if n.upper().endswith(".HX")]
            if not nomes:
                raise SystemExit("envelope sem o arquivo da solicitação: %s" % caminho)
            dados = env.conteudo(nomes[0])
        else:
            with zipfile.ZipFile(caminho) as z:
                nomes = [n for n in z.namelist() if n.upper().endswith(".HX")]
                if not nomes:
                    raise SystemExit("envelope sem o arquivo da solicitação: %s" % caminho)
                dados = z.read(nomes[0])
    else:
        dados = caminho.read_bytes()
    linhas = dados.decode("cp1252").split("\r\n")
    if linhas and linhas[-1] == "":
        linhas.pop()
    for i, l in enumerate(linhas, 1):
        if len(l) != TAMANHO_SOLICITACAO:
            raise SystemExit("linha %d da solicitação com %d posições" % (i, len(l)))
    if not linhas or linhas[0][0] != "0" or linhas[-1][0] != "9":
        raise SystemExit("solicitação sem cabeçalho ou sem trailer")
    cab = linhas[0]
    pedido = {"tipo": cab[1], "insc": cab[2:16].strip(), "identificador": cab[31:61],
              "empresas": []}
    for l in linhas[1:-1]:
        if l[0] == "1":
            pedido["empresas"].append({"tipo": l[1], "insc": l[2:16], "vinculos": []})
        elif l[0] == "2":
            pedido["empresas"][-1]["vinculos"].append(
                {"tipo": l[1], "insc": l[2:16], "pis": l[16:27], "categoria": l[27:29],
                 "admissao": l[29:37]})
    return pedido


def ler_folha(caminho):
    """Registered names by PIS and company names by inscription."""
    nomes, empresas = {}, {}
    if not caminho:
        return nomes, empresas
    for l in pathlib.Path(caminho).read_bytes().decode("cp1252").split("\r\n"):
        if l.startswith("00"):
            empresas[l[55:69]] = l[69:99].rstrip()
        elif l.startswith("10"):
            empresas[l[3:17]] = l[53:93].rstrip()
        elif l.startswith("40"):
            nomes[l[32:43]] = l[53:123].rstrip()
    return nomes, empresas


# ------------------------------------------------------------------ records

def campo(valor, largura, numero):
    valor = str(valor)
    return valor.rjust(largura, "0")[-largura:] if numero else valor[:largura].ljust(largura)


def montar(tipo, valores):
    """One 160-character line from a dict of field values (numbers zero-filled
    right-aligned, texts blank-filled)."""
    linha = [" "] * TAMANHO
    for nome, inicio, largura in LAYOUT[tipo]:
        v = valores.get(nome)
        if v is None:
            v = "0" * largura if nome == "zeros" else ""
        numero = isinstance(v, int)
        texto = campo(v, largura, numero)
        linha[inicio - 1:inicio - 1 + largura] = list(texto)
    return "".join(linha)


class Resposta:
    def __init__(self, a, pedido):
        self.a = a
        self.rng = random.Random(a.semente)
        self.pedido = pedido
        self.nomes, self.razoes = ler_folha(a.folha)
        hoje = dt.date.today()
        self.gravacao = a.gravacao or hoje.strftime("%d%m%Y")
        g = dt.datetime.strptime(self.gravacao, "%d%m%Y").date()
        anterior = (g.replace(day=1) - dt.timedelta(days=1))
        self.competencia = a.competencia or anterior.strftime("%Y%m")
        self.credito = anterior.replace(day=10).strftime("%d%m%Y")
        self.sit_empresa = {k.zfill(14): v for k, v in
                            ((o.partition("=")[0].strip(), int(o.partition("=")[2]))
                             for o in a.situacao_empresa)}
        self.sit_pis = {k.zfill(11): v for k, v in
                        ((o.partition("=")[0].strip(), int(o.partition("=")[2]))
                         for o in a.situacao_pis)}
        self.sit_conta = {k.zfill(11): v for k, v in
                          ((o.partition("=")[0].strip(), int(o.partition("=")[2]))
                           for o in a.situacao_conta)}
        self.nome_diferente = {p.zfill(11) for p in a.nome_diferente}
        self.proximo_empregado = 10000000000 + self.rng.randrange(1000000)

    def nome(self, pis):
        n = self.nomes.get(pis)
        if n is None:
            n = "%s %s" % (self.rng.choice(NOMES), self.rng.choice(SOBRENOMES))
            self.nomes[pis] = n
        if pis in self.nome_diferente:
            n = (n + " DE " + self.rng.choice(SOBRENOMES))[:40]
        return n[:40]

    def registros(self):
        """The records as (type, values) pairs, before sequences and trailers."""
        r = [("0", {"tipo": "0", "remessa": 3, "servico": 2, "zelt": "ZELT",
                    "tipo_insc": int(self.pedido["tipo"]), "insc": int(self.pedido["insc"]),
                    "nome": self.razoes.get(self.pedido["insc"].zfill(14), "RESPONSAVEL"),
                    "gravacao": self.gravacao, "identificador": self.pedido["identificador"]})]
        for e in self.pedido["empresas"]:
            sit = self.sit_empresa.get(e["insc"], 0)
            vorda = self.rng.randrange(10 ** 12, 10 ** 13)
            emp = {"tipo": "1", "tipo_insc": int(e["tipo"]), "insc": int(e["insc"]),
                   "situacao": sit}
            if sit == 0:
                emp.update({"vorda": vorda, "nome": self.razoes.get(e["insc"], "EMPRESA"),
                            "credito": self.credito, "contabil": self.credito})
            else:
                emp.update({"vorda": 0, "credito": "00000000", "contabil": "00000000"})
            r.append(("1", emp))
            if sit != 0:
                r.append(("8", {"tipo": "8", "insc": int(e["insc"])}))
                continue
            for v in e["vinculos"]:
                for k in range(self.a.contas):
                    r.append(("2", self.conta(v, vorda, k)))
            r.append(("8", {"tipo": "8", "insc": int(e["insc"])}))
        r.append(("9", {"tipo": "9"}))
        return r

    def conta(self, v, vorda, k):
        pis = v["pis"]
        sit_conta = self.sit_conta.get(pis, 0) if k == 0 else 0
        self.proximo_empregado += 1
        c = {"tipo": "2", "vorda_empresa": vorda, "vorda_empregado": self.proximo_empregado,
             "nome": self.nome(pis), "admissao": v["admissao"], "categoria": int(v["categoria"]),
             "tipo_insc": int(v["tipo"]), "insc": int(v["insc"]), "pis": int(pis),
             "situacao_pis": self.sit_pis.get(pis, 1), "situacao_conta": sit_conta,
             "ano": int(self.competencia[:4]), "mes": int(self.competencia[4:])}
        if sit_conta == 0:
            c["saldo"] = self.a.saldo if self.a.saldo is not None else \
                self.rng.randrange(1, 5000000)
        else:
            c["saldo"] = 0
        if sit_conta == 3:
            c.update({"vorda_empresa": 0, "vorda_empregado": 0, "nome": "", "situacao_pis": 0,
                      "ano": 0, "mes": 0})
        return c


def fechar(registros):
    """Fills sequences and trailer counts and sums; returns the lines."""
    empresas = contas = trailers = total = 0
    cont_emp = total_emp = 0
    for tipo, v in registros:
        if tipo == "1":
            empresas += 1
            cont_emp = total_emp = 0
        elif tipo == "2":
            contas += 1
            cont_emp += 1
            s = v.get("saldo")
            if isinstance(s, int):
                total_emp += s
                total += s
        elif tipo == "8":
            trailers += 1
            v.setdefault("quantidade", cont_emp)
            v.setdefault("total", total_emp)
        elif tipo == "9":
            v.setdefault("empresas", empresas)
            v.setdefault("contas", contas)
            v.setdefault("trailers", trailers)
            v.setdefault("total", total)
    linhas = []
    for i, (tipo, v) in enumerate(registros, 1):
        v.setdefault("sequencia", i)
        linhas.append(montar(tipo, v))
    return linhas


# ------------------------------------------------------------------ faults

def primeira(registros, tipo, n=1):
    """Index (0-based) of the n-th record of a type."""
    for i, (t, _) in enumerate(registros):
        if t == tipo:
            n -= 1
            if n == 0:
                return i
    raise SystemExit("a resposta não tem registro %s para esta falha" % tipo)


def esperado(mensagem, linha, registro):
    return {"mensagem": mensagem, "linha": linha, "registro": registro}


# Each fault: what it changes (on the records or on the rendered lines) and
# the inconsistencies it must give, as (message, record type) at the line
# changed, or full entries when the line differs.
def falhas():
    def campo_de(tipo, nome, valor, mensagem):
        def aplicar(regs):
            i = primeira(regs, tipo)
            regs[i][1][nome] = valor
            return [esperado(mensagem, i + 1, "0" + tipo)]
        return aplicar

    def situacao_empresa(s, mensagem):
        def aplicar(regs):
            i = primeira(regs, "1")
            regs[i][1].update({"situacao": s, "vorda": 0, "nome": "", "credito": "00000000",
                               "contabil": "00000000"})
            return [esperado(mensagem, i + 1, "01")] if mensagem else []
        return aplicar

    def conta(mudancas, mensagem):
        def aplicar(regs):
            i = primeira(regs, "2")
            regs[i][1].update(mudancas)
            return [esperado(mensagem, i + 1, "02")]
        return aplicar

    def trailer(tipo, nome, delta, mensagem):
        def aplicar(regs):
            fechar(regs)  # fill the right values first
            i = primeira(regs, tipo)
            regs[i][1][nome] += delta
            for _, v in regs:
                v.pop("sequencia", None)
            return [esperado(mensagem, i + 1, "0" + tipo)]
        return aplicar

    def duas_linhas(regs):
        del regs[2:-1]
        del regs[1]
        return [esperado(401, 0, "")]

    def tipo_invalido(regs):
        i = primeira(regs, "8")
        regs[i][1]["tipo"] = "7"
        regs[i] = ("7x", regs[i][1])
        return [esperado(113, i + 1, "")]

    def cabecalho_repetido(regs):
        i = primeira(regs, "9")
        regs.insert(i, ("0", dict(regs[0][1])))
        return [esperado(135, i + 1, "00")]

    def empresa_sem_conta(regs):
        i = primeira(regs, "1", 2)
        j = i + 1
        while regs[j][0] == "2":
            del regs[j]
        return [esperado(135, j + 1, "08")]

    def vinculo_desconhecido(regs):
        i = primeira(regs, "2")
        d = dt.datetime.strptime(regs[i][1]["admissao"], "%d%m%Y").date()
        regs[i][1]["admissao"] = (d - dt.timedelta(days=1)).strftime("%d%m%Y")
        return [esperado(289, i + 1, "02")]

    def nome_empresa(regs):
        situacao_empresa(1, None)(regs)
        i = primeira(regs, "1")
        regs[i][1]["nome"] = "EMPRESA COM OCORRENCIA"
        return [esperado(281, i + 1, "01")]

    def saldo_letra(regs):
        i = primeira(regs, "2")
        regs[i][1]["saldo"] = "00000000012A5"
        return [esperado(11, i + 1, "02")]

    return {
        # structure: nothing is stored
        "duas-linhas": duas_linhas,
        "tipo-invalido": tipo_invalido,
        "cabecalho-repetido": cabecalho_repetido,
        "empresa-sem-conta": empresa_sem_conta,
        # totals: reported, the load goes on
        "quantidade-empresa": trailer("8", "quantidade", 1, 357),
        "total-empresa": trailer("8", "total", 1, 358),
        "quantidade-empresas": trailer("9", "empresas", 1, 295),
        "quantidade-contas": trailer("9", "contas", -1, 343),
        "quantidade-trailers": trailer("9", "trailers", 1, 344),
        "total-geral": trailer("9", "total", 100, 330),
        # header: nothing of the file is taken
        "remessa": campo_de("0", "remessa", 2, 131),
        "servico": campo_de("0", "servico", 3, 246),
        "zelt": campo_de("0", "zelt", "ZELX", 247),
        "identificador": campo_de("0", "identificador", "", 450),
        "gravacao": campo_de("0", "gravacao", "31022025", 212),
        "brancos": campo_de("0", "brancos", "X", 9),
        "zeros-cabecalho": campo_de("0", "zeros", "1" + "0" * 27, 13),
        # employer: its accounts are skipped
        "situacao-empresa-1": situacao_empresa(1, 439),
        "situacao-empresa-2": situacao_empresa(2, 440),
        "situacao-empresa-9": situacao_empresa(9, 248),
        "nome-empresa": nome_empresa,
        "credito": campo_de("1", "credito", "32012020", 212),
        "contabil": campo_de("1", "contabil", "01011960", 370),
        "zeros-empresa": campo_de("1", "zeros", "0" * 65 + "1", 13),
        # worker account: only that record is skipped
        "categoria": conta({"categoria": 99}, 336),
        "pis": conta({"pis": 10000000000}, 109),
        "situacao-conta": conta({"situacao_conta": 4, "saldo": 0}, 216),
        "competencia": conta({"ano": 1960, "mes": 1}, 102),
        "mes-competencia": conta({"mes": 13}, 34),
        "saldo-inativa": conta({"situacao_conta": 1, "saldo": 100}, 379),
        "nome-excluida": conta({"situacao_conta": 3, "saldo": 0, "vorda_empresa": 0,
                                "vorda_empregado": 0, "situacao_pis": 0, "ano": 0, "mes": 0},
                               283),
        "zeros-conta": conta({"zeros": "0" * 28 + "1"}, 13),
        "saldo-letra": saldo_letra,
        "vinculo-desconhecido": vinculo_desconhecido,
    }


def executar(a):
    tabela = falhas()
    if a.falha == "listar":
        print("\n".join(tabela))
        return 0
    if a.falha and a.falha not in tabela:
        print("falha desconhecida: %s (use --falha listar)" % a.falha, file=sys.stderr)
        return 2
    pedido = ler_solicitacao(a.solicitacao)
    resp = Resposta(a, pedido)
    regs = resp.registros()
    esperados = tabela[a.falha](regs) if a.falha else []
    # A record whose type a fault made unknown keeps the layout it had.
    linhas = fechar([(t if t in LAYOUT else "2", v) for t, v in regs])
    pathlib.Path(a.saida).write_bytes(("\r\n".join(linhas) + "\r\n").encode("cp1252"))
    for e in esperados:
        print(json.dumps(e))
    return 0
