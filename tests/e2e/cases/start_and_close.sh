#!/usr/bin/env bash
# A short life of the program, also the smoke run of the 32-bit exe: it starts, shows its main window
# with the expected title and draws it, and ends by itself, with exit code 0, when the window is asked
# to close from another process.
source "$(dirname "$0")/../lib.sh"

start_and_wait "$E2E_WORK/app"
expect_eq "Wendlix V2.0" "$(drive title "$WENDLIX_MAIN_CLASS")" "main window title"

# The root window of a bare Xvfb is black: a painted window is not. The first-start bar slides to its
# sliver, so the rectangle is read again for every look.
drawn() {
  local left top right bottom
  read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS") || return 1
  (( left < 0 )) && left=0
  (( right > 1024 )) && right=1024
  (( right > left )) || return 1
  shot_rect main-window.png "$left" "$top" "$right" "$bottom"
  awk -v l="$(mean_level "$E2E_ARTIFACTS/main-window.png")" 'BEGIN { exit !(l > 0.1) }'
}
wait_until 20 drawn || fail "the window's area stayed black: nothing drawn"

stop_bar 20 || fail "the program did not end cleanly after WM_CLOSE (status ${BAR_STATUS:-none})"
log "started, drawn and closed; exit code $BAR_STATUS"
