#!/usr/bin/env bash
# The keyboard reaches every button the mouse does. Called up by the hotkey, Return on a folder button
# opens its menu with the first entry selected (a second Return starts it); End reaches a collapsed
# group's button in PanelBtn, where Return does the same; Left from the next band reaches the overflow
# arrow, whose menu Return opens.
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools
tw=$(winpath "$tools")
make_links "$tools" "$rec_win" L1 L2 L3 L4 L5 L6 L7 L8
mkdir -p "$tools/Docs"
drive make-link "$tw\\Docs\\Alpha.lnk" "$rec_win" Alpha "$tw" >/dev/null || fail "link Alpha"
install_groups --auto-hide Tools Web More < <(
  group_section Tools "Directory=$tw\\" Height=120
  group_section Web "Panel Style=1"; group_buttons Web News=http://news.example.org/
  group_section More "Directory=$tw\\Docs\\" ShowAsButton=1
)
start_behind_other "$dir"
alpha="cmd=\"$rec_win\" Alpha
dir=$tw"
open_and_start() {  # KEY FOCUS WHAT: KEY takes the focus to FOCUS; Return opens its menu, Return starts the first entry
  call_up "$3"
  xdotool key "$1"
  expect_field focus "$2" "$3: the focus"
  xdotool key Return
  _menu_opened || fail "$3: Return opened no menu"
  xdotool key Return
}
open_and_start Home 0,0 "the folder button"
expect_record "$alpha" "the folder's first entry"
open_and_start End 2,0,collapsed "the collapsed group's button"
expect_record "$alpha
$alpha" "the collapsed group's first entry"
call_up "the overflow arrow"
xdotool key Home Tab Left
expect_field focus 0,9,overflow "Left from the next band: the overflow arrow"
screenshot "$E2E_ARTIFACTS/keyboard-overflow-focus.png" >/dev/null
xdotool key Return
_menu_opened || fail "Return on the overflow arrow opened no menu"
