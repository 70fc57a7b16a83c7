#!/usr/bin/env bash
# The buttons menu's commands over a shortcut group, a web group and a collapsed e-mail group never filled,
# on real links and the real group file, read back from the folder, the file and the bar, also after a
# restart; each command reads and saves the group file at most as often as it must; dialogs and boxes hold
# the auto-hide timer off, the About window's box for a missing help file too. (What the menu offers where
# is decided and tested in the core.)
# e2e-timeout: 480
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' Notepad 'Notepad(1)'
mkdir -p "$tools/sub"
url_text() {  # ADDRESS: the internet shortcut's text, a section before and keys after its address
  printf '[{000214A0-0000-0000-C000-000000000046}]\nProp3=19,2\n[InternetShortcut]\nURL=%s\nIconIndex=1\n备注=旧站\n' "$1"
}
url_text http://site.example.org/ | write_cp936 "$tools/site.url"
printf '[Shell]\r\nCommand=2\r\n' >"$tools/desk.scf"
tw=$(winpath "$tools")
install_groups Tools Web Mail < <(
  group_section Tools "Directory=$tw\\" Height=260
  group_section Web "Panel Style=1" Height=120
  group_buttons Web News=http://news.example.org/ Blog=http://blog.example.org/
  group_section Mail "Panel Style=2" ShowAsButton=1
  group_buttons Mail me=MAILTO:me@example.org you=MAILTO:you@example.org
)
start_and_wait "$dir"

# Each command saves the group file at most once and reads it once, counted by the bar from one menu
# command to the next (the checks in between wait for the command to finish). A command with a dialog or
# box reads it again afterwards: drops and posted commands run while it is open. The group dialog's OK
# reads and saves once more: the dialog saves the buttons itself, so that a failed save keeps it open with
# every edit, and the command then saves the group's settings. A rename saves once more: the old title's
# sections go only after the groups list names the new one.
IO_LAST='' IO_STEP='' IO_HOW=''
io_check() {
  local now r0 w0 r w reads=1 saves=1 how=$IO_HOW
  now=$(drive query "$WENDLIX_MAIN_CLASS" gpfio) || fail "no group file counts"
  IO_HOW=
  [ -n "$how" ] && reads=2
  case "$IO_STEP|$how" in S5*\|ok) reads=3 saves=3 ;; N6*\|ok) reads=3 saves=2 ;; esac
  if [ -n "$IO_LAST" ]; then
    IFS=' =' read -r _ r0 _ w0 <<<"$IO_LAST"
    IFS=' =' read -r _ r _ w <<<"$now"
    (( r - r0 <= reads && w - w0 <= saves )) ||
      fail "$IO_STEP (${how:-no dialog}) read the group file $(( r - r0 )) times and saved it $(( w - w0 )) times"
  fi
  IO_LAST=$now
}
menu_at() {  # X,Y ITEM
  io_check
  IO_STEP="$2 at $1"
  choose_button_menu_item "$1" "$2"
}
ok() { editor_ok "$@"; IO_HOW=ok; }
cancel() { editor_cancel "$@"; IO_HOW=cancel; }
box() { answer_box "$@"; IO_HOW=${IO_HOW:-box}; }
at_button() { centre "$(button_rect "$1" "$2")"; }
at_group() { centre "$(panel_rect "$1")"; }
at_collapsed() { centre "$(collapsed_rect "$1")"; }
section() { ini_lines "$gpf" "$1" | paste -sd' '; }
links() { files_in "$tools"; }
titles_like() { ini_text "$gpf" | grep -c "^\[$1"; }

expect_soon "sub desk Notepad(1) Notepad site" "the shortcut group at the start" captions 0
for picture in link:"$(at_button 0 Notepad)" scf:"$(at_button 0 desk)"; do
  post_button_menu "${picture#*:}"
  screenshot "$E2E_ARTIFACTS/menu-over-${picture%%:*}.png" >/dev/null
  xdotool key Escape
  drive wait-gone '#32768' 10 || fail "the buttons menu stayed open after Escape"
done

# New shortcut named like two existing ones: written as Notepad(2).lnk and named after it.
menu_at "$(at_group Tools)" N9
ok 160 Notepad 161 'C:\windows\notepad.exe'
expect_soon "Notepad(1).lnk Notepad(2).lnk Notepad.lnk desk.scf site.url sub" "links after a new button" links
expect_soon "sub desk Notepad(1) Notepad site Notepad(2)" "the new button at the end" captions 0
# Its properties: a new name renames the link in its place.
menu_at "$(at_button 0 'Notepad(2)')" S3
ok 160 a.b
expect_soon "Notepad(1).lnk Notepad.lnk a.b.lnk desk.scf site.url sub" "links after the rename" links
expect_soon "sub desk Notepad(1) Notepad site a.b" "renamed in place" captions 0
# Deleted after the question: exactly its file goes.
menu_at "$(at_button 0 a.b)" D1
box Return
expect_eq 删除按钮 "$BOX_TEXT" "the delete question's caption"
expect_soon "Notepad(1).lnk Notepad.lnk desk.scf site.url sub" "links after the delete" links
expect_soon "sub desk Notepad(1) Notepad site" "the button is gone" captions 0

# Cancel, or Escape on a question, changes nothing: neither the group file nor the folder.
before=$(md5sum <"$gpf") folder_before=$(links)
menu_at "$(at_group Web)" N9
cancel 160 Nope
menu_at "$(at_group Tools)" S5
cancel 101 Renamed
menu_at "$(at_button 0 Notepad)" D1
box Escape
menu_at "$(at_group Web)" D2
box Escape
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after every Cancel"
expect_soon "$folder_before" "the folder after every Cancel" links

# The internet shortcut's properties: its address checked as one, renamed in place, the new address in the
# file and the rest of it as it was, in code page 936.
menu_at "$(at_button 0 site)" S3
ok 160 网站 161 https://新.example.org/
expect_soon "Notepad(1).lnk Notepad.lnk desk.scf sub 网站.url" "links after the internet shortcut's change" links
expect_soon "sub desk Notepad(1) Notepad 网站" "the internet shortcut renamed in place" captions 0
expect_eq "$(url_text https://新.example.org/ | write_cp936 /dev/stdout | md5sum)" "$(md5sum <"$tools/网站.url")" \
  "the internet shortcut's file"

# Web: a new address, then a rename of an older one keeps its place in the section. The editor hands an
# address back with its prefix in capitals.
menu_at "$(at_group Web)" N9
ok 160 Search 161 search.example.org
menu_at "$(at_button 1 News)" S3
ok 160 Headlines
expect_soon "Headlines=HTTP://news.example.org/ Blog=http://blog.example.org/ Search=http://search.example.org" \
  "the web group's section" section 'Web  Buttons'
expect_soon "Headlines Blog Search" "the web group's buttons" captions 1

# The collapsed e-mail group, never filled: renamed, refreshed and opened out, its addresses stay.
mail="me=MAILTO:me@example.org you=MAILTO:you@example.org"
menu_at "$(at_collapsed Mail)" S5
ok 101 Post
expect_soon "$mail" "the e-mail addresses after the rename" section 'Post  Buttons'
expect_soon 0 "the old title's sections" titles_like Mail
menu_at "$(at_collapsed Post)" R1
expect_soon "$mail" "the e-mail addresses after refresh" section 'Post  Buttons'
menu_at "$(at_collapsed Post)" N5
expect_soon "me you" "the e-mail group as a band" captions 2

# Delete the middle group: its sections and registry key go, the others are renumbered.
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group2\x' /f >/dev/null 2>&1
wine_run reg.exe add 'HKCU\Software\Holmvik\Wendlix\Group3' /f >/dev/null 2>&1
menu_at "$(at_group Web)" D2
box Return
expect_soon "Tools:1 Post:1" "groups after the delete" groups_shown
expect_soon "me you" "the e-mail group is band 1 now" captions 1
expect_soon 0 "the deleted group's sections" titles_like Web
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group2' >/dev/null 2>&1 && fail "Group2 stayed"
wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix\Group3' >/dev/null 2>&1 || fail "Group3 went"

# The captions flag off, then on again.
menu_at "$(at_group Tools)" T2
no_captions() { captions 0 | tr -d ' '; }
expect_soon "" "no captions" no_captions
screenshot "$E2E_ARTIFACTS/flag-T2.png" >/dev/null
menu_at "$(at_group Tools)" T2
expect_soon "sub desk Notepad(1) Notepad 网站" "the captions back" captions 0

# A new group on the same folder: shown first as a button of PanelBtn, its settings written at once.
menu_at "$(at_group Tools)" N6
ok 101 Links 103 "$tw"
links_collapsed() { [ -n "$(collapsed_rect Links)" ] && echo yes; }
expect_soon yes "the new group as a button of PanelBtn" links_collapsed
expect_soon 1 "the new group's ShowAsButton, written at once" ini_get "$gpf" Links ShowAsButton

# What the bar shows is what a fresh start reads; from here on the bar hides itself. The new group names
# a program instead of a folder, as an imported exchange file may.
shown=$(captions 0; captions 1)
stop_bar 20 || fail "the bar did not close by itself"
sed -i 's/^AutoHide=0/AutoHide=1/' "$dir/Wendlix.INI"
sed -i '/^\[Links\]/,/^\[/ s/^Directory=.*/Directory=C:\\windows\\notepad.exe\r/' "$gpf"
start_and_wait "$dir"
IO_LAST=
expect_eq "$shown" "$(captions 0; captions 1)" "the buttons after a restart"
[ -n "$(collapsed_rect Links)" ] || fail "the group naming a program was not kept"
# A new button its folder cannot take: the box, then the editor stays open with what was typed.
menu_at "$(at_collapsed Links)" N9
editor_refused 160 记事本 161 'C:\windows\notepad.exe'
expect_eq 按钮 "$BOX_TEXT" "the caption of the box for a button not made"
expect_eq '记事本|C:\windows\notepad.exe' "$(editor_fields shown)" "the editor's fields after the box"
cancel 160 记事本

# Every dialog and box holds the auto-hide timer off while it is open, and each way out gives it back.
timer() { drive query "$WENDLIX_MAIN_CLASS" timer; }
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer at rest" timer
menu_at "$(at_group Tools)" S5
editor_wait 20 || fail "the editor did not open"
expect_eq "AutoHideTimer=0 AutoHide=1" "$(timer)" "the timer under the editor"
cancel 101 Renamed
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after Cancel" timer
menu_at "$(at_button 0 Notepad)" S3
ok 160 Notepad
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after OK" timer
menu_at "$(at_button 0 Notepad)" D1
wait_for_window TMessageForm 20 >/dev/null || fail "no delete question"
expect_eq "AutoHideTimer=0 AutoHide=1" "$(timer)" "the timer under a box"
box Escape
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after a box" timer

# Explore: a folder opens in the shell; a folder that went away, or a program, gives a box.
menu_at "$(at_group Tools)" O1
explorer_of_tools() { pgrep -af 'explorer' | grep -ci "tools"; }
expect_soon 1 "the shell window on the group's folder" explorer_of_tools
drive find TMessageForm >/dev/null 2>&1 && fail "a box for a folder that exists"
mv "$tools" "$tools.gone"
menu_at "$(at_group Tools)" O1
box Return
mv "$tools.gone" "$tools"
menu_at "$(at_collapsed Links)" O1
box Return
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after an error box" timer
# The About window's help link: the box that says the help file is missing holds the bar too.
rm "$dir/Wendlix.htm"
main_menu_keys a
wait_for_window TLogoForm 20 >/dev/null || fail "no About window"
# Its label takes clicks once the picture has dissolved in.
help_box() { xdotool mousemove 352 472 click 1; wait_for_window TMessageForm 2 >/dev/null; }
wait_until 20 help_box || fail "no box from the About window's help link"
expect_eq "AutoHideTimer=0 AutoHide=1" "$(timer)" "the timer under the About window's box"
box Return
expect_soon "AutoHideTimer=1 AutoHide=1" "the timer after the About window's box" timer
drive close TLogoForm >/dev/null
drive wait-gone TLogoForm 20 || fail "the About window stayed open"
stop_bar 20 || fail "the bar did not close by itself"
