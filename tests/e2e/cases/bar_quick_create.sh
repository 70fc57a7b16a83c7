#!/usr/bin/env bash
# Quick-create from the bar settings menu: a shortcut group on the desktop folder (chosen twice: the
# second time shows the same group), a web group from the search-engine collection shipped beside the
# program (chosen twice: one group), Quick Launch, the drives (links made in "Drivers" beside the
# settings), a collection that is not shipped (an error box, then help); a restart shows what was saved.
# Last, a collection on a bar without groups.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

# A recorder stands in for the browser that opens the help page.
recorder=$(dirname "$WENDLIX_DRIVER")/wendlix_recorder.exe
[ -f "$recorder" ] || fail "no recorder beside the driver"
cp "$recorder" "$E2E_WORK/recorder.exe"
export WENDLIX_RECORD
record=$E2E_WORK/record.txt
WENDLIX_RECORD=$(winpath "$record")
out=$(wine_run reg.exe add 'HKCR\.htm' /ve /f /d WendlixHelpTest 2>&1) ||
  fail "could not set the .htm type: $out"
wine_run reg.exe add 'HKCR\WendlixHelpTest\shell\open\command' /ve /f \
  /d "\"$(winpath "$E2E_WORK/recorder.exe")\" \"%1\"" >/dev/null 2>&1 ||
  fail "could not register the recorder"

# One link in the Quick Launch folder, so that its group has something to show.
appdata=
for d in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming; do
  case $d in */users/Public/*) ;; *) [ -d "$d" ] && appdata=$d && break ;; esac
done
[ -n "$appdata" ] || fail "no AppData folder in the prefix"
quick="$appdata/Microsoft/Internet Explorer/Quick Launch"
mkdir -p "$quick"
drive make-link "$(winpath "$quick")\\Notepad.lnk" 'C:\windows\notepad.exe' || fail "the Quick Launch link"

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
gpf=$dir/Wendlix.GPF
section_lines() {  # FILE SECTION: its key=value lines as they stand
  cp936_text "$1" | tr -d '\r' | awk -v s="[$2]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/'
}
group_list() { ini_keys "$1" Groups | tr '\n' '|' | sed 's/|$//'; }  # FILE: the titles in [Groups]
sites_before=$(section_lines "$gpf" '搜索引擎网站  Buttons')

# The keys that choose the bar settings menu's item NAME, from the bar's own description of the menu.
menu_item_keys() {
  menu_keys "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" "$1" || fail "no item $1 in the bar settings menu"
}
# shellcheck disable=SC2046
main_menu_keys $(menu_item_keys N40.4)
sleep 1
wait_groups "Internet 桌面 搜索引擎网站"
expect_eq 6 "$(layout_lines button | awk -F'\t' '$2 == 2' | wc -l | tr -d ' ')" \
  "collection buttons, chosen twice"
expect_eq "$sites_before" "$(section_lines "$gpf" '搜索引擎网站  Buttons')" "the collection's lines, chosen twice"

# shellcheck disable=SC2046
main_menu_keys $(menu_item_keys Quick1)
wait_groups "Internet 桌面 搜索引擎网站 Quick Launch"
expect_eq 'Quick Launch' "$(layout_lines collapsed | awk -F'\t' '$4 == "Quick Launch" { print $4 }')" \
  "the Quick Launch group in PanelBtn"

# One link per drive Wine reports (a letter in dosdevices), in "Drivers" beside the settings files.
# shellcheck disable=SC2046
main_menu_keys $(menu_item_keys Q2)
wait_groups "Internet 桌面 搜索引擎网站 Quick Launch 驱动器"
[ -d "$dir/Drivers" ] || fail "no Drivers folder beside the settings"
shopt -s nullglob
letters=("$WINEPREFIX"/dosdevices/[a-z]:)
made=("$dir"/Drivers/*.lnk)
shopt -u nullglob
(cd "$dir/Drivers" && ls) >"$E2E_ARTIFACTS/drivers.txt"
expect_eq "${#letters[@]}" "${#made[@]}" "one link per drive"
screenshot "$E2E_ARTIFACTS/quick-launch-and-drives.png" >/dev/null

# A collection that is not shipped: an error box, no group, then the help page.
# shellcheck disable=SC2046
main_menu_keys $(menu_item_keys N40.1)
drive wait TMessageForm 30 >/dev/null || fail "no box for a missing collection"
sleep 0.5
screenshot "$E2E_ARTIFACTS/missing-collection.png" >/dev/null
expect_eq 快速创建 "$(drive title TMessageForm)" "the missing collection's box"
xdotool key Return
drive wait-gone TMessageForm 20 || fail "the box did not close"
for (( i = 0; i < 100; i++ )); do
  grep -q 'Wendlix.htm' "$record" 2>/dev/null && break
  sleep 0.1
done
grep -q 'Wendlix.htm' "$record" 2>/dev/null || fail "no help page after the missing collection"
wait_groups "Internet 桌面 搜索引擎网站 Quick Launch 驱动器"

stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Internet|桌面|搜索引擎网站|Quick Launch|驱动器" "$(group_list "$dir/Wendlix.INI")" "groups written"
# Folder groups are written at the close.
drivers_dir=$(section_lines "$gpf" 驱动器 | grep '^Directory=')
case $drivers_dir in
  *"\\Drivers" | *"\\Drivers\\") ;;
  *) fail "the drives group's folder is not Drivers: '$drivers_dir'" ;;
esac
start_and_wait "$dir"
wait_groups "Internet 桌面 搜索引擎网站 Quick Launch 驱动器"
expect_eq 6 "$(layout_lines button | awk -F'\t' '$2 == 2' | wc -l | tr -d ' ')" "collection buttons after a restart"
stop_bar 20 || fail "the bar did not close by itself after the restart"

# A bar without groups: the collection makes the first group, and the band bar shows it.
empty=$E2E_WORK/empty
install_bar "$empty"
rm -f "$empty/Wendlix.GPF"  # the shipped groups would come on a first start
# The registry names the first bar's settings, which a start elsewhere would follow.
wine_run reg.exe delete 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /f >/dev/null 2>&1
bar_settings 2 120 0 1 | write_cp936 "$empty/Wendlix.INI"
start_and_wait "$empty"
expect_eq "" "$(groups_now)" "no groups at the start"
# shellcheck disable=SC2046
main_menu_keys $(menu_item_keys N40.4)
wait_groups "搜索引擎网站"
expect_eq 1 "$(layout_lines group | cut -f5)" "the new group shown"
expect_eq 6 "$(layout_lines button | awk -F'\t' '$2 == 0 && $5 == 1' | wc -l | tr -d ' ')" "its buttons shown"
screenshot "$E2E_ARTIFACTS/collection-on-empty-bar.png" >/dev/null
stop_bar 20 || fail "the bar without groups did not close by itself"
expect_eq "搜索引擎网站" "$(group_list "$empty/Wendlix.INI")" "the new group written"
