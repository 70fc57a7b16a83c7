#!/usr/bin/env bash
# Shutdown locked from the menu: a close is refused with a box that says how to unlock, the session
# query is refused; WM_ENDSESSION (TRUE) still saves the states and gives the taskbar back. With
# "apply at next start" on, the next start hides it again from the file, and leaving gives it back.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../fake_shell_lib.sh"

start_fake_shell
dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | sed 's/^ReLoadSet=0/ReLoadSet=1/' | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

choose_sys_item A2
choose_sys_item D5
expect_eq "01 11 11 11" "$(shell_state)" "taskbar hidden"
expect_eq "允许关闭系统(&D)" "$(sys_caption D5)" "the lock's caption"

# A close from the bar is refused with a box pointing to the menu item.
drive post "$WENDLIX_MAIN_CLASS" 0x10 0 0 >/dev/null
drive wait TMessageForm 30 >/dev/null || fail "no box for the refused close"
sleep 1
screenshot "$E2E_ARTIFACTS/close-refused.png" >/dev/null
expect_eq "Wendlix" "$(drive title TMessageForm)" "box caption"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 20 || fail "the box did not close"
drive find "$WENDLIX_MAIN_CLASS" >/dev/null || fail "the bar closed although shutdown is locked"

expect_eq 0 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "WM_QUERYENDSESSION answer while locked"
expect_eq "01 11 11 11" "$(shell_state)" "a refused query gives nothing back"

# The session ends all the same: saved, then given back.
drive send "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null
wait_bar_exit 20 || fail "the bar did not leave on WM_ENDSESSION"
expect_eq "11 11 11 11" "$(shell_state)" "given back at the session's end"
cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/saved.INI"
for kv in CanShutDown=0 HideTrayBar=0 DisableTrayBar=1 HideStartButton=1 HideDeskTopIcons=1 HideDeskTop=1; do
  expect_eq "${kv#*=}" "$(ini_get "$dir/Wendlix.INI" "Application Config" "${kv%%=*}")" "stored ${kv%%=*}"
done

# The next start applies the file: the taskbar hidden (at start), shutdown locked again.
start_and_wait "$dir"
expect_eq "01 11 11 11" "$(shell_state)" "hidden again at start"
expect_eq 0 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "locked again at start"
drive send "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null
wait_bar_exit 20 || fail "the bar did not leave on WM_ENDSESSION"
expect_eq "11 11 11 11" "$(shell_state)" "what the start hid is given back"
log "lock, refused close and query, session end saves and gives back"
