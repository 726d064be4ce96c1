"""recibo: the bank's sending receipt for an envelope the program sent. The
file identifier is the envelope's "nra" (read with envelope.py); the signed
message is a CMS SignedData with the receipt's text attached, made by the
openssl command with the given key and certificate, base64 in 64-column lines.

The receipt (XML, UTF-8):

    <recibo>
      <body><info>path of the envelope</info></body>
      <footer>
        <signature>...</signature>
        <content_id>nra</content_id>
        <protocol_id>protocol number</protocol_id>
        <protocol_date>dd/mm/yyyy</protocol_date>
      </footer>
    </recibo>

Faults (--defeito, may repeat): sem-rodape, sem-signature, sem-content_id,
sem-protocol_id, sem-protocol_date, conteudo-alterado (a byte of the signed
content changed after signing), destacada (signature without its content),
lixo (a signature that is not base64 of CMS), data-invalida (31/02/<year>),
data-iso (yyyy-mm-dd), espacos (every field padded with blanks and line
breaks), entidade-externa (a DOCTYPE whose external entity is used in
protocol_id), protocolo-longo (a protocol number of 41 characters)."""
import base64
import datetime
import os
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import envelope  # noqa: E402

NOME = "recibo"
AJUDA = "responde a um envelope enviado com o recibo de envio assinado (XML)"
DEFEITOS = ("sem-rodape", "sem-signature", "sem-content_id", "sem-protocol_id", "sem-protocol_date",
            "conteudo-alterado", "destacada", "lixo", "data-invalida", "data-iso", "espacos",
            "entidade-externa", "protocolo-longo")


def registrar(p):
    p.add_argument("envelope", help="envelope enviado pelo programa (*.HXF)")
    p.add_argument("--chave", required=True, help="chave privada PEM")
    p.add_argument("--certificado", required=True, help="certificado PEM do assinante")
    p.add_argument("--saida", help="arquivo XML a gravar (padrão: o envelope com .xml)")
    p.add_argument("--protocolo", default="20261210000123", help="número do protocolo")
    p.add_argument("--data", help="data do protocolo dd/mm/aaaa (padrão: hoje)")
    p.add_argument("--identificador", help="content_id no lugar do nra do envelope")
    p.add_argument("--defeito", action="append", default=[], choices=DEFEITOS)


def assinar(conteudo, chave, certificado, destacada=False):
    """DER of a CMS SignedData of conteudo (attached unless destacada)."""
    with tempfile.TemporaryDirectory() as d:
        entrada = os.path.join(d, "conteudo")
        saida = os.path.join(d, "assinatura.der")
        with open(entrada, "wb") as f:
            f.write(conteudo)
        args = ["openssl", "cms", "-sign", "-binary", "-in", entrada, "-signer", certificado,
                "-inkey", chave, "-outform", "DER", "-out", saida]
        if not destacada:
            args.insert(3, "-nodetach")
        subprocess.run(args, check=True, stderr=subprocess.PIPE)
        with open(saida, "rb") as f:
            return f.read()


def base64_linhas(dados):
    texto = base64.b64encode(dados).decode("ascii")
    return "\n".join(texto[i:i + 64] for i in range(0, len(texto), 64))


def gerar(caminho_envelope, chave, certificado, protocolo, data, identificador=None, defeitos=()):
    nra = identificador if identificador is not None else envelope.ler(caminho_envelope).nra
    if nra is None:
        raise SystemExit("o envelope não tem nra no selo")
    if "protocolo-longo" in defeitos:
        protocolo = "P" * 41
    if "data-invalida" in defeitos:
        data = "31/02/" + data[-4:]
    if "data-iso" in defeitos:
        d, m, a = data.split("/")
        data = "%s-%s-%s" % (a, m, d)
    conteudo = ("recibo de envio\nnra=%s\nprotocolo=%s\ndata=%s\n" % (nra, protocolo, data)).encode("utf-8")
    der = assinar(conteudo, chave, certificado, destacada="destacada" in defeitos)
    if "conteudo-alterado" in defeitos:
        i = der.find(b"protocolo=")
        der = der[:i] + b"P" + der[i + 1:]
    assinatura = base64_linhas(der)
    if "lixo" in defeitos:
        assinatura = "isto não é uma assinatura"
    campos = {"signature": assinatura, "content_id": nra, "protocol_id": protocolo,
              "protocol_date": data}
    pad = (lambda v: "\n   " + v + "  \n ") if "espacos" in defeitos else (lambda v: v)
    doctype = ""
    valor_protocolo = escape(pad(campos["protocol_id"]))
    if "entidade-externa" in defeitos:
        doctype = '<!DOCTYPE recibo [<!ENTITY ext SYSTEM "file:///etc/hostname">]>\n'
        valor_protocolo = "&ext;"
    linhas = ['<?xml version="1.0" encoding="UTF-8"?>', doctype + "<recibo>",
              "  <body><info>%s</info></body>" % escape(os.path.abspath(caminho_envelope))]
    if "sem-rodape" not in defeitos:
        linhas.append("  <footer>")
        for nome in ("signature", "content_id", "protocol_id", "protocol_date"):
            if "sem-" + nome in defeitos:
                continue
            valor = valor_protocolo if nome == "protocol_id" else escape(pad(campos[nome]))
            linhas.append("    <%s>%s</%s>" % (nome, valor, nome))
        linhas.append("  </footer>")
    linhas.append("</recibo>")
    return ("\n".join(linhas) + "\n").encode("utf-8")


def executar(args):
    data = args.data or datetime.date.today().strftime("%d/%m/%Y")
    try:
        xml = gerar(args.envelope, args.chave, args.certificado, args.protocolo, data,
                    args.identificador, args.defeito)
    except envelope.EnvelopeInvalido as e:
        print("envelope inválido: %s" % e, file=sys.stderr)
        return 1
    saida = args.saida or os.path.splitext(args.envelope)[0] + ".xml"
    with open(saida, "wb") as f:
        f.write(xml)
    print(saida)
    return 0
