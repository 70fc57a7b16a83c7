#!/usr/bin/env bash
# Launching and menus with the mouse: a shortcut button starts its target with the link's arguments
# (once) and working folder; a folder button's menu (its hint gone while it is open) and a sub-menu read
# when first opened; a group collapsed by double click, its button's menu, and the group opened out again
# from the groups menu.
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools
mkdir -p "$tools/Sub/Deeper" "$E2E_WORK/wd"
tw=$(winpath "$tools") wd=$(winpath "$E2E_WORK/wd")
drive make-link "$tw\\Run.lnk" "$rec_win" '--alpha "b c"' "$wd" || fail "link"
drive make-link "$tw\\Sub\\Inner.lnk" "$rec_win" inner "$wd" || fail "link"
drive make-link "$tw\\Sub\\Deeper\\Deep.lnk" "$rec_win" deep "$wd" || fail "link"
start_tools_and_web "$tw" 200

# A click starts the link with its arguments in its working folder.
post_click "$(centre "$(button_rect 0 Run)")"
run="cmd=\"$rec_win\" --alpha \"b c\"
dir=$wd"
expect_record "$run" "the start a click on Run made"

# The folder button's menu; its sub-folder opens as a sub-menu read on opening. The hint shown over the
# button goes as the press opens the menu, and stays away.
read -r x y <<<"$(button_point 0 Sub)"
xdotool mousemove "$x" "$y"
wait_until 20 drive visible tooltips_class32 || fail "no hint over the folder button"
sub=$(centre "$(button_rect 0 Sub)")
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(_lparam "$sub")" >/dev/null
_menu_opened || fail "the folder menu did not open"
hint_shown() { drive visible tooltips_class32 && echo shown || echo hidden; }
expect_steady hidden "the hint under the open menu" 3 hint_shown
screenshot "$E2E_ARTIFACTS/folder-menu.png" >/dev/null
# Paced: the sub-menu is read when it opens, and keys typed before it is up go to the menu above.
xdotool key --delay 500 Down Right
screenshot "$E2E_ARTIFACTS/folder-submenu.png" >/dev/null
xdotool key Return
expect_record "$run
cmd=\"$rec_win\" deep
dir=$wd" "the starts after the folder menu"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$sub")" >/dev/null

# A double click on the web group's background collapses it into PanelBtn.
IFS=, read -r gl _ _ gb <<<"$(panel_rect Web)"
post_click "$((gl + 20)),$((gb - 10))" 0x203
collapsed() { read_layout; layout_lines collapsed | cut -f2,4; }
expect_soon "4001	Web" "the web group collapsed into a button" collapsed
screenshot "$E2E_ARTIFACTS/collapsed.png" >/dev/null

# Its button in PanelBtn lists its buttons (the group is filled first) in a menu one entry high.
pbtn=$(centre "$(collapsed_rect Web)")
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(_lparam "$pbtn")" >/dev/null
_menu_opened || fail "the collapsed group's menu did not open"
screenshot "$E2E_ARTIFACTS/collapsed-menu.png" >/dev/null
read -r _ mt _ mb <<<"$(drive rect '#32768')"
(( mb - mt > 10 && mb - mt < 60 )) || fail "the collapsed group's menu is not one entry high: $mt..$mb"
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the collapsed group's menu stayed open"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$pbtn")" >/dev/null

# ... and opened out again from the groups menu: 显示工具栏(&T), its entry unchecked.
expect_eq "" "$(menu_item "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" ShowMenuBar.1 | cut -f2 | tr -cd C)" \
  "the collapsed group's entry in the groups menu"
main_menu_keys t
screenshot "$E2E_ARTIFACTS/groups-menu.png" >/dev/null
xdotool key --delay 80 Down Return
expect_soon "Tools:1 Web:1" "the bands after opening the web group out" groups_shown
expect_eq "" "$(collapsed)" "PanelBtn after the groups menu"
stop_bar 20 || fail "the bar did not close by itself"
