#!/usr/bin/env bash
# The navigation tree at size: 200 employers with 20,000 employment links
# (100 each, in all four collection-run states), one bank account per link,
# a second account for 1,000 links and 500 pending name changes, generated
# into a copy of the built database. Compares the time the program takes to
# build the tree (query, model and the visual tree) with the time isql-fb
# takes to run the same SELECTs alone, and reports the peak memory.
# Usage: bench/arvore/run.sh [build folder]   (build first: tools/preparar.sh)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
modelo="$build/bin/BD/VESK.FDB"
bench="$build/bench/bench_arvore"
[ -x "$bench" ] || cmake --build "$build" --target bench_arvore >/dev/null
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
isql=$(command -v isql-fb || command -v isql)
export QT_QPA_PLATFORM=offscreen

python3 - "$tmp" <<'PY'
import sys, random
random.seed(7)
d = sys.argv[1]
nomes = ["ANA", "BRUNO", "CARLA", "DANIEL", "EDUARDA", "FABIO", "GISELE", "HEITOR", "IRENE", "JOAO"]
sobrenomes = ["SILVA", "SOUZA", "OLIVEIRA", "SANTOS", "PEREIRA", "LIMA", "COSTA", "ALMEIDA"]
with open(f"{d}/carga.sql", "w") as f:
    f.write("SET AUTODDL OFF;\n")
    f.write("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
            "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'ESCRITORIO CONTABIL RESPONSAVEL', 'R');\n")
    n = 0
    for e in range(200):
        insc = 10000000000000 + e * 1000
        f.write("INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                f"IC_ESTADO_EMPRESA) VALUES (1, {insc}, 'EMPRESA {e:03d} COMERCIO LTDA', 'E');\n")
        for v in range(100):
            pis = 20000000000 + n
            nome = f"{random.choice(nomes)} {random.choice(sobrenomes)} {n:05d}"
            estado = random.choice([0, 0, 0, 1, 2, 3])
            f.write(f"INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES ({pis}, '{nome}');\n")
            f.write("INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                    "NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO, IC_VALIDACAO_VINCULO) "
                    f"VALUES (1, {insc}, {pis}, 1, '2012-{1 + n % 12:02d}-{1 + n % 28:02d}', {estado}, 'S');\n")
            contas = 2 if n % 20 == 0 else 1
            for c in range(contas):
                f.write("INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_VORDA, "
                        "NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_CONTA_EMPRESA) VALUES "
                        f"(1, {insc}, {pis}, 1, '2012-{1 + n % 12:02d}-{1 + n % 28:02d}', '{nome} NOVO', "
                        f"{900000000 + 2 * n + c}, {1 + c}, 1);\n")
            if n % 40 == 0:
                f.write("INSERT INTO QZLTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, IC_CONFIRMACAO, "
                        f"NU_EMPREGADO_VORDA_ALT_CDSTL) VALUES (1, {insc}, {pis}, 1, "
                        f"'2012-{1 + n % 12:02d}-{1 + n % 28:02d}', 406, 'N', {900000000 + 2 * n});\n")
            n += 1
        if e % 20 == 19:
            f.write("COMMIT;\n")
    f.write("COMMIT;\n")
PY

cp "$modelo" "$tmp/arvore.fdb"
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/arvore.fdb" -i "$tmp/carga.sql" >/dev/null

# The SELECTs the build runs, exactly as the program sends them.
"$bench" --consultas > "$tmp/consultas.sql"
medir_isql() {
  local t0 t1
  t0=$(date +%s.%N)
  "$isql" -q -user SYSDBA -password tulipvane "$tmp/arvore.fdb" -i "$tmp/consultas.sql" >/dev/null
  t1=$(date +%s.%N)
  echo "$t1 - $t0" | bc -l
}
medir_isql >/dev/null # the first run only warms the file cache
t_isql=$(medir_isql)
read -r t_montar t_atualizar t_consultas linhas nos mem < <("$bench" "$tmp/arvore.fdb")

printf 'Árvore: %d linhas da consulta, %d nós (200 empresas, 20.000 vínculos)\n' "$linhas" "$nos"
printf '  SELECTs da árvore no isql-fb:              %.3f s\n' "$t_isql"
printf '  as mesmas SELECTs pela camada de banco:    %.3f s\n' "$t_consultas"
printf '  montagem (consulta, modelo e árvore):      %.3f s  razão %.2f (meta <= 2)\n' \
  "$t_montar" "$(echo "$t_montar / $t_isql" | bc -l)"
printf '  atualização mantendo seleção e expansão:   %.3f s  razão %.2f (meta <= 2)\n' \
  "$t_atualizar" "$(echo "$t_atualizar / $t_isql" | bc -l)"
printf '  pico de memória:                           %.1f MB (meta < 150)\n' "$mem"
