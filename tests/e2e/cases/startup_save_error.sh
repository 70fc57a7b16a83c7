#!/usr/bin/env bash
# Settings that cannot be saved are not lost silently: closing the bar from its own close shows
# an error box naming the file; Windows ending the session is never held up by it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
# A folder that does not exist: every save there fails.
base="$(winpath "$E2E_WORK")\\missing\\Bar"
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ /d "$base" /f >/dev/null ||
  fail "reg add failed"

start_and_wait "$dir"
close_window "$WENDLIX_MAIN_CLASS" || fail "could not post WM_CLOSE"
box=$(drive wait '#32770' 20) || fail "no error box after a failed save"
text=$(drive children "$box")
log "error box: $text"
case $text in
  *无法保存设置文件*"$base.INI"*) ;;
  *) fail "the error box does not name the settings file" ;;
esac
drive close "$box" >/dev/null || fail "could not close the error box"
wait_bar_exit 20 || fail "the bar did not end after the error box"
expect_eq 0 "$BAR_STATUS" "exit code"
[ ! -e "$E2E_WORK/missing" ] || fail "the missing folder appeared"

# The session end: the query is answered yes without a box, and the bar ends.
start_and_wait "$dir"
expect_eq 1 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "WM_QUERYENDSESSION answer"
if drive find '#32770' >/dev/null 2>&1; then fail "a box appeared while Windows ends the session"; fi
drive post "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null || fail "could not post WM_ENDSESSION"
wait_bar_exit 20 || fail "the bar did not end with the session"
log "failed save reported on close, silent at session end"
