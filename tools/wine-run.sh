#!/bin/bash
# CTest's emulator for the Windows builds: tools/wine-run.sh win32|win64 prog.exe [args]
# Runs one program under Wine on the private display. A test that cannot get
# a display fails here.
source "$(dirname "$0")/wine-env.sh"
kwibra_use_arch "$1"
shift
if [[ $KWIBRA_ARCH == win32 ]] && ! kwibra_can_run_win32; then
  echo "wine-run: this kernel cannot run 32-bit programs; the tests run from build/win64" >&2
  exit 1
fi
kwibra_ensure_display || exit 1
kwibra_ensure_prefix
# Wine leaves service processes behind that inherit our output; if that
# output were CTest's pipe, CTest would wait for them forever. So the
# program writes to a file, which is shown once it has exited.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# A test may ask for another display resolution in dots per inch; the prefix
# holds it while the program runs and goes back to 96 afterwards.
set_dpi() { "$KWIBRA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
if [[ -n ${KWIBRA_DPI:-} ]]; then
  set_dpi "$KWIBRA_DPI"
  trap 'set_dpi 96; rm -f "$log"' EXIT
fi
"$KWIBRA_WINE" "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
exit $status
