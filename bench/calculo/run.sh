#!/usr/bin/env bash
# Calculation of a collection run against the cost of storing alone:
#  1. a copy of the built database gets 10,000 terminated links (100 employers,
#     mixed categories, notice kinds, movements, FPAS codes and termination
#     dates around the payment date, so that some blocks are on time and some
#     late) marked for an open run paid on 23/11/2026, a payment date of the
#     shipped index edition;
#  2. "vesk-cli calcular --gravar" computes and stores all of them;
#  3. isql-fb runs, on another copy, one UPDATE of the computed columns per
#     link in one transaction (what storing the results costs by itself).
# Prints both times, links per second and the ratio (goal: <= 3).
# Usage: bench/calculo/run.sh [build folder] [number of links]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
n="${2:-10000}"
modelo="$build/bin/BD/VESK.FDB"
cli="$build/bin/vesk-cli"
[ -x "$cli" ] || cmake --build "$build" --target vesk-cli >/dev/null
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
isql=$(command -v isql-fb || command -v isql)

python3 - "$tmp" "$n" <<'PY'
import datetime as dt, random, sys
pasta, n = sys.argv[1], int(sys.argv[2])
rnd = random.Random(20250512)
chave = "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO"
with open(f"{pasta}/carga.sql", "w") as f, open(f"{pasta}/upd.sql", "w") as u:
    f.write("SET AUTODDL OFF;\nDELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO;\n")
    f.write("INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
            "DT_PAGAMENTO) VALUES (1, 11222333000100, '2026-11-23');\n")
    for e in range(100):
        fpas, simples = [(507, 1), (507, 3), (868, 1), (604, 1), (507, 5)][e % 5]
        f.write(f"INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, "
                f"NU_INSS, NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (1, {11222333000100 + e}, "
                f"{simples}, {fpas}, 'EMPRESA {e:03d}', 'E');\n")
    u.write("SET AUTODDL OFF;\n")
    for i in range(n):
        insc = 11222333000100 + i % 100
        pis = 10000000000 + i
        cat = rnd.choice([1, 1, 1, 4, 7])
        adm = dt.date(2010, 1, 4) + dt.timedelta(days=rnd.randrange(3000))
        dm = dt.date(2026, 8, 20) + dt.timedelta(days=rnd.randrange(100))
        mov = rnd.choice(["I1", "I1", "I2", "I4", "L", "I5"])
        av = rnd.choice([1, 2, 3])
        k = f"1, {insc}, {pis}, {cat}, '{adm}'"
        f.write(f"INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO ({chave}, CO_MOVIMENTACAO, DT_OPCAO, "
                f"IC_AVISO_PREVIO, IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO) VALUES ({k}, "
                f"'{mov}', '{adm}', {av}, 1, '{dm}');\n")
        rem = lambda: rnd.randrange(100000, 1000000) / 100
        f.write(f"INSERT INTO QZLTBG06_INFORMACAO_RESCISAO ({chave}, VR_REMUNERACAO_ANTERIOR_RSCSO, "
                f"VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, IC_ORIGEM_SALDO_RESCISORIO, "
                f"VR_SALDO_RESCISORIO) VALUES ({k}, {rem()}, {rem()}, {rem() if av == 2 else 0}, "
                f"'N', {rnd.randrange(100000, 5000000) / 100});\n")
        if i % 2000 == 1999:
            f.write("COMMIT;\n")
        # The storing alone: the same UPDATE GravarCalculo runs, one per link.
        v = lambda: f"{rnd.randrange(0, 100000) / 100:.2f}"
        cols = ["VR_JAM_SALDO_RESCISORIO = " + v()]
        for devida, suf, mc in [("DT_DEVIDA_ANTERIOR_RESCISAO", "ANTERIOR_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RSCSO"),
                                ("DT_DEVIDA_RESCISAO", "RESCISAO", "VR_MULTA_CNTRO_RESCISAO"),
                                ("DT_DEVIDA_AVISO_PREVIO", "AVISO_PREVIO", "VR_MULTA_CNTRO_AVISO_PREVIO"),
                                ("DT_DEVIDA_MULTA_RESCISORIA", "MULTA_RESCISORIA", "VR_MULTA_CNTRO_MULTA_RESCISORIA")]:
            cols += [f"{devida} = '{dm + dt.timedelta(days=10)}'", f"VR_DEPOSITO_{suf} = {v()}",
                     f"VR_JAM_{suf} = {v()}", f"VR_MULTA_{suf} = {v()}", f"VR_CNTRO_{suf} = {v()}",
                     f"{mc} = {v()}"]
        u.write(f"UPDATE QZLTBG06_INFORMACAO_RESCISAO SET {', '.join(cols)} WHERE "
                f"NU_TIPO_INSO_EMPRA = 1 AND NU_INSCRICAO = {insc} AND NU_PIS = {pis} AND "
                f"NU_CATEGORIA = {cat} AND DT_ADMISSAO_VINCULO = '{adm}';\n")
    f.write("COMMIT;\n")
    u.write("COMMIT;\n")
PY

mkdir -p "$tmp/prog/BD"
cp "$modelo" "$tmp/prog/BD/VESK.FDB"
cp "$build/bin/MOLT.ini" "$tmp/prog/" 2>/dev/null || printf 'LOGSQL=N\r\nGRAVA_ARQUIVO=N\r\n' >"$tmp/prog/MOLT.ini"
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" -i "$tmp/carga.sql" >/dev/null
cp "$tmp/prog/BD/VESK.FDB" "$tmp/isql.fdb"

t0=$(date +%s.%N)
status=0
"$cli" --pasta "$tmp/prog" calcular --gravar >"$tmp/saida.txt" 2>"$tmp/erro.txt" || status=$?
t1=$(date +%s.%N)
t_prog=$(echo "$t1 - $t0" | bc -l)
resumo=$(tail -n 1 "$tmp/saida.txt")
[ "$status" -eq 0 ] || { echo "calcular terminou com $status: $resumo"; head -5 "$tmp/erro.txt"; }

t0=$(date +%s.%N)
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/isql.fdb" -i "$tmp/upd.sql" >/dev/null
t1=$(date +%s.%N)
t_isql=$(echo "$t1 - $t0" | bc -l)

echo "$resumo"
printf 'calcular --gravar de %d vínculos: %.3f s (%.0f vínculos/s)\n' "$n" "$t_prog" \
  "$(echo "$n / $t_prog" | bc -l)"
printf '%d UPDATE pelo isql-fb (uma transação): %.3f s\n' "$n" "$t_isql"
printf 'razão %.2f (meta <= 3)\n' "$(echo "$t_prog / $t_isql" | bc -l)"
