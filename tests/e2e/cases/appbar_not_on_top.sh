#!/usr/bin/env bash
# A bar that neither hides nor stays on top docks at its edge (placed as the shell proposes) but reserves
# nothing and is not topmost: a newcomer on the same edge takes the very strip the bar stands on. (The bar
# is owned by the hidden application window; Wine ignored HWND_NOTOPMOST for it until the owner was moved
# out of the way, which this case guards.)
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
dir=$E2E_WORK/app
write_bar_ini "$dir" 2 0 0 86 100
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
free=$(drive appbar-query right 50)
start_and_wait "$dir"
want=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$want" 20) || fail "the bar is not docked at $want: $got"
! bar_is_topmost || fail "a bar that is not always on top is topmost"
expect_eq "$free" "$(drive appbar-query right 50)" "a newcomer's place (nothing reserved)"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 0 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" AlwaysOnTop)" "saved AlwaysOnTop"
expect_eq 0 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" AutoHide)" "saved AutoHide"
log "docked right at $want, not topmost, nothing reserved"
