#!/usr/bin/env bash
# A short life of the program, for builds that get no other end-to-end case (the 32-bit exe): it starts,
# its main window appears, it closes when asked and ends with exit code 0.
source "$(dirname "$0")/lib.sh"

start_bar
wait_for_window "$WENDLIX_MAIN_CLASS" 30 >/dev/null || fail "no $WENDLIX_MAIN_CLASS window within 30 s"
expect_eq "Wendlix V2.0" "$(drive title "$WENDLIX_MAIN_CLASS")" "main window title"
screenshot "$E2E_ARTIFACTS/screen.png" >/dev/null
stop_bar 20 || fail "the program did not end cleanly after WM_CLOSE (status ${BAR_STATUS:-none})"
# The settings are written at close: when they are, they must at least be a settings file.
if [ -f "$BAR_DIR/Wendlix.INI" ]; then
  grep -q '^\[' "$BAR_DIR/Wendlix.INI" || fail "Wendlix.INI has no section"
  log "Wendlix.INI written ($(wc -c <"$BAR_DIR/Wendlix.INI") bytes)"
fi
log "started and closed; exit code $BAR_STATUS"
