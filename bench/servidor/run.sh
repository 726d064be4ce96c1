#!/usr/bin/env bash
# The database on a server against the embedded file: the same payroll file
# of LINKS links is imported with `vesk-cli importar-folha` into two fresh
# copies of the built database, one opened by the embedded engine and one
# through a private Firebird server on the loopback (tools/servidor_teste.sh,
# wire encryption on); then, in each, every link is marked for the run that
# the import opened and `vesk-cli calcular --gravar` computes and stores them.
# Prints the times of both operations in both places and their ratios
# (goal: server <= 2 x embedded).
#
#   bench/servidor/run.sh [BUILD_DIR] [LINKS] [COMPANIES]
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
trap 'bash "$RAIZ/tools/servidor_teste.sh" parar "$TMP/servidor"; [ -n "${MANTER:-}" ] || rm -rf "$TMP"' EXIT
bash "$RAIZ/tools/servidor_teste.sh" iniciar "$TMP/servidor" >/dev/null
. "$TMP/servidor/servidor.env"

for lugar in embutido servidor; do
  mkdir -p "$TMP/$lugar/BD"
  cp "$MODELO" "$TMP/$lugar/BD/VESK.FDB"
  printf 'LOGSQL=N\r\nGRAVA_ARQUIVO=N\r\n' >"$TMP/$lugar/MOLT.ini"
done
printf 'BANCO=%s:%s\r\nUSUARIO=%s\r\nSENHA=%s\r\n' "$VESK_SERVIDOR" "$TMP/servidor/BD/VESK.FDB" \
  "$VESK_SERVIDOR_USUARIO" "$VESK_SERVIDOR_SENHA" >>"$TMP/servidor/MOLT.ini"

# The generator's default collection date is a payment date of the shipped
# index edition, so that every link can be marked and computed.
python3 "$RAIZ/tools/gerar_folha/gerar_folha.py" "$TMP/VESK.re" --empresas "$EMPRESAS" \
  --vinculos "$VINCULOS" --complementos 0.1 --cei --semente 2026 >/dev/null

# Wall-clock seconds of one vesk-cli command in a program folder.
cronometrar() {
  local pasta="$1" rotulo="$2"
  shift 2
  local t0 t1
  t0=$(date +%s.%N)
  "$CLI" --pasta "$pasta" "$@" >"$TMP/$rotulo.out" 2>"$TMP/$rotulo.err" || {
    echo "$rotulo falhou:" >&2
    tail -n 5 "$TMP/$rotulo.out" "$TMP/$rotulo.err" >&2
    exit 1
  }
  t1=$(date +%s.%N)
  echo "$t1 - $t0" | bc -l
}

declare -A T
for lugar in embutido servidor; do
  T[importar_$lugar]=$(cronometrar "$TMP/$lugar" "importar_$lugar" importar-folha "$TMP/VESK.re")
  "$CLI" --pasta "$TMP/$lugar" marcar --todos >"$TMP/marcar_$lugar.out" 2>&1 || true
  T[calcular_$lugar]=$(cronometrar "$TMP/$lugar" "calcular_$lugar" calcular --gravar)
done

# Both places must have stored the same thing.
resumo() {
  "$ISQL" -q -user SYSDBA -password "$2" "$1" <<'SQL'
SET HEADING OFF;
SELECT COUNT(*), SUM(IC_ESTADO_MOVIMENTO) FROM QZLTBG04_VINCULO_EMPREGATICIO;
SELECT COUNT(*), SUM(VR_DEPOSITO_RESCISAO), SUM(VR_JAM_MULTA_RESCISORIA) FROM QZLTBG06_INFORMACAO_RESCISAO;
SQL
}
E=$(resumo "$TMP/embutido/BD/VESK.FDB" tulipvane)
S=$(resumo "$VESK_SERVIDOR:$TMP/servidor/BD/VESK.FDB" "$VESK_SERVIDOR_SENHA")
[ "$E" = "$S" ] || { echo "os dois bancos divergem:"; echo "$E"; echo "$S"; exit 1; }

printf 'arquivo: %d vínculos, %d empresas; %s\n' "$VINCULOS" "$EMPRESAS" \
  "$(tail -n 1 "$TMP/calcular_embutido.out")"
for op in importar calcular; do
  rotulo=$([ "$op" = importar ] && echo "importar-folha   " || echo "calcular --gravar")
  printf '%s  embutido %8.2f s   servidor %8.2f s   razão %.2f (meta <= 2)\n' "$rotulo" \
    "${T[${op}_embutido]}" "${T[${op}_servidor]}" \
    "$(echo "${T[${op}_servidor]} / ${T[${op}_embutido]}" | bc -l)"
done
