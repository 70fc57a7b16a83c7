#!/usr/bin/env bash
# A web group on a browser's bookmarks. An Edge profile's Bookmarks file (and Local State) written where
# Edge keeps them: 快速创建 → 浏览器书签 lists the profile and makes the group, whose buttons and folder
# menu are the file's bookmark bar (the bookmarklet left out). The browser rewrites its file (a new file
# renamed over the old): the bar shows the new bookmark. A click starts the address once; the find box
# finds a bookmark two folders deep by its pinyin initials and starts it; a drop or 新建 on the group is
# refused in the bar's box; a damaged file leaves the group as it was and says so in its tooltip. The
# group file keeps the source and the top-level bookmarks.
# e2e-timeout: 300
source "$(dirname "$0")/../lib.sh"

http_opens_recorder
profile=$(edge_user_data)
# The bookmark bar with a folder two deep, a bookmarklet, and one of the other bookmarks (as the unit tests
# read it); $1 adds a bookmark at the end of the bar.
bookmarks() { sed "s|\"javascript:alert(1)\"}|&${1:-}|" "$(dirname "$0")/../../data/bookmarks/Bookmarks"; }
echo '{"profile": {"info_cache": {"Default": {"name": "个人"}}}}' | write_as_browser "$profile/Local State"
bookmarks | write_as_browser "$profile/Default/Bookmarks"

install_groups Web < <(group_section Web "Panel Style=1" Height=120; group_buttons Web Home=http://home.example.org/)
start_and_wait "$dir"
titles() { groups_shown | sed 's/:[01]//g'; }
group_tip() { read_layout; layout_lines group | awk -F'\t' '$3 == "Microsoft Edge" { print $11 }'; }

bookmark_items() { drive query "$WENDLIX_MAIN_CLASS" mainmenu | awk -F'\t' '/^ *Bookmarks\./ { sub(/^ +/, ""); print $1 "=" $2 }'; }
expect_eq "Bookmarks.0=Microsoft Edge" "$(bookmark_items)" "the profile under 浏览器书签"
main_menu_item Bookmarks.0
expect_soon "Web Microsoft Edge" "the bookmarks group" titles
expect_soon "新闻 工作" "its buttons: the bookmark bar without the bookmarklet" button_names 1
screenshot "$E2E_ARTIFACTS/bookmarks-group.png" >/dev/null

# The folder button's menu: its bookmark and its sub-folder with theirs.
folder=$(centre "$(button_rect 1 工作)")
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(_lparam "$folder")" >/dev/null
_menu_opened || fail "the folder button's menu did not open"
expect_eq "$(printf '%s\n' '' \
  $'  https://work.example.cn/weekly\t周报\t' $'  \t项目\tM' $'    https://work.example.cn/board\t看板\t')" \
  "$(drive query "$WENDLIX_MAIN_CLASS" launchmenu)" "the folder button's menu"
screenshot "$E2E_ARTIFACTS/bookmarks-folder-menu.png" >/dev/null
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the folder menu stayed open"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$folder")" >/dev/null

# The browser adds a bookmark: it writes a new file and renames it over the old one.
bookmarks ', {"id": "12", "name": "天气", "type": "url", "url": "https://weather.example.cn/"}' |
  write_as_browser "$profile/Default/Bookmarks"
expect_soon "新闻 工作 天气" "the bookmark the browser added" button_names 1
expect_soon "新闻=https://news.example.cn/ 天气=https://weather.example.cn/" "the top-level bookmarks kept as buttons" \
  saved_buttons "Microsoft Edge"
expect_eq "edge Default" "$(ini_get "$gpf" "Microsoft Edge" BookmarkBrowser) $(ini_get "$gpf" "Microsoft Edge" BookmarkProfile)" \
  "the source in the group file"

# A click starts the address, once.
post_click "$(centre "$(button_rect 1 天气)")"
expect_record "cmd=\"$rec_win\" \"https://weather.example.cn/\"
dir=$(winpath "$dir")" "the start a click on 天气 made"

# The find box: the initials of 看板, two folders deep, find it with its folder path; Return starts it.
call_up "the find"
xdotool type --delay 80 kb
wait_until 20 query_is kb || fail "the find box did not show 'kb': $(findbox)"
expect_eq $'row\t0\t1\t看板\t书签栏 › 工作 › 项目' \
  "$(findbox | awk -F'\t' '$1 == "row" { print $1 "\t" $2 "\t" $4 "\t" $5 "\t" $6 }')" "the find box's rows for 'kb'"
screenshot "$E2E_ARTIFACTS/bookmarks-find.png" >/dev/null
xdotool key Return
expect_record "cmd=\"$rec_win\" \"https://weather.example.cn/\"
dir=$(winpath "$dir")
cmd=\"$rec_win\" \"https://work.example.cn/board\"
dir=$(winpath "$dir")" "the starts after the find box"

# The browser keeps these bookmarks: 新建 on the group changes nothing.
choose_button_menu_item "$(centre "$(button_rect 1 新闻)")" N9
expect_box 浏览器书签 bookmarks-read-only
expect_eq "新闻 工作 天气" "$(button_names 1)" "the group after 新建"

# Cut short while the browser writes it: the group stays, and its tooltip says why.
bookmarks | head -c 300 | write_as_browser "$profile/Default/Bookmarks"
file=${profile#"$WINEPREFIX"/drive_c/}/Default/Bookmarks
expect_soon "Microsoft Edge  浏览器的书签文件现在读不出来，显示的是上次读到的书签。  书签来自 Microsoft Edge，用户配置 Default：  C:\\${file//\//\\}" \
  "the damaged file's tooltip" group_tip
expect_eq "新闻 工作 天气" "$(button_names 1)" "the group with the damaged file"
bookmarks | write_as_browser "$profile/Default/Bookmarks"
expect_soon "新闻 工作" "the file read again once whole" button_names 1
expect_eq "Microsoft Edge" "$(group_tip)" "the tooltip with the file whole"
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "新闻=https://news.example.cn/" "$(saved_buttons "Microsoft Edge")" "the buttons the close kept"
