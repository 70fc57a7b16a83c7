#!/usr/bin/env bash
# The close stress run: the 64-bit bar under Wine on its own Xvfb, started and closed ROUNDS times (default
# 28: 252 closes in all) in each of the states a user can close it in (idle, mid-slide, a burst of folder
# changes, the find box, a menu, a message box, a drag, icons still being resolved, processor load); every
# close must be saved and the program gone within 5 s. A round takes about 10 s on two busy cores.
#   scripts/close_stress.sh [ROUNDS]
# Not part of scripts/test.sh. The figures (per state: closes, median and slowest close, failures):
# build/artifacts/e2e/close_stress/close_stress.txt, every close in close_times.tsv beside it, the run's log
# in build/logs/e2e/close_stress.log (WENDLIX_BUILD_DIR moves them).
set -u
rounds=${1:-28}
if ! [[ $rounds =~ ^[0-9]+$ ]] || (( rounds < 1 )); then
  echo "usage: scripts/close_stress.sh [ROUNDS]" >&2
  exit 2
fi
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
# shellcheck source=scripts/lib/e2e-jobs.sh
source "$(dirname "$0")/lib/e2e-jobs.sh"
cd "$WX_ROOT" || exit 1
trap 'wx_e2e_stop_all; exit 130' INT TERM
bash scripts/build.sh win64
[ $? = 1 ] && exit 1
wx_wine_prepare || exit 1
export CLOSE_ROUNDS=$rounds
# Nine states, each round at most 30 s for a hang plus its start.
E2E_TIMEOUT=$((rounds * 9 * 40 + 300))
wx_e2e_add close_stress "$WX_ROOT/tests/e2e/stress/close_stress.sh" "$WX_DIST/win64/Wendlix.exe" "$WX_WINE64"
wx_e2e_run
[ "$E2E_BAD" -eq 0 ]
