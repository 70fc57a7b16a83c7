#!/usr/bin/env bash
# e2e-timeout: 600
# Nothing leaks, the menus: with its test switches on the bar opens and dismisses its settings menu, its
# system tweaks menu and the buttons menu of its first group 1,000 times each, through the same functions
# a click uses. Counts and allowance as in reliab_leaks.sh; the table goes to leak_counts.txt.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../leaks_lib.sh"

install_leak_bar 6
xdotool mousemove 300 300
start_and_wait "$dir"
leak_batches leak_counts.txt "mainmenu 1000" "sysmenu 1000" "btnmenu 1000"
