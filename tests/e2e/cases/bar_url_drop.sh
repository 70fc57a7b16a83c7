#!/usr/bin/env bash
# e2e-timeout: 180
# Web links dragged by OLE from another process: onto the web group they become buttons and keys of its
# button section, in code page 936 ("=" in a title takes its full-width form, a character the code page
# lacks a "?"), a taken name numbered. The drag returns at once: the box for a link dropped on the
# shortcut group or on an e-mail group comes after it. Onto a collapsed web group's button in PanelBtn,
# after the bands were reordered, only the key is added; its other addresses survive a restart.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools"
start_tools_and_web "$(winpath "$tools")" 150
gpf=$dir/Wendlix.GPF
screen_xy() {  # RECT: screen "x y" of its middle
  local cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  IFS=, read -r x y <<<"$(centre "$1")"
  echo $((cl + x)) $((ct + y))
}
web_lines() { ini_lines "$gpf" 'Web  Buttons' | paste -sd'|'; }
formula='E＝mc? - 百科'

read -r wx wy <<<"$(screen_xy "$(panel_rect Web)")"
expect_eq "dropped effect 4" "$(drive drag-url "$wx" "$wy" 'http://例子.example/a?b=c' '例子 页面')" "the drop onto Web"
drive drag-url "$wx" "$wy" 'http://例子.example/new' '例子 页面' >/dev/null || fail "the second drop"
drive drag-url "$wx" "$wy" 'https://百科.example.org/wiki/质能' 'E=mc² - 百科' >/dev/null || fail "the https drop"
expect_soon "News 例子 页面 例子 页面(1) $formula" "the web group's buttons" button_names 1
expect_eq "News=http://news.example.org/|例子 页面=http://例子.example/a?b=c|例子 页面(1)=http://例子.example/new|$formula=https://百科.example.org/wiki/质能" \
  "$(web_lines)" "the web group's button section"
screenshot "$E2E_ARTIFACTS/web-links.png" >/dev/null

# Onto the shortcut group: the drag returns at once, then the box says why; nothing is written.
before=$(md5sum <"$gpf")
read -r x y <<<"$(screen_xy "$(panel_rect Tools)")"
expect_eq "dropped effect 4" "$(drive drag-url "$x" "$y" 'http://refused.example/' Refused)" "the drag returned before the box"
expect_box "乱拖...." not-web-group
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after the refused link"
expect_eq "" "$(files_in "$tools")" "the shortcut group's folder"
stop_bar 20 || fail "the bar did not close by itself"

# Three groups: the web band dragged before the tools band, an e-mail group after them.
{
  group_section Tools "Directory=$(winpath "$tools")" Height=100
  group_section Web "Panel Style=1" Height=150
  group_buttons Web News=http://news.example.org/ Wiki=https://wiki.example.org/
  group_section Mail "Panel Style=2" Height=100
  group_buttons Mail me=MAILTO:me@example.org
} | write_cp936 "$gpf"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
band_drag Web Tools
expect_soon "Web:1 Tools:1 Mail:1" "the bands after the drag" groups_shown

# Onto the e-mail group: the drag returns, then the box says it takes no web links; nothing is written.
before=$(md5sum <"$gpf")
read -r x y <<<"$(screen_xy "$(panel_rect Mail)")"
expect_eq "dropped effect 4" "$(drive drag-url "$x" "$y" 'https://百科.example.org/' 'E=mc² - 百科')" "the drag onto Mail"
expect_box "乱拖...." link-on-email-group
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after the link on the e-mail group"

# The web group, now first, collapsed into PanelBtn by a double click on its background: the link dropped
# on its button there only adds its key.
IFS=, read -r gl _ _ gb <<<"$(panel_rect Web)"
post_click "$((gl + 20)),$((gb - 10))" 0x203
collapsed() { read_layout; layout_lines collapsed | cut -f4; }
expect_soon Web "the web group collapsed" collapsed
read -r x y <<<"$(screen_xy "$(collapsed_rect Web)")"
drive drag-url "$x" "$y" 'https://百科.example.org/' 'E=mc² - 百科' >/dev/null ||
  fail "the drop on the collapsed group"
want="News=http://news.example.org/|Wiki=https://wiki.example.org/|$formula=https://百科.example.org/"
expect_soon "$want" "the collapsed group's button section after the drop" web_lines
expect_eq Web "$(collapsed)" "the group stays collapsed"
stop_bar 20 || fail "the bar did not close by itself"
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself after the restart"
expect_eq "$want" "$(web_lines)" "the collapsed group's button section after a restart"
expect_eq 'me=MAILTO:me@example.org' "$(ini_lines "$gpf" 'Mail  Buttons')" "the e-mail group's address"
