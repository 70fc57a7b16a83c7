#!/usr/bin/env bash
# The system tweaks menu's seven window commands on stand-ins for the shell's windows, each read
# back from the window itself; their opposites undo them; whatever the bar still holds hidden or
# disabled when it closes is shown and enabled again.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
source "$(dirname "$0")/../fake_shell_lib.sh"

start_fake_shell
dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

# Item, then the state after it: taskbar, start button, desktop icons, desktop.
steps=(
  P3 "11 11 10 11"  WindowsW1 "11 10 10 11"  A3 "10 10 10 11"  D7 "10 10 10 01"
  D6 "10 10 00 01"  Windows1 "10 00 00 01"  A2 "00 00 00 01"
  # The opposites, offered by the same items now.
  P3 "00 00 01 01"  WindowsW1 "00 01 01 01"  A3 "01 01 01 01"  D7 "01 01 01 11"
  D6 "01 01 11 11"  Windows1 "01 11 11 11"  A2 "11 11 11 11"
  # Taken away again, to be given back at close.
  A2 "01 11 11 11"  WindowsW1 "01 10 11 11"  D6 "01 10 01 11"  D7 "01 10 01 01"
)
for (( i = 0; i < ${#steps[@]}; i += 2 )); do
  choose_sys_item "${steps[i]}"
  expect_eq "${steps[i + 1]}" "$(shell_state)" "after ${steps[i]} (step $((i / 2 + 1)))"
done
# The start button keeps its own visible bit on the hidden taskbar: the menu offers to hide it.
expect_eq '隐藏 Windows "开始" 按钮(&W)' "$(sys_caption Windows1)" "start button caption on a hidden taskbar"
expect_eq '显示应用程序工具条(&A)' "$(sys_caption A2)" "taskbar caption"
screenshot "$E2E_ARTIFACTS/taken-away.png" >/dev/null

stop_bar 20 || fail "the bar did not close by itself"
expect_eq "11 11 11 11" "$(shell_state)" "all given back at close"
log "seven commands, their opposites, and a close that gives everything back"
