#!/usr/bin/env bash
# Closing a collection run against the floor of what it must store:
#  1. a copy of the built database gets 10,000 terminated links under 200
#     employers, all marked for a run paid on 23/11/2026 (a payment date of
#     the shipped index edition);
#  2. "vesk-cli fechar" closes it: checks, computes and stores every link,
#     writes the file, the guides and the protocol, and seals the envelope;
#  3. the floor, on another copy: "vesk-cli calcular --gravar" plus isql-fb
#     running INSERTs of as many rows as the closing added to QZLTBG08, 09
#     and 13-16 (rows of the same shape, in one transaction).
# Prints both times, the ratio (goal <= 2), the closing's peak memory (goal
# < 300 MB) and the seconds spent waiting for distinct guide identifiers.
# Usage: bench/fechamento/run.sh [build folder] [links] [employers]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$raiz/build}"
n="${2:-10000}"
empresas="${3:-200}"
modelo="$build/bin/BD/VESK.FDB"
cli="$build/bin/vesk-cli"
[ -x "$cli" ] || cmake --build "$build" --target vesk-cli lkwselo >/dev/null
tmp="$(mktemp -d)"
[ -n "${MANTER:-}" ] && echo "pasta: $tmp" || trap 'rm -rf "$tmp"' EXIT
isql=$(command -v isql-fb || command -v isql)

python3 - "$tmp" "$n" "$empresas" <<'PY'
import datetime as dt, random, sys
pasta, n, ne = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rnd = random.Random(20261123)
chave = "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO"
def cnpj(base):
    d = [int(c) for c in f"{base:012d}"]
    for pesos in ([5,4,3,2,9,8,7,6,5,4,3,2], [6,5,4,3,2,9,8,7,6,5,4,3,2]):
        s = sum(a * b for a, b in zip(d, pesos)) % 11
        d.append(0 if s < 2 else 11 - s)
    return int("".join(map(str, d)))
with open(f"{pasta}/carga.sql", "w") as f:
    f.write("SET AUTODDL OFF;\nDELETE FROM QZLTBG01_ABERTURA_RECOLHIMENTO;\n")
    resp = cnpj(99888777000)
    f.write(f"INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
            f"IC_ESTADO_EMPRESA, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, SG_UF) VALUES "
            f"(1, {resp}, 'ESCRITORIO RESPONSAVEL', 'R', 'RUA A 10', 'CENTRO', 70000000, "
            f"'BRASILIA', 'DF');\n")
    f.write(f"INSERT INTO QZLTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, "
            f"DT_PAGAMENTO) VALUES (1, {resp}, '2026-11-23');\n")
    # Distinct roots: a guide identifier holds the second and the inscription's
    # digits 2-8, so only branches of one company share them.
    inscs = [cnpj((11000000 + 37 * e) * 10000 + 1) for e in range(ne)]
    for e, insc in enumerate(inscs):
        f.write(f"INSERT INTO QZLTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, "
                f"NU_INSS, NU_IBGE, NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA, DE_LOGRADOURO, NO_BAIRRO, "
                f"NU_CEP, NO_LOCALIDADE, SG_UF) VALUES (1, {insc}, 1, 507, 4711302, "
                f"'EMPRESA {e:03d}', 'E', 'RUA B 20', 'CENTRO', 70000000, 'BRASILIA', 'DF');\n")
    for i in range(n):
        insc = inscs[i % ne]
        pis = 10000000000 + i
        adm = dt.date(2010, 1, 4) + dt.timedelta(days=rnd.randrange(3000))
        dm = dt.date(2026, 10, 26) + dt.timedelta(days=rnd.randrange(25))
        k = f"1, {insc}, {pis}, 1, '{adm}'"
        f.write(f"INSERT INTO QZLTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES ({pis}, "
                f"'TRABALHADOR {i:05d}');\n")
        f.write(f"INSERT INTO QZLTBG04_VINCULO_EMPREGATICIO ({chave}, CO_MOVIMENTACAO, DT_OPCAO, "
                f"IC_AVISO_PREVIO, IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO, "
                f"IC_VALIDACAO_VINCULO) VALUES ({k}, 'I1', '{adm}', 1, 1, '{dm}', 'N');\n")
        f.write(f"INSERT INTO QZLTBG06_INFORMACAO_RESCISAO ({chave}, VR_REMUNERACAO_RESCISAO, "
                f"IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO, IC_TIPO_PNSO_ALMNA) VALUES "
                f"({k}, {rnd.randrange(150000, 900000) / 100}, 'E', "
                f"{rnd.randrange(100000, 5000000) / 100}, 'N');\n")
        if i % 2000 == 1999:
            f.write("COMMIT;\n")
    f.write("COMMIT;\n")
PY

mkdir -p "$tmp/prog/BD" "$tmp/saida"
cp "$modelo" "$tmp/prog/BD/VESK.FDB"
cp "$build/bin/MOLT.ini" "$tmp/prog/" 2>/dev/null || printf 'LOGSQL=N\r\nGRAVA_ARQUIVO=N\r\n' >"$tmp/prog/MOLT.ini"
cp "$build"/bin/lkwselo.* "$tmp/prog/"
"$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" -i "$tmp/carga.sql" >/dev/null
mkdir -p "$tmp/piso/BD"
cp "$tmp/prog/BD/VESK.FDB" "$tmp/piso/BD/VESK.FDB"
cp "$tmp/prog/MOLT.ini" "$tmp/piso/"

# The closing.
/usr/bin/time -v -o "$tmp/tempo.txt" ${PREFIXO:-} "$cli" --pasta "$tmp/prog" fechar --saida "$tmp/saida" \
  --declaro-ctps >"$tmp/fechar.txt" 2>"$tmp/fechar.err" || { cat "$tmp/fechar.err"; exit 1; }
t_fechar=$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$tmp/tempo.txt")
pico=$(awk -F': ' '/Maximum resident/ {printf "%.1f", $2/1024}' "$tmp/tempo.txt")
espera=$(awk -F': ' '/Espera do identificador/ {print $2}' "$tmp/fechar.txt")

# The rows it added, counted per table.
conta() {
  echo "SET HEADING OFF; SELECT COUNT(*) FROM $1;" |
    "$isql" -q -user SYSDBA -password tulipvane "$tmp/prog/BD/VESK.FDB" | tr -d ' \n'
}
declare -A linhas
for t in QZLTBG08_GUIA_TOTALIZADORA QZLTBG09_GUIA_INDIVIDUAL QZLTBG13_ARQUIVO \
         QZLTBG14_OCORRENCIA_GUIA QZLTBG15_ENVIO_EMPRESA QZLTBG16_ENVIO_EMPREGADO; do
  linhas[$t]=$(conta $t)
done

# The floor: computing and storing, then INSERTs of as many rows of each table.
python3 - "$tmp" "${linhas[QZLTBG08_GUIA_TOTALIZADORA]}" "${linhas[QZLTBG09_GUIA_INDIVIDUAL]}" \
  "${linhas[QZLTBG14_OCORRENCIA_GUIA]}" "${linhas[QZLTBG15_ENVIO_EMPRESA]}" \
  "${linhas[QZLTBG16_ENVIO_EMPREGADO]}" <<'PY'
import sys
pasta, g08, g09, g14, g15, g16 = sys.argv[1], *map(int, sys.argv[2:])
ident = "202611231200000000000000012345"
cod = lambda i: f"{85800000000 + i:011d}0" * 4
with open(f"{pasta}/piso.sql", "w") as f:
    f.write("SET AUTODDL OFF;\n")
    f.write(f"INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO, NM_ARQUIVO, "
            f"DT_GERACAO_ARQUIVO) VALUES ('{ident}', 3, '/tmp/GuiaVESK.HXF', '2026-11-23');\n")
    for i in range(g08):
        f.write(f"INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
                f"NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, NO_RAZAO_SOCIAL, DT_RECOLHIMENTO, "
                f"VR_TOTAL_RECOLHIDO) VALUES ('{cod(i)}', '{ident}', 1, {11222333000100 + i}, "
                f"'EMPRESA {i:03d}', '2026-11-23', 12345.67);\n")
    for i in range(g09):
        f.write(f"INSERT INTO QZLTBG09_GUIA_INDIVIDUAL (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
                f"NU_CATEGORIA_GUIA, NO_EMPREGADO, VR_DEPOSITO_RESCISAO, VR_MULTA_RESCISORIA) VALUES "
                f"('{cod(i % max(g08, 1))}', {10000000000 + i}, '2015-01-05', 1, "
                f"'TRABALHADOR {i:05d}', 160.00, 2064.00);\n")
    for i in range(g14):
        f.write(f"INSERT INTO QZLTBG14_OCORRENCIA_GUIA (NU_IDENTIFICADOR_ARQUIVO, NU_LINHA, "
                f"DE_LINHA_ARQUIVO) VALUES ('{ident}', {i + 1}, '{'4' * 533}');\n")
    for i in range(g15):
        f.write(f"INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, "
                f"NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NO_RAZAO_SOCIAL, "
                f"VR_TOTAL_RECOLHIDO, CO_BARRAS_ENVIO_EMPRESA, DT_RECOLHIMENTO_ENVIO_EMPRESA) "
                f"VALUES ('{ident}', 1, {11222333000100 + i}, 'EMPRESA {i:03d}', 12345.67, "
                f"'{cod(i)}', '2026-11-23');\n")
    for i in range(g16):
        f.write(f"INSERT INTO QZLTBG16_ENVIO_EMPREGADO (NU_IDENTIFICADOR_ARQUIVO, "
                f"NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, NU_CATEGORIA_ENVIO, "
                f"DT_ADMISSAO_ENVIO, NO_EMPREGADO) VALUES ('{ident}', 1, "
                f"{11222333000100 + i % max(g15, 1)}, {10000000000 + i}, 1, '2015-01-05', "
                f"'TRABALHADOR {i:05d}');\n")
    f.write("COMMIT;\n")
PY
inicio=$(date +%s.%N)
/usr/bin/time -f "%U %S" -o "$tmp/cpu1.txt" "$cli" --pasta "$tmp/piso" calcular --gravar >/dev/null
/usr/bin/time -f "%U %S" -o "$tmp/cpu2.txt" \
  "$isql" -q -bail -user SYSDBA -password tulipvane "$tmp/piso/BD/VESK.FDB" -i "$tmp/piso.sql" >/dev/null
t_piso=$(echo "$(date +%s.%N) - $inicio" | bc)
# Processor time too: on a busy machine it is steadier than the wall clock.
cpu_fechar=$(awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {print u+s}' "$tmp/tempo.txt")
cpu_piso=$(cat "$tmp/cpu1.txt" "$tmp/cpu2.txt" | awk '{t+=$1+$2} END {print t}')

echo "Vínculos: $n em $empresas empresas; linhas gravadas: 08=${linhas[QZLTBG08_GUIA_TOTALIZADORA]} 09=${linhas[QZLTBG09_GUIA_INDIVIDUAL]} 14=${linhas[QZLTBG14_OCORRENCIA_GUIA]} 15=${linhas[QZLTBG15_ENVIO_EMPRESA]} 16=${linhas[QZLTBG16_ENVIO_EMPREGADO]}"
echo "fechar: ${t_fechar} s   piso (calcular --gravar + isql-fb): ${t_piso} s"
echo "tempo de processador: fechar ${cpu_fechar} s, piso ${cpu_piso} s, razão $(echo "scale=2; $cpu_fechar / $cpu_piso" | bc)"
echo "razão: $(echo "scale=2; $t_fechar / $t_piso" | bc)   pico de memória: ${pico} MB   espera do identificador de guia: ${espera}"
