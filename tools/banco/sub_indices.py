"""indices: writes the index archive the bank publishes (IndicesVESK.zip).

Eight entries: the data files DIAUTIL, GUIARESCISORIA, SIMPLIFICADO and
PRORATA, one INSERT per line in Windows-1252 with CR LF, and their companions
NAME.001, whose first line is the check number of the data file's entry time
(13 digits). The rows come from db/indices_teste.py, the rules the database
build uses, for one edition (by default the one the database ships; --edicao
moves the archive to another month's window of payment dates).

--defeito writes one fault at a time for the tests of the import.

The archive is read back with zipfile after it is written, so a mistake of
this generator shows up here rather than as a puzzling refusal in a test.
"""
import argparse
import datetime as dt
import sys
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "db"))
import indices_teste as indices  # noqa: E402

NOME = "indices"
AJUDA = "escreve o arquivo de índices (IndicesVESK.zip) de uma edição, válido ou com defeitos"

ARQUIVOS = [("DIAUTIL", indices.DIA_UTIL), ("GUIARESCISORIA", indices.GUIA),
            ("SIMPLIFICADO", indices.SIMPLIFICADO), ("PRORATA", indices.PRORATA)]

DEFEITOS = {
    "nona-entrada": "uma nona entrada (LEIAME.TXT)",
    "nome-estranho": "PRORATA.001 chamado PRORATA.002",
    "nome-duplicado": "DIAUTIL duas vezes, sem SIMPLIFICADO.001",
    "com-pasta": "nomes dentro de uma pasta (tabelas/DIAUTIL ...)",
    "subir-pasta": "nomes com \"../\" e \"..\\\" que sairiam da pasta de trabalho",
    "dados-mais-novo": "PRORATA com hora posterior à do seu companheiro",
    "companheiro-nao-numero": "a primeira linha de GUIARESCISORIA.001 não é número",
    "prorata-falha": "um INSERT de PRORATA que o banco recusa (data inexistente)",
    "linha-estranha": "uma linha de SIMPLIFICADO que não é INSERT na sua tabela",
    "tabela-trocada": "um INSERT de DIAUTIL na tabela de outro arquivo",
    "nome-arquivo": "o arquivo gravado como IndicesVESK.ZIP (caixa errada)",
    "linha-branca": "uma linha em branco no fim de cada arquivo de dados (válido)",
}


def numero_conferencia(momento):
    """Check number of a data file's time (the companion's first line)."""
    d = [int(c) for c in momento.strftime("%d%m%y")]
    t = [int(c) for c in momento.strftime("%H%M")]
    return (d[0] * d[2] * d[3] + d[1] ** 2 * d[4] ** 3 * d[5] ** 5
            + t[1] ** 3 * t[2] ** 2 * t[2] ** 5 + t[3])


def companheiro(momento):
    return ("%013d" % numero_conferencia(momento)).encode("ascii") + b"\r\n"


def texto_dados(linhas, linha_branca):
    corpo = "".join(l + "\r\n" for l in linhas)
    if linha_branca:
        corpo += "\r\n"
    return corpo.encode("cp1252")


def mes(texto):
    try:
        return dt.datetime.strptime(texto, "%Y-%m").date()
    except ValueError:
        raise argparse.ArgumentTypeError("esperado AAAA-MM, recebido %r" % texto)


def registrar(p):
    p.add_argument("saida", help="arquivo a gravar, ou pasta (grava IndicesVESK.zip nela)")
    p.add_argument("--edicao", type=mes, default=None,
                   help="mês da edição AAAA-MM (padrão: a edição que o banco entregue traz, %s)"
                   % indices.EDICAO_ENTREGUE.strftime("%Y-%m"))
    p.add_argument("--nome-curto", action="store_true", help="grava IND_VESK.ZIP em vez de IndicesVESK.zip")
    p.add_argument("--defeito", choices=sorted(DEFEITOS), action="append", default=[],
                   help="; ".join("%s: %s" % kv for kv in sorted(DEFEITOS.items())))


def escrever(saida, edicao=None, defeitos=(), nome_curto=False):
    """Writes the archive; returns its path."""
    edicao = indices.primeiro_dia(edicao or indices.EDICAO_ENTREGUE)
    saida = Path(saida)
    if saida.is_dir():
        nome = "IND_VESK.ZIP" if nome_curto else "IndicesVESK.zip"
        if "nome-arquivo" in defeitos:
            nome = "IndicesVESK.ZIP"
        saida = saida / nome
    tabelas = indices.edicao(edicao, indices.dias_uteis())
    # The bank stamps its files the day before the window opens.
    momento = dt.datetime.combine(indices.inicio_janela(edicao) - dt.timedelta(days=1),
                                  dt.time(14, 37))
    linha_branca = "linha-branca" in defeitos

    entradas = []  # (name, time, bytes)
    for nome, tabela in ARQUIVOS:
        linhas = [indices.insert(l) for l in tabelas[tabela]]
        hora_dados = momento
        if nome == "PRORATA" and "prorata-falha" in defeitos:
            linhas.insert(len(linhas) // 2,
                          "INSERT INTO %s (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA) "
                          "VALUES ('%s', '2024-02-30')" % (tabela, edicao.isoformat()))
        if nome == "SIMPLIFICADO" and "linha-estranha" in defeitos:
            linhas.insert(3, "DELETE FROM QZLTBG02_EMPRESA")
        if nome == "DIAUTIL" and "tabela-trocada" in defeitos:
            linhas.append("INSERT INTO QZLTBT13_MENSAGEM_SISTEMA (NU_MENSAGEM, DE_MENSAGEM) "
                          "VALUES (9999, 'x')")
        if nome == "PRORATA" and "dados-mais-novo" in defeitos:
            hora_dados = momento + dt.timedelta(days=1, minutes=3)
        entradas.append((nome, hora_dados, texto_dados(linhas, linha_branca)))
        conteudo = companheiro(momento)
        if nome == "GUIARESCISORIA" and "companheiro-nao-numero" in defeitos:
            conteudo = b"ABC\r\n"
        entradas.append((nome + ".001", momento, conteudo))

    if "nome-estranho" in defeitos:
        entradas = [(n.replace("PRORATA.001", "PRORATA.002"), h, c) for n, h, c in entradas]
    if "nome-duplicado" in defeitos:
        entradas = [e for e in entradas if e[0] != "SIMPLIFICADO.001"]
        entradas.append(entradas[0])
    if "com-pasta" in defeitos:
        entradas = [("tabelas/" + n, h, c) for n, h, c in entradas]
    if "subir-pasta" in defeitos:
        entradas = [(("../../" if i % 2 else "..\\..\\") + n, h, c)
                    for i, (n, h, c) in enumerate(entradas)]
    if "nona-entrada" in defeitos:
        entradas.append(("LEIAME.TXT", momento, b"Tabelas de teste\r\n"))

    with zipfile.ZipFile(saida, "w", zipfile.ZIP_DEFLATED) as z:
        for nome, hora, conteudo in entradas:
            info = zipfile.ZipInfo(nome, date_time=hora.timetuple()[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, conteudo)
    conferir(saida, len(entradas))
    return saida


def conferir(caminho, quantidade):
    with zipfile.ZipFile(caminho) as z:
        if z.testzip() is not None or len(z.infolist()) != quantidade:
            raise SystemExit("indices: o arquivo gravado não confere: %s" % caminho)


def executar(args):
    caminho = escrever(args.saida, args.edicao, args.defeito, args.nome_curto)
    print(caminho)
    return 0
