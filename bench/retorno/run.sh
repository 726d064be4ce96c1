#!/usr/bin/env bash
# Processed-guide return benchmark: the links of a generated payroll file
# (10,000 under 50 companies by default) are imported, closed (state 2) and
# recorded as a sent file; the simulated bank answers them and
# `vesk-cli carregar-retorno` is timed on that database against isql-fb
# running, in one transaction on an identical copy, the statements of the
# same final rows (each company guide and individual guide written, one state
# update per link).
#
#   bench/retorno/run.sh [BUILD_DIR] [LINKS] [COMPANIES]
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/../.." && pwd)"
. "$RAIZ/bench/comum.sh"
BUILD="${1:-$RAIZ/build}"
VINCULOS="${2:-10000}"
EMPRESAS="${3:-50}"
CLI="$BUILD/bin/vesk-cli"
MODELO="$BUILD/bin/BD/VESK.FDB"
ISQL="$(command -v isql-fb || command -v isql)"
IDENT="202612101015300000000000099999"
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

# The closing is simulated: links closed, the sent file and its companies recorded.
python3 - "$TMP/VESK.re" "$IDENT" > "$TMP/fechamento.sql" <<'PY'
import sys
linhas = open(sys.argv[1], encoding="cp1252", newline="").read().split("\r\n")
ident = sys.argv[2]
print("SET AUTODDL OFF;")
print("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2;")
print("INSERT INTO QZLTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, NU_ARQUIVO, IC_ARQUIVO_VALIDO) "
      "VALUES ('%s', 3, 'N');" % ident)
for l in linhas:
    if l.startswith("10"):
        print("INSERT INTO QZLTBG15_ENVIO_EMPRESA (NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, "
              "NU_INSCRICAO_ENVIO) VALUES ('%s', %s, %d);" % (ident, l[2], int(l[3:17])))
print("COMMIT;")
PY
"$ISQL" -user SYSDBA -password tulipvane "$TMP/carga/BD/VESK.FDB" -q -bail -i "$TMP/fechamento.sql"
python3 "$RAIZ/tools/banco/banco.py" retorno --folha "$TMP/VESK.re" --identificador "$IDENT" \
  "$TMP/retorno.HX" --semente 2026
# The same database for isql: closed links and the sent file, before the return.
cp "$TMP/carga/BD/VESK.FDB" "$TMP/sql/BD/VESK.FDB"

# The statements of the same final rows, from the return itself.
python3 - "$TMP/retorno.HX" "$TMP/carga.sql" <<'PY'
import sys, datetime as dt
linhas = open(sys.argv[1], encoding="cp1252", newline="").read().split("\r\n")
def data(s, ano_primeiro=False):
    if s.strip("0 ") == "":
        return "NULL"
    return "'%s'" % dt.datetime.strptime(s, "%Y%m%d" if ano_primeiro else "%d%m%Y").date()
def linha_digitavel(c):
    blocos = [c[i:i + 11] for i in range(0, 44, 11)]
    def m11(b):
        s, p = 0, 2
        for d in reversed(b):
            s += int(d) * p
            p = 2 if p == 9 else p + 1
        r = s % 11
        return 0 if r < 2 else 11 - r
    return "".join(b + str(m11(b)) for b in blocos)
def v(s):
    n = int(s)
    return "%d.%02d" % (n // 100, n % 100)
def t(s):
    s = s.rstrip()
    return "'%s'" % s.replace("'", "''") if s else "NULL"
def n(s):
    s = s.strip()
    return str(int(s)) if s and int(s) else "NULL"
cab = linhas[0]
ident = cab[340:370]
pagamento = data(cab[304:312])
out = ["SET AUTODDL OFF;", "SET TRANSACTION;"]
barras = None
l40 = None
for l in linhas:
    tipo = l[:2]
    if tipo == "10":
        barras = linha_digitavel(l[216:260])
        out.append(
            "INSERT INTO QZLTBG08_GUIA_TOTALIZADORA (CO_BARRAS, NU_IDENTIFICADOR_ARQUIVO, "
            "NU_TIPO_INSCRICAO_GUIA, NU_INSCRICAO_GUIA, NO_RAZAO_SOCIAL, DE_LOGRADOURO, NU_DDD, "
            "NU_TELEFONE, NU_CEP, NO_BAIRRO, NO_LOCALIDADE, SG_UF_GUIA_TOTALIZADORA, NU_FPAS_GUIA, "
            "NU_SIMPLES_GUIA, NU_CNAE_GUIA, NU_BANCO, NU_AGENCIA, DT_RECOLHIMENTO, DT_QUITACAO, "
            "DT_PROCESSAMENTO) VALUES ('%s', '%s', %s, %d, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, "
            "%s, %s, %s, %s, %s, %s);" % (
                barras, ident, l[2], int(l[3:17]), t(l[53:93]), t(l[93:143]), n(l[193:197]),
                n(l[197:205]), n(l[163:171]), t(l[143:163]), t(l[171:191]), t(l[191:193]),
                n(l[206:209]), n(l[205]), n(l[209:216]), n(l[260:263]), n(l[263:268]), pagamento,
                data(l[268:276], True), data(l[276:284], True)))
    elif tipo == "40":
        l40 = l
        out.append("UPDATE QZLTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 3 WHERE "
                   "NU_TIPO_INSO_EMPRA = %s AND NU_INSCRICAO = %d AND NU_PIS = %d AND "
                   "NU_CATEGORIA = %d AND DT_ADMISSAO_VINCULO = %s AND IC_ESTADO_MOVIMENTO = 2;" % (
                       l[2], int(l[3:17]), int(l[32:43]), int(l[51:53]), data(l[43:51])))
    elif tipo == "42":
        a = l40
        valores = [v(a[269:284]), v(a[292:307]), v(a[315:330]), v(a[338:353])] + \
                  [v(l[53 + 13 * k:66 + 13 * k]) for k in range(20)]
        out.append(
            "INSERT INTO QZLTBG09_GUIA_INDIVIDUAL (CO_BARRAS, NU_PIS_GUIA, DT_ADMISSAO_GUIA, "
            "NU_CATEGORIA_GUIA, NO_EMPREGADO, DT_OPCAO, DT_MOVIMENTACAO, CO_MOVIMENTACAO_GUIA, "
            "IC_AVISO_PREVIO, DT_DISSIDIO, DT_NASCIMENTO, NU_CTPS, NU_SERIE_CTPS, "
            "NU_TIPO_INSO_TMDR_GUIA, NU_INSCRICAO_TMDR_GUIA, VR_REMUNERACAO_ANTERIOR_RSCSO, "
            "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, VR_MULTA_RESCISORIA, "
            "VR_DEPOSITO_ANTERIOR_RESCISAO, VR_JAM_ANTERIOR_RESCISAO, VR_MULTA_ANTERIOR_RESCISAO, "
            "VR_CNTRO_ANTERIOR_RESCISAO, VR_MULTA_CNTRO_ANTERIOR_RSCSO, VR_DEPOSITO_RESCISAO, "
            "VR_JAM_RESCISAO, VR_MULTA_RESCISAO, VR_CNTRO_RESCISAO, VR_MULTA_CNTRO_RESCISAO, "
            "VR_DEPOSITO_AVISO_PREVIO, VR_JAM_AVISO_PREVIO, VR_MULTA_AVISO_PREVIO, "
            "VR_CNTRO_AVISO_PREVIO, VR_MULTA_CNTRO_AVISO_PREVIO, VR_DEPOSITO_MULTA_RESCISORIA, "
            "VR_JAM_MULTA_RESCISORIA, VR_MULTA_MULTA_RESCISORIA, VR_CNTRO_MULTA_RESCISORIA, "
            "VR_MULTA_CNTRO_MULTA_RESCISORIA) VALUES ('%s', %d, %s, %d, %s, %s, %s, %s, %s, %s, %s, "
            "%s, %s, %s, %s, %s);" % (
                barras, int(a[32:43]), data(a[43:51]), int(a[51:53]), t(a[53:123]),
                data(a[136:144]), data(a[152:160]), t(a[160:162]), n(a[170]), data(a[162:170]),
                data(a[144:152]), n(a[124:131]), n(a[131:136]), l[17], int(l[18:32]),
                ", ".join(valores)))
out.append("UPDATE QZLTBG13_ARQUIVO SET IC_ARQUIVO_VALIDO = 'S', DT_GERACAO_ARQUIVO = CURRENT_TIMESTAMP "
           "WHERE NU_IDENTIFICADOR_ARQUIVO = '%s';" % ident)
out.append("COMMIT;")
open(sys.argv[2], "w").write("\n".join(out) + "\n")
PY
LINHAS=$(grep -c . "$TMP/retorno.HX" || true)
INSTRUCOES=$(grep -c '^\(INSERT\|UPDATE\)' "$TMP/carga.sql")

/usr/bin/time -v "$CLI" --pasta "$TMP/carga" carregar-retorno "$TMP/retorno.HX" \
  > "$TMP/carga.out" 2> "$TMP/carga.time" || { cat "$TMP/carga.out" "$TMP/carga.time" >&2; exit 1; }
T_CARGA=$(segundos_relogio "$TMP/carga.time")
RSS_KB=$(memoria_kb "$TMP/carga.time")
PROCESSADOS=$(grep -Eo 'Vínculos processados: [0-9]+' "$TMP/carga.out" | grep -Eo '[0-9]+')

/usr/bin/time -v "$ISQL" -user SYSDBA -password tulipvane "$TMP/sql/BD/VESK.FDB" -q \
  -i "$TMP/carga.sql" > "$TMP/sql.out" 2> "$TMP/sql.time"
if grep -qi 'error\|violation' "$TMP/sql.out"; then head -20 "$TMP/sql.out" >&2; exit 1; fi
T_SQL=$(segundos_relogio "$TMP/sql.time")
C_CARGA=$(segundos_processador "$TMP/carga.time")
C_SQL=$(segundos_processador "$TMP/sql.time")

printf 'retorno:             %d linhas, %d vínculos, %d empresas; %d vínculos processados\n' \
  "$LINHAS" "$VINCULOS" "$EMPRESAS" "$PROCESSADOS"
printf 'carregar-retorno:    %.2f s   pico de memória %.1f MB   %.0f vínculos/s\n' \
  "$T_CARGA" "$(echo "$RSS_KB / 1024" | bc -l)" "$(echo "$VINCULOS / $T_CARGA" | bc -l)"
printf 'isql-fb (%d instruções, uma transação): %.2f s\n' "$INSTRUCOES" "$T_SQL"
printf 'razão carga/isql: %.2f   (meta <= 3; memória < 300 MB)\n' \
  "$(echo "$T_CARGA / $T_SQL" | bc -l)"
# On a shared machine the processor time of each side is the steadier figure.
printf 'tempo de processador: carga %.2f s, isql-fb %.2f s, razão %.2f\n' \
  "$C_CARGA" "$C_SQL" "$(echo "$C_CARGA / $C_SQL" | bc -l)"
