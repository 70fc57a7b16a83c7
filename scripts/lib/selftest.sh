#!/usr/bin/env bash
# Checks the parts of the test scripts that decide what counts as passed: a miscount here would hide
# failures everywhere else. Prints one line per failed check and, last, "N passed, N failed" over the
# scenarios; exit status 1 when any check failed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/lib/gtest-count.sh
source "$here/gtest-count.sh"
# shellcheck source=scripts/lib/common.sh
source "$here/common.sh"
# shellcheck source=scripts/lib/skips.sh
source "$here/skips.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
scenarios_ok=0
scenarios_bad=0
scenario=
scenario_failed=0

# Tallies the scenario begun last, after all its checks.
finish() {
  [ -n "$scenario" ] || return 0
  if [ $scenario_failed = 0 ]; then
    scenarios_ok=$((scenarios_ok + 1))
  else
    scenarios_bad=$((scenarios_bad + 1))
  fi
  scenario=
}

expect() {
  if [ "$2" != "$3" ]; then
    echo "selftest: $scenario: $1: expected '$2', got '$3'"
    scenario_failed=1
  fi
}

# scenario NAME STATUS WANT_OK WANT_BAD WANT_ABNORMAL WANT_NAMES, with the log on stdin.
scenario() {
  finish
  scenario=$1
  scenario_failed=0
  cat >"$tmp/log"
  wx_gtest_count "$tmp/log" "$2"
  expect "passed" "$3" "$GT_OK"
  expect "failed" "$4" "$GT_BAD"
  expect "abnormal" "$5" "$GT_ABNORMAL"
  expect "failed names" "$6" "${GT_FAILED_NAMES[*]}"
}

scenario "clean run" 0 2 0 0 "" <<'LOG'
[==========] Running 2 tests from 1 test suite.
[ RUN      ] Paths.AddBackslash
[       OK ] Paths.AddBackslash (0 ms)
[ RUN      ] Paths.ExtractFileExt
[       OK ] Paths.ExtractFileExt (1 ms)
[==========] 2 tests from 1 test suite ran. (1 ms total)
[  PASSED  ] 2 tests.
LOG

scenario "failures, parameterised among them" 1 1 2 0 "Ini.Quotes Codec/RoundTrip.Text/3" <<'LOG'
[ RUN      ] Ini.Quotes
ini_test.cpp:12: Failure
Expected equality of these values:
[  FAILED  ] Ini.Quotes (0 ms)
[ RUN      ] Ini.Blanks
[       OK ] Ini.Blanks (0 ms)
[ RUN      ] Codec/RoundTrip.Text/3
[  FAILED  ] Codec/RoundTrip.Text/3, where GetParam() = "a b" (2 ms)
[==========] 3 tests from 2 test suites ran. (3 ms total)
[  PASSED  ] 1 test.
[  FAILED  ] 2 tests, listed below:
[  FAILED  ] Ini.Quotes
[  FAILED  ] Codec/RoundTrip.Text/3, where GetParam() = "a b"
LOG
shown=$(wx_gtest_failures "$tmp/log")
expect "failure output" 1 "$(grep -c 'Expected equality' <<<"$shown")"
expect "passing tests are not shown" 0 "$(grep -c 'Ini.Blanks' <<<"$shown")"

scenario "crash after a passing test" 134 1 0 1 "" <<'LOG'
[ RUN      ] Group.Load
[       OK ] Group.Load (0 ms)
[ RUN      ] Group.Save
AddressSanitizer: heap-buffer-overflow
LOG

scenario "crash after a failing test" 1 0 1 1 "Group.Load" <<'LOG'
[ RUN      ] Group.Load
[  FAILED  ] Group.Load (0 ms)
[ RUN      ] Group.Save
LOG

scenario "killed before any test" 124 0 0 1 "" </dev/null

# The Win32 tests write through the C runtime in text mode.
scenario "Windows line ends" 1 1 1 0 "Shell.Links" < <(printf '%s\r\n' \
  '[ RUN      ] Shell.Links' 'shell_links_test.cpp:40: Failure' '[  FAILED  ] Shell.Links (12 ms)' \
  '[ RUN      ] Shell.Folders' '[       OK ] Shell.Folders (3 ms)' '[  FAILED  ] 1 test, listed below:' \
  '[  FAILED  ] Shell.Links')
expect "failure output" 1 "$(wx_gtest_failures "$tmp/log" | grep -c 'shell_links_test.cpp:40: Failure$')"

scenario "skipped test" 0 1 0 0 "" <<'LOG'
[ RUN      ] Cp936.NativeTable
[  SKIPPED ] Cp936.NativeTable (0 ms)
[ RUN      ] Cp936.Euro
[       OK ] Cp936.Euro (0 ms)
[  SKIPPED ] 1 test, listed below:
[  SKIPPED ] Cp936.NativeTable
LOG
expect "skipped names" "Cp936.NativeTable" "${GT_SKIPPED_NAMES[*]}"

finish
scenario="expected skips"
scenario_failed=0
printf '# comment\ne2e/smoke-win32   no wine32\n\nCp936.NativeTable  no table\n' >"$tmp/skips.txt"
WX_EXPECTED_SKIPS=$tmp/skips.txt
expect "accepted list" $'e2e/smoke-win32   no wine32\nCp936.NativeTable  no table' "$(wx_skips_list)"
expect "unexpected ones" $'e2e/smoke\nCp936' "$(wx_skips_unexpected e2e/smoke-win32 e2e/smoke Cp936 Cp936.NativeTable)"

finish
scenario="windows paths"
scenario_failed=0
mkdir -p "$tmp/a b"
expect "path with a blank" "Z:${tmp//\//\\}\\a b\\c.txt" "$(wx_winpath "$tmp/a b/c.txt")"
expect "relative path" "Z:${tmp//\//\\}\\a b" "$(cd "$tmp" && wx_winpath "a b")"
finish

echo "$scenarios_ok passed, $scenarios_bad failed"
[ $scenarios_bad = 0 ]
