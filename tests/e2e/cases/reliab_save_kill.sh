#!/usr/bin/env bash
# e2e-timeout: 360
# Saves survive a kill: the real Wendlix.exe, told by a test switch to save its settings file and
# group file round after round (round N's bytes depend on N alone), is killed with SIGKILL at random
# moments, now and then together with the whole Wine server. Each start first checks what the killed
# one left: both files exactly some round's save and parsing, the group file no older than the
# settings file by more than the one round in flight, no round older than one already seen, nothing beside
# them but the saver's own temporaries; then it saves once and checks that those temporaries went.
# The script checks the folder from outside too, after every kill.
#
# WENDLIX_SAVE_KILLS sets the number of kills (default 200, about 3.5 minutes on an idle machine:
# each start under Wine costs most of a second), for example
#   WENDLIX_SAVE_KILLS=1000 E2E_TIMEOUT=1800 ./scripts/e2e.sh reliab_save_kill
source "$(dirname "$0")/../lib.sh"

KILLS=${WENDLIX_SAVE_KILLS:-200}
# Every this many kills the Wine server goes instead of the one process.
SERVER_KILL_EVERY=${WENDLIX_SAVE_SERVER_KILL_EVERY:-25}
WINESERVER_CMD=$(command -v wineserver || echo "$(dirname "$(readlink -f "$WENDLIX_WINE")")/wineserver")

dir=$E2E_WORK/app
files=$E2E_WORK/settings
verdicts=$E2E_WORK/verdicts.txt
install_bar "$dir"
mkdir -p "$files"
: >"$verdicts"
export WENDLIX_TEST_SWITCHES=1

# The saver's temporaries, the only names allowed beside the two files.
TEMP_RE='^Wendlix\.(INI|GPF)\.~wx[0-9a-f]{16}\.tmp$'

start_saver() {  # SWITCH
  (cd "$dir" && exec "${WINE_CMD[@]}" "$dir/Wendlix.exe" "$1" "$(winpath "$files")" "$(winpath "$verdicts")") &
  BAR_PID=$!
}

# Waits until the verdicts file has LINES lines (the saver wrote its verdict and is saving).
wait_verdicts() {  # LINES
  local start=$SECONDS
  while [ "$(wc -l <"$verdicts")" -lt "$1" ]; do
    kill -0 "$BAR_PID" 2>/dev/null || { [ "$(wc -l <"$verdicts")" -ge "$1" ] && return 0; return 1; }
    (( SECONDS - start >= 60 )) && return 1
    sleep 0.02
  done
}

# Checks the last verdict against the start before, which had saved round prev_saved in both files
# before it could be killed: a sound state, rounds never going back.
prev_saved=0
check_verdict() {  # WHAT
  local line ini gpf stale
  line=$(tail -n 1 "$verdicts")
  [[ $line =~ ^ok\ ini=([0-9]+)\ gpf=([0-9]+)\ stale=([0-9]+)$ ]] || fail "$1: $line"
  ini=${BASH_REMATCH[1]} gpf=${BASH_REMATCH[2]} stale=${BASH_REMATCH[3]}
  (( ini >= prev_saved && gpf >= ini && gpf <= ini + 1 )) ||
    fail "$1: rounds ini=$ini gpf=$gpf after a saver that had saved round $prev_saved"
  prev_saved=$(( (ini > gpf ? ini : gpf) + 1 ))
  (( stale > 0 )) && STALE_SEEN=$(( STALE_SEEN + 1 ))
  return 0
}

# From outside: the two files and nothing a start could take for settings.
check_folder() {  # WHAT
  local name
  while IFS= read -r name; do
    case $name in
      Wendlix.INI | Wendlix.GPF) ;;
      *) [[ $name =~ $TEMP_RE ]] || fail "$1: unexpected file beside the settings: $name" ;;
    esac
  done < <(ls -A "$files")
  [ -s "$files/Wendlix.INI" ] && [ -s "$files/Wendlix.GPF" ] || fail "$1: a settings file is missing or empty"
  iconv -f CP936 -t UTF-8 "$files/Wendlix.GPF" >/dev/null || fail "$1: the group file is not code page 936 text"
}

STALE_SEEN=0
SERVER_KILLS=0
log "$KILLS kills, the Wine server every $SERVER_KILL_EVERY"
for (( k = 1; k <= KILLS; k++ )); do
  start_saver /wx-save-loop
  if ! wait_verdicts "$k"; then
    # A Wine process can die while starting on a busy machine, before it reads anything; what
    # matters is that the next start finds sound files, so it gets one more try.
    log "kill $k: the saver ended before its verdict; starting it again"
    wait "$BAR_PID" 2>/dev/null
    start_saver /wx-save-loop
    wait_verdicts "$k" || fail "kill $k: the saver gave no verdict: $(tail -n 1 "$verdicts")"
  fi
  check_verdict "start $k"
  # Anywhere in the next rounds: a round of both files takes some ten milliseconds.
  sleep "0.$(printf '%03d' $(( RANDOM % 200 )))"
  if (( k % SERVER_KILL_EVERY == 0 )); then
    # The server kills its processes with SIGKILL as it goes.
    "$WINESERVER_CMD" -k
    "$WINESERVER_CMD" -w
    SERVER_KILLS=$(( SERVER_KILLS + 1 ))
  else
    kill -9 "$BAR_PID" 2>/dev/null || fail "kill $k: the saver had ended by itself: $(tail -n 1 "$verdicts")"
  fi
  wait "$BAR_PID" 2>/dev/null
  BAR_PID=
  check_folder "after kill $k"
  (( k % 50 == 0 )) && log "$k kills, last verdict: $(tail -n 1 "$verdicts")"
done

# One last start checks the last kill's files, saves once more and ends.
start_saver /wx-save-check
wait "$BAR_PID"
status=$?
BAR_PID=
check_verdict "final check"
expect_eq 0 "$status" "the final check's exit code"
check_folder "after the final save"
if find "$files" -mindepth 1 -maxdepth 1 -printf '%f\n' | grep -Eq "$TEMP_RE"; then
  fail "a temporary outlived the final save: $(ls -A "$files")"
fi
cp "$files"/Wendlix.* "$verdicts" "$E2E_ARTIFACTS"/ 2>/dev/null
log "passed: $KILLS kills ($SERVER_KILLS of the Wine server), $STALE_SEEN left a temporary that the next save cleaned"
