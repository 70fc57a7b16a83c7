#!/usr/bin/env bash
# Static checks: shellcheck over the scripts and the end-to-end shell; clang-tidy (the checks in
# .clang-tidy) over the native build's sources, the Win32 sources through the win64 build's compile
# commands, and the fuzz targets; clang-format (.clang-format) over the C++ sources. The last line is
# "N passed, N failed", one count per check; exit status 1 when one failed.
#   scripts/lint.sh [--all]
# clang-tidy checks again only what changed since it found a file clean (stamps in build/lint/); --all,
# or a fresh build tree as in CI, checks everything. A build tree not yet configured is configured here.
set -u
# shellcheck source=scripts/lib/common.sh
source "$(dirname "$0")/lib/common.sh"
cd "$WX_ROOT" || exit 1

tidy_all=()
for arg in "$@"; do
  case $arg in
    --all) tidy_all=(--all) ;;
    *) echo "usage: scripts/lint.sh [--all]" >&2; exit 2 ;;
  esac
done

passed=0
failed=0
failures=()
mkdir -p "$WX_LOGS"

# A check's verdict: pass_or_fail NAME STATUS STARTED
pass_or_fail() {
  if [ "$2" = 0 ]; then
    passed=$((passed + 1))
    echo "lint: $1: ok ($((SECONDS - $3)) s)"
  else
    failed=$((failed + 1))
    failures+=("$1")
    echo "lint: $1: FAILED ($((SECONDS - $3)) s)"
  fi
}

need_tool() {
  command -v "$1" >/dev/null && return 0
  echo "lint: $1 is not installed (scripts/setup.sh installs it)"
  return 1
}

wx_header "shellcheck"
started=$SECONDS
if need_tool shellcheck; then
  # Options and the few checks left out are in .shellcheckrc.
  { find scripts tests/e2e -name '*.sh' -print0; printf '%s\0' .ci/run; } |
    xargs -0 -P "$WX_JOBS" -n 8 shellcheck --color=never 2>&1 | tee "$WX_LOGS/shellcheck.log"
  status=${PIPESTATUS[1]}
  pass_or_fail shellcheck "$status" "$started"
else
  pass_or_fail shellcheck 1 "$started"
fi

# tidy NAME PRESET [--cross] -- PATH...
tidy() {
  local name=$1 preset=$2 dir=$WX_BUILD/$2 started=$SECONDS status
  shift 2
  if ! need_tool clang-tidy; then
    pass_or_fail "$name" 1 "$started"
    return
  fi
  if [ ! -f "$dir/compile_commands.json" ] &&
     ! cmake --preset "$preset" -B "$dir" >"$WX_LOGS/lint-configure-$preset.log" 2>&1; then
    echo "lint: configuring $preset failed (log: $WX_LOGS/lint-configure-$preset.log)"
    pass_or_fail "$name" 1 "$started"
    return
  fi
  python3 "$WX_ROOT/scripts/lib/tidy.py" "$dir" "$WX_BUILD/lint/tidy-$preset" --jobs "$WX_JOBS" \
    "${tidy_all[@]}" "$@" 2>&1 | tee "$WX_LOGS/clang-tidy-$preset.log"
  status=${PIPESTATUS[0]}
  pass_or_fail "$name" "$status" "$started"
}

wx_header "clang-tidy"
tidy "clang-tidy core, unit tests, benchmarks" native -- src/core tests/unit tests/tools bench
tidy "clang-tidy Win32 layer and its tests" win64 --cross -- src/win tests/win tests/e2e bench/wine
tidy "clang-tidy fuzz targets" fuzz -- tests/fuzz

wx_header "clang-format"
started=$SECONDS
if need_tool clang-format; then
  find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 -n 50 clang-format --dry-run 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u \
    >"$WX_LOGS/clang-format.log"
  differ=$(wc -l <"$WX_LOGS/clang-format.log")
  if [ "$differ" = 0 ]; then
    pass_or_fail clang-format 0 "$started"
  else
    echo "lint: $differ files differ from .clang-format (list: $WX_LOGS/clang-format.log);" \
      "clang-format -i FILE formats one, git clang-format the lines of a change"
    pass_or_fail clang-format 1 "$started"
  fi
else
  pass_or_fail clang-format 1 "$started"
fi

wx_header "lint summary"
for item in "${failures[@]}"; do
  echo "FAILED: $item"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
