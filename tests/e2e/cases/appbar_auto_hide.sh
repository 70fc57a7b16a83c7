#!/usr/bin/env bash
# The first-start bar (right edge, auto-hide, always on top), moved with the real pointer: once another
# window is active and the pointer is away it stands at its sliver, topmost, reserving nothing; touching
# the screen edge slides it out, leaving slides it back. It keeps sliding when the usual conditions do not
# hold: the window the user worked in closes while the bar is hidden, so activation falls to the bar (the
# topmost window left), and touching the edge still slides it out; a DPI notice docks it again, wider, and
# its timer still runs.
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/app
mkdir -p "$dir" && cp "$WENDLIX_EXE" "$dir/"
free=$(drive appbar-query right 50)
xdotool mousemove 300 300
start_and_wait "$dir"
bar_foreground() { drive query "$WENDLIX_MAIN_CLASS" keyboard | grep -o 'foreground=[01]'; }
# Wine learns where the pointer is from the window under it, and the bare root window of Xvfb without a
# window manager reports nothing: "away" is over the other window.
slides() {  # WIDTH WHAT: out at the edge, back at the sliver when the pointer is away
  local got
  xdotool mousemove 1023 384
  got=$(wait_rect "$(docked_rect 2 "$1" 1024 768)" 20) || fail "$2: the bar did not slide out: $got"
  xdotool mousemove 500 375
  got=$(wait_rect "$(hidden_rect "$1")" 20) || fail "$2: the bar did not slide back to its sliver: $got"
  log "$2: out and back at $1 pixels"
}

activate_other_window
got=$(wait_rect "$(hidden_rect 86)" 20) || fail "the bar did not go to its sliver: $got"
bar_is_topmost || fail "an auto-hide bar is not topmost"
expect_eq "$free" "$(drive appbar-query right 50)" "a newcomer's place (an auto-hide bar reserves nothing)"
slides 86 "with another window active"

# The active window closes; the pointer stays off every window until it touches the edge.
drive close "$OTHER_WINDOW" || fail "could not close the other window"
expect_soon "foreground=1" "the bar after the other window closed" bar_foreground
xdotool mousemove 1023 384
got=$(wait_rect "$(docked_rect 2 86 1024 768)" 20) || fail "the active hidden bar did not slide out: $got"

# WM_DPICHANGED for 144 DPI (Wine sends none itself): the bar docks again, 129 pixels wide.
drive post "$WENDLIX_MAIN_CLASS" 0x02E0 $(( (144 << 16) | 144 )) 0 || fail "could not post the DPI notice"
got=$(wait_rect "$(docked_rect 2 129 1024 768)" 20) || fail "the bar did not dock again at 144 DPI: $got"
expect_eq "AutoHideTimer=1 AutoHide=1" "$(drive query "$WENDLIX_MAIN_CLASS" timer)" "the timer after the re-dock"
activate_other_window
slides 129 "after the DPI change"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq "1 2" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" AutoHide) $(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" \
  "saved AutoHide and edge"
