#!/bin/bash
# Builds natively, for 32-bit Windows (the program we ship) and for 64-bit
# Windows, and runs every test through CTest. The Windows tests run under the
# 64-bit Wine, and under the 32-bit one too where the kernel can run it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
jobs=$(nproc)

# One format for every source, before anything is built.
tools/format.sh --check

configure_and_build() { # dir [toolchain]
  local dir=$1 args=(-DCMAKE_BUILD_TYPE=Release)
  [[ -n ${2:-} ]] && args+=(-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$2")
  cmake -S . -B "$dir" "${args[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

configure_and_build build/native
configure_and_build build/win32 mingw-i686.cmake
configure_and_build build/win64 mingw-x86_64.cmake

kwibra_ensure_display
arches=(win64)
kwibra_can_run_win32 && arches+=(win32)
stop_wineservers() {
  for arch in "${arches[@]}"; do kwibra_use_arch "$arch"; wineserver -k 2>/dev/null || true; done
}
trap stop_wineservers EXIT
for arch in "${arches[@]}"; do
  kwibra_use_arch "$arch"
  kwibra_ensure_prefix
  kwibra_start_wineserver
done

status=0
(cd build/native && ctest --output-on-failure) || status=1
[[ ${arches[*]} == *win32* ]] && { (cd build/win32 && ctest --output-on-failure) || status=1; }
(cd build/win64 && ctest --output-on-failure) || status=1
exit $status
