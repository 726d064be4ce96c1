"""rejeicao: the bank's rejected-resend notice for a resend request the
program wrote (its sealed envelope or the plain 90-character request file).
Lines of exactly 500 characters, Windows-1252, CR LF:

    0  2-9 date DDMMYYYY, 10-15 "02ZELT", 16 responsible's inscription type,
       17-30 its inscription, 31-54 its name, 55-84 the request's identifier
    1  one per requested guide: 2 inscription type, 3-16 inscription,
       17-24 payment date, 25-68 bar code, 91-92 occurrence code (00-16)
    9  2-9 number of "1" lines

--ocorrencias gives the codes of the guides in order (the last repeats;
default 01). Faults (--defeito, may repeat): linha-499, linha-501 (the first
detail one short / one long), contagem (trailer counts one more), tipo-
desconhecido (a line of type 5 after the first detail), fora-de-ordem (a copy of the
trailer right after the first detail), codigo-fora (code 17 on the first guide),
inscricao-invalida (a wrong check digit in the first guide's inscription),
identificador-branco (blank request identifier)."""
import datetime
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import envelope  # noqa: E402

NOME = "rejeicao"
AJUDA = "responde a uma solicitação de reenvio com o aviso de reenvio rejeitado (500 posições)"
DEFEITOS = ("linha-499", "linha-501", "contagem", "tipo-desconhecido", "fora-de-ordem",
            "codigo-fora", "inscricao-invalida", "identificador-branco")
TAMANHO = 500


def registrar(p):
    p.add_argument("pedido", help="envelope da solicitação (*.HXF) ou o arquivo de 90 posições")
    p.add_argument("--saida", required=True, help="arquivo do aviso a gravar")
    p.add_argument("--ocorrencias", default="01", help="códigos por guia, separados por vírgula")
    p.add_argument("--data", help="data do aviso DDMMAAAA (padrão: hoje)")
    p.add_argument("--defeito", action="append", default=[], choices=DEFEITOS)


def ler_pedido(caminho):
    """The request's lines: from the envelope's content file, or the plain file."""
    with open(caminho, "rb") as f:
        dados = f.read()
    if dados[:2] == b"PK":
        env = envelope.ler(dados)
        nome = env.valor("LKWStamp.content.file.name") or env.arquivos[-1][0]
        dados = env.conteudo(nome)
    linhas = dados.decode("cp1252").split("\r\n")
    while linhas and linhas[-1] == "":
        linhas.pop()
    for n, linha in enumerate(linhas, 1):
        if len(linha) != 90:
            raise SystemExit("linha %d da solicitação com %d posições" % (n, len(linha)))
    if not linhas or linhas[0][0] != "0" or linhas[-1][0] != "9":
        raise SystemExit("solicitação sem cabeçalho ou sem trailer")
    return linhas


def campo(texto, largura, zeros=False):
    texto = str(texto)
    return texto.rjust(largura, "0")[-largura:] if zeros else texto.ljust(largura)[:largura]


def com_tamanho(linha):
    return linha.ljust(TAMANHO)[:TAMANHO]


def digito_errado(inscricao):
    ultimo = int(inscricao[-1])
    return inscricao[:-1] + str((ultimo + 1) % 10)


def gerar(linhas_pedido, ocorrencias, data, defeitos=()):
    cab = linhas_pedido[0]
    detalhes = [l for l in linhas_pedido if l[0] == "1"]
    identificador = " " * 30 if "identificador-branco" in defeitos else cab[54:84]
    saida = [com_tamanho("0" + data + "02ZELT" + cab[15] + cab[16:30] + campo(cab[30:51].rstrip(), 24)
                         + identificador)]
    codigos = [c.strip().zfill(2) for c in ocorrencias.split(",") if c.strip()] or ["01"]
    for i, d in enumerate(detalhes):
        codigo = codigos[min(i, len(codigos) - 1)]
        if i == 0 and "codigo-fora" in defeitos:
            codigo = "17"
        inscricao = d[2:16]
        if i == 0 and "inscricao-invalida" in defeitos:
            inscricao = digito_errado(inscricao)
        linha = "1" + d[1] + inscricao + d[16:24] + d[24:68]
        linha = linha.ljust(90) + codigo
        linha = com_tamanho(linha)
        if i == 0 and "linha-499" in defeitos:
            linha = linha[:TAMANHO - 1]
        if i == 0 and "linha-501" in defeitos:
            linha = linha + " "
        saida.append(linha)
    contagem = len(detalhes) + (1 if "contagem" in defeitos else 0)
    trailer = com_tamanho("9" + campo(contagem, 8, zeros=True))
    saida.append(trailer)
    if "fora-de-ordem" in defeitos:
        saida.insert(2, trailer)
    if "tipo-desconhecido" in defeitos:
        saida.insert(2, com_tamanho("5"))
    return ("\r\n".join(saida) + "\r\n").encode("cp1252")


def executar(args):
    data = args.data or datetime.date.today().strftime("%d%m%Y")
    try:
        linhas = ler_pedido(args.pedido)
    except envelope.EnvelopeInvalido as e:
        print("envelope inválido: %s" % e, file=sys.stderr)
        return 1
    with open(args.saida, "wb") as f:
        f.write(gerar(linhas, args.ocorrencias, data, args.defeito))
    print(args.saida)
    return 0
