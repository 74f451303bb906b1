#!/bin/bash
# `make run`: builds kwibra.exe and starts it under Wine in a folder of its
# own, build/run/, which then holds its files (kwibra.ini, hkey.dat,
# clip.dat) and the help text kwibra.txt beside the program. The 32-bit
# build is the one we ship; where this kernel cannot run 32-bit programs the
# 64-bit build of the same sources runs instead. Arguments go to the
# program (for example -o). The program ends from its tray menu, "終了(&E)".
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh

if kwibra_can_run_win32; then
  arch=win32 toolchain=mingw-i686.cmake
else
  arch=win64 toolchain=mingw-x86_64.cmake
  echo "run: this kernel cannot run 32-bit programs; running the 64-bit build" >&2
fi
tree=build/$arch
if [[ ! -f $tree/CMakeCache.txt ]]; then
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain" >/dev/null
fi
cmake --build "$tree" -j "$(nproc)" --target kwibra

run_dir=build/run
mkdir -p "$run_dir"
cp "$tree/app/exe/kwibra.exe" "$tree/app/exe/kwibra.txt" "$run_dir/"

kwibra_use_arch "$arch"
if [[ -n ${DISPLAY:-} ]] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
  echo "run: kwibra.exe on your display $DISPLAY (Ctrl+Alt+A pops up the phrase menu)"
else
  kwibra_ensure_display
  cat <<EOF
run: no X display answers; kwibra.exe runs on the private display $DISPLAY.
     To look at it:   import -display $DISPLAY -window root kwibra.png
     Its menu:        DISPLAY=$DISPLAY xdotool mousemove 13 32 sleep 0.3 click 3   (right click on the tray icon)
EOF
fi
kwibra_ensure_prefix
echo "run: folder $run_dir"
cd "$run_dir"
exec "$KWIBRA_WINE" kwibra.exe "$@"
