#!/usr/bin/env python3
"""The bank, simulated: answers what the program sends as the bank would and
writes the files the bank publishes, for tests, benchmarks and demos.

Each subcommand lives in its own module beside this file (sub_<name>.py) and
exposes NOME, AJUDA and two functions: registrar(parser) adds its options to
its own argparse sub-parser, executar(args) does the work and returns the exit
status. This script only finds the modules and dispatches; see README.md for
every subcommand.
"""
import argparse
import importlib
import pathlib
import sys

PASTA = pathlib.Path(__file__).resolve().parent


def modulos():
    sys.path.insert(0, str(PASTA))
    for caminho in sorted(PASTA.glob("sub_*.py")):
        yield importlib.import_module(caminho.stem)


def main(argv=None):
    parser = argparse.ArgumentParser(prog="banco.py", description=__doc__.split("\n\n")[0])
    subs = parser.add_subparsers(dest="comando", metavar="SUBCOMANDO")
    executores = {}
    for m in modulos():
        p = subs.add_parser(m.NOME, help=m.AJUDA, description=m.AJUDA)
        m.registrar(p)
        executores[m.NOME] = m.executar
    args = parser.parse_args(argv)
    if not args.comando:
        parser.print_help()
        return 2
    return executores[args.comando](args) or 0


if __name__ == "__main__":
    sys.exit(main())
