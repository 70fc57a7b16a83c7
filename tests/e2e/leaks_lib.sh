# shellcheck shell=bash
# Helpers of the leak and long-run cases (cases/reliab_*.sh), sourced after lib.sh. The bar runs with its
# test switches on, so that it takes batch requests (`probe`).

export WENDLIX_TEST_SWITCHES=1

# Installs the bar in $E2E_WORK/app docked right, auto-hide, with a shortcut group "Tools" on a folder of
# COUNT shell links, a web group and an e-mail group; sets dir and tools (the unix folder of Tools).
install_leak_bar() {
  local i
  dir=$E2E_WORK/app
  tools=$E2E_WORK/Tools
  install_bar "$dir"
  # shellcheck disable=SC2046  # one name a word
  make_links "$tools" 'C:\windows\notepad.exe' $(for (( i = 1; i <= ${1:-6}; i++ )); do echo "App_$i"; done)
  make_links "$tools/Sub" 'C:\windows\regedit.exe' Inner
  {
    group_section Tools "Directory=$(winpath "$tools")" Height=300 "Draw style=1"
    group_section Web "Panel Style=1" Height=120
    group_buttons Web 示例网站=http://www.example.com/ News=http://news.example.org/
    group_section Mail "Panel Style=2" Height=80
    group_buttons Mail 示例邮箱=MAILTO:someone@example.com
  } | write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web Mail | sed 's/^AutoHide=0$/AutoHide=1/' | write_cp936 "$dir/Wendlix.INI"
}

# Reads the bar's counts into the associative array COUNTS (gdi, windows, own-gdi, own-user, own-kernel,
# private, and the raw sources).
declare -A COUNTS
read_counts() {
  local report name value
  report=$(drive query "$WENDLIX_MAIN_CLASS" counts) || fail "the bar did not answer the counts query"
  COUNTS=()
  while IFS=$'\t' read -r name value; do
    [ -n "$name" ] && COUNTS[$name]=$value
  done <<<"$report"
  [ -n "${COUNTS[gdi]:-}" ] || fail "no gdi figure in the counts: $report"
}

# Runs REQUEST in the bar, allowing SECONDS; fails unless it answers done.
probe() {
  local answer
  answer=$(drive probe "$WENDLIX_MAIN_CLASS" "$1" "$2") || fail "the bar did not finish '$1': $answer"
  printf '%s\n' "$answer"
}

# The figures a leak check compares, in this order.
LEAK_FIGURES=(gdi windows own-gdi own-user own-kernel private)
# Caches that fill once (a first icon, a first font, the editor's first opening) are filled by a warm-up
# round of every batch; after that a batch may leave at most ALLOWED_COUNT objects of a kind more than
# before it, and private memory may grow by less than 1 MB.
ALLOWED_COUNT=${ALLOWED_COUNT:-2}
ALLOWED_BYTES=$((1024 * 1024))

# Appends to PROBLEMS what grew too much from the figures in the array named by $1 to COUNTS.
check_growth() {
  local -n from=$1
  local what=$2 f delta
  for f in "${LEAK_FIGURES[@]}"; do
    # shellcheck disable=SC2004  # an associative array: the key is expanded
    delta=$(( COUNTS[$f] - from[$f] ))
    if [ "$f" = private ]; then
      (( delta < ALLOWED_BYTES )) || PROBLEMS+=("$what: private memory grew by $delta bytes")
    else
      (( delta <= ALLOWED_COUNT )) || PROBLEMS+=("$what: $f went from ${from[$f]} to ${COUNTS[$f]}")
    fi
  done
}

# Runs each batch ("NAME COUNT [ARG]") in the running bar after a warm-up round of four of each, reading
# the counts before and after every batch; writes the table to the log and to $E2E_ARTIFACTS/TABLE_NAME,
# then fails with every figure that grew too much.
leak_batches() {
  local table=$E2E_ARTIFACTS/$1 batch name arg answer started took f
  shift
  local -A first=() before=()
  PROBLEMS=()
  log "warm-up"
  for batch in "$@"; do
    read -r name _ arg <<<"$batch"
    probe "$name 4${arg:+ $arg}" 120 >/dev/null
  done
  {
    printf '%-16s' batch
    for f in "${LEAK_FIGURES[@]}"; do printf ' %23s' "$f"; done
    printf ' %8s\n' seconds
  } >"$table"
  read_counts
  for f in "${LEAK_FIGURES[@]}"; do first[$f]=${COUNTS[$f]}; done
  log "start: $(counts_line)"
  log "sources: gui-gdi=${COUNTS[gui-gdi]} gui-user=${COUNTS[gui-user]} gdi-table=${COUNTS[gdi-table]}" \
    "private-usage=${COUNTS[private-usage]} committed-private=${COUNTS[committed-private]}"
  for batch in "$@"; do
    read_counts
    for f in "${LEAK_FIGURES[@]}"; do before[$f]=${COUNTS[$f]}; done
    started=$SECONDS
    answer=$(probe "$batch" 1400) || exit 1
    took=$((SECONDS - started))
    read_counts
    {
      printf '%-16s' "$batch"
      for f in "${LEAK_FIGURES[@]}"; do printf ' %23s' "${before[$f]} -> ${COUNTS[$f]}"; done
      printf ' %8s\n' "$took"
    } >>"$table"
    log "$answer in $took s"
    check_growth before "$batch"
  done
  {
    printf '%-16s' "all batches"
    for f in "${LEAK_FIGURES[@]}"; do printf ' %23s' "${first[$f]} -> ${COUNTS[$f]}"; done
    printf '\n'
  } >>"$table"
  cat "$table"
  check_growth first "all batches"
  drive ping "$WENDLIX_MAIN_CLASS" >/dev/null || PROBLEMS+=("the bar did not answer WM_NULL within 5 s")
  stop_bar 30 || PROBLEMS+=("the bar did not close by itself with exit code 0")
  if [ ${#PROBLEMS[@]} -gt 0 ]; then
    printf '%s\n' "${PROBLEMS[@]}" >&2
    fail "${#PROBLEMS[@]} leak check(s) failed"
  fi
  log "no leaks: every count within $ALLOWED_COUNT of where it started, private memory within 1 MB"
}

# One line of the figures LEAK_FIGURES from COUNTS, "name=value ...".
counts_line() {
  local f
  for f in "${LEAK_FIGURES[@]}"; do printf '%s=%s ' "$f" "${COUNTS[$f]}"; done
}

# The long run: for SECONDS the pointer goes to the bar's edge and away, a group is collapsed and shown
# again, a shell link comes and goes in the Tools folder and the groups are refilled, and every few
# seconds WM_NULL must come back within 5 s. The counts at the end must be those after the first round,
# within ALLOWED_COUNT, private memory within 1 MB. Writes a summary to $E2E_ARTIFACTS/long_run.txt.
long_run() {
  local seconds=$1 screen_w screen_h round=0 pings=0 slowest=0 ms deadline spare
  SEEN_OUT=0
  local -A first=()
  PROBLEMS=()
  read -r screen_w screen_h < <(drive screen)
  install_leak_bar 6
  xdotool mousemove 300 300
  start_and_wait "$dir"
  activate_other_window $((seconds + 120))
  spare="$tools/App_1.lnk"

  # A few rounds of everything before the first figures, so that what fills once is filled (the
  # first hover, collapse and refill leave a few GDI objects that stay for the rest of the run).
  for round in 0 1 2 3 4 5; do long_run_round "$round"; done
  round=0
  SEEN_OUT=0
  read_counts
  for f in "${LEAK_FIGURES[@]}"; do first[$f]=${COUNTS[$f]}; done
  log "start: $(counts_line)"
  deadline=$((SECONDS + seconds))
  while (( SECONDS < deadline )); do
    round=$((round + 1))
    long_run_round "$round"
    ms=$(drive ping "$WENDLIX_MAIN_CLASS") || PROBLEMS+=("round $round: WM_NULL timed out: $ms")
    pings=$((pings + 1))
    [[ $ms =~ ^[0-9]+$ ]] && (( ms > slowest )) && slowest=$ms
    (( round % 20 == 0 )) && { read_counts; log "round $round: $(counts_line) slowest ping ${slowest} ms"; }
  done
  read_counts
  log "end after $round rounds: $(counts_line)"
  {
    printf 'long run: %s s, %s rounds (the bar seen out at its edge in %s), %s pings, slowest %s ms\n' \
      "$seconds" "$round" "$SEEN_OUT" "$pings" "$slowest"
    printf '%-12s %14s %14s %10s\n' figure start end change
    for f in "${LEAK_FIGURES[@]}"; do
      printf '%-12s %14s %14s %10s\n' "$f" "${first[$f]}" "${COUNTS[$f]}" $(( COUNTS[$f] - first[$f] ))
    done
  } | tee "$E2E_ARTIFACTS/long_run.txt"
  check_growth first "long run"
  stop_bar 30 || PROBLEMS+=("the bar did not close by itself with exit code 0")
  if [ ${#PROBLEMS[@]} -gt 0 ]; then
    printf '%s\n' "${PROBLEMS[@]}" >&2
    fail "${#PROBLEMS[@]} long-run check(s) failed"
  fi
  log "the bar answered every ping and its counts stayed flat"
}

# Whether the bar stands out of its right edge (0) or in its sliver (1), from its rectangle now.
bar_is_out() {
  local left
  read -r left _ <<<"$(drive rect "$WENDLIX_MAIN_CLASS")"
  [ -n "$left" ] && (( left < screen_w - 20 ))
}

bar_is_in() { ! bar_is_out; }

# ROUND: the pointer to the edge and back, every third round a group collapsed and shown, every fifth a
# shell link added or taken away in Tools and the groups refilled. Round 0 waits until the bar has slid
# out and back; the others only note whether it was out (SEEN_OUT) while the pointer was at the edge: the
# pauses are the run's pace, not waits for the slide.
long_run_round() {
  local round=$1
  xdotool mousemove $((screen_w - 1)) $((screen_h / 2))
  if (( round == 0 )); then
    wait_until 20 bar_is_out || fail "the bar did not slide out when the pointer came to its edge"
  else
    sleep 0.4
    bar_is_out && SEEN_OUT=$((SEEN_OUT + 1))
  fi
  xdotool mousemove 500 375
  if (( round == 0 )); then
    wait_until 20 bar_is_in || fail "the bar did not slide back when the pointer left"
  else
    sleep 0.4
  fi
  if (( round % 3 == 0 )); then probe "collapse 1" 60 >/dev/null; fi
  if (( round % 5 == 0 )); then
    if [ -f "$tools/Extra.lnk" ]; then rm -f "$tools/Extra.lnk"; else cp "$spare" "$tools/Extra.lnk"; fi
    probe "rebuild 1" 60 >/dev/null
  fi
}
