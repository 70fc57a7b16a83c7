#!/usr/bin/env bash
# Files dragged by OLE from another process onto a shortcut group become links there; the one whose link
# already exists is asked about once, after the drag has returned (the source is not held while the
# question is open): Enter replaces it, Escape keeps it. Onto a web group files are refused with a box,
# also after the drag has returned. (Which files get which link, and which drops are refused, is decided
# and tested in the core.)
source "$(dirname "$0")/../lib.sh"

src=$E2E_WORK/src tools=$E2E_WORK/Tools
mkdir -p "$src"
for f in alpha beta gamma; do echo "$f" >"$src/$f.txt"; done
echo x >"$src/文件 甲.txt"
sw=$(winpath "$src")
make_links "$tools" 'C:\windows\notepad.exe' beta
start_tools_and_web "$(winpath "$tools")" 250
screen_centre() {  # TITLE: screen "x y" of the middle of its group panel
  local cl ct
  read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
  IFS=, read -r x y <<<"$(centre "$(panel_rect "$1")")"
  echo $((cl + x)) $((ct + y))
}

# Onto the web group: a box says where files go, nothing is written.
read -r x y <<<"$(screen_centre Web)"
expect_eq "dropped effect 4" "$(drive drag-files "$x" "$y" "$sw\\alpha.txt")" "the drag onto Web returned"
expect_box "乱拖...." files-on-web-group
expect_eq "beta.lnk" "$(files_in "$tools")" "links after the refused drop"

# Onto the shortcut group: beta.lnk exists, so one question comes, answered with Enter.
read -r x y <<<"$(screen_centre Tools)"
expect_eq "dropped effect 4" "$(drive drag-files "$x" "$y" "$sw\\alpha.txt" "$sw\\beta.txt" "$sw\\gamma.txt")" \
  "the drag returned before the question"
expect_box "覆盖文件1!?" overwrite-question
expect_soon "alpha beta gamma" "the group shows the new links" captions 0
drive find TMessageForm >/dev/null && fail "a second question came"
expect_eq "alpha.lnk beta.lnk gamma.lnk" "$(files_in "$tools")" "links made"
kept=$(md5sum <"$tools/beta.lnk")

# beta again with a file of Chinese name: one question, Escape keeps the old link, the other is made.
drive drag-files "$x" "$y" "$sw\\beta.txt" "$sw\\文件 甲.txt" >/dev/null || fail "the second drop"
answer_box Escape
expect_soon "alpha beta gamma 文件 甲" "the group after Escape" captions 0
expect_eq "$kept" "$(md5sum <"$tools/beta.lnk")" "beta's link after Escape"
stop_bar 20 || fail "the bar did not close by itself"
