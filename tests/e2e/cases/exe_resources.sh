#!/usr/bin/env bash
# What Windows itself reads from the exe without running it: the version resource (the shell's
# properties page and installers use it) and an icon (Explorer, shortcuts, the taskbar).
source "$(dirname "$0")/../lib.sh"

install_bar "$E2E_WORK/app"
exe=$(winpath "$E2E_WORK/app/$(basename "$WENDLIX_EXE")")
info=$(drive version "$exe") || fail "no version resource in $exe"
printf '%s\n' "$info"
field() { sed -n "s/^$1=//p" <<<"$info"; }
version=$(tr -d ' \r\n' <"$(dirname "$0")/../../../VERSION")
IFS=. read -r major minor patch <<<"$version"
expect_eq "Wendlix" "$(field ProductName)" "ProductName"
expect_eq "$version" "$(field ProductVersion)" "ProductVersion"
expect_eq "$version" "$(field FileVersion)" "FileVersion"
expect_eq "$((10#$major)).$((10#$minor)).$((10#$patch)).0" "$(field FixedFileVersion)" "numeric file version"
expect_eq "Wendlix.exe" "$(field OriginalFilename)" "OriginalFilename"
# Chinese through the whole chain: UTF-8 .rc, windres -c 65001, UTF-16 resource, the driver's UTF-8.
expect_eq "Wendlix 快速启动栏" "$(field FileDescription)" "FileDescription"

icons=$(drive icons "$exe") || fail "no icon in $exe"
(( icons >= 1 )) || fail "no icon in $exe"
log "icons: $icons"
