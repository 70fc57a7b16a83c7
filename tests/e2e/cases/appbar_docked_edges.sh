#!/usr/bin/env bash
# An always-on-top bar that does not hide, started at each of the four edges from its settings: it stands
# docked at that edge with the stored thickness, full length, topmost and without a caption; it reserves
# its strip (a newcomer on the same edge is pushed clear of it); closing gives the strip back and keeps
# the edge in the settings. Screenshots of the bar at the left and bottom edges are kept.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../appbar_lib.sh"

read -r screenW screenH < <(drive screen)
for edge in 0 1 2 3; do
  name=$(edge_name $edge)
  # One folder for all: the registry remembers the settings path of the first start.
  dir=$E2E_WORK/app
  write_bar_ini "$dir" $edge 0 1 86 100
  cp "$WENDLIX_EXE" "$dir/Wendlix.exe"
  free=$(drive appbar-query "$name" 50) || fail "appbar query on the free $name edge"
  start_and_wait "$dir"

  thickness=86
  (( edge == 1 || edge == 3 )) && thickness=100
  want=$(docked_rect $edge $thickness "$screenW" "$screenH")
  got=$(wait_rect "$want" 20) || fail "$name: the bar is not docked at $want: $got"
  bar_is_topmost || fail "$name: an always-on-top bar is not topmost"
  ! bar_has_caption || fail "$name: a docked bar has a caption"

  # A 50-pixel newcomer on the same edge is pushed clear of the bar. Wine moves only the side facing the
  # bar's strip, so that side is what is compared.
  read -r l t r b <<<"$want"
  read -r -a probe < <(drive appbar-query "$name" 50)
  case $edge in
    0) expect_eq "$r" "${probe[0]}" "$name: a newcomer's left side, beside the bar" ;;
    1) expect_eq "$b" "${probe[1]}" "$name: a newcomer's top side, beside the bar" ;;
    2) expect_eq "$l" "${probe[2]}" "$name: a newcomer's right side, beside the bar" ;;
    3) expect_eq "$t" "${probe[3]}" "$name: a newcomer's bottom side, beside the bar" ;;
  esac

  if (( edge == 0 || edge == 3 )); then
    shot=$E2E_ARTIFACTS/docked-$name.png
    screenshot "$E2E_ARTIFACTS/screen-$name.png" >/dev/null || fail "screenshot"
    crop "$E2E_ARTIFACTS/screen-$name.png" $((r - l)) $((b - t)) "$l" "$t" "$shot"
    level=$(mean_level "$shot")
    awk -v v="$level" 'BEGIN { exit !(v > 0.3) }' || fail "$name: the bar's strip is not drawn (level $level)"
  fi

  stop_bar 20 || fail "$name: the bar did not close by itself with exit code 0"
  expect_eq "$free" "$(drive appbar-query "$name" 50)" "$name: the strip after closing (ABM_REMOVE)"
  expect_eq "$edge" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" Edge)" "$name: saved edge"
  expect_eq "$thickness" "$(ini_get "$dir/Wendlix.INI" "Wendlix V3.0" \
    "$( (( edge == 1 || edge == 3 )) && echo Height || echo Width)")" "$name: saved thickness"
  log "$name: docked at $want, topmost, reserved, released on close"
done
