#!/usr/bin/env bash
# Dragging the bar by its background with the real pointer moves it to the edge the pointer heads for.
# The bar does not allow floating, so holding Ctrl during the drag changes nothing: it docks, without a
# caption, keeps its thickness, and the new edge is saved.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
dir=$E2E_WORK/app
write_bar_ini "$dir" 2 0 1 86 100
cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
start_and_wait "$dir"
right=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$right" 20) || fail "the bar is not docked right at $right: $got"

# drag X Y [KEY]: press on the bar's middle, move to X Y in steps, release.
drag() {
  local x=$1 y=$2 key=${3:-} l t r b cx cy i
  read -r l t r b < <(drive rect "$WENDLIX_MAIN_CLASS")
  cx=$(( (l + r) / 2 )) cy=$(( (t + b) / 2 ))
  xdotool mousemove $cx $cy
  sleep 0.3
  [ -n "$key" ] && xdotool keydown "$key"
  xdotool mousedown 1
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(( cx + (x - cx) * i / 8 )) $(( cy + (y - cy) * i / 8 ))
    sleep 0.1
  done
  xdotool mouseup 1
  [ -n "$key" ] && xdotool keyup "$key"
}

drag 120 $((screenH / 2)) ctrl
left=$(docked_rect 0 86 "$screenW" "$screenH")
got=$(wait_rect "$left" 20) || fail "a Ctrl-drag to the left did not dock the bar left at $left: $got"
! bar_has_caption || fail "the bar floats (has a caption) after a Ctrl-drag"
log "Ctrl-drag: docked left at $left"

drag $((screenW / 2)) $((screenH - 20))
bottom=$(docked_rect 3 86 "$screenW" "$screenH")
got=$(wait_rect "$bottom" 20) || fail "a drag to the bottom did not dock the bar there at $bottom: $got"
log "drag: docked at the bottom at $bottom, the thickness kept"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 3 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "saved edge"
