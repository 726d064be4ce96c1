#!/usr/bin/env bash
# Database layer against Firebird's own isql-fb, on copies of the built database:
#  1. 10,000 single-row INSERTs, each a distinct literal SQL text, in one transaction;
#  2. a 100,000-row SELECT loaded into memory (isql-fb prints it to /dev/null).
# Usage: bench/db/run.sh [build folder]   (build first: tools/preparar.sh)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
modelo="$build/bin/BD/VESK.FDB"
bench="$build/bench/bench_db"
[ -x "$bench" ] || cmake --build "$build" --target bench_db >/dev/null
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
isql=$(command -v isql-fb || command -v isql)

python3 - "$tmp" <<'PY'
import sys
d = sys.argv[1]
with open(f"{d}/ins.sql", "w") as f:
    for i in range(10000):
        f.write(f"INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, NU_CTPS, DT_NASCIMENTO) "
                f"VALUES ({10000000000 + i}, 'TRABALHADOR NUMERO {i:05d}', {i}, '1980-01-{1 + i % 28:02d}');\n")
with open(f"{d}/carga.sql", "w") as f:
    f.write("SET AUTODDL OFF;\n")
    for i in range(100000):
        f.write(f"INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO, NU_GRAU_INSTRUCAO, NU_CTPS, NU_SERIE_CTPS, "
                f"IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES ({20000000000 + i}, 'TRABALHADOR DE CARGA {i:06d}', "
                f"{1 + i % 11}, {i}, {i % 999}, {1 + i % 2}, '1975-03-{1 + i % 28:02d}', {30000000000 + i});\n")
        if i % 20000 == 19999:
            f.write("COMMIT;\n")
    f.write("COMMIT;\n")
PY

cp "$modelo" "$tmp/a.fdb"; cp "$modelo" "$tmp/b.fdb"
read -r t_prog _ n < <("$bench" inserir "$tmp/a.fdb" "$tmp/ins.sql")
{ echo "SET AUTODDL OFF;"; cat "$tmp/ins.sql"; echo "COMMIT;"; } > "$tmp/ins_isql.sql"
t0=$(date +%s.%N)
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/b.fdb" -i "$tmp/ins_isql.sql" >/dev/null
t1=$(date +%s.%N)
t_isql=$(echo "$t1 - $t0" | bc -l)
printf 'INSERT de %d linhas (uma transação): programa %.3f s, isql-fb %.3f s, razão %.2f (meta <= 1.0)\n' \
  "$n" "$t_prog" "$t_isql" "$(echo "$t_prog / $t_isql" | bc -l)"

cp "$modelo" "$tmp/c.fdb"
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/c.fdb" -i "$tmp/carga.sql" >/dev/null
sel="SELECT NU_PIS, NO_EMPREGADO, NU_GRAU_INSTRUCAO, NU_CTPS, NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF FROM QZLTBG03_EMPREGADO"
read -r t_prog mem n < <("$bench" consultar "$tmp/c.fdb" "$sel")
echo "$sel;" > "$tmp/sel.sql"
t0=$(date +%s.%N)
"$isql" -q -user SYSDBA -password tulipvane "$tmp/c.fdb" -i "$tmp/sel.sql" >/dev/null
t1=$(date +%s.%N)
t_isql=$(echo "$t1 - $t0" | bc -l)
printf 'SELECT de %d linhas: programa %.3f s, isql-fb %.3f s, razão %.2f (meta <= 1.0); pico de memória %.1f MB (meta < 100)\n' \
  "$n" "$t_prog" "$t_isql" "$(echo "$t_prog / $t_isql" | bc -l)" "$mem"
