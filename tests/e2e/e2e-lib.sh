# For scenarios.sh and tools/screenshots.sh: kwibra.exe under Wine, probe.exe as the eyes, xdotool as the hands.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
MS=10000 # the longest wait for anything a user would see
PIDS=()

e2e_init() { # ARCH PROBE-DIR KWIBRA-DIR SHOT-DIR
  kwibra_use_arch "$1"
  declare -g PROBE=$2/probe.exe BUILD=$3 SHOTS=$4
  kwibra_ensure_display || exit 1
  kwibra_ensure_prefix
  WORK=$(mktemp -d)
  mkdir -p "$SHOTS"
  trap cleanup EXIT
}

cleanup() {
  for window in $(probe windows 0 Notepad | hwnds); do quit "$window"; done
  for window in $(probe windows 0 WineConsoleClass all | hwnds); do probe post "$window" 0x10 0 0; done # WM_CLOSE
  for pid in "${PIDS[@]}"; do wait_exit "$pid" 0.5 || { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null; done
  rm -rf "$WORK"
}

fail() { echo "FAIL: $*" >&2; exit 1; }
check() { "${@:2}" >"$WORK/seen" || fail "$1 (last seen: $(tail -n 1 "$WORK/seen"))"; } # WHAT COMMAND...
matches() { [[ $1 == $2 ]]; }                  # TEXT GLOB
probe() { "$KWIBRA_WINE" "$PROBE" "$@" 2>>"$WORK/wine.log"; }
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -d ' \n'; }
file_hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1" | head -n 1; } # LINE hwnd|rect|title
hwnd() { field "$1" hwnd; }
hwnds() { sed -n 's/^hwnd=\([^ ]*\).*/\1/p'; }
titled() { [ "$(field "$1" title)" == "$(sjis "$2")" ]; } # LINE TEXT
keys() { (($# == 0)) || xdotool key --delay 40 "$@"; }
quit() { probe post "$1" 0x12 0 0 && probe wait-not "$MS" visible "$1"; } # HWND: WM_QUIT to its thread
exits_0() { wait_exit "$1" && ((EXIT_CODE == 0)); }

start_in() { # DIR PROGRAM ARGS...: STARTED is its process id
  (cd "$1" && exec "$KWIBRA_WINE" "${@:2}" </dev/null >>"$WORK/wine.log" 2>&1) &
  STARTED=$! PIDS+=("$!")
}

wait_exit() { # PID [SECONDS]: EXIT_CODE is the exit code of a process that ended in time
  timeout "${2:-10}" tail --pid="$1" -s 0.1 -f /dev/null || return 1
  wait "$1" 2>/dev/null
  EXIT_CODE=$?
}

click() { # LINE BUTTON: at the middle of the window, CX, CY
  IFS=x+ read -r width height left top <<<"$(field "$1" rect)"
  CX=$((left + width / 2)) CY=$((top + height / 2))
  xdotool mousemove "$CX" "$CY" click "$2"
}

click_into() { # LINE [HWND]: until it (or HWND) is in front, as keys follow the pointer
  for _ in 1 2 3; do
    click "$1" 1
    probe wait 3000 foreground "${2:-$(hwnd "$1")}" && return 0
  done
  fail "a click did not bring $1 to the front"
}

answer_box() { # LINE KEY
  click_into "$1"
  keys "$2"
  probe wait-not "$MS" visible "$(hwnd "$1")" || fail "the box did not close with $2"
}

wait_window() { # CLASS [HWND...]: WINDOW, such as a box '#32770' or a menu '#32768'
  WINDOW=$(probe wait "$MS" windows 0 "$@" | head -n 1)
  [[ -n $WINDOW ]] || fail "no window $* appeared"
}

opens_notepad() { # COMMAND...: WINDOW is the notepad that it opened
  local known=$(probe windows 0 Notepad | hwnds)
  "$@"
  wait_window Notepad $known
}

make_app_dir() { # [NAME]: APP, a folder of its own as a user would install it
  APP=$WORK/${1:-app}
  mkdir "$APP"
  cp "$BUILD/kwibra.exe" "$BUILD/kwibra.txt" "$APP/"
}

tray() { probe "$@" windows 0 __winex11_standalone_tray; } # [wait|wait-not MS]: Wine's own, while it holds icons

start_kwibra() { # [ARGS...]: kwibra.exe in APP, up to its main window MAIN; KWIBRA is its process id
  tray wait-not "$MS" || fail "a tray icon was left behind"
  start_in "$APP" "$APP/kwibra.exe" "$@"
  KWIBRA=$STARTED MAIN=$(probe wait "$MS" windows 0 Pelnork all) || fail "kwibra.exe made no main window"
}

tray_icons() { probe "$@" windows __winex11_standalone_tray __winex11_tray_icon all; } # [wait|wait-not MS]
wait_tray_icon() { TRAY_ICON=$(tray_icons wait "$MS"); }

start_resident() { # the user answers the welcome box of a first run
  local first_run=$([[ -e $APP/kwibra.ini ]] || echo 1)
  start_kwibra
  [[ -n $first_run ]] && wait_window '#32770' && answer_box "$WINDOW" Return
  wait_tray_icon || fail "no tray icon"
}

stop_kwibra() { probe post "$(hwnd "$MAIN")" 0x111 40001 0 && wait_exit "$KWIBRA" || fail "kwibra.exe did not end"; } # IDM_EXIT

main_menu() { # KEYS...: a right click on the tray icon, after a pause over it as a user's, then the keys
  click "$TRAY_ICON" 0
  sleep 0.3
  xdotool click 3
  wait_window '#32768'
  keys "$@"
}

close_menus() { keys "$@" && probe wait-not "$MS" windows 0 '#32768'; } # KEYS...

shot() { # NAME [LINES]: a PNG of the screen, or of the windows of the lines
  local crops=()
  for rect in $(printf '%s\n' "${@:2}" | sed -n 's/.*rect=\([^ ]*\).*/\1/p'); do crops+=(\( -clone 0 -crop "$rect" \)); done
  ((${#crops[@]})) && crops+=(-delete 0 -background black -layers merge)
  import -window root png:- | convert - "${crops[@]}" +repage -strip "$SHOTS/$1.png" || fail "no screenshot $1"
}
