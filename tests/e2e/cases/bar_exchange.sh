#!/usr/bin/env bash
# Group exchange files through the buttons menu, the common file dialogs and the boxes: a web group
# exported (and exported again over its file), imported into another web group and, after the kind
# question, into a shortcut group; a file that is not there refused with nothing changed; a restart shows
# what was saved. (Each command's questions and refusals are tested on their own.)
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' Notepad
mkdir -p "$E2E_WORK/x"
install_groups Web Web2 Tools < <(
  group_section Web "Panel Style=1" Height=120
  group_buttons Web News=http://news.example.org/ Blog=http://blog.example.org/
  group_section Web2 "Panel Style=1" Height=120
  group_buttons Web2 Other=http://other.example.org/
  group_section Tools "Directory=$(winpath "$tools")\\" Height=120
)
start_and_wait "$dir"

titles() { groups_shown | sed 's/:[01]//g'; }
all_captions() { for g in 0 1 2; do captions "$g"; done | paste -sd'|'; }
menu_at() { choose_button_menu_item "$(centre "$(panel_rect "$1")")" "$2"; }
sorted_lines() { ini_lines "$1" "$2" | LC_ALL=C sort | paste -sd' '; }
glf=$E2E_WORK/x/web.GLF
both="Blog=http://blog.example.org/ News=http://news.example.org/"

# Export: the file holds the group's addresses; again over the file, Enter on the question writes it anew.
menu_at Web L1
file_dialog_path "$(winpath "$glf")"
expect_soon "$both" "the exported addresses" sorted_lines "$glf" Buttons
right_click_menu "$(centre "$(panel_rect Web2)")"  # the first click after the file dialog counts
drive find TMessageForm >/dev/null 2>&1 && fail "a box after a plain export"
cp "$glf" "$E2E_ARTIFACTS/web.GLF"
printf '[Buttons]\r\nStale=http://stale.example.org/\r\n' >>"$glf"
menu_at Web L1
file_dialog_path "$(winpath "$glf")"
answer_box Return question-replace.png
expect_eq 导出工具栏 "$BOX_TEXT" "the replace question's caption"
expect_soon "$(cat "$E2E_ARTIFACTS/web.GLF")" "the file replaced" cat "$glf"

# Into the other web group: its addresses added, its title kept, no question.
menu_at Web2 I2
file_dialog_path "$(winpath "$glf")"
expect_soon "Other News Blog" "the web group's buttons after the import" captions 1
expect_eq "$both Other=http://other.example.org/" "$(sorted_lines "$gpf" 'Web2  Buttons')" "the web group's section"
drive find TMessageForm >/dev/null 2>&1 && fail "a box on an import of the same kind"

# Into the shortcut group, from a copy titled Sites (a title no group has): after the kind question it is
# a web group named Sites, in the group file as on the bar, and the old folder is untouched.
sed 's/^Title Text=Web\r$/Title Text=Sites\r/' "$glf" >"$E2E_WORK/x/sites.GLF"
menu_at Tools I2
file_dialog_path "$(winpath "$E2E_WORK/x/sites.GLF")"
answer_box Return question-kind.png
expect_eq 替换工具栏 "$BOX_TEXT" "the kind question's caption"
expect_soon "Web Web2 Sites" "titles after the kind change" titles
expect_eq "1|1|$both|News Blog|0" "$(read_layout; layout_lines group | awk -F'\t' '$3 == "Sites" { print $4 }')|$(ini_get "$gpf" Sites 'Panel Style')|$(sorted_lines "$gpf" 'Sites  Buttons')|$(captions 2)|$(ini_text "$gpf" | grep -c '^\[Tools')" \
  "the new kind on the bar and in the file, the imported addresses, no section of the old title"
expect_eq "Notepad.lnk" "$(files_in "$tools")" "the old folder"
screenshot "$E2E_ARTIFACTS/imported-group.png" >/dev/null

# A file that is not there: an error box naming it, nothing changed, nothing made.
before=$(md5sum <"$gpf") shown=$(all_captions)
menu_at Web2 I2
file_dialog_path "$(winpath "$E2E_WORK/x/missing.GLF")"
answer_box Return error-missing.png
expect_eq 导入工具栏 "$BOX_TEXT" "the error box's caption"
expect_eq "$before|$shown" "$(md5sum <"$gpf")|$(all_captions)" "the group file and the buttons"
[ -e "$E2E_WORK/x/missing.GLF" ] && fail "the missing file was made"

# What the bar shows is what a fresh start reads.
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Web Web2 Sites" "$(ini_keys "$dir/Wendlix.INI" Groups | paste -sd' ')" "groups written"
start_and_wait "$dir"
expect_eq "Web Web2 Sites|$shown" "$(titles)|$(all_captions)" "titles and buttons after a restart"
stop_bar 20 || fail "the bar did not close by itself after the restart"
