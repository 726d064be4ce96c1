#!/usr/bin/env python3
"""Reader (and writer) of the program's sealed envelopes, independent of the
program and of its sealing library: the other subcommands of banco.py import
it to read what the program sent (its files and its seal, "nra" first).

An envelope is a zip archive with each file under its bare name and the seal
LKWSELO/selo.txt (format: src/envelope/lkwselo/FORMATO.md):

    LKWSELO 1
    A <size> <sha256> <name>        one per file
    E <index> <name> <value>        one per seal entry
    D <sha256 of every byte above>

Names and values are percent-encoded UTF-8. Any inconsistency (damaged zip,
seal digest, a file added, missing, of another size or digest) raises
EnvelopeInvalido.

    python3 envelope.py ENVELOPE          lists files and seal entries
"""
import hashlib
import io
import os
import sys
import tempfile
import zipfile

NOME_SELO = "LKWSELO/selo.txt"
CABECALHO = "LKWSELO 1"
NRA = "LKWStamp.bussinessinfo.field.nra"
PREFIXO_INFORMACAO = "LKWStamp.bussinessinfo.field."


class EnvelopeInvalido(Exception):
    pass


def _codificar(texto):
    saida = []
    for b in texto.encode("utf-8"):
        if b <= 0x20 or b >= 0x7F or b == 0x25:
            saida.append("%%%02X" % b)
        else:
            saida.append(chr(b))
    return "".join(saida)


def _decodificar(campo):
    dados = bytearray()
    i = 0
    while i < len(campo):
        c = campo[i]
        if c == "%":
            try:
                dados.append(int(campo[i + 1:i + 3], 16))
            except ValueError:
                raise EnvelopeInvalido("codificação inválida no selo: %r" % campo)
            if len(campo[i + 1:i + 3]) != 2:
                raise EnvelopeInvalido("codificação cortada no selo: %r" % campo)
            i += 3
        else:
            dados += c.encode("ascii")
            i += 1
    try:
        return dados.decode("utf-8")
    except UnicodeDecodeError:
        raise EnvelopeInvalido("texto do selo não é UTF-8: %r" % campo)


def _nome_simples(nome):
    return bool(nome) and nome not in (".", "..") and not any(
        c in nome for c in "/\\:") and all(ord(c) >= 0x20 for c in nome)


def texto_selo(arquivos, entradas):
    """arquivos: [(nome, bytes)], entradas: [(indice, nome, valor)]."""
    linhas = [CABECALHO]
    for nome, dados in arquivos:
        linhas.append("A %d %s %s" % (len(dados), hashlib.sha256(dados).hexdigest(), _codificar(nome)))
    for indice, nome, valor in entradas:
        linhas.append("E %d %s %s" % (indice, _codificar(nome), _codificar(valor)))
    corpo = "\n".join(linhas) + "\n"
    return corpo + "D " + hashlib.sha256(corpo.encode("ascii")).hexdigest() + "\n"


class Envelope:
    """A checked envelope: arquivos [(nome, tamanho, sha256)] in seal order,
    entradas [(indice, nome, valor)] in writing order, and each file's bytes."""

    def __init__(self, arquivos, entradas, conteudos):
        self.arquivos = arquivos
        self.entradas = entradas
        self._conteudos = conteudos

    def conteudo(self, nome):
        return self._conteudos[nome]

    def valor(self, nome, indice=0):
        """The entry's value; index 0 also finds the name at any index. None when absent."""
        for i, n, v in self.entradas:
            if n == nome and i == indice:
                return v
        if indice == 0:
            for i, n, v in self.entradas:
                if n == nome:
                    return v
        return None

    def informacao(self, nome):
        return self.valor(PREFIXO_INFORMACAO + nome)

    @property
    def nra(self):
        return self.valor(NRA)


def _ler_selo(texto):
    marca = texto.rfind("\nD ")
    if marca < 0:
        raise EnvelopeInvalido("selo sem linha de resumo")
    corpo = texto[:marca + 1]
    if texto[marca + 1:] != "D " + hashlib.sha256(corpo.encode("utf-8")).hexdigest() + "\n":
        raise EnvelopeInvalido("resumo do selo não confere")
    linhas = corpo.split("\n")[:-1]
    if not linhas or linhas[0] != CABECALHO:
        raise EnvelopeInvalido("cabeçalho do selo inválido")
    arquivos, entradas = [], []
    for linha in linhas[1:]:
        partes = linha.split(" ", 3)
        if len(partes) != 4 or partes[0] not in ("A", "E") or not partes[1].isdigit():
            raise EnvelopeInvalido("linha inválida no selo: %r" % linha)
        if partes[0] == "A":
            nome = _decodificar(partes[3])
            if not _nome_simples(nome) or len(partes[2]) != 64 or any(n == nome for n, _, _ in arquivos):
                raise EnvelopeInvalido("arquivo inválido no selo: %r" % linha)
            arquivos.append((nome, int(partes[1]), partes[2]))
        else:
            nome = _decodificar(partes[2])
            if not nome:
                raise EnvelopeInvalido("entrada sem nome no selo")
            entradas.append((int(partes[1]), nome, _decodificar(partes[3])))
    if not arquivos:
        raise EnvelopeInvalido("selo sem arquivos")
    return arquivos, entradas


def ler(caminho_ou_bytes):
    """Opens and checks an envelope (a path or its bytes)."""
    try:
        fonte = io.BytesIO(caminho_ou_bytes) if isinstance(caminho_ou_bytes, (bytes, bytearray)) \
            else caminho_ou_bytes
        with zipfile.ZipFile(fonte) as z:
            nomes = z.namelist()
            if NOME_SELO not in nomes:
                raise EnvelopeInvalido("envelope sem selo")
            arquivos, entradas = _ler_selo(z.read(NOME_SELO).decode("utf-8"))
            outros = [n for n in nomes if n != NOME_SELO]
            if sorted(outros) != sorted(n for n, _, _ in arquivos) or len(set(outros)) != len(outros):
                raise EnvelopeInvalido("arquivos do envelope não conferem com o selo")
            conteudos = {}
            for nome, tamanho, resumo in arquivos:
                dados = z.read(nome)
                if len(dados) != tamanho or hashlib.sha256(dados).hexdigest() != resumo:
                    raise EnvelopeInvalido("arquivo %s não confere com o selo" % nome)
                conteudos[nome] = dados
    except (zipfile.BadZipFile, zipfile.LargeZipFile, OSError, UnicodeDecodeError, EOFError) as e:
        raise EnvelopeInvalido("não é um envelope legível: %s" % e)
    return Envelope(arquivos, entradas, conteudos)


def selar(caminho, arquivos, informacoes, nivel="2"):
    """Writes an envelope as the program does: arquivos [(nome, bytes)];
    informacoes [(nome, valor)] written at the indexes 1, 2, ...; the content
    file name is the last file's."""
    entradas = [(0, "LKWStamp.envelope.requiredlevel", nivel),
                (0, "LKWStamp.content.file.name", arquivos[-1][0] if arquivos else "")]
    entradas += [(i + 1, PREFIXO_INFORMACAO + n, v) for i, (n, v) in enumerate(informacoes)]
    pasta = os.path.dirname(os.path.abspath(caminho))
    fd, temporario = tempfile.mkstemp(prefix=os.path.basename(caminho) + ".", dir=pasta)
    try:
        with os.fdopen(fd, "wb") as f, zipfile.ZipFile(f, "w", zipfile.ZIP_DEFLATED) as z:
            for nome, dados in arquivos:
                z.writestr(nome, dados)
            z.writestr(NOME_SELO, texto_selo(arquivos, entradas).encode("ascii"))
        os.replace(temporario, caminho)
    except BaseException:
        if os.path.exists(temporario):
            os.remove(temporario)
        raise


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        env = ler(argv[0])
    except EnvelopeInvalido as e:
        print("envelope inválido: %s" % e, file=sys.stderr)
        return 1
    for nome, tamanho, resumo in env.arquivos:
        print("arquivo\t%s\t%d\t%s" % (nome, tamanho, resumo))
    for indice, nome, valor in env.entradas:
        print("selo\t%d\t%s\t%s" % (indice, nome, valor))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
