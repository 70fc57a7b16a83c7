#!/usr/bin/env bash
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"
dir=$E2E_WORK/app
install_bar "$dir"
{
  group_section Internet "Panel Style=1" Height=150
  printf '[Internet  Buttons]\nNews=http://news.example.org/\n\n'
} | write_cp936 "$dir/Wendlix.GPF"
bar_settings 2 90 0 1 Internet | write_cp936 "$dir/Wendlix.INI"
start_and_wait "$dir"
read_layout
IFS=, read -r tl tt tr tb <<<"$(layout_lines btntitle | cut -f2)"
read -r cl ct cr cb <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
xdotool mousemove $((cl + (tl+tr)/2)) $((ct + (tt+tb)/2))
sleep 0.2
xdotool mousemove $((cl + (tl+tr)/2 + 1)) $((ct + (tt+tb)/2))
sleep 2
screenshot "$E2E_ARTIFACTS/tip.png"
drive find tooltips_class32; echo "find rc $?"
drive visible tooltips_class32; echo "vis rc $?"
drive title tooltips_class32 | od -c | head
drive rect tooltips_class32
