#!/usr/bin/env bash
# The keyboard: a hidden auto-hide bar called up by its global hotkey pressed on the X keyboard
# (Win+Alt+W), the focus moved with the arrows and a shortcut launched with Return; Escape and the
# hotkey again give the foreground back and the bar slides away; Shift+F10 opens the focused button's
# menu; a new hotkey chosen in the bar settings menu works at once and is written at close.
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"
source "$(dirname "$0")/../recorder_lib.sh"


tools=$E2E_WORK/Tools
mkdir -p "$tools"
tw=$(winpath "$tools")
for name in First Second Third; do
  drive make-link "$tw\\$name.lnk" "$rec_win" "launched-$name" "$tw" || fail "link $name"
done

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Tools "Directory=$tw\\" Height=200
  group_section Web "Panel Style=1" Height=120
  printf '[Web  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Tools Web | sed 's/^AutoHide=0/AutoHide=1/; s/^AutoHideInterval=60/AutoHideInterval=10/' |
  write_cp936 "$dir/Wendlix.INI"

read -r screenW screenH < <(drive screen)
border=$(drive metric 5)  # SM_CXBORDER
hidden="$((screenW - 2 * border)) 0 $((screenW - 2 * border + 120)) $screenH"
shown="$((screenW - 120)) 0 $screenW $screenH"
xdotool mousemove 300 300
start_and_wait "$dir"
activate_other_window 400
# Over the other window: Xvfb without a window manager sends key presses to the window under the
# pointer, and Wine passes them on to the window with the focus (and to the hotkeys).
xdotool mousemove 500 375
got=$(wait_rect "$hidden" 20) || fail "the auto-hide bar did not go to its sliver: $got"

keyboard() { drive query "$WENDLIX_MAIN_CLASS" keyboard; }
field() { keyboard | tr ' ' '\n' | awk -F= -v k="$1" '$1 == k { print $2 }'; }
wait_field() {  # KEY VALUE SECONDS
  local i
  for (( i = 0; i < $3 * 10; i++ )); do
    [ "$(field "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
log "keyboard state: $(keyboard)"
expect_eq "Win+Alt+W" "$(field hotkey)" "the default hotkey is registered"

# Xvfb's own keymap has Super_L on keycode 133 and in Mod4: xdotool's "super" reaches Wine as the Win key.
log "Win key: $(xkbcomp -xkb "$DISPLAY" - 2>/dev/null | grep -E 'key <LWIN>|modifier_map Mod4 \{ <LWIN>' | tr -s ' ' | tr '\n' ';')"

# 1. The hotkey on the X keyboard shows the hidden bar and gives it the focus on its first button.
xdotool key super+alt+w
if ! wait_field session 1 5; then
  screenshot "$E2E_ARTIFACTS/no-hotkey.png" >/dev/null
  fail "Win+Alt+W from the X keyboard did not reach the bar ($(keyboard))"
fi
got=$(wait_rect "$shown" 20) || fail "the hotkey did not slide the bar out to $shown: $got"
wait_field foreground 1 5 || fail "the bar did not take the foreground: $(keyboard)"
expect_eq "0,0" "$(field focus)" "the first button has the focus"
sleep 0.3
screenshot "$E2E_ARTIFACTS/hotkey-focus-first.png" >/dev/null

# 2. Down moves to the second shortcut, Return launches it.
xdotool key Down
wait_field focus 0,1 5 || fail "Down did not move the focus: $(keyboard)"
sleep 0.3
screenshot "$E2E_ARTIFACTS/hotkey-focus-second.png" >/dev/null
xdotool key Return
# The link's arguments and folder once, from the link itself.
expect_record "cmd=\"$rec_win\" launched-Second
dir=$tw" "the start Return made"

# 3. Tab goes to the web group; Up goes back into the last row of the shortcuts; Shift+Tab to its first.
xdotool key Tab
wait_field focus 1,0 5 || fail "Tab did not go to the next group: $(keyboard)"
xdotool key Up
wait_field focus 0,2 5 || fail "Up did not go back into the group above: $(keyboard)"
xdotool key shift+Tab
wait_field focus 1,0 5 || fail "Shift+Tab did not go round to the other group's first button: $(keyboard)"
xdotool key shift+Tab
wait_field focus 0,0 5 || fail "Shift+Tab did not go to the previous group: $(keyboard)"

# 4. Shift+F10 opens the focused button's menu below it; Escape closes the menu only.
if wait_field foreground 1 5; then
  xdotool key shift+F10
  wait_for_window '#32768' 10 >/dev/null || fail "Shift+F10 opened no menu"
  sleep 0.3
  screenshot "$E2E_ARTIFACTS/hotkey-button-menu.png" >/dev/null
  xdotool key Escape
  drive wait-gone '#32768' 10 || fail "the button menu stayed open"
  expect_eq 1 "$(field session)" "Escape in the menu leaves the bar called up"
fi

# 5. Escape gives the foreground back; the bar slides back to its sliver.
xdotool key Escape
wait_field session 0 5 || fail "Escape did not end the keyboard session: $(keyboard)"
expect_eq "-1,-1" "$(field focus)" "no focus mark after Escape"
wait_field foreground 0 5 || fail "the bar kept the foreground after Escape"
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide again after Escape: $got"

# 6. The hotkey again: out, and once more: back to the sliver.
xdotool key super+alt+w
got=$(wait_rect "$shown" 20) || fail "the second hotkey did not show the bar: $got"
wait_field foreground 1 5 || fail "the bar did not take the foreground again"
xdotool key super+alt+w
wait_field session 0 5 || fail "the hotkey pressed again did not give the foreground back: $(keyboard)"
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide after the hotkey pressed again: $got"

# 7. A new hotkey from the bar settings menu: 设置工具栏属性(&S) -> 热键(&K)...
xdotool key super+alt+w
got=$(wait_rect "$shown" 20) || fail "the hotkey did not show the bar for the menu: $got"
main_menu_keys s k
wait_for_window '#32770' 10 >/dev/null || fail "no hotkey dialog"
sleep 0.5
screenshot "$E2E_ARTIFACTS/hotkey-dialog.png" >/dev/null
# Text that is no hotkey keeps the dialog open with a message.
drive set-text '#32770' 101 'Shift+W' >/dev/null || fail "no edit in the hotkey dialog"
drive click '#32770' 1 >/dev/null
wait_for_window TMessageForm 10 >/dev/null || fail "no message for a hotkey that would swallow typing"
screenshot "$E2E_ARTIFACTS/hotkey-invalid.png" >/dev/null
xdotool key Return
drive wait-gone TMessageForm 10 || fail "the message stayed"
drive find '#32770' >/dev/null || fail "the dialog closed on text that is no hotkey"
drive set-text '#32770' 101 ' ctrl + alt + k ' >/dev/null
drive click '#32770' 1 >/dev/null
drive wait-gone '#32770' 10 || fail "the hotkey dialog did not close on OK"
wait_field hotkey Ctrl+Alt+K 5 || fail "the chosen hotkey is not registered: $(keyboard)"
xdotool key Escape
wait_field session 0 5 || true
got=$(wait_rect "$hidden" 20) || fail "the bar did not hide after the dialog: $got"
xdotool key ctrl+alt+k
got=$(wait_rect "$shown" 20) || fail "the new hotkey did not show the bar: $got"
wait_field session 1 5 || fail "the new hotkey started no keyboard session"
xdotool key super+alt+w
sleep 1
expect_eq 1 "$(field session)" "the old hotkey was given up"
xdotool key Escape

stop_bar 20 || fail "the bar did not close by itself"
expect_eq "Ctrl+Alt+K" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" HotKey)" "the chosen hotkey written at close"
