#!/usr/bin/env bash
# The buttons menu over a shortcut group, a web group and a collapsed e-mail group never filled: what it
# offers where, and its commands on real links and the real group file, read back from the folder, the
# file and the bar, also after a restart.
# e2e-timeout: 240
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
IO_LAST='' IO_STEP='' IO_EDITOR=''
read_layout

captions() {  # GROUP-BAND: the shown launch buttons' captions
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { printf "%s ", $7 }' | sed 's/ $//'
}
item() {  # MENU-TEXT NAME: "caption<TAB>flags" of the item
  printf '%s\n' "$1" | awk -F'\t' -v n="$2" '{ sub(/^ +/, "", $1) } $1 == n { print $2 "\t" $3; exit }'
}
# Each command saves the group file at most once and reads it once, counted by the bar from one
# menu command to the next (the checks in between wait for the command to finish). A command with
# a dialog or box reads it again afterwards: drops and posted commands run while it is open. The
# group dialog's OK reads and saves once more: the dialog saves the buttons itself, so that a
# failed save keeps it open with every edit, and the command then saves the group's settings. A
# rename saves once more: the old title's sections go only after the groups list names the new one.
IO_LAST='' IO_STEP='' IO_EDITOR=''
io_check() {
  local now r0 w0 r w reads=1 saves=1
  now=$(drive query "$WENDLIX_MAIN_CLASS" gpfio) || fail "no group file counts"
  [ -n "$IO_EDITOR" ] && reads=2
  case $IO_STEP in S5\ *|N6\ *) [ "$IO_EDITOR" = ok ] && reads=3 saves=2 ;; esac
  case $IO_STEP in S5\ *) [ "$IO_EDITOR" = ok ] && saves=3 ;; esac
  if [ -n "$IO_LAST" ]; then
    IFS=' =' read -r _ r0 _ w0 <<<"$IO_LAST"
    IFS=' =' read -r _ r _ w <<<"$now"
    [ $(( r - r0 )) -le "$reads" ] && [ $(( w - w0 )) -le "$saves" ] ||
      fail "$IO_STEP (${IO_EDITOR:-no dialog}) read the group file $(( r - r0 )) times and saved it $(( w - w0 )) times"
    log "$IO_STEP (${IO_EDITOR:-no dialog}): read $(( r - r0 )), saved $(( w - w0 ))"
  fi
  IO_LAST=$now
  IO_EDITOR=
}
open_menu_at() {  # X,Y (client) ITEM: open the buttons menu there and choose the item
  io_check
  IO_STEP="$2 at $1"
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
  editor_wait 20 || {
    screenshot "$E2E_ARTIFACTS/no-editor.png" >/dev/null
    fail "the editor did not open"
  }
  while [ $# -ge 2 ]; do
    drive set-text "$EDITOR" "$1" "$2" >/dev/null || fail "field $1"
    shift 2
  done
  drive click "$EDITOR" 1 >/dev/null
  drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"
  IO_EDITOR=ok
}
answer_box() {  # KEY: answer the message box
  wait_for_window TMessageForm 20 >/dev/null || fail "no message box"
  sleep 0.3
  BOX_TEXT=$(drive title TMessageForm)
  screenshot "$E2E_ARTIFACTS/box-$BOX_TEXT.png" >/dev/null
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open"
  IO_EDITOR=${IO_EDITOR:-box}
}
section_keys() { cp936_text "$gpf" | tr -d '\r' | awk -v s="[$1]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/' | tr '\n' ' ' | sed 's/ $//'; }
links() { (cd "$tools" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//'); }
section_titles() { cp936_text "$gpf" | tr -d '\r' | sed -n 's/^\[\(.*\)\]$/\1/p' | grep -c "^$1" ; }
group_titles() { read_layout; layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//'; }

expect_soon "sub desk Notepad(1) Notepad site" "the shortcut group at the start" captions 0

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
IFS=, read -r pl _ _ pb <<<"$(layout_lines panelbtn | cut -f2)"
menu=$(button_menu_at "$(( pl + 1 )),$(( pb - 2 ))")
expect_eq $'新建按钮(&N)...\tD' "$(item "$menu" N9)" "new button on empty PanelBtn"
expect_eq $'新建组(&G)...\t' "$(item "$menu" N6)" "new group on empty PanelBtn"
picture_menu_at "$(centre "$(button_rect 0 Notepad)")" menu-over-link.png
picture_menu_at "$(centre "$(button_rect 0 desk)")" menu-over-scf.png
picture_menu_at "$(( pl + 1 )),$(( pb - 2 ))" menu-on-empty-panelbtn.png

# New shortcut named like two existing ones: written as Notepad(2).lnk and named after it.
open_menu_at "$(centre "$(panel_rect Tools)")" N9
editor_ok 160 Notepad 161 'C:\windows\notepad.exe'
expect_soon "Notepad(1).lnk Notepad(2).lnk Notepad.lnk desk.scf site.url sub" "links after a new button" links
expect_soon "sub desk Notepad(1) Notepad site Notepad(2)" "the new button at the end" captions 0

# Its properties: a new name renames the link in its place.
open_menu_at "$(centre "$(button_rect 0 'Notepad(2)')")" S3
editor_ok 160 a.b
expect_soon "Notepad(1).lnk Notepad.lnk a.b.lnk desk.scf site.url sub" "links after the rename" links
expect_soon "sub desk Notepad(1) Notepad site a.b" "renamed in place" captions 0

# Deleted after the question: exactly its file goes.
open_menu_at "$(centre "$(button_rect 0 a.b)")" D1
answer_box Return
case $BOX_TEXT in 删除按钮) ;; *) fail "the delete question's caption: $BOX_TEXT" ;; esac
expect_soon "Notepad(1).lnk Notepad.lnk desk.scf site.url sub" "links after the delete" links
expect_soon "sub desk Notepad(1) Notepad site" "the button is gone" captions 0
before=$(md5sum "$gpf")

# Cancel, or Escape on a question, changes nothing: neither the group file nor the folder.
editor_cancel() {  # FIELD-ID TEXT: type into a field, then Cancel
  editor_wait 20 || fail "the editor did not open"
  drive set-text "$EDITOR" "$1" "$2" >/dev/null
  drive click "$EDITOR" 2 >/dev/null
  drive wait-gone "$EDITOR" 20 || fail "the editor stayed open after Cancel"
  IO_EDITOR=cancel
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
expect_soon "$folder_before" "the folder after every Cancel" links

# Web: a new address, then a rename of an older one keeps its place in the section.
open_menu_at "$(centre "$(panel_rect Web)")" N9
editor_ok 160 Search 161 search.example.org
open_menu_at "$(centre "$(button_rect 1 News)")" S3
editor_ok 160 Headlines
# The editor hands an address back with its prefix in capitals.
expect_soon "Headlines=HTTP://news.example.org/ Blog=http://blog.example.org/ Search=http://search.example.org" \
  "the web group's section" section_keys 'Web  Buttons'
expect_soon "Headlines Blog Search" "the web group's buttons" captions 1

# The collapsed e-mail group, never filled: renamed, refreshed and opened out, its addresses stay.
open_menu_at "$(centre "$(collapsed_rect Mail)")" S5
editor_ok 101 Post
expect_soon "me=MAILTO:me@example.org you=MAILTO:you@example.org" "the e-mail addresses after the rename" \
  section_keys 'Post  Buttons'
expect_soon 0 "the old title's sections" section_titles Mail
open_menu_at "$(centre "$(collapsed_rect Post)")" R1
expect_soon "me=MAILTO:me@example.org you=MAILTO:you@example.org" "the e-mail addresses after refresh" \
  section_keys 'Post  Buttons'
open_menu_at "$(centre "$(collapsed_rect Post)")" N5
expect_soon "me you" "the e-mail group as a band" captions 2

# Delete the middle group: its sections and registry key go, the others are renumbered.
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group2\x' /f >/dev/null 2>&1
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group3' /f >/dev/null 2>&1
open_menu_at "$(centre "$(panel_rect Web)")" D2
answer_box Return
expect_soon "Tools Post" "groups after the delete" group_titles
expect_soon "me you" "the e-mail group is band 1 now" captions 1
expect_soon 0 "the deleted group's sections" section_titles Web
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group2' >/dev/null 2>&1 && fail "Group2 stayed"
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group3' >/dev/null 2>&1 || fail "Group3 went"

# The display flags: captions off, then on again; each of the others toggled (pictured) and back.
open_menu_at "$(centre "$(panel_rect Tools)")" T2
no_captions() { captions 0 | tr -d ' '; }
expect_soon "" "no captions" no_captions
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
links_collapsed() { [ -n "$(collapsed_rect Links)" ] && echo yes; }
expect_soon yes "the new group as a button of PanelBtn" links_collapsed
shows_as_button() { case " $(section_keys Links) " in *" ShowAsButton=1 "*) echo yes ;; esac; }
expect_soon yes "the new group's ShowAsButton=1, written at once" shows_as_button

# What the bar shows is what a fresh start reads; from here on the bar hides itself.
shown=$(for g in 0 1; do captions "$g"; done)
stop_bar 20 || fail "the bar did not close by itself"
sed -i 's/^AutoHide=0/AutoHide=1/' "$dir/Wendlix.INI"
# The new group names a program instead of a folder, as an imported exchange file may.
sed -i '/^\[Links\]/,/^\[/ s/^Directory=.*/Directory=C:\\windows\\notepad.exe\r/' "$gpf"
start_and_wait "$dir"
IO_LAST='' IO_STEP='' IO_EDITOR=''
expect_eq "$shown" "$(for g in 0 1; do captions "$g"; done)" "the buttons after a restart"
[ -n "$(collapsed_rect Links)" ] || fail "the group naming a program was not kept"

# Every dialog and box holds the auto-hide timer off while it is open, and each way out gives it back.
timer() { drive query "$WENDLIX_MAIN_CLASS" timer; }
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer at rest" timer
open_menu_at "$(centre "$(panel_rect Tools)")" S5
editor_wait 20 || fail "the editor did not open"
expect_eq "AutoHideTimer=0 AutoHide=1" "$(timer)" "the timer under the editor"
editor_cancel 101 Renamed
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after Cancel" timer
open_menu_at "$(centre "$(button_rect 0 Notepad)")" S3
editor_ok 160 Notepad
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after OK" timer
open_menu_at "$(centre "$(button_rect 0 Notepad)")" D1
wait_for_window TMessageForm 20 >/dev/null || fail "no delete question"
expect_eq "AutoHideTimer=0 AutoHide=1" "$(timer)" "the timer under a box"
answer_box Escape
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after a box" timer

# Explore: a folder opens in the shell; a folder that went away, or a program, gives a box.
open_menu_at "$(centre "$(panel_rect Tools)")" O1
explorer_of_tools() { pgrep -af 'explorer' | grep -ci "tools" ; }
expect_soon 1 "the shell window on the group's folder" explorer_of_tools
drive wait TMessageForm 1 >/dev/null 2>&1 && fail "a box for a folder that exists"
mv "$tools" "$tools.gone"
open_menu_at "$(centre "$(panel_rect Tools)")" O1
answer_box Return
mv "$tools.gone" "$tools"
open_menu_at "$(centre "$(collapsed_rect Links)")" O1
answer_box Return
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after an error box" timer
stop_bar 20 || fail "the bar did not close by itself"
log "buttons menu: offers, new, properties, delete, cancel, web, rename group, refresh, open out, delete group, flags, explore, timer"
