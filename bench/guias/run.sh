#!/usr/bin/env bash
# Guide export benchmark: 200 company guides with 10,000 worker guides are
# generated (tools/gerar_base) into a copy of the built database; then every
# company guide and every worker statement is exported to PDF with vesk-cli
# (time, peak memory, pages per second). The floor is bench_guias: the same
# pages painted from rows held in memory, without bar codes. Prints both times
# and their ratio (goal <= 1.5, peak memory < 300 MB and flat in the page count).
#   bench/guias/run.sh [BUILD_DIR] [GUIAS] [TRABALHADORES]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
guias="${2:-200}"
trab="${3:-10000}"
cli="$build/bin/vesk-cli"
piso="$build/bench/bench_guias"
modelo="$build/bin/BD/VESK.FDB"
[ -x "$piso" ] || cmake --build "$build" --target bench_guias >/dev/null
for f in "$cli" "$modelo" "$piso"; do
  [ -e "$f" ] || { echo "não encontrado: $f (compile o projeto antes)" >&2; exit 1; }
done
isql=$(command -v isql-fb || command -v isql)
export QT_QPA_PLATFORM=offscreen
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/prog/BD"
cp "$modelo" "$tmp/prog/BD/VESK.FDB"

python3 "$raiz/tools/gerar_base/gerar_base.py" "$tmp/base.sql" --empresas "$guias" \
  --trabalhadores "$trab" --fechamentos 4 --quitadas 0.5 --semente 2026 >/dev/null
{ echo "SET AUTODDL OFF;"; cat "$tmp/base.sql"; echo "COMMIT;"; } > "$tmp/carga.sql"
"$isql" -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" -q -i "$tmp/carga.sql" \
  > "$tmp/carga.out" 2>&1
if grep -qi 'error\|violation' "$tmp/carga.out"; then cat "$tmp/carga.out" >&2; exit 1; fi

segundos() { awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$1"; }
memoria() { awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2/1024}' "$1"; }

/usr/bin/time -v "$cli" --pasta "$tmp/prog" exportar-guias "$tmp/guias.pdf" \
  > "$tmp/g.out" 2> "$tmp/g.time" || { cat "$tmp/g.out" "$tmp/g.time" >&2; exit 1; }
/usr/bin/time -v "$cli" --pasta "$tmp/prog" exportar-comprovantes "$tmp/comp.pdf" --todas \
  > "$tmp/c.out" 2> "$tmp/c.time" || { cat "$tmp/c.out" "$tmp/c.time" >&2; exit 1; }
/usr/bin/time -v "$piso" "$tmp" "$guias" "$trab" > "$tmp/p.out" 2> "$tmp/p.time" \
  || { cat "$tmp/p.out" "$tmp/p.time" >&2; exit 1; }

tg=$(segundos "$tmp/g.time"); tc=$(segundos "$tmp/c.time"); tp=$(segundos "$tmp/p.time")
pg=$(pdfinfo "$tmp/guias.pdf" | awk '/^Pages:/ {print $2}')
pc=$(pdfinfo "$tmp/comp.pdf" | awk '/^Pages:/ {print $2}')
total=$(echo "$tg + $tc" | bc -l)
printf 'dados:                 %d guias, %d trabalhadores\n' "$guias" "$trab"
printf 'exportar-guias:        %.2f s  %d páginas  pico %s MB\n' "$tg" "$pg" "$(memoria "$tmp/g.time")"
printf 'exportar-comprovantes: %.2f s  %d páginas  pico %s MB\n' "$tc" "$pc" "$(memoria "$tmp/c.time")"
printf 'vesk-cli (total):      %.2f s  %.0f páginas/s\n' "$total" "$(echo "($pg + $pc) / $total" | bc -l)"
printf 'piso (memória, sem barras): %.2f s  pico %s MB\n' "$tp" "$(memoria "$tmp/p.time")"
printf 'razão vesk-cli/piso:   %.2f   (meta <= 1.5; memória < 300 MB)\n' "$(echo "$total / $tp" | bc -l)"
