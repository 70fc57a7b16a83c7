# shellcheck shell=bash
# Shared by the scripts: where things are, and how stages announce themselves. Sourced, not run.
# WENDLIX_BUILD_DIR moves the whole build tree (default: build/ in the repository), WENDLIX_DIST_DIR the
# finished programs and packages (default: dist/); WENDLIX_JOBS caps the parallel compile jobs (default: the
# number of processors).
# shellcheck disable=SC2034  # the variables are for the scripts that source this

WX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WX_BUILD=${WENDLIX_BUILD_DIR:-$WX_ROOT/build}
mkdir -p "$WX_BUILD"
WX_BUILD=$(cd "$WX_BUILD" && pwd)
WX_DIST=${WENDLIX_DIST_DIR:-$WX_ROOT/dist}
WX_LOGS=$WX_BUILD/logs
WX_JOBS=${WENDLIX_JOBS:-$(nproc 2>/dev/null || echo 2)}

wx_header() {
  printf '\n==== %s (%s, %d s in) ====\n' "$*" "$(date +%T)" "$SECONDS"
}

# The Windows view of a unix path: Wine maps / to drive Z:.
wx_winpath() {
  local p
  p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  printf 'Z:%s' "${p//\//\\}"
}
