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

kwibra_runnable_tree
arch=$ARCH tree=$TREE
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
