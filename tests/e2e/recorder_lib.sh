# shellcheck shell=bash
# The recorder, a program that writes down how it was started: "cmd=<its command line>" and
# "dir=<its working folder>", appended to $record for every start. Sourced after lib.sh; sets
# rec_win (the Windows path of the recorder to point links at) and record.

recorder=$(dirname "$WENDLIX_DRIVER")/wendlix_recorder.exe
[ -f "$recorder" ] || fail "no recorder beside the driver"
cp "$recorder" "$E2E_WORK/recorder.exe"
# shellcheck disable=SC2034  # for the case
rec_win=$(winpath "$E2E_WORK/recorder.exe")
record=$E2E_WORK/record.txt
export WENDLIX_RECORD
WENDLIX_RECORD=$(winpath "$record")

# expect_record WANT WHAT: once the recorder has written as many starts as WANT holds, the whole
# record is WANT (a start more, or an argument given twice, fails).
expect_record() {
  local want=$1 starts i
  starts=$(grep -c '^dir=' <<<"$want")
  for (( i = 0; i < 100; i++ )); do
    [ "$(grep -c '^dir=' "$record" 2>/dev/null)" -ge "$starts" ] && break
    sleep 0.1
  done
  expect_eq "$want" "$(cat "$record" 2>/dev/null)" "$2"
}
