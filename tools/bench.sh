#!/bin/bash
# Builds the benchmarks of bench/ and runs them, each against a floor
# measured in the same run:
#   tools/bench.sh                     all three
#   tools/bench.sh settings [ARGS]     the settings codec, natively (ARGS go to
#                                      Google Benchmark, e.g. --benchmark_repetitions=5)
#   tools/bench.sh menus [LINES...]    loading, saving and history on real menus, under Wine
#   tools/bench.sh app [REPETITIONS]   start-up, hotkey to menu, choice to text and memory
#                                      of kwibra.exe, under Wine (20 repetitions)
# They build in the trees of the tests with KWIBRA_BENCH=ON but outside the
# default target, so `make test` never builds them. Under Wine the 32-bit
# build runs, or the 64-bit one where this kernel cannot run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

configure() { # DIR [TOOLCHAIN]
  local args=(-DCMAKE_BUILD_TYPE=Release -DKWIBRA_BENCH=ON)
  [[ -n ${2:-} ]] && args+=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$2")
  cmake -S . -B "$1" "${args[@]}" >/dev/null
}

# Builds quietly, so that the figures stand alone; the log shows on failure.
build() { # DIR TARGET...
  local dir=$1 log
  shift
  log=$(cmake --build "$dir" -j 2 --target "$@" 2>&1) || { echo "$log" >&2; return 1; }
}

bench_settings() {
  echo "== settings codec (native)"
  configure build/native
  build build/native bench_settings
  build/native/bench/bench_settings "$@"
}

windows_tree() {
  kwibra_runnable_tree
  arch=$ARCH tree=build/$ARCH
  configure "$tree" "$TOOLCHAIN"
  kwibra_use_arch "$arch"
}

bench_menus() {
  echo "== menus ($arch, under Wine)"
  build "$tree" bench_menus
  kwibra_ensure_display
  kwibra_ensure_prefix
  "$KWIBRA_WINE" "$tree/bench/bench_menus.exe" "$@"
}

# The programs are copied into folders of their own, as a user installs them.
bench_app() {
  echo "== kwibra.exe ($arch, under Wine)"
  build "$tree" kwibra bench_app bench_trayfloor bench_menufloor
  kwibra_ensure_display
  kwibra_ensure_prefix
  local work dir
  work=$(mktemp -d "${TMPDIR:-/tmp}/kwibra-bench.XXXXXX")
  for dir in default large launchers; do
    mkdir "$work/$dir"
    cp "$tree/app/exe/kwibra.exe" "$tree/app/exe/kwibra.txt" "$work/$dir/"
  done
  mkdir "$work/floor" "$work/menufloor"
  cp "$tree/bench/trayfloor.exe" "$work/floor/"
  cp "$tree/bench/menufloor.exe" "$work/menufloor/"
  local bench=$PWD/$tree/bench/bench_app.exe status=0
  (cd "$work" && "$KWIBRA_WINE" "$bench" "$@") || status=$?
  rm -rf "$work"
  return $status
}

case ${1:-all} in
  settings) shift; bench_settings "$@" ;;
  menus) shift; windows_tree; bench_menus "$@" ;;
  app) shift; windows_tree; bench_app "$@" ;;
  all) bench_settings; windows_tree; bench_menus; bench_app ;;
  *) sed -n '2,9s/^# \?//p' "$0" >&2; exit 2 ;;
esac
