#!/bin/bash
# Benchmarks of kwibra.exe under Wine, on the private display; a separate
# command, not part of the tests:
#   tests/e2e/bench.sh [BUILD-DIR (build/win64)] [REPETITIONS (20)]
# (a) start until the tray icon exists: the floor (a minimal program with a
#     hidden window and a tray icon, "floor"), kwibra with the default list
#     ("default"), kwibra with a list of 10,000 lines ("large");
# (b) Ctrl+Alt+A until the phrase menu is visible;
# (c) the choice in the menu until notepad shows the phrase.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
build=${1:-build/win64}
reps=${2:-20}
arch=win64
[[ $(basename "$build") == win32 ]] && arch=win32
source tests/e2e/e2e-lib.sh

cmake --build "$build" -j2 --target kwibra kwibra_probe kwibra_bench kwibra_trayfloor >/dev/null ||
  fail "build failed"
e2e_init "$arch" "$build/tests/e2e" "$build/app/exe" "$(mktemp -d)"
BENCH=$(cd "$build/tests/e2e" && pwd)/bench.exe
bench() { "$KWIBRA_WINE" "$BENCH" "$@" 2>>"$LOG"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
median_of() { sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$1"; }

# A settings file of 10,000 list lines: text, labelled and command items,
# separators, a section every 500 lines, and hotkeys on ten items.
write_large_list() { # DIR
  {
    printf '0\r\n0\r\n0\t20\t-1\t1\r\n'
    for ((i = 0; i < 10000; i++)); do
      if ((i % 500 == 499)); then
        printf ' -区分%d(&S)\r\n' "$i"
      elif ((i % 50 == 25)); then
        printf -- '---\r\n'
      elif ((i % 7 == 1)); then
        printf ' + 表示%d : 入力される内容%d\r\n' "$i" "$i"
      elif ((i % 11 == 2)); then
        printf ' * メモ帳%d : notepad\r\n' "$i"
      else
        printf '定型文%dのソ表\r\n' "$i"
      fi
    done
  } | iconv -f UTF-8 -t CP932 >"$1/kwibra.ini"
  {
    printf '\x00\x00\x00\x00\x41\x03'
    for ((i = 0; i < 10000; i++)); do
      if ((i % 1000 == 3)); then printf "\\x$(printf '%02x' $((0x70 + i / 1000)))\\x07"; else printf '\x00\x00'; fi
    done
  } >"$1/hkey.dat"
}

step "preparing the folders"
make_app_dir default
start_resident # the first run writes the default list; the welcome box is answered
stop_kwibra
DEFAULT_APP=$APP
make_app_dir large
write_large_list "$APP"
LARGE_APP=$APP
FLOOR_DIR=$WORK/floor
mkdir -p "$FLOOR_DIR"
cp "$build/tests/e2e/trayfloor.exe" "$FLOOR_DIR/"

step "(a) start-up until the tray icon exists, $reps runs each, interleaved"
programs=(floor default large)
declare -A folder=([floor]=$FLOOR_DIR [default]=$DEFAULT_APP [large]=$LARGE_APP)
declare -A exe=([floor]=trayfloor.exe [default]=kwibra.exe [large]=kwibra.exe)
declare -A samples=()
for ((rep = 0; rep <= reps; rep++)); do # round 0 warms the caches up and is not counted
  for program in "${programs[@]}"; do
    result=$(bench startup "$(windows_path "${folder[$program]}")" 1 \
      "$(windows_path "${folder[$program]}/${exe[$program]}")") || fail "$program: $result"
    ((rep > 0)) && samples[$program]+="$(median_of "$result") "
  done
done
summary() { # SAMPLES...: median, minimum and maximum
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.1f ms, min %.1f, max %.1f, n %d\n", m, v[1], v[NR], NR }'
}
declare -A medians=()
for program in "${programs[@]}"; do
  line=$(summary ${samples[$program]})
  medians[$program]=$(median_of "$line")
  echo "$program: $line"
done
awk -v f="${medians[floor]}" -v d="${medians[default]}" -v l="${medians[large]}" \
  'BEGIN { printf "ratios to the floor: default list %.2f, 10,000 lines %.2f\n", d / f, l / f }'

step "(b) hotkey to phrase menu and (c) choice to text in notepad, $reps rounds"
APP=$DEFAULT_APP
start_notepad
start_resident
focus_notepad
bench menu "$reps" "$NOTEPAD" "$KWIBRA_WINPID" || fail "menu rounds failed"
stop_kwibra
