#!/usr/bin/env bash
# What the system tweaks menu takes from the shell comes back on every way out, shown on stand-ins for the
# shell's windows in a process of their own. A bar killed while it has the taskbar hidden: its guard gives
# the taskbar back within seconds; with the guard killed too, the next start gives it back before
# anything else. A normal close gives back all it still holds (taskbar, start button, desktop icons,
# desktop) and leaves no record and no guard. (What each menu command does is tested on its own.)
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../fake_shell_lib.sh"

key='HKCU\Software\Holmvik\Wendlix'
start_fake_shell
install_web_bar

# The guards of this case's prefix only: cases run side by side, each with its own bars and guards.
guard_pids() {
  local p
  for p in $(pgrep -f -- '/wendlix-guard'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
  return 0
}
no_guard() { [ -z "$(guard_pids)" ]; }
state_is() { [ "$(shell_state)" = "$1" ]; }

start_and_wait "$dir"
[ -z "$(reg_value "$key" GiveBack)" ] || fail "a record before anything was taken"
choose_sys_item A2
expect_eq "01 11 11 11" "$(shell_state)" "the taskbar hidden"
case $(reg_value "$key" GiveBack) in *' V0') ;; *) fail "the record while the taskbar is hidden: '$(reg_value "$key" GiveBack)'" ;; esac
no_guard && fail "no guard runs"
kill_bar
wait_until 5 state_is "11 11 11 11" || fail "the guard did not give the taskbar back: $(shell_state)"
wait_until 5 no_guard || fail "the guard stayed"
expect_eq "" "$(reg_value "$key" GiveBack)" "the record after the guard gave back"
log "killed bar: its guard gave the taskbar back"

start_and_wait "$dir"
choose_sys_item A2
choose_sys_item D6
expect_eq "01 11 01 11" "$(shell_state)" "the taskbar and the desktop icons hidden"
for p in $(guard_pids); do kill -9 "$p"; done
kill_bar
expect_steady "01 11 01 11" "nothing given back with the guard killed too" 1 shell_state
start_and_wait "$dir"
expect_eq "11 11 11 11" "$(shell_state)" "the next start gave back first"
expect_eq "" "$(reg_value "$key" GiveBack)" "the record after the start gave back"

choose_sys_item A2
choose_sys_item WindowsW1
choose_sys_item D6
choose_sys_item D7
expect_eq "01 10 01 01" "$(shell_state)" "taskbar hidden, start button disabled, desktop icons and desktop hidden"
expect_eq '隐藏 Windows "开始" 按钮(&W)' "$(sys_caption Windows1)" "start button caption on a hidden taskbar"
screenshot "$E2E_ARTIFACTS/taken-away.png" >/dev/null
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "11 11 11 11" "$(shell_state)" "all given back at close"
expect_eq "" "$(reg_value "$key" GiveBack)" "the record after a normal close"
wait_until 5 no_guard || fail "the guard outlived a normal close"
