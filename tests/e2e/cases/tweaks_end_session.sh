#!/usr/bin/env bash
# Shutdown locked from the menu: a close is refused with a box that says how to unlock, the session query
# is refused; WM_ENDSESSION (TRUE) still saves the states and gives the taskbar back. With "apply at next
# start" on, the next start hides it again and locks again from the file: a close is refused again, and
# writes nothing; leaving with the session gives back what the start hid.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../fake_shell_lib.sh"

start_fake_shell
install_web_bar 's/^ReLoadSet=0/ReLoadSet=1/'
start_and_wait "$dir"
choose_sys_item A2
choose_sys_item D5
expect_eq "01 11 11 11" "$(shell_state)" "taskbar hidden"
expect_eq "允许关闭系统(&D)" "$(sys_caption D5)" "the lock's caption"

# A close from the bar is refused with a box pointing to the menu item; the session query is refused.
refused() {  # WHAT
  drive post "$WENDLIX_MAIN_CLASS" 0x10 0 0 >/dev/null
  expect_box Wendlix "close-refused-$1"
  drive find "$WENDLIX_MAIN_CLASS" >/dev/null || fail "$1: the bar closed although shutdown is locked"
  expect_eq 0 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "$1: WM_QUERYENDSESSION answer while locked"
  expect_eq "01 11 11 11" "$(shell_state)" "$1: a refused query gives nothing back"
}
refused "from the menu"

# The session ends all the same: saved, then given back.
drive send "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null
wait_bar_exit 20 || fail "the bar did not leave on WM_ENDSESSION"
expect_eq "11 11 11 11" "$(shell_state)" "given back at the session's end"
cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/saved.INI"
expect_eq "CanShutDown=0 HideTrayBar=0 DisableTrayBar=1 HideStartButton=1 HideDeskTopIcons=1 HideDeskTop=1" \
  "$(for k in CanShutDown HideTrayBar DisableTrayBar HideStartButton HideDeskTopIcons HideDeskTop; do
       echo "$k=$(ini_get "$dir/Wendlix.INI" "Application Config" "$k")"; done | paste -sd' ')" "the stored states"

# The next start applies the file; the refused close writes nothing.
start_and_wait "$dir"
refused "from the file"
cmp "$E2E_ARTIFACTS/saved.INI" "$dir/Wendlix.INI" || fail "the refused close wrote the settings"
drive send "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null
wait_bar_exit 20 || fail "the bar did not leave on WM_ENDSESSION"
expect_eq "11 11 11 11" "$(shell_state)" "what the start hid is given back"
