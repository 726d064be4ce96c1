#!/usr/bin/env bash
# Installs what is missing (Debian packages), configures and builds the
# program, its database and its tests into build/. Run as root on a fresh
# machine; later runs only rebuild what changed.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
pacotes=(build-essential cmake ninja-build ccache pkg-config python3
         qt6-base-dev libgl-dev
         firebird3.0-server-core firebird3.0-server firebird3.0-utils firebird-dev
         libzip-dev libxml2-dev libcurl4-openssl-dev libssl-dev
         libgtest-dev googletest time bc
         libzint-dev zbar-tools poppler-utils
         unzip zip p7zip-full
         qt6-svg-dev file desktop-file-utils)
faltam=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Instalando: ${faltam[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltam[@]}"
fi
build="${VESK_BUILD:-$raiz/build}"
# Paths relative to the checkout, so that ccache hits across clones and worktrees.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$raiz}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "Programa: $build/bin/vesk   Banco: $build/bin/BD/VESK.FDB"
