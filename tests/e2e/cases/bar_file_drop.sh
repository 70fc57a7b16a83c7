#!/usr/bin/env bash
# e2e-timeout: 180
# Files dragged by OLE from another process onto a shortcut group become links there; the one whose
# link already exists is asked about once, after the drag has returned (the source is not held while
# the question is open): Enter replaces it, Escape keeps it. Files from the root of drive C get no drop;
# a link from the group's own folder is skipped; onto a web group files are refused. A button dragged
# with the mouse onto another takes its place, saved at once.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

src=$E2E_WORK/src tools=$E2E_WORK/Tools
mkdir -p "$src" "$tools"
for f in alpha beta gamma; do echo "$f" >"$src/$f.txt"; done
sw=$(winpath "$src") tw=$(winpath "$tools")
drive make-link "$tw\\beta.lnk" 'C:\windows\notepad.exe' || fail "link"

start_tools_and_web "$tw" 250
read -r cl ct _ _ <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
centre_of() {  # TITLE -> screen x y of the middle of its group panel
  local l t r b
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $8 }')"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}

# Onto the web group: a box says where files go, nothing is written.
read -r x y <<<"$(centre_of Web)"
out=$(drive drag-files "$x" "$y" "$sw\\alpha.txt") || fail "the drag onto Web: $out"
expect_eq "dropped effect 4" "$out" "the drag onto Web returned"
wait_for_window TMessageForm 20 >/dev/null || fail "no box for files dropped on the web group"
sleep 0.5
screenshot "$E2E_ARTIFACTS/files-on-web-group.png" >/dev/null
expect_eq "乱拖...." "$(drive title TMessageForm)" "the box's caption"
drive close TMessageForm >/dev/null
drive wait-gone TMessageForm 10 || fail "the box stayed"
expect_eq "beta.lnk" "$(cd "$tools" && ls -- *.lnk | tr '\n' ' ' | sed 's/ $//')" "links after the refused drop"

# From the root of drive C: no drop at all, nothing written.
read -r x y <<<"$(centre_of Tools)"
out=$(drive drag-files "$x" "$y" 'C:\autoexec.bat') || true
case $out in *"effect 0") ;; *) fail "a file from the root of drive C was taken: $out" ;; esac
expect_eq "beta.lnk" "$(cd "$tools" && ls -- *.lnk | tr '\n' ' ' | sed 's/ $//')" "links after the drag from C:"

# Onto the shortcut group: beta.lnk exists, so one question comes, answered with Enter. The drag has
# returned by then.
out=$(drive drag-files "$x" "$y" "$sw\\alpha.txt" "$sw\\beta.txt" "$sw\\gamma.txt") || fail "the drag: $out"
expect_eq "dropped effect 4" "$out" "the drag returned before the question"
wait_for_window TMessageForm 20 >/dev/null || fail "no question about the existing link"
sleep 0.5
screenshot "$E2E_ARTIFACTS/overwrite-question.png" >/dev/null
question=$(drive title TMessageForm)
expect_eq "覆盖文件1!?" "$question" "the question's caption (the OLE wording)"
xdotool key Return
drive wait-gone TMessageForm 10 || fail "the question stayed"
sleep 0.5
drive find TMessageForm >/dev/null && fail "a second question came"
for (( i = 0; i < 50; i++ )); do
  [ "$(find "$tools" -name '*.lnk' | wc -l)" -ge 3 ] && break
  sleep 0.1
done
expect_eq "alpha.lnk beta.lnk gamma.lnk" "$(cd "$tools" && ls -- *.lnk | tr '\n' ' ' | sed 's/ $//')" "links made"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(layout_lines button | awk -F'\t' '$2 == 0' | wc -l)" = 3 ] && break
  sleep 0.1
done
expect_eq "alpha beta gamma" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $7 }' | tr '\n' ' ' | sed 's/ $//')" \
  "the group shows the new links"
tools_captions() { layout_lines button | awk -F'\t' '$2 == 0 { print $7 }' | tr '\n' ' ' | sed 's/ $//'; }
saved_order() {
  ini_text "$dir/Wendlix.GPF" | awk '/^\[Tools  Buttons\]/ { on = 1; next } /^\[/ { on = 0 } on && /=/ { sub(/^[^=]*=/, ""); print }' |
    tr '\n' ' ' | sed 's/ $//'
}

# gamma dragged onto alpha takes its place and the order is saved at once, so the refill after the
# next drop keeps it.
read -r fx fy <<<"$(button_point 0 gamma)"
read -r tx ty <<<"$(button_point 0 alpha)"
mouse_drag "$fx" "$fy" "$tx" "$ty"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(tools_captions)" = "gamma alpha beta" ] && break
  sleep 0.1
done
expect_eq "gamma alpha beta" "$(tools_captions)" "the group after the move"
expect_eq "gamma.lnk alpha.lnk beta.lnk" "$(saved_order)" "the order in the group file before the close"
echo delta >"$src/delta.txt"
drive drag-files "$x" "$y" "$sw\\delta.txt" >/dev/null || fail "the drop after the move"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(tools_captions)" = "gamma alpha beta delta" ] && break
  sleep 0.1
done
expect_eq "gamma alpha beta delta" "$(tools_captions)" "the group refilled after the move"

# A link out of the group's own folder is skipped: nothing is asked, the link stays as it was.
kept=$(md5sum <"$tools/beta.lnk")
drive drag-files "$x" "$y" "$tw\\beta.lnk" >/dev/null || fail "the drag of the group's own link"
sleep 1
drive find TMessageForm >/dev/null && fail "asked about the group's own link"
expect_eq "$kept" "$(md5sum <"$tools/beta.lnk")" "the group's own link after it was dropped on the group"

# beta again with a file of Chinese name: one question, Escape keeps the old link, the other is made.
echo x >"$src/文件 甲.txt"
drive drag-files "$x" "$y" "$sw\\beta.txt" "$sw\\文件 甲.txt" >/dev/null || fail "the second drop"
wait_for_window TMessageForm 20 >/dev/null || fail "no question about beta the second time"
sleep 0.3
xdotool key Escape
drive wait-gone TMessageForm 10 || fail "the question stayed after Escape"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(tools_captions)" = "gamma alpha beta delta 文件 甲" ] && break
  sleep 0.1
done
expect_eq "gamma alpha beta delta 文件 甲" "$(tools_captions)" "the group after Escape"
expect_eq "$kept" "$(md5sum <"$tools/beta.lnk")" "beta's link after Escape"
stop_bar 20 || fail "the bar did not close by itself"
expect_eq "gamma.lnk alpha.lnk beta.lnk delta.lnk 文件 甲.lnk" "$(saved_order)" \
  "the order in the group file after the close"
