# Sourced by the scripts that run Windows programs: one Wine prefix per
# checkout and architecture, the Japanese locale, and a private X display.
KWIBRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
export LC_ALL=ja_JP.UTF-8
export KWIBRA_DISPLAY=${KWIBRA_DISPLAY:-:77}

# Selects the Wine for win32 (i686 programs) or win64 (x86_64 programs).
# Some kernels run without 32-bit emulation; there only win64 can run.
kwibra_use_arch() {
  export KWIBRA_ARCH=$1
  export WINEARCH=$1
  export WINEPREFIX=$KWIBRA_ROOT/build/wineprefix-$1
  if [[ $1 == win64 ]]; then KWIBRA_WINE=/usr/lib/wine/wine64; else KWIBRA_WINE=/usr/lib/wine/wine; fi
  export KWIBRA_WINE
}

kwibra_can_run_win32() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The Windows tree that programs run from: the 32-bit build we ship, or the
# 64-bit build of the same sources where this kernel cannot run 32-bit
# programs. Sets ARCH, TOOLCHAIN and TREE, and configures a new tree.
kwibra_runnable_tree() {
  if kwibra_can_run_win32; then
    ARCH=win32 TOOLCHAIN=mingw-i686.cmake
  else
    ARCH=win64 TOOLCHAIN=mingw-x86_64.cmake
    echo "this kernel cannot run 32-bit programs: the 64-bit build runs instead" >&2
  fi
  TREE=$KWIBRA_ROOT/build/$ARCH
  [[ -f $TREE/CMakeCache.txt ]] || cmake -S "$KWIBRA_ROOT" -B "$TREE" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KWIBRA_ROOT/cmake/$TOOLCHAIN" >/dev/null
}

# Starts Xvfb on $KWIBRA_DISPLAY unless something already answers there.
kwibra_ensure_display() {
  export DISPLAY=$KWIBRA_DISPLAY
  xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
  mkdir -p "$KWIBRA_ROOT/build"
  setsid Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp \
    </dev/null >"$KWIBRA_ROOT/build/xvfb.log" 2>&1 &
  for _ in $(seq 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: Xvfb did not answer on $DISPLAY" >&2
  return 1
}

# Creates the prefix once, with Japanese font replacements.
kwibra_ensure_prefix() {
  [[ -f $WINEPREFIX/.kwibra-ready ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$KWIBRA_WINE" wineboot -i </dev/null >/dev/null 2>&1
  local reg=$WINEPREFIX/fonts.reg
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$KWIBRA_ROOT/tools/fonts.reg"; } >"$reg"
  "$KWIBRA_WINE" regedit /S "$reg" </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.kwibra-ready"
}

# A persistent wineserver, started with its output detached, so that test
# runners do not wait on a server that inherited their pipes.
kwibra_start_wineserver() {
  setsid wineserver -p </dev/null >/dev/null 2>&1 &
  wait $! 2>/dev/null || true
}
