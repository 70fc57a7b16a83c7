#!/usr/bin/env bash
# The keyboard reaches every button the mouse does. Called up by the hotkey, Return on a folder button
# opens its menu with the first entry selected (a second Return starts it); End reaches a collapsed
# group's button in PanelBtn, where Return does the same; Left from the next band reaches the overflow
# arrow, whose menu Return opens.
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools more=$E2E_WORK/More
tw=$(winpath "$tools") mw=$(winpath "$more")
make_links "$tools" "$rec_win" L1 L2 L3 L4 L5 L6 L7 L8
mkdir -p "$tools/Docs" "$more"
drive make-link "$tw\\Docs\\Alpha.lnk" "$rec_win" launched-Alpha "$tw" >/dev/null || fail "link Alpha"
drive make-link "$mw\\Gamma.lnk" "$rec_win" launched-Gamma "$mw" >/dev/null || fail "link Gamma"
install_groups --auto-hide Tools Web More < <(
  group_section Tools "Directory=$tw\\" Height=120
  group_section Web "Panel Style=1"; group_buttons Web News=http://news.example.org/
  group_section More "Directory=$mw\\" ShowAsButton=1
)
start_behind_other "$dir"
open_and_start() {  # FOCUS WHAT: Return opens the focused button's menu, Return starts its first entry
  expect_field focus "$1" "$2: the focus"
  xdotool key Return
  _menu_opened || fail "$2: Return opened no menu"
  screenshot "$E2E_ARTIFACTS/keyboard-menu-${1//,/-}.png" >/dev/null
  xdotool key Return
}

call_up "the folder button"
open_and_start 0,0 "the folder button"
expect_record "cmd=\"$rec_win\" launched-Alpha
dir=$tw" "the folder's first entry"
call_up "the collapsed group"
xdotool key End
open_and_start 2,0,collapsed "the collapsed group's button"
expect_record "cmd=\"$rec_win\" launched-Alpha
dir=$tw
cmd=\"$rec_win\" launched-Gamma
dir=$mw" "the collapsed group's first button"
call_up "the overflow arrow"
xdotool key Home Tab Left
expect_field focus 0,9,overflow "Left from the next band: the overflow arrow"
screenshot "$E2E_ARTIFACTS/keyboard-overflow-focus.png" >/dev/null
xdotool key Return
_menu_opened || fail "Return on the overflow arrow opened no menu"
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the overflow menu stayed open"

