#!/usr/bin/env bash
# Files dragged by OLE from another process onto a shortcut group become links there; the one whose
# link already exists is asked about once, and a drop onto a web group is refused.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

src=$E2E_WORK/src tools=$E2E_WORK/Tools
mkdir -p "$src" "$tools"
for f in alpha beta gamma; do echo "$f" >"$src/$f.txt"; done
sw=$(winpath "$src") tw=$(winpath "$tools")
drive make-link "$tw\\beta.lnk" 'C:\windows\notepad.exe' || fail "link"

start_tools_and_web "$tw" 250
read -r cl ct cr cb <<<"$(drive client-rect "$WENDLIX_MAIN_CLASS")"
centre_of() {  # TITLE -> screen x y of the middle of its group panel
  local l t r b
  IFS=, read -r l t r b <<<"$(layout_lines group | awk -F'\t' -v t="$1" '$3 == t { print $8 }')"
  echo $((cl + (l + r) / 2)) $((ct + (t + b) / 2))
}

# Onto the web group: refused, nothing written.
read -r x y <<<"$(centre_of Web)"
out=$(drive drag-files "$x" "$y" "$sw\\alpha.txt") || true
log "onto Web: $out"
expect_eq "beta.lnk" "$(cd "$tools" && ls *.lnk | tr '\n' ' ' | sed 's/ $//')" "links after the refused drop"

# Onto the shortcut group: beta.lnk exists, so one question comes, answered with Enter.
read -r x y <<<"$(centre_of Tools)"
drive drag-files "$x" "$y" "$sw\\alpha.txt" "$sw\\beta.txt" "$sw\\gamma.txt" >"$E2E_WORK/drag.out" &
drag_pid=$!
wait_for_window TMessageForm 20 >/dev/null || fail "no question about the existing link"
sleep 0.5
screenshot "$E2E_ARTIFACTS/overwrite-question.png" >/dev/null
question=$(drive title TMessageForm)
expect_eq "覆盖文件!?" "$question" "the question's caption"
xdotool key Return
wait "$drag_pid" || fail "the drag did not end with a drop: $(cat "$E2E_WORK/drag.out")"
log "onto Tools: $(cat "$E2E_WORK/drag.out")"
drive find TMessageForm >/dev/null && fail "a second question came"
for (( i = 0; i < 50; i++ )); do
  [ "$(find "$tools" -name '*.lnk' | wc -l)" -ge 3 ] && break
  sleep 0.1
done
expect_eq "alpha.lnk beta.lnk gamma.lnk" "$(cd "$tools" && ls *.lnk | tr '\n' ' ' | sed 's/ $//')" "links made"
for (( i = 0; i < 50; i++ )); do
  read_layout
  [ "$(layout_lines button | awk -F'\t' '$2 == 0' | wc -l)" = 3 ] && break
  sleep 0.1
done
expect_eq "alpha beta gamma" "$(layout_lines button | awk -F'\t' '$2 == 0 { print $7 }' | tr '\n' ' ' | sed 's/ $//')" \
  "the group shows the new links"
stop_bar 20 || fail "the bar did not close by itself"
