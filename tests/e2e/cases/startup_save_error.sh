#!/usr/bin/env bash
# Settings that cannot be saved are not lost silently: closing the bar from its own close shows its own
# error box naming the file; Windows ending the session is never held up by it.
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
# A folder that does not exist: every save there fails.
base="$(winpath "$E2E_WORK")\\missing\\Bar"
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ /d "$base" /f >/dev/null ||
  fail "reg add failed"

start_and_wait "$dir"
close_window "$WENDLIX_MAIN_CLASS" || fail "could not post WM_CLOSE"
box=$(drive wait TMessageForm 20) || fail "no error box after a failed save"
label=$(drive children "$box" | awk -F'\t' 'tolower($2) == "static" && $5 != "" { print $1; exit }')
expect_eq "无法保存设置文件:|$base.INI||请检查该文件夹是否存在并且可以写入。" "$(drive title "$label" | paste -sd'|')" \
  "the error box's text"
answer_box Return save-error.png
expect_eq 保存设置失败 "$BOX_TEXT" "the error box's title"
wait_bar_exit 20 || fail "the bar did not end after the error box"
expect_eq 0 "$BAR_STATUS" "exit code"
[ ! -e "$E2E_WORK/missing" ] || fail "the missing folder appeared"

# The session end: the query is answered yes without a box, and the bar ends.
start_and_wait "$dir"
expect_eq 1 "$(drive send "$WENDLIX_MAIN_CLASS" 0x11 0 0)" "WM_QUERYENDSESSION answer"
if drive find TMessageForm >/dev/null 2>&1 || drive find '#32770' >/dev/null 2>&1; then fail "a box appeared while Windows ends the session"; fi
drive post "$WENDLIX_MAIN_CLASS" 0x16 1 0 >/dev/null || fail "could not post WM_ENDSESSION"
wait_bar_exit 20 || fail "the bar did not end with the session"
