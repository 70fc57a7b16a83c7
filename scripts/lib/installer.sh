# shellcheck shell=bash
# Packaging shared by scripts/release.sh and the end-to-end installer case. Sourced, not run; needs
# WX_ROOT (scripts/lib/common.sh sets it).
#   wx_version                      the version as the program shows it, from the VERSION file
#   wx_stage_program EXE DIR        DIR gets the exe, the files shipped beside it (src/res) and README.txt
#   wx_portable_zip DIR OUT         OUT (.zip) holds the staged folder DIR, under DIR's own name
#   wx_installer_build ARCH DIR OUT makensis over installer/wendlix.nsi: ARCH win64 or win32, DIR a
#                                   staged folder; the compiler's output goes to $WX_LOGS/makensis-ARCH.log
#                                   (OUT.log without WX_LOGS)
#   wx_nsis_install                 installs Debian's nsis when makensis is missing; 1 when it cannot

# Files the bar reads from its own folder: the default groups, the help page and the quick-create
# collections (every .GLF in src/res, one for each collection the menu offers).
WX_SHIPPED_FILES=(Wendlix.GPF Wendlix.htm)
for _wx_f in "$WX_ROOT"/src/res/*.GLF; do WX_SHIPPED_FILES+=("${_wx_f##*/}"); done
unset _wx_f

wx_version() {
  local v
  v=$(tr -d ' \r\n' <"$WX_ROOT/VERSION")
  if ! [[ $v =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "VERSION does not read MAJOR.MINOR.PATCH: '$v'" >&2
    return 1
  fi
  printf '%s\n' "$v"
}

wx_stage_program() {
  local exe=$1 dir=$2 f
  rm -rf "$dir"
  mkdir -p "$dir" || return 1
  cp -f "$exe" "$dir/Wendlix.exe" || return 1
  for f in "${WX_SHIPPED_FILES[@]}"; do
    cp -f "$WX_ROOT/src/res/$f" "$dir/" || return 1
  done
  cp -f "$WX_ROOT/installer/README.txt" "$dir/" || return 1
}

wx_portable_zip() {
  local dir=$1 out=$2
  mkdir -p "$(dirname "$out")"
  out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
  rm -f "$out"
  (cd "$(dirname "$dir")" && cmake -E tar cf "$out" --format=zip "$(basename "$dir")")
}

wx_installer_build() {
  local arch=$1 dir=$2 out=$3 version log
  version=$(wx_version) || return 1
  log=${WX_LOGS:+$WX_LOGS/makensis-$arch.log}
  log=${log:-$out.log}
  mkdir -p "$(dirname "$out")" "$(dirname "$log")"
  # The collections, by name: the uninstaller removes exactly those, never a user's own exchange files.
  local collections f
  collections=$(mktemp --suffix=.nsh) || return 1
  # shellcheck disable=SC2016  # ${FILES_DIR} and $INSTDIR are for makensis
  {
    printf '\xEF\xBB\xBF!macro InstallCollections\n'
    for f in "${WX_SHIPPED_FILES[@]}"; do [[ $f == *.GLF ]] && printf '  File "${FILES_DIR}/%s"\n' "$f"; done
    printf '!macroend\n!macro RemoveCollections\n'
    for f in "${WX_SHIPPED_FILES[@]}"; do [[ $f == *.GLF ]] && printf '  Delete "$INSTDIR\\%s"\n' "$f"; done
    printf '!macroend\n'
  } >"$collections"
  if ! makensis -V2 -DARCH="$arch" -DVERSION="$version" -DFILES_DIR="$dir" -DOUTFILE="$out" \
       -DROOT="$WX_ROOT" -DCOLLECTIONS="$collections" \
       "$WX_ROOT/installer/wendlix.nsi" >"$log" 2>&1; then
    echo "installer: makensis failed for $arch (log: $log):" >&2
    tail -n 20 "$log" >&2
    rm -f "$collections"
    return 1
  fi
  rm -f "$collections"
}

wx_nsis_install() {
  command -v makensis >/dev/null && return 0
  echo "installer: installing nsis"
  (
    export DEBIAN_FRONTEND=noninteractive
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    get_nsis() { "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends nsis >/dev/null 2>&1; }
    # A stale or failing package index must not stop us: try as it is, then after an update.
    get_nsis && exit 0
    "${sudo_cmd[@]}" apt-get update -q >/dev/null 2>&1 || echo "installer: apt-get update reported errors; going on"
    get_nsis
  ) || true
  command -v makensis >/dev/null
}
