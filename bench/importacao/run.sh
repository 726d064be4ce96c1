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

# First business day from day 10 of the collection window's month.
DATA=$("$ISQL" -user SYSDBA -password tulipvane "$TMP/sql/VESK.FDB" -q <<'SQL' | grep -Eo '[0-9]{4}-[0-9]{2}-[0-9]{2}' | head -1
SET HEADING OFF;
SELECT MIN(D.DT_UTIL) FROM QZLTBT15_DIA_UTIL D
 WHERE D.DT_UTIL >= (SELECT DATEADD(10 - EXTRACT(DAY FROM R) DAY TO R) FROM
       (SELECT COALESCE(MIN(DT_RECOLHIMENTO_PRORATA), CURRENT_DATE) AS R
          FROM QZLTBT18_INDICE_PRORATA));
SQL
)
RECOLHIMENTO="${DATA:8:2}${DATA:5:2}${DATA:0:4}"

python3 "$RAIZ/tools/gerar_folha/gerar_folha.py" "$TMP/VESK.re" --empresas "$EMPRESAS" \
  --vinculos "$VINCULOS" --complementos 0.1 --cei --recolhimento "$RECOLHIMENTO" \
  --semente 2026 --sql "$TMP/linhas.sql"
LINHAS=$(wc -l < "$TMP/VESK.re")
INSERTS=$(grep -c '^INSERT' "$TMP/linhas.sql")

/usr/bin/time -v "$CLI" --pasta "$TMP/imp" importar-folha "$TMP/VESK.re" \
  > "$TMP/imp.out" 2> "$TMP/imp.time" || { cat "$TMP/imp.out" "$TMP/imp.time" >&2; exit 1; }
T_IMP=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$TMP/imp.time")
RSS_KB=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$TMP/imp.time")

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
