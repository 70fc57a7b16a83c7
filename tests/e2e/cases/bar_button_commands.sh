#!/usr/bin/env bash
# The buttons menu over a shortcut group, a web group and a collapsed e-mail group never filled: what it
# offers where, and its commands on real links and the real group file, read back from the folder, the
# file and the bar, also after a restart.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools/sub"
tw=$(winpath "$tools")
for f in Notepad 'Notepad(1)'; do drive make-link "$tw\\$f.lnk" 'C:\windows\notepad.exe' || fail "link $f"; done
printf '[InternetShortcut]\r\nURL=http://site.example.org/\r\n' >"$tools/site.url"
printf '[Shell]\r\nCommand=2\r\n' >"$tools/desk.scf"

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Tools "Directory=$tw\\" Height=260
  group_section Web "Panel Style=1" Height=120
  printf '[Web  Buttons]\nNews=http://news.example.org/\nBlog=http://blog.example.org/\n\n'
  group_section Mail "Panel Style=2" ShowAsButton=1
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\nyou=MAILTO:you@example.org\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
gpf=$dir/Wendlix.GPF
start_and_wait "$dir"
read_layout

captions() {  # GROUP-BAND: the shown launch buttons' captions
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { printf "%s ", $7 }' | sed 's/ $//'
}
item() {  # MENU-TEXT NAME: "caption<TAB>flags" of the item
  printf '%s\n' "$1" | awk -F'\t' -v n="$2" '{ sub(/^ +/, "", $1) } $1 == n { print $2 "\t" $3; exit }'
}
open_menu_at() {  # X,Y (client) ITEM: open the buttons menu there and choose the item
  choose_button_menu_item "$1" "$2"
  log "menu at $1: $2 ($MENU_KEYS)"
}
picture_menu_at() {  # X,Y (client) FILE: a screenshot of the buttons menu open there
  post_button_menu "$1"
  screenshot "$E2E_ARTIFACTS/$2" >/dev/null
  xdotool key Escape
  drive wait-gone '#32768' 10 || fail "the buttons menu stayed open after Escape"
}
editor_ok() {  # FIELD-ID TEXT ...: fill the editor's fields, then OK
  wait_for_window TNewBtnForm 20 >/dev/null || {
    screenshot "$E2E_ARTIFACTS/no-editor.png" >/dev/null
    fail "the editor did not open"
  }
  while [ $# -ge 2 ]; do
    drive set-text TNewBtnForm "$1" "$2" >/dev/null || fail "field $1"
    shift 2
  done
  drive click TNewBtnForm 1 >/dev/null
  drive wait-gone TNewBtnForm 20 || fail "the editor stayed open"
}
answer_box() {  # KEY: answer the message box
  wait_for_window TMessageForm 20 >/dev/null || fail "no message box"
  sleep 0.3
  BOX_TEXT=$(drive title TMessageForm)
  screenshot "$E2E_ARTIFACTS/box-$BOX_TEXT.png" >/dev/null
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open"
}
section_keys() { cp936_text "$gpf" | tr -d '\r' | awk -v s="[$1]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/' | tr '\n' ' ' | sed 's/ $//'; }
links() { (cd "$tools" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//'); }

expect_eq "sub desk Notepad(1) Notepad site" "$(captions 0)" "the shortcut group at the start"

# What the menu offers where.
menu=$(button_menu_at "$(centre "$(button_rect 0 Notepad)")")
expect_eq $'删除按钮(&D) "Notepad"\t' "$(item "$menu" D1)" "delete over a link"
expect_eq $'删除 "Tools" 组(&E)\t' "$(item "$menu" D2)" "delete group over a link"
for c in desk sub; do
  expect_eq $'删除按钮(&D) "'"$c"$'"\tD' "$(item "$(button_menu_at "$(centre "$(button_rect 0 "$c")")")" D1)" "delete over $c"
done
menu=$(button_menu_at "$(centre "$(panel_rect Web)")")
expect_eq $'按钮属性(&S)...\tDH' "$(item "$menu" S3)" "no properties away from a button"
expect_eq $'Windows 资源管理器(&E)\tH' "$(item "$menu" O1)" "no explorer for a web group"
read_layout
IFS=, read -r pl pt pr pb <<<"$(layout_lines panelbtn | cut -f2)"
menu=$(button_menu_at "$(( pl + 1 )),$(( pb - 2 ))")
expect_eq $'新建按钮(&N)...\tD' "$(item "$menu" N9)" "new button on empty PanelBtn"
expect_eq $'新建组(&G)...\t' "$(item "$menu" N6)" "new group on empty PanelBtn"
picture_menu_at "$(centre "$(button_rect 0 Notepad)")" menu-over-link.png
picture_menu_at "$(centre "$(button_rect 0 desk)")" menu-over-scf.png
picture_menu_at "$(( pl + 1 )),$(( pb - 2 ))" menu-on-empty-panelbtn.png

# New shortcut named like two existing ones: written as Notepad(2).lnk and named after it.
open_menu_at "$(centre "$(panel_rect Tools)")" N9
editor_ok 160 Notepad 161 'C:\windows\notepad.exe'
expect_eq "Notepad(1).lnk Notepad(2).lnk Notepad.lnk desk.scf site.url sub" "$(links)" "links after a new button"
expect_eq "sub desk Notepad(1) Notepad site Notepad(2)" "$(captions 0)" "the new button at the end"

# Its properties: a new name renames the link in its place.
open_menu_at "$(centre "$(button_rect 0 'Notepad(2)')")" S3
editor_ok 160 a.b
expect_eq "Notepad(1).lnk Notepad.lnk a.b.lnk desk.scf site.url sub" "$(links)" "links after the rename"
expect_eq "sub desk Notepad(1) Notepad site a.b" "$(captions 0)" "renamed in place"

# Deleted after the question: exactly its file goes.
open_menu_at "$(centre "$(button_rect 0 a.b)")" D1
answer_box Return
case $BOX_TEXT in 删除按钮) ;; *) fail "the delete question's caption: $BOX_TEXT" ;; esac
expect_eq "Notepad(1).lnk Notepad.lnk desk.scf site.url sub" "$(links)" "links after the delete"
expect_eq "sub desk Notepad(1) Notepad site" "$(captions 0)" "the button is gone"
before=$(md5sum "$gpf")

# Cancel, or Escape on a question, changes nothing: neither the group file nor the folder.
editor_cancel() {  # FIELD-ID TEXT: type into a field, then Cancel
  wait_for_window TNewBtnForm 20 >/dev/null || fail "the editor did not open"
  drive set-text TNewBtnForm "$1" "$2" >/dev/null
  drive click TNewBtnForm 2 >/dev/null
  drive wait-gone TNewBtnForm 20 || fail "the editor stayed open after Cancel"
}
folder_before=$(links)
open_menu_at "$(centre "$(panel_rect Web)")" N9
editor_cancel 160 Nope
open_menu_at "$(centre "$(button_rect 0 Notepad)")" S3
editor_cancel 160 Renamed
open_menu_at "$(centre "$(panel_rect Tools)")" S5
editor_cancel 101 Renamed
open_menu_at "$(centre "$(panel_rect Tools)")" N6
editor_cancel 101 Another
open_menu_at "$(centre "$(button_rect 0 Notepad)")" D1
answer_box Escape
open_menu_at "$(centre "$(panel_rect Web)")" D2
answer_box Escape
expect_eq "$before" "$(md5sum "$gpf")" "the group file after every Cancel"
expect_eq "$folder_before" "$(links)" "the folder after every Cancel"

# Web: a new address, then a rename of an older one keeps its place in the section.
open_menu_at "$(centre "$(panel_rect Web)")" N9
editor_ok 160 Search 161 search.example.org
open_menu_at "$(centre "$(button_rect 1 News)")" S3
editor_ok 160 Headlines
# The editor hands an address back with its prefix in capitals.
expect_eq "Headlines=HTTP://news.example.org/ Blog=http://blog.example.org/ Search=http://search.example.org" \
  "$(section_keys 'Web  Buttons')" "the web group's section"
expect_eq "Headlines Blog Search" "$(captions 1)" "the web group's buttons"

# The collapsed e-mail group, never filled: renamed, refreshed and opened out, its addresses stay.
open_menu_at "$(centre "$(collapsed_rect Mail)")" S5
editor_ok 101 Post
expect_eq "me=MAILTO:me@example.org you=MAILTO:you@example.org" "$(section_keys 'Post  Buttons')" \
  "the e-mail addresses after the rename"
cp936_text "$gpf" | grep -q '^\[Mail' && fail "the old title's sections stayed"
open_menu_at "$(centre "$(collapsed_rect Post)")" R1
expect_eq "me=MAILTO:me@example.org you=MAILTO:you@example.org" "$(section_keys 'Post  Buttons')" \
  "the e-mail addresses after refresh"
open_menu_at "$(centre "$(collapsed_rect Post)")" N5
expect_eq "me you" "$(captions 2)" "the e-mail group as a band"

# Delete the middle group: its sections and registry key go, the others are renumbered.
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group2\x' /f >/dev/null 2>&1
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group3' /f >/dev/null 2>&1
open_menu_at "$(centre "$(panel_rect Web)")" D2
answer_box Return
read_layout
expect_eq "Tools Post" "$(layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//')" "groups after the delete"
expect_eq "me you" "$(captions 1)" "the e-mail group is band 1 now"
cp936_text "$gpf" | grep -q '^\[Web' && fail "the deleted group's sections stayed"
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group2' >/dev/null 2>&1 && fail "Group2 stayed"
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group3' >/dev/null 2>&1 || fail "Group3 went"

# The display flags: captions off, then on again; each of the others toggled (pictured) and back.
open_menu_at "$(centre "$(panel_rect Tools)")" T2
read_layout
expect_eq "" "$(captions 0 | tr -d ' ')" "no captions"
screenshot "$E2E_ARTIFACTS/flag-T2.png" >/dev/null
open_menu_at "$(centre "$(panel_rect Tools)")" T2
for flag in T1 P1 N16 D3 I1; do
  was=$(item "$(button_menu_at "$(centre "$(panel_rect Tools)")")" "$flag" | cut -f2)
  open_menu_at "$(centre "$(panel_rect Tools)")" "$flag"
  now=$(item "$(button_menu_at "$(centre "$(panel_rect Tools)")")" "$flag" | cut -f2)
  [ "${was//C/}" = "${now//C/}" ] && [ "$was" != "$now" ] || fail "$flag did not toggle ('$was' -> '$now')"
  screenshot "$E2E_ARTIFACTS/flag-$flag.png" >/dev/null
  open_menu_at "$(centre "$(panel_rect Tools)")" "$flag"
done
screenshot "$E2E_ARTIFACTS/after-commands.png" >/dev/null

# A new group on the same folder: shown first as a button of PanelBtn, its settings written at once.
open_menu_at "$(centre "$(panel_rect Tools)")" N6
editor_ok 101 Links 103 "$tw"
[ -n "$(collapsed_rect Links)" ] || fail "the new group is no button of PanelBtn"
case " $(section_keys Links) " in *" ShowAsButton=1 "*) ;; *) fail "the new group's settings: $(section_keys Links)" ;; esac

# What the bar shows is what a fresh start reads.
shown=$(for g in 0 1; do captions "$g"; done)
stop_bar 20 || fail "the bar did not close by itself"
start_and_wait "$dir"
expect_eq "$shown" "$(for g in 0 1; do captions "$g"; done)" "the buttons after a restart"
# A folder that went away is not opened: a box says so.
mv "$tools" "$tools.gone"
open_menu_at "$(centre "$(panel_rect Tools)")" O1
answer_box Return
mv "$tools.gone" "$tools"
stop_bar 20 || fail "the bar did not close by itself"
log "buttons menu: offers, new, properties, delete, cancel, web, rename group, refresh, open out, delete group, flags, explore"
