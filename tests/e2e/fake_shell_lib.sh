# shellcheck shell=bash
# Stand-ins for the shell's windows (wendlix_fake_shell.exe beside the driver) and the system tweaks menu
# driven by keyboard. Sourced after lib.sh.
#   start_fake_shell          start the stand-ins and wait for them; they are restored and closed when the
#                             case ends, whatever happens
#   shell_state               "VE VE VE VE": own WS_VISIBLE bit and enabled, 1 or 0, for taskbar, start
#                             button, desktop icons and desktop
#   choose_sys_item NAME      open the system tweaks menu on the title strip and run the item NAME
#   sys_caption NAME          the caption of a system tweaks menu item, from the bar's query

FAKE_SHELL=$(dirname "$WENDLIX_DRIVER")/wendlix_fake_shell.exe

# The system tweaks menu as Windows NT shows it, by item name: the number of Down keys.
declare -A SYS_ITEM=([S8]=1 [D5]=2 [P3]=3 [WindowsW1]=4 [A3]=5 [D7]=6 [D6]=7 [Windows1]=8 [A2]=9 [muReLoad]=10)

# A short-lived Wine process now and then comes back with no output on a loaded machine: ask again
# rather than report an empty state.
_shell_state_once() { SHELL_STATE=$(wine_run "$FAKE_SHELL" state | tr -d '\r'); [ -n "$SHELL_STATE" ]; }
shell_state() {
  wait_until 10 _shell_state_once || log "the fake shell's state came back empty" >&2
  printf '%s\n' "$SHELL_STATE"
}

start_fake_shell() {
  [ -f "$FAKE_SHELL" ] || fail "no fake shell beside the driver"
  wine_run "$FAKE_SHELL" &
  # No case leaves a shell window hidden or disabled, even when it fails.
  on_exit "wine_run '$FAKE_SHELL' restore; drive close Progman"
  drive wait Progman 30 >/dev/null || fail "the fake shell did not start"
  drive wait Shell_TrayWnd 30 >/dev/null || fail "the fake shell has no taskbar"
  expect_eq "11 11 11 11" "$(shell_state)" "the fake shell's windows at the start"
}

choose_sys_item() {
  local downs=${SYS_ITEM[$1]} l t ll lt
  [ -n "$downs" ] || fail "unknown item $1"
  read_layout
  IFS=, read -r ll lt _ _ <<<"$(layout_lines logo | cut -f2)"
  read -r l t _ _ <<<"$(drive rect "$WENDLIX_MAIN_CLASS")"
  drive post "$WENDLIX_MAIN_CLASS" 0x7B "$(drive find "$WENDLIX_MAIN_CLASS")" \
    $(( ((t + lt + 5) << 16) | (l + ll + 5) )) >/dev/null
  _menu_opened || fail "the system tweaks menu did not open for $1"
  # shellcheck disable=SC2046  # one key a word
  xdotool key --delay 30 $(printf 'Down %.0s' $(seq "$downs")) Return
  drive wait-gone '#32768' 10 || fail "the system tweaks menu stayed open after $1"
}

sys_caption() {
  drive query "$WENDLIX_MAIN_CLASS" sysmenu |
    awk -F'\t' -v name="$1" '{ sub(/^ +/, "", $1) } $1 == name { print $2; exit }'
}
