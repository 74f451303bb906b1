#!/bin/bash
# Builds the native benchmarks in build/bench and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DKWIBRA_BENCH=ON >/dev/null
cmake --build build/bench -j 2 --target data_bench
build/bench/tests/data/data_bench "$@"
