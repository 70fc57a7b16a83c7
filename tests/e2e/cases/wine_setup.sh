#!/usr/bin/env bash
# The Wine environment every other test relies on: code page 936 as the ANSI code page (else settings
# files are read as another code page and the codec tests compare against the wrong table), window
# management by Wine (else hiding a captioned window stalls and title-bar drags never arrive) and the
# Chinese font substitutes (else the user interface draws boxes).
source "$(dirname "$0")/../lib.sh"

read -r acp oem < <(drive acp) || fail "the driver did not run"
expect_eq 936 "$acp" "ANSI code page"
expect_eq 936 "$oem" "OEM code page"

expect_eq N "$(reg_value 'HKCU\Software\Wine\X11 Driver' Managed)" "X11 Driver Managed"
subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei" 黑体 SimHei; do
  expect_eq "WenQuanYi Micro Hei" "$(reg_value "$subst" "$face")" "font substitute for $face"
done
log "code page 936, Managed=N, font substitutes in place"
