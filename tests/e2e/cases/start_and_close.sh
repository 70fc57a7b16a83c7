#!/usr/bin/env bash
# A short life of the program, also the smoke run of the 32-bit exe: it starts, shows its main window
# with the expected title and draws it, and ends by itself, with exit code 0, when the window is asked
# to close from another process.
source "$(dirname "$0")/../lib.sh"

start_and_wait "$E2E_WORK/app"
expect_eq "Wendlix V2.0" "$(drive title "$WENDLIX_MAIN_CLASS")" "main window title"
# Its window's icons are the program's, pixel for pixel: without them Wine loads the system's logo for
# the window while it first shows it.
icons_against_the_program() {
  python3 - "$(drive xwindow "$WENDLIX_MAIN_CLASS")" "$(dirname "$0")/../../../src/res/wendlix.ico" <<'EOF'
import subprocess, sys
shown = subprocess.run(["xprop", "-id", sys.argv[1], "-notype", "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"],
                       capture_output=True, text=True).stdout.partition("=")[2]
values = [int(v) for v in shown.replace(",", " ").split()]
frames = {16: 0, 32: 1, 48: 2}
answer, at = [], 0
while at + 2 <= len(values):
    w, h = values[at], values[at + 1]
    argb = values[at + 2:at + 2 + w * h]
    at += 2 + w * h
    rgba = subprocess.run(["convert", f"{sys.argv[2]}[{frames.get(w, 0)}]", "-depth", "8", "rgba:-"],
                          capture_output=True).stdout
    own = [(rgba[k + 3] << 24) | (rgba[k] << 16) | (rgba[k + 1] << 8) | rgba[k + 2] for k in range(0, len(rgba), 4)]
    answer.append(f"{w}x{h} " + ("the program's" if argb == own else "another"))
print(", ".join(answer))
EOF
}
expect_eq "32x32 the program's, 16x16 the program's" "$(icons_against_the_program)" "main window icons"

# The root window of a bare Xvfb is black: a painted window is not. The first-start bar slides to its
# sliver, so the rectangle is read again for every look.
drawn() {
  local left top right bottom
  read -r left top right bottom < <(drive rect "$WENDLIX_MAIN_CLASS") || return 1
  (( left < 0 )) && left=0
  (( right > 1024 )) && right=1024
  (( right > left )) || return 1
  shot_rect main-window.png "$left" "$top" "$right" "$bottom"
  awk -v l="$(mean_level "$E2E_ARTIFACTS/main-window.png")" 'BEGIN { exit !(l > 0.1) }'
}
wait_until 20 drawn || fail "the window's area stayed black: nothing drawn"

stop_bar 20 || fail "the program did not end cleanly after WM_CLOSE (status ${BAR_STATUS:-none})"
log "started, drawn and closed; exit code $BAR_STATUS"
