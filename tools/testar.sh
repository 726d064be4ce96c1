#!/usr/bin/env bash
# Sets everything up (see preparar.sh) and runs every test, then the second
# build: the file readers and the collection under the sanitizers
# (sanitizar.sh). VESK_SEM_SANITIZADORES=1 skips that second build locally;
# CI never sets it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/tools/preparar.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${VESK_BUILD:-$raiz/build}" -j "$(nproc)" --output-on-failure --timeout 600
if [ "${VESK_SEM_SANITIZADORES:-0}" = 1 ]; then
  echo "Sanitizadores não executados (VESK_SEM_SANITIZADORES=1)."
else
  bash "$raiz/tools/sanitizar.sh"
fi
