#!/usr/bin/env bash
# The About window over a distinctive window at the centre of the screen, with the real screen and mouse:
# its snapshot is the screen it covers, it shows the picture with its labels, leaves the screen as it was
# when it closes on Escape, closes on a click, moves when dragged with the button held, and hands the help
# file beside the program to the shell. Runs about_probe.exe (tests/e2e/about), which hosts the window and
# records what it did. (Its place, its fades and its answer to a second command are tested on their own.)
source "$(dirname "$0")/../lib.sh"

PROBE=${ABOUT_PROBE:-$(dirname "$WENDLIX_DRIVER")/../about/about_probe.exe}
[ -f "$PROBE" ] || fail "about_probe.exe is not built ($PROBE)"
# The probe runs from a folder of its own with the help file beside it, as the bar does.
mkdir -p "$E2E_WORK/probe" "$E2E_WORK/about"
cp "$PROBE" "$(dirname "$WENDLIX_EXE")/Wendlix.htm" "$E2E_WORK/probe/" || fail "no help file beside the program"
PROBE=$E2E_WORK/probe/$(basename "$PROBE")
OUT=$E2E_WORK/about EVENTS=$E2E_WORK/about/events.txt RECORD=$E2E_WORK/about/shell.txt
X0=312 Y0=259  # (1024 - 399) / 2, (768 - 250) / 2

count_is_at_least() { [ "$(grep -c "^$1" "$EVENTS" 2>/dev/null)" -ge "$2" ]; }
wait_count() {  # PATTERN N
  wait_until 30 count_is_at_least "$1" "$2" || fail "waited for $2 × '$1' in events: $(paste -sd' ' "$EVENTS" 2>/dev/null)"
}
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
centre_shot() { shot_rect "$1" $X0 $Y0 $((X0 + 399)) $((Y0 + 250)); }
# The screen's centre is what it was before the window opened.
centre_as_before() { centre_shot about-after.png; [ "$(differing_pixels "$E2E_ARTIFACTS/about-after.png" "$E2E_ARTIFACTS/about-before.png")" = 0 ]; }
# The screen's centre painted and still: two looks a moment apart agree.
centre_settled() { centre_shot about-before.png; sleep 0.2; centre_as_before; }
open_about() {  # N: the Nth opening
  drive post WendlixAboutProbe 0x111 1 0 >/dev/null || fail "no probe window"
  wait_count opened "$1"
  drive wait TLogoForm 5 >/dev/null || fail "no About window"
}
closes_on() {  # N WHAT...: xdotool commands that close the Nth opening
  local n=$1
  shift
  xdotool mousemove $((X0 + 200)) $((Y0 + 100)) "$@"
  wait_count closed "$n"
  drive wait-gone TLogoForm 10 >/dev/null || fail "About window still open after $*"
}

# The program that opens .htm files is a recorder: it runs the probe with --record.
wine_run reg.exe add 'HKCR\.htm' /ve /f /d WendlixHelpTest >/dev/null 2>&1 || fail "could not set the .htm type"
wine_run reg.exe add 'HKCR\WendlixHelpTest\shell\open\command' /ve /f \
  /d "\"$(winpath "$PROBE")\" --record \"$(winpath "$RECORD")\" \"%1\"" >/dev/null 2>&1 ||
  fail "could not register the recorder"
(exec "${WINE_CMD[@]}" "$PROBE" "$(winpath "$OUT")") &
BAR_PID=$!
drive wait WendlixAboutProbe 30 >/dev/null || fail "the probe did not start"
wait_until 20 centre_settled || fail "the probe's window never settled"

open_about 1
convert "$OUT/snapshot.bmp" "$E2E_ARTIFACTS/about-snapshot.png"
expect_eq 0 "$(differing_pixels "$E2E_ARTIFACTS/about-snapshot.png" "$E2E_ARTIFACTS/about-before.png")" \
  "snapshot against the screen"
# The title strip is the picture itself; the labels' corner differs from the bare picture.
convert "$(dirname "$0")/../../../src/res/about.bmp" "$E2E_WORK/picture.png"
crop "$E2E_WORK/picture.png" 399 170 0 0 "$E2E_WORK/pic-top.png"
crop "$E2E_WORK/picture.png" 300 40 20 184 "$E2E_WORK/pic-labels.png"
shown_top() { shot_rect about-shown-top.png $X0 $Y0 $((X0 + 399)) $((Y0 + 170)); [ "$(differing_pixels "$E2E_WORK/pic-top.png" "$E2E_ARTIFACTS/about-shown-top.png")" = 0 ]; }
wait_until 10 shown_top || fail "the picture above the labels is not shown"
shot_rect about-shown-labels.png $((X0 + 20)) $((Y0 + 184)) $((X0 + 320)) $((Y0 + 224))
(( $(differing_pixels "$E2E_WORK/pic-labels.png" "$E2E_ARTIFACTS/about-shown-labels.png") > 100 )) || fail "labels not drawn"

# Label2 opens the help file.
xdotool mousemove $((X0 + 40)) $((Y0 + 213)) sleep 0.2 click 1
wait_until 20 test -s "$RECORD" || fail "the shell never ran the browser"
expect_eq "1|$(winpath "$E2E_WORK/probe/Wendlix.htm")" "$(tr -d '\r' <"$RECORD" | paste -sd'|')" "the help file handed to its program"

closes_on 1 sleep 0.2 key Escape
wait_until 10 centre_as_before || fail "the screen after closing differs from before"
open_about 2
closes_on 2 sleep 0.2 click 1

open_about 3
# Paced like a hand: the window follows the pointer step by step.
xdotool mousemove $((X0 + 200)) $((Y0 + 100)) sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove $((X0 + 215)) $((Y0 + 110)) sleep 0.2 mousemove $((X0 + 260)) $((Y0 + 140)) sleep 0.2 \
  mousemove $((X0 + 300)) $((Y0 + 160)) sleep 0.3 mouseup 1
moved() { [ "$(drive rect TLogoForm)" != "$X0 $Y0 711 509" ]; }
wait_until 5 moved || fail "the drag did not move the window"
screenshot "$E2E_ARTIFACTS/about-dragged.png" >/dev/null
expect_eq 2 "$(grep -c '^closed' "$EVENTS")" "closes after the drag"
drive close TLogoForm >/dev/null
wait_count closed 3
drive close WendlixAboutProbe >/dev/null
wait "$BAR_PID" 2>/dev/null
BAR_PID=
