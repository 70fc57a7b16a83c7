#!/usr/bin/env bash
# A start from the find box hands the keyboard back when the started program opens no window (a tray tool,
# a program that starts minimized): an auto-hide bar behind another window, called up by the hotkey, "jsb"
# typed and Return start 记事本; the session ends at once, the window that had the foreground has it again
# and the bar slides back. The hotkey then calls the bar up again (it does not end a session left over),
# and a second find, "jsq" for 计算器, starts and hands back the same way.
# e2e-timeout: 180
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools
mkdir -p "$tools"
tw=$(winpath "$tools")
drive make-link "$tw\\记事本.lnk" "$rec_win" notes "$tw" >/dev/null || fail "link 记事本"
drive make-link "$tw\\计算器.lnk" "$rec_win" calc "$tw" >/dev/null || fail "link 计算器"
dir=$E2E_WORK/app
install_bar "$dir"
group_section 工具 "Directory=$tw\\" Height=200 | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 工具 | sed 's/^AutoHide=0/AutoHide=1/; s/^AutoHideInterval=60/AutoHideInterval=10/' |
  write_cp936 "$dir/Wendlix.INI"
start_behind_other "$dir"

find_and_start() {  # QUERY ARGUMENT WHAT
  : >"$record"
  call_up "$3"
  xdotool type --delay 80 "$1"
  wait_until 20 query_is "$1" || fail "$3: the box did not show query '$1': $(findbox)"
  xdotool key Return
  expect_record "cmd=\"$rec_win\" $2
dir=$tw" "$3: the start"
  expect_field session 0 "$3: the bar kept the keyboard after the start"
  expect_eq "$OTHER_WINDOW" "$(drive foreground)" "$3: the foreground went back to the window that had it"
}

find_and_start jsb notes "the first find"
got=$(wait_rect "$HIDDEN" 20) || fail "the bar did not slide back after the first start: $got"
find_and_start jsq calc "the second find"
got=$(wait_rect "$HIDDEN" 20) || fail "the bar did not slide back after the second start: $got"
stop_bar 20 || fail "the bar did not close by itself"
