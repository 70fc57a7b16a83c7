#!/usr/bin/env bash
# A bar that does not hide, started at each of the four edges from its settings: it stands docked at that
# edge with the stored thickness, full length and without a caption. Always on top (left, top, bottom) it is
# topmost and reserves its strip (a newcomer on the same edge is pushed clear of it); not on top (right) it
# is not topmost and reserves nothing. Closing gives the strip back and keeps the keys in the settings.
# Screenshots of the bar at the left and bottom edges are kept. (The bar is owned by the hidden application
# window; Wine ignored HWND_NOTOPMOST for it until the owner was moved out of the way.)
source "$(dirname "$0")/../lib.sh"

names=(left top right bottom)
# One folder for all: the registry remembers the settings path of the first start.
dir=$E2E_WORK/app
mkdir -p "$dir" && cp "$WENDLIX_EXE" "$dir/"
for edge in 0 1 2 3; do
  name=${names[edge]} on_top=$(( edge != 2 )) thickness=86 key=Width
  (( edge == 1 || edge == 3 )) && thickness=100 key=Height
  write_bar_ini "$dir" $edge 0 $on_top 86 100
  free=$(drive appbar-query "$name" 50) || fail "appbar query on the free $name edge"
  start_and_wait "$dir"

  want=$(docked_rect $edge $thickness 1024 768)
  got=$(wait_rect "$want" 20) || fail "$name: the bar is not docked at $want: $got"
  ! bar_has_caption || fail "$name: a docked bar has a caption"
  read -r l t r b <<<"$want"
  read -r -a probe < <(drive appbar-query "$name" 50)
  if (( on_top )); then
    bar_is_topmost || fail "$name: an always-on-top bar is not topmost"
    # Wine moves only the side of a newcomer facing the bar's strip, so that side is what is compared.
    beside=("$r" "$b" "$l" "$t")
    expect_eq "${beside[edge]}" "${probe[edge]}" "$name: a newcomer's side, beside the bar"
  else
    ! bar_is_topmost || fail "$name: a bar that is not always on top is topmost"
    expect_eq "$free" "${probe[*]}" "$name: a newcomer's place (nothing reserved)"
  fi
  if (( edge == 0 || edge == 3 )); then
    shot_rect "docked-$name.png" "$l" "$t" "$r" "$b"
    level=$(mean_level "$E2E_ARTIFACTS/docked-$name.png")
    awk -v v="$level" 'BEGIN { exit !(v > 0.3) }' || fail "$name: the bar's strip is not drawn (level $level)"
  fi

  stop_bar 20 || fail "$name: the bar did not close by itself with exit code 0"
  expect_eq "$free" "$(drive appbar-query "$name" 50)" "$name: the strip after closing (ABM_REMOVE)"
  expect_eq "$edge $thickness $on_top" "$(for k in Edge $key AlwaysOnTop; do ini_get "$dir/Wendlix.INI" "Wendlix V3.0" "$k"; done | paste -sd' ')" \
    "$name: saved edge, thickness and on-top"
  log "$name: docked at $want"
done
