#!/bin/bash
# End-to-end scenarios of kwibra.exe: scenarios.sh SCENARIO ARCH PROBE-DIR KWIBRA-DIR SHOT-DIR
set -u
source "$(dirname "$0")/e2e-lib.sh"

# The first run's "kwibra.ini" (SHA-256 of the default list in Shift-JIS with CR LF) and
# "hkey.dat" (Ctrl+Alt+A for the phrase menu, then a zero record for each of the 22 lines).
# "clip.dat" holds 16-bit little-endian numbers: version 1, count, then a length before each text.
DEFAULT_INI=4ac5baf0ff65916127e6f14daaf21b179181d95fb45e29000f59c7b10b217254
DEFAULT_HKEY=000000004103$(printf '0000%.0s' $(seq 22))
notepad_shows() { probe wait "$MS" text "$EDIT" "$1"; }

start_with_notepad() {
  make_app_dir
  opens_notepad start_in "$WORK" "$WINEPREFIX/drive_c/windows/system32/notepad.exe"
  NOTEPAD=$WINDOW
  EDIT=$(hwnd "$(probe windows "$(hwnd "$NOTEPAD")" Edit)")
  start_resident
  click_into "$NOTEPAD"
}

menu_in() { click_into "$@" && keys ctrl+alt+a && wait_window '#32768'; } # LINE [HWND]: Ctrl+Alt+A there
phrase_menu() { menu_in "$NOTEPAD" && keys "$@"; }                         # KEYS...: in notepad, then these

scenario_first_run() {
  make_app_dir
  start_kwibra
  wait_window '#32770'
  check "the welcome box has its caption" titled "$WINDOW" 'クウィブラとは...'
  check "and greets" matches "$(probe windows "$(hwnd "$WINDOW")" Static)" "*=$(sjis 'クウィブラをご使用いただき')*"
  check "kwibra.ini holds the default list" [ "$(sha256sum <"$APP/kwibra.ini")" == "$DEFAULT_INI  -" ]
  check "hkey.dat holds the default hotkeys" [ "$(file_hex "$APP/hkey.dat")" == "$DEFAULT_HKEY" ]
  shot kwibra-welcome "$WINDOW"
  answer_box "$WINDOW" Return
  check "the tray icon appears after the welcome box" wait_tray_icon
  stop_kwibra
  check "kwibra.ini is not written at exit" [ "$(sha256sum <"$APP/kwibra.ini")" == "$DEFAULT_INI  -" ]
  start_resident
  check "the second start shows no welcome box" [ -z "$(probe windows 0 '#32770')" ]
  stop_kwibra
  make_app_dir unreadable
  mkdir "$APP/kwibra.ini"
  start_kwibra
  wait_window '#32770'
  check "an unreadable kwibra.ini is told, not greeted" matches "$(probe windows "$(hwnd "$WINDOW")" Static)" \
    "*=$(sjis '「kwibra.ini」を読み込めませんでした')*"
  answer_box "$WINDOW" Return
  check "then the tray icon appears" wait_tray_icon
  check "the unreadable kwibra.ini stays, with no hkey.dat beside it" [ -d "$APP/kwibra.ini" -a ! -e "$APP/hkey.dat" ]
  stop_kwibra
}

scenario_phrase_menu() {
  probe wait "$MS" set-text clipboard "$(sjis 'コピー済みの文')"
  start_with_notepad
  phrase_menu
  check "the phrase menu opens at the pointer" matches "$(field "$WINDOW" rect)" "*+$CX+$CY"
  shot kwibra-phrase-menu "$WINDOW"
  keys Down Down Return
  check "（＾＿＾） is typed into notepad" notepad_shows "$(sjis '（＾＿＾）')"
  check "and on the clipboard" probe wait "$MS" text clipboard "$(sjis '（＾＿＾）')"
  check "the menu is closed" probe wait-not 0 windows 0 '#32768'
  stop_kwibra
  check "the history kept the copied text, not the phrase" [ "$(file_hex "$APP/clip.dat")" == 010001000e00"$(sjis 'コピー済みの文')" ]
}

scenario_expansion() {
  start_with_notepad
  local start=$(date +%s) text t found=0
  phrase_menu $(printf 'Down %.0s' {1..7}) Return # 改行は\n、日付は%%d、時刻は%%tをいれます
  text=$(probe wait-not "$MS" text "$EDIT" '')
  shot expansion "$NOTEPAD"
  for ((t = start; t <= $(date +%s); t++)); do
    [[ $text == $(sjis "$(date -d "@$t" +$'改行は\r\n、日付は%Y年%-m月%-d日%A、時刻は%-H:%M:%Sをいれます')") ]] && found=1
  done
  check "\\n became CR LF, %%d the date and %%t the time of delivery" [ $found == 1 ]
  stop_kwibra
}

scenario_history() { # Unicode text copied in notepad, kept across a restart, pasted back exactly
  local copied=$'履歴のソ表\tタブ\r\n二行目 caf\u00e9 \U0001F600 \U00020BB7野家'
  probe wait "$MS" set-text clipboard "$(sjis 'はじめの文')"
  start_with_notepad
  probe set-text-w "$EDIT" "$(utf16 "$copied")"
  keys ctrl+a ctrl+c
  check "notepad copied the text" probe wait "$MS" text-w clipboard "$(utf16 "$copied")"
  main_menu Down Right
  shot kwibra-main-menu-history "$(probe wait "$MS" windows 0 '#32768')"
  close_menus Escape Escape
  stop_kwibra
  check "clip.dat holds both after exit, the Shift-JIS form" \
    matches "$(file_hex "$APP/clip.dat")" 010002000a00"$(sjis 'はじめの文')"????"$(sjis $'履歴のソ表\tタブ\r\n二行目 caf')"*"$(sjis '野家')"
  probe wait "$MS" set-text clipboard "$(sjis 'あとの文')"
  start_resident
  probe set-text "$EDIT" ''
  click_into "$NOTEPAD"
  main_menu Down Right Down Return # the history opens at はじめの文; next is the copied text
  check "after a restart the history pastes back exactly what was copied, into notepad, not the tray" \
    probe wait "$MS" text-w "$EDIT" "$(utf16 "$copied")"
  stop_kwibra
}

scenario_item_hotkey() {
  start_with_notepad
  stop_kwibra
  # Ctrl+Alt+1 for list line 0 (＾＾；), whose record follows the three menu records.
  printf '\x31\x03' | dd of="$APP/hkey.dat" bs=1 seek=6 conv=notrunc status=none
  start_resident
  click_into "$NOTEPAD"
  xdotool keydown ctrl alt 1
  sleep 2.5 # past the key-repeat delay: the hotkey comes again and again
  shot item-hotkey-held
  check "nothing is pasted while the keys are held" probe text "$EDIT" ''
  check "and no menu opened" probe wait-not 0 windows 0 '#32768'
  xdotool keyup 1 alt ctrl
  check "the phrase arrives once they are released" notepad_shows "$(sjis '＾＾；')"
  sleep 1
  check "and only once" probe text "$EDIT" "$(sjis '＾＾；')"
  check "still no menu" probe wait-not 0 windows 0 '#32768'
  probe set-text "$EDIT" ''
  xdotool keydown ctrl keydown alt key 1 key 1 keyup alt keyup ctrl
  check "Ctrl+Alt held and 1 tapped twice pastes twice" notepad_shows "$(sjis '＾＾；＾＾；')"
  stop_kwibra
}

scenario_target() { # the window the user last worked in, with the field that had its focus
  start_with_notepad
  stop_kwibra
  printf '\x31\x03' | dd of="$APP/hkey.dat" bs=1 seek=6 conv=notrunc status=none # Ctrl+Alt+1: ＾＾；
  start_resident
  start_in "$WORK" "$PROBE" form # over notepad
  wait_window ProbeForm
  local form=$WINDOW fields taskbar
  fields=($(probe windows "$(hwnd "$form")" Edit | hwnds))
  menu_in "$(probe windows "$(hwnd "$form")" Edit | head -n 1)" "$(hwnd "$form")"
  close_menus Escape
  click_into "$(probe windows "$(hwnd "$form")" Edit | tail -n 1)" "$(hwnd "$form")"
  keys ctrl+alt+1
  check "after a dismissed menu, a hotkey pastes into the field that has the focus now" \
    probe wait "$MS" text "${fields[1]}" "$(sjis '＾＾；')"
  check "not into the one the menu found" probe text "${fields[0]}" ''
  click_into "$NOTEPAD"
  sleep 0.5
  start_in "$WORK" "$PROBE" recorder Shell_TrayWnd # a click on the taskbar
  wait_window Shell_TrayWnd
  taskbar=$WINDOW
  click_into "$taskbar"
  probe post "$(hwnd "$MAIN")" 0x48E 1 517 # the tray icon's right click, as the shell reports it
  wait_window '#32768'
  keys Down Down Right Return
  check "the menu opened over the taskbar pastes into notepad, where the user worked last" notepad_shows "$(sjis '＾＾；')"
  check "and nothing more into the form" probe text "${fields[1]}" "$(sjis '＾＾；')"
  shot target "$NOTEPAD" "$form"
  quit "$(hwnd "$taskbar")"
  quit "$(hwnd "$form")"
  stop_kwibra
}

scenario_rebuild_hotkeys() { # a phrase added from the clipboard, a system change, then an item's hotkey
  make_app_dir
  printf 'AAA\nBBB\n -Sec\nQQQ\n' | sed '1i0\n0\n0\t20\t-1\t1' | sed 's/$/\r/' >"$APP/kwibra.ini"
  printf '\0\0\0\0A\3\0\0\0\0\0\0\x31\x03' >"$APP/hkey.dat" # Ctrl+Alt+A; Ctrl+Alt+1 on QQQ
  start_with_notepad
  probe wait "$MS" set-text clipboard "$(sjis 'XXX')"
  phrase_menu i
  check "XXX is saved before the section" grep -q "$(sjis 'XXX')0d0a$(sjis ' -Sec')" <<<"$(file_hex "$APP/kwibra.ini")"
  # A system colour changes (WM_SYSCOLORCHANGE): the menus are built anew, in file order.
  check "the change reaches kwibra.exe" probe post "$(hwnd "$MAIN")" 0x15 0 0
  check "which rebuilds, saving the history first" timeout 10 bash -c "until [ -e '$APP/clip.dat' ]; do sleep 0.1; done"
  probe set-text "$EDIT" ''
  click_into "$NOTEPAD"
  keys ctrl+alt+1
  check "Ctrl+Alt+1 still pastes QQQ" notepad_shows "$(sjis 'QQQ')"
  stop_kwibra
}

scenario_second_instance() {
  start_with_notepad
  local files=$(cat "$APP/kwibra.ini" "$APP/hkey.dat" | od -An -tx1 -v) icons=$(tray_icons)
  start_in "$APP" "$APP/kwibra.exe"
  check "a second kwibra.exe ends with exit code 0" exits_0 "$STARTED"
  wait_window '#32770'
  check "the first opened its settings dialog" titled "$WINDOW" 'クウィブラの設定'
  shot second-instance "$WINDOW"
  answer_box "$WINDOW" Escape
  check "no file changed" [ "$(cat "$APP/kwibra.ini" "$APP/hkey.dat" | od -An -tx1 -v)" == "$files" ]
  check "no second tray icon" [ "$(tray_icons)" == "$icons" ]
  check "one main window" [ "$(probe windows 0 Pelnork all)" == "$MAIN" ]
  start_in "$APP" "$APP/kwibra.exe" -o
  check "kwibra.exe -o beside a resident one ends with exit code 0" exits_0 "$STARTED"
  check "and the first one opens its main menu" probe wait "$MS" windows 0 '#32768'
  close_menus Escape
  stop_kwibra
  probe set-text "$EDIT" ''
  click_into "$NOTEPAD"
  start_kwibra -o
  wait_window '#32768'
  check "kwibra.exe -o alone has no tray icon" [ -z "$(tray)" ]
  keys Down Down Right Return # the phrase menu opens with its first item selected
  check "kwibra.exe -o alone delivers" notepad_shows "$(sjis '＾＾；')"
  check "and ends with exit code 0" exits_0 "$KWIBRA"
  start_kwibra -o
  wait_window '#32768'
  local menu=$WINDOW
  start_in "$APP" "$APP/kwibra.exe" -o
  check "a second kwibra.exe -o ends with exit code 0" exits_0 "$STARTED"
  sleep 1
  check "and the open menu stays, one menu at a time" probe visible "$(hwnd "$menu")"
  keys Escape
  check "kwibra.exe -o alone ends when its menu is dismissed" wait_exit "$KWIBRA"
}

sjis_crlf() { iconv -f CP932 -t UTF-8 "$1" && ! LC_ALL=C grep -q -v $'\r$' "$1"; } # FILE

scenario_dist() { # the release zip: its three files, the texts in Shift-JIS with CR LF, the first run
  "$KWIBRA_ROOT/tools/dist.sh" "$KWIBRA_ARCH" "$WORK/zip" >/dev/null || fail "make dist"
  unzip -q "$WORK"/zip/kwibra-*.zip -d "$WORK/unzipped" || fail "the zip does not unpack"
  BUILD=$WORK/unzipped
  check "the zip holds kwibra.exe, kwibra.txt and readme.txt" [ "$(ls "$BUILD" | xargs)" == "kwibra.exe kwibra.txt readme.txt" ]
  check "kwibra.txt is the help text of the sources" cmp "$BUILD/kwibra.txt" "$KWIBRA_ROOT/resources/kwibra.txt"
  for text in kwibra.txt readme.txt; do check "$text is Shift-JIS with CR LF" sjis_crlf "$BUILD/$text"; done
  scenario_first_run
}

scenario_launch_and_add() {
  start_with_notepad
  opens_notepad phrase_menu $(printf 'Down %.0s' {1..12}) Return # " * notepad"
  check "\" * notepad\" types nothing" probe text "$EDIT" ''
  check "the second notepad closes" quit "$(hwnd "$WINDOW")"
  opens_notepad phrase_menu $(printf 'Down %.0s' {1..10}) Return # " * クウィブラの説明 (&R) : kwibra.txt"
  shot launch-help "$WINDOW"
  check "the help item opens kwibra.txt" matches "$(field "$WINDOW" title)" "$(sjis 'kwibra.txt')*"
  check "with the help text" probe text "$(hwnd "$(probe windows "$(hwnd "$WINDOW")" Edit)")" "$(file_hex "$APP/kwibra.txt")"
  check "which closes" quit "$(hwnd "$WINDOW")"
  probe wait "$MS" set-text clipboard "$(sjis '追加したソ表の文')"
  phrase_menu i
  phrase_menu Up Up Up Return # from the bottom: settings, add, then the last phrase
  check "文字追加 wrote the clipboard text before the section before the next menu" grep -q "$(sjis '追加したソ表の文')0d0a$(sjis ' -新しいメニュー(&N)')0d0a" <<<"$(file_hex "$APP/kwibra.ini")"
  check "hkey.dat gained its record" [ "$(stat -c %s "$APP/hkey.dat")" == 52 ]
  check "the added phrase is typed" notepad_shows "$(sjis '追加したソ表の文')"
  stop_kwibra
}

scenario_paste_methods() { # the console pastes on its own command; a rule of the user's sends Shift+Insert
  make_app_dir
  printf 'echo pasted>pasted.txt\\n\n' | sed '1i0\n0\n1\t20\t-1\t1' | sed 's/$/\r/' >"$APP/kwibra.ini" # ~ on Shift+0
  printf '\0\0\0\0A\3\0\0' >"$APP/hkey.dat" # Ctrl+Alt+A: the phrase menu
  printf 'KwibraKeys\tshift+insert\noops\n' >"$APP/paste.txt"
  start_kwibra
  wait_window '#32770'
  check "a rule it cannot read is told by its line" \
    matches "$(probe windows "$(hwnd "$WINDOW")" Static)" "*$(sjis '「paste.txt」の次の行は読み取れないため')*$(sjis '2 行目：oops')*"
  answer_box "$WINDOW" Return
  wait_tray_icon || fail "no tray icon"
  mkdir "$WORK/console"
  start_in "$WORK/console" wineconsole cmd
  wait_window WineConsoleClass
  local console=$WINDOW
  menu_in "$console"
  keys Down Return
  check "the command chosen into the console runs" timeout 10 bash -c "until [ -e '$WORK/console/pasted.txt' ]; do sleep 0.1; done"
  probe post "$(hwnd "$console")" 0x10 0 0 # WM_CLOSE
  start_in "$WORK" "$PROBE" recorder KwibraKeys
  wait_window KwibraKeys
  local recorder=$WINDOW
  menu_in "$recorder"
  probe set-text "$(hwnd "$recorder")" ''
  keys Down Return
  check "the window of the user's rule receives Shift+Insert" probe wait "$MS" text "$(hwnd "$recorder")" "$(sjis '16 45 ')"
  probe set-text "$(hwnd "$recorder")" ''
  keys shift+0
  check "with the tilde option on, Shift+0 types the ~ key (VK_OEM_7)" probe wait "$MS" text "$(hwnd "$recorder")" "$(sjis '16 222 ')"
  quit "$(hwnd "$recorder")"
  stop_kwibra
}

scenario_tray_exit() {
  start_with_notepad
  probe wait "$MS" set-text clipboard "$(sjis 'トレイから終了する前の文')"
  main_menu Down Down Down Right
  check "the section menu opens beside the main menu" probe wait "$MS" windows 0 '#32768' "$(hwnd "$WINDOW")"
  close_menus Escape Escape
  main_menu v
  wait_window '#32770'
  check "the version box has its caption" titled "$WINDOW" 'クウィブラのバージョン情報'
  answer_box "$WINDOW" Return
  main_menu
  shot tray-exit "$WINDOW"
  keys e
  check "終了 ends kwibra.exe with exit code 0" exits_0 "$KWIBRA"
  check "saving the history" matches "$(file_hex "$APP/clip.dat")" "*1800$(sjis 'トレイから終了する前の文')"
  check "the main window is gone" [ -z "$(probe windows 0 Pelnork all)" ]
  check "the tray icon is gone" tray wait-not "$MS"
}

scenario_settings_edit() { # the second phrase selected with arrow keys, overtyped, changed, confirmed
  start_with_notepad
  start_in "$APP" "$APP/kwibra.exe"
  wait_window '#32770'
  local dialog=$WINDOW edit=$(probe windows "$(hwnd "$WINDOW")" Edit | tail -n 1) # the line edit, last in the template
  click_into "$edit" "$(hwnd "$dialog")"
  keys Down Down
  check "Down twice selects （＾＿＾）" probe wait "$MS" text "$(hwnd "$edit")" "$(sjis '（＾＿＾）')"
  xdotool type --delay 40 'Edited phrase'
  check "typing replaces it" probe wait "$MS" text "$(hwnd "$edit")" "$(sjis 'Edited phrase')"
  keys alt+r
  check "Change empties the line edit" probe wait "$MS" text "$(hwnd "$edit")" ''
  shot settings-edited "$dialog"
  keys alt+o
  check "OK closes the dialog" probe wait-not "$MS" visible "$(hwnd "$dialog")"
  check "kwibra.ini holds the edited line in place of （＾＿＾）" matches "$(file_hex "$APP/kwibra.ini")" \
    "*0d0a$(sjis '＾＾；')0d0a$(sjis 'Edited phrase')0d0a$(sjis '＼(⌒∇⌒)／')0d0a*"
  check "hkey.dat still has one record per line" [ "$(file_hex "$APP/hkey.dat")" == "$DEFAULT_HKEY" ]
  probe set-text "$EDIT" ''
  phrase_menu Down Down Return
  check "the edited phrase is typed into notepad" notepad_shows "$(sjis 'Edited phrase')"
  stop_kwibra
}

e2e_init "${@:2}"
"scenario_$1" || fail "scenario $1"
