#!/usr/bin/env bash
# The bar settings menu from the title button and the system tweaks menu from the title strip: their
# states read through the bar's query (the current edge marked), both looked at; the hints of the title
# button and of a group's own area; a docking edge chosen by keyboard, which keeps the bar's thickness
# and is written at close.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | sed 's/^AutoHideInterval=60/AutoHideInterval=100/' | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

menu=$(drive query "$WENDLIX_MAIN_CLASS" mainmenu) || fail "no menu report"
printf '%s\n' "$menu" >"$E2E_ARTIFACTS/mainmenu.txt"
checked() {  # NAME -> 1 when the report marks the item checked (flags are the third field)
  printf '%s\n' "$menu" | awk -F'\t' -v name="$1" '{ sub(/^ +/, "", $1) } $1 == name { print ($3 ~ /C/) ? 1 : 0; exit }'
}
expect_eq 0 "$(checked Autohide1)" "auto-hide is off"
expect_eq 1 "$(checked N21)" "slide speed 100 is 中"
expect_eq 0 "$(checked N18)" "buttons are not underlined"
positions() { printf '%s' "$(checked PositionLeft)$(checked PositionRight)$(checked PositionTop)$(checked PositionBottom)"; }
expect_eq 0100 "$(positions)" "the position menu marks the right edge"

read_layout
IFS=, read -r tl tt tr tb <<<"$(layout_lines btntitle | cut -f2)"
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"

# Hints: the title button's credit, and the group's title over its own area as over its header.
expect_hint() {  # WANT X Y (client) WHAT: the shown tooltip's text with the pointer there
  local i got=
  xdotool mousemove $((cl + $2)) $((ct + $3))
  for (( i = 0; i < 50; i++ )); do
    drive visible tooltips_class32 && got=$(drive title tooltips_class32 | tr -d '\r' | paste -sd'|')
    [ "$got" = "$1" ] && break
    sleep 0.1
  done
  expect_eq "$1" "$got" "$4"
}
expect_hint "Wendlix 2.0|----------------------------|Windows 快速启动工具栏 · Wendlix 项目组" \
  $(( (tl + tr) / 2 )) $(( (tt + tb) / 2 )) "the title button's hint"
IFS=, read -r gl _ gr gb <<<"$(panel_rect Internet)"
expect_hint Internet $(( (gl + gr) / 2 )) $(( gb - 10 )) "the group's hint over its area"
xdotool mousemove 500 380

# The title button opens the menu below itself on a vertical bar.
x=$(( (tl + tr) / 2 )) y=$(( (tt + tb) / 2 ))
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the bar settings menu did not open"
sleep 0.5
screenshot "$E2E_ARTIFACTS/main-menu.png" >/dev/null
read -r ml mt mr mb <<<"$(drive rect '#32768')"
log "bar settings menu at $ml,$mt-$mr,$mb; title button at $((cl + tl)),$((ct + tb))"
(( mt >= ct + tb - 2 )) || fail "the menu does not open below the title button"

# 显示位置(&P) -> 显示在顶侧(&T)
xdotool key p
sleep 0.3
screenshot "$E2E_ARTIFACTS/position-menu.png" >/dev/null
xdotool key t
for (( i = 0; i < 100; i++ )); do
  read_layout
  [ "$(layout_lines edge | cut -f2)" = 1 ] && break
  sleep 0.1
done
expect_eq 1 "$(layout_lines edge | cut -f2)" "the edge chosen from the menu"
read -r l t r b <<<"$(drive rect "$WENDLIX_MAIN_CLASS")"
expect_eq 90 "$((b - t))" "the bar keeps its thickness at the top"
menu=$(drive query "$WENDLIX_MAIN_CLASS" mainmenu) || fail "no menu report at the top"
expect_eq 0010 "$(positions)" "the position menu marks the top edge"
screenshot "$E2E_ARTIFACTS/top-after-menu.png" >/dev/null

# A right click on the title strip opens the system tweaks menu there.
read_layout
IFS=, read -r ll lt _ _ <<<"$(layout_lines logo | cut -f2)"
drive post "$WENDLIX_MAIN_CLASS" 0x7B "$(drive find "$WENDLIX_MAIN_CLASS")" \
  $(( ((t + lt + 5) << 16) | (l + ll + 5) )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the system tweaks menu did not open"
sleep 0.5
screenshot "$E2E_ARTIFACTS/sys-menu.png" >/dev/null
xdotool key Escape
sleep 0.3

# On a horizontal bar the system button opens its menu at the button's top-right corner.
IFS=, read -r sl st sr sb <<<"$(layout_lines btnsys | cut -f2)"
x=$(( (sl + sr) / 2 )) y=$(( (st + sb) / 2 ))
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the system button opened no menu"
sleep 0.5
screenshot "$E2E_ARTIFACTS/sys-menu-from-button-top.png" >/dev/null
read -r ml mt _ _ <<<"$(drive rect '#32768')"
read -r ol ot _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
log "system menu at $ml,$mt; system button $((ol + sl)),$((ot + st))-$((ol + sr)),$((ot + sb))"
expect_eq "$((ol + sr)),$((ot + st - 1))" "$ml,$mt" "the system menu at the button's top-right corner, a pixel higher"
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the system menu stayed open"

# 关于 Wendlix (&A) opens the About window over the screen's middle; Escape fades it out.
read_layout
IFS=, read -r tl tt tr tb <<<"$(layout_lines btntitle | cut -f2)"
x=$(( (tl + tr) / 2 )) y=$(( (tt + tb) / 2 ))
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the bar settings menu did not open again"
sleep 0.3
screenshot "$E2E_ARTIFACTS/main-menu-top.png" >/dev/null
xdotool key a
wait_for_window TLogoForm 20 >/dev/null || fail "no About window from the menu"
expect_eq "312 259 711 509" "$(drive rect TLogoForm)" "About window rectangle"
sleep 2
screenshot "$E2E_ARTIFACTS/about-from-menu.png" >/dev/null
xdotool mousemove 500 380 sleep 0.2 key Escape
drive wait-gone TLogoForm 20 || fail "the About window did not close on Escape"

stop_bar 20 || fail "the bar did not close by itself"
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "edge written at close"
expect_eq 90 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Height)" "height written at close"
