"""retorno: answers a sent termination collection file with the bank's
processed-guide return.

Reads the file the program sent (its sealed .HXF envelope or the plain
533-character lines) and writes the return: every line 500 characters; the
header as sent; each company guide ("10") with the collecting bank, branch,
settlement and processing dates (YYYYMMDD) and columns 285-494 blank; one
"40" per link (the sent file has one per consigned-loan contract) with its
consigned-loan and vacancy fields in the bank's 500-character form; the "42"
as sent; the complements re-packed 21 items a line; counts and totals of the
"80" and "90" recomputed.

With --folha it answers instead the links of a payroll file written by
tools/gerar_folha (for the file identifier given with --identificador): the
company and worker data come from that file, the twenty amounts of each link
are made up (--semente), and the bar codes are well formed.

With --falha N it writes one fault that makes the import register message N
(at --linha L when the fault has a place) and prints the inconsistencies the
import must register, one JSON object per line: {"mensagem": N, "linha": L,
"registro": "10"}. --falha listar prints the faults.
"""
import datetime as dt
import json
import pathlib
import random
import sys

NOME = "retorno"
AJUDA = "responde a um arquivo rescisório enviado com o retorno de guias processadas (500 posições)"

TAMANHO = 500
TAMANHO_ENVIADO = 533

# The bank's form of the records: (name, start, width); what is not listed is
# blank. The same positions as the program's reader takes.
CABECALHO = [("tipo", 1, 2), ("brancos", 3, 51), ("remessa", 54, 1), ("servico", 55, 2),
             ("zelt", 57, 4), ("tipo_insc", 61, 1), ("insc", 62, 14), ("nome", 76, 30),
             ("contato", 106, 20), ("logradouro", 126, 50), ("bairro", 176, 20),
             ("cep", 196, 8), ("cidade", 204, 20), ("uf", 224, 2), ("fone", 226, 12),
             ("email", 238, 60), ("versao", 298, 5), ("fixo0t", 303, 2), ("recolhimento", 305, 8),
             ("molt", 313, 6), ("geracao", 319, 14), ("zeros", 333, 8),
             ("identificador", 341, 30), ("icp", 371, 3), ("sequencia", 495, 6)]
EMPRESA = [("tipo", 1, 2), ("tipo_insc", 3, 1), ("insc", 4, 14), ("zeros", 18, 36),
           ("nome", 54, 40), ("logradouro", 94, 50), ("bairro", 144, 20), ("cep", 164, 8),
           ("cidade", 172, 20), ("uf", 192, 2), ("fone", 194, 12), ("simples", 206, 1),
           ("fpas", 207, 3), ("cnae", 210, 7), ("barras", 217, 44), ("banco", 261, 3),
           ("agencia", 264, 5), ("quitacao", 269, 8), ("processamento", 277, 8),
           ("brancos", 285, 210), ("sequencia", 495, 6)]
# Columns 1-353 of a "40" are the same in both forms.
VINCULO_COMUM = [("tipo", 1, 2), ("tipo_insc", 3, 1), ("insc", 4, 14), ("tipo_tmdr", 18, 1),
                 ("insc_tmdr", 19, 14), ("pis", 33, 11), ("admissao", 44, 8),
                 ("categoria", 52, 2), ("nome", 54, 70), ("alteracao", 124, 1),
                 ("ctps", 125, 7), ("serie", 132, 5), ("opcao", 137, 8), ("nascimento", 145, 8),
                 ("dt_mov", 153, 8), ("mov", 161, 2), ("dt_dissidio", 163, 8), ("aviso", 171, 1),
                 ("cbo", 172, 6), ("sexo", 178, 1), ("grau", 179, 2), ("horas", 181, 2),
                 ("saque", 183, 3), ("inicio_aviso", 186, 8), ("reposicao", 194, 1),
                 ("vr_dissidio", 195, 15), ("tipo_pensao", 210, 1), ("pc_pensao", 211, 5),
                 ("vr_pensao", 216, 15), ("cpf", 231, 11), ("banco", 242, 3),
                 ("agencia", 245, 4), ("conta", 249, 13), ("dv_anterior", 262, 8),
                 ("rem_anterior", 270, 15), ("dv_rescisao", 285, 8), ("rem_rescisao", 293, 15),
                 ("dv_aviso", 308, 8), ("aviso_ind", 316, 15), ("dv_multa", 331, 8),
                 ("base_multa", 339, 15)]
VINCULO_ENVIADO_FIM = [("consignado", 354, 1), ("vaga", 355, 1), ("instituicao", 356, 5),
                       ("contrato", 361, 40), ("dt_contrato", 401, 8), ("pne", 409, 1),
                       ("ddd_rct", 410, 2), ("tel_rct", 412, 9), ("email_vaga", 421, 60),
                       ("cbo_repos", 481, 6), ("ddd_cel", 487, 2), ("cel", 489, 9)]
VINCULO_RETORNO_FIM = [("consignado", 354, 1), ("vaga", 355, 1), ("instituicao", 356, 5),
                       ("contrato", 361, 15), ("pne", 376, 1), ("ddd_rct", 377, 2),
                       ("tel_rct", 379, 9), ("email_vaga", 388, 60), ("cbo_repos", 448, 6),
                       ("ddd_cel", 454, 2), ("cel", 456, 9), ("brancos", 465, 30),
                       ("sequencia", 495, 6)]
CHAVE = VINCULO_COMUM[:8]  # columns 1-53 of "42" to "46"
VALORES = [("v%02d" % k, 54 + 13 * (k - 1), 13) for k in range(1, 21)]
ITENS_RETORNO = 21
ITENS_ENVIADO = 22

# Payroll file (VESK.re, 360 columns) positions, for --folha.
FOLHA_00 = [("tipo_insc", 55, 1), ("insc", 56, 14), ("nome", 70, 30), ("contato", 100, 20),
            ("logradouro", 120, 50), ("bairro", 170, 20), ("cep", 190, 8), ("cidade", 198, 20),
            ("uf", 218, 2), ("fone", 220, 12), ("email", 232, 60), ("recolhimento", 292, 8)]
FOLHA_10 = [("tipo_insc", 3, 1), ("insc", 4, 14), ("nome", 54, 40), ("logradouro", 94, 50),
            ("bairro", 144, 20), ("cep", 164, 8), ("cidade", 172, 20), ("uf", 192, 2),
            ("fone", 194, 12), ("cnae", 206, 7), ("simples", 213, 1), ("fpas", 214, 3)]
FOLHA_40 = [("tipo_insc", 3, 1), ("insc", 4, 14), ("tipo_tmdr", 18, 1), ("insc_tmdr", 19, 14),
            ("pis", 33, 11), ("admissao", 44, 8), ("categoria", 52, 2), ("nome", 54, 70),
            ("ctps", 124, 7), ("serie", 131, 5), ("sexo", 136, 1), ("grau", 137, 2),
            ("nascimento", 139, 8), ("horas", 147, 2), ("cbo", 149, 6), ("opcao", 155, 8),
            ("mov", 163, 2), ("dt_mov", 165, 8), ("saque", 173, 3), ("aviso", 176, 1),
            ("inicio_aviso", 177, 8), ("reposicao", 185, 1), ("dt_dissidio", 186, 8),
            ("vr_dissidio", 194, 15), ("rem_anterior", 209, 15), ("rem_rescisao", 224, 15),
            ("aviso_ind", 239, 15), ("tipo_pensao", 254, 1), ("pc_pensao", 255, 5),
            ("vr_pensao", 260, 15), ("cpf", 275, 11), ("banco", 286, 3), ("agencia", 289, 4),
            ("conta", 293, 13), ("base_multa", 306, 15)]


def ler(linha, tabela):
    return {n: linha[i - 1:i - 1 + t] for n, i, t in tabela}


def montar(tabela, valores, tamanho=TAMANHO):
    linha = [" "] * tamanho
    for n, i, t in tabela:
        v = valores.get(n)
        if v is None:
            continue
        v = str(v)[:t].ljust(t)
        linha[i - 1:i - 1 + t] = v
    return "".join(linha)


def num(v, t):
    return str(int(v)).rjust(t, "0")[-t:]


def modulo11(digitos):
    soma, peso = 0, 2
    for d in reversed(digitos):
        soma += int(d) * peso
        peso = 2 if peso == 9 else peso + 1
    r = soma % 11
    return 0 if r < 2 else 11 - r


def codigo_barras(total, pagamento, inscricao, serie):
    """44 digits as the program writes them: 858, check digit, total in
    centavos (11), 0239, payment date YYYYMMDD, a 17-digit guide identifier."""
    ident = (num(serie, 9) + num(inscricao, 14)[1:8] + "2")[-17:]
    resto = num(total, 11) + "0239" + pagamento + ident
    return "858" + str(modulo11("858" + resto)) + resto


# ------------------------------------------------------------------ reading

def ler_linhas(caminho):
    p = pathlib.Path(caminho)
    dados = p.read_bytes()
    if dados[:2] not in (b"00",):
        # A sealed envelope: the plain file is its GuiaVESK.HX.
        sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
        import envelope
        env = envelope.ler(str(p))
        dados = env.conteudo("GuiaVESK.HX")
    texto = dados.decode("cp1252")
    return [l for l in texto.split("\r\n") if l.strip()]


def modelo_enviado(linhas):
    """Companies and links of a sent 533-character file."""
    cab = ler(linhas[0], CABECALHO)
    empresas = []
    vistos = set()
    for l in linhas[1:]:
        t = l[:2]
        if t == "10":
            e = ler(l, EMPRESA)
            e["vinculos"] = []
            empresas.append(e)
        elif t == "40":
            chave = l[2:53]
            if chave in vistos:
                continue  # one "40" per consigned-loan contract: the bank answers once
            vistos.add(chave)
            v = ler(l, VINCULO_COMUM)
            v.update(ler(l, VINCULO_ENVIADO_FIM))
            v["valores"] = [0] * 20
            v["complementos"] = {44: [], 45: [], 46: []}
            empresas[-1]["vinculos"].append(v)
        elif t == "42":
            v = empresas[-1]["vinculos"][-1]
            v["valores"] = [int(x) for x in (l[i - 1:i - 1 + n] for _, i, n in VALORES)]
        elif t in ("44", "45", "46"):
            v = empresas[-1]["vinculos"][-1]
            for k in range(ITENS_ENVIADO):
                item = l[53 + 21 * k:53 + 21 * (k + 1)]
                if len(item) == 21 and item != "0" * 21:
                    v["complementos"][int(t)].append(item)
    return cab, empresas


def conferir_enviado(linhas):
    """What the bank checks before it processes a sent file, as a list of
    "linha N: problema" texts (empty when the file holds together): every
    line 533 characters with its sequence number in 528-533; each company's
    "80" and the file's "90" with the counts and totals of the lines above
    them (remuneration and fine base on every "40", one per consigned-loan
    contract, as the program's own reader of this layout sums them); each
    bar code with its check digit and, in centavos, the sum of its links'
    twenty amounts."""
    erros = []

    def n(l, i, t):
        texto = l[i - 1:i - 1 + t]
        return int(texto) if texto.isdigit() else None

    arq = dict(q40=0, q42=0, q44=0, q45=0, q46=0, dep=0, jam=0, multa=0, contr=0, mc=0, rem=0)
    emp, barras = None, None
    for k, l in enumerate(linhas, 1):
        if len(l) != TAMANHO_ENVIADO:
            erros.append("linha %d: %d posições" % (k, len(l)))
            continue
        if n(l, 528, 6) != k:
            erros.append("linha %d: sequencial %s" % (k, l[527:533]))
        t = l[:2]
        if t == "10":
            emp = dict(q40=0, q42=0, q44=0, q45=0, q46=0, dep=0, jam=0, multa=0, contr=0, mc=0,
                       rem=0, base=0, linha=k, total=0)
            barras = l[216:260]
            if not barras.isdigit() or int(barras[3]) != modulo11(barras[:3] + barras[4:]):
                erros.append("linha %d: dígito do código de barras" % k)
        elif emp is None and t not in ("00", "90"):
            erros.append("linha %d: registro %s fora de uma empresa" % (k, t))
        elif t == "40":
            emp["q40"] += 1
            v = ler(l, VINCULO_COMUM)
            emp["rem"] += sum(int(v[c]) for c in ("rem_anterior", "rem_rescisao", "aviso_ind"))
            emp["base"] += int(v["base_multa"])
        elif t == "42":
            emp["q42"] += 1
            valores = [n(l, i, c) or 0 for _, i, c in VALORES]
            emp["total"] += sum(valores)
            for b in range(4):
                for nome, x in zip(("dep", "jam", "multa", "contr", "mc"), valores[5 * b:5 * b + 5]):
                    emp[nome] += x
        elif t in ("44", "45", "46"):
            emp["q" + t] += 1
        elif t == "80":
            lidos = [n(l, 54 + 15 * i, 15) for i in range(7)] + \
                    [n(l, 159 + 6 * i, 6) for i in range(5)]
            nomes = ("dep", "jam", "multa", "contr", "mc", "rem", "base",
                     "q40", "q42", "q44", "q45", "q46")
            for nome, lido in zip(nomes, lidos):
                if lido != emp[nome]:
                    erros.append("linha %d: %s do 80 = %s, linhas = %d" % (k, nome, lido, emp[nome]))
            if barras and barras.isdigit() and int(barras[4:15]) != emp["total"]:
                erros.append("linha %d: código de barras com %s centavos, vínculos somam %d"
                              % (emp["linha"], barras[4:15], emp["total"]))
            for c in arq:
                arq[c] += emp[c]
            emp = None
        elif t == "90":
            lidos = [n(l, 54, 17), n(l, 71, 16)] + [n(l, 87 + 15 * i, 15) for i in range(4)] + \
                    [n(l, 147 + 6 * i, 6) for i in range(5)]
            nomes = ("rem", "dep", "jam", "multa", "contr", "mc", "q40", "q42", "q44", "q45", "q46")
            for nome, lido in zip(nomes, lidos):
                if lido != arq[nome]:
                    erros.append("linha %d: %s do 90 = %s, linhas = %d" % (k, nome, lido, arq[nome]))
    if not linhas or linhas[-1][:2] != "90":
        erros.append("arquivo sem o registro 90")
    return erros


def modelo_folha(caminho, identificador, rng):
    """Companies and links of a payroll file, with made-up amounts."""
    linhas = [l for l in pathlib.Path(caminho).read_bytes().decode("cp1252").split("\r\n")
              if l.strip()]
    h = ler(linhas[0], FOLHA_00)
    cab = dict(h, tipo="00", remessa="1", servico="02", zelt="ZELT", versao="00242",
               fixo0t="0T", molt="MOLT01", geracao=dt.datetime.now().strftime("%d%m%Y%H%M%S"),
               zeros="00000000", identificador=identificador.ljust(30)[:30], icp="ICP")
    empresas = []
    for l in linhas[1:]:
        t = l[:2]
        if t == "10":
            e = ler(l, FOLHA_10)
            e["vinculos"] = []
            empresas.append(e)
        elif t == "40":
            f = ler(l, FOLHA_40)
            v = dict(f)
            pc = int(f["pc_pensao"]) if f["pc_pensao"].isdigit() else 0
            v["pc_pensao"] = num(pc * 100, 5)  # the payroll has whole percent
            mov = dt.datetime.strptime(f["dt_mov"], "%d%m%Y").date()
            devida = (mov.replace(day=1) + dt.timedelta(days=40)).replace(day=7)
            v.update(alteracao="N", dv_anterior=devida.strftime("%d%m%Y"),
                     dv_rescisao=devida.strftime("%d%m%Y"), dv_aviso=devida.strftime("%d%m%Y"),
                     dv_multa=devida.strftime("%d%m%Y"), consignado="N", vaga="N",
                     pne="N")
            v["valores"] = [rng.randrange(0, 500000) for _ in range(20)]
            v["complementos"] = {44: [], 45: [], 46: []}
            empresas[-1]["vinculos"].append(v)
        elif t in ("43", "44", "45"):
            v = empresas[-1]["vinculos"][-1]
            for k in range(14):
                item = l[53 + 21 * k:53 + 21 * (k + 1)]
                if len(item) == 21 and item != "0" * 21:
                    v["complementos"][int(t) + 1].append(item)
    return cab, empresas


# ------------------------------------------------------------------ writing

def escrever_retorno(cab, empresas, args, rng):
    linhas, tipos = [], []

    def add(tipo, texto):
        linhas.append(texto)
        tipos.append(tipo)

    c = dict(cab)
    c.update(tipo="00", brancos="", remessa="1", servico="02", zelt="ZELT")
    add("00", montar(CABECALHO, c))
    quitacao = args.quitacao or dt.date.today().strftime("%Y%m%d")
    processamento = args.processamento or dt.date.today().strftime("%Y%m%d")
    pagamento = dt.datetime.strptime(cab["recolhimento"], "%d%m%Y").strftime("%Y%m%d") \
        if cab.get("recolhimento", "").strip().isdigit() else "20240101"
    arq = dict(q40=0, q42=0, q44=0, q45=0, q46=0, dep=0, jam=0, multa=0, contr=0, mc=0, rem=0)
    if args.dividir:
        # Each company with two links or more gets two guides (two "10" with
        # their own bar codes, one after the other).
        divididas = []
        for e in empresas:
            meio = (len(e["vinculos"]) + 1) // 2
            if len(e["vinculos"]) < 2:
                divididas.append(e)
                continue
            divididas.append(dict(e, vinculos=e["vinculos"][:meio], barras=""))
            divididas.append(dict(e, vinculos=e["vinculos"][meio:], barras=""))
        empresas = divididas
    for serie, e in enumerate(empresas, 1):
        total = sum(sum(v["valores"]) for v in e["vinculos"])
        barras = e.get("barras", "")
        if not (len(barras) == 44 and barras.isdigit() and barras != "9" * 44):
            barras = codigo_barras(total, pagamento, e["insc"], serie)
        d = dict(e, tipo="10", zeros="0" * 36, barras=barras, banco=num(args.banco, 3),
                 agencia=num(args.agencia, 5), quitacao=quitacao, processamento=processamento,
                 brancos="")
        add("10", montar(EMPRESA, d))
        emp = dict(q40=0, q42=0, q44=0, q45=0, q46=0, dep=0, jam=0, multa=0, contr=0, mc=0,
                   rem=0, base=0)
        for v in e["vinculos"]:
            add("40", montar(VINCULO_COMUM + VINCULO_RETORNO_FIM, dict(v, tipo="40")))
            emp["q40"] += 1
            emp["rem"] += sum(int(v[k]) for k in ("rem_anterior", "rem_rescisao", "aviso_ind"))
            emp["base"] += int(v["base_multa"])
            chave = {n: v[n] for n, _, _ in CHAVE if n != "tipo"}
            valores = {"v%02d" % (k + 1): num(x, 13) for k, x in enumerate(v["valores"])}
            add("42", montar(CHAVE + VALORES, dict(chave, tipo="42", **valores)))
            emp["q42"] += 1
            for b in range(4):
                bloco = v["valores"][5 * b:5 * b + 5]
                for nome, x in zip(("dep", "jam", "multa", "contr", "mc"), bloco):
                    emp[nome] += x
            for t in (44, 45, 46):
                itens = v["complementos"][t]
                for i in range(0, len(itens), ITENS_RETORNO):
                    parte = itens[i:i + ITENS_RETORNO]
                    texto = "".join(parte).ljust(21 * ITENS_RETORNO, "0")
                    add(str(t), montar(CHAVE + [("itens", 54, 441)],
                                       dict(chave, tipo=str(t), itens=texto)))
                    emp["q%d" % t] += 1
        add("80", "80" + e["tipo_insc"] + e["insc"] + "9" * 36 +
            "".join(num(emp[k], 15) for k in ("dep", "jam", "multa", "contr", "mc", "rem", "base"))
            + "".join(num(emp[k], 6) for k in ("q40", "q42", "q44", "q45", "q46")) + "0" * 12)
        for k in arq:
            arq[k] += emp[k]
    add("90", "90" + "9" * 51 + num(arq["rem"], 17) + num(arq["dep"], 16) +
        "".join(num(arq[k], 15) for k in ("jam", "multa", "contr", "mc")) +
        "".join(num(arq[k], 6) for k in ("q40", "q42", "q44", "q45", "q46")) + "0" * 12)
    linhas = [l.ljust(TAMANHO)[:TAMANHO] for l in linhas]
    return numerar(linhas), tipos


def numerar(linhas):
    return [l[:494].ljust(494) + num(i + 1, 6) + l[500:] for i, l in enumerate(linhas)]


# ------------------------------------------------------------------ faults

def trocar(linhas, n, pos, texto):
    l = linhas[n - 1]
    linhas[n - 1] = l[:pos - 1] + texto + l[pos - 1 + len(texto):]


def primeira(tipos, tipo, depois=0):
    for i, t in enumerate(tipos):
        if t == tipo and i + 1 > depois:
            return i + 1
    raise SystemExit("o arquivo não tem registro %s para a falha" % tipo)


# Each fault: (message, record type of the line it touches or None, function
# (linhas, tipos, linha) -> list of expected {"mensagem","linha","registro"}).
def _f(m, reg, pos, texto, registro=None):
    def f(linhas, tipos, n):
        n = n or primeira(tipos, reg)
        trocar(linhas, n, pos, texto)
        return [{"mensagem": m, "linha": n, "registro": registro if registro is not None else reg}]
    return (m, reg, f)


def _total(m, reg, pos, tam):
    def f(linhas, tipos, n):
        n = n or primeira(tipos, reg)
        atual = int(linhas[n - 1][pos - 1:pos - 1 + tam])
        trocar(linhas, n, pos, num(atual + 1, tam))
        return [{"mensagem": m, "linha": n, "registro": reg}]
    return (m, reg, f)


def _tamanho(linhas, tipos, n):
    n = n or primeira(tipos, "40")
    linhas[n - 1] = linhas[n - 1][:499]
    return [{"mensagem": 410, "linha": n, "registro": "00"}]


def _tipo(linhas, tipos, n):
    n = n or primeira(tipos, "42")
    trocar(linhas, n, 1, "77")
    return [{"mensagem": 113, "linha": n, "registro": ""}]


def _sequencia(linhas, tipos, n):
    # A second "90" before the end is out of sequence.
    n = n or primeira(tipos, "80")
    trocar(linhas, n, 1, "90")
    return [{"mensagem": 135, "linha": n, "registro": ""}]


def _estrutura(linhas, tipos, n):
    del linhas[-1]
    return [{"mensagem": 385, "linha": 0, "registro": ""}]


def _ordem_empresas(linhas, tipos, n):
    # The first two company blocks ("10" to "80") change places.
    a = primeira(tipos, "10")
    b = primeira(tipos, "10", a)
    c = primeira(tipos, "80", b)
    bloco1, bloco2 = linhas[a - 1:b - 1], linhas[b - 1:c]
    t1, t2 = tipos[a - 1:b - 1], tipos[b - 1:c]
    linhas[a - 1:c] = numerar_de(bloco2 + bloco1, a)
    tipos[a - 1:c] = t2 + t1
    return [{"mensagem": 232, "linha": a + len(bloco2), "registro": "10"}]


def numerar_de(linhas, inicio):
    return [l[:494] + num(inicio + i, 6) + l[500:] for i, l in enumerate(linhas)]


def _barras(linhas, tipos, n):
    a = primeira(tipos, "10")
    n = n or primeira(tipos, "10", a)
    anterior = max(i + 1 for i in range(n - 1) if tipos[i] == "10")
    trocar(linhas, n, 217, linhas[anterior - 1][216:260])
    return [{"mensagem": 386, "linha": n, "registro": "10"}]


def _vinculo_alheio(linhas, tipos, n):
    # The "42" of a link with another category than its "40".
    n = n or primeira(tipos, "42")
    cat = linhas[n - 1][51:53]
    trocar(linhas, n, 52, "02" if cat != "02" else "01")
    return [{"mensagem": 349, "linha": n, "registro": "42"}]


def _pis_repetido(linhas, tipos, n):
    # The second link of the first company repeats the first link's whole key
    # (so no ordering rule fires first); its own lines follow it.
    a = primeira(tipos, "40")
    n = n or primeira(tipos, "40", a)
    chave = linhas[a - 1][32:53]
    m = n
    while m <= len(linhas) and tipos[m - 1] in ("40", "42", "44", "45", "46"):
        if m > n and tipos[m - 1] == "40":
            break
        trocar(linhas, m, 33, chave)
        m += 1
    return [{"mensagem": 359, "linha": n, "registro": "40"}]


def _pensao(m, pos, texto):
    def f(linhas, tipos, n):
        # A link without alimony (type N) gets the other amount.
        if not n:
            n = next(i + 1 for i, t in enumerate(tipos)
                     if t == "40" and linhas[i][209] == "N")
        trocar(linhas, n, pos, texto)
        return [{"mensagem": m, "linha": n, "registro": "40"}]
    return (m, "40", f)


def _valor_letra(linhas, tipos, n):
    # A letter in the first deposit of a "42": 11 there, and the deposit sums
    # of its company and of the file miss that amount.
    n = n or primeira(tipos, "42")
    trocar(linhas, n, 54, "00000000001A1")
    t80 = primeira(tipos, "80", n)
    return [{"mensagem": 11, "linha": n, "registro": "42"},
            {"mensagem": 315, "linha": t80, "registro": "80"},
            {"mensagem": 315, "linha": len(linhas), "registro": "90"}]


FALHAS = {
    "brancos": _f(9, "00", 3, "X"),
    "digitos": _f(11, "10", 261, "1A4"),
    "valor-letra": (11, "42", _valor_letra),
    "zeros": _f(13, "10", 18, "1"),
    "admissao1900": _f(43, "40", 44, "01011899"),
    "recolhimento-vazio": _f(62, "00", 305, "00000000"),
    "recolhimento-invalido": _f(63, "00", 305, "32132099"),
    "tipo": (113, "42", _tipo),
    "remessa": _f(131, "00", 54, "2"),
    "sequencia": (135, "80", _sequencia),
    "quitacao-zero": _f(212, "10", 269, "00000000"),
    "ordem": (232, "10", _ordem_empresas),
    "servico": _f(246, "00", 55, "03"),
    "zelt": _f(247, "00", 57, "XELT"),
    "total-deposito": _total(315, "80", 54, 15),
    "total-jam": _total(316, "80", 69, 15),
    "total-multa": _total(317, "80", 84, 15),
    "total-contribuicao": _total(318, "80", 99, 15),
    "total-multa-contribuicao": _total(319, "80", 114, 15),
    "total-remuneracao": _total(320, "80", 129, 15),
    "total-base": _total(321, "80", 144, 15),
    "qtd-40": _total(322, "80", 159, 6),
    "qtd-42": _total(323, "80", 165, 6),
    "qtd-44": _total(324, "80", 171, 6),
    "qtd-45": _total(325, "80", 177, 6),
    "qtd-46": _total(326, "80", 183, 6),
    "qtd-50": _total(327, "80", 189, 6),
    "qtd-51": _total(328, "80", 195, 6),
    "pensao-valor": _pensao(334, 216, "000000000000100"),
    "pensao-percentual": _pensao(335, 211, "00100"),
    "vinculo-alheio": (349, "42", _vinculo_alheio),
    "pis-repetido": (359, "40", _pis_repetido),
    "estrutura": (385, None, _estrutura),
    "barras-repetido": (386, "10", _barras),
    "tamanho": (410, "40", _tamanho),
    "identificador": _f(451, "00", 341, " " * 30),
}


def registrar(p):
    p.add_argument("enviado", nargs="?",
                   help="arquivo rescisório enviado (envelope .HXF ou as linhas de 533 posições)")
    p.add_argument("saida", nargs="?", help="arquivo de retorno a escrever")
    p.add_argument("--folha", help="responde aos vínculos deste arquivo VESK.re (gerar_folha)")
    p.add_argument("--identificador", help="identificador do arquivo enviado (com --folha)")
    p.add_argument("--banco", type=int, default=104)
    p.add_argument("--agencia", type=int, default=1234)
    p.add_argument("--quitacao", help="data de quitação AAAAMMDD (padrão: hoje)")
    p.add_argument("--processamento", help="data de processamento AAAAMMDD (padrão: hoje)")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--dividir", action="store_true",
                   help="duas guias (dois registros 10) por empresa com dois vínculos ou mais")
    p.add_argument("--falha", help="falha a escrever (listar: as falhas)")
    p.add_argument("--linha", type=int, default=0, help="linha da falha (padrão: a primeira que serve)")


def executar(args):
    if args.falha == "listar":
        for nome, (m, reg, _) in FALHAS.items():
            print("%-26s %3d  %s" % (nome, m, reg or ""))
        return 0
    rng = random.Random(args.semente)
    if args.folha:
        if not args.identificador:
            print("--folha pede --identificador", file=sys.stderr)
            return 2
        saida = args.saida or args.enviado
        cab, empresas = modelo_folha(args.folha, args.identificador, rng)
    else:
        if not (args.enviado and args.saida):
            print("informe o arquivo enviado e o de saída", file=sys.stderr)
            return 2
        saida = args.saida
        enviadas = ler_linhas(args.enviado)
        # The bank refuses a file whose totals do not hold together.
        erros = conferir_enviado(enviadas)
        if erros:
            print("arquivo enviado inconsistente:\n  " + "\n  ".join(erros), file=sys.stderr)
            return 1
        cab, empresas = modelo_enviado(enviadas)
    linhas, tipos = escrever_retorno(cab, empresas, args, rng)
    if args.falha:
        if args.falha not in FALHAS:
            print("falha desconhecida: %s (--falha listar)" % args.falha, file=sys.stderr)
            return 2
        esperadas = FALHAS[args.falha][2](linhas, tipos, args.linha)
        for e in esperadas:
            print(json.dumps(e))
    pathlib.Path(saida).write_bytes(("\r\n".join(linhas) + "\r\n").encode("cp1252"))
    return 0
