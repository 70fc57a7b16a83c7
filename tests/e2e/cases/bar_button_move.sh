#!/usr/bin/env bash
# Launch buttons dragged with the real mouse within their group: button 5 onto button 2 in a shortcut
# group whose button 5 is a folder button, and in a web group. The whole button moves (the folder button
# still opens its menu at its new place), the order is in the group file at once and a restart shows it.
# A button dropped onto another group moves nothing, and one dragged out with Ctrl is no drop for the bar.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools more=$E2E_WORK/More
make_links "$tools" 'C:\windows\notepad.exe' a b c d e
make_links "$tools/Docs" 'C:\windows\notepad.exe' inner
make_links "$more" 'C:\windows\notepad.exe' m1 m2
install_groups Tools Web More < <(
  group_section Tools "Directory=$(winpath "$tools")" Height=260
  group_buttons Tools 1=a.lnk 2=b.lnk 3=c.lnk 4=d.lnk 5=e.lnk 6=Docs
  group_section Web "Panel Style=1" Height=200
  group_buttons Web s0=http://s0.example.org/ s1=http://s1.example.org/ s2=http://s2.example.org/ \
    s3=http://s3.example.org/ s4=http://s4.example.org/ s5=http://s5.example.org/
  group_section More "Directory=$(winpath "$more")" Height=150
)
start_and_wait "$dir"

section_values() { ini_lines "$gpf" "$1" | sed 's/^[^=]*=//' | paste -sd' '; }
docs_is_folder() { read_layout; layout_lines button | awk -F'\t' '$2 == 0 && $8 == "Docs" { print $9 }'; }
drag_onto() {  # GROUP FROM [GROUP] TO [KEY]: drag the button named FROM onto the one named TO
  local fx fy tx ty
  read -r fx fy <<<"$(button_point "$1" "$2")"
  read -r tx ty <<<"$(button_point "$3" "$4")"
  mouse_drag "$fx" "$fy" "$tx" "$ty" "${5:-}"
}
group_shot() {  # BAND FILE: a picture of the group's panel
  local l t r b cl ct
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' -v g="$1" '$2 == g { print $8 }')"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  shot_rect "$2" $((cl + l)) $((ct + t)) $((cl + r)) $((ct + b))
}

expect_eq "a b c d e Docs|s0 s1 s2 s3 s4 s5|1" "$(button_names 0)|$(button_names 1)|$(docs_is_folder)" \
  "the groups at the start, Docs a folder button"
group_shot 0 tools-before-move.png
# Button 5 (the folder button, dragged with Shift so that its menu stays shut) onto button 2: it takes
# place 2, c d e shift one place on.
drag_onto 0 Docs 0 c shift
expect_soon "a b Docs c d e" "the shortcut group after the move" button_names 0
group_shot 0 tools-after-move.png
expect_eq 1 "$(docs_is_folder)" "Docs is still a folder button"
expect_eq "a.lnk b.lnk Docs c.lnk d.lnk e.lnk" "$(section_values 'Tools  Buttons')" "the shortcut group's order saved at once"

# The same in the web group, keys and addresses together.
drag_onto 1 s5 1 s2
expect_soon "s0 s1 s5 s2 s3 s4" "the web group after the move" button_names 1
group_shot 1 web-after-move.png
expect_eq "s0=http://s0.example.org/ s1=http://s1.example.org/ s5=http://s5.example.org/ s2=http://s2.example.org/ s3=http://s3.example.org/ s4=http://s4.example.org/" \
  "$(ini_lines "$gpf" 'Web  Buttons' | paste -sd' ')" "the web group's section saved at once"

# Onto another group's button: nothing moves, nothing is written. A button's file dragged out with Ctrl
# onto another shortcut group makes no link to the link there. A move in that group after both is
# handled after anything the drags dropped, so its result shows both were done.
sections() { ini_text "$gpf" | awk '/^\[(Tools|Web)  Buttons\]$/ { on = 1; print; next } /^\[/ { on = 0 } on'; }
before=$(sections)
drag_onto 1 s0 0 a
drag_onto 0 a 2 m1 ctrl
drag_onto 2 m2 2 m1
expect_soon "m2 m1" "the other shortcut group after its own move" button_names 2
expect_eq "a b Docs c d e|s0 s1 s5 s2 s3 s4" "$(button_names 0)|$(button_names 1)" "the groups after the drops onto other groups"
expect_eq "m1.lnk m2.lnk" "$(files_in "$more")" "the other group's folder after the Ctrl drag"
expect_eq "$before" "$(sections)" "the two groups' sections after the drops onto other groups"

# A restart shows the same order, and the folder button opens its menu at its new place.
stop_bar 20 || fail "the bar did not close by itself"
start_and_wait "$dir"
expect_eq "a b Docs c d e|s0 s1 s5 s2 s3 s4" "$(button_names 0)|$(button_names 1)" "the groups after a restart"
read -r x y <<<"$(button_point 0 Docs)"
xdotool mousemove "$x" "$y" click 1
_menu_opened || fail "the folder button's menu did not open after the move"
screenshot "$E2E_ARTIFACTS/moved-folder-menu.png" >/dev/null
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the folder menu stayed open"
stop_bar 20 || fail "the bar did not close by itself after the restart"
