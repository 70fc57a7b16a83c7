#!/usr/bin/env bash
# The find box under real typing: a stand-in bar docked on the left gets "qq音乐" typed as real key
# presses (the Chinese characters come through the input-method path), one docked on the bottom gets
# "yinyue"; the box opens beside the bar with the first character, finds QQ音乐, and Enter (after Down on
# the bottom, where 音乐播放器 comes first) hands that entry's id to the owner. A screenshot of the box on
# each edge is kept.
source "$(dirname "$0")/../lib.sh"

DEMO=${WENDLIX_FIND_DEMO:-$(dirname "$WENDLIX_DRIVER")/../find_demo/wendlix_find_demo.exe}
[ -f "$DEMO" ] || fail "no find demo program at $DEMO"

pixel_rgb() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# EDGE TEXT SHOWN KEYS...: types TEXT on a bar at EDGE, expects the description's first lines to be SHOWN,
# presses KEYS.
type_and_start() {
  local edge=$1 text=$2 shown=$3 out=$E2E_WORK/demo-$1.out shot=$E2E_ARTIFACTS/find-box-$1.png
  local i desc='' bar box left top right bottom r g b demo_pid
  (cd "$E2E_WORK" && exec "${WINE_CMD[@]}" "$DEMO" "$edge") >"$out" 2>&1 &
  demo_pid=$!
  drive wait WendlixFindDemoBar 30 >/dev/null || fail "$edge: no stand-in bar within 30 s"
  read -r left top right bottom < <(drive rect WendlixFindDemoBar)
  bar="$left $top $right $bottom"
  xdotool mousemove $(( (left + right) / 2 )) $(( (top + bottom) / 2 )) click 1
  xdotool type --delay 60 "$text"
  for (( i = 0; i < 200; i++ )); do
    desc=$(drive query WendlixFindDemoBar findbox)
    grep -qx $'query\t'"$text" <<<"$desc" && break
    sleep 0.05
  done
  expect_eq "$shown" "$(head -n "$(wc -l <<<"$shown")" <<<"$desc")" "$edge: what the box shows"

  read -r left top right bottom < <(drive rect TFindBox) || fail "$edge: no box window"
  box="$left $top $right $bottom"
  log "$edge: bar at $bar, box at $box"
  read -r _ bar_top bar_right _ <<<"$bar"
  case $edge in
    left) expect_eq "$bar_right" "$left" "$edge: the box's left side" ;;
    bottom) expect_eq "$bar_top" "$bottom" "$edge: the box's bottom side" ;;
  esac
  # Kept once painted: the title strip down the left is the menus' blue.
  for (( i = 0; i < 100; i++ )); do
    screenshot "$E2E_WORK/screen.png" >/dev/null || fail "screenshot failed"
    crop "$E2E_WORK/screen.png" $((right - left)) $((bottom - top)) "$left" "$top" "$shot"
    read -r r g b < <(pixel_rgb "$shot" 4 4)
    (( b > r + 40 )) && break
    sleep 0.1
  done
  (( b > r + 40 )) || fail "$edge: the box was never painted ($r $g $b)"

  shift 3
  xdotool key "$@"
  for (( i = 0; i < 200; i++ )); do
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$demo_pid" 2>/dev/null && fail "$edge: the stand-in bar did not end after Enter"
  wait "$demo_pid" || fail "$edge: the stand-in bar failed"
  expect_eq $'launch 7\nclosed launched' "$(tr -d '\r' <"$out")" "$edge: what the owner was told"
}

type_and_start left "qq音乐" $'query\tqq音乐\nstatus\trows\ncount\t1\t0\t0\nrow\t0\t6\t1\tQQ音乐\t娱乐' Return
type_and_start bottom "yinyue" $'query\tyinyue\nstatus\trows\ncount\t2\t0\t0\nrow\t0\t7\t1\t音乐播放器\t娱乐\nrow\t1\t6\t0\tQQ音乐\t娱乐' Down Return
log "typed, found and started on two edges"
