#!/usr/bin/env bash
# The portable archive, made as scripts/release.sh makes it: it unpacks into one folder named after the
# version, holding the program, the files it reads beside itself and the two-language README; what Windows
# reads from the exe without running it (the version resource, with the same version as VERSION and a
# Chinese description, and an icon); the bar runs from there and keeps its settings beside itself.
source "$(dirname "$0")/../lib.sh"
WX_ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=scripts/lib/installer.sh
source "$WX_ROOT/scripts/lib/installer.sh"

version=$(wx_version) || fail "no version"
name=Wendlix-$version-win64
wx_stage_program "$WENDLIX_EXE" "$E2E_WORK/stage/$name" || fail "could not stage the program"
wx_portable_zip "$E2E_WORK/stage/$name" "$E2E_WORK/$name.zip" || fail "could not make the archive"
mkdir -p "$E2E_WORK/unpacked"
(cd "$E2E_WORK/unpacked" && cmake -E tar xf "$E2E_WORK/$name.zip") || fail "the archive does not unpack"
expect_eq "$name" "$(ls "$E2E_WORK/unpacked")" "the archive's one folder"
dir=$E2E_WORK/unpacked/$name
expect_eq "$(printf '%s\n' README.txt Wendlix.exe "${WX_SHIPPED_FILES[@]}" | LC_ALL=C sort | paste -sd' ')" \
  "$(files_in "$dir")" "the archive's files"
(( $(ls "$dir"/*.GLF | wc -l) == 21 )) || fail "not every quick-create collection is in the archive"
grep -q 'Portable use' "$dir/README.txt" || fail "README.txt has no English text"
grep -q '便携版' "$dir/README.txt" || fail "README.txt has no Chinese text"

exe=$(winpath "$dir/Wendlix.exe")
IFS=. read -r major minor patch <<<"$version"
# Chinese through the whole chain: UTF-8 .rc, windres -c 65001, UTF-16 resource, the driver's UTF-8.
expect_eq "Wendlix|$version|$version|$((10#$major)).$((10#$minor)).$((10#$patch)).0|Wendlix.exe|Wendlix 快速启动栏" \
  "$(drive version "$exe" | awk -F= '{ v[$1] = substr($0, length($1) + 2) }
    END { print v["ProductName"] "|" v["ProductVersion"] "|" v["FileVersion"] "|" v["FixedFileVersion"] "|" v["OriginalFilename"] "|" v["FileDescription"] }')" \
  "the version resource: name, versions, file name, description"
(( $(drive icons "$exe") >= 1 )) || fail "no icon in the exe"

start_and_wait "$dir"
stop_bar 20 || fail "the bar did not close by itself with exit code 0"
[ -f "$dir/Wendlix.INI" ] || fail "no settings beside the unpacked program"
expect_eq "$(winpath "$dir")\\Wendlix" "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" "the settings path"
