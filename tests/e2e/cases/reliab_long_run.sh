#!/usr/bin/env bash
# e2e-timeout: 600
# A short replay of the long run (scripts/long_run.sh runs it for 10 minutes): the bar under the pointer,
# its groups collapsed and shown, a shortcut folder changing, for LONG_RUN_SECONDS (default 60); it
# answers WM_NULL within 5 s throughout and its counts stay flat.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../leaks_lib.sh"

long_run "${LONG_RUN_SECONDS:-60}"
