#!/usr/bin/env bash
# The bar at 144 and 192 DPI (Wine takes the DPI from the prefix's LogPixels when its server starts):
# docked right with a shortcut group and a web group, the bar reads the DPI and stands at its width
# scaled from 96 DPI, its icon cells scaled too; after it closes the files still hold the 96-DPI sizes; a
# bar stored thinner than a button cell is held to one. A screenshot of the screen's right part is kept
# at each DPI.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' "App 1" "App 2" "App 3"
dir=$E2E_WORK/app
install_bar "$dir"
# Scales a 96-DPI size as the bar does (MulDiv: halves away from zero).
px() { echo $(( ($1 * dpi + 48) / 96 )); }

for dpi in 144 192; do
  wine_run reg.exe add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
    fail "could not set LogPixels"
  "$WINESERVER_CMD" -k 2>/dev/null
  "$WINESERVER_CMD" -w 2>/dev/null
  { group_section Tools "Directory=$(winpath "$tools")" ShowCaption=0 Height=160
    group_section Web "Panel Style=1" Height=100; group_buttons Web News=http://news.example.org/; } |
    write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 86 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"
  expect_eq "dpi=$dpi" "$(drive query "$WENDLIX_MAIN_CLASS" dpi | cut -d' ' -f1)" "$dpi: the bar's DPI"
  got=$(wait_rect "$(docked_rect 2 "$(px 86)" 1024 768)" 10) || fail "$dpi: the bar is not docked $(px 86) wide: $got"
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines button | awk -F'\t' '$2 == 0 && $3 == 0 { print $6 }')"
  expect_eq "$(px 25)x$(px 25)" "$((r - l))x$((b - t))" "$dpi: icon cell"
  shot_rect "dpi-$dpi.png" 624 0 1024 768
  stop_bar 20 || fail "$dpi: the bar did not close by itself"
  expect_eq "86 160" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Width) $(ini_get "$dir/Wendlix.GPF" Tools Height)" \
    "$dpi: the stored width and Tools length"
done

# A stored width thinner than a button cell: the docked bar is held to 35 pixels, scaled.
bar_settings 2 20 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
got=$(wait_rect "$(docked_rect 2 "$(px 35)" 1024 768)" 10) || fail "a bar stored 20 wide stands at $got"
stop_bar 20 || fail "the thin bar did not close by itself"
