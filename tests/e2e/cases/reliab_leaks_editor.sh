#!/usr/bin/env bash
# e2e-timeout: 600
# Nothing leaks, the editor and the notices: with its test switches on the bar opens and cancels its
# group editor 100 times (the group properties command; the editor is closed by its frame, which is
# Cancel), refills, lays out and paints its groups 1,000 times and takes 100 display-change and 100
# "TaskbarCreated" notices. Counts and allowance as in reliab_leaks.sh; the table goes to leak_counts.txt.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../leaks_lib.sh"

install_leak_bar 6
xdotool mousemove 300 300
start_and_wait "$dir"
leak_batches leak_counts.txt "rebuild 1000" "display 100" "taskbar 100" "editor 100"
