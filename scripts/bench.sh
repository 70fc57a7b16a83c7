#!/usr/bin/env bash
# Builds and runs the benchmarks: the native Google Benchmark exe, then every Wine measurement
# (bench/wine/*.cpp, one exe each) under wine64 with code page 936, in a fresh copy of the prepared
# prefix and a private Xvfb display. Each side compares our way with the plain way in the same run and prints both figures.
# Last, the start-up to first paint and the private memory of a plain window program, a plain appbar (the
# floor: an appbar must load shell32 and register with the shell before it shows), the bar and a big bar,
# each started the same way from outside, taking turns run by run (bench/wine/startup/). It prints the
# bar's ratios to the floor and says when they pass the targets: first paint 1.2x the plain appbar's (the big
# bar 1.3x), private memory 5 MB over the plain window's (the big bar's is only reported); then the private
# memory of a bar of 20 live groups a minute after its first paint, beside the plain window's, against the
# same 5 MB (and of the same bar with 5 shortcuts a group, whose icons bring the shell's icon cache).
#   scripts/bench.sh [BENCHMARK_FILTER]     the filter goes to the native exe (default: all)
#   scripts/bench.sh --startup              only the start-up part
# WENDLIX_STARTUP_RUNS sets the start-up runs (default 11); WENDLIX_STARTUP_FILES names a folder whose files
# (settings, group file) are put beside the bar for its start-up runs instead of the shipped first-run files;
# WENDLIX_STARTUP_BASELINE names another Wendlix.exe (an older build) that takes its turns beside the bar with
# the same files.
# WENDLIX_BUILD_DIR moves the build tree, WENDLIX_JOBS caps the compile jobs (see scripts/lib/common.sh).
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
cd "$WX_ROOT" || exit 1
mkdir -p "$WX_LOGS"
status=0
startup_only=
if [ "${1:-}" = --startup ]; then
  startup_only=1
  shift
fi

build() {  # PRESET TARGET...
  local preset=$1 log=$WX_LOGS/bench-build-$1.log
  shift
  if ! { cmake --preset "$preset" -B "$WX_BUILD/$preset" && cmake --build "$WX_BUILD/$preset" -j "$WX_JOBS" --target "$@"; } \
      >"$log" 2>&1; then
    echo "bench: building $preset failed (log: $log)" >&2
    tail -n 30 "$log" >&2
    return 1
  fi
}

# DIR LINKS FOLDERS WINFOLDERS: a bar's files in DIR for 20 shortcut groups of LINKS shortcuts each
# (internet shortcuts, which a shortcut group lists and draws like links), group N's in FOLDERS/linksN,
# which Windows calls WINFOLDERS\linksN.
make_many_groups() {
  # Sourced first: it sets globals (dir among them) that would clear the locals below.
  # shellcheck source=tests/e2e/bar_lib.sh
  source "$WX_ROOT/tests/e2e/bar_lib.sh"
  local dir=$1 links=$2 folders=$3 winfolders=$4 g i titles=()
  rm -rf "$dir" "$folders" && mkdir -p "$dir"
  for g in $(seq 1 20); do
    mkdir -p "$folders/links$g"
    for i in $(seq 1 "$links"); do
      printf '[InternetShortcut]\r\nURL=http://example.org/%d/%d\r\n' "$g" "$i" >"$folders/links$g/site$i.url"
    done
    titles+=("Group$g")
  done
  for g in $(seq 1 20); do group_section "Group$g" "Directory=$winfolders\\links$g\\"; done |
    write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 "${titles[@]}" | write_cp936 "$dir/Wendlix.INI"
}

# Prints the verdict on the medians startup_bench.exe ends with ("median NAME CREATED SHOWN PAINTED MB").
startup_verdict() {
  awk '
    $1 == "median" { paint[$2] = $5; mb[$2] = $6 }
    $1 == "idle" { idle[$2] = $6 }
    # The big bar has no memory target: the icons it shows bring the shell icon cache.
    function check(name, limit, memoryTarget) {
      if (!(name in paint) || paint[name] <= 0 || paint["appbar"] <= 0) return
      ratio = paint[name] / paint["appbar"]
      over = mb[name] - mb["window"]
      memory = memoryTarget ? sprintf("(target 5): %s", over <= 5 ? "met" : "NOT MET") : "(its icons'"'"' cache among it)"
      printf "  %-16s first paint %.2fx the plain appbar (target %.1fx): %s; private memory %+.1f MB over the plain window %s\n",
        name, ratio, limit, ratio <= limit ? "met" : "NOT MET", over, memory
    }
    END {
      if ("appbar" in paint) printf "  plain appbar     first paint %.2fx the plain window\n", paint["appbar"] / paint["window"]
      check("bar", 1.2, 1); check("baseline", 1.2, 1); check("big-bar", 1.3, 0)
      if (("watched-bar" in idle) && ("window" in idle)) {
        over = idle["watched-bar"] - idle["window"]
        printf "  watched-bar      private memory a minute after the first paint %+.1f MB over the plain window (target 5): %s\n",
          over, over <= 5 ? "met" : "NOT MET"
      }
      if (("watched-icons" in idle) && ("window" in idle))
        printf "  watched-icons    the same with 5 shortcuts a group: %+.1f MB (the shell'"'"'s icon cache among it)\n",
          idle["watched-icons"] - idle["window"]
    }'
}

# PREFIX DISPLAY: the start-up part.
startup() {
  local prefix=$1 display=$2 bin=$WX_BUILD/win64/bench/wine app many watched out programs
  wx_header "start-up to first paint and private memory (wine64): plain window, plain appbar, the bar, a big bar"
  app=$WX_BUILD/bench-startup/app
  rm -rf "$app" && mkdir -p "$app"
  cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$WX_ROOT/src/res/Wendlix.GPF" "$app/"
  [ -n "${WENDLIX_STARTUP_FILES:-}" ] && cp -a "$WENDLIX_STARTUP_FILES"/. "$app/"
  many=$WX_BUILD/bench-startup/many
  make_many_groups "$many" 100 "$many" "$(wx_winpath "$many")"
  cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$many/"
  # 20 live groups, their folders on the Windows volume as a user's would be: empty (what the bar itself
  # keeps), and holding 5 shortcuts each (with the shell's icons).
  watched=$WX_BUILD/bench-startup/watched
  make_many_groups "$watched" 0 "$prefix/drive_c/wendlix-bench/empty" 'C:\wendlix-bench\empty'
  cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$watched/"
  make_many_groups "$watched-icons" 5 "$prefix/drive_c/wendlix-bench/icons" 'C:\wendlix-bench\icons'
  cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$watched-icons/"
  programs=(window WendlixTrivialWindow "$(wx_winpath "$bin/trivial_window.exe")"
            appbar WendlixTrivialAppbar "$(wx_winpath "$bin/trivial_appbar.exe")"
            bar TWendlixMainForm "$(wx_winpath "$app/Wendlix.exe")")
  if [ -n "${WENDLIX_STARTUP_BASELINE:-}" ]; then
    rm -rf "$app-baseline" && cp -a "$app" "$app-baseline" && cp "$WENDLIX_STARTUP_BASELINE" "$app-baseline/Wendlix.exe"
    programs+=(baseline TWendlixMainForm "$(wx_winpath "$app-baseline/Wendlix.exe")")
  fi
  programs+=(big-bar TWendlixMainForm "$(wx_winpath "$many/Wendlix.exe")")
  out=$WX_LOGS/bench-startup.txt
  # Each bar reads the files beside it, not the ones an earlier run remembered.
  WINEPREFIX=$prefix timeout 1800 env "${WX_WINE_LOCALE[@]}" DISPLAY="$display" "$WX_WINE64" \
    "$bin/startup_bench.exe" -n "${WENDLIX_STARTUP_RUNS:-11}" -r 'Software\Holmvik\Wendlix\Confing FileName' \
    "${programs[@]}" | tee "$out"
  [ "${PIPESTATUS[0]}" = 0 ] || { echo "bench: a start-up run failed" >&2; return 1; }
  echo "  load: $(uptime)"
  # Memory is the same run after run: one run each, a minute after the first paint.
  echo "private memory a minute after the first paint (one run each)"
  WINEPREFIX=$prefix timeout 600 env "${WX_WINE_LOCALE[@]}" DISPLAY="$display" "$WX_WINE64" \
    "$bin/startup_bench.exe" -n 1 -w 0 -i 60 -r 'Software\Holmvik\Wendlix\Confing FileName' \
    window WendlixTrivialWindow "$(wx_winpath "$bin/trivial_window.exe")" \
    watched-bar TWendlixMainForm "$(wx_winpath "$watched/Wendlix.exe")" \
    watched-icons TWendlixMainForm "$(wx_winpath "$watched-icons/Wendlix.exe")" | tee "$WX_LOGS/bench-startup-idle.txt" | sed -n 's/^median /idle /p' | tee -a "$out"
  startup_verdict <"$out"
  return 0  # passing a target is news, not a failure
}

wine_targets=()
if [ -z "$startup_only" ]; then
  wx_header "native benchmarks"
  if build native wendlix_bench; then
    "$WX_BUILD/native/bench/wendlix_bench" --benchmark_filter="${1:-.}" || status=1
  else
    status=1
  fi
  for src in bench/wine/*.cpp; do
    [ -e "$src" ] && wine_targets+=("$(basename "$src" .cpp)")
  done
fi
if [ ${#wine_targets[@]} -gt 0 ] || [ -n "$startup_only" ]; then
  wx_header "Wine benchmarks (wine64, code page 936)"
  if build win64 "${wine_targets[@]}" startup_bench trivial_window trivial_appbar Wendlix && wx_wine_prepare; then
    prefix=$WX_WINE_DIR/bench-prefix
    wx_prefix_copy "$prefix" || status=1
    # Some measurements open windows: give them a private display.
    display=
    if wx_xvfb_start "${WENDLIX_DISPLAY_BASE:-90}"; then display=$WX_XVFB_DISPLAY; fi
    for name in "${wine_targets[@]}"; do
      echo "-- $name"
      WINEPREFIX=$prefix timeout 600 env "${WX_WINE_LOCALE[@]}" DISPLAY="$display" "$WX_WINE64" \
        "$WX_BUILD/win64/bench/wine/$name.exe" || { echo "bench: $name failed" >&2; status=1; }
    done
    [ -n "$display" ] && { startup "$prefix" "$display" || status=1; }
    wx_prefix_stop "$prefix"
    wx_xvfb_stop
  else
    status=1
  fi
fi

[ -n "$startup_only" ] && exit $status
wx_header "program sizes (the 32-bit one when scripts/build.sh or scripts/test.sh has built it)"
for exe in "$WX_BUILD/win64/src/win/Wendlix.exe" "$WX_BUILD/win32/src/win/Wendlix.exe"; do
  [ -f "$exe" ] && printf '  %s %d bytes\n' "${exe#"$WX_BUILD"/}" "$(stat -c %s "$exe")"
done
exit $status
