#!/usr/bin/env bash
# A private Firebird server for tests and demonstrations. It runs as the
# calling user from a folder of its own: its own configuration, lock folder,
# temporary folder and security database, a free port on 127.0.0.1 only, and
# a SYSDBA created with a generated password. It never reads or changes the
# system's server, its configuration, its security database or its service,
# and it stops only the process it started (by its pid).
#
#   servidor_teste.sh iniciar PASTA [--sem-criptografia] [--banco MODELO]
#       Starts a server in PASTA (created; must not hold a server already).
#       With --banco, MODELO is copied to PASTA/VESK.FDB. Writes
#       PASTA/servidor.env (mode 0600) and prints it:
#         VESK_SERVIDOR=127.0.0.1/PORTA  VESK_SERVIDOR_USUARIO=SYSDBA
#         VESK_SERVIDOR_SENHA=...        VESK_SERVIDOR_PID=...
#       and, with --banco, the MOLT.ini lines that reach the copy.
#       --sem-criptografia starts a server that refuses wire encryption
#       (to test the client's refusal).
#   servidor_teste.sh parar PASTA
#       Stops the server started in PASTA and waits for it to end.
#   servidor_teste.sh executar [--sem-criptografia] -- COMANDO [ARGS...]
#       Starts a server in a temporary folder, runs COMANDO with the
#       variables above exported, stops the server, removes the folder and
#       exits with COMANDO's status. Fails (never skips) when the server
#       cannot be started.
set -euo pipefail

FB_RAIZ_SISTEMA="${FB_RAIZ_SISTEMA:-/usr/lib/x86_64-linux-gnu/firebird/3.0}"
FB_SERVIDOR="${FB_SERVIDOR:-/usr/sbin/firebird}"
FB_ISQL="${FB_ISQL:-/usr/bin/isql-fb}"

falhar() {
  echo "servidor_teste: $*" >&2
  exit 1
}

# A port that nothing listens on or uses now, from the kernel's own tables;
# should another process take it first, the server fails to start and the
# start is tried again with another port.
porta_livre() {
  local ocupadas porta
  ocupadas=$(cat /proc/net/tcp /proc/net/tcp6 2>/dev/null | awk 'NR > 1 { split($2, a, ":"); print a[length(a)] }')
  while :; do
    porta=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    grep -qix "$(printf '%04X' "$porta")" <<<"$ocupadas" || break
  done
  echo "$porta"
}

# Alive and not a zombie waiting to be reaped (a server started by an
# earlier call of this script belongs to init once that call ended).
vivo() {
  local estado
  estado=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ -n "$estado" ] && [ "$estado" != "Z" ]
}

senha_gerada() {
  # 20 letters and digits: safe in MOLT.ini, in SQL and on a command line.
  local s
  s=$(head -c 256 /dev/urandom | tr -dc 'A-Za-z0-9' | head -c 20)
  [ ${#s} -eq 20 ] || falhar "não foi possível gerar a senha"
  printf '%s' "$s"
}

# The environment of every engine this script runs: the private root (its
# firebird.conf), lock and temporary folders. Nothing of the system's.
ambiente_privado() {
  local pasta="$1"
  export FIREBIRD="$pasta/raiz" FIREBIRD_LOCK="$pasta/bloqueio" FIREBIRD_TMP="$pasta/tmp"
  unset ISC_USER ISC_PASSWORD
}

escrever_configuracao() {
  local pasta="$1" porta="$2" cripto="$3"
  cat >"$pasta/raiz/firebird.conf" <<EOF
# Private test server: loopback only, SRP logins, wire encryption $cripto.
RemoteServicePort = $porta
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $pasta/security3.fdb
AuthServer = Srp
UserManager = Srp
WireCrypt = $cripto
ServerMode = Super
UdfAccess = None
TempDirectories = $pasta/tmp
EOF
}

iniciar() {
  local pasta="" cripto="Required" modelo=""
  while [ $# -gt 0 ]; do
    case "$1" in
    --sem-criptografia) cripto="Disabled" ;;
    --banco)
      shift
      modelo="${1:-}"
      ;;
    -*) falhar "opção desconhecida: $1" ;;
    *) pasta="$1" ;;
    esac
    shift
  done
  [ -n "$pasta" ] || falhar "informe a pasta do servidor"
  [ -x "$FB_SERVIDOR" ] || falhar "o servidor Firebird ($FB_SERVIDOR) não está instalado: instale o pacote firebird3.0-server (bash tools/preparar.sh o instala)"
  [ -x "$FB_ISQL" ] || falhar "$FB_ISQL não está instalado (pacote firebird3.0-utils)"
  [ -d "$FB_RAIZ_SISTEMA/plugins" ] || falhar "plugins do Firebird não encontrados em $FB_RAIZ_SISTEMA"
  [ -z "$modelo" ] || [ -f "$modelo" ] || falhar "banco modelo não encontrado: $modelo"
  mkdir -p "$pasta"
  pasta="$(cd "$pasta" && pwd)"
  [ ! -e "$pasta/servidor.pid" ] || falhar "já existe um servidor iniciado em $pasta"
  chmod 0700 "$pasta"
  mkdir -p "$pasta/raiz" "$pasta/bloqueio" "$pasta/tmp"
  # The engine's own files (plugins, character sets, messages) are shared
  # read-only; every configuration file is ours.
  local x
  for x in plugins UDF firebird.msg lib; do
    [ -e "$FB_RAIZ_SISTEMA/$x" ] && ln -sfn "$FB_RAIZ_SISTEMA/$x" "$pasta/raiz/$x"
  done
  # Character sets: fbintl.conf names the library $(root)/intl/fbintl, and
  # the engine takes a character set only from a module found at that very
  # path (a link to the system's file is not enough): a copy of its own.
  mkdir -p "$pasta/raiz/intl"
  ln -sfn "$FB_RAIZ_SISTEMA/intl/fbintl.conf" "$pasta/raiz/intl/fbintl.conf"
  cp "$FB_RAIZ_SISTEMA/intl/libfbintl.so" "$pasta/raiz/intl/fbintl"
  cat >"$pasta/raiz/plugins.conf" <<'EOF'
Plugin = UDR {
	Module = $(dir_plugins)/udr_engine
	Config = UDR_config
}
Config = UDR_config {
	path = $(dir_plugins)/udr
}
EOF
  : >"$pasta/raiz/databases.conf"
  : >"$pasta/raiz/fbtrace.conf"
  local porta="" senha pid="" tentativa
  senha=$(senha_gerada)
  escrever_configuracao "$pasta" 0 "$cripto"
  (
    ambiente_privado "$pasta"
    "$FB_ISQL" -q >"$pasta/criacao.log" 2>&1 <<EOF
CREATE DATABASE '$pasta/security3.fdb';
CREATE USER SYSDBA PASSWORD '$senha' USING PLUGIN Srp;
COMMIT;
EOF
  ) || {
    cat "$pasta/criacao.log" >&2
    falhar "não foi possível criar o banco de segurança"
  }
  if [ -n "$modelo" ]; then
    cp "$modelo" "$pasta/VESK.FDB"
    chmod 0600 "$pasta/VESK.FDB"
  fi
  for tentativa in 1 2 3 4 5; do
    porta=$(porta_livre)
    escrever_configuracao "$pasta" "$porta" "$cripto"
    (
      ambiente_privado "$pasta"
      exec "$FB_SERVIDOR" </dev/null >>"$pasta/servidor.log" 2>&1
    ) &
    pid=$!
    echo "$pid" >"$pasta/servidor.pid"
    # Ready when a login succeeds (a bare TCP probe would leave the server
    # waiting for a greeting that never comes, and slow its stop); a server
    # that ends (its port was taken meanwhile) is started again on another
    # port.
    local i
    for i in $(seq 1 150); do
      vivo "$pid" || break
      if echo "QUIT;" | "$FB_ISQL" -q -user SYSDBA -password "$senha" \
        "127.0.0.1/$porta:$pasta/security3.fdb" >/dev/null 2>&1; then
        break 2
      fi
      sleep 0.1
    done
    parar "$pasta"
    pid=""
  done
  [ -n "$pid" ] || {
    cat "$pasta/servidor.log" >&2
    falhar "o servidor não pôde ser iniciado"
  }
  {
    echo "VESK_SERVIDOR=127.0.0.1/$porta"
    echo "VESK_SERVIDOR_USUARIO=SYSDBA"
    echo "VESK_SERVIDOR_SENHA=$senha"
    echo "VESK_SERVIDOR_PID=$pid"
    echo "VESK_SERVIDOR_PASTA=$pasta"
  } >"$pasta/servidor.env"
  chmod 0600 "$pasta/servidor.env"
  cat "$pasta/servidor.env"
  if [ -n "$modelo" ]; then
    echo "# MOLT.ini:"
    echo "BANCO=127.0.0.1/$porta:$pasta/VESK.FDB"
    echo "USUARIO=SYSDBA"
    echo "SENHA=$senha"
  fi
}

parar() {
  local pasta="${1:-}"
  [ -n "$pasta" ] || falhar "informe a pasta do servidor"
  [ -f "$pasta/servidor.pid" ] || return 0
  local pid
  pid=$(cat "$pasta/servidor.pid")
  # Only the process this script started: the pid must still be a server
  # whose private root is this folder's (a reused pid is left alone).
  if [ -r "/proc/$pid/environ" ] &&
    tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "FIREBIRD=$(cd "$pasta" && pwd)/raiz"; then
    kill -TERM "$pid" 2>/dev/null || true
    local i
    for i in $(seq 1 100); do
      vivo "$pid" || break
      sleep 0.1
    done
    if vivo "$pid"; then
      kill -KILL "$pid" 2>/dev/null || true
    fi
  fi
  rm -f "$pasta/servidor.pid"
}

executar() {
  local opcoes=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    opcoes+=("$1")
    shift
  done
  [ "${1:-}" = "--" ] || falhar "uso: servidor_teste.sh executar [--sem-criptografia] -- COMANDO ..."
  shift
  [ $# -gt 0 ] || falhar "informe o comando"
  local pasta
  pasta=$(mktemp -d "${TMPDIR:-/tmp}/vesk-servidor.XXXXXX")
  # shellcheck disable=SC2064
  trap "parar '$pasta'; rm -rf '$pasta'" EXIT
  trap 'exit 130' INT TERM
  iniciar "$pasta" "${opcoes[@]}" >/dev/null
  set -a
  # shellcheck disable=SC1091
  . "$pasta/servidor.env"
  set +a
  local status=0
  "$@" || status=$?
  return "$status"
}

comando="${1:-}"
[ $# -gt 0 ] && shift
case "$comando" in
iniciar) iniciar "$@" ;;
parar) parar "$@" ;;
executar) executar "$@" ;;
*)
  sed -n '2,26p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
  ;;
esac
