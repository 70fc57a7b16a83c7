#!/usr/bin/env bash
# The long run: the 64-bit bar under Wine and its own Xvfb for SECONDS (default 600), with the pointer
# moved in and out of its edge, a group collapsed and shown, a shortcut folder changing underneath; every
# round WM_NULL must come back within 5 s, and its GDI objects, windows, own handles and private memory
# must end where they were after the first round.
#   scripts/long_run.sh [SECONDS]
# It builds the program and runs the end-to-end case reliab_long_run for that long (scripts/test.sh runs
# the same case for 60 s). The figures: build/logs/e2e/reliab_long_run.log and
# build/artifacts/e2e/reliab_long_run/long_run.txt (WENDLIX_BUILD_DIR moves both).
set -u
seconds=${1:-600}
if ! [[ $seconds =~ ^[0-9]+$ ]] || (( seconds < 1 )); then
  echo "usage: scripts/long_run.sh [SECONDS]" >&2
  exit 2
fi
export LONG_RUN_SECONDS=$seconds
# The case's own limit is for the short replay.
export E2E_TIMEOUT=$((seconds + 300))
exec "$(dirname "$0")/e2e.sh" reliab_long_run
