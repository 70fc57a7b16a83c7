#!/usr/bin/env bash
# The 64-bit installer, silently, per user, into the case's fresh prefix: the program and the files it
# reads beside itself land in the user's local programs folder, with a Start-menu shortcut, the Run value
# the bar itself writes and an "Add or remove programs" entry. Started from the shortcut the bar docks at
# the right edge and, closing, keeps its settings beside itself and leaves the Run value as it was. The
# silent uninstall closes the running bar first, then removes the program files, the shortcut, the Run
# value, the bar's registry key and its own entry, and keeps the settings and group files.
# The installer is made here from the program under test; without makensis (Debian package nsis, which
# scripts/setup.sh installs) the case skips.
source "$(dirname "$0")/../lib.sh"
WX_ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=scripts/lib/installer.sh
source "$WX_ROOT/scripts/lib/installer.sh"

command -v makensis >/dev/null || skip "makensis is not installed (Debian package nsis); installer not tested"
version=$(wx_version) || fail "no version"
stage=$E2E_WORK/stage
setup=$E2E_WORK/Wendlix-$version-win64-setup.exe
wx_stage_program "$WENDLIX_EXE" "$stage" || fail "could not stage the program"
wx_installer_build win64 "$stage" "$setup" || fail "makensis failed"
log "installer $(stat -c %s "$setup") bytes"

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
app_key='HKCU\Software\Holmvik\Wendlix'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendlix'
key_exists() { wine_run reg.exe query "$1" >/dev/null 2>&1; }

timeout 90 "${WINE_CMD[@]}" "$setup" /S
expect_eq 0 "$?" "the installer's exit code"

profile=
for p in "$WINEPREFIX"/drive_c/users/*; do
  [ "${p##*/}" != Public ] && [ -d "$p/AppData/Local" ] && { profile=$p; break; }
done
[ -n "$profile" ] || fail "no user profile in the prefix"
user=$(basename "$profile")
instdir=$profile/AppData/Local/Programs/Wendlix
win_instdir="C:\\users\\$user\\AppData\\Local\\Programs\\Wendlix"
lnk=$profile/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Wendlix.lnk
program_files=(Wendlix.exe "${WX_SHIPPED_FILES[@]}" README.txt uninstall.exe)
for f in "${program_files[@]}"; do
  [ -f "$instdir/$f" ] || fail "not installed: $instdir/$f"
done
cmp "$stage/Wendlix.exe" "$instdir/Wendlix.exe" || fail "the installed program differs from the one packed"
[ -f "$lnk" ] || fail "no Start-menu shortcut at $lnk"
expect_eq "$win_instdir\\Wendlix.exe" "$(reg_value "$run_key" Wendlix)" "the Run value"
expect_eq "$version" "$(reg_value "$uninstall_key" DisplayVersion)" "DisplayVersion"
expect_eq "\"$win_instdir\\uninstall.exe\"" "$(reg_value "$uninstall_key" UninstallString)" "UninstallString"
[ -n "$(reg_value "$uninstall_key" EstimatedSize)" ] || fail "no EstimatedSize"
log "installed into $instdir"

# From the Start menu, as a user starts it; it docks at the right edge.
start_from_menu() {
  wine_run start "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Wendlix.lnk"
  wait_for_window "$WENDLIX_MAIN_CLASS" 30 >/dev/null || fail "no $WENDLIX_MAIN_CLASS window within 30 s"
  wait_until 30 drive visible "$WENDLIX_MAIN_CLASS" || fail "the bar was not shown within 30 s"
}
start_from_menu
read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS")
expect_eq "86 768" "$((right - left)) $((bottom - top))" "the docked bar's size (right edge, full height)"
(( right >= 1022 && left >= 1024 - 86 )) || fail "the bar is not at the right edge: $left..$right"
screenshot "$E2E_ARTIFACTS/installed-bar.png" >/dev/null

# Closing, it saves beside itself (a per-user install's folder can be written) and writes the Run value
# as the installer did.
close_window "$WENDLIX_MAIN_CLASS"
drive wait-gone "$WENDLIX_MAIN_CLASS" 20 || fail "the bar did not close"
[ -f "$instdir/Wendlix.INI" ] || fail "no settings beside the installed program"
expect_eq "$win_instdir\\Wendlix" "$(reg_value "$app_key" "Confing FileName")" "the settings path"
expect_eq "$win_instdir\\Wendlix.exe" "$(reg_value "$run_key" Wendlix)" "the Run value after the bar's save"

# The uninstaller closes a running bar first; a group the user exported beside the program stays.
printf '[Config]\r\n' >"$instdir/own.GLF"
start_from_menu
timeout 60 "${WINE_CMD[@]}" "$instdir/uninstall.exe" /S
uninstalled() { ! key_exists "$uninstall_key"; }
wait_until 60 uninstalled || fail "the uninstaller did not finish within 60 s"
drive find "$WENDLIX_MAIN_CLASS" >/dev/null && fail "the bar is still running after the uninstall"

for f in "${program_files[@]}"; do
  [ "$f" = Wendlix.GPF ] && continue
  [ -e "$instdir/$f" ] && fail "left behind: $instdir/$f"
done
[ -f "$instdir/own.GLF" ] || fail "the user's own exchange file was removed"
[ -e "$lnk" ] && fail "the Start-menu shortcut is left"
[ -z "$(reg_value "$run_key" Wendlix)" ] || fail "the Run value is left"
key_exists "$app_key" && fail "the key $app_key is left"
[ -f "$instdir/Wendlix.INI" ] || fail "the settings file was not kept"
[ -f "$instdir/Wendlix.GPF" ] || fail "the group file was not kept"
expect_eq 1 "$(ini_get "$instdir/Wendlix.INI" "Wendlix V3.0" AutoRun)" "AutoRun in the kept settings"
log "uninstalled; kept: $(cd "$instdir" && ls | tr '\n' ' ')"
