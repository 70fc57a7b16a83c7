#!/usr/bin/env bash
# Makes the bar's pictures as 24-bit BMP resources under src/res/pictures/ (run once by hand; the
# build and the tests use the checked-in files and never run this):
#   imagelist1.bmp       24 images of 16x16 in one 384x16 strip, magenta (255,0,255) transparent,
#                        except image 14 (the editor's caption logo) whose transparent colour is white
#   ieicon_large.bmp     32x32 web glyph, magenta transparent
#   mailicon_large.bmp   32x32 mail glyph, magenta transparent
#   arrowicon_left.bmp   9x9 left arrow of a group's collapse button, magenta transparent
#   arrowicon_up.bmp     9x9 up arrow, the same for a horizontal bar
# Most images come from the Tango icon theme (public domain; Debian package tango-icon-theme), the
# others are drawn here. Needs ImageMagick.
# Usage: scripts/make_pictures.sh [OUTDIR] [THEMEDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/src/res/pictures}
theme=${2:-/usr/share/icons/Tango}
if [ ! -d "$theme/16x16" ]; then
  echo "Tango icons not found in $theme; installing tango-icon-theme" >&2
  apt-get install -y tango-icon-theme >/dev/null || { echo "cannot install tango-icon-theme" >&2; exit 1; }
fi
command -v convert >/dev/null || { echo "ImageMagick (convert) is needed" >&2; exit 1; }
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

s16=$theme/16x16
s32=$theme/32x32
# Half-transparent edge pixels are blended onto a light button grey, so the outline reads on the
# bar's face colour and on white alike; pixels under 45% opacity become the key colour.
edge='#e4e2de'

bmp() {  # IN OUT: a flattened picture as an uncompressed 24-bit BMP
  convert "$1" -alpha off -type TrueColor -define bmp:format=bmp3 -compress none "BMP3:$2"
}

# keyed SRC OUT SIZE KEY: SRC (PNG with alpha) scaled to SIZE, opaque pixels blended onto $edge, the
# rest KEY; pixels that happen to equal KEY are nudged off it so they do not turn transparent.
keyed() {
  local src=$1 dst=$2 size=$3 key=$4 nudge
  case $key in
    white) nudge='#fefefe' ;;
    *) nudge='#fe00fe' ;;
  esac
  convert -size "${size}x${size}" "xc:$key" \
    \( "$src" -resize "${size}x${size}" -background "$edge" -alpha remove -alpha off \
       -fill "$nudge" -opaque "$key" \) \
    \( "$src" -resize "${size}x${size}" -alpha extract -threshold 45% \) \
    -composite -alpha off "PNG24:$dst"
}

# badge BASE BADGE OUT GRAVITY: a 16x16 icon with a small badge in one corner.
badge() {
  convert "$1" "$2" -gravity "$4" -composite "PNG32:$3"
}

# Drawn: an information sign (a white "i" in a blue disc), drawn large and scaled down for smooth edges.
convert -size 64x64 xc:none -fill '#204a87' -draw 'circle 32,32 32,1' \
  -fill '#3465a4' -draw 'circle 32,32 32,5' \
  -fill white -draw 'circle 32,17 32,11' -draw 'roundrectangle 27,26 37,53 3,3' \
  -resize 16x16 "PNG32:$tmp/info.png"
# Drawn badges, pixel-exact at their size: a link arrow in a white box, and a program window.
convert -size 8x8 xc:white +antialias -fill none -stroke '#2e3436' -draw 'rectangle 0,0 7,7' \
  -stroke '#204a87' -draw 'line 2,5 5,2' -draw 'line 3,2 5,2' -draw 'line 5,2 5,4' \
  -draw 'line 2,5 2,4' "PNG32:$tmp/link_badge.png"
convert -size 9x8 xc:white +antialias -fill '#3465a4' -stroke none -draw 'rectangle 0,0 8,2' \
  -fill none -stroke '#204a87' -draw 'rectangle 0,0 8,7' "PNG32:$tmp/window_badge.png"
badge "$s16/places/folder.png" "$tmp/link_badge.png" "$tmp/shortcut_folder.png" southwest
badge "$s16/places/folder.png" "$tmp/window_badge.png" "$tmp/programs_folder.png" southeast
# The theme's envelopes are white on white: warm them up so they read on a white menu too.
for m in "16:$s16/apps/internet-mail.png" "16:$s16/actions/mail-message-new.png" "32:$s32/apps/internet-mail.png"; do
  src=${m#*:}
  convert "$src" -channel RGB -fill '#e9b96e' -colorize 35% +channel "PNG32:$tmp/warm${m%%:*}_$(basename "$src")"
done
# The editor's logo is the program's own 16-pixel icon.
convert "$root/src/res/wendlix.ico[0]" "PNG32:$tmp/logo.png"

# Index: source (16x16). Menus and dialogs refer to these indices.
images=(
  "$s16/apps/internet-web-browser.png"          # 0 web address group / web site
  "$s16/actions/process-stop.png"               # 1 delete button
  "$s16/places/user-trash.png"                  # 2 delete group
  "$s16/actions/view-refresh.png"               # 3 refresh
  "$s16/categories/applications-system.png"     # 4 settings
  "$s16/actions/list-add.png"                   # 5 new button / new bar
  "$s16/actions/system-log-out.png"             # 6 close the bar
  "$s16/apps/help-browser.png"                  # 7 help
  "$tmp/warm16_internet-mail.png"               # 8 e-mail group
  "$tmp/shortcut_folder.png"                    # 9 shortcut group / quick launch folder
  "$tmp/programs_folder.png"                    # 10 programs folder
  "$s16/places/user-desktop.png"                # 11 desktop
  "$s16/emblems/emblem-favorite.png"            # 12 favourites
  "$s16/devices/drive-harddisk.png"             # 13 drives
  "$tmp/logo.png"                               # 14 editor logo (white transparent)
  "$s16/mimetypes/text-html.png"                # 15 small web button
  "$tmp/warm16_mail-message-new.png"            # 16 small mail button
  "$s16/actions/document-open.png"              # 17 import
  "$s16/actions/document-save-as.png"           # 18 export
  "$s16/apps/accessories-text-editor.png"       # 19 edit
  "$s16/actions/window-new.png"                 # 20 new group
  "$s16/status/folder-open.png"                 # 21 open folder
  "$s16/actions/document-properties.png"        # 22 properties
  "$tmp/info.png"                               # 23 about
)
[ ${#images[@]} -eq 24 ] || { echo "expected 24 images, have ${#images[@]}" >&2; exit 1; }
tiles=()
for i in "${!images[@]}"; do
  key=magenta
  [ "$i" -eq 14 ] && key=white
  keyed "${images[$i]}" "$tmp/tile$i.png" 16 "$key"
  tiles+=("$tmp/tile$i.png")
done
convert "${tiles[@]}" +append "$tmp/strip.png"
bmp "$tmp/strip.png" "$out/imagelist1.bmp"

keyed "$s32/apps/internet-web-browser.png" "$tmp/ie.png" 32 magenta
bmp "$tmp/ie.png" "$out/ieicon_large.bmp"
keyed "$tmp/warm32_internet-mail.png" "$tmp/mail.png" 32 magenta
bmp "$tmp/mail.png" "$out/mailicon_large.bmp"

# Collapse-button arrows: crisp solid triangles, no smoothing, so the key colour stays exact.
arrow='#3c3c3c'
convert -size 9x9 xc:magenta +antialias -fill "$arrow" -draw 'polygon 6,0 2,4 6,8' "PNG24:$tmp/left.png"
bmp "$tmp/left.png" "$out/arrowicon_left.bmp"
convert -size 9x9 xc:magenta +antialias -fill "$arrow" -draw 'polygon 0,6 4,2 8,6' "PNG24:$tmp/up.png"
bmp "$tmp/up.png" "$out/arrowicon_up.bmp"
echo "wrote $out"
