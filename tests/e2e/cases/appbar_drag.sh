#!/usr/bin/env bash
# Dragging the bar by a group's background with the real pointer moves it to the edge the pointer heads
# for, and already has that edge's place and shape while the button is still down. The bar does not allow
# floating, so Ctrl pressed during the drag changes nothing: it docks, without
# a caption, keeps its thickness, and the new edge is saved. A press with Shift, Ctrl or Alt held does not
# drag the bar at all.
source "$(dirname "$0")/../lib.sh"

mkdir -p "$E2E_WORK/Empty"
dir=$E2E_WORK/app
install_bar "$dir"
group_section Tools "Directory=$(winpath "$E2E_WORK/Empty")" Height=300 | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 86 100 1 Tools | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
got=$(wait_rect "$(docked_rect 2 86 1024 768)" 20) || fail "the bar is not docked right: $got"

# The screen point in the middle of the empty group's background.
group_middle() {
  local cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  IFS=, read -r x y <<<"$(centre "$(panel_rect Tools)")"
  echo $((cl + x)) $((ct + y))
}
# drag FROM_X FROM_Y TO_X TO_Y [KEY [after]]: press at FROM, move to TO in steps, release; KEY is held
# from before the press, or from the first step when "after" follows. Paced like a hand, so that the bar's
# drag loop sees each step.
drag() {
  local fx=$1 fy=$2 x=$3 y=$4 key=${5:-} when=${6:-before} i
  xdotool mousemove "$fx" "$fy" sleep 0.3
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
drag "$gx" "$gy" 120 384 ctrl after
got=$(wait_rect "$(docked_rect 0 86 1024 768)" 20) || fail "a drag to the left with Ctrl pressed on the way did not dock the bar left: $got"
! bar_has_caption || fail "the bar floats (has a caption) after Ctrl was held in the drag"

# Pressed with a key held, the background does not take the bar along to the right edge. The plain drag
# that follows starts from the same point, so it finds the bar there only if none of them moved it.
read -r gx gy <<<"$(group_middle)"
for key in shift ctrl alt; do
  drag "$gx" "$gy" 1004 384 "$key"
done
drag "$gx" "$gy" 512 748
got=$(wait_rect "$(docked_rect 3 86 1024 768)" 20) ||
  fail "the plain drag from the left did not dock the bar at the bottom (a drag with Shift, Ctrl or Alt moved it?): $got"

# Held half-way, the bar is where it would dock and in that edge's shape: the right edge, then the top.
read -r gx gy <<<"$(group_middle)"
xdotool mousemove "$gx" "$gy" sleep 0.3 mousedown 1
held_at() {  # X Y EDGE: paced steps to X,Y with the button down; the bar docked at EDGE meanwhile
  local i sx sy
  read -r sx sy < <(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
  for i in 1 2 3 4 5 6; do xdotool mousemove $(( sx + ($1 - sx) * i / 6 )) $(( sy + ($2 - sy) * i / 6 )) sleep 0.1; done
  got=$(wait_rect "$(docked_rect "$3" 86 1024 768)" 20) || {
    screenshot "$E2E_ARTIFACTS/held-$3.png" >/dev/null; xdotool mouseup 1; fail "held at $1,$2 the bar is not at edge $3: $got"; }
}
held_at 1000 384 2
held_at 700 60 1
screenshot "$E2E_ARTIFACTS/held-top.png" >/dev/null
xdotool mouseup 1
got=$(wait_rect "$(docked_rect 1 86 1024 768)" 20) || fail "released at the top the bar did not dock there: $got"

stop_bar 20 || fail "the bar did not close by itself with exit code 0"
expect_eq 1 "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "saved edge"
