#!/bin/bash
# End-to-end scenarios of kwibra.exe: the real program in a folder of its
# own, Wine's notepad as the target, keys and clicks through xdotool.
# usage: scenarios.sh SCENARIO ARCH PROBE-DIR KWIBRA-DIR SHOT-DIR
set -u
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"

# ---- what the user expects to find ----

# "kwibra.ini" as the first run writes it: the default list in Shift-JIS, CR LF.
default_settings_hex() {
  {
    printf '0\r\n0\r\n0\t20\t-1\t1\r\n'
    sed 's/$/\r/' <<'EOF'
＾＾；
（＾＿＾）
＼(⌒∇⌒)／
（；_；）
はじめまして、クウィブラ開発チームです。
 + 表示と入力される文字を別にする : ここが、入力される内容
改行は\n、日付は%%d、時刻は%%tをいれます
---
--- ( - が 3個)だけで、区切り線になります。
--> だけで右側に改行します。
 * クウィブラの説明 (&R) : kwibra.txt
 * メモ帳 (&N) : C:\Windows\notepad.exe
 * notepad
 * クウィブラのホームページ (&O) : https://kwibra.example.jp/
 *メール[作者宛] (&M) : mailto:author@kwibra.example.jp
 * https://portal.example.jp/
 * C:\
 * My Documents : C:\My Documents
 -新しいメニュー(&N)
半角スペースとマイナス( -)が新しいメニューの開始です
 *最新版DL先 (&N) : https://kwibra.example.jp/download/
にゃお！
EOF
  } | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'
}

# "hkey.dat" of the first run: Ctrl+Alt+A for the phrase menu, then two zero
# bytes for each of the 22 list lines.
default_hotkeys_hex() { printf '000000004103'; printf '0000%.0s' $(seq 22); }

# Phrase menu positions (Down presses from the top) of the default list.
PHRASE_SMILE=2     # （＾＿＾）
PHRASE_ESCAPES=7   # 改行は\n、日付は%%d、時刻は%%tをいれます
PHRASE_HELP=10     # " * クウィブラの説明 (&R) : kwibra.txt"
PHRASE_NOTEPAD=12  # " * notepad"

# choose_in_phrase_menu DOWN-PRESSES: Ctrl+Alt+A in notepad, then the item.
choose_in_phrase_menu() {
  keys ctrl+alt+a
  wait_menu
  local presses=()
  for ((i = 0; i < $1; i++)); do presses+=(Down); done
  keys "${presses[@]}" Return
}

expect_notepad_text() { # DESCRIPTION HEX
  local got
  got=$(probe wait-edit-text "$NOTEPAD" "$2" "$E2E_TIMEOUT_MS") ||
    fail "$1: notepad shows $(hex_to_utf8 "$got" | od -c | head -n 5)"
  echo "ok: $1"
}

clear_notepad() { probe set-edit-text "$NOTEPAD" "" >/dev/null || fail "notepad text not cleared"; }

# ---- scenarios ----

scenario_first_run() {
  make_app_dir
  step "first start in an empty folder"
  start_kwibra
  local box
  box=$(probe wait-window '#32770' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID") || fail "no welcome box"
  check "the welcome box has the caption of string 32" [ "$(field "$box" title)" == "$(sjis 'クウィブラとは...')" ]
  probe texts "$(field "$box" hwnd)" | grep -q "^$(sjis 'クウィブラをご使用いただき、ありがとうございます')" ||
    fail "the welcome box does not show the welcome text"
  check "kwibra.ini holds the default list byte for byte" [ "$(file_hex "$APP/kwibra.ini")" == "$(default_settings_hex)" ]
  check "hkey.dat holds Ctrl+Alt+A and a zero record per line" [ "$(file_hex "$APP/hkey.dat")" == "$(default_hotkeys_hex)" ]
  shot kwibra-welcome "$box"
  answer_box "$box" Return
  check "the welcome box closes with Return" probe wait-window '#32770' "$E2E_TIMEOUT_MS" gone "pid=$KWIBRA_WINPID"
  check "the tray icon appears after the welcome box" wait_tray_icon
  stop_kwibra
  check "kwibra.ini is not written at exit" [ "$(file_hex "$APP/kwibra.ini")" == "$(default_settings_hex)" ]

  step "second start: no welcome box"
  start_kwibra
  check "the tray icon appears without a welcome box" wait_tray_icon
  check "no box of kwibra is open" [ -z "$(probe windows '#32770' | grep "pid=$KWIBRA_WINPID " | grep 'visible=1')" ]
  stop_kwibra

  step "a settings file that cannot be read is neither replaced nor greeted"
  make_app_dir unreadable
  mkdir "$APP/kwibra.ini" # exists, but no file can be read from it
  start_kwibra
  check "the tray icon appears without a welcome box" wait_tray_icon
  check "kwibra.ini is still what it was" [ -d "$APP/kwibra.ini" ]
  check "no hkey.dat is written beside it" [ ! -e "$APP/hkey.dat" ]
  stop_kwibra
}

scenario_phrase_menu() {
  make_app_dir
  probe set-clipboard "$(sjis 'コピー済みの文')" || fail "clipboard not set"
  start_notepad
  start_resident
  focus_notepad
  step "Ctrl+Alt+A pops up the phrase menu at the pointer"
  keys ctrl+alt+a
  wait_menu
  IFS=, read -r left top _ <<<"$(field "$MENU" rect)"
  check "the menu's corner is at the pointer" [ "$left,$top" == "$CX,$CY" ]
  shot kwibra-phrase-menu "$MENU"
  keys Down Down Return
  expect_notepad_text "（＾＿＾） typed into notepad" "$(sjis '（＾＿＾）')"
  check "the clipboard holds the phrase" [ "$(probe clipboard)" == "$(sjis '（＾＿＾）')" ]
  check "the menu is closed" no_menu_open
  stop_kwibra
  local history
  history=$(clip_texts "$APP/clip.dat")
  check "the history kept the text copied before" grep -qx "$(sjis 'コピー済みの文')" <<<"$history"
  check "the delivered phrase did not enter the history" [ -z "$(grep -x "$(sjis '（＾＿＾）')" <<<"$history")" ]
}

scenario_expansion() {
  make_app_dir
  start_notepad
  start_resident
  focus_notepad
  step "the line with \\n, %%d and %%t"
  local before after text
  before=$(date +%s)
  choose_in_phrase_menu "$PHRASE_ESCAPES"
  probe wait-window '#32768' "$E2E_TIMEOUT_MS" gone >/dev/null
  for _ in $(seq 50); do
    text=$(probe edit-text "$NOTEPAD")
    [[ $text == *"$(sjis 'をいれます')" ]] && break
    sleep 0.1
  done
  after=$(date +%s)
  text=$(hex_to_utf8 "$text")
  echo "delivered: $(od -c <<<"$text" | head -n 3)"
  check "the escape became CR LF" [ "${text:0:5}" == $'改行は\r\n' ]
  local dates=() times=()
  for ((t = before; t <= after + 1; t++)); do
    dates+=("$(date -d "@$t" +'%Y年%-m月%-d日')")
    times+=("$(date -d "@$t" +'%-H:%M:%S')")
  done
  local rest=${text#$'改行は\r\n、日付は'}
  local date_ok=0 time_ok=0
  for d in "${dates[@]}"; do [[ $rest == "$d"* ]] && date_ok=1; done
  for t in "${times[@]}"; do [[ $rest == *"、時刻は$t"'をいれます' ]] && time_ok=1; done
  check "today's long date follows 日付は" [ $date_ok == 1 ]
  check "the time of delivery follows 時刻は" [ $time_ok == 1 ]
  stop_kwibra
}

scenario_history() {
  make_app_dir
  local copied=$'履歴のソ表\tタブ\r\n二行目'
  probe set-clipboard "$(sjis 'はじめの文')" || fail "clipboard not set"
  start_notepad
  start_resident
  step "Ctrl+C in notepad feeds the history"
  probe set-edit-text "$NOTEPAD" "$(sjis "$copied")" >/dev/null
  focus_notepad
  keys ctrl+a ctrl+c
  for _ in $(seq 50); do [[ $(probe clipboard) == "$(sjis "$copied")" ]] && break; sleep 0.1; done
  check "notepad copied the text" [ "$(probe clipboard)" == "$(sjis "$copied")" ]
  open_main_menu_from_tray
  keys Down Right
  local menus
  menus=$(probe wait-window '#32768' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID")
  shot kwibra-main-menu-history $menus
  keys Escape Escape
  probe wait-window '#32768' "$E2E_TIMEOUT_MS" gone >/dev/null
  stop_kwibra
  check "clip.dat holds the copied text after exit" \
    [ "$(clip_texts "$APP/clip.dat")" == "$(sjis 'はじめの文')"$'\n'"$(sjis "$copied")" ]

  step "after a restart the history pastes it back byte for byte"
  probe set-clipboard "$(sjis 'あとの文')" >/dev/null
  start_resident
  clear_notepad
  focus_notepad
  open_main_menu_from_tray
  keys Down Right Down Return # the history opens at はじめの文; next is the copied text
  expect_notepad_text "the history entry pasted back" "$(sjis "$copied")"
  stop_kwibra
}

# Right click on the tray icon: the main menu at the click.
open_main_menu_from_tray() {
  centre_of "$TRAY_ICON"
  point_at "$CX" "$CY"
  xdotool click 3
  wait_menu
}

scenario_item_hotkey() {
  make_app_dir
  start_resident
  stop_kwibra
  step "Ctrl+Alt+1 on the first phrase, through hkey.dat"
  # The record of list line 0 (＾＾；) follows the three menu records.
  printf '\x31\x03' | dd of="$APP/hkey.dat" bs=1 seek=6 conv=notrunc status=none
  start_notepad
  start_resident
  focus_notepad
  # The modifiers stay down after the 1 (held keys repeat, so the 1 is
  # tapped): the paste must wait until they are released as well.
  xdotool keydown ctrl alt
  keys 1
  sleep 0.6
  check "nothing is pasted while Ctrl and Alt are held" [ "$(probe edit-text "$NOTEPAD")" == "" ]
  check "no menu opened" no_menu_open
  xdotool keyup alt ctrl
  expect_notepad_text "the phrase arrives once the keys are released" "$(sjis '＾＾；')"
  check "still no menu" no_menu_open
  stop_kwibra
}

scenario_second_instance() {
  make_app_dir
  start_notepad
  start_resident
  local first=$KWIBRA first_winpid=$KWIBRA_WINPID files
  files=$(cat "$APP/kwibra.ini" "$APP/hkey.dat" | od -An -tx1 -v)
  local icons_before
  icons_before=$(tray_icons | wc -l)

  step "a second kwibra.exe hands over to the first"
  start_in "$APP" "$APP/kwibra.exe"
  local second=$STARTED
  check "the second process ends" wait_exit "$second"
  check "with exit code 0" [ "$EXIT_CODE" == 0 ]
  local dialog
  dialog=$(probe wait-window '#32770' "$E2E_TIMEOUT_MS" shown "pid=$first_winpid") || fail "no settings dialog"
  check "the first instance opened its settings dialog" [ "$(field "$dialog" title)" == "$(sjis 'クウィブラの設定')" ]
  answer_box "$dialog" Escape
  check "the dialog closes with Escape" probe wait-window '#32770' "$E2E_TIMEOUT_MS" gone "pid=$first_winpid"
  check "no file changed" [ "$(cat "$APP/kwibra.ini" "$APP/hkey.dat" | od -An -tx1 -v)" == "$files" ]
  check "no second tray icon" [ "$(tray_icons | wc -l)" == "$icons_before" ]
  check "one main window" [ "$(probe windows Pelnork | wc -l)" == 1 ]

  step "kwibra.exe -o with a resident instance: the first pops up its main menu"
  focus_notepad
  start_in "$APP" "$APP/kwibra.exe" -o
  second=$STARTED
  check "the -o process ends" wait_exit "$second"
  check "with exit code 0" [ "$EXIT_CODE" == 0 ]
  wait_menu "$first_winpid"
  keys Escape
  probe wait-window '#32768' "$E2E_TIMEOUT_MS" gone >/dev/null
  stop_kwibra

  step "kwibra.exe -o alone: main menu, delivery, exit"
  focus_notepad
  clear_notepad
  icons_before=$(tray_icons | wc -l)
  start_kwibra -o
  wait_menu
  check "no tray icon for the non-resident program" [ "$(tray_icons | wc -l)" == "$icons_before" ]
  keys Down Down Right Return # the phrase menu opens with its first item selected
  expect_notepad_text "the phrase is delivered" "$(sjis '＾＾；')"
  check "the non-resident program ends after delivering" wait_exit "$KWIBRA"
  check "with exit code 0" [ "$EXIT_CODE" == 0 ]

  step "kwibra.exe -o alone, menu dismissed"
  focus_notepad
  start_kwibra -o
  wait_menu
  keys Escape
  check "the non-resident program ends when its menu is dismissed" wait_exit "$KWIBRA"
}

scenario_launch_and_add() {
  make_app_dir
  start_notepad
  start_resident
  focus_notepad
  step "\" * notepad\" starts a second notepad"
  local known
  known=$(probe windows Notepad | sed -n 's/^hwnd=\([^ ]*\).*/\1/p')
  choose_in_phrase_menu "$PHRASE_NOTEPAD"
  local launched
  launched=$(probe wait-window Notepad "$E2E_TIMEOUT_MS" shown $known) || fail "no second notepad"
  E2E_WINDOWS+=("$(field "$launched" hwnd)")
  echo "ok: a second notepad opened"
  check "nothing was typed into the first" [ "$(probe edit-text "$NOTEPAD")" == "" ]
  probe discard-close "$(field "$launched" hwnd)" >/dev/null
  check "the second notepad closes" probe wait-hidden "$(field "$launched" hwnd)" "$E2E_TIMEOUT_MS"

  step "\"クウィブラの説明 (&R)\" opens the help text beside the program"
  known=$(probe windows Notepad | sed -n 's/^hwnd=\([^ ]*\).*/\1/p')
  focus_notepad
  choose_in_phrase_menu "$PHRASE_HELP"
  launched=$(probe wait-window Notepad "$E2E_TIMEOUT_MS" shown $known) || fail "the help text did not open"
  E2E_WINDOWS+=("$(field "$launched" hwnd)")
  check "notepad shows kwibra.txt" starts_with "$(field "$launched" title)" "$(sjis 'kwibra.txt')"
  check "with the help text in it" [ "$(probe edit-text "$(field "$launched" hwnd)")" == "$(file_hex "$APP/kwibra.txt")" ]
  probe discard-close "$(field "$launched" hwnd)" >/dev/null
  check "the help text closes" probe wait-hidden "$(field "$launched" hwnd)" "$E2E_TIMEOUT_MS"

  step "文字追加 (&I) adds the clipboard text as the last phrase"
  local added='追加したソ表の文'
  probe set-clipboard "$(sjis "$added")" >/dev/null
  local ini_before
  ini_before=$(file_hex "$APP/kwibra.ini")
  focus_notepad
  keys ctrl+alt+a
  wait_menu
  keys i
  for _ in $(seq 50); do [[ $(file_hex "$APP/kwibra.ini") != "$ini_before" ]] && break; sleep 0.1; done
  local section_line
  section_line=$(sjis ' -新しいメニュー(&N)')
  check "kwibra.ini gained the line before the section at once" \
    grep -q "$(sjis "$added")0d0a${section_line}0d0a" <<<"$(file_hex "$APP/kwibra.ini")"
  check "hkey.dat gained its record" [ "$(stat -c %s "$APP/hkey.dat")" == 52 ]
  focus_notepad
  keys ctrl+alt+a
  wait_menu
  keys Up Up Up Return # from the top: settings, add, then the last phrase
  expect_notepad_text "the added phrase is chosen and typed" "$(sjis "$added")"
  stop_kwibra
}

scenario_tilde() {
  make_app_dir
  start_resident
  stop_kwibra
  local recorder_keys=$WORK/keys.txt
  start_in "$WORK" "$PROBE" recorder "$recorder_keys" 300 300
  local recorder=$STARTED line
  line=$(probe wait-window KwibraKeyRecorder "$E2E_TIMEOUT_MS" shown) || fail "no key recorder"

  step "Shift+0 with the option on types the tilde key"
  sed -i '3s/^0/1/' "$APP/kwibra.ini"
  start_resident
  centre_of "$line"
  click_at "$CX" "$CY"
  : >"$recorder_keys"
  keys shift+0
  for _ in $(seq 50); do grep -q '^down 0xde$' "$recorder_keys" && break; sleep 0.1; done
  check "the target received VK_OEM_7" grep -q '^down 0xde$' "$recorder_keys"
  check "the target did not receive the 0 key" [ -z "$(grep '^down 0x30$' "$recorder_keys")" ]
  stop_kwibra

  step "Shift+0 with the option off reaches the target unchanged"
  sed -i '3s/^1/0/' "$APP/kwibra.ini"
  start_resident
  click_at "$CX" "$CY"
  : >"$recorder_keys"
  keys shift+0
  for _ in $(seq 50); do grep -q '^down 0x30$' "$recorder_keys" && break; sleep 0.1; done
  check "the target received the 0 key" grep -q '^down 0x30$' "$recorder_keys"
  check "and no tilde key" [ -z "$(grep '^down 0xde$' "$recorder_keys")" ]
  stop_kwibra
  probe post "$(field "$line" hwnd)" 0x10 0 0 >/dev/null # WM_CLOSE
  wait_exit "$recorder" || fail "the key recorder did not end"
}

scenario_tray_exit() {
  make_app_dir
  start_notepad
  start_resident
  local kept='トレイから終了する前の文'
  probe set-clipboard "$(sjis "$kept")" >/dev/null

  step "the version box from the main menu"
  open_main_menu_from_tray
  keys Down Down Down Right
  local menus
  menus=$(probe wait-window '#32768' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID")
  [[ $(wc -l <<<"$menus") == 2 ]] || fail "the section menu did not open"
  shot kwibra-main-menu-section $menus
  keys Escape Escape
  probe wait-window '#32768' "$E2E_TIMEOUT_MS" gone >/dev/null
  open_main_menu_from_tray
  keys v
  local about
  about=$(probe wait-window '#32770' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID") || fail "no version box"
  check "the version box has its caption" [ "$(field "$about" title)" == "$(sjis 'クウィブラのバージョン情報')" ]
  shot kwibra-version "$about"
  answer_box "$about" Return
  check "the version box closes" probe wait-window '#32770' "$E2E_TIMEOUT_MS" gone "pid=$KWIBRA_WINPID"

  step "exit from the tray menu"
  open_main_menu_from_tray
  keys e
  check "kwibra.exe ends" wait_exit "$KWIBRA"
  check "with exit code 0" [ "$EXIT_CODE" == 0 ]
  check "clip.dat holds the history" grep -qx "$(sjis "$kept")" <<<"$(clip_texts "$APP/clip.dat")"
  check "the main window is gone" [ -z "$(probe windows Pelnork)" ]
  check "the tray icon is gone" [ -z "$(tray_icons | grep -F "$(field "$TRAY_ICON" hwnd) ")" ]
}

# The settings dialog as a user edits in it: the second phrase is selected
# with the arrow keys, overtyped, changed and confirmed; the menu then
# delivers the edited phrase.
scenario_settings_edit() {
  make_app_dir
  start_notepad
  start_resident
  step "a second start opens the settings dialog"
  start_in "$APP" "$APP/kwibra.exe"
  wait_exit "$STARTED" || fail "the second process did not end"
  local dialog line_edit
  dialog=$(probe wait-window '#32770' "$E2E_TIMEOUT_MS" shown "pid=$KWIBRA_WINPID") || fail "no settings dialog"
  # The phrase line edit is the last edit of the template.
  line_edit=$(probe children '#32770' Edit | grep 'visible=1' | tail -n 1)
  [[ -n $line_edit ]] || fail "no line edit in the settings dialog"
  centre_of "$line_edit"
  click_at "$CX" "$CY"
  probe_until_foreground "$(field "$dialog" hwnd)" 20 || fail "the settings dialog did not come to the front"

  step "Down twice selects （＾＿＾）, typing replaces it, Alt+R changes the item"
  keys Down Down
  check "the line edit holds the selected phrase" probe wait-edit-text "$(field "$line_edit" hwnd)" "$(sjis '（＾＿＾）')" "$E2E_TIMEOUT_MS"
  xdotool type --delay 40 'Edited phrase'
  check "the typed text replaced it" probe wait-edit-text "$(field "$line_edit" hwnd)" "$(sjis 'Edited phrase')" "$E2E_TIMEOUT_MS"
  keys alt+r
  check "Change empties the line edit" probe wait-edit-text "$(field "$line_edit" hwnd)" "" "$E2E_TIMEOUT_MS"
  shot kwibra-settings-edited "$dialog"
  keys alt+o
  check "OK closes the dialog" probe wait-window '#32770' "$E2E_TIMEOUT_MS" gone "pid=$KWIBRA_WINPID"

  step "the files hold the edited line and the menu delivers it"
  local saved
  saved=$(file_hex "$APP/kwibra.ini")
  check "kwibra.ini holds the edited line in place of the old one" \
    grep -q "0d0a$(sjis '＾＾；')0d0a$(sjis 'Edited phrase')0d0a$(sjis '＼(⌒∇⌒)／')0d0a" <<<"$saved"
  check "the old phrase is gone from kwibra.ini" [ -z "$(grep "$(sjis '（＾＿＾）')" <<<"$saved")" ]
  check "hkey.dat still has one record per line" [ "$(file_hex "$APP/hkey.dat")" == "$(default_hotkeys_hex)" ]
  focus_notepad
  clear_notepad
  choose_in_phrase_menu "$PHRASE_SMILE"
  expect_notepad_text "the edited phrase is typed into notepad" "$(sjis 'Edited phrase')"
  stop_kwibra
}

scenario=$1
shift
e2e_init "$@"
declare -F "scenario_$scenario" >/dev/null || fail "unknown scenario $scenario"
"scenario_$scenario"
echo "PASS: $scenario"
