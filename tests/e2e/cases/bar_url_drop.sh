#!/usr/bin/env bash
# e2e-timeout: 180
# Web links dragged by OLE from another process: onto the web group they become buttons and keys of its
# button section, kept across a restart. A taken name keeps its address (the new link is numbered after
# it) and the same link again changes nothing; "=" in a title takes its full-width form and an https
# address stays so. The drag returns at once: the box for a link dropped on the shortcut group or on an
# e-mail group comes after it. Onto a collapsed web group's button in PanelBtn, after the bands were
# reordered, only the key is added; its other addresses survive the restart.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

tools=$E2E_WORK/Tools
mkdir -p "$tools"
start_tools_and_web "$(winpath "$tools")" 150
gpf=$dir/Wendlix.GPF
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
centre_of() {  # TITLE -> screen x y of the middle of its group panel
  local l t r b
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $8 }')"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}
web_buttons() {  # the Web group's button captions, one line
  layout_lines button | awk -F'\t' '$2 == 1 { print $8 }' | tr '\n' '|' | sed 's/|$//'
}
wait_web_buttons() {  # WANT: poll the layout until the Web group shows exactly these names
  local i
  for (( i = 0; i < 50; i++ )); do
    read_layout
    [ "$(web_buttons)" = "$1" ] && return 0
    sleep 0.1
  done
  expect_eq "$1" "$(web_buttons)" "the Web group's buttons"
}
web_keys() { ini_keys "$gpf" 'Web  Buttons' | tr '\n' '|' | sed 's/|$//'; }

read -r wx wy <<<"$(centre_of Web)"
out=$(drive drag-url "$wx" "$wy" 'http://例子.example/a?b=c' '例子 页面') || fail "the link was not dropped: $out"
expect_eq "dropped effect 4" "$out" "the drop onto Web"
wait_web_buttons "News|例子 页面"
expect_eq 'http://例子.example/a?b=c' "$(ini_get "$gpf" 'Web  Buttons' '例子 页面')" "the stored address"

# The same name with another address: numbered after it, the first keeps its address. The same link
# again changes nothing. Without a title the name is the address.
drive drag-url "$wx" "$wy" 'http://例子.example/new' '例子 页面' >/dev/null || fail "the second drop"
wait_web_buttons "News|例子 页面|例子 页面(1)"
# Drops run in the order they came: once the last one shows, the one before it was done.
drive drag-url "$wx" "$wy" 'http://例子.example/a?b=c' '例子 页面' >/dev/null || fail "the same link again"
drive drag-url "$wx" "$wy" 'www.example.com' >/dev/null || fail "the drop without a title"
wait_web_buttons "News|例子 页面|例子 页面(1)|www.example.com"
expect_eq "News|例子 页面|例子 页面(1)|www.example.com" "$(web_keys)" "the keys of the button section"
expect_eq 'http://例子.example/a?b=c' "$(ini_get "$gpf" 'Web  Buttons' '例子 页面')" "the first address kept"
expect_eq 'http://例子.example/new' "$(ini_get "$gpf" 'Web  Buttons' '例子 页面(1)')" "the numbered address"
expect_eq 'www.example.com' "$(ini_get "$gpf" 'Web  Buttons' 'www.example.com')" "an address as dropped"

# An https link whose title holds "=" and a character code page 936 lacks: stored as the file reads it.
formula='E＝mc? - 百科'
drive drag-url "$wx" "$wy" 'https://百科.example.org/wiki/质能' 'E=mc² - 百科' >/dev/null || fail "the https drop"
wait_web_buttons "News|例子 页面|例子 页面(1)|www.example.com|$formula"
expect_eq 'https://百科.example.org/wiki/质能' "$(ini_get "$gpf" 'Web  Buttons' "$formula")" "the https address"
screenshot "$E2E_ARTIFACTS/web-links.png" >/dev/null

# Onto the shortcut group: the drag returns at once, then the box says why; nothing is written.
before=$(md5sum <"$gpf")
read -r x y <<<"$(centre_of Tools)"
out=$(drive drag-url "$x" "$y" 'http://refused.example/' Refused) || fail "the drag did not end with a drop: $out"
expect_eq "dropped effect 4" "$out" "the drag returned before the box"
wait_for_window TMessageForm 20 >/dev/null || fail "no box for a link dropped on the shortcut group"
sleep 0.5
screenshot "$E2E_ARTIFACTS/not-web-group.png" >/dev/null
expect_eq "乱拖...." "$(drive title TMessageForm)" "the box's caption"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 10 || fail "the box stayed"
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after the refused link"
expect_eq "" "$(ls -A "$tools")" "the shortcut group's folder"
read_layout
expect_eq "" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $8 }')" "the shortcut group's buttons"

# A restart shows what the file holds.
stop_bar 20 || fail "the bar did not close by itself"
start_and_wait "$dir"
wait_web_buttons "News|例子 页面|例子 页面(1)|www.example.com|$formula"
stop_bar 20 || fail "the bar did not close by itself after the restart"

# Three groups: the web band dragged before the tools band, an e-mail group after them.
{
  group_section Tools "Directory=$(winpath "$tools")" Height=100
  group_section Web "Panel Style=1" Height=150
  printf '[Web  Buttons]\nNews=http://news.example.org/\nWiki=https://wiki.example.org/\n\n'
  group_section Mail "Panel Style=2" Height=100
  printf '[Mail  Buttons]\nme=MAILTO:me@example.org\n\n'
} | write_cp936 "$gpf"
bar_settings 2 120 0 1 Tools Web Mail | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
read_layout
IFS=, read -r hl ht _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Web" { print $7 }')"
IFS=, read -r ol ot _ _ <<<"$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $7 }')"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( ((ht + 5) << 16) | (hl + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x200 1 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( ((ot + 5) << 16) | (ol + 30) )) >/dev/null
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(layout_lines group | cut -f3 | tr '\n' ' ')" = "Web Tools Mail " ] && break
  sleep 0.1
done
expect_eq "Web Tools Mail " "$(layout_lines group | cut -f3 | tr '\n' ' ')" "the bands after the drag"

# Onto the e-mail group: the drag returns, then the box says it takes no web links; nothing is written.
before=$(md5sum <"$gpf")
read -r x y <<<"$(centre_of Mail)"
out=$(drive drag-url "$x" "$y" 'https://百科.example.org/' 'E=mc² - 百科') || fail "the drag onto Mail: $out"
expect_eq "dropped effect 4" "$out" "the drag onto the e-mail group"
wait_for_window TMessageForm 20 >/dev/null || fail "no box for a link dropped on the e-mail group"
sleep 0.5
screenshot "$E2E_ARTIFACTS/link-on-email-group.png" >/dev/null
expect_eq "乱拖...." "$(drive title TMessageForm)" "the box's caption"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 10 || fail "the box stayed"
sleep 0.5
expect_eq "$before" "$(md5sum <"$gpf")" "the group file after the link on the e-mail group"

# The web group, now first, collapsed into PanelBtn by a double click on its background: the link
# dropped on its button there only adds its key.
IFS=, read -r gl _ _ gb <<<"$(layout_lines group | awk -F'\t' '$3 == "Web" { print $8 }')"
drive post "$WENDLIX_MAIN_CLASS" 0x203 1 $(( ((gb - 10) << 16) | (gl + 20) )) >/dev/null
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ -n "$(layout_lines collapsed)" ] && break
  sleep 0.1
done
IFS=, read -r pl pt pr pb <<<"$(layout_lines collapsed | awk -F'\t' '$4 == "Web" { print $3 }')"
[ -n "$pb" ] || fail "the web group is not collapsed into PanelBtn"
for (( i = 0; i < 50; i++ )); do
  [ "$(web_keys)" = "News|Wiki" ] && break
  sleep 0.1
done
out=$(drive drag-url $((cl + (pl + pr) / 2)) $((ct + (pt + pb) / 2)) 'https://百科.example.org/' 'E=mc² - 百科') ||
  fail "the drop on the collapsed group: $out"
for (( i = 0; i < 50; i++ )); do
  [ "$(web_keys)" = "News|Wiki|$formula" ] && break
  sleep 0.1
done
expect_eq "News|Wiki|$formula" "$(web_keys)" "the collapsed group's keys after the drop"
read_layout
expect_eq "Web" "$(layout_lines collapsed | cut -f4)" "the group stays collapsed"
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "News|Wiki|$formula" "$(web_keys)" "the collapsed group's keys after the close"
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself after the last restart"
expect_eq "News|Wiki|$formula" "$(web_keys)" "the collapsed group's keys after a restart"
expect_eq 'https://wiki.example.org/' "$(ini_get "$gpf" 'Web  Buttons' Wiki)" "an address it held before"
expect_eq 'https://百科.example.org/' "$(ini_get "$gpf" 'Web  Buttons' "$formula")" "the https address as dropped"
expect_eq 'MAILTO:me@example.org' "$(ini_get "$gpf" 'Mail  Buttons' me)" "the e-mail group's address"
