#!/usr/bin/env bash
# Sets everything up (see preparar.sh) and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/tools/preparar.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${VESK_BUILD:-$raiz/build}" -j "$(nproc)" --output-on-failure --timeout 600
