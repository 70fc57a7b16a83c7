#!/usr/bin/env bash
# Builds the 64-bit program and runs it under Wine from build/run/win64, a standing installation: the
# program is refreshed from dist/win64 on each run, its settings files there are kept (dist/ itself stays
# the pristine build output that tests copy). With DISPLAY set it appears on your display. Without, it
# runs on a private Xvfb and, once the bar has slid out (the pointer is put at its edge), the screen is
# saved as dist/screenshot.png. Runs until the bar exits or Ctrl-C, which closes the bar and stops its
# Wine server and the Xvfb.
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
cd "$WX_ROOT" || exit 1

bash "$WX_ROOT/scripts/setup.sh" || exit 1
# Status 2: a test failed to build, the program did not; it can run.
bash "$WX_ROOT/scripts/build.sh" win64
[ $? = 1 ] && exit 1
wx_wine_prepare || exit 1

# This prefix is kept between runs, as a user's would be (the registry remembers the settings path); it
# is renewed only when the prepared prefix changes.
prefix=$WX_WINE_DIR/run
if ! cmp -s "$prefix/.wendlix-prepared" "$WX_WINE_TEMPLATE/.wendlix-prepared"; then
  wx_prefix_copy "$prefix"
fi
export WINEPREFIX=$prefix

driver=$WX_BUILD/win64/tests/e2e/driver/wendlix_driver.exe
bar_pid=
xvfb_pid=
# shellcheck disable=SC2317  # run by the traps
cleanup() {
  trap - INT TERM EXIT
  if [ -n "$bar_pid" ] && kill -0 "$bar_pid" 2>/dev/null; then
    # Closed like a user closes it, so that it saves its settings; stopped hard only if it will not go.
    wx_wine "$driver" close TWendlixMainForm >/dev/null 2>&1
    local tries
    for (( tries = 0; tries < 200; tries++ )); do
      kill -0 "$bar_pid" 2>/dev/null || break
      sleep 0.05
    done
    kill "$bar_pid" 2>/dev/null
  fi
  wx_prefix_stop "$prefix"
  [ -n "$xvfb_pid" ] && wx_xvfb_stop "$xvfb_pid"
}
trap 'echo "run: stopping"; cleanup; exit 130' INT TERM
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  wx_xvfb_start "${WENDLIX_DISPLAY_BASE:-90}" || exit 1
  xvfb_pid=$WX_XVFB_PID
  export DISPLAY=$WX_XVFB_DISPLAY
  echo "run: no DISPLAY; using a private Xvfb on $DISPLAY"
fi

app=$WX_BUILD/run/win64
mkdir -p "$app"
cp -f "$WX_DIST/win64/Wendlix.exe" "$app/"
for f in "$WX_DIST/win64"/*; do
  [ -e "$app/$(basename "$f")" ] || cp -a "$f" "$app/"
done
echo "run: starting $app/Wendlix.exe (its settings stay in that folder)"
(cd "$app" && exec env "${WX_WINE_LOCALE[@]}" "$WX_WINE64" "$app/Wendlix.exe") &
bar_pid=$!

if ! hwnd=$(wx_wine "$driver" wait TWendlixMainForm 60); then
  echo "run: the bar's window did not appear within 60 s" >&2
  exit 1
fi
echo "run: Wendlix is running (window ${hwnd//$'\r'/})"
echo "run: on a first run the bar hides at the right edge of the screen: it slides out when the pointer"
echo "run: touches that edge, or with Win+Alt+W"

# True when the bar stands wholly on the screen, not hidden as a sliver at its edge.
bar_out() {
  local l t r b sw sh
  read -r l t r b < <(wx_wine "$driver" rect TWendlixMainForm | tr -d '\r') || return 1
  read -r sw sh < <(wx_wine "$driver" screen | tr -d '\r') || return 1
  (( l >= 0 && t >= 0 && r <= sw && b <= sh && r - l > 2 && b - t > 2 ))
}

if [ $headless = 1 ]; then
  # The picture shows the bar slid out: the pointer goes to the middle of the edge it docks at, as
  # a user's would.
  edge=$(wx_wine "$driver" query TWendlixMainForm layout | tr -d '\r' | awk -F'\t' '$1 == "edge" { print $2 }')
  read -r sw sh < <(wx_wine "$driver" screen | tr -d '\r')
  case $edge in
    0) xdotool mousemove 0 $((sh / 2)) ;;
    1) xdotool mousemove $((sw / 2)) 0 ;;
    3) xdotool mousemove $((sw / 2)) $((sh - 1)) ;;
    *) xdotool mousemove $((sw - 1)) $((sh / 2)) ;;
  esac
  for (( tries = 0; tries < 200; tries++ )); do
    bar_out && break
    sleep 0.1
  done
  bar_out || echo "run: the bar did not slide out; the picture shows it hidden" >&2
  # Let the slide's last frame be painted before the picture is taken.
  sleep 1
  if import -display "$DISPLAY" -window root "$WX_DIST/screenshot.png"; then
    echo "run: screenshot written to dist/screenshot.png"
  else
    echo "run: could not take the screenshot" >&2
  fi
fi
echo "run: Ctrl-C stops it"

wait "$bar_pid"
status=$?
bar_pid=
echo "run: Wendlix ended with exit code $status"
exit $status
