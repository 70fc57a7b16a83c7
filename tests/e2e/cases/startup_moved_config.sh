#!/usr/bin/env bash
# A path entered by hand as "Confing FileName" moves both settings files: the bar reads its
# settings and groups from there and writes them back there, leaving the old files alone.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"

app=$E2E_WORK/app moved=$E2E_WORK/moved
install_bar "$app"
start_and_wait "$app"
stop_bar 20 || fail "the first start did not close cleanly"

mkdir -p "$moved"
cp "$app/Wendlix.INI" "$moved/MyBar.INI"
cp "$app/Wendlix.GPF" "$moved/MyBar.GPF"
sed -i 's/^Width=86\r$/Width=120\r/' "$moved/MyBar.INI"
expect_eq 120 "$(ini_get "$moved/MyBar.INI" "Wendlix V3.0" Width)" "prepared width"
cp "$app/Wendlix.INI" "$E2E_ARTIFACTS/old.INI"
cp "$app/Wendlix.GPF" "$E2E_ARTIFACTS/old.GPF"

base="$(winpath "$moved")\\MyBar"
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ /d "$base" /f >/dev/null ||
  fail "reg add failed"

start_and_wait "$app"
read -r left _ right _ < <(drive rect "$WENDLIX_MAIN_CLASS")
expect_eq 120 $((right - left)) "window width read from the moved settings"
stop_bar 20 || fail "the second start did not close cleanly"

cmp "$E2E_ARTIFACTS/old.INI" "$app/Wendlix.INI" || fail "the old settings file was written"
cmp "$E2E_ARTIFACTS/old.GPF" "$app/Wendlix.GPF" || fail "the old group file was written"
expect_eq 120 "$(ini_get "$moved/MyBar.INI" "Wendlix V3.0" Width)" "width saved at the moved path"
expect_eq "Programs Internet E-Mail" "$(ini_keys "$moved/MyBar.INI" Groups | tr '\n' ' ' | sed 's/ $//')" \
  "group list at the moved path"
expect_eq 1 "$(ini_get "$moved/MyBar.GPF" Internet ShowAsButton)" "Internet group at the moved path"
expect_eq "$base" "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" "registry value kept"
log "both settings files followed Confing FileName"
