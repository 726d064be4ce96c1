#!/usr/bin/env bash
# Workers listing benchmark: a registry of 10,000 links under 50 employers is
# generated (tools/gerar_base) into a copy of the built database; then, for
# every employer: vesk-cli relatorio trabalhadores --pdf (time, peak memory,
# pages per second), the preview opened offscreen (bench_relatorio), and
# --csv against isql-fb running the listing's SELECT (the floor of reading the
# rows). Goals: PDF < 3 s and < 200 MB (>= 200 pages/s), preview < 2 s,
# CSV <= 2x the floor.
#   bench/relatorio/run.sh [BUILD_DIR] [EMPRESAS] [VINCULOS]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
empresas="${2:-50}"
vinculos="${3:-10000}"
cli="$build/bin/vesk-cli"
previa="$build/bench/bench_relatorio"
modelo="$build/bin/BD/VESK.FDB"
cmake --build "$build" --target bench_relatorio vesk-cli >/dev/null
for f in "$cli" "$modelo" "$previa"; do
  [ -e "$f" ] || { echo "não encontrado: $f (compile o projeto antes)" >&2; exit 1; }
done
isql=$(command -v isql-fb || command -v isql)
export QT_QPA_PLATFORM=offscreen
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/prog/BD"
cp "$modelo" "$tmp/prog/BD/VESK.FDB"

python3 "$raiz/tools/gerar_base/gerar_base.py" "$tmp/base.sql" --empresas "$empresas" \
  --trabalhadores "$vinculos" --semente 2026 >/dev/null
{ echo "SET AUTODDL OFF;"; cat "$tmp/base.sql"; echo "COMMIT;"; } > "$tmp/carga.sql"
"$isql" -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" -q -i "$tmp/carga.sql" \
  > "$tmp/carga.out" 2>&1
if grep -qi 'error\|violation' "$tmp/carga.out"; then cat "$tmp/carga.out" >&2; exit 1; fi

segundos() { awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$1"; }
memoria() { awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2/1024}' "$1"; }

/usr/bin/time -v "$cli" --pasta "$tmp/prog" relatorio trabalhadores --pdf "$tmp/t.pdf" \
  > "$tmp/p.out" 2> "$tmp/p.time" || { cat "$tmp/p.out" "$tmp/p.time" >&2; exit 1; }
/usr/bin/time -v "$cli" --pasta "$tmp/prog" relatorio trabalhadores --csv "$tmp/t.csv" \
  > "$tmp/c.out" 2> "$tmp/c.time" || { cat "$tmp/c.out" "$tmp/c.time" >&2; exit 1; }
read -r tprevia pprevia < <("$previa" "$tmp/prog")
# The floor: the same SELECT through isql-fb, every row fetched and written.
{ echo "SET HEADING OFF;"; "$previa" --sql; } > "$tmp/piso.sql"
/usr/bin/time -v "$isql" -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" -q \
  -i "$tmp/piso.sql" > "$tmp/piso.out" 2> "$tmp/piso.time"

tp=$(segundos "$tmp/p.time"); tc=$(segundos "$tmp/c.time"); ti=$(segundos "$tmp/piso.time")
paginas=$(pdfinfo "$tmp/t.pdf" | awk '/^Pages:/ {print $2}')
linhas=$(($(wc -l < "$tmp/t.csv") - 1))
printf 'dados:        %d empresas, %d vínculos\n' "$empresas" "$vinculos"
printf 'PDF:          %.2f s  %d páginas  %.0f páginas/s  pico %s MB   (meta < 3 s, < 200 MB)\n' \
  "$tp" "$paginas" "$(echo "$paginas / $tp" | bc -l)" "$(memoria "$tmp/p.time")"
printf 'visualização: %.2f s  %d páginas   (meta < 2 s)\n' "$tprevia" "$pprevia"
printf 'CSV:          %.2f s  %d linhas  pico %s MB\n' "$tc" "$linhas" "$(memoria "$tmp/c.time")"
printf 'piso isql-fb: %.2f s  (SELECT da listagem)\n' "$ti"
printf 'razão CSV/piso: %.2f   (meta <= 2)\n' "$(echo "$tc / $ti" | bc -l)"
