# shellcheck shell=bash
# Helpers of the desktop-edge cases (cases/appbar_*.sh), sourced after lib.sh and startup_lib.sh.
# The screen of a case is 1024x768; Wine never shrinks the work area, so reservations are seen through
# the driver's appbar-query (a newcomer on an edge is pushed clear of what the bar reserves).

# Writes DIR/Wendlix.INI (code page 936 is plain ASCII here) with the given appbar settings:
#   write_bar_ini DIR EDGE AUTOHIDE ALWAYSONTOP [WIDTH] [HEIGHT]
write_bar_ini() {
  local dir=$1
  mkdir -p "$dir"
  printf '%s\r\n' "[Wendlix V3.0]" "AutoRun=0" "AutoHide=$3" "AlwaysOnTop=$4" "Edge=$2" \
    "Width=${5:-86}" "Height=${6:-100}" "AutoHideInterval=10" >"$dir/Wendlix.INI"
}

# Waits up to S seconds until the main window's rectangle is "L T R B"; prints the last one seen.
wait_rect() {
  local want=$1 limit=$2 start=$SECONDS got
  while :; do
    got=$(drive rect "$WENDLIX_MAIN_CLASS")
    [ "$got" = "$want" ] && { printf '%s\n' "$got"; return 0; }
    (( SECONDS - start >= limit )) && { printf '%s\n' "$got"; return 1; }
    sleep 0.1
  done
}

# Exit 0 when the main window is topmost.
bar_is_topmost() {
  local style exstyle
  read -r style exstyle < <(drive style "$WENDLIX_MAIN_CLASS")
  (( exstyle & 0x8 ))
}

# Exit 0 when the main window has a caption (WS_CAPTION), as only a floating bar has.
bar_has_caption() {
  local style exstyle
  read -r style exstyle < <(drive style "$WENDLIX_MAIN_CLASS")
  (( (style & 0x00C00000) == 0x00C00000 ))
}

# The rectangle a docked bar of THICKNESS has on EDGE (0 left, 1 top, 2 right, 3 bottom) of a W x H screen.
docked_rect() {
  local edge=$1 t=$2 w=$3 h=$4
  case $edge in
    0) echo "0 0 $t $h" ;;
    1) echo "0 0 $w $t" ;;
    2) echo "$((w - t)) 0 $w $h" ;;
    3) echo "0 $((h - t)) $w $h" ;;
  esac
}

edge_name() {
  local names=(left top right bottom)
  echo "${names[$1]}"
}

# Opens a window of the driver's own that takes the activation for the rest of the case (it is closed
# when the case exits; it stays [SECONDS], default 100) and returns once it is up.
_other_windows=()
activate_other_window() {
  local out=$E2E_WORK/other${#_other_windows[@]}.txt i
  wine_run "$WENDLIX_DRIVER" activate-other "${1:-100}" >"$out" &
  _other_windows+=($!)
  trap 'kill "${_other_windows[@]}" 2>/dev/null; _e2e_cleanup' EXIT
  for (( i = 0; i < 200; i++ )); do
    [ -s "$out" ] && return 0
    sleep 0.1
  done
  fail "the other window did not appear"
}
