#!/usr/bin/env bash
# Group exchange files through the buttons menu and the common dialogs: a web group exported (and exported
# again over its file), imported into another web group and into a shortcut group (the kind question
# answered both ways), damaged files refused with nothing changed, and a restart showing what was saved.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools" "$E2E_WORK/x"
tw=$(winpath "$tools")
drive make-link "$tw\\Notepad.lnk" 'C:\windows\notepad.exe' || fail "link Notepad"

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Web "Panel Style=1" Height=120
  printf '[Web  Buttons]\nNews=http://news.example.org/\nBlog=http://blog.example.org/\n\n'
  group_section Web2 "Panel Style=1" Height=120
  printf '[Web2  Buttons]\nOther=http://other.example.org/\n\n'
  group_section Tools "Directory=$tw\\" Height=120
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Web Web2 Tools | write_cp936 "$dir/Wendlix.INI"
gpf=$dir/Wendlix.GPF
start_and_wait "$dir"
read_layout

group_titles() { read_layout; layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//'; }
captions() {  # GROUP-BAND: the shown launch buttons' captions, sorted
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { print $7 }' | LC_ALL=C sort | tr '\n' ' ' |
    sed 's/ $//'
}
open_menu_at() {  # X,Y (client) ITEM: open the buttons menu there and choose the item
  choose_button_menu_item "$1" "$2"
  log "menu at $1: $2 ($MENU_KEYS)"
}
# The file-name edit has the focus with the group's title in it: replace it by the typed path.
dialog_path() {  # WINDOWS-PATH
  wait_for_window '#32770' 20 >/dev/null ||
    { screenshot "$E2E_ARTIFACTS/no-dialog.png" >/dev/null; fail "no file dialog"; }
  sleep 0.5
  xdotool key End shift+Home Delete
  xdotool type --delay 20 "$1"
  xdotool key Return
  drive wait-gone '#32770' 20 || {
    screenshot "$E2E_ARTIFACTS/dialog-stayed.png" >/dev/null
    fail "the file dialog stayed open after $1"
  }
}
answer_box() {  # KEY [PICTURE]: answer the message box, pictured first when PICTURE is given
  wait_for_window TMessageForm 20 >/dev/null ||
    { screenshot "$E2E_ARTIFACTS/no-box.png" >/dev/null; fail "no message box"; }
  sleep 0.3
  BOX_TEXT=$(drive title TMessageForm)
  [ -n "${2:-}" ] && screenshot "$E2E_ARTIFACTS/$2" >/dev/null
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open"
}
no_box() {  # a short look: no message box came
  drive wait TMessageForm 1 >/dev/null 2>&1 &&
    { screenshot "$E2E_ARTIFACTS/unexpected-box.png" >/dev/null; fail "$1"; }
  return 0
}
section_keys() {  # FILE SECTION: its key=value lines, sorted
  cp936_text "$1" | tr -d '\r' | awk -v s="[$2]" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && /=/' |
    LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//'
}
config_value() {  # FILE SECTION KEY
  cp936_text "$1" | tr -d '\r' | awk -v s="[$2]" -v k="$3=" '$0 == s { on = 1; next } /^\[/ { on = 0 }
    on && index($0, k) == 1 { print substr($0, length(k) + 1); exit }'
}

glf=$E2E_WORK/x/web.GLF
glfw=$(winpath "$glf")

# Export: the file holds the group's settings and its addresses.
open_menu_at "$(centre "$(panel_rect Web)")" L1
dialog_path "$glfw"
no_box "a box after a plain export"
[ -f "$glf" ] || fail "no exported file"
cp "$glf" "$E2E_ARTIFACTS/web.GLF"
expect_eq "Blog=http://blog.example.org/ News=http://news.example.org/" "$(section_keys "$glf" Buttons)" \
  "exported addresses"
expect_eq 1 "$(config_value "$glf" Config 'Panel Style')" "exported kind"
expect_eq Web "$(config_value "$glf" Config 'Title Text')" "exported title"
first=$(md5sum <"$glf")

# Again over the file: Escape keeps it as it is (a stale line included), Enter writes it anew.
printf '[Buttons]\r\nStale=http://stale.example.org/\r\n' >>"$glf"
stale=$(md5sum <"$glf")
open_menu_at "$(centre "$(panel_rect Web)")" L1
dialog_path "$glfw"
answer_box Escape question-replace.png
case $BOX_TEXT in 导出工具栏) ;; *) fail "the replace question's caption: $BOX_TEXT" ;; esac
expect_eq "$stale" "$(md5sum <"$glf")" "the file after Escape on the replace question"
open_menu_at "$(centre "$(panel_rect Web)")" L1
dialog_path "$glfw"
answer_box Return
# The file is written once the box has gone: give it a moment.
for (( i = 0; i < 50; i++ )); do [ "$(md5sum <"$glf")" = "$first" ] && break; sleep 0.1; done
expect_eq "$first" "$(md5sum <"$glf")" "the file replaced"

# Into the other web group: its addresses added, its title kept, no question.
open_menu_at "$(centre "$(panel_rect Web2)")" I2
dialog_path "$glfw"
no_box "a box on an import of the same kind"
expect_eq "Web Web2 Tools" "$(group_titles)" "titles after the web import"
expect_eq "Blog=http://blog.example.org/ News=http://news.example.org/ Other=http://other.example.org/" \
  "$(section_keys "$gpf" 'Web2  Buttons')" "the web group's addresses after the import"
expect_eq "Blog News Other" "$(captions 1)" "the web group's buttons after the import"

# Into the shortcut group, from a copy titled Sites (a title no group has): Escape on the kind question
# leaves the group file byte for byte, Enter makes it a web group named Sites.
sites=$E2E_WORK/x/sites.GLF
sed 's/^Title Text=Web\r$/Title Text=Sites\r/' "$glf" >"$sites"
grep -q '^Title Text=Sites' "$sites" || fail "no title in the copy"
before=$(md5sum <"$gpf")
open_menu_at "$(centre "$(panel_rect Tools)")" I2
dialog_path "$(winpath "$sites")"
answer_box Escape question-kind.png
case $BOX_TEXT in 替换工具栏) ;; *) fail "the kind question's caption: $BOX_TEXT" ;; esac
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after Escape on the kind question"
expect_eq "Web Web2 Tools" "$(group_titles)" "titles after Escape"
expect_eq Notepad "$(captions 2)" "the shortcut group after Escape"
open_menu_at "$(centre "$(panel_rect Tools)")" I2
dialog_path "$(winpath "$sites")"
answer_box Return
expect_eq "Web Web2 Sites" "$(group_titles)" "titles after the kind change"
read_layout
expect_eq 1 "$(layout_lines group | awk -F'\t' '$3 == "Sites" { print $4 }')" "the new kind on the bar"
expect_eq 1 "$(config_value "$gpf" Sites 'Panel Style')" "the new kind in the group file"
expect_eq "Blog=http://blog.example.org/ News=http://news.example.org/" \
  "$(section_keys "$gpf" 'Sites  Buttons')" "the imported addresses"
cp936_text "$gpf" | tr -d '\r' | grep -q '^\[Sites\]$' || fail "no record under the new title"
cp936_text "$gpf" | tr -d '\r' | grep -q '^\[Tools' && fail "the old title's sections stayed"
expect_eq "Blog News" "$(captions 2)" "the imported buttons"
[ -f "$tools/Notepad.lnk" ] || fail "the import touched the old folder"
menu=$(drive query "$WENDLIX_MAIN_CLASS" "btnmenu:$(centre "$(panel_rect Sites)")")
printf '%s\n' "$menu" >"$E2E_ARTIFACTS/menu-after-import.txt"
expect_eq "Web Web2 Sites" "$(printf '%s\n' "$menu" | awk -F'\t' '$1 ~ /^ +ShowMenuBar\./ { print $2 }' |
  tr '\n' ' ' | sed 's/ $//')" "the groups menu's entries"
screenshot "$E2E_ARTIFACTS/imported-group.png" >/dev/null

# Damaged files: an error box naming the file, nothing changed, the bar still answers.
printf '[Buttons]\r\nA=http://a.example.org/\r\n' >"$E2E_WORK/x/noconfig.GLF"
sed 's/^Panel Style=1\r$/Panel Style=7\r/' "$glf" >"$E2E_WORK/x/style7.GLF"
grep -q '^Panel Style=7' "$E2E_WORK/x/style7.GLF" || fail "no kind in the damaged copy"
before=$(md5sum <"$gpf")
shown=$(for g in 0 1 2; do captions "$g"; done)
for name in noconfig style7 missing; do
  open_menu_at "$(centre "$(panel_rect Web2)")" I2
  dialog_path "$(winpath "$E2E_WORK/x/$name.GLF")"
  answer_box Return "error-$name.png"
  case $BOX_TEXT in 导入工具栏) ;; *) fail "$name: the error box's caption: $BOX_TEXT" ;; esac
  expect_eq "$before" "$(md5sum <"$gpf")" "$name: the group file"
  expect_eq "$shown" "$(for g in 0 1 2; do captions "$g"; done)" "$name: the buttons"
  drive send "$WENDLIX_MAIN_CLASS" 0 0 0 >/dev/null || fail "$name: the bar does not answer"
done
[ -e "$E2E_WORK/x/missing.GLF" ] && fail "the missing file was made"

# What the bar shows is what a fresh start reads.
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Web Web2 Sites" "$(ini_keys "$dir/Wendlix.INI" Groups | tr '\n' ' ' | sed 's/ $//')" \
  "groups written"
start_and_wait "$dir"
expect_eq "Web Web2 Sites" "$(group_titles)" "titles after a restart"
expect_eq "$shown" "$(for g in 0 1 2; do captions "$g"; done)" "the buttons after a restart"
stop_bar 20 || fail "the bar did not close by itself after the restart"
log "exchange: export, replace, import same kind, kind question both ways, damaged files, restart"
