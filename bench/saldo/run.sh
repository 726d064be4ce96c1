#!/usr/bin/env bash
# Balance load benchmark: 10,000 links are imported from a generated payroll
# file, their balances requested (vesk-cli solicitar-saldo) and answered by the
# simulated bank with two accounts each; `vesk-cli carregar-saldo` is timed on
# that database against isql-fb running the same statements in one
# transaction on an identical copy (per link a DELETE of its accounts; per
# account the INSERT and the UPDATE of the termination balance).
#
#   bench/saldo/run.sh [BUILD_DIR] [LINKS] [COMPANIES]
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
mkdir -p "$TMP/carga/BD" "$TMP/sql/BD"
cp "$MODELO" "$TMP/carga/BD/VESK.FDB"

RECOLHIMENTO=$(data_recolhimento "$ISQL" "$TMP/carga/BD/VESK.FDB")

python3 "$RAIZ/tools/gerar_folha/gerar_folha.py" "$TMP/VESK.re" --empresas "$EMPRESAS" \
  --vinculos "$VINCULOS" --recolhimento "$RECOLHIMENTO" --semente 2026
"$CLI" --pasta "$TMP/carga" importar-folha "$TMP/VESK.re" > /dev/null
"$CLI" --pasta "$TMP/carga" solicitar-saldo --todas --saida "$TMP/SolicitacaoIS.HXF" \
  > /dev/null 2>&1
SOLICITACAO="$TMP/SolicitacaoIS.HXF"
[ -e "$SOLICITACAO" ] || SOLICITACAO="$TMP/SolicitacaoIS.HX"
python3 "$RAIZ/tools/banco/banco.py" saldo "$SOLICITACAO" "$TMP/saldo.txt" \
  --folha "$TMP/VESK.re" --contas 2 --semente 2026
# The same database for isql: the imported links and the request, before the load.
cp "$TMP/carga/BD/VESK.FDB" "$TMP/sql/BD/VESK.FDB"

# The statements of the load, from the balance file itself.
python3 - "$TMP/saldo.txt" "$TMP/carga.sql" <<'PY'
import sys, datetime as dt
linhas = open(sys.argv[1], encoding="cp1252", newline="").read().split("\r\n")
def data(s):
    return "NULL" if s.strip("0 ") == "" else "'%s'" % dt.datetime.strptime(s, "%d%m%Y").date()
out = ["SET AUTODDL OFF;", "SET TRANSACTION;"]
grav = data(linhas[0][53:61])
vistos = set()
emp = None
for l in linhas:
    if l.startswith("1"):
        emp = l
    if not l.startswith("2"):
        continue
    chave = "NU_TIPO_INSO_EMPRA = %s AND NU_INSCRICAO = %d AND NU_PIS = %d AND NU_CATEGORIA = %d AND DT_ADMISSAO_VINCULO = %s" % (
        l[89], int(l[90:104]), int(l[104:115]), int(l[87:89]), data(l[66:74]))
    if chave not in vistos:
        vistos.add(chave)
        out.append("DELETE FROM QZLTBG10_CONTA_EMPREGADO_ZELT WHERE %s;" % chave)
    saldo = int(l[74:87])
    out.append(
        "INSERT INTO QZLTBG10_CONTA_EMPREGADO_ZELT (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, MM_MAIOR_COMPETENCIA, NU_SITUACAO_CONTA_EMPREGADO, "
        "NU_SITUACAO_PIS, NU_EMPREGADO_VORDA, VR_SALDO_RESCISORIO, AA_MAIOR_COMPETENCIA, "
        "DT_GRAVACAO_ARQUIVO, NO_EMPREGADO, NU_SITUACAO_CONTA_EMPRESA, NU_EMPRESA_VORDA, "
        "DT_CREDITO_JUROS) VALUES (%s, %d, %d, %d, %s, %d, %d, %d, %d, %d.%02d, %d, %s, '%s', %d, %d, %s);" % (
            l[89], int(l[90:104]), int(l[104:115]), int(l[87:89]), data(l[66:74]), int(l[123:125]),
            int(l[117:119]), int(l[115:117]), int(l[15:26]), saldo // 100, saldo % 100,
            int(l[119:123]), grav, l[26:66].strip().replace("'", "''"), int(emp[86:88]),
            int(emp[1:15]), data(emp[55:63])))
    out.append(
        "UPDATE QZLTBG06_INFORMACAO_RESCISAO SET IC_ORIGEM_SALDO_RESCISORIO = 'C', "
        "VR_SALDO_RESCISORIO = (SELECT SUM(C.VR_SALDO_RESCISORIO) FROM QZLTBG10_CONTA_EMPREGADO_ZELT C "
        "WHERE C.%s) WHERE %s;" % (chave.replace(" AND ", " AND C."), chave))
out.append("COMMIT;")
open(sys.argv[2], "w").write("\n".join(out) + "\n")
PY
CONTAS=$(grep -c '^2' "$TMP/saldo.txt" || true)
INSTRUCOES=$(grep -c '^\(DELETE\|INSERT\|UPDATE\)' "$TMP/carga.sql")

/usr/bin/time -v "$CLI" --pasta "$TMP/carga" carregar-saldo "$TMP/saldo.txt" \
  > "$TMP/carga.out" 2> "$TMP/carga.time" || { cat "$TMP/carga.out" "$TMP/carga.time" >&2; exit 1; }
T_CARGA=$(segundos_relogio "$TMP/carga.time")
RSS_KB=$(memoria_kb "$TMP/carga.time")
GRAVADAS=$(grep -Eo 'Contas gravadas: [0-9]+' "$TMP/carga.out" | grep -Eo '[0-9]+')

INICIO=$(date +%s.%N)
"$ISQL" -user SYSDBA -password tulipvane "$TMP/sql/BD/VESK.FDB" -q -i "$TMP/carga.sql" \
  > "$TMP/sql.out" 2>&1
FIM=$(date +%s.%N)
if grep -qi 'error\|violation' "$TMP/sql.out"; then head -20 "$TMP/sql.out" >&2; exit 1; fi
T_SQL=$(echo "$FIM - $INICIO" | bc -l)

printf 'arquivo de saldo:    %d contas de %d vínculos, %d empresas; %d contas gravadas\n' \
  "$CONTAS" "$VINCULOS" "$EMPRESAS" "$GRAVADAS"
printf 'carregar-saldo:      %.2f s   pico de memória %.1f MB   %.0f contas/s\n' \
  "$T_CARGA" "$(echo "$RSS_KB / 1024" | bc -l)" "$(echo "$CONTAS / $T_CARGA" | bc -l)"
printf 'isql-fb (%d instruções, uma transação): %.2f s\n' "$INSTRUCOES" "$T_SQL"
printf 'razão carga/isql: %.2f   (meta <= 2; memória < 300 MB)\n' \
  "$(echo "$T_CARGA / $T_SQL" | bc -l)"
