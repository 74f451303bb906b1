#!/bin/bash
# Builds the native benchmarks in build/bench and runs them.
#   tools/bench.sh [args]          the data layer's benchmark (native)
#   tools/bench.sh menus [lines]   loading, saving and history on real menus,
#                                  built in build/win64 and run under Wine
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ${1:-} == menus ]]; then
  shift
  source tools/wine-env.sh
  kwibra_use_arch win64
  cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" >/dev/null
  cmake --build build/win64 -j 2 --target menus_bench
  kwibra_ensure_display
  kwibra_ensure_prefix
  exec "$KWIBRA_WINE" build/win64/tests/app/menus_bench.exe "$@"
fi
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DKWIBRA_BENCH=ON >/dev/null
cmake --build build/bench -j 2 --target data_bench
build/bench/tests/data/data_bench "$@"
