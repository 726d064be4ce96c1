#!/usr/bin/env bash
# Builds the Debian package build/pacote/vesk_<version>_<arch>.deb (after the
# same set-up as preparar.sh). Install it with `apt-get install ./vesk_*.deb`.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD:-$raiz/build}"
bash "$raiz/tools/preparar.sh" >/dev/null
cmake --build "$build" -j 2 --target package >/dev/null
ls "$build"/pacote/vesk_*.deb
