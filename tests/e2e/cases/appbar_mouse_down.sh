#!/usr/bin/env bash
# An auto-hide bar that comes out only when pressed (ActivateByMouseDown): the pointer on its sliver does
# not bring it out, a press does; pressed, the bar is the active window and stays out while the pointer is
# away; once another window is activated it slides back to its sliver.
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/app
mkdir -p "$dir" && cp "$WENDLIX_EXE" "$dir/"
printf '%s\r\n' "[Wendlix V3.0]" "AutoRun=0" "AutoHide=1" "Edge=2" "ActivateByMouseDown=1" \
  "Active Delay=100" "AutoHideInterval=10" >"$dir/Wendlix.INI"
xdotool mousemove 300 300
start_and_wait "$dir"
activate_other_window
hidden=$(hidden_rect 86) shown=$(docked_rect 2 86 1024 768)
got=$(wait_rect "$hidden" 20) || fail "the bar did not go to its sliver $hidden: $got"
rect() { drive rect "$WENDLIX_MAIN_CLASS"; }

# The pointer on the sliver for more than a dozen ticks of 100 ms: nothing happens.
xdotool mousemove 1023 384
expect_steady "$hidden" "the bar with the pointer resting on its sliver" 2 rect
xdotool mousedown 1
got=$(wait_rect "$shown" 20) || fail "a press on the sliver did not bring the bar out to $shown: $got"
xdotool mouseup 1

# Pressed, the bar is active: away from it, it stays out.
xdotool mousemove 500 375
expect_steady "$shown" "the active bar with the pointer away" 2 rect

# A second window of the driver takes the activation (a click on the first would not: it is a static
# control, transparent to the pointer).
activate_other_window
got=$(wait_rect "$hidden" 20) || fail "the bar did not slide back once another window was active: $got"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq "1 100" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" ActivateByMouseDown) $(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" "Active Delay")" \
  "saved ActivateByMouseDown and Active Delay"
