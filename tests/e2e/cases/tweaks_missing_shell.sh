#!/usr/bin/env bash
# Without the desktop windows (Wine has no "Progman"), a close with "apply at next start" on keeps
# their stored keys as they were instead of storing "disabled" and "hidden" for them. Wine's own
# taskbar (hidden) is stored as it is, hidden again at the next start, and not shown at exit. The desktop's
# menu items are grey.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

drive find Progman >/dev/null 2>&1 && fail "this Wine has a Progman window: the case needs none"
fake=$(dirname "$WENDLIX_DRIVER")/wendlix_fake_shell.exe
wine_tray() { wine_run "$fake" state | tr -d '\r' | cut -d' ' -f1; }
dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
{
  bar_settings 2 90 0 1 Internet | sed 's/^ReLoadSet=0/ReLoadSet=1/'
  printf '[Application Config]\nDisableDeskTop=1\nHideDeskTop=1\nHideDeskTopIcons=1\n'
} | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
# Nothing to hide or disable: the desktop's items are grey.
menu=$(drive query "$WENDLIX_MAIN_CLASS" sysmenu)
for item in D7 D6 P3; do
  flags=$(printf '%s\n' "$menu" | awk -F'\t' -v n="$item" '{ sub(/^ +/, "", $1) } $1 == n { print $3 }')
  case $flags in *D*) ;; *) fail "$item is not grey without its window (flags '$flags')" ;; esac
done
stop_bar 20 || fail "the bar did not close by itself"
cp "$dir/Wendlix.INI" "$E2E_ARTIFACTS/saved.INI"
for key in DisableDeskTop HideDeskTop HideDeskTopIcons; do
  expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Application Config" "$key")" "$key kept"
done
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Application Config" CanShutDown)" "the flags are written"
# Wine makes its taskbar once a program asks for it: compare from the first run's end.
tray_before=$(wine_tray)
log "Wine's own taskbar: $tray_before;" \
  "stored HideTrayBar=$(ini_get "$dir/Wendlix.INI" "Application Config" HideTrayBar)"

start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself the second time"
expect_eq "$tray_before" "$(wine_tray)" "Wine's own taskbar after two runs"
log "the missing desktop's keys were kept; Wine's taskbar untouched"
