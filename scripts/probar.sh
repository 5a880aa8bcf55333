#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitizers, the same in a
# separate build under AddressSanitizer and UBSan.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
carpeta="$raiz/build"
extra=()
if [ "${1:-}" = "--sanitizers" ]; then
  carpeta="$raiz/build-san"
  extra=(-DQUIMBOLO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S "$raiz" -B "$carpeta" -G Ninja "${extra[@]}"
cmake --build "$carpeta" -j "$(nproc)"
cd "$carpeta"
ctest --output-on-failure --timeout 1500 -j "$(nproc)"
