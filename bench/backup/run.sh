#!/usr/bin/env bash
# Backup and restore benchmark: a database of N links (all 24 tables, filled by
# tools/gerar_base/gerar_base.py --completa) is backed up with `vesk-cli backup` and
# the time is compared with `zip -9 -P` of the same table files; the archive is
# restored with `vesk-cli restaurar` into a fresh copy and the time compared
# with isql-fb running the same DELETE and INSERT statements in one
# transaction on another fresh copy. Peak memory of both vesk-cli runs.
#
#   bench/backup/run.sh [BUILD_DIR] [LINKS]      (default 100000 links)
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${1:-$RAIZ/build}"
VINCULOS="${2:-100000}"
CLI="$BUILD/bin/vesk-cli"
MODELO="$BUILD/bin/BD/VESK.FDB"
ISQL="$(command -v isql-fb || command -v isql)"
SENHA=plom1976
for f in "$CLI" "$MODELO"; do
  [ -e "$f" ] || { echo "não encontrado: $f (compile o projeto antes)" >&2; exit 1; }
done

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
for d in origem restaurado isql; do
  mkdir -p "$TMP/$d/BD"
  cp "$MODELO" "$TMP/$d/BD/VESK.FDB"
  cp "$BUILD/bin/MOLT.ini" "$TMP/$d/" 2>/dev/null || true
done

segundos() { awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$1"; }
memoria() { awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2/1024}' "$1"; }

echo "Gerando a base de $VINCULOS vínculos..."
python3 "$RAIZ/tools/gerar_base/gerar_base.py" "$TMP/base.sql" --empresas $((VINCULOS / 100 + 1)) \
  --trabalhadores "$VINCULOS" --fechamentos 10 --quitadas 0.5 --semente 2026 --completa \
  --banco "$TMP/origem/BD/VESK.FDB" > /dev/null

# --- backup ---------------------------------------------------------------
/usr/bin/time -v "$CLI" --pasta "$TMP/origem" backup "$TMP/backup.zip" \
  > "$TMP/backup.out" 2> "$TMP/backup.time" || { cat "$TMP/backup.out" "$TMP/backup.time" >&2; exit 1; }
T_BKP=$(segundos "$TMP/backup.time"); M_BKP=$(memoria "$TMP/backup.time")

mkdir -p "$TMP/arquivos"
unzip -q -P "$SENHA" "$TMP/backup.zip" -d "$TMP/arquivos"
LINHAS=$(cat "$TMP"/arquivos/QZ*.txt | wc -l)
BYTES=$(cat "$TMP"/arquivos/*.txt | wc -c)
/usr/bin/time -v zip -q -j -9 -P "$SENHA" "$TMP/zip.zip" "$TMP"/arquivos/*.txt 2> "$TMP/zip.time"
T_ZIP=$(segundos "$TMP/zip.time")

# --- restore --------------------------------------------------------------
/usr/bin/time -v "$CLI" --pasta "$TMP/restaurado" restaurar "$TMP/backup.zip" \
  > "$TMP/rest.out" 2> "$TMP/rest.time" || { cat "$TMP/rest.out" "$TMP/rest.time" >&2; exit 1; }
T_RST=$(segundos "$TMP/rest.time"); M_RST=$(memoria "$TMP/rest.time")

# The same statements through isql-fb: the deletes (last table first), every
# file's INSERTs in load order, one commit.
TABELAS=(QZLTBG02_EMPRESA QZLTBG01_ABERTURA_RECOLHIMENTO QZLTBG03_EMPREGADO
  QZLTBG04_VINCULO_EMPREGATICIO QZLTBG06_INFORMACAO_RESCISAO QZLTBG05_ALTERACAO_CADASTRAL
  QZLTBG07_COMPLEMENTO_SALDO QZLTBG10_CONTA_EMPREGADO_ZELT QZLTBG13_ARQUIVO
  QZLTBG08_GUIA_TOTALIZADORA QZLTBG09_GUIA_INDIVIDUAL QZLTBG15_ENVIO_EMPRESA
  QZLTBG16_ENVIO_EMPREGADO QZLTBG14_OCORRENCIA_GUIA QZLTBG18_INCONSISTENCIA_ARQUIVO
  QZLTBT15_DIA_UTIL QZLTBT16_INDICE_GUIA_RESCISORIA QZLTBT17_INDICE_SIMPLIFICADO
  QZLTBT18_INDICE_PRORATA QZLTBG22_EMPREGADO_CNSGTRA QZLTBG30_REPOSICAO_VAGA
  QZLTBG19_RESPONSAVEL_HMLGO QZLTBG20_EMPRESA_HMLGO QZLTBG21_EMPREGADO_HMLGO)
{
  echo "SET AUTODDL OFF;"
  for ((i=${#TABELAS[@]}-1; i>=0; i--)); do echo "DELETE FROM ${TABELAS[$i]};"; done
  for t in "${TABELAS[@]}"; do cat "$TMP/arquivos/$t.txt"; done
  echo "COMMIT;"
} > "$TMP/carga.sql"
INICIO=$(date +%s.%N)
"$ISQL" -q -ch WIN1252 -user SYSDBA -password tulipvane "$TMP/isql/BD/VESK.FDB" -i "$TMP/carga.sql" \
  > "$TMP/isql.out" 2>&1
FIM=$(date +%s.%N)
if grep -qi 'error\|violation' "$TMP/isql.out"; then head -20 "$TMP/isql.out" >&2; exit 1; fi
T_ISQL=$(echo "$FIM - $INICIO" | bc -l)

printf 'base:                 %d vínculos, %d linhas INSERT, %.1f MB de texto, arquivo %.1f MB\n' \
  "$VINCULOS" "$LINHAS" "$(echo "$BYTES / 1048576" | bc -l)" \
  "$(echo "$(stat -c %s "$TMP/backup.zip") / 1048576" | bc -l)"
printf 'vesk-cli backup:      %.2f s   pico de memória %s MB\n' "$T_BKP" "$M_BKP"
printf 'zip -9 -P:            %.2f s\n' "$T_ZIP"
printf 'razão backup/zip:     %.2f   (meta <= 2)\n' "$(echo "$T_BKP / $T_ZIP" | bc -l)"
printf 'vesk-cli restaurar:   %.2f s   pico de memória %s MB\n' "$T_RST" "$M_RST"
printf 'isql-fb (INSERTs):    %.2f s\n' "$T_ISQL"
printf 'razão restauração/isql: %.2f   (meta <= 1.5; memória < 300 MB)\n' "$(echo "$T_RST / $T_ISQL" | bc -l)"
