#!/usr/bin/env bash
# The bar as a screen reader reads it from another process (Active Accessibility). The tree names every
# group and button the layout report shows, in the keyboard's order, with their roles and actions; the
# default action on a shortcut starts it once, as a click would; an out-of-context event hook hears the
# focus move as the arrows move it; the find box's chosen row is read after pinyin initials are typed; a
# shortcut renamed in the group's folder is heard renamed in its place.
# e2e-timeout: 300
source "$(dirname "$0")/../lib.sh"

use_recorder
tools=$E2E_WORK/Tools
mkdir -p "$tools/资料"
tw=$(winpath "$tools")
drive make-link "$tw\\记事本.lnk" "$rec_win" '-open "my notes.txt"' "$tw" >/dev/null || fail "link 记事本"
drive make-link "$tw\\计算器.lnk" "$rec_win" calc "$tw" >/dev/null || fail "link 计算器"
install_groups --auto-hide 工具 网页 收起 < <(
  group_section 工具 "Directory=$tw\\" Height=200
  group_section 网页 "Panel Style=1" Height=150
  group_buttons 网页 新闻=http://news.example.org/
  group_section 收起 "Panel Style=1" ShowAsButton=1
)
start_behind_other "$dir"

# PATH ROLE NAME STATE PLACE ACTION DESCRIPTION per object; what is compared leaves out states and places.
tree() { drive acc-tree "$WENDLIX_MAIN_CLASS" | tr -d '\r'; }
roles_and_names() { tree | awk -F'\t' '{ print $1 "\t" $2 "\t" $3 "\t" $6 }'; }
read_layout
want=$(printf '.\ttoolbar\tWendlix V2.0\t\n1\tbuttonmenu\t工具栏菜单\t打开\n2\tbuttonmenu\t系统菜单\t打开\n'
  n=3
  for g in 0 1; do
    printf '%s\tgrouping\t%s\t\n' $n "$(layout_lines group | awk -F'\t' -v g=$g '$2 == g { print $3 }')"
    b=1
    while IFS=$'\t' read -r kind caption dir; do
      if [ "$kind" = collapse ]; then printf '%s/%s\tbuttonmenu\t更多按钮\t打开\n' $n $b
      elif [ "$dir" = 1 ]; then printf '%s/%s\tbuttonmenu\t%s\t打开\n' $n $b "$caption"
      else printf '%s/%s\tpushbutton\t%s\t启动\n' $n $b "$caption"; fi
      b=$((b + 1))
    done < <(printf '%s\n' "$LAYOUT" | awk -F'\t' -v g=$g '($1 == "button" || $1 == "collapse") && $2 == g {
      print $1 "\t" ($1 == "button" ? $8 : "") "\t" ($1 == "button" ? $9 : "") }')
    n=$((n + 1))
  done
  printf '%s\tbuttonmenu\t%s\t打开\n' $n "$(layout_lines collapsed | awk -F'\t' '{ print $4 }')")
expect_eq "$want" "$(roles_and_names)" "the tree against the layout"
expect_eq 3 "$(grep -c $'^3/[0-9]*\tpushbutton' <<<"$(tree)")" "the three buttons of 工具 (资料, 计算器, 记事本)"
# Slid in, every part is off screen; each button lies where the layout puts it.
offscreen=$(tree | awk -F'\t' 'NR > 1 && $4 !~ /offscreen/' | wc -l)
expect_eq 0 "$offscreen" "parts not off screen while the bar is slid in"

# The default action on 记事本 starts it once, with its whole command line.
path=$(tree | awk -F'\t' '$3 == "记事本" { print $1 }')
drive acc-do "$WENDLIX_MAIN_CLASS" "$path" || fail "accDoDefaultAction on 记事本 failed"
expect_record "cmd=\"$rec_win\" -open \"my notes.txt\"
dir=$tw" "the start the default action made"

# The focus moves with the arrows; an out-of-context hook hears each move with the button's name.
events=$E2E_WORK/events.txt
wine_run "$WENDLIX_DRIVER" acc-events "$WENDLIX_MAIN_CLASS" 120 focus >"$events" &
on_exit kill $!
wait_until 30 grep -qx ready "$events" || fail "the event hook did not start"
call_up "the focus events"
xdotool key Down
xdotool key Down
xdotool key Down
focus_names() { awk -F'\t' '$1 == "focus" { print $2 }' "$events" | tr -d '\r' | paste -sd' '; }
expect_soon "$(captions 0 | cut -d' ' -f1-3) 新闻" "the focus events as the arrows move" focus_names

# Pinyin initials open the find box: its query and its chosen row are read, and the hook hears the row.
xdotool type --delay 80 jsq
wait_until 20 query_is jsq || fail "the box did not show jsq: $(findbox)"
chosen() { drive acc-tree TFindBox | tr -d '\r' | awk -F'\t' '$4 ~ /selected/ { print $2 "\t" $3 }'; }
expect_eq $'listitem\t计算器, 工具' "$(chosen)" "the chosen row"
expect_eq $'text\t查找按钮\tjsq' "$(drive acc-tree TFindBox | tr -d '\r' | awk -F'\t' '$1 == 1 { print $2 "\t" $3 "\t" $8 }')" \
  "the query line"
expect_soon "计算器, 工具" "the last focus event" eval "awk -F'\t' '\$1 == \"focus\" { n = \$2 } END { print n }' '$events' | tr -d '\r'"

# A shortcut renamed in the folder (followed once the keyboard is given back; the group keeps no order of
# its own, so the new name takes its place by name): the hook hears the two buttons whose names changed.
xdotool key Escape
wait_until 20 field_is session 1 || fail "the find box did not close"
xdotool key Escape
wait_until 20 field_is session 0 || fail "the keyboard session did not end"
names=$E2E_WORK/names.txt
wine_run "$WENDLIX_DRIVER" acc-events "$WENDLIX_MAIN_CLASS" 120 namechange >"$names" &
on_exit kill $!
wait_until 30 grep -qx ready "$names" || fail "the name hook did not start"
mv "$tools/记事本.lnk" "$tools/写字板.lnk"
expect_soon "资料 写字板 计算器" "the buttons after the rename" captions 0
renamed() { awk -F'\t' '$1 == "namechange" { print $2 }' "$names" | tr -d '\r' | paste -sd' '; }
expect_soon "写字板 计算器" "the names heard after a rename in the folder" renamed
