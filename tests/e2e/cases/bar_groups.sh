#!/usr/bin/env bash
# The shipped three groups and a shortcut group on a folder of a dozen shell links, docked at each of the
# four edges with captions on and off, small and large icons, a gradient and a tiled picture: the bar
# shows the groups it read from the folders, draws them in many colours, a hovered button raises its frame
# (or, with the underlined look, turns its caption blue); a screenshot of each arrangement is kept.
source "$(dirname "$0")/../lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
tools=$E2E_WORK/Tools
make_links "$tools" 'C:\windows\notepad.exe' "App "{1..12}
make_links "$tools/Sub" 'C:\windows\regedit.exe' Inner
convert -size 24x24 pattern:checkerboard -fill '#c8dcf0' -opaque white "BMP3:$E2E_WORK/tile.bmp"
tile_win=$(winpath "$E2E_WORK/tile.bmp")

# The screen rectangle "X Y W H" of the second Tools button; hover: the pointer posted over its top.
button_box() {
  local l t r b cl ct
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines button | awk -F'\t' '$2 == 3 && $3 == 1 { print $6; exit }')"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  echo $((cl + l)) $((ct + t)) $((r - l)) $((b - t)) $(( ((t + 5) << 16) | ((l + r) / 2) ))
}
hover() { drive post "$WENDLIX_MAIN_CLASS" 0x200 0 "$lp" >/dev/null || fail "post failed"; }
# The top edge of the button turns to the highlight.
top_edge_changed() {
  shot_rect hover-frame.png "$bx" "$by" $((bx + bw)) $((by + bh))
  [ "$(pixel_rgb "$E2E_ARTIFACTS/hover-frame.png" $((bw / 2)) 0)" != "$before" ]
}
# The caption is drawn in blue instead.
caption_blue() {
  shot_rect hover-underline.png "$bx" "$by" $((bx + bw)) $((by + bh))
  blue=$(convert "$E2E_ARTIFACTS/hover-underline.png" -fx '(b > 0.8 && r < 0.2 && g < 0.2) ? 1 : 0' \
    -format '%[fx:round(mean * w * h)]' info:)
  (( blue > 10 ))
}

arrange() {  # EDGE NAME WIDTH HEIGHT FLAT HOVER, then the group overrides of Tools
  local edge=$1 name=$2 width=$3 height=$4 flat=$5 hover=$6 l t r b colours
  shift 6
  {
    group_section Programs ShowCaption=0 BevelDown=0 ShowTitleIcon=0 "Directory=$(winpath "$tools/Sub")"
    group_section Internet "Panel Style=1" Color=15921881 "Draw style=1" Height=110
    group_buttons Internet 示例网站=http://www.example.com/ News=news.example.org Wiki=http://wiki.example.org/
    group_section E-Mail "Panel Style=2" Color=13297845 ShowAsButton=1
    group_buttons E-Mail 示例邮箱=MAILTO:someone@example.com
    group_section Tools "Directory=$(winpath "$tools")" Height=400 Width=400 "$@"
  } | write_cp936 "$dir/Wendlix.GPF"
  bar_settings "$edge" "$width" "$height" "$flat" Programs Internet E-Mail Tools | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"
  expect_eq "Programs:1 Internet:1 E-Mail:0 Tools:1" "$(groups_shown)" "$name: groups"
  read_layout
  expect_eq "13 Sub	1" "$(layout_lines button | awk -F'\t' '$2 == 3' | wc -l) $(layout_lines button |
    awk -F'\t' '$2 == 3 && $8 == "Sub" { print $8 "\t" $9 }')" "$name: Tools buttons, the subfolder a folder button"
  printf '%s\n' "$LAYOUT" >"$E2E_ARTIFACTS/layout-$name.txt"

  read -r l t r b <<<"$(drive rect "$WENDLIX_MAIN_CLASS")"
  (( l < 0 )) && l=0
  (( t < 0 )) && t=0
  shot_rect "bar-$name.png" "$l" "$t" "$r" "$b"
  colours=$(convert "$E2E_ARTIFACTS/bar-$name.png" -format '%k' info:)
  (( colours > 40 )) || fail "$name: the bar shows only $colours colours; its groups were not drawn"
  read -r bx by bw bh lp <<<"$(button_box)"
  if [ "$hover" = frame ]; then
    shot_rect hover-frame.png "$bx" "$by" $((bx + bw)) $((by + bh))
    before=$(pixel_rgb "$E2E_ARTIFACTS/hover-frame.png" $((bw / 2)) 0)
    hover
    wait_until 5 top_edge_changed || fail "no hover frame on the button (its top stays $before)"
  elif [ "$hover" = underline ]; then
    hover
    wait_until 5 caption_blue || fail "no blue caption under the pointer ($blue blue pixels)"
  fi
  stop_bar 20 || fail "$name: the bar did not close by itself"
}

arrange 2 right-captions-large 150 0 1 frame SmallIcon=1 "Draw style=1"
arrange 0 left-no-captions-picture 90 0 1 - ShowCaption=0 "Draw style=2" "PictureFile=$tile_win"
arrange 1 top-underlined 0 110 0 underline LayoutLeft=0
arrange 3 bottom-large-no-flat 0 70 0 - ShowCaption=0 SmallIcon=1 "Draw style=2" "PictureFile=$tile_win"
