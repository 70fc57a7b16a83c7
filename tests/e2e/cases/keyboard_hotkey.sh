#!/usr/bin/env bash
# The keyboard: a hidden auto-hide bar called up by its global hotkey pressed on the X keyboard
# (Win+Alt+W), the focus moved with an arrow and a shortcut launched with Return; Shift+F10 opens the
# focused button's menu; Escape gives the foreground back and the bar slides away; a new hotkey chosen in
# the bar settings menu works at once, the old one is given up, and the new one is written at close.
# (Where the arrows and Tab move the focus is decided and tested in the core.)
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools
mkdir -p "$tools"
tw=$(winpath "$tools")
for name in First Second Third; do
  drive make-link "$tw\\$name.lnk" "$rec_win" "launched-$name" "$tw" || fail "link $name"
done
install_groups --auto-hide Tools Web < <(
  group_section Tools "Directory=$tw\\" Height=200
  group_section Web "Panel Style=1" Height=120; group_buttons Web News=http://news.example.org/
)
start_behind_other "$dir"
hidden=$HIDDEN shown=$SHOWN
expect_eq "Win+Alt+W" "$(field hotkey)" "the default hotkey is registered"

# The hotkey on the X keyboard shows the hidden bar and gives it the focus on its first button. Xvfb's own
# keymap has Super_L in Mod4: xdotool's "super" reaches Wine as the Win key.
xdotool key super+alt+w
expect_field session 1 "Win+Alt+W from the X keyboard did not reach the bar"
got=$(wait_rect "$shown" 20) || fail "the hotkey did not slide the bar out: $got"
expect_field foreground 1 "the bar did not take the foreground"
expect_eq "0,0" "$(field focus)" "the first button has the focus"
screenshot "$E2E_ARTIFACTS/hotkey-focus-first.png" >/dev/null

# Down moves to the second shortcut, Return launches it: the link's arguments and folder, once.
xdotool key Down
expect_field focus 0,1 "Down did not move the focus"
xdotool key Return
expect_record "cmd=\"$rec_win\" launched-Second
dir=$tw" "the start Return made"

# The start hands the keyboard back (the recorder opens no window to take it) and the bar slides away.
expect_field session 0 "the session outlived the start"
expect_field foreground 0 "the bar kept the foreground after the start"
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide after the start: $got"

# Called up again, Shift+F10 opens the focused button's menu below it; Escape closes the menu only.
call_up "the button menu"
xdotool key shift+F10
_menu_opened || fail "Shift+F10 opened no menu"
screenshot "$E2E_ARTIFACTS/hotkey-button-menu.png" >/dev/null
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the button menu stayed open"
expect_eq 1 "$(field session)" "Escape in the menu leaves the bar called up"

# Escape gives the foreground back; the bar slides back to its sliver.
xdotool key Escape
expect_field session 0 "Escape did not end the keyboard session"
expect_eq "-1,-1" "$(field focus)" "no focus mark after Escape"
expect_field foreground 0 "the bar kept the foreground after Escape"
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide again after Escape: $got"

# A new hotkey from the bar settings menu: 设置工具栏属性(&S) -> 热键(&K)...; text that is no hotkey keeps
# the dialog open with a message.
xdotool key super+alt+w
got=$(wait_rect "$shown" 20) || fail "the hotkey did not show the bar for the menu: $got"
main_menu_keys s k
wait_for_window '#32770' 10 >/dev/null || fail "no hotkey dialog"
screenshot "$E2E_ARTIFACTS/hotkey-dialog.png" >/dev/null
drive set-text '#32770' 101 'Shift+W' >/dev/null || fail "no edit in the hotkey dialog"
drive click '#32770' 1 >/dev/null
answer_box Return hotkey-invalid.png
drive find '#32770' >/dev/null || fail "the dialog closed on text that is no hotkey"
drive set-text '#32770' 101 ' ctrl + alt + k ' >/dev/null
drive click '#32770' 1 >/dev/null
drive wait-gone '#32770' 10 || fail "the hotkey dialog did not close on OK"
expect_field hotkey Ctrl+Alt+K "the chosen hotkey is not registered"
xdotool key Escape
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide after the dialog: $got"
xdotool key ctrl+alt+k
got=$(wait_rect "$shown" 20) || fail "the new hotkey did not show the bar: $got"
expect_field session 1 "the new hotkey started no keyboard session"
# The old hotkey, given up, no longer ends the session as a hotkey press would.
xdotool key super+alt+w
expect_steady 1 "the session after the old hotkey" 1 field session
xdotool key Escape
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Ctrl+Alt+K" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" HotKey)" "the chosen hotkey written at close"
