#!/usr/bin/env bash
# e2e-timeout: 240
# The groups list agrees with the bar: after hide and show-as-button from the buttons menu its check
# marks are the bands the bar shows, and one click on an entry shows that group as a band again (also
# the one hidden beside a single other band). Then, with a group file that cannot be saved, hide,
# show as button, a display flag and a button dragged to another place each say so in an error box.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools"
tw=$(winpath "$tools")
for f in Notepad Regedit; do drive make-link "$tw\\$f.lnk" 'C:\windows\notepad.exe' || fail "link $f"; done

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Tools "Directory=$tw\\" Height=150
  group_section Web "Panel Style=1" Height=120
  printf '[Web  Buttons]\nNews=http://news.example.org/\n\n'
  group_section Mail "Panel Style=2" Height=120
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

# "title:1" for a band, "title:0" otherwise, from the bar's layout and from the groups list's checks.
bands() {
  read_layout
  layout_lines group | awk -F'\t' '{ printf "%s%s:%s", sep, $3, $5; sep = " " }'
}
checks() {
  drive query "$WENDLIX_MAIN_CLASS" mainmenu |
    awk -F'\t' '$1 ~ /^ +ShowMenuBar\./ { printf "%s%s:%d", sep, $2, ($3 ~ /C/); sep = " " }'
}
agree() {  # WANT WHAT: the bar shows WANT, and the groups list says the same
  expect_soon "$1" "$2: the bands" bands
  expect_eq "$1" "$(checks)" "$2: the groups list's check marks"
}
open_menu_at() {  # X,Y (client) ITEM
  choose_button_menu_item "$1" "$2"
  log "menu at $1: $2 ($MENU_KEYS)"
}
list_entry() {  # TAG: the groups list's entry, chosen from the bar settings menu
  local keys
  keys=$(menu_keys "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" "ShowMenuBar.$1") || fail "no entry $1"
  # shellcheck disable=SC2086
  main_menu_keys $keys
  drive wait-gone '#32768' 10 || fail "the bar settings menu stayed open"
}

agree "Tools:1 Web:1 Mail:1" "at the start"
# Hidden from its own menu with more bands: one click brings it back.
open_menu_at "$(centre "$(panel_rect Web)")" H1
agree "Tools:1 Web:0 Mail:1" "Web hidden"
list_entry 1
agree "Tools:1 Web:1 Mail:1" "Web shown from the list"
# Shown as a button of PanelBtn: the list's click opens it out into a band.
open_menu_at "$(centre "$(panel_rect Mail)")" N5
agree "Tools:1 Web:1 Mail:0" "Mail as a button"
list_entry 2
agree "Tools:1 Web:1 Mail:1" "Mail opened out from the list"
# Hidden beside one other band: it comes back all the same.
open_menu_at "$(centre "$(panel_rect Mail)")" N5
open_menu_at "$(centre "$(panel_rect Web)")" H1
agree "Tools:1 Web:0 Mail:0" "Web hidden beside the last band"
list_entry 1
agree "Tools:1 Web:1 Mail:0" "Web shown again from the list"
list_entry 2
agree "Tools:1 Web:1 Mail:1" "all three bands"

# A group file that cannot be saved: a folder stands in its place.
rm "$dir/Wendlix.GPF"
mkdir "$dir/Wendlix.GPF"
expect_box() {  # CAPTION WHAT
  drive wait TMessageForm 20 >/dev/null || { screenshot "$E2E_ARTIFACTS/no-box.png" >/dev/null; fail "$2: no box"; }
  sleep 0.3
  expect_eq "$1" "$(drive title TMessageForm)" "$2: the box's caption"
  screenshot "$E2E_ARTIFACTS/box-$2.png" >/dev/null
  xdotool key Return
  drive wait-gone TMessageForm 20 || fail "$2: the box stayed open"
}
open_menu_at "$(centre "$(panel_rect Mail)")" H1
expect_box 工具栏 hide
open_menu_at "$(centre "$(panel_rect Web)")" N5
expect_box 工具栏 show-as-button
open_menu_at "$(centre "$(panel_rect Tools)")" T2
expect_box 工具栏 display-flag
open_menu_at "$(centre "$(panel_rect Tools)")" T2
expect_box 工具栏 display-flag-back
read_layout
read -r fx fy <<<"$(button_point 0 Regedit)"
read -r tx ty <<<"$(button_point 0 Notepad)"
mouse_drag "$fx" "$fy" "$tx" "$ty"
expect_box 按钮 button-moved
expect_eq "Regedit Notepad" "$(read_layout; layout_lines button | awk -F'\t' '$2 == 0 && $5 == 1 { print $8 }' |
  tr '\n' ' ' | sed 's/ $//')" "the moved button on the bar"

# The close would report the same file: the bar is ended instead.
kill -9 "$BAR_PID" 2>/dev/null
wait "$BAR_PID" 2>/dev/null
BAR_PID=
log "the groups list follows the bands; failed saves of hide, show as button, a flag and a move are reported"
