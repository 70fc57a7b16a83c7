#!/usr/bin/env bash
# The close under stress (run by scripts/close_stress.sh, not by test.sh): the real bar started and closed
# by WM_CLOSE again and again in each state a user can close it in, the states in turn: idle, mid-slide,
# during a burst of changes in a group's folder, with the find box open, with a menu open, with a message box
# open, during a drag (a button moved in the bar with the mouse held, or dragged out as a file with Ctrl),
# right after the start while the icons of 240 shortcuts are still being resolved, and under processor load
# (two busy loops). Each close must be saved (the settings file written again whole) and the program gone
# within 5 s; a bar still running after 30 s is killed and counted as a hang.
# CLOSE_ROUNDS (default 28) closes of each state. Each close's state and milliseconds go to close_times.tsv,
# the figures per state to close_stress.txt (both in E2E_ARTIFACTS; the figures also to the log).
source "$(dirname "$0")/../lib.sh"

rounds=${CLOSE_ROUNDS:-28}
states=(idle slide folders find menu box drag icons load)
limit_ms=5000
use_recorder
few=$E2E_WORK/Few many=$E2E_WORK/Many
mkdir -p "$few" "$many"
for name in Alpha Bravo Charlie Delta Echo Foxtrot; do
  drive make-link "$(winpath "$few")\\$name.lnk" "$rec_win" "$name" >/dev/null || fail "could not write $name.lnk"
done
for (( i = 0; i < 40; i++ )); do
  for link in "$few"/*.lnk; do cp "$link" "$many/$i-$(basename "$link")"; done
done
app=$E2E_WORK/app
install_bar "$app"
# The help page missing: its menu item puts up a message box.
rm -f "$app"/*.htm
# The prefix's server stays up between the starts, as it does on a machine where other programs run.
"$WINESERVER_CMD" -p
on_exit "$WINESERVER_CMD" -k

# The files of a round: the settings file lacks "Active Delay", which only a save at close writes back.
write_files() {  # STATE
  local folder=$few hiding=0
  [ "$1" = icons ] && folder=$many
  [ "$1" = slide ] && hiding=1
  { group_section Tools "Directory=$(winpath "$folder")\\" Height=300
    group_section Web "Panel Style=1" Height=120; group_buttons Web News=http://news.example.org/; } |
    write_cp936 "$app/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web | sed "/^Active Delay=/d; s/^AutoHide=0/AutoHide=$hiding/" |
    write_cp936 "$app/Wendlix.INI"
}

# The screen point "x y" of the first shown button of Tools (group 0) into BUTTON, once the bar lays it out.
first_button() {
  local l t r b cl ct
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines button | awk -F'\t' '$2 == 0 && $5 == 1 { print $6; exit }')"
  [ -n "$b" ] || return 1
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  BUTTON="$((cl + (l + r) / 2)) $((ct + (t + b) / 2))"
}

burst_pid='' burn_pids=() held='' BUTTON=
# Links written and deleted in the folder as fast as the disk takes them, until the stop file appears.
folder_burst() {
  local i=0 source=$few/Alpha.lnk
  while [ ! -f "$E2E_WORK/stop-burst" ]; do
    cp "$source" "$few/burst$((i % 8)).lnk"
    (( i >= 4 )) && rm -f "$few/burst$(((i - 4) % 8)).lnk"
    i=$((i + 1))
  done
}

# Brings the started bar into STATE; what runs on meanwhile (a burst, busy loops, a held button) is stopped
# by end_state.
enter_state() {
  local x y
  case $1 in
    idle) drive ping "$WENDLIX_MAIN_CLASS" >/dev/null ;;
    slide)
      # Every other round the pointer at the edge starts the slide out; otherwise the bar is still sliding
      # in after its start. The close comes a random moment into the slide (a length, not a wait).
      (( ROUND % 2 )) && xdotool mousemove 1023 400
      sleep 0.0$((RANDOM % 10))
      ;;
    folders)
      rm -f "$E2E_WORK/stop-burst"
      folder_burst &
      burst_pid=$!
      sleep 0.$((RANDOM % 8 + 2))  # the burst under way (a length, not a wait for a condition)
      ;;
    find)
      drive post "$WENDLIX_MAIN_CLASS" 0x102 $((0x61)) 0 >/dev/null
      wait_for_window TFindBox 10 >/dev/null || return 1
      ;;
    menu)
      read_layout
      post_click "$(centre "$(layout_lines btntitle | cut -f2)")"
      wait_for_window '#32768' 10 >/dev/null || return 1
      ;;
    box)
      main_menu_item H2
      wait_for_window TMessageForm 10 >/dev/null || return 1
      ;;
    drag)
      wait_until 10 first_button || return 1
      read -r x y <<<"$BUTTON"
      # Every other round the button's file is dragged out (OLE), otherwise moved in the bar.
      (( ROUND % 2 )) && xdotool keydown ctrl
      held=1
      xdotool mousemove "$x" "$y" sleep 0.2 mousedown 1 sleep 0.1 mousemove "$x" $((y + 8)) sleep 0.1 \
        mousemove $((x - 5)) $((y + 30)) sleep 0.1 mousemove $((x - 10)) $((y + 60)) sleep 0.2
      # Both run in OLE's drag loop: under way once its tracker window exists.
      wait_until 5 drive find WineDragDropTracker32 >/dev/null || return 1
      ;;
    icons) ;;  # closed as soon as it shows: the resolver is still reading the shortcuts
    load)
      for _ in 1 2; do
        bash -c 'while :; do :; done' &
        burn_pids+=($!)
      done
      sleep 0.3  # the loops running
      ;;
  esac
}

end_state() {
  [ -n "$burst_pid" ] && { touch "$E2E_WORK/stop-burst"; wait "$burst_pid"; }
  burst_pid=''
  rm -f "$few"/burst*.lnk
  for pid in "${burn_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  burn_pids=()
  [ -n "$held" ] && xdotool mouseup 1 keyup ctrl
  held=''
}

# What the close must have kept: empty, or what was lost.
lost() {
  [ -n "$(ini_get "$app/Wendlix.INI" "Wendlix V3.0" "Active Delay")" ] || printf ',unsaved'
  [ "$(ini_keys "$app/Wendlix.INI" Groups | paste -sd' ')" = "Tools Web" ] || printf ',groups'
  [ "$(files_in "$few")" = "Alpha.lnk Bravo.lnk Charlie.lnk Delta.lnk Echo.lnk Foxtrot.lnk" ] || printf ',links'
}

times=$E2E_ARTIFACTS/close_times.tsv
: >"$times"
failures=0
close_round() {  # STATE
  local state=$1 started ended ms status=ok
  write_files "$state"
  xdotool mousemove 300 300
  start_and_wait "$app"
  if ! enter_state "$state"; then
    log "round $ROUND: could not bring the bar into state $state"
    screenshot "$E2E_ARTIFACTS/no-state-$state-$ROUND.png" >/dev/null
  fi
  # Timed from the post: the driver's own start is no part of the close.
  close_window "$WENDLIX_MAIN_CLASS" >/dev/null 2>&1 || log "round $ROUND: WM_CLOSE could not be posted"
  started=$(date +%s%N)
  timeout 30 tail -s 0.02 --pid="$BAR_PID" -f /dev/null
  ended=$(date +%s%N)
  ms=$(( (ended - started) / 1000000 ))
  if kill -0 "$BAR_PID" 2>/dev/null; then
    status=hang
    log "round $ROUND ($state): still running 30 s after WM_CLOSE; screen: $(screenshot "$E2E_ARTIFACTS/hang-$state-$ROUND.png")"
    log "its window: $(drive find "$WENDLIX_MAIN_CLASS" 2>/dev/null || echo gone), ping: $(drive ping "$WENDLIX_MAIN_CLASS" 2>&1)"
    end_state
    kill_bar
  else
    wait_bar_exit 5
    (( ms > limit_ms )) && status=slow
    [ "$BAR_STATUS" = 0 ] || status="exit-$BAR_STATUS"
  fi
  end_state
  status+=$(lost)
  [ "$status" = ok ] || { failures=$((failures + 1)); log "round $ROUND ($state): $status after $ms ms"; }
  printf '%s\t%s\t%s\n' "$state" "$ms" "$status" >>"$times"
}

for (( ROUND = 0; ROUND < rounds * ${#states[@]}; ROUND++ )); do
  close_round "${states[ROUND % ${#states[@]}]}"
done

# Per state: closes, median and slowest milliseconds, failures.
summary=$(printf '%-8s %6s %10s %10s %8s\n' state closes "median ms" slowest failed
  sort -t$'\t' -k1,1 -k2,2n "$times" | awk -F'\t' '
    { ms[$1, n[$1]++] = $2; if ($3 != "ok") bad[$1]++ }
    END { for (s in n) printf "%-8s %6d %10d %10d %8d\n", s, n[s], ms[s, int((n[s] - 1) / 2)], ms[s, n[s] - 1], bad[s] }' |
    sort)
total=$(awk -F'\t' '{ print $2 }' "$times" | sort -n | awk '{ v[n++] = $1 } END { printf "all: %d closes, median %d ms, slowest %d ms", n, v[int((n - 1) / 2)], v[n - 1] }')
printf '%s\n%s, %d failed\n' "$summary" "$total" "$failures" | tee "$E2E_ARTIFACTS/close_stress.txt"
[ "$failures" = 0 ] || fail "$failures closes failed"
