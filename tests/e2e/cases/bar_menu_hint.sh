#!/usr/bin/env bash
# A hint never covers an open menu: the hint shown over a folder button goes as a press opens its menu,
# and stays away while the menu is open.
source "$(dirname "$0")/../lib.sh"

tools=$E2E_WORK/Tools
make_links "$tools/Docs" 'C:\windows\notepad.exe' Notes
start_tools_and_web "$(winpath "$tools")\\" 150
read -r x y <<<"$(button_point 0 Docs)"
xdotool mousemove "$x" "$y"
wait_until 20 drive visible tooltips_class32 || fail "no hint over the folder button"
expect_eq Docs "$(drive title tooltips_class32)" "the hint over the folder button"
docs=$(centre "$(button_rect 0 Docs)")
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(_lparam "$docs")" >/dev/null
_menu_opened || fail "the folder button's press opened no menu"
hint_shown() { drive visible tooltips_class32 && echo shown || echo hidden; }
expect_steady hidden "the hint under the open menu" 3 hint_shown
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the folder menu stayed open"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$docs")" >/dev/null
