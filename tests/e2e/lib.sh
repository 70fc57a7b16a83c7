# shellcheck shell=bash
# End-to-end test library: the real Wendlix.exe under Wine on a private X display, driven from outside.
#
# Convention for cases
# --------------------
# A case is tests/e2e/cases/<name>.sh, a bash script that starts with
#     source "$(dirname "$0")/../lib.sh"
# and exits 0 when it passes, or calls `skip REASON` when it cannot run here (scripts/test.sh fails on a
# skip that tests/expected-skips.txt does not accept). scripts/test.sh runs every case under `timeout`
# (120 s, E2E_TIMEOUT overrides; a line "# e2e-timeout: S" near the top asks for more), each with:
#   WINEPREFIX      a fresh copy of the prepared prefix (Managed=N, CJK font substitutes), used by no one else
#   DISPLAY         its own Xvfb, 1024x768x24, no window manager (a case with a line "# e2e-screens: 2" near
#                   its top gets a second screen of 800x600 joined by Xinerama)
#   WENDLIX_EXE     unix path of the Wendlix.exe under test (dist/win64, files shipped with it beside it)
#   WENDLIX_DRIVER  unix path of wendlix_driver.exe (run it through `drive`, below)
#   WENDLIX_WINE    the Wine loader to use; WENDLIX_LOCPATH the folder holding the zh_CN.UTF-8 locale
#   E2E_WORK        an empty scratch folder for this case
#   E2E_ARTIFACTS   a folder for screenshots and files worth keeping; kept after the run, also on success
# `scripts/e2e.sh NAME...` runs chosen cases the same way (after building the 64-bit program).
# The case's output goes to build/logs/e2e/<name>.log and is shown in full when it fails. After the case,
# test.sh stops the prefix's wineserver and the Xvfb, so a case need not clean up after a failure.
# Rules: never assert on timing and never sleep to wait for something (wait for the condition with a
# generous limit: wait_until, expect_soon); find windows by class through the driver; take rectangles from
# the driver, not from X tools; keep one bar per case unless the case is about several.
#
# Running the bar
#   install_bar DIR           copy Wendlix.exe and the files beside it into DIR
#   start_bar [DIR]           install into DIR (default $E2E_WORK/app) if needed, run it from there in the
#                             background; sets BAR_PID (the program's process) and BAR_DIR
#   start_and_wait DIR        start_bar, then wait until the main window is shown (settings read, docked)
#   wait_bar_exit S           wait up to S seconds for BAR_PID to end; sets BAR_STATUS to its exit code
#   stop_bar [S]              close the main window and wait for the exit (default 20 s), killing it if it
#                             does not go; returns 0 only when it ended by itself with status 0
#   kill_bar                  SIGKILL to the bar (no close, no save) and wait until its window is gone
# Waiting and checking
#   wait_until S CMD...       run CMD every 0.1 s until it succeeds; 1 when S seconds pass first
#   expect_eq WANT GOT WHAT   fail unless WANT = GOT
#   expect_soon WANT WHAT CMD...  expect_eq for a result still on its way: CMD's output, asked again for 20 s
#   expect_steady WANT WHAT S CMD...  CMD's output is WANT throughout S seconds (that nothing happens)
#   log MSG / fail MSG / skip REASON
# Windows and the driver
#   drive ARGS...             run the driver (see wendlix_driver.exe without arguments for commands)
#   wait_for_window CLASS S   wait up to S seconds until a window of CLASS exists; prints its handle
#   close_window CLASS        post WM_CLOSE
#   screenshot [FILE]         the whole screen as PNG (default $E2E_ARTIFACTS/screen.png); prints the path
#   crop IN W H X Y OUT       cut a rectangle out of a picture; mean_level FILE: its brightness 0..1
#   pixel_rgb FILE X Y        "R G B" of a pixel, 0..255
#   shot_rect NAME L T R B    keep the screen's rectangle as $E2E_ARTIFACTS/NAME
# Files and the registry
#   wine_run ARGS...          run a Windows program of the prefix with the case's locale
#   winpath PATH              the Windows path (Z:\...) of a unix path
#   ini_text FILE             a settings file (code page 936) as UTF-8 text without carriage returns,
#                             bytes that are no code page 936 left out
#   ini_get FILE SECTION KEY  a value (first occurrence), or nothing
#   ini_keys FILE SECTION     the key names of a section, one a line; ini_lines: its key=value lines
#   reg_value KEY [NAME]      the data of a registry value (the default one without NAME), empty if none
#   command_path PATH         the text a path has on a command line: quoted when it holds a blank
#   files_in DIR              the names in DIR, sorted bytewise, on one line
# More helpers for the bar itself (groups, menus, dialogs, docking) are in bar_lib.sh, sourced below.

set -u

: "${WINEPREFIX:?set by scripts/test.sh}" "${DISPLAY:?}" "${WENDLIX_EXE:?}" "${WENDLIX_DRIVER:?}"
: "${E2E_WORK:?}" "${E2E_ARTIFACTS:?}"
export WINEPREFIX DISPLAY
export WINEDEBUG=${WINEDEBUG:--all}
WENDLIX_WINE=${WENDLIX_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
WENDLIX_LOCPATH=${WENDLIX_LOCPATH:-}
WENDLIX_MAIN_CLASS=TWendlixMainForm
# shellcheck disable=SC2034  # for the cases that restart the prefix's server
WINESERVER_CMD=$(command -v wineserver || echo "$(dirname "$(readlink -f "$WENDLIX_WINE")")/wineserver")
BAR_PID=
BAR_DIR=
BAR_STATUS=
_cleanups=()

log() { printf '[%s] %s\n' "$(date +%T)" "$*"; }

fail() {
  printf '[%s] FAIL: %s\n' "$(date +%T)" "$*" >&2
  exit 1
}

# The exit status scripts/lib/e2e-jobs.sh counts as a skip.
skip() {
  log "SKIP: $*"
  exit 77
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$1', got '$2'"
}

wait_until() {
  local limit=$1 start=$SECONDS
  shift
  until "$@"; do
    (( SECONDS - start >= limit )) && return 1
    sleep 0.1
  done
}

expect_soon() {
  local want=$1 what=$2 got start=$SECONDS
  shift 2
  until got=$("$@"); [ "$got" = "$want" ]; do
    (( SECONDS - start >= 20 )) && fail "$what: expected '$want', got '$got'"
    sleep 0.2
  done
}

# The one check that takes time as its condition: nothing changes while the bar has every chance to.
expect_steady() {
  local want=$1 what=$2 limit=$3 start=$SECONDS
  shift 3
  while (( SECONDS - start < limit )); do
    expect_eq "$want" "$("$@")" "$what"
    sleep 0.2
  done
}

# Code page 936 as the ANSI code page, for Wine's processes only.
WINE_CMD=("$WENDLIX_WINE")
[ -n "$WENDLIX_LOCPATH" ] &&
  WINE_CMD=(env LOCPATH="$WENDLIX_LOCPATH" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$WENDLIX_WINE")

wine_run() {
  "${WINE_CMD[@]}" "$@"
}

winpath() {
  local p
  p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  printf 'Z:%s' "${p//\//\\}"
}

# The driver's lines end in LF already; strip a stray CR all the same.
drive() {
  local out status
  out=$(wine_run "$WENDLIX_DRIVER" "$@")
  status=$?
  [ -n "$out" ] && printf '%s\n' "${out//$'\r'/}"
  return $status
}

install_bar() {
  mkdir -p "$1"
  cp -a "$(dirname "$WENDLIX_EXE")"/. "$1"/
}

start_bar() {
  local dir=${1:-$E2E_WORK/app}
  [ -f "$dir/$(basename "$WENDLIX_EXE")" ] || install_bar "$dir"
  BAR_DIR=$(cd "$dir" && pwd)
  # The loader becomes the program's process: its pid ends when the program does, with its exit code.
  (cd "$BAR_DIR" && exec "${WINE_CMD[@]}" "$BAR_DIR/$(basename "$WENDLIX_EXE")") &
  BAR_PID=$!
  log "started $(basename "$WENDLIX_EXE") in $BAR_DIR (pid $BAR_PID)"
}

# The window exists from the start of its creation, but has read its settings and docked only when shown.
# Generous: two cases share the machine, and a first start in a fresh prefix can be slow.
start_and_wait() {
  start_bar "$1"
  wait_for_window "$WENDLIX_MAIN_CLASS" 60 >/dev/null ||
    fail "no $WENDLIX_MAIN_CLASS window within 60 s (the program $(_bar_ended && echo ended || echo still runs))"
  wait_until 30 drive visible "$WENDLIX_MAIN_CLASS" || fail "the $WENDLIX_MAIN_CLASS window was not shown"
}

wait_for_window() {
  # The driver polls every 50 ms itself: one process instead of one per poll.
  drive wait "$1" "$2"
}

close_window() {
  drive close "$1"
}

_bar_ended() { ! kill -0 "$BAR_PID" 2>/dev/null; }

wait_bar_exit() {
  [ -n "$BAR_PID" ] && wait_until "$1" _bar_ended || return 1
  wait "$BAR_PID"
  BAR_STATUS=$?
  BAR_PID=
}

stop_bar() {
  local limit=${1:-20}
  [ -n "$BAR_PID" ] || return 0
  close_window "$WENDLIX_MAIN_CLASS" >/dev/null 2>&1 || log "WM_CLOSE could not be posted to the bar"
  if wait_bar_exit "$limit"; then
    [ "$BAR_STATUS" = 0 ]
    return
  fi
  # What kept it: a window left open shows in the picture, a hang in the ping.
  log "the bar did not exit within $limit s; killing it (screen: $(screenshot "$E2E_ARTIFACTS/stop-timeout.png"))"
  log "its window: $(drive find "$WENDLIX_MAIN_CLASS" 2>/dev/null || echo gone), ping: $(drive ping "$WENDLIX_MAIN_CLASS" 2>&1)"
  kill_bar
  return 1
}

kill_bar() {
  kill -9 "$BAR_PID" 2>/dev/null
  wait "$BAR_PID" 2>/dev/null
  BAR_PID=
  # Status 1 is the window still there at the limit; any other is the driver itself not running (a Wine
  # process started while the server cleans up after the kill), which is worth one more try.
  local status
  drive wait-gone "$WENDLIX_MAIN_CLASS" 30
  status=$?
  if [ "$status" != 0 ] && [ "$status" != 1 ]; then
    log "waiting for the killed bar's window ended with status $status; once more"
    drive wait-gone "$WENDLIX_MAIN_CLASS" 30
    status=$?
  fi
  [ "$status" = 0 ] || fail "the killed bar's window stayed (status $status)"
}

screenshot() {
  local file=${1:-$E2E_ARTIFACTS/screen.png}
  import -display "$DISPLAY" -window root "$file" || return 1
  printf '%s\n' "$file"
}

crop() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage "$6"
}

mean_level() {
  convert "$1" -colorspace Gray -format '%[fx:mean]' info:
}

pixel_rgb() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

shot_rect() {
  local name=$1 l=$2 t=$3 r=$4 b=$5
  screenshot "$E2E_WORK/screen.png" >/dev/null || fail "screenshot failed"
  crop "$E2E_WORK/screen.png" $((r - l)) $((b - t)) "$l" "$t" "$E2E_ARTIFACTS/$name"
}

# Bytes that are no code page 936 (a damaged file's) are left out rather than ending the text there.
ini_text() {
  iconv -c -f GBK -t UTF-8 "$1" | tr -d '\r'
}

ini_get() {
  ini_text "$1" | awk -v sec="[$2]" -v key="$3" '
    /^\[/ { inside = ($0 == sec); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

ini_lines() {
  ini_text "$1" | awk -v sec="[$2]" '/^\[/ { inside = ($0 == sec); next } inside && index($0, "=") > 1'
}

ini_keys() {
  ini_lines "$1" "$2" | sed 's/=.*//'
}

# reg.exe writes to a pipe in the OEM code page, 936 here.
reg_value() {
  local query=(/ve)
  [ -n "${2:-}" ] && query=(/v "$2")
  wine_run reg.exe query "$1" "${query[@]}" 2>/dev/null | iconv -f CP936 -t UTF-8 | sed 's/\r$//' |
    awk -v name="${2:-}" '{
      line = $0
      sub(/^ +/, "", line)
      if (name == "") { if (match(line, /^\([^)]*\) +REG_[A-Z_]+ +/)) { print substr(line, RLENGTH + 1); exit }; next }
      if (index(line, name) != 1) next
      rest = substr(line, length(name) + 1)
      if (match(rest, /^ +REG_[A-Z_]+ +/)) { print substr(rest, RLENGTH + 1); exit }
    }'
}

command_path() {
  case $1 in
    *' '*) printf '"%s"' "$1" ;;
    *) printf '%s' "$1" ;;
  esac
}

files_in() {
  (cd "$1" && LC_ALL=C ls -A | paste -sd' ')
}

# CMD... runs when the case ends, whatever happens (before the bar is killed).
on_exit() {
  _cleanups+=("$*")
}

_e2e_cleanup() {
  local c
  for c in "${_cleanups[@]}"; do eval "$c" >/dev/null 2>&1; done
  [ -n "$BAR_PID" ] && kill -9 "$BAR_PID" 2>/dev/null
  return 0
}
trap _e2e_cleanup EXIT

# shellcheck source=tests/e2e/bar_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/bar_lib.sh"
