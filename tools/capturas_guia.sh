#!/usr/bin/env bash
# Regenerates the screenshots of the user's guide (docs/mes/*.png, linked from
# the README's "Um mês de trabalho"): the month-through-the-windows test runs
# offscreen and writes small copies of its screenshots; only those the README
# shows are kept.
#   bash tools/capturas_guia.sh [BUILD_DIR]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$raiz/build}"
cmake --build "$build" --target test_e2e vesk-cli >/dev/null
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
QT_QPA_PLATFORM=offscreen VESK_CAPTURAS_DOCS="$tmp" \
  "$build/tests/test_e2e" --gtest_filter='MesJanelasTeste.*' >"$tmp/saida.txt" 2>&1 ||
  { tail -40 "$tmp/saida.txt" >&2; exit 1; }
rm -rf "$raiz/docs/mes"
mkdir -p "$raiz/docs/mes"
for f in $(grep -o 'docs/mes/[0-9a-z_]*\.png' "$raiz/README.md" | sort -u); do
  cp "$tmp/$(basename "$f")" "$raiz/$f"
done
ls -l "$raiz/docs/mes"
