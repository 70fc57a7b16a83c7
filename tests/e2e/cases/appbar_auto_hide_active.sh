#!/usr/bin/env bash
# The first-start bar (right edge, auto-hide) keeps sliding when the usual conditions do not hold. The
# window the user worked in closes while the bar is hidden, so activation falls to the bar (the topmost
# window left): touching the screen edge still slides it out. A DPI notice docks it again, wider: its
# timer still runs, so with another window active it goes back to its sliver and comes out again.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

dir=$E2E_WORK/app
mkdir -p "$dir"
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
xdotool mousemove 300 300
start_and_wait "$dir"
# Asked once the bar is up; a border of 0 would put every sliver below in the wrong place.
read -r screenW screenH < <(drive screen)
border=$(drive metric 5)  # SM_CXBORDER
(( border > 0 )) || fail "no border width: '$border'"

# Where the bar stands hidden when WIDTH pixels wide; whether it is the foreground window.
hidden_at() { echo "$((screenW - 2 * border)) 0 $((screenW - 2 * border + $1)) $screenH"; }
bar_foreground() { drive query "$WENDLIX_MAIN_CLASS" keyboard | grep -o 'foreground=[01]'; }

activate_other_window
other=$(head -n 1 "$E2E_WORK/other0.txt")
got=$(wait_rect "$(hidden_at 86)" 20) || fail "the bar did not go to its sliver: $got"

# The active window closes; the pointer stays off every window until it touches the edge.
drive close "$other" || fail "could not close the other window"
expect_soon "foreground=1" "the bar after the other window closed" bar_foreground
xdotool mousemove $((screenW - 1)) $((screenH / 2))
shown=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$shown" 20) || fail "the active hidden bar did not slide out to $shown: $got"
log "activation fell to the hidden bar; at the edge it came out"

# WM_DPICHANGED for 144 DPI (Wine sends none itself): the bar docks again, 129 pixels wide.
drive post "$WENDLIX_MAIN_CLASS" 0x02E0 $(( (144 << 16) | 144 )) 0 || fail "could not post the DPI notice"
wide=$(docked_rect 2 129 "$screenW" "$screenH")
got=$(wait_rect "$wide" 20) || fail "the bar did not dock again at 144 DPI: $got"
expect_eq "AutoHideTimer=1 AutoHide=1" "$(drive query "$WENDLIX_MAIN_CLASS" timer)" "the timer after the re-dock"
activate_other_window
xdotool mousemove 500 375  # onto the other window
got=$(wait_rect "$(hidden_at 129)" 20) || fail "after the DPI change the bar did not go to its sliver: $got"
xdotool mousemove $((screenW - 1)) $((screenH / 2))
got=$(wait_rect "$wide" 20) || fail "after the DPI change the bar did not slide out: $got"
log "after the DPI change: hidden and out again at 129 pixels"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
