#!/usr/bin/env bash
# Builds a release into dist/: the 64-bit and 32-bit programs (Release build), a portable archive and an
# installer of each, named after the VERSION file:
#   Wendlix-<version>-win64.zip, Wendlix-<version>-win32.zip     a folder with Wendlix.exe, the files it
#                                                                reads beside itself and README.txt
#   Wendlix-<version>-win64-setup.exe, Wendlix-<version>-win32-setup.exe
# Installs what is missing first (scripts/setup.sh, then nsis for makensis). Each program is checked
# before it is packed: the version it carries, ASLR, DEP and the GUI subsystem. Prints the files with their
# sizes last; exit status 1 when anything failed.
set -u
# shellcheck source=scripts/lib/common.sh
source "$(dirname "$0")/lib/common.sh"
# shellcheck source=scripts/lib/installer.sh
source "$(dirname "$0")/lib/installer.sh"
cd "$WX_ROOT" || exit 1

wx_header "setup"
bash "$WX_ROOT/scripts/setup.sh" || { echo "release: setup failed" >&2; exit 1; }
wx_nsis_install || { echo "release: makensis (Debian package nsis) cannot be installed" >&2; exit 1; }
version=$(wx_version) || exit 1
stage=$WX_BUILD/release
mkdir -p "$WX_DIST" "$WX_LOGS"

triple_of() {
  case $1 in
    win64) echo x86_64-w64-mingw32 ;;
    win32) echo i686-w64-mingw32 ;;
  esac
}

build_program() {
  local arch=$1 dir=$WX_BUILD/$1 log=$WX_LOGS/release-build-$1.log
  : >"$log"
  if [ ! -f "$dir/build.ninja" ] || [ CMakePresets.json -nt "$dir/CMakeCache.txt" ]; then
    if ! cmake --preset "$arch" -B "$dir" >>"$log" 2>&1; then
      echo "release: configuring $arch failed (log: $log)" >&2
      return 1
    fi
  fi
  if ! cmake --build "$dir" -j "$WX_JOBS" --target Wendlix >>"$log" 2>&1; then
    echo "release: building $arch failed (log: $log):" >&2
    grep -E -m 20 'error:|undefined reference' "$log" >&2
    return 1
  fi
}

# What a user's Windows relies on: the version the archive and installer are named after, ASLR (with high
# entropy on 64-bit), DEP, and no console window.
check_program() {
  local exe=$1 arch=$2 triple headers resources flag bad=0
  triple=$(triple_of "$arch")
  headers=$("$triple-objdump" -p "$exe")
  resources=$("$triple-windres" -i "$exe" -O rc 2>/dev/null)
  if ! grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources"; then
    echo "release: $exe does not carry ProductVersion $version" >&2
    bad=1
  fi
  local dll flags=(0x40:DYNAMIC_BASE 0x100:NX_COMPAT)
  [ "$arch" = win64 ] && flags+=(0x20:HIGH_ENTROPY_VA)
  dll=$(sed -n 's/^DllCharacteristics[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")
  for flag in "${flags[@]}"; do
    (( 16#${dll:-0} & ${flag%%:*} )) || { echo "release: $exe lacks ${flag#*:}" >&2; bad=1; }
  done
  if ! grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
    echo "release: $exe is not a GUI program" >&2
    bad=1
  fi
  return $bad
}

failed=()
made=()
for arch in win64 win32; do
  wx_header "$arch"
  name=Wendlix-$version-$arch
  exe=$WX_BUILD/$arch/src/win/Wendlix.exe
  if ! build_program "$arch" || ! check_program "$exe" "$arch"; then
    failed+=("$arch")
    continue
  fi
  wx_stage_program "$exe" "$stage/$name" || { failed+=("$arch: staging"); continue; }
  if wx_portable_zip "$stage/$name" "$WX_DIST/$name.zip"; then
    made+=("$WX_DIST/$name.zip")
  else
    failed+=("$arch: zip")
  fi
  if wx_installer_build "$arch" "$stage/$name" "$WX_DIST/$name-setup.exe"; then
    made+=("$WX_DIST/$name-setup.exe")
  else
    failed+=("$arch: installer")
  fi
done

wx_header "dist"
for f in "${made[@]}"; do
  printf '%12s bytes  %s\n' "$(stat -c %s "$f")" "${f#"$WX_ROOT"/}"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "release: FAILED: ${failed[*]}" >&2
  exit 1
fi
