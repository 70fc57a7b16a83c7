#!/usr/bin/env bash
# One bar per settings file. The bar runs at the right edge, auto-hidden at its sliver while another
# window is active; a second start of the same program (the same settings files) does not dock a second
# bar: it brings the running one forward, which slides out, and ends with exit code 0. The first bar goes
# on with its window and closes normally.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
border=$(drive metric 5)  # SM_CXBORDER
dir=$E2E_WORK/app
install_bar "$dir"
write_bar_ini "$dir" 2 1 1
xdotool mousemove 300 300
start_and_wait "$dir"
first_pid=$BAR_PID
hwnd=$(drive find "$WENDLIX_MAIN_CLASS") || fail "no main window"
owner=$(drive pid "$WENDLIX_MAIN_CLASS")

activate_other_window
xdotool mousemove 500 375
hidden="$((screenW - 2 * border)) 0 $((screenW - 2 * border + 86)) $screenH"
shown=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$hidden" 20) || fail "the bar did not go to its sliver $hidden: $got"
log "the first bar ($hwnd, process $owner) waits at its sliver"

(cd "$dir" && exec "${WINE_CMD[@]}" "$dir/Wendlix.exe") &
second=$!
log "second start (pid $second)"
for (( i = 0; i < 300; i++ )); do
  kill -0 "$second" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$second" 2>/dev/null; then
  screenshot "$E2E_ARTIFACTS/second-still-running.png" >/dev/null
  kill -9 "$second" 2>/dev/null
  fail "the second start was still running after 30 s"
fi
wait "$second"
expect_eq 0 "$?" "the second start's exit code"

got=$(wait_rect "$shown" 20) || fail "the running bar did not slide out to $shown: $got"
screenshot "$E2E_ARTIFACTS/brought-forward.png" >/dev/null
expect_eq "$hwnd" "$(drive find "$WENDLIX_MAIN_CLASS")" "the main window after the second start"
expect_eq "$owner" "$(drive pid "$WENDLIX_MAIN_CLASS")" "the process of the main window"
kill -0 "$first_pid" 2>/dev/null || fail "the first bar ended"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
# No second main window was left behind by the second start.
drive wait-gone "$WENDLIX_MAIN_CLASS" 10 || fail "a main window is left after the bar closed"
log "one bar throughout; the second start brought it forward and ended"
