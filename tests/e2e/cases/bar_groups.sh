#!/usr/bin/env bash
# The shipped three groups and a shortcut group on a folder of a dozen shell links, docked at each
# of the four edges with captions on and off, small and large icons, a gradient and a tiled picture:
# the bar's layout report is checked and a screenshot of each arrangement kept.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

dir=$E2E_WORK/app
install_bar "$dir"
tools=$E2E_WORK/Tools
mkdir -p "$tools/Sub"
tools_win=$(winpath "$tools")
for i in $(seq 1 12); do
  drive make-link "$tools_win\\App $i.lnk" 'C:\windows\notepad.exe' || fail "could not write a shell link"
done
drive make-link "$tools_win\\Sub\\Inner.lnk" 'C:\windows\regedit.exe' || fail "could not write a shell link"
convert -size 24x24 pattern:checkerboard -fill '#c8dcf0' -opaque white "BMP3:$E2E_WORK/tile.bmp"
tile_win=$(winpath "$E2E_WORK/tile.bmp")

# EDGE NAME WIDTH HEIGHT FLAT, then the group overrides of Tools: one arrangement per edge.
arrange() {
  local edge=$1 name=$2 width=$3 height=$4 flat=$5
  shift 5
  {
    group_section Programs ShowCaption=0 BevelDown=0 ShowTitleIcon=0 "Directory=$tools_win\\Sub"
    group_section Internet "Panel Style=1" Color=15921881 "Draw style=1" Height=110
    printf '[Internet  Buttons]\n示例网站=http://www.example.com/\nNews=news.example.org\nWiki=http://wiki.example.org/\n\n'
    group_section E-Mail "Panel Style=2" Color=13297845 ShowAsButton=1
    printf '[E-Mail  Buttons]\n示例邮箱=MAILTO:someone@example.com\n\n'
    group_section Tools "Directory=$tools_win" Height=400 Width=400 "$@"
  } | write_cp936 "$dir/Wendlix.GPF"
  bar_settings "$edge" "$width" "$height" "$flat" Programs Internet E-Mail Tools | write_cp936 "$dir/Wendlix.INI"

  start_and_wait "$dir"
  read_layout
  printf '%s\n' "$LAYOUT" >"$E2E_ARTIFACTS/layout-$name.txt"
  expect_eq "$edge" "$(layout_lines edge | cut -f2)" "$name: edge"
  case $edge in
    0 | 2) expect_eq vertical "$(layout_lines coolbar | cut -f3)" "$name: band bar" ;;
    *) expect_eq horizontal "$(layout_lines coolbar | cut -f3)" "$name: band bar" ;;
  esac
  # Band order and visibility: E-Mail lives in PanelBtn as group button 4002.
  expect_eq "Programs:1 Internet:1 E-Mail:0 Tools:1" \
    "$(layout_lines group | awk -F'\t' '{ printf "%s%s:%s", sep, $3, $5; sep=" " }')" "$name: groups"
  expect_eq "4002	E-Mail" "$(layout_lines collapsed | cut -f2,4)" "$name: collapsed groups"
  expect_eq 13 "$(layout_lines button | awk -F'\t' '$2 == 3' | wc -l)" "$name: Tools buttons"
  expect_eq 3 "$(layout_lines button | awk -F'\t' '$2 == 1' | wc -l)" "$name: Internet buttons"
  expect_eq "Sub	1" "$(layout_lines button | awk -F'\t' '$2 == 3 && $8 == "Sub" { print $8 "\t" $9 }')" \
    "$name: the subfolder with a link is a folder button"
  expect_eq "	Inner	0" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $7 "\t" $8 "\t" $9 }')" \
    "$name: Programs holds its one link, without a caption"

  local rect
  rect=$(drive rect "$WENDLIX_MAIN_CLASS") || fail "no rectangle"
  read -r left top right bottom <<<"$rect"
  (( left < 0 )) && left=0
  (( top < 0 )) && top=0
  local shot
  shot=$(screenshot "$E2E_WORK/screen-$name.png") || fail "screenshot failed"
  crop "$shot" $((right - left)) $((bottom - top)) "$left" "$top" "$E2E_ARTIFACTS/bar-$name.png"
  local colours
  colours=$(convert "$E2E_ARTIFACTS/bar-$name.png" -format '%k' info:)
  (( colours > 40 )) || fail "$name: the bar shows only $colours colours; its groups were not drawn"
  log "$name: ${right}x${bottom} at $left,$top, $colours colours"
  [ "$name" = right-captions-large ] && hover_frame
  [ "$name" = top-underlined ] && hover_underline
  stop_bar 20 || fail "$name: the bar did not close by itself"
}

# The pointer over a launch button raises its frame: the button's top edge turns to the highlight.
hover_frame() {
  local rect bl bt br bb cl ct cr x y before after i
  rect=$(layout_lines button | awk -F'\t' '$2 == 3 && $3 == 1 { print $6; exit }')
  IFS=, read -r bl bt br bb <<<"$rect"
  read -r cl ct cr _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  x=$((cl + (bl + br) / 2)) y=$((ct + bt))
  before=$(convert "$(screenshot "$E2E_WORK/before.png")" -format "%[pixel:p{$x,$y}]" info:)
  drive post "$WENDLIX_MAIN_CLASS" 0x200 0 $(( ((bt + 5) << 16) | ((bl + br) / 2) )) || fail "post failed"
  for (( i = 0; i < 50; i++ )); do
    after=$(convert "$(screenshot "$E2E_WORK/after.png")" -format "%[pixel:p{$x,$y}]" info:)
    [ "$after" != "$before" ] && break
    sleep 0.1
  done
  [ "$after" != "$before" ] || fail "no hover frame on the button at $rect (pixel stays $before)"
  crop "$E2E_WORK/after.png" $((cr - cl)) 200 "$cl" "$((ct + bt - 60))" "$E2E_ARTIFACTS/hover-frame.png"
  log "hover frame drawn: $before -> $after"
}

arrange 2 right-captions-large 150 0 1 SmallIcon=1 "Draw style=1"
arrange 0 left-no-captions-picture 90 0 1 ShowCaption=0 "Draw style=2" "PictureFile=$tile_win"
# With the underlined look a button under the pointer draws its caption in blue instead.
hover_underline() {
  local rect bl bt br bb cl ct cr blue
  rect=$(layout_lines button | awk -F'\t' '$2 == 3 && $8 == "App 1" { print $6; exit }')
  IFS=, read -r bl bt br bb <<<"$rect"
  read -r cl ct cr _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  drive post "$WENDLIX_MAIN_CLASS" 0x200 0 $(( ((bt + 5) << 16) | ((bl + br) / 2) )) || fail "post failed"
  for (( i = 0; i < 50; i++ )); do
    crop "$(screenshot "$E2E_WORK/under.png")" $((br - bl)) $((bb - bt)) $((cl + bl)) $((ct + bt)) \
      "$E2E_ARTIFACTS/hover-underline.png"
    blue=$(convert "$E2E_ARTIFACTS/hover-underline.png" -fx '(b > 0.8 && r < 0.2 && g < 0.2) ? 1 : 0' \
      -format '%[fx:round(mean * w * h)]' info:)
    (( blue > 10 )) && break
    sleep 0.1
  done
  (( blue > 10 )) || fail "no blue caption under the pointer ($blue blue pixels)"
  log "underlined caption: $blue blue pixels"
}

arrange 1 top-underlined 0 110 0 LayoutLeft=0
arrange 3 bottom-large-no-flat 0 70 0 ShowCaption=0 SmallIcon=1 "Draw style=2" "PictureFile=$tile_win"
log "four arrangements drawn and reported"
