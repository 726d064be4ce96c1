# Helpers shared by the benchmark scripts (sourced by them, not run).

# First business day from day 10 of the collection window's month, DDMMYYYY,
# read from a copy of the database: a collection date every import accepts.
#   data_recolhimento ISQL BANCO
data_recolhimento() {
  local data
  data=$("$1" -user SYSDBA -password tulipvane "$2" -q <<'SQL' | grep -Eo '[0-9]{4}-[0-9]{2}-[0-9]{2}' | head -1
SET HEADING OFF;
SELECT MIN(D.DT_UTIL) FROM QZLTBT15_DIA_UTIL D
 WHERE D.DT_UTIL >= (SELECT DATEADD(10 - EXTRACT(DAY FROM R) DAY TO R) FROM
       (SELECT COALESCE(MIN(DT_RECOLHIMENTO_PRORATA), CURRENT_DATE) AS R
          FROM QZLTBT18_INDICE_PRORATA));
SQL
)
  echo "${data:8:2}${data:5:2}${data:0:4}"
}

# Figures of a `/usr/bin/time -v` report: wall-clock seconds, processor
# seconds (user + system) and peak resident memory in kB.
segundos_relogio() {
  awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,p,":"); s=0; for(i=1;i<=n;i++) s=s*60+p[i]; print s}' "$1"
}
segundos_processador() { awk -F': ' '/User time|System time/ {s+=$2} END {print s}' "$1"; }
memoria_kb() { awk -F': ' '/Maximum resident set size/ {print $2}' "$1"; }
