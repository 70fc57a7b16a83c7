#!/usr/bin/env bash
# Draws the About window's picture (399 x 250) and writes it as a 24-bit BMP resource:
# a title strip with a colour gradient, the program's name and version (from VERSION), and room at the
# bottom for the two labels the window shows over it. Needs ImageMagick and the CJK font.
# Usage: scripts/make_about_bitmap.sh [OUT]   (default src/res/about.bmp)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/src/res/about.bmp}
font=${WENDLIX_CJK_FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}
version=$(tr -d ' \r\n' <"$root/VERSION")
[ -f "$font" ] || { echo "CJK font not found: $font (set WENDLIX_CJK_FONT)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Title strip: deep blue to teal, left to right.
convert -size 60x399 gradient:'#0b2f6b-#1aa3a3' -rotate -90 "$tmp/strip.png"
convert -size 399x250 xc:'#f4f1ea' \
  "$tmp/strip.png" -geometry +0+0 -composite \
  -fill '#d8d2c4' -draw 'rectangle 0,60 398,61' \
  -fill '#1aa3a3' -draw 'circle 44,30 44,12' \
  -fill '#f4f1ea' -draw 'polygon 36,20 36,40 56,30' \
  -font "$font" -fill white -pointsize 26 -annotate +78+40 'Wendlix' \
  -fill '#cfeff0' -pointsize 14 -annotate +198+40 "V $version" \
  -fill '#2b2b2b' -pointsize 18 -annotate +24+104 '快速启动栏' \
  -fill '#5a5a5a' -pointsize 13 -annotate +24+130 '分组存放常用程序、网址与邮件地址，' \
  -annotate +24+150 '停靠在屏幕边缘，一点即启动。' \
  -fill '#d8d2c4' -draw 'rectangle 24,172 374,172' \
  -fill '#1aa3a3' -draw 'rectangle 0,244 398,249' \
  -type TrueColor -define bmp:format=bmp3 -compress none "BMP3:$out"
echo "wrote $out"
