# shellcheck shell=bash
# Helpers for the bar itself, sourced by lib.sh. Points are client coordinates of the main window as
# "x,y" and rectangles "l,t,r,b" (as the bar's layout report gives them) unless said to be on the screen.
#
# Settings and group files (bar_settings, group_section, group_buttons and write_cp936 need nothing else)
#   write_cp936 FILE            UTF-8 text on stdin written as code page 936 with CRLF line ends
#   bar_settings EDGE WIDTH HEIGHT FLAT TITLES...   the settings file's text: not hiding, on top, the groups
#   group_section TITLE [KEY=VALUE...]               a group's section, defaults overridden
#   group_buttons TITLE NAME=TARGET...               a web or e-mail group's buttons section
#   write_bar_ini DIR EDGE AUTOHIDE ALWAYSONTOP [WIDTH] [HEIGHT]  a settings file of docking keys only
#   install_groups [--auto-hide] TITLE...  the bar in $E2E_WORK/app (sets dir and gpf) with the group file
#                               on stdin, docked right 120 wide with the groups TITLE..., hiding if asked;
#                               not in a pipeline (which would keep dir and gpf): `install_groups T < <(...)`
#   install_web_bar [SED]       the bar in $E2E_WORK/app (sets dir) with one web group "Internet", docked
#                               right 90 wide, its settings file edited by the sed script SED
#   start_tools_and_web FOLDER H  the bar in $E2E_WORK/app (sets dir) docked right 120 wide with a shortcut
#                               group "Tools" on FOLDER (a Windows path), H high, and a web group "Web"
#                               with one address; started
#   make_links FOLDER TARGET NAME...                 shell links FOLDER/NAME.lnk to TARGET
#   quick_launch_folder         the prefix user's Quick Launch folder (a unix path; it need not exist)
#   saved_buttons TITLE         the group's button section in the group file, "key=value" on one line
#   live KEY                    a value of the bar's "live" report (watched, refills, renames)
# The bar's layout report
#   read_layout (into LAYOUT), layout_lines KIND, groups_shown ("title:1" a band, "title:0" not, in order)
#   panel_rect TITLE, header_rect TITLE, collapsed_rect TITLE, button_rect BAND CAPTION, centre RECT
#   captions BAND (shown launch buttons), button_names BAND (all of them), button_point BAND NAME (screen)
# Menus, posted clicks and drags
#   post_click X,Y [MSG-DOWN]   a posted left click (0x201/0x202, or a double click with 0x203)
#   band_drag TITLE ONTO        the band TITLE dragged by its header onto the band ONTO's header
#   menu_keys MENU-TEXT NAME    the keys that choose item NAME; menu_item MENU-TEXT NAME: "caption<TAB>flags"
#   main_menu_keys KEYS...      open the bar settings menu from the title button and type KEYS
#   main_menu_item NAME         choose NAME from the bar settings menu by the bar's own description of it
#   menu_band                   the open menu's highlighted item on the screen, "TOP BOTTOM" (empty: none)
#   button_menu_at X,Y          the buttons menu as it would open there (the bar's description)
#   post_button_menu X,Y        open the buttons menu there; choose_button_menu_item X,Y NAME: and choose
#   mouse_drag X1 Y1 X2 Y2 [KEY]  the real mouse, in steps, KEY held throughout (screen points)
#   right_click_menu X,Y        a real right click there (client point); the menu it opens is closed again
#   client_pixels RECT          a digest of the screen's pixels in the client rectangle RECT
# Dialogs and boxes
#   editor_wait S, editor_ok FIELD TEXT..., editor_cancel FIELD TEXT   the editor (handle in EDITOR)
#   editor_refused FIELD TEXT...  fill in and OK: a box comes (answered, caption in BOX_TEXT), the editor stays
#   editor_fields [shown]       the editor's edit fields (only those shown), in creation order, joined by "|"
#   answer_box KEY [PICTURE]    answer the message box; its caption in BOX_TEXT
#   expect_box CAPTION WHAT     a message box with that caption comes; answered with Return
#   file_dialog_path WINPATH    type a path into the open common file dialog and press Return, once it holds it
#   is_foreground WINDOW        the window is the foreground window (it takes the keys)
# Docking
#   docked_rect EDGE THICKNESS W H, hidden_rect WIDTH (a right-edge bar at its sliver), wait_rect WANT S,
#   bar_is_topmost, bar_has_caption, activate_other_window [S]
# The keyboard
#   start_behind_other DIR      the bar of DIR (an auto-hide bar 120 wide on the right) started behind another
#                               window that has the activation and the pointer; returns once the bar is at its
#                               sliver; sets HIDDEN and SHOWN, its two rectangles
#   keyboard (the "keyboard" query), field KEY (one of its values), field_is KEY VALUE, expect_field KEY VALUE WHAT
# Programs the bar starts
#   use_recorder                the recorder (writes "cmd=" and "dir=" lines to $record at every start);
#                               sets rec_win, its Windows path; expect_record WANT WHAT
#   htm_opens_recorder          the recorder is what the shell runs for .htm files

# Set by the helpers below: the layout report, the bar's folder, the recorder's path and record.
LAYOUT='' dir='' gpf='' rec_win='' record=''

# ---- settings and group files ----------------------------------------------------------------------------

write_cp936() {
  sed 's/$/\r/' | iconv -f UTF-8 -t GBK >"$1"
}

bar_settings() {
  local edge=$1 width=$2 height=$3 flat=$4 title
  shift 4
  printf '[Wendlix V3.0]\nAutoRun=0\nReLoadSet=0\nEdge=%s\nAutoHide=0\nAlwaysOnTop=1\n' "$edge"
  printf 'ActivateByMouseDown=0\nActive Delay=800\nAutoHideInterval=60\nGroups=%s\n' "$#"
  printf 'Width=%s\nHeight=%s\nFlat Draw=%s\n\n[Groups]\n' "$width" "$height" "$flat"
  for title in "$@"; do printf '%s=C:\\\n' "$title"; done
}

group_section() {
  local title=$1 kv key
  shift
  declare -A v=(
    [Visible]=1 [ShowTitle]=1 [ShowAsButton]=0 [ShowCaption]=1 [LayoutLeft]=1 [BevelDown]=1
    [SmallIcon]=0 [ShowTitleIcon]=1 [Width]=120 [Height]=100 ["Panel Style"]=0 [Color]=-2147483633
    ["From Color"]=16777215 ["To Color"]=16711680 ["Draw style"]=0 [FontColor]=-2147483640 [FontSize]=9
    [Directory]='C:'\\ [FontName]=宋体 [PictureFile]=''
  )
  for kv in "$@"; do v[${kv%%=*}]=${kv#*=}; done
  printf '[%s]\n' "$title"
  for key in Visible ShowTitle ShowAsButton ShowCaption LayoutLeft BevelDown SmallIcon ShowTitleIcon Width \
    Height "Panel Style" Color "From Color" "To Color" "Draw style" FontColor FontSize Directory; do
    printf '%s=%s\n' "$key" "${v[$key]}"
  done
  printf 'Title Text=%s\nFontName=%s\nPictureFile=%s\n\n' "$title" "${v[FontName]}" "${v[PictureFile]}"
}

group_buttons() {
  printf '[%s  Buttons]\n' "$1"
  shift
  printf '%s\n' "$@" ''
}

write_bar_ini() {
  mkdir -p "$1"
  printf '%s\r\n' "[Wendlix V3.0]" "AutoRun=0" "AutoHide=$3" "AlwaysOnTop=$4" "Edge=$2" \
    "Width=${5:-86}" "Height=${6:-100}" "AutoHideInterval=10" >"$1/Wendlix.INI"
}

install_groups() {
  local edit=''
  if [ "$1" = --auto-hide ]; then
    edit='s/^AutoHide=0/AutoHide=1/; s/^AutoHideInterval=60/AutoHideInterval=10/'
    shift
  fi
  dir=$E2E_WORK/app gpf=$E2E_WORK/app/Wendlix.GPF
  install_bar "$dir"
  write_cp936 "$gpf"
  bar_settings 2 120 0 1 "$@" | sed "$edit" | write_cp936 "$dir/Wendlix.INI"
}

install_web_bar() {
  dir=$E2E_WORK/app
  install_bar "$dir"
  { group_section Internet "Panel Style=1" Height=150; group_buttons Internet News=http://news.example.org/; } |
    write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 90 0 1 Internet | sed "${1:-}" | write_cp936 "$dir/Wendlix.INI"
}

start_tools_and_web() {
  dir=$E2E_WORK/app
  install_bar "$dir"
  { group_section Tools "Directory=$1" "Height=$2"
    group_section Web "Panel Style=1" Height=150; group_buttons Web News=http://news.example.org/; } |
    write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  start_and_wait "$dir"
}

quick_launch_folder() {
  local roaming
  roaming=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | tr ' ' '\n' | grep -v /Public/ | head -n 1)
  [ -d "$roaming" ] || fail "no AppData folder in the prefix"
  echo "$roaming/Microsoft/Internet Explorer/Quick Launch"
}

# Edge's User Data folder in the prefix, where the bar looks for its profiles.
edge_user_data() {
  local roaming
  roaming=$(dirname "$(quick_launch_folder)")
  echo "${roaming%/Roaming/*}/Local/Microsoft/Edge/User Data"
}

# Writes stdin to FILE as a browser does: a new file beside it, renamed over the old one.
write_as_browser() {
  mkdir -p "$(dirname "$1")"
  cat >"$1.tmp" && mv -f "$1.tmp" "$1"
}

make_links() {
  local folder=$1 target=$2 name
  shift 2
  mkdir -p "$folder"
  for name in "$@"; do
    drive make-link "$(winpath "$folder")\\$name.lnk" "$target" >/dev/null || fail "could not write $name.lnk"
  done
}

saved_buttons() { ini_lines "$dir/Wendlix.GPF" "$1  Buttons" | paste -sd' '; }
live() { drive query "$WENDLIX_MAIN_CLASS" live | awk -F'\t' -v k="$1" '$1 == k { print $2 }'; }

# ---- the layout report -----------------------------------------------------------------------------------

read_layout() {
  LAYOUT=$(drive query "$WENDLIX_MAIN_CLASS" layout) || fail "the bar did not answer the layout query"
}

layout_lines() {
  printf '%s\n' "$LAYOUT" | awk -F'\t' -v kind="$1" '$1 == kind'
}

groups_shown() {
  read_layout
  layout_lines group | awk -F'\t' '{ printf "%s%s:%s", sep, $3, $5; sep = " " }'
}

# Field 7 of a group line is its header, field 8 its panel.
header_rect() { read_layout; layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $7; exit }'; }
panel_rect() { read_layout; layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $8; exit }'; }
collapsed_rect() { read_layout; layout_lines collapsed | awk -F'\t' -v c="$1" '$4 == c { print $3; exit }'; }
button_rect() {  # BAND CAPTION: a shown launch button
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" -v c="$2" '$2 == g && $7 == c && $5 == 1 { print $6; exit }'
}

centre() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  echo "$(( (l + r) / 2 )),$(( (t + b) / 2 ))"
}

captions() {
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g && $5 == 1 { print $7 }' | paste -sd' '
}

button_names() {
  read_layout
  layout_lines button | awk -F'\t' -v g="$1" '$2 == g { print $8 }' | paste -sd' '
}

button_point() {
  local l t r b cl ct
  read_layout
  IFS=, read -r l t r b <<<"$(layout_lines button | awk -F'\t' -v g="$1" -v n="$2" '$2 == g && $8 == n { print $6; exit }')"
  [ -n "$b" ] || fail "no button $2 in group $1"
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}

# ---- menus, clicks and drags -----------------------------------------------------------------------------

_lparam() { echo $(( (${1#*,} << 16) | ${1%,*} )); }

post_click() {
  drive post "$WENDLIX_MAIN_CLASS" "${2:-0x201}" 1 "$(_lparam "$1")" >/dev/null
  drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$1")" >/dev/null
}

band_drag() {
  local hl ht ol ot
  IFS=, read -r hl ht _ _ <<<"$(header_rect "$1")"
  IFS=, read -r ol ot _ _ <<<"$(header_rect "$2")"
  drive post "$WENDLIX_MAIN_CLASS" 0x201 1 "$(_lparam "$((hl + 30)),$((ht + 5))")" >/dev/null
  drive post "$WENDLIX_MAIN_CLASS" 0x200 1 "$(_lparam "$((ol + 30)),$((ot + 5))")" >/dev/null
  drive post "$WENDLIX_MAIN_CLASS" 0x202 0 "$(_lparam "$((ol + 30)),$((ot + 5))")" >/dev/null
}

# A letter runs its item only when it is unique in its menu (a shared one moves the highlight), so
# counting is the one way that always works: Down to the item past the separators (hidden items are
# not in the menu; grey ones are passed over like the others), Right into each sub-menu on the way,
# then Return.
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

menu_item() {
  printf '%s\n' "$1" | awk -F'\t' -v n="$2" '{ sub(/^ +/, "", $1) } $1 == n { print $2 "\t" $3; exit }'
}

# A menu window exists before its tracking takes keys: the short pause lets the first key land in it.
_menu_opened() {
  wait_for_window '#32768' 30 >/dev/null || return 1
  sleep 0.3
}

main_menu_keys() {
  local title
  read_layout
  title=$(centre "$(layout_lines btntitle | cut -f2)")
  post_click "$title"
  _menu_opened || fail "the bar settings menu did not open"
  # Paced: on a busy machine keys typed before a sub-menu has opened go nowhere.
  xdotool key --delay 80 "$@"
}

# The rows of the second commonest colour in a column near the menu's right edge, where only the items'
# ground is painted (the commonest).
menu_band() {
  local l t r b
  read -r l t r b <<<"$(drive rect '#32768')" && screenshot "$E2E_WORK/menu.png" >/dev/null || return 1
  convert "$E2E_WORK/menu.png" -crop "1x$((b - t))+$((r - 5))+$t" +repage -depth 8 txt:- | awk -v t="$t" '
    NR > 1 { split($1, p, ","); c = $3; n[c]++; if (!(c in top)) top[c] = p[2] + t; bottom[c] = p[2] + t + 1 }
    END { for (c in n) if (n[c] > n[g]) g = c; for (c in n) if (c != g && n[c] > 8 && n[c] > n[h]) h = c
          if (h != "") print top[h], bottom[h] }'
}

main_menu_item() {
  local keys
  keys=$(menu_keys "$(drive query "$WENDLIX_MAIN_CLASS" mainmenu)" "$1") || fail "no item $1 in the bar settings menu"
  # shellcheck disable=SC2086
  main_menu_keys $keys
  drive wait-gone '#32768' 10 || fail "the bar settings menu stayed open after $1"
}

button_menu_at() { drive query "$WENDLIX_MAIN_CLASS" "btnmenu:$1"; }

post_button_menu() {
  local x=${1%,*} y=${1#*,} cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  drive post "$WENDLIX_MAIN_CLASS" 0x7B "$(drive find "$WENDLIX_MAIN_CLASS")" "$(_lparam "$((cl + x)),$((ct + y))")" >/dev/null
  _menu_opened || fail "the buttons menu did not open at $1"
}

choose_button_menu_item() {
  MENU_KEYS=$(menu_keys "$(button_menu_at "$1")" "$2") || fail "no item $2 in the menu at $1"
  for _ in 1 2; do
    post_button_menu "$1"
    # shellcheck disable=SC2086
    xdotool key --delay 80 $MENU_KEYS
    drive wait-gone '#32768' 10 && { log "menu at $1: $2 ($MENU_KEYS)"; return 0; }
    # Still open, so nothing was chosen: close it and type again.
    log "the buttons menu stayed open after $2 ($MENU_KEYS); again"
    xdotool key Escape Escape Escape
    drive wait-gone '#32768' 10 || fail "the buttons menu stayed open after Escape"
  done
  fail "the buttons menu stayed open after $2"
}

# A drag the bar starts by OLE follows the mouse itself, not messages posted to the window. KEY: "shift"
# (a folder button opens its menu on a plain press), "ctrl" (the button's file is dragged out).
mouse_drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i n=12
  [ -n "${5:-}" ] && xdotool keydown "$5"
  # Paced: OLE's drag loop samples the pointer; a jump straight to the end would be no drag.
  xdotool mousemove "$x1" "$y1" sleep 0.3 mousedown 1 sleep 0.2
  for (( i = 1; i <= n; i++ )); do
    xdotool mousemove $(( x1 + (x2 - x1) * i / n )) $(( y1 + (y2 - y1) * i / n + (i < n ? 12 : 0) )) sleep 0.08
  done
  xdotool mousemove "$x2" "$y2" sleep 0.4 mouseup 1
  [ -n "${5:-}" ] && xdotool keyup "$5"
  return 0
}

# A real click goes through activation, which a posted one skips: the first one must open the menu.
right_click_menu() {
  local cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  xdotool mousemove $((cl + ${1%,*})) $((ct + ${1#*,})) sleep 0.3 click 3
  _menu_opened || { screenshot "$E2E_ARTIFACTS/no-menu.png" >/dev/null; fail "a right click at $1 opened no menu"; }
  xdotool key Escape
  drive wait-gone '#32768' 10 || fail "the menu at $1 stayed open after Escape"
}

client_pixels() {
  local cl ct l t r b
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  IFS=, read -r l t r b <<<"$1"
  import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$((cl + l))+$((ct + t))" rgb:- | md5sum
}

# ---- dialogs and boxes -----------------------------------------------------------------------------------

# The editor is a dialog (class #32770): the one holding the OK button "确认(&OK)".
_editor_found() {
  local handle
  handle=$(drive find '#32770' 2>/dev/null) &&
    drive children "$handle" 2>/dev/null | awk -F'\t' '$5 == "确认(&OK)" { f = 1 } END { exit !f }' &&
    EDITOR=$handle
}
editor_wait() { wait_until "$1" _editor_found; }

_editor_fill_ok() {
  editor_wait 20 || { screenshot "$E2E_ARTIFACTS/no-editor.png" >/dev/null; fail "the editor did not open"; }
  while [ $# -ge 2 ]; do
    drive set-text "$EDITOR" "$1" "$2" >/dev/null || fail "field $1"
    shift 2
  done
  drive click "$EDITOR" 1 >/dev/null
}

editor_ok() {
  _editor_fill_ok "$@"
  drive wait-gone "$EDITOR" 20 || fail "the editor stayed open"
}

editor_refused() {
  _editor_fill_ok "$@"
  answer_box Return
  drive visible "$EDITOR" || fail "the editor closed after its refusal ($BOX_TEXT)"
}

editor_fields() {
  drive children "$EDITOR" | awk -F'\t' -v shown="${1:+1}" '$2 == "Edit" && ($4 == 1 || !shown) { print $5 }' |
    paste -sd'|'
}

editor_cancel() {
  editor_wait 20 || fail "the editor did not open"
  drive set-text "$EDITOR" "$1" "$2" >/dev/null
  drive click "$EDITOR" 2 >/dev/null
  drive wait-gone "$EDITOR" 20 || fail "the editor stayed open after Cancel"
}

# A box takes keys once its opening animation has run: the short pause lets the key land in it.
box_titled() {
  BOX_TEXT=$(drive title TMessageForm) && [ -n "$BOX_TEXT" ]
}

answer_box() {
  wait_for_window TMessageForm 20 >/dev/null || { screenshot "$E2E_ARTIFACTS/no-box.png" >/dev/null; fail "no message box"; }
  # The box gets its caption after it appears, and then opens with a short animation (keys pace it).
  wait_until 20 box_titled || fail "the message box has no caption"
  # Shown and given the keyboard only after its opening animation: a key sent before that is lost.
  wait_until 20 is_foreground TMessageForm || fail "the message box never became the foreground window"
  [ -n "${2:-}" ] && screenshot "$E2E_ARTIFACTS/$2" >/dev/null
  xdotool key "$1"
  drive wait-gone TMessageForm 20 || fail "the box stayed open after $1"
}

expect_box() {
  answer_box Return "box-$2.png"
  expect_eq "$1" "$BOX_TEXT" "$2: the box's caption"
}

is_foreground() {
  [ "$(drive foreground)" = "$(drive find "$1")" ]
}

file_dialog_name_is() {
  [ "$(drive children '#32770' | awk -F'\t' '$2 == "ComboBoxEx32" { print $5 }')" = "$1" ]
}

# The file-name edit has the focus with a suggested name in it: replaced by the typed path.
file_dialog_path() {
  wait_for_window '#32770' 20 >/dev/null || { screenshot "$E2E_ARTIFACTS/no-dialog.png" >/dev/null; fail "no file dialog"; }
  wait_until 20 is_foreground '#32770' || fail "the file dialog never became the foreground window"
  # The dialog fills its edit after it appears, and a busy machine can lose keys: typed until it holds the path.
  local _
  for _ in 1 2 3; do
    xdotool key End shift+Home Delete
    xdotool type --delay 20 "$1"
    wait_until 5 file_dialog_name_is "$1" && break
  done
  file_dialog_name_is "$1" || { screenshot "$E2E_ARTIFACTS/dialog-name.png" >/dev/null; fail "the file dialog's name is not $1"; }
  xdotool key Return
  drive wait-gone '#32770' 20 || { screenshot "$E2E_ARTIFACTS/dialog-stayed.png" >/dev/null; fail "the file dialog stayed open after $1"; }
}

# ---- docking ---------------------------------------------------------------------------------------------

# The rectangle "L T R B" a docked bar of THICKNESS has on EDGE (0 left, 1 top, 2 right, 3 bottom).
docked_rect() {
  local edge=$1 t=$2 w=$3 h=$4
  case $edge in
    0) echo "0 0 $t $h" ;;
    1) echo "0 0 $w $t" ;;
    2) echo "$((w - t)) 0 $w $h" ;;
    3) echo "0 $((h - t)) $w $h" ;;
  esac
}

# A right-edge auto-hide bar WIDTH wide at its sliver: two borders of it on the 1024x768 screen.
hidden_rect() {
  local border
  border=$(drive metric 5)  # SM_CXBORDER
  (( border > 0 )) || fail "no border width: '$border'"
  echo "$((1024 - 2 * border)) 0 $((1024 - 2 * border + $1)) 768"
}

_rect_is() { RECT_NOW=$(drive rect "$WENDLIX_MAIN_CLASS"); [ "$RECT_NOW" = "$1" ]; }
# Waits up to S seconds until the main window's rectangle is WANT ("L T R B"); prints the last one seen.
wait_rect() {
  RECT_NOW=
  wait_until "$2" _rect_is "$1"
  local status=$?
  printf '%s\n' "$RECT_NOW"
  return $status
}

bar_is_topmost() {
  local exstyle
  read -r _ exstyle < <(drive style "$WENDLIX_MAIN_CLASS")
  (( exstyle & 0x8 ))
}

bar_has_caption() {
  local style
  read -r style _ < <(drive style "$WENDLIX_MAIN_CLASS")
  (( (style & 0x00C00000) == 0x00C00000 ))
}

# A window of the driver's own that takes the activation for the rest of the case (or S seconds, default
# 100); returns once it is up, its handle in OTHER_WINDOW.
activate_other_window() {
  local out=$E2E_WORK/other$RANDOM.txt pid
  wine_run "$WENDLIX_DRIVER" activate-other "${1:-100}" >"$out" &
  pid=$!
  on_exit kill "$pid"
  wait_until 20 test -s "$out" || fail "the other window did not appear"
  # shellcheck disable=SC2034  # for the cases
  OTHER_WINDOW=$(head -n 1 "$out" | tr -d '\r')
}

# ---- the keyboard ---------------------------------------------------------------------------------------

start_behind_other() {
  # shellcheck disable=SC2034  # SHOWN is for the cases
  HIDDEN=$(hidden_rect 120) SHOWN=$(docked_rect 2 120 1024 768)
  xdotool mousemove 300 300
  start_and_wait "$1"
  activate_other_window 400
  # Over the other window: Xvfb without a window manager sends key presses to the window under the
  # pointer, and Wine passes them on to the window with the focus (and to the hotkeys).
  xdotool mousemove 500 375
  local got
  got=$(wait_rect "$HIDDEN" 20) || fail "the auto-hide bar did not go to its sliver: $got"
}

keyboard() { drive query "$WENDLIX_MAIN_CLASS" keyboard; }
field() { keyboard | tr ' ' '\n' | sed -n "s/^$1=//p"; }
field_is() { [ "$(field "$1")" = "$2" ]; }
expect_field() { wait_until 30 field_is "$1" "$2" || fail "$3: $(keyboard)"; }
# The hotkey on the X keyboard (Win+Alt+W) calls the bar up: its keyboard session begins.
call_up() {  # WHAT
  xdotool key super+alt+w
  expect_field session 1 "$1: the hotkey did not call the bar up"
}
# What the find box shows (its query, status and rows), empty while it is closed.
findbox() { drive query "$WENDLIX_MAIN_CLASS" findbox; }
query_is() { findbox | grep -qx $'query\t'"$1"; }

# ---- programs the bar starts -----------------------------------------------------------------------------

use_recorder() {
  cp "$(dirname "$WENDLIX_DRIVER")/wendlix_recorder.exe" "$E2E_WORK/recorder.exe" || fail "no recorder beside the driver"
  rec_win=$(winpath "$E2E_WORK/recorder.exe")
  record=$E2E_WORK/record.txt
  export WENDLIX_RECORD
  WENDLIX_RECORD=$(winpath "$record")
}

_starts_recorded() { [ -f "$record" ] && [ "$(grep -c '^dir=' "$record")" -ge "$1" ]; }
# Once the recorder has written as many starts as WANT holds, the whole record is WANT (a start more, or an
# argument given twice, fails).
expect_record() {
  wait_until 30 _starts_recorded "$(grep -c '^dir=' <<<"$1")"
  expect_eq "$1" "$(tr -d '\r' <"$record" 2>/dev/null)" "$2"
}

# Web addresses the bar opens reach the recorder: it stands in for the browser.
http_opens_recorder() {
  use_recorder
  local scheme
  for scheme in http https; do
    wine_run reg.exe add "HKCR\\$scheme\\shell\\open\\command" /ve /f /d "\"$rec_win\" \"%1\"" >/dev/null 2>&1 ||
      fail "could not register the recorder for $scheme addresses"
  done
}

htm_opens_recorder() {
  use_recorder
  wine_run reg.exe add 'HKCR\.htm' /ve /f /d WendlixHelpTest >/dev/null 2>&1 &&
    wine_run reg.exe add 'HKCR\WendlixHelpTest\shell\open\command' /ve /f /d "\"$rec_win\" \"%1\"" >/dev/null 2>&1 ||
    fail "could not register the recorder for .htm files"
}
