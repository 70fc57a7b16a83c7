#!/usr/bin/env bash
# Everything, from a fresh machine: install what is missing, check that generated sources are what their
# generator writes, build every preset, run the static checks (scripts/lint.sh), then run the native unit
# tests (plain and with sanitizers), the fuzz targets over their seed corpora, the Win32 tests under Wine,
# the end-to-end cases on private X displays and a 32-bit smoke run. The last line is "N passed, N failed";
# the exit status is 1 when anything failed, a build included. A skipped test or case fails the run unless
# tests/expected-skips.txt accepts it.
# Environment: WENDLIX_BUILD_DIR (build tree), WENDLIX_JOBS (compile jobs), WENDLIX_DISPLAY_BASE (first X
# display number tried, default 90), E2E_TIMEOUT (seconds per case, default 120), E2E_PARALLEL (default 2).
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
# shellcheck source=scripts/lib/gtest-count.sh
source "$(dirname "$0")/lib/gtest-count.sh"
# shellcheck source=scripts/lib/e2e-jobs.sh
source "$(dirname "$0")/lib/e2e-jobs.sh"
# shellcheck source=scripts/lib/skips.sh
source "$(dirname "$0")/lib/skips.sh"
cd "$WX_ROOT" || exit 1

display_base=${WENDLIX_DISPLAY_BASE:-90}
passed=0
failed=0
failures=()
skipped=()
mkdir -p "$WX_LOGS"

# Ctrl-C or a CI cancel: stop the X servers and Wine servers of this run, and only those.
on_signal() {
  trap - INT TERM
  echo "test: interrupted; stopping this run's Xvfb and Wine servers" >&2
  local pids
  pids=$(jobs -p)
  # shellcheck disable=SC2086  # one word per job
  [ -n "$pids" ] && kill $pids 2>/dev/null
  wx_prefix_stop "$WX_WINE_DIR/win-tests"
  wx_e2e_stop_all
  exit 130
}
trap on_signal INT TERM

fail_item() {
  failed=$((failed + 1))
  failures+=("$1")
}

count_gtest() {
  local label=$1 log=$2 status=$3 name
  wx_gtest_count "$log" "$status"
  passed=$((passed + GT_OK))
  failed=$((failed + GT_BAD))
  for name in "${GT_FAILED_NAMES[@]}"; do failures+=("$label: $name"); done
  skipped+=("${GT_SKIPPED_NAMES[@]}")
  [ "$GT_BAD" -gt 0 ] && wx_gtest_failures "$log"
  if [ "$GT_ABNORMAL" = 1 ]; then
    fail_item "$label: ended abnormally (exit $status)"
    echo "---- $label ended abnormally (exit status $status); last lines of $log:"
    tail -n 40 "$log"
  fi
  echo "$label: $GT_OK passed, $GT_BAD failed, ${#GT_SKIPPED_NAMES[@]} skipped$([ "$GT_ABNORMAL" = 1 ] && echo ", ended abnormally") (log: $log)"
}

run_gtest() {
  local label=$1 log=$2 status
  shift 2
  "$@" --gtest_color=no >"$log" 2>&1
  status=$?
  count_gtest "$label" "$log" "$status"
}

# ---------------------------------------------------------------------------------------------------------
wx_header "setup"
if ! bash "$WX_ROOT/scripts/setup.sh"; then
  echo "setup failed: cannot go on"
  echo "0 passed, 1 failed"
  exit 1
fi

wx_header "test scripts self-check"
selftest_out=$(bash "$WX_ROOT/scripts/lib/selftest.sh")
printf '%s\n' "$selftest_out"
read -r ok _ bad _ <<<"$(tail -n 1 <<<"$selftest_out")"
passed=$((passed + ${ok:-0}))
failed=$((failed + ${bad:-1}))
[ "${bad:-1}" = 0 ] || failures+=("test scripts self-check")

wx_header "generated sources"
# The pinyin table is checked in as the generator writes it from this machine's Unihan data.
if python3 "$WX_ROOT/scripts/make_pinyin_table.py" --check; then
  passed=$((passed + 1))
else
  fail_item "src/core/find/pinyin_table.cpp is not what scripts/make_pinyin_table.py writes"
fi

wx_header "build"
declare -A built
# built[PRESET]: 1 built; 2 (Windows presets) only the program built; 0 failed.
for preset in native native-asan fuzz win64 win32; do
  bash "$WX_ROOT/scripts/build.sh" "$preset"
  case $? in
    0) built[$preset]=1 ;;
    2) built[$preset]=2; fail_item "build $preset" ;;
    *) built[$preset]=0; fail_item "build $preset" ;;
  esac
done

wx_header "static checks"
# After the builds: clang-tidy reads their compile commands.
bash "$WX_ROOT/scripts/lint.sh" 2>&1 | tee "$WX_LOGS/lint.log"
if [[ $(tail -n 1 "$WX_LOGS/lint.log") =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
  passed=$((passed + BASH_REMATCH[1]))
  failed=$((failed + BASH_REMATCH[2]))
  while read -r item; do failures+=("lint: $item"); done < <(sed -n 's/^FAILED: //p' "$WX_LOGS/lint.log")
else
  fail_item "static checks: scripts/lint.sh ended without its count (log: $WX_LOGS/lint.log)"
fi

wx_header "native unit tests"
unit=$WX_BUILD/native/tests/unit/wendlix_unit_tests
if [ "${built[native]}" = 1 ] && [ -x "$unit" ]; then
  run_gtest "unit" "$WX_LOGS/unit-native.log" timeout 900 "$unit"
else
  echo "skipped: the native build failed"
fi

wx_header "native unit tests, AddressSanitizer and UBSan"
unit=$WX_BUILD/native-asan/tests/unit/wendlix_unit_tests
if [ "${built[native-asan]}" = 1 ] && [ -x "$unit" ]; then
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} UBSAN_OPTIONS=print_stacktrace=1 \
    run_gtest "unit-asan" "$WX_LOGS/unit-asan.log" timeout 900 "$unit"
else
  echo "skipped: the native-asan build failed"
fi

wx_header "fuzz targets over their seed corpora"
if [ "${built[fuzz]}" = 1 ]; then
  found=0
  for exe in "$WX_BUILD"/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$exe" ] && [ -f "$exe" ] || continue
    found=1
    name=$(basename "$exe")
    corpus=
    for dir in "tests/fuzz/corpus/$name" "tests/fuzz/corpus/${name#fuzz_}"; do
      [ -d "$dir" ] && [ -n "$(ls -A "$dir")" ] && { corpus=$dir; break; }
    done
    log=$WX_LOGS/$name.log
    # -runs=0 replays the corpus and stops; without a corpus it runs the empty input once.
    if timeout 600 "$exe" -runs=0 ${corpus:+"$corpus"} >"$log" 2>&1; then
      passed=$((passed + 1))
      echo "$name: ok (${corpus:-no seed corpus})"
    else
      fail_item "$name over ${corpus:-no corpus}"
      echo "---- $name failed:"
      tail -n 60 "$log"
    fi
  done
  [ $found = 1 ] || echo "no fuzz targets yet"
else
  echo "skipped: the fuzz build failed"
fi

# Windows-side stages share the prepared prefix.
wine_ready=0
if [ "${built[win64]}" != 0 ]; then
  wx_header "Wine prefix"
  if wx_wine_prepare; then
    wine_ready=1
    echo "prefix ready: $WX_WINE_TEMPLATE"
  else
    fail_item "preparing the Wine prefix"
  fi
fi

wx_header "Win32 tests under Wine"
if [ $wine_ready = 1 ] && [ "${built[win64]}" = 1 ] && [ -f "$WX_BUILD/win64/tests/win/wendlix_win_tests.exe" ]; then
  WENDLIX_DISPLAY_BASE=$display_base WIN_TESTS_PREFIX=$WX_WINE_DIR/win-tests \
    run_gtest "win" "$WX_LOGS/win-tests.log" bash "$WX_ROOT/scripts/win-tests.sh"
else
  echo "skipped: the Win32 tests did not build, or no Wine prefix"
fi

wx_header "end-to-end cases"
if [ $wine_ready = 1 ] && [ -f "$WX_DIST/win64/Wendlix.exe" ] &&
   [ -f "$WX_BUILD/win64/tests/e2e/driver/wendlix_driver.exe" ]; then
  for script in tests/e2e/cases/*.sh; do
    [ -f "$script" ] && wx_e2e_add "$(basename "$script" .sh)" "$WX_ROOT/$script" "$WX_DIST/win64/Wendlix.exe" \
      "$WX_WINE64"
  done
  if [ -z "$WX_WINE32" ]; then
    echo "32-bit smoke test skipped: no 32-bit Wine that runs here (wine32:i386 missing, or a kernel without 32-bit support)"
    skipped+=(e2e/smoke-win32)
  elif [ "${built[win32]}" = 0 ]; then
    echo "32-bit smoke test skipped: the win32 build failed"
  else
    wx_e2e_add smoke-win32 "$WX_ROOT/tests/e2e/cases/start_and_close.sh" "$WX_DIST/win32/Wendlix.exe" "$WX_WINE32"
  fi
  wx_e2e_run
  passed=$((passed + E2E_OK))
  failed=$((failed + E2E_BAD))
  for name in "${E2E_FAILED_NAMES[@]}"; do failures+=("e2e $name"); done
  for name in "${E2E_SKIPPED_NAMES[@]}"; do skipped+=("e2e/$name"); done
else
  echo "skipped: no Wendlix.exe, driver or Wine prefix"
fi

# ---------------------------------------------------------------------------------------------------------
wx_header "skips"
echo "accepted when they happen (tests/expected-skips.txt):"
wx_skips_list | sed 's/^/  /'
for name in "${skipped[@]}"; do echo "skipped: $name"; done
while read -r name; do
  [ -n "$name" ] && fail_item "skipped, and tests/expected-skips.txt does not accept it: $name"
done < <(wx_skips_unexpected "${skipped[@]}")

wx_header "summary"
for item in "${failures[@]}"; do
  echo "FAILED: $item"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
