# Sourced by scenarios.sh and tools/screenshots.sh: kwibra.exe in a scratch
# folder under Wine, probe.exe as the eyes and xdotool as the user's hands.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
MS=10000 # the longest wait for anything a user would see
TRAY=(__winex11_standalone_tray __winex11_tray_icon all) # Wine's own tray, as there is no window manager
PIDS=()
NOTEPADS=()

e2e_init() { # ARCH PROBE-DIR KWIBRA-DIR SHOT-DIR
  kwibra_use_arch "$1"
  PROBE=$(realpath "$2/probe.exe")
  BUILD=$(realpath "$3")
  SHOTS=$4
  kwibra_ensure_display || exit 1
  kwibra_ensure_prefix
  WORK=$(mktemp -d)
  mkdir -p "$SHOTS"
  trap cleanup EXIT
}

cleanup() {
  for window in "${NOTEPADS[@]}"; do probe close "$window"; done
  for pid in "${PIDS[@]}"; do wait_exit "$pid" 3 || { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null; done
  rm -rf "$WORK"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check() { "${@:2}" >/dev/null || fail "$1"; } # WHAT COMMAND...
matches() { [[ $1 == $2 ]]; }      # TEXT GLOB

# poll COMMAND...: true once the command succeeds, within five seconds.
poll() {
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

probe() { "$KWIBRA_WINE" "$PROBE" "$@" 2>>"$WORK/wine.log"; }
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'; }
file_hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1" | head -n 1; } # LINE hwnd|pid|rect|title
hwnds() { sed -n 's/^hwnd=\([^ ]*\).*/\1/p'; }
keys() { xdotool key --delay 40 "$@"; }

# start_in DIR PROGRAM ARGS...: STARTED is the process id.
start_in() {
  (cd "$1" && exec "$KWIBRA_WINE" "${@:2}" </dev/null >>"$WORK/wine.log" 2>&1) &
  STARTED=$!
  PIDS+=("$STARTED")
}

# wait_exit PID [SECONDS]: true when the process ended in time; EXIT_CODE is its exit code.
wait_exit() {
  timeout "${2:-10}" tail --pid="$1" -s 0.1 -f /dev/null || return 1
  wait "$1" 2>/dev/null
  EXIT_CODE=$?
}

exits_0() { wait_exit "$1" && ((EXIT_CODE == 0)); }

centre_of() { # LINE: CX, CY
  IFS=, read -r left top right bottom <<<"$(field "$1" rect)"
  CX=$(((left + right) / 2))
  CY=$(((top + bottom) / 2))
}

# click_into LINE [HWND]: clicks the window until it (or HWND) is in front.
# Without a window manager the keys go to the window under the pointer.
click_into() {
  centre_of "$1"
  for _ in 1 2 3; do
    xdotool mousemove "$CX" "$CY" click 1
    probe wait 3000 foreground "${2:-$(field "$1" hwnd)}" && return 0
  done
  fail "a click did not bring $1 to the front"
}

answer_box() { # LINE KEY
  click_into "$1"
  keys "$2"
  probe wait-not "$MS" visible "$(field "$1" hwnd)" || fail "the box did not close with $2"
}

# wait_window CLASS [PID]: WINDOW is the first visible window of the class of
# kwibra (or of PID), such as a box '#32770' or a menu '#32768'.
wait_window() {
  WINDOW=$(probe wait "$MS" windows "$1" pid="${2:-$WINPID}" | head -n 1)
  [[ -n $WINDOW ]] || fail "no window $1 appeared"
}

# new_notepad COMMAND...: NEW is the notepad that the command opened.
new_notepad() {
  local known
  known=$(probe windows Notepad | hwnds)
  "$@"
  NEW=$(probe wait "$MS" windows Notepad $known) || fail "no notepad opened"
  NOTEPADS+=("$(field "$NEW" hwnd)")
}

start_notepad() {
  new_notepad start_in "$WORK" "$WINEPREFIX/drive_c/windows/system32/notepad.exe"
  NOTEPAD=$NEW
}

make_app_dir() { # [NAME]: APP, a folder of its own as a user would install it
  APP=$WORK/${1:-app}
  mkdir "$APP"
  cp "$BUILD/kwibra.exe" "$BUILD/kwibra.txt" "$APP/"
}

# start_kwibra [ARGS...]: kwibra.exe in APP, up to its main window. KWIBRA is
# its process id, WINPID its Windows process id.
start_kwibra() {
  TRAY_BEFORE=$(probe children "${TRAY[@]}" | hwnds)
  start_in "$APP" "$APP/kwibra.exe" "$@"
  KWIBRA=$STARTED
  WINPID=$(field "$(probe wait "$MS" windows Pelnork all)" pid)
  [[ -n $WINPID ]] || fail "kwibra.exe made no main window"
}

wait_tray_icon() { TRAY_ICON=$(probe wait "$MS" children "${TRAY[@]}" $TRAY_BEFORE); }

# A resident kwibra; the user answers the welcome box of a first run.
start_resident() {
  local first_run=1
  [[ -e $APP/kwibra.ini ]] && first_run=0
  start_kwibra
  if ((first_run)); then
    wait_window '#32770'
    answer_box "$WINDOW" Return
  fi
  wait_tray_icon || fail "no tray icon"
}

stop_kwibra() {
  probe post Pelnork 0x111 40001 0 # WM_COMMAND IDM_EXIT
  wait_exit "$KWIBRA" || fail "kwibra.exe did not end"
}

# A right click on the tray icon. The icon's notices keep the window in front
# at the first of them as the target, so the click follows the pointer soon.
open_main_menu() {
  centre_of "$TRAY_ICON"
  xdotool mousemove "$CX" "$CY" sleep 0.03 click 3
  wait_window '#32768'
}

# shot NAME [LINES]: a PNG of the screen, cut to the windows of the lines.
shot() {
  local l=99999 t=99999 r=0 b=0 x0 y0 x1 y1 crop=()
  while IFS=, read -r x0 y0 x1 y1; do
    ((x0 < l)) && l=$x0
    ((y0 < t)) && t=$y0
    ((x1 > r)) && r=$x1
    ((y1 > b)) && b=$y1
  done < <(printf '%s\n' "${@:2}" | sed -n 's/.*rect=\([^ ]*\).*/\1/p')
  ((r)) && crop=(-crop "$((r - l + 24))x$((b - t + 24))+$((l > 12 ? l - 12 : 0))+$((t > 12 ? t - 12 : 0))")
  import -window root "${crop[@]}" +repage "$SHOTS/$1.png" || fail "no screenshot $1"
}
