#!/usr/bin/env bash
# Launch buttons dragged with the mouse within their group: button 5 onto button 2 in a shortcut group
# whose button 5 is a folder button and in a web group. The whole button moves (the folder button still
# opens its menu at its new place), the order is in the group file at once and a restart shows it. A
# button dropped onto another group moves nothing, and one dragged out with Ctrl is no drop for the bar.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools/Docs"
tw=$(winpath "$tools")
for f in a b c d e; do drive make-link "$tw\\$f.lnk" 'C:\windows\notepad.exe' || fail "link $f"; done
drive make-link "$tw\\Docs\\inner.lnk" 'C:\windows\notepad.exe' || fail "link in Docs"
more=$E2E_WORK/More
mkdir -p "$more"
for f in m1 m2; do drive make-link "$(winpath "$more")\\$f.lnk" 'C:\windows\notepad.exe' || fail "link $f"; done

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Tools "Directory=$tw" Height=260
  printf '[Tools  Buttons]\n1=a.lnk\n2=b.lnk\n3=c.lnk\n4=d.lnk\n5=e.lnk\n6=Docs\n\n'
  group_section Web "Panel Style=1" Height=200
  printf '[Web  Buttons]\n'
  for s in s0 s1 s2 s3 s4 s5; do printf '%s=http://%s.example.org/\n' "$s" "$s"; done
  printf '\n'
  group_section More "Directory=$(winpath "$more")" Height=150
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web More | write_cp936 "$dir/Wendlix.INI"
gpf=$dir/Wendlix.GPF
start_and_wait "$dir"
read_layout

names() {  # GROUP: the launch buttons' names in order, one line
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g { printf "%s ", $8 }' | sed 's/ $//'
}
wait_names() {  # GROUP WANT: poll the layout until the group shows these names
  local i
  for (( i = 0; i < 50; i++ )); do
    read_layout
    [ "$(names "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  expect_eq "$2" "$(names "$1")" "group $1's buttons"
}
section_values() {  # SECTION: its values in file order, one line
  ini_text "$gpf" | awk -v s="[$1]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/ { sub(/^[^=]*=/, ""); print }' |
    tr '\n' ' ' | sed 's/ $//'
}
wait_section() {  # SECTION WANT: poll the file (the save follows the drop)
  local i
  for (( i = 0; i < 50; i++ )); do
    [ "$(section_values "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  expect_eq "$2" "$(section_values "$1")" "the section $1"
}
drag_onto() {  # GROUP FROM TO [shift]: drag the button named FROM onto the one named TO
  local fx fy tx ty
  read -r fx fy <<<"$(button_point "$1" "$2")"
  read -r tx ty <<<"$(button_point "$1" "$3")"
  mouse_drag "$fx" "$fy" "$tx" "$ty" "${4:-}"
}
group_shot() {  # GROUP FILE: a picture of the group's panel
  local l t r b cl ct
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' -v g="$1" '$2 == g { print $8 }')"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  screenshot "$E2E_ARTIFACTS/whole-$2" >/dev/null
  crop "$E2E_ARTIFACTS/whole-$2" $((r - l)) $((b - t)) $((cl + l)) $((ct + t)) "$E2E_ARTIFACTS/$2" ||
    cp "$E2E_ARTIFACTS/whole-$2" "$E2E_ARTIFACTS/$2"
}

expect_eq "a b c d e Docs" "$(names 0)" "the shortcut group at start"
expect_eq "1" "$(layout_lines button | awk -F'\t' '$2 == 0 && $8 == "Docs" { print $9 }')" "Docs is a folder button"
expect_eq "s0 s1 s2 s3 s4 s5" "$(names 1)" "the web group at start"
group_shot 0 tools-before-move.png

# Button 5 (the folder button, dragged with Shift so that its menu stays shut) onto button 2: it takes
# place 2, c d e shift one place on.
drag_onto 0 Docs c shift
wait_names 0 "a b Docs c d e"
group_shot 0 tools-after-move.png
expect_eq "1" "$(layout_lines button | awk -F'\t' '$2 == 0 && $8 == "Docs" { print $9 }')" "Docs is still a folder button"
wait_section 'Tools  Buttons' "a.lnk b.lnk Docs c.lnk d.lnk e.lnk"

# The same in the web group, keys and addresses together.
group_shot 1 web-before-move.png
drag_onto 1 s5 s2
wait_names 1 "s0 s1 s5 s2 s3 s4"
group_shot 1 web-after-move.png
wait_section 'Web  Buttons' "http://s0.example.org/ http://s1.example.org/ http://s5.example.org/ http://s2.example.org/ http://s3.example.org/ http://s4.example.org/"
expect_eq "http://s5.example.org/" "$(ini_get "$gpf" 'Web  Buttons' s5)" "s5 keeps its address"

# Onto another group's button: nothing moves, nothing is written.
before=$(md5sum <"$gpf")
drag_onto_other() {
  local fx fy tx ty
  read -r fx fy <<<"$(button_point 1 s0)"
  read -r tx ty <<<"$(button_point 0 a)"
  mouse_drag "$fx" "$fy" "$tx" "$ty"
}
drag_onto_other
sleep 1
read_layout
expect_eq "a b Docs c d e" "$(names 0)" "the shortcut group after a drop from the web group"
expect_eq "s0 s1 s5 s2 s3 s4" "$(names 1)" "the web group after its button left it"
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after a drop onto another group"

# A button's file dragged out with Ctrl onto another shortcut group makes no link to the link there. The
# move in that group that follows is handled after anything the drag dropped, so its result shows both.
read -r fx fy <<<"$(button_point 0 a)"
read -r tx ty <<<"$(button_point 2 m1)"
mouse_drag "$fx" "$fy" "$tx" "$ty" ctrl
read_layout
drag_onto 2 m2 m1
wait_names 2 "m2 m1"
expect_eq "m1.lnk m2.lnk" "$(cd "$more" && ls | tr '\n' ' ' | sed 's/ $//')" "the other group's folder after the Ctrl drag"
expect_eq "a b Docs c d e" "$(names 0)" "the shortcut group after its button was dragged out"

# A restart shows the same order, and the folder button opens its menu at its new place.
stop_bar 20 || fail "the bar did not close by itself"
start_and_wait "$dir"
wait_names 0 "a b Docs c d e"
wait_names 1 "s0 s1 s5 s2 s3 s4"
read -r x y <<<"$(button_point 0 Docs)"
xdotool mousemove "$x" "$y" sleep 0.3 click 1
wait_for_window '#32768' 10 >/dev/null || fail "the folder button's menu did not open after the move"
sleep 0.5
screenshot "$E2E_ARTIFACTS/moved-folder-menu.png" >/dev/null
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the folder menu stayed open"
stop_bar 20 || fail "the bar did not close by itself after the restart"
