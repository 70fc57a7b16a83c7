# shellcheck shell=bash
# Running end-to-end cases: each job gets its own copy of the prepared prefix, its own Xvfb and its own
# scratch folders, and at most E2E_PARALLEL (default 2) run at once. Sourced after wine-env.sh.
#   wx_e2e_add NAME SCRIPT EXE WINE   queue a case script for a program and a Wine loader
#   wx_e2e_run                        run the queue; prints each result (a failure with its whole log)
#                                     and sets E2E_OK, E2E_BAD, E2E_FAILED_NAMES and E2E_SKIPPED_NAMES
#                                     (arrays); a case that exits with E2E_SKIP_STATUS skipped
#   wx_e2e_stop_all                   stop the Xvfb and Wine servers of running jobs (for signal traps)
# Logs go to build/logs/e2e/NAME.log, what a case keeps to build/artifacts/e2e/NAME/.

E2E_TIMEOUT=${E2E_TIMEOUT:-120}
E2E_PARALLEL=${E2E_PARALLEL:-2}
E2E_DISPLAY_BASE=${WENDLIX_DISPLAY_BASE:-90}
E2E_SKIP_STATUS=77
E2E_NAMES=()
E2E_SCRIPTS=()
E2E_EXES=()
E2E_WINES=()

wx_e2e_add() {
  E2E_NAMES+=("$1")
  E2E_SCRIPTS+=("$2")
  E2E_EXES+=("$3")
  E2E_WINES+=("$4")
}

# One job; its exit status goes to $WX_BUILD/e2e/NAME/status.
wx_e2e_job() {
  local name=$1 script=$2 exe=$3 wine=$4 slot=$5
  local dir=$WX_BUILD/e2e/$name log=$WX_LOGS/e2e/$name.log artifacts=$WX_BUILD/artifacts/e2e/$name status
  # A case that needs longer says so in a line "# e2e-timeout: SECONDS" near its top.
  local limit
  limit=$(sed -n '1,10s/^# e2e-timeout: *\([0-9][0-9]*\)$/\1/p' "$script" | head -n 1)
  [ -n "$limit" ] && [ "$limit" -gt "$E2E_TIMEOUT" ] || limit=$E2E_TIMEOUT
  # A case that needs two monitors says so in a line "# e2e-screens: 2" near its top.
  local screens
  screens=$(sed -n '1,10s/^# e2e-screens: *\([0-9]\)$/\1/p' "$script" | head -n 1)
  rm -rf "$dir" "$artifacts"
  mkdir -p "$dir/work" "$artifacts" "$WX_LOGS/e2e"
  wx_prefix_copy "$dir/prefix"
  # Each parallel slot searches its own range of displays, so that two jobs never race for one.
  if ! wx_xvfb_start $((E2E_DISPLAY_BASE + 3 * (slot + 1))) "${screens:-1}" >"$log" 2>&1; then
    echo 1 >"$dir/status"
    return
  fi
  echo "$WX_XVFB_PID" >"$dir/xvfb.pid"
  WINEPREFIX=$dir/prefix DISPLAY=$WX_XVFB_DISPLAY WENDLIX_EXE=$exe \
    WENDLIX_DRIVER=$WX_BUILD/win64/tests/e2e/driver/wendlix_driver.exe WENDLIX_WINE=$wine \
    WENDLIX_LOCPATH=$WX_LOCALE_DIR E2E_WORK=$dir/work E2E_ARTIFACTS=$artifacts \
    timeout -k 10 "$limit" bash "$script" >>"$log" 2>&1
  status=$?
  [ $status = 124 ] && echo "timed out after $limit s" >>"$log"
  wx_prefix_stop "$dir/prefix"
  wx_xvfb_stop
  rm -f "$dir/xvfb.pid"
  echo $status >"$dir/status"
}

wx_e2e_run() {
  E2E_OK=0
  E2E_BAD=0
  E2E_FAILED_NAMES=()
  E2E_SKIPPED_NAMES=()
  local i s free pid name status
  local -A slot_pid=()
  for (( i = 0; i < ${#E2E_NAMES[@]}; i++ )); do
    while :; do
      free=
      for (( s = 0; s < E2E_PARALLEL; s++ )); do
        pid=${slot_pid[$s]:-}
        if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then free=$s; break; fi
      done
      [ -n "$free" ] && break
      wait -n 2>/dev/null || sleep 0.2
    done
    rm -f "$WX_BUILD/e2e/${E2E_NAMES[$i]}/status"
    wx_e2e_job "${E2E_NAMES[$i]}" "${E2E_SCRIPTS[$i]}" "${E2E_EXES[$i]}" "${E2E_WINES[$i]}" "$free" &
    slot_pid[$free]=$!
  done
  wait
  for name in "${E2E_NAMES[@]}"; do
    status=$(cat "$WX_BUILD/e2e/$name/status" 2>/dev/null || echo 1)
    if [ "$status" = 0 ]; then
      E2E_OK=$((E2E_OK + 1))
      echo "$name: ok"
    elif [ "$status" = "$E2E_SKIP_STATUS" ]; then
      E2E_SKIPPED_NAMES+=("$name")
      echo "$name: skipped ($(sed -n 's/^\[[0-9:]*\] SKIP: //p' "$WX_LOGS/e2e/$name.log" | tail -n 1))"
    else
      E2E_BAD=$((E2E_BAD + 1))
      E2E_FAILED_NAMES+=("$name")
      echo "---- $name failed (exit $status); its log:"
      cat "$WX_LOGS/e2e/$name.log"
      echo "---- end of $name"
    fi
  done
  [ ${#E2E_NAMES[@]} -eq 0 ] || echo "logs: $WX_LOGS/e2e, artifacts: $WX_BUILD/artifacts/e2e"
}

wx_e2e_stop_all() {
  local f
  for f in "$WX_BUILD"/e2e/*/xvfb.pid; do
    [ -f "$f" ] && wx_xvfb_stop "$(cat "$f")"
  done
  for f in "$WX_BUILD"/e2e/*/prefix; do
    [ -d "$f" ] && wx_prefix_stop "$f"
  done
}
