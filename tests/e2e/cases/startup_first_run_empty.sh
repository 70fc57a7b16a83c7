#!/usr/bin/env bash
# A first start in an empty folder, then a close: the bar settings file holds every key of
# "Wendlix V3.0" in the close's order with its default, the registry names the settings path, the program
# is registered to start with Windows and its icon on the desktop starts it. Without a group file no group
# exists, so no group file is written.
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/empty
mkdir -p "$dir" && cp "$WENDLIX_EXE" "$dir/"
start_and_wait "$dir"
expect_eq "Wendlix V $(tr -d ' \r\n' <"$(dirname "$0")/../../../VERSION")" "$(drive title WendlixApplication)" \
  "application title"
read -r _ exstyle < <(drive style "$WENDLIX_MAIN_CLASS")
(( exstyle & 0x80 )) || fail "the main window is no tool window (it would get a taskbar button): $exstyle"
# An auto-hide bar docked at a side edge spans the whole screen height, not the work area's.
read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS")
expect_eq "86 768" "$((right - left)) $((bottom - top))" "window size"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"

printf '%s\r\n' "[Wendlix V3.0]" AutoHide=1 ReLoadSet=0 AutoRun=1 AlwaysOnTop=1 ActivateByMouseDown=0 \
  "Flat Draw=1" Groups=0 "Active Delay=800" Width=86 Height=768 Edge=2 AutoHideInterval=60 \
  LiveFolders=1 >"$E2E_WORK/expected.INI"
cmp "$E2E_WORK/expected.INI" "$dir/Wendlix.INI" || fail "Wendlix.INI differs from the expected first-start settings"
expect_eq "Wendlix.INI Wendlix.exe" "$(files_in "$dir")" "the files beside the program (no group file)"

win_dir=$(winpath "$dir")
expect_eq "$win_dir\\Wendlix" "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" "Confing FileName"
expect_eq "$(command_path "$win_dir\\Wendlix.exe")" \
  "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Wendlix)" "Run value"
expect_eq "$(command_path "$win_dir\\Wendlix.exe")" \
  "$(reg_value 'HKLM\Software\CLASSES\CLSID\{9EAC43C1-53EC-11CE-8230-CA8A32CF5499}\shell\open\command')" \
  "the desktop icon's command"
