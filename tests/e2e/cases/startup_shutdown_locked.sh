#!/usr/bin/env bash
# With "ReLoadSet" on and "CanShutDown" off in "Application Config", the bar refuses to close,
# from its own close (with a box saying how to unlock) and from Windows ending the session, and
# writes nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"

dir=$E2E_WORK/locked
mkdir -p "$dir"
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
printf '%s\r\n' "[Wendlix V3.0]" ReLoadSet=1 Width=90 "[Application Config]" CanShutDown=0 >"$dir/Wendlix.INI"
cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/locked.INI"
start_and_wait "$dir"

# The refused close says how to unlock, in a box; the bar stays once it is dismissed.
drive post "$WENDLIX_MAIN_CLASS" 0x10 0 0 >/dev/null
drive wait TMessageForm 30 >/dev/null || fail "no box for the refused close"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 20 || fail "the box did not close"
drive find "$WENDLIX_MAIN_CLASS" >/dev/null || fail "the bar closed although shutdown is locked"
expect_eq 0 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "WM_QUERYENDSESSION answer (0 refuses)"
drive find "$WENDLIX_MAIN_CLASS" >/dev/null || fail "the bar went away on the session query"
kill -0 "$BAR_PID" 2>/dev/null || fail "the process ended"

cmp "$E2E_ARTIFACTS/locked.INI" "$dir/Wendlix.INI" || fail "the settings file was written"
leftovers=$(find "$dir" -type f ! -name Wendlix.exe ! -name Wendlix.INI)
[ -z "$leftovers" ] || fail "files were written: $leftovers"
[ -z "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Wendlix)" ] ||
  fail "the Run value was written"
log "close and session end refused; nothing written"
