#!/usr/bin/env bash
# e2e-screens: 2
# Two monitors: Xvfb with two screens and Xinerama, and Wine's X11 driver told not to use XRandR, gives
# Wine a 1024x768 primary and an 800x600 second monitor, both at 0,0. A bar stands on its remembered
# monitor and spans that monitor's side; without a remembered monitor, or with one that is missing, it
# stands on the primary and keeps the missing one for when it comes back. The second monitor's right
# edge is a seam (the primary goes on beyond it): a bar remembered there docks at the primary's right.
source "$(dirname "$0")/../lib.sh"

wine_run reg.exe add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null ||
  fail "could not set UseXRandR"
"$WINESERVER_CMD" -k 2>/dev/null
"$WINESERVER_CMD" -w 2>/dev/null

dir=$E2E_WORK/app
ini=$dir/Wendlix.INI
bar_monitor() { drive query "$WENDLIX_MAIN_CLASS" monitor | head -n 1; }

# Starts the bar docked at EDGE, not hiding, with the monitor keys given (none when empty).
start_at() {
  write_bar_ini "$dir" "$1" 0 1 86 100
  [ -n "$2" ] && printf '%s\r\n' "Monitor=$2" "MonitorRect=$3" >>"$ini"
  cp "$WENDLIX_EXE" "$dir/"
  start_and_wait "$dir"
}

# 1. No monitor remembered: the primary.
start_at 2 "" ""
report=$(drive query "$WENDLIX_MAIN_CLASS" monitor) || fail "the bar did not answer the monitor query"
log "monitors: $report"
primary=$(awk '$1 == "monitor" && $4 == "primary" { print $2 }' <<<"$report")
second=$(awk '$1 == "monitor" && $4 != "primary" { print $2 }' <<<"$report")
second_rect=$(awk '$1 == "monitor" && $4 != "primary" { print $3 }' <<<"$report")
expect_eq 2 "$(grep -c '^monitor ' <<<"$report")" "monitors Wine reports on two Xinerama screens"
expect_eq "0,0,800,600" "$second_rect" "the second monitor's rectangle"
[[ $(bar_monitor) == "device=$primary bounds=0,0,1024,768 "* ]] || fail "not on the primary: $(bar_monitor)"
got=$(wait_rect "$(docked_rect 2 86 1024 768)" 20) || fail "primary: not docked at the right edge: $got"
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "" "$(ini_get "$ini" "Wendlix V3.0" Monitor)" "a bar that never chose a monitor stores none"

# 2. The second monitor remembered at its left edge: the bar takes its rectangle (800x600) and keeps it.
start_at 0 "$second" "0,0,800,600"
[[ $(bar_monitor) == "device=$second bounds=0,0,800,600 "* ]] || fail "not on the second: $(bar_monitor)"
got=$(wait_rect "$(docked_rect 0 86 800 600)" 20) || fail "second: not docked at its left edge: $got"
log "second monitor: docked at $got"
screenshot "$E2E_ARTIFACTS/second-monitor.png" >/dev/null || fail "screenshot"
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "$second" "$(ini_get "$ini" "Wendlix V3.0" Monitor)" "the remembered monitor"
expect_eq "0,0,800,600" "$(ini_get "$ini" "Wendlix V3.0" MonitorRect)" "the remembered rectangle"
expect_eq 0 "$(ini_get "$ini" "Wendlix V3.0" Edge)" "the edge key as before"

# Checks that the bar stands at the primary's right edge and still wants monitor WANTED, then closes it
# and checks that WANTED stays stored.
expect_primary_wanting() {
  local wanted=$1 what=$2 now got
  now=$(bar_monitor)
  [[ $now == "device=$primary bounds=0,0,1024,768 "* && $now == *" wanted=$wanted" ]] || fail "$what: $now"
  got=$(wait_rect "$(docked_rect 2 86 1024 768)" 20) || fail "$what: not docked at the primary's right: $got"
  stop_bar 20 || fail "the bar did not close by itself"
  expect_eq "$wanted" "$(ini_get "$ini" "Wendlix V3.0" Monitor)" "$what: the monitor stays remembered"
}

# 3. The second monitor remembered at its right edge, a seam: the primary's right edge, the edge kept.
start_at 2 "$second" "0,0,800,600"
expect_primary_wanting "$second" "a seam"
expect_eq 2 "$(ini_get "$ini" "Wendlix V3.0" Edge)" "the edge on a seam"

# 4. A remembered monitor that is missing: the primary now, the missing one kept for when it comes back.
start_at 2 '\\.\DISPLAY9' "1024,0,1824,600"
expect_primary_wanting '\\.\DISPLAY9' "a missing monitor"
log "primary, second, seam and missing monitor: each docked on the right monitor"
