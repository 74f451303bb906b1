#!/bin/bash
# `make screenshots`: the README's pictures in docs/screenshots/, taken from the
# real kwibra.exe under Wine on a private Xvfb display (no window manager, so no
# title bars), driven as in the end-to-end tests and with their probe.exe. The
# 32-bit build, as `make run` takes it, or the 64-bit one where this kernel
# cannot run 32-bit programs. It stops at the first window that never appears.
set -u
cd "$(dirname "$0")/.."
export KWIBRA_DISPLAY=${KWIBRA_DISPLAY:-:79} # keys and focus of its own
source tools/wine-env.sh
kwibra_runnable_tree || exit 1
arch=$ARCH tree=$TREE
cmake --build "$tree" -j "$(nproc)" --target kwibra kwibra_probe || exit 1

source tests/e2e/e2e-lib.sh
e2e_init "$arch" "$tree/tests/e2e" "$tree/app/exe" "$PWD/docs/screenshots"
kwibra_start_wineserver
trap 'cleanup; wineserver -k' EXIT

# A first start in a fresh folder, with a text on the clipboard for the history.
make_app_dir
probe wait "$MS" set-text clipboard "$(sjis 'はじめの文')"
opens_notepad start_in "$WORK" "$WINEPREFIX/drive_c/windows/system32/notepad.exe"
notepad=$WINDOW
start_kwibra
wait_window '#32770'
shot kwibra-welcome "$WINDOW"
answer_box "$WINDOW" Return
wait_tray_icon || fail "no tray icon"
probe wait "$MS" set-text clipboard "$(sjis $'コピーした文\tタブ\r\n二行目')"

click_into "$notepad"
keys ctrl+alt+a
wait_window '#32768'
shot kwibra-phrase-menu "$WINDOW"
close_menus Escape

main_menu Down Right
shot kwibra-main-menu-history "$(probe wait "$MS" windows 0 '#32768' "$(hwnd "$WINDOW")")" "$WINDOW"
close_menus Escape Escape

main_menu Down Down Down Right
shot kwibra-main-menu-section "$(probe wait "$MS" windows 0 '#32768' "$(hwnd "$WINDOW")")" "$WINDOW"
close_menus Escape Escape

main_menu v
wait_window '#32770'
shot kwibra-version "$WINDOW"
answer_box "$WINDOW" Return

# The settings dialog, opened by a second start, in each input mode: the mode
# combo box (IDC_INPUT_MODE_COMBO 1033) and the list (IDC_ITEM_LIST 1000) are
# set as their notifications tell the dialog (WM_COMMAND, CBN_/LBN_SELCHANGE).
start_in "$APP" "$APP/kwibra.exe"
wait_window '#32770'
dialog=$(hwnd "$WINDOW")
combo=$(hwnd "$(probe windows "$dialog" ComboBox)")
list=$(hwnd "$(probe windows "$dialog" ListBox)")
line_edit=$(hwnd "$(probe windows "$dialog" Edit | tail -n 1)") # the last in the template
# Each row: picture, mode, list item, which visible edit takes the focus.
for row in 'single 0 1 $' 'separate 1 10 1' 'multi 2 6 $'; do
  read -r name mode item edit <<<"$row"
  before=$(probe text "$line_edit")
  probe post "$combo" 0x14e "$mode" 0 # CB_SETCURSEL
  probe post "$dialog" 0x111 $(((1 << 16) + 1033)) "$combo"
  probe post "$list" 0x186 "$item" 0 # LB_SETCURSEL
  probe post "$dialog" 0x111 $(((1 << 16) + 1000)) "$list"
  probe wait-not "$MS" text "$line_edit" "$before" >/dev/null || fail "the settings dialog did not show item $item"
  click_into "$(probe windows "$dialog" Edit | sed -n "${edit}p")" "$dialog"
  sleep 0.5 # for the dialog to be drawn in its new layout
  shot "settings-$name" "$WINDOW"
done
answer_box "$WINDOW" Escape
stop_kwibra

# The phrase menu once more at 144 dots per inch, which a program reads from
# the prefix when it starts; the prefix goes back to 96 afterwards.
set_dpi() { "$KWIBRA_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'set_dpi 96; cleanup; wineserver -k' EXIT
set_dpi 144
start_resident
click_into "$notepad"
keys ctrl+alt+a
wait_window '#32768'
shot kwibra-phrase-menu-144dpi "$WINDOW"
close_menus Escape
stop_kwibra
echo "screenshots: docs/screenshots/ (from build/$arch)"
