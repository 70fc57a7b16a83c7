#!/usr/bin/env bash
# Runs the Win32 tests under Wine on a private Xvfb, as scripts/test.sh runs them:
#   scripts/win-tests.sh [GTEST_ARGS...]    for example --gtest_filter='Launch*'
# Builds nothing: run scripts/build.sh win64 (and native, for the code-page table) first. Output goes to
# standard output; the exit status is the test program's. WIN_TESTS_PREFIX names the prefix copy
# (default build/wine/win-tests), WENDLIX_DISPLAY_BASE the first X display tried.
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
cd "$WX_ROOT" || exit 1

exe=$WX_BUILD/win64/tests/win/wendlix_win_tests.exe
[ -f "$exe" ] || { echo "win-tests: $exe is missing; build the win64 preset first" >&2; exit 1; }
wx_wine_prepare >&2 || exit 1

table_env=()
dump=$WX_BUILD/native/tests/tools/cp936_dump
# The native codec's table, compared code by code with Windows' own conversion.
if [ -x "$dump" ]; then
  "$dump" >"$WX_BUILD/cp936-native.txt" || { echo "win-tests: cp936_dump failed" >&2; exit 1; }
  table_env=(WENDLIX_CP936_NATIVE_TABLE="$(wx_winpath "$WX_BUILD/cp936-native.txt")")
fi

prefix=${WIN_TESTS_PREFIX:-$WX_WINE_DIR/win-tests}
wx_prefix_copy "$prefix" || exit 1
wx_xvfb_start "${WENDLIX_DISPLAY_BASE:-90}" || exit 1
trap 'wx_prefix_stop "$prefix"; wx_xvfb_stop' EXIT
trap 'exit 130' INT TERM
WINEPREFIX=$prefix DISPLAY=$WX_XVFB_DISPLAY WENDLIX_TEST_DATA=$(wx_winpath "$WX_ROOT/tests/data") \
  timeout 900 env "${table_env[@]}" "${WX_WINE_LOCALE[@]}" "$WX_WINE64" "$exe" --gtest_color=no "$@"
