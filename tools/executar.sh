#!/usr/bin/env bash
# Sets everything up (see preparar.sh) and starts the program.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/tools/preparar.sh"
exec "${VESK_BUILD:-$raiz/build}/bin/vesk" "$@"
