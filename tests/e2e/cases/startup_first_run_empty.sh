#!/usr/bin/env bash
# A first start in an empty folder, then a close: the bar settings file holds every key of
# "Wendlix V3.0" in the close's order with its default, the registry names the settings path,
# the program is registered to start with Windows and its icon stands on the desktop. Without a group file no group exists,
# so no group file is written.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"

dir=$E2E_WORK/empty
mkdir -p "$dir"
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
start_and_wait "$dir"

expect_eq "Wendlix V 2.05.2" "$(drive title WendlixApplication)" "application title"
read -r _ exstyle < <(drive style "$WENDLIX_MAIN_CLASS")
(( exstyle & 0x80 )) || fail "the main window is no tool window (it would get a taskbar button): $exstyle"
read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS")
read -r _ screenH < <(drive screen)
expect_eq 86 $((right - left)) "window width"
# An auto-hide bar docked at a side edge spans the whole screen height, not the work area's.
expect_eq "$screenH" $((bottom - top)) "window height (the screen's, docked at the right edge)"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"

expected=$(printf '%s\r\n' "[Wendlix V3.0]" AutoHide=1 ReLoadSet=0 AutoRun=1 AlwaysOnTop=1 \
  ActivateByMouseDown=0 "Flat Draw=1" Groups=0 "Active Delay=800" Width=86 "Height=$((bottom - top))" \
  Edge=2 AutoHideInterval=60; printf x)
expected=${expected%x}
cmp <(printf '%s' "$expected") "$dir/Wendlix.INI" || {
  od -c "$dir/Wendlix.INI" | head -40
  fail "Wendlix.INI differs from the expected first-start settings"
}
[ ! -e "$dir/Wendlix.GPF" ] || fail "a group file was written although no group exists"
leftovers=$(find "$dir" -type f ! -name Wendlix.exe ! -name Wendlix.INI)
[ -z "$leftovers" ] || fail "stray files beside the settings: $leftovers"

win_dir=$(winpath "$dir")
expect_eq "$win_dir\\Wendlix" "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" \
  "registry value Confing FileName"
expect_eq "$(command_path "$win_dir\\Wendlix.exe")" \
  "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Wendlix)" "Run value"

# The first start put the program's icon on the desktop: the class as registered, read back.
clsid='HKLM\Software\CLASSES\CLSID\{9EAC43C1-53EC-11CE-8230-CA8A32CF5499}'
reg_raw() {  # KEY [NAME]: the value's text (the default value without NAME), carriage returns inside kept
  local query=(/ve)
  [ -n "${2:-}" ] && query=(/v "$2")
  wine_run reg.exe query "$1" "${query[@]}" 2>/dev/null | iconv -f CP936 -t UTF-8 | sed 's/\r$//' |
    awk -v name="${2:-}" '{ line = $0; sub(/^ +/, "", line) }
      name == "" { if (match(line, /^\([^)]*\) +REG_SZ +/)) { print substr(line, RLENGTH + 1); exit } ; next }
      index(line, name) == 1 && match(substr(line, length(name) + 1), /^ +REG_SZ +/) {
        print substr(line, length(name) + 1 + RLENGTH); exit }'
}
expect_eq "Wendlix 2.08" "$(reg_raw "$clsid")" "the desktop icon's caption"
expect_eq $'点击此图标将会启动 Wendlix 2.08\rWindows 下一个方便快捷的程序快速启动工具栏' \
  "$(reg_raw "$clsid" InfoTip)" "the desktop icon's info tip"
expect_eq "$win_dir\\Wendlix.exe,0" "$(reg_raw "$clsid\\DefaultIcon")" "the desktop icon's picture"
expect_eq "$(command_path "$win_dir\\Wendlix.exe")" "$(reg_raw "$clsid\\shell\\open\\command")" \
  "the desktop icon's command"
expect_eq "Wendlix 2.08" \
  "$(reg_raw 'HKLM\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{9EAC43C1-53EC-11CE-8230-CA8A32CF5499}')" \
  "the desktop's entry for the icon"
log "first start in an empty folder: settings, registry values, Run value and desktop icon as expected"
