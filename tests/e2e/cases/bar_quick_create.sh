#!/usr/bin/env bash
# Quick-create from the bar settings menu on the real folders and files: a shortcut group on the desktop
# folder, a web group from the search-engine collection shipped beside the program, Quick Launch, the
# drives (links made in "Drivers" beside the settings), the news collection under 更多网站 compared with its
# file, a collection whose file was deleted (an error box, then help); what the close writes. Last, a collection on a bar without groups. (Which group a choice
# makes or reuses is decided and tested in the core.)
source "$(dirname "$0")/../lib.sh"

htm_opens_recorder
# One link in the Quick Launch folder, so that its group has something to show.
make_links "$(quick_launch_folder)" 'C:\windows\notepad.exe' Notepad

install_groups Internet < <(
  group_section Internet "Panel Style=1" Height=120; group_buttons Internet News=http://news.example.org/
)
start_and_wait "$dir"
titles() { groups_shown | sed 's/:[01]//g'; }
collection_names() { ini_keys "$1/$2.GLF" Buttons | paste -sd' '; }  # DIR CAPTION

main_menu_item D4
expect_soon "Internet 桌面" "the desktop group" titles
main_menu_item N40.4
expect_soon "Internet 桌面 搜索引擎网站" "the collection's group" titles
expect_eq "$(collection_names "$dir" 搜索引擎网站)" "$(button_names 2)" "the collection's buttons"
# A new folder group starts collapsed into a button, as new groups do.
expect_eq "4001	桌面" "$(read_layout; layout_lines collapsed | cut -f2,4)" "the desktop group in PanelBtn"
screenshot "$E2E_ARTIFACTS/collection-group.png" >/dev/null
main_menu_item Quick1
expect_soon "Internet 桌面 搜索引擎网站 Quick Launch" "the Quick Launch group" titles
# One link per drive Wine reports (a letter in dosdevices), in "Drivers" beside the settings files.
main_menu_item Q2
expect_soon "Internet 桌面 搜索引擎网站 Quick Launch 驱动器" "the drives group" titles
expect_eq "$(cd "$WINEPREFIX/dosdevices" && ls -d [a-z]: | wc -l)" "$(ls "$dir/Drivers"/*.lnk | wc -l)" "one link per drive"
screenshot "$E2E_ARTIFACTS/quick-launch-and-drives.png" >/dev/null

# A collection under 更多网站: the file's buttons in its order, with its addresses.
main_menu_item N40.21
expect_soon "Internet 桌面 搜索引擎网站 Quick Launch 驱动器 新闻网站" "the news collection's group" titles
expect_eq "$(collection_names "$dir" 新闻网站)" "$(button_names 5)" "the news collection's buttons"
expect_eq "$(ini_lines "$dir/新闻网站.GLF" Buttons | paste -sd' ')" "$(saved_buttons 新闻网站)" \
  "the news collection's addresses in the group file"

# A collection the user deleted: an error box, no group, then the help page.
rm "$dir/精品网址集.GLF"
main_menu_item N40.1
expect_box 快速创建 missing-collection
expect_record "cmd=\"$rec_win\" \"$(winpath "$dir")\\Wendlix.htm\"
dir=$(winpath "$dir")" "the help page after the missing collection"
expect_eq "Internet 桌面 搜索引擎网站 Quick Launch 驱动器 新闻网站" "$(titles)" "the groups after the missing collection"

# Folder groups are written at the close.
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Internet 桌面 搜索引擎网站 Quick Launch 驱动器 新闻网站" "$(ini_keys "$dir/Wendlix.INI" Groups | paste -sd' ')" \
  "groups written"
expect_eq "$(winpath "$dir")\\Drivers" "$(ini_get "$gpf" 驱动器 Directory | sed 's/\\$//')" "the drives group's folder"

# A bar without groups: the collection makes the first group, and the band bar shows it. The registry
# names the first bar's settings, which a start elsewhere would follow.
empty=$E2E_WORK/empty
install_bar "$empty"
rm -f "$empty/Wendlix.GPF"  # the shipped groups would come on a first start
wine_run reg.exe delete 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /f >/dev/null 2>&1
bar_settings 2 120 0 1 | write_cp936 "$empty/Wendlix.INI"
start_and_wait "$empty"
expect_eq "" "$(titles)" "no groups at the start"
main_menu_item N40.4
expect_soon "搜索引擎网站:1" "the new group shown" groups_shown
expect_eq "$(collection_names "$empty" 搜索引擎网站)" "$(button_names 0)" "its buttons"
screenshot "$E2E_ARTIFACTS/collection-on-empty-bar.png" >/dev/null
stop_bar 20 || fail "the bar without groups did not close by itself"
expect_eq "搜索引擎网站" "$(ini_keys "$empty/Wendlix.INI" Groups)" "the new group written"
