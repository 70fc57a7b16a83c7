#!/usr/bin/env bash
# e2e-timeout: 240
# The groups list agrees with the bar: after hide and show-as-button from the buttons menu its check
# marks are the bands the bar shows, and one click on an entry shows that group as a band again (also the
# one hidden beside a single other band). Then, with a group file that cannot be saved, hide, show as
# button, a display flag and a button dragged to another place each say so in an error box.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' Notepad Regedit
install_groups Tools Web Mail < <(
  group_section Tools "Directory=$(winpath "$tools")\\" Height=150
  group_section Web "Panel Style=1" Height=120
  group_buttons Web News=http://news.example.org/
  group_section Mail "Panel Style=2" Height=120
  group_buttons Mail me=MAILTO:me@example.org
)
start_and_wait "$dir"

checks() {
  drive query "$WENDLIX_MAIN_CLASS" mainmenu |
    awk -F'\t' '$1 ~ /^ +ShowMenuBar\./ { printf "%s%s:%d", sep, $2, ($3 ~ /C/); sep = " " }'
}
agree() {  # WANT WHAT: the bar shows WANT, and the groups list says the same
  expect_soon "$1" "$2: the bands" groups_shown
  expect_eq "$1" "$(checks)" "$2: the groups list's check marks"
}
menu_at() { choose_button_menu_item "$(centre "$(panel_rect "$1")")" "$2"; }

agree "Tools:1 Web:1 Mail:1" "at the start"
# Hidden from its own menu with more bands: one click brings it back.
menu_at Web H1
agree "Tools:1 Web:0 Mail:1" "Web hidden"
main_menu_item ShowMenuBar.1
agree "Tools:1 Web:1 Mail:1" "Web shown from the list"
# Shown as a button of PanelBtn: the list's click opens it out into a band.
menu_at Mail N5
agree "Tools:1 Web:1 Mail:0" "Mail as a button"
main_menu_item ShowMenuBar.2
agree "Tools:1 Web:1 Mail:1" "Mail opened out from the list"
# Hidden beside one other band: it comes back all the same.
menu_at Mail N5
menu_at Web H1
agree "Tools:1 Web:0 Mail:0" "Web hidden beside the last band"
main_menu_item ShowMenuBar.1
agree "Tools:1 Web:1 Mail:0" "Web shown again from the list"
main_menu_item ShowMenuBar.2
agree "Tools:1 Web:1 Mail:1" "all three bands"

# A group file that cannot be saved: a folder stands in its place.
rm "$dir/Wendlix.GPF"
mkdir "$dir/Wendlix.GPF"
menu_at Mail H1
expect_box 工具栏 hide
menu_at Web N5
expect_box 工具栏 show-as-button
menu_at Tools T2
expect_box 工具栏 display-flag
read -r fx fy <<<"$(button_point 0 Regedit)"
read -r tx ty <<<"$(button_point 0 Notepad)"
mouse_drag "$fx" "$fy" "$tx" "$ty"
expect_box 按钮 button-moved
expect_eq "Regedit Notepad" "$(button_names 0)" "the moved button on the bar"
# The close would report the same file: the bar is ended instead.
kill_bar
