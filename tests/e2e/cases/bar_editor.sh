#!/usr/bin/env bash
# The editor opened from the bar's buttons menu, driven from outside: a web group's buttons reordered
# (Up, Down and a drag in the list), a duplicate name refused, one deleted and the group renamed in
# Chinese, committed with Enter and the group file compared byte for byte; a shortcut group whose New
# link survives Cancel; button mode for each kind; the painted strip dragged. Screenshots of each
# page, button mode and a refusal are kept.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools"
tw=$(winpath "$tools")
drive make-link "$tw\\Notepad.lnk" 'C:\windows\notepad.exe' >/dev/null || fail "link Notepad"
printf '[InternetShortcut]\r\nURL=http://site.example.org/\r\n' >"$tools/site.url"

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Tools "Directory=$tw\\" Height=200
  group_section Web "Panel Style=1" Height=150
  printf '[Web  Buttons]\nAa=http://a.example.org/\nBb=http://b.example.org/\nCc=http://c.example.org/\n'
  printf 'Dd=http://d.example.org/\n\n'
  group_section Mail "Panel Style=2" Height=100
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
gpf=$dir/Wendlix.GPF
start_and_wait "$dir"
read_layout

captions() {  # GROUP-BAND: the shown launch buttons' captions
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { printf "%s ", $7 }' | sed 's/ $//'
}
open_menu_at() {  # X,Y (client) ITEM: open the buttons menu there and choose the item
  choose_button_menu_item "$1" "$2"
  editor_wait 20 || {
    screenshot "$E2E_ARTIFACTS/no-editor.png" >/dev/null
    fail "$2 opened no editor"
  }
  # Shown and painted: the dialog takes the focus when it shows.
  drive visible "$EDITOR" >/dev/null || sleep 0.5
  sleep 0.5
  log "menu at $1: $2"
}
child() {  # CLASS: "handle left top right bottom visible" of the editor's first child of that class
  drive children "$EDITOR" | awk -F'\t' -v c="$1" '$2 == c { print $1, $3, $4; exit }'
}
picture_editor() {  # FILE: the editor cut out of the screen
  local l t r b
  read -r l t r b <<<"$(drive rect "$EDITOR")"
  screenshot "$E2E_ARTIFACTS/screen.png" >/dev/null
  crop "$E2E_ARTIFACTS/screen.png" $(( r - l )) $(( b - t )) "$l" "$t" "$E2E_ARTIFACTS/$1"
  rm -f "$E2E_ARTIFACTS/screen.png"
}
answer_box() {  # KEY [PICTURE]: answer the message box; its caption goes to BOX_TEXT
  wait_for_window TMessageForm 20 >/dev/null || {
    screenshot "$E2E_ARTIFACTS/no-box.png" >/dev/null
    fail "no message box"
  }
  sleep 0.3
  BOX_TEXT=$(drive title TMessageForm)
  [ $# -ge 2 ] && screenshot "$E2E_ARTIFACTS/$2" >/dev/null
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open"
}
editor_gone() { drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"; }
section_keys() {
  cp936_text "$gpf" | tr -d '\r' | awk -v s="[$1]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/' |
    tr '\n' ' ' | sed 's/ $//'
}
edit_texts() {  # the editor's edit fields, in creation order, joined by "|"
  drive children "$EDITOR" | awk -F'\t' '$2 == "Edit" { printf "%s|", $5 }' | sed 's/|$//'
}
# shellcheck disable=SC2012
links() { (cd "$tools" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//'); }

row_point() {  # ROW: the screen x y of the middle of the editor list's row (17 pixels: 9-point font)
  local l t
  read -r _ l t _ <<<"$(child SysListView32)"
  echo "$(( l + 40 )) $(( t + 2 + 17 * $1 + 8 ))"
}
click_row() {
  # shellcheck disable=SC2046
  xdotool mousemove $(row_point "$1") click 1
  sleep 0.3
}

# The web group: properties, then its buttons page by Ctrl+Tab.
open_menu_at "$(centre "$(panel_rect Web)")" S5
picture_editor web-group-page.png
xdotool key ctrl+Tab
read -r _ _ _ _ _ shown <<<"$(child SysListView32)"
[ "$shown" = 1 ] || fail "Ctrl+Tab did not show the buttons page"
picture_editor web-buttons-page.png

# Aa down one (the first row is selected), Dd up one: Bb Aa Dd Cc.
drive click "$EDITOR" 132 >/dev/null
sleep 0.3
click_row 3
drive click "$EDITOR" 131 >/dev/null
sleep 0.3
# Bb dragged onto the last row: Aa Dd Cc Bb.
read -r x y <<<"$(row_point 0)"
read -r _ y3 <<<"$(row_point 3)"
xdotool mousemove "$x" "$y" mousedown 1
for (( dy = 2; y + dy < y3; dy += 6 )); do xdotool mousemove "$x" $(( y + dy )); sleep 0.05; done
xdotool mousemove "$x" "$y3"
sleep 0.2
xdotool mouseup 1
sleep 0.3
picture_editor web-reordered.png

# A name another button has is refused, with the page kept as it was.
drive set-text "$EDITOR" 134 Aa >/dev/null
drive set-text "$EDITOR" 135 e.example.org >/dev/null
drive click "$EDITOR" 138 >/dev/null
answer_box Return refusal-duplicate-name.png
expect_eq 错误 "$BOX_TEXT" "the refusal's caption"
picture_editor web-after-refusal.png
# What was typed stays for correcting.
expect_eq "Web||Aa|e.example.org" "$(edit_texts)" "the fields after the refusal"
# A new name is taken, stored as typed (the bar adds the prefix when it fills the group).
drive set-text "$EDITOR" 134 Ee >/dev/null
drive click "$EDITOR" 138 >/dev/null
sleep 0.3
# Dd deleted by the Delete key on the list, confirmed with Enter.
click_row 1
xdotool key Delete
answer_box Return
expect_eq 删除按钮 "$BOX_TEXT" "the delete question's caption"
picture_editor web-after-delete.png
# Renamed in Chinese on the first page, committed with Enter.
xdotool key ctrl+Tab
sleep 0.3
drive set-text "$EDITOR" 101 '网站 收藏' >/dev/null
xdotool key Return
editor_gone
cp "$gpf" "$E2E_ARTIFACTS/web-committed.GPF"
expect_eq "Aa Cc Bb Ee" "$(captions 1)" "the web group's buttons after the commit"
# The file byte for byte: the untouched groups as they were, the old title's sections gone, the
# buttons section of the new title in the list's order, then its folder entry and its settings.
# Width is the panel's width as shown, which the bar saves with the settings.
IFS=, read -r wl _ wr _ <<<"$(panel_rect '网站 收藏')"
{
  group_section Tools "Directory=$tw\\" Height=200
  group_section Mail "Panel Style=2" Height=100
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\n\n'
  printf '[网站 收藏  Buttons]\nAa=http://a.example.org/\nCc=http://c.example.org/\nBb=http://b.example.org/\n'
  printf 'Ee=e.example.org\n[Groups]\n网站 收藏=\n'
  group_section '网站 收藏' "Panel Style=1" Height=150 Width=$(( wr - wl )) Directory= | sed '$d'
} | write_cp936 "$E2E_WORK/expected.GPF"
cmp "$E2E_WORK/expected.GPF" "$gpf" || {
  diff <(cp936_text "$E2E_WORK/expected.GPF") <(cp936_text "$gpf")
  fail "the group file after the web group's commit"
}
log "web group: reordered, refused, deleted, renamed and committed"

# The shortcut group on its folder: New writes the link at once, Cancel keeps it and the file.
before=$(md5sum <"$gpf")
open_menu_at "$(centre "$(panel_rect Tools)")" S5
picture_editor tools-group-page.png
xdotool key ctrl+Tab
sleep 0.5
picture_editor tools-buttons-page.png
drive set-text "$EDITOR" 134 Calc >/dev/null
drive set-text "$EDITOR" 135 'C:\windows\notepad.exe' >/dev/null
drive click "$EDITOR" 138 >/dev/null
sleep 0.3
picture_editor tools-after-new.png
drive click "$EDITOR" 2 >/dev/null
editor_gone
expect_eq "Calc.lnk Notepad.lnk site.url" "$(links)" "the folder after New, then Cancel"
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after New, then Cancel"
expect_eq "Calc Notepad site" "$(captions 0)" "the shortcut group after Cancel"

# Button mode for each kind.
open_menu_at "$(centre "$(panel_rect Tools)")" N9
picture_editor button-shortcut.png
drive set-text "$EDITOR" 160 Wordpad >/dev/null
drive set-text "$EDITOR" 161 'C:\windows\notepad.exe' >/dev/null
xdotool key Return
editor_gone
expect_eq "Calc.lnk Notepad.lnk Wordpad.lnk site.url" "$(links)" "the folder after a new button"

open_menu_at "$(centre "$(panel_rect '网站 收藏')")" N9
drive set-text "$EDITOR" 160 Cc >/dev/null
drive set-text "$EDITOR" 161 f.example.org >/dev/null
picture_editor button-web.png
xdotool key Return
answer_box Return refusal-button-mode.png
expect_eq "Cc|f.example.org" "$(edit_texts)" "the fields after the refusal in button mode"
drive set-text "$EDITOR" 160 Ff >/dev/null
xdotool key Return
editor_gone
web_keys="Aa=http://a.example.org/ Cc=http://c.example.org/ Bb=http://b.example.org/"
# The bar gave the address typed on the buttons page its prefix when it saved the group again.
web_keys="$web_keys Ee=http://e.example.org Ff=HTTP://f.example.org"
expect_eq "$web_keys" "$(section_keys '网站 收藏  Buttons')" "the web group's section after a new button"

open_menu_at "$(centre "$(panel_rect Mail)")" N9
picture_editor button-mail.png
drive set-text "$EDITOR" 160 他 >/dev/null
drive set-text "$EDITOR" 161 him@example.org >/dev/null
drive click "$EDITOR" 1 >/dev/null
editor_gone
expect_eq "me=MAILTO:me@example.org 他=MAILTO:him@example.org" "$(section_keys 'Mail  Buttons')" \
  "the e-mail group's section after a new button"

# The painted strip moves the dialog; Escape then leaves everything as it was.
before=$(md5sum <"$gpf")
open_menu_at "$(centre "$(panel_rect Mail)")" S5
read -r l t r b <<<"$(drive rect "$EDITOR")"
xdotool mousemove $(( l + 120 )) $(( t + 8 )) mousedown 1
for (( i = 1; i <= 10; i++ )); do xdotool mousemove $(( l + 120 + 6 * i )) $(( t + 8 + 4 * i )); sleep 0.05; done
sleep 0.2
xdotool mouseup 1
sleep 0.3
expect_eq "$(( l + 60 )) $(( t + 40 )) $(( r + 60 )) $(( b + 40 ))" "$(drive rect "$EDITOR")" \
  "the dialog after the strip drag"
xdotool key Escape
editor_gone
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after Escape"
stop_bar 20 || fail "the bar did not close by itself"
log "editor: web group, shortcut group, button mode for each kind, strip drag"
