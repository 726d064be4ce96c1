#!/usr/bin/env bash
# Payroll import benchmark: a valid file of 10,000 links under 50 companies is
# imported with `vesk-cli importar-folha` on a fresh copy of the built
# database; the time and peak memory are compared with isql-fb running the
# INSERT statements of the same final rows on another fresh copy (the cost of
# storing alone).
#
#   bench/importacao/run.sh [BUILD_DIR] [LINKS] [COMPANIES]
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
. "$RAIZ/bench/comum.sh"
BUILD="${1:-$RAIZ/build}"
VINCULOS="${2:-10000}"
EMPRESAS="${3:-50}"
CLI="$BUILD/bin/vesk-cli"
MODELO="$BUILD/bin/BD/VESK.FDB"
ISQL="$(command -v isql-fb || command -v isql)"
for f in "$CLI" "$MODELO"; do
  [ -e "$f" ] || { echo "não encontrado: $f (compile o projeto antes)" >&2; exit 1; }
done

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$TMP/imp/BD" "$TMP/sql"
cp "$MODELO" "$TMP/imp/BD/VESK.FDB"
cp "$MODELO" "$TMP/sql/VESK.FDB"

RECOLHIMENTO=$(data_recolhimento "$ISQL" "$TMP/sql/VESK.FDB")

python3 "$RAIZ/tools/gerar_folha/gerar_folha.py" "$TMP/VESK.re" --empresas "$EMPRESAS" \
  --vinculos "$VINCULOS" --complementos 0.1 --cei --recolhimento "$RECOLHIMENTO" \
  --semente 2026 --sql "$TMP/linhas.sql"
LINHAS=$(wc -l < "$TMP/VESK.re")
INSERTS=$(grep -c '^INSERT' "$TMP/linhas.sql")

/usr/bin/time -v "$CLI" --pasta "$TMP/imp" importar-folha "$TMP/VESK.re" \
  > "$TMP/imp.out" 2> "$TMP/imp.time" || { cat "$TMP/imp.out" "$TMP/imp.time" >&2; exit 1; }
T_IMP=$(segundos_relogio "$TMP/imp.time")
RSS_KB=$(memoria_kb "$TMP/imp.time")

INICIO=$(date +%s.%N)
"$ISQL" -user SYSDBA -password tulipvane "$TMP/sql/VESK.FDB" -q -i "$TMP/linhas.sql" > "$TMP/sql.out" 2>&1
FIM=$(date +%s.%N)
if grep -qi 'error\|violation' "$TMP/sql.out"; then cat "$TMP/sql.out" >&2; exit 1; fi
T_SQL=$(echo "$FIM - $INICIO" | bc -l)

printf 'arquivo:             %d linhas, %d vínculos, %d empresas (recolhimento %s)\n' \
  "$LINHAS" "$VINCULOS" "$EMPRESAS" "$RECOLHIMENTO"
printf 'importar-folha:      %.2f s   pico de memória %.1f MB   %.0f vínculos/s\n' \
  "$T_IMP" "$(echo "$RSS_KB / 1024" | bc -l)" "$(echo "$VINCULOS / $T_IMP" | bc -l)"
printf 'isql-fb (%d INSERT): %.2f s\n' "$INSERTS" "$T_SQL"
printf 'razão importação/inserção: %.2f   (meta <= 4; memória < 300 MB)\n' \
  "$(echo "$T_IMP / $T_SQL" | bc -l)"
