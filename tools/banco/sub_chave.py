"""chave: answers a sent termination collection file with the bank's
identification-key occurrence file.

Reads the file the program sent (its sealed .HXF envelope or the plain
533-character lines) and writes the occurrence file: every line 500
characters, Windows-1252 with CR LF. The header ("00") carries the
responsible party of the sent header and the outcome of the file (--estado:
"0" no power of attorney, "1" accepted, "2" rejected); each company guide of
the sent file gives a "10" whose guide identifier is characters 28-44 of its
bar code (columns 217-260 of the sent "10"); each link a "40" with its worker.
Accepted workers get an identification key (22 or 23 characters, in turn),
a guide validity date and a domicile base; every --rejeitar-th worker is
rejected with a message. Message texts carry accents and quotes and some fill
both message parts.

Without a sent file it makes up --empresas companies of --trabalhadores
workers each (--semente). --cabecalhos K splits the companies among K headers
(one load each). --esperado ARQ writes the rows a load should store as JSON.

With --falha NOME it writes one fault and prints the inconsistencies the load
must register, one JSON object per line: {"mensagem": N, "linha": L,
"conteudo": "..."}. --falha listar prints the faults.
"""
import datetime as dt
import json
import pathlib
import random
import sys

PASTA = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(PASTA))
sys.path.insert(0, str(PASTA.parent / "gerar_folha"))
import gerar_folha  # noqa: E402  (names and check digits)
import sub_retorno  # noqa: E402  (reading the sent file)

NOME = "chave"
AJUDA = "responde a um arquivo rescisório enviado com o arquivo de ocorrência chave identificação (500 posições)"

TAMANHO = 500

# (name, start, width) as the program's reader takes them.
CABECALHO = [("tipo", 1, 2), ("tipo_insc", 3, 1), ("insc", 4, 14), ("nome", 18, 30),
             ("identificacao", 48, 20), ("aplicativo", 68, 1), ("estado", 150, 1),
             ("co_mensagem", 151, 4), ("msg1", 155, 250), ("msg2", 405, 91),
             ("sequencia", 496, 5)]
EMPRESA = [("tipo", 1, 2), ("tipo_resp", 3, 1), ("insc_resp", 4, 14), ("tipo_insc", 18, 1),
           ("insc", 19, 14), ("nome", 33, 40), ("estabelecimento", 73, 14), ("guia", 87, 17),
           ("co_mensagem", 151, 4), ("msg1", 155, 250), ("msg2", 405, 91),
           ("sequencia", 496, 5)]
TRABALHADOR = [("tipo", 1, 2), ("tipo_resp", 3, 1), ("insc_resp", 4, 14), ("tipo_insc", 18, 1),
               ("insc", 19, 14), ("pis", 33, 11), ("admissao", 44, 8), ("categoria", 52, 2),
               ("nome", 54, 40), ("codigo", 94, 11), ("movimentacao", 105, 2),
               ("data_movimentacao", 107, 8), ("saque", 115, 2), ("pensao", 118, 1),
               ("chave", 119, 23), ("validade", 142, 8), ("base", 151, 2),
               ("co_mensagem", 153, 4), ("msg1", 157, 250), ("msg2", 407, 89),
               ("sequencia", 496, 5)]

BASES = ["SP", "RJ", "MG", "PR", "RS", "BA", "PE", "DF"]
MSG_ACEITO = "Movimentação acatada; chave de identificação disponível para o saque do trabalhador."
MSG_REJEITADO = ("Movimentação rejeitada pela Vorda 'conferência de dados'. MOTIVO: o PIS "
                 "informado não corresponde à conta vinculada do trabalhador.")
# A text of the bank that fills the first part (250) and goes on in the second.
MSG_LONGA = ("Arquivo processado com ressalvas: \"verifique\" as ocorrências de cada empresa "
             "e de cada trabalhador; ação necessária antes do próximo envio. " * 4)[:330]
MSG_ARQUIVO = {"0": "Arquivo sem procuração: o responsável não tem procuração das empresas.",
               "1": "Arquivo acatado. " + MSG_LONGA,
               "2": "Arquivo rejeitado. MOTIVO: identificação do responsável não confere."}


def montar(tabela, valores):
    linha = [" "] * TAMANHO
    for n, i, t in tabela:
        v = valores.get(n)
        if v is None:
            continue
        linha[i - 1:i - 1 + t] = str(v)[:t].ljust(t)
    return "".join(linha)


def num(v, t):
    return str(int(v)).rjust(t, "0")[-t:]


def partes(texto, t1, t2):
    """The two message parts of a text and what the load stores of it."""
    return texto[:t1], texto[t1:t1 + t2], texto[:t1 + t2].strip()


def aaaammdd(ddmmaaaa):
    d = ddmmaaaa.strip()
    if len(d) != 8 or not d.isdigit() or d == "0" * 8:
        return "00000000"
    return d[4:] + d[2:4] + d[:2]


def iso(aaaammdd_):
    if aaaammdd_ == "0" * 8 or not aaaammdd_.strip():
        return None
    return "%s-%s-%s" % (aaaammdd_[:4], aaaammdd_[4:6], aaaammdd_[6:])


# ------------------------------------------------------------------ the model

def modelo_enviado(linhas):
    """Responsible party, companies and links of a sent file."""
    cab, empresas = sub_retorno.modelo_enviado(linhas)
    resp = {"tipo_insc": cab["tipo_insc"], "insc": cab["insc"], "nome": cab["nome"].rstrip(),
            "identificacao": cab["identificador"].strip()[:20]}
    saida = []
    for e in empresas:
        barras = e["barras"]
        saida.append({"tipo_insc": e["tipo_insc"], "insc": e["insc"], "nome": e["nome"].rstrip(),
                      "guia": barras[27:44],
                      "trabalhadores": [{
                          "pis": v["pis"], "admissao": aaaammdd(v["admissao"]),
                          "categoria": v["categoria"], "nome": v["nome"][:40].rstrip(),
                          "movimentacao": v["mov"], "data_movimentacao": aaaammdd(v["dt_mov"]),
                          "saque": v["saque"][:2]} for v in e["vinculos"]]})
    return resp, saida


def modelo_inventado(args, rng):
    resp = {"tipo_insc": "1", "insc": gerar_folha.cnpj(rng),
            "nome": "ESCRITORIO CONTABIL " + rng.choice(gerar_folha.SOBRENOMES),
            "identificacao": "20261210101530000123"}
    empresas = []
    for k in range(args.empresas):
        cei = args.cei and k % 2 == 1
        empresas.append({
            "tipo_insc": "2" if cei else "1",
            "insc": ("00" + gerar_folha.cei(rng)) if cei else gerar_folha.cnpj(rng),
            "nome": ("%s %s %s" % (rng.choice(gerar_folha.RAMOS),
                                   rng.choice(gerar_folha.SOBRENOMES),
                                   rng.choice(gerar_folha.SUFIXOS)))[:40],
            "guia": "%017d" % rng.randrange(10 ** 15, 10 ** 17),
            "trabalhadores": [{
                "pis": gerar_folha.pis(rng),
                "admissao": "%04d%02d%02d" % (rng.randrange(1990, 2020), rng.randrange(1, 13),
                                              rng.randrange(1, 29)),
                "categoria": rng.choice(["01", "01", "03", "04", "07"]),
                "nome": gerar_folha.nome_pessoa(rng)[:40].rstrip(),
                "movimentacao": rng.choice(["I1", "I2", "J ", "K "]),
                "data_movimentacao": "2026%02d%02d" % (rng.randrange(1, 12), rng.randrange(1, 29)),
                "saque": rng.choice(["01", "02", "03", "04"]),
            } for _ in range(args.trabalhadores)]})
    return resp, empresas


def escrever(resp, empresas, args, rng):
    """The lines and the loads they should store."""
    linhas, cargas = [], []
    grupos = max(1, min(args.cabecalhos, max(1, len(empresas))))
    por_grupo = [empresas[g::grupos] for g in range(grupos)]
    contador = [0]

    def seq():
        contador[0] += 1
        return num(contador[0], 5)

    trabalhador_n = 0
    for g, grupo in enumerate(por_grupo):
        estado = args.estado if grupos == 1 else str((int(args.estado) + g) % 3)
        msg = MSG_ARQUIVO[estado]
        m1, m2, msg = partes(msg, 250, 91)
        s = seq()
        linhas.append(montar(CABECALHO, dict(
            tipo="00", tipo_insc=resp["tipo_insc"], insc=num(resp["insc"], 14),
            nome=resp["nome"], identificacao=resp["identificacao"], aplicativo="1",
            estado=estado, co_mensagem="0000" if estado == "1" else "0%s07" % estado,
            msg1=m1, msg2=m2, sequencia=s)))
        carga = {"tipo": int(resp["tipo_insc"]), "inscricao": str(int(resp["insc"])),
                 "nome": resp["nome"][:30].rstrip(), "estado": estado,
                 "co_mensagem": "0000" if estado == "1" else "0%s07" % estado,
                 "de_mensagem": msg.strip(), "empresas": []}
        cargas.append(carga)
        for e in grupo:
            s = seq()
            estab = "%014d" % rng.randrange(10 ** 12, 10 ** 14)
            emsg = "Empresa processada; guia nº %s conferida." % e["guia"] if estado != "2" else \
                "Empresa rejeitada. MOTIVO: guia \"não localizada\" na base."
            em1, em2, emsg = partes(emsg, 250, 91)
            co_emp = "0000" if estado != "2" else "0210"
            linhas.append(montar(EMPRESA, dict(
                tipo="10", tipo_resp=resp["tipo_insc"], insc_resp=num(resp["insc"], 14),
                tipo_insc=e["tipo_insc"], insc=num(e["insc"], 14), nome=e["nome"],
                estabelecimento=estab, guia=e["guia"], co_mensagem=co_emp, msg1=em1,
                msg2=em2, sequencia=s)))
            emp = {"linha": int(s), "guia": str(int(e["guia"])), "tipo": int(e["tipo_insc"]),
                   "inscricao": str(int(e["insc"])), "nome": e["nome"][:40].rstrip(),
                   "estabelecimento": str(int(estab)), "co_mensagem": co_emp,
                   "de_mensagem": emsg.strip(), "trabalhadores": []}
            carga["empresas"].append(emp)
            for t in e["trabalhadores"]:
                trabalhador_n += 1
                s = seq()
                aceito = estado == "1" and (args.rejeitar <= 0 or trabalhador_n % args.rejeitar != 0)
                if aceito:
                    n = 22 if trabalhador_n % 2 else 23
                    chave = "".join(str(rng.randrange(10)) for _ in range(n))
                    validade = (dt.date(2026, 12, 10) + dt.timedelta(days=30)).strftime("%Y%m%d")
                    base = rng.choice(BASES)
                    co, tmsg = "0000", MSG_ACEITO
                elif estado == "0":
                    chave, validade, base = "", "00000000", ""
                    co, tmsg = "", ""
                else:
                    chave, validade, base = "", "00000000", ""
                    co, tmsg = "0115", MSG_REJEITADO
                tm1, tm2, tmsg = partes(tmsg, 250, 89)
                codigo = "%011d" % rng.randrange(10 ** 6, 10 ** 9)
                linhas.append(montar(TRABALHADOR, dict(
                    tipo="40", tipo_resp=resp["tipo_insc"], insc_resp=num(resp["insc"], 14),
                    tipo_insc=e["tipo_insc"], insc=num(e["insc"], 14), pis=t["pis"],
                    admissao=t["admissao"], categoria=t["categoria"], nome=t["nome"],
                    codigo=codigo, movimentacao=t["movimentacao"],
                    data_movimentacao=t["data_movimentacao"], saque=t["saque"],
                    pensao="N", chave=chave, validade=validade, base=base,
                    co_mensagem=co.rjust(4, "0") if co else "0000", msg1=tm1, msg2=tm2,
                    sequencia=s)))
                emp["trabalhadores"].append({
                    "linha": int(s), "pis": str(int(t["pis"])), "admissao": iso(t["admissao"]),
                    "categoria": int(t["categoria"]), "codigo": int(codigo),
                    "nome": t["nome"], "saque": t["saque"].ljust(2), "chave": chave.ljust(23),
                    "validade": iso(validade), "base": base.ljust(2),
                    "co_mensagem": co if co else "0000", "de_mensagem": tmsg.strip(),
                    "movimentacao": t["movimentacao"].ljust(2),
                    "data_movimentacao": iso(t["data_movimentacao"])})
    return linhas, cargas


# ------------------------------------------------------------------ faults

def trocar(linha, inicio, texto):
    return linha[:inicio - 1] + texto + linha[inicio - 1 + len(texto):]


def primeira(linhas, tipo, pular=0):
    for i, l in enumerate(linhas):
        if l.startswith(tipo):
            if pular == 0:
                return i
            pular -= 1
    raise SystemExit("o arquivo não tem registro %s para esta falha" % tipo)


def campo(linhas, i, inicio, tamanho):
    return linhas[i][inicio - 1:inicio - 1 + tamanho]


def falha_campo(tipo, inicio, texto, mensagem, rotulo="", pular=0, conteudo=None):
    def aplicar(linhas):
        i = primeira(linhas, tipo, pular)
        linhas[i] = trocar(linhas[i], inicio, texto)
        c = conteudo if conteudo is not None else rotulo + texto
        return [{"mensagem": mensagem, "linha": i + 1, "conteudo": c}]
    return aplicar


def f_tamanho(delta):
    def aplicar(linhas):
        i = primeira(linhas, "40")
        linhas[i] = linhas[i][:499] if delta < 0 else linhas[i] + "X"
        return [{"mensagem": 410, "linha": i + 1, "conteudo": ""}]
    return aplicar


def f_branca(linhas):
    linhas.insert(2, "")
    return [{"mensagem": 113, "linha": 3, "conteudo": ""}]


def f_tipo(linhas):
    i = primeira(linhas, "40")
    linhas[i] = "30" + linhas[i][2:]
    return [{"mensagem": 113, "linha": i + 1, "conteudo": "30"}]


def f_cnpj(linhas):
    i = primeira(linhas, "10")
    insc = campo(linhas, i, 19, 14)
    ruim = insc[:13] + str((int(insc[13]) + 1) % 10)
    linhas[i] = trocar(linhas[i], 18, "1" + ruim)
    return [{"mensagem": 21, "linha": i + 1, "conteudo": ruim}]


def f_cei(linhas):
    i = primeira(linhas, "10")
    ruim = "00" + gerar_folha.cei(random.Random(7))
    ruim = ruim[:13] + str((int(ruim[13]) + 1) % 10)
    linhas[i] = trocar(linhas[i], 18, "2" + ruim)
    return [{"mensagem": 18, "linha": i + 1, "conteudo": ruim}]


def f_pis(linhas):
    i = primeira(linhas, "40")
    pis = campo(linhas, i, 33, 11)
    ruim = pis[:10] + str((int(pis[10]) + 1) % 10)
    linhas[i] = trocar(linhas[i], 33, ruim)
    return [{"mensagem": 109, "linha": i + 1, "conteudo": ruim}]


def f_sequencia_repetida(linhas):
    i = primeira(linhas, "10")
    j = primeira(linhas, "10", 1)
    s = campo(linhas, i, 496, 5)
    linhas[j] = trocar(linhas[j], 496, s)
    return [{"mensagem": 144, "linha": j + 1, "conteudo": "Número Sequêncial: " + s}]


def f_sem_cabecalho(linhas):
    del linhas[0]
    return [{"mensagem": 385, "linha": 1, "conteudo": ""}]


def f_trabalhador_sem_empresa(linhas):
    i = primeira(linhas, "40")
    linhas.insert(1, linhas[i])
    return [{"mensagem": 385, "linha": 2, "conteudo": ""}]


def f_vazio(linhas):
    del linhas[:]
    return [{"mensagem": 385, "linha": 0, "conteudo": ""}]


def f_nome(tipo, inicio, tamanho, mensagem, nome):
    def aplicar(linhas):
        i = primeira(linhas, tipo)
        texto = nome.ljust(tamanho)[:tamanho]
        linhas[i] = trocar(linhas[i], inicio, texto)
        return [{"mensagem": mensagem, "linha": i + 1, "conteudo": texto.rstrip()}]
    return aplicar


FALHAS = {
    "linha-499": f_tamanho(-1),
    "linha-501": f_tamanho(+1),
    "linha-branca": f_branca,
    "tipo-registro": f_tipo,
    "tipo-inscricao-empresa": falha_campo("10", 18, "X", 11, "Tipo de Inscrição: "),
    "tipo-inscricao-cabecalho": falha_campo("00", 3, "X", 129, conteudo="X"),
    "tipo-inscricao-trabalhador": falha_campo("40", 18, "3", 129, conteudo="3"),
    "inscricao-empresa": falha_campo("10", 19, "1234567890123A", 11, "Inscrição: "),
    "inscricao-cabecalho": falha_campo("00", 4, "12345678O00199", 11, "Inscrição: "),
    "pis-digitos": falha_campo("40", 33, "1234567890X", 11, "PIS/PASEP: "),
    "categoria-digitos": falha_campo("40", 52, "0A", 11, "Categoria: "),
    "aplicativo-digitos": falha_campo("00", 68, "X", 11, "Código do Aplicativo: "),
    "mensagem-cabecalho-digitos": falha_campo("00", 151, "00A0", 11, "Código da Mensagem: "),
    "sequencia-cabecalho-digitos": falha_campo("00", 496, "0000X", 11, "Número Sequêncial: "),
    "estabelecimento-digitos": falha_campo("10", 73, "1234567890123X", 11,
                                           "Código do Estabelecimento: "),
    "guia-digitos": falha_campo("10", 87, "1234567890123456X", 11, "Identificador VESK: "),
    "mensagem-empresa-digitos": falha_campo("10", 151, "A000", 11, "Código da Mensagem: "),
    "sequencia-empresa-digitos": falha_campo("10", 496, "0000Y", 11, "Número Sequêncial: "),
    "mensagem-trabalhador-digitos": falha_campo("40", 153, "00-1", 11, "Código da Mensagem: "),
    "sequencia-trabalhador-digitos": falha_campo("40", 496, "00 03", 11, "Número Sequêncial: "),
    "cnpj": f_cnpj,
    "cei": f_cei,
    "pis": f_pis,
    "nome-cabecalho": f_nome("00", 18, 30, 177, "ESCRITÓRIO CONTÁBIL"),
    "nome-empresa": f_nome("10", 33, 40, 177, "COMERCIAL  DUPLO ESPACO"),
    "nome-trabalhador": f_nome("40", 54, 40, 93, "JOAO DA SILVA 2"),
    "admissao-1899": falha_campo("40", 44, "18991231", 43),
    "admissao-1900": falha_campo("40", 44, "19000101", 43),
    "admissao-invalida": falha_campo("40", 44, "20241399", 212, "Data de Admissão: "),
    "movimentacao-1899": falha_campo("40", 107, "18991231", 43, "Data de Movimentação: "),
    "sequencia-repetida": f_sequencia_repetida,
    "sem-cabecalho": f_sem_cabecalho,
    "trabalhador-sem-empresa": f_trabalhador_sem_empresa,
    "vazio": f_vazio,
}


# ------------------------------------------------------------------ command

def registrar(p):
    p.add_argument("enviado", nargs="?",
                   help="arquivo rescisório enviado (envelope .HXF ou as linhas de 533 posições); "
                        "sem ele, empresas e trabalhadores inventados")
    p.add_argument("saida", nargs="?", help="arquivo de ocorrência a escrever")
    p.add_argument("--estado", choices=["0", "1", "2"], default="1",
                   help="resultado do arquivo: 0 sem procuração, 1 acatado, 2 rejeitado")
    p.add_argument("--cabecalhos", type=int, default=1,
                   help="reparte as empresas entre K cabeçalhos (uma carga cada; resultados "
                        "alternados a partir de --estado)")
    p.add_argument("--rejeitar", type=int, default=3,
                   help="num arquivo acatado, rejeita cada N-ésimo trabalhador (0: nenhum)")
    p.add_argument("--empresas", type=int, default=2, help="sem arquivo enviado: empresas")
    p.add_argument("--trabalhadores", type=int, default=3,
                   help="sem arquivo enviado: trabalhadores por empresa")
    p.add_argument("--cei", action="store_true", help="sem arquivo enviado: empresas pares com CEI")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--esperado", help="grava em JSON as cargas que o arquivo deve gravar")
    p.add_argument("--falha", help="falha a escrever (listar: as falhas)")


def executar(args):
    if args.falha == "listar":
        for nome in FALHAS:
            print(nome)
        return 0
    rng = random.Random(args.semente)
    if args.enviado and args.saida:
        saida = args.saida
        resp, empresas = modelo_enviado(sub_retorno.ler_linhas(args.enviado))
    elif args.enviado:
        saida = args.enviado
        resp, empresas = modelo_inventado(args, rng)
    else:
        print("informe o arquivo de saída", file=sys.stderr)
        return 2
    linhas, cargas = escrever(resp, empresas, args, rng)
    esperadas = []
    if args.falha:
        if args.falha not in FALHAS:
            print("falha desconhecida: %s (--falha listar)" % args.falha, file=sys.stderr)
            return 2
        esperadas = FALHAS[args.falha](linhas)
    dados = "".join(l + "\r\n" for l in linhas).encode("cp1252")
    pathlib.Path(saida).write_bytes(dados)
    if args.esperado:
        pathlib.Path(args.esperado).write_text(
            json.dumps({"cargas": [] if args.falha else cargas}, ensure_ascii=False, indent=1),
            encoding="utf-8")
    for e in esperadas:
        print(json.dumps(e, ensure_ascii=False))
    return 0
