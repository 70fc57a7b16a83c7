#!/usr/bin/env bash
# The program starts, shows its main window with the expected title and draws it, and ends by itself,
# with exit code 0, when the window is asked to close from another process.
source "$(dirname "$0")/../lib.sh"

start_bar
hwnd=$(wait_for_window "$WENDLIX_MAIN_CLASS" 30) || fail "no $WENDLIX_MAIN_CLASS window within 30 s"
log "main window $hwnd"

expect_eq "Wendlix V2.0" "$(drive title "$WENDLIX_MAIN_CLASS")" "main window title"
drive visible "$WENDLIX_MAIN_CLASS" || fail "the main window is not visible"
pid=$(drive pid "$WENDLIX_MAIN_CLASS") || fail "no owning process"
log "owning process $pid"

read -r screenW screenH < <(drive screen)
# The visible part of the window: an auto-hide bar may be sliding to its edge, so the rectangle is read
# again for every look.
visible_rect() {
  read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS") || return 1
  (( left < 0 )) && left=0
  (( top < 0 )) && top=0
  (( right > screenW )) && right=$screenW
  (( bottom > screenH )) && bottom=$screenH
  (( right > left && bottom > top ))
}
visible_rect || fail "the window is off-screen or has no rectangle: $left $top $right $bottom"
log "visible part of the window $left $top $right $bottom"

# The root window of a bare Xvfb is black: a painted window is not. Wait for the first paint rather than
# assuming it has happened.
shot=$E2E_ARTIFACTS/main-window.png
level=0
for (( i = 0; i < 100; i++ )); do
  screenshot "$E2E_ARTIFACTS/screen.png" >/dev/null || fail "screenshot failed"
  visible_rect || fail "the window left the screen: $left $top $right $bottom"
  crop "$E2E_ARTIFACTS/screen.png" $((right - left)) $((bottom - top)) "$left" "$top" "$shot"
  level=$(mean_level "$shot")
  awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' && break
  sleep 0.1
done
log "mean brightness of the window: $level"
awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' || fail "the window's area stayed black: nothing drawn"

close_window "$WENDLIX_MAIN_CLASS" || fail "could not post WM_CLOSE"
drive wait-gone "$WENDLIX_MAIN_CLASS" 20 || fail "the window is still there 20 s after WM_CLOSE"
wait_bar_exit 20 || fail "the process did not end after its window closed"
expect_eq 0 "$BAR_STATUS" "exit code"
log "closed; exit code $BAR_STATUS"
