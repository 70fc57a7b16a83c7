#!/usr/bin/env bash
# A bar killed while it has the taskbar hidden: its guard gives the taskbar back within seconds; with
# the guard killed too, the next start gives it back before anything else.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../fake_shell_lib.sh"

key='HKCU\Software\Holmvik\Wendlix'
start_fake_shell
dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | write_cp936 "$dir/Wendlix.INI"

# The guards of this case's prefix only: cases run side by side, each with its own bars and guards.
guard_pids() {
  local p
  for p in $(pgrep -f -- '/wendlix-guard'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
  return 0
}
wait_state() {  # WANT SECONDS
  local i
  for (( i = 0; i < $2 * 10; i++ )); do
    [ "$(shell_state)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

start_and_wait "$dir"
[ -z "$(reg_value "$key" GiveBack)" ] || fail "a record before anything was taken"
choose_sys_item A2
expect_eq "01 11 11 11" "$(shell_state)" "the taskbar hidden"
record=$(reg_value "$key" GiveBack)
case $record in *' V0') ;; *) fail "the record while the taskbar is hidden: '$record'" ;; esac
[ -n "$(guard_pids)" ] || fail "no guard runs"
kill -9 "$BAR_PID"
wait "$BAR_PID" 2>/dev/null
BAR_PID=
wait_state "11 11 11 11" 5 || fail "the guard did not give the taskbar back: $(shell_state)"
for (( i = 0; i < 50; i++ )); do [ -z "$(guard_pids)" ] && break; sleep 0.1; done
[ -z "$(guard_pids)" ] || fail "the guard stayed"
expect_eq "" "$(reg_value "$key" GiveBack)" "the record after the guard gave back"
log "killed bar: its guard gave the taskbar back"

start_and_wait "$dir"
choose_sys_item A2
choose_sys_item D6
expect_eq "01 11 01 11" "$(shell_state)" "the taskbar and the desktop icons hidden"
for p in $(guard_pids); do kill -9 "$p"; done
kill -9 "$BAR_PID"
wait "$BAR_PID" 2>/dev/null
BAR_PID=
sleep 1
expect_eq "01 11 01 11" "$(shell_state)" "nothing given back with the guard killed too"
start_and_wait "$dir"
expect_eq "11 11 11 11" "$(shell_state)" "the next start gave back first"
expect_eq "" "$(reg_value "$key" GiveBack)" "the record after the start gave back"
stop_bar 20 || fail "the bar did not close by itself"
log "killed bar and guard: the next start gave back"
