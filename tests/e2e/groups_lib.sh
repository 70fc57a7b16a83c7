# shellcheck shell=bash
# Helpers of the cases that look at the groups on the bar (cases/bar_*.sh), sourced after lib.sh and
# startup_lib.sh.

# Writes FILE as code page 936 with CRLF line ends from UTF-8 text on stdin.
write_cp936() {
  sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$1"
}

# A group section of the group file: TITLE then KEY=VALUE overrides of the defaults below.
group_section() {
  local title=$1
  shift
  declare -A v=(
    [Visible]=1 [ShowTitle]=1 [ShowAsButton]=0 [ShowCaption]=1 [LayoutLeft]=1 [BevelDown]=1
    [SmallIcon]=0 [ShowTitleIcon]=1 [Width]=120 [Height]=100 ["Panel Style"]=0 [Color]=-2147483633
    ["From Color"]=16777215 ["To Color"]=16711680 ["Draw style"]=0 [FontColor]=-2147483640 [FontSize]=9
    [Directory]="C:\\" [FontName]=宋体 [PictureFile]=''
  )
  local kv
  for kv in "$@"; do v[${kv%%=*}]=${kv#*=}; done
  printf '[%s]\n' "$title"
  local key
  for key in Visible ShowTitle ShowAsButton ShowCaption LayoutLeft BevelDown SmallIcon ShowTitleIcon Width \
    Height "Panel Style" Color "From Color" "To Color" "Draw style" FontColor FontSize Directory; do
    printf '%s=%s\n' "$key" "${v[$key]}"
  done
  printf 'Title Text=%s\nFontName=%s\nPictureFile=%s\n\n' "$title" "${v[FontName]}" "${v[PictureFile]}"
}

# The bar settings file: EDGE WIDTH HEIGHT FLATDRAW, then the group titles in band order.
bar_settings() {
  local edge=$1 width=$2 height=$3 flat=$4
  shift 4
  printf '[Wendlix V3.0]\nAutoRun=0\nReLoadSet=0\nEdge=%s\nAutoHide=0\nAlwaysOnTop=1\n' "$edge"
  printf 'ActivateByMouseDown=0\nActive Delay=800\nAutoHideInterval=60\nGroups=%s\n' "$#"
  printf 'Width=%s\nHeight=%s\nFlat Draw=%s\n\n[Groups]\n' "$width" "$height" "$flat"
  local title
  for title in "$@"; do printf '%s=C:\\\n' "$title"; done
}

# The lines of the bar's layout report whose first field is KIND.
layout_lines() {
  printf '%s\n' "$LAYOUT" | awk -F'\t' -v kind="$1" '$1 == kind'
}

# Asks the running bar for its layout report into LAYOUT.
read_layout() {
  LAYOUT=$(drive query "$WENDLIX_MAIN_CLASS" layout) || fail "the bar did not answer the layout query"
}

# Field N of the first report line of KIND whose field 2 is KEY.
layout_field() {
  layout_lines "$1" | awk -F'\t' -v key="$2" -v n="$3" '$2 == key { print $n; exit }'
}

# Installs the bar in $E2E_WORK/app with two groups, a shortcut group "Tools" on the folder FOLDER (a
# Windows path) TOOLS_HEIGHT high and a web group "Web" with one address, docked right 120 wide; starts
# it and reads its layout. Sets dir.
start_tools_and_web() {
  dir=$E2E_WORK/app
  install_bar "$dir"
  {
    group_section Tools "Directory=$1" "Height=$2"
    group_section Web "Panel Style=1" Height=150
    printf '[Web  Buttons]\nNews=http://news.example.org/\n\n'
  } | write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"
  read_layout
}

# Opens the bar settings menu from the title button and presses KEYS in it.
main_menu_keys() {
  local tl tt tr tb x y
  read_layout
  IFS=, read -r tl tt tr tb <<<"$(layout_lines btntitle | cut -f2)"
  x=$(( (tl + tr) / 2 )) y=$(( (tt + tb) / 2 ))
  drive post "$WENDLIX_MAIN_CLASS" 0x201 1 $(( (y << 16) | x )) >/dev/null
  drive post "$WENDLIX_MAIN_CLASS" 0x202 0 $(( (y << 16) | x )) >/dev/null
  wait_for_window '#32768' 10 >/dev/null || fail "the bar settings menu did not open"
  sleep 0.3
  xdotool key --delay 80 "$@"
}

# The keys that choose item NAME in a menu described by the bar's query (MENU-TEXT): Down to it past
# the separators (hidden items are not in the menu; grey ones are passed over by Down like the others),
# Right into each sub-menu on the way, then Return. Wine's menus run an accelerator only when it is
# unique in its menu, so counting is the one way that always works.
menu_keys() {
  printf '%s\n' "$1" | awk -F'\t' -v want="$2" '
    # The first line is the menu'"'"'s title; its items are one level in.
    { match($1, /^ */); depth[NR] = RLENGTH / 2; n = substr($1, RLENGTH + 1); name[NR] = n; flags[NR] = $3
      if (n == want && NR > 1) target = NR }
    END {
      if (!target) exit 1
      k = 0; at = target
      while (1) { path[k++] = at; if (depth[at] == 1) break
        for (p = at - 1; p > 0 && depth[p] >= depth[at]; p--) ; at = p }
      keys = ""
      for (i = k - 1; i >= 0; i--) {
        node = path[i]; d = depth[node]; count = 0
        for (j = node - 1; j > 1 && depth[j] >= d; j--)
          if (depth[j] == d && flags[j] !~ /[HS]/) count++
        if (d == 1) count++
        for (c = 0; c < count; c++) keys = keys "Down "
        keys = keys (i > 0 ? "Right " : "Return")
      }
      print keys
    }'
}

# The middle of a client rectangle "l,t,r,b" as "x,y".
centre() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  echo "$(( (l + r) / 2 )),$(( (t + b) / 2 ))"
}

# Client rectangles from a fresh layout report: a group's panel by TITLE, a shown launch button by
# band and CAPTION, a collapsed group's button in PanelBtn by CAPTION.
panel_rect() { read_layout; layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $8; exit }'; }
button_rect() {  # BAND CAPTION
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" -v c="$2" '$2 == g && $7 == c && $5 == 1 { print $6; exit }'
}
collapsed_rect() { read_layout; layout_lines collapsed | awk -F'\t' -v c="$1" '$4 == c { print $3; exit }'; }

# The buttons menu as it would open at client point X,Y, as the bar describes it.
button_menu_at() { drive query "$WENDLIX_MAIN_CLASS" "btnmenu:$1"; }

# Opens the buttons menu at client point X,Y (a right click there) and waits for it.
post_button_menu() {
  local x=${1%,*} y=${1#*,} cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  drive post "$WENDLIX_MAIN_CLASS" 0x7B "$(drive find "$WENDLIX_MAIN_CLASS")" \
    $(( ((ct + y) << 16) | (cl + x) )) >/dev/null
  wait_for_window '#32768' 10 >/dev/null || fail "the buttons menu did not open at $1"
  sleep 0.3
}

# Opens the buttons menu at client point X,Y and chooses item NAME; sets MENU_KEYS to the keys typed.
choose_button_menu_item() {
  MENU_KEYS=$(menu_keys "$(button_menu_at "$1")" "$2") || fail "no item $2 in the menu at $1"
  for _ in 1 2; do
    post_button_menu "$1"
    # Paced: on a busy machine keys typed before a sub-menu has opened go nowhere.
    # shellcheck disable=SC2086
    xdotool key --delay 80 $MENU_KEYS
    drive wait-gone '#32768' 10 && return 0
    # Still open, so nothing was chosen: close it and type again.
    log "the buttons menu stayed open after $2 ($MENU_KEYS); again"
    xdotool key Escape Escape Escape
    drive wait-gone '#32768' 10 || fail "the buttons menu stayed open after Escape"
  done
  fail "the buttons menu stayed open after $2"
}

# The editor is a dialog (class #32770): the one holding the OK button "确认(&OK)". Waits up to
# SECONDS for it and keeps its handle in EDITOR for the drive commands that follow.
editor_wait() {
  local limit=$1 start=$SECONDS handle
  while (( SECONDS - start <= limit )); do
    if handle=$(drive find '#32770' 2>/dev/null) &&
      drive children "$handle" 2>/dev/null | awk -F'\t' '$5 == "确认(&OK)" { f = 1 } END { exit !f }'; then
      # shellcheck disable=SC2034  # for the case
      EDITOR=$handle
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Screen x y of the middle of the button of group G (index in the layout) whose name is NAME.
button_point() {
  local l t r b cl ct
  IFS=, read -r l t r b <<<"$(layout_lines button | awk -F'\t' -v g="$1" -v n="$2" '$2 == g && $8 == n { print $6; exit }')"
  [ -n "$b" ] || fail "no button $2 in group $1"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}

# Drags with the real mouse from screen X1 Y1 to X2 Y2 in steps and releases there, with the key a
# fifth argument names held throughout ("shift": a folder button opens its menu on a plain press;
# "ctrl": the button's file is dragged out): a drag the bar starts by OLE follows the mouse itself,
# not messages posted to the window.
mouse_drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i n=12
  [ -n "${5:-}" ] && xdotool keydown "$5"
  xdotool mousemove "$x1" "$y1" sleep 0.3 mousedown 1 sleep 0.2
  for (( i = 1; i <= n; i++ )); do
    xdotool mousemove $(( x1 + (x2 - x1) * i / n )) $(( y1 + (y2 - y1) * i / n + (i < n ? 12 : 0) ))
    sleep 0.08
  done
  xdotool mousemove "$x2" "$y2" sleep 0.4 mouseup 1
  [ -n "${5:-}" ] && xdotool keyup "$5"
  return 0
}
