# Helpers of the end-to-end scenarios: Wine programs started and ended by
# process id, a probe inside Wine for what a user sees, xdotool for the
# user's hands. Sourced by scenarios.sh; bash only (no python on a fresh machine).

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_PIDS=()    # Wine processes this scenario started
E2E_WINDOWS=() # windows other programs opened on the scenario's behalf
E2E_TIMEOUT_MS=10000

# e2e_init ARCH PROBE-DIR KWIBRA-DIR SHOT-DIR
e2e_init() {
  E2E_ARCH=$1
  PROBE=$(cd "$2" && pwd)/probe.exe
  KWIBRA_BUILD=$(cd "$3" && pwd)
  SHOTS=$4
  source "$E2E_ROOT/tools/wine-env.sh"
  kwibra_use_arch "$E2E_ARCH"
  # A private prefix (and KWIBRA_DISPLAY) keeps a developer's run apart
  # from other tests that share the checkout's prefix and display.
  [[ -n ${KWIBRA_E2E_PREFIX:-} ]] && export WINEPREFIX=$KWIBRA_E2E_PREFIX
  if [[ $E2E_ARCH == win32 ]] && ! kwibra_can_run_win32; then
    echo "e2e: this kernel cannot run 32-bit programs" >&2
    exit 1
  fi
  kwibra_ensure_display || exit 1
  kwibra_ensure_prefix
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/kwibra-e2e.XXXXXX")
  LOG=$WORK/wine.log
  : >"$LOG"
  mkdir -p "$SHOTS"
  trap e2e_cleanup EXIT
}

e2e_cleanup() {
  local status=$?
  for window in "${E2E_WINDOWS[@]}" ${NOTEPAD:-}; do probe discard-close "$window" >/dev/null; done
  for pid in "${E2E_PIDS[@]}"; do end_process "$pid"; done
  if ((status != 0)) && [[ -s $LOG ]]; then
    echo "---- Wine output (last lines) ----"
    tail -n 20 "$LOG"
  fi
  [[ -n ${KWIBRA_E2E_KEEP:-} ]] && echo "e2e: kept $WORK" || rm -rf "$WORK"
  exit $status
}

step() { echo "== $*"; }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# check DESCRIPTION COMMAND...: the command must succeed.
check() {
  local what=$1
  shift
  "$@" || fail "$what"
  echo "ok: $what"
}

starts_with() { [[ $1 == "$2"* ]]; }

probe() { "$KWIBRA_WINE" "$PROBE" "$@" 2>>"$LOG"; }

# Shift-JIS bytes of a UTF-8 text, as hex.
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'; }
file_hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
hex_to_utf8() { local hex=$1; printf "$(sed 's/../\\x&/g' <<<"$hex")" | iconv -f CP932 -t UTF-8; }

# Field of a probe window line: hwnd, pid, visible, rect, title.
field() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1" | head -n 1; }

# start_in DIR PROGRAM ARGS...: starts a Wine program with DIR as its current
# directory; its process id is in STARTED.
start_in() {
  local dir=$1
  shift
  (cd "$dir" && exec "$KWIBRA_WINE" "$@" </dev/null >>"$LOG" 2>&1) &
  STARTED=$!
  E2E_PIDS+=("$STARTED")
}

# wait_exit PID [MS]: true when the process ended in time; its exit code is
# then in EXIT_CODE.
wait_exit() {
  local pid=$1 tenths=$((${2:-$E2E_TIMEOUT_MS} / 100))
  for ((i = 0; i < tenths; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

end_process() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
  wait_exit "$pid" 3000 && return 0
  kill -TERM "$pid" 2>/dev/null
  wait_exit "$pid" 3000 || kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}

# Pointer and keys. Without a window manager the keyboard goes to the Wine
# window under the pointer; a click also makes it the foreground window.
# (mousemove --sync would wait for a motion that never comes when the
# pointer is already there.)
point_at() {
  xdotool mousemove "$1" "$2"
  for _ in $(seq 50); do
    [[ $(xdotool getmouselocation) == "x:$1 y:$2 "* ]] && return 0
    sleep 0.02
  done
  return 1
}
click_at() { point_at "$1" "$2" && xdotool click 1; }
keys() { xdotool key --delay 40 "$@"; }

# centre_of LINE: sets CX and CY to the middle of the line's window rectangle.
centre_of() {
  local rect
  rect=$(field "$1" rect)
  IFS=, read -r left top right bottom <<<"$rect"
  CX=$(((left + right) / 2))
  CY=$(((top + bottom) / 2))
}

# A notepad in the work folder, clicked into so that it is the foreground
# window with the caret in its edit control. NOTEPAD is its window handle.
start_notepad() {
  local known
  known=$(probe windows Notepad | sed -n 's/^hwnd=\([^ ]*\).*/\1/p')
  start_in "$WORK" "$WINEPREFIX/drive_c/windows/system32/notepad.exe"
  local line
  line=$(probe wait-window Notepad "$E2E_TIMEOUT_MS" shown $known) || fail "notepad did not open"
  NOTEPAD=$(field "$line" hwnd)
  NOTEPAD_LINE=$line
  focus_notepad
}

focus_notepad() {
  centre_of "$NOTEPAD_LINE"
  for _ in 1 2 3; do
    click_at "$CX" "$CY"
    probe_until_foreground "$NOTEPAD" 30 && return 0
  done
  shot failure-focus
  probe foreground
  fail "notepad did not become the foreground window"
}

probe_until_foreground() { # HWND [TENTHS]
  probe wait-foreground "$1" "$((${2:-50} * 100))"
}

# Tray icons of the notification area (Wine's stand-alone tray without a
# window manager), one probe line each.
tray_icons() { probe children __winex11_standalone_tray __winex11_tray_icon; }

# A folder of its own for the program, as a user would install it.
make_app_dir() {
  APP=$WORK/${1:-app}
  mkdir -p "$APP"
  cp "$KWIBRA_BUILD/kwibra.exe" "$KWIBRA_BUILD/kwibra.txt" "$APP/"
}

# start_kwibra [ARGS...]: starts kwibra.exe in $APP and waits for its main
# window; KWIBRA is the process id, KWIBRA_WINPID its Windows process id.
start_kwibra() {
  TRAY_BEFORE=$(tray_icons | sed -n 's/^hwnd=\([^ ]*\).*/\1/p')
  start_in "$APP" "$APP/kwibra.exe" "$@"
  KWIBRA=$STARTED
  local line
  line=$(probe wait-window Pelnork "$E2E_TIMEOUT_MS" exists) || fail "kwibra.exe made no main window"
  KWIBRA_WINPID=$(field "$line" pid)
}

# wait_tray_icon: waits for the icon that start_kwibra's program added; its
# probe line is in TRAY_ICON.
wait_tray_icon() {
  TRAY_ICON=$(probe wait-new-child __winex11_standalone_tray __winex11_tray_icon "$E2E_TIMEOUT_MS" $TRAY_BEFORE |
    head -n 1)
  [[ -n $TRAY_ICON ]]
}

# A resident kwibra with the files of its first run: the welcome box is
# answered with Return as a user would.
start_resident() {
  local first_run=0
  [[ -e $APP/kwibra.ini ]] || first_run=1
  start_kwibra
  if ((first_run)); then
    local box
    box=$(probe wait-window '#32770' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID") || fail "no welcome box"
    answer_box "$box" Return
  fi
  wait_tray_icon || fail "no tray icon"
}

# answer_box LINE KEY: a click activates the box (it may have opened behind
# the foreground window), then the key closes it. A box that has only just
# appeared may miss the first click, which is then repeated.
answer_box() {
  local box
  box=$(field "$1" hwnd)
  centre_of "$1"
  for _ in 1 2 3; do
    click_at "$CX" "$CY"
    probe_until_foreground "$box" 20 || continue
    keys "$2"
    probe wait-hidden "$box" 2000 && return 0
  done
  fail "the box did not answer to $2"
}

stop_kwibra() {
  probe post Pelnork 0x111 40001 0 >/dev/null # WM_COMMAND IDM_EXIT
  wait_exit "$KWIBRA" || fail "kwibra.exe did not end"
}

# The popup menu that opened for the program; its probe line is in MENU.
wait_menu() {
  MENU=$(probe wait-window '#32768' "$E2E_TIMEOUT_MS" shown "pid=${1:-$KWIBRA_WINPID}") || fail "no menu appeared"
  MENU=$(head -n 1 <<<"$MENU")
}

no_menu_open() { [[ -z $(probe windows '#32768' | grep 'visible=1') ]]; }

# shot NAME [LINE...]: a PNG of the screen, cut to the windows of the lines
# with a margin.
shot() {
  local name=$1 full=$WORK/screen.png
  shift
  import -window root "$full" || fail "no screenshot"
  if (($# == 0)); then
    cp "$full" "$SHOTS/$name.png"
    return
  fi
  local x0=100000 y0=100000 x1=0 y1=0 margin=12
  for line in "$@"; do
    IFS=, read -r l t r b <<<"$(field "$line" rect)"
    ((l < x0)) && x0=$l
    ((t < y0)) && y0=$t
    ((r > x1)) && x1=$r
    ((b > y1)) && y1=$b
  done
  x0=$((x0 > margin ? x0 - margin : 0))
  y0=$((y0 > margin ? y0 - margin : 0))
  convert "$full" -crop "$((x1 + margin - x0))x$((y1 + margin - y0))+$x0+$y0" +repage "$SHOTS/$name.png" ||
    fail "screenshot $name not cut"
  echo "screenshot: $SHOTS/$name.png"
}

# clip_texts FILE: the texts of a "clip.dat", one hex string per line.
clip_texts() {
  local bytes=($(od -An -tu1 -v "$1"))
  local count=$((bytes[2] + 256 * bytes[3])) at=4
  for ((n = 0; n < count; n++)); do
    local length=$((bytes[at] + 256 * bytes[at + 1])) text=""
    at=$((at + 2))
    for ((i = 0; i < length; i++)); do text+=$(printf '%02x' "${bytes[at + i]}"); done
    at=$((at + length))
    echo "$text"
  done
}
