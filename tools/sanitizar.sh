#!/usr/bin/env bash
# The second build of CI: the business library, vesk-cli and the test programs
# of the file readers (interchange) and of the collection (calculation,
# balances) with AddressSanitizer and UndefinedBehaviorSanitizer, in their own
# build folder, and those tests run under them. Any sanitizer report fails the
# run, also one from a vesk-cli that a test started. Run after preparar.sh
# (same packages).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD_SAN:-$raiz/build-san}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$raiz}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
inicio=$SECONDS
cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_SANITIZAR=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target vesk-cli test_interchange test_collection
compilado=$SECONDS

relatorios="$build/relatorios-sanitizadores"
rm -rf "$relatorios"
mkdir -p "$relatorios"
# Reports go to files (one per process), so that a report of a child process
# is not lost in a test's captured output.
export ASAN_OPTIONS="log_path=$relatorios/asan:halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=0:strict_string_checks=0"
export UBSAN_OPTIONS="log_path=$relatorios/ubsan:halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz/tools/sanitizar/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir "$build" -L '^(interchange|collection)$' -j "$(nproc)" --output-on-failure \
  --timeout 900 || status=1
if compgen -G "$relatorios/*" >/dev/null; then
  for r in "$relatorios"/*; do
    echo "=== $r"
    cat "$r"
  done
  echo "Os sanitizadores acusaram problemas (relatórios acima)."
  status=1
fi
echo "Sanitizadores: compilação $((compilado - inicio)) s, testes $((SECONDS - compilado)) s"
exit $status
