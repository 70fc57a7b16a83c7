#!/usr/bin/env bash
# Quick-create from the bar settings menu: a shortcut group on the desktop folder (chosen twice: the
# second time shows the same group), and a web group from the search-engine collection shipped beside
# the program; a restart shows what was saved.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=120
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Internet | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

groups_now() {
  read_layout
  layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//'
}
wait_groups() {  # WANT; leaves the matching report in LAYOUT
  local i
  for (( i = 0; i < 100; i++ )); do
    [ "$(groups_now)" = "$1" ] && { read_layout; return 0; }
    sleep 0.1
  done
  fail "groups: expected '$1', got '$(groups_now)'"
}

# 快速创建工具栏(&Q) is the sixth item; its first entry is 桌面(&D).
main_menu_keys Down Down Down Down Down Down Right Return
wait_groups "Internet 桌面"
screenshot "$E2E_ARTIFACTS/desktop-group.png" >/dev/null
main_menu_keys Down Down Down Down Down Down Right Return
wait_groups "Internet 桌面"

# 搜索引擎网站 is the fourth collection, after the five folders and a separator.
main_menu_keys Down Down Down Down Down Down Right Down Down Down Down Down Down Down Down Return
wait_groups "Internet 桌面 搜索引擎网站"
expect_eq 6 "$(layout_lines button | awk -F'\t' '$2 == 2' | wc -l | tr -d ' ')" "collection buttons"
# A new folder group starts collapsed into a button, as new groups do.
expect_eq "4001	桌面" "$(layout_lines collapsed | cut -f2,4)" "the desktop group in PanelBtn"
screenshot "$E2E_ARTIFACTS/collection-group.png" >/dev/null

stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Internet 桌面 搜索引擎网站" "$(ini_keys "$dir/Wendlix.INI" Groups | tr '\n' ' ' | sed 's/ $//')" "groups written"
start_and_wait "$dir"
wait_groups "Internet 桌面 搜索引擎网站"
expect_eq 6 "$(layout_lines button | awk -F'\t' '$2 == 2' | wc -l | tr -d ' ')" "collection buttons after a restart"
stop_bar 20 || fail "the bar did not close by itself after the restart"
