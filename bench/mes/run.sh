#!/usr/bin/env bash
# A month's work on the command line at scale (10,000 links under 200
# companies by default), with the bank played by tools/banco: every step of
# the month is timed with its peak memory, beside the floor that the step's
# own benchmark measures (bench/<step>/run.sh at the same size, run here one
# after the other and read from what it prints). Prints a table and the
# month's total against the sum of the floors (goal: month <= 2 x floors; no
# step above 300 MB).
#
#   bench/mes/run.sh [BUILD_DIR] [LINKS] [COMPANIES]
#
# PISOS=0 skips the step benchmarks (the table then shows the month alone);
# MANTER=1 keeps the work folder. The bank's own work (answering files) is not
# part of the month's time.
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
. "$RAIZ/bench/comum.sh"
BUILD="${1:-$RAIZ/build}"
VINCULOS="${2:-10000}"
EMPRESAS="${3:-200}"
CLI="$BUILD/bin/vesk-cli"
MODELO="$BUILD/bin/BD/VESK.FDB"
BANCO="python3 $RAIZ/tools/banco/banco.py"
for f in "$CLI" "$MODELO"; do
  [ -e "$f" ] || { echo "não encontrado: $f (compile o projeto antes)" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen

TMP="$(mktemp -d)"
[ -n "${MANTER:-}" ] && echo "pasta: $TMP" || trap 'rm -rf "$TMP"' EXIT
for d in prog restaurado; do
  mkdir -p "$TMP/$d/BD"
  cp "$MODELO" "$TMP/$d/BD/VESK.FDB"
  cp "$BUILD/bin/MOLT.ini" "$TMP/$d/" 2>/dev/null || printf 'LOGSQL=N\r\nGRAVA_ARQUIVO=N\r\n' >"$TMP/$d/MOLT.ini"
  cp "$BUILD"/bin/lkwselo.* "$TMP/$d/"
done
X="$TMP/troca"
mkdir -p "$X"

python3 "$RAIZ/tools/gerar_folha/gerar_folha.py" "$X/VESK.re" --empresas "$EMPRESAS" \
  --vinculos "$VINCULOS" --complementos 0.1 --cei --responsavel-empresa --semente 2026

# One step of the month: its name, then the vesk-cli arguments.
declare -A TEMPO MEMORIA
PASSOS=()
passo() {
  local nome="$1"; shift
  if ! /usr/bin/time -v "$CLI" "$@" >"$TMP/$nome.out" 2>"$TMP/$nome.time"; then
    echo "falhou: $nome ($*)" >&2; tail -20 "$TMP/$nome.out" "$TMP/$nome.time" >&2; exit 1
  fi
  TEMPO[$nome]=$(segundos_relogio "$TMP/$nome.time")
  MEMORIA[$nome]=$(echo "scale=1; $(memoria_kb "$TMP/$nome.time") / 1024" | bc)
  PASSOS+=("$nome")
  printf '  %-24s %8.2f s %8.1f MB\n' "$nome" "${TEMPO[$nome]}" "${MEMORIA[$nome]}"
}

echo "Mês de $VINCULOS vínculos em $EMPRESAS empresas:"
P=(--pasta "$TMP/prog")
passo importar-folha "${P[@]}" importar-folha "$X/VESK.re" --solicitar-saldo "$X/Sol.HXF"
$BANCO saldo "$X/Sol.HXF" "$X/saldo.txt" --folha "$X/VESK.re" >/dev/null
passo carregar-saldo "${P[@]}" carregar-saldo "$X/saldo.txt"
DATA=$(grep -m1 '' "$X/VESK.re" | cut -c292-299)
passo abrir-recolhimento "${P[@]}" abrir-recolhimento "${DATA:0:2}/${DATA:2:2}/${DATA:4:4}"
passo marcar "${P[@]}" marcar --todos
passo simular "${P[@]}" simular
passo fechar "${P[@]}" fechar --saida "$X" --declaro-ctps
LINHAS=$(grep -o 'linha digitável [0-9]\{48\}' "$TMP/fechar.out" | awk '{print $3}')
passo exportar-guias "${P[@]}" exportar-guias "$X/guias.pdf" $LINHAS
$BANCO certificado "$X/cert" >/dev/null
$BANCO recibo "$X/GuiaVESK.HXF" --chave "$X/cert/chave.pem" --certificado "$X/cert/certificado.pem" \
  --saida "$X/recibo.xml" >/dev/null
passo recibo "${P[@]}" recibo "$X/recibo.xml"
$BANCO retorno "$X/GuiaVESK.HXF" "$X/retorno.txt"
passo carregar-retorno "${P[@]}" carregar-retorno "$X/retorno.txt"
$BANCO chave "$X/GuiaVESK.HXF" "$X/chave.txt" >/dev/null
passo carregar-chave "${P[@]}" carregar-chave "$X/chave.txt"
passo exportar-comprovantes "${P[@]}" exportar-comprovantes "$X/comprovantes.pdf" --todas
passo backup "${P[@]}" backup "$X/backup.zip"
passo restaurar --pasta "$TMP/restaurado" restaurar "$X/backup.zip"

# The floors, each from its own benchmark at the same size.
declare -A PISO
if [ "${PISOS:-1}" != 0 ]; then
  echo "Pisos (benchmark de cada passo):"
  # Runs a step's own benchmark; one that fails leaves its floor empty.
  piso_de() {
    local nome="$1" saida="${*: -1}"
    set -- "${@:2:$#-2}"
    bash "$RAIZ/bench/$nome/run.sh" "$BUILD" "$@" >"$saida" 2>&1 ||
      echo "  o benchmark $nome falhou (ver $saida)" >&2
  }
  # The last "N.NN s" figure of the first line holding the text.
  numero() { grep -m1 -F "$1" "$2" | grep -oE '[0-9]*[.,][0-9]+ s' | tail -1 | cut -d' ' -f1 | tr , .; }
  piso_de importacao "$VINCULOS" "$EMPRESAS" "$TMP/b_imp.txt"
  PISO[importar-folha]=$(numero 'isql-fb (' "$TMP/b_imp.txt")
  piso_de saldo "$VINCULOS" "$EMPRESAS" "$TMP/b_saldo.txt"
  PISO[carregar-saldo]=$(numero 'isql-fb (' "$TMP/b_saldo.txt")
  piso_de fechamento "$VINCULOS" "$EMPRESAS" "$TMP/b_fech.txt"
  PISO[fechar]=$(numero 'piso (calcular' "$TMP/b_fech.txt")
  piso_de retorno "$VINCULOS" "$EMPRESAS" "$TMP/b_ret.txt"
  PISO[carregar-retorno]=$(numero 'isql-fb (' "$TMP/b_ret.txt")
  piso_de guias "$EMPRESAS" "$VINCULOS" "$TMP/b_guias.txt"
  # One floor for both exports: the same pages painted from memory.
  PISO[exportar-comprovantes]=$(numero 'piso (memória' "$TMP/b_guias.txt")
  piso_de backup "$VINCULOS" "$TMP/b_bkp.txt"
  PISO[backup]=$(numero 'zip -9 -P' "$TMP/b_bkp.txt")
  PISO[restaurar]=$(numero 'isql-fb (INSERTs)' "$TMP/b_bkp.txt")
fi

echo
printf '%-24s %10s %10s %10s\n' passo "tempo (s)" "pico (MB)" "piso (s)"
TOTAL=0; PISOS_SOMA=0; MAIOR=0
for p in "${PASSOS[@]}"; do
  piso="${PISO[$p]:-}"
  if [ -n "$piso" ]; then
    printf '%-24s %10.2f %10.1f %10.2f\n' "$p" "${TEMPO[$p]}" "${MEMORIA[$p]}" "$piso"
  else
    printf '%-24s %10.2f %10.1f %10s\n' "$p" "${TEMPO[$p]}" "${MEMORIA[$p]}" -
  fi
  TOTAL=$(echo "$TOTAL + ${TEMPO[$p]}" | bc)
  [ -n "$piso" ] && PISOS_SOMA=$(echo "$PISOS_SOMA + $piso" | bc)
  if (( $(echo "${MEMORIA[$p]} > $MAIOR" | bc) )); then MAIOR=${MEMORIA[$p]}; fi
done
printf '%-24s %10.2f %10.1f %10.2f\n' "mês (total)" "$TOTAL" "$MAIOR" "$PISOS_SOMA"
if [ "$PISOS_SOMA" != 0 ]; then
  printf 'razão mês/pisos: %.2f   (meta <= 2; nenhum passo acima de 300 MB; os passos sem\n' \
    "$(echo "$TOTAL / $PISOS_SOMA" | bc -l)"
  echo 'benchmark próprio contam no mês e não nos pisos)'
fi
