#!/usr/bin/env bash
# e2e-timeout: 420
# No group is lost when the bar ends without closing: right after each command that adds, renames,
# removes or reorders groups (a first run, a new group, a rename, an import that renames, quick-create
# from a folder and from a collection, a delete, a band dragged), and after a display flag, the bar is
# killed and started again. The next start shows every group under its old or new title with its
# buttons, and neither file names a group that was removed.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools" "$E2E_WORK/x"
tw=$(winpath "$tools")
for f in Notepad Regedit; do drive make-link "$tw\\$f.lnk" 'C:\windows\notepad.exe' || fail "link $f"; done

# SIGKILL to the program's process: no close, no save, nothing but what the commands wrote.
kill_and_restart() {  # WHAT
  kill -9 "$BAR_PID" 2>/dev/null
  wait "$BAR_PID" 2>/dev/null
  BAR_PID=
  drive wait-gone "$WENDLIX_MAIN_CLASS" 30 || fail "$1: the killed bar's window stayed"
  cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/$1.INI" 2>/dev/null
  cp "$dir/Wendlix.GPF" "$E2E_ARTIFACTS/$1.GPF"
  start_and_wait "$dir"
  log "$1: killed and started again"
}
# "title:band" per group in band order: 1 a band, 0 a button of PanelBtn (or hidden).
groups_shown() {
  read_layout
  layout_lines group | awk -F'\t' '{ printf "%s%s:%s", sep, $3, $5; sep = " " }'
}
wait_groups() {  # WANT WHAT
  expect_soon "$1" "$2" groups_shown
}
captions() {  # BAND: the shown launch buttons' captions
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { printf "%s ", $7 }' | sed 's/ $//'
}
listed() { ini_keys "$dir/Wendlix.INI" Groups | tr '\n' ' ' | sed 's/ $//'; }
count() { ini_get "$dir/Wendlix.INI" 'Wendlix V3.0' Groups; }
sections() { ini_text "$dir/Wendlix.GPF" | sed -n 's/^\[\(.*\)\]$/\1/p' | tr '\n' '|' | sed 's/|$//'; }
section_keys() { ini_keys "$dir/Wendlix.GPF" "$1" | tr '\n' ' ' | sed 's/ $//'; }
open_menu_at() {  # X,Y (client) ITEM
  choose_button_menu_item "$1" "$2"
  log "menu at $1: $2 ($MENU_KEYS)"
}
main_menu_item() {  # NAME: chosen from the bar settings menu by the bar's own description of it
  local keys
  keys=$(menu_keys "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" "$1") || fail "no item $1 in the bar settings menu"
  # shellcheck disable=SC2086
  main_menu_keys $keys
  drive wait-gone '#32768' 10 || fail "the bar settings menu stayed open after $1"
}
editor_ok() {  # FIELD-ID TEXT ...
  editor_wait 20 || fail "the editor did not open"
  while [ $# -ge 2 ]; do
    drive set-text "$EDITOR" "$1" "$2" >/dev/null || fail "field $1"
    shift 2
  done
  drive click "$EDITOR" 1 >/dev/null
  drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"
}
answer_box() {  # KEY
  wait_for_window TMessageForm 20 >/dev/null || fail "no message box"
  sleep 0.3
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open"
}

# 0. A first run from the shipped group file: the three groups are listed at once, so that the next
# start is no first run again (which would put the default buttons back over the user's).
dir=$E2E_WORK/app
install_bar "$dir"
start_and_wait "$dir"
wait_groups "Programs:1 Internet:0 E-Mail:0" "the first run's groups"
kill_and_restart first-run
expect_eq "Programs Internet E-Mail" "$(listed)" "first run: the groups listed"
expect_eq 3 "$(count)" "first run: the count"
wait_groups "Programs:1 Internet:0 E-Mail:0" "first run: the groups after the kill"
kill -9 "$BAR_PID" 2>/dev/null
wait "$BAR_PID" 2>/dev/null
BAR_PID=
drive wait-gone "$WENDLIX_MAIN_CLASS" 30 || fail "the first run's bar stayed"

# The same folder from here on: the first start wrote its path into the registry.
{
  group_section Tools "Directory=$tw\\" Height=150
  group_section Web "Panel Style=1" Height=120
  printf '[Web  Buttons]\nNews=http://news.example.org/\nBlog=http://blog.example.org/\n\n'
  group_section Mail "Panel Style=2" ShowAsButton=1
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
wait_groups "Tools:1 Web:1 Mail:0" "the groups at the start"

# 1. A new group, shown first as a button of PanelBtn.
open_menu_at "$(centre "$(panel_rect Tools)")" N6
editor_ok 101 Neu 103 "$tw"
wait_groups "Tools:1 Web:1 Mail:0 Neu:0" "after the new group"
kill_and_restart new-group
wait_groups "Tools:1 Web:1 Mail:0 Neu:0" "the new group after the kill"
expect_eq "Tools Web Mail Neu" "$(listed)" "new group: the groups listed"

# 2. A rename: the web group under its new title, with both its addresses; no section of the old title.
open_menu_at "$(centre "$(panel_rect Web)")" S5
editor_ok 101 Sites
wait_groups "Tools:1 Sites:1 Mail:0 Neu:0" "after the rename"
kill_and_restart rename
wait_groups "Tools:1 Sites:1 Mail:0 Neu:0" "the renamed group after the kill"
expect_eq "News Blog" "$(captions 1)" "rename: the addresses"
expect_eq "Tools Sites Mail Neu" "$(listed)" "rename: the groups listed"
case "|$(sections)|" in *"|Web|"* | *"|Web  Buttons|"*) fail "rename: the old title's sections stayed" ;; esac
expect_eq "News Blog" "$(section_keys 'Sites  Buttons')" "rename: the addresses in the group file"

# 3. An import of another kind renames the e-mail group: confirmed, it is a web group titled Links.
printf '[Config]\r\nPanel Style=1\r\nTitle Text=Links\r\n[Buttons]\r\nHome=http://home.example.org/\r\n' \
  >"$E2E_WORK/x/links.GLF"
open_menu_at "$(centre "$(collapsed_rect Mail)")" I2
wait_for_window '#32770' 20 >/dev/null || fail "no file dialog"
sleep 0.5
xdotool key End shift+Home Delete
xdotool type --delay 20 "$(winpath "$E2E_WORK/x/links.GLF")"
xdotool key Return
drive wait-gone '#32770' 20 || fail "the file dialog stayed open"
answer_box Return
wait_groups "Tools:1 Sites:1 Links:0 Neu:0" "after the import"
kill_and_restart import
wait_groups "Tools:1 Sites:1 Links:0 Neu:0" "the imported group after the kill"
expect_eq "Tools Sites Links Neu" "$(listed)" "import: the groups listed"
expect_eq "Home" "$(section_keys 'Links  Buttons')" "import: the imported address"
case "|$(sections)|" in *"|Mail|"* | *"|Mail  Buttons|"*) fail "import: the old title's sections stayed" ;; esac

# 4. Quick-create on the desktop folder and from the shipped search-engine collection.
main_menu_item D4
wait_groups "Tools:1 Sites:1 Links:0 Neu:0 桌面:0" "after quick-create on the desktop"
kill_and_restart quick-folder
wait_groups "Tools:1 Sites:1 Links:0 Neu:0 桌面:0" "the desktop group after the kill"
main_menu_item N40.4
wait_groups "Tools:1 Sites:1 Links:0 Neu:0 桌面:0 搜索引擎网站:1" "after quick-create from a collection"
sites_shown=$(captions 5)
[ -n "$sites_shown" ] || fail "the collection's group shows no buttons"
kill_and_restart quick-collection
wait_groups "Tools:1 Sites:1 Links:0 Neu:0 桌面:0 搜索引擎网站:1" "the collection's group after the kill"
expect_eq "$sites_shown" "$(captions 5)" "collection: the buttons"
expect_eq "Tools Sites Links Neu 桌面 搜索引擎网站" "$(listed)" "quick-create: the groups listed"

# 5. A delete: the group never comes back, and neither file names it.
open_menu_at "$(centre "$(collapsed_rect Neu)")" D2
answer_box Return
wait_groups "Tools:1 Sites:1 Links:0 桌面:0 搜索引擎网站:1" "after the delete"
kill_and_restart delete
wait_groups "Tools:1 Sites:1 Links:0 桌面:0 搜索引擎网站:1" "the groups after the delete and the kill"
expect_eq "Tools Sites Links 桌面 搜索引擎网站" "$(listed)" "delete: the groups listed"
expect_eq 5 "$(count)" "delete: the count"
case "|$(sections)|" in *"|Neu|"* | *"|Neu  Buttons|"*) fail "delete: the group's sections stayed" ;; esac

# 6. The Sites band dragged by its header onto the Tools band's header goes first.
read_layout
IFS=, read -r hl ht _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Sites" { print $7 }')"
IFS=, read -r ol ot _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $7 }')"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( ((ht + 5) << 16) | (hl + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x200 1 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
wait_groups "Sites:1 Tools:1 Links:0 桌面:0 搜索引擎网站:1" "after the band drag"
kill_and_restart band-drag
wait_groups "Sites:1 Tools:1 Links:0 桌面:0 搜索引擎网站:1" "the band order after the kill"
expect_eq "Sites Tools Links 桌面 搜索引擎网站" "$(listed)" "band drag: the groups listed"

# 7. A display flag is written at once: the Tools group's captions off.
expect_eq "Notepad Regedit" "$(captions 1)" "the Tools captions before"
open_menu_at "$(centre "$(panel_rect Tools)")" T2
no_captions() { captions 1 | tr -d ' '; }
expect_soon "" "captions off" no_captions
kill_and_restart display-flag
expect_eq "" "$(no_captions)" "display flag: the captions after the kill"
expect_eq 0 "$(ini_get "$dir/Wendlix.GPF" Tools ShowCaption)" "display flag: in the group file"

stop_bar 20 || fail "the bar did not close by itself"
log "no group lost after a kill: first run, new, rename, import, quick-create, delete, band drag, display flag"
