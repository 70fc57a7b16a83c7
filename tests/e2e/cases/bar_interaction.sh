#!/usr/bin/env bash
# Launching and menus with the mouse: a shortcut button starts its target with the link's arguments
# (once) and working folder; a folder button's menu and a sub-menu read when first opened; a group
# collapsed by double click and opened out again from the groups menu; a band dragged by its header.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../recorder_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools/Sub/Deeper" "$E2E_WORK/wd"
tw=$(winpath "$tools")
wd=$(winpath "$E2E_WORK/wd")
drive make-link "$tw\\Run.lnk" "$rec_win" '--alpha "b c"' "$wd" || fail "link"
drive make-link "$tw\\Sub\\Inner.lnk" "$rec_win" inner "$wd" || fail "link"
drive make-link "$tw\\Sub\\Deeper\\Deep.lnk" "$rec_win" deep "$wd" || fail "link"

start_tools_and_web "$tw" 200

# Client coordinates of the centre of the Tools button captioned $1, as an lParam.
button_lparam() {
  local rect l t r b
  rect=$(layout_lines button | awk -F'\t' -v cap="$1" '$2 == 0 && $8 == cap { print $6; exit }')
  [ -n "$rect" ] || fail "no button $1"
  IFS=, read -r l t r b <<<"$rect"
  echo $(( (((t + b) / 2) << 16) | ((l + r) / 2) ))
}
# 1. A click starts the link with its arguments in its working folder.
lp=$(button_lparam Run)
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$lp" >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$lp" >/dev/null
run="cmd=\"$rec_win\" --alpha \"b c\"
dir=$wd"
expect_record "$run" "the start a click on Run made"

# 2. The folder button's menu; its sub-folder opens as a sub-menu read on opening.
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(button_lparam Sub)" >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the folder menu did not open"
sleep 0.5
screenshot "$E2E_ARTIFACTS/folder-menu.png" >/dev/null
xdotool key Down
sleep 0.2
xdotool key Right
sleep 0.8
screenshot "$E2E_ARTIFACTS/folder-submenu.png" >/dev/null
xdotool key Return
expect_record "$run
cmd=\"$rec_win\" deep
dir=$wd" "the starts after the folder menu"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(button_lparam Sub)" >/dev/null

# 2b. Run dragged onto Sub with the mouse takes its place.
read_layout
expect_eq "Sub Run" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $8 }' | tr '\n' ' ' | sed 's/ $//')" "buttons before"
read -r fx fy <<<"$(button_point 0 Run)"
read -r tx ty <<<"$(button_point 0 Sub)"
mouse_drag "$fx" "$fy" "$tx" "$ty"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(layout_lines button | awk -F'\t' '$2 == 0 { print $8; exit }')" = Run ] && break
  sleep 0.1
done
expect_eq "Run Sub" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $8 }' | tr '\n' ' ' | sed 's/ $//')" \
  "buttons after dragging Run onto Sub"
expect_eq 2 "$(grep -c '^cmd=' "$record")" "launches: the drag launched nothing"

# 3. A double click on the web group's background collapses it into PanelBtn.
read_layout
IFS=, read -r gl _ _ gb <<<"$(layout_lines group | awk -F'\t' '$3 == "Web" { print $8 }')"
drive post "$WENDLIX_MAIN_CLASS" 0x203 1 $(( ((gb - 10) << 16) | (gl + 20) )) >/dev/null
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ -n "$(layout_lines collapsed)" ] && break
  sleep 0.1
done
expect_eq "4001	Web" "$(layout_lines collapsed | cut -f2,4)" "the web group collapsed into a button"
screenshot "$E2E_ARTIFACTS/collapsed.png" >/dev/null

# Its button in PanelBtn lists all its buttons (the group is filled first), and launches them.
IFS=, read -r pl pt pr pb <<<"$(layout_lines collapsed | cut -f3)"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (((pt + pb) / 2) << 16) | ((pl + pr) / 2) )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the collapsed group's menu did not open"
sleep 0.5
screenshot "$E2E_ARTIFACTS/collapsed-menu.png" >/dev/null
read -r ml mt mr mb <<<"$(drive rect '#32768')"
(( mb - mt > 10 && mb - mt < 60 )) || fail "the collapsed group's menu is not one entry high: $ml $mt $mr $mb"
xdotool key Escape
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (((pt + pb) / 2) << 16) | ((pl + pr) / 2) )) >/dev/null

# ... and opened out again from the groups menu: 显示工具栏(&T), second entry.
menu=$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)
printf '%s\n' "$menu" | awk -F'\t' '{ sub(/^ +/, "", $1) } $1 == "ShowMenuBar.1" { exit ($3 ~ /C/) ? 1 : 0 }' ||
  fail "the collapsed group's entry is checked"
IFS=, read -r tl tt tr tb <<<"$(layout_lines btntitle | cut -f2)"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (((tt + tb) / 2) << 16) | ((tl + tr) / 2) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (((tt + tb) / 2) << 16) | ((tl + tr) / 2) )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the bar settings menu did not open"
sleep 0.3
xdotool key t
sleep 0.3
screenshot "$E2E_ARTIFACTS/groups-menu.png" >/dev/null
xdotool key Down Return
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ -z "$(layout_lines collapsed)" ] && break
  sleep 0.1
done
expect_eq "" "$(layout_lines collapsed)" "PanelBtn after the groups menu"
expect_eq "Tools:1 Web:1" "$(layout_lines group | awk -F'\t' '{ printf "%s%s:%s", sep, $3, $5; sep=" " }')" \
  "bands after opening the web group out"

# 4. Dragging the web band's header onto the tools band's header puts it first.
IFS=, read -r hl ht _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Web" { print $7 }')"
IFS=, read -r ol ot _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $7 }')"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( ((ht + 5) << 16) | (hl + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x200 1 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(layout_lines group | head -1 | cut -f3)" = Web ] && break
  sleep 0.1
done
expect_eq "Web Tools" "$(layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//')" "band order after the drag"
screenshot "$E2E_ARTIFACTS/after-band-drag.png" >/dev/null

stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Run.lnk Sub" "$(ini_text "$dir/Wendlix.GPF" | awk '/^\[Tools  Buttons\]/ { on = 1; next } /^\[/ { on = 0 } on && /=/ { sub(/^[^=]*=/, ""); print }' | tr '\n' ' ' | sed 's/ $//')" \
  "the moved order saved with the group"
expect_eq "Web Tools" "$(ini_keys "$dir/Wendlix.INI" Groups | tr '\n' ' ' | sed 's/ $//')" "group order written"
