#!/usr/bin/env bash
# The About window over a distinctive window at the centre of the screen: its snapshot is
# the screen it covers, it stands centred, dissolves in and fades back out in 81 repaints
# each, closes on Escape and on a click, moves only when dragged with the button held,
# hands the help file beside the program to the shell, and a second command opens no second window.
# Runs about_probe.exe (tests/e2e/about), which hosts the window and records what it did.
source "$(dirname "$0")/../lib.sh"

PROBE=${ABOUT_PROBE:-$(dirname "$WENDLIX_DRIVER")/../about/about_probe.exe}
if [ ! -f "$PROBE" ]; then
  log "skipped: about_probe.exe is not built ($PROBE)"
  exit 0
fi
# The probe runs from a folder of its own with the help file beside it, as the bar does.
mkdir -p "$E2E_WORK/probe"
cp "$PROBE" "$E2E_WORK/probe/" || fail "could not copy the probe"
cp "$(dirname "$WENDLIX_EXE")/Wendlix.htm" "$E2E_WORK/probe/" || fail "no help file beside the program"
PROBE=$E2E_WORK/probe/$(basename "$PROBE")
OUT=$E2E_WORK/about
mkdir -p "$OUT"
EVENTS=$OUT/events.txt
WM_COMMAND=0x111
X0=312 Y0=259  # (1024 - 399) / 2, (768 - 250) / 2

count() {
  local n
  n=$(grep -c "^$1" "$EVENTS" 2>/dev/null)
  echo "${n:-0}"
}
wait_count() {  # PATTERN N SECONDS
  local start=$SECONDS
  until [ "$(count "$1")" -ge "$2" ]; do
    (( SECONDS - start >= $3 )) && fail "waited for $2 × '$1' in events: $(tr '\n' ' ' <"$EVENTS" 2>/dev/null)"
    sleep 0.05
  done
}
same_pixels() {  # A B: number of differing pixels
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
open_about() {  # N: the Nth opening
  drive post WendlixAboutProbe $WM_COMMAND 1 0 >/dev/null || fail "no probe window"
  wait_count opened "$1" 30
  drive wait TLogoForm 5 >/dev/null || fail "no About window"
}

# The program that opens .htm files is a recorder: it runs the probe with --record.
RECORD=$OUT/shell.txt
wine_run reg.exe add 'HKCR\.htm' /ve /f /d WendlixHelpTest >/dev/null 2>&1 || fail "could not set the .htm type"
wine_run reg.exe add 'HKCR\WendlixHelpTest\shell\open\command' /ve /f \
  /d "\"$(winpath "$PROBE")\" --record \"$(winpath "$RECORD")\" \"%1\"" >/dev/null 2>&1 ||
  fail "could not register the recorder"

(exec "${WINE_CMD[@]}" "$PROBE" "$(winpath "$OUT")") &
BAR_PID=$!
drive wait WendlixAboutProbe 30 >/dev/null || fail "the probe did not start"
sleep 1  # let the backdrop paint; a later check compares against this screen
before=$(screenshot "$E2E_ARTIFACTS/about-before.png")
crop "$before" 399 250 $X0 $Y0 "$E2E_ARTIFACTS/about-before-crop.png"

log "About command"
open_about 1
convert "$OUT/snapshot.bmp" "$E2E_ARTIFACTS/about-snapshot.png"
expect_eq 0 "$(same_pixels "$E2E_ARTIFACTS/about-snapshot.png" "$E2E_ARTIFACTS/about-before-crop.png")" \
  "snapshot against the screen crop"
expect_eq "$X0 $Y0 711 509" "$(drive rect TLogoForm)" "About window rectangle"
expect_eq "opened 81" "$(grep '^opened' "$EVENTS" | tail -1)" "dissolve repaints"
sleep 0.5
shown=$(screenshot "$E2E_ARTIFACTS/about-shown.png")
crop "$shown" 399 250 $X0 $Y0 "$E2E_ARTIFACTS/about-shown-crop.png"
# The title strip is the picture itself; the labels' corner differs from the bare picture.
convert "$(dirname "$0")/../../../src/res/about.bmp" "$E2E_ARTIFACTS/about-picture.png"
crop "$E2E_ARTIFACTS/about-picture.png" 399 170 0 0 "$E2E_WORK/pic-top.png"
crop "$E2E_ARTIFACTS/about-shown-crop.png" 399 170 0 0 "$E2E_WORK/shown-top.png"
expect_eq 0 "$(same_pixels "$E2E_WORK/pic-top.png" "$E2E_WORK/shown-top.png")" "picture above the labels"
crop "$E2E_ARTIFACTS/about-picture.png" 300 40 20 184 "$E2E_WORK/pic-labels.png"
crop "$E2E_ARTIFACTS/about-shown-crop.png" 300 40 20 184 "$E2E_WORK/shown-labels.png"
[ "$(same_pixels "$E2E_WORK/pic-labels.png" "$E2E_WORK/shown-labels.png")" -gt 100 ] || fail "labels not drawn"

log "second About command"
drive post WendlixAboutProbe $WM_COMMAND 1 0 >/dev/null
sleep 1
expect_eq 1 "$(count snapshot)" "snapshots after a second command"
expect_eq 1 "$(count opened)" "openings after a second command"

log "pointer moved without a button"
xdotool mousemove $((X0 + 200)) $((Y0 + 100)) sleep 0.2 mousemove $((X0 + 260)) $((Y0 + 140)) sleep 0.3
expect_eq "$X0 $Y0 711 509" "$(drive rect TLogoForm)" "rectangle after a move without a button"

log "Label2 opens the help file"
xdotool mousemove $((X0 + 40)) $((Y0 + 213)) sleep 0.2 click 1
start=$SECONDS
until [ -s "$RECORD" ]; do (( SECONDS - start >= 20 )) && fail "the shell never ran the browser"; sleep 0.1; done
expect_eq "1|$(winpath "$E2E_WORK/probe/Wendlix.htm")" "$(tr -d '\r' <"$RECORD" | paste -sd'|')" \
  "the help file handed to its program"

log "Escape"
xdotool mousemove $((X0 + 200)) $((Y0 + 100)) sleep 0.2
xdotool key Escape
wait_count closed 1 20
expect_eq "closed 81" "$(grep '^closed' "$EVENTS" | tail -1)" "blend repaints"
drive wait-gone TLogoForm 10 >/dev/null || fail "About window still open after Escape"
sleep 0.5
after=$(screenshot "$E2E_ARTIFACTS/about-after-escape.png")
crop "$after" 399 250 $X0 $Y0 "$E2E_ARTIFACTS/about-after-escape-crop.png"
expect_eq 0 "$(same_pixels "$E2E_ARTIFACTS/about-after-escape-crop.png" "$E2E_ARTIFACTS/about-before-crop.png")" \
  "screen after closing"

log "click on the picture"
open_about 2
xdotool mousemove $((X0 + 200)) $((Y0 + 100)) sleep 0.2 click 1
wait_count closed 2 20
drive wait-gone TLogoForm 10 >/dev/null || fail "About window still open after a click"

log "drag by the picture"
open_about 3
xdotool mousemove $((X0 + 200)) $((Y0 + 100)) sleep 0.2 mousedown 1 sleep 0.2 \
  mousemove $((X0 + 215)) $((Y0 + 110)) sleep 0.2 mousemove $((X0 + 260)) $((Y0 + 140)) sleep 0.2 \
  mousemove $((X0 + 300)) $((Y0 + 160)) sleep 0.3 mouseup 1 sleep 0.5
screenshot "$E2E_ARTIFACTS/about-dragged.png" >/dev/null
moved=$(drive rect TLogoForm) || fail "About window gone after a drag"
[ "$moved" != "$X0 $Y0 711 509" ] || fail "the drag did not move the window"
log "moved to $moved"
expect_eq 2 "$(count closed)" "closes after the drag"

drive close TLogoForm >/dev/null
wait_count closed 3 20
drive close WendlixAboutProbe >/dev/null
wait "$BAR_PID" 2>/dev/null
BAR_PID=
log "passed"
