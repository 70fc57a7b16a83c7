# shellcheck shell=bash
# Wine for this build tree. Sourced, not run.
#
# One prefix, $WX_BUILD/wine/prefix, is prepared once (wineboot, window management, CJK font
# substitutes) and then only copied: every test starts from an identical copy, because Wine rewrites
# the registry files of a prefix on each run. Code page 936 is the ANSI code page through a zh_CN.UTF-8
# locale generated into the build tree, set only for Wine's own processes (the shell and its tools keep
# theirs). Sourcing exports WINEDEBUG and WINEDLLOVERRIDES and sets:
#   WX_WINE64        the 64-bit loader
#   WX_WINE32        the 32-bit loader, empty when wine32 is not installed or cannot run here
#   WX_WINE_TEMPLATE the prepared prefix (after wx_wine_prepare)
#   WX_WINE_LOCALE   the environment assignments (LOCPATH, LANG, LC_ALL) for code page 936, an array
# Functions:
#   wx_wine ARGS...              run the 64-bit loader with that locale (also: env "${WX_WINE_LOCALE[@]}" ...)
#   wx_wine_prepare              make the locale and the prepared prefix if missing or outdated
#   wx_prefix_copy DEST          DEST becomes a fresh copy of the prepared prefix
#   wx_prefix_stop PREFIX        stop that prefix's wineserver and wait for it (nothing else)
#   wx_xvfb_start FIRST [SCREENS] start a private Xvfb (1024x768x24) on the first free display from :FIRST,
#                                wait until it answers; sets WX_XVFB_DISPLAY (":N") and WX_XVFB_PID. SCREENS=2
#                                adds a second screen of 800x600 joined by Xinerama (two monitors for Wine
#                                when its X11 driver does not use XRandR)
#   wx_xvfb_stop [PID]           stop that Xvfb (default $WX_XVFB_PID)

# shellcheck source=scripts/lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WX_WINE_DIR=$WX_BUILD/wine
WX_WINE_TEMPLATE=$WX_WINE_DIR/prefix
WX_LOCALE_DIR=$WX_BUILD/locale

# Debian's wine64 package puts the loader beside wineserver, not on the PATH.
WX_WINE64=$(command -v wine64 2>/dev/null || true)
[ -n "$WX_WINE64" ] || WX_WINE64=/usr/lib/wine/wine64
WX_WINE32=
# Installed is not enough: a kernel without 32-bit support cannot run the loader at all.
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 && WX_WINE32=/usr/lib/wine/wine
WX_WINESERVER=$(command -v wineserver 2>/dev/null || echo /usr/lib/wine/wineserver)

export WINEDEBUG=-all
WX_WINE_LOCALE=(LOCPATH="$WX_LOCALE_DIR" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE=)
# Never install Mono or Gecko, and never touch the desktop menus of the machine.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# Bump when the prepared prefix must change; a stale one is rebuilt.
WX_PREFIX_REVISION=1

wx_wine() {
  env "${WX_WINE_LOCALE[@]}" "$WX_WINE64" "$@"
}

wx_locale_prepare() {
  [ -e "$WX_LOCALE_DIR/zh_CN.UTF-8/LC_CTYPE" ] && return 0
  mkdir -p "$WX_LOCALE_DIR"
  # localedef warns (and exits 1) about harmless details of the source; judge by the result.
  localedef -i zh_CN -f UTF-8 "$WX_LOCALE_DIR/zh_CN.UTF-8" >/dev/null 2>&1 || true
  if [ ! -e "$WX_LOCALE_DIR/zh_CN.UTF-8/LC_CTYPE" ]; then
    echo "wine-env: could not generate the zh_CN.UTF-8 locale (package locales)" >&2
    return 1
  fi
}

wx_prefix_stop() {
  local prefix=$1
  [ -d "$prefix" ] || return 0
  WINEPREFIX=$prefix "$WX_WINESERVER" -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix timeout 30 "$WX_WINESERVER" -w >/dev/null 2>&1 || true
}

wx_wine_prepare() {
  wx_locale_prepare || return 1
  local stamp="$WX_WINE_TEMPLATE/.wendlix-prepared" want
  want="$("$WX_WINE64" --version 2>/dev/null) wine32=${WX_WINE32:+yes} revision=$WX_PREFIX_REVISION"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    return 0
  fi
  echo "wine-env: preparing the Wine prefix $WX_WINE_TEMPLATE (once)"
  wx_prefix_stop "$WX_WINE_TEMPLATE"
  rm -rf "$WX_WINE_TEMPLATE"
  mkdir -p "$WX_WINE_DIR" "$WX_LOGS"
  local log=$WX_LOGS/wine-prepare.log
  # No display: nothing to show while the prefix is made.
  local wine=(env "${WX_WINE_LOCALE[@]}" WINEPREFIX="$WX_WINE_TEMPLATE" DISPLAY= "$WX_WINE64")
  if ! timeout 300 "${wine[@]}" wineboot.exe -i >"$log" 2>&1; then
    echo "wine-env: wineboot failed (log: $log)" >&2
    return 1
  fi
  # regedit reads UTF-16LE with a byte-order mark; the checked-in source stays readable UTF-8.
  local reg=$WX_WINE_DIR/prefix-settings.reg
  { printf '\xff\xfe'
    sed 's/$/\r/' "$WX_ROOT/scripts/lib/wine-prefix.reg.in" | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  if ! timeout 120 "${wine[@]}" regedit.exe /S "$(wx_winpath "$reg")" >>"$log" 2>&1; then
    echo "wine-env: regedit failed (log: $log)" >&2
    return 1
  fi
  wx_prefix_stop "$WX_WINE_TEMPLATE"
  if ! grep -q '"Managed"="N"' "$WX_WINE_TEMPLATE/user.reg" ||
     ! grep -q 'WenQuanYi Micro Hei' "$WX_WINE_TEMPLATE/system.reg"; then
    echo "wine-env: the prefix settings did not reach the registry (log: $log)" >&2
    return 1
  fi
  echo "$want" >"$stamp"
}

# The system folders hold over a gigabyte of DLLs that nothing but a Wine upgrade rewrites (and an upgrade
# rebuilds the prepared prefix): copies share those files as hard links, which makes a copy take a moment
# instead of seconds. Everything else, the registry above all, is copied.
wx_prefix_copy() {
  local dest=$1 shared=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs) d
  wx_prefix_stop "$dest"
  rm -rf "$dest"
  mkdir -p "$dest"
  local excludes=()
  for d in "${shared[@]}"; do excludes+=(--exclude="./$d"); done
  tar -C "$WX_WINE_TEMPLATE" "${excludes[@]}" -cf - . | tar -C "$dest" -xf - || return 1
  for d in "${shared[@]}"; do
    [ -d "$WX_WINE_TEMPLATE/$d" ] || continue
    cp -al "$WX_WINE_TEMPLATE/$d" "$dest/$d" 2>/dev/null || cp -a "$WX_WINE_TEMPLATE/$d" "$dest/$d" || return 1
  done
}

wx_xvfb_start() {
  local n=${1:-90} last=$(( ${1:-90} + 40 )) pid screens=(-screen 0 1024x768x24)
  [ "${2:-1}" = 2 ] && screens+=(-screen 1 800x600x24 +xinerama)
  command -v Xvfb >/dev/null || { echo "wine-env: Xvfb is not installed" >&2; return 1; }
  for (( ; n <= last; n++ )); do
    # Someone else's display, or one that is starting: leave it alone.
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" "${screens[@]}" -nolisten tcp -ac >/dev/null 2>&1 &
    pid=$!
    local tries
    for (( tries = 0; tries < 200; tries++ )); do
      if ! kill -0 "$pid" 2>/dev/null; then
        break  # lost the race for this display to another process; try the next one
      fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        # shellcheck disable=SC2034  # for the caller
        WX_XVFB_DISPLAY=":$n"
        WX_XVFB_PID=$pid
        return 0
      fi
      sleep 0.05
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  echo "wine-env: no free X display from :${1:-90}" >&2
  return 1
}

wx_xvfb_stop() {
  local pid=${1:-${WX_XVFB_PID:-}}
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  local tries
  for (( tries = 0; tries < 100; tries++ )); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
