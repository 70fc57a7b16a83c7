#!/usr/bin/env bash
# Help from the bar settings menu opens Wendlix.htm beside the exe with the program the .htm type
# runs (a recorder here); without the file a box names the path it looked for.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

recorder=$(dirname "$WENDLIX_DRIVER")/wendlix_recorder.exe
[ -f "$recorder" ] || fail "no recorder beside the driver"
cp "$recorder" "$E2E_WORK/recorder.exe"
export WENDLIX_RECORD
record=$E2E_WORK/record.txt
WENDLIX_RECORD=$(winpath "$record")
out=$(wine_run reg.exe add 'HKCR\.htm' /ve /f /d WendlixHelpTest 2>&1) || fail "could not set the .htm type: $out"
wine_run reg.exe add 'HKCR\WendlixHelpTest\shell\open\command' /ve /f \
  /d "\"$(winpath "$E2E_WORK/recorder.exe")\" \"%1\"" >/dev/null 2>&1 || fail "could not register the recorder"

dir=$E2E_WORK/app
install_bar "$dir"
[ -f "$dir/Wendlix.htm" ] || fail "Wendlix.htm is not shipped beside the exe"
grep -q '退出时归还桌面' "$dir/Wendlix.htm" || fail "the help file lacks the give-back section"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"

# 帮助(&H)... is the last item but one: Up twice from no selection.
open_help() { main_menu_keys Up Up Return; }

open_help
for (( i = 0; i < 100; i++ )); do
  grep -q 'Wendlix.htm' "$record" 2>/dev/null && break
  sleep 0.1
done
grep -q 'Wendlix.htm' "$record" 2>/dev/null ||
  fail "the help file was not opened (record: $(cat "$record" 2>/dev/null))"
log "opened: $(tr '\n' ' ' <"$record")"

rm -f "$dir/Wendlix.htm"
open_help
drive wait TMessageForm 30 >/dev/null || fail "no box for the missing help file"
sleep 1
screenshot "$E2E_ARTIFACTS/help-missing.png" >/dev/null
expect_eq "帮助" "$(drive title TMessageForm)" "box caption"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 20 || fail "the box did not close"
expect_eq 1 "$(grep -c 'Wendlix.htm' "$record")" "opened once only"
stop_bar 20 || fail "the bar did not close by itself"
