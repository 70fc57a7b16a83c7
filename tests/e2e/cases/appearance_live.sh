#!/usr/bin/env bash
# The bar follows Windows' dark-app setting while it runs: dark when AppsUseLightTheme turns 0 and the
# setting change is broadcast, then light again pixel for pixel. The 外观 choice overrides the system,
# is stored as Appearance and comes back at the next start; following the system again removes the key.
# e2e-timeout: 360
source "$(dirname "$0")/../lib.sh"

personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
dark_face='43 43 43'

dir=$E2E_WORK/app
install_bar "$dir"
{ group_section Web "Panel Style=1" Height=150
  group_buttons Web News=http://news.example.org/ Mail=http://mail.example.org/
  group_section Pale "Panel Style=1" Height=120 Color=15066597
  group_buttons Pale Docs=http://docs.example.org/; } | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 120 0 1 Web Pale | write_cp936 "$dir/Wendlix.INI"
xdotool mousemove 10 10
start_and_wait "$dir"

read -r cl ct cr cb <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
cw=$((cr - cl)) ch=$((cb - ct))
bar_pixels() { client_pixels "0,0,$cw,$ch"; }
# The bar drawn the same over a second (icons arrive from the shell after the first paint).
_settled() { local before; before=$(bar_pixels); sleep 1; [ "$before" = "$(bar_pixels)" ]; }
# A point of the Web group's ground, which is the system's face colour.
IFS=, read -r _ _ pr pb <<<"$(panel_rect Web)"
face_x=$((cl + pr - 10)) face_y=$((ct + pb - 5))
face() { screenshot "$E2E_WORK/face.png" >/dev/null && pixel_rgb "$E2E_WORK/face.png" "$face_x" "$face_y"; }
face_is() { [ "$(face)" = "$1" ]; }
pixels_are() { [ "$(bar_pixels)" = "$1" ]; }
system_dark() {  # 1 for dark apps, 0 for light ones, then the notice Windows sends
  wine_run reg.exe add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d $((1 - $1)) /f >/dev/null 2>&1 ||
    fail "could not set AppsUseLightTheme"
  drive setting-change ImmersiveColorSet || fail "the setting change was not broadcast"
}

wait_until 60 _settled || fail "the bar kept changing after its start"
light=$(bar_pixels)
light_face=$(face)
[ "$light_face" != "$dark_face" ] || fail "the light bar's face is the dark one"
shot_rect light.png "$cl" "$ct" "$cr" "$cb"

system_dark 1
wait_until 30 face_is "$dark_face" || fail "the bar did not turn dark: face $(face)"
kill -0 "$BAR_PID" || fail "the bar did not outlive the change"
shot_rect dark.png "$cl" "$ct" "$cr" "$cb"
system_dark 0
wait_until 30 pixels_are "$light" || {
  shot_rect light-again.png "$cl" "$ct" "$cr" "$cb"
  fail "the bar did not come back to its light pixels"
}

# 深色 overrides the light system, across a restart.
main_menu_keys s a d
wait_until 30 face_is "$dark_face" || fail "深色 did not turn the bar dark: face $(face)"
stop_bar 30 || fail "the bar did not close"
expect_eq 2 "$(ini_get "$dir/Wendlix.INI" 'Wendlix V3.0' Appearance)" "the stored choice"
start_and_wait "$dir"
wait_until 30 face_is "$dark_face" || fail "the stored 深色 was not restored: face $(face)"

main_menu_keys s a f
wait_until 30 face_is "$light_face" || fail "跟随系统 did not follow the light system: face $(face)"
stop_bar 30 || fail "the bar did not close"
expect_eq "" "$(ini_get "$dir/Wendlix.INI" 'Wendlix V3.0' Appearance)" "the key after 跟随系统"
