#!/usr/bin/env bash
# A first start with the group file shipped beside the program: the three default groups are
# created with their overrides and written back at close (the web and e-mail groups with their
# single default button); a second start and close reads them back and changes nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
[ -f "$dir/Wendlix.GPF" ] || fail "no Wendlix.GPF shipped beside $WENDLIX_EXE"
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"

ini=$dir/Wendlix.INI gpf=$dir/Wendlix.GPF
expect_eq 3 "$(ini_get "$ini" "Wendlix V3.0" Groups)" "group count"
expect_eq "Programs Internet E-Mail" "$(ini_keys "$ini" Groups | tr '\n' ' ' | sed 's/ $//')" "group list"
quick=$(ini_get "$ini" Groups Programs)
case $quick in
  *'\AppData\Roaming\Microsoft\Internet Explorer\Quick Launch') ;;
  *) fail "the Programs group's folder is not the Quick Launch folder: $quick" ;;
esac
expect_eq "$quick" "$(ini_get "$gpf" Programs Directory)" "Programs folder in the group file"

check_group() {  # TITLE KIND COLOR SHOWASBUTTON HEIGHT
  expect_eq "$2" "$(ini_get "$gpf" "$1" "Panel Style")" "$1: Panel Style"
  expect_eq "$3" "$(ini_get "$gpf" "$1" Color)" "$1: Color"
  expect_eq "$4" "$(ini_get "$gpf" "$1" ShowAsButton)" "$1: ShowAsButton"
  expect_eq "$5" "$(ini_get "$gpf" "$1" Height)" "$1: Height"
  expect_eq "$1" "$(ini_get "$gpf" "$1" "Title Text")" "$1: Title Text"
  expect_eq "宋体" "$(ini_get "$gpf" "$1" FontName)" "$1: FontName"
}
check_group Programs 0 -2147483633 0 100
expect_eq 0 "$(ini_get "$gpf" Programs ShowCaption)" "Programs: ShowCaption"
expect_eq 0 "$(ini_get "$gpf" Programs BevelDown)" "Programs: BevelDown"
check_group Internet 1 15921881 1 200
check_group E-Mail 2 13297845 1 200
expect_eq 1 "$(ini_keys "$gpf" "Internet  Buttons" | wc -l)" "buttons of Internet"
expect_eq 1 "$(ini_keys "$gpf" "E-Mail  Buttons" | wc -l)" "buttons of E-Mail"
case $(ini_text "$gpf" | awk '/^\[Internet  Buttons\]/ { getline; print; exit }') in
  *=http://*) ;;
  *) fail "the Internet button is no web address" ;;
esac
case $(ini_text "$gpf" | awk '/^\[E-Mail  Buttons\]/ { getline; print; exit }') in
  *=MAILTO:*) ;;
  *) fail "the E-Mail button is no e-mail address" ;;
esac
cp "$ini" "$E2E_ARTIFACTS/first.INI"
cp "$gpf" "$E2E_ARTIFACTS/first.GPF"

# The second start is no first run: the same groups come back and are saved unchanged.
start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself after the second start"
cmp "$E2E_ARTIFACTS/first.INI" "$ini" || fail "Wendlix.INI changed on the second start and close"
cmp "$E2E_ARTIFACTS/first.GPF" "$gpf" || fail "Wendlix.GPF changed on the second start and close"
log "first run with the shipped group file: three groups written back, stable across a restart"
