#!/usr/bin/env bash
# e2e-timeout: 600
# Nothing leaks, the slides: with its test switches on the bar slides in and out of its edge LEAK_SLIDES
# times (2,000 here; `LEAK_SLIDES=10000 E2E_TIMEOUT=1500 scripts/e2e.sh reliab_leaks` for the full run:
# a slide of an unmanaged window under Wine takes about 70 ms, so 10,000 take twelve minutes);
# its GDI objects, windows, own live handles and private memory are read before and after (a table in
# the log and in leak_counts.txt). The counts must end where they started, within a small allowance, and
# private memory grow by less than 1 MB. The menus and the editor have cases of their own
# (reliab_leaks_menus.sh, reliab_leaks_editor.sh), so that each stays near a few minutes.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../leaks_lib.sh"

install_leak_bar 6
xdotool mousemove 300 300
start_and_wait "$dir"
# The slides run with the slide interval at 0: each moves the window out or back in one step, with the
# shell told and the bar painted, but without the 60 frames between. 40 slides at the bar's own interval
# follow, frames and all.
leak_batches leak_counts.txt "slides ${LEAK_SLIDES:-2000} 0" "slides 40"
