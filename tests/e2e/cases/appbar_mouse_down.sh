#!/usr/bin/env bash
# An auto-hide bar that comes out only when pressed (ActivateByMouseDown): the pointer on its sliver does
# not bring it out, a press does; pressed, the bar is the active window and stays out while the pointer is
# away; once another window is activated it slides back to its sliver.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
border=$(drive metric 5)  # SM_CXBORDER
dir=$E2E_WORK/app
mkdir -p "$dir"
printf '%s\r\n' "[Wendlix V3.0]" "AutoRun=0" "AutoHide=1" "Edge=2" "ActivateByMouseDown=1" \
  "Active Delay=100" "AutoHideInterval=10" >"$dir/Wendlix.INI"
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
xdotool mousemove 300 300
start_and_wait "$dir"

activate_other_window

hidden="$((screenW - 2 * border)) 0 $((screenW - 2 * border + 86)) $screenH"
shown=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$hidden" 20) || fail "the bar did not go to its sliver $hidden: $got"

# The pointer on the sliver for a dozen ticks of 100 ms: nothing happens.
xdotool mousemove $((screenW - 1)) $((screenH / 2))
sleep 1.5
expect_eq "$hidden" "$(drive rect "$WENDLIX_MAIN_CLASS")" "the bar after the pointer rested on its sliver"

xdotool mousedown 1
got=$(wait_rect "$shown" 20) || fail "a press on the sliver did not bring the bar out to $shown: $got"
xdotool mouseup 1

# Pressed, the bar is active: away from it, it stays out.
xdotool mousemove 500 375
sleep 1.5
expect_eq "$shown" "$(drive rect "$WENDLIX_MAIN_CLASS")" "the active bar with the pointer away"

# A second window of the driver takes the activation (a click on the first would not: it is a static
# control, transparent to the pointer).
activate_other_window
got=$(wait_rect "$hidden" 20) || fail "the bar did not slide back once another window was active: $got"
log "pressed out at $shown, back at $hidden after another window was activated"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" ActivateByMouseDown)" "saved ActivateByMouseDown"
expect_eq 100 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" "Active Delay")" "saved Active Delay"
