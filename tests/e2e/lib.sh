# shellcheck shell=bash
# End-to-end test library: the real Wendlix.exe under Wine on a private X display, driven from outside.
#
# Convention for cases
# --------------------
# A case is tests/e2e/cases/<name>.sh, a bash script that starts with
#     source "$(dirname "$0")/../lib.sh"
# and exits 0 when it passes. scripts/test.sh runs every case under `timeout` (120 s, E2E_TIMEOUT
# overrides), two at a time, each with:
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
# Rules: never assert on timing (wait for a condition with a generous limit instead); find windows by
# class through the driver; take rectangles from the driver, not from X tools; keep one bar per case
# unless the case is about several.
#
# Functions
#   install_bar DIR           copy Wendlix.exe and the files beside it into DIR
#   start_bar [DIR]           install into DIR (default $E2E_WORK/app) if needed, run it from there in
#                             the background; sets BAR_PID (the program's process) and BAR_DIR
#   wait_for_window CLASS S   wait up to S seconds until a window of CLASS exists; prints its handle
#   drive ARGS...             run the driver (see wendlix_driver.exe without arguments for commands)
#   close_window CLASS        post WM_CLOSE
#   wait_bar_exit S           wait up to S seconds for BAR_PID to end; sets BAR_STATUS to its exit code
#   stop_bar [S]              close the main window and wait for the exit (default 20 s), killing it if
#                             it does not go; returns 0 only when it ended by itself with status 0
#   screenshot [FILE]         the whole screen as PNG (default $E2E_ARTIFACTS/screen.png); prints the path
#   crop IN W H X Y OUT       cut a rectangle out of a picture
#   mean_level FILE           average brightness 0..1 of a picture
#   wine_run ARGS...          run a Windows program of the prefix with the case's locale (for example
#                             `wine_run reg.exe query 'HKCU\Software\Holmvik\Wendlix'`)
#   cp936_text FILE           a settings file (code page 936) as UTF-8 text, line ends as they are
#   reg_value KEY NAME        the data of a registry value (REG_SZ, REG_DWORD as 0x...), empty if none
#   winpath PATH              the Windows path (Z:\...) of a unix path
#   log MSG / fail MSG        report progress / report a failure and exit 1
#   expect_eq WANT GOT WHAT   fail unless WANT = GOT

set -u

: "${WINEPREFIX:?set by scripts/test.sh}" "${DISPLAY:?}" "${WENDLIX_EXE:?}" "${WENDLIX_DRIVER:?}"
: "${E2E_WORK:?}" "${E2E_ARTIFACTS:?}"
export WINEPREFIX DISPLAY
export WINEDEBUG=${WINEDEBUG:--all}
WENDLIX_WINE=${WENDLIX_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
WENDLIX_LOCPATH=${WENDLIX_LOCPATH:-}
WENDLIX_MAIN_CLASS=TWendlixMainForm
BAR_PID=
BAR_DIR=
BAR_STATUS=

log() { printf '[%s] %s\n' "$(date +%T)" "$*"; }

fail() {
  printf '[%s] FAIL: %s\n' "$(date +%T)" "$*" >&2
  exit 1
}

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$1', got '$2'"
}

# EXPECTED WHAT COMMAND...: expect_eq for a result still on its way (the bar saves after a window closes),
# asking again for up to 10 s.
expect_soon() {
  local want=$1 what=$2 got i
  shift 2
  for (( i = 0; i < 50; i++ )); do
    got=$("$@")
    [ "$got" = "$want" ] && return 0
    sleep 0.2
  done
  fail "$what: expected '$want', got '$got'"
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
  local dir=$1 src
  src=$(dirname "$WENDLIX_EXE")
  mkdir -p "$dir"
  cp -a "$src"/. "$dir"/
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

wait_for_window() {
  # The driver polls every 50 ms itself: one process instead of one per poll.
  drive wait "$1" "$2"
}

close_window() {
  drive close "$1"
}

wait_bar_exit() {
  local limit=$1 start=$SECONDS
  [ -n "$BAR_PID" ] || return 1
  while kill -0 "$BAR_PID" 2>/dev/null; do
    (( SECONDS - start >= limit )) && return 1
    sleep 0.05
  done
  wait "$BAR_PID"
  BAR_STATUS=$?
  BAR_PID=
  return 0
}

stop_bar() {
  local limit=${1:-20}
  [ -n "$BAR_PID" ] || return 0
  close_window "$WENDLIX_MAIN_CLASS" >/dev/null 2>&1
  if wait_bar_exit "$limit"; then
    [ "$BAR_STATUS" = 0 ]
    return
  fi
  log "the bar did not exit within $limit s; killing it"
  kill -9 "$BAR_PID" 2>/dev/null
  wait "$BAR_PID" 2>/dev/null
  BAR_PID=
  return 1
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

cp936_text() {
  iconv -f CP936 -t UTF-8 "$1"
}

# reg.exe writes to a pipe in the OEM code page, 936 here.
reg_value() {
  wine_run reg.exe query "$1" /v "$2" 2>/dev/null | iconv -f CP936 -t UTF-8 | tr -d '\r' |
    awk -v name="$2" '{
      line = $0
      sub(/^ +/, "", line)
      if (index(line, name) != 1) next
      rest = substr(line, length(name) + 1)
      if (match(rest, /^ +REG_[A-Z_]+ +/)) { print substr(rest, RLENGTH + 1); exit }
    }'
}

_e2e_cleanup() {
  [ -n "$BAR_PID" ] && kill -9 "$BAR_PID" 2>/dev/null
  return 0
}
trap _e2e_cleanup EXIT
