#!/usr/bin/env bash
# Without the desktop windows (Wine has no "Progman"), a close with "apply at next start" on keeps their
# stored keys as they were instead of storing "disabled" and "hidden" for them. Wine's own taskbar (hidden)
# is stored as it is, hidden again at the next start, and not shown at exit. The desktop's menu items are
# grey.
source "$(dirname "$0")/../lib.sh"

drive find Progman >/dev/null 2>&1 && fail "this Wine has a Progman window: the case needs none"
wine_tray() { wine_run "$(dirname "$WENDLIX_DRIVER")/wendlix_fake_shell.exe" state | tr -d '\r' | cut -d' ' -f1; }
install_web_bar 's/^ReLoadSet=0/ReLoadSet=1/'
printf '[Application Config]\r\nDisableDeskTop=1\r\nHideDeskTop=1\r\nHideDeskTopIcons=1\r\n' >>"$dir/Wendlix.INI"
start_and_wait "$dir"
menu=$(drive query "$WENDLIX_MAIN_CLASS" sysmenu)
for item in D7 D6 P3; do
  case $(menu_item "$menu" $item | cut -f2) in *D*) ;; *) fail "$item is not grey without its window" ;; esac
done
stop_bar 20 || fail "the bar did not close by itself"
cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/saved.INI"
expect_eq "1 1 1 1" "$(for k in DisableDeskTop HideDeskTop HideDeskTopIcons CanShutDown; do
  ini_get "$dir/Wendlix.INI" "Application Config" $k; done | paste -sd' ')" "the desktop's keys kept, the flags written"
# Wine makes its taskbar once a program asks for it: compare from the first run's end.
tray_before=$(wine_tray)
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself the second time"
expect_eq "$tray_before" "$(wine_tray)" "Wine's own taskbar after two runs"
