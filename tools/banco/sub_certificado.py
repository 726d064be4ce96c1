"""certificado: a throwaway key and self-signed certificate for signing test
receipts (never the bank's): PASTA/chave.pem and PASTA/certificado.pem, made
with the openssl command. --vencido makes one whose validity ended in 2020."""
import os
import subprocess
import tempfile

NOME = "certificado"
AJUDA = "gera chave e certificado descartáveis (openssl) para assinar recibos de teste"


def registrar(p):
    p.add_argument("pasta", help="pasta onde gravar chave.pem e certificado.pem")
    p.add_argument("--vencido", action="store_true", help="certificado vencido (validade em 2020)")
    p.add_argument("--nome", default="Banco de Teste", help="nome do titular (CN)")


def _openssl(*args, cwd=None):
    subprocess.run(["openssl", *args], check=True, cwd=cwd,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def gerar(pasta, vencido=False, nome="Banco de Teste"):
    pasta = os.path.abspath(pasta)
    os.makedirs(pasta, exist_ok=True)
    chave = os.path.join(pasta, "chave.pem")
    cert = os.path.join(pasta, "certificado.pem")
    if not vencido:
        _openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", chave, "-out", cert,
                 "-days", "30", "-subj", "/CN=" + nome)
        return chave, cert
    # "openssl req" cannot set past dates; a one-off self-signing CA can.
    _openssl("genrsa", "-out", chave, "2048")
    with tempfile.TemporaryDirectory() as ca:
        open(os.path.join(ca, "index.txt"), "w").close()
        with open(os.path.join(ca, "serial"), "w") as f:
            f.write("01\n")
        with open(os.path.join(ca, "ca.cnf"), "w") as f:
            f.write("[ca]\ndefault_ca=c\n[c]\ndatabase=index.txt\nnew_certs_dir=.\nserial=serial\n"
                    "default_md=sha256\npolicy=p\n[p]\ncommonName=supplied\n")
        _openssl("req", "-new", "-key", chave, "-subj", "/CN=" + nome, "-out", "r.csr", cwd=ca)
        _openssl("ca", "-batch", "-notext", "-config", "ca.cnf", "-selfsign", "-keyfile", chave,
                 "-in", "r.csr", "-startdate", "20200101000000Z", "-enddate", "20200201000000Z",
                 "-out", cert, cwd=ca)
    return chave, cert


def executar(args):
    chave, cert = gerar(args.pasta, args.vencido, args.nome)
    print(chave)
    print(cert)
    return 0
