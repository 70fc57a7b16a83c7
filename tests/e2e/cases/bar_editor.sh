#!/usr/bin/env bash
# The editor opened from the bar's buttons menu, driven from outside with real keys and the real mouse: a
# web group's buttons reordered (Up, Down and a drag in the list), a duplicate name refused, one deleted
# with the Delete key and the group renamed in Chinese, committed with Enter (the bar shows it at once and
# takes the next right click) and the group file compared byte for byte; the painted strip dragged, then
# Escape. Screenshots of the pages and a refusal are kept.
# (The editor's rules, each page and button mode are tested on their own.)
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' Notepad
tw=$(winpath "$tools")
install_groups Tools Web Mail < <(
  group_section Tools "Directory=$tw\\" Height=200
  group_section Web "Panel Style=1" Height=150
  group_buttons Web Aa=http://a.example.org/ Bb=http://b.example.org/ Cc=http://c.example.org/ Dd=http://d.example.org/
  group_section Mail "Panel Style=2" Height=100
  group_buttons Mail me=MAILTO:me@example.org
)
start_and_wait "$dir"

open_editor() {  # GROUP: its properties
  choose_button_menu_item "$(centre "$(panel_rect "$1")")" S5
  editor_wait 20 || { screenshot "$E2E_ARTIFACTS/no-editor.png" >/dev/null; fail "no editor for $1"; }
  wait_until 5 drive visible "$EDITOR" || fail "the editor was not shown"
}
picture_editor() {  # FILE: the editor cut out of the screen
  local l t r b
  read -r l t r b <<<"$(drive rect "$EDITOR")"
  shot_rect "$1" "$l" "$t" "$r" "$b"
}
row_point() {  # ROW: the screen x y of the middle of the editor list's row (17 pixels: 9-point font)
  local l t
  read -r _ l t _ <<<"$(drive children "$EDITOR" | awk -F'\t' '$2 == "SysListView32" { print $1, $3; exit }')"
  echo "$(( l + 40 )) $(( t + 2 + 17 * $1 + 8 ))"
}
buttons_shown() { drive children "$EDITOR" | awk -F'\t' '$2 == "SysListView32" { print $4; exit }'; }

# The web group: properties, then its buttons page by Ctrl+Tab.
web_header=$(header_rect Web)
old_look=$(client_pixels "$web_header")
open_editor Web
picture_editor web-group-page.png
xdotool key ctrl+Tab
expect_soon 1 "the buttons page after Ctrl+Tab" buttons_shown
picture_editor web-buttons-page.png

# Aa down one (the first row is selected), Dd up one: Bb Aa Dd Cc; then Bb dragged onto the last row:
# Aa Dd Cc Bb. The list is driven as a hand would, so each step is paced.
drive click "$EDITOR" 132 >/dev/null
# shellcheck disable=SC2046
xdotool mousemove $(row_point 3) sleep 0.3 click 1 sleep 0.3
drive click "$EDITOR" 131 >/dev/null
read -r x y <<<"$(row_point 0)"
read -r _ y3 <<<"$(row_point 3)"
xdotool sleep 0.3 mousemove "$x" "$y" mousedown 1
for (( dy = 2; y + dy < y3; dy += 6 )); do xdotool mousemove "$x" $(( y + dy )) sleep 0.05; done
xdotool mousemove "$x" "$y3" sleep 0.2 mouseup 1 sleep 0.3
picture_editor web-reordered.png

# A name another button has is refused, with what was typed kept for correcting.
drive set-text "$EDITOR" 134 Aa >/dev/null
drive set-text "$EDITOR" 135 e.example.org >/dev/null
drive click "$EDITOR" 138 >/dev/null
answer_box Return refusal-duplicate-name.png
expect_eq 错误 "$BOX_TEXT" "the refusal's caption"
expect_eq "Web||Aa|e.example.org" "$(editor_fields)" "the fields after the refusal"
# A new name is taken, stored as typed (the bar adds the prefix when it fills the group).
drive set-text "$EDITOR" 134 Ee >/dev/null
drive click "$EDITOR" 138 >/dev/null
# Dd deleted by the Delete key on the list, confirmed with Enter.
# shellcheck disable=SC2046
xdotool mousemove $(row_point 1) sleep 0.3 click 1 sleep 0.3 key Delete
answer_box Return
expect_eq 删除按钮 "$BOX_TEXT" "the delete question's caption"
picture_editor web-after-delete.png
# Renamed in Chinese on the first page, committed with Enter.
xdotool key ctrl+Tab
expect_soon 0 "the group page after Ctrl+Tab" buttons_shown
drive set-text "$EDITOR" 101 '网站 收藏' >/dev/null
xdotool key Return
drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"
expect_soon "Aa Cc Bb Ee" "the web group's buttons after the commit" captions 1
# The new title shows at once, the pointer untouched, and the bar's first click after the dialog counts.
_new_look() { [ "$(client_pixels "$web_header")" != "$old_look" ]; }
wait_until 20 _new_look || { screenshot "$E2E_ARTIFACTS/old-look.png" >/dev/null; fail "the bar kept its old look"; }
right_click_menu "$(centre "$(panel_rect Mail)")"
# The file byte for byte: the untouched groups as they were, the old title's sections gone, the buttons
# section of the new title in the list's order, then its folder entry and its settings. Width is the
# panel's width as shown, which the bar saves with the settings.
cp "$gpf" "$E2E_ARTIFACTS/web-committed.GPF"
IFS=, read -r wl _ wr _ <<<"$(panel_rect '网站 收藏')"
{
  group_section Tools "Directory=$tw\\" Height=200
  group_section Mail "Panel Style=2" Height=100
  group_buttons Mail me=MAILTO:me@example.org
  printf '[网站 收藏  Buttons]\nAa=http://a.example.org/\nCc=http://c.example.org/\nBb=http://b.example.org/\n'
  printf 'Ee=e.example.org\n[Groups]\n网站 收藏=\n'
  group_section '网站 收藏' "Panel Style=1" Height=150 Width=$(( wr - wl )) Directory= | sed '$d'
} | write_cp936 "$E2E_WORK/expected.GPF"
cmp "$E2E_WORK/expected.GPF" "$gpf" || {
  diff <(ini_text "$E2E_WORK/expected.GPF") <(ini_text "$gpf")
  fail "the group file after the web group's commit"
}

# The painted strip moves the dialog; Escape then leaves everything as it was.
before=$(md5sum <"$gpf")
open_editor Mail
read -r l t r b <<<"$(drive rect "$EDITOR")"
xdotool mousemove $(( l + 120 )) $(( t + 8 )) mousedown 1
for (( i = 1; i <= 10; i++ )); do xdotool mousemove $(( l + 120 + 6 * i )) $(( t + 8 + 4 * i )) sleep 0.05; done
xdotool sleep 0.2 mouseup 1
expect_soon "$(( l + 60 )) $(( t + 40 )) $(( r + 60 )) $(( b + 40 ))" "the dialog after the strip drag" drive rect "$EDITOR"
xdotool key Escape
drive wait-gone "$EDITOR" 20 || fail "the editor stayed open after Escape"
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after Escape"
stop_bar 20 || fail "the bar did not close by itself"
