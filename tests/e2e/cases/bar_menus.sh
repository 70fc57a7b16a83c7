#!/usr/bin/env bash
# The bar settings menu from the title button and the system tweaks menu from the title strip and the
# system button, looked at where they open; the hints of the title button and of a group's own area; a
# docking edge chosen by keyboard, which keeps the bar's thickness, is marked in the menu and written at
# close; About from the menu; Help opens Wendlix.htm beside the exe with the program the .htm type runs,
# and without the file a box says so; a letter two items share moves the highlight between them, and
# Return on the second closes the bar.
source "$(dirname "$0")/../lib.sh"

htm_opens_recorder
install_web_bar 's/^AutoHideInterval=60/AutoHideInterval=100/'
[ -f "$dir/Wendlix.htm" ] || fail "Wendlix.htm is not shipped beside the exe"
grep -q '退出时归还桌面' "$dir/Wendlix.htm" || fail "the help file lacks the give-back section"
start_and_wait "$dir"
positions() {
  drive query "$WENDLIX_MAIN_CLASS" mainmenu | awk -F'\t' '{ sub(/^ +/, "", $1) }
    $1 ~ /^Position(Left|Right|Top|Bottom)$/ { c[$1] = ($3 ~ /C/) } END { print c["PositionLeft"] c["PositionRight"] c["PositionTop"] c["PositionBottom"] }'
}
expect_eq 0100 "$(positions)" "the position menu marks the right edge"
read_layout
title=$(centre "$(layout_lines btntitle | cut -f2)")
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"

# Hints: the title button's credit, and the group's title over its own area as over its header.
hint_is() {
  drive visible tooltips_class32 && [ "$(drive title tooltips_class32 | paste -sd'|')" = "$1" ]
}
expect_hint() {  # WANT X,Y WHAT
  xdotool mousemove $((cl + ${2%,*})) $((ct + ${2#*,}))
  wait_until 5 hint_is "$1" || fail "$3: expected '$1', got '$(drive title tooltips_class32 | paste -sd'|')'"
}
expect_hint "Wendlix 2.0|----------------------------|Windows 快速启动工具栏 · Wendlix 项目组" "$title" "the title button's hint"
IFS=, read -r gl _ gr gb <<<"$(panel_rect Internet)"
expect_hint Internet "$(( (gl + gr) / 2 )),$(( gb - 10 ))" "the group's hint over its area"
xdotool mousemove 500 380

# The title button opens the menu below itself on a vertical bar; 显示位置(&P) -> 显示在顶侧(&T).
main_menu_keys p
screenshot "$E2E_ARTIFACTS/position-menu.png" >/dev/null
read -r _ mt _ _ <<<"$(drive rect '#32768')"
(( mt >= ct + ${title#*,} )) || fail "the menu does not open below the title button"
xdotool key t
edge() { read_layout; layout_lines edge | cut -f2; }
expect_soon 1 "the edge chosen from the menu" edge
read -r l t _ b <<<"$(drive rect "$WENDLIX_MAIN_CLASS")"
expect_eq 90 "$((b - t))" "the bar keeps its thickness at the top"
expect_eq 0010 "$(positions)" "the position menu marks the top edge"

# A right click on the title strip opens the system tweaks menu there.
read_layout
IFS=, read -r ll lt _ _ <<<"$(layout_lines logo | cut -f2)"
drive post "$WENDLIX_MAIN_CLASS" 0x7B "$(drive find "$WENDLIX_MAIN_CLASS")" $(( ((t + lt + 5) << 16) | (l + ll + 5) )) >/dev/null
_menu_opened || fail "the system tweaks menu did not open"
screenshot "$E2E_ARTIFACTS/sys-menu.png" >/dev/null
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the system tweaks menu stayed open"

# On a horizontal bar the system button opens its menu at the button's top-right corner, a pixel higher.
IFS=, read -r sl st sr sb <<<"$(layout_lines btnsys | cut -f2)"
post_click "$(centre "$sl,$st,$sr,$sb")"
_menu_opened || fail "the system button opened no menu"
screenshot "$E2E_ARTIFACTS/sys-menu-from-button-top.png" >/dev/null
read -r ml mt _ _ <<<"$(drive rect '#32768')"
read -r ol ot _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
expect_eq "$((ol + sr)),$((ot + st - 1))" "$ml,$mt" "the system menu's corner"
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the system menu stayed open"

# 关于 Wendlix (&A) opens the About window over the screen's middle; Escape fades it out.
main_menu_keys a
wait_for_window TLogoForm 20 >/dev/null || fail "no About window from the menu"
expect_eq "312 259 711 509" "$(drive rect TLogoForm)" "About window rectangle"
xdotool mousemove 500 380 key Escape
drive wait-gone TLogoForm 20 || fail "the About window did not close on Escape"

# 帮助(&H)... is the last item but one: Up twice from no selection.
main_menu_keys Up Up Return
expect_record "cmd=\"$rec_win\" \"$(winpath "$dir")\\Wendlix.htm\"
dir=$(winpath "$dir")" "the help page's program"
rm "$dir/Wendlix.htm"
main_menu_keys Up Up Return
expect_box 帮助 help-missing

# A shared letter moves the highlight to the next item with it: Q marks 快速创建工具栏 (three items and two
# separators above the last) and 关闭快捷工具栏 (the last); Return then runs the one reached.
band_moved() { BAND=$(menu_band); [ -n "$BAND" ] && [ "$BAND" != "$1" ]; }
main_menu_keys Up
wait_until 20 band_moved "" || fail "Up highlighted nothing"
read -r lt lb <<<"$BAND"
xdotool key q
wait_until 20 band_moved "$lt $lb" || fail "the first Q did not move the highlight"
up=$((3 * (lb - lt) + 14))
expect_eq "$((lt - up)) $((lb - up))" "$BAND" "the first Q highlights 快速创建工具栏"
xdotool key q
wait_until 20 band_moved "$BAND" || fail "the second Q did not move the highlight"
expect_eq "$lt $lb" "$BAND" "the second Q highlights 关闭快捷工具栏"
xdotool key Return
wait_bar_exit 20 && [ "$BAR_STATUS" = 0 ] || fail "关闭快捷工具栏 chosen by its letter did not close the bar cleanly"
expect_eq 1 "$(grep -c '^cmd=' "$record")" "the help page opened once only"
expect_eq "1 90" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge) $(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Height)" \
  "edge and height written at close"
