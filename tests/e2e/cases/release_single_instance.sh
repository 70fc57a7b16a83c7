#!/usr/bin/env bash
# One bar per settings file. The bar runs at the right edge, auto-hidden at its sliver while another
# window is active; a second start of the same program (the same settings files) does not dock a second
# bar: it brings the running one forward, which slides out, and ends with exit code 0. The first bar goes
# on with its window and closes normally.
source "$(dirname "$0")/../lib.sh"

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
got=$(wait_rect "$(hidden_rect 86)" 20) || fail "the bar did not go to its sliver: $got"

(cd "$dir" && exec "${WINE_CMD[@]}" "$dir/Wendlix.exe") &
second=$!
second_ended() { ! kill -0 "$second" 2>/dev/null; }
wait_until 30 second_ended || { screenshot "$E2E_ARTIFACTS/second-still-running.png" >/dev/null; kill -9 "$second"; fail "the second start was still running after 30 s"; }
wait "$second"
expect_eq 0 "$?" "the second start's exit code"

got=$(wait_rect "$(docked_rect 2 86 1024 768)" 20) || fail "the running bar did not slide out: $got"
expect_eq "$hwnd $owner" "$(drive find "$WENDLIX_MAIN_CLASS") $(drive pid "$WENDLIX_MAIN_CLASS")" \
  "the main window and its process after the second start"
kill -0 "$first_pid" 2>/dev/null || fail "the first bar ended"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
# No second main window was left behind by the second start.
drive wait-gone "$WENDLIX_MAIN_CLASS" 10 || fail "a main window is left after the bar closed"
