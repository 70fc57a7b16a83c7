#!/usr/bin/env bash
# The bar at 96, 144 and 192 DPI (Wine takes the DPI from the prefix's LogPixels when its server
# starts): docked right with a shortcut group of shell links and a web group, the bar's width, title,
# band header and button cells are scaled from their 96-DPI sizes; after the bar closes, the settings
# file still holds the 96-DPI width; a bar stored thinner than a button cell is held to one. A screenshot
# of the screen's right part is kept at each DPI.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

WINESERVER_CMD=$(command -v wineserver || echo "$(dirname "$(readlink -f "$WENDLIX_WINE")")/wineserver")

tools=$E2E_WORK/Tools
mkdir -p "$tools"
tools_win=$(winpath "$tools")
for i in 1 2 3 4 5; do
  drive make-link "$tools_win\\App $i.lnk" 'C:\windows\notepad.exe' || fail "could not write a shell link"
done

# DPI: sets LogPixels and restarts the prefix's server, so the next program sees it.
set_dpi() {
  wine_run reg.exe add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null ||
    fail "could not set LogPixels"
  "$WINESERVER_CMD" -k 2>/dev/null
  "$WINESERVER_CMD" -w 2>/dev/null
}

# Scales a 96-DPI size as the bar does (MulDiv: halves away from zero).
px() { echo $(( ($1 * dpi + 48) / 96 )); }

# The width and height of a report rectangle "l,t,r,b".
rect_w() { IFS=, read -r l t r b <<<"$1"; echo $(( r - l )); }
rect_h() { IFS=, read -r l t r b <<<"$1"; echo $(( b - t )); }

run_at() {
  dpi=$1
  set_dpi "$dpi"
  # One folder for all: the registry remembers where the first start kept its settings.
  local dir=$E2E_WORK/app
  install_bar "$dir"
  {
    group_section Tools "Directory=$tools_win" ShowCaption=0 Height=160
    group_section Web "Panel Style=1" Height=100
    printf '[Web  Buttons]\nNews=http://news.example.org/\n\n'
  } | write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 86 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"

  local answer
  answer=$(drive query "$WENDLIX_MAIN_CLASS" dpi) || fail "$dpi: the bar did not answer the dpi query"
  log "$dpi: $answer"
  expect_eq "dpi=$dpi" "$(cut -d' ' -f1 <<<"$answer")" "$dpi: the bar's DPI"

  # The docked window: 86 pixels at 96 DPI, scaled, on the right edge of the 1024x768 screen.
  local want_rect
  want_rect=$(docked_rect 2 "$(px 86)" 1024 768)
  wait_rect "$want_rect" 10 >/dev/null || fail "$dpi: the bar is at $(drive rect "$WENDLIX_MAIN_CLASS"), not $want_rect"

  read_layout
  printf '%s\n' "$LAYOUT" >"$E2E_ARTIFACTS/layout-dpi-$dpi.txt"
  local cl ct cr cb
  read -r cl ct cr cb <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  expect_eq "$((cr - cl)) $((cb - ct))" "$(layout_lines client | cut -f2,3 | tr '\t' ' ')" "$dpi: client area"
  expect_eq "$(px 25)" "$(rect_h "$(layout_lines logo | cut -f2)")" "$dpi: title strip"
  expect_eq "$(px 25)" "$(rect_w "$(layout_lines btntitle | cut -f2)")" "$dpi: title button"
  local tools_header tools_button
  tools_header=$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $7 }')
  expect_eq "$(px 18)" "$(rect_h "$tools_header")" "$dpi: Tools band header"
  expect_eq "$(px 160)" "$(rect_h "$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $8 }')")" \
    "$dpi: Tools panel length"
  tools_button=$(layout_lines button | awk -F'\t' '$2 == 0 && $3 == 0 { print $6 }')
  expect_eq "$(px 25)x$(px 25)" "$(rect_w "$tools_button")x$(rect_h "$tools_button")" "$dpi: icon cell"
  expect_eq 5 "$(layout_lines button | awk -F'\t' '$2 == 0 && $5 == 1' | wc -l)" "$dpi: Tools buttons shown"

  local shot
  shot=$(screenshot "$E2E_WORK/screen-$dpi.png") || fail "screenshot failed"
  crop "$shot" 400 768 624 0 "$E2E_ARTIFACTS/dpi-$dpi.png"

  stop_bar 20 || fail "$dpi: the bar did not close by itself"
  # The file keeps 96-DPI sizes, whatever the DPI it was shown at.
  expect_eq 86 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Width)" "$dpi: stored width"
  expect_eq 160 "$(ini_get "$dir/Wendlix.GPF" Tools Height)" "$dpi: stored Tools length"
}

run_at 96
run_at 144
run_at 192

# A stored width thinner than a button cell: the docked bar is held to 35 pixels, scaled.
bar_settings 2 20 0 1 Tools Web | write_cp936 "$E2E_WORK/app/Wendlix.INI"
start_and_wait "$E2E_WORK/app"
want=$(docked_rect 2 "$(px 35)" 1024 768)
got=$(wait_rect "$want" 10) || fail "$dpi: a bar stored 20 wide stands at $got, not $want"
stop_bar 20 || fail "$dpi: the thin bar did not close by itself"
set_dpi 96
log "the bar scaled at 96, 144 and 192 DPI and stored 96-DPI sizes"
