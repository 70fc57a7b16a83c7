#!/usr/bin/env bash
# A shortcut group follows its folder while the bar runs: links added, renamed and deleted from outside
# show on the bar (new ones after the saved order, a renamed one in its place), a burst of 200 links is
# one refill, nothing changes under an open menu until it closes, the bar's own delete is no second
# refill, a hidden group waits until shown, and a folder that goes away leaves the group empty with its
# tooltip saying so and comes back with it. Switched off in the bar settings menu the group stays as it
# is; switched on it catches up. The group file follows the folder, and the close keeps a missing
# folder's buttons.
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"

notepad='C:\windows\notepad.exe'
tools=$E2E_WORK/Tools
make_links "$tools" "$notepad" Alpha Beta Gamma
start_tools_and_web "$(winpath "$tools")" 400
expect_eq "Alpha Beta Gamma" "$(button_names 0)" "the buttons at start"

group_tip() { read_layout; layout_lines group | awk -F'\t' '$3 == "Tools" { print $11 }'; }
live_checked() { menu_item "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" LiveFolders1 | cut -f2 | tr -cd C; }
button_count() { button_names 0 | wc -w; }
# Watching starts after the first paint.
expect_soon 1 "the shortcut group watched (not the web group)" live watched
expect_eq C "$(live_checked)" "the menu item is checked by default"

make_links "$tools" "$notepad" Delta
# No saved order yet: the folder's own (sorted) order.
expect_soon "Alpha Beta Delta Gamma" "a link added from outside" button_names 0
screenshot "$E2E_ARTIFACTS/link-added.png" >/dev/null
expect_soon "Alpha=Alpha.lnk Beta=Beta.lnk Delta=Delta.lnk Gamma=Gamma.lnk" "the group file after the refill" \
  saved_buttons Tools
# The saved order stands: a new name goes after it, not where the folder lists it.
make_links "$tools" "$notepad" Aaron
expect_soon "Alpha Beta Delta Gamma Aaron" "a second link added" button_names 0
mv "$tools/Beta.lnk" "$tools/Bravo.lnk"
expect_soon "Alpha Bravo Delta Gamma Aaron" "a renamed link keeps its place" button_names 0
rm "$tools/Gamma.lnk"
expect_soon "Alpha Bravo Delta Aaron" "a deleted link" button_names 0
expect_soon "Alpha=Alpha.lnk Bravo=Bravo.lnk Delta=Delta.lnk Aaron=Aaron.lnk" "the group file follows" \
  saved_buttons Tools

# 200 links moved in at once, then deleted at once: one refill each.
refills=$(live refills)
mkdir "$E2E_WORK/burst"
for i in $(seq -w 1 200); do cp "$tools/Alpha.lnk" "$E2E_WORK/burst/Burst$i.lnk"; done
mv "$E2E_WORK/burst/"*.lnk "$tools/"
expect_soon 204 "the burst shown" button_count
expect_eq $((refills + 1)) "$(live refills)" "refills for the burst of 200 links"
rm "$tools"/Burst*.lnk
expect_soon "Alpha Bravo Delta Aaron" "the burst deleted" button_names 0
expect_eq $((refills + 2)) "$(live refills)" "refills for the burst deleted"

# A refill waits while a menu of the bar is open, and runs when it closes.
main_menu_keys Down
make_links "$tools" "$notepad" Echo
expect_steady "Alpha Bravo Delta Aaron" "the group under an open menu" 3 button_names 0
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the bar settings menu stayed open after Escape"
expect_soon "Alpha Bravo Delta Aaron Echo" "the group after the menu closed" button_names 0

# The bar's own writes (a button deleted from its menu) bring no second refill.
refills=$(live refills)
choose_button_menu_item "$(centre "$(button_rect 0 Echo)")" D1
answer_box Return
expect_soon "Alpha Bravo Delta Aaron" "the button deleted from its menu" button_names 0
expect_steady "$refills" "refills after the bar's own delete" 3 live refills

# A hidden group is not refilled while hidden; shown again, it shows its folder.
main_menu_item ShowMenuBar.0
expect_eq "Tools:0 Web:1" "$(groups_shown)" "the groups with Tools hidden"
make_links "$tools" "$notepad" Golf
expect_steady "$refills" "refills while hidden" 3 live refills
main_menu_item ShowMenuBar.0
expect_eq "Tools:1 Web:1" "$(groups_shown)" "the groups with Tools shown again"
expect_soon "Alpha Bravo Delta Aaron Golf" "the group shown again" button_names 0
rm "$tools/Golf.lnk"
expect_soon "Alpha Bravo Delta Aaron" "the link deleted again" button_names 0

# Switched off: nothing is watched and the group stays as it is; switched on, it catches up.
main_menu_item LiveFolders1
expect_eq "" "$(live_checked)" "the menu item after switching off"
expect_eq 0 "$(live watched)" "groups watched when switched off"
make_links "$tools" "$notepad" Foxtrot
expect_steady "Alpha Bravo Delta Aaron" "the group while switched off" 3 button_names 0
main_menu_item LiveFolders1
expect_eq C "$(live_checked)" "the menu item after switching on"
expect_soon "Alpha Bravo Delta Aaron Foxtrot" "the group after switching on" button_names 0

# The folder goes away: the group is empty and says why; it comes back with the folder.
mv "$tools" "$E2E_WORK/Tools.away"
expect_soon "" "the group of a missing folder" button_names 0
expect_eq "Tools  文件夹不存在，找到后会自动显示:  $(winpath "$tools")" "$(group_tip)" "the missing folder's tooltip"
mv "$E2E_WORK/Tools.away" "$tools"
expect_soon "Alpha Bravo Delta Aaron Foxtrot" "the folder back" button_names 0
expect_eq Tools "$(group_tip)" "the tooltip with the folder back"

# Closed while the folder is away: the group file keeps its buttons, the setting is stored.
mv "$tools" "$E2E_WORK/Tools.away"
expect_soon "" "the group of a missing folder, again" button_names 0
stop_bar || fail "the bar did not close cleanly"
expect_eq "Alpha=Alpha.lnk Bravo=Bravo.lnk Delta=Delta.lnk Aaron=Aaron.lnk Foxtrot=Foxtrot.lnk" \
  "$(saved_buttons Tools)" "the group file after a close with the folder away"
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" LiveFolders)" "the stored setting"
