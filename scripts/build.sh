#!/usr/bin/env bash
# Configures and builds the presets incrementally with Ninja, then puts the two Windows programs into
# dist/win64 and dist/win32 and checks that they stand alone.
#   scripts/build.sh [PRESET...]     default: native native-asan fuzz win64 win32
# A failing preset does not stop the others. Exit status: 0 all built; 1 something failed; 2 something
# failed in a Windows preset, but the program (and the end-to-end driver) built, so dist/ holds a current
# exe. Compiler output goes to build/logs/build-PRESET.log and is shown when that build fails.
set -u
# shellcheck source=scripts/lib/common.sh
source "$(dirname "$0")/lib/common.sh"
cd "$WX_ROOT" || exit 1

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-asan fuzz win64 win32)

# What each preset needs to build: the sanitizer build only runs the unit tests, the 32-bit build only
# ships the program.
targets_of() {
  case $1 in
    native-asan) echo wendlix_unit_tests ;;
    win32) echo Wendlix ;;
    *) echo all ;;
  esac
}

triple_of() {
  case $1 in
    win64) echo x86_64-w64-mingw32 ;;
    win32) echo i686-w64-mingw32 ;;
  esac
}

# DLLs every Windows has; anything else (libstdc++, libgcc_s, libwinpthread) means a broken static link.
system_dll='kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|msimg32|msvcrt'
system_dll="$system_dll|version|uxtheme|winmm|imm32|ws2_32|ntdll|rpcrt4|bcrypt|crypt32|dwmapi|ucrtbase"
system_dll="^($system_dll|api-ms-win-.*)\.dll$"

check_exe() {
  local exe=$1 triple=$2 bad=0 dll resources
  while read -r dll; do
    if ! [[ ${dll,,} =~ $system_dll ]]; then
      echo "build: $exe imports $dll, which is not a system DLL" >&2
      bad=1
    fi
  done < <("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  # The 64-bit program loads the dialog and picture libraries on first use (src/win/CMakeLists.txt).
  if [ "$triple" = x86_64-w64-mingw32 ] &&
      "$triple-objdump" -p "$exe" | grep -qiE 'DLL Name: (comdlg32|oleaut32)\.dll'; then
    echo "build: $exe loads comdlg32 or oleaut32 at start-up" >&2
    bad=1
  fi
  resources=$("$triple-windres" -i "$exe" -O rc 2>/dev/null)
  local need
  for need in RT_MANIFEST VERSIONINFO RT_GROUP_ICON; do
    if ! grep -q "$need" <<<"$resources"; then
      echo "build: $exe has no $need resource" >&2
      bad=1
    fi
  done
  return $bad
}

# Files that ship beside the program, from src/res: WX_SHIPPED_FILES.
# shellcheck source=scripts/lib/installer.sh
source "$WX_ROOT/scripts/lib/installer.sh"

copy_dist() {
  local preset=$1 triple=$2 exe=$WX_BUILD/$1/src/win/Wendlix.exe dest=$WX_DIST/$1 f
  [ -f "$exe" ] || { echo "build: $exe is missing" >&2; return 1; }
  mkdir -p "$dest"
  cp -f "$exe" "$dest/Wendlix.exe"
  for f in "${WX_SHIPPED_FILES[@]}"; do
    [ -f "$WX_ROOT/src/res/$f" ] && cp -f "$WX_ROOT/src/res/$f" "$dest/"
  done
  check_exe "$dest/Wendlix.exe" "$triple"
}

build_preset() {
  local preset=$1 dir=$WX_BUILD/$1 log=$WX_LOGS/build-$1.log
  local started=$SECONDS
  mkdir -p "$WX_LOGS"
  : >"$log"
  # Configure when new, or when the presets changed (CMake itself notices changed CMakeLists).
  if [ ! -f "$dir/build.ninja" ] || [ CMakePresets.json -nt "$dir/CMakeCache.txt" ]; then
    if ! cmake --preset "$preset" -B "$dir" >>"$log" 2>&1; then
      echo "build: configuring $preset failed:" >&2
      grep -A8 'CMake Error' "$log" | head -n 40 >&2
      echo "build: full log: $log" >&2
      return 1
    fi
  fi
  local targets
  read -ra targets <<<"$(targets_of "$preset")"
  # -k 0: one broken file must not hide the state of everything else.
  if ! cmake --build "$dir" -j "$WX_JOBS" --target "${targets[@]}" -- -k 0 >>"$log" 2>&1; then
    echo "build: $preset failed; what did not build:" >&2
    sed -n 's/^FAILED: /  /p' "$log" | sort -u | head -n 30 >&2
    echo "build: the first errors:" >&2
    grep -E -m 20 'error:|undefined reference|CMake Error' "$log" >&2
    echo "build: full log: $log" >&2
    # A broken test must not keep the program itself from the end-to-end tests.
    local program=(Wendlix)
    [ "$preset" = win64 ] && program+=(wendlix_driver)
    case $preset in
      win64 | win32)
        if cmake --build "$dir" -j "$WX_JOBS" --target "${program[@]}" >>"$log" 2>&1 &&
           copy_dist "$preset" "$(triple_of "$preset")"; then
          echo "build: $preset: the program itself built and is in dist/$preset" >&2
          return 2
        fi ;;
    esac
    return 1
  fi
  if grep -q 'warning:' "$log"; then
    echo "build: $preset has compiler warnings (see $log):"
    grep 'warning:' "$log" | sort -u | head -n 20
  fi
  case $preset in
    win64 | win32) copy_dist "$preset" "$(triple_of "$preset")" || return 1 ;;
  esac
  echo "build: $preset ok ($((SECONDS - started)) s)"
}

failed=()
partial=0
for preset in "${presets[@]}"; do
  build_preset "$preset"
  case $? in
    0) ;;
    2) failed+=("$preset"); partial=$((partial + 1)) ;;
    *) failed+=("$preset") ;;
  esac
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "build: FAILED: ${failed[*]}" >&2
  # 2 only when that is true of every failed preset.
  [ $partial = ${#failed[@]} ] && exit 2
  exit 1
fi
exit 0
