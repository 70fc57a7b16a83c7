#!/usr/bin/env bash
# Dragging the bar by a group's background with the real pointer moves it to the edge the pointer heads
# for. The bar does not allow floating, so Ctrl pressed during the drag changes nothing: it docks, without
# a caption, keeps its thickness, and the new edge is saved. A press with Shift, Ctrl or Alt held does not
# drag the bar at all.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

read -r screenW screenH < <(drive screen)
mkdir -p "$E2E_WORK/Empty"
dir=$E2E_WORK/app
install_bar "$dir"
group_section Tools "Directory=$(winpath "$E2E_WORK/Empty")" Height=300 | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 86 100 1 Tools | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
right=$(docked_rect 2 86 "$screenW" "$screenH")
got=$(wait_rect "$right" 20) || fail "the bar is not docked right at $right: $got"

# The screen point in the middle of the empty group's background.
group_middle() {
  local l t r b cl ct
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' '$3 == "Tools" { print $8 }')"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}

# drag FROM_X FROM_Y TO_X TO_Y [KEY [after]]: press at FROM, move to TO in steps, release; KEY is held
# from before the press, or from the first step when "after" follows.
drag() {
  local fx=$1 fy=$2 x=$3 y=$4 key=${5:-} when=${6:-before} i
  xdotool mousemove "$fx" "$fy"
  sleep 0.3
  [ -n "$key" ] && [ "$when" = before ] && xdotool keydown "$key"
  xdotool mousedown 1
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(( fx + (x - fx) * i / 8 )) $(( fy + (y - fy) * i / 8 ))
    [ -n "$key" ] && [ "$when" = after ] && [ "$i" = 1 ] && xdotool keydown "$key"
    sleep 0.1
  done
  xdotool mouseup 1
  [ -n "$key" ] && xdotool keyup "$key"
}

read -r gx gy <<<"$(group_middle)"
drag "$gx" "$gy" 120 $((screenH / 2)) ctrl after
left=$(docked_rect 0 86 "$screenW" "$screenH")
got=$(wait_rect "$left" 20) || fail "a drag to the left with Ctrl pressed on the way did not dock the bar left at $left: $got"
! bar_has_caption || fail "the bar floats (has a caption) after Ctrl was held in the drag"
log "Ctrl on the way: docked left at $left"

# Pressed with a key held, the background does not take the bar along to the right edge. The plain drag
# that follows starts from the same point, so it finds the bar there only if none of them moved it.
read -r gx gy <<<"$(group_middle)"
for key in shift ctrl alt; do
  drag "$gx" "$gy" $((screenW - 20)) $((screenH / 2)) "$key"
done
drag "$gx" "$gy" $((screenW / 2)) $((screenH - 20))
bottom=$(docked_rect 3 86 "$screenW" "$screenH")
got=$(wait_rect "$bottom" 20) ||
  fail "the plain drag from the left did not dock the bar at the bottom at $bottom (a drag with Shift, Ctrl or Alt moved it?): $got"
log "Shift, Ctrl and Alt presses left the bar; the plain drag docked it at the bottom at $bottom"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 3 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "saved edge"
