#!/usr/bin/env bash
# Runs end-to-end cases by name, as scripts/test.sh runs them, after building the 64-bit program:
#   scripts/e2e.sh [CASE...]     CASE is a file name in tests/e2e/cases without .sh, or smoke-win32;
#                                default: every case
# The last line is "N passed, N failed, N skipped"; a skip that tests/expected-skips.txt does not accept
# counts as failed too. Logs: build/logs/e2e/, screenshots: build/artifacts/e2e/.
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
# shellcheck source=scripts/lib/e2e-jobs.sh
source "$(dirname "$0")/lib/e2e-jobs.sh"
# shellcheck source=scripts/lib/skips.sh
source "$(dirname "$0")/lib/skips.sh"
cd "$WX_ROOT" || exit 1
trap 'wx_e2e_stop_all; exit 130' INT TERM

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for script in tests/e2e/cases/*.sh; do
    [ -f "$script" ] && names+=("$(basename "$script" .sh)")
  done
fi
presets=(win64)
for name in "${names[@]}"; do
  [ "$name" = smoke-win32 ] && presets+=(win32)
done
# Status 2: a test failed to build, the programs did not; the cases can run.
bash "$WX_ROOT/scripts/build.sh" "${presets[@]}"
[ $? = 1 ] && exit 1
wx_wine_prepare || exit 1

for name in "${names[@]}"; do
  if [ "$name" = smoke-win32 ]; then
    [ -n "$WX_WINE32" ] || { echo "e2e: smoke-win32 needs wine32, which is not installed" >&2; exit 1; }
    wx_e2e_add smoke-win32 "$WX_ROOT/tests/e2e/cases/start_and_close.sh" "$WX_DIST/win32/Wendlix.exe" "$WX_WINE32"
  elif [ -f "tests/e2e/cases/$name.sh" ]; then
    wx_e2e_add "$name" "$WX_ROOT/tests/e2e/cases/$name.sh" "$WX_DIST/win64/Wendlix.exe" "$WX_WINE64"
  else
    echo "e2e: no case tests/e2e/cases/$name.sh" >&2
    exit 1
  fi
done
wx_e2e_run
unexpected=$(wx_skips_unexpected "${E2E_SKIPPED_NAMES[@]/#/e2e/}")
[ -n "$unexpected" ] && echo "skipped, and tests/expected-skips.txt does not accept it: $unexpected"
E2E_BAD=$((E2E_BAD + $(grep -c . <<<"$unexpected")))
echo "$E2E_OK passed, $E2E_BAD failed, ${#E2E_SKIPPED_NAMES[@]} skipped"
[ "$E2E_BAD" -eq 0 ]
