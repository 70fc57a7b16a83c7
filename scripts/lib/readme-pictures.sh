#!/usr/bin/env bash
# The README's pictures, taken from the real program as scripts/make_readme_pictures.sh runs it (with the
# end-to-end harness: a fresh prefix, its own Xvfb, the driver). The bar shows what a user would have: the
# Quick Launch folder and a folder in the public documents, with shortcuts to the programs every Windows
# prefix has, a web group and a collapsed e-mail group. The pictures go to $E2E_ARTIFACTS/docs.
# e2e-timeout: 400
source "$WX_ROOT/tests/e2e/lib.sh"

out=$E2E_ARTIFACTS/docs
mkdir -p "$out"

# The user's folders. Some of the prefix's profile folders are links into the Linux home: only real
# folders are used.
appdata=
for d in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming; do
  case $d in */users/Public/*) ;; *) [ -d "$d" ] && [ ! -L "$d" ] && appdata=$d && break ;; esac
done
[ -n "$appdata" ] || fail "no AppData folder in the prefix"
quick="$appdata/Microsoft/Internet Explorer/Quick Launch"
tools="$WINEPREFIX/drive_c/users/Public/Documents/常用工具"
mkdir -p "$quick" "$tools/系统工具"
cpath() {  # a path inside the prefix's drive C as Windows names it
  local p=${1#"$WINEPREFIX"/drive_c/}
  printf 'C:\\%s' "${p//\//\\}"
}
link() { drive make-link "$(cpath "$1")" "$2" >/dev/null || fail "could not make $1"; }
link "$quick/记事本.lnk" 'C:\windows\notepad.exe'
link "$quick/写字板.lnk" 'C:\Program Files\Windows NT\Accessories\wordpad.exe'
link "$quick/命令提示符.lnk" 'C:\windows\system32\cmd.exe'
link "$quick/资源管理器.lnk" 'C:\windows\explorer.exe'
link "$tools/扫雷.lnk" 'C:\windows\system32\winemine.exe'
link "$tools/时钟.lnk" 'C:\windows\system32\clock.exe'
link "$tools/文件管理器.lnk" 'C:\windows\system32\winefile.exe'
link "$tools/系统工具/注册表编辑器.lnk" 'C:\windows\regedit.exe'
link "$tools/系统工具/任务管理器.lnk" 'C:\windows\system32\taskmgr.exe'
link "$tools/系统工具/控制面板.lnk" 'C:\windows\system32\control.exe'

dir=$E2E_WORK/app
install_bar "$dir"
rm -f "$dir/Wendlix.GPF"
{
  group_section 快速启动 "Directory=$(cpath "$quick")\\" Height=150
  group_section 网址 "Panel Style=1" Height=150 "Draw style=1" "From Color=16777215" "To Color=16764057"
  printf '[网址  Buttons]\n百度=https://www.baidu.com/\n必应=https://www.bing.com/\n搜狗=https://www.sogou.com/\n\n'
  group_section 常用工具 "Directory=$(cpath "$tools")\\" Height=200 Color=15921881
  group_section 邮件 "Panel Style=2" ShowAsButton=1
  printf '[邮件  Buttons]\n我的邮箱=MAILTO:me@example.com\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
gpf_saved=$(base64 <"$dir/Wendlix.GPF")

# EDGE THICKNESS: the bar docked there, shown (not hiding), with its groups.
start_at() {
  printf '%s' "$gpf_saved" | base64 -d >"$dir/Wendlix.GPF"
  bar_settings "$1" "$2" "$2" 1 快速启动 网址 常用工具 邮件 | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"
  # Icons arrive from the shell after the first paint.
  sleep 2
}
stop() { stop_bar 20 || fail "the bar did not close"; }
shot() { screenshot "$E2E_WORK/screen.png" >/dev/null || fail "no screenshot"; }
piece() {  # W H X Y NAME: a piece of the last screenshot into the pictures
  crop "$E2E_WORK/screen.png" "$1" "$2" "$3" "$4" "$out/$5"
  log "picture $5: ${1}x$2 at $3,$4"
}

# At each edge in turn; the four put together into one picture.
for edge in 0 1 2 3; do
  thickness=120
  (( edge == 1 || edge == 3 )) && thickness=84
  start_at $edge $thickness
  shot
  cp "$E2E_WORK/screen.png" "$E2E_WORK/edge$edge.png"
  if (( edge == 1 )); then
    # The bar settings menu from the title button of the top bar.
    main_menu_keys Down
    sleep 0.5
    shot
    piece 620 300 0 0 top-bar-menu.png
    xdotool key Escape
    drive wait-gone '#32768' 10 || fail "the bar settings menu stayed open"
  fi
  stop
done
read -r sw sh < <(drive screen)
convert "$E2E_WORK/edge0.png" \
  \( "$E2E_WORK/edge2.png" -crop "120x${sh}+$((sw - 120))+0" \) -geometry "+$((sw - 120))+0" -composite \
  \( "$E2E_WORK/edge1.png" -crop "${sw}x84+0+0" \) -geometry +0+0 -composite \
  \( "$E2E_WORK/edge3.png" -crop "${sw}x84+0+$((sh - 84))" \) -geometry "+0+$((sh - 84))" -composite \
  -fill '#3a6ea5' -draw "rectangle 120,84 $((sw - 121)),$((sh - 85))" -resize 75% "$out/screenshot.png"
log "picture screenshot.png: the four edges"

# Docked right: the bar light and, after Windows' apps turned dark, dark; a folder button's menu, the
# buttons menu, a question and the editor.
start_at 2 120
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
apps_light() {  # 1 or 0, then the notice Windows sends
  wine_run reg.exe add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    drive setting-change ImmersiveColorSet || fail "could not switch the apps' mode"
}
bar_top() { import -display "$DISPLAY" -window root -crop "120x560+$((sw - 120))+0" rgb:- | md5sum; }
bar_top_is() { [ "$(bar_top)" = "$1" ]; }
shot
piece 120 560 $(( sw - 120 )) 0 bar-light.png
light=$(bar_top)
apps_light 0
_dark() { ! bar_top_is "$light"; }
wait_until 30 _dark || fail "the bar did not turn dark"
shot
piece 120 560 $(( sw - 120 )) 0 bar-dark.png
apps_light 1
wait_until 30 bar_top_is "$light" || fail "the bar did not turn light again"
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
IFS=, read -r x y <<<"$(centre "$(button_rect 2 系统工具)")"
[ -n "$x" ] || fail "no folder button 系统工具"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the folder menu did not open"
sleep 0.3
xdotool key Down
sleep 0.3
shot
read -r ml _ _ mb <<<"$(drive rect '#32768')"
piece $(( sw - ml + 10 )) $(( mb + 20 )) $(( ml - 10 )) 0 folder-menu.png
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the folder menu stayed open"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null

notepad=$(centre "$(button_rect 0 记事本)")
post_button_menu "$notepad"
shot
read -r ml _ _ mb <<<"$(drive rect '#32768')"
piece $(( sw - ml + 10 )) $(( mb + 10 )) $(( ml - 10 )) 0 buttons-menu.png
xdotool key Escape
drive wait-gone '#32768' 10 || fail "the buttons menu stayed open"

choose_button_menu_item "$(centre "$(panel_rect 网址)")" D2
box=$(drive wait TMessageForm 20) || fail "no question before deleting a group"
sleep 0.5
shot
read -r bl bt br bb <<<"$(drive rect "$box")"
piece $(( br - bl )) $(( bb - bt )) "$bl" "$bt" message-box.png
xdotool key Escape
drive wait-gone TMessageForm 20 || fail "the question stayed open"

editor_picture() {  # NAME: the editor cut out of the screen
  local l t r b
  read -r l t r b <<<"$(drive rect "$EDITOR")"
  shot
  piece $(( r - l )) $(( b - t )) "$l" "$t" "$1"
}
choose_button_menu_item "$(centre "$(panel_rect 常用工具)")" S5
editor_wait 20 || fail "no editor for the tools group"
sleep 1
editor_picture editor-group-page.png
xdotool key Escape
drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"

choose_button_menu_item "$(centre "$(panel_rect 网址)")" S5
editor_wait 20 || fail "no editor for the web group"
sleep 1
xdotool key ctrl+Tab
sleep 1
editor_picture editor-buttons-page.png
xdotool key Escape
drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"

# The find box: the hotkey, then QUERY typed; NAME the picture.
find_picture() {
  xdotool key super+alt+w
  xdotool type --delay 100 "$1"
  typed() { drive query "$WENDLIX_MAIN_CLASS" findbox | grep -qx $'query\t'"$1"; }
  wait_until 20 typed "$1" || fail "the find box did not show what was typed"
  # Icons arrive from the shell after the first paint.
  sleep 1
  shot
  read -r fl _ _ fb <<<"$(drive rect TFindBox)"
  piece $(( sw - fl + 10 )) $(( fb + 10 )) $(( fl - 10 )) 0 "$2"
  xdotool key super+alt+w
  drive wait-gone TFindBox 10 || fail "the hotkey did not close the find box"
}
# "gl" finds the three 管理器, one of them inside the folder button.
find_picture gl find-box.png

# A group on an Edge profile's bookmarks: its folder button's menu, and "kb" finding 看板 two folders deep.
write_as_browser "$(edge_user_data)/Default/Bookmarks" <"$WX_ROOT/tests/data/bookmarks/Bookmarks"
main_menu_item Bookmarks.0
bookmarks_shown() { [ "$(read_layout; layout_lines group | awk -F'\t' '$3 == "Microsoft Edge"' | wc -l)" = 1 ]; }
wait_until 20 bookmarks_shown || fail "no bookmarks group"
sleep 1
IFS=, read -r x y <<<"$(centre "$(button_rect 4 工作)")"
[ -n "$x" ] || fail "no folder button 工作"
drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
wait_for_window '#32768' 10 >/dev/null || fail "the bookmarks folder menu did not open"
sleep 0.3
xdotool key Down Down
sleep 0.5
shot
read -r ml _ _ mb <<<"$(drive rect '#32768')"
piece $(( sw - ml + 10 )) $(( mb + 20 )) $(( ml - 10 )) 0 bookmarks-group.png
xdotool key Escape Escape
drive wait-gone '#32768' 10 || fail "the bookmarks folder menu stayed open"
drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null
find_picture kb find-bookmark.png
stop
log "pictures made"
