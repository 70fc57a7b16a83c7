#!/usr/bin/env bash
# Builds and runs the benchmarks: the native Google Benchmark exe, then every Wine measurement
# (bench/wine/*.cpp, one exe each) under wine64 with code page 936, in a fresh copy of the prepared
# prefix and a private Xvfb display. Each side compares our way with the plain way in the same run and prints both figures.
# Last, the start-up to first paint of a plain window program and of the bar, each started the same way from
# outside (bench/wine/startup/).
#   scripts/bench.sh [BENCHMARK_FILTER]     the filter goes to the native exe (default: all)
# WENDLIX_STARTUP_RUNS sets the start-up runs (default 11); WENDLIX_STARTUP_FILES names a folder whose files
# (settings, group file) are put beside the bar for its start-up runs instead of the shipped first-run files.
# WENDLIX_BUILD_DIR moves the build tree, WENDLIX_JOBS caps the compile jobs (see scripts/lib/common.sh).
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
cd "$WX_ROOT" || exit 1
mkdir -p "$WX_LOGS"
status=0

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

# FOLDER: a bar's files for 20 shortcut groups of 100 shortcuts each (internet shortcuts, which a shortcut
# group lists and draws like links).
make_many_groups() {
  local dir=$1 g i titles=()
  # shellcheck source=tests/e2e/bar_lib.sh
  source "$WX_ROOT/tests/e2e/bar_lib.sh"
  rm -rf "$dir" && mkdir -p "$dir"
  for g in $(seq 1 20); do
    mkdir -p "$dir/links$g"
    for i in $(seq 1 100); do
      printf '[InternetShortcut]\r\nURL=http://example.org/%d/%d\r\n' "$g" "$i" >"$dir/links$g/site$i.url"
    done
    titles+=("Group$g")
  done
  for g in $(seq 1 20); do group_section "Group$g" "Directory=$(wx_winpath "$dir/links$g")\\"; done |
    write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 "${titles[@]}" | write_cp936 "$dir/Wendlix.INI"
}

wx_header "native benchmarks"
if build native wendlix_bench; then
  "$WX_BUILD/native/bench/wendlix_bench" --benchmark_filter="${1:-.}" || status=1
else
  status=1
fi

wine_targets=()
for src in bench/wine/*.cpp; do
  [ -e "$src" ] && wine_targets+=("$(basename "$src" .cpp)")
done
if [ ${#wine_targets[@]} -gt 0 ]; then
  wx_header "Wine benchmarks (wine64, code page 936)"
  if build win64 "${wine_targets[@]}" startup_bench trivial_window Wendlix && wx_wine_prepare; then
    prefix=$WX_WINE_DIR/bench-prefix
    wx_prefix_copy "$prefix" || status=1
    # Some measurements open windows: give them a private display.
    display=
    if wx_xvfb_start 90; then display=$WX_XVFB_DISPLAY; fi
    for name in "${wine_targets[@]}"; do
      echo "-- $name"
      WINEPREFIX=$prefix timeout 600 env "${WX_WINE_LOCALE[@]}" DISPLAY="$display" "$WX_WINE64" \
        "$WX_BUILD/win64/bench/wine/$name.exe" || { echo "bench: $name failed" >&2; status=1; }
    done
    if [ -n "$display" ]; then
      wx_header "start-up to first paint and private memory (wine64): a plain window program, the bar, a big bar"
      app=$WX_BUILD/bench-startup/app
      rm -rf "$app" && mkdir -p "$app"
      cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$WX_ROOT/src/res/Wendlix.GPF" "$app/"
      [ -n "${WENDLIX_STARTUP_FILES:-}" ] && cp -a "$WENDLIX_STARTUP_FILES"/. "$app/"
      many=$WX_BUILD/bench-startup/many
      make_many_groups "$many"
      cp "$WX_BUILD/win64/src/win/Wendlix.exe" "$many/"
      for target in "WendlixTrivialWindow $WX_BUILD/win64/bench/wine/trivial_window.exe" \
                    "TWendlixMainForm $app/Wendlix.exe" "TWendlixMainForm $many/Wendlix.exe"; do
        # Each bar reads the files beside it, not the ones an earlier run remembered.
        WINEPREFIX=$prefix "$WX_WINE64" reg delete 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /f \
          >/dev/null 2>&1
        WINEPREFIX=$prefix timeout 900 env "${WX_WINE_LOCALE[@]}" DISPLAY="$display" "$WX_WINE64" \
          "$WX_BUILD/win64/bench/wine/startup_bench.exe" -n "${WENDLIX_STARTUP_RUNS:-11}" "${target%% *}" \
          "$(wx_winpath "${target#* }")" || { echo "bench: start-up of ${target#* } failed" >&2; status=1; }
      done
    fi
    wx_prefix_stop "$prefix"
    wx_xvfb_stop
  else
    status=1
  fi
fi

wx_header "program sizes (the 32-bit one when scripts/build.sh or scripts/test.sh has built it)"
for exe in "$WX_BUILD/win64/src/win/Wendlix.exe" "$WX_BUILD/win32/src/win/Wendlix.exe"; do
  [ -f "$exe" ] && printf '  %s %d bytes\n' "${exe#"$WX_BUILD"/}" "$(stat -c %s "$exe")"
done
exit $status
