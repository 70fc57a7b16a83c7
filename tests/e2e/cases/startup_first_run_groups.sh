#!/usr/bin/env bash
# A first start with the group file shipped beside the program, in a profile without a Quick Launch folder:
# a new button on the programs group makes that folder and its link there; the three default groups are
# written back at close, the programs group on this user's Quick Launch folder; a second start and close
# reads them back and changes nothing. Then a path entered by hand as "Confing FileName" moves both settings
# files: the bar reads its settings and groups from there and writes them back there, leaving the old files
# alone.
# e2e-timeout: 240
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
# A new profile has no Quick Launch folder, nor its parent, until something is put there.
quick_folder=$(quick_launch_folder)
rm -rf "${quick_folder%/*}"
start_and_wait "$dir"
# A new button on the first-run group makes the folder the bar chose for it, and the link in it.
choose_button_menu_item "$(centre "$(panel_rect Programs)")" N9
editor_ok 160 记事本 161 'C:\windows\notepad.exe'
expect_soon 记事本 "the new button on the first-run group" button_names 0
[ -f "$quick_folder/记事本.lnk" ] || fail "no link in the Quick Launch folder"
# Its target as the button's properties read the link (the group shows no captions: its one button).
choose_button_menu_item "$(centre "$(button_rect 0 '')")" S3
editor_wait 20 || fail "no properties of the new button"
expect_eq '记事本|C:\windows\notepad.exe' "$(editor_fields shown)" "the new link's name and target"
editor_cancel 160 记事本
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
ini=$dir/Wendlix.INI gpf=$dir/Wendlix.GPF
expect_eq "3|Programs Internet E-Mail" "$(ini_get "$ini" "Wendlix V3.0" Groups)|$(ini_keys "$ini" Groups | paste -sd' ')" \
  "the groups listed"
quick=$(ini_get "$ini" Groups Programs)
case $quick in
  *'\AppData\Roaming\Microsoft\Internet Explorer\Quick Launch') ;;
  *) fail "the Programs group's folder is not the Quick Launch folder: $quick" ;;
esac
expect_eq "$quick" "$(ini_get "$gpf" Programs Directory)" "Programs folder in the group file"
cp "$ini" "$gpf" "$E2E_ARTIFACTS/"

# The second start is no first run: the same groups come back and are saved unchanged.
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself after the second start"
cmp "$E2E_ARTIFACTS/Wendlix.INI" "$ini" || fail "Wendlix.INI changed on the second start and close"
cmp "$E2E_ARTIFACTS/Wendlix.GPF" "$gpf" || fail "Wendlix.GPF changed on the second start and close"

moved=$E2E_WORK/moved
mkdir -p "$moved"
sed 's/^Width=86\r$/Width=120\r/' "$ini" >"$moved/MyBar.INI"
cp "$gpf" "$moved/MyBar.GPF"
base="$(winpath "$moved")\\MyBar"
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ /d "$base" /f >/dev/null ||
  fail "reg add failed"
start_and_wait "$dir"
read -r left _ right _ < <(drive rect "$WENDLIX_MAIN_CLASS")
expect_eq 120 $((right - left)) "window width read from the moved settings"
stop_bar 20 || fail "the start from moved settings did not close cleanly"
cmp "$E2E_ARTIFACTS/Wendlix.INI" "$ini" || fail "the old settings file was written"
cmp "$E2E_ARTIFACTS/Wendlix.GPF" "$gpf" || fail "the old group file was written"
expect_eq "120|Programs Internet E-Mail|1" \
  "$(ini_get "$moved/MyBar.INI" "Wendlix V3.0" Width)|$(ini_keys "$moved/MyBar.INI" Groups | paste -sd' ')|$(ini_get "$moved/MyBar.GPF" Internet ShowAsButton)" \
  "width, groups and a group saved at the moved path"
expect_eq "$base" "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" "registry value kept"
