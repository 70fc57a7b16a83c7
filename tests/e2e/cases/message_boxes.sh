#!/usr/bin/env bash
# The four message boxes drawn for real: each kind is shown by a small demo program that links the bar's
# own Win32 library, looked at (title, controls, the message area's colour, Chinese text in a screenshot
# kept as an artefact) and answered with real key presses: Enter answers 1, Escape 2 on a question and 1 on
# a box that has only OK. An empty caption gives an empty title.
source "$(dirname "$0")/../lib.sh"

DEMO=${WENDLIX_MSGBOX_DEMO:-$(dirname "$WENDLIX_DRIVER")/../msgbox_demo/wendlix_msgbox_demo.exe}
[ -f "$DEMO" ] || fail "no message-box demo program at $DEMO"
DEMO_PID=

show_box() {
  (cd "$E2E_WORK" && exec "${WINE_CMD[@]}" "$DEMO" "$@") >"$E2E_WORK/demo.out" 2>&1 &
  DEMO_PID=$!
  drive wait TMessageForm 30 >/dev/null || fail "no TMessageForm window within 30 s for: $*"
  local i
  for (( i = 0; i < 200; i++ )); do
    drive visible TMessageForm && return 0
    sleep 0.05
  done
  fail "the message window never became visible"
}

# Presses KEY on the box and checks the demo's exit code (the modal result).
answer_box() {
  local key=$1 want=$2 i status
  read -r left top _ _ < <(drive rect TMessageForm)
  # A click inside the message area (not the title strip, which drags) gives the box the keyboard.
  xdotool mousemove $((left + 8)) $((top + 60)) click 1
  xdotool key "$key"
  for (( i = 0; i < 200; i++ )); do
    kill -0 "$DEMO_PID" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$DEMO_PID" 2>/dev/null && fail "the box did not close after $key"
  wait "$DEMO_PID"
  status=$?
  DEMO_PID=
  expect_eq "$want" "$status" "answer to $key"
}

pixel_rgb() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# Waits for the box to be painted (the message area shows its colour), keeps a crop of it.
look_at_box() {
  local kind=$1 want_rgb=$2 shot=$E2E_ARTIFACTS/msgbox-$1.png left top right bottom i rgb=
  read -r left top right bottom < <(drive rect TMessageForm) || fail "no rectangle"
  (( right - left > 100 && bottom - top > 80 )) || fail "implausible box size: $left $top $right $bottom"
  for (( i = 0; i < 100; i++ )); do
    screenshot "$E2E_WORK/screen.png" >/dev/null || fail "screenshot failed"
    crop "$E2E_WORK/screen.png" $((right - left)) $((bottom - top)) "$left" "$top" "$shot"
    rgb=$(pixel_rgb "$shot" 8 30)
    [ "$rgb" = "$want_rgb" ] && break
    sleep 0.1
  done
  expect_eq "$want_rgb" "$rgb" "$kind: colour of the message area"
  # The strip's frame is drawn in the window-frame colour, the body in the button face.
  [ "$(pixel_rgb "$shot" 1 $((bottom - top - 10)))" != "0 0 0" ] || fail "$kind: body not painted"
  log "$kind: $((right - left))x$((bottom - top)) at $left,$top, screenshot $shot"
}

check_controls() {
  local kind=$1 buttons=$2 statics
  local children
  children=$(drive children TMessageForm) || fail "no children"
  printf '%s\n' "$children"
  expect_eq "$buttons" "$(grep -c $'\tButton\t' <<<"$children")" "$kind: buttons"
  statics=$(grep -c $'\tStatic\t' <<<"$children")
  expect_eq 2 "$statics" "$kind: icon and text"
}

screen_w=$(drive screen | cut -d' ' -f1)

show_box warning
expect_eq "警告" "$(drive title TMessageForm)" "warning title"
check_controls warning 1
look_at_box warning "254 240 214"
# Centred on the screen.
read -r left _ right _ < <(drive rect TMessageForm)
expect_eq $(( (screen_w - (right - left)) / 2 )) "$left" "warning box left"
answer_box Escape 1

show_box error
expect_eq "错误" "$(drive title TMessageForm)" "error title"
check_controls error 1
look_at_box error "255 185 185"
answer_box Return 1

show_box info
expect_eq "提示" "$(drive title TMessageForm)" "information title"
look_at_box info "255 255 255"
answer_box Return 1

show_box confirm
expect_eq "确认" "$(drive title TMessageForm)" "question title"
check_controls confirm 2
look_at_box confirm "254 240 214"
answer_box Escape 2

# shellcheck disable=SC1111  # the caption's own quotation marks
show_box confirm "要删除分组“常用工具”吗？"
answer_box Return 1

show_box warning "没有标题的警告。" ""
expect_eq "" "$(drive title TMessageForm)" "empty caption"
look_at_box warning-empty-caption "254 240 214"
answer_box Return 1
log "all four boxes shown and answered"
