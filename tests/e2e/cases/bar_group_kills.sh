#!/usr/bin/env bash
# e2e-timeout: 420
# No group is lost when the bar ends without closing: right after each command that adds, renames, removes
# or reorders groups (a first run, a new group, a rename, an import that renames, quick-create from a
# folder and from a collection, a delete, a band dragged), and after a display flag, the bar is killed and
# started again. The next start shows every group under its old or new title with its buttons, and
# neither file names a group that was removed.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' Notepad Regedit
mkdir -p "$E2E_WORK/x"
tw=$(winpath "$tools")

# SIGKILL to the program's process: no close, no save, nothing but what the commands wrote. Then the
# groups as the next start shows them, and as the settings file lists them.
after_kill() {  # WHAT WANT-SHOWN
  expect_soon "$2" "$1: the groups" groups_shown
  kill_bar
  cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/$1.INI"
  cp "$dir/Wendlix.GPF" "$E2E_ARTIFACTS/$1.GPF"
  start_and_wait "$dir"
  expect_soon "$2" "$1: the groups after the kill" groups_shown
  local want=${2//:0/}
  expect_eq "${want//:1/}" "$(ini_keys "$dir/Wendlix.INI" Groups | paste -sd' ')" "$1: the groups listed"
  expect_eq "$(wc -w <<<"$2")" "$(ini_get "$dir/Wendlix.INI" 'Wendlix V3.0' Groups)" "$1: the count"
}
sections() { ini_text "$dir/Wendlix.GPF" | sed -n 's/^\[\(.*\)\]$/|\1|/p' | paste -sd' '; }
no_sections_of() {  # TITLE WHAT
  case "$(sections)" in *"|$1|"* | *"|$1  Buttons|"*) fail "$2: the sections of $1 stayed" ;; esac
}
at_group() { centre "$(panel_rect "$1")"; }

# A first run from the shipped group file: the three groups are listed at once, so that the next start is
# no first run again (which would put the default buttons back over the user's).
dir=$E2E_WORK/app
install_bar "$dir"
start_and_wait "$dir"
after_kill first-run "Programs:1 Internet:0 E-Mail:0"
kill_bar

# The same folder from here on: the first start wrote its path into the registry.
{
  group_section Tools "Directory=$tw\\" Height=150
  group_section Web "Panel Style=1" Height=120
  group_buttons Web News=http://news.example.org/ Blog=http://blog.example.org/
  group_section Mail "Panel Style=2" ShowAsButton=1
  group_buttons Mail me=MAILTO:me@example.org
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
expect_soon "Tools:1 Web:1 Mail:0" "the groups at the start" groups_shown

# A new group, shown first as a button of PanelBtn.
choose_button_menu_item "$(at_group Tools)" N6
editor_ok 101 Neu 103 "$tw"
after_kill new-group "Tools:1 Web:1 Mail:0 Neu:0"

# A rename: the web group under its new title, with both its addresses; no section of the old title.
choose_button_menu_item "$(at_group Web)" S5
editor_ok 101 Sites
after_kill rename "Tools:1 Sites:1 Mail:0 Neu:0"
expect_eq "News Blog" "$(captions 1)" "rename: the addresses"
no_sections_of Web rename
expect_eq "News Blog" "$(ini_keys "$dir/Wendlix.GPF" 'Sites  Buttons' | paste -sd' ')" "rename: the addresses in the group file"

# An import of another kind renames the e-mail group: confirmed, it is a web group titled Links.
printf '[Config]\r\nPanel Style=1\r\nTitle Text=Links\r\n[Buttons]\r\nHome=http://home.example.org/\r\n' \
  >"$E2E_WORK/x/links.GLF"
choose_button_menu_item "$(centre "$(collapsed_rect Mail)")" I2
file_dialog_path "$(winpath "$E2E_WORK/x/links.GLF")"
answer_box Return
after_kill import "Tools:1 Sites:1 Links:0 Neu:0"
expect_eq "Home" "$(ini_keys "$dir/Wendlix.GPF" 'Links  Buttons')" "import: the imported address"
no_sections_of Mail import

# Quick-create on the desktop folder and from the shipped search-engine collection.
main_menu_item D4
after_kill quick-folder "Tools:1 Sites:1 Links:0 Neu:0 桌面:0"
main_menu_item N40.4
expect_soon "Tools:1 Sites:1 Links:0 Neu:0 桌面:0 搜索引擎网站:1" "the collection's group" groups_shown
sites_shown=$(captions 5)
[ -n "$sites_shown" ] || fail "the collection's group shows no buttons"
after_kill quick-collection "Tools:1 Sites:1 Links:0 Neu:0 桌面:0 搜索引擎网站:1"
expect_eq "$sites_shown" "$(captions 5)" "collection: the buttons"

# A delete: the group never comes back, and neither file names it.
choose_button_menu_item "$(centre "$(collapsed_rect Neu)")" D2
answer_box Return
after_kill delete "Tools:1 Sites:1 Links:0 桌面:0 搜索引擎网站:1"
no_sections_of Neu delete

# The Sites band dragged by its header onto the Tools band's header goes first.
band_drag Sites Tools
after_kill band-drag "Sites:1 Tools:1 Links:0 桌面:0 搜索引擎网站:1"

# A display flag is written at once: the Tools group's captions off.
expect_eq "Notepad Regedit" "$(captions 1)" "the Tools captions before"
choose_button_menu_item "$(at_group Tools)" T2
no_captions() { captions 1 | tr -d ' '; }
expect_soon "" "captions off" no_captions
after_kill display-flag "Sites:1 Tools:1 Links:0 桌面:0 搜索引擎网站:1"
expect_eq "" "$(no_captions)" "display flag: the captions after the kill"
expect_eq 0 "$(ini_get "$dir/Wendlix.GPF" Tools ShowCaption)" "display flag: in the group file"
stop_bar 20 || fail "the bar did not close by itself"
