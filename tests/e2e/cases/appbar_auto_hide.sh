#!/usr/bin/env bash
# The first-start bar (right edge, auto-hide, always on top), moved with the real pointer: once another
# window is active and the pointer is away it stands at its sliver, two borders of it on screen; touching
# the screen edge slides it out, leaving slides it back. It is topmost and reserves nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
border=$(drive metric 5)  # SM_CXBORDER
dir=$E2E_WORK/app
mkdir -p "$dir"
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
free=$(drive appbar-query right 50)
xdotool mousemove 300 300
start_and_wait "$dir"

# Another window takes the activation for the rest of the case.
activate_other_window

hidden="$((screenW - 2 * border)) 0 $((screenW - 2 * border + 86)) $screenH"
shown=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$hidden" 20) || fail "the bar did not go to its sliver $hidden: $got"
bar_is_topmost || fail "an auto-hide bar is not topmost"
expect_eq "$free" "$(drive appbar-query right 50)" "a newcomer's place (an auto-hide bar reserves nothing)"

for round in 1 2; do
  xdotool mousemove $((screenW - 1)) $((screenH / 2))
  got=$(wait_rect "$shown" 20) || fail "round $round: the bar did not slide out to $shown: $got"
  # Onto the other window: Wine learns where the pointer is from the window under it, and the bare root
  # window of Xvfb without a window manager reports nothing.
  xdotool mousemove 500 375
  got=$(wait_rect "$hidden" 20) || fail "round $round: the bar did not slide back to $hidden: $got"
  log "round $round: out at $shown, back at $hidden"
done

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" AutoHide)" "saved AutoHide"
expect_eq 2 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "saved edge"
